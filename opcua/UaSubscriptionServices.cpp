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

void UaDataChangeFilter::Encode(UaBinaryWriter& writer) const {
    UaWriteEnum(writer, Trigger);
    writer.WriteUInt32(quint32(DeadbandType));
    writer.WriteDouble(DeadbandValue);
}

UaDataChangeFilter UaDataChangeFilter::Decode(UaBinaryReader& reader) {
    UaDataChangeFilter filter;
    filter.Trigger = UaReadEnum<UaDataChangeTrigger>(reader);
    filter.DeadbandType = UaDeadbandType(reader.ReadUInt32());
    filter.DeadbandValue = reader.ReadDouble();
    return filter;
}

void UaMonitoringParameters::Encode(UaBinaryWriter& writer) const {
    writer.WriteUInt32(ClientHandle);
    writer.WriteDouble(SamplingInterval);
    writer.WriteExtensionObject(Filter);
    writer.WriteUInt32(QueueSize);
    writer.WriteBoolean(DiscardOldest);
}

UaMonitoringParameters UaMonitoringParameters::Decode(UaBinaryReader& reader) {
    UaMonitoringParameters parameters;
    parameters.ClientHandle = reader.ReadUInt32();
    parameters.SamplingInterval = reader.ReadDouble();
    parameters.Filter = reader.ReadExtensionObject();
    parameters.QueueSize = reader.ReadUInt32();
    parameters.DiscardOldest = reader.ReadBoolean();
    return parameters;
}

void UaMonitoredItemCreateRequest::Encode(UaBinaryWriter& writer) const {
    ItemToMonitor.Encode(writer);
    UaWriteEnum(writer, MonitoringMode);
    RequestedParameters.Encode(writer);
}

UaMonitoredItemCreateRequest UaMonitoredItemCreateRequest::Decode(UaBinaryReader& reader) {
    UaMonitoredItemCreateRequest request;
    request.ItemToMonitor = UaReadValueId::Decode(reader);
    request.MonitoringMode = UaReadEnum<UaMonitoringMode>(reader);
    request.RequestedParameters = UaMonitoringParameters::Decode(reader);
    return request;
}

void UaMonitoredItemCreateResult::Encode(UaBinaryWriter& writer) const {
    writer.WriteStatusCode(StatusCode);
    writer.WriteUInt32(MonitoredItemId);
    writer.WriteDouble(RevisedSamplingInterval);
    writer.WriteUInt32(RevisedQueueSize);
    writer.WriteExtensionObject(FilterResult);
}

UaMonitoredItemCreateResult UaMonitoredItemCreateResult::Decode(UaBinaryReader& reader) {
    UaMonitoredItemCreateResult result;
    result.StatusCode = reader.ReadStatusCode();
    result.MonitoredItemId = reader.ReadUInt32();
    result.RevisedSamplingInterval = reader.ReadDouble();
    result.RevisedQueueSize = reader.ReadUInt32();
    result.FilterResult = reader.ReadExtensionObject();
    return result;
}

void UaCreateSubscriptionRequest::Encode(UaBinaryWriter& writer) const {
    RequestHeader.Encode(writer);
    writer.WriteDouble(RequestedPublishingInterval);
    writer.WriteUInt32(RequestedLifetimeCount);
    writer.WriteUInt32(RequestedMaxKeepAliveCount);
    writer.WriteUInt32(MaxNotificationsPerPublish);
    writer.WriteBoolean(PublishingEnabled);
    writer.WriteByte(Priority);
}

UaCreateSubscriptionRequest UaCreateSubscriptionRequest::Decode(UaBinaryReader& reader) {
    UaCreateSubscriptionRequest request;
    request.RequestHeader = UaRequestHeader::Decode(reader);
    request.RequestedPublishingInterval = reader.ReadDouble();
    request.RequestedLifetimeCount = reader.ReadUInt32();
    request.RequestedMaxKeepAliveCount = reader.ReadUInt32();
    request.MaxNotificationsPerPublish = reader.ReadUInt32();
    request.PublishingEnabled = reader.ReadBoolean();
    request.Priority = reader.ReadByte();
    return request;
}

void UaCreateSubscriptionResponse::Encode(UaBinaryWriter& writer) const {
    ResponseHeader.Encode(writer);
    writer.WriteUInt32(SubscriptionId);
    writer.WriteDouble(RevisedPublishingInterval);
    writer.WriteUInt32(RevisedLifetimeCount);
    writer.WriteUInt32(RevisedMaxKeepAliveCount);
}

