#include "EventLoopWatch.h"
#include "opcua/UaDataAccess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTcpServer>
#include <gtest/gtest.h>

namespace {

class QualityCallback : public TDataAccessDataCallback {
public:
    void OnDataChange(quint32, const std::vector<TDataAccessItemValue>& values) override {
        for (const TDataAccessItemValue& value : values)
            qualities.push_back(value.Quality);
    }
    void OnWriteComplete(quint32, quint32, const std::optional<EDataAccessError>&) override {}
    std::vector<quint16> qualities;
};

// Makes a server, a group and an item as an item's activation does, each call timed: none may
// wait for the network.
class UaDataAccessOffline : public testing::Test {
protected:
    void TearDown() override {
        group_.reset();
        server_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void Activate(const QString& computer, const QString& serverName) {
        QElapsedTimer call;
        call.start();
        server_ = layer_.CreateServer(computer, serverName);
        EXPECT_LT(call.restart(), 100);
        group_ = server_->AddGroup({});
        EXPECT_LT(call.restart(), 100);
        TDataAccessItemDefinition item;
        item.ItemId = QStringLiteral("ns=2;s=Device.Sine");
        const auto results = group_->AddItems({item});
        EXPECT_LT(call.restart(), 100);
        ASSERT_NE(results.at(0).ServerHandle, 0u);
        group_->AdviseDataCallback(&callback_);
        EXPECT_THROW(group_->Write(results[0].ServerHandle, 1.0), EDataAccessError);
    }

    bool WaitNotConnected() {
        return watch_.RunUntil(
            [&] {
                return !callback_.qualities.empty() &&
                       callback_.qualities.back() == TDataAccessQuality::BadNotConnected;
            },
            10000);
    }

    UaDataAccess layer_;
    std::shared_ptr<TDataAccessServer> server_;
    std::shared_ptr<TDataAccessGroup> group_;
    QualityCallback callback_;
    EventLoopWatch watch_;
};

} // namespace

TEST_F(UaDataAccessOffline, SilentServerNeverBlocksAndItsItemsSayTheyAreNotConnected) {
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    Activate(QStringLiteral("Local"),
             QStringLiteral("opc.tcp://127.0.0.1:%1").arg(silent.serverPort()));
    ASSERT_TRUE(WaitNotConnected());
    ASSERT_TRUE(server_->ConnectionError());
    EXPECT_EQ(server_->ConnectionError()->Code(), TDataAccessCode::Timeout);
    EXPECT_LT(watch_.longestGapMs, 100);
}

TEST_F(UaDataAccessOffline, HostThatDoesNotResolveNeverBlocks) {
    Activate(QStringLiteral("no-such-host.invalid"), QStringLiteral("Some Server"));
    ASSERT_TRUE(WaitNotConnected());
    EXPECT_TRUE(server_->ConnectionError());
    EXPECT_LT(watch_.longestGapMs, 100);
}

TEST_F(UaDataAccessOffline, NamesThatCannotBeMeantAreRefusedAtOnce) {
    for (const char* computer : {"\\\\server\\share", "bad name", "host:99999"})
        EXPECT_THROW(layer_.CreateServer(QString::fromLatin1(computer), QStringLiteral("x")),
                     EDataAccessError)
            << computer;
    EXPECT_THROW(layer_.CreateServer(QString(), QStringLiteral("  ")), EDataAccessError);
    EXPECT_THROW(layer_.ClassIdFromProgId(QString()), EDataAccessError);
    EXPECT_EQ(layer_.ClassIdFromProgId(QStringLiteral(" opc.tcp://h:1 ")),
              QStringLiteral("opc.tcp://h:1"));
    server_ = layer_.CreateServer(QString(), QStringLiteral("opc.tcp://127.0.0.1:1"));
    group_ = server_->AddGroup({});
    TDataAccessItemDefinition item;
    item.ItemId = QStringLiteral("ns=x;s=");
    const auto results = group_->AddItems({item});
    EXPECT_EQ(results.at(0).ServerHandle, 0u);
    ASSERT_TRUE(results[0].Error);
    EXPECT_EQ(results[0].Error->Code(), TDataAccessCode::InvalidName);
}
