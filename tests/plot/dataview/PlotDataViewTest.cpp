#include "../axis/PlotAxisTestPlot.h"
#include "platform/PropertyDefaults.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotToolBar.h"

#include <QMenu>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

using K = TiPlotObjectKind;
using Op = TCanvasOperation;

struct Segment {
    TPoint From, To;
    TColor Color;
    int Width;
    friend bool operator==(const Segment&, const Segment&) = default;
};

std::vector<Segment> Lines(const TRecordingCanvas& canvas) {
    std::vector<Segment> lines;
    for (const TCanvasRecord& r : canvas.RecordsOf(Op::LineTo))
        lines.push_back({r.Points[0], r.Points[1], r.PenColor, r.PenWidth});
    return lines;
}

} // namespace

class PlotDataView : public testing::Test {
protected:
    PlotDataView() {
        view.SetDrawRect({100, 20, 500, 220});
        Place(*plot.X(), {100, 300, 500, 340});
        Place(*plot.Y(), {10, 20, 80, 220});
    }

    void Place(TiPlotAxis& axis, const TRect& rect) {
        axis.SetDrawRect(rect);
        axis.GetRequiredWidth(plot.Canvas);
        axis.CalcTicks(plot.Canvas);
    }

    void Press(int X, int Y) { view.iMouseDown(mbLeft, {}, X, Y, X, Y, nullptr); }
    void Move(int X, int Y, bool DblClick = false) {
        TiHintData hint;
        view.iMouseMove(hint, {}, X, Y, X, Y, DblClick);
    }
    void Release(int X, int Y, bool DblClick = false) {
        view.iMouseUp(mbLeft, {}, X, Y, X, Y, DblClick);
    }

    // Axes first, so that the view's grid names them.
    TiPlotDataView& AddView() {
        plot.AddX();
        plot.AddY();
        return *qobject_cast<TiPlotDataView*>(
            plot.Master->Get(K::DataView, plot.Master->Add(K::DataView)));
    }

    TestAxisPlot plot;
    TiPlotDataView& view = AddView();
    // Toolbar 0, whose buttons set the view's mode.
    TiPlotToolBar& toolBar =
        *qobject_cast<TiPlotToolBar*>(plot.Master->Get(K::ToolBar, plot.Master->Add(K::ToolBar)));
    TiPlotAxis& x = *plot.X();
    TiPlotAxis& y = *plot.Y();
};

TEST_F(PlotDataView, NewViewNamesTheFirstAxesAndStoresItsGridWidths) {
    EXPECT_EQ(view.Name(), "Data View 1");
    EXPECT_EQ(view.GridXAxisName(), "X-Axis 1");
    EXPECT_EQ(view.GridYAxisName(), "Y-Axis 1");
    EXPECT_TRUE(view.BackgroundTransparent());
    EXPECT_EQ(view.BackgroundColor(), TColor(0x808000));
    EXPECT_EQ(view.GridLineColor(), TColor(0x008000));
    EXPECT_FALSE(view.GridLineShowXMinors());
    EXPECT_EQ(view.AxesControlMouseStyle(), TiPlotDataView::ipacsBoth);
    EXPECT_EQ(view.AxesControlWheelStyle(), TiPlotDataView::ipacsXAxis);
    // Widths start at 0 against a declared 1, so a stored description always holds them.
    EXPECT_EQ(view.GridLineXMajorWidth(), 0);
    EXPECT_FALSE(PropertyDefaults::IsDefault(&view, "GridLineYMinorWidth"));
    EXPECT_TRUE(PropertyDefaults::IsDefault(&view, "GridLineShowXMajors"));
}

