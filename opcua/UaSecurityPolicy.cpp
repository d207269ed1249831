#include "opcua/UaSecurityPolicy.h"

namespace {

const QString Prefix = QStringLiteral("http://opcfoundation.org/UA/SecurityPolicy#");
const QString RsaSha256 = QStringLiteral("http://www.w3.org/2001/04/xmldsig-more#rsa-sha256");
const QString RsaPssSha256 =
    QStringLiteral("http://opcfoundation.org/UA/security/rsa-pss-sha2-256");
const QString RsaOaep = QStringLiteral("http://www.w3.org/2001/04/xmlenc#rsa-oaep");
const QString RsaOaepSha256 =
    QStringLiteral("http://opcfoundation.org/UA/security/rsa-oaep-sha2-256");

} // namespace

const std::vector<UaSecurityPolicy>& UaSecurityPolicy::All() {
    static const std::vector<UaSecurityPolicy> policies{
        {Prefix + QStringLiteral("Aes256_Sha256_RsaPss"), UaRsaKey::Padding::OaepSha256,
         UaRsaKey::Signature::PssSha256, RsaPssSha256, RsaOaepSha256, 32},
        {Prefix + QStringLiteral("Basic256Sha256"), UaRsaKey::Padding::OaepSha1,
         UaRsaKey::Signature::Pkcs1Sha256, RsaSha256, RsaOaep, 32},
        {Prefix + QStringLiteral("Aes128_Sha256_RsaOaep"), UaRsaKey::Padding::OaepSha1,
         UaRsaKey::Signature::Pkcs1Sha256, RsaSha256, RsaOaep, 16},
    };
    return policies;
}

const UaSecurityPolicy* UaSecurityPolicy::Find(const QString& uri) {
    for (const UaSecurityPolicy& policy : All())
        if (policy.Uri == uri) return &policy;
    return nullptr;
}

UaSymmetricKeys UaSecurityPolicy::DeriveKeys(const QByteArray& secret,
                                             const QByteArray& seed) const {
    const QByteArray material =
        UaCrypto::PSha256(secret, seed, SigningKeyBytes + EncryptionKeyBytes + BlockBytes);
    return {material.left(SigningKeyBytes), material.mid(SigningKeyBytes, EncryptionKeyBytes),
            material.right(BlockBytes)};
}
