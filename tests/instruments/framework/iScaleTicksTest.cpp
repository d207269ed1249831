#include "instruments/framework/iScaleTicks.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

std::vector<double> Values(std::span<const double> values) {
    return {values.begin(), values.end()};
}

} // namespace

TEST(TiScaleTicks, DividesTheRangeIntoMajorTicksWithLabelsAndMinorTicksBetween) {
    TiScaleTickRequest request;
    request.PositionMin = 0;
    request.PositionMax = 100;
    request.MajorCount = 3;
    request.MinorCount = 1;
    request.DecimalPoints = 1;
    const TiScaleTicks ticks = TiScaleTicks::Compute(request);
    ASSERT_EQ(ticks.Major().size(), 3u);
    EXPECT_EQ(ticks.Major()[1].Value, 50);
    EXPECT_EQ(ticks.Major()[1].Label, "50.0");
    EXPECT_EQ(Values(ticks.MinorAfter(0)), (std::vector<double>{25}));
    EXPECT_EQ(Values(ticks.MinorAfter(1)), (std::vector<double>{75}));
    EXPECT_TRUE(ticks.MinorAfter(2).empty());
    EXPECT_TRUE(ticks.MinorBeyond().empty());
}

TEST(TiScaleTicks, LabelsAreCustomisedOnceWithTheSenderAndIndex) {
    QObject owner;
    TiScaleTickRequest request;
    request.PositionMax = 4;
    request.Sender = &owner;
    int calls = 0;
    request.CustomizeLabel = [&](QObject* sender, int index, QString& text) {
        EXPECT_EQ(sender, &owner);
        ++calls;
        if (index == 4) text = "max";
    };
    const TiScaleTicks ticks = TiScaleTicks::Compute(request);
    EXPECT_EQ(calls, 5);
    EXPECT_EQ(ticks.Major().back().Label, "max");
}

TEST(TiScaleTicks, AFixedRangeBoundsTheMajorTicksAndMinorTicksContinueToTheEnds) {
    TiScaleTickRequest request;
    request.PositionMax = 100;
    request.FixedTicks = true;
    request.FixedTickStart = 20;
    request.FixedTickStop = 80;
    request.MajorCount = 3;
    request.MinorCount = 1;
    const TiScaleTicks ticks = TiScaleTicks::Compute(request);
    EXPECT_EQ(ticks.Low(), 20);
    EXPECT_EQ(ticks.High(), 80);
    EXPECT_EQ(ticks.Major()[0].Label, "20");
    EXPECT_EQ(ticks.MinorBeyond(), (std::vector<double>{95, 5}));
}

TEST(TiScaleTicks, CountsOutsideTheirLimitsAndNonFiniteRangesStayBounded) {
    TiScaleTickRequest request;
    request.PositionMin = -std::numeric_limits<double>::infinity();
    request.PositionMax = std::numeric_limits<double>::quiet_NaN();
    request.MajorCount = std::numeric_limits<int>::max();
    request.MinorCount = std::numeric_limits<int>::min();
    request.DecimalPoints = std::numeric_limits<int>::max();
    const TiScaleTicks ticks = TiScaleTicks::Compute(request);
    EXPECT_EQ(ticks.Major().size(), size_t(MaxTickMajorCount));
    EXPECT_EQ(ticks.MinorAfter(0).size(), 1u);
}

TEST(MinorTicksBeyondRange, WalksOutwardsOneStepAtATimeToTheEnds) {
    EXPECT_EQ(MinorTicksBeyondRange(20, 80, 15, 0, 100), (std::vector<double>{95, 5}));
    EXPECT_EQ(MinorTicksBeyondRange(20, 80, 7.5, 0, 95), (std::vector<double>{87.5, 95, 12.5, 5}));
}

TEST(MinorTicksBeyondRange, EndsForStepsThatCannotAdvance) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(MinorTicksBeyondRange(80, 20, -15, 0, 100).empty());
    EXPECT_TRUE(MinorTicksBeyondRange(20, 80, nan, 0, 100).empty());
    EXPECT_TRUE(MinorTicksBeyondRange(20, 80, 0, 0, 100).empty());
    // A step lost in the value's precision yields one tick each way, not an endless run.
    EXPECT_EQ(MinorTicksBeyondRange(1e20, 1e20, 1, 0, 2e20).size(), 2u);
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(MinorTicksBeyondRange(0, 1, 1e-3, -infinity, infinity).size(),
              size_t(2 * MaxMinorTicksBeyond));
}