TEST_F(PlotDataView, SettersBoundWidthsRefuseUnknownStylesAndAxesControlNotifiesNobody) {
    const int changes = plot.Host.Changes;
    view.SetAxesControlEnabled(true);
    view.SetAxesControlMouseStyle(TiPlotDataView::ipacsXAxis);
    view.SetAxesControlWheelStyle(TiPlotDataView::TiPlotAxesControlStyle(9));
    EXPECT_EQ(plot.Host.Changes, changes);
    EXPECT_EQ(view.AxesControlWheelStyle(), TiPlotDataView::ipacsXAxis);
    view.SetGridLineXMajorWidth(-4);
    EXPECT_EQ(view.GridLineXMajorWidth(), 0);
    view.SetGridLineYMajorWidth(1 << 30);
    EXPECT_EQ(view.GridLineYMajorWidth(), TiPlotDataView::MaxGridLineWidth);
    view.SetGridLineMinorStyle(TiPlotGridLineStyle(7));
    EXPECT_EQ(view.GridLineMinorStyle(), ipglsSolid);
    view.SetGridShow(false);
    EXPECT_GT(plot.Host.Changes, changes);
}

TEST_F(PlotDataView, PercentConversionsRoundHalvesToEvenAndZeroSizeGivesZero) {
    EXPECT_DOUBLE_EQ(view.PixelsXToPositionPercent(300), 50);
    EXPECT_DOUBLE_EQ(view.PixelsXToPositionPercent(100), 0);
    EXPECT_DOUBLE_EQ(view.PixelsYToPositionPercent(220), 0);
    EXPECT_DOUBLE_EQ(view.PixelsYToPositionPercent(70), 75);
    EXPECT_EQ(view.PositionPercentToPixelsX(25), 200);
    EXPECT_EQ(view.PositionPercentToPixelsY(25), 170);
    view.SetDrawRect({0, 0, 5, 5});
    EXPECT_EQ(view.PositionPercentToPixelsX(50), 2); // 2.5
    EXPECT_EQ(view.PositionPercentToPixelsX(70), 4); // 3.5
    EXPECT_EQ(view.PositionPercentToPixelsY(50), 2);
    EXPECT_EQ(view.PositionPercentToPixelsY(1e308), -MaxPixelExtent);
    EXPECT_EQ(view.PositionPercentToPixelsX(std::numeric_limits<double>::infinity()),
              MaxPixelExtent);

    // Before the first layout, or on a collapsed plot.
    for (const TRect& collapsed : {TRect{40, 40, 40, 90}, TRect{40, 40, 90, 40}}) {
        view.SetDrawRect(collapsed);
        for (int pixel : {0, 40, 90}) {
            const double xPercent = view.PixelsXToPositionPercent(pixel);
            const double yPercent = view.PixelsYToPositionPercent(pixel);
            EXPECT_FALSE(std::isnan(xPercent) || std::isnan(yPercent));
            if (collapsed.Width() == 0) {
                EXPECT_EQ(xPercent, 0);
            }
            if (collapsed.Height() == 0) {
                EXPECT_EQ(yPercent, 0);
            }
        }
    }
    view.SetDrawRect({40, 40, 40, 40});
    EXPECT_EQ(view.PixelsXToPositionPercent(41), 0);
    EXPECT_EQ(view.PixelsYToPositionPercent(41), 0);
    EXPECT_EQ(view.PositionPercentToPixelsX(1e308), 40);
}

TEST_F(PlotDataView, ModeComesFromTheToolBarThenFromAxesControl) {
    EXPECT_EQ(view.GetMode(), TiPlotDataView::ipdvmNone);
    view.SetAxesControlEnabled(true);
    EXPECT_EQ(view.GetMode(), TiPlotDataView::ipdvmScrollZoom);
    EXPECT_EQ(view.GetMousePointer({}), Qt::PointingHandCursor);
    toolBar.DoButtonClickZoomBox();
    EXPECT_EQ(view.GetMode(), TiPlotDataView::ipdvmZoomBox);
    EXPECT_EQ(view.GetMousePointer({}), Qt::DragMoveCursor);
    toolBar.DoButtonClickSelect();
    EXPECT_EQ(view.GetMode(), TiPlotDataView::ipdvmSelect);
    EXPECT_EQ(view.GetMousePointer({}), Qt::ArrowCursor);
}

