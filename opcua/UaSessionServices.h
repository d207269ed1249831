// The session services: CreateSession, ActivateSession with the anonymous and user-name
// identity tokens it carries, and CloseSession.
#pragma once

#include "opcua/UaDiscoveryServices.h"
#include "opcua/UaServiceHeader.h"

struct UaSignatureData {
    static constexpr quint32 BinaryEncodingId = 458;
    QString Algorithm;
    QByteArray Signature;

    void Encode(UaBinaryWriter& writer) const;
    static UaSignatureData Decode(UaBinaryReader& reader);
};

struct UaSignedSoftwareCertificate {
    static constexpr quint32 BinaryEncodingId = 346;
    static constexpr qsizetype MinimumSize = 8;
    QByteArray CertificateData;
    QByteArray Signature;

    void Encode(UaBinaryWriter& writer) const;
    static UaSignedSoftwareCertificate Decode(UaBinaryReader& reader);
};

// Identity tokens travel as ExtensionObject bodies (ToExtensionObject, FromExtensionObject).
struct UaAnonymousIdentityToken {
    static constexpr quint32 BinaryEncodingId = 321;
    QString PolicyId;

    void Encode(UaBinaryWriter& writer) const;
    static UaAnonymousIdentityToken Decode(UaBinaryReader& reader);
};

struct UaUserNameIdentityToken {
    static constexpr quint32 BinaryEncodingId = 324;
    QString PolicyId;
    QString UserName;
    QByteArray Password;
    QString EncryptionAlgorithm;

    void Encode(UaBinaryWriter& writer) const;
    static UaUserNameIdentityToken Decode(UaBinaryReader& reader);
};

struct UaCreateSessionRequest {
    static constexpr quint32 BinaryEncodingId = 461;
    UaRequestHeader RequestHeader;
    UaApplicationDescription ClientDescription;
    QString ServerUri;
    QString EndpointUrl;
    QString SessionName;
    QByteArray ClientNonce;
    QByteArray ClientCertificate;
    double RequestedSessionTimeout = 0;
    quint32 MaxResponseMessageSize = 0;

    void Encode(UaBinaryWriter& writer) const;
    static UaCreateSessionRequest Decode(UaBinaryReader& reader);
};

struct UaCreateSessionResponse {
    static constexpr quint32 BinaryEncodingId = 464;
    UaResponseHeader ResponseHeader;
    UaNodeId SessionId;
    UaNodeId AuthenticationToken;
    double RevisedSessionTimeout = 0;
    QByteArray ServerNonce;
    QByteArray ServerCertificate;
    std::vector<UaEndpointDescription> ServerEndpoints;
    std::vector<UaSignedSoftwareCertificate> ServerSoftwareCertificates;
    UaSignatureData ServerSignature;
    quint32 MaxRequestMessageSize = 0;

    void Encode(UaBinaryWriter& writer) const;
    static UaCreateSessionResponse Decode(UaBinaryReader& reader);
};

struct UaActivateSessionRequest {
    static constexpr quint32 BinaryEncodingId = 467;
    UaRequestHeader RequestHeader;
    UaSignatureData ClientSignature;
    std::vector<UaSignedSoftwareCertificate> ClientSoftwareCertificates;
    std::vector<QString> LocaleIds;
    UaExtensionObject UserIdentityToken;
    UaSignatureData UserTokenSignature;

    void Encode(UaBinaryWriter& writer) const;
    static UaActivateSessionRequest Decode(UaBinaryReader& reader);
};

struct UaActivateSessionResponse {
    static constexpr quint32 BinaryEncodingId = 470;
    UaResponseHeader ResponseHeader;
    QByteArray ServerNonce;
    std::vector<quint32> Results;
    std::vector<UaDiagnosticInfo> DiagnosticInfos;

    void Encode(UaBinaryWriter& writer) const;
    static UaActivateSessionResponse Decode(UaBinaryReader& reader);
};

struct UaCloseSessionRequest {
    static constexpr quint32 BinaryEncodingId = 473;
    UaRequestHeader RequestHeader;
    bool DeleteSubscriptions = true;

    void Encode(UaBinaryWriter& writer) const;
    static UaCloseSessionRequest Decode(UaBinaryReader& reader);
};

struct UaCloseSessionResponse {
    static constexpr quint32 BinaryEncodingId = 476;
    UaResponseHeader ResponseHeader;

    void Encode(UaBinaryWriter& writer) const;
    static UaCloseSessionResponse Decode(UaBinaryReader& reader);
};
