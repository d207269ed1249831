#include "opc/iOPCItem.h"

#include "opc/Iopcfunctions.h"
#include "opc/iOPCTypes.h"
#include "platform/PropertyDefaults.h"
#include "platform/PropertyWalker.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

constexpr int FirstReconnectDelay = 1000;
constexpr int LastReconnectDelay = 30000;

// Strings are stored when not empty; the other three always.
const PropertyDefaults::Registration defaults(TiOPCItem::staticMetaObject,
                                              {{"PropertyName", QString()},
                                               {"ComputerName", QString()},
                                               {"ServerName", QString()},
                                               {"ItemName", QString()}});

const QString FailedToConnect = QStringLiteral("Failed to Connect to Server");

// Layer objects let go of but not yet released.
std::vector<std::shared_ptr<void>>& Released() {
    static std::vector<std::shared_ptr<void>> released;
    return released;
}

void ReleaseNow() {
    const auto held = std::move(Released());
    Released().clear();
}

// A layer object may be in the middle of the very notification that made the item let it go,
// so the last reference is dropped from the event loop; at the latest when the application
// ends, before its pending events are discarded (a release from inside that would find the
// event queue locked).
template <typename T> void ReleaseLater(std::shared_ptr<T>& object) {
    if (!object) return;
    if (!QCoreApplication::instance() || QCoreApplication::closingDown()) return object.reset();
    static const bool atExit = (qAddPostRoutine(ReleaseNow), true);
    Q_UNUSED(atExit);
    if (Released().empty()) QTimer::singleShot(0, QCoreApplication::instance(), ReleaseNow);
    Released().push_back(std::move(object));
}

template <typename Step> auto AsConnectFailure(Step&& step) {
    try {
        return step();
    } catch (const Exception& e) {
        throw Exception(QStringLiteral("Exception : ") + FailedToConnect + QStringLiteral(" - ") +
                        e.Message());
    }
}

} // namespace

TiOPCItem::TiOPCItem(TiOPCItemManager* manager)
    : manager_(manager), link_(std::make_shared<TiOPCItem*>(this)) {
    reconnectTimer_.setSingleShot(true);
    connect(&reconnectTimer_, &QTimer::timeout, this, [this] { Reconnect(); });
}

TiOPCItem::~TiOPCItem() {
    *link_ = nullptr;
    reconnectTimer_.stop();
    Disconnect();
}

void TiOPCItem::SetComputerName(const QString& value) {
    computerName_ = value;
    Reactivate();
}

void TiOPCItem::SetServerName(const QString& value) {
    serverName_ = value;
    Reactivate();
}

void TiOPCItem::SetItemName(const QString& value) {
    itemName_ = value;
    Reactivate();
}

void TiOPCItem::SetUpdateRate(int value) {
    updateRate_ = value;
    Reactivate();
}

void TiOPCItem::SetAutoConnect(bool value) {
    autoConnect_ = value;
    Reactivate();
}

// Turned off, the item no longer holds its control in error either.
void TiOPCItem::SetAutoError(bool value) {
    if (value == autoError_) return;
    autoError_ = value;
    UpdateError();
}

quint16 TiOPCItem::CanonicalDataType() const {
    if (canonicalType_ != vtEmpty || !group_ || itemHandle_ == 0) return canonicalType_;
    return group_->CanonicalType(itemHandle_);
}

void TiOPCItem::Reactivate() {
    if (active_) Activate();
}

void TiOPCItem::Activate() {
    if (autoError_) UpdateError();
    if (server_) Disconnect();
    reconnectTimer_.stop();
    if (propertyName_.trimmed().isEmpty() || serverName_.trimmed().isEmpty() ||
        itemName_.trimmed().isEmpty())
        return;
    active_ = true;
    try {
        Connect();
    } catch (const Exception&) {
        Disconnect();
        ShowNotConnected();
        throw;
    }
}

