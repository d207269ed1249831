#include "plot/iPlotAxisText.h"

#include "instruments/framework/Igpfunctions.h"
#include "instruments/framework/iDateTimeFormat.h"
#include "instruments/framework/iScaleObject.h"
#include "platform/Exception.h"
#include "platform/NumberText.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

const QString UnknownText = QStringLiteral("Unknown");

// Rounding a value just below zero to the decimals shown leaves a bare "-0.0".
QString WithoutNegativeZero(const QString& text) {
    if (!text.startsWith(u'-')) return text;
    for (QChar c : QStringView(text).mid(1))
        if (c != u'0' && c != DecimalSeparator()) return text;
    return text.mid(1);
}

// The scales' own tick text, so knob, slider and axis labels read alike.
QString FixedText(double value, int decimals) {
    return WithoutNegativeZero(TickLabelText(value, decimals));
}

int DecimalsOf(double width, const TiPlotAxisTextFormat& format) {
    return GetDecimalPoints(0, width, format.Precision, format.PrecisionStyle);
}

QString LogValueText(double value) {
    return FixedText(value, std::max(0, -Trunc(std::log10(value) - 0.5)));
}

QString ExponentText(double value, const TiPlotAxisTextFormat& format) {
    if (!std::isfinite(value)) return FormatFixed(value, 0);
    const int64_t decimals =
        int64_t(format.Precision) + (format.PrecisionStyle == ipsFixedDecimalPoints ? 1 : 0);
    QString text = QString::number(value, 'e', int(std::clamp<int64_t>(decimals, 0, 18)));
    return text.replace(u'.', DecimalSeparator());
}

QString PrefixOf(int exponent) {
    switch (exponent) {
    case 24:
        return QStringLiteral("Y");
    case 21:
        return QStringLiteral("Z");
    case 18:
        return QStringLiteral("E");
    case 15:
        return QStringLiteral("P");
    case 12:
        return QStringLiteral("T");
    case 9:
        return QStringLiteral("G");
    case 6:
        return QStringLiteral("M");
    case 3:
        return QStringLiteral("K");
    case 0:
        return QString();
    case -3:
        return QStringLiteral("m");
    case -6:
        return QStringLiteral("\u00B5");
    case -9:
        return QStringLiteral("n");
    case -12:
        return QStringLiteral("p");
    case -15:
        return QStringLiteral("f");
    case -18:
        return QStringLiteral("a");
    case -21:
        return QStringLiteral("z");
    case -24:
        return QStringLiteral("y");
    default:
        return UnknownText;
    }
}

QString PrefixText(double value, const TiPlotAxisTextFormat& format) {
    const int exponent = value == 0 ? 0 : Trunc(std::trunc(std::log10(std::abs(value)) / 3) * 3);
    const QString prefix = PrefixOf(exponent);
    if (prefix == UnknownText) return UnknownText;
    const double scaled = value / std::pow(10.0, exponent);
    return FixedText(scaled, DecimalsOf(scaled, format)) + prefix;
}

QString DateTimeText(double value, const QString& pattern) {
    if (pattern.startsWith(u'J', Qt::CaseInsensitive))
        return (IntToStr(Trunc64(value)) + u' ' + FormatDateTime(pattern.mid(1), value)).trimmed();
    return FormatDateTime(pattern, value).trimmed();
}

// The whole part, then 32nds in two digits and eighths of a 32nd in one. The magnitude is
// formatted and the sign put in front: negative values gave garbled texts such as "-1.-16-0".
QString Price32ndsText(double value) {
    if (!std::isfinite(value)) throw EConvertError(FormatFixed(value, 0));
    const double magnitude = std::abs(value) + 1.0 / 512;
    int64_t whole = Trunc64(magnitude);
    int64_t q = Round64((magnitude - std::trunc(magnitude)) * 1024);
    // A fraction that rounds up to a whole carries into it instead of showing 32/32.
    if (q >= 1024) {
        ++whole;
        q -= 1024;
    }
    const QString sign = value < 0 && (whole != 0 || q / 4 != 0) ? QStringLiteral("-") : QString();
    return sign + IntToStr(whole) + u'.' + QString::number(q / 32).rightJustified(2, u'0') +
           QString::number(q % 32 / 4);
}

QString ThousandsText(double value, int decimals) {
    QString text = FixedText(value, decimals);
    if (!std::isfinite(value)) return text;
    const QChar separator = DecimalSeparator() == u',' ? u'.' : u',';
    const int start = text.startsWith(u'-') ? 1 : 0;
    int end = text.indexOf(DecimalSeparator());
    if (end < 0) end = text.size();
    for (int i = end - 3; i > start; i -= 3)
        text.insert(i, separator);
    return text;
}

QString FormattedText(double value, const TiPlotAxisTextFormat& format, double span) {
    switch (format.Style) {
    case iptfValue:
        return FixedText(value, DecimalsOf(span, format));
    case iptfExponent:
        return ExponentText(value, format);
    case iptfPrefix:
        return PrefixText(value, format);
    case iptfDateTime:
        return DateTimeText(value, format.DateTimeFormat);
    case iptfPrice32nds:
        return Price32ndsText(value);
    case iptfThousands:
        return ThousandsText(value, DecimalsOf(span, format));
    }
    return UnknownText;
}

} // namespace

TiPlotAxisValueText PlotAxisValueText(double Value, const TiPlotAxisTextFormat& Format, double Span,
                                      bool Log) {
    try {
        if (Log && Format.Style == iptfValue) {
            if (!(Value > 0)) return {UnknownText, false};
            return {LogValueText(Value)};
        }
        return {FormattedText(Value, Format, Span)};
    } catch (const std::exception&) {
        return {QStringLiteral("Error")};
    }
}

QString PlotAxisSingleLine(QString Text) {
    return Text.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\r', u' ');
}

void TiPlotAxisLabelTexts::BeginLayout() {
    texts_.removeIf([this](const auto& kept) { return kept.value().Era < era_; });
}
