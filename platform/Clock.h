// The one source of the current date-time (days since 30 December 1899, the fraction being
// the time of day). Tests replace it to step time through frame-rate limits, wheel throttles
// and timers.
#pragma once

#include <functional>

using TDateTime = double;

// The current local date-time from the installed clock.
TDateTime Now();

// Installs a clock for as long as the guard lives; the previous one comes back on every path.
class ScopedClock {
public:
    explicit ScopedClock(std::function<TDateTime()> clock);
    ~ScopedClock();
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

private:
    std::function<TDateTime()> previous_;
};

// A clock that stands still until told to move: for tests.
class ManualClock {
public:
    explicit ManualClock(TDateTime start = 45000.0) : now_(start) {}
    TDateTime operator()() const { return now_; }
    void AdvanceMilliseconds(double ms) { now_ += ms / 86400000.0; }
    void Set(TDateTime value) { now_ = value; }

private:
    TDateTime now_;
};
