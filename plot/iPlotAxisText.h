// The texts an axis makes of a value: tick labels, cursor and legend read-outs, in one of the
// text formats (fixed-point with a precision rule, exponent, SI prefix, date-time, price in
// 32nds, thousands).
#pragma once

#include "instruments/framework/iTypes.h"
#include "plot/iPlotTypes.h"

#include <QString>

// One set of format settings: the labels', the cursor's or the legend's.
struct TiPlotAxisTextFormat {
    TiPlotTextFormat Style = iptfValue;
    QString DateTimeFormat = QStringLiteral("hh:nn:ss");
    int Precision = 3;
    TiPrecisionStyle PrecisionStyle = ipsSignificantDigits;
};

struct TiPlotAxisValueText {
    QString Text;
    // False for a value no rule can show on a log scale (0 or below): the text stays "Unknown"
    // and is not offered for customizing.
    bool Made = true;
};

// The text of Value on an axis of Span (whose precision rule sets the decimals); "Unknown"
// where no rule gives a text, "Error" where formatting fails. A fixed-point text that rounds
// to zero never shows a minus sign.
TiPlotAxisValueText PlotAxisValueText(double Value, const TiPlotAxisTextFormat& Format, double Span,
                                      bool Log);

// Cursor and legend texts stand on one line: CR LF, then CR, become a blank.
QString PlotAxisSingleLine(QString Text);
