// The subscription and monitored-item services, and Publish with the notifications it brings:
// data changes (client handle and value) and status changes; event lists are skipped.
#pragma once

#include "opcua/UaAttributeServices.h"
#include "opcua/UaServiceHeader.h"

#include <variant>

enum class UaMonitoringMode : qint32 { Disabled = 0, Sampling = 1, Reporting = 2 };

enum class UaDataChangeTrigger : qint32 { Status = 0, StatusValue = 1, StatusValueTimestamp = 2 };

enum class UaDeadbandType : quint32 { None = 0, Absolute = 1, Percent = 2 };

// A MonitoringParameters filter, carried as an ExtensionObject body.
struct UaDataChangeFilter {
    static constexpr quint32 BinaryEncodingId = 724;
    UaDataChangeTrigger Trigger = UaDataChangeTrigger::StatusValue;
    UaDeadbandType DeadbandType = UaDeadbandType::None;
    double DeadbandValue = 0;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.Trigger, self.DeadbandType, self.DeadbandValue);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaDataChangeFilter Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaDataChangeFilter>(reader);
    }
};

struct UaMonitoringParameters {
    static constexpr quint32 BinaryEncodingId = 742;
    static constexpr qsizetype MinimumSize =
        4 + 8 + UaMinimumSize::ExtensionObject + 4 + UaMinimumSize::Boolean;
    quint32 ClientHandle = 0;
    double SamplingInterval = -1; // the subscription's publishing interval
    UaExtensionObject Filter;
    quint32 QueueSize = 1;
    bool DiscardOldest = true;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ClientHandle, self.SamplingInterval, self.Filter, self.QueueSize,
           self.DiscardOldest);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaMonitoringParameters Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaMonitoringParameters>(reader);
    }
};

struct UaMonitoredItemCreateRequest {
    static constexpr quint32 BinaryEncodingId = 745;
    static constexpr qsizetype MinimumSize =
        UaReadValueId::MinimumSize + 4 + UaMonitoringParameters::MinimumSize;
    UaReadValueId ItemToMonitor;
    UaMonitoringMode MonitoringMode = UaMonitoringMode::Reporting;
    UaMonitoringParameters RequestedParameters;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ItemToMonitor, self.MonitoringMode, self.RequestedParameters);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaMonitoredItemCreateRequest Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaMonitoredItemCreateRequest>(reader);
    }
};

struct UaMonitoredItemCreateResult {
    static constexpr quint32 BinaryEncodingId = 748;
    static constexpr qsizetype MinimumSize = 4 + 4 + 8 + 4 + UaMinimumSize::ExtensionObject;
    quint32 StatusCode = 0;
    quint32 MonitoredItemId = 0;
    double RevisedSamplingInterval = 0;
    quint32 RevisedQueueSize = 0;
    UaExtensionObject FilterResult;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.StatusCode, self.MonitoredItemId, self.RevisedSamplingInterval,
           self.RevisedQueueSize, self.FilterResult);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaMonitoredItemCreateResult Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaMonitoredItemCreateResult>(reader);
    }
};

struct UaCreateSubscriptionRequest {
    static constexpr quint32 BinaryEncodingId = 787;
    UaRequestHeader RequestHeader;
    double RequestedPublishingInterval = 0;
    quint32 RequestedLifetimeCount = 0;
    quint32 RequestedMaxKeepAliveCount = 0;
    quint32 MaxNotificationsPerPublish = 0;
    bool PublishingEnabled = true;
    quint8 Priority = 0;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.RequestHeader, self.RequestedPublishingInterval, self.RequestedLifetimeCount,
           self.RequestedMaxKeepAliveCount, self.MaxNotificationsPerPublish, self.PublishingEnabled,
           self.Priority);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaCreateSubscriptionRequest Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaCreateSubscriptionRequest>(reader);
    }
};

struct UaCreateSubscriptionResponse {
    static constexpr quint32 BinaryEncodingId = 790;
    UaResponseHeader ResponseHeader;
    quint32 SubscriptionId = 0;
    double RevisedPublishingInterval = 0;
    quint32 RevisedLifetimeCount = 0;
    quint32 RevisedMaxKeepAliveCount = 0;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ResponseHeader, self.SubscriptionId, self.RevisedPublishingInterval,
           self.RevisedLifetimeCount, self.RevisedMaxKeepAliveCount);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaCreateSubscriptionResponse Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaCreateSubscriptionResponse>(reader);
    }
};

