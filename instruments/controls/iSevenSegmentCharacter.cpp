#include "instruments/controls/iSevenSegmentCharacter.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/Geometry.h"
#include "platform/PropertyDefaults.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

const PropertyDefaults::Registration defaults(TiSevenSegmentCharacter::staticMetaObject,
                                              {
                                                  {"Value", ssc0},
                                                  {"Character", QChar('0')},
                                                  {"SegmentColor", clLime},
                                                  {"SegmentOffColor", clGreen},
                                                  {"AutoSegmentOffColor", true},
                                                  {"ShowOffSegments", true},
                                                  {"PowerOff", false},
                                                  {"SegmentSize", 1},
                                                  {"SegmentSeperation", 1},
                                                  {"SegmentMargin", 2},
                                                  {"AutoSize", true},
                                                  {"UseSegmentBits", false},
                                                  {"SegAOn", false},
                                                  {"SegBOn", false},
                                                  {"SegCOn", false},
                                                  {"SegDOn", false},
                                                  {"SegEOn", false},
                                                  {"SegFOn", false},
                                                  {"SegGOn", false},
                                                  {"SegmentBits", 0},
                                                  {"BackGroundColor", clBlack},
                                                  {"Transparent", false},
                                                  {"Width", 15},
                                                  {"Height", 23},
                                              });

constexpr int SegmentCount = 7;
constexpr int AllSegments = (1 << SegmentCount) - 1;

// Codes 0 to 15 and the blank; B and D light the lower-case shapes, 9 has no D.
constexpr std::array<uint8_t, 16> SegmentTable = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07,
                                                  0x7F, 0x67, 0x77, 0x7C, 0x39, 0x5E, 0x79, 0x71};

constexpr char Marks[] = {'.', ':', '+', '-', '_', '<', '>', ';', ','};
constexpr std::array<TSevenSegmentCharacter, 9> MarkCodes = {sscPeriod,    sscColon,     sscPlus,
                                                             sscMinus,     sscLine,      sscUpArrow,
                                                             sscDownArrow, sscSemiColon, sscComma};

using TPart = std::vector<TPoint>;
using TShape = std::vector<TPart>;

// The cell a glyph is drawn in, with the corners of its inset frame.
struct TGlyphFrame {
    int X, Y, W, H;
    int Margin, Seperation, Size;
    int Left, Right, Top, Bottom, Mid, CenterX;
};

TGlyphFrame MakeFrame(TPoint origin, int w, int h, int margin, int seperation, int size) {
    return {origin.X,
            origin.Y,
            w,
            h,
            margin,
            seperation,
            size,
            origin.X + margin,
            origin.X + w - 1 - margin,
            origin.Y + margin,
            origin.Y + h - 1 - margin,
            origin.Y + (h - 1) / 2,
            origin.X + w / 2};
}

