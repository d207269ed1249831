#include "opcua/UaStatusCodes.h"
#include "opcua/UaSubscriptionServices.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

constexpr qint64 Ticks = 0x0102030405060708;

QByteArray Hex(const QByteArray& text) {
    return QByteArray::fromHex(text);
}

UaPublishResponse Decoded(const QByteArray& body) {
    UaBinaryReader reader(body);
    return DecodeResponse<UaPublishResponse>(reader);
}

UaMonitoredItemNotification Change(quint32 handle, double value) {
    UaMonitoredItemNotification item;
    item.ClientHandle = handle;
    item.Value.Value = UaVariant::Scalar(UaBuiltInType::Double, value);
    return item;
}

// A PublishResponse around the given NotificationData array bytes (count included).
QByteArray PublishBodyAround(const QByteArray& notificationData) {
    UaBinaryWriter writer;
    writer.WriteExpandedNodeId({UaNodeId::Numeric(0, UaPublishResponse::BinaryEncodingId), {}, 0});
    UaResponseHeader().Encode(writer);
    writer.WriteUInt32(1); // subscription
    writer.WriteInt32(0);  // available sequence numbers
    writer.WriteBoolean(false);
    writer.WriteUInt32(5); // sequence number
    writer.WriteDateTime(Ticks);
    QByteArray body = writer.Take() + notificationData;
    return body + Hex("00 00 00 00 00 00 00 00"); // no results, no diagnostics
}

QByteArray ExtensionObjectBytes(const UaNodeId& type, quint8 encoding, const QByteArray& body) {
    UaBinaryWriter writer;
    writer.WriteExtensionObject({type, encoding, body});
    return writer.Take();
}

QByteArray DataChangeBody(const std::vector<UaMonitoredItemNotification>& items) {
    UaBinaryWriter writer;
    UaDataChangeNotification{items, {}}.Encode(writer);
    return writer.Take();
}

const UaDataChangeNotification& OnlyDataChange(const UaPublishResponse& response) {
    const auto& data = response.NotificationMessage.NotificationData;
    EXPECT_EQ(data.size(), 1u);
    return std::get<UaDataChangeNotification>(data.at(0));
}

TEST(UaNotifications, PublishResponseWithTwoDataChangesHasTheExactBytes) {
    UaPublishResponse response;
    response.ResponseHeader.Timestamp = Ticks;
    response.ResponseHeader.RequestHandle = 7;
    response.SubscriptionId = 1;
    response.AvailableSequenceNumbers = {5};
    response.NotificationMessage.SequenceNumber = 5;
    response.NotificationMessage.PublishTime = Ticks;
    UaMonitoredItemNotification second = Change(2, -2.0);
    second.Value.SourceTimestamp = Ticks;
    response.NotificationMessage.NotificationData = {
        UaDataChangeNotification{{Change(1, 1.5), second}, {}}};
    const QByteArray expected = Hex("01 00 3d 03"                            // i=829
                                    "08 07 06 05 04 03 02 01 07 00 00 00"    // time, handle
                                    "00 00 00 00 00 00 00 00 00 00 00 00"    // good, no extras
                                    "01 00 00 00 01 00 00 00 05 00 00 00 00" // id, [5], no more
                                    "05 00 00 00 08 07 06 05 04 03 02 01"    // sequence, time
                                    "01 00 00 00 01 00 2b 03 01 2c 00 00 00" // one i=811 body
                                    "02 00 00 00"                            // two items
                                    "01 00 00 00 01 0b 00 00 00 00 00 00 f8 3f"
                                    "02 00 00 00 05 0b 00 00 00 00 00 00 00 c0"
                                    "08 07 06 05 04 03 02 01"
                                    "00 00 00 00"               // no diagnostics
                                    "00 00 00 00 00 00 00 00"); // results, diags
    const QByteArray body = EncodeBody(response);
    EXPECT_EQ(body.toHex(' '), expected.toHex(' '));

    const UaPublishResponse decoded = Decoded(body);
    const UaDataChangeNotification& change = OnlyDataChange(decoded);
    ASSERT_EQ(change.MonitoredItems.size(), 2u);
    EXPECT_EQ(change.MonitoredItems[0].ClientHandle, 1u);
    EXPECT_EQ(change.MonitoredItems[0].Value.Value.ToDouble(), 1.5);
    EXPECT_EQ(change.MonitoredItems[1].ClientHandle, 2u);
    EXPECT_EQ(change.MonitoredItems[1].Value.Value.ToDouble(), -2.0);
    EXPECT_EQ(change.MonitoredItems[1].Value.SourceTimestamp, Ticks);
}

