#include "instruments/framework/iScaleObject.h"
#include "platform/RecordingCanvas.h"

#include <QObject>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

using Op = TCanvasOperation;
using Points = std::vector<TPoint>;

} // namespace

// A vertical scale of 0..100 from pixel 100 up to pixel 0, its base line at x = 10, major
// ticks at 0, 50 and 100 with one minor tick between each.
class TiScaleObjectTest : public testing::Test {
protected:
    TiScaleObjectTest() {
        scale.SetPositionMin(0);
        scale.SetPositionMax(100);
        scale.SetPixelsStart(100);
        scale.SetPixelsStop(0);
        scale.SetBasePosition(10);
        scale.SetTickMajorCount(3);
        scale.SetTickMinorCount(1);
        scale.SetShowTicksMajor(true);
        scale.SetShowTicksMinor(true);
        scale.SetShowTickLabels(true);
        scale.OnChange = [this](QObject* sender) {
            EXPECT_EQ(sender, &owner);
            ++changes;
        };
    }

    std::vector<TCanvasRecord> Lines() const { return canvas.RecordsOf(Op::Polyline); }
    std::vector<TCanvasRecord> Labels() const { return canvas.RecordsOf(Op::TextOut); }

    QObject owner;
    TiScaleObject scale{&owner};
    TRecordingCanvas canvas;
    int changes = 0;
};

TEST_F(TiScaleObjectTest, TickCountsAndLengthsAreKeptInRange) {
    scale.SetTickMajorCount(1);
    EXPECT_EQ(scale.TickMajorCount(), 2);
    scale.SetTickMajorCount(150);
    EXPECT_EQ(scale.TickMajorCount(), 100);
    scale.SetTickMinorCount(0);
    scale.SetTickMinorLength(0);
    EXPECT_EQ(scale.TickMinorCount(), 1);
    EXPECT_EQ(scale.TickMinorLength(), 1);
}

TEST_F(TiScaleObjectTest, EveryRealChangeIsToldOnceAndFontChangesCount) {
    scale.SetTickMargin(5);
    scale.SetTickMargin(6);
    scale.TickLabelFont()->SetHeight(-20);
    EXPECT_EQ(changes, 2);
}

TEST_F(TiScaleObjectTest, ValuesMapLinearlyOntoThePixelsAndAnEmptyRangeOntoTheMiddle) {
    EXPECT_EQ(scale.PositionToPixelsAbsolute(25), 75);
    EXPECT_EQ(scale.PositionToPixelsRelative(25), 25);
    scale.SetReverseScale(true);
    EXPECT_EQ(scale.PositionToPixelsAbsolute(25), 25);
    EXPECT_EQ(scale.PositionToPixelsRelative(25), -25);
    scale.SetPositionMax(0);
    scale.SetPixelsStart(11);
    EXPECT_EQ(scale.PositionToPixelsAbsolute(7), 5);
    EXPECT_EQ(scale.PositionToPixelsRelative(7), -5);
}

TEST_F(TiScaleObjectTest, VerticalScaleDrawsTicksAndLabelsRightOfTheBaseLine) {
    scale.Draw(canvas);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 5u);
    // Major ticks from x = base + margin over the major length; minor ones from the same x.
    EXPECT_EQ(lines[0].Points, (Points{{15, 100}, {22, 100}}));
    EXPECT_EQ(lines[1].Points, (Points{{15, 75}, {18, 75}}));
    EXPECT_EQ(lines[2].Points, (Points{{15, 50}, {22, 50}}));
    EXPECT_EQ(lines[4].Points, (Points{{15, 0}, {22, 0}}));
    const auto labels = Labels();
    ASSERT_EQ(labels.size(), 3u);
    // Labels stand at base + margin + major length + label margin, centred on the tick.
    EXPECT_EQ(labels[0].Points[0], (TPoint{27, 94}));
    EXPECT_EQ(labels[2].Text, "100");
    EXPECT_EQ(labels[2].Points[0], (TPoint{27, -6}));
    EXPECT_EQ(labels[0].BrushStyle, bsClear);
}

TEST_F(TiScaleObjectTest, HorizontalScaleOnTheTopLeftSideDrawsUpwards) {
    scale.SetOrientation(ioHorizontal);
    scale.SetOrientationSide(iosTopLeft);
    scale.SetTickMinorAlignment(itmnaOutside);
    scale.SetBasePosition(50);
    scale.SetTickLabelPrecision(1);
    scale.SetPrecisionStyle(ipsFixedDecimalPoints);
    scale.Draw(canvas);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].Points, (Points{{100, 38}, {100, 45}}));
    // Outside alignment: minor ticks end where the major ticks end.
    EXPECT_EQ(lines[1].Points, (Points{{75, 38}, {75, 41}}));
    const auto labels = Labels();
    EXPECT_EQ(labels[1].Text, "50.0");
    EXPECT_EQ(labels[1].Points[0], (TPoint{50 - 14, 33 - 13}));
}

TEST_F(TiScaleObjectTest, CentredMinorTicksStandInTheMiddleOfTheMajorLength) {
    scale.SetTickMinorAlignment(itmnaCenter);
    scale.Draw(canvas);
    ASSERT_EQ(Lines().size(), 5u);
    EXPECT_EQ(Lines()[1].Points, (Points{{17, 75}, {20, 75}}));
}

TEST_F(TiScaleObjectTest, FirstAndLastMajorTicksCanBeLeftOutAndMinorTicksNeedMajorOnes) {
    scale.SetShowTicksMajorFirstLast(false);
    scale.Draw(canvas);
    ASSERT_EQ(Lines().size(), 3u);
    EXPECT_EQ(Lines()[1].Points, (Points{{15, 50}, {22, 50}}));
    canvas.Clear();
    scale.SetShowTicksMajor(false);
    scale.Draw(canvas);
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(Labels().size(), 3u);
}

TEST_F(TiScaleObjectTest, FixedTickRangeContinuesMinorTicksOutToTheRangeEnds) {
    scale.SetAutoScaleEnabled(true);
    scale.SetAutoScaleStyle(iassFixedMinMax);
    scale.SetFixedTickStart(20);
    scale.SetFixedTickStop(80);
    scale.SetShowTicksMajor(false);
    scale.Draw(canvas);
    // Minor step 15: beyond the ticks at 95, then 5 below them.
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Points[0].Y, 5);
    EXPECT_EQ(lines[1].Points[0].Y, 95);
    EXPECT_EQ(Labels()[0].Text, "20");
}
