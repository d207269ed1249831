#include "../axis/PlotAxisTestPlot.h"
#include "platform/Exception.h"
#include "platform/PropertyDefaults.h"
#include "plot/channels/iPlotChannel.h"
#include "plot/iPlotDataCursor.h"
#include "plot/iPlotDataView.h"

#include <QMenu>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>

namespace {

using K = TiPlotObjectKind;
using Op = TCanvasOperation;

QAction* Item(QMenu& menu, const QString& caption) {
    for (QAction* action : menu.actions())
        if (action->text() == caption) return action;
    return nullptr;
}

QStringList Captions(const QMenu& menu) {
    QStringList captions;
    for (QAction* action : menu.actions())
        if (action->isVisible()) captions << action->text();
    return captions;
}

} // namespace

// A strip chart 400 x 200 pixels wide: X 0..1 over the view's width, Y -2.5..2.5 over its
// height, holding a sine of period 0.1 and amplitude 2 sampled every 0.001.
class PlotDataCursor : public testing::Test {
protected:
    PlotDataCursor() {
        view.SetDrawRect({100, 20, 500, 220});
        Place(x, {100, 300, 500, 340}, 0, 1);
        Place(y, {10, 20, 80, 220}, -2.5, 5);
        for (int i = 0; i <= 1000; ++i)
            channel.AddXY(i * 0.001, 2 * std::sin(2 * std::numbers::pi * i * 0.001 / 0.1));
        cursor.SetVisible(true);
    }
    ~PlotDataCursor() override { host.SetMasterManager(nullptr); }

    void Place(TiPlotAxis& axis, const TRect& rect, double min, double span) {
        axis.SetTrackingEnabled(false);
        axis.SetMinSpan(min, span);
        axis.SetDrawRect(rect);
        axis.GetRequiredWidth(canvas);
        axis.CalcTicks(canvas);
    }

    template <class T> T& Get(K kind, int index = 0) {
        return *qobject_cast<T*>(master.Get(kind, index));
    }

    void Press(int X, int Y) { cursor.iMouseDown(mbLeft, {}, X, Y, X, Y, nullptr); }
    void Move(int X, int Y) {
        TiHintData hint;
        cursor.iMouseMove(hint, {}, X, Y, X, Y, false);
    }
    void Release(int X, int Y) { cursor.iMouseUp(mbLeft, {}, X, Y, X, Y, false); }
    void Key(uint16_t key, TShiftState shift = {}) { cursor.iKeyDown(key, shift); }

    TestPlotHost host;
    TiPlotMasterManager master{&host};
    TRecordingCanvas canvas;
    const bool built = [this] {
        host.SetMasterManager(&master);
        for (K kind : {K::XAxis, K::YAxis, K::Channel, K::DataView, K::DataCursor})
            master.Add(kind);
        return true;
    }();
    TiPlotAxis& x = Get<TiPlotAxis>(K::XAxis);
    TiPlotAxis& y = Get<TiPlotAxis>(K::YAxis);
    TiPlotChannel& channel = Get<TiPlotChannel>(K::Channel);
    TiPlotDataView& view = Get<TiPlotDataView>(K::DataView);
    TiPlotDataCursor& cursor = Get<TiPlotDataCursor>(K::DataCursor);
};

TEST_F(PlotDataCursor, NewCursorIsHiddenBoundToTheFirstChannelOverTheFirstView) {
    TiPlotDataCursor& fresh = Get<TiPlotDataCursor>(K::DataCursor, master.Add(K::DataCursor));
    EXPECT_EQ(fresh.Name(), "Cursor 2");
    EXPECT_FALSE(fresh.Visible());
    EXPECT_EQ(fresh.ChannelName(), "Channel 1");
    EXPECT_EQ(fresh.DataView(), &view);
    EXPECT_EQ(fresh.Style(), ipcsValueXY);
    EXPECT_EQ(fresh.Color(), TColor(0x00FFFF));
    EXPECT_EQ(fresh.Pointer2Position(), 60);
    EXPECT_EQ(fresh.MenuItemCaptionInverseDeltaX(), "Frequency");
    EXPECT_TRUE(PropertyDefaults::IsDefault(&fresh, "Visible"));
    EXPECT_TRUE(PropertyDefaults::IsDefault(&fresh, "MenuItemCaptionDeltaY"));

    fresh.SetPointer1Position(150);
    EXPECT_EQ(fresh.Pointer1Position(), 100);
    fresh.SetPointer1Position(-5);
    EXPECT_EQ(fresh.Pointer1Position(), 0);
    fresh.SetPointer2Position(std::nan(""));
    EXPECT_EQ(fresh.Pointer2Position(), 60);
    fresh.SetStyle(TiPlotDataCursorStyle(6));
    EXPECT_EQ(fresh.Style(), ipcsValueXY);
    const int changes = host.Changes;
    fresh.SetMenuItemVisibleDeltaX(false);
    fresh.SetMenuItemCaptionValueX("X");
    fresh.SetMenuUserCanChangeOptions(false);
    EXPECT_EQ(host.Changes, changes);
}

