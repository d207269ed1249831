#include "opcua/UaBinaryReader.h"
#include "opcua/UaBinaryWriter.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <limits>

namespace {

QByteArray Hex(const char* hex) {
    return QByteArray::fromHex(hex);
}

// One read from a reader of its own, so that the bytes may be a temporary of the caller.
template <class Read>
auto Decode(const QByteArray& bytes, Read&& read, UaDecodeLimits limits = {}) {
    UaBinaryReader reader(bytes, limits);
    return read(reader);
}

qint32 ArrayLength(UaBinaryReader& reader) {
    return reader.ReadArrayLength(1);
}
QString String(UaBinaryReader& reader) {
    return reader.ReadString();
}
QByteArray ByteString(UaBinaryReader& reader) {
    return reader.ReadByteString();
}

TEST(UaBinary, FixedSizeValuesAreLittleEndianAndIeee) {
    UaBinaryWriter writer;
    writer.WriteBoolean(true);
    writer.WriteSByte(-2);
    writer.WriteByte(0xAB);
    writer.WriteInt16(-2);
    writer.WriteUInt16(0x1234);
    writer.WriteInt32(-2);
    writer.WriteUInt32(0x12345678);
    writer.WriteInt64(-2);
    writer.WriteUInt64(0x0102030405060708);
    writer.WriteFloat(1.0f);
    writer.WriteDouble(-2.5);
    writer.WriteStatusCode(0x80340000);
    const QByteArray expected = Hex("01fe ab feff 3412 feffffff 78563412 feffffffffffffff "
                                    "0807060504030201 0000803f 00000000000004c0 00003480");
    ASSERT_EQ(writer.Bytes(), expected);

    UaBinaryReader reader(expected);
    EXPECT_TRUE(reader.ReadBoolean());
    EXPECT_EQ(reader.ReadSByte(), -2);
    EXPECT_EQ(reader.ReadByte(), 0xAB);
    EXPECT_EQ(reader.ReadInt16(), -2);
    EXPECT_EQ(reader.ReadUInt16(), 0x1234);
    EXPECT_EQ(reader.ReadInt32(), -2);
    EXPECT_EQ(reader.ReadUInt32(), 0x12345678u);
    EXPECT_EQ(reader.ReadInt64(), -2);
    EXPECT_EQ(reader.ReadUInt64(), 0x0102030405060708u);
    EXPECT_EQ(reader.ReadFloat(), 1.0f);
    EXPECT_EQ(reader.ReadDouble(), -2.5);
    EXPECT_EQ(reader.ReadStatusCode(), 0x80340000u);
    EXPECT_TRUE(reader.AtEnd());
}

TEST(UaBinary, AnyNonZeroByteReadsAsTrue) {
    const QByteArray bytes = Hex("00 01 02 ff");
    UaBinaryReader reader(bytes);
    EXPECT_FALSE(reader.ReadBoolean());
    EXPECT_TRUE(reader.ReadBoolean());
    EXPECT_TRUE(reader.ReadBoolean());
    EXPECT_TRUE(reader.ReadBoolean());
}

TEST(UaBinary, StringsAreUtf8WithLengthAndNullIsMinusOne) {
    UaBinaryWriter writer;
    writer.WriteString(QStringLiteral("水Boy"));
    writer.WriteString(QString());
    writer.WriteString(QStringLiteral(""));
    const QByteArray expected = Hex("06000000e6b0b4426f79 ffffffff 00000000");
    ASSERT_EQ(writer.Bytes(), expected);

    UaBinaryReader reader(expected);
    EXPECT_EQ(reader.ReadString(), QStringLiteral("水Boy"));
    EXPECT_TRUE(reader.ReadString().isNull());
    const QString empty = reader.ReadString();
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_FALSE(empty.isNull());
}

TEST(UaBinary, ByteStringsKeepNullApartFromEmpty) {
    UaBinaryWriter writer;
    writer.WriteByteString(QByteArray("\x00\xff", 2));
    writer.WriteByteString(QByteArray());
    writer.WriteByteString(QByteArray(""));
    const QByteArray expected = Hex("0200000000ff ffffffff 00000000");
    ASSERT_EQ(writer.Bytes(), expected);

    UaBinaryReader reader(expected);
    EXPECT_EQ(reader.ReadByteString(), QByteArray("\x00\xff", 2));
    EXPECT_TRUE(reader.ReadByteString().isNull());
    const QByteArray empty = reader.ReadByteString();
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_FALSE(empty.isNull());
}

TEST(UaBinary, InvalidUtf8DecodesToReplacementCharacters) {
    EXPECT_EQ(Decode(Hex("02000000 ff41"), String), QStringLiteral("\uFFFDA"));
}

TEST(UaBinary, GuidIsMixedEndianAsTheExampleShows) {
    const QUuid guid(QStringLiteral("72962B91-FA75-4AE6-8D28-B404DC7DAF63"));
    const QByteArray expected = Hex("912b9672 75fa e64a 8d28b404dc7daf63");
    UaBinaryWriter writer;
    writer.WriteGuid(guid);
    EXPECT_EQ(writer.Bytes(), expected);
    UaBinaryReader reader(expected);
    EXPECT_EQ(reader.ReadGuid(), guid);
}

TEST(UaBinary, DateTimeCountsHundredNanosecondsFrom1601) {
    const QDateTime epoch = QDateTime::fromMSecsSinceEpoch(0, Qt::UTC);
    const qint64 ticks = UaDateTimeFromQDateTime(epoch);
    EXPECT_EQ(ticks, 116444736000000000);
    UaBinaryWriter writer;
    writer.WriteDateTime(ticks);
    EXPECT_EQ(writer.Bytes(), Hex("00803ed5deb19d01"));
    EXPECT_EQ(UaDateTimeToQDateTime(ticks), epoch);
    const QDateTime later = QDateTime(QDate(2024, 2, 29), QTime(12, 30, 15, 250), Qt::UTC);
    EXPECT_EQ(UaDateTimeToQDateTime(UaDateTimeFromQDateTime(later)), later);
}

TEST(UaBinary, DateTimeClampsAtBothEndsAndZeroMeansNoTime) {
    EXPECT_EQ(UaDateTimeFromQDateTime(QDateTime()), 0);
    EXPECT_EQ(UaDateTimeFromQDateTime(QDateTime(QDate(1500, 1, 1), QTime(0, 0), Qt::UTC)), 0);
    EXPECT_EQ(UaDateTimeFromQDateTime(QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59), Qt::UTC)),
              std::numeric_limits<qint64>::max());
    EXPECT_EQ(UaDateTimeFromQDateTime(QDateTime(QDate(20000, 1, 1), QTime(0, 0), Qt::UTC)),
              std::numeric_limits<qint64>::max());
    EXPECT_FALSE(UaDateTimeToQDateTime(0).isValid());
    EXPECT_FALSE(UaDateTimeToQDateTime(-5).isValid());
    EXPECT_TRUE(UaDateTimeToQDateTime(std::numeric_limits<qint64>::max()).isValid());
    EXPECT_GT(UaDateTimeNow(),
              UaDateTimeFromQDateTime(QDateTime(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC)));
}

