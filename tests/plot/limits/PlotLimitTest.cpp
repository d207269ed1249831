#include "../axis/PlotAxisTestPlot.h"
#include "../data/DataListTestSupport.h"
#include "instruments/framework/Igpfunctions.h"
#include "platform/PropertyDefaults.h"
#include "platform/StringList.h"
#include "plot/iPlotLimit.h"

#include <QMenu>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

using K = TiPlotObjectKind;
using Op = TCanvasOperation;

struct Segment {
    TPoint From, To;
    int Width;
    TPenStyle Style;
    friend bool operator==(const Segment&, const Segment&) = default;
};

std::vector<Segment> Lines(const TRecordingCanvas& canvas) {
    std::vector<Segment> lines;
    for (const TCanvasRecord& r : canvas.RecordsOf(Op::LineTo))
        lines.push_back({r.Points[0], r.Points[1], r.PenWidth, r.PenStyle});
    return lines;
}

// X 0..100 over pixels 100..500 (4 pixels a unit); Y 0..100 over pixels 220 (bottom) .. 20
// (top), half a unit a pixel.
class PlotLimit : public testing::Test {
protected:
    PlotLimit() {
        Place(x, {100, 300, 500, 340});
        Place(y, {10, 20, 80, 220});
        plot.Host.SelectModeActive = true;
    }

    void Place(TiPlotAxis& axis, const TRect& rect) {
        axis.SetDrawRect(rect);
        axis.GetRequiredWidth(plot.Canvas);
        axis.CalcTicks(plot.Canvas);
    }

    TiPlotLimit& AddLimit() {
        plot.AddX();
        plot.AddY();
        return *qobject_cast<TiPlotLimit*>(plot.Master->Get(K::Limit, plot.Master->Add(K::Limit)));
    }

    void Draw() {
        plot.Canvas.Clear();
        limit.Draw(plot.Canvas, clBlack);
    }
    bool Hits(int X, int Y) {
        TiPlotMouseData data;
        data.X = X;
        data.Y = Y;
        data.CalcAxisPixels(limit.XYAxesReversed());
        return limit.iMouseHitTest(data);
    }
    void Press(int X, int Y) { limit.iMouseDown(mbLeft, {}, X, Y, X, Y, nullptr); }
    void Move(int X, int Y) {
        TiHintData hint;
        limit.iMouseMove(hint, {}, X, Y, X, Y, false);
    }
    void Release(int X, int Y) { limit.iMouseUp(mbLeft, {}, X, Y, X, Y, false); }

    TestAxisPlot plot;
    TiPlotLimit& limit = AddLimit();
    TiPlotAxis& x = *plot.X();
    TiPlotAxis& y = *plot.Y();
};

TEST_F(PlotLimit, NewLimitIsARedLineAtFiftyOnTheFirstAxesAndStoresEveryProperty) {
    EXPECT_EQ(limit.Name(), "Limit 1");
    EXPECT_EQ(limit.XAxisName(), "X-Axis 1");
    EXPECT_EQ(limit.YAxisName(), "Y-Axis 1");
    EXPECT_EQ(limit.Style(), TiPlotLimit::iplsLineY);
    EXPECT_EQ(limit.Color(), clRed);
    EXPECT_EQ(limit.Line1Position(), 50);
    EXPECT_EQ(limit.Line2Position(), 50);
    EXPECT_EQ(limit.FillStyle(), bsSolid);
    EXPECT_FALSE(limit.UserCanMove());
    for (const char* path : {"Style", "Color", "Line1Position", "UserCanMove", "BandElements"})
        EXPECT_FALSE(PropertyDefaults::IsDefault(&limit, QString::fromLatin1(path))) << path;
    EXPECT_EQ(plot.Master->KindOf(&limit), K::Limit);
}

