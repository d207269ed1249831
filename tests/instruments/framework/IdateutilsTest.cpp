#include "instruments/framework/Idateutils.h"

#include "platform/Exception.h"
#include "platform/NumberText.h"
#include "tests/instruments/framework/RaisedMessage.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr int Largest = std::numeric_limits<int32_t>::max();

struct Parts {
    uint16_t year, month, day, hour, minute, second, milliSecond;
    friend bool operator==(const Parts&, const Parts&) = default;
};

Parts Decoded(TDateTime value) {
    Parts p{};
    DecodeDateTime(value, p.year, p.month, p.day, p.hour, p.minute, p.second, p.milliSecond);
    return p;
}

} // namespace

class IdateutilsTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(TryEncodeDateTime(2001, 2, 3, 4, 5, 6, 789, sample)); }

    QString Attempted(const QString& date, const QString& time, const QString& ms) const {
        return QStringLiteral("'%1 %2%3%4' is not a valid date and time")
            .arg(date, time, DecimalSeparator(), ms);
    }

    TDateTime sample = 0;
};

TEST_F(IdateutilsTest, EncodesDaysSinceTheEpochAndDecodesEveryComponent) {
    EXPECT_NEAR(sample, 36925 + (4 * 3600000 + 5 * 60000 + 6789) / 86400000.0, 1e-12);
    EXPECT_EQ(Decoded(sample), (Parts{2001, 2, 3, 4, 5, 6, 789}));
    EXPECT_EQ(YearOf(sample), 2001);
    EXPECT_EQ(MilliSecondOf(sample), 789);
}

TEST_F(IdateutilsTest, BeforeTheEpochTheTimeStillCountsFromMidnight) {
    EXPECT_EQ(Decoded(-1.25), (Parts{1899, 12, 29, 6, 0, 0, 0}));
    TDateTime encoded = 0;
    ASSERT_TRUE(TryEncodeDateTime(1899, 12, 29, 6, 0, 0, 0, encoded));
    EXPECT_DOUBLE_EQ(encoded, -1.25);
}

TEST_F(IdateutilsTest, ElapsedCountsGiveTheirSentinelWhenNegativeOrBeyond32Bits) {
    EXPECT_EQ(DateToMilliSeconds(1.5), 86400000 + 43200000);
    EXPECT_EQ(DateToSeconds(IncSecond(20000.0, 7)), 20000 * 86400 + 7);
    EXPECT_EQ(DateToSeconds(sample), Largest);
    EXPECT_EQ(DateToMilliSeconds(24.0), 24 * 86400000);
    // 25 days of milliseconds no longer fit; the sign alone would not show it.
    EXPECT_EQ(DateToMilliSeconds(25.0), Largest);
    EXPECT_EQ(DateToSeconds(1e300), Largest);
    EXPECT_EQ(DateToHours(-1.25), Largest);
    EXPECT_EQ(DateToMinutes(-1.25), 10000);
    EXPECT_EQ(DateToMinutes(1e300), 10000);
    EXPECT_EQ(DateToMinutes(std::nan("")), 0);
}

TEST_F(IdateutilsTest, IncrementsKeepTheTimeAndClampTheDayToTheMonth) {
    TDateTime leapDay = 0;
    ASSERT_TRUE(TryEncodeDateTime(2000, 2, 29, 12, 0, 0, 0, leapDay));
    EXPECT_EQ(Decoded(IncYear(leapDay, 1)), (Parts{2001, 2, 28, 12, 0, 0, 0}));
    EXPECT_EQ(Decoded(IncYear(leapDay, -4)), (Parts{1996, 2, 29, 12, 0, 0, 0}));
    EXPECT_EQ(Decoded(IncYear(-1.25, 1)), (Parts{1900, 12, 29, 6, 0, 0, 0}));
    EXPECT_EQ(Decoded(IncMilliSecond(sample, 211)), (Parts{2001, 2, 3, 4, 5, 7, 0}));
}

TEST_F(IdateutilsTest, TryEncodeDateTimeRejectsInvalidDatesAndTimes) {
    TDateTime value = 7;
    EXPECT_FALSE(TryEncodeDateTime(2001, 2, 29, 0, 0, 0, 0, value));
    EXPECT_FALSE(TryEncodeDateTime(10000, 1, 1, 0, 0, 0, 0, value));
    EXPECT_FALSE(TryEncodeDateTime(2001, 1, 1, 24, 0, 0, 0, value));
    EXPECT_FALSE(TryEncodeDateTime(2001, 1, 1, 0, 0, 0, 1000, value));
    EXPECT_EQ(value, 7);
    EXPECT_TRUE(TryEncodeDateTime(2000, 2, 29, 23, 59, 59, 999, value));
}

TEST_F(IdateutilsTest, RecodeReplacesOnlyTheComponentsAskedFor) {
    EXPECT_EQ(Decoded(RecodeYear(sample, 1999)), (Parts{1999, 2, 3, 4, 5, 6, 789}));
    EXPECT_EQ(Decoded(RecodeTime(sample, 23, RecodeLeaveFieldAsIs, 0, RecodeLeaveFieldAsIs)),
              (Parts{2001, 2, 3, 23, 5, 0, 789}));
    EXPECT_EQ(Decoded(RecodeDateTime(sample, RecodeLeaveFieldAsIs, 12, 31, 0, 0, 0, 0)),
              (Parts{2001, 12, 31, 0, 0, 0, 0}));
}

TEST_F(IdateutilsTest, RecodeRaisesAConversionErrorShowingTheAttemptedDateTime) {
    EXPECT_EQ(RaisedMessage([&] { RecodeDay(sample, 30); }),
              Attempted("2001/2/30", "4:5:6", "789"));
    EXPECT_EQ(RaisedMessage([] { RecodeMinute(0, 60); }), Attempted("?/?/?", "?:60:?", "?"));
    EXPECT_THROW(RecodeMonth(sample, 13), EConvertError);
    TDateTime result = 3;
    EXPECT_FALSE(TryRecodeDateTime(sample, RecodeLeaveFieldAsIs, 13, RecodeLeaveFieldAsIs,
                                   RecodeLeaveFieldAsIs, RecodeLeaveFieldAsIs, RecodeLeaveFieldAsIs,
                                   RecodeLeaveFieldAsIs, result));
    EXPECT_EQ(result, 3);
}

TEST(IdateutilsLimits, DecodingTheLowestValuesStaysDefined) {
    uint16_t y, m, d, h, n, s, z;
    DecodeDateTime(-1e300, y, m, d, h, n, s, z);
    DecodeDateTime(-std::numeric_limits<double>::infinity(), y, m, d, h, n, s, z);
    SUCCEED();
}
