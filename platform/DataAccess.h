// The data-access services that live-data items call: servers, groups, items, data callbacks,
// writes, the shutdown notice, the server list, the address-space browser and the network.
#pragma once

#include "platform/Exception.h"
#include "platform/Service.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// Variant type codes of item values (the canonical and the requested type of an item).
enum TVarType : quint16 {
    vtEmpty = 0,
    vtI2 = 2,
    vtI4 = 3,
    vtR4 = 4,
    vtR8 = 5,
    vtDate = 7,
    vtBstr = 8,
    vtBool = 11,
    vtVariant = 12,
    vtI1 = 16,
    vtUI1 = 17,
    vtUI2 = 18,
    vtUI4 = 19,
    vtI8 = 20,
    vtUI8 = 21,
    vtArray = 0x2000,
};

// Quality words of item values: the two high bits say good, uncertain or bad, the next four
// the reason.
namespace TDataAccessQuality {
constexpr quint16 Mask = 0xC0;
constexpr quint16 Bad = 0x00;
constexpr quint16 Uncertain = 0x40;
constexpr quint16 Good = 0xC0;
constexpr quint16 BadConfigurationError = 0x04;
constexpr quint16 BadNotConnected = 0x08;
constexpr quint16 BadDeviceFailure = 0x0C;
constexpr quint16 BadSensorFailure = 0x10;
constexpr quint16 BadLastKnownValue = 0x14;
constexpr quint16 BadCommFailure = 0x18;
constexpr quint16 BadOutOfService = 0x1C;
constexpr quint16 UncertainLastUsableValue = 0x44;
constexpr quint16 GoodLocalOverride = 0xD8;
} // namespace TDataAccessQuality

// A failure of the layer: a code for programs and a text for people. The items decide the
// messages the user sees; this text is what they append.
class EDataAccessError : public Exception {
public:
    EDataAccessError(qint32 code, const QString& message) : Exception(message), code_(code) {}
    qint32 Code() const { return code_; }

private:
    qint32 code_;
};

// Codes of EDataAccessError.
namespace TDataAccessCode {
constexpr qint32 NotAvailable = 1; // no layer, or the service is not offered
constexpr qint32 InvalidName = 2;  // a computer, server or item name that cannot be meant
constexpr qint32 NotConnected = 3; // the server cannot be reached now
constexpr qint32 Refused = 4;      // the server answered no
constexpr qint32 Timeout = 5;      // the server did not answer in time
constexpr qint32 BadValue = 6;     // a value that does not convert to the item's type
constexpr qint32 UnknownItem = 7;  // no such item handle
} // namespace TDataAccessCode

// One new value of one item. FileTime counts 100 ns intervals since 1601 in universal time;
// 0 when the server gave no time.
struct TDataAccessItemValue {
    quint32 ClientHandle = 0;
    QVariant Value;
    quint16 Quality = TDataAccessQuality::Bad;
    qint64 FileTime = 0;
};

// What a group's owner is told. Calls come from the event loop, never from inside a call the
// owner made into the layer.
class TDataAccessDataCallback {
public:
    virtual ~TDataAccessDataCallback() = default;
    virtual void OnDataChange(quint32 groupClientHandle,
                              const std::vector<TDataAccessItemValue>& values) = 0;
    // The answer to a Write: error is empty when the server took the value.
    virtual void OnWriteComplete(quint32 groupClientHandle, quint32 itemClientHandle,
                                 const std::optional<EDataAccessError>& error) = 0;
};

// The older stream-based advise: the stream is the data-stream layout of the given format.
class TDataAccessAdviseSink {
public:
    virtual ~TDataAccessAdviseSink() = default;
    virtual void OnDataChange(const QString& format, const QByteArray& stream) = 0;
};

class TDataAccessShutdownCallback {
public:
    virtual ~TDataAccessShutdownCallback() = default;
    virtual void ShutdownRequest(const QString& reason) = 0;
};

struct TDataAccessItemDefinition {
    QString AccessPath;
    QString ItemId;
    bool Active = true;
    quint32 ClientHandle = 0;
    quint16 RequestedType = vtEmpty;
};

// Result of one item of AddItems: ServerHandle 0 with the error when the item was refused.
struct TDataAccessItemResult {
    quint32 ServerHandle = 0;
    quint16 CanonicalType = vtEmpty;
    std::optional<EDataAccessError> Error;
};

class TDataAccessGroup {
public:
    virtual ~TDataAccessGroup() = default;
    virtual quint32 ServerHandle() const = 0;
    virtual std::vector<TDataAccessItemResult>
    AddItems(const std::vector<TDataAccessItemDefinition>& items) = 0;
    virtual void RemoveItems(const std::vector<quint32>& serverHandles) = 0;
    // The item's data type as the server reports it; vtEmpty until the server has told it
    // (AddItems answers before the server does).
    virtual quint16 CanonicalType(quint32 serverHandle) const = 0;
    // Only the active flag: an inactive group sends no values.
    virtual void SetActive(bool active) = 0;
    // Sends the value; the server's answer comes through OnWriteComplete. Raises when the value
    // cannot be sent at all (no connection, unknown handle, a value of the wrong kind).
    virtual void Write(quint32 serverHandle, const QVariant& value) = 0;
    // Answers the cookie, 0 when the group offers no such callback.
    virtual quint32 AdviseDataCallback(TDataAccessDataCallback* callback) = 0;
    virtual void UnadviseDataCallback(quint32 cookie) = 0;
    // Answers the connection number, 0 when the group offers no data streams.
    virtual quint32 AdviseStream(const QString& format, TDataAccessAdviseSink* sink) = 0;
    virtual void UnadviseStream(quint32 connection) = 0;
};

