#include "opcua/UaAttributeServices.h"

void UaReadValueId::Encode(UaBinaryWriter& writer) const {
    writer.WriteNodeId(NodeId);
    writer.WriteUInt32(AttributeId);
    writer.WriteString(IndexRange);
    writer.WriteQualifiedName(DataEncoding);
}

UaReadValueId UaReadValueId::Decode(UaBinaryReader& reader) {
    UaReadValueId id;
    id.NodeId = reader.ReadNodeId();
    id.AttributeId = reader.ReadUInt32();
    id.IndexRange = reader.ReadString();
    id.DataEncoding = reader.ReadQualifiedName();
    return id;
}

void UaReadRequest::Encode(UaBinaryWriter& writer) const {
    RequestHeader.Encode(writer);
    writer.WriteDouble(MaxAge);
    UaWriteEnum(writer, TimestampsToReturn);
    UaWriteStructures(writer, NodesToRead);
}

UaReadRequest UaReadRequest::Decode(UaBinaryReader& reader) {
    UaReadRequest request;
    request.RequestHeader = UaRequestHeader::Decode(reader);
    request.MaxAge = reader.ReadDouble();
    request.TimestampsToReturn = UaReadEnum<UaTimestampsToReturn>(reader);
    request.NodesToRead = UaReadStructures<UaReadValueId>(reader);
    return request;
}

void UaReadResponse::Encode(UaBinaryWriter& writer) const {
    ResponseHeader.Encode(writer);
    UaWriteDataValues(writer, Results);
    UaWriteDiagnosticInfos(writer, DiagnosticInfos);
}

UaReadResponse UaReadResponse::Decode(UaBinaryReader& reader) {
    UaReadResponse response;
    response.ResponseHeader = UaResponseHeader::Decode(reader);
    response.Results = UaReadDataValues(reader);
    response.DiagnosticInfos = UaReadDiagnosticInfos(reader);
    return response;
}

void UaWriteValue::Encode(UaBinaryWriter& writer) const {
    writer.WriteNodeId(NodeId);
    writer.WriteUInt32(AttributeId);
    writer.WriteString(IndexRange);
    writer.WriteDataValue(Value);
}

UaWriteValue UaWriteValue::Decode(UaBinaryReader& reader) {
    UaWriteValue value;
    value.NodeId = reader.ReadNodeId();
    value.AttributeId = reader.ReadUInt32();
    value.IndexRange = reader.ReadString();
    value.Value = reader.ReadDataValue();
    return value;
}

void UaWriteRequest::Encode(UaBinaryWriter& writer) const {
    RequestHeader.Encode(writer);
    UaWriteStructures(writer, NodesToWrite);
}

UaWriteRequest UaWriteRequest::Decode(UaBinaryReader& reader) {
    UaWriteRequest request;
    request.RequestHeader = UaRequestHeader::Decode(reader);
    request.NodesToWrite = UaReadStructures<UaWriteValue>(reader);
    return request;
}

void UaWriteResponse::Encode(UaBinaryWriter& writer) const {
    ResponseHeader.Encode(writer);
    UaWriteUInt32s(writer, Results);
    UaWriteDiagnosticInfos(writer, DiagnosticInfos);
}

UaWriteResponse UaWriteResponse::Decode(UaBinaryReader& reader) {
    UaWriteResponse response;
    response.ResponseHeader = UaResponseHeader::Decode(reader);
    response.Results = UaReadUInt32s(reader);
    response.DiagnosticInfos = UaReadDiagnosticInfos(reader);
    return response;
}