UaCreateSubscriptionResponse UaCreateSubscriptionResponse::Decode(UaBinaryReader& reader) {
    UaCreateSubscriptionResponse response;
    response.ResponseHeader = UaResponseHeader::Decode(reader);
    response.SubscriptionId = reader.ReadUInt32();
    response.RevisedPublishingInterval = reader.ReadDouble();
    response.RevisedLifetimeCount = reader.ReadUInt32();
    response.RevisedMaxKeepAliveCount = reader.ReadUInt32();
    return response;
}

void UaModifySubscriptionRequest::Encode(UaBinaryWriter& writer) const {
    RequestHeader.Encode(writer);
    writer.WriteUInt32(SubscriptionId);
    writer.WriteDouble(RequestedPublishingInterval);
    writer.WriteUInt32(RequestedLifetimeCount);
    writer.WriteUInt32(RequestedMaxKeepAliveCount);
    writer.WriteUInt32(MaxNotificationsPerPublish);
    writer.WriteByte(Priority);
}

UaModifySubscriptionRequest UaModifySubscriptionRequest::Decode(UaBinaryReader& reader) {
    UaModifySubscriptionRequest request;
    request.RequestHeader = UaRequestHeader::Decode(reader);
    request.SubscriptionId = reader.ReadUInt32();
    request.RequestedPublishingInterval = reader.ReadDouble();
    request.RequestedLifetimeCount = reader.ReadUInt32();
    request.RequestedMaxKeepAliveCount = reader.ReadUInt32();
    request.MaxNotificationsPerPublish = reader.ReadUInt32();
    request.Priority = reader.ReadByte();
    return request;
}

void UaModifySubscriptionResponse::Encode(UaBinaryWriter& writer) const {
    ResponseHeader.Encode(writer);
    writer.WriteDouble(RevisedPublishingInterval);
    writer.WriteUInt32(RevisedLifetimeCount);
    writer.WriteUInt32(RevisedMaxKeepAliveCount);
}

UaModifySubscriptionResponse UaModifySubscriptionResponse::Decode(UaBinaryReader& reader) {
    UaModifySubscriptionResponse response;
    response.ResponseHeader = UaResponseHeader::Decode(reader);
    response.RevisedPublishingInterval = reader.ReadDouble();
    response.RevisedLifetimeCount = reader.ReadUInt32();
    response.RevisedMaxKeepAliveCount = reader.ReadUInt32();
    return response;
}

void UaSetPublishingModeRequest::Encode(UaBinaryWriter& writer) const {
    RequestHeader.Encode(writer);
    writer.WriteBoolean(PublishingEnabled);
    UaWriteUInt32s(writer, SubscriptionIds);
}

UaSetPublishingModeRequest UaSetPublishingModeRequest::Decode(UaBinaryReader& reader) {
    UaSetPublishingModeRequest request;
    request.RequestHeader = UaRequestHeader::Decode(reader);
    request.PublishingEnabled = reader.ReadBoolean();
    request.SubscriptionIds = UaReadUInt32s(reader);
    return request;
}

void UaSetPublishingModeResponse::Encode(UaBinaryWriter& writer) const {
    ResponseHeader.Encode(writer);
    UaWriteUInt32s(writer, Results);
    UaWriteDiagnosticInfos(writer, DiagnosticInfos);
}

UaSetPublishingModeResponse UaSetPublishingModeResponse::Decode(UaBinaryReader& reader) {
    UaSetPublishingModeResponse response;
    response.ResponseHeader = UaResponseHeader::Decode(reader);
    response.Results = UaReadUInt32s(reader);
    response.DiagnosticInfos = UaReadDiagnosticInfos(reader);
    return response;
}

void UaDeleteSubscriptionsRequest::Encode(UaBinaryWriter& writer) const {
    RequestHeader.Encode(writer);
    UaWriteUInt32s(writer, SubscriptionIds);
}

UaDeleteSubscriptionsRequest UaDeleteSubscriptionsRequest::Decode(UaBinaryReader& reader) {
    UaDeleteSubscriptionsRequest request;
    request.RequestHeader = UaRequestHeader::Decode(reader);
    request.SubscriptionIds = UaReadUInt32s(reader);
    return request;
}

