// Numbers as text. Files always use "." so that they read back the same in every locale;
// labels shown to the user use the one framework-wide decimal separator instead.
#pragma once

#include <QChar>
#include <QString>
#include <cstdint>

// General form with 15 significant digits: plain notation for 1e-4 <= |x| < 1e15 (trailing
// zeros and a trailing separator dropped), otherwise a mantissa, "E" and the exponent with its
// sign only when negative ("1E-5", "1.5E20"). Infinities and NaN are written "INF", "-INF"
// and "NAN", and TextToFloat reads those back, so no value fails to round-trip its class.
// A value that 15 digits do not give back exactly takes 16 or 17 (1/3 is written
// "0.3333333333333333"), so every double a file holds reads back equal.
QString FloatToText(double value);

// Reads the text written by FloatToText, and any decimal with an optional sign, fraction and
// exponent ("e" or "E"); leading and trailing blanks are ignored. A value too small for a
// double reads as zero; any other text raises EConvertError
// "'<text>' is not a valid floating point value".
double TextToFloat(const QString& text);

// Decimal integers with an optional sign, or hexadecimal after "$" or "0x" (whose 32 bits may
// wrap into the sign, so colours can be written as $80000005); leading blanks are skipped.
// Anything else, or a value out of range, raises EConvertError
// "'<text>' is not a valid integer value".
int StrToInt(const QString& text);
int64_t StrToInt64(const QString& text);
QString IntToStr(int64_t value);

// The separator of user-visible numbers; '.' until changed. Returns the previous one.
QChar DecimalSeparator();
QChar SetDecimalSeparator(QChar separator);

// FloatToText and TextToFloat with the user-visible separator; FloatToStr keeps to 15 digits.
QString FloatToStr(double value);
double StrToFloat(const QString& text);

// Fixed-point text with the given count of decimals (clamped to 0..18) and the user-visible
// separator, as the "%.<n>f" labels of scales and displays need.
QString FormatFixed(double value, int decimals);
