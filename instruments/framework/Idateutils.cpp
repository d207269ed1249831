#include "instruments/framework/Idateutils.h"

#include "platform/Exception.h"
#include "platform/NumberText.h"
#include "platform/Rounding.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int64_t MsPerDay = 86400000;
constexpr int64_t MsPerHour = 3600000;
constexpr int64_t MsPerMinute = 60000;
constexpr int64_t MsPerSecond = 1000;
// 30 December 1899 lies this many days before 1 January 1970.
constexpr int64_t EpochToUnixDays = 25569;

// A date-time as whole days since the epoch (toward zero) and milliseconds since midnight.
// Rounding the whole value to milliseconds first keeps a time just short of midnight from
// decoding as 24:00:00.000.
struct TimeStamp {
    int64_t days;
    int64_t milliSeconds;
};

TimeStamp ToTimeStamp(TDateTime dateTime) {
    const int64_t total = Round64(dateTime * double(MsPerDay));
    // The remainder keeps the sign of total; negating it instead overflowed at the lowest value.
    const int64_t remainder = total % MsPerDay;
    return {total / MsPerDay, remainder < 0 ? -remainder : remainder};
}

struct CivilDate {
    int64_t year;
    int64_t month;
    int64_t day;
};

// Proleptic Gregorian calendar, valid for any day count a TimeStamp can hold.
CivilDate CivilFromDays(int64_t days) {
    const int64_t z = days - EpochToUnixDays + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t dayOfEra = z - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int64_t month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month,
            dayOfYear - (153 * shiftedMonth + 2) / 5 + 1};
}

int64_t DaysFromCivil(CivilDate date) {
    const int64_t year = date.year - (date.month <= 2 ? 1 : 0);
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear =
        (153 * (date.month > 2 ? date.month - 3 : date.month + 9) + 2) / 5 + date.day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468 + EpochToUnixDays;
}

bool IsLeapYear(int64_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int64_t DaysInMonth(int64_t year, int64_t month) {
    static constexpr int64_t Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : Days[month - 1];
}

// Before the epoch the time of day is subtracted, so that it still counts from midnight.
TDateTime CombineDateAndTime(int64_t days, int64_t milliSeconds) {
    const double time = double(milliSeconds) / double(MsPerDay);
    return days >= 0 ? double(days) + time : double(days) - time;
}

// The count of whole units since the epoch, in 64 bits so that no overflow goes unseen.
int ElapsedSinceEpoch(TDateTime dateTime, int64_t msPerUnit, int outOfRange) {
    const TimeStamp stamp = ToTimeStamp(dateTime);
    // Beyond this many days every unit is out of the 32-bit range; the clamp keeps the
    // product inside 64 bits.
    const int64_t days = std::clamp<int64_t>(stamp.days, -1000000000, 1000000000);
    const int64_t count = days * (MsPerDay / msPerUnit) + stamp.milliSeconds / msPerUnit;
    if (count < 0 || count > std::numeric_limits<int32_t>::max()) return outOfRange;
    return int(count);
}

struct Components {
    uint16_t year, month, day, hour, minute, second, milliSecond;
};

Components Decode(TDateTime dateTime) {
    Components c{};
    DecodeDateTime(dateTime, c.year, c.month, c.day, c.hour, c.minute, c.second, c.milliSecond);
    return c;
}

uint16_t Recoded(uint16_t original, uint16_t asked) {
    return asked == RecodeLeaveFieldAsIs ? original : asked;
}

QString ComponentText(uint16_t original, uint16_t asked, TDateTime base) {
    if (asked != RecodeLeaveFieldAsIs) return QString::number(asked);
    return base == 0 ? QStringLiteral("?") : QString::number(original);
}

[[noreturn]] void InvalidDateTimeError(TDateTime base, const Components& asked) {
    const Components original = Decode(base);
    const auto text = [&](uint16_t Components::*field) {
        return ComponentText(original.*field, asked.*field, base);
    };
    const QString dateSeparator = QStringLiteral("/");
    const QString timeSeparator = QStringLiteral(":");
    const QString attempted = text(&Components::year) + dateSeparator + text(&Components::month) +
                              dateSeparator + text(&Components::day) + ' ' +
                              text(&Components::hour) + timeSeparator + text(&Components::minute) +
                              timeSeparator + text(&Components::second) + DecimalSeparator() +
                              text(&Components::milliSecond);
    throw EConvertError(QStringLiteral("'%1' is not a valid date and time").arg(attempted));
}

TDateTime IncFraction(TDateTime dateTime, int64_t count, double perDay) {
    return (dateTime * perDay + double(count)) / perDay;
}

} // namespace

