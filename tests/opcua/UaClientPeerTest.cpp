#include "EventLoopWatch.h"
#include "UaRecordingProxy.h"
#include "UaSharedPeer.h"
#include "opcua/UaChunkReader.h"
#include "opcua/UaClient.h"
#include "opcua/UaDiscovery.h"
#include "opcua/UaNodeIds.h"
#include "opcua/UaSecureChannel.h"
#include "opcua/UaSecureConversation.h"
#include "opcua/UaServiceCall.h"
#include "opcua/UaSubscription.h"

#include <QDir>
#include <QFile>
#include <QUuid>
#include <gtest/gtest.h>

namespace {

class UaClientPeer : public UaSharedPeerTest {
protected:
    void SetUp() override {
        UaSharedPeerTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        client_.Connect(*UaEndpointUrl::Parse(Peer().EndpointUrl()));
        ASSERT_TRUE(watch_.RunUntil([&] { return client_.IsConnected(); }, 10000))
            << (client_.LastError() ? client_.LastError()->Message.toStdString() : "");
    }

    UaReadResponse Read(const std::vector<UaNodeId>& nodes,
                        quint32 attribute = UaAttributeId::Value) {
        UaReadRequest request;
        for (const UaNodeId& node : nodes)
            request.NodesToRead.push_back({node, attribute, {}, {}});
        std::optional<UaReadResponse> response;
        client_.Read(request, [&](const UaReadResponse& r, const std::optional<UaError>& error) {
            EXPECT_FALSE(error) << error->Message.toStdString();
            response = r;
        });
        EXPECT_TRUE(watch_.RunUntil([&] { return response.has_value(); }, 5000));
        return response.value_or(UaReadResponse{});
    }

    QVariant ReadValue(const char* name) {
        const UaReadResponse response = Read({PeerNode(name)});
        return response.Results.empty() ? QVariant() : response.Results.front().Value.Value();
    }

    UaClient client_;
    EventLoopWatch watch_;
};

} // namespace

TEST_F(UaClientPeer, BrowsesTheTreeFromTheObjectsFolder) {
    auto children = [&](const UaNodeId& node) {
        UaBrowseRequest request;
        UaBrowseDescription description;
        description.NodeId = node;
        description.NodeClassMask = quint32(UaNodeClass::Object) | quint32(UaNodeClass::Variable);
        description.ResultMask = 0x3F;
        request.NodesToBrowse.push_back(description);
        QStringList names;
        bool done = false;
        client_.Browse(
            request, [&](const UaBrowseResponse& response, const std::optional<UaError>& error) {
                EXPECT_FALSE(error);
                for (const UaReferenceDescription& reference : response.Results.at(0).References)
                    names.append(reference.BrowseName.Name);
                done = true;
            });
        EXPECT_TRUE(watch_.RunUntil([&] { return done; }, 5000));
        return names;
    };
    const QStringList top = children(UaNodeId::Numeric(0, UaNodeIds::ObjectsFolder));
    EXPECT_TRUE(top.contains(QStringLiteral("Tree"))) << top.join(',').toStdString();
    EXPECT_TRUE(top.contains(QStringLiteral("Server")));
    const QStringList tree = children(PeerNode("Tree"));
    for (const char* name : {"A", "B", "Level", "Name", "Value"})
        EXPECT_TRUE(tree.contains(QString::fromLatin1(name))) << name;
    EXPECT_TRUE(children(PeerNode("Tree.A")).contains(QStringLiteral("C")));
    EXPECT_TRUE(children(PeerNode("Tree.A.C")).contains(QStringLiteral("Level")));
}

