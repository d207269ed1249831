#include "PlotTestKinds.h"
#include "plot/iPlotLabel.h"
#include "plot/iPlotLayoutManager.h"
#include "plot/iPlotTranslation.h"

#include "../data/DataListTestSupport.h"

#include <QAction>
#include <gtest/gtest.h>

namespace {

using K = TiPlotObjectKind;

class PlotManagerTest : public ::testing::Test {
protected:
    TestChannel* Channel(int index) { return plot.Get<TestChannel>(K::Channel, index); }
    TestAxis* XAxis(int index) { return plot.Get<TestAxis>(K::XAxis, index); }
    QString NameOf(K kind, int index) { return plot.Master->Get(kind, index)->Name(); }

    TestPlot plot;
    TiPlotMasterManager& master = *plot.Master;
};

TEST_F(PlotManagerTest, DefaultObjectsAreNamedAndLinked) {
    plot.AddDefaultObjects();
    EXPECT_EQ(NameOf(K::ToolBar, 0), "Toolbar 1");
    EXPECT_EQ(NameOf(K::Legend, 0), "Legend 1");
    EXPECT_EQ(NameOf(K::XAxis, 0), "X-Axis 1");
    EXPECT_EQ(NameOf(K::YAxis, 0), "Y-Axis 1");
    EXPECT_EQ(NameOf(K::Channel, 0), "Channel 1");
    EXPECT_EQ(NameOf(K::DataView, 0), "Data View 1");
    EXPECT_EQ(NameOf(K::DataCursor, 0), "Cursor 1");
    EXPECT_EQ(XAxis(0)->Title(), "X-Axis 1");
    EXPECT_EQ(Channel(0)->TitleText(), "Channel 1");
    EXPECT_EQ(Channel(0)->Color(), clRed);
    EXPECT_EQ(Channel(0)->XAxisName(), "X-Axis 1");
    EXPECT_EQ(Channel(0)->YAxisName(), "Y-Axis 1");
    auto* view = plot.Get<TestDataView>(K::DataView, 0);
    EXPECT_EQ(view->GridXAxisName(), "X-Axis 1");
    EXPECT_EQ(view->GridYAxisName(), "Y-Axis 1");
    auto* cursor = plot.Get<TestDataCursor>(K::DataCursor, 0);
    EXPECT_EQ(cursor->ChannelName(), "Channel 1");
    EXPECT_EQ(cursor->DataView, view);
    EXPECT_EQ(master.GetLabel(0)->Name(), "Title");
    // Every object, the two data-view stand-ins included.
    EXPECT_EQ(master.GetPlotObjectManager()->GetCount(), 10);
}

TEST_F(PlotManagerTest, AutomaticNamesFollowTheLargestNumber) {
    plot.AddDefaultObjects();
    master.RemoveAll(K::XAxis);
    master.Add(K::XAxis);
    EXPECT_EQ(NameOf(K::XAxis, 0), "X-Axis 1");
    master.Add(K::XAxis);
    master.Add(K::XAxis);
    master.Delete(K::XAxis, 1);
    master.Add(K::XAxis);
    EXPECT_EQ(NameOf(K::XAxis, 2), "X-Axis 4");

    Channel(0)->SetName("channel 7");
    master.Add(K::Channel);
    EXPECT_EQ(NameOf(K::Channel, 1), "Channel 8");
    Channel(0)->SetName("Channel");
    Channel(1)->SetName("Channel A");
    master.Add(K::Channel);
    EXPECT_EQ(NameOf(K::Channel, 2), "Channel 1");
    Channel(2)->SetName("Channel 2147483647");
    master.Add(K::Channel);
    EXPECT_EQ(NameOf(K::Channel, 3), "Channel 2147483648");
    Channel(3)->SetName("Channel 9223372036854775807");
    master.Add(K::Channel);
    EXPECT_EQ(NameOf(K::Channel, 4), "Channel 9223372036854775807");
}

TEST_F(PlotManagerTest, ChannelAddedWithoutAxesKeepsEmptyAxisNames) {
    master.Add(K::Channel);
    EXPECT_EQ(Channel(0)->XAxisName(), "");
    EXPECT_EQ(Channel(0)->YAxisName(), "");
}

TEST_F(PlotManagerTest, NewChannelsTakeTheLeastUsedPaletteColour) {
    for (int i = 0; i < 3; ++i)
        master.Add(K::Channel);
    EXPECT_EQ(Channel(0)->Color(), clRed);
    EXPECT_EQ(Channel(1)->Color(), clYellow);
    EXPECT_EQ(Channel(2)->Color(), clBlue);
    Channel(2)->SetColor(clFuchsia);
    master.Add(K::Channel);
    EXPECT_EQ(Channel(3)->Color(), clBlue);
    master.Add(K::Channel);
    EXPECT_EQ(Channel(4)->Color(), clAqua);
}

TEST_F(PlotManagerTest, LookUpsIgnoreCaseAndIndexErrorsLeaveTheManagers) {
    plot.AddDefaultObjects();
    EXPECT_EQ(master.GetByName(K::XAxis, "x-axis 1"), XAxis(0));
    EXPECT_EQ(master.GetIndexByName(K::XAxis, "x-AXIS 1"), 0);
    EXPECT_EQ(master.GetByName(K::XAxis, "Time"), nullptr);
    EXPECT_EQ(master.GetIndexByName(K::Channel, "Time"), -1);
    ExpectError([&] { master.Get(K::XAxis, 1); }, "List index out of bounds (1)");
    ExpectError([&] { master.Delete(K::Channel, -1); }, "List index out of bounds (-1)");
    EXPECT_EQ(master.Count(K::Channel), 1);
    ExpectError([&] { master.GetPlotObjectManager()->CreateObject(); },
                "Object Manager does not support creation of objects");
    ExpectError([&] { TiPlotToolBarManager(nullptr, master.Hooks(), master); },
                "Owner must be Assigned");
    TiPlotObjectHooks hooks = master.Hooks();
    hooks.OnRename = nullptr;
    ExpectError([&] { TiPlotToolBarManager(&plot.Host, hooks, master); },
                "AOnRename event handler can not be null");
}

TEST_F(PlotManagerTest, RenameRewritesReferencesUsedOrNot) {
    plot.AddDefaultObjects();
    master.Add(K::Channel);
    ASSERT_EQ(Channel(0)->XAxis(), XAxis(0));
    XAxis(0)->SetName("Time");
    EXPECT_EQ(Channel(0)->XAxisName(), "Time");
    // Channel 2 never resolved its reference; it follows all the same.
    EXPECT_EQ(Channel(1)->XAxisName(), "Time");
    EXPECT_EQ(Channel(1)->XAxis(), XAxis(0));
    EXPECT_EQ(plot.Get<TestDataView>(K::DataView, 0)->GridXAxisName(), "Time");
}

TEST_F(PlotManagerTest, AlignReferenceKeepsItsTextOnRename) {
    plot.AddDefaultObjects();
    master.Add(K::XAxis);
    XAxis(1)->SetAlignRefAxisName("X-Axis 1");
    EXPECT_EQ(XAxis(1)->GetAlignRefAxis(), XAxis(0));
    XAxis(0)->SetName("Time");
    EXPECT_EQ(XAxis(1)->AlignRefAxisName(), "X-Axis 1");
    EXPECT_EQ(XAxis(1)->GetAlignRefAxis(), XAxis(0));
}

TEST_F(PlotManagerTest, RemovalClearsTheLinkAndKeepsTheName) {
    plot.AddDefaultObjects();
    ASSERT_EQ(Channel(0)->XAxis(), XAxis(0));
    QObject* removed = XAxis(0);
    master.Delete(K::XAxis, 0);
    EXPECT_EQ(Channel(0)->XAxis(), nullptr);
    EXPECT_EQ(Channel(0)->XAxisName(), "X-Axis 1");
    EXPECT_EQ(plot.Host.Removed.back(), removed);
    EXPECT_EQ(master.GetPlotObjectManager()->GetIndex(removed), -1);
    EXPECT_EQ(master.GetLayoutManager()->GetIndex(removed), -1);
    master.Add(K::XAxis);
    EXPECT_EQ(Channel(0)->XAxis(), XAxis(0));
}

TEST_F(PlotManagerTest, TranslationsNewestFirstExactText) {
    plot.AddDefaultObjects();
    EXPECT_EQ(master.FindTranslation("Edit..."), "Edit...");
    EXPECT_EQ(master.AddTranslation("Edit...", "Modifier..."), 0);
    EXPECT_EQ(master.AddTranslation("Edit...", "Bearbeiten..."), 0);
    EXPECT_EQ(master.FindTranslation("edit..."), "edit...");
    EXPECT_EQ(master.FindTranslation("Edit..."), "Bearbeiten...");

    TiPlotObject* axis = XAxis(0);
    axis->AddMenuItems(plot.Host.PopupMenu());
    axis->AddEditMenuItems(plot.Host.PopupMenu());
    EXPECT_EQ(plot.Host.PopupMenu()->actions().at(0)->text(), "Bearbeiten...");

    const int changes = plot.Host.Changes;
    master.DeleteTranslation(0);
    EXPECT_EQ(plot.Host.Changes, changes + 1);
    EXPECT_EQ(master.FindTranslation("Edit..."), "Modifier...");
    ExpectError([&] { master.DeleteTranslation(3); }, "List index out of bounds (3)");
}

TEST_F(PlotManagerTest, TranslationsReadBackInTheirStoredOrder) {
    master.AddTranslation("Null", "Nul");
    master.AddTranslation("Null", "Nichts");
    TiPlotTranslationManager* translations = master.GetTranslationManager();
    const TiPlotCollection stored = translations->WriteToStream();
    translations->ReadFromStream(&stored);
    EXPECT_EQ(translations->GetCount(), 2);
    EXPECT_EQ(master.FindTranslation("Null"), "Nichts");
}

TEST_F(PlotManagerTest, CollectionsRoundTripInOrderAndEmptyOnesStayEmpty) {
    plot.AddDefaultObjects();
    master.Add(K::Channel);
    Channel(0)->SetName("Carrier");
    Channel(1)->SetName("Modulated");
    Channel(1)->SetXAxisName("Time");
    TiPlotObjectOwnedManager* channels = master.GetManager(K::Channel);
    const TiPlotCollection stored = channels->WriteToStream();
    channels->ReadFromStream(&stored);
    ASSERT_EQ(master.Count(K::Channel), 2);
    EXPECT_EQ(NameOf(K::Channel, 0), "Carrier");
    EXPECT_EQ(NameOf(K::Channel, 1), "Modulated");
    EXPECT_EQ(Channel(1)->XAxisName(), "Time");
    EXPECT_EQ(Channel(1)->Color(), clYellow);

    master.RemoveAll(K::Channel);
    const TiPlotCollection empty = channels->WriteToStream();
    EXPECT_TRUE(channels->DoWriteToStream());
    master.Add(K::Channel);
    channels->ReadFromStream(&empty);
    EXPECT_EQ(master.Count(K::Channel), 0);

    master.Add(K::Channel);
    channels->ReadFromStream(nullptr);
    EXPECT_EQ(master.Count(K::Channel), 0);
}

TEST_F(PlotManagerTest, ABadStoredValueLeavesNoHalfReadObject) {
    TiPlotObjectOwnedManager* channels = master.GetManager(K::Channel);
    const TiPlotCollection stored = {{{"Name", "A"}}, {{"Layer", "many"}}};
    EXPECT_THROW(channels->ReadFromStream(&stored), EConvertError);
    EXPECT_EQ(master.Count(K::Channel), 1);
    EXPECT_EQ(master.GetPlotObjectManager()->GetCount(), 3);
}

TEST_F(PlotManagerTest, EditAndReverseFlagsReachEveryObject) {
    plot.AddDefaultObjects();
    EXPECT_TRUE(Channel(0)->UserCanEdit());
    master.SetUserCanEditObjects(false);
    EXPECT_FALSE(XAxis(0)->UserCanEdit());
    master.Add(K::XAxis);
    EXPECT_FALSE(XAxis(1)->UserCanEdit());
    const int repaints = plot.Host.ImmediateRepaints;
    master.SetXYAxesReverse(true);
    EXPECT_TRUE(Channel(0)->XYAxesReversed());
    EXPECT_EQ(plot.Host.ImmediateRepaints, repaints + 1);
    QObject* edited = nullptr;
    master.OnEditLayoutObject = [&](QObject* object) { edited = object; };
    master.SetUserCanEditObjects(true);
    XAxis(0)->AddEditMenuItems(plot.Host.PopupMenu());
    plot.Host.PopupMenu()->actions().back()->trigger();
    EXPECT_EQ(edited, XAxis(0));
}

TEST_F(PlotManagerTest, SelectionIsOneObjectAtATimeThroughTheMaster) {
    plot.AddDefaultObjects();
    std::vector<QObject*> heard;
    Channel(0)->OnSetFocus = [&](QObject* o) {
        heard.push_back(o);
        master.NotificationSetFocus(o);
    };
    Channel(0)->SetUserSelected(true);
    EXPECT_EQ(heard, std::vector<QObject*>{Channel(0)});
    master.DeSelectAll();
    EXPECT_FALSE(Channel(0)->UserSelected());
}

TEST_F(PlotManagerTest, DeletingAnObjectFromItsOwnNoticesIsSafe) {
    plot.AddDefaultObjects();
    plot.Host.OnInvalidateNowAction = [this] { master.Delete(K::Channel, 0); };
    Channel(0)->SetUserSelected(true);
    EXPECT_EQ(master.Count(K::Channel), 0);

    XAxis(0)->OnRename = [this](QObject* object) {
        master.NotificationRename(object);
        master.Delete(K::XAxis, 0);
    };
    XAxis(0)->SetName("Gone");
    EXPECT_EQ(master.Count(K::XAxis), 0);
}

TEST_F(PlotManagerTest, TearingDownSendsNoNotices) {
    plot.AddDefaultObjects();
    const int changes = plot.Host.Changes;
    const size_t removed = plot.Host.Removed.size();
    plot.Master.reset();
    EXPECT_EQ(plot.Host.Changes, changes);
    EXPECT_EQ(plot.Host.Removed.size(), removed);
}

TEST_F(PlotManagerTest, FocusedInputReachesOnlySelectedObjects) {
    plot.AddDefaultObjects();
    TiPlotObjectManager* objects = master.GetPlotObjectManager();
    TestChannel* channel = Channel(0);
    channel->SetUserSelected(true);
    objects->SetShiftState(ssShift);
    EXPECT_EQ(XAxis(0)->ShiftState(), TShiftState(ssShift));
    objects->MouseDownFocusObjects(mbLeft, {}, 1, 1, 0, 0, nullptr);
    EXPECT_TRUE(channel->MouseIsDown());
    EXPECT_FALSE(XAxis(0)->MouseIsDown());
    EXPECT_FALSE(objects->MouseWheelFocusObjects(120, {}, {}));
    objects->MouseUpFocusObjects(mbLeft, {}, 1, 1, 0, 0, false);
    EXPECT_FALSE(channel->MouseIsDown());
    master.ShowToolBars(false);
    EXPECT_FALSE(master.Get(K::ToolBar, 0)->Visible());
}

TEST_F(PlotManagerTest, ClearingWithDetachedHooksLeavesNoEntries) {
    plot.AddDefaultObjects();
    master.GetPlotObjectManager()->ShutDownSetup();
    master.RemoveAll(K::Legend);
    EXPECT_EQ(master.Count(K::Legend), 0);
}

TEST_F(PlotManagerTest, LabelZeroIsTheTitle) {
    ExpectError([&] { master.DeleteLabel(0); },
                "Label Index 0 can not be Deleted (Resevered for Title)");
}

} // namespace
