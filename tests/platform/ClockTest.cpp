#include "platform/Clock.h"

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
