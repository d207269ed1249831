#include "opcua/UaVariant.h"
#include "opcua/UaBinaryReader.h"
#include "opcua/UaBinaryWriter.h"
#include "opcua/UaStatusCodes.h"

#include <QRandomGenerator>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

QByteArray Hex(const char* hex) {
    return QByteArray::fromHex(hex);
}

QByteArray Encoded(const UaVariant& variant) {
    UaBinaryWriter writer;
    writer.WriteVariant(variant);
    return writer.Take();
}

UaVariant DecodedVariant(const QByteArray& bytes, UaDecodeLimits limits = {}) {
    UaBinaryReader reader(bytes, limits);
    const UaVariant variant = reader.ReadVariant();
    EXPECT_TRUE(reader.AtEnd());
    return variant;
}

UaDataValue DecodedDataValue(const QByteArray& bytes) {
    UaBinaryReader reader(bytes);
    return reader.ReadDataValue();
}

UaDiagnosticInfo DecodedDiagnosticInfo(const QByteArray& bytes, UaDecodeLimits limits = {}) {
    UaBinaryReader reader(bytes, limits);
    return reader.ReadDiagnosticInfo();
}

TEST(UaVariant, ScalarsAndArraysHaveExactEncodings) {
    using T = UaBuiltInType;
    EXPECT_EQ(Encoded(UaVariant()), Hex("00"));
    EXPECT_EQ(Encoded(UaVariant::Scalar(T::Int32, 1)), Hex("06 01000000"));
    EXPECT_EQ(Encoded(UaVariant::Scalar(T::Double, 1.0)), Hex("0b 000000000000f03f"));
    EXPECT_EQ(Encoded(UaVariant::Scalar(T::Boolean, true)), Hex("01 01"));
    EXPECT_EQ(Encoded(UaVariant::Scalar(T::String, QStringLiteral("A"))), Hex("0c 01000000 41"));
    EXPECT_EQ(Encoded(UaVariant::Array(T::Int32, {1, 2})), Hex("86 02000000 01000000 02000000"));
    EXPECT_EQ(Encoded(UaVariant::Scalar(T::XmlElement, QByteArray("<a/>"))),
              Hex("10 04000000 3c612f3e"));
    EXPECT_EQ(Encoded(UaVariant::Scalar(T::DateTime, qint64(1))), Hex("0d 0100000000000000"));
    EXPECT_EQ(Encoded(UaVariant::Array(T::Int16, {1, 2, 3, 4, 5, 6}, {2, 3})),
              Hex("c4 06000000 0100 0200 0300 0400 0500 0600 02000000 02000000 03000000"));
    EXPECT_EQ(
        Encoded(UaVariant::Array(T::Variant, {QVariant::fromValue(UaVariant::Scalar(T::Byte, 7))})),
        Hex("98 01000000 03 07"));
}

