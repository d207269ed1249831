#include "GuardCatchWatch.h"
#include "PlotAxisTestPlot.h"

#include "platform/Exception.h"
#include "platform/PropertyDefaults.h"
#include "platform/PropertyWalker.h"
#include "plot/iPlotLayoutManager.h"

#include <QMenu>
#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

using K = TiPlotObjectKind;
using Op = TCanvasOperation;

QStringList Captions(QMenu& menu) {
    QStringList captions;
    for (QAction* action : menu.actions())
        captions << action->text();
    return captions;
}

QAction* Item(QMenu& menu, const QString& caption) {
    for (QAction* action : menu.actions())
        if (action->text() == caption) return action;
    return nullptr;
}

std::vector<QString> DrawnTexts(const TRecordingCanvas& canvas) {
    std::vector<QString> texts;
    for (const TCanvasRecord& record : canvas.RecordsOf(Op::DrawText))
        texts.push_back(record.Lines.empty() ? QString() : record.Lines.front());
    return texts;
}

} // namespace

class PlotAxisObject : public testing::Test {
protected:
    // The draw rectangle a layout pass would give, then the pass's measuring.
    void Place(TiPlotAxis& axis, const TRect& rect) {
        axis.SetDrawRect(rect);
        axis.GetRequiredWidth(plot.Canvas);
        axis.CalcTicks(plot.Canvas);
    }

    TestAxisPlot plot;
    const int added = (plot.AddX(), plot.AddY());
    TiPlotAxis& x = *plot.X();
    TiPlotAxis& y = *plot.Y();
};

TEST_F(PlotAxisObject, KindsDifferInOrientationTrackingAndReferences) {
    EXPECT_TRUE(x.Horizontal());
    EXPECT_EQ(x.TrackingStyle(), iptsScrollSmooth);
    EXPECT_EQ(x.TrackingAlignFirstStyle(), ipafsAuto);
    EXPECT_FALSE(y.Horizontal());
    EXPECT_EQ(y.TrackingStyle(), iptsScaleMinMax);
    EXPECT_EQ(y.TrackingAlignFirstStyle(), ipafsNone);
    EXPECT_EQ(x.Title(), "X-Axis 1");
    EXPECT_EQ(y.Title(), "Y-Axis 1");
    // Every stored property but the title holds its declared default on a new axis.
    for (TiPlotAxis* axis : {&x, &y})
        for (const PropertyDescriptor& property : PropertyWalker::StoredValues(axis))
            if (property.Path != "Title" && property.Path != "Name") {
                EXPECT_TRUE(PropertyDefaults::IsDefault(axis, property.Path))
                    << axis->Name().toStdString() << " " << property.Path.toStdString();
            }
    EXPECT_EQ(PropertyDefaults::ValuesToStore(&x).size(), 2); // Name and Title
}

TEST_F(PlotAxisObject, StripChartScrollsThroughTheObjectAndPauses) {
    x.SetSpan(10);
    int combined = 0;
    x.OnMinSpanChange = [&](QObject* sender, double, double, double, double) {
        EXPECT_EQ(sender, &x);
        ++combined;
    };
    for (int i = 0; i < 200; ++i)
        x.NewTrackingData(i * 0.05);
    EXPECT_EQ(x.Min(), 0);
    EXPECT_EQ(combined, 0);
    x.NewTrackingData(10.05);
    EXPECT_NEAR(x.Min(), 0.05, 1e-9);
    EXPECT_EQ(combined, 1);

    x.SetTrackingEnabled(false);
    x.NewTrackingData(20);
    EXPECT_NEAR(x.Min(), 0.05, 1e-9);
    x.ScrollPercentByReference(1);
    x.SetTrackingEnabled(true);
    EXPECT_NEAR(x.Min(), 0.05, 1e-9);
    x.NewTrackingData(20);
    EXPECT_DOUBLE_EQ(x.Min(), 10);
    EXPECT_DOUBLE_EQ(x.Max(), 20);
}

