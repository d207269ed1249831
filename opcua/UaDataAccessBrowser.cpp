#include "opcua/UaDataAccessBrowser.h"

#include "opcua/UaClient.h"
#include "opcua/UaDataAccessServer.h"
#include "opcua/UaNodeIds.h"

#include <QTimer>

namespace {

// A server that keeps handing out continuation points is not followed for ever.
constexpr int MaxBrowseRounds = 100;
constexpr quint32 ReferencesPerRound = 1000;

UaBrowseDescription Children(const UaNodeId& node) {
    UaBrowseDescription description;
    description.NodeId = node;
    description.BrowseDirection = UaBrowseDirection::Forward;
    description.ReferenceTypeId = UaNodeId::Numeric(0, UaNodeIds::HierarchicalReferences);
    description.IncludeSubtypes = true;
    description.NodeClassMask = quint32(UaNodeClass::Object) | quint32(UaNodeClass::Variable);
    description.ResultMask = 0x3F;
    return description;
}

void Take(const UaBrowseResult& result, UaDataAccessBrowser::Listing& listing) {
    for (const UaReferenceDescription& reference : result.References) {
        // A node of another server, or named by a URI this session has no index for.
        if (reference.NodeId.ServerIndex != 0 || !reference.NodeId.NamespaceUri.isEmpty()) continue;
        const bool branch = reference.NodeClass == UaNodeClass::Object;
        if (!branch && reference.NodeClass != UaNodeClass::Variable) continue;
        listing.try_emplace(reference.BrowseName.Name,
                            UaDataAccessBrowser::Entry{reference.NodeId.NodeId, branch});
    }
}

QStringList Names(const UaDataAccessBrowser::Listing& listing, TDataAccessBrowser::Filter filter) {
    QStringList names;
    for (const auto& [name, entry] : listing)
        if ((filter == TDataAccessBrowser::Filter::Branches) == entry.Branch) names.append(name);
    return names;
}

} // namespace

UaDataAccessBrowser::UaDataAccessBrowser(std::shared_ptr<UaDataAccessServer> server)
    : server_(std::move(server)) {}

UaDataAccessBrowser::~UaDataAccessBrowser() {
    *alive_ = false;
}

UaNodeId UaDataAccessBrowser::Position() const {
    return path_.empty() ? UaNodeId::Numeric(0, UaNodeIds::ObjectsFolder) : path_.back();
}

bool UaDataAccessBrowser::MoveUp() {
    if (path_.empty()) return false;
    path_.pop_back();
    return true;
}

bool UaDataAccessBrowser::MoveDown(const QString& branch) {
    const auto listing = listings_.constFind(Position());
    if (listing == listings_.cend()) return false;
    const auto found = listing->find(branch);
    if (found == listing->end() || !found->second.Branch) return false;
    path_.push_back(found->second.Node);
    return true;
}

QString UaDataAccessBrowser::ItemId(const QString& name) const {
    const auto listing = listings_.constFind(Position());
    if (listing == listings_.cend()) return QString();
    const auto found = listing->find(name);
    return found == listing->end() ? QString() : found->second.Node.ToString();
}

void UaDataAccessBrowser::Browse(Filter filter, ListAnswer answer) {
    UaClient* client = server_->Client();
    if (!client || !client->IsConnected()) {
        QTimer::singleShot(0, [answer = std::move(answer)] {
            answer({}, EDataAccessError(TDataAccessCode::NotConnected,
                                        QStringLiteral("Not connected to the server")));
        });
        return;
    }
    Collect(Position(), filter, std::move(answer), {}, {}, 0);
}

void UaDataAccessBrowser::Collect(const UaNodeId& position, Filter filter, ListAnswer answer,
                                  Listing listing, QByteArray continuation, int rounds) {
    auto finish = [this, position, filter, answer, alive = std::weak_ptr<bool>(alive_)](
                      Listing listing, const std::optional<UaError>& error, const QByteArray& next,
                      int rounds) {
        if (alive.expired()) return;
        if (error) return answer({}, EDataAccessError(TDataAccessCode::Refused, error->Message));
        if (!next.isEmpty() && rounds < MaxBrowseRounds)
            return Collect(position, filter, answer, std::move(listing), next, rounds);
        const QStringList names = Names(listing, filter);
        listings_.insert(position, std::move(listing));
        answer(names, std::nullopt);
    };
    UaClient* client = server_->Client();
    if (continuation.isEmpty()) {
        UaBrowseRequest request;
        request.RequestedMaxReferencesPerNode = ReferencesPerRound;
        request.NodesToBrowse.push_back(Children(position));
        client->Browse(request, [finish, listing](const UaBrowseResponse& response,
                                                  const std::optional<UaError>& error) mutable {
            if (!error && !response.Results.empty()) Take(response.Results.front(), listing);
            finish(std::move(listing), error,
                   response.Results.empty() ? QByteArray()
                                            : response.Results.front().ContinuationPoint,
                   1);
        });
        return;
    }
    UaBrowseNextRequest request;
    request.ContinuationPoints.push_back(continuation);
    client->BrowseNext(request, [finish, listing,
                                 rounds](const UaBrowseNextResponse& response,
                                         const std::optional<UaError>& error) mutable {
        if (!error && !response.Results.empty()) Take(response.Results.front(), listing);
        finish(std::move(listing), error,
               response.Results.empty() ? QByteArray() : response.Results.front().ContinuationPoint,
               rounds + 1);
    });
}
