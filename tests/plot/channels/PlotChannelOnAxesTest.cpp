// The plot's own channel class on the plot's own axes, as the master creates them by default.
#include "../objects/PlotTestHost.h"

#include "platform/RecordingCanvas.h"
#include "plot/channels/iPlotChannel.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotMasterManager.h"

#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <utility>

namespace {

using K = TiPlotObjectKind;
using Op = TCanvasOperation;
using Pixel = std::pair<int, int>;

class PlotChannelOnAxes : public testing::Test {
protected:
    PlotChannelOnAxes() {
        host.SetMasterManager(master.get());
        master->Add(K::XAxis);
        master->Add(K::YAxis);
        master->Add(K::Channel);
        Place(X(), {40, 480, 1040, 520});
        Place(Y(), {0, 0, 40, 480});
    }
    ~PlotChannelOnAxes() override { host.SetMasterManager(nullptr); }

    // The draw rectangle a layout pass would give, then the pass's measuring.
    void Place(TiPlotAxis& axis, const TRect& rect) {
        axis.SetDrawRect(rect);
        axis.GetRequiredWidth(canvas);
        axis.CalcTicks(canvas);
    }
    TiPlotAxis& X() const { return *qobject_cast<TiPlotAxis*>(master->Get(K::XAxis, 0)); }
    TiPlotAxis& Y() const { return *qobject_cast<TiPlotAxis*>(master->Get(K::YAxis, 0)); }
    TiPlotChannel* Channel() const {
        return qobject_cast<TiPlotChannel*>(master->Get(K::Channel, 0));
    }
    // Every vertex of the drawn trace.
    std::set<Pixel> DrawnVertices() {
        canvas.Clear();
        Channel()->DrawSetup(canvas);
        Channel()->Draw(canvas, clBlack);
        std::set<Pixel> vertices;
        for (const TCanvasRecord& record : canvas.RecordsOf(Op::Polyline))
            for (const TPoint& p : record.Points)
                vertices.insert({p.X, p.Y});
        return vertices;
    }
    Pixel PixelOf(double x, double y) const {
        return {X().PositionToPixels(x), Y().PositionToPixels(y)};
    }

    TestPlotHost host;
    std::unique_ptr<TiPlotMasterManager> master = std::make_unique<TiPlotMasterManager>(&host);
    TRecordingCanvas canvas;
};

} // namespace

TEST_F(PlotChannelOnAxes, AppendsScrollXTrackYAndZoomToFitReadsTheVisiblePoints) {
    ASSERT_NE(Channel(), nullptr);
    X().SetMinSpan(0, 50);
    for (int i = 0; i < 100; ++i)
        Channel()->AddXY(i, i);
    // Smooth scrolling keeps the span and ends at the newest X.
    EXPECT_DOUBLE_EQ(X().Min(), 49);
    EXPECT_DOUBLE_EQ(X().Span(), 50);
    EXPECT_LE(Y().Min(), 0);
    EXPECT_GE(Y().Max(), 99);

    // Only the points the X axis shows count, and reading them moves no visible index.
    const int start = Channel()->StartIndex();
    Y().ZoomToFit();
    EXPECT_DOUBLE_EQ(Y().Min(), 49);
    EXPECT_DOUBLE_EQ(Y().Span(), 50);
    EXPECT_EQ(Channel()->StartIndex(), start);
    X().ZoomToFit();
    EXPECT_DOUBLE_EQ(X().Min(), 0);
    EXPECT_DOUBLE_EQ(X().Span(), 99);

    // The cursor texts are the axes' own.
    EXPECT_EQ(Channel()->GetXValueText(12.5), X().GetCursorText(12.5));
    EXPECT_EQ(Channel()->GetYValueText(7), Y().GetCursorText(7));
}

TEST_F(PlotChannelOnAxes, TraceDrawnThroughTheAxesMapsAndBindingFollowsRenameAndDelete) {
    TiPlotChannel& channel = *Channel();
    channel.SetXAxisTrackingEnabled(false);
    channel.SetYAxisTrackingEnabled(false);
    X().SetMinSpan(0, 10);
    Y().SetMinSpan(0, 100);
    channel.AddXY(0, 10);
    channel.AddXY(5, 50);
    channel.AddXY(10, 90);
    ASSERT_LT(X().PositionToPixels(0), X().PositionToPixels(10));
    ASSERT_GT(Y().PositionToPixels(10), Y().PositionToPixels(90));
    const std::set<Pixel> trace{PixelOf(0, 10), PixelOf(5, 50), PixelOf(10, 90)};
    EXPECT_EQ(DrawnVertices(), trace);

    X().SetName("Time");
    Y().SetName("Volts");
    EXPECT_EQ(channel.XAxisName(), "Time");
    EXPECT_EQ(channel.YAxisName(), "Volts");
    EXPECT_EQ(DrawnVertices(), trace);
    Y().ZoomToFit();
    EXPECT_DOUBLE_EQ(Y().Min(), 10);

    master->Delete(K::YAxis, 0);
    EXPECT_EQ(channel.YAxisName(), "Volts");
    EXPECT_TRUE(DrawnVertices().empty());
    EXPECT_EQ(canvas.Count(Op::Ellipse), 0);
    // Without both axes the channel shows nothing, so the X axis finds nothing to fit.
    X().ZoomToFit();
    EXPECT_DOUBLE_EQ(X().Min(), 0);
    EXPECT_DOUBLE_EQ(X().Span(), 10);
    // The remaining axis still tracks: its first tracked value aligns its Min.
    channel.SetXAxisTrackingEnabled(true);
    channel.SetYAxisTrackingEnabled(true);
    channel.AddXY(12, 1);
    EXPECT_DOUBLE_EQ(X().Min(), 12);
}
