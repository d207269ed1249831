// Signs and encrypts the chunks of a secured channel, and checks and decrypts what arrives:
// OpenSecureChannel chunks with the two certificates' keys, every other chunk with the keys
// derived from the nonces. A chunk goes in and comes out whole, headers first, with its size
// field telling its length, so the framing on either side stays the None policy's.
#pragma once

#include "opcua/UaSecurityPolicy.h"

#include <QByteArray>
#include <optional>

class UaChunkSecurity {
public:
    enum class Mode { Sign, SignAndEncrypt };

    UaChunkSecurity(const UaSecurityPolicy& policy, Mode mode) : policy_(policy), mode_(mode) {}

    // Asymmetric: our key signs what we send, the peer's public key encrypts it; the peer's
    // key checks what comes, ours decrypts it.
    void SetCertificateKeys(const UaRsaKey* own, const UaRsaKey* peer) {
        own_ = own;
        peer_ = peer;
    }
    // Symmetric: the keys of each direction once the nonces are exchanged.
    void SetSymmetricKeys(UaSymmetricKeys sending, UaSymmetricKeys receiving) {
        sending_ = std::move(sending);
        receiving_ = std::move(receiving);
    }
    bool HasSymmetricKeys() const { return sending_.has_value(); }

    // The most body bytes one chunk of the given size can carry after its headers of the
    // given size, so that the protected chunk stays within the size.
    qsizetype MaxBodyPerChunk(bool asymmetric, qsizetype chunkSize, qsizetype headersSize) const;

    // plain: the chunk's headers (headersSize bytes up to the sequence header), then the
    // sequence header and the body. Raises UaCryptoError when a key is missing.
    QByteArray Protect(const QByteArray& plain, qsizetype headersSize, bool asymmetric) const;
    // The plain chunk of a protected one; raises UaDecodeError when the signature, the
    // padding or the block structure is wrong.
    QByteArray Unprotect(const QByteArray& chunk, qsizetype headersSize, bool asymmetric) const;

private:
    bool Encrypts(bool asymmetric) const { return asymmetric || mode_ == Mode::SignAndEncrypt; }
    int SignatureBytes(bool asymmetric, bool ours) const;
    int PlainBlock(bool asymmetric) const;
    int CipherBlock(bool asymmetric, bool ours) const;
    // The padding bytes (size byte included) that make the encrypted part whole blocks.
    QByteArray Padding(qsizetype payload, bool asymmetric) const;
    QByteArray Sign(const QByteArray& data, bool asymmetric) const;
    bool Verify(const QByteArray& data, const QByteArray& signature, bool asymmetric) const;
    QByteArray Encrypt(const QByteArray& data, bool asymmetric) const;
    QByteArray Decrypt(const QByteArray& data, bool asymmetric) const;

    const UaSecurityPolicy& policy_;
    Mode mode_;
    const UaRsaKey* own_ = nullptr;
    const UaRsaKey* peer_ = nullptr;
    std::optional<UaSymmetricKeys> sending_;
    std::optional<UaSymmetricKeys> receiving_;
};
