// A data-access layer for the item tests: servers, groups and server lists whose answers the
// test sets, and that record what the items asked of them.
#pragma once

#include "platform/DataAccess.h"

#include <QMap>
#include <QStringList>
#include <map>

class FakeGroup : public TDataAccessGroup {
public:
    explicit FakeGroup(quint32 handle) : handle_(handle) {}
    quint32 ServerHandle() const override { return handle_; }
    std::vector<TDataAccessItemResult>
    AddItems(const std::vector<TDataAccessItemDefinition>& items) override;
    void RemoveItems(const std::vector<quint32>& serverHandles) override;
    quint16 CanonicalType(quint32) const override { return vtR8; }
    void SetActive(bool active) override { Active = active; }
    void Write(quint32 serverHandle, const QVariant& value) override;
    quint32 AdviseDataCallback(TDataAccessDataCallback* callback) override;
    void UnadviseDataCallback(quint32 cookie) override;
    quint32 AdviseStream(const QString& format, TDataAccessAdviseSink* sink) override;
    void UnadviseStream(quint32 connection) override;

    // What the server sends: to every advised callback, else to every stream sink.
    void Deliver(const QVariant& value, quint16 quality = TDataAccessQuality::Good,
                 qint64 fileTime = 0);
    void DeliverStream(const QString& format, const QByteArray& stream);
    void CompleteWrite(const std::optional<EDataAccessError>& error);

    bool Active = true;
    bool RefuseItems = false;
    bool OffersDataCallback = true;
    bool WriteRaises = false;
    std::vector<TDataAccessItemDefinition> Added;
    std::vector<quint32> Removed;
    std::vector<std::pair<quint32, QVariant>> Writes;
    QString StreamFormat;
    std::map<quint32, TDataAccessDataCallback*> Callbacks;
    std::map<quint32, TDataAccessAdviseSink*> Sinks;

private:
    quint32 handle_;
    quint32 lastCookie_ = 0;
};

// What every server and group made from now on answers.
struct FakeGroupSettings {
    bool RefuseGroups = false;
    bool RefuseItems = false;
    bool OffersDataCallback = true;
};

class FakeServer : public TDataAccessServer {
public:
    explicit FakeServer(const FakeGroupSettings& settings) : settings_(settings) {}
    std::shared_ptr<TDataAccessGroup> AddGroup(const TDataAccessGroupDefinition& d) override;
    void RemoveGroup(quint32 serverHandle, bool force) override;
    quint32 AdviseShutdown(TDataAccessShutdownCallback* callback) override;
    void UnadviseShutdown(quint32 cookie) override { Shutdown.erase(cookie); }
    std::unique_ptr<TDataAccessBrowser> CreateBrowser() override { return nullptr; }
    std::optional<EDataAccessError> ConnectionError() const override { return Lost; }

    void RequestShutdown();
    FakeGroup& LastGroup() const { return *Groups.back().lock(); }

    std::optional<EDataAccessError> Lost;
    std::vector<TDataAccessGroupDefinition> GroupDefinitions;
    std::vector<std::weak_ptr<FakeGroup>> Groups;
    std::vector<quint32> RemovedGroups;
    std::map<quint32, TDataAccessShutdownCallback*> Shutdown;

private:
    const FakeGroupSettings& settings_;
    quint32 lastHandle_ = 0;
};

class FakeServerList : public TDataAccessServerList {
public:
    QString ClassIdFromProgId(const QString& progId) override;
    QString ProgIdOfClass(const QString& classId) override { return classId; }
    void EnumerateServers(Category category, ListAnswer answer) override;

    QMap<QString, QString> Known;
    QStringList Version1;
    QStringList Version2;
    QStringList Enumerated;
};

class FakeDataAccess : public TDataAccess {
public:
    QString ClassIdFromProgId(const QString& progId) override;
    std::shared_ptr<TDataAccessServer> CreateServer(const QString& computer,
                                                    const QString& classId) override;
    std::shared_ptr<TDataAccessServerList> CreateServerList(const QString& computer) override;
    void EnumerateNetwork(const TNetworkResource&, NetworkAnswer) override {}

    FakeServer& LastServer() const { return *Servers.back().lock(); }
    int LiveServers() const;

    FakeGroupSettings Groups;
    QStringList UnknownLocally;
    std::optional<QString> CreateRaises;
    bool CreatesNothing = false;
    std::optional<QString> ListRaises;
    bool ListsNothing = false;
    std::vector<std::pair<QString, QString>> Created;
    QStringList ListComputers;
    std::shared_ptr<FakeServerList> List = std::make_shared<FakeServerList>();
    std::vector<std::weak_ptr<FakeServer>> Servers;
};
