#include "platform/DataAccess.h"

#include <QTimer>

namespace {

std::unique_ptr<TDataAccess>& Installed() {
    static std::unique_ptr<TDataAccess> layer;
    return layer;
}

} // namespace

TDataAccess& TDataAccess::Default() {
    static TNullDataAccess none;
    return Installed() ? *Installed() : none;
}

void InstallDataAccess(std::unique_ptr<TDataAccess> layer) {
    Installed() = std::move(layer);
}

// Without an object model every name converts, and no server object results: the items then
// report that they failed to connect.
QString TNullDataAccess::ClassIdFromProgId(const QString& progId) {
    return progId;
}

std::shared_ptr<TDataAccessServer> TNullDataAccess::CreateServer(const QString&, const QString&) {
    return nullptr;
}

std::shared_ptr<TDataAccessServerList> TNullDataAccess::CreateServerList(const QString&) {
    return nullptr;
}

void TNullDataAccess::EnumerateNetwork(const TNetworkResource&, NetworkAnswer answer) {
    // Answers from the event loop, as every layer does, with a network that holds nothing.
    QTimer::singleShot(
        0, [answer = std::move(answer)] { RunGuarded([&] { answer({}, std::nullopt); }); });
}
