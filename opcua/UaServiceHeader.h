// The headers every service request and response carries, the ServiceFault sent in place of any
// response, the framing of a message body, and the field walk every service structure goes through.
#pragma once

#include "opcua/UaBinaryReader.h"
#include "opcua/UaBinaryWriter.h"
#include "opcua/UaBuiltInTypes.h"
#include "opcua/UaNodeId.h"
#include "opcua/UaVariant.h"
#include "platform/Exception.h"

#include <QByteArray>
#include <QString>
#include <type_traits>
#include <vector>

// Encoded sizes of the smallest possible element, which bound a received array's count before
// anything is reserved for it.
namespace UaMinimumSize {
inline constexpr qsizetype Boolean = 1;
inline constexpr qsizetype UInt32 = 4;
inline constexpr qsizetype String = 4;
inline constexpr qsizetype NodeId = 2;
inline constexpr qsizetype QualifiedName = 6;
inline constexpr qsizetype ExtensionObject = 3;
inline constexpr qsizetype DataValue = 1;
inline constexpr qsizetype DiagnosticInfo = 1;
} // namespace UaMinimumSize

// How a field of type T travels: Read, Write and, for the elements of arrays, MinimumSize.
template <class T> struct UaFieldCodec;

template <auto ReadOne, auto WriteOne, qsizetype Minimum> struct UaBuiltInCodec {
    static auto Read(UaBinaryReader& reader) { return (reader.*ReadOne)(); }
    template <class T> static void Write(UaBinaryWriter& writer, const T& value) {
        (writer.*WriteOne)(value);
    }
    static constexpr qsizetype MinimumSize() { return Minimum; }
};

template <>
struct UaFieldCodec<bool> : UaBuiltInCodec<&UaBinaryReader::ReadBoolean,
                                           &UaBinaryWriter::WriteBoolean, UaMinimumSize::Boolean> {
};
template <>
struct UaFieldCodec<quint8>
    : UaBuiltInCodec<&UaBinaryReader::ReadByte, &UaBinaryWriter::WriteByte, 1> {};
// UInt32 and StatusCode share their encoding, as do Int64 and DateTime.
template <>
struct UaFieldCodec<quint32> : UaBuiltInCodec<&UaBinaryReader::ReadUInt32,
                                              &UaBinaryWriter::WriteUInt32, UaMinimumSize::UInt32> {
};
template <>
struct UaFieldCodec<qint64>
    : UaBuiltInCodec<&UaBinaryReader::ReadInt64, &UaBinaryWriter::WriteInt64, 8> {};
template <>
struct UaFieldCodec<double>
    : UaBuiltInCodec<&UaBinaryReader::ReadDouble, &UaBinaryWriter::WriteDouble, 8> {};
template <>
struct UaFieldCodec<QString> : UaBuiltInCodec<&UaBinaryReader::ReadString,
                                              &UaBinaryWriter::WriteString, UaMinimumSize::String> {
};
template <>
struct UaFieldCodec<QByteArray>
    : UaBuiltInCodec<&UaBinaryReader::ReadByteString, &UaBinaryWriter::WriteByteString,
                     UaMinimumSize::String> {};
template <>
struct UaFieldCodec<UaNodeId>
    : UaBuiltInCodec<&UaBinaryReader::ReadNodeId, &UaBinaryWriter::WriteNodeId,
                     UaMinimumSize::NodeId> {};
template <>
struct UaFieldCodec<UaExpandedNodeId>
    : UaBuiltInCodec<&UaBinaryReader::ReadExpandedNodeId, &UaBinaryWriter::WriteExpandedNodeId,
                     UaMinimumSize::NodeId> {};
template <>
struct UaFieldCodec<UaQualifiedName>
    : UaBuiltInCodec<&UaBinaryReader::ReadQualifiedName, &UaBinaryWriter::WriteQualifiedName,
                     UaMinimumSize::QualifiedName> {};
template <>
struct UaFieldCodec<UaLocalizedText>
    : UaBuiltInCodec<&UaBinaryReader::ReadLocalizedText, &UaBinaryWriter::WriteLocalizedText, 1> {};
template <>
struct UaFieldCodec<UaExtensionObject>
    : UaBuiltInCodec<&UaBinaryReader::ReadExtensionObject, &UaBinaryWriter::WriteExtensionObject,
                     UaMinimumSize::ExtensionObject> {};
template <>
struct UaFieldCodec<UaDataValue>
    : UaBuiltInCodec<&UaBinaryReader::ReadDataValue, &UaBinaryWriter::WriteDataValue,
                     UaMinimumSize::DataValue> {};
template <>
struct UaFieldCodec<UaDiagnosticInfo>
    : UaBuiltInCodec<&UaBinaryReader::ReadDiagnosticInfo, &UaBinaryWriter::WriteDiagnosticInfo,
                     UaMinimumSize::DiagnosticInfo> {};

// Enumerations travel as Int32; a value this side does not know is kept as it came.
template <class E>
requires std::is_enum_v<E>
struct UaFieldCodec<E> {
    static E Read(UaBinaryReader& reader) { return E(reader.ReadInt32()); }
    static void Write(UaBinaryWriter& writer, E value) { writer.WriteInt32(qint32(value)); }
};

// A structure nested in another goes through its own Encode and Decode; one that travels in
// arrays names its smallest encoding MinimumSize.
template <class T>
requires requires(UaBinaryReader& reader) {
    T::Decode(reader);
}
struct UaFieldCodec<T> {
    static T Read(UaBinaryReader& reader) { return T::Decode(reader); }
    static void Write(UaBinaryWriter& writer, const T& value) { value.Encode(writer); }
    static constexpr qsizetype MinimumSize() { return T::MinimumSize; }
};

