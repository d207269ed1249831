#include "instruments/controls/iSevenSegmentAnalog.h"

#include "platform/NumberText.h"
#include "platform/PropertyDefaults.h"

#include <algorithm>
#include <cmath>

namespace {

const PropertyDefaults::Registration defaults(TiSevenSegmentAnalog::staticMetaObject,
                                              {
                                                  {"Value", 0.0},
                                                  {"Precision", 2},
                                                  {"ShowSign", true},
                                                  {"Width", 84},
                                                  {"Height", 28},
                                              });

constexpr double MaxMagnitude = 1e15;
constexpr int MaxPrecision = 13;

// NaN equals NaN here, so that setting it again is no change.
bool SameValue(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

} // namespace

TiSevenSegmentAnalog::TiSevenSegmentAnalog(QWidget* parent) : TiSevenSegmentDisplay(parent) {
    DoAutoSize();
}

// Bounded below as well as above: a large negative value would otherwise format to more
// digits than any display holds. NaN and both infinities are kept as given and show blanks,
// never the text of a clamped number they are not.
void TiSevenSegmentAnalog::SetValue(double value) {
    if (std::isfinite(value)) value = std::clamp(value, -MaxMagnitude, MaxMagnitude);
    if (SameValue(value, value_) || !RequestEdit(QStringLiteral("Value"))) return;
    value_ = value;
    InvalidateChange();
    DoValueChange();
}

// The upper bound applies before the equality test, the lower one after it.
void TiSevenSegmentAnalog::SetPrecision(int value) {
    value = std::min(value, MaxPrecision);
    if (value == precision_) return;
    precision_ = std::max(value, 0);
    DoAutoSize();
    InvalidateChange();
}

void TiSevenSegmentAnalog::SetShowSign(bool value) {
    if (value == showSign_) return;
    showSign_ = value;
    DoAutoSize();
    InvalidateChange();
}

void TiSevenSegmentAnalog::SetValueNoEvent(double value) {
    WithoutValueEvent([&] { SetValue(value); });
}

TiSevenSegmentCells TiSevenSegmentAnalog::Cells() const {
    TiSevenSegmentCells cells;
    if (!std::isfinite(value_)) {
        cells.Codes.assign(std::size_t(CellCount()), sscBlank);
        return cells;
    }
    if (showSign_) cells.Codes.push_back(SignCode(value_ < 0));
    AppendNumber(cells);
    return cells;
}

// The text is split at its separator, "." or ",", whichever the user's setting writes.
void TiSevenSegmentAnalog::AppendNumber(TiSevenSegmentCells& cells) const {
    const QString text = FormatFixed(std::fabs(value_), precision_);
    const qsizetype room = DigitCount() + (precision_ > 0 ? 1 : 0);
    if (text.size() > room) {
        AppendOverflow(cells, value_ < 0);
        return;
    }
    qsizetype separator = text.indexOf('.');
    if (separator < 0) separator = text.indexOf(',');
    const QString integerPart = separator < 0 ? text : text.left(separator);
    const QString fraction = separator < 0 ? QString() : text.mid(separator + 1);
    AppendText(cells, integerPart, DigitCount() - precision_);
    if (precision_ <= 0 || DigitCount() <= 1) return;
    cells.MarkBefore = int(cells.Codes.size());
    cells.Mark = separator >= 0 && text[separator] == '.' ? sscPeriod : sscComma;
    const QString decimals = fraction.left(precision_).rightJustified(precision_, '0');
    for (QChar digit : decimals.left(std::min(precision_, DigitCount() - 1)))
        cells.Codes.push_back(ConvertCharacterToValue(digit));
}