TEST_F(PlotDataCursor, SetupByStylePlotKindScopeAndTurnedAxes) {
    struct Expected {
        TiPlotDataCursorStyle Style;
        bool P1, P2, P1Vertical, P2Vertical, HintVertical;
    };
    const auto check = [&](const Expected& e) {
        cursor.SetStyle(e.Style);
        SCOPED_TRACE(int(e.Style));
        EXPECT_EQ(cursor.Pointer1Shown(), e.P1);
        EXPECT_EQ(cursor.Pointer2Shown(), e.P2);
        EXPECT_TRUE(!e.P1 || cursor.Pointer1Vertical() == e.P1Vertical);
        EXPECT_TRUE(!e.P2 || cursor.Pointer2Vertical() == e.P2Vertical);
        EXPECT_EQ(cursor.HintVertical(), e.HintVertical);
    };
    // Strip chart.
    check({ipcsValueXY, true, false, true, false, true});
    check({ipcsValueX, true, false, true, false, true});
    check({ipcsValueY, true, false, true, false, true});
    check({ipcsDeltaX, true, true, true, true, true});
    check({ipcsInverseDeltaX, true, true, true, true, true});
    check({ipcsDeltaY, true, true, false, false, false});
    cursor.SetScopeStyle(true);
    check({ipcsValueY, false, true, false, false, false});
    master.SetXYAxesReverse(true);
    check({ipcsDeltaX, true, true, false, false, false});
    check({ipcsValueY, false, true, false, true, true});
}

TEST_F(PlotDataCursor, OnAnXYPlotValueXYIsACrossHairAndValueYAHorizontalPointer) {
    TestAxisPlot xy; // its channels are no strip-chart channels
    xy.AddChannel();
    TiPlotDataCursor& crossHair = *qobject_cast<TiPlotDataCursor*>(
        xy.Master->Get(K::DataCursor, xy.Master->Add(K::DataCursor)));
    EXPECT_TRUE(crossHair.Pointer1Shown());
    EXPECT_TRUE(crossHair.Pointer2Shown());
    EXPECT_FALSE(crossHair.Pointer2Vertical());
    crossHair.SetStyle(ipcsValueY);
    EXPECT_FALSE(crossHair.Pointer1Shown());
    EXPECT_FALSE(crossHair.HintVertical());
}

