#include "opcua/UaDataAccessServerList.h"

#include "opcua/UaDiscovery.h"

#include <QTimer>

namespace {

constexpr int DiscoveryTimeoutMs = 5000;

} // namespace

QString UaDataAccessServerList::ClassIdFromProgId(const QString& progId) {
    const QString name = progId.trimmed();
    if (name.isEmpty())
        throw EDataAccessError(TDataAccessCode::InvalidName, QStringLiteral("No server name"));
    return name;
}

void UaDataAccessServerList::EnumerateServers(Category category, ListAnswer answer) {
    if (category == Category::Version1) {
        QTimer::singleShot(0, &context_,
                           [answer = std::move(answer)] { answer({}, std::nullopt); });
        return;
    }
    UaFindServersRequest request;
    request.EndpointUrl = discovery_.ToString();
    UaDiscovery::Ask<UaFindServersResponse>(
        &context_, discovery_, request, DiscoveryTimeoutMs,
        [answer = std::move(answer)](const UaFindServersResponse& response,
                                     const std::optional<UaError>& error) {
            if (error)
                return answer({}, EDataAccessError(TDataAccessCode::NotConnected, error->Message));
            QStringList names;
            for (const UaApplicationDescription& server : response.Servers) {
                if (server.ApplicationType == UaApplicationType::Client ||
                    server.ApplicationType == UaApplicationType::DiscoveryServer)
                    continue;
                const QString name = server.ApplicationName.Text.isEmpty()
                                         ? server.ApplicationUri
                                         : server.ApplicationName.Text;
                if (!name.isEmpty() && !names.contains(name)) names.append(name);
            }
            answer(names, std::nullopt);
        });
}
