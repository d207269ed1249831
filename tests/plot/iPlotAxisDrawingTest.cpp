#include "plot/iPlotAxisDrawing.h"
#include "plot/iPlotAxisText.h"

#include "platform/RecordingCanvas.h"

#include <climits>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

using Op = TCanvasOperation;
using Points = std::vector<TPoint>;

} // namespace

// On the recording canvas "0" is 7 pixels wide and 13 high. A horizontal axis of 0..10 in the
// draw rectangle (100, 300)-(500, 340).
class PlotAxisDrawing : public testing::Test {
protected:
    PlotAxisDrawing() {
        labelsFont.SetHeight(-11);
        titleFont.SetHeight(-13);
        settings.LabelsFont = &labelsFont;
        settings.TitleFont = &titleFont;
        range.SetSpan(10);
    }

    std::vector<TiPlotTick> Ticks(const TiPlotAxisScaleRects& rects) const {
        const TiPlotAxisMap map(range, PlotAxisRunOf(rects.ScaleRect, settings.Horizontal));
        const auto label = [this](double v) {
            return PlotAxisValueText(v, {}, range.Span(), false).Text;
        };
        return TiPlotAxisTicks::Compute(range, map,
                                        {.MaxLabelLengthPixels = 100, .LabelText = label})
            .Ticks;
    }
    std::vector<Points> Lines() const {
        std::vector<Points> lines;
        for (const TCanvasRecord& record : canvas.RecordsOf(Op::LineTo))
            lines.push_back(record.Points);
        return lines;
    }

    TRecordingCanvas canvas;
    TFont labelsFont;
    TFont titleFont;
    TiPlotAxisDrawSettings settings;
    TiPlotAxisRange range;
    const TRect draw{100, 300, 500, 340};
};

TEST_F(PlotAxisDrawing, StackedEndsArePulledInByHalfALabelAndTheMargin) {
    const TiPlotAxisScaleRects h = CalcPlotAxisScaleRects(canvas, settings, draw, true, true, 35);
    EXPECT_EQ(h.Side, iqsBottom);
    EXPECT_EQ(h.ScaleRect, (TRect{122, 300, 478, 340}));
    EXPECT_EQ(h.HitRect, (TRect{100, 302, 500, 338}));
    settings.Horizontal = false;
    settings.ReverseSide = true;
    const TiPlotAxisScaleRects v =
        CalcPlotAxisScaleRects(canvas, settings, {0, 50, 60, 250}, true, false, 35);
    EXPECT_EQ(v.Side, iqsRight);
    EXPECT_EQ(v.ScaleRect, (TRect{0, 50, 60, 241}));
    EXPECT_EQ(v.HitRect, (TRect{2, 41, 58, 250}));
    settings.Cartesian = true;
    settings.ReverseSide = false;
    EXPECT_EQ(CalcPlotAxisScaleRects(canvas, settings, {0, 50, 60, 250}, true, true, 35).ScaleRect,
              (TRect{0, 50, 60, 250}));
}

TEST_F(PlotAxisDrawing, WidthsCountTicksMarginsLabelsAndTitle) {
    settings.Horizontal = false;
    settings.TitleShow = true;
    settings.Title = "Volts";
    const TiPlotAxisWidths vertical = PlotAxisRequiredWidth(canvas, settings, 35, "0.0");
    EXPECT_EQ(vertical.LabelsZone, 7 + 5 + 3 + 35);
    EXPECT_EQ(vertical.RequiredWidth, 5 + 5 + 7 + 3 + 35 + 16);
    settings.Horizontal = true;
    settings.TitleShow = false;
    settings.LabelsVisible = false;
    EXPECT_EQ(PlotAxisRequiredWidth(canvas, settings, 35, "0.0").RequiredWidth, 5 + 5 + 7);
    EXPECT_EQ(PlotAxisRequiredLengthGuard(canvas, settings, 42), 0);
    settings.LabelsVisible = true;
    EXPECT_EQ(PlotAxisRequiredWidth(canvas, settings, 35, "0.0").RequiredWidth, 5 + 5 + 7 + 3 + 13);
    EXPECT_EQ(PlotAxisRequiredLengthGuard(canvas, settings, 42), 21);
    settings.Horizontal = false;
    EXPECT_EQ(PlotAxisRequiredLengthGuard(canvas, settings, 42), 6);
}

