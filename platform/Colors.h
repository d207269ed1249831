// TColor: 0x00BBGGRR, or 0x80000000 + n for system colour n, resolved through one table
// when drawing. Colour arithmetic always works on resolved RGB values.
#pragma once

#include <QColor>
#include <cstdint>

using TColor = int32_t;

constexpr TColor SystemColorBase = static_cast<TColor>(0x80000000u);
constexpr TColor SystemColor(int n) { return static_cast<TColor>(0x80000000u + uint32_t(n)); }

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;

constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);

inline bool IsSystemColor(TColor color) { return color < 0; }

// The RGB value (0x00BBGGRR) of a colour: system colours through the table, RGB values as
// they are (any stray high byte dropped).
TColor ColorToRGB(TColor color);

// Replaces entry n of the system-colour table; returns the previous RGB value.
TColor SetSystemColorRGB(int n, TColor rgb);

inline int GetRValue(TColor rgb) { return rgb & 0xFF; }
inline int GetGValue(TColor rgb) { return (rgb >> 8) & 0xFF; }
inline int GetBValue(TColor rgb) { return (rgb >> 16) & 0xFF; }
inline TColor RGBColor(int r, int g, int b) {
    return TColor((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// Adds (or, negative, subtracts) a packed offset such as 0x505050 to a colour channel by
// channel, saturating at 0 and 255 so no carry or borrow crosses into the next channel.
// Where no channel overflows, this equals the packed arithmetic.
TColor OffsetColor(TColor color, int32_t packedOffset, bool subtract = false);

QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);
