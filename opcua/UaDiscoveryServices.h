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

    void Encode(UaBinaryWriter& writer) const;
    static UaApplicationDescription Decode(UaBinaryReader& reader);
};

struct UaUserTokenPolicy {
    static constexpr quint32 BinaryEncodingId = 306;
    static constexpr qsizetype MinimumSize = 20;
    QString PolicyId;
    UaUserTokenType TokenType = UaUserTokenType::Anonymous;
    QString IssuedTokenType;
    QString IssuerEndpointUrl;
    QString SecurityPolicyUri;

    void Encode(UaBinaryWriter& writer) const;
    static UaUserTokenPolicy Decode(UaBinaryReader& reader);
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

    void Encode(UaBinaryWriter& writer) const;
    static UaEndpointDescription Decode(UaBinaryReader& reader);
};

struct UaGetEndpointsRequest {
    static constexpr quint32 BinaryEncodingId = 428;
    UaRequestHeader RequestHeader;
    QString EndpointUrl;
    std::vector<QString> LocaleIds;
    std::vector<QString> ProfileUris;

    void Encode(UaBinaryWriter& writer) const;
    static UaGetEndpointsRequest Decode(UaBinaryReader& reader);
};

struct UaGetEndpointsResponse {
    static constexpr quint32 BinaryEncodingId = 431;
    UaResponseHeader ResponseHeader;
    std::vector<UaEndpointDescription> Endpoints;

    void Encode(UaBinaryWriter& writer) const;
    static UaGetEndpointsResponse Decode(UaBinaryReader& reader);
};

struct UaFindServersRequest {
    static constexpr quint32 BinaryEncodingId = 422;
    UaRequestHeader RequestHeader;
    QString EndpointUrl;
    std::vector<QString> LocaleIds;
    std::vector<QString> ServerUris;

    void Encode(UaBinaryWriter& writer) const;
    static UaFindServersRequest Decode(UaBinaryReader& reader);
};

struct UaFindServersResponse {
    static constexpr quint32 BinaryEncodingId = 425;
    UaResponseHeader ResponseHeader;
    std::vector<UaApplicationDescription> Servers;

    void Encode(UaBinaryWriter& writer) const;
    static UaFindServersResponse Decode(UaBinaryReader& reader);
};

struct UaServerOnNetwork {
    static constexpr quint32 BinaryEncodingId = 12207;
    static constexpr qsizetype MinimumSize = 16;
    quint32 RecordId = 0;
    QString ServerName;
    QString DiscoveryUrl;
    std::vector<QString> ServerCapabilities;

    void Encode(UaBinaryWriter& writer) const;
    static UaServerOnNetwork Decode(UaBinaryReader& reader);
};

struct UaFindServersOnNetworkRequest {
    static constexpr quint32 BinaryEncodingId = 12208;
    UaRequestHeader RequestHeader;
    quint32 StartingRecordId = 0;
    quint32 MaxRecordsToReturn = 0;
    std::vector<QString> ServerCapabilityFilter;

    void Encode(UaBinaryWriter& writer) const;
    static UaFindServersOnNetworkRequest Decode(UaBinaryReader& reader);
};

struct UaFindServersOnNetworkResponse {
    static constexpr quint32 BinaryEncodingId = 12209;
    UaResponseHeader ResponseHeader;
    qint64 LastCounterResetTime = 0;
    std::vector<UaServerOnNetwork> Servers;

    void Encode(UaBinaryWriter& writer) const;
    static UaFindServersOnNetworkResponse Decode(UaBinaryReader& reader);
};