TEST_F(PlotDataView, BackgroundOnlyWhenOpaqueAndGridBorderAtTheEdges) {
    view.DrawBackground(plot.Canvas);
    EXPECT_TRUE(plot.Canvas.RecordsOf(Op::FillRect).empty());
    view.SetBackgroundTransparent(false);
    view.DrawBackground(plot.Canvas);
    const auto fills = plot.Canvas.RecordsOf(Op::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].Rect, (TRect{100, 20, 500, 220}));
    EXPECT_EQ(fills[0].BrushColor, TColor(0x808000));

    view.SetGridLineShowXMajors(false);
    view.SetGridLineShowYMajors(false);
    view.SetGridLineShowTop(false);
    view.Draw(plot.Canvas, clBlack);
    const TColor green = 0x008000;
    EXPECT_EQ(Lines(plot.Canvas), (std::vector<Segment>{{{100, 20}, {100, 220}, green, 0},
                                                        {{500, 20}, {500, 220}, green, 0},
                                                        {{100, 220}, {501, 220}, green, 0}}));

    // Without the grid, neither lines nor border; the background still.
    plot.Canvas.Clear();
    view.SetGridShow(false);
    view.DrawBackground(plot.Canvas);
    view.Draw(plot.Canvas, clBlack);
    EXPECT_TRUE(Lines(plot.Canvas).empty());
    EXPECT_EQ(plot.Canvas.RecordsOf(Op::FillRect).size(), 1u);
}

TEST_F(PlotDataView, GridFollowsTheNamedAxisOrEveryAxisWithOnePixelOrCustomPens) {
    const auto verticals = [&] {
        int count = 0;
        for (const Segment& s : Lines(plot.Canvas))
            count += s.From.X == s.To.X && s.From.X > 100 && s.From.X < 500;
        return count;
    };
    view.Draw(plot.Canvas, clBlack);
    const int ticks = verticals();
    ASSERT_GT(ticks, 0);
    for (const Segment& s : Lines(plot.Canvas))
        EXPECT_EQ(s.Width, 0);

    // A second X axis over another range: "<all>" in any case draws both grids.
    plot.AddX();
    Place(*plot.X(1), {100, 340, 500, 380});
    plot.X(1)->SetMinSpan(3, 7);
    plot.X(1)->CalcTicks(plot.Canvas);
    view.SetGridXAxisName("<all>");
    plot.Canvas.Clear();
    view.Draw(plot.Canvas, clBlack);
    EXPECT_GT(verticals(), ticks);

    // A name no axis has: no X grid, the border still.
    view.SetGridXAxisName("Time");
    plot.Canvas.Clear();
    view.Draw(plot.Canvas, clBlack);
    EXPECT_EQ(verticals(), 0);
    const auto lines = Lines(plot.Canvas);
    EXPECT_NE(std::find(lines.begin(), lines.end(), Segment{{100, 20}, {100, 220}, 0x008000, 0}),
              lines.end());

    view.SetGridXAxisName("X-Axis 1");
    view.SetGridLineXMajorCustom(true);
    view.SetGridLineXMajorColor(clRed);
    view.SetGridLineXMajorWidth(3);
    view.SetGridLineXMajorStyle(ipglsDot);
    plot.Canvas.Clear();
    view.Draw(plot.Canvas, clBlack);
    const auto records = plot.Canvas.RecordsOf(Op::LineTo);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.front().PenColor, clRed);
    EXPECT_EQ(records.front().PenWidth, 3);
    EXPECT_EQ(records.front().PenStyle, psDot);
}

TEST_F(PlotDataView, SelectionFrameHidesTheBorderUnderAFocusRectangle) {
    view.SetUserSelected(true);
    plot.Canvas.Clear();
    view.Draw(plot.Canvas, clNavy);
    const auto lines = Lines(plot.Canvas);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines.back(), (Segment{{100, 220}, {501, 220}, clNavy, 0}));
    const auto focus = plot.Canvas.RecordsOf(Op::DrawFocusRect);
    ASSERT_EQ(focus.size(), 1u);
    EXPECT_EQ(focus[0].Rect, (TRect{100, 20, 501, 221}));

    // Another object chosen: the view lets go.
    x.SetUserSelected(true);
    EXPECT_FALSE(view.UserSelected());
}

