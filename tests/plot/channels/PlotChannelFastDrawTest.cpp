#include "ChannelTestAxis.h"

#include "platform/RecordingCanvas.h"
#include "plot/channels/iPlotChannelFastDraw.h"
#include "plot/channels/iPlotChannelPoints.h"

#include <gtest/gtest.h>
#include <random>

namespace {

struct Segment {
    double X1, Y1, X2, Y2;
    bool Vertical() const { return X1 == X2; }
    friend bool operator==(const Segment&, const Segment&) = default;
};

class FastDrawTest : public ::testing::Test {
protected:
    TiPlotFastDraw fast{[this](double x1, double y1, double x2, double y2) {
        segments.push_back({x1, y1, x2, y2});
    }};
    std::vector<Segment> segments;
};

TEST_F(FastDrawTest, ThousandPointsInTenColumnsGiveTenStrokesAndNineJoins) {
    for (int i = 0; i < 1000; ++i)
        fast.Add(i, (i * 37) % 101, false, false, i / 100);
    fast.Finish();
    const auto strokes = std::count_if(segments.begin(), segments.end(),
                                       [](const Segment& s) { return s.Vertical(); });
    EXPECT_EQ(strokes, 10);
    EXPECT_EQ(segments.size(), 19u);
    // Each column's stroke spans its extremes at the X of its first point; each join runs
    // from a column's last value to the next column's first.
    EXPECT_EQ(segments[0], (Segment{0, 0, 0, 100}));
    EXPECT_TRUE(std::find(segments.begin(), segments.end(),
                          Segment{0, (99 * 37) % 101, 100, (100 * 37) % 101}) != segments.end());
}

TEST_F(FastDrawTest, NullPointsBreakTheTraceAndEmptyPointsAreBridged) {
    fast.Add(0, 1, false, false, 0);
    fast.Add(1, 2, false, false, 1);
    fast.Add(2, 9, true, false, 2);
    fast.Add(3, 3, false, false, 3);
    fast.Add(4, 0, false, true, 4);
    fast.Add(5, 5, false, false, 5);
    fast.Add(6, 6, false, false, 6);
    fast.Add(7, std::nan(""), false, false, 7);
    fast.Add(8, 8, false, false, 8);
    fast.Finish();
    EXPECT_EQ(segments, (std::vector<Segment>{{0, 1, 1, 2}, {1, 2, 3, 3}, {5, 5, 6, 6}}));
}

TEST_F(FastDrawTest, SinglePointsAndFlatColumnsDrawNoStroke) {
    fast.Add(0, 1, false, false, 0);
    fast.Add(0.1, 1, false, false, 0);
    fast.Finish();
    EXPECT_TRUE(segments.empty());
}

class ChannelSearchTest : public ::testing::Test {
protected:
    void Fill(int count, double step = 1) {
        for (int i = 0; i < count; ++i)
            channel.AddXY(i * step, i);
    }
    std::pair<int, int> Range(double min, double max) {
        plot.XAxis()->Set(min, max - min, 0, 1000, true);
        channel.DrawSetup(canvas);
        return {channel.StartIndex(), channel.StopIndex()};
    }

    ChannelTestPlot plot;
    TiPlotChannel& channel = *plot.Channel;
    TRecordingCanvas canvas;
};

TEST_F(ChannelSearchTest, VisibleRangeIncludesTheNeighbourOutsideEachEnd) {
    Fill(10);
    EXPECT_EQ(Range(2.5, 6.5), std::make_pair(2, 7));
    EXPECT_EQ(Range(2, 6), std::make_pair(2, 6));
    EXPECT_EQ(Range(-50, -10), std::make_pair(0, 0));
    EXPECT_EQ(Range(20, 30), std::make_pair(9, 9));
}

TEST_F(ChannelSearchTest, TwoDescendingPointsAreSearchedAsDescending) {
    channel.AddXY(10, 1);
    channel.AddXY(0, 2);
    EXPECT_EQ(Range(2, 8), std::make_pair(0, 1));
    EXPECT_FALSE(channel.XIncreasing());
    double y = 0;
    EXPECT_EQ(channel.CalcIndex(5), 0);
    EXPECT_TRUE(channel.GetYInterpolated(5, y));
    EXPECT_DOUBLE_EQ(y, 1.5);
}

TEST_F(ChannelSearchTest, IntervalListFindsTheSameRangesAsTheSearch) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(-20, 1200);
    TiPlotChannel& other = *qobject_cast<TiPlotChannel*>(plot.Plot.Master->Get(
        TiPlotObjectKind::Channel, plot.Plot.Master->Add(TiPlotObjectKind::Channel)));
    other.SetDataStyle(ipdsCompactInterval);
    for (int i = 0; i < 1000; ++i) {
        channel.AddXY(i * 1.25 + 3, 0);
        other.AddXY(i * 1.25 + 3, 0);
    }
    for (int k = 0; k < 300; ++k) {
        double a = value(random), b = value(random);
        if (k % 10 == 0) a = std::floor(a / 1.25) * 1.25 + 3;
        const auto [start, stop] = Range(std::min(a, b), std::max(a, b) + 1);
        other.DrawSetup(canvas);
        EXPECT_EQ(other.StartIndex(), start) << a << " " << b;
        EXPECT_EQ(other.StopIndex(), stop) << a << " " << b;
    }
}

TEST_F(ChannelSearchTest, InterpolationNeverReportsMissingValues) {
    channel.AddXY(0, 0);
    channel.AddXY(1, 10);
    channel.AddXEmpty(2);
    channel.AddXY(3, 30);
    channel.AddXNull(4);
    channel.AddXY(5, 50);
    plot.XAxis()->Set(0, 10, 0, 1000, true);
    channel.DrawSetup(canvas);
    double y = -1;
    EXPECT_TRUE(channel.GetYInterpolated(0.5, y));
    EXPECT_DOUBLE_EQ(y, 5);
    EXPECT_TRUE(channel.GetYInterpolated(2, y));
    EXPECT_DOUBLE_EQ(y, 20);
    EXPECT_FALSE(channel.GetYInterpolated(4, y));
    EXPECT_EQ(y, 0);
    EXPECT_FALSE(channel.GetYInterpolated(4.5, y));
    EXPECT_FALSE(channel.GetYInterpolated(6, y));
    EXPECT_TRUE(channel.GetYInterpolated(5, y));
    EXPECT_EQ(y, 50);
    channel.SetDigitalEnabled(true);
    EXPECT_FALSE(channel.GetYInterpolated(0, y));
    EXPECT_TRUE(channel.GetYInterpolated(1, y));
    EXPECT_EQ(y, 0);
    EXPECT_FALSE(channel.GetYInterpolated(2.5, y));
}

TEST_F(ChannelSearchTest, FastTraceOfAChannelDrawsOneStrokePerColumn) {
    plot.XAxis()->Set(0, 10, 0, 10, true);
    plot.YAxis()->Set(0, 1000, 0, 1000, false);
    for (int i = 0; i < 1000; ++i)
        channel.AddXY(i / 100 + (i % 100) / 1000.0, (i * 37) % 101);
    channel.DrawSetup(canvas);
    channel.Draw(canvas, clBlack);
    EXPECT_EQ(canvas.Count(TCanvasOperation::Polyline), 19);
}

} // namespace
