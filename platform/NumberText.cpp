#include "platform/NumberText.h"

#include "platform/Exception.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <utility>

namespace {

QChar displaySeparator = u'.';

constexpr int SignificantDigits = 15;
constexpr int MaxSignificantDigits = 17; // enough for every double to read back equal
constexpr int MaxFixedDecimals = 18;

std::optional<QString> NonFiniteText(double value) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    return std::nullopt;
}

// The significant digits (trailing zeros dropped) and the decimal exponent of the first one,
// after rounding to 15 digits, so that 999999999999999.9 counts as 1E15.
struct Decimal {
    bool negative;
    std::string digits;
    int exponent;
};

Decimal ToDecimal(double value, int significantDigits) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                   std::chars_format::scientific, significantDigits - 1)
                         .ptr;
    std::string text(buffer, end);
    Decimal decimal{text[0] == '-', {}, 0};
    const size_t e = text.find('e');
    for (size_t i = decimal.negative ? 1 : 0; i < e; ++i) {
        if (text[i] != '.') decimal.digits += text[i];
    }
    decimal.digits.erase(decimal.digits.find_last_not_of('0') + 1);
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    decimal.exponent);
    return decimal;
}

QString PlainText(const Decimal& d, QChar separator) {
    QString text = d.negative ? QStringLiteral("-") : QString();
    const QString digits = QString::fromStdString(d.digits);
    if (d.exponent < 0) {
        return text + u'0' + separator + QString(-d.exponent - 1, u'0') + digits;
    }
    const int integerLength = d.exponent + 1;
    if (digits.size() <= integerLength) {
        return text + digits + QString(integerLength - digits.size(), u'0');
    }
    return text + digits.left(integerLength) + separator + digits.mid(integerLength);
}

QString ScientificText(const Decimal& d, QChar separator) {
    QString text = d.negative ? QStringLiteral("-") : QString();
    text += QChar(d.digits[0]);
    if (d.digits.size() > 1) text += separator + QString::fromStdString(d.digits.substr(1));
    return text + u'E' + QString::number(d.exponent);
}

bool ReadsBackAs(const Decimal& decimal, double value) {
    std::string text = decimal.negative ? "-" : "";
    text +=
        decimal.digits + 'e' + std::to_string(decimal.exponent - int(decimal.digits.size()) + 1);
    double read = 0;
    std::from_chars(text.data(), text.data() + text.size(), read);
    return read == value;
}

// Files take the fewest digits from 15 up to 17 that read back as the same double; labels
// keep 15.
Decimal FileDecimal(double value) {
    for (int digits = SignificantDigits; digits < MaxSignificantDigits; ++digits) {
        Decimal decimal = ToDecimal(value, digits);
        if (ReadsBackAs(decimal, value)) return decimal;
    }
    return ToDecimal(value, MaxSignificantDigits);
}

QString GeneralText(double value, QChar separator, bool exact) {
    if (auto text = NonFiniteText(value)) return *text;
    if (value == 0) return QStringLiteral("0");
    const Decimal decimal = exact ? FileDecimal(value) : ToDecimal(value, SignificantDigits);
    if (decimal.exponent >= -4 && decimal.exponent < SignificantDigits) {
        return PlainText(decimal, separator);
    }
    return ScientificText(decimal, separator);
}

[[noreturn]] void RaiseFloatError(const QString& text) {
    throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}

[[noreturn]] void RaiseIntegerError(const QString& text) {
    throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Counts the digits from position i on, moving i past them.
int SkipDigits(const QString& text, qsizetype& i) {
    const qsizetype start = i;
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    return int(i - start);
}

// Checks the decimal grammar and returns it with "." as separator and no leading "+", ready
// for from_chars; nothing when the text is not a number.
std::optional<std::string> CanonicalDecimal(const QString& text, QChar separator) {
    qsizetype i = 0;
    std::string canonical;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-') canonical += '-';
        ++i;
    }
    const qsizetype mantissaStart = i;
    int digits = SkipDigits(text, i);
    canonical += text.mid(mantissaStart, i - mantissaStart).toStdString();
    if (i < text.size() && text[i] == separator) {
        const qsizetype fractionStart = ++i;
        digits += SkipDigits(text, i);
        canonical += '.' + text.mid(fractionStart, i - fractionStart).toStdString();
    }
    if (digits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        const qsizetype exponentStart = ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
        if (SkipDigits(text, i) == 0) return std::nullopt;
        const QString exponent = text.mid(exponentStart, i - exponentStart);
        canonical += 'e' + (exponent.startsWith(u'+') ? exponent.mid(1) : exponent).toStdString();
    }
    if (i != text.size()) return std::nullopt;
    return canonical;
}