TEST_F(PlotDataView, ZoomBoxDraggedDownRightZoomsEveryAxisAndClicks) {
    toolBar.DoButtonClickZoomBox();
    Press(200, 70);
    EXPECT_EQ(plot.Host.DisableAllTrackingCalls, 1);
    Move(300, 120);
    plot.Canvas.Clear();
    view.Draw(plot.Canvas, clBlack);
    const auto focus = plot.Canvas.RecordsOf(Op::DrawFocusRect);
    ASSERT_EQ(focus.size(), 1u);
    EXPECT_EQ(focus[0].Rect, (TRect{200, 70, 300, 120}));
    EXPECT_EQ(focus[0].FontColor, clWhite);
    Release(300, 120);
    ASSERT_EQ(plot.Host.ZoomBoxes.size(), 1u);
    EXPECT_EQ(plot.Host.ZoomBoxes[0], (TRect{200, 70, 300, 120}));
    EXPECT_DOUBLE_EQ(x.Min(), 25);
    EXPECT_DOUBLE_EQ(x.Span(), 25);
    EXPECT_DOUBLE_EQ(y.Min(), 50);
    EXPECT_DOUBLE_EQ(y.Span(), 25);
    EXPECT_EQ(plot.Host.Events.back(), "Click Data View 1");
    // The box is gone once released.
    plot.Canvas.Clear();
    view.Draw(plot.Canvas, clBlack);
    EXPECT_TRUE(plot.Canvas.RecordsOf(Op::DrawFocusRect).empty());
}

TEST_F(PlotDataView, ZoomBoxDraggedAnyOtherWayOrAfterADoubleClickZoomsNothing) {
    toolBar.DoButtonClickZoomBox();
    for (const TPoint& to : {TPoint{200, 120}, TPoint{300, 70}, TPoint{150, 40}}) {
        Press(250, 100);
        Move(to.X, to.Y);
        Release(to.X, to.Y);
    }
    Press(200, 70);
    Move(300, 120);
    Release(300, 120, true);
    EXPECT_TRUE(plot.Host.ZoomBoxes.empty());
    EXPECT_EQ(x.Min(), 0);
    EXPECT_EQ(x.Span(), 100);
    // Tracking paused at each press and stays so.
    EXPECT_EQ(plot.Host.DisableAllTrackingCalls, 4);

    // A release outside the view is no click.
    plot.Host.Events.clear();
    Press(200, 70);
    Release(600, 300);
    EXPECT_TRUE(plot.Host.Events.empty());
}

TEST_F(PlotDataView, BeforeZoomBoxMayChangeOrCancelTheBox) {
    plot.Host.OnBeforeZoomBox = [](TRect& rect, bool& cancel) {
        cancel = rect.Left == 0;
        // Handed back inverted: put right, not a reversed range.
        rect = {300, 120, 200, 70};
    };
    view.DoZoom({100, 20, 500, 220});
    EXPECT_DOUBLE_EQ(x.Min(), 25);
    EXPECT_DOUBLE_EQ(x.Span(), 25);
    EXPECT_DOUBLE_EQ(y.Min(), 50);

    view.DoZoom({0, 20, 500, 220});
    EXPECT_DOUBLE_EQ(x.Min(), 25);

    // An empty box zooms no axis at all.
    plot.Host.OnBeforeZoomBox = [](TRect& rect, bool&) { rect = {200, 70, 300, 70}; };
    view.DoZoom({100, 20, 500, 220});
    EXPECT_DOUBLE_EQ(x.Min(), 25);
    EXPECT_DOUBLE_EQ(x.Span(), 25);
}

