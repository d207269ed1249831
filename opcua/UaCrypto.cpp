#include "opcua/UaCrypto.h"

#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/rsa.h>
#include <openssl/x509.h>

namespace {

[[noreturn]] void Fail(const char* what) {
    char reason[256] = {};
    ERR_error_string_n(ERR_get_error(), reason, sizeof reason);
    ERR_clear_error();
    throw UaCryptoError(QStringLiteral("%1: %2").arg(QLatin1String(what), QLatin1String(reason)));
}

void Check(int result, const char* what) {
    if (result <= 0) Fail(what);
}

const unsigned char* Bytes(const QByteArray& data) {
    return reinterpret_cast<const unsigned char*>(data.constData());
}

unsigned char* Bytes(QByteArray& data) {
    return reinterpret_cast<unsigned char*>(data.data());
}

EVP_PKEY* Key(void* handle) {
    return static_cast<EVP_PKEY*>(handle);
}

struct ContextFree {
    void operator()(EVP_PKEY_CTX* context) const { EVP_PKEY_CTX_free(context); }
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
    void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
    void operator()(BIO* bio) const { BIO_free(bio); }
};
template <class T> using Owned = std::unique_ptr<T, ContextFree>;

Owned<EVP_PKEY_CTX> KeyContext(void* key) {
    Owned<EVP_PKEY_CTX> context(EVP_PKEY_CTX_new(Key(key), nullptr));
    if (!context) Fail("no key context");
    return context;
}

void SetPadding(EVP_PKEY_CTX* context, UaRsaKey::Padding padding) {
    switch (padding) {
    case UaRsaKey::Padding::Pkcs1:
        Check(EVP_PKEY_CTX_set_rsa_padding(context, RSA_PKCS1_PADDING), "padding");
        break;
    case UaRsaKey::Padding::OaepSha1:
    case UaRsaKey::Padding::OaepSha256: {
        Check(EVP_PKEY_CTX_set_rsa_padding(context, RSA_PKCS1_OAEP_PADDING), "padding");
        const EVP_MD* digest = padding == UaRsaKey::Padding::OaepSha1 ? EVP_sha1() : EVP_sha256();
        Check(EVP_PKEY_CTX_set_rsa_oaep_md(context, digest), "OAEP digest");
        Check(EVP_PKEY_CTX_set_rsa_mgf1_md(context, digest), "MGF1 digest");
        break;
    }
    }
}

Owned<EVP_MD_CTX> SignatureContext(void* key, UaRsaKey::Signature kind, bool sign) {
    Owned<EVP_MD_CTX> context(EVP_MD_CTX_new());
    EVP_PKEY_CTX* keyContext = nullptr;
    if (!context) Fail("no digest context");
    Check(sign ? EVP_DigestSignInit(context.get(), &keyContext, EVP_sha256(), nullptr, Key(key))
               : EVP_DigestVerifyInit(context.get(), &keyContext, EVP_sha256(), nullptr, Key(key)),
          "signature");
    if (kind == UaRsaKey::Signature::PssSha256) {
        Check(EVP_PKEY_CTX_set_rsa_padding(keyContext, RSA_PKCS1_PSS_PADDING), "PSS padding");
        Check(EVP_PKEY_CTX_set_rsa_pss_saltlen(keyContext, RSA_PSS_SALTLEN_DIGEST), "PSS salt");
    }
    return context;
}

QByteArray Digest(const EVP_MD* digest, const QByteArray& data) {
    QByteArray out(EVP_MD_get_size(digest), Qt::Uninitialized);
    unsigned int size = 0;
    Check(EVP_Digest(data.constData(), size_t(data.size()), Bytes(out), &size, digest, nullptr),
          "digest");
    return out;
}

QByteArray AesCbc(const QByteArray& key, const QByteArray& iv, const QByteArray& data,
                  bool encrypt) {
    if ((key.size() != 16 && key.size() != 32) || iv.size() != 16 || data.size() % 16 != 0)
        throw UaCryptoError(
            QStringLiteral("AES-CBC wants a 16 or 32 byte key, a 16 byte IV and whole blocks"));
    const EVP_CIPHER* cipher = key.size() == 16 ? EVP_aes_128_cbc() : EVP_aes_256_cbc();
    Owned<EVP_CIPHER_CTX> context(EVP_CIPHER_CTX_new());
    if (!context) Fail("no cipher context");
    Check(EVP_CipherInit_ex(context.get(), cipher, nullptr, Bytes(key), Bytes(iv), encrypt ? 1 : 0),
          "cipher");
    Check(EVP_CIPHER_CTX_set_padding(context.get(), 0), "cipher padding");
    QByteArray out(data.size(), Qt::Uninitialized);
    int written = 0;
    Check(EVP_CipherUpdate(context.get(), Bytes(out), &written, Bytes(data), int(data.size())),
          "cipher");
    int last = 0;
    Check(EVP_CipherFinal_ex(context.get(), Bytes(out) + written, &last), "cipher");
    out.resize(written + last);
    return out;
}

} // namespace

