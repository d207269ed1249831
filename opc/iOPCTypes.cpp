#include "opc/iOPCTypes.h"

#include "platform/DataAccess.h"

#include <QtEndian>

namespace {

// Every read is checked against the bytes the stream was given: a server's offsets and
// counts are not trusted.
class StreamView {
public:
    explicit StreamView(const QByteArray& bytes) : bytes_(bytes) {}
    qint64 Size() const { return bytes_.size(); }
    bool Holds(qint64 offset, qint64 count) const {
        return offset >= 0 && count >= 0 && offset <= Size() && count <= Size() - offset;
    }
    template <typename T> T At(qint64 offset) const {
        return qFromLittleEndian<T>(bytes_.constData() + offset);
    }
    QString Utf16At(qint64 offset, qint64 byteCount) const {
        QString text(int(byteCount / 2), Qt::Uninitialized);
        for (qint64 i = 0; i < byteCount / 2; ++i)
            text[int(i)] = QChar(At<quint16>(offset + 2 * i));
        return text;
    }

private:
    const QByteArray& bytes_;
};

std::optional<QVariant> ReadString(const StreamView& view, qint64 offset) {
    const qint64 countOffset = offset + OPCStreamLayout::VariantSize;
    if (!view.Holds(countOffset, 4)) return std::nullopt;
    const qint64 byteCount = view.At<quint32>(countOffset);
    if (byteCount % 2 != 0 || !view.Holds(countOffset + 4, byteCount)) return std::nullopt;
    return QVariant(view.Utf16At(countOffset + 4, byteCount));
}

std::optional<QVariant> ReadVariant(const StreamView& view, qint64 offset) {
    if (!view.Holds(offset, OPCStreamLayout::VariantSize)) return std::nullopt;
    const qint64 data = offset + 8;
    switch (view.At<quint16>(offset)) {
    case vtEmpty:
        return QVariant();
    case vtI1:
        return QVariant(int(view.At<qint8>(data)));
    case vtUI1:
        return QVariant(uint(view.At<quint8>(data)));
    case vtI2:
        return QVariant(int(view.At<qint16>(data)));
    case vtUI2:
        return QVariant(uint(view.At<quint16>(data)));
    case vtI4:
        return QVariant(view.At<qint32>(data));
    case vtUI4:
        return QVariant(view.At<quint32>(data));
    case vtI8:
        return QVariant(view.At<qint64>(data));
    case vtUI8:
        return QVariant(view.At<quint64>(data));
    case vtR4:
        return QVariant(double(view.At<float>(data)));
    case vtR8:
    case vtDate:
        return QVariant(view.At<double>(data));
    case vtBool:
        return QVariant(view.At<qint16>(data) != 0);
    case vtBstr:
        return ReadString(view, offset);
    default:
        return QVariant();
    }
}

} // namespace

std::optional<std::vector<TOPCStreamItem>> ReadOPCDataStream(const QString& format,
                                                             const QByteArray& stream) {
    const bool withTime = format == OPCStreamFormat::DataTime;
    if (!withTime && format != OPCStreamFormat::Data) return std::nullopt;
    const StreamView view(stream);
    if (!view.Holds(0, OPCStreamLayout::GroupHeaderSize)) return std::nullopt;
    if (view.At<qint32>(16) < 0) return std::nullopt;
    const qint64 count = view.At<quint32>(4);
    const qint64 recordSize =
        withTime ? OPCStreamLayout::ItemHeaderTimeSize : OPCStreamLayout::ItemHeaderSize;
    if (count > view.Size() / recordSize ||
        !view.Holds(OPCStreamLayout::GroupHeaderSize, count * recordSize))
        return std::nullopt;
    std::vector<TOPCStreamItem> items;
    items.reserve(size_t(count));
    for (qint64 i = 0; i < count; ++i) {
        const qint64 record = OPCStreamLayout::GroupHeaderSize + i * recordSize;
        TOPCStreamItem item;
        item.ClientHandle = view.At<quint32>(record);
        item.Quality = view.At<quint16>(record + 8) & TDataAccessQuality::Mask;
        if (withTime) item.FileTime = view.At<qint64>(record + 12);
        const std::optional<QVariant> value = ReadVariant(view, view.At<quint32>(record + 4));
        if (!value) return std::nullopt;
        item.Value = *value;
        items.push_back(std::move(item));
    }
    return items;
}
