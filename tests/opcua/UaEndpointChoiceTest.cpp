#include "opcua/UaEndpointChoice.h"
#include "opcua/UaSecureConversation.h"

#include <gtest/gtest.h>

namespace {

const QString Prefix = QStringLiteral("http://opcfoundation.org/UA/SecurityPolicy#");

UaEndpointDescription Endpoint(const char* policy, UaMessageSecurityMode mode, quint8 level = 0) {
    UaEndpointDescription endpoint;
    endpoint.SecurityPolicyUri = Prefix + QString::fromLatin1(policy);
    endpoint.SecurityMode = mode;
    endpoint.SecurityLevel = level;
    return endpoint;
}

using Mode = UaMessageSecurityMode;

} // namespace

TEST(UaEndpointChoice, MostSecureSupportedEndpointWinsUnlessTheNameAsks) {
    const std::vector<UaEndpointDescription> endpoints{
        Endpoint("None", Mode::None),
        Endpoint("Basic128Rsa15", Mode::SignAndEncrypt, 200), // not spoken by this client
        Endpoint("Basic256Sha256", Mode::Sign, 50),
        Endpoint("Aes128_Sha256_RsaOaep", Mode::SignAndEncrypt, 10),
        Endpoint("Basic256Sha256", Mode::SignAndEncrypt, 10),
    };
    auto choose = [&](const char* name) {
        const auto split = UaSecurityWish::Split(QString::fromLatin1(name));
        EXPECT_TRUE(split) << name;
        const auto chosen = UaChooseEndpoint(endpoints, split->second);
        return chosen ? chosen->SecurityPolicyUri.mid(Prefix.size()) + QLatin1Char('/') +
                            QString::number(int(chosen->SecurityMode))
                      : QStringLiteral("none fits");
    };
    // Same mode and level: the client's preference, Basic256Sha256 over Aes128.
    EXPECT_EQ(choose("opc.tcp://h:4840"), QStringLiteral("Basic256Sha256/3"));
    EXPECT_EQ(choose("opc.tcp://h:4840#Sign"), QStringLiteral("Basic256Sha256/2"));
    EXPECT_EQ(choose("opc.tcp://h:4840#signandencrypt:Aes128_Sha256_RsaOaep"),
              QStringLiteral("Aes128_Sha256_RsaOaep/3"));
    EXPECT_EQ(choose("My Server#None"), QStringLiteral("None/1"));
    EXPECT_EQ(choose("opc.tcp://h:4840#Sign:Aes256_Sha256_RsaPss"), QStringLiteral("none fits"));
}

TEST(UaEndpointChoice, NameKeepsItsAddressAndRefusesWishesItCannotMean) {
    const auto plain = UaSecurityWish::Split(QStringLiteral(" opc.tcp://h:4840/UA "));
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->first, QStringLiteral("opc.tcp://h:4840/UA"));
    EXPECT_FALSE(plain->second.Mode);
    const auto wished =
        UaSecurityWish::Split(QStringLiteral("urn:x:y#SignAndEncrypt:Basic256Sha256"));
    ASSERT_TRUE(wished);
    EXPECT_EQ(wished->first, QStringLiteral("urn:x:y"));
    EXPECT_EQ(wished->second.Mode, Mode::SignAndEncrypt);
    EXPECT_EQ(wished->second.PolicyUri, Prefix + QStringLiteral("Basic256Sha256"));
    for (const char* bad :
         {"h#Encrypt", "h#Sign:Basic128Rsa15", "h#None:Basic256Sha256", "h#Sign:None", "h#"})
        EXPECT_FALSE(UaSecurityWish::Split(QString::fromLatin1(bad))) << bad;
    EXPECT_FALSE(UaChooseEndpoint({}, {}));
    // An endpoint that pairs the None policy with a signing mode is no endpoint to use.
    EXPECT_FALSE(UaChooseEndpoint({Endpoint("None", Mode::Sign)}, {}));
}
