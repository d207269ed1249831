#include "plot/iPlotAxisRange.h"
#include "platform/Rounding.h"
#include "plot/iPlotAxisInput.h"
#include "plot/iPlotAxisMap.h"
#include "tests/instruments/framework/RaisedMessage.h"

#include "instruments/framework/iControlEvents.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

// A range of 0..100 that logs every event it fires.
class TiPlotAxisRangeTest : public testing::Test {
protected:
    TiPlotAxisRangeTest() {
        range.OnChange = [this] { ++changes; };
        range.OnMinChange = [this](double o, double n) { minEvents.push_back({o, n}); };
        range.OnSpanChange = [this](double o, double n) { spanEvents.push_back({o, n}); };
        range.OnMinSpanChange = [this](double om, double os, double nm, double ns) {
            minSpanEvents.push_back({om, os, nm, ns});
        };
    }

    TiPlotAxisRange range;
    int changes = 0;
    std::vector<std::vector<double>> minEvents, spanEvents, minSpanEvents;
};

TEST_F(TiPlotAxisRangeTest, EndsAreClampedAndNotANumberGoesToTheTopLimit) {
    range.SetSpan(0);
    EXPECT_EQ(range.Span(), 1e-300);
    range.SetSpan(-5);
    EXPECT_EQ(range.Span(), 1e-300);
    range.SetSpan(NaN);
    EXPECT_EQ(range.Span(), 1e300);
    range.SetSpan(Inf);
    EXPECT_EQ(range.Span(), 1e300);
    range.SetMin(-Inf);
    EXPECT_EQ(range.Min(), -1e300);
    range.SetMin(NaN);
    EXPECT_EQ(range.Min(), 1e300);
    EXPECT_TRUE(std::isfinite(range.Max()));
}

TEST_F(TiPlotAxisRangeTest, EachEndFiresItsEventAndTheCombinedOneUnlessSetTogether) {
    range.SetMin(10);
    range.SetMin(10);
    range.SetSpan(50);
    EXPECT_EQ(minEvents, (std::vector<std::vector<double>>{{0, 10}}));
    EXPECT_EQ(spanEvents, (std::vector<std::vector<double>>{{100, 50}}));
    EXPECT_EQ(minSpanEvents,
              (std::vector<std::vector<double>>{{0, 100, 10, 100}, {10, 100, 10, 50}}));
    minSpanEvents.clear();
    range.SetMinSpan(20, 50);
    range.SetMinSpan(20, 50);
    EXPECT_EQ(minSpanEvents, (std::vector<std::vector<double>>{{10, 50, 20, 50}}));
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(range.Max(), 70);
}

TEST_F(TiPlotAxisRangeTest, LogScaleCorrectsANonPositiveMinWhetherTurnedOrSet) {
    range.SetScaleType(ipstLog10);
    EXPECT_EQ(range.Min(), 1);
    EXPECT_TRUE(minEvents.empty());
    range.SetMin(-5);
    EXPECT_EQ(range.Min(), 1);
    range.SetMin(10);
    range.SetMin(0);
    EXPECT_EQ(range.Min(), 1);
    // One wheel notch used to send a log axis with Min 0 to 1e300.
    range.ZoomPercentByReference(0.05);
    EXPECT_NEAR(range.Min(), std::pow(10, 0.05), 1e-12);
    EXPECT_LT(range.Max(), 200);
}

TEST_F(TiPlotAxisRangeTest, ScrollMovesByAFractionWithinTheScrollLimits) {
    range.ScrollPercentByReference(0.5);
    EXPECT_EQ(range.Min(), 50);
    EXPECT_EQ(range.Span(), 100);
    range.SetScrollMinMaxEnabled(true);
    range.SetScrollMin(-20);
    range.SetScrollMax(200);
    range.ScrollPercentByReference(-1);
    EXPECT_EQ(range.Min(), -20);
    range.ScrollPercentByReference(2);
    EXPECT_EQ(range.Min(), 100);
}

TEST_F(TiPlotAxisRangeTest, LogScrollAndZoomWorkInDecades) {
    range.SetScaleType(ipstLog10);
    range.SetMinSpan(1, 99);
    range.ScrollPercentByReference(0.5);
    EXPECT_NEAR(range.Min(), 10, 1e-9);
    EXPECT_NEAR(range.Max(), 1000, 1e-9);
    range.Zoom(1);
    EXPECT_NEAR(range.Min(), 1, 1e-9);
    EXPECT_NEAR(range.Span(), 9900, 1e-9);
}

TEST_F(TiPlotAxisRangeTest, LinearZoomKeepsTheCentreAndRefusesNonPositiveFactors) {
    range.ZoomPercentByReference(std::log10(2.0));
    EXPECT_DOUBLE_EQ(range.Min(), 25);
    EXPECT_DOUBLE_EQ(range.Span(), 50);
    range.Zoom(4);
    EXPECT_DOUBLE_EQ(range.Min(), -50);
    EXPECT_DOUBLE_EQ(range.Span(), 200);
    for (double factor : {0.0, -1.0, NaN})
        EXPECT_EQ(RaisedMessage([&] { range.Zoom(factor); }),
                  "Linear Scale Zoom Factor must be Greater than Zero");
    EXPECT_DOUBLE_EQ(range.Span(), 200);
}

