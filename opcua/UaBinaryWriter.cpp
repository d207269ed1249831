#include "opcua/UaBinaryWriter.h"

#include "platform/Exception.h"

#include <limits>

namespace {

enum NodeIdEncoding : quint8 {
    TwoByte = 0x00,
    FourByte = 0x01,
    NumericForm = 0x02,
    StringForm = 0x03,
    GuidForm = 0x04,
    ByteStringForm = 0x05,
    ServerIndexFlag = 0x40,
    NamespaceUriFlag = 0x80
};

template <typename T> const T& Get(const QVariant& value) {
    return *static_cast<const T*>(value.constData());
}

} // namespace

void UaBinaryWriter::WriteString(const QString& text) {
    if (text.isNull()) {
        WriteInt32(-1);
        return;
    }
    const QByteArray utf8 = text.toUtf8();
    WriteLength(utf8.size());
    bytes_.append(utf8);
}

void UaBinaryWriter::WriteByteString(const QByteArray& bytes) {
    if (bytes.isNull()) {
        WriteInt32(-1);
        return;
    }
    WriteLength(bytes.size());
    bytes_.append(bytes);
}

void UaBinaryWriter::WriteGuid(const QUuid& guid) {
    WriteUInt32(guid.data1);
    WriteUInt16(guid.data2);
    WriteUInt16(guid.data3);
    bytes_.append(reinterpret_cast<const char*>(guid.data4), sizeof(guid.data4));
}

void UaBinaryWriter::WriteNodeId(const UaNodeId& id) {
    WriteNodeIdWithFlags(id, id.NamespaceIndex(), 0);
}

void UaBinaryWriter::WriteExpandedNodeId(const UaExpandedNodeId& id) {
    const bool hasUri = !id.NamespaceUri.isEmpty();
    quint8 flags = hasUri ? NamespaceUriFlag : 0;
    if (id.ServerIndex != 0) flags |= ServerIndexFlag;
    WriteNodeIdWithFlags(id.NodeId, hasUri ? 0 : id.NodeId.NamespaceIndex(), flags);
    if (hasUri) WriteString(id.NamespaceUri);
    if (id.ServerIndex != 0) WriteUInt32(id.ServerIndex);
}

void UaBinaryWriter::WriteNodeIdWithFlags(const UaNodeId& id, quint16 ns, quint8 flags) {
    switch (id.IdentifierType()) {
    case UaIdentifierType::Numeric: {
        const quint32 numeric = id.NumericId();
        if (ns == 0 && numeric <= 0xFF) {
            WriteByte(TwoByte | flags);
            WriteByte(quint8(numeric));
        } else if (ns <= 0xFF && numeric <= 0xFFFF) {
            WriteByte(FourByte | flags);
            WriteByte(quint8(ns));
            WriteUInt16(quint16(numeric));
        } else {
            WriteByte(NumericForm | flags);
            WriteUInt16(ns);
            WriteUInt32(numeric);
        }
        return;
    }
    case UaIdentifierType::String:
        WriteByte(StringForm | flags);
        WriteUInt16(ns);
        WriteString(id.StringId());
        return;
    case UaIdentifierType::Guid:
        WriteByte(GuidForm | flags);
        WriteUInt16(ns);
        WriteGuid(id.GuidId());
        return;
    case UaIdentifierType::Opaque:
        WriteByte(ByteStringForm | flags);
        WriteUInt16(ns);
        WriteByteString(id.OpaqueId());
        return;
    }
}

void UaBinaryWriter::WriteQualifiedName(const UaQualifiedName& name) {
    WriteUInt16(name.NamespaceIndex);
    WriteString(name.Name);
}

void UaBinaryWriter::WriteLocalizedText(const UaLocalizedText& text) {
    const quint8 mask = (text.Locale.isNull() ? 0 : 0x01) | (text.Text.isNull() ? 0 : 0x02);
    WriteByte(mask);
    if (mask & 0x01) WriteString(text.Locale);
    if (mask & 0x02) WriteString(text.Text);
}

void UaBinaryWriter::WriteExtensionObject(const UaExtensionObject& object) {
    WriteNodeId(object.TypeId);
    WriteByte(object.Encoding);
    if (object.Encoding != UaExtensionObject::NoBody) WriteByteString(object.Body);
}

void UaBinaryWriter::WriteDataValue(const UaDataValue& value) {
    const quint8 mask = value.EncodingMask();
    WriteByte(mask);
    if (mask & 0x01) WriteVariant(value.Value);
    if (mask & 0x02) WriteStatusCode(value.Status);
    if (mask & 0x04) WriteDateTime(value.SourceTimestamp);
    if (mask & 0x10) WriteUInt16(value.SourcePicoseconds);
    if (mask & 0x08) WriteDateTime(value.ServerTimestamp);
    if (mask & 0x20) WriteUInt16(value.ServerPicoseconds);
}

