#include "opcua/UaDiscoveryServices.h"

void UaApplicationDescription::Encode(UaBinaryWriter& writer) const {
    writer.WriteString(ApplicationUri);
    writer.WriteString(ProductUri);
    writer.WriteLocalizedText(ApplicationName);
    UaWriteEnum(writer, ApplicationType);
    writer.WriteString(GatewayServerUri);
    writer.WriteString(DiscoveryProfileUri);
    UaWriteStrings(writer, DiscoveryUrls);
}

UaApplicationDescription UaApplicationDescription::Decode(UaBinaryReader& reader) {
    UaApplicationDescription description;
    description.ApplicationUri = reader.ReadString();
    description.ProductUri = reader.ReadString();
    description.ApplicationName = reader.ReadLocalizedText();
    description.ApplicationType = UaReadEnum<UaApplicationType>(reader);
    description.GatewayServerUri = reader.ReadString();
    description.DiscoveryProfileUri = reader.ReadString();
    description.DiscoveryUrls = UaReadStrings(reader);
    return description;
}

void UaUserTokenPolicy::Encode(UaBinaryWriter& writer) const {
    writer.WriteString(PolicyId);
    UaWriteEnum(writer, TokenType);
    writer.WriteString(IssuedTokenType);
    writer.WriteString(IssuerEndpointUrl);
    writer.WriteString(SecurityPolicyUri);
}

UaUserTokenPolicy UaUserTokenPolicy::Decode(UaBinaryReader& reader) {
    UaUserTokenPolicy policy;
    policy.PolicyId = reader.ReadString();
    policy.TokenType = UaReadEnum<UaUserTokenType>(reader);
    policy.IssuedTokenType = reader.ReadString();
    policy.IssuerEndpointUrl = reader.ReadString();
    policy.SecurityPolicyUri = reader.ReadString();
    return policy;
}

void UaEndpointDescription::Encode(UaBinaryWriter& writer) const {
    writer.WriteString(EndpointUrl);
    Server.Encode(writer);
    writer.WriteByteString(ServerCertificate);
    UaWriteEnum(writer, SecurityMode);
    writer.WriteString(SecurityPolicyUri);
    UaWriteStructures(writer, UserIdentityTokens);
    writer.WriteString(TransportProfileUri);
    writer.WriteByte(SecurityLevel);
}

UaEndpointDescription UaEndpointDescription::Decode(UaBinaryReader& reader) {
    UaEndpointDescription endpoint;
    endpoint.EndpointUrl = reader.ReadString();
    endpoint.Server = UaApplicationDescription::Decode(reader);
    endpoint.ServerCertificate = reader.ReadByteString();
    endpoint.SecurityMode = UaReadEnum<UaMessageSecurityMode>(reader);
    endpoint.SecurityPolicyUri = reader.ReadString();
    endpoint.UserIdentityTokens = UaReadStructures<UaUserTokenPolicy>(reader);
    endpoint.TransportProfileUri = reader.ReadString();
    endpoint.SecurityLevel = reader.ReadByte();
    return endpoint;
}

void UaGetEndpointsRequest::Encode(UaBinaryWriter& writer) const {
    RequestHeader.Encode(writer);
    writer.WriteString(EndpointUrl);
    UaWriteStrings(writer, LocaleIds);
    UaWriteStrings(writer, ProfileUris);
}

UaGetEndpointsRequest UaGetEndpointsRequest::Decode(UaBinaryReader& reader) {
    UaGetEndpointsRequest request;
    request.RequestHeader = UaRequestHeader::Decode(reader);
    request.EndpointUrl = reader.ReadString();
    request.LocaleIds = UaReadStrings(reader);
    request.ProfileUris = UaReadStrings(reader);
    return request;
}

void UaGetEndpointsResponse::Encode(UaBinaryWriter& writer) const {
    ResponseHeader.Encode(writer);
    UaWriteStructures(writer, Endpoints);
}

UaGetEndpointsResponse UaGetEndpointsResponse::Decode(UaBinaryReader& reader) {
    UaGetEndpointsResponse response;
    response.ResponseHeader = UaResponseHeader::Decode(reader);
    response.Endpoints = UaReadStructures<UaEndpointDescription>(reader);
    return response;
}

void UaFindServersRequest::Encode(UaBinaryWriter& writer) const {
    RequestHeader.Encode(writer);
    writer.WriteString(EndpointUrl);
    UaWriteStrings(writer, LocaleIds);
    UaWriteStrings(writer, ServerUris);
}

UaFindServersRequest UaFindServersRequest::Decode(UaBinaryReader& reader) {
    UaFindServersRequest request;
    request.RequestHeader = UaRequestHeader::Decode(reader);
    request.EndpointUrl = reader.ReadString();
    request.LocaleIds = UaReadStrings(reader);
    request.ServerUris = UaReadStrings(reader);
    return request;
}

void UaFindServersResponse::Encode(UaBinaryWriter& writer) const {
    ResponseHeader.Encode(writer);
    UaWriteStructures(writer, Servers);
}

UaFindServersResponse UaFindServersResponse::Decode(UaBinaryReader& reader) {
    UaFindServersResponse response;
    response.ResponseHeader = UaResponseHeader::Decode(reader);
    response.Servers = UaReadStructures<UaApplicationDescription>(reader);
    return response;
}

void UaServerOnNetwork::Encode(UaBinaryWriter& writer) const {
    writer.WriteUInt32(RecordId);
    writer.WriteString(ServerName);
    writer.WriteString(DiscoveryUrl);
    UaWriteStrings(writer, ServerCapabilities);
}

UaServerOnNetwork UaServerOnNetwork::Decode(UaBinaryReader& reader) {
    UaServerOnNetwork server;
    server.RecordId = reader.ReadUInt32();
    server.ServerName = reader.ReadString();
    server.DiscoveryUrl = reader.ReadString();
    server.ServerCapabilities = UaReadStrings(reader);
    return server;
}

void UaFindServersOnNetworkRequest::Encode(UaBinaryWriter& writer) const {
    RequestHeader.Encode(writer);
    writer.WriteUInt32(StartingRecordId);
    writer.WriteUInt32(MaxRecordsToReturn);
    UaWriteStrings(writer, ServerCapabilityFilter);
}

UaFindServersOnNetworkRequest UaFindServersOnNetworkRequest::Decode(UaBinaryReader& reader) {
    UaFindServersOnNetworkRequest request;
    request.RequestHeader = UaRequestHeader::Decode(reader);
    request.StartingRecordId = reader.ReadUInt32();
    request.MaxRecordsToReturn = reader.ReadUInt32();
    request.ServerCapabilityFilter = UaReadStrings(reader);
    return request;
}

void UaFindServersOnNetworkResponse::Encode(UaBinaryWriter& writer) const {
    ResponseHeader.Encode(writer);
    writer.WriteDateTime(LastCounterResetTime);
    UaWriteStructures(writer, Servers);
}

UaFindServersOnNetworkResponse UaFindServersOnNetworkResponse::Decode(UaBinaryReader& reader) {
    UaFindServersOnNetworkResponse response;
    response.ResponseHeader = UaResponseHeader::Decode(reader);
    response.LastCounterResetTime = reader.ReadDateTime();
    response.Servers = UaReadStructures<UaServerOnNetwork>(reader);
    return response;
}
