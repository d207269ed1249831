#include "GuardCatchWatch.h"
#include "PlotTestHost.h"
#include "plot/iPlotButton.h"
#include "plot/iPlotLayoutObject.h"

#include "../data/DataListTestSupport.h"

#include <QAction>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A layout object of no particular kind, created through the two-phase protocol.
class TestLayoutObject : public TiPlotLayoutObject {
public:
    using TiPlotLayoutObject::TiPlotLayoutObject;
    void DoMouseUp(const TiPlotMouseData& data) override {
        if (MouseIsDown() && DrawRect().Contains({data.X, data.Y})) Owner()->DoObjectClick(this);
    }
};

class PlotObjectTest : public ::testing::Test {
protected:
    TestLayoutObject* Make() {
        auto* object = new TestLayoutObject(&host, hooks.Hooks());
        object->SetName(QStringLiteral("Object"));
        object->SetDrawRect({10, 10, 50, 30});
        return object;
    }

    TestPlotHost host;
    CountingHooks hooks;
};

TEST_F(PlotObjectTest, ConstructionChecksOwnerAndHooksInOrder) {
    TiPlotObjectHooks full = hooks.Hooks();
    ExpectError([&] { TestLayoutObject(nullptr, {}); }, "Owner must be assigned");
    TiPlotObjectHooks h = full;
    h.OnChange = nullptr;
    h.OnInsert = nullptr;
    ExpectError([&] { TestLayoutObject(&host, h); }, "OnChange event handler can not be null");
    h = full;
    h.OnInsert = nullptr;
    ExpectError([&] { TestLayoutObject(&host, h); }, "OnInsert event handler can not be null");
    h = full;
    h.OnRemove = nullptr;
    ExpectError([&] { TestLayoutObject(&host, h); }, "OnRemove event handler can not be null");
    h = full;
    h.OnRename = nullptr;
    ExpectError([&] { TestLayoutObject(&host, h); }, "AOnRename event handler can not be null");
    ExpectError([&] { CheckPlotObjectArguments(nullptr, full, true); }, "Owner must be Assigned");
    // A button checks nothing.
    TiPlotButton* button = new TiPlotButton(nullptr);
    button->Destroy();
}