TPart Square(int left, int right, int top, int bottom) {
    return {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
}

// Segments A to G, each a bevelled bar 2z thick whose ends keep the seperation s apart.
TPart SegmentPart(int segment, const TGlyphFrame& f) {
    const int s = f.Seperation;
    const int z2 = 2 * f.Size;
    const int z = f.Size;
    switch (segment) {
    case 0:
        return {{f.Left + s, f.Top},
                {f.Right - s, f.Top},
                {f.Right - s - z2, f.Top + z2},
                {f.Left + s + z2, f.Top + z2}};
    case 1:
        return {{f.Right, f.Top + s},
                {f.Right, f.Mid - s},
                {f.Right - z2, f.Mid - s - z2},
                {f.Right - z2, f.Top + s + z2}};
    case 2:
        return {{f.Right, f.Mid + s},
                {f.Right, f.Bottom - s},
                {f.Right - z2, f.Bottom - s - z2},
                {f.Right - z2, f.Mid + s + z2}};
    case 3:
        return {{f.Left + s, f.Bottom},
                {f.Right - s, f.Bottom},
                {f.Right - s - z2, f.Bottom - z2},
                {f.Left + s + z2, f.Bottom - z2}};
    case 4:
        return {{f.Left, f.Mid + s},
                {f.Left, f.Bottom - s},
                {f.Left + z2, f.Bottom - s - z2},
                {f.Left + z2, f.Mid + s + z2}};
    case 5:
        return {{f.Left, f.Top + s},
                {f.Left, f.Mid - s},
                {f.Left + z2, f.Mid - s - z2},
                {f.Left + z2, f.Top + s + z2}};
    default:
        return {{f.Left + s, f.Mid},  {f.Left + s + z, f.Mid - z},  {f.Right - s - z, f.Mid - z},
                {f.Right - s, f.Mid}, {f.Right - s - z, f.Mid + z}, {f.Left + s + z, f.Mid + z}};
    }
}

// y + R(eighteenths of H), the fraction taken in real arithmetic.
int RowAt(const TGlyphFrame& f, double eighteenths) {
    return f.Y + Round(eighteenths * f.H / 18.0);
}

TPart ColonUpperDot(const TGlyphFrame& f) {
    return Square(f.CenterX - f.Size, f.CenterX + f.Size, RowAt(f, 5), RowAt(f, 7));
}

TPart ColonLowerDot(const TGlyphFrame& f) {
    return Square(f.CenterX - f.Size, f.CenterX + f.Size, RowAt(f, 11), RowAt(f, 13));
}

TPart Tail(const TGlyphFrame& f) {
    return Square(f.CenterX, f.CenterX + f.Size, RowAt(f, 13), RowAt(f, 16));
}

// A horizontal bar from 2.5/10 to 7.5/10 of the width, z thick around the row.
TPart SignBar(const TGlyphFrame& f, double eighteenths) {
    const double half = f.Size / 2.0;
    const double row = eighteenths * f.H / 18.0;
    return Square(f.X + Round(2.5 * f.W / 10.0), f.X + Round(7.5 * f.W / 10.0),
                  f.Y + Round(row - half), f.Y + Round(half + row));
}

TShape PlusShape(const TGlyphFrame& f) {
    const double half = f.Size / 2.0;
    const double center = f.W / 2.0;
    return {SignBar(f, 4.5), Square(f.X + Round(center - half), f.X + Round(half + center),
                                    RowAt(f, 2), RowAt(f, 7))};
}

TShape MinusShape(const TGlyphFrame& f) {
    return {SignBar(f, 13.5)};
}

struct TArrowBase {
    int Center, HalfWidth, Row;
};

TArrowBase ArrowBase(const TGlyphFrame& f) {
    return {(f.W - 1) / 2, int(std::floor((f.W - 1 - 2 * f.Margin) / 2.0)), f.H / 2};
}

// The tip stops at the margin when the arrow is too tall for its cell.
TShape UpArrowShape(const TGlyphFrame& f) {
    const TArrowBase a = ArrowBase(f);
    const int tip = f.Margin < a.Row - a.HalfWidth ? a.Row - a.HalfWidth : f.Margin;
    return {{{f.X + a.Center + a.HalfWidth, f.Y + a.Row},
             {f.X + a.Center - a.HalfWidth, f.Y + a.Row},
             {f.X + a.Center, f.Y + tip}}};
}

TShape DownArrowShape(const TGlyphFrame& f) {
    const TArrowBase a = ArrowBase(f);
    const int limit = f.H - f.Margin - 1;
    const int tip = a.Row + a.HalfWidth < limit ? a.Row + a.HalfWidth : limit;
    return {{{f.X + a.Center + a.HalfWidth, f.Y + a.Row},
             {f.X + a.Center - a.HalfWidth, f.Y + a.Row},
             {f.X + a.Center, f.Y + tip}}};
}

// The shapes that are not segment patterns; empty for the others.
TShape MarkShape(TSevenSegmentCharacter code, const TGlyphFrame& f) {
    switch (code) {
    case sscPeriod:
        return {Square(f.CenterX - f.Size, f.CenterX + f.Size, f.Y + f.H - 2 * f.Size, f.Y + f.H)};
    case sscColon:
        return {ColonUpperDot(f), ColonLowerDot(f)};
    case sscSemiColon:
        return {ColonUpperDot(f), ColonLowerDot(f), Tail(f)};
    case sscComma:
        return {ColonLowerDot(f), Tail(f)};
    case sscPlus:
        return PlusShape(f);
    case sscMinus:
        return MinusShape(f);
    case sscLine:
        return {Square(f.Left, f.Right, f.Mid - f.Size / 2, f.Mid + f.Size / 2)};
    case sscUpArrow:
        return UpArrowShape(f);
    case sscDownArrow:
        return DownArrowShape(f);
    default:
        return {};
    }
}

bool IsSegmentPattern(TSevenSegmentCharacter code) {
    return (code >= ssc0 && code <= sscF) || code == sscBlank;
}

uint8_t SegmentsOf(TSevenSegmentCharacter code) {
    return code >= ssc0 && code <= sscF ? SegmentTable[code] : 0;
}

bool IsNarrow(TSevenSegmentCharacter code) {
    return code == sscPeriod || code == sscColon || code == sscSemiColon || code == sscComma;
}

void FillPart(TCanvas& canvas, const TPart& part, TColor color) {
    canvas.Pen()->SetColor(color);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(color);
    canvas.Polygon(part);
}

void FillShape(TCanvas& canvas, const TShape& shape, TColor color) {
    for (const TPart& part : shape)
        FillPart(canvas, part, color);
}

} // namespace

