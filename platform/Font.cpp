#include "platform/Font.h"

#include "platform/PropertyDefaults.h"

#include <cstdint>
#include <limits>

namespace {

const PropertyDefaults::Registration defaults(TFont::staticMetaObject,
                                              {
                                                  {"Charset", TFont::DefaultCharset},
                                                  {"Color", clWindowText},
                                                  {"Height", -11},
                                                  {"Name", QStringLiteral("MS Sans Serif")},
                                                  {"Orientation", 0},
                                                  {"Pitch", QVariant::fromValue(fpDefault)},
                                                  {"Style", 0},
                                              });

} // namespace

TFont::TFont(QObject* parent) : TGraphicsObject(parent) {}

void TFont::SetCharset(int value) {
    Update(charset_, value);
}

void TFont::SetColor(TColor value) {
    Update(color_, value);
}

void TFont::SetHeight(int value) {
    Update(height_, value);
}

void TFont::SetName(const QString& value) {
    Update(name_, value);
}

void TFont::SetOrientation(int value) {
    Update(orientation_, value);
}

void TFont::SetPitch(TFontPitch value) {
    Update(pitch_, value);
}

int TFont::Size() const {
    return MulDiv(height_, -72, PixelsPerInch);
}

void TFont::SetSize(int value) {
    // The sign goes into the multiplier: the lowest size would have no negation in int.
    SetHeight(MulDiv(value, -PixelsPerInch, 72));
}

void TFont::SetStyle(TFontStyles value) {
    Update(style_, value);
}

void TFont::Assign(const TFont& source) {
    TChangeBatch batch(*this);
    SetCharset(source.charset_);
    SetColor(source.color_);
    SetHeight(source.height_);
    SetName(source.name_);
    SetOrientation(source.orientation_);
    SetPitch(source.pitch_);
    SetStyle(source.style_);
}

int MulDiv(int a, int b, int c) {
    if (c == 0) return 0;
    const int64_t product = int64_t(a) * b;
    const int64_t half = (c < 0 ? -int64_t(c) : int64_t(c)) / 2;
    const bool negative = (product < 0) != (c < 0);
    const int64_t magnitude =
        ((product < 0 ? -product : product) + half) / (c < 0 ? -int64_t(c) : c);
    const int64_t result = negative ? -magnitude : magnitude;
    constexpr int64_t low = std::numeric_limits<int>::min();
    constexpr int64_t high = std::numeric_limits<int>::max();
    return int(result < low ? low : (result > high ? high : result));
}
