#include "opcua/UaDataAccessGroup.h"

#include "opcua/UaClient.h"
#include "opcua/UaDataAccessServer.h"
#include "opcua/UaNodeIds.h"
#include "opcua/UaServiceCall.h"
#include "opcua/UaSubscription.h"
#include "opcua/UaValueConversion.h"

UaDataAccessGroup::UaDataAccessGroup(std::shared_ptr<UaDataAccessServer> server,
                                     quint32 serverHandle,
                                     const TDataAccessGroupDefinition& definition)
    : server_(std::move(server)), serverHandle_(serverHandle), definition_(definition) {
    if (server_->Client()) MakeSubscription();
}

UaDataAccessGroup::~UaDataAccessGroup() {
    *alive_ = false;
    server_->Unregister(this);
}

// A callback may unadvise others, or end the group, while it runs.
template <class Call> void UaDataAccessGroup::EachCallback(Call&& call) {
    const auto callbacks = callbacks_;
    const std::weak_ptr<bool> alive = alive_;
    for (const auto& entry : callbacks) {
        if (alive.expired()) return;
        if (callbacks_.contains(entry.first)) RunGuarded([&] { call(entry.second); });
    }
}

void UaDataAccessGroup::OnClientReady() {
    if (!subscription_) MakeSubscription();
}

void UaDataAccessGroup::MakeSubscription() {
    subscription_ = std::make_unique<UaSubscription>(
        *server_->Client(), std::max(definition_.UpdateRate, 0),
        [this](const std::vector<UaMonitoredItemNotification>& values) { OnDataChange(values); });
    subscription_->SetPublishingEnabled(definition_.Active);
    subscription_->SetItemResultHandler(
        [this](quint32 handle, quint32 status) { OnItemResult(handle, status); });
    for (const auto& [handle, item] : items_)
        subscription_->AddItem(handle, item.Node, std::max(definition_.UpdateRate, 0));
}

std::vector<TDataAccessItemResult>
UaDataAccessGroup::AddItems(const std::vector<TDataAccessItemDefinition>& items) {
    std::vector<TDataAccessItemResult> results;
    for (const TDataAccessItemDefinition& definition : items) {
        TDataAccessItemResult& result = results.emplace_back();
        const std::optional<UaNodeId> node = UaNodeId::Parse(definition.ItemId.trimmed());
        if (!node) {
            result.Error = EDataAccessError(
                TDataAccessCode::InvalidName,
                QStringLiteral("\"%1\" is not a node identifier").arg(definition.ItemId));
            continue;
        }
        result.ServerHandle = ++lastItemHandle_;
        Item& item = items_[result.ServerHandle];
        item.ClientHandle = definition.ClientHandle;
        item.Node = *node;
        if (subscription_)
            subscription_->AddItem(result.ServerHandle, *node, std::max(definition_.UpdateRate, 0));
    }
    ReadDataTypes();
    return results;
}

void UaDataAccessGroup::RemoveItems(const std::vector<quint32>& serverHandles) {
    for (quint32 handle : serverHandles) {
        if (subscription_) subscription_->RemoveItem(handle);
        items_.erase(handle);
    }
}

quint16 UaDataAccessGroup::CanonicalType(quint32 serverHandle) const {
    const auto found = items_.find(serverHandle);
    return found == items_.end() ? quint16(vtEmpty) : found->second.CanonicalType;
}

void UaDataAccessGroup::SetActive(bool active) {
    definition_.Active = active;
    if (subscription_) subscription_->SetPublishingEnabled(active);
}

UaDataAccessGroup::Item& UaDataAccessGroup::Find(quint32 serverHandle) {
    const auto found = items_.find(serverHandle);
    if (found == items_.end())
        throw EDataAccessError(TDataAccessCode::UnknownItem,
                               QStringLiteral("No item of handle %1").arg(serverHandle));
    return found->second;
}

