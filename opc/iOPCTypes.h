// The data-stream formats of the older stream-based advise and the reader of their layout:
// a group header, one record per item, and each item's value at the offset its record names.
#pragma once

#include "platform/Clock.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

namespace OPCStreamFormat {
inline const QString Data = QStringLiteral("OPCSTMFORMATDATA");
inline const QString DataTime = QStringLiteral("OPCSTMFORMATDATATIME");
inline const QString WriteComplete = QStringLiteral("OPCSTMFORMATWRITECOMPLETE");
} // namespace OPCStreamFormat

// Little-endian layout sizes: the group header (size, item count, client group handle,
// transaction, status), an item record with and without its file time, a variant.
namespace OPCStreamLayout {
constexpr int GroupHeaderSize = 20;
constexpr int ItemHeaderSize = 12;
constexpr int ItemHeaderTimeSize = 20;
constexpr int VariantSize = 16;
} // namespace OPCStreamLayout

struct TOPCStreamItem {
    quint32 ClientHandle = 0;
    QVariant Value;
    quint16 Quality = 0;
    qint64 FileTime = 0;
};

// The items of a stream of the given format. Nothing when the format is not a data format,
// the group's status is a failure, or any count, offset or length points outside the stream.
std::optional<std::vector<TOPCStreamItem>> ReadOPCDataStream(const QString& format,
                                                             const QByteArray& stream);
