// An X.509 certificate as OPC UA applications exchange them (DER): its thumbprint, public key,
// application URI (the URI entry of its subject alternative name) and validity; and the
// self-signed application instance certificate a client makes for itself.
#pragma once

#include "opcua/UaCrypto.h"

#include <QByteArray>
#include <QDateTime>
#include <QStringList>

class UaCertificate {
public:
    // Raises UaCryptoError when the bytes hold no certificate.
    static UaCertificate FromDer(const QByteArray& der);
    // Self-signed with SHA-256, for a client: the application URI and host names in its
    // subject alternative name, usable for signatures, key and data encipherment.
    static UaCertificate MakeSelfSigned(const UaRsaKey& key, const QString& commonName,
                                        const QString& applicationUri, const QStringList& hostNames,
                                        int validDays);

    const QByteArray& Der() const { return der_; }
    // SHA-1 of the DER bytes, as the protocol names a certificate.
    QByteArray Thumbprint() const;
    UaRsaKey PublicKey() const;
    QString ApplicationUri() const;
    QString CommonName() const;
    QDateTime NotBefore() const;
    QDateTime NotAfter() const;
    // Whether its signature verifies with its own public key.
    bool IsSelfSigned() const;

private:
    explicit UaCertificate(QByteArray der) : der_(std::move(der)) {}

    QByteArray der_;
};
