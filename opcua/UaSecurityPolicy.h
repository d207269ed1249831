// The security policies the client speaks beside None: their URIs, the algorithms and key
// lengths each names, and the derivation of a channel's symmetric keys from the two nonces.
#pragma once

#include "opcua/UaCrypto.h"

#include <QString>
#include <vector>

struct UaSymmetricKeys {
    QByteArray SigningKey;
    QByteArray EncryptingKey;
    QByteArray InitializationVector;
};

struct UaSecurityPolicy {
    QString Uri;
    UaRsaKey::Padding AsymmetricEncryption;
    UaRsaKey::Signature AsymmetricSignature;
    // The algorithm URIs a SignatureData and an encrypted user token name.
    QString AsymmetricSignatureUri;
    QString AsymmetricEncryptionUri;
    int EncryptionKeyBytes = 32;
    int SigningKeyBytes = 32;
    int SymmetricSignatureBytes = 32;
    int BlockBytes = 16;
    int NonceBytes = 32;

    // The policies in order of preference, most secure first.
    static const std::vector<UaSecurityPolicy>& All();
    // Nothing for None and for policies this client does not speak.
    static const UaSecurityPolicy* Find(const QString& uri);

    // The keys one side signs and encrypts with: the client's are made with the server's
    // nonce as secret and its own as seed, the server's the other way round.
    UaSymmetricKeys DeriveKeys(const QByteArray& secret, const QByteArray& seed) const;
};