TEST_F(PlotLimit, LinesSpanTheOtherAxisAndAreGrabbedFiveEitherSide) {
    limit.SetLineWidth(3);
    limit.SetLineStyle(psDash);
    limit.SetLine1Position(25); // y = 170
    Draw();
    EXPECT_EQ(Lines(plot.Canvas), (std::vector<Segment>{{{100, 170}, {500, 170}, 3, psDash}}));
    EXPECT_EQ(plot.Canvas.RecordsOf(Op::LineTo)[0].PenColor, clRed);
    EXPECT_TRUE(Hits(300, 165));
    EXPECT_TRUE(Hits(300, 174));
    EXPECT_FALSE(Hits(300, 175));
    EXPECT_FALSE(Hits(300, 164));

    limit.SetStyle(TiPlotLimit::iplsLineX);
    Draw();
    EXPECT_EQ(Lines(plot.Canvas), (std::vector<Segment>{{{200, 220}, {200, 20}, 3, psDash}}));
    EXPECT_TRUE(Hits(195, 100));
    EXPECT_FALSE(Hits(205, 100));
    EXPECT_FALSE(limit.GetIsFillType());

    // Out of the axis's range: neither drawn nor grabbed.
    limit.SetLine1Position(100.5);
    Draw();
    EXPECT_TRUE(Lines(plot.Canvas).empty());
    EXPECT_FALSE(Hits(500, 100));
}

TEST_F(PlotLimit, WithTheXAxesVerticalAnXLineRunsAcross) {
    limit.SetStyle(TiPlotLimit::iplsLineX);
    limit.SetLine1Position(25);
    limit.SetXYAxesReversed(true);
    Draw();
    // The X axis's pixel 200 is now a row; the Y axis's run a span of columns.
    EXPECT_EQ(Lines(plot.Canvas), (std::vector<Segment>{{{220, 200}, {20, 200}, 0, psSolid}}));
    EXPECT_TRUE(Hits(100, 204));
    EXPECT_FALSE(Hits(100, 205));
}

TEST_F(PlotLimit, SolidBandIsOneOutlinedRectangleWhateverTheLineWidth) {
    limit.SetStyle(TiPlotLimit::iplsBandX);
    limit.SetLine1Position(75);  // x = 400
    limit.SetLine2Position(-10); // x = 60, outside the axis and still drawn
    limit.SetLineWidth(4);
    Draw();
    const auto rectangles = plot.Canvas.RecordsOf(Op::Rectangle);
    ASSERT_EQ(rectangles.size(), 1u);
    EXPECT_EQ(rectangles[0].Rect, (TRect{60, 20, 400, 220}));
    EXPECT_EQ(rectangles[0].PenWidth, 1);
    EXPECT_EQ(rectangles[0].BrushColor, clRed);
    EXPECT_EQ(rectangles[0].BrushStyle, bsSolid);
    EXPECT_TRUE(Lines(plot.Canvas).empty());
    EXPECT_TRUE(limit.GetIsFillType());
    EXPECT_TRUE(Hits(404, 50));
    EXPECT_TRUE(Hits(55, 50));
    EXPECT_FALSE(Hits(200, 50));
}

TEST_F(PlotLimit, ClearBandIsTwoEdgesOfLineWidthAndHatchedBandThinEdgesOverAFill) {
    limit.SetStyle(TiPlotLimit::iplsBandY);
    limit.SetLine1Position(25); // y = 170
    limit.SetLine2Position(75); // y = 70
    limit.SetLineWidth(4);
    limit.SetFillStyle(bsClear);
    Draw();
    EXPECT_FALSE(limit.GetIsFillType());
    EXPECT_EQ(plot.Canvas.Count(Op::Rectangle), 0);
    EXPECT_EQ(Lines(plot.Canvas), (std::vector<Segment>{{{100, 170}, {500, 170}, 4, psSolid},
                                                        {{100, 70}, {500, 70}, 4, psSolid}}));

    limit.SetFillStyle(bsDiagCross);
    Draw();
    EXPECT_TRUE(limit.GetIsFillType());
    const auto rectangles = plot.Canvas.RecordsOf(Op::Rectangle);
    ASSERT_EQ(rectangles.size(), 1u);
    EXPECT_EQ(rectangles[0].Rect, (TRect{100, 70, 500, 170}));
    EXPECT_EQ(rectangles[0].PenStyle, psClear);
    EXPECT_EQ(rectangles[0].BrushStyle, bsDiagCross);
    EXPECT_EQ(Lines(plot.Canvas), (std::vector<Segment>{{{100, 170}, {500, 170}, 1, psSolid},
                                                        {{100, 70}, {500, 70}, 1, psSolid}}));
}