TEST_F(UaClientPeer, ReadsEveryBuiltInTypeAsTheServerHoldsIt) {
    EXPECT_EQ(ReadValue("Scalar.Boolean"), QVariant(true));
    EXPECT_EQ(ReadValue("Scalar.SByte").value<qint8>(), -100);
    EXPECT_EQ(ReadValue("Scalar.Byte").value<quint8>(), 200);
    EXPECT_EQ(ReadValue("Scalar.Int16").value<qint16>(), -30000);
    EXPECT_EQ(ReadValue("Scalar.UInt16").value<quint16>(), 60000);
    EXPECT_EQ(ReadValue("Scalar.Int32").value<qint32>(), -2000000000);
    EXPECT_EQ(ReadValue("Scalar.UInt32").value<quint32>(), 4000000000u);
    EXPECT_EQ(ReadValue("Scalar.Int64").value<qint64>(), -8589934593LL);
    EXPECT_EQ(ReadValue("Scalar.UInt64").value<quint64>(), 9223372036854775813ULL);
    EXPECT_EQ(ReadValue("Scalar.Float").value<float>(), 3.25f);
    EXPECT_EQ(ReadValue("Scalar.Double").value<double>(), -1234.5625);
    EXPECT_EQ(ReadValue("Scalar.String").toString(), QString::fromUtf8("Grüße, 世界"));
    EXPECT_EQ(UaDateTimeToQDateTime(ReadValue("Scalar.DateTime").value<qint64>()),
              QDateTime::fromString(QStringLiteral("2024-02-29T12:34:56.789Z"), Qt::ISODateWithMs));
    EXPECT_EQ(ReadValue("Scalar.Guid").value<QUuid>(),
              QUuid(QStringLiteral("72962B91-FA75-4AE6-8D28-B404DC7DAF63")));
    EXPECT_EQ(ReadValue("Scalar.ByteString").toByteArray(), QByteArray::fromHex("00017F80FF"));
    EXPECT_EQ(ReadValue("Scalar.XmlElement").toByteArray(), QByteArray("<a b=\"1\">x</a>"));
    EXPECT_EQ(ReadValue("Scalar.NodeId").value<UaNodeId>(), PeerNode("Tree.A"));
    EXPECT_EQ(ReadValue("Scalar.ExpandedNodeId").value<UaExpandedNodeId>().ToString(),
              QStringLiteral("svr=2;nsu=urn:modulation:other;i=1234"));
    EXPECT_EQ(ReadValue("Scalar.StatusCode").value<quint32>(), 0x40900000u);
    EXPECT_EQ(ReadValue("Scalar.QualifiedName").value<UaQualifiedName>(),
              (UaQualifiedName{1, QString::fromUtf8("Qualité")}));
    EXPECT_EQ(
        ReadValue("Scalar.LocalizedText").value<UaLocalizedText>(),
        (UaLocalizedText{QStringLiteral("fr-FR"), QString::fromUtf8("Modulation numérique")}));
    EXPECT_EQ(ReadValue("Array.Double").toList(), (QVariantList{0.0, 1.5, -2.25, 1e300}));
    EXPECT_EQ(ReadValue("Array.Int32").toList(),
              (QVariantList{qint32(-2147483647 - 1), qint32(0), qint32(2147483647)}));
    EXPECT_EQ(ReadValue("Array.String").toList(),
              (QVariantList{QStringLiteral("alpha"), QStringLiteral(""), QString::fromUtf8("γ")}));
    const UaReadResponse types = Read({PeerNode("Writable.Double")}, UaAttributeId::DataType);
    EXPECT_EQ(types.Results.at(0).Value.Value().value<UaNodeId>(),
              UaNodeId::Numeric(0, UaNodeIds::Double));
}

TEST_F(UaClientPeer, WritesAndReadsBack) {
    auto write = [&](const char* name, UaVariant value) {
        UaWriteRequest request;
        UaWriteValue& item = request.NodesToWrite.emplace_back();
        item.NodeId = PeerNode(name);
        item.AttributeId = UaAttributeId::Value;
        item.Value.Value = value;
        std::optional<quint32> status;
        client_.Write(request,
                      [&](const UaWriteResponse& response, const std::optional<UaError>& error) {
                          status = error ? error->StatusCode : response.Results.at(0);
                      });
        EXPECT_TRUE(watch_.RunUntil([&] { return status.has_value(); }, 5000));
        return status.value_or(UaStatusCodes::BadTimeout);
    };
    EXPECT_EQ(write("Writable.Double", UaVariant::Scalar(UaBuiltInType::Double, 3.5)), 0u);
    EXPECT_EQ(ReadValue("Writable.Double"), QVariant(3.5));
    EXPECT_EQ(write("Writable.Boolean", UaVariant::Scalar(UaBuiltInType::Boolean, true)), 0u);
    EXPECT_EQ(ReadValue("Writable.Boolean"), QVariant(true));
    EXPECT_EQ(
        write("Writable.String", UaVariant::Scalar(UaBuiltInType::String, QStringLiteral("état"))),
        0u);
    EXPECT_EQ(ReadValue("Writable.String"), QVariant(QStringLiteral("état")));
    // The wrong type and a read-only variable are refused by the server, not by the client.
    EXPECT_NE(
        write("Writable.Double", UaVariant::Scalar(UaBuiltInType::String, QStringLiteral("x"))),
        0u);
    EXPECT_NE(write("Scalar.Double", UaVariant::Scalar(UaBuiltInType::Double, 1.0)), 0u);
}

