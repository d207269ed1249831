// Date-time values as text by a pattern of letters: d dd ddd dddd (day, names), m mm mmm mmmm
// (month, names; minutes right after an hour), yy yyyy, h hh, n nn, s ss, z zzz, am/pm, a/p
// and ampm (a 12-hour clock), c, ddddd, dddddd, t and tt (whole dates and times), "/" and ":"
// (the separators), and text in single or double quotes; letters in either case. Every other
// character stands for itself.
#pragma once

#include "platform/Clock.h"

#include <QString>

// Raises EConvertError "'<value>' is not a valid date and time" for a value outside the years
// 1 to 9999 (NaN and infinities included).
QString FormatDateTime(const QString& Format, TDateTime Value);