void UaDeleteSubscriptionsResponse::Encode(UaBinaryWriter& writer) const {
    ResponseHeader.Encode(writer);
    UaWriteUInt32s(writer, Results);
    UaWriteDiagnosticInfos(writer, DiagnosticInfos);
}

UaDeleteSubscriptionsResponse UaDeleteSubscriptionsResponse::Decode(UaBinaryReader& reader) {
    UaDeleteSubscriptionsResponse response;
    response.ResponseHeader = UaResponseHeader::Decode(reader);
    response.Results = UaReadUInt32s(reader);
    response.DiagnosticInfos = UaReadDiagnosticInfos(reader);
    return response;
}

void UaCreateMonitoredItemsRequest::Encode(UaBinaryWriter& writer) const {
    RequestHeader.Encode(writer);
    writer.WriteUInt32(SubscriptionId);
    UaWriteEnum(writer, TimestampsToReturn);
    UaWriteStructures(writer, ItemsToCreate);
}

UaCreateMonitoredItemsRequest UaCreateMonitoredItemsRequest::Decode(UaBinaryReader& reader) {
    UaCreateMonitoredItemsRequest request;
    request.RequestHeader = UaRequestHeader::Decode(reader);
    request.SubscriptionId = reader.ReadUInt32();
    request.TimestampsToReturn = UaReadEnum<UaTimestampsToReturn>(reader);
    request.ItemsToCreate = UaReadStructures<UaMonitoredItemCreateRequest>(reader);
    return request;
}

void UaCreateMonitoredItemsResponse::Encode(UaBinaryWriter& writer) const {
    ResponseHeader.Encode(writer);
    UaWriteStructures(writer, Results);
    UaWriteDiagnosticInfos(writer, DiagnosticInfos);
}

UaCreateMonitoredItemsResponse UaCreateMonitoredItemsResponse::Decode(UaBinaryReader& reader) {
    UaCreateMonitoredItemsResponse response;
    response.ResponseHeader = UaResponseHeader::Decode(reader);
    response.Results = UaReadStructures<UaMonitoredItemCreateResult>(reader);
    response.DiagnosticInfos = UaReadDiagnosticInfos(reader);
    return response;
}

void UaDeleteMonitoredItemsRequest::Encode(UaBinaryWriter& writer) const {
    RequestHeader.Encode(writer);
    writer.WriteUInt32(SubscriptionId);
    UaWriteUInt32s(writer, MonitoredItemIds);
}

UaDeleteMonitoredItemsRequest UaDeleteMonitoredItemsRequest::Decode(UaBinaryReader& reader) {
    UaDeleteMonitoredItemsRequest request;
    request.RequestHeader = UaRequestHeader::Decode(reader);
    request.SubscriptionId = reader.ReadUInt32();
    request.MonitoredItemIds = UaReadUInt32s(reader);
    return request;
}

void UaDeleteMonitoredItemsResponse::Encode(UaBinaryWriter& writer) const {
    ResponseHeader.Encode(writer);
    UaWriteUInt32s(writer, Results);
    UaWriteDiagnosticInfos(writer, DiagnosticInfos);
}

UaDeleteMonitoredItemsResponse UaDeleteMonitoredItemsResponse::Decode(UaBinaryReader& reader) {
    UaDeleteMonitoredItemsResponse response;
    response.ResponseHeader = UaResponseHeader::Decode(reader);
    response.Results = UaReadUInt32s(reader);
    response.DiagnosticInfos = UaReadDiagnosticInfos(reader);
    return response;
}

void UaMonitoredItemNotification::Encode(UaBinaryWriter& writer) const {
    writer.WriteUInt32(ClientHandle);
    writer.WriteDataValue(Value);
}

UaMonitoredItemNotification UaMonitoredItemNotification::Decode(UaBinaryReader& reader) {
    UaMonitoredItemNotification notification;
    notification.ClientHandle = reader.ReadUInt32();
    notification.Value = reader.ReadDataValue();
    return notification;
}

void UaDataChangeNotification::Encode(UaBinaryWriter& writer) const {
    UaWriteStructures(writer, MonitoredItems);
    UaWriteDiagnosticInfos(writer, DiagnosticInfos);
}

