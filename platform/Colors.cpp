#include "platform/Colors.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// The default system palette (light desktop theme), indexed by system colour number.
std::array<TColor, 31>& systemTable() {
    static std::array<TColor, 31> table = {
        0xC8D0D4, // 0 scroll bar
        0xA56E3A, // 1 background
        0xD1B499, // 2 active caption
        0xDBCDBF, // 3 inactive caption
        0xF0F0F0, // 4 menu
        0xFFFFFF, // 5 window
        0x646464, // 6 window frame
        0x000000, // 7 menu text
        0x000000, // 8 window text
        0x000000, // 9 caption text
        0xB4B4B4, // 10 active border
        0xFCF7F4, // 11 inactive border
        0xABABAB, // 12 application workspace
        0xFF9933, // 13 highlight
        0xFFFFFF, // 14 highlight text
        0xF0F0F0, // 15 button face
        0xA0A0A0, // 16 button shadow
        0x6D6D6D, // 17 grey text
        0x000000, // 18 button text
        0x000000, // 19 inactive caption text
        0xFFFFFF, // 20 button highlight
        0x696969, // 21 3-D dark shadow
        0xE3E3E3, // 22 3-D light
        0x000000, // 23 info text
        0xE1FFFF, // 24 info background
        0x000000, // 25 unused
        0xCC6600, // 26 hot light
        0xEAD1B9, // 27 gradient active caption
        0xF2E4D7, // 28 gradient inactive caption
        0xFF9933, // 29 menu highlight
        0xF0F0F0, // 30 menu bar
    };
    return table;
}

int channel(TColor rgb, int shift) { return (rgb >> shift) & 0xFF; }

} // namespace

TColor ColorToRGB(TColor color) {
    if (!IsSystemColor(color)) return color & 0xFFFFFF;
    const uint32_t n = uint32_t(color) & 0xFF;
    auto& table = systemTable();
    return n < table.size() ? table[n] : clBlack;
}

TColor SetSystemColorRGB(int n, TColor rgb) {
    auto& table = systemTable();
    if (n < 0 || n >= int(table.size())) return clBlack;
    return std::exchange(table[size_t(n)], rgb & 0xFFFFFF);
}

TColor OffsetColor(TColor color, int32_t packedOffset, bool subtract) {
    const TColor rgb = ColorToRGB(color);
    int result[3];
    for (int i = 0; i < 3; ++i) {
        const int delta = channel(packedOffset, 8 * i) * (subtract ? -1 : 1);
        result[i] = std::clamp(channel(rgb, 8 * i) + delta, 0, 255);
    }
    return RGBColor(result[0], result[1], result[2]);
}

QColor ToQColor(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQColor(const QColor& color) {
    return RGBColor(color.red(), color.green(), color.blue());
}