TEST_F(PlotDataCursor, SineGivesItsPeriodFrequencyPeakToPeakAndValue) {
    // Two neighbouring crests, at 0.025 and 0.125: 2.5 and 12.5 percent of the width.
    cursor.SetPointer1Position(2.5);
    cursor.SetPointer2Position(12.5);
    cursor.SetStyle(ipcsDeltaX);
    cursor.DoUpdate();
    EXPECT_NEAR(cursor.DataX(), 0.1, 1e-12);
    EXPECT_EQ(cursor.DataStatus(), ipdpsValid);
    EXPECT_EQ(cursor.HintText(), x.GetCursorValueText(cursor.DataX()));
    cursor.SetStyle(ipcsInverseDeltaX);
    cursor.DoUpdate();
    EXPECT_NEAR(cursor.DataX(), 10, 1e-9);
    x.SetCursorScaler(1000);
    cursor.SetStyle(ipcsDeltaX);
    cursor.DoUpdate();
    EXPECT_NEAR(cursor.DataX(), 100, 1e-9);
    x.SetCursorScaler(1);

    // The crest and the trough: 90 and 10 percent of the height.
    cursor.SetStyle(ipcsDeltaY);
    cursor.SetPointer1Position(90);
    cursor.SetPointer2Position(10);
    cursor.DoUpdate();
    EXPECT_NEAR(cursor.DataY(), 4, 1e-12);
    EXPECT_EQ(cursor.DataX(), 0);

    cursor.SetStyle(ipcsValueXY);
    cursor.SetPointer1Position(2.5);
    cursor.DoUpdate();
    EXPECT_NEAR(cursor.DataX(), 0.025, 1e-12);
    EXPECT_NEAR(cursor.DataY(), 2, 1e-3);
    EXPECT_EQ(cursor.HintText(), channel.DataCursorXText() + ", " + channel.DataCursorYText());
    cursor.SetStyle(ipcsValueX);
    cursor.DoUpdate();
    EXPECT_EQ(cursor.DataY(), 0);
    EXPECT_EQ(cursor.HintText(), x.GetCursorText(cursor.DataX()));
    cursor.SetStyle(ipcsValueY);
    cursor.DoUpdate();
    EXPECT_EQ(cursor.DataX(), 0);
    EXPECT_NEAR(cursor.DataY(), 2, 1e-3);

    // Scope style reads the Y under the horizontal pointer 2.
    cursor.SetScopeStyle(true);
    cursor.SetPointer2Position(10);
    cursor.DoUpdate();
    EXPECT_NEAR(cursor.DataY(), -2, 1e-12);
}

TEST_F(PlotDataCursor, CoincidingPointersShowAnInfiniteFrequency) {
    cursor.SetStyle(ipcsInverseDeltaX);
    cursor.SetPointer2Position(cursor.Pointer1Position());
    cursor.DoUpdate();
    EXPECT_EQ(cursor.DataX(), std::numeric_limits<double>::infinity());
    EXPECT_EQ(cursor.HintText(), "Infinite");
    master.AddTranslation("Infinite", "Unendlich");
    cursor.DoUpdate();
    EXPECT_EQ(cursor.HintText(), "Unendlich");
}

TEST_F(PlotDataCursor, ValuesOutsideTheDataAreEmptyAndChangesAreReportedOnce) {
    channel.Clear();
    channel.AddXY(0.2, 1);
    channel.AddXY(0.3, 2);
    cursor.SetPointer1Position(10); // x = 0.1, before the first point
    const int reports = host.DataCursorChanges;
    cursor.DoUpdate();
    EXPECT_EQ(cursor.DataStatus(), ipdpsEmpty);
    EXPECT_EQ(cursor.HintText(), x.GetCursorText(0.1) + ", Empty");
    EXPECT_EQ(host.DataCursorChanges, reports + 1);
    cursor.DoUpdate();
    EXPECT_EQ(host.DataCursorChanges, reports + 1);
    cursor.SetData(std::nan(""), 0, ipdpsValid);
    cursor.SetData(std::nan(""), 0, ipdpsValid);
    EXPECT_EQ(host.DataCursorChanges, reports + 2);
}

TEST_F(PlotDataCursor, DifferentialCursorShowsNoValueBehindANullOrEmptyPoint) {
    channel.Clear();
    channel.SetInterpolationStyle(TiPlotChannel::ipistDifferential);
    channel.AddXY(0.1, 1);
    channel.AddXNull(0.2);
    channel.AddXY(0.3, 3);
    channel.AddXEmpty(0.4);
    channel.AddXY(0.5, 5);
    const auto at = [&](double percent) {
        cursor.SetPointer1Position(percent);
        cursor.DoUpdate();
        return cursor.DataStatus();
    };
    EXPECT_EQ(at(15), ipdpsValid);
    EXPECT_EQ(cursor.DataY(), 1);
    EXPECT_EQ(at(25), ipdpsNull); // the point before is Null
    EXPECT_EQ(cursor.DataY(), 0);
    EXPECT_EQ(at(45), ipdpsNull);  // the point before is Empty
    EXPECT_EQ(at(80), ipdpsValid); // the newest value held to the right
    EXPECT_EQ(cursor.DataY(), 5);
}