TEST_F(PlotAxisDrawing, LabelLengthIsTheWidestOfMinimumTypicalAndTickLabels) {
    std::vector<TiPlotTick> ticks{{PlotTickMajor, 1000, "1000.0", 0, true}};
    EXPECT_EQ(PlotAxisRequiredLabelLength(canvas, settings, "100.0", 5, {}), 35);
    EXPECT_EQ(PlotAxisRequiredLabelLength(canvas, settings, "100.0", 5, ticks), 42);
    EXPECT_EQ(PlotAxisRequiredLabelLength(canvas, settings, "100.0", 8, ticks), 56);
    EXPECT_EQ(AdjustedLabelsMinLength(5, true, "123456"), 6);
    EXPECT_EQ(AdjustedLabelsMinLength(5, false, "123456"), 5);
    EXPECT_EQ(PlotAxisMaxLabelLengthPixels(canvas, settings, 42), 42 + 21);
    settings.Horizontal = false;
    EXPECT_EQ(PlotAxisMaxLabelLengthPixels(canvas, settings, 42), 39);
    EXPECT_EQ(PlotAxisTextMinLength(canvas, &labelsFont, 5), 35);
}

TEST_F(PlotAxisDrawing, TypicalLabelValueIsGuardedAgainstTinySpans) {
    EXPECT_EQ(PlotAxisTypicalLabelValue(0, 10), 10);
    EXPECT_EQ(PlotAxisTypicalLabelValue(95, 10), 100);
    EXPECT_EQ(PlotAxisTypicalLabelValue(1e300, 1e-300), 1e300);
    EXPECT_EQ(PlotAxisTypicalLabelValue(7, 0), 7);
}

TEST_F(PlotAxisDrawing, BottomAxisDrawsLabelsScaleLineTicksAndTitle) {
    settings.TitleShow = true;
    settings.Title = "Time";
    const TiPlotAxisScaleRects rects =
        CalcPlotAxisScaleRects(canvas, settings, draw, false, false, 35);
    DrawPlotAxis(canvas, settings, rects, draw, {45, 28}, Ticks(rects), {}, false);
    const std::vector<Points> lines = Lines();
    ASSERT_EQ(lines.size(), 1u + 6 + 5);
    EXPECT_EQ(lines[0], (Points{{100, 305}, {501, 305}}));
    EXPECT_EQ(lines[1], (Points{{100, 305}, {100, 312}}));
    EXPECT_EQ(lines[2], (Points{{140, 305}, {140, 308}}));
    EXPECT_EQ(lines[3], (Points{{180, 305}, {180, 312}}));
    const std::vector<TCanvasRecord> texts = canvas.RecordsOf(Op::DrawText);
    ASSERT_EQ(texts.size(), 7u);
    EXPECT_EQ(texts[1].Rect, (TRect{170, 315, 191, 328}));
    EXPECT_EQ(texts[1].Lines, (std::vector<QString>{"2.0"}));
    EXPECT_EQ(texts[1].BrushStyle, bsClear);
    EXPECT_EQ(texts[6].Rect, (TRect{100, 322, 500, 335}));
    EXPECT_EQ(texts[6].Lines, (std::vector<QString>{"Time"}));
    EXPECT_EQ(canvas.RecordsOf(Op::LineTo)[0].PenColor, clWhite);
}

TEST_F(PlotAxisDrawing, LeftAxisPutsLabelsLeftOfTheTicksAndTurnsTheTitle) {
    settings.Horizontal = false;
    settings.TitleShow = true;
    settings.Title = "Volts";
    const TRect left{0, 0, 60, 400};
    const TiPlotAxisScaleRects rects =
        CalcPlotAxisScaleRects(canvas, settings, left, false, false, 35);
    DrawPlotAxis(canvas, settings, rects, left, {71, 50}, Ticks(rects), {}, false);
    const std::vector<Points> lines = Lines();
    EXPECT_EQ(lines[0], (Points{{55, 0}, {55, 401}}));
    EXPECT_EQ(lines[1], (Points{{55, 400}, {48, 400}}));
    const std::vector<TCanvasRecord> texts = canvas.RecordsOf(Op::DrawText);
    EXPECT_EQ(texts[0].Rect, (TRect{60 - 15 - 21, 394, 60 - 15, 407}));
    EXPECT_EQ(texts.back().FontOrientation, 900);
}

