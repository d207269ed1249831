// The identifier of a node in a server's address space, and its expanded form that may name the
// namespace by URI and the server by index. Value types, written and parsed as "ns=2;s=Name".
#pragma once

#include <QByteArray>
#include <QHashFunctions>
#include <QMetaType>
#include <QString>
#include <QUuid>
#include <optional>
#include <variant>

enum class UaIdentifierType : quint8 { Numeric, String, Guid, Opaque };

class UaNodeId {
public:
    UaNodeId() = default; // the null node id: namespace 0, numeric 0

    static UaNodeId Numeric(quint16 namespaceIndex, quint32 id);
    static UaNodeId String(quint16 namespaceIndex, const QString& id);
    static UaNodeId Guid(quint16 namespaceIndex, const QUuid& id);
    static UaNodeId Opaque(quint16 namespaceIndex, const QByteArray& id);

    quint16 NamespaceIndex() const { return namespaceIndex_; }
    UaIdentifierType IdentifierType() const { return UaIdentifierType(identifier_.index()); }
    // Each gives its type's default when the identifier is of another type.
    quint32 NumericId() const;
    QString StringId() const;
    QUuid GuidId() const;
    QByteArray OpaqueId() const;

    // Namespace 0 with the default identifier of its type (0, empty text, zero Guid, no bytes).
    bool IsNull() const;

    // "i=2258", "ns=2;s=Device.Sine", "ns=1;g=<lower-case Guid>", "ns=1;b=<base64>"; the
    // namespace clause is left out for namespace 0.
    QString ToString() const;
    // ToString without the namespace clause.
    QString IdentifierToString() const;
    // Reads the forms ToString writes, with or without "ns=0;"; nothing on any malformed text
    // (an unknown type letter, a number out of range, a bad Guid or base64).
    static std::optional<UaNodeId> Parse(const QString& text);
    static std::optional<UaNodeId> ParseIdentifier(quint16 namespaceIndex, QStringView text);

    friend bool operator==(const UaNodeId&, const UaNodeId&) = default;

private:
    using Identifier = std::variant<quint32, QString, QUuid, QByteArray>;
    UaNodeId(quint16 namespaceIndex, Identifier identifier);

    quint16 namespaceIndex_ = 0;
    Identifier identifier_;
};

size_t qHash(const UaNodeId& id, size_t seed = 0);

// A node id that may carry its namespace as a URI (which then stands instead of the index) and
// the index of the server that holds it (0 for the local one).
struct UaExpandedNodeId {
    UaNodeId NodeId{};
    QString NamespaceUri{};
    quint32 ServerIndex = 0;

    // "svr=<n>;" when the server index is not 0, then "nsu=<uri>;" with ';' and '%'
    // percent-encoded when a URI is set, then the node id.
    QString ToString() const;
    static std::optional<UaExpandedNodeId> Parse(const QString& text);

    friend bool operator==(const UaExpandedNodeId&, const UaExpandedNodeId&) = default;
};

size_t qHash(const UaExpandedNodeId& id, size_t seed = 0);

Q_DECLARE_METATYPE(UaNodeId)
Q_DECLARE_METATYPE(UaExpandedNodeId)
