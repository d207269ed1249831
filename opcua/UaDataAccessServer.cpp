#include "opcua/UaDataAccessServer.h"

#include "opcua/UaClient.h"
#include "opcua/UaDataAccessBrowser.h"
#include "opcua/UaDataAccessGroup.h"
#include "opcua/UaDiscovery.h"

#include <QTimer>

namespace {

constexpr int DiscoveryTimeoutMs = 5000;
constexpr int MaxResolveDelayMs = 30000;

EDataAccessError ToDataAccessError(const UaError& error) {
    const bool timeout = error.StatusCode == UaStatusCodes::BadTimeout;
    return EDataAccessError(timeout ? TDataAccessCode::Timeout : TDataAccessCode::NotConnected,
                            error.Message);
}

// The first opc.tcp address a server is discovered at.
std::optional<UaEndpointUrl> DiscoveryUrlOf(const UaApplicationDescription& server) {
    for (const QString& url : server.DiscoveryUrls)
        if (auto endpoint = UaEndpointUrl::Parse(url)) return endpoint;
    return std::nullopt;
}

} // namespace

UaDataAccessServer::UaDataAccessServer(const UaEndpointUrl& discovery, const QString& serverName,
                                       ClientSource clients)
    : discovery_(discovery), serverName_(serverName.trimmed()), clients_(std::move(clients)) {}

UaDataAccessServer::~UaDataAccessServer() = default;

void UaDataAccessServer::Start() {
    if (auto endpoint = UaEndpointUrl::Parse(serverName_)) return UseEndpoint(*endpoint);
    Resolve();
}

// A name that is no address is looked up among the servers the computer's discovery endpoint
// lists, by application name or application URI; until it answers, the lookup is repeated
// with growing pauses.
void UaDataAccessServer::Resolve() {
    UaFindServersRequest request;
    request.EndpointUrl = discovery_.ToString();
    UaDiscovery::Ask<UaFindServersResponse>(
        &context_, discovery_, request, DiscoveryTimeoutMs,
        [this, weak = weak_from_this()](const UaFindServersResponse& response,
                                        const std::optional<UaError>& error) {
            const auto self = weak.lock();
            if (!self) return;
            if (error) return Fail(*error);
            for (const UaApplicationDescription& server : response.Servers) {
                if (server.ApplicationName.Text != serverName_ &&
                    server.ApplicationUri != serverName_)
                    continue;
                if (auto endpoint = DiscoveryUrlOf(server)) return UseEndpoint(*endpoint);
            }
            Fail({UaStatusCodes::BadNotFound, QStringLiteral("No server named \"%1\" at %2")
                                                  .arg(serverName_, discovery_.ToString())});
        });
}

void UaDataAccessServer::UseEndpoint(const UaEndpointUrl& endpoint) {
    client_ = clients_(endpoint);
    QObject::connect(client_.get(), &UaClient::Connected, &context_, [this] { OnConnected(); });
    QObject::connect(client_.get(), &UaClient::ConnectionFailed, &context_,
                     [this](const UaError& error) { OnConnectionFailed(error); });
    QObject::connect(client_.get(), &UaClient::ServerStateChanged, &context_,
                     [this](qint32 state) { OnServerState(state); });
    const std::set<UaDataAccessGroup*> groups = groups_;
    for (UaDataAccessGroup* group : groups)
        group->OnClientReady();
    if (client_->IsConnected()) {
        QTimer::singleShot(0, &context_, [this] { OnConnected(); });
    } else if (const auto& failed = client_->LastError()) {
        QTimer::singleShot(0, &context_, [this, error = *failed] { OnConnectionFailed(error); });
    }
}

void UaDataAccessServer::Fail(const UaError& error) {
    OnConnectionFailed(error);
    QTimer::singleShot(resolveDelayMs_, &context_, [this] { Resolve(); });
    resolveDelayMs_ = std::min(resolveDelayMs_ * 2, MaxResolveDelayMs);
}

void UaDataAccessServer::OnConnected() {
    error_.reset();
    wasConnected_ = true;
    const std::set<UaDataAccessGroup*> groups = groups_;
    for (UaDataAccessGroup* group : groups)
        group->OnConnected();
}

void UaDataAccessServer::OnConnectionFailed(const UaError& error) {
    error_ = error;
    const quint16 quality =
        wasConnected_ ? TDataAccessQuality::BadCommFailure : TDataAccessQuality::BadNotConnected;
    const std::set<UaDataAccessGroup*> groups = groups_;
    for (UaDataAccessGroup* group : groups)
        group->OnConnectionLost(quality);
}

// A server that leaves the running state asks its clients to let go; a lost connection is no
// such request: the client reconnects and the values flow again.
void UaDataAccessServer::OnServerState(qint32 state) {
    constexpr qint32 Running = 0;
    if (state == Running) {
        running_ = true;
        return;
    }
    if (!running_) return;
    running_ = false;
    const auto callbacks = shutdown_;
    const auto alive = weak_from_this();
    for (const auto& entry : callbacks) {
        if (alive.expired()) return;
        if (!shutdown_.contains(entry.first)) continue;
        RunGuarded([&] {
            entry.second->ShutdownRequest(QStringLiteral("The server is no longer running"));
        });
    }
}

std::shared_ptr<TDataAccessGroup>
UaDataAccessServer::AddGroup(const TDataAccessGroupDefinition& definition) {
    auto group =
        std::make_shared<UaDataAccessGroup>(shared_from_this(), ++lastGroupHandle_, definition);
    groups_.insert(group.get());
    return group;
}

void UaDataAccessServer::RemoveGroup(quint32, bool) {
    // A group ends when its last holder lets it go; its handle only names it.
}

quint32 UaDataAccessServer::AdviseShutdown(TDataAccessShutdownCallback* callback) {
    if (!callback) return 0;
    shutdown_[++lastCookie_] = callback;
    return lastCookie_;
}

void UaDataAccessServer::UnadviseShutdown(quint32 cookie) {
    shutdown_.erase(cookie);
}

std::unique_ptr<TDataAccessBrowser> UaDataAccessServer::CreateBrowser() {
    return std::make_unique<UaDataAccessBrowser>(shared_from_this());
}

std::optional<EDataAccessError> UaDataAccessServer::ConnectionError() const {
    if (!error_) return std::nullopt;
    return ToDataAccessError(*error_);
}
