// A data-access group over an OPC UA subscription: items are monitored items on their node's
// Value (sampled at the group's update rate), the data type of each is read to convert
// writes, and the connection's state reaches the items as the quality of their values.
#pragma once

#include "opcua/UaBuiltInTypes.h"
#include "opcua/UaError.h"
#include "platform/DataAccess.h"

#include <map>
#include <memory>

class UaDataAccessServer;
class UaSubscription;
struct UaMonitoredItemNotification;

class UaDataAccessGroup : public TDataAccessGroup {
public:
    UaDataAccessGroup(std::shared_ptr<UaDataAccessServer> server, quint32 serverHandle,
                      const TDataAccessGroupDefinition& definition);
    ~UaDataAccessGroup() override;

    quint32 ServerHandle() const override { return serverHandle_; }
    std::vector<TDataAccessItemResult>
    AddItems(const std::vector<TDataAccessItemDefinition>& items) override;
    void RemoveItems(const std::vector<quint32>& serverHandles) override;
    quint16 CanonicalType(quint32 serverHandle) const override;
    void SetActive(bool active) override;
    void Write(quint32 serverHandle, const QVariant& value) override;
    quint32 AdviseDataCallback(TDataAccessDataCallback* callback) override;
    void UnadviseDataCallback(quint32 cookie) override;
    quint32 AdviseStream(const QString& format, TDataAccessAdviseSink* sink) override;
    void UnadviseStream(quint32 connection) override;

    // Called by the server as its connection comes and goes.
    void OnClientReady();
    void OnConnected();
    void OnConnectionLost(quint16 quality);

private:
    struct Item {
        quint32 ClientHandle = 0;
        UaNodeId Node;
        std::optional<UaBuiltInType> Type; // from the node's DataType, else its last value
        quint16 CanonicalType = vtEmpty;   // from the node's DataType
        QVariant LastValue;
    };

    void MakeSubscription();
    void ReadDataTypes();
    void OnDataChange(const std::vector<UaMonitoredItemNotification>& values);
    void OnItemResult(quint32 serverHandle, quint32 status);
    void Deliver(const std::vector<TDataAccessItemValue>& values);
    Item& Find(quint32 serverHandle);
    template <class Call> void EachCallback(Call&& call);

    std::shared_ptr<UaDataAccessServer> server_;
    quint32 serverHandle_;
    TDataAccessGroupDefinition definition_;
    std::unique_ptr<UaSubscription> subscription_;
    std::map<quint32, Item> items_; // by server handle, which is also the monitored item's
    std::map<quint32, TDataAccessDataCallback*> callbacks_;
    quint32 lastItemHandle_ = 0;
    quint32 lastCookie_ = 0;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
