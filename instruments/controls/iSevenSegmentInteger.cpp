#include "instruments/controls/iSevenSegmentInteger.h"

#include "platform/PropertyDefaults.h"

#include <cstdint>
#include <cstdlib>

namespace {

const PropertyDefaults::Registration defaults(TiSevenSegmentInteger::staticMetaObject,
                                              {
                                                  {"Value", 0},
                                                  {"ShowSign", true},
                                                  {"Width", 84},
                                                  {"Height", 28},
                                              });

} // namespace

TiSevenSegmentInteger::TiSevenSegmentInteger(QWidget* parent) : TiSevenSegmentDisplay(parent) {
    DoAutoSize();
}

void TiSevenSegmentInteger::SetValue(int value) {
    if (value == value_ || !RequestEdit(QStringLiteral("Value"))) return;
    value_ = value;
    InvalidateChange();
    DoValueChange();
}

void TiSevenSegmentInteger::SetShowSign(bool value) {
    if (value == showSign_) return;
    showSign_ = value;
    DoAutoSize();
    InvalidateChange();
}

void TiSevenSegmentInteger::SetValueNoEvent(int value) {
    WithoutValueEvent([&] { SetValue(value); });
}

// The magnitude is taken in 64 bits: that of -2147483648 does not fit a 32-bit integer.
TiSevenSegmentCells TiSevenSegmentInteger::Cells() const {
    const bool negative = value_ < 0;
    const QString digits = QString::number(std::llabs(int64_t(value_)));
    TiSevenSegmentCells cells;
    if (showSign_) cells.Codes.push_back(SignCode(negative));
    if (digits.size() > DigitCount())
        AppendOverflow(cells, negative);
    else
        AppendText(cells, digits, DigitCount());
    return cells;
}
