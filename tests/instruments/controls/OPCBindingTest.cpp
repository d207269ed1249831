#include "FakeDataAccess.h"
#include "InputSender.h"
#include "instruments/controls/iCheckBox.h"
#include "instruments/controls/iKnob.h"
#include "instruments/controls/iModeComboBox.h"
#include "instruments/controls/iSwitchLever.h"
#include "instruments/framework/iFormLoading.h"
#include "platform/StringList.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A control bound through the fake layer: Bind adds an item for the property and connects it.
class OPCBindingTest : public testing::Test {
protected:
    TiOPCItem& Bind(TiVCLComponent& control, const QString& property) {
        TiOPCItem& item = *control.GetOPCItem(control.OPCAddItem());
        item.SetPropertyName(property);
        item.SetServerName("Fake.Server");
        item.SetItemName("Device." + property);
        item.Activate();
        return item;
    }
    FakeGroup& Group() const { return layer.LastServer().LastGroup(); }

    FakeDataAccess layer;
    ScopedDataAccess installed{layer};
};

TEST_F(OPCBindingTest, KnobTakesTheServersPositionWithoutSendingItBackAndSendsAFinishedDrag) {
    TiKnob knob;
    knob.resize(145, 145);
    Bind(knob, "Position");
    QStringList events;
    knob.OnBeforeNewOPCData = [&](QObject*, int index, QVariant& data) {
        events << QString("before %1 %2").arg(index).arg(data.toString());
    };
    knob.OnNewOPCData = [&](QObject*, int index) { events << QString("new %1").arg(index); };
    Group().Deliver(3.5);
    EXPECT_EQ(knob.Position(), 3.5);
    EXPECT_TRUE(Group().Writes.empty());
    EXPECT_EQ(events, QStringList({"before 0 3.5", "new 0"}));

    knob.SetPosition(50);
    ASSERT_EQ(Group().Writes.size(), 1u) << "a change made by the program is sent";
    InputSender input(knob);
    input.Press({62, 72});
    input.Move({62, 73});
    EXPECT_EQ(Group().Writes.size(), 1u) << "nothing is sent during the drag";
    input.Release({62, 73});
    ASSERT_EQ(Group().Writes.size(), 2u);
    EXPECT_EQ(Group().Writes.back().second.toDouble(), knob.Position());
}

TEST_F(OPCBindingTest, BeforeHandlerMayChangeTheValueAndAChangeInsideOnNewDataIsStillSent) {
    TiKnob knob;
    Bind(knob, "position");
    knob.OnBeforeNewOPCData = [](QObject*, int, QVariant& data) { data = data.toDouble() * 2; };
    knob.OnNewOPCData = [&](QObject*, int) {
        if (knob.Position() == 8) knob.SetPosition(9);
    };
    Group().Deliver(4.0);
    EXPECT_EQ(knob.Position(), 9);
    ASSERT_EQ(Group().Writes.size(), 1u);
    EXPECT_EQ(Group().Writes.front().second.toDouble(), 9);
}

TEST_F(OPCBindingTest, BooleanTextsAndNumbersSetTheBoundProperty) {
    TiSwitchLever lever;
    Bind(lever, "Active");
    const std::vector<std::pair<QVariant, bool>> cases = {
        {"True", true}, {"0", false},  {"7", true},  {" off ", false}, {"FALSE", false},
        {"0.0", false}, {"yes", true}, {true, true}, {false, false},   {0, false}};
    for (const auto& [value, expected] : cases) {
        Group().Deliver(value);
        EXPECT_EQ(lever.Active(), expected) << value.toString().toStdString();
    }
    EXPECT_TRUE(Group().Writes.empty());
}

TEST_F(OPCBindingTest, IntegerPropertyRoundsHalfToEvenAndDropsWhatIsNoNumber) {
    TiKnob knob;
    TiOPCItem& item = Bind(knob, "IndicatorSize");
    Group().Deliver(6.5);
    EXPECT_EQ(knob.IndicatorSize(), 6);
    Group().Deliver("7.5");
    EXPECT_EQ(knob.IndicatorSize(), 8);
    Group().Deliver("abc");
    EXPECT_EQ(knob.IndicatorSize(), 8);
    EXPECT_EQ(knob.OPCDroppedValueCount(), 1);
    item.SetPropertyName("Position");
    Group().Deliver("not a number");
    EXPECT_EQ(knob.OPCDroppedValueCount(), 2);
}