int DateToMilliSeconds(TDateTime dateTime) {
    return ElapsedSinceEpoch(dateTime, 1, std::numeric_limits<int32_t>::max());
}

int DateToSeconds(TDateTime dateTime) {
    return ElapsedSinceEpoch(dateTime, MsPerSecond, std::numeric_limits<int32_t>::max());
}

int DateToMinutes(TDateTime dateTime) {
    return ElapsedSinceEpoch(dateTime, MsPerMinute, 10000);
}

int DateToHours(TDateTime dateTime) {
    return ElapsedSinceEpoch(dateTime, MsPerHour, std::numeric_limits<int32_t>::max());
}

uint16_t YearOf(TDateTime dateTime) {
    return Decode(dateTime).year;
}
uint16_t MonthOf(TDateTime dateTime) {
    return Decode(dateTime).month;
}
uint16_t DayOf(TDateTime dateTime) {
    return Decode(dateTime).day;
}
uint16_t HourOf(TDateTime dateTime) {
    return Decode(dateTime).hour;
}
uint16_t MinuteOf(TDateTime dateTime) {
    return Decode(dateTime).minute;
}
uint16_t SecondOf(TDateTime dateTime) {
    return Decode(dateTime).second;
}
uint16_t MilliSecondOf(TDateTime dateTime) {
    return Decode(dateTime).milliSecond;
}

TDateTime IncMonth(TDateTime dateTime, int64_t numberOfMonths) {
    const TimeStamp stamp = ToTimeStamp(dateTime);
    const CivilDate date = CivilFromDays(stamp.days);
    const int64_t months = date.year * 12 + (date.month - 1) + numberOfMonths;
    const int64_t year = (months >= 0 ? months : months - 11) / 12;
    const int64_t month = months - year * 12 + 1;
    const int64_t day = std::min(date.day, DaysInMonth(year, month));
    return CombineDateAndTime(DaysFromCivil({year, month, day}), stamp.milliSeconds);
}

TDateTime IncYear(TDateTime dateTime, int numberOfYears) {
    return IncMonth(dateTime, int64_t(numberOfYears) * 12);
}

TDateTime IncWeek(TDateTime dateTime, int numberOfWeeks) {
    return dateTime + double(numberOfWeeks) * 7;
}

TDateTime IncDay(TDateTime dateTime, int numberOfDays) {
    return dateTime + numberOfDays;
}

TDateTime IncHour(TDateTime dateTime, int64_t numberOfHours) {
    return IncFraction(dateTime, numberOfHours, 24);
}

TDateTime IncMinute(TDateTime dateTime, int64_t numberOfMinutes) {
    return IncFraction(dateTime, numberOfMinutes, 1440);
}

TDateTime IncSecond(TDateTime dateTime, int64_t numberOfSeconds) {
    return IncFraction(dateTime, numberOfSeconds, 86400);
}

TDateTime IncMilliSecond(TDateTime dateTime, int64_t numberOfMilliSeconds) {
    return IncFraction(dateTime, numberOfMilliSeconds, double(MsPerDay));
}

void DecodeDateTime(TDateTime dateTime, uint16_t& year, uint16_t& month, uint16_t& day,
                    uint16_t& hour, uint16_t& minute, uint16_t& second, uint16_t& milliSecond) {
    const TimeStamp stamp = ToTimeStamp(dateTime);
    const CivilDate date = CivilFromDays(stamp.days);
    year = uint16_t(date.year);
    month = uint16_t(date.month);
    day = uint16_t(date.day);
    hour = uint16_t(stamp.milliSeconds / MsPerHour);
    minute = uint16_t(stamp.milliSeconds % MsPerHour / MsPerMinute);
    second = uint16_t(stamp.milliSeconds % MsPerMinute / MsPerSecond);
    milliSecond = uint16_t(stamp.milliSeconds % MsPerSecond);
}