TEST(UaBinary, ArraysCarryTheirCountAndNullIsMinusOne) {
    UaBinaryWriter writer;
    writer.WriteArray(QList<quint16>{1, 2}, [&](quint16 v) { writer.WriteUInt16(v); });
    writer.WriteNullArray();
    writer.WriteArray(QStringList(), [&](const QString& s) { writer.WriteString(s); });
    const QByteArray expected = Hex("02000000 0100 0200 ffffffff 00000000");
    ASSERT_EQ(writer.Bytes(), expected);

    UaBinaryReader reader(expected);
    QList<quint16> values;
    reader.ReadArray([&](qint32) { values.append(reader.ReadUInt16()); }, 2);
    EXPECT_EQ(values, (QList<quint16>{1, 2}));
    EXPECT_EQ(reader.ReadArrayLength(1), 0);
    EXPECT_EQ(reader.ReadArrayLength(1), 0);
    EXPECT_TRUE(reader.AtEnd());
}

TEST(UaBinary, DecoderRefusesArrayLongerThanMessage) {
    UaDecodeLimits roomy;
    roomy.MaxArrayLength = std::numeric_limits<qint32>::max();
    // 8 elements of at least 4 bytes cannot fit in the 28 bytes left.
    const QByteArray bytes = Hex("08000000") + QByteArray(28, '\0');
    UaBinaryReader reader(bytes, roomy);
    EXPECT_THROW(reader.ReadArrayLength(4), UaDecodeError);
    EXPECT_THROW(
        Decode(
            Hex("ffffff7f 00"), [](UaBinaryReader& r) { return r.ReadArrayLength(0); }, roomy),
        UaDecodeError);
    UaBinaryReader fits(bytes, roomy);
    EXPECT_EQ(fits.ReadArrayLength(3), 8);
}

