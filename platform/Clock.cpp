#include "platform/Clock.h"

#include <QDateTime>
#include <utility>

namespace {

// Days from 30 December 1899 to the Unix epoch.
constexpr double UnixEpochDays = 25569.0;

TDateTime systemNow() {
    const QDateTime now = QDateTime::currentDateTime();
    const qint64 localMs = now.toMSecsSinceEpoch() + qint64(now.offsetFromUtc()) * 1000;
    return UnixEpochDays + double(localMs) / 86400000.0;
}

std::function<TDateTime()>& installed() {
    static std::function<TDateTime()> clock = systemNow;
    return clock;
}

} // namespace

TDateTime Now() {
    return installed()();
}

ScopedClock::ScopedClock(std::function<TDateTime()> clock)
    : previous_(std::exchange(installed(), std::move(clock))) {}

ScopedClock::~ScopedClock() {
    installed() = std::move(previous_);
}
