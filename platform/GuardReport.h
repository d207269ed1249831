// What the guards around user code and painting caught: written to the logging category
// "modulation.guard" at a limited rate, so a developer sees why a frame stayed empty.
#pragma once

#include <QLoggingCategory>
#include <cstdint>

Q_DECLARE_LOGGING_CATEGORY(lcGuard)

// Logs What (the exception's text) caught at Where; past MaxGuardReportsPerSecond in one
// second the rest of that second is counted and summed up in the next message.
void ReportGuardCatch(const char* Where, const char* What) noexcept;

inline constexpr int MaxGuardReportsPerSecond = 10;

// Told of every catch, logged or not; a test runner fails the test that caused one it did not
// expect. Null listens to nothing.
using TGuardCatchListener = void (*)(const char* Where, const char* What);
void SetGuardCatchListener(TGuardCatchListener Listener) noexcept;
