#include "opcua/UaBinaryReader.h"

#include <algorithm>

namespace {

constexpr quint8 HighestTypeId = quint8(UaBuiltInType::DiagnosticInfo);
constexpr quint16 MaxPicoseconds = 9'999;

// The fewest bytes one value of the type takes, so that a count can be refused before the
// list for it is allocated.
qsizetype MinimumSize(UaBuiltInType type) {
    switch (type) {
    case UaBuiltInType::Int16:
    case UaBuiltInType::UInt16:
    case UaBuiltInType::NodeId:
    case UaBuiltInType::ExpandedNodeId:
        return 2;
    case UaBuiltInType::ExtensionObject:
        return 3;
    case UaBuiltInType::Int32:
    case UaBuiltInType::UInt32:
    case UaBuiltInType::Float:
    case UaBuiltInType::StatusCode:
    case UaBuiltInType::String:
    case UaBuiltInType::ByteString:
    case UaBuiltInType::XmlElement:
        return 4;
    case UaBuiltInType::QualifiedName:
        return 6;
    case UaBuiltInType::Int64:
    case UaBuiltInType::UInt64:
    case UaBuiltInType::Double:
    case UaBuiltInType::DateTime:
        return 8;
    case UaBuiltInType::Guid:
        return 16;
    default:
        return 1;
    }
}

} // namespace

UaDecodeError::UaDecodeError(const QString& what, qsizetype offset)
    : Exception(offset < 0 ? what : QStringLiteral("%1 at offset %2").arg(what).arg(offset)),
      offset_(offset) {}

UaBinaryReader::Nesting::Nesting(UaBinaryReader& reader) : reader_(reader) {
    if (reader_.depth_ >= reader_.limits_.MaxDepth)
        reader_.Fail(QStringLiteral("Nesting deeper than %1").arg(reader_.limits_.MaxDepth));
    ++reader_.depth_;
}

UaBinaryReader::UaBinaryReader(const char* data, qsizetype size, UaDecodeLimits limits)
    : data_(data), size_(data && size > 0 ? size : 0), limits_(limits) {}

UaBinaryReader::UaBinaryReader(const QByteArray& bytes, UaDecodeLimits limits)
    : UaBinaryReader(bytes.constData(), bytes.size(), limits) {}

QString UaBinaryReader::ReadString() {
    const auto bytes = ReadLengthPrefixed(limits_.MaxStringLength, "String");
    if (!bytes) return {};
    // fromUtf8 of no bytes would give a null string, which means something else.
    return bytes->isEmpty() ? QStringLiteral("") : QString::fromUtf8(*bytes);
}

QByteArray UaBinaryReader::ReadByteString() {
    const auto bytes = ReadLengthPrefixed(limits_.MaxByteStringLength, "ByteString");
    if (!bytes) return {};
    return bytes->isEmpty() ? QByteArray("") : bytes->toByteArray();
}

std::optional<QByteArrayView> UaBinaryReader::ReadLengthPrefixed(qint32 maximum, const char* what) {
    const qint32 length = ReadInt32();
    if (length == -1) return std::nullopt;
    if (length < -1) Fail(QStringLiteral("%1 of negative length %2").arg(what).arg(length));
    if (length > maximum)
        Fail(QStringLiteral("%1 of %2 bytes exceeds the limit of %3")
                 .arg(what)
                 .arg(length)
                 .arg(maximum));
    Require(length);
    const QByteArrayView bytes(data_ + position_, length);
    position_ += length;
    return bytes;
}

QUuid UaBinaryReader::ReadGuid() {
    const quint32 data1 = ReadUInt32();
    const quint16 data2 = ReadUInt16();
    const quint16 data3 = ReadUInt16();
    Require(8);
    const auto* b = reinterpret_cast<const uchar*>(data_ + position_);
    position_ += 8;
    return QUuid(data1, data2, data3, b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7]);
}

UaNodeId UaBinaryReader::ReadNodeId() {
    const quint8 encoding = ReadByte();
    if (encoding & 0xC0) {
        position_ -= 1;
        Fail(QStringLiteral("NodeId with expanded flags 0x%1").arg(encoding, 2, 16, QChar(u'0')));
    }
    return ReadNodeIdBody(encoding);
}

UaExpandedNodeId UaBinaryReader::ReadExpandedNodeId() {
    const quint8 encoding = ReadByte();
    UaExpandedNodeId id;
    id.NodeId = ReadNodeIdBody(encoding & 0x3F);
    if (encoding & 0x80) id.NamespaceUri = ReadString();
    if (encoding & 0x40) id.ServerIndex = ReadUInt32();
    return id;
}

