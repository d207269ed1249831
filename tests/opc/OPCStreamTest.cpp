#include "opc/iOPCTypes.h"
#include "platform/DataAccess.h"

#include <QtEndian>
#include <cstring>
#include <gtest/gtest.h>

namespace {

// Builds a timed data stream: header, records, then each value's variant (and a string's
// byte count and characters).
class StreamBuilder {
public:
    explicit StreamBuilder(bool withTime = true) : withTime_(withTime) {}
    StreamBuilder& Item(quint32 handle, quint16 vt, quint64 bits, quint16 quality,
                        qint64 fileTime = 0, const QString& text = QString()) {
        items_.push_back({handle, vt, bits, quality, fileTime, text});
        return *this;
    }
    QByteArray Build(qint32 status = 0) const {
        const int record =
            withTime_ ? OPCStreamLayout::ItemHeaderTimeSize : OPCStreamLayout::ItemHeaderSize;
        QByteArray header, values;
        const int valuesStart = OPCStreamLayout::GroupHeaderSize + int(items_.size()) * record;
        for (const Entry& e : items_) {
            Put<quint32>(header, e.handle);
            Put<quint32>(header, quint32(valuesStart + values.size()));
            Put<quint16>(header, e.quality);
            Put<quint16>(header, 0);
            if (withTime_) Put<qint64>(header, e.fileTime);
            Put<quint16>(values, e.vt);
            values.append(6, '\0');
            Put<quint64>(values, e.bits);
            if (e.vt == vtBstr) {
                Put<quint32>(values, quint32(e.text.size() * 2));
                for (QChar c : e.text)
                    Put<quint16>(values, c.unicode());
            }
        }
        QByteArray stream;
        Put<quint32>(stream, quint32(valuesStart + values.size()));
        Put<quint32>(stream, quint32(items_.size()));
        Put<quint32>(stream, 0);
        Put<quint32>(stream, 0);
        Put<qint32>(stream, status);
        return stream + header + values;
    }
    template <typename T> static void Put(QByteArray& bytes, T value) {
        char raw[sizeof(T)];
        qToLittleEndian(value, raw);
        bytes.append(raw, sizeof(T));
    }

private:
    struct Entry {
        quint32 handle;
        quint16 vt;
        quint64 bits;
        quint16 quality;
        qint64 fileTime;
        QString text;
    };
    bool withTime_;
    std::vector<Entry> items_;
};

quint64 BitsOf(double value) {
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

TEST(OPCStream, ReaderGivesEachItemsValueQualityAndTime) {
    const QByteArray stream = StreamBuilder()
                                  .Item(1, vtR8, BitsOf(2.5), 0xC0 | 0x1B, 1234)
                                  .Item(2, vtI4, quint32(-7), 0x40)
                                  .Item(3, vtBstr, 0, 0xC0, 0, "Pump")
                                  .Item(4, vtBool, 0xFFFF, 0xC0)
                                  .Build();
    const auto items = ReadOPCDataStream(OPCStreamFormat::DataTime, stream);
    ASSERT_TRUE(items);
    ASSERT_EQ(items->size(), 4u);
    EXPECT_EQ((*items)[0].Value, QVariant(2.5));
    EXPECT_EQ((*items)[0].Quality, 0xC0) << "only the two quality bits are kept";
    EXPECT_EQ((*items)[0].FileTime, 1234);
    EXPECT_EQ((*items)[1].Value, QVariant(-7));
    EXPECT_EQ((*items)[2].Value, QVariant(QString("Pump")));
    EXPECT_EQ((*items)[3].Value, QVariant(true));
    EXPECT_EQ((*items)[3].ClientHandle, 4u);

    const auto plain = ReadOPCDataStream(OPCStreamFormat::Data,
                                         StreamBuilder(false).Item(9, vtI2, 12, 0xC0).Build());
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->front().Value, QVariant(12));
    EXPECT_EQ(plain->front().FileTime, 0);
}

TEST(OPCStream, ReaderRefusesEveryOffsetAndCountOutsideTheStream) {
    const QByteArray good = StreamBuilder().Item(1, vtBstr, 0, 0xC0, 0, "abc").Build();
    ASSERT_TRUE(ReadOPCDataStream(OPCStreamFormat::DataTime, good));
    for (int size = 0; size < good.size(); ++size)
        EXPECT_FALSE(ReadOPCDataStream(OPCStreamFormat::DataTime, good.left(size))) << size;

    QByteArray hugeCount = good;
    qToLittleEndian<quint32>(0xFFFFFFFF, hugeCount.data() + 4);
    EXPECT_FALSE(ReadOPCDataStream(OPCStreamFormat::DataTime, hugeCount));
    QByteArray farOffset = good;
    qToLittleEndian<quint32>(0xFFFFFFF0, farOffset.data() + OPCStreamLayout::GroupHeaderSize + 4);
    EXPECT_FALSE(ReadOPCDataStream(OPCStreamFormat::DataTime, farOffset));
    QByteArray longString = good;
    const int countAt = OPCStreamLayout::GroupHeaderSize + OPCStreamLayout::ItemHeaderTimeSize +
                        OPCStreamLayout::VariantSize;
    qToLittleEndian<quint32>(0x7FFFFFFE, longString.data() + countAt);
    EXPECT_FALSE(ReadOPCDataStream(OPCStreamFormat::DataTime, longString));
    qToLittleEndian<quint32>(3, longString.data() + countAt);
    EXPECT_FALSE(ReadOPCDataStream(OPCStreamFormat::DataTime, longString)) << "odd byte count";
}

TEST(OPCStream, ReaderRefusesAFailedGroupAndOtherFormats) {
    EXPECT_FALSE(ReadOPCDataStream(OPCStreamFormat::DataTime,
                                   StreamBuilder().Item(1, vtI4, 1, 0xC0).Build(-1)));
    EXPECT_FALSE(ReadOPCDataStream(OPCStreamFormat::WriteComplete,
                                   StreamBuilder().Item(1, vtI4, 1, 0xC0).Build()));
}

} // namespace