TEST_F(PlotDataView, ShiftedDragDecidesItsAxesOnceForTheWholeDrag) {
    view.SetAxesControlEnabled(true);
    view.SetShiftState(ssShift);
    Press(300, 120);
    Move(305, 120);                   // 5 pixels sideways: X axes only from now on
    EXPECT_DOUBLE_EQ(x.Min(), -1.25); // 5 of 400 pixels: the range follows the pointer
    Move(305, 160);
    EXPECT_EQ(y.Min(), 0);
    const double xMin = x.Min();
    Move(345, 200);
    EXPECT_LT(x.Min(), xMin);
    EXPECT_EQ(y.Min(), 0);
    Release(345, 200);
    EXPECT_EQ(plot.Host.Events.back(), "Click Data View 1");

    // Without Shift, both kinds follow.
    view.SetShiftState({});
    Press(300, 120);
    Move(300, 100);
    EXPECT_LT(y.Min(), 0);
    Release(300, 100);

    // The X style moves X axes only, Shift the Y axes only.
    view.SetAxesControlMouseStyle(TiPlotDataView::ipacsXAxis);
    const double yMin = y.Min();
    Press(300, 120);
    Move(300, 80);
    EXPECT_EQ(y.Min(), yMin);
    view.SetShiftState(ssShift);
    Move(300, 40);
    EXPECT_LT(y.Min(), yMin);
    Release(300, 40);
}

TEST_F(PlotDataView, WheelIsHandledOnlyWhileScrollingAndZoomingTheChosenAxes) {
    EXPECT_FALSE(view.iMouseWheel(120, {}, {300, 120}));
    view.SetAxesControlEnabled(true);
    EXPECT_TRUE(view.iMouseWheel(120, {}, {300, 120}));
    EXPECT_DOUBLE_EQ(x.Min(), 5); // a notch scrolls a twentieth of the span
    EXPECT_EQ(y.Min(), 0);
    // Ctrl turns the axes' scroll into a zoom.
    EXPECT_TRUE(view.iMouseWheel(120, ssCtrl, {300, 120}));
    EXPECT_DOUBLE_EQ(x.Span(), 100 / std::pow(10.0, 0.025));
    const double xMin = x.Min();
    EXPECT_TRUE(view.iMouseWheel(120, ssShift, {300, 120}));
    EXPECT_EQ(x.Min(), xMin);
    EXPECT_NE(y.Min(), 0);
    view.SetAxesControlWheelStyle(TiPlotDataView::ipacsBoth);
    const double yMin = y.Min();
    view.iMouseWheel(-120, {}, {300, 120});
    EXPECT_NE(x.Min(), xMin);
    EXPECT_NE(y.Min(), yMin);
}

TEST_F(PlotDataView, GridAxesFollowRenamesAndRemovals) {
    EXPECT_EQ(view.XAxisNeeded(), &x);
    x.SetName("Time");
    EXPECT_EQ(view.GridXAxisName(), "Time");
    plot.Master->Delete(K::YAxis, 0);
    EXPECT_EQ(view.YAxisNeeded(), nullptr);
    EXPECT_EQ(view.GridYAxisName(), "Y-Axis 1");
    view.Draw(plot.Canvas, clBlack);
    plot.AddY();
    EXPECT_NE(view.YAxisNeeded(), nullptr);
}

TEST_F(PlotDataView, DeletedFromItsOwnClickAndMenuHasEdit) {
    view.SetAxesControlEnabled(true);
    plot.Host.OnClickAction = [this](TiPlotObject* object) {
        plot.Master->Delete(K::DataView, plot.Master->GetManager(K::DataView)->GetIndex(object));
    };
    Press(300, 120);
    Move(310, 120);
    Release(310, 120);
    EXPECT_EQ(plot.Master->Count(K::DataView), 0);

    plot.Master->Add(K::DataView);
    auto* fresh = plot.Master->Get(K::DataView, 0);
    fresh->iMouseDown(mbRight, {}, 0, 0, 0, 0, plot.Host.PopupMenu());
    ASSERT_EQ(plot.Host.PopupMenu()->actions().size(), 1);
    EXPECT_EQ(plot.Host.PopupMenu()->actions()[0]->text(), "Edit...");
}

TEST_F(PlotDataView, TurnedPlotDecidesAShiftedDragAlongTheAxesDirections) {
    plot.Master->SetXYAxesReverse(true);
    Place(x, {10, 20, 80, 220});
    Place(y, {100, 300, 500, 340});
    view.SetAxesControlEnabled(true);
    view.SetShiftState(ssShift);
    Press(300, 120);
    Move(300, 125); // along the X axes, which now run vertically
    Move(340, 125);
    EXPECT_NE(x.Min(), 0);
    EXPECT_EQ(y.Min(), 0);
    Release(340, 125);
}