TEST_F(PlotDataCursor, SplineCursorReadsTheColumnTheLastPaintDrew) {
    channel.SetInterpolationStyle(TiPlotChannel::ipistCubicSpline);
    cursor.SetPointer1Position(2.5);
    cursor.DoUpdate();
    EXPECT_EQ(cursor.DataStatus(), ipdpsNull); // nothing drawn yet
    channel.DrawSetup(canvas);
    channel.Draw(canvas, clBlack);
    cursor.DoUpdate();
    EXPECT_EQ(cursor.DataStatus(), ipdpsValid);
    EXPECT_NEAR(cursor.DataY(), 2, 1e-2);
    EXPECT_THROW(channel.AddPixelListValue(channel.PixelListMax() + 1, 0), Exception);
}

TEST_F(PlotDataCursor, AllChannelsNameIsOneCaseInsensitiveRule) {
    for (const char* name : {"<All>", "<all>", "<ALL>"})
        EXPECT_TRUE(TiPlotDataCursor::IsAllChannelsName(name)) << name;
    for (const char* name : {"All", "<All >", ""})
        EXPECT_FALSE(TiPlotDataCursor::IsAllChannelsName(name)) << name;

    TiPlotChannel& second = Get<TiPlotChannel>(K::Channel, master.Add(K::Channel));
    second.AddXY(0, 1);
    second.AddXY(1, 1);
    cursor.SetChannelName("<all>");
    EXPECT_TRUE(cursor.BoundToAllChannels());
    EXPECT_EQ(cursor.GetChannel(), nullptr);
    cursor.Draw(canvas, clBlack);
    // Every channel's texts for the legend, and no hint box.
    EXPECT_FALSE(channel.DataCursorXText().isEmpty());
    EXPECT_EQ(second.DataCursorYText(), y.GetCursorText(1));
    EXPECT_TRUE(canvas.RecordsOf(Op::Rectangle).empty());
    EXPECT_EQ(cursor.HintRect(), TRect{});
}

TEST_F(PlotDataCursor, UnknownChannelShowsNoChannelAndTheHandlerMayRewriteIt) {
    cursor.SetChannelName("Channel 9");
    cursor.Draw(canvas, clBlack);
    auto texts = canvas.RecordsOf(Op::DrawText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Lines.front(), "No Channel");
    EXPECT_EQ(texts[0].Rect, cursor.HintRect());
    // Black frame without a channel to take the colour from.
    EXPECT_EQ(canvas.RecordsOf(Op::Rectangle).back().PenColor, clBlack);

    host.OnDataCursorCustomizeHint = [](TiPlotObject*, QString& text) { text = "custom"; };
    canvas.Clear();
    cursor.Draw(canvas, clBlack);
    EXPECT_EQ(canvas.RecordsOf(Op::DrawText).front().Lines.front(), "custom");
}

TEST_F(PlotDataCursor, PointersAndGrabRectanglesInTheChannelColour) {
    cursor.SetStyle(ipcsDeltaX);
    cursor.SetPointer1Position(25);
    cursor.SetPointer2Position(75);
    cursor.SetPointerPenWidth(2);
    cursor.Draw(canvas, clBlack);
    const auto lines = canvas.RecordsOf(Op::LineTo);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{200, 20}, {200, 220}}));
    EXPECT_EQ(lines[0].PenColor, channel.Color());
    EXPECT_EQ(lines[0].PenWidth, 2);
    EXPECT_EQ(lines[1].Points, (std::vector<TPoint>{{400, 20}, {400, 220}}));
    EXPECT_EQ(cursor.Pointer1Rect(), (TRect{195, 20, 206, 220}));
    EXPECT_EQ(cursor.Pointer2Rect(), (TRect{395, 20, 406, 220}));
    // The delta connector: dotted, from one pointer to the other through the box's middle.
    const TRect box = cursor.HintRect();
    EXPECT_EQ(lines[2].PenStyle, psDot);
    EXPECT_EQ(lines[2].Points, (std::vector<TPoint>{{200, (box.Top + box.Bottom) / 2},
                                                    {400, (box.Top + box.Bottom) / 2}}));
    EXPECT_EQ((box.Left + box.Right) / 2, 300);

    cursor.SetUseChannelColor(false);
    canvas.Clear();
    cursor.Draw(canvas, clBlack);
    EXPECT_EQ(canvas.RecordsOf(Op::LineTo)[0].PenColor, TColor(0x00FFFF));
}