TSevenSegmentCharacter ConvertCharacterToValue(QChar character) {
    const char16_t c = character.unicode();
    if (c >= '0' && c <= '9') return TSevenSegmentCharacter(ssc0 + (c - '0'));
    if (c >= 'A' && c <= 'F') return TSevenSegmentCharacter(sscA + (c - 'A'));
    if (c >= 'a' && c <= 'f') return TSevenSegmentCharacter(sscA + (c - 'a'));
    for (std::size_t i = 0; i < MarkCodes.size(); ++i)
        if (c == char16_t(Marks[i])) return MarkCodes[i];
    return sscBlank;
}

QChar ConvertValueToCharacter(TSevenSegmentCharacter code) {
    if (code >= ssc0 && code <= ssc9) return QChar('0' + (code - ssc0));
    if (code >= sscA && code <= sscF) return QChar('a' + (code - sscA));
    if (code == sscBlank) return QChar(' ');
    for (std::size_t i = 0; i < MarkCodes.size(); ++i)
        if (code == MarkCodes[i]) return QChar(Marks[i]);
    return QChar('?');
}

TiSevenSegmentCharacter::TiSevenSegmentCharacter(QWidget* parent) : TiCustomComponent(parent) {
    SetBackGroundColor(clBlack);
    DoAutoSize();
}

void TiSevenSegmentCharacter::SetValue(TSevenSegmentCharacter value) {
    if (value == value_) return;
    value_ = value;
    DoAutoSize();
    InvalidateChange();
}

QChar TiSevenSegmentCharacter::Character() const {
    return ConvertValueToCharacter(value_);
}

void TiSevenSegmentCharacter::SetCharacter(QChar value) {
    SetValue(ConvertCharacterToValue(value));
}

void TiSevenSegmentCharacter::SetSegmentColor(TColor value) {
    SetColorProperty(value, segmentColor_, irtInvalidate);
}

void TiSevenSegmentCharacter::SetSegmentOffColor(TColor value) {
    SetColorProperty(value, segmentOffColor_, irtInvalidate);
}

void TiSevenSegmentCharacter::SetAutoSegmentOffColor(bool value) {
    SetBooleanProperty(value, autoSegmentOffColor_, irtInvalidate);
}

void TiSevenSegmentCharacter::SetShowOffSegments(bool value) {
    SetBooleanProperty(value, showOffSegments_, irtInvalidate);
}

