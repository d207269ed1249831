#include "../data/DataListTestSupport.h"
#include "ChannelTestAxis.h"

#include "platform/Clock.h"
#include "platform/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace {

using Op = TCanvasOperation;

class PlotChannelTest : public ::testing::Test {
protected:
    void Draw() {
        canvas.Clear();
        channel.DrawSetup(canvas);
        channel.Draw(canvas, clBlack);
    }
    std::vector<std::vector<TPoint>> Shapes(Op operation) const {
        std::vector<std::vector<TPoint>> result;
        for (const TCanvasRecord& r : canvas.RecordsOf(operation))
            result.push_back(r.Points);
        return result;
    }

    ManualClock clock{45000.0};
    ScopedClock installed{[this] { return clock(); }};
    ChannelTestPlot plot;
    TiPlotChannel& channel = *plot.Channel;
    TRecordingCanvas canvas;
};

TEST_F(PlotChannelTest, TimeStampedAppendsReadTheClock) {
    clock.AdvanceMilliseconds(1500);
    channel.AddYElapsedSeconds(1);
    channel.AddYNow(2);
    channel.ResetElapsedStartTime();
    clock.AdvanceMilliseconds(86400000.0 / 4);
    channel.AddYElapsedTime(3);
    // Seconds from days near 45000 keep about microsecond precision.
    EXPECT_NEAR(channel.GetDataX(0), 1.5, 1e-6);
    EXPECT_DOUBLE_EQ(channel.GetDataX(1), 45000.0 + 1.5 / 86400);
    EXPECT_NEAR(channel.GetDataX(2), 0.25, 1e-9);
    EXPECT_EQ(channel.Statistics().Count, 3);
}

TEST_F(PlotChannelTest, NullEmptyAndHighLowPointsTrackOnlyX) {
    channel.AddXNull(1);
    channel.AddXEmpty(2);
    channel.AddHighLow(3, 9, 1, 4, 6);
    EXPECT_EQ(plot.XAxis()->Tracked, (std::vector<double>{1, 2, 3}));
    EXPECT_TRUE(plot.YAxis()->Tracked.empty());
    EXPECT_EQ(channel.Statistics().Count, 0);
    EXPECT_TRUE(channel.GetDataNull(0));
    EXPECT_FALSE(channel.GetDataEmpty(0));
    EXPECT_TRUE(channel.GetDataEmpty(1));
    // The standard list keeps no high-low values.
    EXPECT_EQ(channel.GetDataHigh(2), 0);
}

TEST_F(PlotChannelTest, HighLowOnAnOverwritingRingLandsOnTheNewPoint) {
    channel.SetDataStyle(ipdsFullFeature);
    channel.SetRingBufferSize(2);
    for (int i = 0; i < 3; ++i)
        channel.AddHighLow(i, 10 + i, i, 0, 0);
    EXPECT_EQ(channel.GetDataX(1), 2);
    EXPECT_EQ(channel.GetDataHigh(1), 12);
    EXPECT_EQ(channel.GetDataHigh(0), 11);
}

TEST_F(PlotChannelTest, FillIsSplitByNullButNotByEmpty) {
    channel.SetFillEnabled(true);
    channel.AddXY(10, 20);
    channel.AddXEmpty(20);
    channel.AddXY(30, 40);
    channel.AddXNull(40);
    channel.AddXY(50, 20);
    channel.AddXY(60, 20);
    Draw();
    EXPECT_EQ(Shapes(Op::Polygon),
              (std::vector<std::vector<TPoint>>{{{100, 500}, {100, 400}, {300, 300}, {300, 500}},
                                                {{500, 500}, {500, 400}, {600, 400}, {600, 500}}}));
    EXPECT_EQ(canvas.RecordsOf(Op::Polygon)[0].BrushColor, channel.Color());
}

TEST_F(PlotChannelTest, StepsHoldTheLastValueToTheAxisEnd) {
    channel.SetInterpolationStyle(TiPlotChannel::ipistDifferential);
    channel.AddXY(0, 10);
    channel.AddXY(10, 30);
    Draw();
    EXPECT_EQ(Shapes(Op::Polyline),
              (std::vector<std::vector<TPoint>>{
                  {{0, 450}, {100, 450}}, {{100, 450}, {100, 350}}, {{100, 350}, {1000, 350}}}));
}