TEST_F(PlotAxisObject, ExpandCollapseFitsOncePerPaintToTheBoundChannels) {
    plot.AddChannel();
    plot.AddChannel();
    TestExtentChannel& bound = *plot.Channel(0);
    TestExtentChannel& other = *plot.Channel(1);
    bound.YAxisName = "y-axis 1"; // names compare without case
    bound.YExtents = {-3, 7};
    other.YAxisName = "Y-Axis 2";
    other.YExtents = {-100, 100};
    y.SetTrackingStyle(iptsExpandCollapse);
    y.SetDrawRect({0, 0, 40, 200});
    const int changes = plot.Host.Changes;
    for (int i = 0; i < 1000; ++i)
        y.NewTrackingData(i);
    EXPECT_EQ(bound.ExtentQueries, 0);
    EXPECT_GT(plot.Host.Changes, changes);
    EXPECT_EQ(y.Min(), 0);
    y.CalcTicks(plot.Canvas);
    EXPECT_EQ(bound.ExtentQueries, 1);
    EXPECT_EQ(y.Min(), -3);
    EXPECT_EQ(y.Span(), 10);

    // A range the application sets stands against a fit owed from before.
    y.NewTrackingData(5);
    y.SetMinSpan(0, 1);
    y.CalcTicks(plot.Canvas);
    EXPECT_EQ(y.Min(), 0);
    EXPECT_EQ(y.Span(), 1);

    y.ZoomToFit();
    EXPECT_EQ(y.Min(), -3);
    bound.YExtents = {};
    y.ZoomToFit();
    EXPECT_EQ(y.Min(), -3);
}

TEST_F(PlotAxisObject, DrawnHorizontalAxisOnTheRecordingCanvas) {
    x.SetSpan(10);
    Place(x, {100, 300, 500, 340});
    EXPECT_EQ(x.Side(), iqsBottom);
    EXPECT_EQ(x.PositionToPixels(0), 100);
    EXPECT_EQ(x.PositionToPixels(10), 500);
    EXPECT_EQ(x.PositionToPixels(1e12), 32000);
    x.Draw(plot.Canvas, clBlack);
    const std::vector<QString> labels = DrawnTexts(plot.Canvas);
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels.front(), "0.0");
    EXPECT_EQ(labels.back(), "10.0");
    // The scale line lies InnerMargin below the band's top, one pixel past the scale's end.
    const std::vector<TCanvasRecord> lines = plot.Canvas.RecordsOf(Op::LineTo);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().Points, (std::vector<TPoint>{{100, 305}, {501, 305}}));
    // The major tick at 4 runs from the scale line MajorLength down.
    EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                           [](const TCanvasRecord& r) {
                               return r.Points == std::vector<TPoint>{{260, 305}, {260, 312}};
                           }),
              lines.end());
    EXPECT_TRUE(plot.Canvas.RecordsOf(Op::DrawFocusRect).empty());

    // Grid lines across a data view at the visible majors only, when the axis allows them.
    plot.Canvas.Clear();
    const TiPlotGridLinePen minors{.Show = false};
    x.DrawGridLines(plot.Canvas, {100, 50, 500, 300}, {}, minors);
    const std::vector<TCanvasRecord> grid = plot.Canvas.RecordsOf(Op::LineTo);
    ASSERT_EQ(grid.size(), 6u);
    EXPECT_EQ(grid[2].Points, (std::vector<TPoint>{{260, 50}, {260, 300}}));
    plot.Canvas.Clear();
    x.SetGridLinesVisible(false);
    x.DrawGridLines(plot.Canvas, {100, 50, 500, 300}, {}, {});
    EXPECT_TRUE(plot.Canvas.RecordsOf(Op::LineTo).empty());
}