TEST_F(PlotLimit, PolyBandDrawsUpToTheSegmentThatLeavesTheAxis) {
    limit.SetStyle(TiPlotLimit::iplsPolyBandX);
    limit.AddBandElement(-20, 20, 10); // both ends below: skipped
    limit.AddBandElement(-10, 20, 10);
    limit.AddBandElement(50, 30, 20);
    limit.AddBandElement(150, 40, 30); // beyond the maximum: its segment is still drawn
    limit.AddBandElement(160, 50, 40); // nothing from here
    Draw();
    const auto polygons = plot.Canvas.RecordsOf(Op::Polygon);
    ASSERT_EQ(polygons.size(), 2u);
    // A, C, D, B: upper and lower X bounds at each element's Y.
    EXPECT_EQ(polygons[0].Points,
              (std::vector<TPoint>{{180, 240}, {220, 120}, {180, 120}, {140, 240}}));
    EXPECT_EQ(polygons[1].Points,
              (std::vector<TPoint>{{220, 120}, {260, -80}, {220, -80}, {180, 120}}));
    EXPECT_EQ(polygons[0].PenColor, clRed);
    EXPECT_EQ(polygons[0].PenStyle, psSolid);
    EXPECT_TRUE(Lines(plot.Canvas).empty());
    // Poly bands have no grab rectangles.
    EXPECT_FALSE(Hits(200, 200));

    // Hatched: the polygon without outline, then the two bound edges.
    limit.SetFillStyle(bsHorizontal);
    Draw();
    EXPECT_EQ(plot.Canvas.RecordsOf(Op::Polygon)[0].PenStyle, psClear);
    EXPECT_EQ(Lines(plot.Canvas)[0], (Segment{{180, 240}, {220, 120}, 1, psSolid}));
    EXPECT_EQ(Lines(plot.Canvas)[1], (Segment{{140, 240}, {180, 120}, 1, psSolid}));
    EXPECT_EQ(Lines(plot.Canvas).size(), 4u);

    // A first element above the maximum draws nothing.
    limit.ClearAllElements();
    limit.AddBandElement(101, 20, 10);
    limit.AddBandElement(120, 20, 10);
    Draw();
    EXPECT_EQ(plot.Canvas.Count(Op::Polygon), 0);
}

TEST_F(PlotLimit, PolyBandYTakesItsPositionsOnTheXAxis) {
    limit.SetStyle(TiPlotLimit::iplsPolyBandY);
    limit.AddBandElement(0, 50, 0);
    limit.AddBandElement(25, 100, 50);
    Draw();
    const auto polygons = plot.Canvas.RecordsOf(Op::Polygon);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].Points,
              (std::vector<TPoint>{{100, 120}, {200, 20}, {200, 120}, {100, 220}}));
    EXPECT_TRUE(limit.GetIsFillType());
}

TEST_F(PlotLimit, BandElementsRefuseReversedAndNaNBounds) {
    ExpectError([&] { limit.AddBandElement(5, 1, 2); },
                "the Upper Limit must be greater than or equal to the Lower Limit");
    limit.AddBandElement(5, 2, 2);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    ExpectError([&] { limit.AddBandElement(6, nan, 2); },
                "the Upper Limit must be greater than or equal to the Lower Limit");
    ExpectError([&] { limit.AddBandElement(6, 3, nan); },
                "the Upper Limit must be greater than or equal to the Lower Limit");
    ExpectError([&] { limit.AddBandElement(nan, 3, 2); }, "the Position must be a number");
    EXPECT_EQ(limit.Elements().Count(), 1);
}

