#include "platform/Clock.h"

#include <QDateTime>
#include <limits>
#include <utility>

namespace {

// Days from 30 December 1899 to the Unix epoch.
constexpr double UnixEpochDays = 25569.0;

// Converting to local time reads the time-zone rules, too slow for a clock every added point
// asks; the offset only changes on a whole minute, so it is looked up once per minute.
TDateTime systemNow() {
    thread_local qint64 offsetMinute = std::numeric_limits<qint64>::min();
    thread_local qint64 offsetMs = 0;
    const qint64 utcMs = QDateTime::currentMSecsSinceEpoch();
    const qint64 minute = utcMs / 60000;
    if (minute != offsetMinute) {
        offsetMinute = minute;
        offsetMs = qint64(QDateTime::fromMSecsSinceEpoch(utcMs).offsetFromUtc()) * 1000;
    }
    return UnixEpochDays + double(utcMs + offsetMs) / 86400000.0;
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