TEST(UaVariant, EveryBuiltInTypeRoundTrips) {
    using T = UaBuiltInType;
    UaDiagnosticInfo info;
    info.SymbolicId = 3;
    UaDataValue inner;
    inner.Value = UaVariant::Scalar(T::Float, 0.5f);
    inner.Status = UaStatusCodes::UncertainInitialValue;
    const QList<UaVariant> variants = {
        UaVariant::Scalar(T::Boolean, false),
        UaVariant::Scalar(T::SByte, -128),
        UaVariant::Scalar(T::Byte, 255),
        UaVariant::Scalar(T::Int16, -32768),
        UaVariant::Scalar(T::UInt16, 65535),
        UaVariant::Scalar(T::Int32, std::numeric_limits<qint32>::min()),
        UaVariant::Scalar(T::UInt32, 4294967295u),
        UaVariant::Scalar(T::Int64, std::numeric_limits<qint64>::min()),
        UaVariant::Scalar(T::UInt64, std::numeric_limits<quint64>::max()),
        UaVariant::Scalar(T::Float, -1.5f),
        UaVariant::Scalar(T::Double, std::numeric_limits<double>::infinity()),
        UaVariant::Scalar(T::String, QString()),
        UaVariant::Scalar(T::DateTime, QDateTime::currentDateTimeUtc()),
        UaVariant::Scalar(T::Guid, QUuid::createUuid()),
        UaVariant::Scalar(T::ByteString, QByteArray("\0\1", 2)),
        UaVariant::Scalar(T::XmlElement, QByteArray("<a/>")),
        UaVariant::Scalar(T::NodeId, QVariant::fromValue(UaNodeId::String(2, "x"))),
        UaVariant::Scalar(T::ExpandedNodeId, QVariant::fromValue(UaExpandedNodeId{
                                                 UaNodeId::Numeric(0, 1), "urn:x", 2})),
        UaVariant::Scalar(T::StatusCode, UaStatusCodes::BadNodeIdUnknown),
        UaVariant::Scalar(T::QualifiedName, QVariant::fromValue(UaQualifiedName{3, "Name"})),
        UaVariant::Scalar(T::LocalizedText, QVariant::fromValue(UaLocalizedText{"de", "Hallo"})),
        UaVariant::Scalar(T::ExtensionObject,
                          QVariant::fromValue(UaExtensionObject{UaNodeId::Numeric(0, 9), 1, "b"})),
        UaVariant::Scalar(T::DataValue, QVariant::fromValue(inner)),
        UaVariant::Scalar(T::DiagnosticInfo, QVariant::fromValue(info)),
        UaVariant::Array(T::Double, {1.0, 2.0, 3.0, 4.0}, {2, 2}),
        UaVariant::Array(T::String, {QStringLiteral("a"), QString()}),
        UaVariant::Array(T::Variant, {QVariant::fromValue(UaVariant::Scalar(T::Int32, 1)),
                                      QVariant::fromValue(UaVariant())}),
        UaVariant::Array(T::Byte, {}),
    };
    for (const UaVariant& variant : variants)
        EXPECT_EQ(DecodedVariant(Encoded(variant)), variant)
            << UaBuiltInTypeName(variant.Type()).toStdString();
}

TEST(UaVariant, ScalarConvertsNumbersOnlyWhenExact) {
    using T = UaBuiltInType;
    EXPECT_EQ(UaVariant::Scalar(T::Byte, 200).Value().metaType(), QMetaType::fromType<quint8>());
    EXPECT_EQ(UaVariant::Scalar(T::Int32, 5.0).Value(), QVariant::fromValue(qint32(5)));
    EXPECT_EQ(UaVariant::Scalar(T::Boolean, 1).Value(), QVariant(true));
    EXPECT_EQ(UaVariant::Scalar(T::UInt64, std::numeric_limits<quint64>::max()).ToDouble(),
              18446744073709551615.0);
    EXPECT_EQ(UaVariant::Scalar(T::Float, 0.1).Value(), QVariant(0.1f));
    EXPECT_TRUE(std::isnan(*UaVariant::Scalar(T::Float, std::nan("")).ToDouble()));
    EXPECT_THROW(UaVariant::Scalar(T::Byte, 300), Exception);
    EXPECT_THROW(UaVariant::Scalar(T::Byte, -1), Exception);
    EXPECT_THROW(UaVariant::Scalar(T::UInt64, qint64(-1)), Exception);
    EXPECT_THROW(UaVariant::Scalar(T::Int64, 9.3e18), Exception);
    EXPECT_THROW(UaVariant::Scalar(T::UInt64, 18446744073709551616.0), Exception);
    EXPECT_THROW(UaVariant::Scalar(T::Int32, 2.5), Exception);
    EXPECT_THROW(UaVariant::Scalar(T::Int32, std::nan("")), Exception);
    EXPECT_THROW(UaVariant::Scalar(T::Boolean, 2), Exception);
    EXPECT_THROW(UaVariant::Scalar(T::Float, 1e39), Exception);
    EXPECT_THROW(UaVariant::Scalar(T::Double, QStringLiteral("1")), Exception);
    EXPECT_THROW(UaVariant::Scalar(T::String, 1), Exception);
    EXPECT_THROW(UaVariant::Scalar(T::Int32, QVariant()), Exception);
    EXPECT_THROW(UaVariant::Array(T::Int16, {1, 70000}), Exception);
}

