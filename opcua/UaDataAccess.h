// The data-access layer over OPC UA: computers are discovery endpoints ("" and "Local" this
// computer's opc.tcp://localhost:4840, "host" or "host:port"), server names endpoint URLs or
// the application names and URIs the computer lists, and one client serves every server
// object made for the same endpoint.
#pragma once

#include "platform/DataAccess.h"

#include <QHash>
#include <QObject>
#include <memory>

class UaClient;
struct UaEndpointUrl;

class UaDataAccess : public TDataAccess {
public:
    UaDataAccess();
    ~UaDataAccess() override;

    QString ClassIdFromProgId(const QString& progId) override;
    std::shared_ptr<TDataAccessServer> CreateServer(const QString& computer,
                                                    const QString& classId) override;
    std::shared_ptr<TDataAccessServerList> CreateServerList(const QString& computer) override;
    // This computer, and the computers the local discovery server knows of, when there is one.
    void EnumerateNetwork(const TNetworkResource& container, NetworkAnswer answer) override;

    // How often clients check their server is alive; tests shorten it.
    void SetKeepAliveInterval(int ms) { clients_->KeepAliveMs = ms; }

private:
    // The clients in use, by endpoint. Servers hold it weakly: they may outlive the layer.
    struct Clients {
        std::shared_ptr<UaClient> For(const UaEndpointUrl& endpoint);
        QHash<QString, std::weak_ptr<UaClient>> ByEndpoint;
        int KeepAliveMs = 1000;
    };

    std::shared_ptr<Clients> clients_ = std::make_shared<Clients>();
    QObject context_;
};

// Makes OPC UA the process's data-access layer: one call at start-up.
void InstallUaDataAccess();
