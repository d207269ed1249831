// The secure channel's own services: OpenSecureChannel (issue or renew the security token)
// and CloseSecureChannel.
#pragma once

#include "opcua/UaServiceHeader.h"

enum class UaMessageSecurityMode : qint32 { Invalid = 0, None = 1, Sign = 2, SignAndEncrypt = 3 };

enum class UaSecurityTokenRequestType : qint32 { Issue = 0, Renew = 1 };

struct UaChannelSecurityToken {
    static constexpr quint32 BinaryEncodingId = 443;
    quint32 ChannelId = 0;
    quint32 TokenId = 0;
    qint64 CreatedAt = 0;
    quint32 RevisedLifetime = 0;

    void Encode(UaBinaryWriter& writer) const;
    static UaChannelSecurityToken Decode(UaBinaryReader& reader);
};

struct UaOpenSecureChannelRequest {
    static constexpr quint32 BinaryEncodingId = 446;
    UaRequestHeader RequestHeader;
    quint32 ClientProtocolVersion = 0;
    UaSecurityTokenRequestType RequestType = UaSecurityTokenRequestType::Issue;
    UaMessageSecurityMode SecurityMode = UaMessageSecurityMode::None;
    QByteArray ClientNonce;
    quint32 RequestedLifetime = 0;

    void Encode(UaBinaryWriter& writer) const;
    static UaOpenSecureChannelRequest Decode(UaBinaryReader& reader);
};

struct UaOpenSecureChannelResponse {
    static constexpr quint32 BinaryEncodingId = 449;
    UaResponseHeader ResponseHeader;
    quint32 ServerProtocolVersion = 0;
    UaChannelSecurityToken SecurityToken;
    QByteArray ServerNonce;

    void Encode(UaBinaryWriter& writer) const;
    static UaOpenSecureChannelResponse Decode(UaBinaryReader& reader);
};

struct UaCloseSecureChannelRequest {
    static constexpr quint32 BinaryEncodingId = 452;
    UaRequestHeader RequestHeader;

    void Encode(UaBinaryWriter& writer) const;
    static UaCloseSecureChannelRequest Decode(UaBinaryReader& reader);
};

struct UaCloseSecureChannelResponse {
    static constexpr quint32 BinaryEncodingId = 455;
    UaResponseHeader ResponseHeader;

    void Encode(UaBinaryWriter& writer) const;
    static UaCloseSecureChannelResponse Decode(UaBinaryReader& reader);
};
