// A data-access server over an OPC UA client: the server name resolved to an endpoint (as it
// stands, or through FindServers on the computer), the connection's state told to its groups,
// and the shutdown notice when the server leaves its running state.
#pragma once

#include "opcua/UaEndpointUrl.h"
#include "opcua/UaError.h"
#include "platform/DataAccess.h"

#include <QObject>
#include <map>
#include <memory>
#include <set>

class UaClient;
class UaDataAccessGroup;

class UaDataAccessServer : public TDataAccessServer,
                           public std::enable_shared_from_this<UaDataAccessServer> {
public:
    // The client comes from the layer's pool, so that servers on one endpoint share one
    // connection.
    using ClientSource = std::function<std::shared_ptr<UaClient>(const UaEndpointUrl&)>;

    UaDataAccessServer(const UaEndpointUrl& discovery, const QString& serverName,
                       ClientSource clients);
    ~UaDataAccessServer() override;

    std::shared_ptr<TDataAccessGroup>
    AddGroup(const TDataAccessGroupDefinition& definition) override;
    void RemoveGroup(quint32 serverHandle, bool force) override;
    quint32 AdviseShutdown(TDataAccessShutdownCallback* callback) override;
    void UnadviseShutdown(quint32 cookie) override;
    std::unique_ptr<TDataAccessBrowser> CreateBrowser() override;
    std::optional<EDataAccessError> ConnectionError() const override;

    // Null until the name is resolved.
    UaClient* Client() const { return client_.get(); }
    bool WasConnected() const { return wasConnected_; }
    void Unregister(UaDataAccessGroup* group) { groups_.erase(group); }

    // Starts the resolution; separate from the constructor so that callbacks can hold the
    // server weakly.
    void Start();

private:
    void Resolve();
    void UseEndpoint(const UaEndpointUrl& endpoint);
    void OnConnected();
    void OnConnectionFailed(const UaError& error);
    void OnServerState(qint32 state);
    void Fail(const UaError& error);

    UaEndpointUrl discovery_;
    QString serverName_;
    ClientSource clients_;
    std::shared_ptr<UaClient> client_;
    QObject context_; // owns the discovery request and the client's connections to this
    std::set<UaDataAccessGroup*> groups_;
    std::map<quint32, TDataAccessShutdownCallback*> shutdown_;
    std::optional<UaError> error_;
    bool wasConnected_ = false;
    bool running_ = false;
    int resolveDelayMs_ = 1000;
    quint32 lastGroupHandle_ = 0;
    quint32 lastCookie_ = 0;
};
