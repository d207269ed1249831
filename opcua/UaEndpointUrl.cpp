#include "opcua/UaEndpointUrl.h"

#include <QHostAddress>
#include <QRegularExpression>

namespace {

const QString Scheme = QStringLiteral("opc.tcp://");

bool ValidHost(const QString& host) {
    static const QRegularExpression name(
        QStringLiteral("^[A-Za-z0-9]([A-Za-z0-9-]{0,62})(\\.[A-Za-z0-9]([A-Za-z0-9-]{0,62}))*$"));
    return !host.isEmpty() && host.size() <= 253 &&
           (name.match(host).hasMatch() || !QHostAddress(host).isNull());
}

// "host", "host:port", "[v6]" or "[v6]:port"; nothing when malformed.
std::optional<UaEndpointUrl> ParseAuthority(const QString& authority) {
    UaEndpointUrl url;
    QString portText;
    if (authority.startsWith(QLatin1Char('['))) {
        const qsizetype close = authority.indexOf(QLatin1Char(']'));
        if (close < 0) return std::nullopt;
        url.Host = authority.mid(1, close - 1);
        const QString rest = authority.mid(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(QLatin1Char(':'))) return std::nullopt;
        portText = rest.mid(1);
        if (QHostAddress(url.Host).protocol() != QAbstractSocket::IPv6Protocol) return std::nullopt;
    } else {
        const qsizetype colon = authority.indexOf(QLatin1Char(':'));
        url.Host = colon < 0 ? authority : authority.left(colon);
        if (colon >= 0) portText = authority.mid(colon + 1);
        if (!ValidHost(url.Host)) return std::nullopt;
    }
    if (!portText.isEmpty() || authority.endsWith(QLatin1Char(':'))) {
        bool ok = false;
        const uint port = portText.toUInt(&ok);
        if (!ok || port == 0 || port > 65535) return std::nullopt;
        url.Port = quint16(port);
    }
    return url;
}

} // namespace

QString UaEndpointUrl::ToString() const {
    const QString host = Host.contains(QLatin1Char(':')) ? QStringLiteral("[%1]").arg(Host) : Host;
    return Scheme + host + QLatin1Char(':') + QString::number(Port) + Path;
}

std::optional<UaEndpointUrl> UaEndpointUrl::Parse(const QString& text) {
    const QString trimmed = text.trimmed();
    if (!trimmed.startsWith(Scheme, Qt::CaseInsensitive)) return std::nullopt;
    const QString rest = trimmed.mid(Scheme.size());
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    auto url = ParseAuthority(slash < 0 ? rest : rest.left(slash));
    if (url && slash >= 0) url->Path = rest.mid(slash);
    return url;
}

bool UaEndpointUrl::IsLocalComputer(const QString& computer) {
    const QString trimmed = computer.trimmed();
    return trimmed.isEmpty() || trimmed.compare(QStringLiteral("Local"), Qt::CaseInsensitive) == 0;
}

std::optional<UaEndpointUrl> UaEndpointUrl::OfComputer(const QString& computer) {
    if (IsLocalComputer(computer))
        return UaEndpointUrl{QStringLiteral("localhost"), DefaultPort, QString()};
    return ParseAuthority(computer.trimmed());
}
