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

    void Encode(UaBinaryWriter& writer) const;
    static UaDataChangeFilter Decode(UaBinaryReader& reader);
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

    void Encode(UaBinaryWriter& writer) const;
    static UaMonitoringParameters Decode(UaBinaryReader& reader);
};

struct UaMonitoredItemCreateRequest {
    static constexpr quint32 BinaryEncodingId = 745;
    static constexpr qsizetype MinimumSize =
        UaReadValueId::MinimumSize + 4 + UaMonitoringParameters::MinimumSize;
    UaReadValueId ItemToMonitor;
    UaMonitoringMode MonitoringMode = UaMonitoringMode::Reporting;
    UaMonitoringParameters RequestedParameters;

    void Encode(UaBinaryWriter& writer) const;
    static UaMonitoredItemCreateRequest Decode(UaBinaryReader& reader);
};

struct UaMonitoredItemCreateResult {
    static constexpr quint32 BinaryEncodingId = 748;
    static constexpr qsizetype MinimumSize = 4 + 4 + 8 + 4 + UaMinimumSize::ExtensionObject;
    quint32 StatusCode = 0;
    quint32 MonitoredItemId = 0;
    double RevisedSamplingInterval = 0;
    quint32 RevisedQueueSize = 0;
    UaExtensionObject FilterResult;

    void Encode(UaBinaryWriter& writer) const;
    static UaMonitoredItemCreateResult Decode(UaBinaryReader& reader);
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

    void Encode(UaBinaryWriter& writer) const;
    static UaCreateSubscriptionRequest Decode(UaBinaryReader& reader);
};

struct UaCreateSubscriptionResponse {
    static constexpr quint32 BinaryEncodingId = 790;
    UaResponseHeader ResponseHeader;
    quint32 SubscriptionId = 0;
    double RevisedPublishingInterval = 0;
    quint32 RevisedLifetimeCount = 0;
    quint32 RevisedMaxKeepAliveCount = 0;

    void Encode(UaBinaryWriter& writer) const;
    static UaCreateSubscriptionResponse Decode(UaBinaryReader& reader);
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

    void Encode(UaBinaryWriter& writer) const;
    static UaModifySubscriptionRequest Decode(UaBinaryReader& reader);
};

struct UaModifySubscriptionResponse {
    static constexpr quint32 BinaryEncodingId = 796;
    UaResponseHeader ResponseHeader;
    double RevisedPublishingInterval = 0;
    quint32 RevisedLifetimeCount = 0;
    quint32 RevisedMaxKeepAliveCount = 0;

    void Encode(UaBinaryWriter& writer) const;
    static UaModifySubscriptionResponse Decode(UaBinaryReader& reader);
};

struct UaSetPublishingModeRequest {
    static constexpr quint32 BinaryEncodingId = 799;
    UaRequestHeader RequestHeader;
    bool PublishingEnabled = true;
    std::vector<quint32> SubscriptionIds;

    void Encode(UaBinaryWriter& writer) const;
    static UaSetPublishingModeRequest Decode(UaBinaryReader& reader);
};

struct UaSetPublishingModeResponse {
    static constexpr quint32 BinaryEncodingId = 802;
    UaResponseHeader ResponseHeader;
    std::vector<quint32> Results;
    std::vector<UaDiagnosticInfo> DiagnosticInfos;

    void Encode(UaBinaryWriter& writer) const;
    static UaSetPublishingModeResponse Decode(UaBinaryReader& reader);
};

struct UaDeleteSubscriptionsRequest {
    static constexpr quint32 BinaryEncodingId = 847;
    UaRequestHeader RequestHeader;
    std::vector<quint32> SubscriptionIds;

    void Encode(UaBinaryWriter& writer) const;
    static UaDeleteSubscriptionsRequest Decode(UaBinaryReader& reader);
};

struct UaDeleteSubscriptionsResponse {
    static constexpr quint32 BinaryEncodingId = 850;
    UaResponseHeader ResponseHeader;
    std::vector<quint32> Results;
    std::vector<UaDiagnosticInfo> DiagnosticInfos;

    void Encode(UaBinaryWriter& writer) const;
    static UaDeleteSubscriptionsResponse Decode(UaBinaryReader& reader);
};

