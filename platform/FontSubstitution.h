// Fonts named by stored descriptions resolve to metric-compatible installed faces, so text
// keeps the widths the layouts were designed with.
#pragma once

#include "platform/Font.h"

#include <QFont>
#include <QString>

// Longer names are cut to this many characters before the font engine sees them.
inline constexpr int MaxFontFamilyLength = 256;

// The installed family that stands in for a named face ("Arial" and "MS Sans Serif" give
// "Liberation Sans"); other names come back unchanged, cut to MaxFontFamilyLength.
QString SubstituteFontFamily(const QString& name);

// The text cell of a face as the window system measures it: ascent and descent each rounded
// up to whole pixels (an 11-pixel sans face gives a 13-pixel cell).
struct TFontCell {
    int Ascent = 0;
    int Height = 0;
};
TFontCell FontCell(const QFont& font);

// What of a TFont its toolkit font is made of: fonts alike in these draw and measure alike,
// whatever their colour, escapement or character set.
struct TFontShape {
    QString Name;
    int Height = 0;
    TFontPitch Pitch = fpDefault;
    TFontStyles Style;
    bool operator==(const TFontShape&) const = default;
};
TFontShape FontShape(const TFont& font);

// The toolkit font of a TFont at 96 dpi: pixel size from Height, the style set applied. The
// escapement is left to the canvas, which rotates the text itself.
QFont ToQFont(const TFontShape& shape);
inline QFont ToQFont(const TFont& font) {
    return ToQFont(FontShape(font));
}
