#include "opc/iOPCClasses.h"

#include "opc/Iopcfunctions.h"
#include "opc/iOPCItem.h"
#include "opc/iOPCTypes.h"

namespace {

// The callback stays alive while its item runs, even when the item lets it go (an item
// destroyed from its own new-data handler); whatever the item raises ends here, never in the
// layer's notification.
template <typename Callback, typename Method, typename... Args>
void CallItem(Callback& callback, const std::weak_ptr<TiOPCItem*>& link, Method method,
              const Args&... args) {
    const auto keep = callback.shared_from_this();
    const std::shared_ptr<TiOPCItem*> item = link.lock();
    if (!item || !*item) return;
    RunGuarded([&] { ((*item)->*method)(args...); });
}

} // namespace

TiOPCShutdownCallback::TiOPCShutdownCallback(const TiOPCItemLink& item, Method method)
    : item_(item), method_(method) {}

void TiOPCShutdownCallback::ShutdownRequest(const QString& reason) {
    reason_ = reason;
    CallItem(*this, item_, method_, reason);
}

TiOPCDataCallback::TiOPCDataCallback(const TiOPCItemLink& item, DataMethod data, WriteMethod write)
    : item_(item), data_(data), write_(write) {}

void TiOPCDataCallback::OnDataChange(quint32, const std::vector<TDataAccessItemValue>& values) {
    if (values.empty()) return;
    const TDataAccessItemValue& first = values.front();
    last_ = {first.Value, first.Quality, FileTimeToDateTime(first.FileTime)};
    CallItem(*this, item_, data_, last_);
}

void TiOPCDataCallback::OnWriteComplete(quint32, quint32,
                                        const std::optional<EDataAccessError>& error) {
    CallItem(*this, item_, write_, error);
}

TiOPCAdviseSink::TiOPCAdviseSink(const TiOPCItemLink& item, DataMethod data)
    : item_(item), data_(data) {}

void TiOPCAdviseSink::OnDataChange(const QString& format, const QByteArray& stream) {
    const auto keep = shared_from_this();
    const std::optional<std::vector<TOPCStreamItem>> items = ReadOPCDataStream(format, stream);
    if (!items) return;
    for (const TOPCStreamItem& item : *items) {
        clientHandle_ = item.ClientHandle;
        last_ = {item.Value, item.Quality, FileTimeToDateTime(item.FileTime)};
        CallItem(*this, item_, data_, last_);
    }
}