TEST_F(PlotAxisObject, DrawnVerticalAxisWithTitleAndCustomizedLabels) {
    y.SetMinSpan(-120, 240);
    y.SetTitleShow(true);
    y.OnCustomizeLabel = [](QObject*, double value, QString& text) {
        if (value == 0) text = "zero";
    };
    Place(y, {10, 20, 80, 220});
    EXPECT_EQ(y.Side(), iqsLeft);
    EXPECT_EQ(y.PositionToPixels(-120), 220);
    EXPECT_EQ(y.PositionToPixels(120), 20);
    y.Draw(plot.Canvas, clBlack);
    const std::vector<QString> labels = DrawnTexts(plot.Canvas);
    EXPECT_NE(std::find(labels.begin(), labels.end(), "zero"), labels.end());
    EXPECT_NE(std::find(labels.begin(), labels.end(), "100"), labels.end());
    const std::vector<TCanvasRecord> lines = plot.Canvas.RecordsOf(Op::LineTo);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().Points, (std::vector<TPoint>{{75, 20}, {75, 221}}));
    // Labels right-aligned left of the ticks: none reaches past the tick ends.
    for (const TCanvasRecord& label : plot.Canvas.RecordsOf(Op::DrawText))
        if (label.Lines != std::vector<QString>{"Y-Axis 1"}) {
            EXPECT_LE(label.Rect.Right, 80 - 5 - 7);
        }

    y.SetUserSelected(true);
    y.Draw(plot.Canvas, clBlack);
    EXPECT_EQ(plot.Canvas.RecordsOf(Op::DrawFocusRect).size(), 1u);
    y.SetVisible(false);
    const size_t before = plot.Canvas.RecordsOf(Op::LineTo).size();
    y.Draw(plot.Canvas, clBlack);
    EXPECT_EQ(plot.Canvas.RecordsOf(Op::LineTo).size(), before);
}

TEST_F(PlotAxisObject, LayoutNarrowsTheDataViewByTheAxesRequiredWidths) {
    plot.Host.Frame.Width = 600;
    plot.Host.Frame.Height = 400;
    TiPlotLayoutManager& layout = *plot.Master->GetLayoutManager();
    layout.CalcLayout(plot.Canvas);
    const TRect dv = layout.DataViewRect();
    const int xWidth = x.GetRequiredWidth(plot.Canvas);
    const int yWidth = y.GetRequiredWidth(plot.Canvas);
    EXPECT_GT(xWidth, 0);
    EXPECT_GT(yWidth, 0);
    EXPECT_EQ(x.DrawRect().Top, dv.Bottom);
    EXPECT_EQ(x.DrawRect().Bottom - x.DrawRect().Top, xWidth);
    EXPECT_EQ(y.DrawRect().Right, dv.Left);
    EXPECT_EQ(y.DrawRect().Right - y.DrawRect().Left, yWidth);
    EXPECT_EQ(x.ScaleRect().Left, dv.Left);
    EXPECT_EQ(y.ScaleRect().Bottom, dv.Bottom);

    // A title widens the Y axis's band by the title's height and margin.
    y.SetTitleShow(true);
    layout.CalcLayout(plot.Canvas);
    EXPECT_EQ(layout.DataViewRect().Left, dv.Left + 13 + 3);
}

TEST_F(PlotAxisObject, CartesianChildAxisCrossesAtItsReferenceValue) {
    TiPlotLayoutManager& layout = *plot.Master->GetLayoutManager();
    y.SetMinSpan(-1, 2);
    x.SetCartesianStyle(ipcsChild);
    x.SetCartesianChildRefAxisName("Y-Axis 1");
    std::vector<TRect> registered;
    int offered = 0;
    x.AxesCollisions.Add = [&](const TRect& rect) { registered.push_back(rect); };
    x.AxesCollisions.AcceptLabel = [&](const TRect&) { return ++offered % 2 == 0; };
    layout.CalcLayout(plot.Canvas);
    const TRect dv = layout.DataViewRect();
    EXPECT_EQ(x.DrawRect().Top, y.PositionToPixels(0));
    EXPECT_EQ(x.DrawRect().Left, dv.Left);
    EXPECT_EQ(x.Side(), iqsBottom);

    x.DrawSetup(plot.Canvas);
    ASSERT_EQ(registered.size(), 1u);
    EXPECT_EQ(registered[0].Bottom - registered[0].Top, 1);
    x.Draw(plot.Canvas, clBlack);
    // Every other label was refused a place; the ticks joined the collision list.
    EXPECT_GT(offered, 2);
    EXPECT_EQ(DrawnTexts(plot.Canvas).size(), size_t(offered / 2));
    EXPECT_GT(registered.size(), 1u);
    // Grabbed across its line.
    EXPECT_LT(x.HitRect().Top, x.DrawRect().Top);
}

