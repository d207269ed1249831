// What a failed OPC UA call answers: the status code (the server's, or one of the local ones
// below) and a text for the log and the items' messages.
#pragma once

#include <QString>

struct UaError {
    quint32 StatusCode = 0;
    QString Message;
};

// Local status codes the client gives to failures of its own making, as the protocol's.
namespace UaLocalStatus {
constexpr quint32 BadUnexpectedError = 0x80010000;
constexpr quint32 BadCommunicationError = 0x80050000;
constexpr quint32 BadDecodingError = 0x80070000;
constexpr quint32 BadTimeout = 0x800A0000;
constexpr quint32 BadSecurityPolicyRejected = 0x80550000;
constexpr quint32 BadNotConnected = 0x808A0000;
constexpr quint32 BadConnectionClosed = 0x80AE0000;
constexpr quint32 BadTcpEndpointUrlInvalid = 0x80830000;
constexpr quint32 BadServerNotConnected = 0x800D0000;
} // namespace UaLocalStatus