struct UaModifySubscriptionRequest {
    static constexpr quint32 BinaryEncodingId = 793;
    UaRequestHeader RequestHeader;
    quint32 SubscriptionId = 0;
    double RequestedPublishingInterval = 0;
    quint32 RequestedLifetimeCount = 0;
    quint32 RequestedMaxKeepAliveCount = 0;
    quint32 MaxNotificationsPerPublish = 0;
    quint8 Priority = 0;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.RequestHeader, self.SubscriptionId, self.RequestedPublishingInterval,
           self.RequestedLifetimeCount, self.RequestedMaxKeepAliveCount,
           self.MaxNotificationsPerPublish, self.Priority);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaModifySubscriptionRequest Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaModifySubscriptionRequest>(reader);
    }
};

struct UaModifySubscriptionResponse {
    static constexpr quint32 BinaryEncodingId = 796;
    UaResponseHeader ResponseHeader;
    double RevisedPublishingInterval = 0;
    quint32 RevisedLifetimeCount = 0;
    quint32 RevisedMaxKeepAliveCount = 0;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ResponseHeader, self.RevisedPublishingInterval, self.RevisedLifetimeCount,
           self.RevisedMaxKeepAliveCount);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaModifySubscriptionResponse Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaModifySubscriptionResponse>(reader);
    }
};

struct UaSetPublishingModeRequest {
    static constexpr quint32 BinaryEncodingId = 799;
    UaRequestHeader RequestHeader;
    bool PublishingEnabled = true;
    std::vector<quint32> SubscriptionIds;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.RequestHeader, self.PublishingEnabled, self.SubscriptionIds);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaSetPublishingModeRequest Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaSetPublishingModeRequest>(reader);
    }
};

struct UaSetPublishingModeResponse {
    static constexpr quint32 BinaryEncodingId = 802;
    UaResponseHeader ResponseHeader;
    std::vector<quint32> Results;
    std::vector<UaDiagnosticInfo> DiagnosticInfos;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ResponseHeader, self.Results, self.DiagnosticInfos);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaSetPublishingModeResponse Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaSetPublishingModeResponse>(reader);
    }
};

struct UaDeleteSubscriptionsRequest {
    static constexpr quint32 BinaryEncodingId = 847;
    UaRequestHeader RequestHeader;
    std::vector<quint32> SubscriptionIds;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.RequestHeader, self.SubscriptionIds);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaDeleteSubscriptionsRequest Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaDeleteSubscriptionsRequest>(reader);
    }
};

struct UaDeleteSubscriptionsResponse {
    static constexpr quint32 BinaryEncodingId = 850;
    UaResponseHeader ResponseHeader;
    std::vector<quint32> Results;
    std::vector<UaDiagnosticInfo> DiagnosticInfos;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ResponseHeader, self.Results, self.DiagnosticInfos);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaDeleteSubscriptionsResponse Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaDeleteSubscriptionsResponse>(reader);
    }
};

struct UaCreateMonitoredItemsRequest {
    static constexpr quint32 BinaryEncodingId = 751;
    UaRequestHeader RequestHeader;
    quint32 SubscriptionId = 0;
    UaTimestampsToReturn TimestampsToReturn = UaTimestampsToReturn::Both;
    std::vector<UaMonitoredItemCreateRequest> ItemsToCreate;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.RequestHeader, self.SubscriptionId, self.TimestampsToReturn, self.ItemsToCreate);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaCreateMonitoredItemsRequest Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaCreateMonitoredItemsRequest>(reader);
    }
};

struct UaCreateMonitoredItemsResponse {
    static constexpr quint32 BinaryEncodingId = 754;
    UaResponseHeader ResponseHeader;
    std::vector<UaMonitoredItemCreateResult> Results;
    std::vector<UaDiagnosticInfo> DiagnosticInfos;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ResponseHeader, self.Results, self.DiagnosticInfos);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaCreateMonitoredItemsResponse Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaCreateMonitoredItemsResponse>(reader);
    }
};

struct UaDeleteMonitoredItemsRequest {
    static constexpr quint32 BinaryEncodingId = 781;
    UaRequestHeader RequestHeader;
    quint32 SubscriptionId = 0;
    std::vector<quint32> MonitoredItemIds;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.RequestHeader, self.SubscriptionId, self.MonitoredItemIds);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaDeleteMonitoredItemsRequest Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaDeleteMonitoredItemsRequest>(reader);
    }
};