TEST_F(PlotAxisObject, TurnedAxesMapAlongTheirNewDirection) {
    TiPlotLayoutManager& layout = *plot.Master->GetLayoutManager();
    plot.Master->SetXYAxesReverse(true);
    layout.CalcLayout(plot.Canvas);
    EXPECT_FALSE(x.GetIsHorz());
    EXPECT_EQ(x.Side(), iqsLeft);
    EXPECT_EQ(x.PositionToPixels(x.Min()), x.ScaleRect().Bottom);
    EXPECT_EQ(x.PositionToPixels(x.Max()), x.ScaleRect().Top);
    EXPECT_EQ(y.Side(), iqsBottom);
    EXPECT_EQ(y.PositionToPixels(y.Min()), y.ScaleRect().Left);
    EXPECT_EQ(y.GetMousePointer({}), Qt::PointingHandCursor);
    y.SetMode(TiPlotAxis::ModeZoom);
    EXPECT_EQ(y.GetMousePointer({}), Qt::SizeHorCursor);
}

TEST_F(PlotAxisObject, MenuOffersTrackingResumeValuesAndFit) {
    plot.Master->SetUserCanEditObjects(true);
    QMenu& menu = *plot.Host.PopupMenu();
    x.iMouseDown(mbRight, {}, 0, 0, 0, 0, &menu);
    EXPECT_EQ(Captions(menu),
              (QStringList{"Tracking Enabled", "Update Resume Values", "Zoom to Fit", "Edit..."}));
    EXPECT_TRUE(Item(menu, "Tracking Enabled")->isChecked());
    EXPECT_FALSE(Item(menu, "Update Resume Values")->isEnabled());
    Item(menu, "Tracking Enabled")->trigger();
    EXPECT_FALSE(x.TrackingEnabled());

    x.ScrollPercentByReference(0.5);
    x.AddMenuItems(&menu);
    EXPECT_FALSE(Item(menu, "Tracking Enabled")->isChecked());
    ASSERT_TRUE(Item(menu, "Update Resume Values")->isEnabled());
    Item(menu, "Update Resume Values")->trigger();
    EXPECT_EQ(x.TrackingEnabled(), false);
    x.SetTrackingEnabled(true);
    EXPECT_EQ(x.Min(), 50);

    plot.Host.CancelPopup = true;
    menu.clear();
    x.iMouseDown(mbRight, {}, 0, 0, 0, 0, &menu);
    EXPECT_TRUE(menu.actions().isEmpty());
}

TEST_F(PlotAxisObject, ThrowingHandlersEndAtMenuItemsAndLabels) {
    const ExpectedGuardCatches expected;
    plot.Master->SetUserCanEditObjects(true);
    plot.AddChannel();
    plot.Channel()->XExtents = {5, 15};
    int calls = 0;
    const auto fail = [&](auto&&...) {
        ++calls;
        throw Exception("handler failed");
    };
    x.OnMinSpanChange = fail;
    plot.Master->OnEditLayoutObject = fail;
    QMenu& menu = *plot.Host.PopupMenu();
    x.AddMenuItems(&menu);
    EXPECT_NO_THROW(Item(menu, "Zoom to Fit")->trigger());
    EXPECT_EQ(x.Min(), 5);
    EXPECT_NO_THROW(Item(menu, "Edit...")->trigger());
    EXPECT_EQ(calls, 2);

    // A failing label handler leaves the label the axis made.
    y.SetMinSpan(0, 100);
    y.OnCustomizeLabel = [](QObject*, double, QString& text) {
        text = "half done";
        throw Exception("handler failed");
    };
    Place(y, {10, 20, 80, 220});
    EXPECT_NO_THROW(y.Draw(plot.Canvas, clBlack));
    const std::vector<QString> labels = DrawnTexts(plot.Canvas);
    EXPECT_NE(std::find(labels.begin(), labels.end(), "100"), labels.end());
    EXPECT_EQ(std::find(labels.begin(), labels.end(), "half done"), labels.end());
}