TEST_F(PlotChannelTest, DigitalTraceDrawsRunsAndEdgesButNotALonePoint) {
    channel.SetDigitalEnabled(true);
    channel.SetMarkersVisible(true);
    channel.SetDigitalReferenceLow(20);
    channel.SetDigitalReferenceHigh(80);
    const double ys[] = {0, 0, 5, 5, 0};
    for (int i = 0; i < 5; ++i)
        channel.AddXY(i * 10, ys[i]);
    Draw();
    EXPECT_EQ(Shapes(Op::Polyline), (std::vector<std::vector<TPoint>>{{{0, 400}, {200, 400}},
                                                                      {{200, 400}, {200, 100}},
                                                                      {{200, 100}, {400, 100}},
                                                                      {{400, 100}, {400, 400}}}));
    // Markers sit on the level lines.
    ASSERT_EQ(canvas.Count(Op::Ellipse), 5);
    EXPECT_EQ(canvas.RecordsOf(Op::Ellipse)[2].Rect, TRect(197, 97, 203, 103));
    plot.YAxis()->Set(-1, 2, 0, 500, false);
    channel.SetDigitalReferenceStyle(TiPlotChannel::ipdrPercent);
    channel.SetDigitalReferenceLow(10);
    channel.SetDigitalReferenceHigh(90);
    EXPECT_DOUBLE_EQ(channel.DigitalLevelValue(true), 0.8);
    EXPECT_DOUBLE_EQ(channel.DigitalLevelValue(false), -0.8);
}

TEST_F(PlotChannelTest, BarsSpanTheirWidthFromTheReference) {
    channel.SetBarEnabled(true);
    channel.SetBarWidth(4);
    channel.SetBarReference(10);
    channel.AddXY(20, 30);
    channel.AddXNull(30);
    Draw();
    ASSERT_EQ(canvas.Count(Op::Rectangle), 1);
    EXPECT_EQ(canvas.RecordsOf(Op::Rectangle)[0].Rect, TRect(180, 350, 220, 450));
}

TEST_F(PlotChannelTest, ArraysAreCheckedWholeBeforeAnyPointIsAdded) {
    const QVariantList row{1, 2, 3};
    ExpectError([&] { channel.AddXYArray(row); }, "Array Must Be 2 Dimensional");
    ExpectError(
        [&] {
            channel.AddXYArray(QVariantList{row, row, row});
        },
        "Array First Dimension Must Be 2 Elements");
    ExpectError(
        [&] {
            channel.AddXYArray(QVariantList{row, QVariantList{1, "x", 3}});
        },
        "Array element is not a number");
    ExpectError([&] { channel.AddXYArrays(QVariantList{row}, row); },
                "X-Data array must be 1 dimensional");
    ExpectError([&] { channel.AddXYArrays(row, 5); }, "Y-Data array must be 1 dimensional");
    ExpectError([&] { channel.AddXYArrays(row, QVariantList{1}); },
                "X-Data and Y-Data hogh bound dimension must match");
    ExpectError([&] { channel.AddYArray(1, QVariantList{row}); },
                "Y-Data array must be 1 dimensional");
    EXPECT_EQ(channel.GetCount(), 0);
    channel.AddXYArray(QVariantList{row, QVariantList{4, 5, 6}});
    channel.AddXYArrays(QVariantList{10}, QVariantList{7});
    channel.AddYArray(0.5, QVariantList{8, 9, 10});
    ASSERT_EQ(channel.GetCount(), 7);
    EXPECT_EQ(channel.GetDataY(2), 6);
    EXPECT_EQ(channel.GetDataX(4), 10);
    EXPECT_EQ(channel.GetDataX(5), 10.5);
    EXPECT_EQ(channel.GetDataX(6), 11);
}