TEST_F(PlotObjectTest, PercentSettersKeepFivePercentApartWithinRange) {
    TestLayoutObject* object = Make();
    object->SetStartPercent(98);
    EXPECT_EQ(object->StartPercent(), 95);
    EXPECT_EQ(object->StopPercent(), 100);
    object->SetStartPercent(0);
    object->SetStopPercent(2);
    EXPECT_EQ(object->StartPercent(), 0);
    EXPECT_EQ(object->StopPercent(), 5);
    object->SetStopPercent(60);
    object->SetStartPercent(58);
    EXPECT_EQ(object->StartPercent(), 58);
    EXPECT_EQ(object->StopPercent(), 63);
    object->SetStartPercent(-40);
    EXPECT_EQ(object->StartPercent(), 0);
    object->SetStopPercent(1e308);
    EXPECT_EQ(object->StopPercent(), 100);
    object->SetStopPercent(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(object->StopPercent(), 100);
    object->Destroy();
}

TEST_F(PlotObjectTest, StartStopPercentKeepsStartAtMostStop) {
    TestLayoutObject* object = Make();
    object->SetStartStopPercent(80, 20);
    EXPECT_EQ(object->StartPercent(), 20);
    EXPECT_EQ(object->StopPercent(), 20);
    object->SetStartStopPercent(-5, 250);
    EXPECT_EQ(object->StartPercent(), 0);
    EXPECT_EQ(object->StopPercent(), 100);
    object->SetStartStopPercent(10, 30);
    EXPECT_EQ(object->StartPercent(), 10);
    EXPECT_EQ(object->StopPercent(), 30);
    object->Destroy();
}

TEST_F(PlotObjectTest, KeyStringsArePadded) {
    TestLayoutObject* object = Make();
    object->SetZOrder(2);
    object->SetStartPercent(12.5);
    object->SetLayer(100);
    EXPECT_EQ(object->GetZOrderString(), "002");
    EXPECT_EQ(object->GetStartPercentString(), "012");
    EXPECT_EQ(object->GetLayerString(), "000100");
    object->SetZOrder(std::numeric_limits<int>::max());
    EXPECT_EQ(object->ZOrder(), TiPlotLayoutObject::MaxZOrder);
    object->Destroy();
}

TEST_F(PlotObjectTest, SettersReportOnlyChanges) {
    TestLayoutObject* object = Make();
    const int changes = hooks.Changes;
    object->SetVisible(true);
    object->SetLayer(100);
    EXPECT_EQ(hooks.Changes, changes);
    object->SetVisible(false);
    EXPECT_EQ(hooks.Changes, changes + 1);
    int layoutChanges = 0;
    object->OnLayoutChange = [&](QObject*) { ++layoutChanges; };
    object->SetZOrder(3);
    object->SetHorizontal(true);
    object->SetStartPercent(20);
    EXPECT_EQ(layoutChanges, 2);
    object->OnLayoutChange = nullptr;
    object->Destroy();
}

TEST_F(PlotObjectTest, RenameKeepsOldNameAndNotifiesBeforeChange) {
    TestLayoutObject* object = Make();
    std::vector<QString> order;
    object->OnRename = [&](QObject*) { order.push_back("rename " + object->OldName()); };
    object->OnChange = [&](QObject*) { order.push_back("change " + object->Name()); };
    object->SetName("Time");
    object->SetName("Time");
    EXPECT_EQ(order, (std::vector<QString>{"rename Object", "change Time"}));
    object->Destroy();
}

TEST_F(PlotObjectTest, DestroyNotifiesRemovalThenLayoutAndChange) {
    TestLayoutObject* object = Make();
    std::vector<QString> order;
    object->OnRemove = [&](QObject*) { order.push_back("remove"); };
    object->OnLayoutChange = [&](QObject*) { order.push_back("layout"); };
    object->OnChange = [&](QObject*) { order.push_back("change"); };
    object->Destroy();
    EXPECT_EQ(order, (std::vector<QString>{"remove", "layout", "change"}));
}

TEST_F(PlotObjectTest, SelectionRepaintsAtOnceAndReportsFocus) {
    TestLayoutObject* object = Make();
    int focusNotices = 0;
    object->OnInvalidateNow = [&](QObject*) { host.InvalidateNow(); };
    object->OnSetFocus = [&](QObject*) { ++focusNotices; };
    object->SetUserSelected(true);
    EXPECT_EQ(host.ImmediateRepaints, 1);
    EXPECT_EQ(focusNotices, 1);
    object->SetEnabled(false);
    EXPECT_FALSE(object->UserSelected());
    EXPECT_EQ(host.Events, (std::vector<QString>{"GotFocus Object", "LostFocus Object"}));
    object->Destroy();
}

TEST_F(PlotObjectTest, RightButtonFillsAndShowsThePopupUnlessCancelled) {
    TestLayoutObject* object = Make();
    int edits = 0;
    object->OnEdit = [&](QObject*) { ++edits; };
    host.PopupMenu()->addAction("stale");
    object->iMouseDown(mbRight, {}, 20, 20, 200, 300, host.PopupMenu());
    EXPECT_TRUE(host.PopupMenu()->actions().isEmpty());
    EXPECT_EQ(host.PopupsShown, 1);

    object->SetUserCanEdit(true);
    object->AddMenuItems(host.PopupMenu());
    object->AddEditMenuItems(host.PopupMenu());
    ASSERT_EQ(host.PopupMenu()->actions().size(), 1);
    EXPECT_EQ(host.PopupMenu()->actions()[0]->text(), "Edit...");
    host.PopupMenu()->actions()[0]->trigger();
    EXPECT_EQ(edits, 1);

    host.CancelPopup = true;
    object->iMouseDown(mbRight, {}, 20, 20, 200, 300, host.PopupMenu());
    EXPECT_EQ(host.PopupsShown, 1);
    object->SetPopupEnabled(false);
    object->iMouseDown(mbRight, {}, 20, 20, 200, 300, host.PopupMenu());
    EXPECT_EQ(host.Events.size(), 2u);
    object->Destroy();
}

TEST_F(PlotObjectTest, MouseDataExchangesAxisPixelsWhenReversed) {
    TiPlotMouseData data;
    data.X = 3;
    data.Y = 7;
    data.CalcAxisPixels(true);
    EXPECT_EQ(data.XAxisPixels, 7);
    EXPECT_EQ(data.YAxisPixels, 3);
}

TEST_F(PlotObjectTest, DeletingAnObjectInsideItsOwnEventsTouchesNoFreedMemory) {
    TestLayoutObject* object = Make();
    host.OnClickAction = [](TiPlotObject* o) { o->Destroy(); };
    object->iMouseDown(mbLeft, {}, 20, 20, 0, 0, nullptr);
    object->iMouseUp(mbLeft, {}, 20, 20, 0, 0, false);
    EXPECT_EQ(hooks.Removes, 1);

    object = Make();
    host.OnGotFocusAction = [](TiPlotObject* o) { o->Destroy(); };
    object->OnSetFocus = [](QObject*) {};
    object->SetUserSelected(true);

    object = Make();
    host.OnPopupAction = [](TiPlotObject* o) { o->Destroy(); };
    object->iMouseDown(mbRight, {}, 20, 20, 0, 0, host.PopupMenu());
    EXPECT_EQ(host.PopupsShown, 0);

    object = Make();
    object->OnRename = [object](QObject*) { object->Destroy(); };
    object->SetName("Gone");
    EXPECT_EQ(hooks.Removes, 4);
}

class PlotButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        button = new TiPlotButton(&host);
        button->SetDrawRect({0, 0, 17, 17});
        button->SetAutoRepeat(true);
        button->OnClick = [this](QObject*) { clicks.push_back(host.NowMilliseconds()); };
    }
    void TearDown() override {
        if (button) button->Destroy();
    }

    TestPlotHost host;
    TiPlotButton* button = nullptr;
    std::vector<int> clicks;
};