TEST_F(PlotAxisObject, ReferencesFollowRenamesAndRemovals) {
    plot.AddY();
    TiPlotAxis& y2 = *plot.Y(1);
    y2.SetAlignRefAxisName("Y-Axis 1");
    x.SetCartesianChildRefAxisName("Y-Axis 2");
    EXPECT_EQ(y2.GetAlignRefAxis(), &y);
    EXPECT_EQ(x.GetCartesianRefAxis(), &y2);
    y.SetName("Volts");
    EXPECT_EQ(y2.AlignRefAxisName(), "Volts");
    y2.SetName("Amps");
    EXPECT_EQ(x.CartesianChildRefAxisName(), "Amps");

    // The text survives a save and load of the Y axes.
    TiPlotObjectOwnedManager& axes = *plot.Master->GetManager(K::YAxis);
    const TiPlotCollection stored = axes.WriteToStream();
    axes.ReadFromStream(&stored);
    EXPECT_EQ(plot.Y(1)->GetAlignRefAxis(), plot.Y(0));

    plot.Master->Delete(K::YAxis, 0);
    EXPECT_EQ(plot.Y(0)->GetAlignRefAxis(), nullptr);
    EXPECT_EQ(plot.Y(0)->AlignRefAxisName(), "Volts");
    // A reference names only axes of its own kind.
    plot.Y(0)->SetAlignRefAxisName("X-Axis 1");
    EXPECT_EQ(plot.Y(0)->GetAlignRefAxis(), nullptr);
}

TEST_F(PlotAxisObject, StreamingKeepsSpanZeroSeparationsAndReadsTheOldSpanName) {
    x.SetSpan(20);
    x.SetLabelSeparation(0);
    x.SetTitleMargin(0);
    const TiPlotStreamItem item = StreamItemOf(&x);
    QStringList paths;
    for (const auto& [path, text] : item)
        paths << path;
    EXPECT_TRUE(paths.contains("Span"));
    EXPECT_FALSE(paths.contains("Span_2"));
    EXPECT_FALSE(paths.contains("Max"));

    TiPlotObjectOwnedManager& axes = *plot.Master->GetManager(K::XAxis);
    const TiPlotCollection stored = axes.WriteToStream();
    axes.ReadFromStream(&stored);
    EXPECT_EQ(plot.X()->Span(), 20);
    EXPECT_EQ(plot.X()->LabelSeparation(), 0);
    EXPECT_EQ(plot.X()->TitleMargin(), 0);

    ReadStreamItem(plot.X(), {{"Span_2", "30"}});
    EXPECT_EQ(plot.X()->Span(), 30);
}

class PlotAxisObjectInput : public PlotAxisObject {
protected:
    PlotAxisObjectInput() {
        Place(x, {100, 300, 500, 340});
        Place(y, {10, 20, 80, 220});
    }
};

TEST_F(PlotAxisObjectInput, WheelZoomsAroundTheCentreAndPausesTracking) {
    x.SetMode(TiPlotAxis::ModeZoom);
    EXPECT_TRUE(x.iMouseWheel(120, {}, {}));
    EXPECT_FALSE(x.TrackingEnabled());
    EXPECT_DOUBLE_EQ(x.Span(), 100 / std::pow(10.0, 0.025));
    EXPECT_DOUBLE_EQ(x.Min() + x.Span() / 2, 50);
    const double span = x.Span();
    EXPECT_TRUE(x.iMouseWheel(0, {}, {}));
    EXPECT_EQ(x.Span(), span);
    // Ctrl flips the mode: a scroll now.
    x.iMouseWheel(-120, ssCtrl, {});
    EXPECT_EQ(x.Span(), span);
    EXPECT_LT(x.Min() + x.Span() / 2, 50);
}