// A received count goes through the reader's bounded length check before the vector is
// reserved, once.
template <class T> struct UaFieldCodec<std::vector<T>> {
    static std::vector<T> Read(UaBinaryReader& reader) {
        const qint32 count = reader.ReadArrayLength(UaFieldCodec<T>::MinimumSize());
        std::vector<T> items;
        items.reserve(size_t(count));
        for (qint32 i = 0; i < count; ++i)
            items.push_back(UaFieldCodec<T>::Read(reader));
        return items;
    }
    static void Write(UaBinaryWriter& writer, const std::vector<T>& items) {
        writer.WriteArray(items,
                          [&writer](const T& item) { UaFieldCodec<T>::Write(writer, item); });
    }
};

// A structure lists its fields once, in the order they travel, in
//     template <class Self, class Io> static void Fields(Self& self, Io&& io)
// which calls io with them; Encode and Decode walk that one list, so the two cannot disagree.
template <class Structure> void UaEncodeFields(UaBinaryWriter& writer, const Structure& structure) {
    Structure::Fields(structure, [&writer]<class... Field>(const Field&... fields) {
        (UaFieldCodec<Field>::Write(writer, fields), ...);
    });
}

template <class Structure> Structure UaDecodeFields(UaBinaryReader& reader) {
    Structure structure;
    Structure::Fields(structure, [&reader]<class... Field>(Field&... fields) {
        ((fields = UaFieldCodec<Field>::Read(reader)), ...);
    });
    return structure;
}

struct UaRequestHeader {
    UaNodeId AuthenticationToken;
    qint64 Timestamp = 0;
    quint32 RequestHandle = 0;
    quint32 ReturnDiagnostics = 0;
    QString AuditEntryId;
    quint32 TimeoutHint = 0;
    UaExtensionObject AdditionalHeader;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.AuthenticationToken, self.Timestamp, self.RequestHandle, self.ReturnDiagnostics,
           self.AuditEntryId, self.TimeoutHint, self.AdditionalHeader);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaRequestHeader Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaRequestHeader>(reader);
    }
};

struct UaResponseHeader {
    qint64 Timestamp = 0;
    quint32 RequestHandle = 0;
    quint32 ServiceResult = 0;
    UaDiagnosticInfo ServiceDiagnostics;
    std::vector<QString> StringTable;
    UaExtensionObject AdditionalHeader;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.Timestamp, self.RequestHandle, self.ServiceResult, self.ServiceDiagnostics,
           self.StringTable, self.AdditionalHeader);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaResponseHeader Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaResponseHeader>(reader);
    }
};

struct UaServiceFault {
    static constexpr quint32 BinaryEncodingId = 397;
    UaResponseHeader ResponseHeader;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ResponseHeader);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaServiceFault Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaServiceFault>(reader);
    }
};

// A server answered a request with a ServiceFault: the request failed as a whole.
class UaServiceFaultError : public Exception {
public:
    UaServiceFaultError(quint32 serviceResult, quint32 requestHandle);
    quint32 ServiceResult() const { return serviceResult_; }
    quint32 RequestHandle() const { return requestHandle_; }

private:
    quint32 serviceResult_;
    quint32 requestHandle_;
};

// Message bodies.
template <class Message> QByteArray EncodeBody(const Message& message) {
    UaBinaryWriter writer;
    writer.WriteExpandedNodeId(UaExpandedNodeId{UaNodeId::Numeric(0, Message::BinaryEncodingId)});
    message.Encode(writer);
    return writer.Take();
}

// The NodeId naming the body's encoding; one qualified by a namespace URI or a server index
// names nothing a client can receive and is refused.
UaNodeId ReadBodyTypeId(UaBinaryReader& reader);

// Reads the body's type id and checks it is the expected encoding. A ServiceFault raises
// UaServiceFaultError with its ServiceResult; any other type raises UaDecodeError.
void ExpectBodyType(UaBinaryReader& reader, quint32 binaryEncodingId);
// A body ends where its last field does; bytes after it mean the two sides disagree on the layout.
void ExpectBodyEnd(const UaBinaryReader& reader);

template <class Response> Response DecodeResponse(UaBinaryReader& reader) {
    ExpectBodyType(reader, Response::BinaryEncodingId);
    Response response = Response::Decode(reader);
    ExpectBodyEnd(reader);
    return response;
}

// Structures carried in an ExtensionObject (identity tokens, notifications, filters), binary
// encoded under their DefaultBinary encoding id.
template <class Body> UaExtensionObject ToExtensionObject(const Body& body) {
    UaBinaryWriter writer;
    body.Encode(writer);
    UaExtensionObject object;
    object.TypeId = UaNodeId::Numeric(0, Body::BinaryEncodingId);
    object.Encoding = UaExtensionObject::BinaryBody;
    object.Body = writer.Take();
    return object;
}

// Whether the object holds a binary body of that encoding id.
bool HoldsBinaryBody(const UaExtensionObject& object, quint32 binaryEncodingId);

// The body decoded, or UaDecodeError when the object holds another type.
template <class Body> Body FromExtensionObject(const UaExtensionObject& object) {
    if (!HoldsBinaryBody(object, Body::BinaryEncodingId))
        throw UaDecodeError(QStringLiteral("Extension object holds %1 where i=%2 was expected")
                                .arg(object.TypeId.ToString())
                                .arg(Body::BinaryEncodingId),
                            0);
    UaBinaryReader reader(object.Body);
    return Body::Decode(reader);
}