QByteArray UaCrypto::RandomBytes(int count) {
    QByteArray bytes(std::max(count, 0), Qt::Uninitialized);
    Check(RAND_bytes(Bytes(bytes), int(bytes.size())), "random bytes");
    return bytes;
}

QByteArray UaCrypto::Sha1(const QByteArray& data) {
    return Digest(EVP_sha1(), data);
}

QByteArray UaCrypto::Sha256(const QByteArray& data) {
    return Digest(EVP_sha256(), data);
}

QByteArray UaCrypto::HmacSha256(const QByteArray& key, const QByteArray& data) {
    QByteArray out(32, Qt::Uninitialized);
    unsigned int size = 0;
    if (!HMAC(EVP_sha256(), key.constData(), int(key.size()), Bytes(data), size_t(data.size()),
              Bytes(out), &size))
        Fail("HMAC");
    return out;
}

QByteArray UaCrypto::PSha256(const QByteArray& secret, const QByteArray& seed, int length) {
    QByteArray out;
    out.reserve(length + 32);
    QByteArray a = seed;
    while (out.size() < length) {
        a = HmacSha256(secret, a);
        out += HmacSha256(secret, a + seed);
    }
    out.truncate(std::max(length, 0));
    return out;
}

QByteArray UaCrypto::AesCbcEncrypt(const QByteArray& key, const QByteArray& iv,
                                   const QByteArray& data) {
    return AesCbc(key, iv, data, true);
}

QByteArray UaCrypto::AesCbcDecrypt(const QByteArray& key, const QByteArray& iv,
                                   const QByteArray& data) {
    return AesCbc(key, iv, data, false);
}

UaRsaKey UaRsaKey::Generate(int bits) {
    EVP_PKEY* key = EVP_RSA_gen(unsigned(bits));
    if (!key) Fail("RSA key generation");
    return UaRsaKey(key, true);
}

UaRsaKey UaRsaKey::FromPrivatePem(const QByteArray& pem) {
    Owned<BIO> bio(BIO_new_mem_buf(pem.constData(), int(pem.size())));
    EVP_PKEY* key = bio ? PEM_read_bio_PrivateKey(bio.get(), nullptr, nullptr, nullptr) : nullptr;
    if (!key || EVP_PKEY_get_base_id(key) != EVP_PKEY_RSA) {
        EVP_PKEY_free(key);
        Fail("not an RSA private key");
    }
    return UaRsaKey(key, true);
}

UaRsaKey UaRsaKey::FromPublicDer(const QByteArray& der) {
    const unsigned char* at = Bytes(der);
    EVP_PKEY* key = d2i_PUBKEY(nullptr, &at, long(der.size()));
    if (!key || EVP_PKEY_get_base_id(key) != EVP_PKEY_RSA) {
        EVP_PKEY_free(key);
        Fail("not an RSA public key");
    }
    return UaRsaKey(key, false);
}

