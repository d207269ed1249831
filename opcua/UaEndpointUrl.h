// An endpoint address "opc.tcp://host:port/path", and the discovery endpoint a computer name
// stands for ("" and "Local" this computer, "host" or "host:port").
#pragma once

#include <QString>
#include <optional>

struct UaEndpointUrl {
    static constexpr quint16 DefaultPort = 4840;

    QString Host;
    quint16 Port = DefaultPort;
    QString Path; // with its leading "/", or empty

    QString ToString() const;
    bool operator==(const UaEndpointUrl&) const = default;

    // Nothing when the text is not an opc.tcp address with a usable host and port.
    static std::optional<UaEndpointUrl> Parse(const QString& text);
    // Nothing when the name is no host name, address or host:port.
    static std::optional<UaEndpointUrl> OfComputer(const QString& computer);
    // Whether the trimmed name means this computer.
    static bool IsLocalComputer(const QString& computer);
};