TEST_F(UaClientPeer, SubscriptionDeliversChangesAndSuspendStopsThem) {
    int sines = 0;
    UaSubscription subscription(client_, 50,
                                [&](const std::vector<UaMonitoredItemNotification>& values) {
                                    for (const auto& value : values) {
                                        EXPECT_EQ(value.ClientHandle, 7u);
                                        EXPECT_EQ(value.Value.Status, 0u);
                                        EXPECT_NE(value.Value.SourceTimestamp, 0);
                                        ++sines;
                                    }
                                });
    subscription.AddItem(7, PeerNode("Dynamic.Sine"), 10);
    ASSERT_TRUE(watch_.RunUntil([&] { return sines >= 10; }, 5000)) << sines;

    subscription.SetPublishingEnabled(false);
    watch_.Run(300); // what was in transit
    const int suspended = sines;
    watch_.Run(700);
    EXPECT_EQ(sines, suspended);
    subscription.SetPublishingEnabled(true);
    EXPECT_TRUE(watch_.RunUntil([&] { return sines >= suspended + 5; }, 5000));
}

TEST_F(UaClientPeer, BadStatusReachesTheSubscriberAndGoodComesBack) {
    std::vector<quint32> statuses;
    UaSubscription subscription(client_, 50,
                                [&](const std::vector<UaMonitoredItemNotification>& values) {
                                    for (const auto& value : values)
                                        statuses.push_back(value.Value.Status);
                                });
    subscription.AddItem(1, PeerNode("Dynamic.Status"), 10);
    ASSERT_TRUE(watch_.RunUntil([&] { return !statuses.empty(); }, 5000));
    Peer().Send(QStringLiteral("bad"));
    EXPECT_TRUE(watch_.RunUntil([&] { return statuses.back() == 0x808C0000u; }, 5000));
    Peer().Send(QStringLiteral("good"));
    EXPECT_TRUE(watch_.RunUntil([&] { return statuses.back() == 0u; }, 5000));
    Peer().Send(QStringLiteral("auto"));
}

TEST_F(UaClientPeer, UnknownNodeIsRefusedItemByItem) {
    std::vector<std::pair<quint32, quint32>> results;
    UaSubscription subscription(client_, 100, nullptr);
    subscription.SetItemResultHandler([&](quint32 handle, quint32 status) {
        results.push_back({handle, status});
    });
    subscription.AddItem(1, PeerNode("No.Such.Node"), 100);
    subscription.AddItem(2, PeerNode("Dynamic.Sine"), 100);
    ASSERT_TRUE(watch_.RunUntil([&] { return results.size() == 2; }, 5000));
    EXPECT_EQ(results[0], (std::pair<quint32, quint32>{1, 0x80340000u})); // BadNodeIdUnknown
    EXPECT_EQ(results[1], (std::pair<quint32, quint32>{2, 0u}));
}

TEST_F(UaClientPeer, SecuredOnlyEndpointIsRefusedNotWeakened) {
    UaClient secured;
    std::optional<UaError> failure;
    QObject::connect(&secured, &UaClient::ConnectionFailed,
                     [&](const UaError& error) { failure = error; });
    secured.Connect(*UaEndpointUrl::Parse(Peer().SecureEndpointUrl()));
    ASSERT_TRUE(watch_.RunUntil([&] { return failure.has_value(); }, 10000));
    EXPECT_EQ(failure->StatusCode, UaStatusCodes::BadSecurityPolicyRejected);
    EXPECT_EQ(failure->Message, QStringLiteral("The server accepts no unsecured connection"));
    EXPECT_FALSE(secured.IsConnected());
}