void UaDataAccessGroup::Write(quint32 serverHandle, const QVariant& value) {
    const Item& item = Find(serverHandle);
    UaClient* client = server_->Client();
    if (!client || !client->IsConnected())
        throw EDataAccessError(TDataAccessCode::NotConnected,
                               QStringLiteral("Not connected to the server"));
    if (!item.Type)
        throw EDataAccessError(TDataAccessCode::NotConnected,
                               QStringLiteral("The item's data type is not known yet"));
    const std::optional<UaVariant> converted = UaFromItemValue(value, *item.Type);
    if (!converted)
        throw EDataAccessError(TDataAccessCode::BadValue,
                               QStringLiteral("\"%1\" does not convert to %2")
                                   .arg(value.toString(), UaBuiltInTypeName(*item.Type)));
    UaWriteRequest request;
    UaWriteValue& write = request.NodesToWrite.emplace_back();
    write.NodeId = item.Node;
    write.AttributeId = UaAttributeId::Value;
    write.Value.Value = *converted;
    write.Value.HasValue = true;
    client->Write(request, [this, alive = std::weak_ptr<bool>(alive_),
                            clientHandle = item.ClientHandle](const UaWriteResponse& response,
                                                              const std::optional<UaError>& error) {
        if (alive.expired()) return;
        std::optional<EDataAccessError> failed;
        if (error)
            failed = EDataAccessError(TDataAccessCode::Refused, error->Message);
        else if (response.Results.empty() || UaStatusCodes::IsBad(response.Results.front()))
            failed = EDataAccessError(TDataAccessCode::Refused,
                                      UaStatusError(response.Results.empty()
                                                        ? UaStatusCodes::BadUnexpectedError
                                                        : response.Results.front(),
                                                    QStringLiteral("The server refused the value"))
                                          .Message);
        EachCallback([&](TDataAccessDataCallback* callback) {
            callback->OnWriteComplete(definition_.ClientHandle, clientHandle, failed);
        });
    });
}

quint32 UaDataAccessGroup::AdviseDataCallback(TDataAccessDataCallback* callback) {
    if (!callback) return 0;
    callbacks_[++lastCookie_] = callback;
    return lastCookie_;
}

void UaDataAccessGroup::UnadviseDataCallback(quint32 cookie) {
    callbacks_.erase(cookie);
}

quint32 UaDataAccessGroup::AdviseStream(const QString&, TDataAccessAdviseSink*) {
    return 0; // OPC UA has no data streams; the data callback serves every value
}

void UaDataAccessGroup::UnadviseStream(quint32) {}

void UaDataAccessGroup::OnConnected() {
    ReadDataTypes();
}

// Reads the DataType of the items whose type is not yet known, so writes convert to it.
void UaDataAccessGroup::ReadDataTypes() {
    UaClient* client = server_->Client();
    if (!client || !client->IsConnected()) return;
    UaReadRequest request;
    std::vector<quint32> handles;
    for (const auto& [handle, item] : items_) {
        if (item.Type) continue;
        UaReadValueId& read = request.NodesToRead.emplace_back();
        read.NodeId = item.Node;
        read.AttributeId = UaAttributeId::DataType;
        handles.push_back(handle);
    }
    if (handles.empty()) return;
    client->Read(request, [this, handles, alive = std::weak_ptr<bool>(alive_)](
                              const UaReadResponse& response, const std::optional<UaError>& error) {
        if (alive.expired() || error) return;
        for (std::size_t i = 0; i < handles.size() && i < response.Results.size(); ++i) {
            const auto found = items_.find(handles[i]);
            const QVariant& type = response.Results[i].Value.Value();
            if (found == items_.end() || !type.canConvert<UaNodeId>()) continue;
            const UaNodeId dataType = type.value<UaNodeId>();
            found->second.CanonicalType = UaVarTypeOfDataType(dataType);
            if (auto builtIn = UaBuiltInTypeOfDataType(dataType)) found->second.Type = builtIn;
        }
    });
}

void UaDataAccessGroup::OnDataChange(const std::vector<UaMonitoredItemNotification>& values) {
    // A list of its own: a callback may end the group while the values are handed out.
    std::vector<TDataAccessItemValue> delivered;
    delivered.reserve(values.size());
    for (const UaMonitoredItemNotification& notification : values) {
        const auto found = items_.find(notification.ClientHandle);
        if (found == items_.end()) continue;
        Item& item = found->second;
        const UaDataValue& value = notification.Value;
        if (!item.Type && !value.Value.IsNull() && !value.Value.IsArray())
            item.Type = value.Value.Type();
        delivered.push_back(UaItemValue(item.ClientHandle, value));
        item.LastValue = delivered.back().Value;
    }
    Deliver(delivered);
}

void UaDataAccessGroup::OnItemResult(quint32 serverHandle, quint32 status) {
    if (!UaStatusCodes::IsBad(status)) return;
    const auto found = items_.find(serverHandle);
    if (found == items_.end()) return;
    Deliver({{found->second.ClientHandle, found->second.LastValue, UaQualityOfStatus(status),
              UaDateTimeNow()}});
}

void UaDataAccessGroup::OnConnectionLost(quint16 quality) {
    std::vector<TDataAccessItemValue> values;
    values.reserve(items_.size());
    for (const auto& [handle, item] : items_)
        values.push_back({item.ClientHandle, item.LastValue, quality, UaDateTimeNow()});
    Deliver(values);
}

void UaDataAccessGroup::Deliver(const std::vector<TDataAccessItemValue>& values) {
    if (values.empty() || !definition_.Active) return;
    EachCallback([&](TDataAccessDataCallback* callback) {
        callback->OnDataChange(definition_.ClientHandle, values);
    });
}
