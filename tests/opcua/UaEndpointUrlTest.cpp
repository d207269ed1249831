#include "opcua/UaEndpointUrl.h"

#include <gtest/gtest.h>

TEST(UaEndpointUrl, ParsesHostPortAndPathAndWritesThemBack) {
    const auto url =
        UaEndpointUrl::Parse(QStringLiteral(" opc.tcp://plant-7.example:4841/UA/Server "));
    ASSERT_TRUE(url);
    EXPECT_EQ(url->Host, QStringLiteral("plant-7.example"));
    EXPECT_EQ(url->Port, 4841);
    EXPECT_EQ(url->Path, QStringLiteral("/UA/Server"));
    EXPECT_EQ(url->ToString(), QStringLiteral("opc.tcp://plant-7.example:4841/UA/Server"));

    const auto v6 = UaEndpointUrl::Parse(QStringLiteral("opc.tcp://[::1]"));
    ASSERT_TRUE(v6);
    EXPECT_EQ(v6->Host, QStringLiteral("::1"));
    EXPECT_EQ(v6->Port, UaEndpointUrl::DefaultPort);
    EXPECT_EQ(v6->ToString(), QStringLiteral("opc.tcp://[::1]:4840"));
}

TEST(UaEndpointUrl, RefusesWhatNamesNoEndpoint) {
    for (const char* text :
         {"", "http://host:4840", "opc.tcp://", "opc.tcp://host:0", "opc.tcp://host:65536",
          "opc.tcp://host:12x", "opc.tcp://ho st", "opc.tcp://[::1", "opc.tcp://[host]:1",
          "opc.tcp://-bad", "opc.tcp://h:"})
        EXPECT_FALSE(UaEndpointUrl::Parse(QString::fromLatin1(text))) << text;
}

TEST(UaEndpointUrl, ComputerNamesMapToTheirDiscoveryEndpoint) {
    for (const char* local : {"", "Local", " local ", "LOCAL"}) {
        EXPECT_TRUE(UaEndpointUrl::IsLocalComputer(QString::fromLatin1(local))) << local;
        EXPECT_EQ(UaEndpointUrl::OfComputer(QString::fromLatin1(local))->ToString(),
                  QStringLiteral("opc.tcp://localhost:4840"));
    }
    EXPECT_EQ(UaEndpointUrl::OfComputer(QStringLiteral("press3"))->ToString(),
              QStringLiteral("opc.tcp://press3:4840"));
    EXPECT_EQ(UaEndpointUrl::OfComputer(QStringLiteral("10.1.2.3:48010"))->ToString(),
              QStringLiteral("opc.tcp://10.1.2.3:48010"));
    EXPECT_FALSE(UaEndpointUrl::OfComputer(QStringLiteral("\\\\server\\share")));
}
