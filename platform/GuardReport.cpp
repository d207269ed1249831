#include "platform/GuardReport.h"

#include <chrono>

Q_LOGGING_CATEGORY(lcGuard, "modulation.guard")

namespace {

using TSteadyClock = std::chrono::steady_clock;

TGuardCatchListener listener = nullptr;
TSteadyClock::time_point windowStart;
int reportedInWindow = 0;
int suppressedInWindow = 0;

// Whether this catch may be logged, starting a new second when the last one is over.
bool TakeReportSlot(int& Suppressed) {
    const TSteadyClock::time_point now = TSteadyClock::now();
    if (now - windowStart >= std::chrono::seconds(1)) {
        Suppressed = suppressedInWindow;
        windowStart = now;
        reportedInWindow = 0;
        suppressedInWindow = 0;
    }
    if (reportedInWindow >= MaxGuardReportsPerSecond) {
        ++suppressedInWindow;
        return false;
    }
    ++reportedInWindow;
    return true;
}

} // namespace

void ReportGuardCatch(const char* Where, const char* What) noexcept {
    try {
        if (listener) listener(Where, What);
        int suppressed = 0;
        if (!TakeReportSlot(suppressed)) return;
        if (suppressed > 0) qCWarning(lcGuard, "%d more caught were not logged", suppressed);
        qCWarning(lcGuard, "%s: caught %s", Where, What);
    } catch (...) {
        // Logging that fails has nothing left to tell.
    }
}

void SetGuardCatchListener(TGuardCatchListener Listener) noexcept {
    listener = Listener;
}
