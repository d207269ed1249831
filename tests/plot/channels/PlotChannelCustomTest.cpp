#include "../data/DataListTestSupport.h"
#include "ChannelTestAxis.h"

#include "platform/PropertyDefaults.h"
#include "platform/RecordingCanvas.h"

#include <cmath>
#include <limits>

namespace {

using Op = TCanvasOperation;
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

class PlotChannelCustomTest : public ::testing::Test {
protected:
    void Draw() {
        canvas.Clear();
        channel.DrawSetup(canvas);
        channel.Draw(canvas, clBlack);
    }
    std::vector<std::vector<TPoint>> Lines() const {
        std::vector<std::vector<TPoint>> result;
        for (const TCanvasRecord& r : canvas.RecordsOf(Op::Polyline))
            result.push_back(r.Points);
        return result;
    }

    ChannelTestPlot plot;
    TiPlotChannel& channel = *plot.Channel;
    TRecordingCanvas canvas;
};

TEST_F(PlotChannelCustomTest, NewChannelStoresWhatTheManagerGaveItAndTheHighLowColours) {
    QStringList stored;
    for (const PropertyDescriptor& d : PropertyDefaults::ValuesToStore(&channel))
        stored << d.Path;
    // The two high-low colours start other than their declared defaults.
    EXPECT_EQ(stored.join(',').toStdString(),
              "Name,TitleText,XAxisName,YAxisName,HighLowBarColor,HighLowOpenColor");
    EXPECT_EQ(channel.TitleText(), channel.Name());
    EXPECT_EQ(channel.XAxis(), plot.XAxis());
    EXPECT_EQ(channel.YAxis(), plot.YAxis());
}

TEST_F(PlotChannelCustomTest, RunningStatisticsAndFullScans) {
    const TiPlotChannelStatistics& s = channel.Statistics();
    EXPECT_EQ(s.XMin, 1e300);
    EXPECT_EQ(s.XMax, -1e300);
    EXPECT_EQ(s.XMean(), 0);
    EXPECT_EQ(channel.GetXMax(), -1e300);
    EXPECT_EQ(channel.GetYMin(), 1e300);
    EXPECT_EQ(channel.GetYMean(), 0);
    channel.AddXY(2, 5);
    channel.AddXY(4, 1);
    EXPECT_EQ(s.XMean(), 3);
    EXPECT_EQ(s.YMax, 5);
    EXPECT_EQ(s.YMin, 1);
    channel.Clear();
    channel.AddXY(-7, 0);
    channel.AddXY(-3, 0);
    channel.AddXEmpty(50);
    channel.AddXNull(60);
    EXPECT_EQ(channel.GetXMax(), -3);
    EXPECT_EQ(channel.GetXMin(), -7);
    EXPECT_EQ(channel.GetXMean(), -5);
    channel.ReCalcRunningMinMaxMean();
    EXPECT_EQ(s.Count, 2);
}

// The means are worked out when read: a scan of the held points replaces one mean and must
// leave the other as it was, and points added later count on from the scan's sums.
TEST_F(PlotChannelCustomTest, MeansReadLateMatchTheRunningMeansAcrossAScan) {
    const TiPlotChannelStatistics& s = channel.Statistics();
    channel.SetRingBufferSize(2);
    channel.AddXY(1, 10);
    channel.AddXY(2, 20);
    channel.AddXY(3, 30);
    EXPECT_EQ(s.XMean(), 2);
    EXPECT_EQ(channel.GetXMean(), 2.5);
    EXPECT_EQ(s.YMean(), 20);
    EXPECT_EQ(s.Count, 2);
    channel.AddXY(4, 40);
    EXPECT_EQ(s.XMean(), 3);
    EXPECT_EQ(s.YMean(), double(100.0L * (1.0L / 3)));
}

TEST_F(PlotChannelCustomTest, NonFinitePointsAreStoredButNeitherCountedNorTracked) {
    channel.AddXY(1, 2);
    channel.AddXY(NaN, 3);
    channel.AddXY(4, Inf);
    channel.AddXY(-Inf, 5);
    EXPECT_EQ(channel.GetCount(), 4);
    EXPECT_TRUE(std::isnan(channel.GetDataX(1)));
    const TiPlotChannelStatistics& s = channel.Statistics();
    EXPECT_EQ(s.Count, 1);
    EXPECT_EQ(s.XMax, 1);
    EXPECT_EQ(s.YMax, 2);
    EXPECT_EQ(plot.XAxis()->Tracked, std::vector<double>{1});
    EXPECT_EQ(channel.GetYMax(), 2);
    EXPECT_EQ(channel.GetVisibleMaxX(), 1);
}

TEST_F(PlotChannelCustomTest, TrackingReportsValuesOrMarkerExtents) {
    channel.AddXY(10, 20);
    EXPECT_EQ(plot.XAxis()->Tracked, std::vector<double>{10});
    EXPECT_EQ(plot.YAxis()->Tracked, std::vector<double>{20});
    channel.SetYAxisTrackingEnabled(false);
    channel.AddXY(11, 21);
    EXPECT_EQ(plot.YAxis()->Tracked.size(), 1u);
    // Markers of half-size 3 reach 3 pixels either side: 0.3 X units at 10 pixels per unit.
    channel.SetMarkersVisible(true);
    channel.AddXY(12, 22);
    ASSERT_EQ(plot.XAxis()->Tracked.size(), 4u);
    EXPECT_DOUBLE_EQ(plot.XAxis()->Tracked[2], 12.3);
    EXPECT_DOUBLE_EQ(plot.XAxis()->Tracked[3], 11.7);
    channel.AddXNull(13);
    EXPECT_EQ(plot.XAxis()->Tracked.back(), 13);
}

TEST_F(PlotChannelCustomTest, MarkerExtentErrors) {
    channel.AddXNull(1);
    ExpectError([&] { channel.GetDataXDrawMax(0); }, "Data Point Null");
    channel.AddXY(2, 3);
    channel.SetMarkersVisible(true);
    channel.SetXAxisName("nothing");
    channel.SetYAxisName("nothing");
    ExpectError([&] { channel.GetDataXDrawMin(1); }, "X-Axis not assigned");
    ExpectError([&] { channel.GetDataYDrawMax(1); }, "Y-Axis not assigned");
    // Without axes the point is stored and nothing is tracked.
    EXPECT_EQ(channel.AddXY(4, 5), 2);
}

TEST_F(PlotChannelCustomTest, DataStyleChangeDiscardsPointsAndWhatWasKnownOfThem) {
    channel.SetColor(clBlue);
    channel.SetRingBufferSize(500);
    for (int i = 0; i < 1000; ++i)
        channel.AddXY(i, i);
    Draw();
    EXPECT_NE(channel.StartIndex(), -1);
    channel.SetDataStyle(ipdsCompact);
    EXPECT_EQ(channel.GetCount(), 0);
    EXPECT_EQ(channel.RingBufferSize(), 0);
    EXPECT_EQ(channel.Color(), clBlue);
    EXPECT_EQ(channel.GetDataPointSize(), 8);
    EXPECT_EQ(channel.Statistics().Count, 0);
    EXPECT_EQ(channel.Statistics().YMax, -1e300);
    EXPECT_EQ(channel.StartIndex(), -1);
    EXPECT_EQ(channel.StopIndex(), -1);
    channel.AddXY(1, 1);
    EXPECT_EQ(channel.GetCapacity(), 4);
}

TEST_F(PlotChannelCustomTest, HostileSettingsAreBoundedOrRefused) {
    channel.SetTraceLineWidth(-5);
    EXPECT_EQ(channel.TraceLineWidth(), 0);
    channel.SetTraceLineWidth(1 << 30);
    EXPECT_EQ(channel.TraceLineWidth(), TiPlotChannelCustom::MaxLineWidth);
    channel.SetMarkersSize(-1);
    EXPECT_EQ(channel.MarkersSize(), 0);
    channel.SetMarkersSize(1 << 30);
    EXPECT_EQ(channel.MarkersSize(), TiPlotChannelCustom::MaxMarkersSize);
    channel.SetMarkersTurnOffLimit(-3);
    EXPECT_EQ(channel.MarkersTurnOffLimit(), 0);
    channel.SetLogBufferSize(-1);
    EXPECT_EQ(channel.LogBufferSize(), 0);
    channel.SetRingBufferSize(-10);
    EXPECT_EQ(channel.RingBufferSize(), 0);
    channel.SetTraceLineStyle(TiPlotLineStyle(99));
    channel.SetMarkersStyle(TiPlotMarkerStyle(99));
    channel.SetDataStyle(TiPlotDataStyle(99));
    channel.SetMarkersPenStyle(TPenStyle(99));
    EXPECT_EQ(channel.TraceLineStyle(), iplsSolid);
    EXPECT_EQ(channel.MarkersStyle(), ipmsCircle);
    EXPECT_EQ(channel.DataStyle(), ipdsStandard);
    EXPECT_EQ(channel.MarkersPenStyle(), psSolid);
    channel.SetFillReference(NaN);
    channel.SetBarWidth(-Inf);
    channel.SetHighLowBarWidth(Inf);
    EXPECT_EQ(channel.FillReference(), 0);
    EXPECT_EQ(channel.BarWidth(), 0);
    EXPECT_EQ(channel.HighLowBarWidth(), TiPlotChannel::MaxWidth);
    EXPECT_TRUE(channel.setProperty("InterpolationStyle", 77));
    EXPECT_EQ(channel.InterpolationStyle(), TiPlotChannel::ipistStraightLine);
}

TEST_F(PlotChannelCustomTest, ValueTextsComeFromTheAxesOrSayTheyAreMissing) {
    EXPECT_EQ(channel.GetXValueText(1.5), "c1.5");
    EXPECT_EQ(channel.GetYValueText(2), "c2");
    channel.SetXAxisName("none");
    EXPECT_EQ(channel.GetXValueText(1.5), "No X-Axis");
    int x = 1, y = 1;
    channel.GetPointPixels(1, 1, x, y);
    EXPECT_EQ(TPoint(x, y), TPoint(0, 0));
}

TEST_F(PlotChannelCustomTest, AxisLinksFollowRenameAndDropOnRemoval) {
    plot.XAxis()->SetName("Time");
    EXPECT_EQ(channel.XAxisName(), "Time");
    plot.Plot.Master->Delete(TiPlotObjectKind::YAxis, 0);
    EXPECT_EQ(channel.YAxis(), nullptr);
    channel.AddXY(1, 2);
    EXPECT_FALSE(channel.AxesValid());
}

TEST_F(PlotChannelCustomTest, SegmentsAreClippedToTheAxes) {
    plot.XAxis()->Set(0, 5, 0, 1000, true);
    plot.YAxis()->Set(-1, 2, 0, 500, false);
    channel.DrawLine(canvas, false, -10, 0, 10, 0);
    channel.DrawLine(canvas, false, 1, 3, 4, 5);
    channel.DrawLine(canvas, true, 0, -1, 5, 1);
    channel.DrawLine(canvas, false, 1, NaN, 2, 0);
    ASSERT_EQ(Lines().size(), 2u);
    EXPECT_EQ(Lines()[0], (std::vector<TPoint>{{0, 250}, {1000, 250}}));
    EXPECT_EQ(Lines()[1], (std::vector<TPoint>{{500, 0}, {0, 1000}}));
}

TEST_F(PlotChannelCustomTest, PlainTraceBreaksAtNullAndBridgesEmpty) {
    channel.SetFastDrawEnabled(false);
    channel.AddXY(10, 10);
    channel.AddXEmpty(20);
    channel.AddXY(30, 30);
    channel.AddXNull(40);
    channel.AddXY(50, 50);
    channel.AddXY(NaN, 50);
    channel.AddXY(70, 70);
    Draw();
    EXPECT_EQ(Lines(), (std::vector<std::vector<TPoint>>{{{100, 450}, {300, 350}}}));
    EXPECT_EQ(canvas.RecordsOf(Op::Polyline)[0].PenWidth, 0);
}

TEST_F(PlotChannelCustomTest, DrawingStopsAtTheVisibleRangeAndSkipsAnUnknownOne) {
    channel.SetFastDrawEnabled(false);
    channel.SetMarkersVisible(true);
    for (int i = 0; i < 20; ++i)
        channel.AddXY(i * 10, 50);
    plot.XAxis()->Set(0, 40, 0, 1000, true);
    Draw();
    EXPECT_EQ(channel.StopIndex(), 4);
    EXPECT_EQ(Lines().size(), 4u);
    EXPECT_EQ(canvas.Count(Op::Ellipse), 5);
    channel.Clear();
    canvas.Clear();
    channel.Draw(canvas, clBlack);
    EXPECT_TRUE(canvas.Records().empty());
}

TEST_F(PlotChannelCustomTest, MarkersTurnOffAboveTheLimit) {
    channel.SetMarkersVisible(true);
    channel.SetMarkersTurnOffLimit(100);
    for (int i = 0; i < 101; ++i)
        channel.AddXY(i * 0.5, 50);
    Draw();
    EXPECT_EQ(canvas.Count(Op::Ellipse), 101);
    channel.AddXY(50.5, 50);
    Draw();
    EXPECT_EQ(canvas.Count(Op::Ellipse), 0);
}

TEST_F(PlotChannelCustomTest, MarkerShapes) {
    channel.SetMarkersVisible(true);
    channel.SetMarkersSize(4);
    const auto shape = [&](TiPlotMarkerStyle style) {
        canvas.Clear();
        channel.SetMarkersStyle(style);
        channel.DrawMarker(canvas, 0, {100, 50});
        return canvas.Records();
    };
    channel.AddXY(1, 1);
    EXPECT_EQ(shape(ipmsCircle)[0].Rect, TRect(96, 46, 104, 54));
    EXPECT_EQ(shape(ipmsSquare)[0].Operation, Op::Rectangle);
    EXPECT_EQ(shape(ipmsDiamond)[0].Points,
              (std::vector<TPoint>{{104, 50}, {100, 54}, {96, 50}, {100, 46}}));
    EXPECT_EQ(shape(ipmsTriangleUp)[0].Points,
              (std::vector<TPoint>{{96, 54}, {100, 50}, {104, 54}}));
    EXPECT_EQ(shape(ipmsTriangleDown)[0].Points,
              (std::vector<TPoint>{{96, 46}, {100, 50}, {104, 46}}));
    EXPECT_EQ(shape(ipmsTriangleLeft)[0].Points,
              (std::vector<TPoint>{{104, 46}, {100, 50}, {104, 54}}));
    EXPECT_EQ(shape(ipmsTriangleRight)[0].Points,
              (std::vector<TPoint>{{96, 46}, {100, 50}, {96, 54}}));
    EXPECT_EQ(shape(ipmsCross).size(), 2u);
    EXPECT_EQ(shape(ipmsPlus)[1].Points, (std::vector<TPoint>{{104, 50}, {96, 50}}));
    EXPECT_EQ(shape(ipmsVerticalLine)[0].Points, (std::vector<TPoint>{{100, 46}, {100, 54}}));
    EXPECT_EQ(shape(ipmsHorizontalLine)[0].Points, (std::vector<TPoint>{{96, 50}, {104, 50}}));
    EXPECT_TRUE(shape(ipmsCharacter).empty());
    channel.SetDataStyle(ipdsFullFeature);
    channel.AddXY(1, 1);
    channel.SetDataMarkerCharacter(0, 'A');
    const std::vector<TCanvasRecord> text = shape(ipmsCharacter);
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0].Text, "A");
    EXPECT_EQ(text[0].BrushStyle, bsClear);
}

TEST_F(PlotChannelCustomTest, LegendSampleIsAtMostSixAndUsesTheChannelColour) {
    channel.SetMarkersVisible(true);
    channel.SetMarkersSize(10);
    channel.SetColor(clLime);
    channel.DrawMarker(canvas, -1, {50, 50});
    ASSERT_EQ(canvas.Records().size(), 1u);
    EXPECT_EQ(canvas.Records()[0].Rect, TRect(44, 44, 56, 56));
    EXPECT_EQ(canvas.Records()[0].PenColor, clLime);
    EXPECT_EQ(canvas.Records()[0].BrushColor, clLime);
}

} // namespace