TEST_F(PlotDataCursor, HintSwitchesSidesNearTheEdgesAndStaysInsideTheView) {
    cursor.SetStyle(ipcsValueX);
    cursor.SetPointer1Position(50);
    cursor.Draw(canvas, clBlack);
    TRect box = cursor.HintRect();
    EXPECT_EQ(box.Left, 300 + 5);
    EXPECT_EQ(cursor.HintOrientationSide(), iosBottomRight);

    // Near the right edge the box jumps to the left of the pointer.
    cursor.SetPointer1Position(99);
    cursor.Draw(canvas, clBlack);
    box = cursor.HintRect();
    EXPECT_EQ(cursor.HintOrientationSide(), iosTopLeft);
    EXPECT_EQ(box.Right, view.PositionPercentToPixelsX(99) - 5);

    // And back near the left edge.
    cursor.SetPointer1Position(1);
    cursor.Draw(canvas, clBlack);
    EXPECT_EQ(cursor.HintOrientationSide(), iosBottomRight);

    // A hint dragged off the bottom stays inside.
    cursor.SetHintPosition(0);
    cursor.Draw(canvas, clBlack);
    EXPECT_EQ(cursor.HintRect().Bottom, 220);
    cursor.SetHintPosition(100);
    cursor.Draw(canvas, clBlack);
    EXPECT_EQ(cursor.HintRect().Top, 20);

    // Beside horizontal pointers the box sits below, above near the bottom.
    cursor.SetStyle(ipcsValueY);
    cursor.SetScopeStyle(true);
    cursor.SetPointer2Position(2);
    cursor.SetHintPosition(50);
    cursor.Draw(canvas, clBlack);
    EXPECT_EQ(cursor.HintOrientationSide(), iosTopLeft);
    EXPECT_EQ(cursor.HintRect().Bottom, view.PositionPercentToPixelsY(2) - 5);
}

TEST_F(PlotDataCursor, SelectedHintIsWhiteInAFocusRectangle) {
    cursor.SetUserSelected(true);
    cursor.Draw(canvas, clBlack);
    const TRect box = cursor.HintRect();
    const auto focus = canvas.RecordsOf(Op::DrawFocusRect);
    ASSERT_EQ(focus.size(), 1u);
    EXPECT_EQ(focus[0].Rect, (TRect{box.Left - 2, box.Top - 2, box.Right + 2, box.Bottom + 2}));
    EXPECT_EQ(canvas.RecordsOf(Op::Rectangle).back().PenColor, clWhite);
    EXPECT_EQ(canvas.RecordsOf(Op::Rectangle).back().BrushStyle, bsClear);
}

TEST_F(PlotDataCursor, DraggingAPointerOrTheHintMovesItWithinTheView) {
    cursor.SetPointer1Position(50);
    cursor.Draw(canvas, clBlack);
    TiPlotMouseData on;
    on.X = 303;
    on.Y = 60;
    EXPECT_TRUE(cursor.iMouseHitTest(on));
    on.X = 320;
    EXPECT_FALSE(cursor.iMouseHitTest(on));
    const int repaints = host.ImmediateRepaints;
    Press(303, 60);
    Move(343, 60);
    EXPECT_DOUBLE_EQ(cursor.Pointer1Position(), 60);
    EXPECT_GT(host.ImmediateRepaints, repaints);
    // Dragged pointers draw with the thinnest pen.
    canvas.Clear();
    cursor.Draw(canvas, clBlack);
    EXPECT_EQ(canvas.RecordsOf(Op::LineTo)[0].PenWidth, 0);
    Move(900, 60);
    EXPECT_EQ(cursor.Pointer1Position(), 100);
    Release(900, 60);
    EXPECT_TRUE(host.Events.empty()); // released off the cursor
    cursor.Draw(canvas, clBlack);
    Press(500, 60);
    Release(500, 60);
    EXPECT_EQ(host.Events.back(), "Click Cursor 1");

    // The hint box moves along the pointer.
    cursor.SetPointer1Position(50);
    cursor.Draw(canvas, clBlack);
    const TRect box = cursor.HintRect();
    const TPoint grip{box.Left + 2, (box.Top + box.Bottom) / 2};
    Press(grip.X, grip.Y);
    Move(grip.X, grip.Y - 20);
    Release(grip.X, grip.Y - 20);
    EXPECT_DOUBLE_EQ(cursor.HintPosition(), 60);
    EXPECT_EQ(cursor.Pointer1Position(), 50);
}

