#include "opcua/UaChunkSecurity.h"
#include "opcua/UaBinaryReader.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

const UaRsaKey& ClientKey() {
    static const UaRsaKey key = UaRsaKey::Generate(2048);
    return key;
}

const UaRsaKey& ServerKey() {
    static const UaRsaKey key = UaRsaKey::Generate(3072); // large enough for the extra padding byte
    return key;
}

// A plain chunk: headers of the given size (type, size, channel...), then sequence header and body.
QByteArray PlainChunk(qsizetype headersSize, qsizetype bodySize) {
    QByteArray chunk(headersSize + 8 + bodySize, Qt::Uninitialized);
    for (qsizetype i = 0; i < chunk.size(); ++i)
        chunk[i] = char(i * 13 + 5);
    chunk.replace(0, 4, "MSGF");
    qToLittleEndian<quint32>(quint32(chunk.size()), chunk.data() + 4);
    return chunk;
}

quint32 SizeField(const QByteArray& chunk) {
    return qFromLittleEndian<quint32>(chunk.constData() + 4);
}

// The two ends of one channel: what the client protects the server unprotects.
struct Ends {
    Ends(const UaSecurityPolicy& policy, UaChunkSecurity::Mode mode)
        : client(policy, mode), server(policy, mode) {
        client.SetCertificateKeys(&ClientKey(), &ServerKey());
        server.SetCertificateKeys(&ServerKey(), &ClientKey());
        const QByteArray clientNonce = UaCrypto::RandomBytes(policy.NonceBytes);
        const QByteArray serverNonce = UaCrypto::RandomBytes(policy.NonceBytes);
        const UaSymmetricKeys clientKeys = policy.DeriveKeys(serverNonce, clientNonce);
        const UaSymmetricKeys serverKeys = policy.DeriveKeys(clientNonce, serverNonce);
        client.SetSymmetricKeys(clientKeys, serverKeys);
        server.SetSymmetricKeys(serverKeys, clientKeys);
    }
    UaChunkSecurity client;
    UaChunkSecurity server;
};

} // namespace

TEST(UaChunkSecurity, EveryPolicyAndModeRoundTripsAndRefusesATamperedByte) {
    for (const UaSecurityPolicy& policy : UaSecurityPolicy::All()) {
        for (auto mode : {UaChunkSecurity::Mode::Sign, UaChunkSecurity::Mode::SignAndEncrypt}) {
            Ends ends(policy, mode);
            for (bool asymmetric : {false, true}) {
                const qsizetype headers = asymmetric ? 1200 : 16;
                for (qsizetype body : {0, 1, 15, 16, 17, 500}) {
                    const QByteArray plain = PlainChunk(headers, body);
                    const QByteArray sent = ends.client.Protect(plain, headers, asymmetric);
                    EXPECT_EQ(SizeField(sent), quint32(sent.size()));
                    EXPECT_EQ(sent.left(4), plain.left(4));
                    const bool encrypted =
                        asymmetric || mode == UaChunkSecurity::Mode::SignAndEncrypt;
                    EXPECT_EQ(sent.mid(headers, 8) == plain.mid(headers, 8), !encrypted);
                    EXPECT_EQ(ends.server.Unprotect(sent, headers, asymmetric), plain)
                        << policy.Uri.toStdString() << " body " << body << " asym " << asymmetric;
                    QByteArray tampered = sent;
                    tampered[sent.size() - 40] = char(tampered[sent.size() - 40] ^ 0x20);
                    EXPECT_ANY_THROW(ends.server.Unprotect(tampered, headers, asymmetric));
                }
            }
            // The other direction uses the other keys.
            const QByteArray reply = ends.server.Protect(PlainChunk(16, 100), 16, false);
            EXPECT_EQ(ends.client.Unprotect(reply, 16, false), PlainChunk(16, 100));
            EXPECT_ANY_THROW(ends.server.Unprotect(reply, 16, false));
        }
    }
}

TEST(UaChunkSecurity, BodiesUpToTheLimitFitTheChunkSize) {
    const UaSecurityPolicy& policy = UaSecurityPolicy::All().front();
    Ends ends(policy, UaChunkSecurity::Mode::SignAndEncrypt);
    for (bool asymmetric : {false, true}) {
        const qsizetype headers = asymmetric ? 1200 : 16;
        const qsizetype most = ends.client.MaxBodyPerChunk(asymmetric, 8192, headers);
        EXPECT_GT(most, 4000);
        EXPECT_LE(ends.client.Protect(PlainChunk(headers, most), headers, asymmetric).size(), 8192);
        EXPECT_GT(ends.client.Protect(PlainChunk(headers, most + 400), headers, asymmetric).size(),
                  8192);
    }
}

TEST(UaChunkSecurity, MalformedChunksAreDecodeErrorsNotCrashes) {
    Ends ends(UaSecurityPolicy::All().back(), UaChunkSecurity::Mode::SignAndEncrypt);
    EXPECT_THROW(ends.server.Unprotect(QByteArray(10, 'x'), 16, false), UaDecodeError);
    EXPECT_THROW(ends.server.Unprotect(QByteArray(16 + 17, 'x'), 16, false), UaDecodeError);
    EXPECT_THROW(ends.server.Unprotect(QByteArray(16 + 64, 'x'), 16, false), UaDecodeError);
    UaChunkSecurity keyless(UaSecurityPolicy::All().back(), UaChunkSecurity::Mode::Sign);
    EXPECT_THROW(keyless.Protect(PlainChunk(16, 4), 16, false), UaCryptoError);
    EXPECT_THROW(keyless.Unprotect(PlainChunk(16, 4), 16, false), UaDecodeError);
    EXPECT_EQ(
        UaSecurityPolicy::Find(QStringLiteral("http://opcfoundation.org/UA/SecurityPolicy#None")),
        nullptr);
    EXPECT_NE(UaSecurityPolicy::Find(
                  QStringLiteral("http://opcfoundation.org/UA/SecurityPolicy#Basic256Sha256")),
              nullptr);
}
