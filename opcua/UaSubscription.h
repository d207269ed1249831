// A subscription the client keeps for its owner: the monitored items it asked for, created on
// the server whenever a session is made (again after every reconnection), and the data
// changes that arrive for them. The client outlives its subscriptions.
#pragma once

#include "opcua/UaNodeId.h"
#include "opcua/UaSubscriptionServices.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

class UaClient;

class UaSubscription {
public:
    using DataChange = std::function<void(const std::vector<UaMonitoredItemNotification>& values)>;
    // What became of one item on the server: a bad status when the server refused it.
    using ItemResult = std::function<void(quint32 clientHandle, quint32 status)>;

    UaSubscription(UaClient& client, double publishingIntervalMs, DataChange onDataChange);
    ~UaSubscription();
    UaSubscription(const UaSubscription&) = delete;
    UaSubscription& operator=(const UaSubscription&) = delete;

    // Monitors the Value attribute of the node; the client handle names it in data changes.
    // The server keeps up to queueSize changes between publishes (1: the latest only).
    void AddItem(quint32 clientHandle, const UaNodeId& node, double samplingIntervalMs,
                 quint32 queueSize = 1);
    void RemoveItem(quint32 clientHandle);
    void SetPublishingEnabled(bool enabled);
    void SetItemResultHandler(ItemResult handler) { itemResult_ = std::move(handler); }

    quint32 ServerId() const { return serverId_; }
    bool PublishingEnabled() const { return publishingEnabled_; }
    double PublishingInterval() const { return publishingIntervalMs_; }
    // Items asked for whose creation the server has not yet confirmed.
    std::size_t PendingItems() const;

private:
    friend class UaClient;

    struct Item {
        UaNodeId Node;
        double SamplingIntervalMs = 0;
        quint32 QueueSize = 1;
        quint32 ServerId = 0; // 0 while not created on the server
        bool Requested = false;
    };

    // Called by the client: the session is new (ids of the old one mean nothing).
    void OnSessionLost();
    void OnSessionReady();
    // The server ended the subscription (its lifetime ran out): made anew.
    void OnServerDropped();
    void CreateOnServer();
    void CreateItems();
    void Deliver(const UaDataChangeNotification& notification);
    void ReportToItems(quint32 status);

    UaClient& client_;
    double publishingIntervalMs_;
    DataChange onDataChange_;
    ItemResult itemResult_;
    std::map<quint32, Item> items_;
    quint32 serverId_ = 0;
    bool creating_ = false;
    bool publishingEnabled_ = true;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
