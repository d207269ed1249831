// The client's own application instance certificate and key, and the server certificates it
// trusts, in a folder of the user's configuration: own/ (the key readable by the user only),
// trusted/ and rejected/, one DER file per certificate named by its thumbprint. A program
// trusts a rejected server by moving its file to trusted/, or by calling Trust.
#pragma once

#include "opcua/UaCertificate.h"

#include <QString>
#include <optional>

class UaCertificateStore {
public:
    explicit UaCertificateStore(const QString& folder = DefaultFolder());
    static QString DefaultFolder();

    // Made on first use (2048-bit key, self-signed, five years) and made anew when the stored
    // one names another application URI; raises UaCryptoError when it can be neither read nor
    // written.
    const UaCertificate& OwnCertificate(const QString& applicationUri);
    const UaRsaKey& OwnKey(const QString& applicationUri);

    // A certificate in trusted/ is trusted; any other is written to rejected/ and refused.
    bool IsTrusted(const UaCertificate& certificate) const;
    void Trust(const UaCertificate& certificate) const;

    QString Folder() const { return folder_; }
    QString TrustedFolder() const;
    QString RejectedFolder() const;
    // Where a certificate stands, or would stand, in a folder.
    static QString FileName(const UaCertificate& certificate);

private:
    void LoadOrMake(const QString& applicationUri);

    QString folder_;
    std::optional<UaCertificate> certificate_;
    std::optional<UaRsaKey> key_;
};