// 1 000 items at 100 ms for 60 s: every change arrives once and in order, and the event loop
// never works for a frame's time (16 ms) at a stretch, nor stalls for the 100 ms a user notices.
TEST_F(UaClientPeer, ThousandItemsForAMinuteLoseNothingAndKeepTheLoopResponsive) {
    constexpr int Items = 1000;
    std::vector<double> last(Items, -1);
    std::vector<int> gaps(Items, 0);
    long long received = 0;
    UaSubscription subscription(client_, 100,
                                [&](const std::vector<UaMonitoredItemNotification>& values) {
                                    for (const auto& value : values) {
                                        const quint32 index = value.ClientHandle;
                                        ASSERT_LT(index, quint32(Items));
                                        const double v = value.Value.Value.ToDouble().value_or(-1);
                                        // tick * 1000 + index: each notification is the next tick
                                        // of its own item
                                        EXPECT_EQ(std::fmod(v, 1000.0), double(index));
                                        if (last[index] >= 0 && v != last[index] + 1000)
                                            ++gaps[index];
                                        last[index] = v;
                                        ++received;
                                    }
                                });
    for (int i = 0; i < Items; ++i)
        subscription.AddItem(
            quint32(i),
            PeerNode(
                QStringLiteral("Many.%1").arg(i, 4, 10, QLatin1Char('0')).toUtf8().constData()),
            0,
            4); // every change, queued between publishes

    ASSERT_TRUE(watch_.RunUntil(
        [&] { return std::all_of(last.begin(), last.end(), [](double v) { return v >= 0; }); },
        15000));
    EventLoopWatch minute;
    const long long before = received;
    minute.Run(60000);
    const long long lost = std::accumulate(gaps.begin(), gaps.end(), 0LL);
    std::printf("1000 items x 60 s: %lld notifications, %lld lost, longest event-loop gap %lld ms, "
                "longest busy stretch %.1f ms\n",
                received - before, lost, minute.longestGapMs, minute.longestBusyMs);
    EXPECT_EQ(lost, 0);
    EXPECT_GE(received - before, 590000);
    EXPECT_LT(minute.longestBusyMs, 16);
    EXPECT_LT(minute.longestGapMs, 100);
}

