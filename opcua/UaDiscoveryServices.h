// The discovery services: GetEndpoints, FindServers and FindServersOnNetwork, with the
// application, endpoint and user-token descriptions they return.
#pragma once

#include "opcua/UaSecureChannelServices.h"
#include "opcua/UaServiceHeader.h"

enum class UaApplicationType : qint32 {
    Server = 0,
    Client = 1,
    ClientAndServer = 2,
    DiscoveryServer = 3
};

enum class UaUserTokenType : qint32 {
    Anonymous = 0,
    UserName = 1,
    Certificate = 2,
    IssuedToken = 3
};

struct UaApplicationDescription {
    static constexpr quint32 BinaryEncodingId = 310;
    static constexpr qsizetype MinimumSize = 25;
    QString ApplicationUri;
    QString ProductUri;
    UaLocalizedText ApplicationName;
    UaApplicationType ApplicationType = UaApplicationType::Client;
    QString GatewayServerUri;
    QString DiscoveryProfileUri;
    std::vector<QString> DiscoveryUrls;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ApplicationUri, self.ProductUri, self.ApplicationName, self.ApplicationType,
           self.GatewayServerUri, self.DiscoveryProfileUri, self.DiscoveryUrls);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaApplicationDescription Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaApplicationDescription>(reader);
    }
};

struct UaUserTokenPolicy {
    static constexpr quint32 BinaryEncodingId = 306;
    static constexpr qsizetype MinimumSize = 20;
    QString PolicyId;
    UaUserTokenType TokenType = UaUserTokenType::Anonymous;
    QString IssuedTokenType;
    QString IssuerEndpointUrl;
    QString SecurityPolicyUri;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.PolicyId, self.TokenType, self.IssuedTokenType, self.IssuerEndpointUrl,
           self.SecurityPolicyUri);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaUserTokenPolicy Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaUserTokenPolicy>(reader);
    }
};

struct UaEndpointDescription {
    static constexpr quint32 BinaryEncodingId = 314;
    static constexpr qsizetype MinimumSize =
        4 + UaApplicationDescription::MinimumSize + 4 + 4 + 4 + 4 + 4 + 1;
    QString EndpointUrl;
    UaApplicationDescription Server;
    QByteArray ServerCertificate;
    UaMessageSecurityMode SecurityMode = UaMessageSecurityMode::None;
    QString SecurityPolicyUri;
    std::vector<UaUserTokenPolicy> UserIdentityTokens;
    QString TransportProfileUri;
    quint8 SecurityLevel = 0;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.EndpointUrl, self.Server, self.ServerCertificate, self.SecurityMode,
           self.SecurityPolicyUri, self.UserIdentityTokens, self.TransportProfileUri,
           self.SecurityLevel);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaEndpointDescription Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaEndpointDescription>(reader);
    }
};

struct UaGetEndpointsRequest {
    static constexpr quint32 BinaryEncodingId = 428;
    UaRequestHeader RequestHeader;
    QString EndpointUrl;
    std::vector<QString> LocaleIds;
    std::vector<QString> ProfileUris;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.RequestHeader, self.EndpointUrl, self.LocaleIds, self.ProfileUris);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaGetEndpointsRequest Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaGetEndpointsRequest>(reader);
    }
};

struct UaGetEndpointsResponse {
    static constexpr quint32 BinaryEncodingId = 431;
    UaResponseHeader ResponseHeader;
    std::vector<UaEndpointDescription> Endpoints;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ResponseHeader, self.Endpoints);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaGetEndpointsResponse Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaGetEndpointsResponse>(reader);
    }
};

struct UaFindServersRequest {
    static constexpr quint32 BinaryEncodingId = 422;
    UaRequestHeader RequestHeader;
    QString EndpointUrl;
    std::vector<QString> LocaleIds;
    std::vector<QString> ServerUris;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.RequestHeader, self.EndpointUrl, self.LocaleIds, self.ServerUris);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaFindServersRequest Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaFindServersRequest>(reader);
    }
};

struct UaFindServersResponse {
    static constexpr quint32 BinaryEncodingId = 425;
    UaResponseHeader ResponseHeader;
    std::vector<UaApplicationDescription> Servers;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ResponseHeader, self.Servers);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaFindServersResponse Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaFindServersResponse>(reader);
    }
};

struct UaServerOnNetwork {
    static constexpr quint32 BinaryEncodingId = 12207;
    static constexpr qsizetype MinimumSize = 16;
    quint32 RecordId = 0;
    QString ServerName;
    QString DiscoveryUrl;
    std::vector<QString> ServerCapabilities;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.RecordId, self.ServerName, self.DiscoveryUrl, self.ServerCapabilities);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaServerOnNetwork Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaServerOnNetwork>(reader);
    }
};

struct UaFindServersOnNetworkRequest {
    static constexpr quint32 BinaryEncodingId = 12208;
    UaRequestHeader RequestHeader;
    quint32 StartingRecordId = 0;
    quint32 MaxRecordsToReturn = 0;
    std::vector<QString> ServerCapabilityFilter;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.RequestHeader, self.StartingRecordId, self.MaxRecordsToReturn,
           self.ServerCapabilityFilter);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaFindServersOnNetworkRequest Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaFindServersOnNetworkRequest>(reader);
    }
};

struct UaFindServersOnNetworkResponse {
    static constexpr quint32 BinaryEncodingId = 12209;
    UaResponseHeader ResponseHeader;
    qint64 LastCounterResetTime = 0;
    std::vector<UaServerOnNetwork> Servers;

    template <class Self, class Io> static void Fields(Self& self, Io&& io) {
        io(self.ResponseHeader, self.LastCounterResetTime, self.Servers);
    }
    void Encode(UaBinaryWriter& writer) const { UaEncodeFields(writer, *this); }
    static UaFindServersOnNetworkResponse Decode(UaBinaryReader& reader) {
        return UaDecodeFields<UaFindServersOnNetworkResponse>(reader);
    }
};
