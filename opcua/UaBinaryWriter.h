// Encodes built-in values in OPC UA Binary (little endian, IEEE floats, Int32 lengths with -1
// for null) by appending them to a buffer the writer owns.
#pragma once

#include "opcua/UaBuiltInTypes.h"
#include "opcua/UaNodeId.h"
#include "opcua/UaVariant.h"

#include <QByteArray>
#include <QString>
#include <QUuid>
#include <QtEndian>
#include <bit>

class UaBinaryWriter {
public:
    void WriteBoolean(bool value) { WriteByte(value ? 1 : 0); }
    void WriteSByte(qint8 value) { WriteFixed(value); }
    void WriteByte(quint8 value) { WriteFixed(value); }
    void WriteInt16(qint16 value) { WriteFixed(value); }
    void WriteUInt16(quint16 value) { WriteFixed(value); }
    void WriteInt32(qint32 value) { WriteFixed(value); }
    void WriteUInt32(quint32 value) { WriteFixed(value); }
    void WriteInt64(qint64 value) { WriteFixed(value); }
    void WriteUInt64(quint64 value) { WriteFixed(value); }
    void WriteFloat(float value) { WriteFixed(std::bit_cast<quint32>(value)); }
    void WriteDouble(double value) { WriteFixed(std::bit_cast<quint64>(value)); }
    void WriteDateTime(qint64 ticks) { WriteInt64(ticks); }
    void WriteStatusCode(quint32 status) { WriteUInt32(status); }

    // UTF-8; a null string as length -1, an empty one as length 0.
    void WriteString(const QString& text);
    // A null array as length -1; also the form of an XmlElement.
    void WriteByteString(const QByteArray& bytes);
    void WriteGuid(const QUuid& guid);
    // In the smallest form that holds it: two-byte, four-byte, numeric, string, guid, bytes.
    void WriteNodeId(const UaNodeId& id);
    // With a URI the namespace index is written as 0, since the URI stands in its place.
    void WriteExpandedNodeId(const UaExpandedNodeId& id);
    void WriteQualifiedName(const UaQualifiedName& name);
    void WriteLocalizedText(const UaLocalizedText& text);
    // A body is written for the binary and XML encodings, whatever Body holds.
    void WriteExtensionObject(const UaExtensionObject& object);
    void WriteDataValue(const UaDataValue& value);
    void WriteVariant(const UaVariant& variant);
    void WriteDiagnosticInfo(const UaDiagnosticInfo& info);

    // The count as Int32, then each item through writeOne. Raises Exception for a count
    // beyond Int32.
    template <class T, class F> void WriteArray(const T& items, F&& writeOne) {
        WriteLength(items.size());
        for (const auto& item : items)
            writeOne(item);
    }
    void WriteNullArray() { WriteInt32(-1); }

    // Overwrites 4 bytes written earlier, as message sizes known only at the end need. Raises
    // Exception when they are not all within what was written.
    void PatchUInt32(qsizetype offset, quint32 value);

    const QByteArray& Bytes() const { return bytes_; }
    QByteArray Take() { return std::exchange(bytes_, {}); }
    qsizetype Size() const { return bytes_.size(); }

private:
    template <class T> void WriteFixed(T value) {
        char raw[sizeof(T)];
        qToLittleEndian(value, raw);
        bytes_.append(raw, sizeof(T));
    }
    void WriteLength(qsizetype length);
    // The namespace is given apart, as an expanded id with a URI writes 0 in its place.
    void WriteNodeIdWithFlags(const UaNodeId& id, quint16 ns, quint8 flags);
    void WriteValue(UaBuiltInType type, const QVariant& value);

    QByteArray bytes_;
};