// A saved plot lost the poly band's elements, so a reloaded band drew nothing.
TEST_F(PlotLimit, BandElementsTravelWithTheLimitsStoredProperties) {
    limit.SetStyle(TiPlotLimit::iplsPolyBandX);
    limit.AddBandElement(0, 20, 10);
    limit.AddBandElement(1.0 / 3, 30, -2.5e-7);
    EXPECT_EQ(limit.BandElements(), "0,20,10;0.3333333333333333,30,-2.5E-7");

    TStringList lines;
    SaveObjectToStringList(&limit, QStringLiteral("Limit0"), lines);
    TiPlotLimit& copy =
        *qobject_cast<TiPlotLimit*>(plot.Master->Get(K::Limit, plot.Master->Add(K::Limit)));
    LoadObjectFromStringList(&copy, QStringLiteral("Limit0"), lines);
    ASSERT_EQ(copy.Elements().Count(), 2);
    EXPECT_EQ(copy.Elements().GetItem(1), (TiLimitDataRecord{1.0 / 3, 30, -2.5e-7}));
    EXPECT_EQ(copy.Style(), TiPlotLimit::iplsPolyBandX);

    // A text that does not read, or holds a refused element, changes nothing.
    for (const char* text : {"1,2", "1,2,x", "1,1,2", "1,2,3;", "NAN,1,0"})
        EXPECT_THROW(copy.SetBandElements(QString::fromLatin1(text)), Exception) << text;
    EXPECT_EQ(copy.Elements().Count(), 2);
    copy.SetBandElements(QString());
    EXPECT_EQ(copy.Elements().Count(), 0);
}

TEST_F(PlotLimit, DraggingTenPixelsAtHalfAUnitAPixelMovesFiveUnitsAndReportsEachMove) {
    limit.SetUserCanMove(true);
    limit.SetLine1Position(50); // y = 120
    Draw();
    plot.Host.Events.clear();
    const int repaints = plot.Host.ImmediateRepaints;
    Press(300, 122);
    EXPECT_GT(plot.Host.ImmediateRepaints, repaints);
    Move(300, 112);
    EXPECT_DOUBLE_EQ(limit.Line1Position(), 55);
    Move(300, 132);
    EXPECT_DOUBLE_EQ(limit.Line1Position(), 45);
    Release(300, 132);
    // Released away from where it was last drawn: no click.
    EXPECT_EQ(plot.Host.Events,
              (std::vector<QString>{"Line1 Limit 1 50 55", "Line1 Limit 1 55 45"}));

    Draw(); // y = 130
    Press(300, 133);
    Release(300, 133);
    EXPECT_EQ(plot.Host.Events.back(), "Click Limit 1");
}

TEST_F(PlotLimit, BandEdgesDragApartAndFollowTheModeAndUserCanMove) {
    limit.SetStyle(TiPlotLimit::iplsBandX);
    limit.SetLine1Position(25); // x = 200
    limit.SetLine2Position(50); // x = 300
    Draw();
    EXPECT_EQ(limit.GetMousePointer({300, 50}), Qt::ArrowCursor);
    Press(300, 50);
    Move(340, 50);
    EXPECT_EQ(limit.Line2Position(), 50);
    Release(340, 50);

    limit.SetUserCanMove(true);
    EXPECT_EQ(limit.GetMousePointer({300, 50}), Qt::SizeHorCursor);
    plot.Host.SelectModeActive = false;
    EXPECT_EQ(limit.GetMousePointer({300, 50}), Qt::ArrowCursor);
    Press(302, 50);
    Move(342, 50);
    EXPECT_EQ(limit.Line2Position(), 50);
    Release(342, 50);

    plot.Host.SelectModeActive = true;
    Press(302, 50);
    Move(342, 50);
    EXPECT_DOUBLE_EQ(limit.Line2Position(), 60);
    EXPECT_EQ(limit.Line1Position(), 25);
    Release(342, 50);
    EXPECT_EQ(plot.Host.Events.back(), "Line2 Limit 1 50 60");

    limit.SetXYAxesReversed(true);
    EXPECT_EQ(limit.GetMousePointer({}), Qt::SizeVerCursor);
    limit.SetStyle(TiPlotLimit::iplsLineY);
    Draw();
    EXPECT_EQ(limit.GetMousePointer({}), Qt::PointingHandCursor);
}

