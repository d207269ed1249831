#include "instruments/framework/iDateTimeFormat.h"

#include "instruments/framework/Idateutils.h"
#include "platform/Exception.h"
#include "platform/NumberText.h"
#include "platform/Rounding.h"

#include <array>

namespace {

// 1 January 0001 and 1 January 10000.
constexpr double FirstDay = -693593;
constexpr double DayAfterLast = 2958466;

constexpr std::array<const char*, 12> MonthNames{"January",   "February", "March",    "April",
                                                 "May",       "June",     "July",     "August",
                                                 "September", "October",  "November", "December"};
constexpr std::array<const char*, 7> DayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                              "Thursday", "Friday", "Saturday"};

const QString ShortDate = QStringLiteral("m/d/yyyy");
const QString LongDate = QStringLiteral("dddd, mmmm d, yyyy");
const QString ShortTime = QStringLiteral("hh:nn");
const QString LongTime = QStringLiteral("hh:nn:ss");

struct Parts {
    uint16_t year, month, day, hour, minute, second, milliSecond;
    int weekDay; // 0 Sunday
    bool hasTime;
};

// The length of the 12-hour marker that starts rest ("am/pm", "a/p", "ampm"); 0 for none.
int MarkerLength(QStringView rest) {
    for (QStringView marker : {u"am/pm", u"a/p", u"ampm"})
        if (rest.startsWith(marker, Qt::CaseInsensitive)) return int(marker.size());
    return 0;
}

QString Padded(int value, int width) {
    return QString::number(value).rightJustified(width, u'0');
}

// Formats by walking the pattern once; an hour seen last turns a following "m" into minutes.
class Formatter {
public:
    Formatter(const Parts& parts, bool twelveHour) : parts_(parts), twelveHour_(twelveHour) {}

    QString Run(const QString& format) {
        int i = 0;
        while (i < format.size())
            i = Step(format, i);
        return out_;
    }

private:
    static int RunLength(const QString& format, int i, QChar letter) {
        int n = 0;
        while (i + n < format.size() && format[i + n].toLower() == letter)
            ++n;
        return n;
    }

    // The 12-hour marker at i in the pattern's case; its length, 0 when there is none.
    int Marker(const QString& format, int i) {
        const bool pm = parts_.hour >= 12;
        const QStringView rest = QStringView(format).mid(i);
        const int length = MarkerLength(rest);
        if (length == 5)
            out_ += rest.mid(pm ? 3 : 0, 2);
        else if (length == 3)
            out_ += rest.mid(pm ? 2 : 0, 1);
        else if (length == 4)
            out_ += pm ? QStringLiteral("PM") : QStringLiteral("AM");
        return length;
    }

    QString Nested(const QString& pattern) const {
        return Formatter(parts_, twelveHour_).Run(pattern);
    }

    int Hour() const {
        if (!twelveHour_) return parts_.hour;
        const int hour = parts_.hour % 12;
        return hour == 0 ? 12 : hour;
    }

    QString Day(int n) const {
        if (n <= 2) return Padded(parts_.day, n);
        if (n == 3) return QString::fromLatin1(DayNames[parts_.weekDay]).left(3);
        if (n == 4) return QString::fromLatin1(DayNames[parts_.weekDay]);
        return Nested(n == 5 ? ShortDate : LongDate);
    }

    QString Month(int n) const {
        if (n <= 2) return Padded(parts_.month, n);
        if (n == 3) return QString::fromLatin1(MonthNames[parts_.month - 1]).left(3);
        return QString::fromLatin1(MonthNames[parts_.month - 1]);
    }

    // The text of a run of n equal pattern letters.
    QString Field(QChar letter, int n, bool afterHour, QStringView run) const {
        switch (letter.unicode()) {
        case u'd':
            return Day(std::min(n, 6));
        case u'm':
            return afterHour && n <= 2 ? Padded(parts_.minute, n) : Month(std::min(n, 4));
        case u'y':
            return n <= 2 ? Padded(parts_.year % 100, 2) : Padded(parts_.year, 4);
        case u'h':
            return Padded(Hour(), std::min(n, 2));
        case u'n':
            return Padded(parts_.minute, std::min(n, 2));
        case u's':
            return Padded(parts_.second, std::min(n, 2));
        case u'z':
            return Padded(parts_.milliSecond, n >= 3 ? 3 : 1);
        case u't':
            return Nested(n == 1 ? ShortTime : LongTime);
        case u'c':
            return parts_.hasTime ? Nested(ShortDate) + u' ' + Nested(LongTime) : Nested(ShortDate);
        default:
            return run.toString();
        }
    }

    int Step(const QString& format, int i) {
        const QChar c = format[i];
        const QChar letter = c.toLower();
        if (c == u'"' || c == u'\'') {
            const int close = format.indexOf(c, i + 1);
            const int end = close < 0 ? format.size() : close;
            out_ += format.mid(i + 1, end - i - 1);
            return end + 1;
        }
        if (letter == u'a')
            if (const int used = Marker(format, i)) return i + used;
        const int n = RunLength(format, i, letter);
        const bool afterHour = hourLast_;
        // Separators between an hour and "mm" keep it minutes ("hh:mm").
        if (letter.isLetter()) hourLast_ = letter == u'h';
        out_ += Field(letter, n, afterHour, QStringView(format).mid(i, n));
        return i + n;
    }

    const Parts& parts_;
    bool twelveHour_;
    bool hourLast_ = false;
    QString out_;
};

// A pattern with an am/pm marker (outside quotes) shows hours on a 12-hour clock.
bool HasTwelveHourMarker(const QString& format) {
    QChar quote;
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (MarkerLength(QStringView(format).mid(i)) != 0) {
            return true;
        }
    }
    return false;
}

} // namespace

QString FormatDateTime(const QString& Format, TDateTime Value) {
    if (!(Value >= FirstDay && Value < DayAfterLast))
        throw EConvertError(
            QStringLiteral("'%1' is not a valid date and time").arg(FloatToStr(Value)));
    Parts parts{};
    DecodeDateTime(Value, parts.year, parts.month, parts.day, parts.hour, parts.minute,
                   parts.second, parts.milliSecond);
    const int64_t days = Trunc64(Value);
    // 30 December 1899, day 0, was a Saturday.
    parts.weekDay = int(((days + 6) % 7 + 7) % 7);
    parts.hasTime = parts.hour || parts.minute || parts.second || parts.milliSecond;
    return Formatter(parts, HasTwelveHourMarker(Format)).Run(Format);
}
