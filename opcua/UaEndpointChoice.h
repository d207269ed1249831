// Which of a server's endpoints the client uses: the most secure one both sides support,
// unless the server name asks for a mode (and a policy) after a "#": "opc.tcp://host:4840#Sign",
// "My Server#SignAndEncrypt:Basic256Sha256", "...#None".
#pragma once

#include "opcua/UaDiscoveryServices.h"

#include <optional>

struct UaSecurityWish {
    std::optional<UaMessageSecurityMode> Mode;
    QString PolicyUri; // empty: any the client supports

    // The name without its wish, and the wish; nothing when what follows "#" names no mode or
    // no policy this client knows.
    static std::optional<std::pair<QString, UaSecurityWish>> Split(const QString& serverName);
};

// The endpoint to use, or nothing when none fits (the caller says why).
std::optional<UaEndpointDescription>
UaChooseEndpoint(const std::vector<UaEndpointDescription>& endpoints, const UaSecurityWish& wish);
