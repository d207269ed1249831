#include "opcua/UaDataAccess.h"

#include "opcua/UaClient.h"
#include "opcua/UaDataAccessServer.h"
#include "opcua/UaDataAccessServerList.h"
#include "opcua/UaDiscovery.h"
#include "opcua/UaSecureChannel.h"

#include <QTimer>

namespace {

constexpr int NetworkTimeoutMs = 2000;

UaEndpointUrl DiscoveryOf(const QString& computer) {
    const std::optional<UaEndpointUrl> url = UaEndpointUrl::OfComputer(computer);
    if (!url)
        throw EDataAccessError(TDataAccessCode::InvalidName,
                               QStringLiteral("\"%1\" is not a computer name").arg(computer));
    return *url;
}

// "host", or "host:port" when the port is not the usual one.
QString ComputerName(const UaEndpointUrl& url) {
    return url.Port == UaEndpointUrl::DefaultPort
               ? url.Host
               : QStringLiteral("%1:%2").arg(url.Host).arg(url.Port);
}

} // namespace

UaDataAccess::UaDataAccess() = default;
UaDataAccess::~UaDataAccess() = default;

QString UaDataAccess::ClassIdFromProgId(const QString& progId) {
    const QString name = progId.trimmed();
    if (name.isEmpty())
        throw EDataAccessError(TDataAccessCode::InvalidName, QStringLiteral("No server name"));
    return name;
}

std::shared_ptr<UaClient> UaDataAccess::Clients::For(const UaEndpointUrl& endpoint) {
    const QString key = endpoint.ToString();
    if (std::shared_ptr<UaClient> client = ByEndpoint.value(key).lock()) return client;
    // The last holder may let go from inside one of the client's own notifications: then the
    // client is deleted from the event loop, otherwise at once.
    std::shared_ptr<UaClient> client(new UaClient, [](UaClient* client) {
        if (!UaSecureChannel::Dispatching()) return delete client;
        client->Disconnect();
        client->deleteLater();
    });
    client->SetKeepAliveInterval(KeepAliveMs);
    client->Connect(endpoint);
    ByEndpoint.insert(key, client);
    return client;
}

std::shared_ptr<TDataAccessServer> UaDataAccess::CreateServer(const QString& computer,
                                                              const QString& classId) {
    auto server = std::make_shared<UaDataAccessServer>(
        DiscoveryOf(computer), ClassIdFromProgId(classId),
        [clients = std::weak_ptr<Clients>(clients_)](const UaEndpointUrl& endpoint) {
            // A server outliving its layer still connects, on a client of its own.
            const std::shared_ptr<Clients> pool = clients.lock();
            return pool ? pool->For(endpoint) : Clients().For(endpoint);
        });
    server->Start();
    return server;
}

std::shared_ptr<TDataAccessServerList> UaDataAccess::CreateServerList(const QString& computer) {
    return std::make_shared<UaDataAccessServerList>(DiscoveryOf(computer));
}

void UaDataAccess::EnumerateNetwork(const TNetworkResource& container, NetworkAnswer answer) {
    if (!container.RemoteName.isEmpty()) {
        QTimer::singleShot(0, &context_,
                           [answer = std::move(answer)] { answer({}, std::nullopt); });
        return;
    }
    const UaEndpointUrl local = *UaEndpointUrl::OfComputer(QString());
    UaFindServersOnNetworkRequest request;
    UaDiscovery::Ask<UaFindServersOnNetworkResponse>(
        &context_, local, request, NetworkTimeoutMs,
        [answer = std::move(answer)](const UaFindServersOnNetworkResponse& response,
                                     const std::optional<UaError>& error) {
            // This computer is always there; without a discovery server it is all there is.
            std::vector<TNetworkResource> computers{{QString(), false}};
            if (!error) {
                for (const UaServerOnNetwork& server : response.Servers) {
                    const std::optional<UaEndpointUrl> url =
                        UaEndpointUrl::Parse(server.DiscoveryUrl);
                    if (!url) continue;
                    const QString name = ComputerName(*url);
                    if (std::none_of(
                            computers.begin(), computers.end(),
                            [&](const TNetworkResource& r) { return r.RemoteName == name; }))
                        computers.push_back({name, false});
                }
            }
            answer(computers, std::nullopt);
        });
}

void InstallUaDataAccess() {
    InstallDataAccess(std::make_unique<UaDataAccess>());
}
