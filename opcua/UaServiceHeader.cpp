#include "opcua/UaServiceHeader.h"

#include "opcua/UaStatusCodes.h"

void UaRequestHeader::Encode(UaBinaryWriter& writer) const {
    writer.WriteNodeId(AuthenticationToken);
    writer.WriteDateTime(Timestamp);
    writer.WriteUInt32(RequestHandle);
    writer.WriteUInt32(ReturnDiagnostics);
    writer.WriteString(AuditEntryId);
    writer.WriteUInt32(TimeoutHint);
    writer.WriteExtensionObject(AdditionalHeader);
}

UaRequestHeader UaRequestHeader::Decode(UaBinaryReader& reader) {
    UaRequestHeader header;
    header.AuthenticationToken = reader.ReadNodeId();
    header.Timestamp = reader.ReadDateTime();
    header.RequestHandle = reader.ReadUInt32();
    header.ReturnDiagnostics = reader.ReadUInt32();
    header.AuditEntryId = reader.ReadString();
    header.TimeoutHint = reader.ReadUInt32();
    header.AdditionalHeader = reader.ReadExtensionObject();
    return header;
}

void UaResponseHeader::Encode(UaBinaryWriter& writer) const {
    writer.WriteDateTime(Timestamp);
    writer.WriteUInt32(RequestHandle);
    writer.WriteStatusCode(ServiceResult);
    writer.WriteDiagnosticInfo(ServiceDiagnostics);
    UaWriteStrings(writer, StringTable);
    writer.WriteExtensionObject(AdditionalHeader);
}

UaResponseHeader UaResponseHeader::Decode(UaBinaryReader& reader) {
    UaResponseHeader header;
    header.Timestamp = reader.ReadDateTime();
    header.RequestHandle = reader.ReadUInt32();
    header.ServiceResult = reader.ReadStatusCode();
    header.ServiceDiagnostics = reader.ReadDiagnosticInfo();
    header.StringTable = UaReadStrings(reader);
    header.AdditionalHeader = reader.ReadExtensionObject();
    return header;
}

void UaServiceFault::Encode(UaBinaryWriter& writer) const {
    ResponseHeader.Encode(writer);
}

UaServiceFault UaServiceFault::Decode(UaBinaryReader& reader) {
    return {UaResponseHeader::Decode(reader)};
}

UaServiceFaultError::UaServiceFaultError(quint32 serviceResult, quint32 requestHandle)
    : Exception(QStringLiteral("The server refused the request: %1.")
                    .arg(UaStatusCodes::Name(serviceResult))),
      serviceResult_(serviceResult), requestHandle_(requestHandle) {}

std::vector<QString> UaReadStrings(UaBinaryReader& reader) {
    return UaReadVector<QString>(reader, UaMinimumSize::String, &UaBinaryReader::ReadString);
}

void UaWriteStrings(UaBinaryWriter& writer, const std::vector<QString>& items) {
    UaWriteVector(writer, items, &UaBinaryWriter::WriteString);
}

std::vector<quint32> UaReadUInt32s(UaBinaryReader& reader) {
    return UaReadVector<quint32>(reader, UaMinimumSize::UInt32, &UaBinaryReader::ReadUInt32);
}

void UaWriteUInt32s(UaBinaryWriter& writer, const std::vector<quint32>& items) {
    UaWriteVector(writer, items, &UaBinaryWriter::WriteUInt32);
}

std::vector<UaDiagnosticInfo> UaReadDiagnosticInfos(UaBinaryReader& reader) {
    return UaReadVector<UaDiagnosticInfo>(reader, UaMinimumSize::DiagnosticInfo,
                                          &UaBinaryReader::ReadDiagnosticInfo);
}

void UaWriteDiagnosticInfos(UaBinaryWriter& writer, const std::vector<UaDiagnosticInfo>& items) {
    UaWriteVector(writer, items, &UaBinaryWriter::WriteDiagnosticInfo);
}

std::vector<UaDataValue> UaReadDataValues(UaBinaryReader& reader) {
    return UaReadVector<UaDataValue>(reader, UaMinimumSize::DataValue,
                                     &UaBinaryReader::ReadDataValue);
}

void UaWriteDataValues(UaBinaryWriter& writer, const std::vector<UaDataValue>& values) {
    UaWriteVector(writer, values, &UaBinaryWriter::WriteDataValue);
}

UaNodeId ReadBodyTypeId(UaBinaryReader& reader) {
    const qsizetype at = reader.Position();
    UaExpandedNodeId id = reader.ReadExpandedNodeId();
    if (!id.NamespaceUri.isEmpty() || id.ServerIndex != 0)
        throw UaDecodeError(QStringLiteral("Message body type id is not a local NodeId"), at);
    return id.NodeId;
}

void ExpectBodyType(UaBinaryReader& reader, quint32 binaryEncodingId) {
    const qsizetype at = reader.Position();
    const UaNodeId typeId = ReadBodyTypeId(reader);
    if (typeId == UaNodeId::Numeric(0, binaryEncodingId)) return;
    if (typeId == UaNodeId::Numeric(0, UaServiceFault::BinaryEncodingId)) {
        const UaServiceFault fault = UaServiceFault::Decode(reader);
        throw UaServiceFaultError(fault.ResponseHeader.ServiceResult,
                                  fault.ResponseHeader.RequestHandle);
    }
    throw UaDecodeError(QStringLiteral("Message body is a %1 where i=%2 was expected")
                            .arg(typeId.ToString())
                            .arg(binaryEncodingId),
                        at);
}

void ExpectBodyEnd(const UaBinaryReader& reader) {
    if (!reader.AtEnd())
        throw UaDecodeError(
            QStringLiteral("%1 bytes follow the message body").arg(reader.Remaining()),
            reader.Position());
}

bool HoldsBinaryBody(const UaExtensionObject& object, quint32 binaryEncodingId) {
    return object.Encoding == UaExtensionObject::BinaryBody &&
           object.TypeId == UaNodeId::Numeric(0, binaryEncodingId);
}
