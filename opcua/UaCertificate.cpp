#include "opcua/UaCertificate.h"

#include <openssl/asn1.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <memory>

namespace {

struct X509Free {
    void operator()(X509* certificate) const { X509_free(certificate); }
};
using OwnedX509 = std::unique_ptr<X509, X509Free>;

[[noreturn]] void Fail(const char* what) {
    ERR_clear_error();
    throw UaCryptoError(QString::fromLatin1(what));
}

OwnedX509 Parse(const QByteArray& der) {
    const unsigned char* at = reinterpret_cast<const unsigned char*>(der.constData());
    OwnedX509 certificate(d2i_X509(nullptr, &at, long(der.size())));
    if (!certificate || at != reinterpret_cast<const unsigned char*>(der.constData()) + der.size())
        Fail("Not a DER certificate");
    return certificate;
}

QDateTime ToDateTime(const ASN1_TIME* time) {
    tm parts{};
    if (!time || ASN1_TIME_to_tm(time, &parts) != 1) return QDateTime();
    return QDateTime(QDate(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday),
                     QTime(parts.tm_hour, parts.tm_min, parts.tm_sec), Qt::UTC);
}

void AddExtension(X509* certificate, int nid, const QString& value) {
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, certificate, certificate, nullptr, nullptr, 0);
    X509_EXTENSION* extension =
        X509V3_EXT_conf_nid(nullptr, &context, nid, value.toUtf8().constData());
    if (!extension) Fail("Certificate extension refused");
    const int added = X509_add_ext(certificate, extension, -1);
    X509_EXTENSION_free(extension);
    if (added != 1) Fail("Certificate extension refused");
}

} // namespace

UaCertificate UaCertificate::FromDer(const QByteArray& der) {
    Parse(der);
    return UaCertificate(der);
}

UaCertificate UaCertificate::MakeSelfSigned(const UaRsaKey& key, const QString& commonName,
                                            const QString& applicationUri,
                                            const QStringList& hostNames, int validDays) {
    OwnedX509 certificate(X509_new());
    if (!certificate) Fail("No certificate");
    X509_set_version(certificate.get(), 2);
    const QByteArray serial = UaCrypto::RandomBytes(16);
    BIGNUM* number =
        BN_bin2bn(reinterpret_cast<const unsigned char*>(serial.constData()), 15, nullptr);
    BN_to_ASN1_INTEGER(number, X509_get_serialNumber(certificate.get()));
    BN_free(number);
    // A day back, so that a clock a little behind the server's still finds it valid.
    X509_gmtime_adj(X509_getm_notBefore(certificate.get()), -86400);
    X509_gmtime_adj(X509_getm_notAfter(certificate.get()), long(validDays) * 86400);
    X509_set_pubkey(certificate.get(), static_cast<EVP_PKEY*>(key.Handle()));
    X509_NAME* name = X509_get_subject_name(certificate.get());
    X509_NAME_add_entry_by_txt(
        name, "CN", MBSTRING_UTF8,
        reinterpret_cast<const unsigned char*>(commonName.toUtf8().constData()), -1, -1, 0);
    X509_set_issuer_name(certificate.get(), name);
    QStringList alternatives{QStringLiteral("URI:") + applicationUri};
    for (const QString& host : hostNames)
        alternatives.append(QStringLiteral("DNS:") + host);
    AddExtension(certificate.get(), NID_subject_alt_name, alternatives.join(QLatin1Char(',')));
    AddExtension(certificate.get(), NID_basic_constraints, QStringLiteral("critical,CA:FALSE"));
    AddExtension(certificate.get(), NID_key_usage,
                 QStringLiteral(
                     "critical,digitalSignature,nonRepudiation,keyEncipherment,dataEncipherment"));
    AddExtension(certificate.get(), NID_ext_key_usage, QStringLiteral("clientAuth,serverAuth"));
    AddExtension(certificate.get(), NID_subject_key_identifier, QStringLiteral("hash"));
    if (X509_sign(certificate.get(), static_cast<EVP_PKEY*>(key.Handle()), EVP_sha256()) <= 0)
        Fail("Certificate could not be signed");
    unsigned char* der = nullptr;
    const int size = i2d_X509(certificate.get(), &der);
    if (size <= 0) Fail("Certificate could not be encoded");
    QByteArray bytes(reinterpret_cast<const char*>(der), size);
    OPENSSL_free(der);
    return UaCertificate(bytes);
}

QByteArray UaCertificate::Thumbprint() const {
    return UaCrypto::Sha1(der_);
}

UaRsaKey UaCertificate::PublicKey() const {
    const OwnedX509 certificate = Parse(der_);
    EVP_PKEY* key = X509_get0_pubkey(certificate.get());
    unsigned char* der = nullptr;
    const int size = key ? i2d_PUBKEY(key, &der) : 0;
    if (size <= 0) Fail("Certificate without a usable public key");
    const QByteArray bytes(reinterpret_cast<const char*>(der), size);
    OPENSSL_free(der);
    return UaRsaKey::FromPublicDer(bytes);
}

QString UaCertificate::ApplicationUri() const {
    const OwnedX509 certificate = Parse(der_);
    auto* names = static_cast<GENERAL_NAMES*>(
        X509_get_ext_d2i(certificate.get(), NID_subject_alt_name, nullptr, nullptr));
    QString uri;
    for (int i = 0; names && i < sk_GENERAL_NAME_num(names) && uri.isEmpty(); ++i) {
        const GENERAL_NAME* entry = sk_GENERAL_NAME_value(names, i);
        if (entry->type != GEN_URI) continue;
        const ASN1_IA5STRING* text = entry->d.uniformResourceIdentifier;
        uri = QString::fromUtf8(reinterpret_cast<const char*>(ASN1_STRING_get0_data(text)),
                                ASN1_STRING_length(text));
    }
    GENERAL_NAMES_free(names);
    return uri;
}

QString UaCertificate::CommonName() const {
    const OwnedX509 certificate = Parse(der_);
    char text[256] = {};
    const int size = X509_NAME_get_text_by_NID(X509_get_subject_name(certificate.get()),
                                               NID_commonName, text, sizeof text);
    return size > 0 ? QString::fromUtf8(text, size) : QString();
}

QDateTime UaCertificate::NotBefore() const {
    return ToDateTime(X509_get0_notBefore(Parse(der_).get()));
}

QDateTime UaCertificate::NotAfter() const {
    return ToDateTime(X509_get0_notAfter(Parse(der_).get()));
}

bool UaCertificate::IsSelfSigned() const {
    const OwnedX509 certificate = Parse(der_);
    EVP_PKEY* key = X509_get0_pubkey(certificate.get());
    const bool verified = key && X509_verify(certificate.get(), key) == 1;
    ERR_clear_error();
    return verified;
}