TEST_F(OPCBindingTest, DottedNameReachesAnOwnedObjectsProperty) {
    TiCheckBox box;
    Bind(box, "Font.Color");
    Group().Deliver(255);
    EXPECT_EQ(box.Font()->Color(), 255);
}

TEST_F(OPCBindingTest, BadQualityLeavesThePropertyAndTogglesTheErrorState) {
    TiKnob knob;
    TiOPCItem& item = Bind(knob, "Position");
    item.SetAutoError(true);
    Group().Deliver(3.0);
    int told = 0;
    knob.OnNewOPCData = [&](QObject*, int) { ++told; };
    Group().Deliver(7.0, TDataAccessQuality::BadCommFailure);
    EXPECT_EQ(knob.Position(), 3.0);
    EXPECT_TRUE(knob.ErrorActive());
    EXPECT_EQ(told, 1);
    Group().Deliver(5.0);
    EXPECT_FALSE(knob.ErrorActive());
    Group().Deliver(7.0, TDataAccessQuality::Bad);
    knob.OPCRemoveAllItems();
    EXPECT_FALSE(knob.ErrorActive());
}

TEST_F(OPCBindingTest, FailedWriteOfAProgramChangeKeepsTheChangeAndIsToldNotRaised) {
    TiKnob knob;
    TiOPCItem& item = Bind(knob, "Position");
    item.SetAutoError(true);
    QStringList told;
    knob.OnOPCError = [&](QObject*, int index, const QString& message) {
        told << QString::number(index) + " " + message;
    };
    Group().WriteRaises = true;
    EXPECT_NO_THROW(knob.SetPosition(20));
    EXPECT_EQ(knob.Position(), 20);
    EXPECT_TRUE(knob.ErrorActive());
    EXPECT_EQ(told, QStringList{"0 Data Write Failure"});
    EXPECT_THROW(knob.SetOPCItemData(0, 21), Exception);
    Group().WriteRaises = false;
    Group().Deliver(20.0);
    EXPECT_FALSE(knob.ErrorActive());
    Group().CompleteWrite(EDataAccessError(TDataAccessCode::Refused, "read-only"));
    EXPECT_TRUE(knob.ErrorActive());
}

TEST_F(OPCBindingTest, ModeComboBoxHoldsASentChangeBackUntilTheServerConfirmsIt) {
    TiModeComboBox box;
    box.AddItem("Off", 0);
    box.AddItem("Slow", 10);
    box.AddItem("Fast", 20);
    box.SetItemIndex(0);
    TiOPCItem& item = *box.GetOPCItem(box.OPCAddItem());
    item.SetPropertyName("Value");
    item.SetServerName("Fake.Server");
    item.SetItemName("Device.Mode");
    item.SetAutoError(true);
    box.OPCItemActivateSend(0);
    ASSERT_EQ(Group().Writes.size(), 1u);
    EXPECT_EQ(Group().Writes.back().second, QVariant(0));
    box.SetItemIndex(2);
    EXPECT_EQ(box.ItemIndex(), 0) << "shown only once the server's value comes back";
    EXPECT_EQ(Group().Writes.back().second, QVariant(20));
    Group().Deliver(20);
    EXPECT_EQ(box.GetValue(), 20);
    EXPECT_EQ(Group().Writes.size(), 2u) << "the server's value is not sent back";
    Group().Deliver(QVariant(), TDataAccessQuality::BadNotConnected);
    EXPECT_TRUE(box.ErrorActive());
    Group().Deliver(10);
    EXPECT_FALSE(box.ErrorActive());
    EXPECT_EQ(box.GetValue(), 10);
}

TEST_F(OPCBindingTest, ShutdownThenAWriteReportsNoGroup) {
    TiKnob knob;
    Bind(knob, "Position");
    layer.LastServer().Lost = EDataAccessError(TDataAccessCode::NotConnected, "gone");
    layer.LastServer().RequestShutdown();
    try {
        knob.SetOPCItemData(0, 1.0);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Data Write Failure - Not Connected to Group");
    }
}