TEST_F(PlotLimit, WithTheXAxesVerticalAnXLineDragsDownTheScreen) {
    limit.SetStyle(TiPlotLimit::iplsLineX);
    limit.SetLine1Position(25); // the row 200
    limit.SetUserCanMove(true);
    limit.SetXYAxesReversed(true);
    Draw();
    EXPECT_EQ(limit.GetMousePointer({}), Qt::PointingHandCursor);
    Press(100, 202);
    Move(100, 242);
    EXPECT_DOUBLE_EQ(limit.Line1Position(), 35);
    Release(100, 242);
}

TEST_F(PlotLimit, PositionsStoreOnlyChangesAndRefuseNaN) {
    plot.Host.Events.clear();
    limit.SetLine1Position(50);
    limit.SetLine2Position(std::numeric_limits<double>::quiet_NaN());
    EXPECT_TRUE(plot.Host.Events.empty());
    EXPECT_EQ(limit.Line2Position(), 50);
    limit.SetLine2Position(-1e300);
    EXPECT_EQ(plot.Host.Events, (std::vector<QString>{"Line2 Limit 1 50 -1e+300"}));
    limit.SetLineWidth(-3);
    EXPECT_EQ(limit.LineWidth(), 0);
    limit.SetStyle(TiPlotLimitStyle(6));
    EXPECT_EQ(limit.Style(), TiPlotLimit::iplsLineY);
}

TEST_F(PlotLimit, HandlerDeletingTheLimitMidDragEndsTheDrag) {
    limit.SetUserCanMove(true);
    Draw();
    plot.Host.OnPositionChangeAction = [&](TiPlotObject*) {
        plot.Host.OnPositionChangeAction = nullptr;
        plot.Master->Delete(K::Limit, 0);
    };
    Press(300, 120);
    Move(300, 110);
    EXPECT_EQ(plot.Master->Count(K::Limit), 0);
}

TEST_F(PlotLimit, MissingAxisDrawsNothingAndRenamedAxisIsFollowed) {
    Draw();
    x.SetName(QStringLiteral("Time"));
    EXPECT_EQ(limit.XAxisName(), "Time");
    plot.Master->Delete(K::YAxis, 0);
    Draw();
    EXPECT_TRUE(Lines(plot.Canvas).empty());
    EXPECT_FALSE(Hits(300, 120));
    EXPECT_EQ(limit.YAxisName(), "Y-Axis 1");
}

TEST_F(PlotLimit, MenuOffersEditAndAnotherSelectionDeselects) {
    QMenu menu;
    menu.addAction(QStringLiteral("stale"));
    limit.AddMenuItems(&menu);
    ASSERT_EQ(menu.actions().size(), 1);
    EXPECT_EQ(menu.actions()[0]->text(), "Edit...");

    limit.SetUserSelected(true);
    x.SetUserSelected(true);
    EXPECT_FALSE(limit.UserSelected());
}

TEST(LimitDataList, GrowsByTheListRuleAndChecksIndexes) {
    TiLimitDataList list;
    std::vector<int> capacities;
    for (int i = 0; i < 30; ++i) {
        list.Add({double(i), 1, 0});
        if (capacities.empty() || capacities.back() != list.Capacity())
            capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44}));
    EXPECT_EQ(list.GetItem1(29), 29);
    list.SetItem1(29, -1);
    list.SetItem(0, {7, 8, 9});
    EXPECT_EQ(list.GetItem2(0), 8);
    EXPECT_EQ(list.GetItem3(0), 9);
    EXPECT_EQ(list.GetItem1(29), -1);
    ExpectError([&] { list.GetItem(30); }, "Index out of Bounds");
    ExpectError([&] { list.SetItem1(-1, 0); }, "Index out of Bounds");
    ExpectError([&] { list.SetCapacity(134217728); }, "Exceed Maximum List Size");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
}

} // namespace
