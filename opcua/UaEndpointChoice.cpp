#include "opcua/UaEndpointChoice.h"

#include "opcua/UaSecureConversation.h"
#include "opcua/UaSecurityPolicy.h"

namespace {

const QString PolicyPrefix = QStringLiteral("http://opcfoundation.org/UA/SecurityPolicy#");

std::optional<UaMessageSecurityMode> ModeNamed(const QString& name) {
    if (name.compare(QStringLiteral("None"), Qt::CaseInsensitive) == 0)
        return UaMessageSecurityMode::None;
    if (name.compare(QStringLiteral("Sign"), Qt::CaseInsensitive) == 0)
        return UaMessageSecurityMode::Sign;
    if (name.compare(QStringLiteral("SignAndEncrypt"), Qt::CaseInsensitive) == 0)
        return UaMessageSecurityMode::SignAndEncrypt;
    return std::nullopt;
}

// Preference among policies the client supports: the order of UaSecurityPolicy::All, None last;
// -1 for a policy it does not speak.
int Rank(const QString& policyUri) {
    const auto& all = UaSecurityPolicy::All();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i].Uri == policyUri) return int(all.size() - i);
    return policyUri == UaSecurityPolicyNone ? 0 : -1;
}

bool Fits(const UaEndpointDescription& endpoint, const UaSecurityWish& wish) {
    if (Rank(endpoint.SecurityPolicyUri) < 0) return false;
    const bool none = endpoint.SecurityPolicyUri == UaSecurityPolicyNone;
    if (none != (endpoint.SecurityMode == UaMessageSecurityMode::None)) return false;
    if (wish.Mode && endpoint.SecurityMode != *wish.Mode) return false;
    return wish.PolicyUri.isEmpty() || endpoint.SecurityPolicyUri == wish.PolicyUri;
}

// Mode first (encrypting beats signing beats nothing), then the server's own security level,
// then the client's preference among policies.
bool Better(const UaEndpointDescription& a, const UaEndpointDescription& b) {
    if (a.SecurityMode != b.SecurityMode) return a.SecurityMode > b.SecurityMode;
    if (a.SecurityLevel != b.SecurityLevel) return a.SecurityLevel > b.SecurityLevel;
    return Rank(a.SecurityPolicyUri) > Rank(b.SecurityPolicyUri);
}

} // namespace

std::optional<std::pair<QString, UaSecurityWish>> UaSecurityWish::Split(const QString& serverName) {
    const qsizetype hash = serverName.lastIndexOf(QLatin1Char('#'));
    if (hash < 0) return std::pair{serverName.trimmed(), UaSecurityWish{}};
    const QString wishText = serverName.mid(hash + 1).trimmed();
    const qsizetype colon = wishText.indexOf(QLatin1Char(':'));
    UaSecurityWish wish;
    wish.Mode = ModeNamed(colon < 0 ? wishText : wishText.left(colon));
    if (!wish.Mode) return std::nullopt;
    if (colon >= 0) {
        wish.PolicyUri = PolicyPrefix + wishText.mid(colon + 1).trimmed();
        if (Rank(wish.PolicyUri) < 0) return std::nullopt;
        if ((wish.PolicyUri == UaSecurityPolicyNone) != (*wish.Mode == UaMessageSecurityMode::None))
            return std::nullopt;
    }
    return std::pair{serverName.left(hash).trimmed(), wish};
}

std::optional<UaEndpointDescription>
UaChooseEndpoint(const std::vector<UaEndpointDescription>& endpoints, const UaSecurityWish& wish) {
    const UaEndpointDescription* best = nullptr;
    for (const UaEndpointDescription& endpoint : endpoints)
        if (Fits(endpoint, wish) && (!best || Better(endpoint, *best))) best = &endpoint;
    if (!best) return std::nullopt;
    return *best;
}