TEST(UaVariant, ScalarOfVariantIsTheVariantAndNullIgnoresItsValue) {
    const UaVariant inner = UaVariant::Scalar(UaBuiltInType::Int16, 4);
    EXPECT_EQ(UaVariant::Scalar(UaBuiltInType::Variant, QVariant::fromValue(inner)), inner);
    EXPECT_TRUE(UaVariant::Scalar(UaBuiltInType::Null, 5).IsNull());
    EXPECT_THROW(UaVariant::Scalar(UaBuiltInType::Variant, 5), Exception);
    EXPECT_THROW(UaVariant::Array(UaBuiltInType::Null, {}), Exception);
}

TEST(UaVariant, ArrayDimensionsMustAccountForEveryValue) {
    using T = UaBuiltInType;
    EXPECT_THROW(UaVariant::Array(T::Int32, {1, 2, 3}, {2, 2}), Exception);
    EXPECT_THROW(UaVariant::Array(T::Int32, {1}, {0, 1}), Exception);
    EXPECT_NO_THROW(UaVariant::Array(T::Int32, {}, {3, 0}));
    EXPECT_NO_THROW(UaVariant::Array(T::Int32, {}, {-1, 4}));
    EXPECT_EQ(UaVariant::Array(T::Int32, {1, 2}, {1, 2}).Dimensions(), (QList<qint32>{1, 2}));
}

TEST(UaVariant, ToDoubleServesNumbersAndBooleansOnly) {
    using T = UaBuiltInType;
    EXPECT_EQ(UaVariant::Scalar(T::Double, 2.5).ToDouble(), 2.5);
    EXPECT_EQ(UaVariant::Scalar(T::SByte, -3).ToDouble(), -3.0);
    EXPECT_EQ(UaVariant::Scalar(T::Boolean, true).ToDouble(), 1.0);
    EXPECT_FALSE(UaVariant::Scalar(T::String, QStringLiteral("1")).ToDouble());
    EXPECT_FALSE(UaVariant::Scalar(T::StatusCode, 0u).ToDouble());
    EXPECT_FALSE(UaVariant::Array(T::Double, {1.0}).ToDouble());
    EXPECT_FALSE(UaVariant().ToDouble());
}

TEST(UaVariant, DecoderRefusesBadMasks) {
    // Type ids past DiagnosticInfo, a null with flags, dimensions without an array, and a
    // Variant directly in a Variant.
    for (const char* hex : {"1a 00", "3f 00", "80 00000000", "40", "46 01000000", "18 06 01000000",
                            "c6 01000000 01000000 00000000"})
        EXPECT_THROW(DecodedVariant(Hex(hex)), UaDecodeError) << hex;
}

TEST(UaVariant, DecoderRefusesDimensionsThatDoNotMatchTheCount) {
    EXPECT_THROW(DecodedVariant(Hex("c6 02000000 01000000 02000000 02000000 02000000 02000000")),
                 UaDecodeError);
    // Their product overflows 32 and 64 bits; the check must stop before it does.
    EXPECT_THROW(DecodedVariant(Hex("c3 01000000 07 03000000 ffffff7f ffffff7f ffffff7f")),
                 UaDecodeError);
    EXPECT_EQ(DecodedVariant(Hex("c3 00000000 02000000 00000000 05000000")).Dimensions(),
              (QList<qint32>{0, 5}));
}

