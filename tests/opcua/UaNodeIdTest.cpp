#include "opcua/UaNodeId.h"
#include "opcua/UaBinaryReader.h"
#include "opcua/UaBinaryWriter.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

const QUuid ExampleGuid(QStringLiteral("72962B91-FA75-4AE6-8D28-B404DC7DAF63"));

QByteArray Encoded(const UaNodeId& id) {
    UaBinaryWriter writer;
    writer.WriteNodeId(id);
    return writer.Take();
}

QByteArray Encoded(const UaExpandedNodeId& id) {
    UaBinaryWriter writer;
    writer.WriteExpandedNodeId(id);
    return writer.Take();
}

UaNodeId DecodedNodeId(const QByteArray& bytes) {
    UaBinaryReader reader(bytes);
    const UaNodeId id = reader.ReadNodeId();
    EXPECT_TRUE(reader.AtEnd());
    return id;
}

UaExpandedNodeId DecodedExpandedNodeId(const QByteArray& bytes) {
    UaBinaryReader reader(bytes);
    const UaExpandedNodeId id = reader.ReadExpandedNodeId();
    EXPECT_TRUE(reader.AtEnd());
    return id;
}

TEST(UaNodeId, NumericIdsTakeTheSmallestForm) {
    EXPECT_EQ(Encoded(UaNodeId::Numeric(0, 72)), QByteArray::fromHex("0048"));
    EXPECT_EQ(Encoded(UaNodeId::Numeric(5, 1025)), QByteArray::fromHex("01050104"));
    EXPECT_EQ(Encoded(UaNodeId::Numeric(0, 256)), QByteArray::fromHex("01000001"));
    EXPECT_EQ(Encoded(UaNodeId::Numeric(256, 1)), QByteArray::fromHex("02000101000000"));
    EXPECT_EQ(Encoded(UaNodeId::Numeric(1, 0x12345678)), QByteArray::fromHex("02010078563412"));
}

TEST(UaNodeId, OtherIdentifierTypesUseTheirOwnForms) {
    EXPECT_EQ(Encoded(UaNodeId::String(1, QStringLiteral("Hot水"))),
              QByteArray::fromHex("03010006000000486f74e6b0b4"));
    EXPECT_EQ(Encoded(UaNodeId::Guid(4, ExampleGuid)),
              QByteArray::fromHex("040400912b967275fae64a8d28b404dc7daf63"));
    EXPECT_EQ(Encoded(UaNodeId::Opaque(2, QByteArray("\x01\xff", 2))),
              QByteArray::fromHex("0502000200000001ff"));
}

TEST(UaNodeId, EveryFormDecodesToTheIdItCameFrom) {
    const QList<UaNodeId> ids = {UaNodeId(),
                                 UaNodeId::Numeric(0, 255),
                                 UaNodeId::Numeric(255, 65535),
                                 UaNodeId::Numeric(65535, 0xFFFFFFFF),
                                 UaNodeId::String(3, QStringLiteral("Device.Sine")),
                                 UaNodeId::String(3, QString()),
                                 UaNodeId::Guid(1, ExampleGuid),
                                 UaNodeId::Opaque(9, QByteArray("\0\1\2", 3))};
    for (const UaNodeId& id : ids)
        EXPECT_EQ(DecodedNodeId(Encoded(id)), id) << id.ToString().toStdString();
}

TEST(UaNodeId, PlainReaderRefusesExpandedFlagsAndUnknownForms) {
    for (const char* hex : {"8048", "4048", "0648", "3f48"}) {
        const QByteArray bytes = QByteArray::fromHex(hex);
        UaBinaryReader reader(bytes);
        EXPECT_THROW(reader.ReadNodeId(), UaDecodeError) << hex;
    }
}

TEST(UaNodeId, NullMeansNamespaceZeroAndTheDefaultIdentifier) {
    EXPECT_TRUE(UaNodeId().IsNull());
    EXPECT_TRUE(UaNodeId::String(0, QString()).IsNull());
    EXPECT_TRUE(UaNodeId::Guid(0, QUuid()).IsNull());
    EXPECT_FALSE(UaNodeId::Numeric(1, 0).IsNull());
    EXPECT_FALSE(UaNodeId::Numeric(0, 1).IsNull());
    EXPECT_FALSE(UaNodeId::String(0, QStringLiteral("x")).IsNull());
}

TEST(UaNodeId, AccessorsOfAnotherTypeGiveDefaults) {
    const UaNodeId id = UaNodeId::String(2, QStringLiteral("a"));
    EXPECT_EQ(id.IdentifierType(), UaIdentifierType::String);
    EXPECT_EQ(id.NumericId(), 0u);
    EXPECT_TRUE(id.GuidId().isNull());
    EXPECT_TRUE(id.OpaqueId().isNull());
    EXPECT_EQ(id.StringId(), QStringLiteral("a"));
}

