#include "EventLoopWatch.h"
#include "UaSharedPeer.h"
#include "opcua/UaDataAccess.h"

#include <QCoreApplication>
#include <QEvent>
#include <gtest/gtest.h>

namespace {

// Keeps what a group tells its owner.
class RecordingCallback : public TDataAccessDataCallback {
public:
    void OnDataChange(quint32 group, const std::vector<TDataAccessItemValue>& values) override {
        groups.push_back(group);
        for (const TDataAccessItemValue& value : values)
            received.push_back(value);
    }
    void OnWriteComplete(quint32, quint32 item,
                         const std::optional<EDataAccessError>& error) override {
        writes.push_back({item, error ? error->Message() : QString()});
    }
    const TDataAccessItemValue* Last(quint32 item) const {
        for (auto it = received.rbegin(); it != received.rend(); ++it)
            if (it->ClientHandle == item) return &*it;
        return nullptr;
    }

    std::vector<quint32> groups;
    std::vector<TDataAccessItemValue> received;
    std::vector<std::pair<quint32, QString>> writes;
};

class RecordingShutdown : public TDataAccessShutdownCallback {
public:
    void ShutdownRequest(const QString& reason) override { reasons.append(reason); }
    QStringList reasons;
};

// A test that stops its server starts one of its own.
class UaDataAccessPeer : public UaSharedPeerTest {
protected:
    void SetUp() override {
        UaSharedPeerTest::SetUp();
        layer_.SetKeepAliveInterval(500);
    }
    void StartOwn() { ASSERT_TRUE(own_.Start()) << own_.Error().toStdString(); }
    void TearDown() override {
        group_.reset();
        server_.reset();
        // Clients are let go from the event loop.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A group of the update rate with the named items, client handles 1, 2, ...
    void Subscribe(const QString& computer, const QString& serverName, QStringList items,
                   int updateRate = 100) {
        server_ = layer_.CreateServer(computer, serverName);
        ASSERT_TRUE(server_);
        TDataAccessGroupDefinition definition;
        definition.UpdateRate = updateRate;
        definition.ClientHandle = 77;
        group_ = server_->AddGroup(definition);
        std::vector<TDataAccessItemDefinition> definitions;
        for (int i = 0; i < items.size(); ++i) {
            TDataAccessItemDefinition& item = definitions.emplace_back();
            item.ItemId = items[i];
            item.ClientHandle = quint32(i + 1);
        }
        results_ = group_->AddItems(definitions);
        ASSERT_NE(group_->AdviseDataCallback(&callback_), 0u);
    }

    bool WaitForQuality(quint32 item, quint16 quality, int ms) {
        return watch_.RunUntil(
            [&] {
                const TDataAccessItemValue* last = callback_.Last(item);
                return last && last->Quality == quality;
            },
            ms);
    }

    UaTestPeer own_;
    UaDataAccess layer_;
    EventLoopWatch watch_;
    std::shared_ptr<TDataAccessServer> server_;
    std::shared_ptr<TDataAccessGroup> group_;
    std::vector<TDataAccessItemResult> results_;
    RecordingCallback callback_;
};

} // namespace

TEST_F(UaDataAccessPeer, ItemsDeliverValuesWithQualityAndTimeAndWritesComeBack) {
    Subscribe(QStringLiteral("Local"), Peer().EndpointUrl(),
              {QStringLiteral("ns=1;s=Dynamic.Sine"), QStringLiteral("ns=1;s=Writable.Double"),
               QStringLiteral("not a node id")});
    ASSERT_EQ(results_.size(), 3u);
    EXPECT_NE(results_[0].ServerHandle, 0u);
    EXPECT_FALSE(results_[2].Error->Message().isEmpty());
    EXPECT_EQ(results_[2].ServerHandle, 0u);
    ASSERT_TRUE(WaitForQuality(1, TDataAccessQuality::Good, 10000));
    const TDataAccessItemValue* sine = callback_.Last(1);
    EXPECT_EQ(sine->Value.typeId(), QMetaType::Double);
    EXPECT_NE(sine->FileTime, 0);
    EXPECT_EQ(callback_.groups.front(), 77u);

    // The first value of the writable item also tells its type, so the write converts.
    ASSERT_TRUE(WaitForQuality(2, TDataAccessQuality::Good, 5000));
    EXPECT_TRUE(watch_.RunUntil(
        [&] { return group_->CanonicalType(results_[1].ServerHandle) == vtR8; }, 5000));
    group_->Write(results_[1].ServerHandle, QStringLiteral("2.75"));
    ASSERT_TRUE(watch_.RunUntil([&] { return !callback_.writes.empty(); }, 5000));
    EXPECT_EQ(callback_.writes.front(), (std::pair<quint32, QString>{2, QString()}));
    EXPECT_TRUE(watch_.RunUntil([&] { return callback_.Last(2)->Value == QVariant(2.75); }, 5000));
    EXPECT_THROW(group_->Write(results_[1].ServerHandle, QStringLiteral("abc")), EDataAccessError);
    EXPECT_THROW(group_->Write(999, 1.0), EDataAccessError);
}

TEST_F(UaDataAccessPeer, InactiveGroupSendsNothingUntilActiveAgain) {
    Subscribe(QString(), Peer().EndpointUrl(), {QStringLiteral("ns=1;s=Dynamic.Sine")});
    ASSERT_TRUE(WaitForQuality(1, TDataAccessQuality::Good, 10000));
    group_->SetActive(false);
    watch_.Run(300);
    const std::size_t suspended = callback_.received.size();
    watch_.Run(700);
    EXPECT_EQ(callback_.received.size(), suspended);
    group_->SetActive(true);
    EXPECT_TRUE(watch_.RunUntil([&] { return callback_.received.size() > suspended + 3; }, 5000));
}

TEST_F(UaDataAccessPeer, BadStatusBecomesTheQualityOfItsReason) {
    Subscribe(QString(), Peer().EndpointUrl(),
              {QStringLiteral("ns=1;s=Dynamic.Status"), QStringLiteral("ns=1;s=No.Such.Node")});
    Peer().Send(QStringLiteral("bad"));
    EXPECT_TRUE(WaitForQuality(1, TDataAccessQuality::BadSensorFailure, 10000));
    Peer().Send(QStringLiteral("good"));
    EXPECT_TRUE(WaitForQuality(1, TDataAccessQuality::Good, 5000));
    Peer().Send(QStringLiteral("auto"));
    EXPECT_TRUE(WaitForQuality(2, TDataAccessQuality::BadConfigurationError, 5000));
}

TEST_F(UaDataAccessPeer, KilledServerTurnsQualityBadAndValuesFlowAgainAfterItsRestart) {
    StartOwn();
    Subscribe(QString(), own_.EndpointUrl(), {QStringLiteral("ns=1;s=Dynamic.Sine")});
    ASSERT_TRUE(WaitForQuality(1, TDataAccessQuality::Good, 10000));
    own_.Kill();
    QElapsedTimer noticed;
    noticed.start();
    ASSERT_TRUE(WaitForQuality(1, TDataAccessQuality::BadCommFailure, 5000));
    EXPECT_LT(noticed.elapsed(), 5000);
    ASSERT_TRUE(server_->ConnectionError());
    ASSERT_TRUE(own_.Restart()) << own_.Error().toStdString();
    QElapsedTimer back;
    back.start();
    ASSERT_TRUE(WaitForQuality(1, TDataAccessQuality::Good, 5000));
    EXPECT_LT(back.elapsed(), 5000);
    EXPECT_FALSE(server_->ConnectionError());
}

TEST_F(UaDataAccessPeer, ServerLeavingTheRunningStateAsksItsClientsToLetGo) {
    StartOwn();
    Subscribe(QString(), own_.EndpointUrl(), {QStringLiteral("ns=1;s=Dynamic.Sine")});
    RecordingShutdown shutdown;
    ASSERT_NE(server_->AdviseShutdown(&shutdown), 0u);
    ASSERT_TRUE(WaitForQuality(1, TDataAccessQuality::Good, 10000));
    watch_.Run(1200); // the keep-alive has seen the running state
    own_.Send(QStringLiteral("shutdown"));
    EXPECT_TRUE(watch_.RunUntil([&] { return !shutdown.reasons.isEmpty(); }, 5000));
}

TEST_F(UaDataAccessPeer, SecuredOnlyServerIsRefusedWithTheReason) {
    Subscribe(QString(), Peer().SecureEndpointUrl(), {QStringLiteral("ns=1;s=Dynamic.Sine")});
    ASSERT_TRUE(WaitForQuality(1, TDataAccessQuality::BadNotConnected, 10000));
    ASSERT_TRUE(server_->ConnectionError());
    EXPECT_EQ(server_->ConnectionError()->Message(),
              QStringLiteral("The server accepts no unsecured connection"));
}

TEST_F(UaDataAccessPeer, ServerNamedByItsApplicationUriIsFoundOnTheComputer) {
    const QString computer = QStringLiteral("127.0.0.1:%1").arg(Peer().Port());
    const auto list = layer_.CreateServerList(computer);
    ASSERT_TRUE(list);
    std::optional<QStringList> servers;
    list->EnumerateServers(
        TDataAccessServerList::Category::Version2,
        [&](const QStringList& names, const std::optional<EDataAccessError>& error) {
            EXPECT_FALSE(error);
            servers = names;
        });
    std::optional<QStringList> version1;
    list->EnumerateServers(TDataAccessServerList::Category::Version1,
                           [&](const QStringList& names, const auto&) { version1 = names; });
    ASSERT_TRUE(watch_.RunUntil([&] { return servers && version1; }, 10000));
    EXPECT_EQ(servers->size(), 1);
    EXPECT_TRUE(version1->isEmpty());

    Subscribe(computer, QStringLiteral("urn:modulation:test-peer"),
              {QStringLiteral("ns=1;s=Dynamic.Sine")});
    EXPECT_TRUE(WaitForQuality(1, TDataAccessQuality::Good, 10000));
}

TEST_F(UaDataAccessPeer, BrowserWalksTheTreeAndNamesItems) {
    server_ = layer_.CreateServer(QString(), Peer().EndpointUrl());
    const auto browser = server_->CreateBrowser();
    EXPECT_EQ(browser->QueryOrganization(), TDataAccessBrowser::Organization::Hierarchical);
    EXPECT_FALSE(browser->MoveUp()); // the Objects folder is the top
    auto browse = [&](TDataAccessBrowser::Filter filter) {
        std::optional<QStringList> names;
        std::optional<EDataAccessError> failure;
        browser->Browse(filter,
                        [&](const QStringList& n, const std::optional<EDataAccessError>& e) {
                            names = n;
                            failure = e;
                        });
        EXPECT_TRUE(watch_.RunUntil([&] { return names.has_value(); }, 5000));
        return failure ? QStringList{QStringLiteral("error: ") + failure->Message()} : *names;
    };
    // Until the session is there, a listing fails rather than waits.
    watch_.RunUntil(
        [&] {
            return !browse(TDataAccessBrowser::Filter::Branches)
                        .first()
                        .startsWith(QStringLiteral("error"));
        },
        10000);
    const QStringList top = browse(TDataAccessBrowser::Filter::Branches);
    EXPECT_TRUE(top.contains(QStringLiteral("Tree"))) << top.join(',').toStdString();
    EXPECT_FALSE(top.contains(QStringLiteral("Level")));
    ASSERT_TRUE(browser->MoveDown(QStringLiteral("Tree")));
    EXPECT_FALSE(browser->MoveDown(QStringLiteral("Level"))); // not listed yet, and a leaf
    const QStringList leaves = browse(TDataAccessBrowser::Filter::Leaves);
    EXPECT_EQ(leaves, (QStringList{QStringLiteral("Level"), QStringLiteral("Name"),
                                   QStringLiteral("Value")}));
    EXPECT_EQ(browser->ItemId(QStringLiteral("Level")), QStringLiteral("ns=1;s=Tree.Level"));
    EXPECT_TRUE(browse(TDataAccessBrowser::Filter::Branches).contains(QStringLiteral("A")));
    ASSERT_TRUE(browser->MoveDown(QStringLiteral("A")));
    EXPECT_TRUE(browser->MoveUp());
    EXPECT_EQ(browser->ItemId(QStringLiteral("Name")), QStringLiteral("ns=1;s=Tree.Name"));
    EXPECT_TRUE(browser->MoveUp());
    EXPECT_FALSE(browser->MoveUp());
}

TEST_F(UaDataAccessPeer, NetworkHoldsThisComputerWhenNoDiscoveryServerAnswers) {
    std::optional<std::vector<TNetworkResource>> computers;
    layer_.EnumerateNetwork({}, [&](const std::vector<TNetworkResource>& resources, const auto&) {
        computers = resources;
    });
    ASSERT_TRUE(watch_.RunUntil([&] { return computers.has_value(); }, 10000));
    ASSERT_FALSE(computers->empty());
    EXPECT_EQ(computers->front().RemoteName, QString());
    EXPECT_FALSE(computers->front().IsContainer);
}

TEST_F(UaDataAccessPeer, ServerOutlivingItsLayerStillResolvesAndConnects) {
    const QString computer = QStringLiteral("127.0.0.1:%1").arg(Peer().Port());
    {
        // Named, not addressed: its client is made once the name is resolved, after the
        // layer is gone.
        UaDataAccess layer;
        server_ = layer.CreateServer(computer, QStringLiteral("urn:modulation:test-peer"));
    }
    TDataAccessGroupDefinition definition;
    definition.UpdateRate = 100;
    group_ = server_->AddGroup(definition);
    TDataAccessItemDefinition item;
    item.ItemId = QStringLiteral("ns=1;s=Dynamic.Sine");
    item.ClientHandle = 1;
    group_->AddItems({item});
    group_->AdviseDataCallback(&callback_);
    EXPECT_TRUE(WaitForQuality(1, TDataAccessQuality::Good, 10000));
}