TEST_F(TiPlotAxisRangeTest, FitTakesFoundAndDifferingExtentsOnly) {
    TiPlotAxisExtents extents;
    range.FitToExtents(extents);
    extents.Include(1e300, -1e300);
    extents.Include(NaN, NaN);
    range.FitToExtents(extents);
    EXPECT_EQ(range.Span(), 100);
    extents.Include(5, 5);
    range.FitToExtents(extents);
    EXPECT_EQ(range.Min(), 0);
    extents.Include(-3, 2);
    range.FitToExtents(extents);
    EXPECT_EQ(range.Min(), -3);
    EXPECT_EQ(range.Max(), 5);
}

// A horizontal scale from pixel 100 to 300 and a vertical one from 50 down to 250.
class TiPlotAxisMapTest : public testing::Test {
protected:
    TiPlotAxisMap Horizontal() const { return TiPlotAxisMap(range, {100, 300, true}); }
    TiPlotAxisMap Vertical() const { return TiPlotAxisMap(range, {50, 250, false}); }
    TiPlotAxisRange range;
};

TEST_F(TiPlotAxisMapTest, LinearValuesRunLeftToRightAndBottomToTop) {
    const TiPlotAxisMap h = Horizontal();
    EXPECT_EQ(h.PositionToPixels(0), 100);
    EXPECT_EQ(h.PositionToPixels(25), 150);
    EXPECT_EQ(h.GetMaxPixels(), 300);
    EXPECT_EQ(h.PixelsToPosition(150), 25);
    EXPECT_EQ(h.WidthToPixels(10), 20);
    EXPECT_EQ(h.GetSpanLength(), 200);
    const TiPlotAxisMap v = Vertical();
    EXPECT_EQ(v.PositionToPixels(0), 250);
    EXPECT_EQ(v.PositionToPixels(25), 200);
    EXPECT_EQ(v.PixelsToPosition(200), 25);
    EXPECT_EQ(v.PixelsToPositionDouble(249), 0.5);
}

TEST_F(TiPlotAxisMapTest, ReversedScaleExchangesThePixelEnds) {
    range.SetReverseScale(true);
    EXPECT_EQ(Horizontal().PositionToPixels(25), 250);
    EXPECT_EQ(Horizontal().PixelsToPosition(250), 25);
    EXPECT_EQ(Vertical().PositionToPixels(25), 100);
    EXPECT_EQ(Vertical().PixelsToPosition(100), 25);
}

TEST_F(TiPlotAxisMapTest, PixelsAreClampedAndHostileValuesFinish) {
    const TiPlotAxisMap h = Horizontal();
    EXPECT_EQ(h.PositionToPixels(1e12), 32000);
    EXPECT_EQ(h.PositionToPixels(-Inf), -32000);
    EXPECT_EQ(h.PositionToPixels(Inf), 32000);
    EXPECT_EQ(h.PositionToPixels(NaN), 100);
    range.SetSpan(1e-300);
    EXPECT_EQ(Horizontal().PositionToPixels(50), 200);
    range.SetMinSpan(-1e300, 1e300);
    EXPECT_EQ(Horizontal().PositionToPixels(1e308), 32000);
    EXPECT_EQ(TiPlotAxisMap(range, {100, 100, true}).PositionToPixels(5), 100);
    EXPECT_EQ(TiPlotAxisMap(range, {100, 100, true}).PixelsToPosition(5), -1e300);
}

TEST_F(TiPlotAxisMapTest, LinearPixelsRoundHalvesToEvenAsThePlatformRounds) {
    // 2 pixels per unit: value v lies 2v pixels from the start, halves included.
    for (double v : {0.25, 0.75, 1.25, -0.25, -0.75, 1.7499999999999998, 3.7500000000000004, 0.0,
                     -0.0, 49.75}) {
        EXPECT_EQ(Horizontal().PositionToPixels(v), 100 + Round64(2 * v)) << v;
        EXPECT_EQ(Vertical().PositionToPixels(v), 250 - Round64(2 * v)) << v;
    }
}

TEST_F(TiPlotAxisMapTest, LogValuesAreSpacedByDecades) {
    range.SetScaleType(ipstLog10);
    range.SetMinSpan(1, 999);
    const TiPlotAxisMap h = TiPlotAxisMap(range, {0, 300, true});
    EXPECT_EQ(h.PositionToPixels(10), 100);
    EXPECT_EQ(h.PositionToPixels(100), 200);
    EXPECT_EQ(h.PositionToPixels(-5), 0);
    EXPECT_EQ(TiPlotAxisMap(range, {0, 3000, true}).PositionToPixels(1e200), 32000);
    EXPECT_NEAR(h.PixelsToPosition(200), 100, 1e-9);
}