TEST(UaNotifications, EventListsUnknownTypesAndXmlBodiesAreSkipped) {
    const QByteArray change = DataChangeBody({Change(3, 4.5)});
    const QByteArray data =
        Hex("05 00 00 00") +
        ExtensionObjectBytes(UaNodeId::Numeric(0, 916), UaExtensionObject::BinaryBody,
                             Hex("ff ff ff 7f 01 02")) + // an event list, never looked into
        ExtensionObjectBytes(UaNodeId::Numeric(2, 811), UaExtensionObject::BinaryBody, change) +
        ExtensionObjectBytes(UaNodeId::Numeric(0, 811), UaExtensionObject::XmlBody, "<x/>") +
        ExtensionObjectBytes(UaNodeId::Numeric(0, 811), UaExtensionObject::NoBody, {}) +
        ExtensionObjectBytes(UaNodeId::Numeric(0, 811), UaExtensionObject::BinaryBody, change);
    const UaPublishResponse response = Decoded(PublishBodyAround(data));
    EXPECT_EQ(response.NotificationMessage.SkippedNotifications, 4u);
    EXPECT_FALSE(response.NotificationMessage.IsKeepAlive());
    const UaDataChangeNotification& decoded = OnlyDataChange(response);
    ASSERT_EQ(decoded.MonitoredItems.size(), 1u);
    EXPECT_EQ(decoded.MonitoredItems[0].ClientHandle, 3u);
}

TEST(UaNotifications, StatusChangeKeepsItsPlaceAmongDataChanges) {
    UaBinaryWriter status;
    UaStatusChangeNotification{UaStatusCodes::BadTimeout, {}}.Encode(status);
    const QByteArray change = DataChangeBody({Change(1, 1)});
    const QByteArray data =
        Hex("03 00 00 00") +
        ExtensionObjectBytes(UaNodeId::Numeric(0, 811), UaExtensionObject::BinaryBody, change) +
        ExtensionObjectBytes(UaNodeId::Numeric(0, 820), UaExtensionObject::BinaryBody,
                             status.Bytes()) +
        ExtensionObjectBytes(UaNodeId::Numeric(0, 811), UaExtensionObject::BinaryBody, change);
    const auto notifications =
        Decoded(PublishBodyAround(data)).NotificationMessage.NotificationData;
    ASSERT_EQ(notifications.size(), 3u);
    EXPECT_TRUE(std::holds_alternative<UaDataChangeNotification>(notifications[0]));
    EXPECT_EQ(std::get<UaStatusChangeNotification>(notifications[1]).Status,
              UaStatusCodes::BadTimeout);
    EXPECT_TRUE(std::holds_alternative<UaDataChangeNotification>(notifications[2]));
}

TEST(UaNotifications, OnlyAMessageWithoutAnyNotificationIsAKeepAlive) {
    EXPECT_TRUE(Decoded(PublishBodyAround(Hex("00 00 00 00"))).NotificationMessage.IsKeepAlive());
    const QByteArray events =
        Hex("01 00 00 00") +
        ExtensionObjectBytes(UaNodeId::Numeric(0, 916), UaExtensionObject::BinaryBody, Hex("00"));
    EXPECT_FALSE(Decoded(PublishBodyAround(events)).NotificationMessage.IsKeepAlive());
}

