#include "opcua/UaAttributeServices.h"
#include "opcua/UaDiscoveryServices.h"
#include "opcua/UaSecureChannelServices.h"
#include "opcua/UaServiceHeader.h"
#include "opcua/UaSessionServices.h"
#include "opcua/UaStatusCodes.h"
#include "opcua/UaSubscriptionServices.h"
#include "opcua/UaViewServices.h"

#include <gtest/gtest.h>

namespace {

constexpr qint64 Ticks = 0x0102030405060708;
const char* const TicksHex = "08 07 06 05 04 03 02 01";

QByteArray Hex(const QByteArray& text) {
    return QByteArray::fromHex(text);
}

UaRequestHeader SampleRequestHeader() {
    UaRequestHeader header;
    header.AuthenticationToken = UaNodeId::Numeric(1, 1000);
    header.Timestamp = Ticks;
    header.RequestHandle = 42;
    header.TimeoutHint = 10000;
    return header;
}

UaResponseHeader SampleResponseHeader() {
    UaResponseHeader header;
    header.Timestamp = Ticks;
    header.RequestHandle = 42;
    header.ServiceResult = 0x00A60000;
    header.ServiceDiagnostics.SymbolicId = 0;
    header.StringTable = {QStringLiteral("symbol")};
    return header;
}

UaApplicationDescription SampleApplication() {
    UaApplicationDescription application;
    application.ApplicationUri = QStringLiteral("urn:host:server");
    application.ProductUri = QStringLiteral("urn:product");
    application.ApplicationName = {QStringLiteral("en"), QStringLiteral("Server")};
    application.ApplicationType = UaApplicationType::Server;
    application.DiscoveryUrls = {QStringLiteral("opc.tcp://127.0.0.1:4840")};
    return application;
}

UaEndpointDescription SampleEndpoint() {
    UaEndpointDescription endpoint;
    endpoint.EndpointUrl = QStringLiteral("opc.tcp://127.0.0.1:4840");
    endpoint.Server = SampleApplication();
    endpoint.ServerCertificate = QByteArray("cert");
    endpoint.SecurityMode = UaMessageSecurityMode::None;
    endpoint.SecurityPolicyUri = QStringLiteral("http://opcfoundation.org/UA/SecurityPolicy#None");
    endpoint.UserIdentityTokens = {
        {QStringLiteral("anonymous"), UaUserTokenType::Anonymous, {}, {}, {}},
        {QStringLiteral("user"), UaUserTokenType::UserName, {}, {}, QStringLiteral("policy")}};
    endpoint.TransportProfileUri = QStringLiteral("transport");
    endpoint.SecurityLevel = 3;
    return endpoint;
}

UaDataValue DoubleValue(double value) {
    UaDataValue data;
    data.Value = UaVariant::Scalar(UaBuiltInType::Double, value);
    return data;
}

UaReadValueId ReadOf(const UaNodeId& node) {
    UaReadValueId id;
    id.NodeId = node;
    return id;
}

// One filled-in message of each type: distinct values in every field, so a field read in the
// wrong place shows in the round trip.
template <class M> M Sample();

template <> UaServiceFault Sample() {
    return {SampleResponseHeader()};
}

template <> UaGetEndpointsRequest Sample() {
    return {SampleRequestHeader(),
            QStringLiteral("opc.tcp://127.0.0.1:4840"),
            {QStringLiteral("en")},
            {QStringLiteral("profile")}};
}

template <> UaGetEndpointsResponse Sample() {
    return {SampleResponseHeader(), {SampleEndpoint(), SampleEndpoint()}};
}

template <> UaFindServersRequest Sample() {
    return {SampleRequestHeader(),
            QStringLiteral("opc.tcp://127.0.0.1:4840"),
            {},
            {QStringLiteral("urn:host:server")}};
}

template <> UaFindServersResponse Sample() {
    return {SampleResponseHeader(), {SampleApplication()}};
}

template <> UaFindServersOnNetworkRequest Sample() {
    return {SampleRequestHeader(), 7, 100, {QStringLiteral("DA")}};
}

template <> UaFindServersOnNetworkResponse Sample() {
    return {SampleResponseHeader(),
            Ticks,
            {{3,
              QStringLiteral("server"),
              QStringLiteral("opc.tcp://127.0.0.1:4840"),
              {QStringLiteral("DA"), QStringLiteral("HD")}}}};
}

template <> UaOpenSecureChannelRequest Sample() {
    return {SampleRequestHeader(),       0,  UaSecurityTokenRequestType::Renew,
            UaMessageSecurityMode::None, {}, 600000};
}

template <> UaOpenSecureChannelResponse Sample() {
    return {SampleResponseHeader(), 0, {5, 6, Ticks, 600000}, QByteArray("\x01", 1)};
}

template <> UaCloseSecureChannelRequest Sample() {
    return {SampleRequestHeader()};
}

template <> UaCloseSecureChannelResponse Sample() {
    return {SampleResponseHeader()};
}

template <> UaCreateSessionRequest Sample() {
    UaApplicationDescription client = SampleApplication();
    client.ApplicationType = UaApplicationType::Client;
    return {SampleRequestHeader(),
            client,
            QStringLiteral("urn:host:server"),
            QStringLiteral("opc.tcp://127.0.0.1:4840"),
            QStringLiteral("session"),
            QByteArray(32, 'n'),
            {},
            60000,
            1 << 24};
}

template <> UaCreateSessionResponse Sample() {
    return {SampleResponseHeader(),
            UaNodeId::Numeric(1, 77),
            UaNodeId::Opaque(0, QByteArray("token")),
            30000,
            QByteArray(32, 's'),
            QByteArray("cert"),
            {SampleEndpoint()},
            {{QByteArray("data"), QByteArray("sig")}},
            {QStringLiteral("algorithm"), QByteArray("signature")},
            65536};
}

template <> UaActivateSessionRequest Sample() {
    return {SampleRequestHeader(),
            {QStringLiteral("a"), QByteArray("b")},
            {},
            {QStringLiteral("en"), QStringLiteral("fr")},
            ToExtensionObject(UaAnonymousIdentityToken{QStringLiteral("anonymous")}),
            {}};
}

template <> UaActivateSessionResponse Sample() {
    UaDiagnosticInfo info;
    info.AdditionalInfo = QStringLiteral("why");
    return {SampleResponseHeader(),
            QByteArray(32, 'x'),
            {0, UaStatusCodes::BadUserAccessDenied},
            {UaDiagnosticInfo(), info}};
}

template <> UaCloseSessionRequest Sample() {
    return {SampleRequestHeader(), false};
}

template <> UaCloseSessionResponse Sample() {
    return {SampleResponseHeader()};
}

template <> UaReadRequest Sample() {
    UaReadValueId name = ReadOf(UaNodeId::String(2, QStringLiteral("Device.Sine")));
    name.AttributeId = UaAttributeId::DisplayName;
    name.IndexRange = QStringLiteral("1:2");
    name.DataEncoding = {0, QStringLiteral("Default Binary")};
    return {SampleRequestHeader(),
            500,
            UaTimestampsToReturn::Source,
            {ReadOf(UaNodeId::Numeric(0, UaNodeIds::Server_ServerStatus_State)), name}};
}

template <> UaReadResponse Sample() {
    UaDataValue bad;
    bad.Status = UaStatusCodes::BadNodeIdUnknown;
    return {SampleResponseHeader(), {DoubleValue(1.5), bad}, {}};
}

template <> UaWriteRequest Sample() {
    return {SampleRequestHeader(),
            {{UaNodeId::String(2, QStringLiteral("Setpoint")),
              UaAttributeId::Value,
              {},
              DoubleValue(-3.25)}}};
}

template <> UaWriteResponse Sample() {
    return {SampleResponseHeader(), {UaStatusCodes::BadNotWritable}, {}};
}

template <> UaBrowseRequest Sample() {
    UaBrowseDescription objects;
    objects.NodeId = UaNodeId::Numeric(0, UaNodeIds::ObjectsFolder);
    objects.BrowseDirection = UaBrowseDirection::Both;
    objects.IncludeSubtypes = false;
    objects.NodeClassMask = quint32(UaNodeClass::Variable) | quint32(UaNodeClass::Object);
    objects.ResultMask = UaBrowseResultMask::BrowseName;
    return {SampleRequestHeader(), {UaNodeId::Numeric(0, 9), Ticks, 4}, 1000, {objects}};
}

UaBrowseResult SampleBrowseResult() {
    UaReferenceDescription reference;
    reference.ReferenceTypeId = UaNodeId::Numeric(0, UaNodeIds::Organizes);
    reference.IsForward = false;
    reference.NodeId = {UaNodeId::String(2, QStringLiteral("Device")),
                        QStringLiteral("urn:devices"), 2};
    reference.BrowseName = {2, QStringLiteral("Device")};
    reference.DisplayName = {{}, QStringLiteral("Device")};
    reference.NodeClass = UaNodeClass::Object;
    reference.TypeDefinition = {UaNodeId::Numeric(0, 61), {}, 0};
    return {UaStatusCodes::Good, QByteArray("continue"), {reference, reference}};
}

template <> UaBrowseResponse Sample() {
    return {SampleResponseHeader(), {SampleBrowseResult()}, {}};
}

template <> UaBrowseNextRequest Sample() {
    return {SampleRequestHeader(), true, {QByteArray("continue"), QByteArray("more")}};
}

template <> UaBrowseNextResponse Sample() {
    return {SampleResponseHeader(), {SampleBrowseResult(), {}}, {}};
}

template <> UaCreateSubscriptionRequest Sample() {
    return {SampleRequestHeader(), 250, 2400, 10, 1000, false, 7};
}

template <> UaCreateSubscriptionResponse Sample() {
    return {SampleResponseHeader(), 9, 500, 2401, 11};
}

template <> UaModifySubscriptionRequest Sample() {
    return {SampleRequestHeader(), 9, 100, 600, 20, 0, 1};
}

template <> UaModifySubscriptionResponse Sample() {
    return {SampleResponseHeader(), 125, 601, 21};
}

template <> UaSetPublishingModeRequest Sample() {
    return {SampleRequestHeader(), false, {9, 10}};
}

template <> UaSetPublishingModeResponse Sample() {
    return {SampleResponseHeader(), {0, UaStatusCodes::BadSubscriptionIdInvalid}, {}};
}

template <> UaDeleteSubscriptionsRequest Sample() {
    return {SampleRequestHeader(), {9}};
}

template <> UaDeleteSubscriptionsResponse Sample() {
    return {SampleResponseHeader(), {0}, {}};
}

template <> UaCreateMonitoredItemsRequest Sample() {
    UaMonitoredItemCreateRequest item;
    item.ItemToMonitor = ReadOf(UaNodeId::String(2, QStringLiteral("Device.Sine")));
    item.MonitoringMode = UaMonitoringMode::Sampling;
    item.RequestedParameters = {
        17, 50,
        ToExtensionObject(UaDataChangeFilter{UaDataChangeTrigger::StatusValueTimestamp,
                                             UaDeadbandType::Absolute, 0.5}),
        4, false};
    return {SampleRequestHeader(), 9, UaTimestampsToReturn::Server, {item, item}};
}

template <> UaCreateMonitoredItemsResponse Sample() {
    UaMonitoredItemCreateResult refused;
    refused.StatusCode = UaStatusCodes::BadNodeIdUnknown;
    return {SampleResponseHeader(), {{0, 1001, 50, 4, {}}, refused}, {}};
}

template <> UaDeleteMonitoredItemsRequest Sample() {
    return {SampleRequestHeader(), 9, {1001, 1002}};
}

template <> UaDeleteMonitoredItemsResponse Sample() {
    return {SampleResponseHeader(), {0, 0}, {}};
}

UaNotificationMessage SampleNotificationMessage() {
    UaDataChangeNotification change;
    change.MonitoredItems = {{17, DoubleValue(1.5)}, {18, DoubleValue(-2)}};
    UaStatusChangeNotification status;
    status.Status = UaStatusCodes::BadTimeout;
    status.DiagnosticInfo.AdditionalInfo = QStringLiteral("lost");
    return {12, Ticks, {change, status, change}, 0};
}

template <> UaPublishRequest Sample() {
    return {SampleRequestHeader(), {{9, 11}, {9, 12}}};
}

template <> UaPublishResponse Sample() {
    return {SampleResponseHeader(), 9, {11, 12}, true, SampleNotificationMessage(), {0, 0}, {}};
}

template <> UaRepublishRequest Sample() {
    return {SampleRequestHeader(), 9, 12};
}

template <> UaRepublishResponse Sample() {
    return {SampleResponseHeader(), SampleNotificationMessage()};
}

template <class M> QByteArray EncodedSample() {
    return EncodeBody(Sample<M>());
}

template <class M> M Decoded(const QByteArray& body) {
    UaBinaryReader reader(body);
    return DecodeResponse<M>(reader);
}

template <class M> class UaServiceMessage : public ::testing::Test {};

using UaServiceMessages = ::testing::Types<
    UaServiceFault, UaGetEndpointsRequest, UaGetEndpointsResponse, UaFindServersRequest,
    UaFindServersResponse, UaFindServersOnNetworkRequest, UaFindServersOnNetworkResponse,
    UaOpenSecureChannelRequest, UaOpenSecureChannelResponse, UaCloseSecureChannelRequest,
    UaCloseSecureChannelResponse, UaCreateSessionRequest, UaCreateSessionResponse,
    UaActivateSessionRequest, UaActivateSessionResponse, UaCloseSessionRequest,
    UaCloseSessionResponse, UaReadRequest, UaReadResponse, UaWriteRequest, UaWriteResponse,
    UaBrowseRequest, UaBrowseResponse, UaBrowseNextRequest, UaBrowseNextResponse,
    UaCreateSubscriptionRequest, UaCreateSubscriptionResponse, UaModifySubscriptionRequest,
    UaModifySubscriptionResponse, UaSetPublishingModeRequest, UaSetPublishingModeResponse,
    UaDeleteSubscriptionsRequest, UaDeleteSubscriptionsResponse, UaCreateMonitoredItemsRequest,
    UaCreateMonitoredItemsResponse, UaDeleteMonitoredItemsRequest, UaDeleteMonitoredItemsResponse,
    UaPublishRequest, UaPublishResponse, UaRepublishRequest, UaRepublishResponse>;
TYPED_TEST_SUITE(UaServiceMessage, UaServiceMessages);

TYPED_TEST(UaServiceMessage, DecodesToWhatEncodesTheSameBytes) {
    const QByteArray body = EncodedSample<TypeParam>();
    if constexpr (std::is_same_v<TypeParam, UaServiceFault>) {
        UaBinaryReader reader(body);
        ASSERT_EQ(ReadBodyTypeId(reader), UaNodeId::Numeric(0, UaServiceFault::BinaryEncodingId));
        EXPECT_EQ(EncodeBody(UaServiceFault::Decode(reader)), body);
    } else {
        EXPECT_EQ(EncodeBody(Decoded<TypeParam>(body)), body);
    }
}

TYPED_TEST(UaServiceMessage, EveryTruncationIsADecodeError) {
    if constexpr (!std::is_same_v<TypeParam, UaServiceFault>) {
        const QByteArray body = EncodedSample<TypeParam>();
        for (qsizetype size = 0; size < body.size(); ++size) {
            const QByteArray cut = body.left(size);
            EXPECT_THROW(Decoded<TypeParam>(cut), UaDecodeError) << "cut at " << size;
        }
    }
}

TEST(UaServices, ReadRequestOfOneNodeHasTheExactBytes) {
    UaReadRequest request;
    request.RequestHeader = SampleRequestHeader();
    request.NodesToRead = {ReadOf(UaNodeId::String(2, QStringLiteral("Sine")))};
    const QByteArray expected = Hex(QByteArray("01 00 77 02"           // ReadRequest, i=631
                                               "01 01 e8 03") +        // ns=1;i=1000
                                    TicksHex +                         // timestamp
                                    "2a 00 00 00 00 00 00 00"          // handle, diagnostics
                                    "ff ff ff ff 10 27 00 00 00 00 00" // audit id, hint, header
                                    "00 00 00 00 00 00 00 00"          // max age 0
                                    "02 00 00 00 01 00 00 00"          // both, one node
                                    "03 02 00 04 00 00 00 53 69 6e 65" // ns=2;s=Sine
                                    "0d 00 00 00 ff ff ff ff 00 00 ff ff ff ff");
    EXPECT_EQ(EncodeBody(request).toHex(' '), expected.toHex(' '));
}

TEST(UaServices, CreateSessionRequestHasTheExactBytes) {
    UaCreateSessionRequest request;
    request.RequestHeader.Timestamp = Ticks;
    request.RequestHeader.RequestHandle = 1;
    request.ClientDescription.ApplicationUri = QStringLiteral("urn:a");
    request.ClientDescription.ApplicationName.Text = QStringLiteral("A");
    request.EndpointUrl = QStringLiteral("opc.tcp://h");
    request.SessionName = QStringLiteral("s");
    request.RequestedSessionTimeout = 60000;
    const QByteArray expected =
        Hex(QByteArray("01 00 cd 01 00 00") + TicksHex + // CreateSessionRequest, i=461
            "01 00 00 00 00 00 00 00 ff ff ff ff 00 00 00 00 00 00 00"
            "05 00 00 00 75 72 6e 3a 61 ff ff ff ff"                   // urn:a, no product
            "02 01 00 00 00 41 01 00 00 00"                            // name text only, client
            "ff ff ff ff ff ff ff ff 00 00 00 00"                      // gateway, profile, no urls
            "ff ff ff ff 0b 00 00 00 6f 70 63 2e 74 63 70 3a 2f 2f 68" // server uri, url
            "01 00 00 00 73 ff ff ff ff ff ff ff ff" // session name, nonce, certificate
            "00 00 00 00 00 4c ed 40 00 00 00 00");  // 60000 ms, no size limit
    EXPECT_EQ(EncodeBody(request).toHex(' '), expected.toHex(' '));
}

TEST(UaServices, ServiceFaultHasTheExactBytesAndFailsTheResponse) {
    UaServiceFault fault;
    fault.ResponseHeader.Timestamp = Ticks;
    fault.ResponseHeader.RequestHandle = 42;
    fault.ResponseHeader.ServiceResult = UaStatusCodes::BadSessionIdInvalid;
    const QByteArray body = EncodeBody(fault);
    EXPECT_EQ(body.toHex(' '), Hex(QByteArray("01 00 8d 01") + TicksHex +
                                   "2a 00 00 00 00 00 25 80 00 00 00 00 00 00 00 00")
                                   .toHex(' '));
    try {
        Decoded<UaReadResponse>(body);
        FAIL() << "a ServiceFault decoded as a ReadResponse";
    } catch (const UaServiceFaultError& error) {
        EXPECT_EQ(error.ServiceResult(), UaStatusCodes::BadSessionIdInvalid);
        EXPECT_EQ(error.RequestHandle(), 42u);
        EXPECT_TRUE(error.Message().contains(QStringLiteral("BadSessionIdInvalid")));
    }
}

TEST(UaServices, ResponseOfAnotherTypeIsADecodeError) {
    const QByteArray body = EncodedSample<UaWriteResponse>();
    EXPECT_THROW(Decoded<UaReadResponse>(body), UaDecodeError);
}

TEST(UaServices, TruncatedServiceFaultIsADecodeErrorNotAFault) {
    const QByteArray body = EncodedSample<UaServiceFault>();
    EXPECT_THROW(Decoded<UaReadResponse>(body.left(body.size() - 1)), UaDecodeError);
}

TEST(UaServices, BytesAfterTheBodyAreADecodeError) {
    const QByteArray body = EncodedSample<UaReadResponse>() + '\0';
    EXPECT_THROW(Decoded<UaReadResponse>(body), UaDecodeError);
}

TEST(UaServices, BodyTypeIdOfAnotherServerOrNamespaceUriIsRefused) {
    UaBinaryWriter withUri;
    withUri.WriteExpandedNodeId({UaNodeId::Numeric(0, 634), QStringLiteral("urn:x"), 0});
    UaBinaryReader uriReader(withUri.Bytes());
    EXPECT_THROW(ReadBodyTypeId(uriReader), UaDecodeError);
    UaBinaryWriter withServer;
    withServer.WriteExpandedNodeId({UaNodeId::Numeric(0, 634), {}, 1});
    UaBinaryReader serverReader(withServer.Bytes());
    EXPECT_THROW(ReadBodyTypeId(serverReader), UaDecodeError);
}

TEST(UaServices, ArrayCountBeyondTheMessageIsRefusedBeforeReserving) {
    QByteArray body = EncodeBody(UaReadResponse{SampleResponseHeader(), {}, {}});
    // The Results count sits 8 bytes from the end (Results, DiagnosticInfos).
    body.replace(body.size() - 8, 4, Hex("ff ff ff 7f"));
    EXPECT_THROW(Decoded<UaReadResponse>(body), UaDecodeError);
    body.replace(body.size() - 8, 4, Hex("00 00 01 00")); // 65536 values in 4 bytes
    EXPECT_THROW(Decoded<UaReadResponse>(body), UaDecodeError);
}

TEST(UaServices, NullArraysReadAsEmpty) {
    QByteArray body = EncodeBody(UaWriteResponse{SampleResponseHeader(), {}, {}});
    body.replace(body.size() - 8, 8, Hex("ff ff ff ff ff ff ff ff"));
    const UaWriteResponse response = Decoded<UaWriteResponse>(body);
    EXPECT_TRUE(response.Results.empty());
    EXPECT_TRUE(response.DiagnosticInfos.empty());
}

TEST(UaServices, UnknownEnumerationValuesAreKeptAsSent) {
    UaReadRequest request = Sample<UaReadRequest>();
    request.TimestampsToReturn = UaTimestampsToReturn(77);
    EXPECT_EQ(Decoded<UaReadRequest>(EncodeBody(request)).TimestampsToReturn,
              UaTimestampsToReturn(77));
}

TEST(UaServices, IdentityTokensTravelAsExtensionObjectBodies) {
    const UaExtensionObject anonymous =
        ToExtensionObject(UaAnonymousIdentityToken{QStringLiteral("anon")});
    UaBinaryWriter writer;
    writer.WriteExtensionObject(anonymous);
    EXPECT_EQ(writer.Bytes().toHex(' '),
              Hex("01 00 41 01 01 08 00 00 00 04 00 00 00 61 6e 6f 6e").toHex(' ')); // i=321
    EXPECT_EQ(FromExtensionObject<UaAnonymousIdentityToken>(anonymous).PolicyId,
              QStringLiteral("anon"));

    const UaUserNameIdentityToken user{
        QStringLiteral("user"), QStringLiteral("operator"), QByteArray("secret"), {}};
    const UaExtensionObject object = ToExtensionObject(user);
    EXPECT_EQ(object.TypeId, UaNodeId::Numeric(0, 324));
    const UaUserNameIdentityToken back = FromExtensionObject<UaUserNameIdentityToken>(object);
    EXPECT_EQ(back.UserName, user.UserName);
    EXPECT_EQ(back.Password, user.Password);
    EXPECT_TRUE(back.EncryptionAlgorithm.isNull());
    EXPECT_THROW(FromExtensionObject<UaAnonymousIdentityToken>(object), UaDecodeError);
}

} // namespace