UaNodeId UaBinaryReader::ReadNodeIdBody(quint8 encoding) {
    switch (encoding) {
    case 0x00:
        return UaNodeId::Numeric(0, ReadByte());
    case 0x01: {
        const quint8 ns = ReadByte();
        return UaNodeId::Numeric(ns, ReadUInt16());
    }
    case 0x02: {
        const quint16 ns = ReadUInt16();
        return UaNodeId::Numeric(ns, ReadUInt32());
    }
    case 0x03: {
        const quint16 ns = ReadUInt16();
        return UaNodeId::String(ns, ReadString());
    }
    case 0x04: {
        const quint16 ns = ReadUInt16();
        return UaNodeId::Guid(ns, ReadGuid());
    }
    case 0x05: {
        const quint16 ns = ReadUInt16();
        return UaNodeId::Opaque(ns, ReadByteString());
    }
    default:
        position_ -= 1;
        Fail(QStringLiteral("Unknown NodeId encoding 0x%1").arg(encoding, 2, 16, QChar(u'0')));
    }
}

UaQualifiedName UaBinaryReader::ReadQualifiedName() {
    UaQualifiedName name;
    name.NamespaceIndex = ReadUInt16();
    name.Name = ReadString();
    return name;
}

UaLocalizedText UaBinaryReader::ReadLocalizedText() {
    const quint8 mask = ReadByte();
    if (mask & ~0x03) Fail(QStringLiteral("LocalizedText mask 0x%1").arg(mask, 2, 16, QChar(u'0')));
    UaLocalizedText text;
    if (mask & 0x01) text.Locale = ReadString();
    if (mask & 0x02) text.Text = ReadString();
    return text;
}

UaExtensionObject UaBinaryReader::ReadExtensionObject() {
    UaExtensionObject object;
    object.TypeId = ReadNodeId();
    object.Encoding = ReadByte();
    if (object.Encoding > UaExtensionObject::XmlBody)
        Fail(QStringLiteral("ExtensionObject encoding %1").arg(object.Encoding));
    if (object.Encoding != UaExtensionObject::NoBody) object.Body = ReadByteString();
    return object;
}

UaDataValue UaBinaryReader::ReadDataValue() {
    const Nesting nesting(*this);
    const quint8 mask = ReadByte();
    if (mask & 0xC0) Fail(QStringLiteral("DataValue mask 0x%1").arg(mask, 2, 16, QChar(u'0')));
    UaDataValue value;
    value.HasValue = mask & 0x01;
    value.HasStatus = mask & 0x02;
    value.HasSourceTimestamp = mask & 0x04;
    value.HasServerTimestamp = mask & 0x08;
    value.HasSourcePicoseconds = mask & 0x10;
    value.HasServerPicoseconds = mask & 0x20;
    if (value.HasValue) value.Value = ReadVariant();
    if (value.HasStatus) value.Status = ReadStatusCode();
    if (value.HasSourceTimestamp) value.SourceTimestamp = ReadDateTime();
    if (value.HasSourcePicoseconds)
        value.SourcePicoseconds = std::min(ReadUInt16(), MaxPicoseconds);
    if (value.HasServerTimestamp) value.ServerTimestamp = ReadDateTime();
    if (value.HasServerPicoseconds)
        value.ServerPicoseconds = std::min(ReadUInt16(), MaxPicoseconds);
    return value;
}

UaVariant UaBinaryReader::ReadVariant() {
    const Nesting nesting(*this);
    const quint8 mask = ReadByte();
    const quint8 typeId = mask & 0x3F;
    const bool isArray = mask & 0x80;
    const bool hasDimensions = mask & 0x40;
    if (typeId > HighestTypeId || (typeId == 0 && mask != 0) || (hasDimensions && !isArray)) {
        position_ -= 1;
        Fail(QStringLiteral("Variant mask 0x%1").arg(mask, 2, 16, QChar(u'0')));
    }
    const auto type = UaBuiltInType(typeId);
    if (type == UaBuiltInType::Null) return {};
    if (!isArray) {
        if (type == UaBuiltInType::Variant) Fail(QStringLiteral("Variant inside a Variant"));
        return UaVariant(type, false, ReadValue(type), {});
    }
    const qint32 count = ReadArrayLength(MinimumSize(type));
    QVariantList values;
    values.reserve(count);
    for (qint32 i = 0; i < count; ++i)
        values.append(ReadValue(type));
    QList<qint32> dimensions;
    if (hasDimensions) {
        ReadArray([&](qint32) { dimensions.append(ReadInt32()); }, 4);
        if (!UaVariant::DimensionsFit(dimensions, values.size()))
            Fail(
                QStringLiteral("Variant dimensions do not match its %1 values").arg(values.size()));
    }
    return UaVariant(type, true, std::move(values), std::move(dimensions));
}

