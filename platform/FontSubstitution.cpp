#include "platform/FontSubstitution.h"

#include "platform/Font.h"
#include "platform/Geometry.h"
#include "platform/Rounding.h"

#include <QFontMetricsF>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

const QHash<QString, QString>& Substitutes() {
    static const QHash<QString, QString> table = {
        {QStringLiteral("ms sans serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("microsoft sans serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("helvetica"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("tahoma"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("times new roman"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("ms serif"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("courier new"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("courier"), QStringLiteral("Liberation Mono")},
    };
    return table;
}

// The height of the toolkit's default font, used where a font asks for height 0.
constexpr int DefaultPixelSize = 11;

// A positive height is the whole cell; the face's em size is found from its cell at that size.
int PixelSizeForCell(QFont font, int cellHeight) {
    font.setPixelSize(cellHeight);
    const int measured = FontCell(font).Height;
    return measured > 0
               ? std::clamp(Round(double(cellHeight) * cellHeight / measured), 1, MaxPixelExtent)
               : cellHeight;
}

} // namespace

TFontCell FontCell(const QFont& font) {
    const QFontMetricsF metrics(font);
    const int ascent = int(std::ceil(metrics.ascent()));
    return {ascent, ascent + int(std::ceil(metrics.descent()))};
}

QString SubstituteFontFamily(const QString& name) {
    // No face has a longer name; the font engine matches, hashes and compares the whole name on
    // every text measured, so a huge one made a paint take seconds.
    const QString family = name.left(MaxFontFamilyLength);
    return Substitutes().value(family.trimmed().toLower(), family);
}

TFontShape FontShape(const TFont& font) {
    return {font.Name(), font.Height(), font.Pitch(), font.Style()};
}

QFont ToQFont(const TFontShape& shape) {
    QFont result(SubstituteFontFamily(shape.Name));
    // Text widths are sums of advances, as the window system measures them.
    result.setKerning(false);
    if (shape.Pitch == fpFixed) result.setStyleHint(QFont::TypeWriter);
    const TFontStyles style = shape.Style;
    result.setBold(style.testFlag(fsBold));
    result.setItalic(style.testFlag(fsItalic));
    result.setUnderline(style.testFlag(fsUnderline));
    result.setStrikeOut(style.testFlag(fsStrikeOut));
    // Negated in 64 bits, as the lowest height has no positive twin in int, and bounded like
    // every pixel setting, so that the font engine is never asked for glyphs of absurd size.
    const int64_t height = shape.Height;
    const int pixels = int(std::min<int64_t>(height < 0 ? -height : height, MaxPixelExtent));
    if (height < 0)
        result.setPixelSize(pixels);
    else if (height > 0)
        result.setPixelSize(PixelSizeForCell(result, pixels));
    else
        result.setPixelSize(DefaultPixelSize);
    return result;
}
