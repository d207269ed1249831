// The session services: CreateSession, ActivateSession with the anonymous and user-name
// identity tokens it carries, and CloseSession.
#pragma once

#include "opcua/UaDiscoveryServices.h"
#include "opcua/UaServiceHeader.h"

struct UaSignatureData {
    static constexpr quint32 BinaryEncodingId = 458;
    QString Algorithm;
    QByteArray Signature;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.Algorithm, self.Signature);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaSignatureData Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaSignatureData>(reader);
    }
};

struct UaSignedSoftwareCertificate {
    static constexpr quint32 BinaryEncodingId = 346;
    static constexpr qsizetype MinimumSize = 8;
    QByteArray CertificateData;
    QByteArray Signature;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.CertificateData, self.Signature);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaSignedSoftwareCertificate Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaSignedSoftwareCertificate>(reader);
    }
};

// Identity tokens travel as ExtensionObject bodies (ToExtensionObject, FromExtensionObject).
struct UaAnonymousIdentityToken {
    static constexpr quint32 BinaryEncodingId = 321;
    QString PolicyId;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) { io(self.PolicyId); }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaAnonymousIdentityToken Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaAnonymousIdentityToken>(reader);
    }
};

struct UaUserNameIdentityToken {
    static constexpr quint32 BinaryEncodingId = 324;
    QString PolicyId;
    QString UserName;
    QByteArray Password;
    QString EncryptionAlgorithm;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.PolicyId, self.UserName, self.Password, self.EncryptionAlgorithm);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaUserNameIdentityToken Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaUserNameIdentityToken>(reader);
    }
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

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.RequestHeader, self.ClientDescription, self.ServerUri, self.EndpointUrl,
           self.SessionName, self.ClientNonce, self.ClientCertificate, self.RequestedSessionTimeout,
           self.MaxResponseMessageSize);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaCreateSessionRequest Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaCreateSessionRequest>(reader);
    }
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

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ResponseHeader, self.SessionId, self.AuthenticationToken,
           self.RevisedSessionTimeout, self.ServerNonce, self.ServerCertificate,
           self.ServerEndpoints, self.ServerSoftwareCertificates, self.ServerSignature,
           self.MaxRequestMessageSize);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaCreateSessionResponse Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaCreateSessionResponse>(reader);
    }
};

struct UaActivateSessionRequest {
    static constexpr quint32 BinaryEncodingId = 467;
    UaRequestHeader RequestHeader;
    UaSignatureData ClientSignature;
    std::vector<UaSignedSoftwareCertificate> ClientSoftwareCertificates;
    std::vector<QString> LocaleIds;
    UaExtensionObject UserIdentityToken;
    UaSignatureData UserTokenSignature;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.RequestHeader, self.ClientSignature, self.ClientSoftwareCertificates,
           self.LocaleIds, self.UserIdentityToken, self.UserTokenSignature);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaActivateSessionRequest Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaActivateSessionRequest>(reader);
    }
};

struct UaActivateSessionResponse {
    static constexpr quint32 BinaryEncodingId = 470;
    UaResponseHeader ResponseHeader;
    QByteArray ServerNonce;
    std::vector<quint32> Results;
    std::vector<UaDiagnosticInfo> DiagnosticInfos;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ResponseHeader, self.ServerNonce, self.Results, self.DiagnosticInfos);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaActivateSessionResponse Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaActivateSessionResponse>(reader);
    }
};

struct UaCloseSessionRequest {
    static constexpr quint32 BinaryEncodingId = 473;
    UaRequestHeader RequestHeader;
    bool DeleteSubscriptions = true;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.RequestHeader, self.DeleteSubscriptions);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaCloseSessionRequest Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaCloseSessionRequest>(reader);
    }
};

struct UaCloseSessionResponse {
    static constexpr quint32 BinaryEncodingId = 476;
    UaResponseHeader ResponseHeader;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ResponseHeader);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaCloseSessionResponse Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaCloseSessionResponse>(reader);
    }
};