TEST_F(PlotDataCursor, KeysStepByOnePixelsMagnitudeAndNotOnAViewOfNoSize) {
    cursor.SetStyle(ipcsDeltaY); // both pointers horizontal
    cursor.SetPointer2Position(50);
    Key(VK_UP);
    EXPECT_DOUBLE_EQ(cursor.Pointer2Position(), 50.5); // one of 200 pixels, upwards
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_DOUBLE_EQ(cursor.Pointer2Position(), 49.5);
    Key(VK_PRIOR);
    EXPECT_DOUBLE_EQ(cursor.Pointer2Position(), 52);
    Key(VK_END);
    EXPECT_EQ(cursor.Pointer2Position(), 100);
    Key(VK_UP);
    EXPECT_EQ(cursor.Pointer2Position(), 100);
    // With Ctrl: pointer 1, and the hint beside the horizontal pointers moves sideways.
    cursor.SetPointer1Position(50);
    cursor.SetHintPosition(50);
    Key(VK_UP, ssCtrl);
    EXPECT_DOUBLE_EQ(cursor.Pointer1Position(), 50.5);
    Key(VK_RIGHT, ssCtrl);
    EXPECT_DOUBLE_EQ(cursor.HintPosition(), 50.25);
    Key(VK_HOME, ssCtrl);
    EXPECT_EQ(cursor.Pointer1Position(), 0);

    cursor.SetStyle(ipcsDeltaX);
    cursor.SetPointer2Position(50);
    Key(VK_LEFT);
    EXPECT_DOUBLE_EQ(cursor.Pointer2Position(), 49.75);
    Key(VK_NEXT);
    EXPECT_DOUBLE_EQ(cursor.Pointer2Position(), 48.5);

    // Before the first layout nothing moves, not even to an end.
    view.SetDrawRect({100, 20, 100, 20});
    Key(VK_END);
    Key(VK_HOME, ssCtrl);
    EXPECT_DOUBLE_EQ(cursor.Pointer2Position(), 48.5);
    EXPECT_EQ(cursor.Pointer1Position(), 0);
    EXPECT_FALSE(std::isnan(cursor.HintPosition()));
}

TEST_F(PlotDataCursor, FocusSelectsTheBoundChannelAndTakesOverAnotherSelectedChannel) {
    TiPlotChannel& second = Get<TiPlotChannel>(K::Channel, master.Add(K::Channel));
    cursor.SetUserSelected(true);
    EXPECT_TRUE(channel.UserSelected());
    EXPECT_TRUE(cursor.UserSelected());
    second.SetUserSelected(true);
    EXPECT_EQ(cursor.ChannelName(), second.Name());
    EXPECT_TRUE(cursor.UserSelected());
    // Anything else chosen: the cursor lets go.
    view.SetUserSelected(true);
    EXPECT_FALSE(cursor.UserSelected());
}