TEST_F(PlotAxisObjectInput, DragScrollsOrWithCtrlZoomsAndClicksOnRelease) {
    TiHintData hint;
    x.iMouseDown(mbLeft, {}, 200, 320, 0, 0, nullptr);
    x.iMouseMove(hint, {}, 240, 320, 0, 0, false);
    EXPECT_DOUBLE_EQ(x.Min(), -10); // 40 of 400 pixels: a tenth of the range back
    EXPECT_FALSE(x.TrackingEnabled());
    EXPECT_GE(plot.Host.ImmediateRepaints, 1);
    x.SetShiftState(ssCtrl);
    x.iMouseMove(hint, ssCtrl, 280, 320, 0, 0, false);
    EXPECT_DOUBLE_EQ(x.Span(), 100 / std::pow(10.0, 0.1 / 4));
    x.iMouseUp(mbLeft, {}, 280, 320, 0, 0, false);
    EXPECT_EQ(plot.Host.Events.back(), "Click X-Axis 1");

    // Released off the axis: no click.
    plot.Host.Events.clear();
    x.iMouseDown(mbLeft, {}, 200, 320, 0, 0, nullptr);
    x.iMouseUp(mbLeft, {}, 200, 100, 0, 0, false);
    EXPECT_TRUE(plot.Host.Events.empty());
}

TEST_F(PlotAxisObjectInput, KeysStepByTheModeAndAnyKeyPauses) {
    uint16_t key = 'A';
    y.iKeyDown(key, {});
    EXPECT_FALSE(y.TrackingEnabled());
    EXPECT_EQ(y.Min(), 0);
    key = VK_PRIOR;
    y.iKeyDown(key, {});
    EXPECT_EQ(y.Min(), 100);
    // Keys read the mode unflipped by Ctrl.
    key = VK_DOWN;
    y.iKeyDown(key, ssCtrl);
    EXPECT_DOUBLE_EQ(y.Min(), 99);
    EXPECT_EQ(y.Span(), 100);
}

TEST_F(PlotAxisObjectInput, MasterInputRepeatsOnTheOtherAxesOfItsKindOnly) {
    plot.AddX();
    TiPlotAxis& x2 = *plot.X(1);
    Place(x2, {100, 350, 500, 390});
    x.SetMasterUIInput(true);
    x2.SetMasterUIInput(true);
    uint16_t key = VK_PRIOR;
    x.iKeyDown(key, {});
    EXPECT_EQ(x.Min(), 100);
    EXPECT_EQ(x2.Min(), 100);
    EXPECT_EQ(y.Min(), 0);
    x.iMouseDown(mbLeft, {}, 200, 320, 0, 0, nullptr);
    TiHintData hint;
    x.iMouseMove(hint, {}, 240, 320, 0, 0, false);
    EXPECT_DOUBLE_EQ(x2.Min(), 90);
    x.iMouseUp(mbLeft, {}, 240, 320, 0, 0, false);

    // A handler that throws on the repeat leaves the repetition working afterwards.
    x2.OnMinSpanChange = [](QObject*, double, double, double, double) {
        throw Exception("handler failed");
    };
    key = VK_PRIOR;
    EXPECT_THROW(x.iKeyDown(key, {}), Exception);
    x2.OnMinSpanChange = nullptr;
    const double before = x2.Min();
    x.iKeyDown(key, {});
    EXPECT_DOUBLE_EQ(x2.Min(), before + 100);
}

TEST_F(PlotAxisObjectInput, LogAxisCorrectsANonPositiveMinAndStaysFinite) {
    y.SetScaleType(ipstLog10);
    y.SetMin(-5);
    EXPECT_EQ(y.Min(), 1);
    y.SetMode(TiPlotAxis::ModeZoom);
    for (int i = 0; i < 50; ++i)
        y.iMouseWheel(-120, {}, {});
    EXPECT_TRUE(std::isfinite(y.Max()));
    EXPECT_GT(y.Min(), 0);
    EXPECT_THROW(x.Zoom(0), Exception);
    EXPECT_EQ(x.Span(), 100);
}