struct UaCreateMonitoredItemsRequest {
    static constexpr quint32 BinaryEncodingId = 751;
    UaRequestHeader RequestHeader;
    quint32 SubscriptionId = 0;
    UaTimestampsToReturn TimestampsToReturn = UaTimestampsToReturn::Both;
    std::vector<UaMonitoredItemCreateRequest> ItemsToCreate;

    void Encode(UaBinaryWriter& writer) const;
    static UaCreateMonitoredItemsRequest Decode(UaBinaryReader& reader);
};

struct UaCreateMonitoredItemsResponse {
    static constexpr quint32 BinaryEncodingId = 754;
    UaResponseHeader ResponseHeader;
    std::vector<UaMonitoredItemCreateResult> Results;
    std::vector<UaDiagnosticInfo> DiagnosticInfos;

    void Encode(UaBinaryWriter& writer) const;
    static UaCreateMonitoredItemsResponse Decode(UaBinaryReader& reader);
};

struct UaDeleteMonitoredItemsRequest {
    static constexpr quint32 BinaryEncodingId = 781;
    UaRequestHeader RequestHeader;
    quint32 SubscriptionId = 0;
    std::vector<quint32> MonitoredItemIds;

    void Encode(UaBinaryWriter& writer) const;
    static UaDeleteMonitoredItemsRequest Decode(UaBinaryReader& reader);
};

struct UaDeleteMonitoredItemsResponse {
    static constexpr quint32 BinaryEncodingId = 784;
    UaResponseHeader ResponseHeader;
    std::vector<quint32> Results;
    std::vector<UaDiagnosticInfo> DiagnosticInfos;

    void Encode(UaBinaryWriter& writer) const;
    static UaDeleteMonitoredItemsResponse Decode(UaBinaryReader& reader);
};

struct UaMonitoredItemNotification {
    static constexpr quint32 BinaryEncodingId = 808;
    static constexpr qsizetype MinimumSize = 4 + UaMinimumSize::DataValue;
    quint32 ClientHandle = 0;
    UaDataValue Value;

    void Encode(UaBinaryWriter& writer) const;
    static UaMonitoredItemNotification Decode(UaBinaryReader& reader);
};

struct UaDataChangeNotification {
    static constexpr quint32 BinaryEncodingId = 811;
    std::vector<UaMonitoredItemNotification> MonitoredItems;
    std::vector<UaDiagnosticInfo> DiagnosticInfos;

    void Encode(UaBinaryWriter& writer) const;
    static UaDataChangeNotification Decode(UaBinaryReader& reader);
};

struct UaStatusChangeNotification {
    static constexpr quint32 BinaryEncodingId = 820;
    quint32 Status = 0;
    UaDiagnosticInfo DiagnosticInfo;

    void Encode(UaBinaryWriter& writer) const;
    static UaStatusChangeNotification Decode(UaBinaryReader& reader);
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

    void Encode(UaBinaryWriter& writer) const;
    static UaSubscriptionAcknowledgement Decode(UaBinaryReader& reader);
};

struct UaPublishRequest {
    static constexpr quint32 BinaryEncodingId = 826;
    UaRequestHeader RequestHeader;
    std::vector<UaSubscriptionAcknowledgement> SubscriptionAcknowledgements;

    void Encode(UaBinaryWriter& writer) const;
    static UaPublishRequest Decode(UaBinaryReader& reader);
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

    void Encode(UaBinaryWriter& writer) const;
    static UaPublishResponse Decode(UaBinaryReader& reader);
};

struct UaRepublishRequest {
    static constexpr quint32 BinaryEncodingId = 832;
    UaRequestHeader RequestHeader;
    quint32 SubscriptionId = 0;
    quint32 RetransmitSequenceNumber = 0;

    void Encode(UaBinaryWriter& writer) const;
    static UaRepublishRequest Decode(UaBinaryReader& reader);
};

struct UaRepublishResponse {
    static constexpr quint32 BinaryEncodingId = 835;
    UaResponseHeader ResponseHeader;
    UaNotificationMessage NotificationMessage;

    void Encode(UaBinaryWriter& writer) const;
    static UaRepublishResponse Decode(UaBinaryReader& reader);
};