void TiOPCItem::Connect() {
    const QString computer = computerName_.trimmed();
    if (IsLocalComputer(computer)) {
        ConnectTo(QString(),
                  AsConnectFailure([this] { return DataAccess().ClassIdFromProgId(serverName_); }));
        return;
    }
    const std::optional<QString> classId =
        AsConnectFailure([&] { return RemoteClassId(computer, serverName_, serverList_); });
    if (classId) {
        ConnectTo(computer, *classId);
        return;
    }
    // The server list answers from the event loop; the item connects when it has answered.
    const std::weak_ptr<TiOPCItem*> link = link_;
    LookUpClassIdInCategories(
        serverList_, serverName_,
        [link, computer](const QString& found, const std::optional<Exception>& error) {
            const std::shared_ptr<TiOPCItem*> item = link.lock();
            if (!item || !*item || !(*item)->active_ || (*item)->server_) return;
            try {
                if (error) AsConnectFailure([&]() -> int { throw *error; });
                (*item)->ConnectTo(computer, found);
            } catch (const Exception& e) {
                (*item)->ConnectFailed(e.Message());
            }
        });
}

void TiOPCItem::ShowNotConnected() {
    connectFailed_ = true;
    quality_ = TDataAccessQuality::BadNotConnected;
    UpdateError();
}

void TiOPCItem::ConnectFailed(const QString& message) {
    Disconnect();
    ShowNotConnected();
    if (manager_) manager_->Failure(this, message);
}

void TiOPCItem::ConnectTo(const QString& computer, const QString& classId) {
    server_ = AsConnectFailure([&] { return DataAccess().CreateServer(computer, classId); });
    if (!server_) throw Exception(FailedToConnect);
    shutdownCallback_ = std::make_shared<TiOPCShutdownCallback>(link_, &TiOPCItem::ReceiveShutdown);
    shutdownCookie_ = server_->AdviseShutdown(shutdownCallback_.get());
    AddGroupAndItem();
    Advise();
}

void TiOPCItem::AddGroupAndItem() {
    try {
        group_ = server_->AddGroup({QString(), true, updateRate_, 0, 0.0f});
    } catch (const Exception&) {
    }
    if (!group_) throw Exception(QStringLiteral("Failed to Add Group"));
    groupHandle_ = group_->ServerHandle();
    const quint16 requested = manager_ ? manager_->RequestedType(propertyName_) : quint16(vtEmpty);
    std::vector<TDataAccessItemResult> results;
    try {
        results = group_->AddItems({{QString(), itemName_, true, 0, requested}});
    } catch (const Exception&) {
    }
    if (results.empty() || results.front().Error || results.front().ServerHandle == 0)
        throw Exception(QStringLiteral("Failed to Add Item"));
    itemHandle_ = results.front().ServerHandle;
    canonicalType_ = results.front().CanonicalType;
}

void TiOPCItem::Advise() {
    dataCallback_ = std::make_shared<TiOPCDataCallback>(link_, &TiOPCItem::ReceiveData,
                                                        &TiOPCItem::ReceiveWriteComplete);
    dataCookie_ = group_->AdviseDataCallback(dataCallback_.get());
    if (dataCookie_ != 0) return;
    dataCallback_.reset();
    adviseSink_ = std::make_shared<TiOPCAdviseSink>(link_, &TiOPCItem::ReceiveData);
    adviseConnection_ = group_->AdviseStream(OPCStreamFormat::DataTime, adviseSink_.get());
}

void TiOPCItem::Deactivate() {
    reconnectTimer_.stop();
    reconnectDelay_ = 0;
    Disconnect();
    connectFailed_ = false;
    writeFailed_ = false;
    UpdateError();
}

// Every step runs whatever the one before raised: the connection is let go completely.
void TiOPCItem::Disconnect() {
    active_ = false;
    DropGroup();
    if (!server_) return;
    if (shutdownCookie_ != 0) RunGuarded([&] { server_->UnadviseShutdown(shutdownCookie_); });
    shutdownCookie_ = 0;
    shutdownCallback_.reset();
    ReleaseLater(server_);
}

void TiOPCItem::DropGroup() {
    if (group_) {
        if (adviseConnection_ != 0) RunGuarded([&] { group_->UnadviseStream(adviseConnection_); });
        if (dataCookie_ != 0) RunGuarded([&] { group_->UnadviseDataCallback(dataCookie_); });
        if (itemHandle_ != 0) RunGuarded([&] { group_->RemoveItems({itemHandle_}); });
        if (server_ && groupHandle_ != 0)
            RunGuarded([&] { server_->RemoveGroup(groupHandle_, false); });
    }
    adviseConnection_ = dataCookie_ = itemHandle_ = groupHandle_ = 0;
    adviseSink_.reset();
    dataCallback_.reset();
    ReleaseLater(group_);
}