struct UaDeleteMonitoredItemsResponse {
    static constexpr quint32 BinaryEncodingId = 784;
    UaResponseHeader ResponseHeader;
    std::vector<quint32> Results;
    std::vector<UaDiagnosticInfo> DiagnosticInfos;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ResponseHeader, self.Results, self.DiagnosticInfos);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaDeleteMonitoredItemsResponse Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaDeleteMonitoredItemsResponse>(reader);
    }
};

struct UaMonitoredItemNotification {
    static constexpr quint32 BinaryEncodingId = 808;
    static constexpr qsizetype MinimumSize = 4 + UaMinimumSize::DataValue;
    quint32 ClientHandle = 0;
    UaDataValue Value;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ClientHandle, self.Value);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaMonitoredItemNotification Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaMonitoredItemNotification>(reader);
    }
};

struct UaDataChangeNotification {
    static constexpr quint32 BinaryEncodingId = 811;
    std::vector<UaMonitoredItemNotification> MonitoredItems;
    std::vector<UaDiagnosticInfo> DiagnosticInfos;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.MonitoredItems, self.DiagnosticInfos);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaDataChangeNotification Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaDataChangeNotification>(reader);
    }
};

struct UaStatusChangeNotification {
    static constexpr quint32 BinaryEncodingId = 820;
    quint32 Status = 0;
    UaDiagnosticInfo DiagnosticInfo;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.Status, self.DiagnosticInfo);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaStatusChangeNotification Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaStatusChangeNotification>(reader);
    }
};

// The notifications this client reads, in the order the server sent them.
using UaNotificationData = std::variant<UaDataChangeNotification, UaStatusChangeNotification>;

struct UaNotificationMessage {
    static constexpr quint32 BinaryEncodingId = 805;
    quint32 SequenceNumber = 0;
    qint64 PublishTime = 0;
    std::vector<UaNotificationData> NotificationData;
    // Entries left unread: event lists, types this client does not know, XML bodies.
    quint32 SkippedNotifications = 0;

    // No notification at all, read or skipped: nothing to acknowledge.
    bool IsKeepAlive() const { return NotificationData.empty() && SkippedNotifications == 0; }
    void Encode(UaBinaryWriter& writer) const;
    static UaNotificationMessage Decode(UaBinaryReader& reader);
};

struct UaSubscriptionAcknowledgement {
    static constexpr quint32 BinaryEncodingId = 823;
    static constexpr qsizetype MinimumSize = 8;
    quint32 SubscriptionId = 0;
    quint32 SequenceNumber = 0;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.SubscriptionId, self.SequenceNumber);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaSubscriptionAcknowledgement Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaSubscriptionAcknowledgement>(reader);
    }
};

struct UaPublishRequest {
    static constexpr quint32 BinaryEncodingId = 826;
    UaRequestHeader RequestHeader;
    std::vector<UaSubscriptionAcknowledgement> SubscriptionAcknowledgements;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.RequestHeader, self.SubscriptionAcknowledgements);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaPublishRequest Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaPublishRequest>(reader);
    }
};

struct UaPublishResponse {
    static constexpr quint32 BinaryEncodingId = 829;
    UaResponseHeader ResponseHeader;
    quint32 SubscriptionId = 0;
    std::vector<quint32> AvailableSequenceNumbers;
    bool MoreNotifications = false;
    UaNotificationMessage NotificationMessage;
    std::vector<quint32> Results;
    std::vector<UaDiagnosticInfo> DiagnosticInfos;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ResponseHeader, self.SubscriptionId, self.AvailableSequenceNumbers,
           self.MoreNotifications, self.NotificationMessage, self.Results, self.DiagnosticInfos);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaPublishResponse Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaPublishResponse>(reader);
    }
};

struct UaRepublishRequest {
    static constexpr quint32 BinaryEncodingId = 832;
    UaRequestHeader RequestHeader;
    quint32 SubscriptionId = 0;
    quint32 RetransmitSequenceNumber = 0;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.RequestHeader, self.SubscriptionId, self.RetransmitSequenceNumber);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaRepublishRequest Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaRepublishRequest>(reader);
    }
};

struct UaRepublishResponse {
    static constexpr quint32 BinaryEncodingId = 835;
    UaResponseHeader ResponseHeader;
    UaNotificationMessage NotificationMessage;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ResponseHeader, self.NotificationMessage);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaRepublishResponse Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaRepublishResponse>(reader);
    }
};