TEST_F(PlotChannelTest, DataCursorTexts) {
    EXPECT_EQ(channel.GetDataCursorDisplayText(ipcsValueXY, 1, 2, ipdpsValid), "c1, c2");
    EXPECT_EQ(channel.DataCursorYText(), "c2");
    EXPECT_EQ(channel.GetDataCursorDisplayText(ipcsValueY, 1, 0, ipdpsNull), "Null");
    EXPECT_EQ(channel.GetDataCursorDisplayText(ipcsValueXY, 1, 0, ipdpsEmpty), "c1, Empty");
    EXPECT_EQ(channel.GetDataCursorDisplayText(ipcsDeltaX, 3, 0, ipdpsValid), "v3");
    EXPECT_EQ(channel.GetDataCursorDisplayText(ipcsInverseDeltaX, 1e302, 0, ipdpsValid),
              "Infinite");
    channel.SetDigitalEnabled(true);
    EXPECT_EQ(channel.GetDataCursorDisplayText(ipcsValueY, 0, 1, ipdpsValid), "High");
    EXPECT_EQ(channel.DataCursorStatus(), ipdpsValid);
    channel.SetYAxisName("none");
    EXPECT_EQ(channel.GetDataCursorDisplayText(ipcsDeltaY, 0, 1, ipdpsValid), "No Y-Axis");
    channel.SetXAxisName("none");
    EXPECT_EQ(channel.GetDataCursorDisplayText(ipcsValueXY, 1, 1, ipdpsValid), "No X-Axis");
    EXPECT_EQ(channel.DataCursorXText(), "No X-Axis");
}

TEST_F(PlotChannelTest, HighLowBarIsDrawnOverItsTicks) {
    channel.SetDataStyle(ipdsFullFeature);
    channel.SetHighLowEnabled(true);
    channel.SetHighLowBarWidth(0.4);
    channel.SetHighLowOpenWidth(0.3);
    channel.SetHighLowCloseShow(false);
    channel.AddHighLow(50, 80, 20, 40, 60);
    Draw();
    const std::vector<TCanvasRecord> rects = canvas.RecordsOf(Op::FillRect);
    ASSERT_EQ(rects.size(), 2u);
    // Bar of 4 columns around 500 (498..501), the open tick 3 columns wide left of its middle.
    EXPECT_EQ(rects[0].BrushColor, channel.HighLowOpenColor());
    EXPECT_EQ(rects[0].Rect, TRect(497, 298, 499, 302));
    EXPECT_EQ(rects[1].BrushColor, channel.HighLowBarColor());
    EXPECT_EQ(rects[1].Rect, TRect(498, 100, 501, 400));
}

TEST_F(PlotChannelTest, InterpolatedTracesUseOnlyValidPointsOnePieceAColumn) {
    plot.XAxis()->Set(0, 100, 0, 100, true);
    channel.SetInterpolationStyle(TiPlotChannel::ipistPolynomial);
    channel.AddXY(10, 10);
    channel.AddXNull(15);
    channel.AddXY(20, 20);
    channel.AddXEmpty(25);
    channel.AddXY(30, 30);
    Draw();
    // A straight line through the three valid points, one segment per column from 10 to 30.
    const auto lines = Shapes(Op::Polyline);
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines.front(), (std::vector<TPoint>{{10, 450}, {11, 445}}));
    EXPECT_EQ(lines.back(), (std::vector<TPoint>{{29, 355}, {30, 350}}));
    // The spline breaks at the Null point: only 20..30 has a run of two.
    channel.SetInterpolationStyle(TiPlotChannel::ipistCubicSpline);
    Draw();
    EXPECT_EQ(Shapes(Op::Polyline).size(), 10u);
}

TEST_F(PlotChannelTest, VisibleExtentsSkipNullPointsAndFollowTheAxisKind) {
    channel.AddXNull(-5);
    channel.AddXY(1, 7);
    channel.AddXY(3, -2);
    channel.AddXNull(9);
    const TiPlotAxisExtents x = channel.VisibleExtents(TiPlotObjectKind::XAxis);
    const TiPlotAxisExtents y = channel.VisibleExtents(TiPlotObjectKind::YAxis);
    EXPECT_EQ(x.Min, 1);
    EXPECT_EQ(x.Max, 3);
    EXPECT_EQ(y.Min, -2);
    EXPECT_EQ(y.Max, 7);
    EXPECT_EQ(channel.BoundAxisName(TiPlotObjectKind::YAxis), plot.YAxis()->Name());
    channel.SetVisible(false);
    EXPECT_FALSE(channel.VisibleExtents(TiPlotObjectKind::XAxis).Found());
}

} // namespace
