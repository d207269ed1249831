// The callback objects the data-access layer calls for an item: the shutdown notice, the data
// callback and the older stream-based advise sink. Each keeps the data of its last call and
// reaches its item through a weak link, so nothing arrives at an item that is gone.
#pragma once

#include "platform/Clock.h"
#include "platform/DataAccess.h"

#include <memory>

class TiOPCItem;

// The item's side of the link: cleared first thing when the item is destroyed.
using TiOPCItemLink = std::shared_ptr<TiOPCItem*>;

class TiOPCShutdownCallback : public TDataAccessShutdownCallback,
                              public std::enable_shared_from_this<TiOPCShutdownCallback> {
public:
    using Method = void (TiOPCItem::*)(const QString& reason);
    TiOPCShutdownCallback(const TiOPCItemLink& item, Method method);
    void ShutdownRequest(const QString& reason) override;
    const QString& LastReason() const { return reason_; }

private:
    std::weak_ptr<TiOPCItem*> item_;
    Method method_;
    QString reason_;
};

// What the data callbacks hand their item: one value with its quality and local time.
struct TiOPCValue {
    QVariant Value;
    quint16 Quality = TDataAccessQuality::Bad;
    TDateTime TimeStamp = 0;
};

class TiOPCDataCallback : public TDataAccessDataCallback,
                          public std::enable_shared_from_this<TiOPCDataCallback> {
public:
    using DataMethod = void (TiOPCItem::*)(const TiOPCValue& value);
    using WriteMethod = void (TiOPCItem::*)(const std::optional<EDataAccessError>& error);
    TiOPCDataCallback(const TiOPCItemLink& item, DataMethod data, WriteMethod write);
    void OnDataChange(quint32 groupClientHandle,
                      const std::vector<TDataAccessItemValue>& values) override;
    void OnWriteComplete(quint32 groupClientHandle, quint32 itemClientHandle,
                         const std::optional<EDataAccessError>& error) override;
    const TiOPCValue& Last() const { return last_; }

private:
    std::weak_ptr<TiOPCItem*> item_;
    DataMethod data_;
    WriteMethod write_;
    TiOPCValue last_;
};

class TiOPCAdviseSink : public TDataAccessAdviseSink,
                        public std::enable_shared_from_this<TiOPCAdviseSink> {
public:
    using DataMethod = TiOPCDataCallback::DataMethod;
    TiOPCAdviseSink(const TiOPCItemLink& item, DataMethod data);
    void OnDataChange(const QString& format, const QByteArray& stream) override;
    const TiOPCValue& Last() const { return last_; }
    quint32 LastClientHandle() const { return clientHandle_; }

private:
    std::weak_ptr<TiOPCItem*> item_;
    DataMethod data_;
    TiOPCValue last_;
    quint32 clientHandle_ = 0;
};
