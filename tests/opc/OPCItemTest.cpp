#include "ExceptionText.h"
#include "FakeDataAccess.h"
#include "opc/iOPCItem.h"
#include "opc/iOPCTypes.h"
#include "platform/PropertyWalker.h"

#include <QDateTime>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class OPCItemTest : public testing::Test {
protected:
    OPCItemTest() {
        manager.OnErrorState = [this](bool inError) { errorStates.push_back(inError); };
        manager.OnFailure = [this](TiOPCItem*, const QString& message) { failures << message; };
        manager.OnNewData = [this](TiOPCItem* item) { arrived.push_back(item->Data()); };
    }

    TiOPCItem& Bound(const QString& computer = "Local") {
        TiOPCItem& item = *manager.GetItem(manager.Add());
        item.SetPropertyName("Position");
        item.SetComputerName(computer);
        item.SetServerName("Fake.Server");
        item.SetItemName("Device.Value");
        return item;
    }
    bool InError() const { return !errorStates.empty() && errorStates.back(); }

    FakeDataAccess layer;
    ScopedDataAccess installed{layer};
    TiOPCItemManager manager;
    std::vector<bool> errorStates;
    QStringList failures;
    std::vector<QVariant> arrived;
};

TEST_F(OPCItemTest, PublishesItsSevenPropertiesInOrderWithTheirInitialValues) {
    TiOPCItem item;
    QStringList names;
    for (const QMetaProperty& property : PropertyWalker::Published(*item.metaObject()))
        names << property.name();
    EXPECT_EQ(names, QStringList({"PropertyName", "ComputerName", "ServerName", "ItemName",
                                  "UpdateRate", "AutoConnect", "AutoError"}));
    EXPECT_EQ(item.ComputerName(), "Local");
    EXPECT_EQ(item.UpdateRate(), 500);
    EXPECT_TRUE(item.AutoConnect());
    EXPECT_FALSE(item.AutoError());
    EXPECT_FALSE(item.Active());
}

TEST_F(OPCItemTest, ItemMissingANameNeverConnectsAndIgnoresWrites) {
    for (const char* blank : {"PropertyName", "ServerName", "ItemName"}) {
        TiOPCItem& item = Bound();
        item.setProperty(blank, "  ");
        item.Activate();
        EXPECT_FALSE(item.Active()) << blank;
        EXPECT_NO_THROW(item.SetData(1));
    }
    EXPECT_TRUE(layer.Created.empty());
}

TEST_F(OPCItemTest, LocalNamesInAnyCaseConnectOnThisComputer) {
    for (const char* computer : {"local", " Local ", ""}) {
        Bound(computer).Activate();
        EXPECT_EQ(layer.Created.back(), std::make_pair(QString(), QString("{Fake.Server}")));
    }
    EXPECT_TRUE(layer.ListComputers.empty());
}

TEST_F(OPCItemTest, ActivateMakesOneActiveGroupAndItemAtTheItemsRate) {
    TiOPCItem& item = Bound();
    item.SetUpdateRate(250);
    manager.OnRequestedType = [](const QString& name) {
        return name == "Position" ? quint16(vtR8) : quint16(vtEmpty);
    };
    item.Activate();
    ASSERT_TRUE(item.Active());
    const FakeServer& server = layer.LastServer();
    EXPECT_EQ(server.GroupDefinitions.front().UpdateRate, 250);
    EXPECT_TRUE(server.GroupDefinitions.front().Active);
    EXPECT_EQ(server.Shutdown.size(), 1u);
    const FakeGroup& group = server.LastGroup();
    EXPECT_EQ(group.Added.front().ItemId, "Device.Value");
    EXPECT_EQ(group.Added.front().RequestedType, vtR8);
    EXPECT_EQ(group.Callbacks.size(), 1u);
    EXPECT_EQ(item.CanonicalDataType(), vtR8);
}

TEST_F(OPCItemTest, EachFailedConnectionStepRaisesItsMessageAndLeavesTheItemInactive) {
    {
        ScopedDataAccess none(TDataAccess::Default());
        TiOPCItem& item = Bound();
        EXPECT_EQ(MessageOf([&] { item.Activate(); }), "Failed to Connect to Server");
        EXPECT_FALSE(item.Active());
    }
    layer.UnknownLocally << "Fake.Server";
    EXPECT_EQ(MessageOf([&] { Bound().Activate(); }),
              "Exception : Failed to Connect to Server - Class not registered");
    layer.UnknownLocally.clear();
    layer.CreateRaises = "host unreachable";
    EXPECT_EQ(MessageOf([&] { Bound().Activate(); }),
              "Exception : Failed to Connect to Server - host unreachable");
    layer.CreateRaises.reset();
    layer.CreatesNothing = true;
    EXPECT_EQ(MessageOf([&] { Bound().Activate(); }), "Failed to Connect to Server");
    QTRY_COMPARE(layer.LiveServers(), 0);
}