TEST_F(OPCBindingTest, ControlDestroyedFromItsOwnNewDataHandlerIsSafe) {
    auto* knob = new TiKnob;
    Bind(*knob, "Position");
    const std::shared_ptr<FakeGroup> held = layer.LastServer().Groups.back().lock();
    knob->OnNewOPCData = [&](QObject*, int) { delete knob; };
    held->Deliver(1.0);
    held->Deliver(2.0);
    EXPECT_TRUE(held->Callbacks.empty());
}

TEST_F(OPCBindingTest, PropertyFileHoldsTwoItemsWithTheirNumbersEvenAtTheirInitialValues) {
    QTemporaryDir dir;
    const QString file = dir.filePath("knob.txt");
    TiKnob knob;
    knob.SavePropertiesToFile(file);
    TStringList lines;
    lines.LoadFromFile(file);
    EXPECT_EQ(lines.Text().indexOf("OPCItems"), -1) << "no items, no entry";

    TiOPCItem& first = *knob.GetOPCItem(knob.OPCAddItem());
    first.SetPropertyName("Position");
    first.SetServerName("Fake.Server");
    first.SetItemName("It's.Value");
    first.SetAutoConnect(false);
    TiOPCItem& second = *knob.GetOPCItem(knob.OPCAddItem());
    second.SetPropertyName("PositionMax");
    second.SetComputerName("");
    second.SetUpdateRate(250);
    second.SetAutoError(true);
    knob.SavePropertiesToFile(file);
    lines.LoadFromFile(file);
    const QStringList text = lines.Text().remove(QChar(13)).split(QChar(10));
    const qsizetype start = text.indexOf("OPCItems = <");
    ASSERT_GE(start, 0);
    EXPECT_EQ(text.mid(start, 18),
              QStringList({"OPCItems = <", "  item", "    PropertyName = 'Position'",
                           "    ComputerName = 'Local'", "    ServerName = 'Fake.Server'",
                           "    ItemName = 'It''s.Value'", "    UpdateRate = 500",
                           "    AutoConnect = False", "    AutoError = False", "  end", "  item",
                           "    PropertyName = 'PositionMax'", "    UpdateRate = 250",
                           "    AutoConnect = True", "    AutoError = True", "  end", ">", ""}));

    TiKnob loaded;
    loaded.LoadPropertiesFromFile(file);
    ASSERT_EQ(loaded.OPCItemCount(), 2);
    EXPECT_EQ(loaded.GetOPCItemItemName(0), "It's.Value");
    EXPECT_FALSE(loaded.GetOPCItemAutoConnect(0));
    // An empty name is not stored and reads back as the initial "Local": the same computer.
    EXPECT_EQ(loaded.GetOPCItemComputerName(1), "Local");
    EXPECT_EQ(loaded.GetOPCItemUpdateRate(1), 250);
    EXPECT_TRUE(loaded.GetOPCItem(1)->AutoError());
    EXPECT_FALSE(loaded.GetOPCItem(0)->Active());
}

TEST_F(OPCBindingTest, FormDescriptionConnectsItsItemsAsTheFormLoads) {
    QWidget form;
    TiFormLoading loading(form);
    auto* knob = new TiKnob(&form);
    knob->setProperty("OPCItems", "<\n item\n  PropertyName = 'Position'\n  ServerName = "
                                  "'Fake.Server'\n  ItemName = 'Device.Sine'\n  UpdateRate = 100\n"
                                  "  AutoConnect = True\n  AutoError = False\n end\n>");
    loading.Finish();
    ASSERT_EQ(knob->OPCItemCount(), 1);
    EXPECT_TRUE(knob->GetOPCItem(0)->Active());
    EXPECT_EQ(layer.LastServer().GroupDefinitions.front().UpdateRate, 100);
    EXPECT_FALSE(knob->property("OPCItems").isValid());
}

TEST_F(OPCBindingTest, MalformedItemsTextRaises) {
    QTemporaryDir dir;
    const QString file = dir.filePath("bad.txt");
    TStringList lines;
    lines.Add("File Type = TiKnob");
    lines.Add("OPCItems = <");
    lines.Add("  item");
    lines.Add("    Nonsense = 1");
    lines.Add("  end");
    lines.Add(">");
    lines.SaveToFile(file);
    TiKnob knob;
    EXPECT_THROW(knob.LoadPropertiesFromFile(file), Exception);
    lines.Delete(3);
    lines.Delete(3);
    lines.SaveToFile(file);
    EXPECT_THROW(knob.LoadPropertiesFromFile(file), Exception) << "an item never ended";
}

} // namespace
