#include "EventLoopWatch.h"
#include "UaSharedPeer.h"
#include "opcua/UaClient.h"
#include "opcua/UaStatusCodes.h"
#include "opcua/UaSubscription.h"

#include <cmath>
#include <gtest/gtest.h>
#include <set>

namespace {

constexpr int WaitMs = 10000;

UaReadValueId ValueOf(const UaNodeId& node) {
    UaReadValueId id;
    id.NodeId = node;
    return id;
}

// The messages of each service, as the independent server understands and answers them. The
// server is started once for all the tests, which only read what it serves or write their own.
class UaServicesPeer : public UaSharedPeerTest {
protected:
    void SetUp() override {
        UaSharedPeerTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        bool connected = false;
        QObject::connect(&client_, &UaClient::Connected, [&] { connected = true; });
        client_.Connect(*UaEndpointUrl::Parse(Peer().EndpointUrl()));
        ASSERT_TRUE(watch_.RunUntil([&] { return connected; }, WaitMs))
            << (client_.LastError() ? client_.LastError()->Message.toStdString() : "");
    }

    // Calls the service and runs the loop until its answer, which must be a success.
    template <class Response, class Request, class Service>
    Response Call(Service service, Request request) {
        std::optional<Response> answer;
        std::optional<UaError> failure;
        (client_.*service)(std::move(request),
                           [&](const Response& response, const std::optional<UaError>& error) {
                               answer = response;
                               failure = error;
                           });
        EXPECT_TRUE(watch_.RunUntil([&] { return answer.has_value(); }, WaitMs));
        EXPECT_FALSE(failure.has_value()) << failure->Message.toStdString();
        return answer.value_or(Response());
    }

    std::vector<UaDataValue> Read(std::vector<UaReadValueId> nodes) {
        UaReadRequest request;
        request.NodesToRead = std::move(nodes);
        return Call<UaReadResponse>(&UaClient::Read, std::move(request)).Results;
    }

    UaClient client_;
    EventLoopWatch watch_;
};

TEST_F(UaServicesPeer, ReadAnswersEveryNodeInOrderWithItsValueOrItsError) {
    UaReadValueId name = ValueOf(PeerNode("Tree.A"));
    name.AttributeId = UaAttributeId::BrowseName;
    const std::vector<UaDataValue> results =
        Read({ValueOf(PeerNode("Scalar.Double")), ValueOf(PeerNode("Scalar.String")),
              ValueOf(PeerNode("Scalar.Int64")), ValueOf(PeerNode("Scalar.LocalizedText")),
              ValueOf(PeerNode("Array.String")), name,
              ValueOf(UaNodeId::Numeric(0, UaNodeIds::Server_ServerStatus_State)),
              ValueOf(PeerNode("No.Such.Node"))});
    ASSERT_EQ(results.size(), 8u);
    EXPECT_EQ(results[0].Value.ToDouble(), -1234.5625);
    EXPECT_EQ(results[1].Value.Value().toString(), QStringLiteral("Grüße, 世界"));
    EXPECT_EQ(results[2].Value.Value().value<qint64>(), Q_INT64_C(-8589934593));
    EXPECT_EQ(results[3].Value.Value().value<UaLocalizedText>().Locale, QStringLiteral("fr-FR"));
    EXPECT_EQ(results[4].Value.Value().toList().size(), 3);
    EXPECT_EQ(results[5].Value.Value().value<UaQualifiedName>().Name, QStringLiteral("A"));
    EXPECT_EQ(results[6].Value.ToDouble(), 0); // running
    EXPECT_EQ(results[7].Status, UaStatusCodes::BadNodeIdUnknown);
}

TEST_F(UaServicesPeer, WrittenValueIsReadBack) {
    UaWriteValue value;
    value.NodeId = PeerNode("Writable.Double");
    value.Value.Value = UaVariant::Scalar(UaBuiltInType::Double, 2.75);
    UaWriteRequest request;
    request.NodesToWrite = {value};
    const UaWriteResponse written = Call<UaWriteResponse>(&UaClient::Write, request);
    ASSERT_EQ(written.Results.size(), 1u);
    EXPECT_EQ(written.Results[0], UaStatusCodes::Good);
    const std::vector<UaDataValue> results = Read({ValueOf(PeerNode("Writable.Double"))});
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].Value.ToDouble(), 2.75);
}

TEST_F(UaServicesPeer, BrowseNextContinuesWhereBrowseStopped) {
    UaBrowseDescription objects;
    objects.NodeId = UaNodeId::Numeric(0, UaNodeIds::ObjectsFolder);
    UaBrowseRequest request;
    request.RequestedMaxReferencesPerNode = 1;
    request.NodesToBrowse = {objects};
    std::vector<UaBrowseResult> page = Call<UaBrowseResponse>(&UaClient::Browse, request).Results;
    std::set<QString> names;
    int pages = 0;
    while (page.size() == 1 && pages < 50) {
        ++pages;
        const UaBrowseResult result = page[0];
        EXPECT_EQ(result.StatusCode, UaStatusCodes::Good);
        EXPECT_LE(result.References.size(), 1u);
        for (const UaReferenceDescription& reference : result.References)
            names.insert(reference.BrowseName.Name);
        if (result.ContinuationPoint.isEmpty()) break;
        UaBrowseNextRequest next;
        next.ContinuationPoints = {result.ContinuationPoint};
        page = Call<UaBrowseNextResponse>(&UaClient::BrowseNext, next).Results;
    }
    EXPECT_GT(pages, 3);
    for (const char* name : {"Server", "Tree", "Scalar", "Many"})
        EXPECT_TRUE(names.count(QString::fromLatin1(name))) << name;
}

TEST_F(UaServicesPeer, PublishedChangesReachTheirClientHandles) {
    constexpr quint32 Items = 50;
    std::map<quint32, double> last;
    UaSubscription subscription(
        client_, 100, [&](const std::vector<UaMonitoredItemNotification>& values) {
            for (const UaMonitoredItemNotification& value : values)
                last[value.ClientHandle] = value.Value.Value.ToDouble().value_or(-1);
        });
    for (quint32 handle = 0; handle < Items; ++handle)
        subscription.AddItem(
            handle, PeerNode(QStringLiteral("Many.%1").arg(handle, 4, 10, QLatin1Char('0'))), 100);
    ASSERT_TRUE(watch_.RunUntil([&] { return last.size() == Items; }, WaitMs));
    for (const auto& [handle, value] : last)
        EXPECT_EQ(std::fmod(value, 1000), handle) << "value " << value;
}

} // namespace