TEST_F(PlotDataCursor, MenuOffersChannelsStylesOptionsInTranslatedCaptions) {
    master.AddTranslation("Period", "Periode");
    master.AddTranslation("Channel", "Kanal");
    channel.SetTitleText("Carrier\r\nwave");
    Get<TiPlotChannel>(K::Channel, master.Add(K::Channel)).SetVisible(false);
    cursor.SetMenuItemVisibleValueX(false);
    QMenu& menu = *host.PopupMenu();
    for (int fill = 0; fill < 2; ++fill)
        cursor.iMouseDown(mbRight, {}, 300, 60, 300, 60, &menu);
    EXPECT_EQ(menu.findChildren<QMenu*>(Qt::FindDirectChildrenOnly).size(), 3);
    EXPECT_EQ(Captions(menu),
              (QStringList{"Kanal", "Style", "Options", "Flip Alignment", "Edit..."}));
    QMenu& channels = *Item(menu, "Kanal")->menu();
    EXPECT_EQ(Captions(channels), (QStringList{"<All>", "Carrierwave"}));
    EXPECT_TRUE(Item(channels, "Carrierwave")->isChecked());
    QMenu& styles = *Item(menu, "Style")->menu();
    EXPECT_EQ(Captions(styles),
              (QStringList{"Value X-Y", "Value Y", "Periode", "Peak-Peak", "Frequency"}));
    Item(styles, "Periode")->trigger();
    EXPECT_EQ(cursor.Style(), ipcsDeltaX);
    Item(*Item(menu, "Options")->menu(), "Hide Hint On Release")->trigger();
    EXPECT_TRUE(cursor.HintHideOnRelease());
    Item(channels, "Carrierwave")->trigger();
    EXPECT_TRUE(channel.UserSelected());
    Item(channels, "<All>")->trigger();
    EXPECT_EQ(cursor.ChannelName(), "<All>");
    EXPECT_FALSE(channel.UserSelected());

    cursor.iMouseDown(mbRight, {}, 300, 60, 300, 60, &menu);
    EXPECT_FALSE(Item(menu, "Flip Alignment")->isEnabled());
    cursor.SetStyle(ipcsValueX);
    cursor.SetChannelName("Channel 1");
    cursor.SetMenuUserCanChangeOptions(false);
    cursor.iMouseDown(mbRight, {}, 300, 60, 300, 60, &menu);
    EXPECT_EQ(Item(menu, "Options"), nullptr);
    Item(menu, "Flip Alignment")->trigger();
    EXPECT_EQ(cursor.HintOrientationSide(), iosTopLeft);
}

TEST_F(PlotDataCursor, RemovedChannelOrViewLeavesNoDanglingLink) {
    EXPECT_EQ(cursor.GetChannel(), &channel);
    master.Delete(K::Channel, 0);
    EXPECT_EQ(cursor.GetChannel(), nullptr);
    EXPECT_EQ(cursor.ChannelName(), "Channel 1");
    cursor.Draw(canvas, clBlack);
    master.Delete(K::DataView, 0);
    EXPECT_EQ(cursor.DataView(), nullptr);
    EXPECT_EQ(cursor.GetPointer1Pixels(), 0);
    canvas.Clear();
    cursor.Draw(canvas, clBlack);
    EXPECT_TRUE(canvas.Records().empty());
    TiPlotMouseData data;
    EXPECT_FALSE(cursor.iMouseHitTest(data));
}

TEST_F(PlotDataCursor, DeletedFromItsOwnChangeReportOrHintHandler) {
    const auto deleteCursor = [this](TiPlotObject* object) {
        master.Delete(K::DataCursor, master.GetManager(K::DataCursor)->GetIndex(object));
    };
    host.OnDataCursorChangeAction = deleteCursor;
    cursor.SetPointer1Position(30);
    cursor.DoUpdate();
    EXPECT_EQ(master.Count(K::DataCursor), 0);

    TiPlotDataCursor& second = Get<TiPlotDataCursor>(K::DataCursor, master.Add(K::DataCursor));
    second.SetVisible(true);
    host.OnDataCursorCustomizeHint = [&](TiPlotObject* object, QString&) {
        host.OnDataCursorCustomizeHint = nullptr;
        deleteCursor(object);
    };
    second.Draw(canvas, clBlack);
    EXPECT_EQ(master.Count(K::DataCursor), 0);
}

TEST_F(PlotDataCursor, HintBetweenHorizontalPointersMovesSideways) {
    cursor.SetStyle(ipcsDeltaY);
    cursor.SetPointer1Position(75);
    cursor.SetPointer2Position(25);
    cursor.Draw(canvas, clBlack);
    const TRect box = cursor.HintRect();
    EXPECT_EQ((box.Left + box.Right) / 2, 300);
    EXPECT_EQ((box.Top + box.Bottom) / 2, 120);
    // The connector runs vertically from one pointer to the other through the box.
    const auto lines = canvas.RecordsOf(Op::LineTo);
    EXPECT_EQ(lines[2].Points, (std::vector<TPoint>{{300, 70}, {300, 170}}));
    Press(300, 120);
    Move(340, 150);
    Release(340, 150);
    EXPECT_DOUBLE_EQ(cursor.HintPosition(), 60);
    EXPECT_EQ(cursor.Pointer1Position(), 75);
}
