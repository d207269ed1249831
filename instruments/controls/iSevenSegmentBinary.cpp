#include "instruments/controls/iSevenSegmentBinary.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/Exception.h"
#include "platform/PropertyDefaults.h"

#include <cstdint>

namespace {

const PropertyDefaults::Registration defaults(TiSevenSegmentBinary::staticMetaObject,
                                              {
                                                  {"LeadingStyle", ilsZeros},
                                                  {"Value", QStringLiteral("0")},
                                                  {"Width", 68},
                                                  {"Height", 28},
                                              });

constexpr qsizetype MaxTextLength = 255;
constexpr qsizetype IntegerBits = 32;

// The stored form of a text: without the "0b" prefix, "0" when blank.
QString NormalisedBinary(const QString& text) {
    if (text.size() > MaxTextLength) throw Exception(text + " exceeds 255 characters");
    const QString digits = text.startsWith(QStringLiteral("0b")) ? text.mid(2) : text;
    if (digits.trimmed().isEmpty()) return QStringLiteral("0");
    for (QChar digit : digits)
        if (digit != '0' && digit != '1') throw Exception(text + " not a valid Binary number");
    return digits;
}

} // namespace

TiSevenSegmentBinary::TiSevenSegmentBinary(QWidget* parent) : TiSevenSegmentDisplay(parent) {
    SetLeadingStyle(ilsZeros);
    DoAutoSize();
}

// The change test compares the stored form, so "0b11" over "11" is no change.
void TiSevenSegmentBinary::SetValue(const QString& value) {
    const QString normalised = NormalisedBinary(value);
    if (normalised == value_ || !RequestEdit(QStringLiteral("Value"))) return;
    value_ = normalised;
    InvalidateChange();
    DoValueChange();
}

// Up to 255 digits may be stored; a value wider than 32 bits saturates instead of wrapping
// or raising from a getter.
int TiSevenSegmentBinary::ValueInteger() const {
    const qsizetype firstOne = value_.indexOf('1');
    if (firstOne >= 0 && value_.size() - firstOne > IntegerBits) return int(UINT32_MAX);
    return iStrToInt(QStringLiteral("b") + value_.mid(firstOne < 0 ? 0 : firstOne));
}

void TiSevenSegmentBinary::SetValueInteger(int value) {
    SetValue(iIntToStr(uint32_t(value), iifsBinary, 0, false));
}

void TiSevenSegmentBinary::SetValueNoEvent(const QString& value) {
    WithoutValueEvent([&] { SetValue(value); });
}

TiSevenSegmentCells TiSevenSegmentBinary::Cells() const {
    TiSevenSegmentCells cells;
    if (value_.size() > DigitCount())
        AppendOverflow(cells, false);
    else
        AppendText(cells, value_, DigitCount());
    return cells;
}
