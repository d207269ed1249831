#include "opcua/UaCertificateStore.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString Uri = QStringLiteral("urn:test-host:modulation:instruments");

} // namespace

TEST(UaCertificate, SelfSignedCertificateCarriesItsUriKeyAndValidity) {
    const UaRsaKey key = UaRsaKey::Generate(2048);
    const UaCertificate made = UaCertificate::MakeSelfSigned(
        key, QStringLiteral("Instruments"), Uri, {QStringLiteral("test-host")}, 30);
    const UaCertificate read = UaCertificate::FromDer(made.Der());
    EXPECT_EQ(read.ApplicationUri(), Uri);
    EXPECT_EQ(read.CommonName(), QStringLiteral("Instruments"));
    EXPECT_TRUE(read.IsSelfSigned());
    EXPECT_EQ(read.Thumbprint(), UaCrypto::Sha1(made.Der()));
    EXPECT_EQ(read.Thumbprint().size(), 20);
    EXPECT_EQ(read.PublicKey().PublicDer(), key.PublicDer());
    const QDateTime now = QDateTime::currentDateTimeUtc();
    EXPECT_LT(read.NotBefore(), now);
    EXPECT_GT(read.NotAfter(), now.addDays(29));
    EXPECT_LT(read.NotAfter(), now.addDays(31));
    const QByteArray signature = key.Sign("nonce", UaRsaKey::Signature::Pkcs1Sha256);
    EXPECT_TRUE(read.PublicKey().Verify("nonce", signature, UaRsaKey::Signature::Pkcs1Sha256));

    EXPECT_THROW(UaCertificate::FromDer(QByteArray("not a certificate")), UaCryptoError);
    EXPECT_THROW(UaCertificate::FromDer(made.Der() + "x"), UaCryptoError);
    EXPECT_THROW(UaCertificate::FromDer(made.Der().left(100)), UaCryptoError);
}

TEST(UaCertificateStore, OwnCertificateIsMadeOnceWithAKeyOnlyTheUserReads) {
    QTemporaryDir folder;
    QByteArray first;
    {
        UaCertificateStore store(folder.path());
        first = store.OwnCertificate(Uri).Der();
        EXPECT_EQ(store.OwnCertificate(Uri).ApplicationUri(), Uri);
        EXPECT_TRUE(store.OwnKey(Uri).IsPrivate());
    }
    const QFileInfo key(folder.filePath(QStringLiteral("own/private/key.pem")));
    ASSERT_TRUE(key.exists());
    EXPECT_EQ(key.permissions() &
                  (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
              QFile::Permissions());
    UaCertificateStore again(folder.path());
    EXPECT_EQ(again.OwnCertificate(Uri).Der(), first);
    // Another application URI makes a certificate of its own.
    EXPECT_NE(again.OwnCertificate(QStringLiteral("urn:other")).Der(), first);
    EXPECT_EQ(again.OwnCertificate(QStringLiteral("urn:other")).ApplicationUri(),
              QStringLiteral("urn:other"));
}

TEST(UaCertificateStore, UnknownServerIsRejectedUntilTrustedByMoveOrByCall) {
    QTemporaryDir folder;
    UaCertificateStore store(folder.path());
    const UaRsaKey key = UaRsaKey::Generate(2048);
    const UaCertificate server = UaCertificate::MakeSelfSigned(
        key, QStringLiteral("Server"), QStringLiteral("urn:server"), {}, 30);
    const QString name = UaCertificateStore::FileName(server);
    EXPECT_FALSE(store.IsTrusted(server));
    ASSERT_TRUE(QFile::exists(store.RejectedFolder() + QLatin1Char('/') + name));

    QDir().mkpath(store.TrustedFolder());
    ASSERT_TRUE(QFile::rename(store.RejectedFolder() + QLatin1Char('/') + name,
                              store.TrustedFolder() + QLatin1Char('/') + name));
    EXPECT_TRUE(store.IsTrusted(server));

    const UaCertificate other = UaCertificate::MakeSelfSigned(key, QStringLiteral("Other"),
                                                              QStringLiteral("urn:other"), {}, 30);
    EXPECT_FALSE(store.IsTrusted(other));
    store.Trust(other);
    EXPECT_TRUE(store.IsTrusted(other));
    EXPECT_FALSE(QFile::exists(store.RejectedFolder() + QLatin1Char('/') +
                               UaCertificateStore::FileName(other)));
}
