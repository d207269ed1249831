#include "opcua/UaSessionServices.h"

void UaSignatureData::Encode(UaBinaryWriter& writer) const {
    writer.WriteString(Algorithm);
    writer.WriteByteString(Signature);
}

UaSignatureData UaSignatureData::Decode(UaBinaryReader& reader) {
    UaSignatureData signature;
    signature.Algorithm = reader.ReadString();
    signature.Signature = reader.ReadByteString();
    return signature;
}

void UaSignedSoftwareCertificate::Encode(UaBinaryWriter& writer) const {
    writer.WriteByteString(CertificateData);
    writer.WriteByteString(Signature);
}

UaSignedSoftwareCertificate UaSignedSoftwareCertificate::Decode(UaBinaryReader& reader) {
    UaSignedSoftwareCertificate certificate;
    certificate.CertificateData = reader.ReadByteString();
    certificate.Signature = reader.ReadByteString();
    return certificate;
}

void UaAnonymousIdentityToken::Encode(UaBinaryWriter& writer) const {
    writer.WriteString(PolicyId);
}

UaAnonymousIdentityToken UaAnonymousIdentityToken::Decode(UaBinaryReader& reader) {
    return {reader.ReadString()};
}

void UaUserNameIdentityToken::Encode(UaBinaryWriter& writer) const {
    writer.WriteString(PolicyId);
    writer.WriteString(UserName);
    writer.WriteByteString(Password);
    writer.WriteString(EncryptionAlgorithm);
}

UaUserNameIdentityToken UaUserNameIdentityToken::Decode(UaBinaryReader& reader) {
    UaUserNameIdentityToken token;
    token.PolicyId = reader.ReadString();
    token.UserName = reader.ReadString();
    token.Password = reader.ReadByteString();
    token.EncryptionAlgorithm = reader.ReadString();
    return token;
}

void UaCreateSessionRequest::Encode(UaBinaryWriter& writer) const {
    RequestHeader.Encode(writer);
    ClientDescription.Encode(writer);
    writer.WriteString(ServerUri);
    writer.WriteString(EndpointUrl);
    writer.WriteString(SessionName);
    writer.WriteByteString(ClientNonce);
    writer.WriteByteString(ClientCertificate);
    writer.WriteDouble(RequestedSessionTimeout);
    writer.WriteUInt32(MaxResponseMessageSize);
}

UaCreateSessionRequest UaCreateSessionRequest::Decode(UaBinaryReader& reader) {
    UaCreateSessionRequest request;
    request.RequestHeader = UaRequestHeader::Decode(reader);
    request.ClientDescription = UaApplicationDescription::Decode(reader);
    request.ServerUri = reader.ReadString();
    request.EndpointUrl = reader.ReadString();
    request.SessionName = reader.ReadString();
    request.ClientNonce = reader.ReadByteString();
    request.ClientCertificate = reader.ReadByteString();
    request.RequestedSessionTimeout = reader.ReadDouble();
    request.MaxResponseMessageSize = reader.ReadUInt32();
    return request;
}

void UaCreateSessionResponse::Encode(UaBinaryWriter& writer) const {
    ResponseHeader.Encode(writer);
    writer.WriteNodeId(SessionId);
    writer.WriteNodeId(AuthenticationToken);
    writer.WriteDouble(RevisedSessionTimeout);
    writer.WriteByteString(ServerNonce);
    writer.WriteByteString(ServerCertificate);
    UaWriteStructures(writer, ServerEndpoints);
    UaWriteStructures(writer, ServerSoftwareCertificates);
    ServerSignature.Encode(writer);
    writer.WriteUInt32(MaxRequestMessageSize);
}

UaCreateSessionResponse UaCreateSessionResponse::Decode(UaBinaryReader& reader) {
    UaCreateSessionResponse response;
    response.ResponseHeader = UaResponseHeader::Decode(reader);
    response.SessionId = reader.ReadNodeId();
    response.AuthenticationToken = reader.ReadNodeId();
    response.RevisedSessionTimeout = reader.ReadDouble();
    response.ServerNonce = reader.ReadByteString();
    response.ServerCertificate = reader.ReadByteString();
    response.ServerEndpoints = UaReadStructures<UaEndpointDescription>(reader);
    response.ServerSoftwareCertificates = UaReadStructures<UaSignedSoftwareCertificate>(reader);
    response.ServerSignature = UaSignatureData::Decode(reader);
    response.MaxRequestMessageSize = reader.ReadUInt32();
    return response;
}

void UaActivateSessionRequest::Encode(UaBinaryWriter& writer) const {
    RequestHeader.Encode(writer);
    ClientSignature.Encode(writer);
    UaWriteStructures(writer, ClientSoftwareCertificates);
    UaWriteStrings(writer, LocaleIds);
    writer.WriteExtensionObject(UserIdentityToken);
    UserTokenSignature.Encode(writer);
}

UaActivateSessionRequest UaActivateSessionRequest::Decode(UaBinaryReader& reader) {
    UaActivateSessionRequest request;
    request.RequestHeader = UaRequestHeader::Decode(reader);
    request.ClientSignature = UaSignatureData::Decode(reader);
    request.ClientSoftwareCertificates = UaReadStructures<UaSignedSoftwareCertificate>(reader);
    request.LocaleIds = UaReadStrings(reader);
    request.UserIdentityToken = reader.ReadExtensionObject();
    request.UserTokenSignature = UaSignatureData::Decode(reader);
    return request;
}

void UaActivateSessionResponse::Encode(UaBinaryWriter& writer) const {
    ResponseHeader.Encode(writer);
    writer.WriteByteString(ServerNonce);
    UaWriteUInt32s(writer, Results);
    UaWriteDiagnosticInfos(writer, DiagnosticInfos);
}

UaActivateSessionResponse UaActivateSessionResponse::Decode(UaBinaryReader& reader) {
    UaActivateSessionResponse response;
    response.ResponseHeader = UaResponseHeader::Decode(reader);
    response.ServerNonce = reader.ReadByteString();
    response.Results = UaReadUInt32s(reader);
    response.DiagnosticInfos = UaReadDiagnosticInfos(reader);
    return response;
}

void UaCloseSessionRequest::Encode(UaBinaryWriter& writer) const {
    RequestHeader.Encode(writer);
    writer.WriteBoolean(DeleteSubscriptions);
}

UaCloseSessionRequest UaCloseSessionRequest::Decode(UaBinaryReader& reader) {
    UaCloseSessionRequest request;
    request.RequestHeader = UaRequestHeader::Decode(reader);
    request.DeleteSubscriptions = reader.ReadBoolean();
    return request;
}

void UaCloseSessionResponse::Encode(UaBinaryWriter& writer) const {
    ResponseHeader.Encode(writer);
}

UaCloseSessionResponse UaCloseSessionResponse::Decode(UaBinaryReader& reader) {
    return {UaResponseHeader::Decode(reader)};
}