TEST_F(TiPlotAxisMapTest, LogScaleOfNoDecadeMapsToTheMiddle) {
    range.SetScaleType(ipstLog10);
    range.SetMinSpan(1e300, 1e-300);
    // The log span is 0 here; the edge of the control was the answer before.
    EXPECT_EQ(Horizontal().PositionToPixels(1e300), 200);
}

TEST_F(TiPlotAxisMapTest, ValuesOnTheEndsAreOnTheScaleAndOnePixelBeyondIsNot) {
    const TiPlotAxisMap h = Horizontal();
    EXPECT_TRUE(h.PointOnScale(0));
    EXPECT_TRUE(h.PointOnScale(100));
    EXPECT_FALSE(h.PointOnScale(100.5 + 0.1));
    EXPECT_FALSE(h.PointOnScale(-0.6));
}

TEST_F(TiPlotAxisMapTest, ZoomBoxEndsBecomeTheRange) {
    EXPECT_EQ(Horizontal().RangeOfRect({150, 0, 200, 10}), std::make_pair(25.0, 50.0));
    EXPECT_EQ(Vertical().RangeOfRect({0, 150, 10, 200}), std::make_pair(25.0, 50.0));
    range.SetReverseScale(true);
    EXPECT_EQ(Horizontal().RangeOfRect({150, 0, 200, 10}), std::make_pair(50.0, 75.0));
    ZoomPlotAxisToRect(range, Horizontal(), {150, 0, 200, 10});
    EXPECT_EQ(range.Min(), 50);
    EXPECT_EQ(range.Span(), 25);
    ZoomPlotAxisToRect(range, Horizontal(), {150, 0, 150, 10});
    EXPECT_EQ(range.Span(), 25);
}

TEST(PlotAxisInput, DragsScrollAgainstThePointerAndZoomByAQuarterOrTwiceOnLog) {
    EXPECT_EQ(PlotAxisDragDelta({10, 10}, {30, 0}, true, false), 20);
    EXPECT_EQ(PlotAxisDragDelta({10, 10}, {30, 0}, false, false), 10);
    EXPECT_EQ(PlotAxisDragDelta({10, 10}, {30, 0}, true, true), -20);
    using enum TiPlotAxisAction;
    EXPECT_EQ(PlotAxisDragStep(20, 200, Scroll, false), (TiPlotAxisStep{Scroll, -0.1}));
    EXPECT_EQ(PlotAxisDragStep(20, 200, Zoom, false), (TiPlotAxisStep{Zoom, 0.025}));
    EXPECT_EQ(PlotAxisDragStep(20, 200, Zoom, true), (TiPlotAxisStep{Zoom, 0.2}));
    // A scale of no length used to divide by zero and throw the range to its limits.
    EXPECT_EQ(PlotAxisDragStep(20, 0, Zoom, false), std::nullopt);
}

TEST(PlotAxisInput, WheelAndKeysStepByTheirTable) {
    using enum TiPlotAxisAction;
    EXPECT_EQ(PlotAxisWheelStep(0, Scroll, false), std::nullopt);
    EXPECT_EQ(PlotAxisWheelStep(-360, Scroll, false), (TiPlotAxisStep{Scroll, -0.05}));
    EXPECT_EQ(PlotAxisWheelStep(120, Zoom, false), (TiPlotAxisStep{Zoom, 0.025}));
    EXPECT_EQ(PlotAxisWheelStep(120, Zoom, true), (TiPlotAxisStep{Zoom, 0.05}));
    EXPECT_EQ(PlotAxisKeyStep(VK_PRIOR, Scroll), (TiPlotAxisStep{Scroll, 1}));
    EXPECT_EQ(PlotAxisKeyStep(VK_HOME, Zoom), (TiPlotAxisStep{Zoom, -1}));
    EXPECT_EQ(PlotAxisKeyStep(VK_RIGHT, Scroll), (TiPlotAxisStep{Scroll, 0.01}));
    EXPECT_EQ(PlotAxisKeyStep(VK_DOWN, Scroll), (TiPlotAxisStep{Scroll, -0.01}));
    EXPECT_EQ(PlotAxisKeyStep(VK_SPACE, Scroll), std::nullopt);
}

TEST(PlotAxisInput, WheelZoomNarrowsTheSpanPerNotchAroundTheCentreAndPageKeysScrollAWholeRange) {
    TiPlotAxisRange range;
    ApplyPlotAxisStep(range, *PlotAxisWheelStep(120, TiPlotAxisAction::Zoom, false));
    EXPECT_DOUBLE_EQ(range.Span(), 100 / std::pow(10, 0.025));
    EXPECT_DOUBLE_EQ(range.Min() + range.Span() / 2, 50);
    ApplyPlotAxisStep(range, *PlotAxisKeyStep(VK_PRIOR, TiPlotAxisAction::Scroll));
    EXPECT_DOUBLE_EQ(range.Min() + range.Span() / 2, 50 + range.Span());
}
