#include "opcua/UaSubscription.h"

#include "opcua/UaClient.h"
#include "opcua/UaNodeIds.h"

namespace {

// Keep-alive after ten empty intervals; the server drops the subscription after sixty
// intervals without a publish request (three keep-alives), as the protocol requires.
constexpr quint32 MaxKeepAliveCount = 10;
constexpr quint32 LifetimeCount = 60;

} // namespace

UaSubscription::UaSubscription(UaClient& client, double publishingIntervalMs,
                               DataChange onDataChange)
    : client_(client), publishingIntervalMs_(publishingIntervalMs),
      onDataChange_(std::move(onDataChange)) {
    client_.Register(this);
    if (client_.IsConnected()) CreateOnServer();
}

UaSubscription::~UaSubscription() {
    *alive_ = false;
    client_.Unregister(this);
    if (serverId_ != 0 && client_.IsConnected()) {
        UaDeleteSubscriptionsRequest request;
        request.SubscriptionIds.push_back(serverId_);
        client_.DeleteSubscriptions(request, [](const auto&, const auto&) {});
    }
}

std::size_t UaSubscription::PendingItems() const {
    return std::size_t(std::count_if(items_.begin(), items_.end(),
                                     [](const auto& item) { return item.second.ServerId == 0; }));
}

void UaSubscription::AddItem(quint32 clientHandle, const UaNodeId& node, double samplingIntervalMs,
                             quint32 queueSize) {
    RemoveItem(clientHandle);
    Item& item = items_[clientHandle];
    item.Node = node;
    item.SamplingIntervalMs = samplingIntervalMs;
    item.QueueSize = std::max<quint32>(queueSize, 1);
    if (serverId_ != 0) CreateItems();
}

void UaSubscription::RemoveItem(quint32 clientHandle) {
    const auto found = items_.find(clientHandle);
    if (found == items_.end()) return;
    if (found->second.ServerId != 0 && serverId_ != 0) {
        UaDeleteMonitoredItemsRequest request;
        request.SubscriptionId = serverId_;
        request.MonitoredItemIds.push_back(found->second.ServerId);
        client_.DeleteMonitoredItems(request, [](const auto&, const auto&) {});
    }
    items_.erase(found);
}

void UaSubscription::SetPublishingEnabled(bool enabled) {
    if (publishingEnabled_ == enabled) return;
    publishingEnabled_ = enabled;
    if (serverId_ == 0) return; // made with the new mode when the session comes
    UaSetPublishingModeRequest request;
    request.PublishingEnabled = enabled;
    request.SubscriptionIds.push_back(serverId_);
    client_.SetPublishingMode(request, [](const auto&, const auto&) {});
}

void UaSubscription::OnSessionLost() {
    serverId_ = 0;
    creating_ = false;
    for (auto& [handle, item] : items_) {
        item.ServerId = 0;
        item.Requested = false;
    }
}

void UaSubscription::OnSessionReady() {
    CreateOnServer();
}

void UaSubscription::OnServerDropped() {
    OnSessionLost();
    CreateOnServer();
}

void UaSubscription::CreateOnServer() {
    if (creating_ || serverId_ != 0) return;
    creating_ = true;
    UaCreateSubscriptionRequest request;
    request.RequestedPublishingInterval = publishingIntervalMs_;
    request.RequestedLifetimeCount = LifetimeCount;
    request.RequestedMaxKeepAliveCount = MaxKeepAliveCount;
    request.PublishingEnabled = publishingEnabled_;
    client_.CreateSubscription(request, [this, alive = std::weak_ptr<bool>(alive_)](
                                            const UaCreateSubscriptionResponse& response,
                                            const std::optional<UaError>& error) {
        if (alive.expired() || !creating_) return;
        creating_ = false;
        // A refusal reaches every item, so none waits for values in silence; after a lost
        // connection the next session makes the subscription again.
        if (error) return ReportToItems(error->StatusCode);
        serverId_ = response.SubscriptionId;
        CreateItems();
        client_.TopUpPublish();
    });
}

void UaSubscription::CreateItems() {
    UaCreateMonitoredItemsRequest request;
    request.SubscriptionId = serverId_;
    request.TimestampsToReturn = UaTimestampsToReturn::Both;
    std::vector<quint32> handles;
    for (auto& [handle, item] : items_) {
        if (item.Requested) continue;
        item.Requested = true;
        UaMonitoredItemCreateRequest create;
        create.ItemToMonitor.NodeId = item.Node;
        create.ItemToMonitor.AttributeId = UaAttributeId::Value;
        create.MonitoringMode = UaMonitoringMode::Reporting;
        create.RequestedParameters.ClientHandle = handle;
        create.RequestedParameters.SamplingInterval = item.SamplingIntervalMs;
        create.RequestedParameters.QueueSize = item.QueueSize;
        create.RequestedParameters.DiscardOldest = true;
        request.ItemsToCreate.push_back(create);
        handles.push_back(handle);
    }
    if (handles.empty()) return;
    const quint32 subscription = serverId_;
    client_.CreateMonitoredItems(
        request,
        [this, subscription, handles, alive = std::weak_ptr<bool>(alive_)](
            const UaCreateMonitoredItemsResponse& response, const std::optional<UaError>& error) {
            if (alive.expired() || subscription != serverId_) return;
            for (std::size_t i = 0; i < handles.size(); ++i) {
                const auto found = items_.find(handles[i]);
                if (found == items_.end()) continue; // removed while asked for
                const quint32 status =
                    error ? error->StatusCode
                          : (i < response.Results.size() ? response.Results[i].StatusCode
                                                         : UaStatusCodes::BadUnexpectedError);
                if (UaStatusCodes::IsBad(status)) {
                    if (error) found->second.Requested = false; // asked again on the next session
                } else {
                    found->second.ServerId = response.Results[i].MonitoredItemId;
                }
                if (itemResult_) itemResult_(handles[i], status);
                if (alive.expired()) return;
            }
        });
}

void UaSubscription::ReportToItems(quint32 status) {
    if (!itemResult_) return;
    const std::weak_ptr<bool> alive = alive_;
    std::vector<quint32> handles;
    for (const auto& entry : items_)
        handles.push_back(entry.first);
    for (quint32 handle : handles)
        if (!alive.expired()) itemResult_(handle, status);
}

void UaSubscription::Deliver(const UaDataChangeNotification& notification) {
    if (onDataChange_) onDataChange_(notification.MonitoredItems);
}
