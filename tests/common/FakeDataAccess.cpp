#include "FakeDataAccess.h"

#include <QTimer>
#include <algorithm>

std::vector<TDataAccessItemResult>
FakeGroup::AddItems(const std::vector<TDataAccessItemDefinition>& items) {
    std::vector<TDataAccessItemResult> results;
    for (const TDataAccessItemDefinition& item : items) {
        Added.push_back(item);
        if (RefuseItems)
            results.push_back(
                {0, vtEmpty, EDataAccessError(TDataAccessCode::Refused, "unknown item")});
        else
            results.push_back({quint32(100 + Added.size()), vtEmpty, std::nullopt});
    }
    return results;
}

void FakeGroup::RemoveItems(const std::vector<quint32>& serverHandles) {
    Removed.insert(Removed.end(), serverHandles.begin(), serverHandles.end());
}

void FakeGroup::Write(quint32 serverHandle, const QVariant& value) {
    if (WriteRaises) throw EDataAccessError(TDataAccessCode::NotConnected, "no connection");
    Writes.emplace_back(serverHandle, value);
}

quint32 FakeGroup::AdviseDataCallback(TDataAccessDataCallback* callback) {
    if (!OffersDataCallback) return 0;
    Callbacks[++lastCookie_] = callback;
    return lastCookie_;
}

void FakeGroup::UnadviseDataCallback(quint32 cookie) {
    Callbacks.erase(cookie);
}

quint32 FakeGroup::AdviseStream(const QString& format, TDataAccessAdviseSink* sink) {
    StreamFormat = format;
    Sinks[++lastCookie_] = sink;
    return lastCookie_;
}

void FakeGroup::UnadviseStream(quint32 connection) {
    Sinks.erase(connection);
}

// Copies first: a callback may unadvise itself, or others, while it is told.
void FakeGroup::Deliver(const QVariant& value, quint16 quality, qint64 fileTime) {
    const auto callbacks = Callbacks;
    for (const auto& [cookie, callback] : callbacks)
        if (Callbacks.count(cookie))
            callback->OnDataChange(handle_, {{0, value, quality, fileTime}});
}

void FakeGroup::DeliverStream(const QString& format, const QByteArray& stream) {
    const auto sinks = Sinks;
    for (const auto& [cookie, sink] : sinks)
        if (Sinks.count(cookie)) sink->OnDataChange(format, stream);
}

void FakeGroup::CompleteWrite(const std::optional<EDataAccessError>& error) {
    const auto callbacks = Callbacks;
    for (const auto& [cookie, callback] : callbacks)
        if (Callbacks.count(cookie)) callback->OnWriteComplete(handle_, 0, error);
}

std::shared_ptr<TDataAccessGroup> FakeServer::AddGroup(const TDataAccessGroupDefinition& d) {
    if (settings_.RefuseGroups) throw EDataAccessError(TDataAccessCode::Refused, "no group");
    GroupDefinitions.push_back(d);
    auto group = std::make_shared<FakeGroup>(++lastHandle_);
    group->RefuseItems = settings_.RefuseItems;
    group->OffersDataCallback = settings_.OffersDataCallback;
    Groups.push_back(group);
    return group;
}

void FakeServer::RemoveGroup(quint32 serverHandle, bool) {
    RemovedGroups.push_back(serverHandle);
}

quint32 FakeServer::AdviseShutdown(TDataAccessShutdownCallback* callback) {
    Shutdown[1] = callback;
    return 1;
}

void FakeServer::RequestShutdown() {
    const auto callbacks = Shutdown;
    for (const auto& entry : callbacks)
        entry.second->ShutdownRequest("going down");
}

QString FakeServerList::ClassIdFromProgId(const QString& progId) {
    if (!Known.contains(progId)) throw EDataAccessError(TDataAccessCode::InvalidName, "not listed");
    return Known.value(progId);
}

void FakeServerList::EnumerateServers(Category category, ListAnswer answer) {
    const bool second = category == Category::Version2;
    Enumerated << (second ? "2.0" : "1.0");
    const QStringList names = second ? Version2 : Version1;
    QTimer::singleShot(0, [answer, names] { answer(names, std::nullopt); });
}

QString FakeDataAccess::ClassIdFromProgId(const QString& progId) {
    if (UnknownLocally.contains(progId))
        throw EDataAccessError(TDataAccessCode::InvalidName, "Class not registered");
    return "{" + progId + "}";
}

std::shared_ptr<TDataAccessServer> FakeDataAccess::CreateServer(const QString& computer,
                                                                const QString& classId) {
    if (CreateRaises) throw EDataAccessError(TDataAccessCode::NotConnected, *CreateRaises);
    Created.emplace_back(computer, classId);
    if (CreatesNothing) return nullptr;
    auto server = std::make_shared<FakeServer>(Groups);
    Servers.push_back(server);
    return server;
}

std::shared_ptr<TDataAccessServerList> FakeDataAccess::CreateServerList(const QString& computer) {
    ListComputers << computer;
    if (ListRaises) throw EDataAccessError(TDataAccessCode::NotAvailable, *ListRaises);
    return ListsNothing ? nullptr : List;
}

int FakeDataAccess::LiveServers() const {
    return int(std::count_if(Servers.begin(), Servers.end(),
                             [](const auto& server) { return !server.expired(); }));
}