TEST_F(OPCItemTest, RefusedGroupOrItemRaisesAndLetsTheServerGo) {
    TiOPCItem& item = Bound();
    item.Activate();
    layer.Groups.RefuseGroups = true;
    EXPECT_EQ(MessageOf([&] { item.SetUpdateRate(100); }), "Failed to Add Group");
    EXPECT_FALSE(item.Active());
    layer.Groups.RefuseGroups = false;
    layer.Groups.RefuseItems = true;
    EXPECT_EQ(MessageOf([&] { item.Activate(); }), "Failed to Add Item");
    EXPECT_FALSE(item.Active());
    QTRY_COMPARE(layer.LiveServers(), 0);
}

TEST_F(OPCItemTest, ChangingANameOfAnActiveItemReconnectsAndThePropertyNameOnlyStores) {
    TiOPCItem& item = Bound();
    item.Activate();
    item.SetPropertyName("Value");
    EXPECT_EQ(layer.Created.size(), 1u);
    item.SetServerName("Other.Server");
    EXPECT_EQ(layer.Created.back().second, "{Other.Server}");
    item.SetComputerName("Local");
    item.SetItemName("Device.Other");
    item.SetUpdateRate(1000);
    item.SetAutoConnect(false);
    EXPECT_EQ(layer.Created.size(), 6u);
    QTRY_COMPARE(layer.LiveServers(), 1);
    EXPECT_EQ(layer.LastServer().GroupDefinitions.front().UpdateRate, 1000);
    item.Deactivate();
    item.SetServerName("Third.Server");
    EXPECT_EQ(layer.Created.size(), 6u);
}

TEST_F(OPCItemTest, RemoteServerIsFoundLocallyThenInTheComputersListThenByCategory) {
    Bound("plant-pc").Activate();
    EXPECT_EQ(layer.Created.back(), std::make_pair(QString("plant-pc"), QString("{Fake.Server}")));
    EXPECT_TRUE(layer.ListComputers.empty());

    layer.UnknownLocally << "Fake.Server";
    layer.List->Known["Fake.Server"] = "{listed}";
    Bound("plant-pc").Activate();
    EXPECT_EQ(layer.Created.back().second, "{listed}");
    EXPECT_EQ(layer.ListComputers, QStringList{"plant-pc"});

    layer.List->Known.clear();
    layer.List->Version1 << "Fake.Server";
    TiOPCItem& byCategory = Bound("plant-pc");
    byCategory.Activate();
    QTRY_COMPARE(layer.Created.back().second, QString("Fake.Server"));
    EXPECT_TRUE(byCategory.Active());
    EXPECT_EQ(layer.List->Enumerated, QStringList({"2.0", "1.0"}));
    EXPECT_EQ(layer.ListComputers.size(), 2) << "the list is made once per item";

    layer.List->Version1.clear();
    TiOPCItem& unknown = Bound("plant-pc");
    unknown.Activate();
    QTRY_COMPARE(failures.size(), 1);
    EXPECT_EQ(failures.front(),
              "Exception : Failed to Connect to Server - Unable to convert ProgID to CLSID");
    EXPECT_FALSE(unknown.Active());
}

TEST_F(OPCItemTest, MissingServerListRaisesItsMessage) {
    layer.UnknownLocally << "Fake.Server";
    layer.ListRaises = "access denied";
    EXPECT_EQ(MessageOf([&] { Bound("plant-pc").Activate(); }),
              "Exception : Failed to Connect to Server - Unable to Create IOPCServerList Object "
              ": access denied");
    layer.ListRaises.reset();
    layer.ListsNothing = true;
    EXPECT_EQ(MessageOf([&] { Bound("plant-pc").Activate(); }),
              "Exception : Failed to Connect to Server - Unable to Create IOPCServerList Object");
}

