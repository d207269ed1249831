#include "instruments/framework/iDateTimeFormat.h"
#include "instruments/framework/Idateutils.h"
#include "tests/instruments/framework/RaisedMessage.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

// Tuesday 14 March 2023, 15:04:05.007.
TDateTime Sample() {
    TDateTime value = 0;
    TryEncodeDateTime(2023, 3, 14, 15, 4, 5, 7, value);
    return value;
}

} // namespace

TEST(FormatDateTime, TimeLettersWithTwoDigits) {
    EXPECT_EQ(FormatDateTime("hh:nn:ss", Sample()), "15:04:05");
    EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", Sample()), "15:04:05.007");
    EXPECT_EQ(FormatDateTime("h:n:s z", Sample()), "15:4:5 7");
    EXPECT_EQ(FormatDateTime("HH:NN", Sample()), "15:04");
}

TEST(FormatDateTime, MonthLettersAreMinutesRightAfterAnHour) {
    EXPECT_EQ(FormatDateTime("m/d hh:mm", Sample()), "3/14 15:04");
    EXPECT_EQ(FormatDateTime("mmm mmmm yy yyyy", Sample()), "Mar March 23 2023");
    EXPECT_EQ(FormatDateTime("ddd dddd dd", Sample()), "Tue Tuesday 14");
}

TEST(FormatDateTime, TwelveHourClockAndTheListedPatterns) {
    EXPECT_EQ(FormatDateTime("d mmm h:nn:ss am/pm", Sample()), "14 Mar 3:04:05 pm");
    EXPECT_EQ(FormatDateTime("m/d/yy h:nn:ss AM/PM", Sample()), "3/14/23 3:04:05 PM");
    EXPECT_EQ(FormatDateTime("m/d/yyyy h:nn a/p", Sample() - 0.5), "3/14/2023 3:04 a");
    EXPECT_EQ(FormatDateTime("h ampm", Sample() - 15.0 / 24), "12 AM");
}

TEST(FormatDateTime, QuotedTextAndWholeDatesAndTimes) {
    EXPECT_EQ(FormatDateTime("'day' d \"at\" hh", Sample()), "day 14 at 15");
    EXPECT_EQ(FormatDateTime("c", Sample()), "3/14/2023 15:04:05");
    EXPECT_EQ(FormatDateTime("c", Sample() - 15.0 / 24 - 4.0 / 1440 - 5.007 / 86400), "3/14/2023");
    EXPECT_EQ(FormatDateTime("ddddd t", Sample()), "3/14/2023 15:04");
    EXPECT_EQ(FormatDateTime("dddddd", Sample()), "Tuesday, March 14, 2023");
}

TEST(FormatDateTime, EpochAndDaysBeforeIt) {
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd ddd", 0), "1899-12-30 Sat");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn ddd", -1.25), "1899-12-29 06:00 Fri");
}

TEST(FormatDateTime, ValuesOutsideTheCalendarRaise) {
    EXPECT_EQ(RaisedMessage([] { FormatDateTime("hh", 1e10); }),
              "'10000000000' is not a valid date and time");
    EXPECT_NE(RaisedMessage([] { FormatDateTime("hh", std::numeric_limits<double>::quiet_NaN()); }),
              "no exception");
}