void TiOPCItem::Loaded() {
    if (autoError_) UpdateError();
    if (!autoConnect_ || (manager_ && manager_->GetDesigning())) return;
    try {
        Activate();
    } catch (const Exception& e) {
        if (manager_) manager_->Failure(this, e.Message());
    }
}

void TiOPCItem::SetData(const QVariant& value) {
    if (!active_) return;
    if (!server_) throw Exception(QStringLiteral("Data Write Failure - Not Connected to Server"));
    if (!group_) throw Exception(QStringLiteral("Data Write Failure - Not Connected to Group"));
    if (itemHandle_ == 0)
        throw Exception(QStringLiteral("Data Write Failure - Not Connected to Item"));
    try {
        group_->Write(itemHandle_, value);
    } catch (const Exception&) {
        throw Exception(QStringLiteral("Data Write Failure"));
    }
}

void TiOPCItem::UpdateResume() {
    if (!group_)
        throw Exception(QStringLiteral("Group can not be Activated when group does not exists."));
    group_->SetActive(true);
}

void TiOPCItem::UpdateSuspend() {
    if (!group_)
        throw Exception(QStringLiteral("Group can not be Deactivated when group does not exists."));
    group_->SetActive(false);
}

void TiOPCItem::UpdateError() {
    if (manager_) manager_->ErrorStateChanged();
}

bool TiOPCItem::GetQualityGood() const {
    return (quality_ & TDataAccessQuality::Mask) == TDataAccessQuality::Good;
}

bool TiOPCItem::InError() const {
    return autoError_ && (writeFailed_ || ((active_ || connectFailed_) && !GetQualityGood()));
}

// The server let go of its clients: the item forgets its group, shows itself not connected
// and connects again once the server answers.
void TiOPCItem::ReceiveShutdown(const QString&) {
    DropGroup();
    quality_ = TDataAccessQuality::BadNotConnected;
    ScheduleReconnect();
    if (autoError_) UpdateError();
    Notify();
}

void TiOPCItem::ScheduleReconnect() {
    reconnectDelay_ = reconnectDelay_ == 0 ? FirstReconnectDelay
                                           : std::min(2 * reconnectDelay_, LastReconnectDelay);
    reconnectTimer_.start(reconnectDelay_);
}

void TiOPCItem::Reconnect() {
    if (!active_ || group_) return;
    if (server_ && server_->ConnectionError()) {
        ScheduleReconnect();
        return;
    }
    try {
        Activate();
        reconnectDelay_ = 0;
    } catch (const Exception& e) {
        active_ = true;
        ScheduleReconnect();
        if (manager_) manager_->Failure(this, e.Message());
    }
}

void TiOPCItem::ReceiveData(const TiOPCValue& value) {
    if (!active_) return;
    data_ = value.Value;
    quality_ = value.Quality;
    timeStamp_ = value.TimeStamp;
    connectFailed_ = false;
    if (GetQualityGood()) writeFailed_ = false;
    if (autoError_) UpdateError();
    Notify();
}

void TiOPCItem::ReceiveWriteComplete(const std::optional<EDataAccessError>& error) {
    if (error) ReportWriteFailure(QStringLiteral("Data Write Failure"));
}

void TiOPCItem::ReportWriteFailure(const QString& message) {
    writeFailed_ = true;
    if (autoError_) UpdateError();
    if (manager_) manager_->Failure(this, message);
}

// Last in every notification: the owner's handler may destroy the item.
void TiOPCItem::Notify() {
    if (manager_) manager_->NewData(this);
}

TiOPCItemManager::~TiOPCItemManager() {
    OnDesigning = nullptr;
    OnNewData = nullptr;
    OnRequestedType = nullptr;
    OnErrorState = nullptr;
    OnFailure = nullptr;
    items_.clear();
}

int TiOPCItemManager::Add() {
    items_.push_back(std::make_unique<TiOPCItem>(this));
    return int(items_.size()) - 1;
}