void TiSevenSegmentCharacter::SetPowerOff(bool value) {
    SetBooleanProperty(value, powerOff_, irtInvalidate);
}

void TiSevenSegmentCharacter::SetSegmentSize(int value) {
    value = std::clamp(value, 1, SevenSegmentMaxSegmentSize);
    if (value == segmentSize_) return;
    segmentSize_ = value;
    DoAutoSize();
    InvalidateChange();
}

void TiSevenSegmentCharacter::SetSegmentSeperation(int value) {
    SetIntegerProperty(BoundPixelSize(value), segmentSeperation_, irtInvalidate);
}

void TiSevenSegmentCharacter::SetSegmentMargin(int value) {
    value = BoundPixelSize(value);
    if (value == segmentMargin_) return;
    segmentMargin_ = value;
    DoAutoSize();
    InvalidateChange();
}

void TiSevenSegmentCharacter::SetAutoSize(bool value) {
    if (value == autoSize_) return;
    autoSize_ = value;
    DoAutoSize();
    InvalidateChange();
}

void TiSevenSegmentCharacter::SetUseSegmentBits(bool value) {
    SetBooleanProperty(value, useSegmentBits_, irtInvalidate);
}

void TiSevenSegmentCharacter::SetSegmentOn(int segment, bool value) {
    SetSegmentBits(value ? segmentBits_ | (1 << segment) : segmentBits_ & ~(1 << segment));
}

void TiSevenSegmentCharacter::SetSegmentBits(int value) {
    SetIntegerProperty(value & AllSegments, segmentBits_, irtInvalidate);
}

int TiSevenSegmentCharacter::GetCharacterWidth() const {
    return 2 * segmentMargin_ + (IsNarrow(value_) ? 2 : 10) * segmentSize_;
}

int TiSevenSegmentCharacter::GetCharacterHeight() const {
    return 2 * segmentMargin_ + 18 * segmentSize_;
}

void TiSevenSegmentCharacter::DoAutoSize() {
    if (GetLoading() || !autoSize_) return;
    resize(BoundAutoSize(int64_t(GetCharacterWidth()) + 1),
           BoundAutoSize(int64_t(GetCharacterHeight()) + 1));
}

// The dimming works on the resolved colour, so a system colour dims as its RGB value does.
TColor TiSevenSegmentCharacter::UnlitColor() const {
    return autoSegmentOffColor_ ? DimColor(ColorToRGB(segmentColor_), 3) : segmentOffColor_;
}

TColor TiSevenSegmentCharacter::LitColor() const {
    return powerOff_ ? UnlitColor() : segmentColor_;
}

void TiSevenSegmentCharacter::Draw(TCanvas& Canvas, TPoint Origin, int W, int H,
                                   TSevenSegmentCharacter Code) {
    const TGlyphFrame frame =
        MakeFrame(Origin, W, H, segmentMargin_, segmentSeperation_, segmentSize_);
    const TColor lit = LitColor();
    const TColor unlit = UnlitColor();
    if (useSegmentBits_ || IsSegmentPattern(Code)) {
        const int segments = useSegmentBits_ ? segmentBits_ : SegmentsOf(Code);
        for (int segment = 0; segment < SegmentCount; ++segment) {
            if ((segments >> segment) & 1)
                FillPart(Canvas, SegmentPart(segment, frame), lit);
            else if (showOffSegments_)
                FillPart(Canvas, SegmentPart(segment, frame), unlit);
        }
        return;
    }
    FillShape(Canvas, MarkShape(Code, frame), lit);
    // A sign cell shows both signs, the one not meant dimmed.
    if (!showOffSegments_) return;
    if (Code == sscPlus) FillShape(Canvas, MinusShape(frame), unlit);
    if (Code == sscMinus) FillShape(Canvas, PlusShape(frame), unlit);
}

void TiSevenSegmentCharacter::iPaintTo(TCanvas& Canvas) {
    DrawBackGround(Canvas, BackGroundColor());
    Draw(Canvas, {0, 0}, width(), height(), value_);
}