TEST_F(OPCItemTest, ValueArrivesWithItsQualityAndLocalTime) {
    TiOPCItem& item = Bound();
    item.Activate();
    // 2020-01-01 00:00 UTC in file time.
    const qint64 fileTime = (1577836800000LL + 11644473600000LL) * 10000;
    layer.LastServer().LastGroup().Deliver(3.5, TDataAccessQuality::Good, fileTime);
    EXPECT_EQ(item.Data(), QVariant(3.5));
    EXPECT_TRUE(item.GetQualityGood());
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(1577836800000LL, Qt::UTC).toLocalTime();
    EXPECT_NEAR(item.TimeStamp(), 43831.0 + local.offsetFromUtc() / 86400.0, 1e-9);
    layer.LastServer().LastGroup().Deliver(4.0, TDataAccessQuality::Uncertain);
    EXPECT_EQ(item.TimeStamp(), 0.0);
    EXPECT_FALSE(item.GetQualityGood());
    EXPECT_EQ(arrived.size(), 2u);
}

TEST_F(OPCItemTest, GroupWithoutDataCallbackDeliversThroughTheTimedStream) {
    layer.Groups.OffersDataCallback = false;
    TiOPCItem& item = Bound();
    item.Activate();
    FakeGroup& group = layer.LastServer().LastGroup();
    EXPECT_EQ(group.StreamFormat, OPCStreamFormat::DataTime);
    ASSERT_EQ(group.Sinks.size(), 1u);
    group.DeliverStream(OPCStreamFormat::DataTime, QByteArray(4, '\0'));
    EXPECT_TRUE(arrived.empty()) << "a stream shorter than its header";
    group.DeliverStream(OPCStreamFormat::WriteComplete, QByteArray(64, '\0'));
    EXPECT_TRUE(arrived.empty());
    item.Deactivate();
    EXPECT_TRUE(group.Sinks.empty());
}

TEST_F(OPCItemTest, WriteRaisesForEachMissingConnectionAndForARefusal) {
    TiOPCItem& item = Bound();
    item.Activate();
    FakeGroup& group = layer.LastServer().LastGroup();
    item.SetData(7);
    ASSERT_EQ(group.Writes.size(), 1u);
    EXPECT_EQ(group.Writes.front().second, QVariant(7));
    group.WriteRaises = true;
    EXPECT_EQ(MessageOf([&] { item.SetData(8); }), "Data Write Failure");
    group.WriteRaises = false;
    group.CompleteWrite(EDataAccessError(TDataAccessCode::Refused, "read-only"));
    EXPECT_EQ(failures, QStringList{"Data Write Failure"});

    layer.LastServer().RequestShutdown();
    EXPECT_EQ(MessageOf([&] { item.SetData(9); }), "Data Write Failure - Not Connected to Group");
    item.Deactivate();
    EXPECT_NO_THROW(item.SetData(10));
}

TEST_F(OPCItemTest, GroupActivationWithoutGroupRaises) {
    TiOPCItem& item = Bound();
    EXPECT_EQ(MessageOf([&] { item.UpdateResume(); }),
              "Group can not be Activated when group does not exists.");
    EXPECT_EQ(MessageOf([&] { item.UpdateSuspend(); }),
              "Group can not be Deactivated when group does not exists.");
    item.Activate();
    item.UpdateSuspend();
    EXPECT_FALSE(layer.LastServer().LastGroup().Active);
    item.UpdateResume();
    EXPECT_TRUE(layer.LastServer().LastGroup().Active);
}

TEST_F(OPCItemTest, ShutdownLeavesTheItemNotConnectedUntilTheServerAnswersAgain) {
    TiOPCItem& item = Bound();
    item.SetAutoError(true);
    item.Activate();
    layer.LastServer().LastGroup().Deliver(1.0);
    ASSERT_FALSE(InError());
    FakeServer& server = layer.LastServer();
    server.Lost = EDataAccessError(TDataAccessCode::NotConnected, "gone");
    server.RequestShutdown();
    EXPECT_TRUE(item.Active());
    EXPECT_EQ(item.Quality(), TDataAccessQuality::BadNotConnected);
    EXPECT_TRUE(InError());
    EXPECT_EQ(server.RemovedGroups.size(), 1u);
    EXPECT_EQ(MessageOf([&] { item.SetData(2.0); }), "Data Write Failure - Not Connected to Group");
    QTest::qWait(1200);
    EXPECT_EQ(layer.Created.size(), 1u) << "no reconnection while the server cannot be reached";
    server.Lost.reset();
    QTRY_COMPARE_WITH_TIMEOUT(layer.Created.size(), size_t(2), 3000);
    layer.LastServer().LastGroup().Deliver(3.0);
    EXPECT_FALSE(InError());
    EXPECT_NO_THROW(item.SetData(4.0));
}

