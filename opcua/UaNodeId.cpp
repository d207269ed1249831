#include "opcua/UaNodeId.h"

#include <limits>

namespace {

// Decimal digits only: no sign, no blanks, nothing past the given maximum.
std::optional<quint32> ParseDecimal(QStringView text, quint32 maximum) {
    if (text.isEmpty()) return std::nullopt;
    quint64 value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > maximum) return std::nullopt;
    }
    return quint32(value);
}

bool IsHexDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// QUuid reads more forms than the text form of a node id allows (braces, and a null result
// for both garbage and the zero Guid), so the shape is checked first.
std::optional<QUuid> ParseGuid(QStringView text) {
    if (text.size() != 36) return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? text[i] != u'-' : !IsHexDigit(text[i])) return std::nullopt;
    }
    return QUuid::fromString(text);
}

std::optional<QByteArray> ParseBase64(QStringView text) {
    const auto decoded =
        QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) return std::nullopt;
    return *decoded;
}

// "<key>=<value>;" at the start of the text: the value, with the text moved past the ';'.
std::optional<QStringView> TakeClause(QStringView& text, QStringView key) {
    if (!text.startsWith(key) || text.size() <= key.size() || text[key.size()] != u'=')
        return std::nullopt;
    const qsizetype end = text.indexOf(u';', key.size() + 1);
    if (end < 0) return std::nullopt;
    const QStringView value = text.sliced(key.size() + 1, end - key.size() - 1);
    text = text.sliced(end + 1);
    return value;
}

QString EscapeUri(const QString& uri) {
    QString escaped = uri;
    return escaped.replace(u'%', QStringLiteral("%25")).replace(u';', QStringLiteral("%3B"));
}

std::optional<QString> UnescapeUri(QStringView text) {
    for (qsizetype i = text.indexOf(u'%'); i >= 0; i = text.indexOf(u'%', i + 1)) {
        if (i + 2 >= text.size() || !IsHexDigit(text[i + 1]) || !IsHexDigit(text[i + 2]))
            return std::nullopt;
    }
    return QString::fromUtf8(QByteArray::fromPercentEncoding(text.toUtf8()));
}

} // namespace

UaNodeId::UaNodeId(quint16 namespaceIndex, Identifier identifier)
    : namespaceIndex_(namespaceIndex), identifier_(std::move(identifier)) {}

UaNodeId UaNodeId::Numeric(quint16 namespaceIndex, quint32 id) {
    return UaNodeId(namespaceIndex, id);
}

UaNodeId UaNodeId::String(quint16 namespaceIndex, const QString& id) {
    return UaNodeId(namespaceIndex, id);
}

UaNodeId UaNodeId::Guid(quint16 namespaceIndex, const QUuid& id) {
    return UaNodeId(namespaceIndex, id);
}

UaNodeId UaNodeId::Opaque(quint16 namespaceIndex, const QByteArray& id) {
    return UaNodeId(namespaceIndex, id);
}

quint32 UaNodeId::NumericId() const {
    const quint32* id = std::get_if<quint32>(&identifier_);
    return id ? *id : 0;
}

QString UaNodeId::StringId() const {
    const QString* id = std::get_if<QString>(&identifier_);
    return id ? *id : QString();
}

QUuid UaNodeId::GuidId() const {
    const QUuid* id = std::get_if<QUuid>(&identifier_);
    return id ? *id : QUuid();
}

QByteArray UaNodeId::OpaqueId() const {
    const QByteArray* id = std::get_if<QByteArray>(&identifier_);
    return id ? *id : QByteArray();
}

bool UaNodeId::IsNull() const {
    if (namespaceIndex_ != 0) return false;
    switch (IdentifierType()) {
    case UaIdentifierType::Numeric:
        return NumericId() == 0;
    case UaIdentifierType::String:
        return StringId().isEmpty();
    case UaIdentifierType::Guid:
        return GuidId().isNull();
    case UaIdentifierType::Opaque:
        return OpaqueId().isEmpty();
    }
    return false;
}

QString UaNodeId::ToString() const {
    const QString identifier = IdentifierToString();
    return namespaceIndex_ == 0 ? identifier
                                : QStringLiteral("ns=%1;%2").arg(namespaceIndex_).arg(identifier);
}

