// The cryptography of OPC UA's security policies over OpenSSL: random nonces, digests, HMAC,
// the P_SHA256 key derivation, AES-CBC without padding (the protocol pads itself), and RSA
// keys with the encryptions and signatures the policies name. Nothing here is a cipher of its
// own; every failure of OpenSSL raises UaCryptoError.
#pragma once

#include "platform/Exception.h"

#include <QByteArray>
#include <memory>

class UaCryptoError : public Exception {
public:
    using Exception::Exception;
};

namespace UaCrypto {

QByteArray RandomBytes(int count);
QByteArray Sha1(const QByteArray& data);
QByteArray Sha256(const QByteArray& data);
QByteArray HmacSha256(const QByteArray& key, const QByteArray& data);
// The pseudo-random function of TLS 1.2 over HMAC-SHA256, as the symmetric keys are derived.
QByteArray PSha256(const QByteArray& secret, const QByteArray& seed, int length);
// Key of 16 or 32 bytes, IV of 16, data a whole number of 16-byte blocks.
QByteArray AesCbcEncrypt(const QByteArray& key, const QByteArray& iv, const QByteArray& data);
QByteArray AesCbcDecrypt(const QByteArray& key, const QByteArray& iv, const QByteArray& data);

} // namespace UaCrypto

// An RSA key: a private one (made or read from PEM) or the public half of a certificate.
class UaRsaKey {
public:
    enum class Padding { Pkcs1, OaepSha1, OaepSha256 };
    enum class Signature { Pkcs1Sha256, PssSha256 };

    static UaRsaKey Generate(int bits);
    static UaRsaKey FromPrivatePem(const QByteArray& pem);
    static UaRsaKey FromPublicDer(const QByteArray& der);

    UaRsaKey(UaRsaKey&&) noexcept;
    UaRsaKey& operator=(UaRsaKey&&) noexcept;
    ~UaRsaKey();

    int SizeBytes() const;
    bool IsPrivate() const { return private_; }
    QByteArray PrivatePem() const;
    QByteArray PublicDer() const;

    // Plain text may be split into blocks by the caller: each call takes at most one block.
    QByteArray Encrypt(const QByteArray& plain, Padding padding) const;
    QByteArray Decrypt(const QByteArray& cipher, Padding padding) const;
    QByteArray Sign(const QByteArray& data, Signature signature) const;
    bool Verify(const QByteArray& data, const QByteArray& signature, Signature kind) const;
    // The most plain bytes one block of Encrypt takes with the padding.
    int PlainBlockSize(Padding padding) const;

    // The OpenSSL key (EVP_PKEY*), for certificates.
    void* Handle() const { return key_; }

private:
    UaRsaKey(void* key, bool isPrivate) : key_(key), private_(isPrivate) {}

    void* key_ = nullptr;
    bool private_ = false;
};
