#include "opcua/UaSecureChannelServices.h"

void UaChannelSecurityToken::Encode(UaBinaryWriter& writer) const {
    writer.WriteUInt32(ChannelId);
    writer.WriteUInt32(TokenId);
    writer.WriteDateTime(CreatedAt);
    writer.WriteUInt32(RevisedLifetime);
}

UaChannelSecurityToken UaChannelSecurityToken::Decode(UaBinaryReader& reader) {
    UaChannelSecurityToken token;
    token.ChannelId = reader.ReadUInt32();
    token.TokenId = reader.ReadUInt32();
    token.CreatedAt = reader.ReadDateTime();
    token.RevisedLifetime = reader.ReadUInt32();
    return token;
}

void UaOpenSecureChannelRequest::Encode(UaBinaryWriter& writer) const {
    RequestHeader.Encode(writer);
    writer.WriteUInt32(ClientProtocolVersion);
    UaWriteEnum(writer, RequestType);
    UaWriteEnum(writer, SecurityMode);
    writer.WriteByteString(ClientNonce);
    writer.WriteUInt32(RequestedLifetime);
}

UaOpenSecureChannelRequest UaOpenSecureChannelRequest::Decode(UaBinaryReader& reader) {
    UaOpenSecureChannelRequest request;
    request.RequestHeader = UaRequestHeader::Decode(reader);
    request.ClientProtocolVersion = reader.ReadUInt32();
    request.RequestType = UaReadEnum<UaSecurityTokenRequestType>(reader);
    request.SecurityMode = UaReadEnum<UaMessageSecurityMode>(reader);
    request.ClientNonce = reader.ReadByteString();
    request.RequestedLifetime = reader.ReadUInt32();
    return request;
}

void UaOpenSecureChannelResponse::Encode(UaBinaryWriter& writer) const {
    ResponseHeader.Encode(writer);
    writer.WriteUInt32(ServerProtocolVersion);
    SecurityToken.Encode(writer);
    writer.WriteByteString(ServerNonce);
}

UaOpenSecureChannelResponse UaOpenSecureChannelResponse::Decode(UaBinaryReader& reader) {
    UaOpenSecureChannelResponse response;
    response.ResponseHeader = UaResponseHeader::Decode(reader);
    response.ServerProtocolVersion = reader.ReadUInt32();
    response.SecurityToken = UaChannelSecurityToken::Decode(reader);
    response.ServerNonce = reader.ReadByteString();
    return response;
}

void UaCloseSecureChannelRequest::Encode(UaBinaryWriter& writer) const {
    RequestHeader.Encode(writer);
}

UaCloseSecureChannelRequest UaCloseSecureChannelRequest::Decode(UaBinaryReader& reader) {
    return {UaRequestHeader::Decode(reader)};
}

void UaCloseSecureChannelResponse::Encode(UaBinaryWriter& writer) const {
    ResponseHeader.Encode(writer);
}

UaCloseSecureChannelResponse UaCloseSecureChannelResponse::Decode(UaBinaryReader& reader) {
    return {UaResponseHeader::Decode(reader)};
}
