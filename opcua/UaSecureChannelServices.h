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

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ChannelId, self.TokenId, self.CreatedAt, self.RevisedLifetime);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaChannelSecurityToken Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaChannelSecurityToken>(reader);
    }
};

struct UaOpenSecureChannelRequest {
    static constexpr quint32 BinaryEncodingId = 446;
    UaRequestHeader RequestHeader;
    quint32 ClientProtocolVersion = 0;
    UaSecurityTokenRequestType RequestType = UaSecurityTokenRequestType::Issue;
    UaMessageSecurityMode SecurityMode = UaMessageSecurityMode::None;
    QByteArray ClientNonce;
    quint32 RequestedLifetime = 0;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.RequestHeader, self.ClientProtocolVersion, self.RequestType, self.SecurityMode,
           self.ClientNonce, self.RequestedLifetime);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaOpenSecureChannelRequest Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaOpenSecureChannelRequest>(reader);
    }
};

struct UaOpenSecureChannelResponse {
    static constexpr quint32 BinaryEncodingId = 449;
    UaResponseHeader ResponseHeader;
    quint32 ServerProtocolVersion = 0;
    UaChannelSecurityToken SecurityToken;
    QByteArray ServerNonce;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ResponseHeader, self.ServerProtocolVersion, self.SecurityToken, self.ServerNonce);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaOpenSecureChannelResponse Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaOpenSecureChannelResponse>(reader);
    }
};

struct UaCloseSecureChannelRequest {
    static constexpr quint32 BinaryEncodingId = 452;
    UaRequestHeader RequestHeader;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.RequestHeader);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaCloseSecureChannelRequest Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaCloseSecureChannelRequest>(reader);
    }
};

struct UaCloseSecureChannelResponse {
    static constexpr quint32 BinaryEncodingId = 455;
    UaResponseHeader ResponseHeader;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ResponseHeader);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaCloseSecureChannelResponse Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaCloseSecureChannelResponse>(reader);
    }
};
