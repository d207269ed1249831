#include "platform/Clock.h"

#include <QDateTime>

#include <gtest/gtest.h>

TEST(Clock, ScopedClockReplacesAndRestoresTheSource) {
    const TDateTime before = Now();
    EXPECT_GT(before, 44000.0); // after 2020
    {
        ManualClock manual(100.0);
        ScopedClock guard([&] { return manual(); });
        EXPECT_DOUBLE_EQ(Now(), 100.0);
        manual.AdvanceMilliseconds(43200000.0);
        EXPECT_DOUBLE_EQ(Now(), 100.5);
    }
    EXPECT_NEAR(Now(), before, 1.0);
}

// The system clock reads local time (its offset looked up once a minute) and never runs back.
TEST(Clock, SystemClockIsLocalTimeAndSteady) {
    const QDateTime local = QDateTime::currentDateTime();
    const TDateTime expected =
        25569.0 +
        double(local.toMSecsSinceEpoch() + qint64(local.offsetFromUtc()) * 1000) / 86400000.0;
    EXPECT_NEAR(Now(), expected, 2.0 / 86400.0);
    TDateTime previous = Now();
    for (int i = 0; i < 1000; ++i) {
        const TDateTime next = Now();
        EXPECT_GE(next, previous);
        previous = next;
    }
}
