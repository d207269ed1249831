#include "platform/GuardReport.h"
#include "GuardCatchWatch.h"
#include "platform/Exception.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <thread>

namespace {

QStringList* logged = nullptr;
QtMessageHandler previous = nullptr;

void Collect(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (logged && context.category && QLatin1String(context.category) == "modulation.guard")
        logged->append(message);
    else if (previous)
        previous(type, context, message);
}

// Collects what the guard category logs while it lives.
class GuardLog {
public:
    GuardLog() {
        logged = &messages;
        previous = qInstallMessageHandler(&Collect);
    }
    ~GuardLog() {
        qInstallMessageHandler(previous);
        logged = nullptr;
    }
    QStringList messages;
};

} // namespace

TEST(GuardReport, ACaughtErrorIsLoggedWithItsTextAndCounted) {
    // A fresh second, so that earlier tests' catches do not count against the limit.
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    const ExpectedGuardCatches expected;
    GuardLog log;
    EXPECT_FALSE(RunGuarded([] { throw Exception(QStringLiteral("Invalid class typecast")); }));
    EXPECT_FALSE(RunGuarded([] { throw 42; }));
    EXPECT_EQ(expected.Count(), 2);
    ASSERT_EQ(log.messages.size(), 2);
    EXPECT_EQ(log.messages[0], "RunGuarded: caught Invalid class typecast");
    EXPECT_EQ(log.messages[1], "RunGuarded: caught an exception of unknown type");
}

TEST(GuardReport, AFloodIsLoggedAtALimitedRateAndSummedUpAfter) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    const ExpectedGuardCatches expected;
    GuardLog log;
    for (int i = 0; i < 3 * MaxGuardReportsPerSecond; ++i)
        ReportGuardCatch("painting", "boom");
    EXPECT_EQ(expected.Count(), 3 * MaxGuardReportsPerSecond);
    EXPECT_EQ(log.messages.size(), MaxGuardReportsPerSecond);
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    ReportGuardCatch("painting", "boom");
    ASSERT_EQ(log.messages.size(), MaxGuardReportsPerSecond + 2);
    EXPECT_EQ(log.messages[MaxGuardReportsPerSecond],
              QStringLiteral("%1 more caught were not logged").arg(2 * MaxGuardReportsPerSecond));
}