QString UaNodeId::IdentifierToString() const {
    switch (IdentifierType()) {
    case UaIdentifierType::Numeric:
        return QStringLiteral("i=") + QString::number(NumericId());
    case UaIdentifierType::String:
        return QStringLiteral("s=") + StringId();
    case UaIdentifierType::Guid:
        return QStringLiteral("g=") + GuidId().toString(QUuid::WithoutBraces);
    case UaIdentifierType::Opaque:
        return QStringLiteral("b=") + QString::fromLatin1(OpaqueId().toBase64());
    }
    return {};
}

std::optional<UaNodeId> UaNodeId::Parse(const QString& text) {
    QStringView rest(text);
    quint16 namespaceIndex = 0;
    if (rest.startsWith(u"ns=")) {
        const auto index = TakeClause(rest, u"ns");
        const auto value =
            index ? ParseDecimal(*index, std::numeric_limits<quint16>::max()) : std::nullopt;
        if (!value) return std::nullopt;
        namespaceIndex = quint16(*value);
    }
    return ParseIdentifier(namespaceIndex, rest);
}

std::optional<UaNodeId> UaNodeId::ParseIdentifier(quint16 namespaceIndex, QStringView text) {
    if (text.size() < 2 || text[1] != u'=') return std::nullopt;
    const QStringView value = text.sliced(2);
    switch (text[0].unicode()) {
    case u'i':
        if (auto id = ParseDecimal(value, std::numeric_limits<quint32>::max()))
            return Numeric(namespaceIndex, *id);
        return std::nullopt;
    case u's':
        return String(namespaceIndex, value.toString());
    case u'g':
        if (auto id = ParseGuid(value)) return Guid(namespaceIndex, *id);
        return std::nullopt;
    case u'b':
        if (auto id = ParseBase64(value)) return Opaque(namespaceIndex, *id);
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

size_t qHash(const UaNodeId& id, size_t seed) {
    switch (id.IdentifierType()) {
    case UaIdentifierType::Numeric:
        return qHashMulti(seed, id.NamespaceIndex(), id.NumericId());
    case UaIdentifierType::String:
        return qHashMulti(seed, id.NamespaceIndex(), id.StringId());
    case UaIdentifierType::Guid:
        return qHashMulti(seed, id.NamespaceIndex(), id.GuidId());
    case UaIdentifierType::Opaque:
        return qHashMulti(seed, id.NamespaceIndex(), id.OpaqueId());
    }
    return seed;
}

QString UaExpandedNodeId::ToString() const {
    QString text;
    if (ServerIndex != 0) text += QStringLiteral("svr=%1;").arg(ServerIndex);
    if (NamespaceUri.isEmpty()) return text + NodeId.ToString();
    return text + QStringLiteral("nsu=") + EscapeUri(NamespaceUri) + u';' +
           NodeId.IdentifierToString();
}

std::optional<UaExpandedNodeId> UaExpandedNodeId::Parse(const QString& text) {
    QStringView rest(text);
    UaExpandedNodeId id;
    if (rest.startsWith(u"svr=")) {
        const auto index = TakeClause(rest, u"svr");
        const auto value =
            index ? ParseDecimal(*index, std::numeric_limits<quint32>::max()) : std::nullopt;
        if (!value) return std::nullopt;
        id.ServerIndex = *value;
    }
    if (!rest.startsWith(u"nsu=")) {
        const auto nodeId = UaNodeId::Parse(rest.toString());
        if (!nodeId) return std::nullopt;
        id.NodeId = *nodeId;
        return id;
    }
    const auto uri = TakeClause(rest, u"nsu");
    const auto unescaped = uri ? UnescapeUri(*uri) : std::nullopt;
    const auto nodeId = unescaped ? UaNodeId::ParseIdentifier(0, rest) : std::nullopt;
    if (!nodeId || unescaped->isEmpty()) return std::nullopt;
    id.NamespaceUri = *unescaped;
    id.NodeId = *nodeId;
    return id;
}

size_t qHash(const UaExpandedNodeId& id, size_t seed) {
    return qHashMulti(seed, id.NodeId, id.NamespaceUri, id.ServerIndex);
}