TEST_F(OPCItemTest, AutoErrorShowsAnyItemInErrorUntilAGoodValueOrTheItemGoes) {
    layer.CreatesNothing = true;
    TiOPCItem& failing = Bound();
    failing.SetAutoError(true);
    failing.Loaded();
    EXPECT_TRUE(InError()) << "an item that cannot connect";
    EXPECT_EQ(failures, QStringList{"Failed to Connect to Server"});
    failing.SetAutoError(false);
    EXPECT_FALSE(InError());
    failing.SetAutoError(true);
    EXPECT_TRUE(InError());
    layer.CreatesNothing = false;

    TiOPCItem& second = Bound();
    second.SetAutoError(true);
    second.Activate();
    FakeGroup& group = layer.LastServer().LastGroup();
    group.Deliver(1.0);
    EXPECT_TRUE(InError()) << "the first item is still in error";
    failing.Activate();
    layer.LastServer().LastGroup().Deliver(1.0);
    EXPECT_FALSE(InError());
    group.Deliver(QVariant(), TDataAccessQuality::BadCommFailure);
    EXPECT_TRUE(InError());
    group.Deliver(2.0);
    EXPECT_FALSE(InError());
    group.Deliver(QVariant(), TDataAccessQuality::BadCommFailure);
    manager.Clear();
    EXPECT_FALSE(InError());
}

TEST_F(OPCItemTest, ErrorStateIsLeftAloneWithoutAutoError) {
    TiOPCItem& item = Bound();
    item.Activate();
    layer.LastServer().LastGroup().Deliver(QVariant(), TDataAccessQuality::Bad);
    manager.Clear();
    EXPECT_TRUE(errorStates.empty());
}

TEST_F(OPCItemTest, LoadedConnectsOnlyWithAutoConnectOutsideDesignMode) {
    TiOPCItem& item = Bound();
    item.SetAutoConnect(false);
    item.Loaded();
    EXPECT_FALSE(item.Active());
    item.SetAutoConnect(true);
    bool designing = true;
    manager.OnDesigning = [&] { return designing; };
    item.Loaded();
    EXPECT_FALSE(item.Active());
    designing = false;
    item.Loaded();
    EXPECT_TRUE(item.Active());
}

TEST_F(OPCItemTest, ItemDestroyedFromItsOwnNewDataHandlerGetsNoMoreValues) {
    TiOPCItem& item = Bound();
    item.Activate();
    FakeGroup& group = layer.LastServer().LastGroup();
    // Held as the layer holds a group in the middle of its notification.
    const std::shared_ptr<FakeGroup> held = layer.LastServer().Groups.back().lock();
    int calls = 0;
    manager.OnNewData = [&](TiOPCItem*) {
        ++calls;
        manager.Clear();
    };
    group.Deliver(1.0);
    group.Deliver(2.0);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(group.Callbacks.empty());
    EXPECT_EQ(group.Removed.size(), 1u);
}

TEST_F(OPCItemTest, CallbacksOfAGoneItemReachNothing) {
    auto link = std::make_shared<TiOPCItem*>(nullptr);
    auto callback = std::make_shared<TiOPCDataCallback>(link, nullptr, nullptr);
    callback->OnDataChange(0, {{0, 5, TDataAccessQuality::Good, 0}});
    callback->OnWriteComplete(0, 0, std::nullopt);
    EXPECT_EQ(callback->Last().Value, QVariant(5));
    auto shutdown = std::make_shared<TiOPCShutdownCallback>(link, nullptr);
    shutdown->ShutdownRequest("bye");
    EXPECT_EQ(shutdown->LastReason(), "bye");
}

TEST_F(OPCItemTest, ManagerIndexesItsItemsAndRaisesOutOfRange) {
    Bound();
    TiOPCItem& second = Bound();
    EXPECT_EQ(manager.GetCount(), 2);
    EXPECT_EQ(manager.FindIndex(&second), 1);
    TiOPCItem stranger;
    EXPECT_EQ(manager.FindIndex(&stranger), -1);
    EXPECT_EQ(MessageOf([&] { manager.GetItem(2); }), "List index out of bounds (2)");
    EXPECT_EQ(second.Manager(), &manager);
}

} // namespace