TEST(UaVariant, NullArrayDecodesAsEmpty) {
    const UaVariant variant = DecodedVariant(Hex("86 ffffffff"));
    EXPECT_TRUE(variant.IsArray());
    EXPECT_TRUE(variant.Value().toList().isEmpty());
}

TEST(UaVariant, NestingDeeperThanTheLimitIsRefused) {
    auto nested = [](int depth) {
        QByteArray bytes;
        for (int i = 0; i < depth; ++i)
            bytes += Hex("98 01000000");
        return bytes + Hex("00");
    };
    UaDecodeLimits limits;
    limits.MaxDepth = 8;
    EXPECT_NO_THROW(DecodedVariant(nested(7), limits));
    EXPECT_THROW(DecodedVariant(nested(8), limits), UaDecodeError);
    EXPECT_THROW(DecodedVariant(nested(10'000)), UaDecodeError);

    QByteArray values;
    for (int i = 0; i < 10'000; ++i)
        values += Hex("17 01");
    EXPECT_THROW(DecodedVariant(values + Hex("00")), UaDecodeError);
    EXPECT_THROW(DecodedDiagnosticInfo(QByteArray(10'000, '\x40') + Hex("00")), UaDecodeError);
    EXPECT_NO_THROW(DecodedDiagnosticInfo(QByteArray(7, '\x40') + Hex("00"), limits));
}

TEST(UaDataValue, FieldsFollowTheMaskInWireOrder) {
    UaDataValue value;
    value.Value = UaVariant::Scalar(UaBuiltInType::Double, 2.5);
    value.Status = UaStatusCodes::BadSensorFailure;
    value.SourceTimestamp = 1;
    value.SourcePicoseconds = 2;
    value.ServerTimestamp = 3;
    value.ServerPicoseconds = 4;
    UaBinaryWriter writer;
    writer.WriteDataValue(value);
    const QByteArray expected = Hex("3f 0b0000000000000440 00008c80 0100000000000000 0200 "
                                    "0300000000000000 0400");
    ASSERT_EQ(writer.Bytes(), expected);
    EXPECT_EQ(DecodedDataValue(expected), value);

    UaBinaryWriter empty;
    empty.WriteDataValue(UaDataValue());
    EXPECT_EQ(empty.Bytes(), Hex("00"));
}

TEST(UaDataValue, FlagsOfAMessageSurviveARoundTrip) {
    // A Good status and a zero time sent explicitly are sent again.
    const QByteArray bytes = Hex("06 00000000 0000000000000000");
    const UaDataValue value = DecodedDataValue(bytes);
    EXPECT_TRUE(value.HasStatus);
    EXPECT_TRUE(value.HasSourceTimestamp);
    EXPECT_FALSE(value.HasValue);
    UaBinaryWriter writer;
    writer.WriteDataValue(value);
    EXPECT_EQ(writer.Bytes(), bytes);
}

TEST(UaDataValue, PicosecondsAboveTheRangeReadAsTheMost) {
    const UaDataValue value = DecodedDataValue(Hex("30 ffff 1027"));
    EXPECT_EQ(value.SourcePicoseconds, 9999);
    EXPECT_EQ(value.ServerPicoseconds, 9999);
}

TEST(UaDataValue, DecoderRefusesUnknownMaskBits) {
    EXPECT_THROW(DecodedDataValue(Hex("40")), UaDecodeError);
    EXPECT_THROW(DecodedDataValue(Hex("80")), UaDecodeError);
}

TEST(UaDiagnosticInfo, PresentFieldsAndInnerInfosRoundTrip) {
    UaDiagnosticInfo info;
    info.SymbolicId = 1;
    info.Locale = 2;
    info.AdditionalInfo = QStringLiteral("x");
    info.HasInnerStatusCode = true;
    info.InnerStatusCode = UaStatusCodes::BadTimeout;
    info.Inner = std::make_unique<UaDiagnosticInfo>();
    info.Inner->LocalizedText = 5;
    UaBinaryWriter writer;
    writer.WriteDiagnosticInfo(info);
    const QByteArray expected = Hex("79 01000000 02000000 01000000 78 00000a80 04 05000000");
    ASSERT_EQ(writer.Bytes(), expected);
    EXPECT_EQ(DecodedDiagnosticInfo(expected), info);

    const UaDiagnosticInfo copy = info;
    EXPECT_EQ(copy, info);
    EXPECT_NE(copy.Inner.get(), info.Inner.get());
    EXPECT_THROW(DecodedDiagnosticInfo(Hex("80")), UaDecodeError);
}

TEST(UaStructures, QualifiedNameLocalizedTextAndExtensionObjectHaveExactEncodings) {
    UaBinaryWriter writer;
    writer.WriteQualifiedName({1, QStringLiteral("A")});
    writer.WriteLocalizedText({QStringLiteral("en"), QStringLiteral("Hi")});
    writer.WriteLocalizedText({QString(), QStringLiteral("Hi")});
    writer.WriteLocalizedText({});
    writer.WriteExtensionObject({UaNodeId::Numeric(0, 1), UaExtensionObject::BinaryBody, "\xab"});
    writer.WriteExtensionObject({UaNodeId::Numeric(0, 1), UaExtensionObject::NoBody, "ignored"});
    const QByteArray expected = Hex("0100 01000000 41 "
                                    "03 02000000 656e 02000000 4869 "
                                    "02 02000000 4869 "
                                    "00 "
                                    "0001 01 01000000 ab "
                                    "0001 00");
    ASSERT_EQ(writer.Bytes(), expected);

    UaBinaryReader reader(expected);
    EXPECT_EQ(reader.ReadQualifiedName(), (UaQualifiedName{1, QStringLiteral("A")}));
    EXPECT_EQ(reader.ReadLocalizedText(), (UaLocalizedText{"en", "Hi"}));
    const UaLocalizedText textOnly = reader.ReadLocalizedText();
    EXPECT_TRUE(textOnly.Locale.isNull());
    EXPECT_EQ(textOnly.Text, QStringLiteral("Hi"));
    EXPECT_EQ(reader.ReadLocalizedText(), UaLocalizedText());
    EXPECT_EQ(reader.ReadExtensionObject().Body, QByteArray("\xab"));
    EXPECT_TRUE(reader.ReadExtensionObject().Body.isNull());
    EXPECT_TRUE(reader.AtEnd());
}

TEST(UaStructures, DecoderRefusesUnknownEncodingsOfTextAndObjects) {
    const QByteArray badText = Hex("04");
    EXPECT_THROW(UaBinaryReader(badText).ReadLocalizedText(), UaDecodeError);
    const QByteArray badObject = Hex("0001 03 00000000");
    EXPECT_THROW(UaBinaryReader(badObject).ReadExtensionObject(), UaDecodeError);
}

TEST(UaStatusCodes, SeverityAndNamesIgnoreTheFlagBits) {
    using namespace UaStatusCodes;
    EXPECT_TRUE(IsGood(Good));
    EXPECT_TRUE(IsGood(GoodClamped | 0x0400));
    EXPECT_TRUE(IsUncertain(UncertainLastUsableValue));
    EXPECT_TRUE(IsBad(BadNodeIdUnknown));
    EXPECT_TRUE(IsBad(0xC0000000));
    EXPECT_FALSE(IsGood(0xC0000000));
    EXPECT_EQ(Name(BadNodeIdUnknown), QStringLiteral("BadNodeIdUnknown"));
    EXPECT_EQ(Name(Good | 0x00A0), QStringLiteral("Good"));
    EXPECT_EQ(Name(0x8123ABCD), QStringLiteral("0x8123ABCD"));
}

// A data change notification as a server publishes it: client handles and data values.
QByteArray PublishedValues(int count) {
    UaBinaryWriter writer;
    writer.WriteInt32(count);
    for (int i = 0; i < count; ++i) {
        UaDataValue value;
        value.Value = UaVariant::Scalar(UaBuiltInType::Double, i * 0.5);
        value.SourceTimestamp = 133'000'000'000'000'000 + i;
        value.ServerTimestamp = 133'000'000'000'000'001 + i;
        writer.WriteUInt32(quint32(i));
        writer.WriteDataValue(value);
    }
    return writer.Take();
}

double SumOfPublishedValues(const QByteArray& bytes) {
    UaBinaryReader reader(bytes);
    double sum = 0;
    reader.ReadArray(
        [&](qint32) {
            reader.ReadUInt32();
            sum += reader.ReadDataValue().Value.ToDouble().value_or(0);
        },
        5);
    return sum;
}

TEST(UaHostileInput, EveryTruncationOfAValidMessageIsRefused) {
    UaBinaryWriter writer;
    writer.WriteExpandedNodeId({UaNodeId::Guid(3, QUuid::createUuid()), "urn:t", 9});
    writer.WriteVariant(UaVariant::Array(
        UaBuiltInType::Variant,
        {QVariant::fromValue(UaVariant::Scalar(UaBuiltInType::LocalizedText,
                                               QVariant::fromValue(UaLocalizedText{"en", "x"})))}));
    writer.WriteVariant(UaVariant::Array(UaBuiltInType::UInt16, {1, 2, 3, 4}, {2, 2}));
    writer.WriteDataValue(
        {UaVariant::Scalar(UaBuiltInType::String, QStringLiteral("s")), 1, 2, 3, 4, 5});
    UaDiagnosticInfo info;
    info.AdditionalInfo = QStringLiteral("why");
    info.Inner = std::make_unique<UaDiagnosticInfo>(info);
    writer.WriteDiagnosticInfo(info);
    writer.WriteExtensionObject({UaNodeId::Opaque(1, "k"), UaExtensionObject::XmlBody, "<a/>"});
    const QByteArray message = writer.Take();
    auto readAll = [](UaBinaryReader& reader) {
        reader.ReadExpandedNodeId();
        reader.ReadVariant();
        reader.ReadVariant();
        reader.ReadDataValue();
        reader.ReadDiagnosticInfo();
        reader.ReadExtensionObject();
    };
    UaBinaryReader whole(message);
    ASSERT_NO_THROW(readAll(whole));
    ASSERT_TRUE(whole.AtEnd());
    for (qsizetype size = 0; size < message.size(); ++size) {
        const QByteArray prefix = message.left(size);
        UaBinaryReader reader(prefix);
        EXPECT_THROW(readAll(reader), UaDecodeError) << "truncated at " << size;
    }
}

TEST(UaHostileInput, RandomAndMutatedBytesEitherDecodeOrAreRefused) {
    QRandomGenerator random(20240229);
    const QByteArray valid = PublishedValues(3);
    for (int round = 0; round < 20'000; ++round) {
        QByteArray bytes;
        if (round % 2 == 0) {
            bytes.resize(random.bounded(1, 48));
            for (char& byte : bytes)
                byte = char(random.bounded(256));
        } else {
            bytes = valid;
            for (int flips = random.bounded(1, 4); flips > 0; --flips)
                bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
        }
        UaBinaryReader reader(bytes);
        try {
            switch (round % 4) {
            case 0:
                reader.ReadVariant();
                break;
            case 1:
                SumOfPublishedValues(bytes);
                break;
            case 2:
                reader.ReadDataValue();
                break;
            default:
                reader.ReadDiagnosticInfo();
                break;
            }
        } catch (const UaDecodeError&) {
        }
    }
}

TEST(UaHostileInput, PublishedDoublesDecodeToTheirValues) {
    EXPECT_DOUBLE_EQ(SumOfPublishedValues(PublishedValues(1000)), 0.5 * 999 * 1000 / 2);
}

} // namespace