UaDiagnosticInfo UaBinaryReader::ReadDiagnosticInfo() {
    const Nesting nesting(*this);
    const quint8 mask = ReadByte();
    if (mask & 0x80) Fail(QStringLiteral("DiagnosticInfo mask 0x%1").arg(mask, 2, 16, QChar(u'0')));
    UaDiagnosticInfo info;
    if (mask & 0x01) info.SymbolicId = ReadInt32();
    if (mask & 0x02) info.NamespaceUri = ReadInt32();
    if (mask & 0x08) info.Locale = ReadInt32();
    if (mask & 0x04) info.LocalizedText = ReadInt32();
    if (mask & 0x10) info.AdditionalInfo = ReadString();
    info.HasInnerStatusCode = mask & 0x20;
    if (info.HasInnerStatusCode) info.InnerStatusCode = ReadStatusCode();
    if (mask & 0x40) info.Inner = std::make_unique<UaDiagnosticInfo>(ReadDiagnosticInfo());
    return info;
}

qint32 UaBinaryReader::ReadArrayLength(qsizetype minimumElementSize) {
    const qint32 count = ReadInt32();
    if (count == -1) return 0;
    if (count < -1) Fail(QStringLiteral("Array of negative length %1").arg(count));
    if (count > limits_.MaxArrayLength)
        Fail(QStringLiteral("Array of %1 elements exceeds the limit of %2")
                 .arg(count)
                 .arg(limits_.MaxArrayLength));
    if (count > Remaining() / std::max<qsizetype>(minimumElementSize, 1))
        Fail(QStringLiteral("Array of %1 elements is longer than the %2 bytes left")
                 .arg(count)
                 .arg(Remaining()));
    return count;
}

void UaBinaryReader::Skip(qsizetype count) {
    if (count < 0) Fail(QStringLiteral("Skip of %1 bytes").arg(count));
    Require(count);
    position_ += count;
}

QByteArrayView UaBinaryReader::Peek(qsizetype count) const {
    if (count < 0) Fail(QStringLiteral("Peek of %1 bytes").arg(count));
    Require(count);
    return QByteArrayView(data_ + position_, count);
}

void UaBinaryReader::FailTruncated(qsizetype count) const {
    Fail(QStringLiteral("Needs %1 bytes, %2 left").arg(count).arg(Remaining()));
}

void UaBinaryReader::Fail(const QString& what) const {
    throw UaDecodeError(what, position_);
}

// QVariant's own constructors are used where it has them: they skip the metatype's copy.
QVariant UaBinaryReader::ReadValue(UaBuiltInType type) {
    switch (type) {
    case UaBuiltInType::Null:
        return {};
    case UaBuiltInType::Boolean:
        return QVariant(ReadBoolean());
    case UaBuiltInType::SByte:
        return QVariant::fromValue(ReadSByte());
    case UaBuiltInType::Byte:
        return QVariant::fromValue(ReadByte());
    case UaBuiltInType::Int16:
        return QVariant::fromValue(ReadInt16());
    case UaBuiltInType::UInt16:
        return QVariant::fromValue(ReadUInt16());
    case UaBuiltInType::Int32:
        return QVariant(ReadInt32());
    case UaBuiltInType::UInt32:
    case UaBuiltInType::StatusCode:
        return QVariant(ReadUInt32());
    case UaBuiltInType::Int64:
    case UaBuiltInType::DateTime:
        return QVariant(ReadInt64());
    case UaBuiltInType::UInt64:
        return QVariant(ReadUInt64());
    case UaBuiltInType::Float:
        return QVariant(ReadFloat());
    case UaBuiltInType::Double:
        return QVariant(ReadDouble());
    case UaBuiltInType::String:
        return QVariant(ReadString());
    case UaBuiltInType::Guid:
        return QVariant(ReadGuid());
    case UaBuiltInType::ByteString:
    case UaBuiltInType::XmlElement:
        return QVariant(ReadByteString());
    case UaBuiltInType::NodeId:
        return QVariant::fromValue(ReadNodeId());
    case UaBuiltInType::ExpandedNodeId:
        return QVariant::fromValue(ReadExpandedNodeId());
    case UaBuiltInType::QualifiedName:
        return QVariant::fromValue(ReadQualifiedName());
    case UaBuiltInType::LocalizedText:
        return QVariant::fromValue(ReadLocalizedText());
    case UaBuiltInType::ExtensionObject:
        return QVariant::fromValue(ReadExtensionObject());
    case UaBuiltInType::DataValue:
        return QVariant::fromValue(ReadDataValue());
    case UaBuiltInType::Variant:
        return QVariant::fromValue(ReadVariant());
    case UaBuiltInType::DiagnosticInfo:
        return QVariant::fromValue(ReadDiagnosticInfo());
    }
    return {};
}
