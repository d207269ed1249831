#include "PlotComponentTestSupport.h"
#include "platform/Bitmap.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotDataView.h"

#include <QMap>
#include <gtest/gtest.h>

// The strip chart lays itself out once per change: painting and hit-testing read one layout,
// kept until the control's size or a change notice makes it stale.
class PlotFrameLayout : public testing::Test {
protected:
    void SetUp() override {
        plot.resize(800, 400);
        plot.OnXAxisCustomizeLabel = [this](int, double value, QString&) { ++customized[value]; };
    }
    void Paint() { plot.iPaintTo(canvas); }
    int Customizations() const {
        int total = 0;
        for (int count : customized)
            total += count;
        return total;
    }
    TiPlotAxis* XAxis() { return plot.GetXAxis(0); }

    TestStripPlot plot;
    TRecordingCanvas canvas{{800, 400}};
    QMap<double, int> customized;
};

TEST_F(PlotFrameLayout, UnchangedRepaintLaysNothingOutAndMakesNoLabel) {
    Paint();
    const uint64_t serial = plot.ScreenLayout().Serial;
    const int made = Customizations();
    ASSERT_GT(made, 0);
    const std::vector<TiPlotTick> ticks = XAxis()->Ticks();
    Paint();
    Paint();
    EXPECT_EQ(plot.ScreenLayout().Serial, serial);
    EXPECT_EQ(Customizations(), made);
    EXPECT_EQ(XAxis()->Ticks().size(), ticks.size());
}

// The data cursor reads its value out before the layout begins; the tick labels are the
// layout's own.
TEST_F(PlotFrameLayout, EachTickLabelIsCustomizedOncePerLayoutAndAChangeLaysOutAgain) {
    const auto expectEachTickOnce = [this] {
        int labelled = 0;
        for (const TiPlotTick& tick : XAxis()->Ticks()) {
            if (tick.Style != PlotTickMajor) continue;
            ++labelled;
            EXPECT_EQ(customized.value(tick.Position), 1) << "label of " << tick.Position;
        }
        EXPECT_GT(labelled, 5);
    };
    Paint();
    expectEachTickOnce();
    const uint64_t serial = plot.ScreenLayout().Serial;
    customized.clear();
    XAxis()->SetMin(3);
    Paint();
    EXPECT_GT(plot.ScreenLayout().Serial, serial);
    expectEachTickOnce();
}

TEST_F(PlotFrameLayout, ARangeThatKeepsTheBandsSettlesInOnePass) {
    Paint();
    EXPECT_EQ(plot.ScreenLayout().Passes, 2);
    XAxis()->SetMin(1);
    Paint();
    EXPECT_EQ(plot.ScreenLayout().Passes, 1);
    // A new size moves the data view, whose axes then measure again where they now lie.
    plot.resize(600, 300);
    Paint();
    EXPECT_EQ(plot.ScreenLayout().Passes, 2);
}

TEST_F(PlotFrameLayout, HitTestRightAfterAResizeFindsTheAxisAtItsNewPlace) {
    TestStripPlot reference;
    reference.resize(1000, 600);
    reference.PaintToBitmap();
    const TRect expected = reference.GetXAxis(0)->HitRect();
    Paint();
    const TRect before = XAxis()->HitRect();
    ASSERT_NE(before, expected);
    plot.resize(1000, 600);
    const TPoint at{(expected.Left + expected.Right) / 2, (expected.Top + expected.Bottom) / 2};
    ASSERT_FALSE(before.Contains(at));
    plot.iMouseDown(mbLeft, {}, at.X, at.Y);
    EXPECT_EQ(plot.PressedObject(), XAxis());
    EXPECT_EQ(XAxis()->HitRect(), expected);
    plot.iMouseUp(mbLeft, {}, at.X, at.Y);
}

TEST_F(PlotFrameLayout, ExportLaysOutForItsCanvasAndLeavesTheScreenLayoutAlone) {
    Paint();
    const uint64_t serial = plot.ScreenLayout().Serial;
    const TRect hit = XAxis()->HitRect();
    const TRect view = plot.GetDataView(0)->DrawRect();
    const int made = Customizations();
    // The bitmap measures its fonts unlike the recording canvas, so its layout differs.
    plot.PaintToBitmap();
    EXPECT_GT(Customizations(), made);
    EXPECT_EQ(plot.ScreenLayout().Serial, serial);
    EXPECT_EQ(XAxis()->HitRect(), hit);
    EXPECT_EQ(plot.GetDataView(0)->DrawRect(), view);
    Paint();
    EXPECT_EQ(plot.ScreenLayout().Serial, serial);
}

TEST_F(PlotFrameLayout, MeasuringGrowsTheShownLabelLengthNotThePublishedOne) {
    XAxis()->SetLabelsMinLength(1);
    XAxis()->SetLabelsMinLengthAutoAdjust(true);
    XAxis()->SetMinSpan(123456.5, 0.25);
    Paint();
    EXPECT_EQ(XAxis()->LabelsMinLength(), 1);
    EXPECT_GT(XAxis()->LabelsMinLengthShown(), 1);
    XAxis()->SetLabelsMinLength(2);
    EXPECT_EQ(XAxis()->LabelsMinLengthShown(), 2);
}