UaRsaKey::UaRsaKey(UaRsaKey&& other) noexcept
    : key_(std::exchange(other.key_, nullptr)), private_(other.private_) {}

UaRsaKey& UaRsaKey::operator=(UaRsaKey&& other) noexcept {
    std::swap(key_, other.key_);
    std::swap(private_, other.private_);
    return *this;
}

UaRsaKey::~UaRsaKey() {
    EVP_PKEY_free(Key(key_));
}

int UaRsaKey::SizeBytes() const {
    return EVP_PKEY_get_size(Key(key_));
}

QByteArray UaRsaKey::PrivatePem() const {
    Owned<BIO> bio(BIO_new(BIO_s_mem()));
    if (!bio || !private_) Fail("no private key");
    Check(PEM_write_bio_PrivateKey(bio.get(), Key(key_), nullptr, nullptr, 0, nullptr, nullptr),
          "private key PEM");
    char* data = nullptr;
    const long size = BIO_get_mem_data(bio.get(), &data);
    return QByteArray(data, int(size));
}

QByteArray UaRsaKey::PublicDer() const {
    unsigned char* der = nullptr;
    const int size = i2d_PUBKEY(Key(key_), &der);
    if (size <= 0) Fail("public key DER");
    QByteArray out(reinterpret_cast<const char*>(der), size);
    OPENSSL_free(der);
    return out;
}

int UaRsaKey::PlainBlockSize(Padding padding) const {
    switch (padding) {
    case Padding::Pkcs1:
        return SizeBytes() - 11;
    case Padding::OaepSha1:
        return SizeBytes() - 42;
    case Padding::OaepSha256:
        return SizeBytes() - 66;
    }
    return 0;
}

QByteArray UaRsaKey::Encrypt(const QByteArray& plain, Padding padding) const {
    if (plain.size() > PlainBlockSize(padding))
        throw UaCryptoError(QStringLiteral("More than one RSA block to encrypt"));
    const auto context = KeyContext(key_);
    Check(EVP_PKEY_encrypt_init(context.get()), "RSA encrypt");
    SetPadding(context.get(), padding);
    size_t size = size_t(SizeBytes());
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    Check(EVP_PKEY_encrypt(context.get(), Bytes(out), &size, Bytes(plain), size_t(plain.size())),
          "RSA encrypt");
    out.resize(qsizetype(size));
    return out;
}

QByteArray UaRsaKey::Decrypt(const QByteArray& cipher, Padding padding) const {
    if (!private_) throw UaCryptoError(QStringLiteral("Decrypting needs the private key"));
    const auto context = KeyContext(key_);
    Check(EVP_PKEY_decrypt_init(context.get()), "RSA decrypt");
    SetPadding(context.get(), padding);
    size_t size = size_t(SizeBytes());
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    Check(EVP_PKEY_decrypt(context.get(), Bytes(out), &size, Bytes(cipher), size_t(cipher.size())),
          "RSA decrypt");
    out.resize(qsizetype(size));
    return out;
}

QByteArray UaRsaKey::Sign(const QByteArray& data, Signature signature) const {
    if (!private_) throw UaCryptoError(QStringLiteral("Signing needs the private key"));
    const auto context = SignatureContext(key_, signature, true);
    size_t size = size_t(SizeBytes());
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    Check(EVP_DigestSign(context.get(), Bytes(out), &size, Bytes(data), size_t(data.size())),
          "sign");
    out.resize(qsizetype(size));
    return out;
}

bool UaRsaKey::Verify(const QByteArray& data, const QByteArray& signature, Signature kind) const {
    const auto context = SignatureContext(key_, kind, false);
    const int result = EVP_DigestVerify(context.get(), Bytes(signature), size_t(signature.size()),
                                        Bytes(data), size_t(data.size()));
    ERR_clear_error();
    return result == 1;
}