void UaBinaryWriter::WriteVariant(const UaVariant& variant) {
    if (variant.IsNull()) {
        WriteByte(0);
        return;
    }
    const bool hasDimensions = !variant.Dimensions().isEmpty();
    WriteByte(quint8(variant.Type()) | (variant.IsArray() ? 0x80 : 0) | (hasDimensions ? 0x40 : 0));
    if (!variant.IsArray()) {
        WriteValue(variant.Type(), variant.Value());
        return;
    }
    WriteArray(Get<QVariantList>(variant.Value()),
               [&](const QVariant& item) { WriteValue(variant.Type(), item); });
    if (hasDimensions) WriteArray(variant.Dimensions(), [&](qint32 d) { WriteInt32(d); });
}

void UaBinaryWriter::WriteDiagnosticInfo(const UaDiagnosticInfo& info) {
    const quint8 mask = info.EncodingMask();
    WriteByte(mask);
    if (mask & 0x01) WriteInt32(info.SymbolicId);
    if (mask & 0x02) WriteInt32(info.NamespaceUri);
    if (mask & 0x08) WriteInt32(info.Locale);
    if (mask & 0x04) WriteInt32(info.LocalizedText);
    if (mask & 0x10) WriteString(info.AdditionalInfo);
    if (mask & 0x20) WriteStatusCode(info.InnerStatusCode);
    if (mask & 0x40) WriteDiagnosticInfo(*info.Inner);
}

void UaBinaryWriter::PatchUInt32(qsizetype offset, quint32 value) {
    if (offset < 0 || offset > bytes_.size() - qsizetype(sizeof(value)))
        throw Exception(QStringLiteral("Cannot patch 4 bytes at offset %1 of %2 written")
                            .arg(offset)
                            .arg(bytes_.size()));
    qToLittleEndian(value, bytes_.data() + offset);
}

void UaBinaryWriter::WriteLength(qsizetype length) {
    if (length > std::numeric_limits<qint32>::max())
        throw Exception(QStringLiteral("Cannot encode a length of %1").arg(length));
    WriteInt32(qint32(length));
}

// The variant's invariant guarantees the value holds the type's representation.
void UaBinaryWriter::WriteValue(UaBuiltInType type, const QVariant& value) {
    switch (type) {
    case UaBuiltInType::Null:
        return;
    case UaBuiltInType::Boolean:
        return WriteBoolean(Get<bool>(value));
    case UaBuiltInType::SByte:
        return WriteSByte(Get<qint8>(value));
    case UaBuiltInType::Byte:
        return WriteByte(Get<quint8>(value));
    case UaBuiltInType::Int16:
        return WriteInt16(Get<qint16>(value));
    case UaBuiltInType::UInt16:
        return WriteUInt16(Get<quint16>(value));
    case UaBuiltInType::Int32:
        return WriteInt32(Get<qint32>(value));
    case UaBuiltInType::UInt32:
    case UaBuiltInType::StatusCode:
        return WriteUInt32(Get<quint32>(value));
    case UaBuiltInType::Int64:
    case UaBuiltInType::DateTime:
        return WriteInt64(Get<qint64>(value));
    case UaBuiltInType::UInt64:
        return WriteUInt64(Get<quint64>(value));
    case UaBuiltInType::Float:
        return WriteFloat(Get<float>(value));
    case UaBuiltInType::Double:
        return WriteDouble(Get<double>(value));
    case UaBuiltInType::String:
        return WriteString(Get<QString>(value));
    case UaBuiltInType::Guid:
        return WriteGuid(Get<QUuid>(value));
    case UaBuiltInType::ByteString:
    case UaBuiltInType::XmlElement:
        return WriteByteString(Get<QByteArray>(value));
    case UaBuiltInType::NodeId:
        return WriteNodeId(Get<UaNodeId>(value));
    case UaBuiltInType::ExpandedNodeId:
        return WriteExpandedNodeId(Get<UaExpandedNodeId>(value));
    case UaBuiltInType::QualifiedName:
        return WriteQualifiedName(Get<UaQualifiedName>(value));
    case UaBuiltInType::LocalizedText:
        return WriteLocalizedText(Get<UaLocalizedText>(value));
    case UaBuiltInType::ExtensionObject:
        return WriteExtensionObject(Get<UaExtensionObject>(value));
    case UaBuiltInType::DataValue:
        return WriteDataValue(Get<UaDataValue>(value));
    case UaBuiltInType::Variant:
        return WriteVariant(Get<UaVariant>(value));
    case UaBuiltInType::DiagnosticInfo:
        return WriteDiagnosticInfo(Get<UaDiagnosticInfo>(value));
    }
}