TEST(UaNodeId, EqualityAndHashFollowNamespaceTypeAndValue) {
    QSet<UaNodeId> set = {UaNodeId::Numeric(0, 1), UaNodeId::Numeric(1, 1),
                          UaNodeId::String(0, QStringLiteral("1")),
                          UaNodeId::Opaque(0, QByteArray("1"))};
    EXPECT_EQ(set.size(), 4);
    EXPECT_TRUE(set.contains(UaNodeId::Numeric(1, 1)));
    EXPECT_FALSE(set.contains(UaNodeId::Numeric(2, 1)));
    EXPECT_EQ(qHash(UaNodeId::String(4, QStringLiteral("x"))),
              qHash(UaNodeId::String(4, QStringLiteral("x"))));
}

TEST(UaNodeId, TextFormsRoundTrip) {
    const QList<QPair<UaNodeId, QString>> cases = {
        {UaNodeId::Numeric(0, 2258), QStringLiteral("i=2258")},
        {UaNodeId::String(2, QStringLiteral("Device.Sine")), QStringLiteral("ns=2;s=Device.Sine")},
        {UaNodeId::String(2, QStringLiteral("a;b=c")), QStringLiteral("ns=2;s=a;b=c")},
        {UaNodeId::Guid(1, ExampleGuid),
         QStringLiteral("ns=1;g=72962b91-fa75-4ae6-8d28-b404dc7daf63")},
        {UaNodeId::Opaque(1, QByteArray::fromBase64("M/RbKBsRVkePCePcx24oRA==")),
         QStringLiteral("ns=1;b=M/RbKBsRVkePCePcx24oRA==")},
        {UaNodeId::Numeric(65535, 4294967295u), QStringLiteral("ns=65535;i=4294967295")}};
    for (const auto& [id, text] : cases) {
        EXPECT_EQ(id.ToString(), text);
        EXPECT_EQ(UaNodeId::Parse(text), id) << text.toStdString();
    }
    EXPECT_EQ(UaNodeId::Parse(QStringLiteral("ns=0;i=5")), UaNodeId::Numeric(0, 5));
    EXPECT_EQ(UaNodeId::Parse(QStringLiteral("g=72962B91-FA75-4AE6-8D28-B404DC7DAF63")),
              UaNodeId::Guid(0, ExampleGuid));
}

TEST(UaNodeId, ParseRefusesMalformedText) {
    for (const char* text : {"",
                             "i=",
                             "i=-1",
                             "i=4294967296",
                             "i= 1",
                             "i=1x",
                             "x=1",
                             "i",
                             "ns=1",
                             "ns=;i=1",
                             "ns=65536;i=1",
                             "ns=-1;i=1",
                             "ns=1;",
                             "ns=1;ns=2;i=1",
                             "g=72962b91fa754ae68d28b404dc7daf63",
                             "g={72962b91-fa75-4ae6-8d28-b404dc7daf63}",
                             "g=72962b91-fa75-4ae6-8d28-b404dc7daf6z",
                             "b=!!!",
                             "I=1",
                             " i=1"})
        EXPECT_FALSE(UaNodeId::Parse(QString::fromLatin1(text))) << text;
}

TEST(UaExpandedNodeId, UriAndServerIndexFollowTheNodeIdAndTheUriZeroesTheIndex) {
    UaExpandedNodeId id{UaNodeId::Numeric(2, 7), QStringLiteral("urn:a"), 3};
    const QByteArray bytes = QByteArray::fromHex("c007 05000000 75726e3a61 03000000");
    EXPECT_EQ(Encoded(id), bytes);
    id.NodeId = UaNodeId::Numeric(0, 7);
    EXPECT_EQ(DecodedExpandedNodeId(bytes), id);

    const UaExpandedNodeId local{UaNodeId::String(1, QStringLiteral("x"))};
    EXPECT_EQ(Encoded(local), Encoded(local.NodeId));
    EXPECT_EQ(DecodedExpandedNodeId(Encoded(local)), local);
}

TEST(UaExpandedNodeId, TextFormsRoundTripWithEscapedUri) {
    const UaExpandedNodeId id{UaNodeId::String(0, QStringLiteral("Pump;1")),
                              QStringLiteral("http://x.org/a;b%c"), 4};
    const QString text = QStringLiteral("svr=4;nsu=http://x.org/a%3Bb%25c;s=Pump;1");
    EXPECT_EQ(id.ToString(), text);
    EXPECT_EQ(UaExpandedNodeId::Parse(text), id);
    EXPECT_EQ(UaExpandedNodeId::Parse(QStringLiteral("nsu=urn:a%3bb;i=1")),
              (UaExpandedNodeId{UaNodeId::Numeric(0, 1), QStringLiteral("urn:a;b")}));
    EXPECT_EQ(UaExpandedNodeId::Parse(QStringLiteral("ns=3;i=9")),
              UaExpandedNodeId{UaNodeId::Numeric(3, 9)});
    EXPECT_EQ((UaExpandedNodeId{UaNodeId::Numeric(3, 9)}).ToString(), QStringLiteral("ns=3;i=9"));
}

TEST(UaExpandedNodeId, ParseRefusesMalformedText) {
    for (const char* text : {"svr=;i=1", "svr=4294967296;i=1", "nsu=urn:a;ns=1;i=1", "nsu=;i=1",
                             "nsu=urn:%3;i=1", "nsu=urn:%zz;i=1", "nsu=urn:a", "svr=1;", "svr=1"})
        EXPECT_FALSE(UaExpandedNodeId::Parse(QString::fromLatin1(text))) << text;
}

} // namespace
