#include "opcua/UaSubscriptionServices.h"

namespace {

// An ExtensionObject read in place: its body is a view of the reader's own bytes, so a
// notification is decoded once, straight from the message.
struct UaExtensionObjectView {
    UaNodeId TypeId;
    quint8 Encoding = UaExtensionObject::NoBody;
    QByteArrayView Body;
};

UaExtensionObjectView ReadExtensionObjectView(UaBinaryReader& reader) {
    UaExtensionObjectView object;
    object.TypeId = reader.ReadNodeId();
    const qsizetype at = reader.Position();
    object.Encoding = reader.ReadByte();
    if (object.Encoding == UaExtensionObject::NoBody) return object;
    if (object.Encoding > UaExtensionObject::XmlBody)
        throw UaDecodeError(
            QStringLiteral("Unknown extension object encoding %1").arg(object.Encoding), at);
    const qint32 length = reader.ReadInt32();
    if (length < -1)
        throw UaDecodeError(QStringLiteral("Extension object body length %1").arg(length), at + 1);
    if (length > 0) {
        object.Body = reader.Peek(length);
        reader.Skip(length);
    }
    return object;
}

template <class Notification> bool HoldsBinary(const UaExtensionObjectView& object) {
    return object.Encoding == UaExtensionObject::BinaryBody &&
           object.TypeId == UaNodeId::Numeric(0, Notification::BinaryEncodingId);
}

template <class Notification> Notification DecodeInPlace(QByteArrayView body) {
    UaBinaryReader reader(body.data(), body.size());
    return Notification::Decode(reader);
}

void ReadNotificationData(UaBinaryReader& reader, UaNotificationMessage& message) {
    const UaExtensionObjectView object = ReadExtensionObjectView(reader);
    if (HoldsBinary<UaDataChangeNotification>(object))
        message.NotificationData.emplace_back(DecodeInPlace<UaDataChangeNotification>(object.Body));
    else if (HoldsBinary<UaStatusChangeNotification>(object))
        message.NotificationData.emplace_back(
            DecodeInPlace<UaStatusChangeNotification>(object.Body));
    else
        ++message.SkippedNotifications;
}

} // namespace

void UaNotificationMessage::Encode(UaBinaryWriter& writer) const {
    writer.WriteUInt32(SequenceNumber);
    writer.WriteDateTime(PublishTime);
    writer.WriteArray(NotificationData, [&writer](const UaNotificationData& data) {
        std::visit(
            [&writer](const auto& body) { writer.WriteExtensionObject(ToExtensionObject(body)); },
            data);
    });
}

UaNotificationMessage UaNotificationMessage::Decode(UaBinaryReader& reader) {
    UaNotificationMessage message;
    message.SequenceNumber = reader.ReadUInt32();
    message.PublishTime = reader.ReadDateTime();
    const qint32 count = reader.ReadArrayLength(UaMinimumSize::ExtensionObject);
    message.NotificationData.reserve(size_t(count));
    for (qint32 i = 0; i < count; ++i)
        ReadNotificationData(reader, message);
    return message;
}