struct TDataAccessGroupDefinition {
    QString Name;
    bool Active = true;
    qint32 UpdateRate = 500;
    quint32 ClientHandle = 0;
    float DeadBand = 0.0f;
};

// Moves over a server's address space. Positions are kept here; listing the children of the
// current position asks the server, and the answer comes from the event loop.
class TDataAccessBrowser {
public:
    enum class Organization { Flat, Hierarchical };
    enum class Filter { Branches, Leaves, Flat };
    using ListAnswer =
        std::function<void(const QStringList& names, const std::optional<EDataAccessError>& error)>;

    virtual ~TDataAccessBrowser() = default;
    virtual Organization QueryOrganization() = 0;
    // Answers false when there is nothing above (the server refuses).
    virtual bool MoveUp() = 0;
    // Into a branch the last listing named; false when it named none such.
    virtual bool MoveDown(const QString& branch) = 0;
    virtual void MoveToRoot() = 0;
    virtual void Browse(Filter filter, ListAnswer answer) = 0;
    // The full item identifier of a name the last listing gave; empty when it gave none such.
    virtual QString ItemId(const QString& name) const = 0;
};

class TDataAccessServer {
public:
    virtual ~TDataAccessServer() = default;
    virtual std::shared_ptr<TDataAccessGroup>
    AddGroup(const TDataAccessGroupDefinition& definition) = 0;
    virtual void RemoveGroup(quint32 serverHandle, bool force) = 0;
    // Answers the cookie, 0 when the server offers no shutdown notice.
    virtual quint32 AdviseShutdown(TDataAccessShutdownCallback* callback) = 0;
    virtual void UnadviseShutdown(quint32 cookie) = 0;
    virtual std::unique_ptr<TDataAccessBrowser> CreateBrowser() = 0;
    // Why the server cannot be reached now; nothing while connected or still connecting.
    // While it cannot be reached, its items' values come with a bad quality.
    virtual std::optional<EDataAccessError> ConnectionError() const = 0;
};

// The servers of one computer, by version category.
class TDataAccessServerList {
public:
    enum class Category { Version1, Version2 };
    using ListAnswer = std::function<void(const QStringList& progIds,
                                          const std::optional<EDataAccessError>& error)>;

    virtual ~TDataAccessServerList() = default;
    // Raises when the name is known to name no server.
    virtual QString ClassIdFromProgId(const QString& progId) = 0;
    virtual QString ProgIdOfClass(const QString& classId) = 0;
    virtual void EnumerateServers(Category category, ListAnswer answer) = 0;
};

// One resource of the network: a container (a network, a domain) or a computer.
struct TNetworkResource {
    QString RemoteName;
    bool IsContainer = false;
};

// The whole layer: the object model and the network enumeration.
class TDataAccess {
public:
    using NetworkAnswer = std::function<void(const std::vector<TNetworkResource>& resources,
                                             const std::optional<EDataAccessError>& error)>;

    virtual ~TDataAccess() = default;
    // The class identifier of a server name on this computer; raises when there is none.
    virtual QString ClassIdFromProgId(const QString& progId) = 0;
    // A server object on this computer (computer empty) or on the named one. The connection
    // is made from the event loop; the call itself never waits for the network.
    virtual std::shared_ptr<TDataAccessServer> CreateServer(const QString& computer,
                                                            const QString& classId) = 0;
    virtual std::shared_ptr<TDataAccessServerList> CreateServerList(const QString& computer) = 0;
    // The children of a container (empty: the top of the network).
    virtual void EnumerateNetwork(const TNetworkResource& container, NetworkAnswer answer) = 0;

    // The installed layer, else the null one.
    static TDataAccess& Default();
};

// The layer installed when nobody installed another: no server can be created.
class TNullDataAccess : public TDataAccess {
public:
    QString ClassIdFromProgId(const QString& progId) override;
    std::shared_ptr<TDataAccessServer> CreateServer(const QString& computer,
                                                    const QString& classId) override;
    std::shared_ptr<TDataAccessServerList> CreateServerList(const QString& computer) override;
    void EnumerateNetwork(const TNetworkResource& container, NetworkAnswer answer) override;
};

// The process-wide layer: a program installs its own with InstallDataAccess (the live-data
// adapter does so in one call); tests install theirs for as long as a ScopedDataAccess lives.
using ScopedDataAccess = ScopedService<TDataAccess>;
inline TDataAccess& DataAccess() {
    return ScopedDataAccess::Current();
}
// Takes ownership; nullptr puts the null layer back.
void InstallDataAccess(std::unique_ptr<TDataAccess> layer);