TiOPCItem* TiOPCItemManager::GetItem(int index) const {
    if (index < 0 || index >= GetCount())
        throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
    return items_[size_t(index)].get();
}

int TiOPCItemManager::FindIndex(const TiOPCItem* item) const {
    const auto found = std::find_if(items_.begin(), items_.end(),
                                    [item](const auto& entry) { return entry.get() == item; });
    return found == items_.end() ? -1 : int(found - items_.begin());
}

// The list is emptied before the items go, so an item's destruction finds none of them.
void TiOPCItemManager::Clear() {
    std::vector<std::unique_ptr<TiOPCItem>> gone = std::move(items_);
    items_.clear();
    gone.clear();
    ErrorStateChanged();
}

namespace {

QString StoredText(const PropertyDescriptor& property) {
    if (property.Kind == TPropertyKind::Boolean)
        return PropertyWalker::Read(property).toBool() ? QStringLiteral("True")
                                                       : QStringLiteral("False");
    const QString text = PropertyWalker::ReadText(property);
    if (property.Kind != TPropertyKind::String) return text;
    return '\'' + QString(text).replace('\'', QStringLiteral("''")) + '\'';
}

class ItemTextReader {
public:
    explicit ItemTextReader(const QStringList& lines) : lines_(lines) {}
    bool AtEnd() const { return next_ >= lines_.size(); }
    QString Next() {
        if (AtEnd()) Fail();
        return lines_[next_++].trimmed();
    }
    [[noreturn]] void Fail() const {
        throw Exception(QStringLiteral("Invalid OPC item description (line %1)").arg(next_));
    }
    void ReadItem(TiOPCItem& item) {
        for (QString line = Next(); line != QLatin1String("end"); line = Next()) {
            const qsizetype equals = line.indexOf('=');
            if (equals <= 0) Fail();
            PropertyWalker::WriteText(&item, line.left(equals).trimmed(),
                                      Unquoted(line.mid(equals + 1).trimmed()));
        }
    }

private:
    QString Unquoted(const QString& value) const {
        if (!value.startsWith('\'')) return value;
        if (value.size() < 2 || !value.endsWith('\'')) Fail();
        return value.mid(1, value.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
    }

    const QStringList& lines_;
    qsizetype next_ = 0;
};

} // namespace

QStringList TiOPCItemManager::WriteToText() const {
    if (items_.empty()) return {};
    QStringList lines{QStringLiteral("<")};
    for (const auto& item : items_) {
        lines << QStringLiteral("  item");
        for (const PropertyDescriptor& property : PropertyDefaults::ValuesToStore(item.get()))
            lines << QStringLiteral("    %1 = %2").arg(property.Path, StoredText(property));
        lines << QStringLiteral("  end");
    }
    lines << QStringLiteral(">");
    return lines;
}

void TiOPCItemManager::ReadFromText(const QStringList& lines) {
    Clear();
    ItemTextReader reader(lines);
    if (reader.AtEnd() || reader.Next() != QLatin1String("<")) return;
    for (QString line = reader.Next(); line != QLatin1String(">"); line = reader.Next()) {
        if (line != QLatin1String("item")) reader.Fail();
        TiOPCItem& item = *GetItem(Add());
        reader.ReadItem(item);
        item.Loaded();
    }
}

bool TiOPCItemManager::GetDesigning() const {
    return OnDesigning && OnDesigning();
}

quint16 TiOPCItemManager::RequestedType(const QString& propertyName) const {
    return OnRequestedType ? OnRequestedType(propertyName) : quint16(vtEmpty);
}

void TiOPCItemManager::ErrorStateChanged() {
    if (!OnErrorState) return;
    const bool inError =
        std::any_of(items_.begin(), items_.end(), [](const auto& item) { return item->InError(); });
    if (inError == reportedError_) return;
    reportedError_ = inError;
    OnErrorState(inError);
}

void TiOPCItemManager::NewData(TiOPCItem* item) {
    if (OnNewData) OnNewData(item);
}

void TiOPCItemManager::Failure(TiOPCItem* item, const QString& message) {
    if (OnFailure) OnFailure(item, message);
}