TEST_F(PlotAxisObjectInput, HitTestPointerAndHint) {
    TiPlotMouseData on;
    on.X = 300;
    on.Y = 320;
    TiPlotMouseData off = on;
    off.Y = 299;
    EXPECT_TRUE(x.iMouseHitTest(on));
    EXPECT_FALSE(x.iMouseHitTest(off));
    EXPECT_EQ(x.GetMousePointer({}), Qt::PointingHandCursor);
    x.SetMode(TiPlotAxis::ModeZoom);
    EXPECT_EQ(x.GetMousePointer({}), Qt::SizeHorCursor);
    y.SetMode(TiPlotAxis::ModeZoom);
    EXPECT_EQ(y.GetMousePointer({}), Qt::SizeVerCursor);
    y.SetMode(7);
    EXPECT_EQ(y.Mode(), TiPlotAxis::ModeZoom);

    TiHintData hint;
    x.DoMouseHint(on, hint);
    EXPECT_EQ(hint.Text, "X-Axis 1");
    EXPECT_EQ(hint.Left, 300);
    EXPECT_EQ(hint.Top, 300);
    TiHintData none;
    x.SetTitleShow(true);
    x.DoMouseHint(on, none);
    EXPECT_TRUE(none.Text.isEmpty());
}

TEST_F(PlotAxisObjectInput, AxesStaySelectedTogetherOnlyWithShiftOrCtrl) {
    plot.AddX();
    TiPlotAxis& x2 = *plot.X(1);
    x.SetUserSelected(true);
    x2.SetShiftState(ssShift);
    x.SetShiftState(ssShift);
    x2.SetUserSelected(true);
    EXPECT_TRUE(x.UserSelected());
    x.SetShiftState({});
    x2.SetShiftState({});
    y.SetUserSelected(true);
    EXPECT_FALSE(x.UserSelected());
    EXPECT_FALSE(x2.UserSelected());
    EXPECT_TRUE(y.UserSelected());
}

TEST_F(PlotAxisObjectInput, ApplicationTickListStaysAndFollowsTheScale) {
    x.SetTickListCustom(true);
    x.TickListClear();
    EXPECT_EQ(x.TickListAdd("half", PlotTickMajor, 50), 0);
    EXPECT_EQ(x.TickListAdd("", 7, 150), 1);
    EXPECT_EQ(x.GetTickListItemStyle(1), PlotTickMajor);
    x.SetTickListItemStyle(1, PlotTickMinor);
    x.CalcTicks(plot.Canvas);
    ASSERT_EQ(x.GetTickListCount(), 2);
    EXPECT_EQ(x.Ticks()[0].Pixel, 300);
    EXPECT_TRUE(x.Ticks()[0].Visible);
    EXPECT_FALSE(x.Ticks()[1].Visible);
    x.SetMin(25);
    x.CalcTicks(plot.Canvas);
    EXPECT_EQ(x.Ticks()[0].Pixel, 200);
    EXPECT_EQ(x.GetTickListItemLabel(0), "half");
    x.SetTickListItemLabel(0, "mid");
    x.SetTickListItemPosition(0, 75);
    EXPECT_EQ(x.GetTickListItemPosition(0), 75);

    EXPECT_THROW(x.GetTickListItemLabel(2), Exception);
    EXPECT_THROW(x.SetTickListItemStyle(-1, 0), Exception);
    x.SetScaleType(ipstLog10);
    try {
        x.TickListAdd("no", PlotTickMajor, 0);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Log Scale Requires Position to be Greater Than Zero");
    }
    EXPECT_THROW(x.SetTickListItemPosition(0, std::nan("")), Exception);
    EXPECT_EQ(x.GetTickListCount(), 2);
}