TEST(UaBinary, DecoderRefusesCountsAboveTheLimitsAndNegativeOnes) {
    UaDecodeLimits tight;
    tight.MaxArrayLength = 3;
    tight.MaxStringLength = 4;
    tight.MaxByteStringLength = 2;
    const QByteArray padding(16, 'a');
    EXPECT_THROW(Decode(Hex("04000000") + padding, ArrayLength, tight), UaDecodeError);
    EXPECT_THROW(Decode(Hex("05000000") + padding, String, tight), UaDecodeError);
    EXPECT_THROW(Decode(Hex("03000000") + padding, ByteString, tight), UaDecodeError);
    EXPECT_EQ(Decode(Hex("04000000") + padding, String, tight), QStringLiteral("aaaa"));
    for (const char* negative : {"feffffff", "00000080"}) {
        EXPECT_THROW(Decode(Hex(negative) + padding, ArrayLength), UaDecodeError);
        EXPECT_THROW(Decode(Hex(negative) + padding, String), UaDecodeError);
        EXPECT_THROW(Decode(Hex(negative) + padding, ByteString), UaDecodeError);
    }
}

TEST(UaBinary, DecodeErrorsNameTheOffset) {
    const QByteArray bytes = Hex("0100 0a000000 41");
    UaBinaryReader reader(bytes);
    reader.ReadUInt16();
    try {
        reader.ReadString();
        FAIL() << "a string longer than the message was read";
    } catch (const UaDecodeError& error) {
        EXPECT_EQ(error.Offset(), 6);
        EXPECT_TRUE(error.Message().contains(QStringLiteral("offset 6")));
    }
}

TEST(UaBinary, ReaderOfNothingRefusesEveryRead) {
    UaBinaryReader reader(nullptr, 10);
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_THROW(reader.ReadByte(), UaDecodeError);
    EXPECT_THROW(reader.ReadVariant(), UaDecodeError);
    UaBinaryReader negative("abc", -1);
    EXPECT_EQ(negative.Remaining(), 0);
}

TEST(UaBinary, SkipAndPeekStayWithinTheBytes) {
    const QByteArray bytes("abcdef");
    UaBinaryReader reader(bytes);
    EXPECT_EQ(reader.Peek(2), QByteArrayView("ab"));
    reader.Skip(4);
    EXPECT_EQ(reader.Position(), 4);
    EXPECT_EQ(reader.Remaining(), 2);
    EXPECT_THROW(reader.Peek(3), UaDecodeError);
    EXPECT_THROW(reader.Skip(3), UaDecodeError);
    EXPECT_THROW(reader.Skip(-1), UaDecodeError);
    EXPECT_THROW(reader.Peek(-1), UaDecodeError);
    EXPECT_EQ(reader.Peek(2), QByteArrayView("ef"));
}

TEST(UaBinary, PatchOverwritesOnlyWhatWasWritten) {
    UaBinaryWriter writer;
    writer.WriteUInt32(0);
    writer.WriteByte(7);
    writer.PatchUInt32(0, 0x11223344);
    EXPECT_EQ(writer.Bytes(), Hex("4433221107"));
    EXPECT_THROW(writer.PatchUInt32(2, 1), Exception);
    EXPECT_THROW(writer.PatchUInt32(-1, 1), Exception);
    EXPECT_EQ(writer.Size(), 5);
    EXPECT_EQ(writer.Take(), Hex("4433221107"));
    EXPECT_EQ(writer.Size(), 0);
}

} // namespace