// A magnitude beyond the double range: the decimal exponent of the leading non-zero digit
// tells overflow, an error, from underflow, a (signed) zero.
double OutOfRange(const std::string& canonical, const QString& text) {
    const size_t e = std::min(canonical.find('e'), canonical.size());
    long exponent = 0;
    if (e < canonical.size()) {
        const char* first = canonical.data() + e + 1;
        if (std::from_chars(first, canonical.data() + canonical.size(), exponent).ec !=
            std::errc()) {
            exponent =
                *first == '-' ? -std::numeric_limits<int>::max() : std::numeric_limits<int>::max();
        }
    }
    const std::string mantissa = canonical.substr(0, e);
    const size_t point = std::min(mantissa.find('.'), mantissa.size());
    const size_t leading = mantissa.find_first_of("123456789");
    const long leadingExponent =
        leading < point ? long(point - leading - 1) : -long(leading - point);
    if (leadingExponent + exponent > 0) RaiseFloatError(text);
    return canonical[0] == '-' ? -0.0 : 0.0;
}

double ParseFloat(const QString& text, QChar separator) {
    const QString trimmed = text.trimmed();
    const QString upper = trimmed.toUpper();
    if (upper == u"NAN") return std::numeric_limits<double>::quiet_NaN();
    if (upper == u"INF" || upper == u"+INF") return std::numeric_limits<double>::infinity();
    if (upper == u"-INF") return -std::numeric_limits<double>::infinity();
    const auto canonical = CanonicalDecimal(trimmed, separator);
    if (!canonical) RaiseFloatError(text);
    double value = 0;
    const auto result =
        std::from_chars(canonical->data(), canonical->data() + canonical->size(), value);
    if (result.ec == std::errc::result_out_of_range) return OutOfRange(*canonical, text);
    return value;
}

// The magnitude of a hexadecimal or decimal integer text without sign; nothing when the
// text is not one or exceeds 64 bits.
std::optional<uint64_t> ParseMagnitude(const QString& text, int base) {
    if (text.isEmpty()) return std::nullopt;
    const std::string digits = text.toStdString();
    uint64_t value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (result.ec != std::errc() || result.ptr != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return value;
}

// Hexadecimal fills the whole width, its top bit being the sign.
int64_t WrapHexadecimal(uint64_t magnitude, bool negative, int bits, const QString& text) {
    if (bits < 64 && (magnitude >> bits) != 0) RaiseIntegerError(text);
    uint64_t value = negative ? 0 - magnitude : magnitude;
    if (bits < 64) {
        const uint64_t mask = (uint64_t(1) << bits) - 1;
        value &= mask;
        if (value >> (bits - 1)) value |= ~mask;
    }
    return int64_t(value);
}

int64_t ParseInteger(const QString& text, int bits) {
    QString rest = text;
    while (rest.startsWith(u' ') || rest.startsWith(u'\t'))
        rest.remove(0, 1);
    const bool negative = rest.startsWith(u'-');
    if (negative || rest.startsWith(u'+')) rest.remove(0, 1);
    int base = 10;
    if (rest.startsWith(u'$')) {
        base = 16;
        rest.remove(0, 1);
    } else if (rest.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        rest.remove(0, 2);
    }
    // from_chars would accept a second sign; only digits may follow.
    if (rest.startsWith(u'-') || rest.startsWith(u'+')) RaiseIntegerError(text);
    const auto magnitude = ParseMagnitude(rest, base);
    if (!magnitude) RaiseIntegerError(text);
    if (base == 16) return WrapHexadecimal(*magnitude, negative, bits, text);
    const uint64_t limit = uint64_t(1) << (bits - 1);
    if (*magnitude > (negative ? limit : limit - 1)) RaiseIntegerError(text);
    return int64_t(negative ? 0 - *magnitude : *magnitude);
}

} // namespace

QString FloatToText(double value) {
    return GeneralText(value, u'.', true);
}

double TextToFloat(const QString& text) {
    return ParseFloat(text, u'.');
}

int StrToInt(const QString& text) {
    return int(ParseInteger(text, 32));
}

int64_t StrToInt64(const QString& text) {
    return ParseInteger(text, 64);
}

QString IntToStr(int64_t value) {
    return QString::number(value);
}

QChar DecimalSeparator() {
    return displaySeparator;
}

QChar SetDecimalSeparator(QChar separator) {
    return std::exchange(displaySeparator, separator);
}

QString FloatToStr(double value) {
    return GeneralText(value, displaySeparator, false);
}

double StrToFloat(const QString& text) {
    return ParseFloat(text, displaySeparator);
}

QString FormatFixed(double value, int decimals) {
    if (auto text = NonFiniteText(value)) return *text;
    QString text = QString::number(value, 'f', std::clamp(decimals, 0, MaxFixedDecimals));
    return text.replace(u'.', displaySeparator);
}