TEST(UaNotifications, BodyLongerThanTheMessageIsADecodeError) {
    const QByteArray data = Hex("01 00 00 00 01 00 2b 03 01 e8 03 00 00 02 00 00 00");
    EXPECT_THROW(Decoded(PublishBodyAround(data)), UaDecodeError);
}

TEST(UaNotifications, ItemsBeyondTheirBodyAreADecodeError) {
    // The body says five items but holds one; the bytes after it must not be read as items.
    QByteArray change = DataChangeBody({Change(1, 1)});
    change.replace(0, 4, Hex("05 00 00 00"));
    const QByteArray data =
        Hex("02 00 00 00") +
        ExtensionObjectBytes(UaNodeId::Numeric(0, 811), UaExtensionObject::BinaryBody, change) +
        ExtensionObjectBytes(UaNodeId::Numeric(0, 811), UaExtensionObject::BinaryBody,
                             DataChangeBody({Change(2, 2), Change(3, 3), Change(4, 4)}));
    EXPECT_THROW(Decoded(PublishBodyAround(data)), UaDecodeError);
}

TEST(UaNotifications, UnknownBodyEncodingAndNegativeLengthAreDecodeErrors) {
    EXPECT_THROW(Decoded(PublishBodyAround(Hex("01 00 00 00 01 00 2b 03 03 00 00 00 00"))),
                 UaDecodeError);
    EXPECT_THROW(Decoded(PublishBodyAround(Hex("01 00 00 00 01 00 2b 03 01 fe ff ff ff"))),
                 UaDecodeError);
}

TEST(UaNotifications, NotificationCountBeyondTheMessageIsRefused) {
    EXPECT_THROW(Decoded(PublishBodyAround(Hex("ff ff ff 7f"))), UaDecodeError);
    EXPECT_THROW(Decoded(PublishBodyAround(Hex("00 01 00 00"))), UaDecodeError);
}

TEST(UaNotifications, DataChangeFilterTravelsAsExtensionObjectBody) {
    const UaDataChangeFilter filter{UaDataChangeTrigger::StatusValueTimestamp,
                                    UaDeadbandType::Percent, 2.5};
    const UaExtensionObject object = ToExtensionObject(filter);
    EXPECT_EQ(object.TypeId, UaNodeId::Numeric(0, 724));
    EXPECT_EQ(object.Body.toHex(' '),
              Hex("02 00 00 00 02 00 00 00 00 00 00 00 00 00 04 40").toHex(' '));
    const UaDataChangeFilter back = FromExtensionObject<UaDataChangeFilter>(object);
    EXPECT_EQ(back.Trigger, filter.Trigger);
    EXPECT_EQ(back.DeadbandType, filter.DeadbandType);
    EXPECT_EQ(back.DeadbandValue, filter.DeadbandValue);
}

TEST(UaNotifications, AThousandDoubleChangesDecodeFast) {
    std::vector<UaMonitoredItemNotification> items;
    for (quint32 i = 0; i < 1000; ++i) {
        items.push_back(Change(i, i * 0.5));
        items.back().Value.SourceTimestamp = Ticks + i;
    }
    UaPublishResponse response;
    response.NotificationMessage.NotificationData = {UaDataChangeNotification{items, {}}};
    const QByteArray body = EncodeBody(response);

    constexpr int Rounds = 100;
    double best = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        QElapsedTimer timer;
        timer.start();
        for (int round = 0; round < Rounds; ++round) {
            const UaPublishResponse decoded = Decoded(body);
            const UaDataChangeNotification& change = OnlyDataChange(decoded);
            ASSERT_EQ(change.MonitoredItems.size(), 1000u);
            ASSERT_EQ(change.MonitoredItems[999].Value.Value.ToDouble(), 499.5);
        }
        best = std::max(best, Rounds * 1000.0 / std::max<qint64>(timer.nsecsElapsed(), 1) * 1e9);
    }
    RecordProperty("NotificationsPerSecond", int(best));
#if defined(NDEBUG) && !defined(__SANITIZE_ADDRESS__)
    EXPECT_GT(best, 2e6);
#endif
}

} // namespace
