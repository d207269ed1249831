#include "opcua/UaViewServices.h"

void UaViewDescription::Encode(UaBinaryWriter& writer) const {
    writer.WriteNodeId(ViewId);
    writer.WriteDateTime(Timestamp);
    writer.WriteUInt32(ViewVersion);
}

UaViewDescription UaViewDescription::Decode(UaBinaryReader& reader) {
    UaViewDescription view;
    view.ViewId = reader.ReadNodeId();
    view.Timestamp = reader.ReadDateTime();
    view.ViewVersion = reader.ReadUInt32();
    return view;
}

void UaBrowseDescription::Encode(UaBinaryWriter& writer) const {
    writer.WriteNodeId(NodeId);
    UaWriteEnum(writer, BrowseDirection);
    writer.WriteNodeId(ReferenceTypeId);
    writer.WriteBoolean(IncludeSubtypes);
    writer.WriteUInt32(NodeClassMask);
    writer.WriteUInt32(ResultMask);
}

UaBrowseDescription UaBrowseDescription::Decode(UaBinaryReader& reader) {
    UaBrowseDescription description;
    description.NodeId = reader.ReadNodeId();
    description.BrowseDirection = UaReadEnum<UaBrowseDirection>(reader);
    description.ReferenceTypeId = reader.ReadNodeId();
    description.IncludeSubtypes = reader.ReadBoolean();
    description.NodeClassMask = reader.ReadUInt32();
    description.ResultMask = reader.ReadUInt32();
    return description;
}

void UaReferenceDescription::Encode(UaBinaryWriter& writer) const {
    writer.WriteNodeId(ReferenceTypeId);
    writer.WriteBoolean(IsForward);
    writer.WriteExpandedNodeId(NodeId);
    writer.WriteQualifiedName(BrowseName);
    writer.WriteLocalizedText(DisplayName);
    UaWriteEnum(writer, NodeClass);
    writer.WriteExpandedNodeId(TypeDefinition);
}

UaReferenceDescription UaReferenceDescription::Decode(UaBinaryReader& reader) {
    UaReferenceDescription reference;
    reference.ReferenceTypeId = reader.ReadNodeId();
    reference.IsForward = reader.ReadBoolean();
    reference.NodeId = reader.ReadExpandedNodeId();
    reference.BrowseName = reader.ReadQualifiedName();
    reference.DisplayName = reader.ReadLocalizedText();
    reference.NodeClass = UaReadEnum<UaNodeClass>(reader);
    reference.TypeDefinition = reader.ReadExpandedNodeId();
    return reference;
}

void UaBrowseResult::Encode(UaBinaryWriter& writer) const {
    writer.WriteStatusCode(StatusCode);
    writer.WriteByteString(ContinuationPoint);
    UaWriteStructures(writer, References);
}

UaBrowseResult UaBrowseResult::Decode(UaBinaryReader& reader) {
    UaBrowseResult result;
    result.StatusCode = reader.ReadStatusCode();
    result.ContinuationPoint = reader.ReadByteString();
    result.References = UaReadStructures<UaReferenceDescription>(reader);
    return result;
}

void UaBrowseRequest::Encode(UaBinaryWriter& writer) const {
    RequestHeader.Encode(writer);
    View.Encode(writer);
    writer.WriteUInt32(RequestedMaxReferencesPerNode);
    UaWriteStructures(writer, NodesToBrowse);
}

UaBrowseRequest UaBrowseRequest::Decode(UaBinaryReader& reader) {
    UaBrowseRequest request;
    request.RequestHeader = UaRequestHeader::Decode(reader);
    request.View = UaViewDescription::Decode(reader);
    request.RequestedMaxReferencesPerNode = reader.ReadUInt32();
    request.NodesToBrowse = UaReadStructures<UaBrowseDescription>(reader);
    return request;
}

void UaBrowseResponse::Encode(UaBinaryWriter& writer) const {
    ResponseHeader.Encode(writer);
    UaWriteStructures(writer, Results);
    UaWriteDiagnosticInfos(writer, DiagnosticInfos);
}

UaBrowseResponse UaBrowseResponse::Decode(UaBinaryReader& reader) {
    UaBrowseResponse response;
    response.ResponseHeader = UaResponseHeader::Decode(reader);
    response.Results = UaReadStructures<UaBrowseResult>(reader);
    response.DiagnosticInfos = UaReadDiagnosticInfos(reader);
    return response;
}

void UaBrowseNextRequest::Encode(UaBinaryWriter& writer) const {
    RequestHeader.Encode(writer);
    writer.WriteBoolean(ReleaseContinuationPoints);
    UaWriteVector(writer, ContinuationPoints, &UaBinaryWriter::WriteByteString);
}

UaBrowseNextRequest UaBrowseNextRequest::Decode(UaBinaryReader& reader) {
    UaBrowseNextRequest request;
    request.RequestHeader = UaRequestHeader::Decode(reader);
    request.ReleaseContinuationPoints = reader.ReadBoolean();
    request.ContinuationPoints =
        UaReadVector<QByteArray>(reader, UaMinimumSize::String, &UaBinaryReader::ReadByteString);
    return request;
}

void UaBrowseNextResponse::Encode(UaBinaryWriter& writer) const {
    ResponseHeader.Encode(writer);
    UaWriteStructures(writer, Results);
    UaWriteDiagnosticInfos(writer, DiagnosticInfos);
}

UaBrowseNextResponse UaBrowseNextResponse::Decode(UaBinaryReader& reader) {
    UaBrowseNextResponse response;
    response.ResponseHeader = UaResponseHeader::Decode(reader);
    response.Results = UaReadStructures<UaBrowseResult>(reader);
    response.DiagnosticInfos = UaReadDiagnosticInfos(reader);
    return response;
}