UaDataChangeNotification UaDataChangeNotification::Decode(UaBinaryReader& reader) {
    UaDataChangeNotification notification;
    notification.MonitoredItems = UaReadStructures<UaMonitoredItemNotification>(reader);
    notification.DiagnosticInfos = UaReadDiagnosticInfos(reader);
    return notification;
}

void UaStatusChangeNotification::Encode(UaBinaryWriter& writer) const {
    writer.WriteStatusCode(Status);
    writer.WriteDiagnosticInfo(DiagnosticInfo);
}

UaStatusChangeNotification UaStatusChangeNotification::Decode(UaBinaryReader& reader) {
    UaStatusChangeNotification notification;
    notification.Status = reader.ReadStatusCode();
    notification.DiagnosticInfo = reader.ReadDiagnosticInfo();
    return notification;
}

void UaNotificationMessage::Encode(UaBinaryWriter& writer) const {
    writer.WriteUInt32(SequenceNumber);
    writer.WriteDateTime(PublishTime);
    UaWriteVector(writer, NotificationData, [](UaBinaryWriter& w, const UaNotificationData& data) {
        std::visit([&w](const auto& body) { w.WriteExtensionObject(ToExtensionObject(body)); },
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

void UaSubscriptionAcknowledgement::Encode(UaBinaryWriter& writer) const {
    writer.WriteUInt32(SubscriptionId);
    writer.WriteUInt32(SequenceNumber);
}

UaSubscriptionAcknowledgement UaSubscriptionAcknowledgement::Decode(UaBinaryReader& reader) {
    UaSubscriptionAcknowledgement acknowledgement;
    acknowledgement.SubscriptionId = reader.ReadUInt32();
    acknowledgement.SequenceNumber = reader.ReadUInt32();
    return acknowledgement;
}

void UaPublishRequest::Encode(UaBinaryWriter& writer) const {
    RequestHeader.Encode(writer);
    UaWriteStructures(writer, SubscriptionAcknowledgements);
}

UaPublishRequest UaPublishRequest::Decode(UaBinaryReader& reader) {
    UaPublishRequest request;
    request.RequestHeader = UaRequestHeader::Decode(reader);
    request.SubscriptionAcknowledgements = UaReadStructures<UaSubscriptionAcknowledgement>(reader);
    return request;
}

void UaPublishResponse::Encode(UaBinaryWriter& writer) const {
    ResponseHeader.Encode(writer);
    writer.WriteUInt32(SubscriptionId);
    UaWriteUInt32s(writer, AvailableSequenceNumbers);
    writer.WriteBoolean(MoreNotifications);
    NotificationMessage.Encode(writer);
    UaWriteUInt32s(writer, Results);
    UaWriteDiagnosticInfos(writer, DiagnosticInfos);
}

UaPublishResponse UaPublishResponse::Decode(UaBinaryReader& reader) {
    UaPublishResponse response;
    response.ResponseHeader = UaResponseHeader::Decode(reader);
    response.SubscriptionId = reader.ReadUInt32();
    response.AvailableSequenceNumbers = UaReadUInt32s(reader);
    response.MoreNotifications = reader.ReadBoolean();
    response.NotificationMessage = UaNotificationMessage::Decode(reader);
    response.Results = UaReadUInt32s(reader);
    response.DiagnosticInfos = UaReadDiagnosticInfos(reader);
    return response;
}

void UaRepublishRequest::Encode(UaBinaryWriter& writer) const {
    RequestHeader.Encode(writer);
    writer.WriteUInt32(SubscriptionId);
    writer.WriteUInt32(RetransmitSequenceNumber);
}

UaRepublishRequest UaRepublishRequest::Decode(UaBinaryReader& reader) {
    UaRepublishRequest request;
    request.RequestHeader = UaRequestHeader::Decode(reader);
    request.SubscriptionId = reader.ReadUInt32();
    request.RetransmitSequenceNumber = reader.ReadUInt32();
    return request;
}

void UaRepublishResponse::Encode(UaBinaryWriter& writer) const {
    ResponseHeader.Encode(writer);
    NotificationMessage.Encode(writer);
}

UaRepublishResponse UaRepublishResponse::Decode(UaBinaryReader& reader) {
    UaRepublishResponse response;
    response.ResponseHeader = UaResponseHeader::Decode(reader);
    response.NotificationMessage = UaNotificationMessage::Decode(reader);
    return response;
}