TEST_F(PlotAxisDrawing, CartesianAxisRegistersItsLinesAndDrawsOnlyAcceptedLabels) {
    settings.Cartesian = true;
    std::vector<TRect> added;
    int offered = 0;
    const TiPlotAxisCollisions collisions{[&](const TRect&) { return ++offered % 2 == 0; },
                                          [&](const TRect& r) { added.push_back(r); }};
    const TiPlotAxisScaleRects rects =
        CalcPlotAxisScaleRects(canvas, settings, draw, true, true, 35);
    EXPECT_EQ(PlotAxisScaleLineRect(settings, rects), (TRect{100, 300, 501, 301}));
    DrawPlotAxis(canvas, settings, rects, draw, {33, 28}, Ticks(rects), collisions, true);
    const TRect hit = PlotAxisHitRect(settings, rects, draw, {33, 28});
    EXPECT_EQ(offered, 6);
    EXPECT_EQ(canvas.Count(Op::DrawText), 3);
    ASSERT_EQ(added.size(), 6u + 5);
    EXPECT_EQ(added[0], (TRect{100, 296, 101, 305}));
    // Grabbed from half a major tick and 5 pixels above the line, as wide as required.
    EXPECT_EQ(hit, (TRect{100, 291, 500, 324}));
    ASSERT_EQ(canvas.Count(Op::DrawFocusRect), 1);
    EXPECT_EQ(canvas.RecordsOf(Op::DrawFocusRect)[0].Rect, (TRect{100, 291, 501, 325}));
}

TEST_F(PlotAxisDrawing, GridLinesCrossTheRectAtVisibleTicksOfTheShownKinds) {
    const std::vector<TiPlotTick> ticks{{PlotTickMajor, 0, "0", 120, true},
                                        {PlotTickMinor, 0, "", 130, true},
                                        {PlotTickMajor, 0, "9", 900, false}};
    DrawPlotAxisGridLines(canvas, {100, 0, 500, 200}, true, ticks, {true, ipglsDash, clRed, 2},
                          {false});
    ASSERT_EQ(Lines(), (std::vector<Points>{{{120, 0}, {120, 200}}}));
    EXPECT_EQ(canvas.RecordsOf(Op::LineTo)[0].PenStyle, psDash);
    EXPECT_EQ(canvas.RecordsOf(Op::LineTo)[0].PenWidth, 2);
    canvas.Clear();
    DrawPlotAxisGridLines(canvas, {100, 0, 500, 200}, false, ticks, {true}, {true, ipglsDot});
    EXPECT_EQ(Lines(), (std::vector<Points>{{{100, 120}, {500, 120}}, {{100, 130}, {500, 130}}}));
}

TEST_F(PlotAxisDrawing, ExtremeSettingsKeepEveryMeasureAndDrawingInPixelRange) {
    settings.InnerMargin = INT_MAX;
    settings.OuterMargin = INT_MAX;
    settings.MajorLength = INT_MAX;
    settings.MinorLength = INT_MIN;
    settings.LabelsMargin = 1e300;
    settings.TitleMargin = std::numeric_limits<double>::quiet_NaN();
    settings.StackingEndsMargin = -1e300;
    settings.LabelSeparation = 1e300;
    settings.TitleShow = true;
    settings.Title = "T";
    for (bool horizontal : {true, false}) {
        settings.Horizontal = horizontal;
        const TiPlotAxisScaleRects rects =
            CalcPlotAxisScaleRects(canvas, settings, draw, true, true, INT_MAX);
        const TiPlotAxisWidths widths = PlotAxisRequiredWidth(canvas, settings, INT_MAX, "0");
        EXPECT_LE(widths.RequiredWidth, 6 * MaxPixelExtent);
        EXPECT_LE(PlotAxisMaxLabelLengthPixels(canvas, settings, INT_MAX), MaxPixelExtent);
        DrawPlotAxis(canvas, settings, rects, draw, widths, Ticks(rects), {}, true);
    }
    EXPECT_LE(AdjustedLabelsMinLength(1e300, true, "x"), 1e300);
}