// What the independent server sends, recorded off the wire through a proxy, reads back
// chunk by chunk and message by message. With MODULATION_FUZZ_SEEDS set to a folder, the
// stream and the response bodies are written there as seeds for the fuzz targets.
TEST_F(UaClientPeer, ServerBytesRecordedOffTheWireDecodeAgain) {
    UaRecordingProxy proxy(Peer().Port());
    UaClient client;
    client.Connect(
        *UaEndpointUrl::Parse(QStringLiteral("opc.tcp://127.0.0.1:%1").arg(proxy.Port())));
    ASSERT_TRUE(watch_.RunUntil([&] { return client.IsConnected(); }, 10000));
    int changes = 0;
    UaSubscription subscription(client, 50,
                                [&](const auto& values) { changes += int(values.size()); });
    subscription.AddItem(1, PeerNode("Dynamic.Sine"), 10);
    subscription.AddItem(2, PeerNode("No.Such.Node"), 10);
    UaReadRequest read;
    for (const char* name :
         {"Scalar.String", "Scalar.Guid", "Array.Double", "Scalar.LocalizedText"})
        read.NodesToRead.push_back({PeerNode(name), UaAttributeId::Value, {}, {}});
    client.Read(read, [](const auto&, const auto&) {});
    UaBrowseRequest browse;
    browse.NodesToBrowse.push_back({});
    browse.NodesToBrowse.back().NodeId = PeerNode("Tree");
    browse.NodesToBrowse.back().ResultMask = 0x3F;
    client.Browse(browse, [](const auto&, const auto&) {});
    bool found = false;
    UaDiscovery::Ask<UaFindServersResponse>(
        &client, *UaEndpointUrl::Parse(QStringLiteral("opc.tcp://127.0.0.1:%1").arg(proxy.Port())),
        UaFindServersRequest{}, 5000, [&](const auto& response, const auto& error) {
            EXPECT_FALSE(error);
            EXPECT_EQ(response.Servers.size(), 1u);
            found = true;
        });
    ASSERT_TRUE(watch_.RunUntil([&] { return changes >= 5 && found; }, 10000));
    client.Disconnect();

    ASSERT_EQ(proxy.ServerBytes().size(), 2);
    std::map<quint32, QByteArray> bodies; // the first body of each response type
    int messages = 0;
    for (const QByteArray& stream : proxy.ServerBytes()) {
        UaChunkReader reader;
        UaMessageAssembler assembler;
        reader.Append(stream);
        while (std::optional<UaChunk> chunk = reader.Next()) {
            if (chunk->Header.Is("ACK")) continue;
            const std::optional<UaSecureMessage> message = assembler.Add(*chunk);
            ASSERT_TRUE(message) << "the server's answers come in one chunk each here";
            UaBinaryReader body(message->Body);
            bodies.try_emplace(ReadBodyTypeId(body).NumericId(), message->Body);
            ++messages;
        }
        EXPECT_EQ(reader.Buffered(), 0);
    }
    EXPECT_GE(messages, 10);
    for (quint32 type : {449u /*open*/, 431u /*endpoints*/, 464u, 470u, 634u /*read*/,
                         530u /*browse*/, 790u, 754u, 829u /*publish*/, 425u /*servers*/})
        EXPECT_TRUE(bodies.contains(type)) << type;

    const QString seeds = qEnvironmentVariable("MODULATION_FUZZ_SEEDS");
    if (seeds.isEmpty()) return;
    auto save = [&](const QString& target, const QString& name, const QByteArray& bytes) {
        QDir().mkpath(seeds + QLatin1Char('/') + target);
        QFile file(seeds + QLatin1Char('/') + target + QLatin1Char('/') + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    save(QStringLiteral("opcua_chunks"), QStringLiteral("session.bin"),
         QByteArray(1, '\0') + proxy.ServerBytes().front());
    const std::pair<quint32, const char*> targets[] = {
        {530, "opcua_browse"},        {634, "opcua_read"},
        {829, "opcua_publish"},       {754, "opcua_create_monitored_items"},
        {431, "opcua_get_endpoints"}, {425, "opcua_find_servers"}};
    for (const auto& [type, target] : targets)
        if (bodies.contains(type))
            save(QString::fromLatin1(target), QStringLiteral("peer.bin"), bodies[type]);
}

// A channel asking for a short token lifetime renews it before it runs out and goes on
// answering under the new token.
TEST_F(UaClientPeer, ChannelRenewsItsTokenBeforeItRunsOut) {
    UaSecureChannel channel;
    channel.SetRequestedLifetime(1000);
    bool opened = false;
    std::optional<UaError> failure;
    QObject::connect(&channel, &UaSecureChannel::Opened, [&] { opened = true; });
    QObject::connect(&channel, &UaSecureChannel::Failed,
                     [&](const UaError& error) { failure = error; });
    channel.Open(*UaEndpointUrl::Parse(Peer().EndpointUrl()));
    ASSERT_TRUE(watch_.RunUntil([&] { return opened; }, 10000));
    const quint32 first = channel.TokenId();
    ASSERT_TRUE(watch_.RunUntil([&] { return channel.TokenId() != first; }, 15000));
    EXPECT_FALSE(failure);
    UaGetEndpointsRequest request;
    request.EndpointUrl = Peer().EndpointUrl();
    std::optional<UaGetEndpointsResponse> response;
    channel.Send(EncodeBody(request), 5000,
                 [&](const QByteArray& body, const std::optional<UaError>& error) {
                     ASSERT_FALSE(error) << error->Message.toStdString();
                     UaGetEndpointsResponse decoded;
                     EXPECT_FALSE(UaDecodeAnswer(body, decoded));
                     response = decoded;
                 });
    ASSERT_TRUE(watch_.RunUntil([&] { return response.has_value(); }, 5000));
    EXPECT_FALSE(response->Endpoints.empty());
}

TEST_F(UaClientPeer, RemovedItemFallsSilentWhileTheOthersGoOn) {
    std::map<quint32, int> counts;
    UaSubscription subscription(client_, 50,
                                [&](const std::vector<UaMonitoredItemNotification>& values) {
                                    for (const auto& value : values)
                                        ++counts[value.ClientHandle];
                                });
    subscription.AddItem(1, PeerNode("Dynamic.Sine"), 10);
    subscription.AddItem(2, PeerNode("Dynamic.Sine"), 10);
    ASSERT_TRUE(watch_.RunUntil([&] { return counts[1] > 3 && counts[2] > 3; }, 5000));
    subscription.RemoveItem(1);
    watch_.Run(300); // what was in transit
    const int removed = counts[1], kept = counts[2];
    watch_.Run(700);
    EXPECT_EQ(counts[1], removed);
    EXPECT_GT(counts[2], kept + 3);
    EXPECT_EQ(subscription.PendingItems(), 0u);
}

// A client ending closes its session: a server with a few session slots never runs out.
TEST_F(UaClientPeer, EndedClientsLetTheirSessionsGo) {
    for (int i = 0; i < 12; ++i) {
        UaClient client;
        client.Connect(*UaEndpointUrl::Parse(Peer().EndpointUrl()));
        ASSERT_TRUE(watch_.RunUntil([&] { return client.IsConnected(); }, 5000))
            << i << ": " << (client.LastError() ? client.LastError()->Message.toStdString() : "");
    }
}
