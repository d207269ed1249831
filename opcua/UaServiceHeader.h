// The headers every service request and response carries, the ServiceFault a server sends in
// place of any response, and the framing of a message body: its encoding's NodeId, then its fields.
#pragma once

#include "opcua/UaBinaryReader.h"
#include "opcua/UaBinaryWriter.h"
#include "opcua/UaBuiltInTypes.h"
#include "opcua/UaNodeId.h"
#include "opcua/UaVariant.h"
#include "platform/Exception.h"

#include <QByteArray>
#include <QString>
#include <functional>
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

struct UaRequestHeader {
    UaNodeId AuthenticationToken;
    qint64 Timestamp = 0;
    quint32 RequestHandle = 0;
    quint32 ReturnDiagnostics = 0;
    QString AuditEntryId;
    quint32 TimeoutHint = 0;
    UaExtensionObject AdditionalHeader;

    void Encode(UaBinaryWriter& writer) const;
    static UaRequestHeader Decode(UaBinaryReader& reader);
};

struct UaResponseHeader {
    qint64 Timestamp = 0;
    quint32 RequestHandle = 0;
    quint32 ServiceResult = 0;
    UaDiagnosticInfo ServiceDiagnostics;
    std::vector<QString> StringTable;
    UaExtensionObject AdditionalHeader;

    void Encode(UaBinaryWriter& writer) const;
    static UaResponseHeader Decode(UaBinaryReader& reader);
};

struct UaServiceFault {
    static constexpr quint32 BinaryEncodingId = 397;
    UaResponseHeader ResponseHeader;

    void Encode(UaBinaryWriter& writer) const;
    static UaServiceFault Decode(UaBinaryReader& reader);
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

// Arrays. A received count goes through the reader's bounded length check before the vector
// is reserved, once.
template <class T, class ReadOne>
std::vector<T> UaReadVector(UaBinaryReader& reader, qsizetype minimumElementSize,
                            ReadOne&& readOne) {
    const qint32 count = reader.ReadArrayLength(minimumElementSize);
    std::vector<T> items;
    items.reserve(size_t(count));
    for (qint32 i = 0; i < count; ++i)
        items.push_back(std::invoke(readOne, reader));
    return items;
}

template <class T, class WriteOne>
void UaWriteVector(UaBinaryWriter& writer, const std::vector<T>& items, WriteOne&& writeOne) {
    writer.WriteArray(items, [&](const T& item) { std::invoke(writeOne, writer, item); });
}

// Structures of this library name their smallest encoding MinimumSize.
template <class T> std::vector<T> UaReadStructures(UaBinaryReader& reader) {
    return UaReadVector<T>(reader, T::MinimumSize, &T::Decode);
}

template <class T> void UaWriteStructures(UaBinaryWriter& writer, const std::vector<T>& items) {
    UaWriteVector(writer, items, [](UaBinaryWriter& w, const T& item) { item.Encode(w); });
}

std::vector<QString> UaReadStrings(UaBinaryReader& reader);
void UaWriteStrings(UaBinaryWriter& writer, const std::vector<QString>& items);
// UInt32 and StatusCode arrays share their encoding.
std::vector<quint32> UaReadUInt32s(UaBinaryReader& reader);
void UaWriteUInt32s(UaBinaryWriter& writer, const std::vector<quint32>& items);
std::vector<UaDiagnosticInfo> UaReadDiagnosticInfos(UaBinaryReader& reader);
void UaWriteDiagnosticInfos(UaBinaryWriter& writer, const std::vector<UaDiagnosticInfo>& items);
std::vector<UaDataValue> UaReadDataValues(UaBinaryReader& reader);
void UaWriteDataValues(UaBinaryWriter& writer, const std::vector<UaDataValue>& values);

// Enumerations travel as Int32; a value this side does not know is kept as it came.
template <class E> E UaReadEnum(UaBinaryReader& reader) {
    return E(reader.ReadInt32());
}
template <class E> void UaWriteEnum(UaBinaryWriter& writer, E value) {
    writer.WriteInt32(qint32(value));
}

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