TEST_F(PlotButtonTest, HeldButtonRepeatsAfter500ThenEvery50AndOnceOnRelease) {
    button->iMouseDown(mbLeft, {}, 5, 5, 0, 0, nullptr);
    host.AdvanceMilliseconds(499);
    EXPECT_TRUE(clicks.empty());
    host.AdvanceMilliseconds(101);
    EXPECT_EQ(clicks, (std::vector<int>{500, 550, 600}));
    button->iMouseUp(mbLeft, {}, 5, 5, 0, 0, false);
    EXPECT_EQ(clicks.size(), 4u);
    host.AdvanceMilliseconds(500);
    EXPECT_EQ(clicks.size(), 4u);
}

TEST_F(PlotButtonTest, ReleasedOutsideOnlyTheTimedClicksHappened) {
    button->iMouseDown(mbLeft, {}, 5, 5, 0, 0, nullptr);
    host.AdvanceMilliseconds(550);
    button->iMouseUp(mbLeft, {}, 40, 5, 0, 0, false);
    EXPECT_EQ(clicks, (std::vector<int>{500, 550}));
    EXPECT_FALSE(button->Repeating());
}

TEST_F(PlotButtonTest, GroupClickComesBeforeClick) {
    std::vector<QString> order;
    button->SetAutoRepeat(false);
    button->SetGroupIndex(1);
    button->OnGroupClick = [&](QObject*) { order.push_back("group"); };
    button->OnClick = [&](QObject*) { order.push_back("click"); };
    button->iMouseDown(mbLeft, {}, 5, 5, 0, 0, nullptr);
    button->iMouseUp(mbLeft, {}, 5, 5, 0, 0, false);
    EXPECT_EQ(order, (std::vector<QString>{"group", "click"}));
}

TEST_F(PlotButtonTest, DisablingFromItsOwnTickStopsTheRepeat) {
    button->OnClick = [this](QObject*) {
        clicks.push_back(host.NowMilliseconds());
        button->SetEnabled(false);
    };
    button->iMouseDown(mbLeft, {}, 5, 5, 0, 0, nullptr);
    host.AdvanceMilliseconds(700);
    EXPECT_EQ(clicks, (std::vector<int>{500}));
}

TEST_F(PlotButtonTest, DestroyedFromItsOwnTickTouchesNoFreedMemory) {
    int invalidates = 0;
    button->OnInvalidate = [&](QObject*) { ++invalidates; };
    button->OnClick = [this](QObject*) { std::exchange(button, nullptr)->Destroy(); };
    button->iMouseDown(mbLeft, {}, 5, 5, 0, 0, nullptr);
    host.AdvanceMilliseconds(700);
    EXPECT_EQ(button, nullptr);
    EXPECT_EQ(invalidates, 1);
}

} // namespace

namespace {

TEST(PlotQtTimer, MayBeDestroyedFromItsOwnTick) {
    auto* timer = new TiPlotQtTimer();
    int ticks = 0;
    timer->SetInterval(1);
    timer->OnTimer = [&] {
        ++ticks;
        delete std::exchange(timer, nullptr);
    };
    timer->SetEnabled(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return timer == nullptr; }, 2000));
    QTest::qWait(10);
    EXPECT_EQ(ticks, 1);
}

TEST(PlotQtTimer, ThrowingTickEndsAtTheTimerAndTicksOn) {
    const ExpectedGuardCatches expected;
    TiPlotQtTimer timer;
    int ticks = 0;
    timer.SetInterval(1);
    timer.OnTimer = [&] {
        ++ticks;
        throw Exception("tick failed");
    };
    timer.SetEnabled(true);
    EXPECT_NO_THROW(EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 2; }, 2000)));
}

} // namespace
