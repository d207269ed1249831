// A live-data item: the binding of one property of a control (or of a channel's data) to an
// item of a data server, with its connection, its last value and its manager.
#pragma once

#include "opc/iOPCClasses.h"
#include "platform/Clock.h"
#include "platform/DataAccess.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class TiOPCItemManager;

class TiOPCItem : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString PropertyName READ PropertyName WRITE SetPropertyName)
    Q_PROPERTY(QString ComputerName READ ComputerName WRITE SetComputerName)
    Q_PROPERTY(QString ServerName READ ServerName WRITE SetServerName)
    Q_PROPERTY(QString ItemName READ ItemName WRITE SetItemName)
    Q_PROPERTY(int UpdateRate READ UpdateRate WRITE SetUpdateRate)
    Q_PROPERTY(bool AutoConnect READ AutoConnect WRITE SetAutoConnect)
    Q_PROPERTY(bool AutoError READ AutoError WRITE SetAutoError)

public:
    explicit TiOPCItem(TiOPCItemManager* manager = nullptr);
    ~TiOPCItem() override;

    const QString& PropertyName() const { return propertyName_; }
    void SetPropertyName(const QString& value) { propertyName_ = value; }
    const QString& ComputerName() const { return computerName_; }
    void SetComputerName(const QString& value);
    const QString& ServerName() const { return serverName_; }
    void SetServerName(const QString& value);
    const QString& ItemName() const { return itemName_; }
    void SetItemName(const QString& value);
    int UpdateRate() const { return updateRate_; }
    void SetUpdateRate(int value);
    bool AutoConnect() const { return autoConnect_; }
    void SetAutoConnect(bool value);
    bool AutoError() const { return autoError_; }
    void SetAutoError(bool value);

    bool Active() const { return active_; }
    const QVariant& Data() const { return data_; }
    TDateTime TimeStamp() const { return timeStamp_; }
    quint16 Quality() const { return quality_; }
    quint16 CanonicalDataType() const;
    TiOPCItemManager* Manager() const { return manager_; }

    void Activate();
    void Deactivate();
    // Connects when AutoConnect says so; a failure is reported to the manager, never raised.
    void Loaded();
    void SetData(const QVariant& value);
    void UpdateResume();
    void UpdateSuspend();
    void UpdateError();
    bool GetQualityGood() const;
    // With AutoError: the quality is not good while the item is connected or failed to
    // connect, or a write was refused since the last good value.
    bool InError() const;
    // A write that did not reach the server: shown as the error state (with AutoError) until
    // the next good value, and told to the manager.
    void ReportWriteFailure(const QString& message);

private:
    void Connect();
    void ConnectTo(const QString& computer, const QString& classId);
    void AddGroupAndItem();
    void Advise();
    void Disconnect();
    void DropGroup();
    void Reactivate();
    void ShowNotConnected();
    void ConnectFailed(const QString& message);
    void ScheduleReconnect();
    void Reconnect();
    void ReceiveData(const TiOPCValue& value);
    void ReceiveShutdown(const QString& reason);
    void ReceiveWriteComplete(const std::optional<EDataAccessError>& error);
    void Notify();

    TiOPCItemManager* manager_;
    TiOPCItemLink link_;
    QString propertyName_;
    QString computerName_ = QStringLiteral("Local");
    QString serverName_;
    QString itemName_;
    int updateRate_ = 500;
    bool autoConnect_ = true;
    bool autoError_ = false;

    bool active_ = false;
    bool connectFailed_ = false;
    bool writeFailed_ = false;
    std::shared_ptr<TDataAccessServer> server_;
    std::shared_ptr<TDataAccessGroup> group_;
    std::shared_ptr<TDataAccessServerList> serverList_;
    quint32 groupHandle_ = 0;
    quint32 itemHandle_ = 0;
    quint16 canonicalType_ = vtEmpty;
    std::shared_ptr<TiOPCAdviseSink> adviseSink_;
    quint32 adviseConnection_ = 0;
    std::shared_ptr<TiOPCDataCallback> dataCallback_;
    quint32 dataCookie_ = 0;
    std::shared_ptr<TiOPCShutdownCallback> shutdownCallback_;
    quint32 shutdownCookie_ = 0;
    QVariant data_;
    TDateTime timeStamp_ = 0;
    quint16 quality_ = TDataAccessQuality::Bad;
    // After a shutdown notice the item reconnects by itself once the server answers again.
    QTimer reconnectTimer_;
    int reconnectDelay_ = 0;
};

// The items of one control or channel, owned and in order, and the owner's hooks.
class TiOPCItemManager {
public:
    TiOPCItemManager() = default;
    ~TiOPCItemManager();
    TiOPCItemManager(const TiOPCItemManager&) = delete;
    TiOPCItemManager& operator=(const TiOPCItemManager&) = delete;

    int Add();
    int GetCount() const { return int(items_.size()); }
    // Raises "List index out of bounds (<index>)".
    TiOPCItem* GetItem(int index) const;
    int FindIndex(const TiOPCItem* item) const;
    void Clear();
    bool GetDesigning() const;
    // The items as a stored description holds them: "<", per item "item", one
    // "Name = Value" line per stored property (strings quoted), "end"; then ">". No lines
    // without items.
    QStringList WriteToText() const;
    // Destroys every item; then, when the lines hold a collection, makes and reads each item
    // in order and runs its Loaded. Raises "Invalid OPC item description (line <n>)" on text
    // that is not one, and the property walk's errors on unknown names or values.
    void ReadFromText(const QStringList& lines);
    quint16 RequestedType(const QString& propertyName) const;

    // Set by the owner. OnErrorState is set only by a control: it receives whether any item
    // with AutoError is in error. OnFailure tells of failures that cannot be raised to a
    // caller (a connection made in the background, a write the server refused).
    std::function<bool()> OnDesigning;
    std::function<void(TiOPCItem* item)> OnNewData;
    std::function<quint16(const QString& propertyName)> OnRequestedType;
    std::function<void(bool inError)> OnErrorState;
    std::function<void(TiOPCItem* item, const QString& message)> OnFailure;

    // Called by the items.
    void ErrorStateChanged();
    void NewData(TiOPCItem* item);
    void Failure(TiOPCItem* item, const QString& message);

private:
    std::vector<std::unique_ptr<TiOPCItem>> items_;
    bool reportedError_ = false;
};