bool TryEncodeDateTime(uint16_t year, uint16_t month, uint16_t day, uint16_t hour, uint16_t minute,
                       uint16_t second, uint16_t milliSecond, TDateTime& dateTime) {
    const bool validDate = year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
                           day <= DaysInMonth(year, month);
    const bool validTime = hour < 24 && minute < 60 && second < 60 && milliSecond < 1000;
    if (!validDate || !validTime) return false;
    const int64_t milliSeconds =
        hour * MsPerHour + minute * MsPerMinute + second * MsPerSecond + milliSecond;
    dateTime = CombineDateAndTime(DaysFromCivil({year, month, day}), milliSeconds);
    return true;
}

bool TryRecodeDateTime(TDateTime dateTime, uint16_t year, uint16_t month, uint16_t day,
                       uint16_t hour, uint16_t minute, uint16_t second, uint16_t milliSecond,
                       TDateTime& result) {
    const Components c = Decode(dateTime);
    return TryEncodeDateTime(Recoded(c.year, year), Recoded(c.month, month), Recoded(c.day, day),
                             Recoded(c.hour, hour), Recoded(c.minute, minute),
                             Recoded(c.second, second), Recoded(c.milliSecond, milliSecond),
                             result);
}

TDateTime RecodeDateTime(TDateTime dateTime, uint16_t year, uint16_t month, uint16_t day,
                         uint16_t hour, uint16_t minute, uint16_t second, uint16_t milliSecond) {
    TDateTime result = 0;
    if (!TryRecodeDateTime(dateTime, year, month, day, hour, minute, second, milliSecond, result))
        InvalidDateTimeError(dateTime, {year, month, day, hour, minute, second, milliSecond});
    return result;
}

TDateTime RecodeYear(TDateTime dateTime, uint16_t year) {
    return RecodeDate(dateTime, year, RecodeLeaveFieldAsIs, RecodeLeaveFieldAsIs);
}

TDateTime RecodeMonth(TDateTime dateTime, uint16_t month) {
    return RecodeDate(dateTime, RecodeLeaveFieldAsIs, month, RecodeLeaveFieldAsIs);
}

TDateTime RecodeDay(TDateTime dateTime, uint16_t day) {
    return RecodeDate(dateTime, RecodeLeaveFieldAsIs, RecodeLeaveFieldAsIs, day);
}

TDateTime RecodeHour(TDateTime dateTime, uint16_t hour) {
    return RecodeTime(dateTime, hour, RecodeLeaveFieldAsIs, RecodeLeaveFieldAsIs,
                      RecodeLeaveFieldAsIs);
}

TDateTime RecodeMinute(TDateTime dateTime, uint16_t minute) {
    return RecodeTime(dateTime, RecodeLeaveFieldAsIs, minute, RecodeLeaveFieldAsIs,
                      RecodeLeaveFieldAsIs);
}

TDateTime RecodeSecond(TDateTime dateTime, uint16_t second) {
    return RecodeTime(dateTime, RecodeLeaveFieldAsIs, RecodeLeaveFieldAsIs, second,
                      RecodeLeaveFieldAsIs);
}

TDateTime RecodeMilliSecond(TDateTime dateTime, uint16_t milliSecond) {
    return RecodeTime(dateTime, RecodeLeaveFieldAsIs, RecodeLeaveFieldAsIs, RecodeLeaveFieldAsIs,
                      milliSecond);
}

TDateTime RecodeDate(TDateTime dateTime, uint16_t year, uint16_t month, uint16_t day) {
    return RecodeDateTime(dateTime, year, month, day, RecodeLeaveFieldAsIs, RecodeLeaveFieldAsIs,
                          RecodeLeaveFieldAsIs, RecodeLeaveFieldAsIs);
}

TDateTime RecodeTime(TDateTime dateTime, uint16_t hour, uint16_t minute, uint16_t second,
                     uint16_t milliSecond) {
    return RecodeDateTime(dateTime, RecodeLeaveFieldAsIs, RecodeLeaveFieldAsIs,
                          RecodeLeaveFieldAsIs, hour, minute, second, milliSecond);
}