// Every published property, written with values no caller should send, leaves a finite axis
// that measures, draws and streams.
TEST_F(PlotAxisObjectInput, HostileValuesOnEveryPublishedProperty) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<QVariant> doubles = {std::nan(""), inf, -inf, 1e308, -1e308, 0.0};
    const std::vector<QVariant> ints = {INT_MIN, INT_MAX, -1, 0};
    for (TiPlotAxis* axis : {&x, &y}) {
        for (const PropertyDescriptor& property : PropertyWalker::List(axis)) {
            // The fonts' own settings are the font's to bound.
            if (!property.Writable || !property.IsValue() || property.Owner != axis) continue;
            const auto& values = property.Kind == TPropertyKind::Float ? doubles : ints;
            for (const QVariant& value : values) {
                if (property.Kind == TPropertyKind::String ||
                    property.Kind == TPropertyKind::Boolean)
                    continue;
                // Files, editors and the live-data binding write through the walker, which
                // refuses an ordinal past an enumeration's end.
                try {
                    PropertyWalker::Write(property, value);
                } catch (const EConvertError&) {
                }
                axis->GetRequiredWidth(plot.Canvas);
                axis->GetRequiredLengthGaurd(plot.Canvas);
                axis->CalcTicks(plot.Canvas);
                axis->Draw(plot.Canvas, clBlack);
                uint16_t key = VK_NEXT;
                axis->iKeyDown(key, {});
                axis->iMouseWheel(120, ssCtrl, {});
            }
            const QVariant read = PropertyWalker::Read(property);
            if (property.Kind == TPropertyKind::Float) {
                EXPECT_TRUE(std::isfinite(read.toDouble())) << property.Path.toStdString();
            }
            if (property.Kind == TPropertyKind::Enumeration) {
                EXPECT_NE(property.Enumerator().valueToKey(read.toInt()), nullptr)
                    << property.Path.toStdString();
            }
        }
        axis->SetScaleType(TiPlotScaleType(9));
        axis->SetTrackingStyle(TiPlotTrackingStyle(200));
        axis->SetTrackingAlignFirstStyle(TiPlotAlignFirstStyle(4));
        axis->SetCartesianStyle(TiPlotCartesianStyle(3));
        axis->SetLabelsFormatStyle(TiPlotTextFormat(6));
        EXPECT_LE(axis->ScaleType(), ipstLog10);
        EXPECT_LE(axis->TrackingStyle(), iptsExpandCollapse);
        EXPECT_LE(axis->TrackingAlignFirstStyle(), ipafsNone);
        EXPECT_LE(axis->CartesianStyle(), ipcsChild);
        EXPECT_LE(axis->LabelsFormatStyle(), iptfThousands);
        EXPECT_TRUE(std::isfinite(axis->Max()));
        EXPECT_GE(axis->Span(), PlotAxisSpanMin);
        EXPECT_LE(axis->MinorCount(), MaxPlotAxisMinorCount);
        EXPECT_GE(axis->InnerMargin(), 0);
        EXPECT_FALSE(StreamItemOf(axis).isEmpty());
    }
}

// Handlers may delete the axis they are told about; the operation that called them stops.
TEST_F(PlotAxisObjectInput, DeletedFromInsideItsOwnEvents) {
    x.OnMinSpanChange = [this](QObject*, double, double, double, double) {
        plot.Master->Delete(K::XAxis, 0);
    };
    x.iMouseWheel(120, {}, {});
    EXPECT_EQ(plot.Master->Count(K::XAxis), 0);

    y.OnCustomizeLabel = [this](QObject*, double, QString&) { plot.Master->Delete(K::YAxis, 0); };
    y.CalcTicks(plot.Canvas);
    EXPECT_EQ(plot.Master->Count(K::YAxis), 0);

    plot.AddX();
    TiPlotAxis& again = *plot.X();
    Place(again, {100, 300, 500, 340});
    plot.AddChannel();
    plot.Channel()->XExtents = {5, 15};
    again.OnMinChange = [this](QObject*, double, double) { plot.Master->Delete(K::XAxis, 0); };
    QMenu& menu = *plot.Host.PopupMenu();
    again.AddMenuItems(&menu);
    Item(menu, "Zoom to Fit")->trigger();
    EXPECT_EQ(plot.Master->Count(K::XAxis), 0);

    plot.AddX();
    TiPlotAxis& dragged = *plot.X();
    Place(dragged, {100, 300, 500, 340});
    plot.Host.OnClickAction = [this](TiPlotObject*) { plot.Master->Delete(K::XAxis, 0); };
    dragged.iMouseDown(mbLeft, {}, 200, 320, 0, 0, nullptr);
    dragged.iMouseUp(mbLeft, {}, 200, 320, 0, 0, false);
    EXPECT_EQ(plot.Master->Count(K::XAxis), 0);
}
