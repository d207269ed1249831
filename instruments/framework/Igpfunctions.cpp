#include "instruments/framework/Igpfunctions.h"

#include "instruments/framework/iMath.h"
#include "platform/CaselessKey.h"
#include "platform/Exception.h"
#include "platform/NumberText.h"
#include "platform/PropertyWalker.h"
#include "platform/Rounding.h"

#include <QDialog>
#include <QGuiApplication>
#include <QHash>
#include <QMainWindow>
#include <QMetaProperty>
#include <QRegularExpression>
#include <QTabWidget>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace {

// ---- Text ----

TTextFormat TextFormat(TiTextFlags flags) {
    static constexpr std::array<std::pair<TiTextFlag, unsigned>, 13> Options{{
        {itfHCenter, tfCenter},
        {itfHRight, tfRight},
        {itfVCenter, tfVerticalCenter},
        {itfVBottom, tfBottom},
        {itfWordBreak, tfWordBreak},
        {itfSingleLine, tfSingleLine},
        {itfExpandTabs, tfExpandTabs},
        {itfNoClip, tfNoClip},
        {itfCalcRect, tfCalcRect},
        {itfEndEllipsis, tfEndEllipsis},
        {itfPathEllipsis, tfPathEllipsis},
        {itfWordEllipsis, tfWordEllipsis},
        {itfModifyString, tfModifyString},
    }};
    TTextFormat format = flags.Contains(itfShowPrefix) ? 0u : unsigned(tfNoPrefix);
    for (const auto& [flag, option] : Options)
        if (flags.Contains(flag)) format |= option;
    return format;
}

// The text drawn from a start point with the canvas font turned by escapement tenths of a
// degree; the caller's font comes back afterwards.
void DrawTurnedText(TCanvas* canvas, const QString& text, TPoint start, int escapement) {
    TFont saved;
    saved.Assign(*canvas->Font());
    canvas->Font()->SetOrientation(escapement);
    TRect at{start.X, start.Y, start.X, start.Y};
    iDrawText(canvas, text, at, {itfHLeft, itfVTop, itfSingleLine, itfNoClip});
    canvas->Font()->Assign(saved);
}

// ---- Colours ----

// Channel by channel with rounding: fraction x first + (1 - fraction) x second.
TColor MixColors(TColor first, TColor second, double fraction) {
    const TColor a = ColorToRGB(first);
    const TColor b = ColorToRGB(second);
    const auto mix = [fraction](int x, int y) { return Round(fraction * x + (1 - fraction) * y); };
    return RGBColor(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
                    mix(GetBValue(a), GetBValue(b)));
}

// ---- Gradients ----

struct GradientSteps {
    int count;
    int penWidth;
};

std::optional<GradientSteps> StepsOf(TiFillDirection direction, const TRect& rect) {
    const int far = std::max(rect.Right, rect.Bottom);
    switch (direction) {
    case ifdTopBottom:
    case ifdBottomTop:
        return GradientSteps{rect.Height() - 1, 1};
    case ifdLeftRight:
    case ifdRightLeft:
        return GradientSteps{rect.Width() - 1, 1};
    case ifdTopLeftBottomRight:
    case ifdBottomRightTopLeft:
    case ifdBottomLeftTopRight:
    case ifdTopRightBottomLeft:
        return GradientSteps{2 * (far - 1), 1};
    case ifdRectangleOut:
    case ifdRectangleIn:
        return GradientSteps{(far - 1) / 3, 2};
    case ifdCircleOut:
    case ifdCircleIn:
        return GradientSteps{(far - 1) / 8, 16};
    }
    return std::nullopt;
}

bool RunsFromStartColor(TiFillDirection direction) {
    return direction == ifdTopBottom || direction == ifdLeftRight ||
           direction == ifdTopLeftBottomRight || direction == ifdBottomLeftTopRight ||
           direction == ifdRectangleOut || direction == ifdCircleOut;
}

// The rectangle centred on the middle of (0, 0, right, bottom) with the given half sizes.
TRect CentredOnOrigin(const TRect& rect, double halfWidth, double halfHeight) {
    const double cx = (rect.Right - 1) / 2.0;
    const double cy = (rect.Bottom - 1) / 2.0;
    return {Round(cx - halfWidth), Round(cy - halfHeight), Round(cx + halfWidth),
            Round(cy + halfHeight)};
}

void DrawGradientStep(TCanvas* canvas, const TRect& rect, TiFillDirection direction, int i,
                      double s) {
    const int right = rect.Right - 1;
    const int bottom = rect.Bottom - 1;
    switch (direction) {
    case ifdTopBottom:
    case ifdBottomTop:
        Line(canvas, rect.Left, rect.Top + i, rect.Right, rect.Top + i);
        break;
    case ifdLeftRight:
    case ifdRightLeft:
        Line(canvas, rect.Left + i, rect.Top, rect.Left + i, rect.Bottom);
        break;
    case ifdTopLeftBottomRight:
    case ifdBottomRightTopLeft:
        Line(canvas, Round(2 * s * right) - 1, 0, -1, Round(2 * s * bottom));
        break;
    case ifdBottomLeftTopRight:
    case ifdTopRightBottomLeft:
        Line(canvas, 0, bottom - Round(2 * s * bottom), Round(2 * s * right), bottom);
        break;
    case ifdRectangleOut:
    case ifdRectangleIn:
        canvas->Rectangle(CentredOnOrigin(rect, s * right / 2, s * bottom / 2));
        break;
    case ifdCircleOut:
    case ifdCircleIn:
        canvas->Ellipse(CentredOnOrigin(rect, 1.414 * s * right / 2, 1.414 * s * bottom / 2));
        break;
    }
}

// ---- Auto-scale ----

// Powers of ten are computed exactly, so that a span of exactly 100 is not judged short of
// itself by a rounding error.
double DecadeOf(double value) {
    return std::pow(10.0, Trunc(Log10(value)));
}

bool IsNiceStep(double step) {
    static constexpr std::array<int, 10> Nice{100,  200,  250,  500,  750,
                                              1000, 2000, 2500, 5000, 7500};
    const int leading = Round(step / DecadeOf(step) * 1000);
    return std::find(Nice.begin(), Nice.end(), leading) != Nice.end();
}

// The nice tick count closest to desiredTicks (a larger count wins a tie); limit + 1 when
// no count from 2 to limit gives a nice step.
int NiceTickCount(int desiredTicks, int limit, double span) {
    // Kept below the largest int so that neither the loop nor the answer overflows.
    limit = std::min(limit, std::numeric_limits<int>::max() - 1);
    int best = -1;
    for (int n = 2; n <= limit; ++n) {
        if (!IsNiceStep(span / (n - 1))) continue;
        if (best < 0 ||
            std::abs(int64_t(n) - desiredTicks) <= std::abs(int64_t(best) - desiredTicks))
            best = n;
    }
    return best < 0 ? limit + 1 : best;
}

// The grid spacing of both auto-scale routines: the decade of the span, a tenth of it
// below 1.
double GridUnit(double extent) {
    const double decade = DecadeOf(extent);
    return extent >= 1 ? decade : decade / 10;
}

// Multiples of step are taken by quotient, not by accumulated steps; a quotient within this
// of a whole number counts as that number, so that 0.3 is a multiple of 0.1.
constexpr double GridTolerance = 1e-9;

double MultipleAtOrAbove(double value, double step) {
    const double q = value / step;
    return std::ceil(std::abs(q - std::round(q)) < GridTolerance ? std::round(q) : q) * step;
}

double MultipleAtOrBelow(double value, double step) {
    const double q = value / step;
    return std::floor(std::abs(q - std::round(q)) < GridTolerance ? std::round(q) : q) * step;
}

bool AtOrAbove(double value, double limit, double step) {
    return value >= limit - GridTolerance * step;
}

// Places [newMin, newMax] of span h on the grid of step so that it covers [min, max].
bool AlignCovering(double min, double max, double h, double step, double& newMin, double& newMax) {
    if (min < 0 && max > 0) {
        newMin = MultipleAtOrBelow(min, step);
        newMax = newMin + h;
    } else if (max > 0) {
        newMax = MultipleAtOrAbove(max, step);
        newMin = newMax - h;
        const int stepsBelowZero = Trunc(std::ceil(-newMin / step - GridTolerance));
        if (stepsBelowZero > 0) {
            newMin += stepsBelowZero * step;
            newMax += stepsBelowZero * step;
        }
    } else {
        newMin = MultipleAtOrBelow(min, step);
        newMax = newMin + h;
        if (newMax > GridTolerance * step) {
            newMin -= step;
            newMax -= step;
        }
    }
    return AtOrAbove(newMax, max, step) && AtOrAbove(min, newMin, step);
}

// Places [newMin, newMax] of span h on the grid of step inside [min, max].
bool PlaceInside(double min, double max, double h, double step, double& newMin, double& newMax) {
    if (max > 0 || min >= 0) {
        newMin = MultipleAtOrAbove(min, step);
        newMax = newMin + h;
    } else {
        newMax = MultipleAtOrBelow(max, step);
        newMin = newMax - h;
    }
    return AtOrAbove(max, newMax, step) && AtOrAbove(newMin, min, step) &&
           newMax + step > max + GridTolerance * step;
}

// ---- Number texts ----

int BaseOf(TiIntegerFormatStyle style) {
    switch (style) {
    case iifsInteger:
        return 10;
    case iifsHex:
        return 16;
    case iifsBinary:
        return 2;
    case iifsOctal:
        return 8;
    }
    return 0;
}

[[noreturn]] void InvalidInteger(const QString& text) {
    throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

// Digits of base after a one-letter prefix, most significant first; a digit that does not
// belong to the base, or a value beyond 32 bits, is a conversion error.
int DigitsToInt(const QString& text, int base) {
    const QString digits = text.mid(1);
    if (digits.isEmpty()) InvalidInteger(text);
    uint64_t value = 0;
    for (QChar digit : digits) {
        const int d = StrToInt(QString(digit));
        if (d >= base) InvalidInteger(QString(digit));
        value = value * uint64_t(base) + uint64_t(d);
        if (value > std::numeric_limits<uint32_t>::max()) InvalidInteger(text);
    }
    return int(uint32_t(value));
}

const char* const ControlParentProperty = "iControlParent";
const char* const DesigningProperty = "iDesigning";

bool IsForm(const QWidget* widget) {
    return qobject_cast<const QMainWindow*>(widget) || qobject_cast<const QDialog*>(widget);
}

} // namespace

// ---- Text ----

int iDrawText(TCanvas* canvas, const QString& text, TRect& rect, TiTextFlags flags) {
    return canvas->DrawText(text, rect, TextFormat(flags));
}

int iTextWidth(TCanvas* canvas, const QString& text) {
    static const QRegularExpression LineBreak(QStringLiteral("\r\n|\r|\n"));
    int widest = 0;
    for (const QString& line : text.split(LineBreak))
        widest = std::max(widest, canvas->TextWidth(line));
    return widest;
}

int iTextHeight(TCanvas* canvas, const QString& text) {
    TRect rect;
    return iDrawText(canvas, text, rect, {itfNoClip, itfCalcRect});
}

int iTextHeightFixedWidth(TCanvas* canvas, const QString& text, int width) {
    // Measured, not drawn above the visible area: under a moved window origin (a control
    // painted into another surface) or on a metafile, text drawn there would show.
    TRect rect{0, -800, width, -100};
    return iDrawText(canvas, text, rect, {itfHLeft, itfVTop, itfWordBreak, itfCalcRect});
}

TRect iDrawRotatedText(TCanvas* canvas, const QString& text, const TRect& rect,
                       TiRotationAngle angle) {
    const int cx = (rect.Left + rect.Right) / 2;
    const int cy = (rect.Top + rect.Bottom) / 2;
    const int w = canvas->TextWidth(text);
    const int h = canvas->TextHeight(text);
    const TRect upright{cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2};
    const TRect turned{cx - h / 2, cy - w / 2, cx + h / 2, cy + w / 2};
    switch (angle) {
    case ira000: {
        TRect into = rect;
        iDrawText(canvas, text, into, {itfHCenter, itfVCenter, itfSingleLine, itfNoClip});
        return upright;
    }
    case ira090:
        DrawTurnedText(canvas, text, {cx - h / 2, cy + w / 2}, 900);
        return turned;
    case ira180:
        DrawTurnedText(canvas, text, {cx + w / 2, cy + h / 2}, 1800);
        return upright;
    case ira270:
        DrawTurnedText(canvas, text, {cx + h - h / 2, cy - w / 2}, 2700);
        return turned;
    }
    return upright;
}

// ---- Edges and lines ----

void iDrawEdge(TCanvas* canvas, const TRect& rect, TiDrawEdgeStyle style) {
    switch (style) {
    case idesRaised:
        canvas->DrawEdge(rect, TEdgeStyle::Raised);
        break;
    case idesSunken:
        canvas->DrawEdge(rect, TEdgeStyle::Sunken);
        break;
    case idesFlat: {
        canvas->Pen()->SetStyle(psSolid);
        canvas->Pen()->SetColor(clBtnShadow);
        const std::array<TPoint, 4> outline{{{rect.Left, rect.Top},
                                             {rect.Right - 1, rect.Top},
                                             {rect.Right - 1, rect.Bottom - 1},
                                             {rect.Left, rect.Bottom - 1}}};
        canvas->Polygon(outline);
        break;
    }
    }
}

void iDrawFocusRect(TCanvas* canvas, const TRect& rect, TColor color) {
    canvas->Pen()->SetColor(color);
    canvas->Brush()->SetColor(color);
    iDrawFocusRect2(canvas, rect);
}

void iDrawFocusRect2(TCanvas* canvas, const TRect& rect) {
    canvas->DrawFocusRect(rect);
}

void LineBevel(TCanvas* canvas, int x1, int y1, int x2, int y2, TiBevelStyle style) {
    const auto colored = [canvas](TColor color, int ax, int ay, int bx, int by) {
        canvas->Pen()->SetColor(color);
        Line(canvas, ax, ay, bx, by);
    };
    if (x1 == x2) {
        if (y1 > y2) std::swap(y1, y2);
        if (style == ibsNone) {
            Line(canvas, x1, y1, x1, y2);
        } else {
            const bool raised = style == ibsRaised;
            colored(raised ? clWhite : clBlack, x1 - 1, y1, x1 - 1, y2);
            colored(clWhite, x1, y1, x1, y2);
            colored(raised ? clBlack : clWhite, x1 + 1, y1, x1 + 1, y2);
        }
        return;
    }
    if (x1 > x2) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    if (style == ibsNone) {
        Line(canvas, x1, y1, x2, y2);
    } else {
        const bool raised = style == ibsRaised;
        colored(raised ? clWhite : clBlack, x1, y1, x2, y2);
        colored(raised ? clBlack : clWhite, x1, y1 + 1, x2, y2 + 1);
    }
}

void Line(TCanvas* canvas, int x1, int y1, int x2, int y2) {
    const std::array<TPoint, 2> points{{{x1, y1}, {x2, y2}}};
    canvas->Polyline(points);
}

// ---- Fills ----

void DrawGradientCircle(TCanvas* canvas, const TPoint& center, int radius, bool reverse) {
    const TColor light = clWhite;
    const TColor dark = OffsetColor(clBtnFace, 0x505050, true);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    if (radius == 0) return;
    const double g = radius / std::sqrt(2.0) + 2;
    const double cos45 = std::cos(DegToRad(-45));
    const double sin45 = std::sin(DegToRad(-45));
    // A point walks the diagonal from top left to bottom right (Y upwards); each step draws
    // the chord through it at right angles to the diagonal.
    double t = -Trunc(g);
    double u = Trunc(g);
    while (t < g) {
        const double v = std::sqrt(t * t + u * u);
        t += 0.5;
        u -= 0.5;
        if (v > radius) continue;
        const double c = std::sqrt(double(radius) * radius - v * v);
        const int x = Trunc(c * cos45 + t);
        const int y = Trunc(u - c * sin45);
        const double f = (radius + t) / radius / 2;
        canvas->Pen()->SetColor(reverse ? MixColors(light, dark, f) : MixColors(dark, light, f));
        Line(canvas, center.X + x - 1, center.Y - y - 1, center.X - y - 1, center.Y + x - 1);
    }
}

void DrawGradientDirection(TCanvas* canvas, const TRect& rect, TiFillDirection direction,
                           TColor startColor, TColor stopColor) {
    canvas->Brush()->SetStyle(bsClear);
    const std::optional<GradientSteps> steps = StepsOf(direction, rect);
    if (!steps) return;
    canvas->Pen()->SetWidth(steps->penWidth);
    const bool fromStart = RunsFromStartColor(direction);
    for (int i = 0; i <= steps->count; ++i) {
        // A single step (a side of one pixel) has no range to divide: it takes the first
        // colour instead of dividing 0 by 0.
        const double s = steps->count == 0 ? 0.0 : double(i) / steps->count;
        canvas->Pen()->SetColor(fromStart ? MixColors(stopColor, startColor, s)
                                          : MixColors(startColor, stopColor, s));
        DrawGradientStep(canvas, rect, direction, i, s);
    }
    const int middleX = rect.Left + rect.Width() / 2 - 1;
    const int middleY = rect.Top + rect.Height() / 2 - 1;
    if (direction == ifdRectangleOut) canvas->SetPixels(middleX, middleY, ColorToRGB(startColor));
    if (direction == ifdRectangleIn) canvas->SetPixels(middleX, middleY, ColorToRGB(stopColor));
}

// ---- Colour ----

TColor DimColor(TColor color, int divisor) {
    // A divisor below 1 leaves the colour as it is rather than dividing by zero or
    // turning the channels negative.
    const int d = std::max(divisor, 1);
    return RGBColor(GetRValue(color) / d, GetGValue(color) / d, GetBValue(color) / d);
}

int iGetRValue(TColor color) {
    return GetRValue(color);
}
int iGetGValue(TColor color) {
    return GetGValue(color);
}
int iGetBValue(TColor color) {
    return GetBValue(color);
}

// ---- Geometry ----

TPoint GetXYRadPoint(double degrees, double radius, const TPoint& center) {
    const double radians = DegToRad(degrees);
    return {center.X + Round(radius * std::cos(radians)),
            center.Y - Round(radius * std::sin(radians))};
}

TRect iRect(int x1, int y1, int x2, int y2) {
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

TRect iXYReverseRect(bool reverse, int x1, int y1, int x2, int y2) {
    return reverse ? iRect(y1, x1, y2, x2) : iRect(x1, y1, x2, y2);
}

TPoint iXYReversePoint(bool reverse, int x, int y) {
    return reverse ? TPoint{y, x} : TPoint{x, y};
}

TPoint iPointReverse(bool reverse, int x, int y) {
    return iXYReversePoint(reverse, x, y);
}

TPointDouble PointDouble(double x, double y) {
    return {x, y};
}

void SwapIntegers(int& a, int& b) {
    std::swap(a, b);
}

// ---- Numbers ----

int GetDecimalPoints(double value1, double value2, int precision, TiPrecisionStyle style) {
    if (style == ipsFixedDecimalPoints) return precision;
    if (style != ipsSignificantDigits || precision <= 0) return 0;
    const double span = std::abs(value1 - value2);
    // In 64 bits: the clamped logarithm of an infinite span must not overflow the sum.
    int64_t n = span != 0 ? int64_t(precision) - (int64_t(Trunc(Log10(span))) + 1) : 0;
    if (span < 1) ++n;
    return int(std::clamp<int64_t>(n, 0, std::numeric_limits<int>::max()));
}

void GetAutoScaleValuesAdjustable(double min, double max, int desiredTicks, int maxTicks,
                                  double& newMin, double& newMax, int& tickCount) {
    // Outputs start at the given range, so that they are never left unset when no
    // attempt fits.
    newMin = min;
    newMax = max;
    if (min == max) {
        tickCount = 2;
        return;
    }
    tickCount = desiredTicks;
    const double extent = std::abs(max - min);
    const double unit = GridUnit(extent);
    for (int i = 2; i <= 40; ++i) {
        const double h = unit * 0.5 * i;
        if (h < extent) continue;
        tickCount = NiceTickCount(desiredTicks, maxTicks, h);
        if (tickCount <= maxTicks &&
            AlignCovering(min, max, h, h / (tickCount - 1), newMin, newMax))
            return;
    }
}

void GetAutoScaleValuesFixed(double min, double max, int desiredTicks, int maxTicks, double& newMin,
                             double& newMax, int& tickCount) {
    newMin = min;
    newMax = max;
    if (min == max) {
        tickCount = 2;
        return;
    }
    tickCount = desiredTicks;
    const double extent = std::abs(max - min);
    const double unit = GridUnit(extent);
    for (int j = 100; j >= 2; --j) {
        const double h = unit * 0.1 * j;
        if (h > extent) continue;
        for (int limit = maxTicks; limit >= 2; --limit) {
            tickCount = NiceTickCount(desiredTicks, limit, h);
            if (tickCount <= limit && PlaceInside(min, max, h, h / (tickCount - 1), newMin, newMax))
                return;
        }
    }
}

QString iIntToStr(uint32_t value, TiIntegerFormatStyle style, int digitCount, bool padWithZeros) {
    // Every style shows all 32 bits; octal needs up to 11 digits for that.
    const int base = BaseOf(style);
    QString text = base == 0 ? QString() : QString::number(value, base).toUpper();
    if (padWithZeros && text.size() < digitCount) text = text.rightJustified(digitCount, '0');
    return text.isEmpty() ? QStringLiteral("0") : text;
}

int iStrToInt(const QString& text) {
    if (text.startsWith('b')) return DigitsToInt(text, 2);
    if (text.startsWith('o')) return DigitsToInt(text, 8);
    return StrToInt(text);
}

// ---- Windows and components ----

void SetParentsToTopMost(QWidget* control) {
    for (QWidget* window = control; window; window = window->parentWidget())
        SetWindowToControlParent(window, true);
}

void SetWindowToControlParent(QWidget* window, bool value) {
    if (window) window->setProperty(ControlParentProperty, value);
}

bool IsControlParent(const QWidget* window) {
    return window && window->property(ControlParentProperty).toBool();
}

QWidget* GetCustomFormOwner(QObject* component) {
    QWidget* lastWidget = nullptr;
    for (QObject* owner = component ? component->parent() : nullptr; owner;
         owner = owner->parent()) {
        auto* widget = qobject_cast<QWidget*>(owner);
        if (!widget) continue;
        if (IsForm(widget)) return widget;
        lastWidget = widget;
    }
    return lastWidget;
}

void iSetFocus(QWidget* control) {
    if (control) control->setFocus(Qt::OtherFocusReason);
}

void SetActivePageIndex(QTabWidget* pageControl, int index) {
    if (pageControl && index >= 0 && index < pageControl->count())
        pageControl->setCurrentIndex(index);
}

int GetActivePageIndex(const QTabWidget* pageControl) {
    return pageControl ? pageControl->currentIndex() : -1;
}

bool GetShiftDown() {
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

bool GetCtrlDown() {
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
}

void iSetDesigning(QObject* component) {
    if (component) component->setProperty(DesigningProperty, true);
}

bool iGetDesigning(const QObject* component) {
    return component && component->property(DesigningProperty).toBool();
}

QObject* GetObjectProperty(const QObject* object, const QString& propName) {
    if (!object) return nullptr;
    const QMetaObject* meta = object->metaObject();
    const int index = meta->indexOfProperty(propName.toUtf8().constData());
    if (index < 0) return nullptr;
    const QMetaProperty property = meta->property(index);
    if (!(property.metaType().flags() & QMetaType::PointerToQObject)) return nullptr;
    return property.read(object).value<QObject*>();
}

// ---- Property lists ----

namespace {

const QString KeySeparator = QStringLiteral(" = ");
// Marks the key of a value whose line breaks are escaped; no property path ends with it.
constexpr QChar EscapedKeyMark = u'\\';

bool HoldsLineBreak(const QString& value) {
    return value.contains(u'\r') || value.contains(u'\n');
}

QString Escaped(const QString& value) {
    QString text;
    text.reserve(value.size());
    for (const QChar c : value) {
        if (c == u'\\')
            text += QStringLiteral("\\\\");
        else if (c == u'\r')
            text += QStringLiteral("\\r");
        else if (c == u'\n')
            text += QStringLiteral("\\n");
        else
            text += c;
    }
    return text;
}

// An unknown escape stays as it stands.
QString Unescaped(const QString& text) {
    QString value;
    value.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (text[i] != u'\\' || (next != u'\\' && next != u'r' && next != u'n')) {
            value += text[i];
            continue;
        }
        value += next == u'r' ? QChar(u'\r') : next == u'n' ? QChar(u'\n') : QChar(u'\\');
        ++i;
    }
    return value;
}

// "<prefix>.<path> = <value>" in one piece; an empty prefix gives "<path> = <value>".
QString PropertyLine(QStringView prefix, QStringView path, const QString& value) {
    const bool escaped = HoldsLineBreak(value);
    const QString text = escaped ? Escaped(value) : value;
    QString line;
    line.reserve(prefix.size() + path.size() + text.size() + 5);
    if (!prefix.isEmpty()) line.append(prefix).append(u'.');
    line.append(path);
    if (escaped) line.append(EscapedKeyMark);
    return line.append(KeySeparator).append(text);
}

// A blank prefix leaves keys as they are.
QStringView KeyPrefix(const QString& prefix) {
    return prefix.trimmed().isEmpty() ? QStringView() : QStringView(prefix);
}

QString KeyOf(QStringView prefix, const QString& path) {
    return prefix.isEmpty() ? path : prefix.toString() + u'.' + path;
}

// The path or a sub-object on its way is listed.
bool IsExcluded(const QString& path, const TStringList& excludeList) {
    for (qsizetype dot = path.indexOf(u'.'); dot >= 0; dot = path.indexOf(u'.', dot + 1)) {
        if (excludeList.IndexOf(path.left(dot)) >= 0) return true;
    }
    return excludeList.IndexOf(path) >= 0;
}

// A line split as SeparateStrings splits it, its key without the mark of escaped values,
// viewing the line instead of copying it.
struct PropertyText {
    QStringView Key;
    QStringView Value;
    bool Escaped = false;
};

PropertyText SplitPropertyLine(const QString& line) {
    const auto [key, value] = SeparateStringViews(line, u'=');
    PropertyText split{key, value};
    split.Escaped = split.Key.endsWith(EscapedKeyMark);
    if (split.Escaped) split.Key.chop(1);
    return split;
}

QString ValueOf(const PropertyText& split) {
    return split.Escaped ? Unescaped(split.Value.toString()) : split.Value.toString();
}

// The lines of a property list by key, for an object whose keys start with prefix and ".":
// each property takes the first line not yet taken whose key is its path, as it would
// searching the list from the top, without a search through every line for every property.
class PropertyLines {
public:
    PropertyLines(const TStringList& list, QStringView prefix)
        : list_(list), next_(size_t(list.Count()), -1), taken_(size_t(list.Count()), false) {
        first_.reserve(list.Count());
        for (int i = list.Count(); i-- > 0;) {
            const PropertyText split = SplitPropertyLine(list[i]);
            const auto path = PathOf(split.Key, prefix);
            if (!path) continue;
            const auto first = first_.find({*path});
            if (first == first_.end()) {
                first_.insert({*path}, i);
            } else {
                next_[size_t(i)] = *first;
                *first = i;
            }
        }
    }

    // The value of the first line of path not yet taken, which is taken; nothing without one.
    std::optional<QString> Take(const QString& path) {
        const auto found = first_.find({path});
        if (found == first_.end() || *found < 0) return std::nullopt;
        const int index = *found;
        *found = next_[size_t(index)];
        taken_[size_t(index)] = true;
        return ValueOf(SplitPropertyLine(list_[index]));
    }

    // The lines no property took, in their order.
    void Remaining(TStringList& remaining) const {
        for (int i = 0; i < list_.Count(); ++i)
            if (!taken_[size_t(i)]) remaining.Add(list_[i], list_.Objects(i));
    }

private:
    // The key less "<prefix>.", compared as the whole key would be: unit by unit, ignoring
    // case.
    static std::optional<QStringView> PathOf(QStringView key, QStringView prefix) {
        if (prefix.isEmpty()) return key;
        if (key.size() <= prefix.size() || key[prefix.size()] != u'.' ||
            key.left(prefix.size()).compare(prefix, Qt::CaseInsensitive) != 0)
            return std::nullopt;
        return key.mid(prefix.size() + 1);
    }

    const TStringList& list_;
    QHash<TCaselessKey, int> first_; // the first index not taken; -1 for none
    std::vector<int> next_;          // the next index of the same key; -1 for none
    std::vector<bool> taken_;
};

struct ParsedValue {
    PropertyDescriptor Property;
    QVariant Value; // canonical
};

// Values of one object are at most a line each, and no object has many more than a hundred.
constexpr int ValuesReserved = 128;

QList<ParsedValue> ParseObjectValues(QObject* object, PropertyLines& lines, int lineCount) {
    QList<ParsedValue> values;
    values.reserve(std::min(lineCount, ValuesReserved));
    PropertyWalker::ForEachStoredValue(object, [&](const PropertyDescriptor& property) {
        if (const std::optional<QString> text = lines.Take(property.Path))
            values.append({property, PropertyWalker::Canonical(property, *text)});
    });
    return values;
}

// Setters clamp against values that later lines change, so a second pass assigns what the
// first one could not.
void AssignValues(const QList<ParsedValue>& values) {
    for (const ParsedValue& parsed : values)
        PropertyWalker::Write(parsed.Property, parsed.Value);
    for (const ParsedValue& parsed : values) {
        if (PropertyWalker::Read(parsed.Property) != parsed.Value)
            PropertyWalker::Write(parsed.Property, parsed.Value);
    }
}

// Best effort: a value the object refuses now is left as the failed assignment made it.
void RestoreValues(const QList<ParsedValue>& values) {
    for (const ParsedValue& before : values) {
        try {
            PropertyWalker::Write(before.Property, before.Value);
        } catch (const Exception&) {
        }
    }
}

} // namespace

void SaveObjectToStringList(QObject* object, const QString& prefix, TStringList& list,
                            const TStringList* excludeList) {
    const QStringView keyPrefix = KeyPrefix(prefix);
    const bool excluding = excludeList && excludeList->Count() > 0;
    PropertyWalker::ForEachStoredValue(object, [&](const PropertyDescriptor& property) {
        if (excluding && IsExcluded(KeyOf(keyPrefix, property.Path), *excludeList)) return;
        list.Add(PropertyLine(keyPrefix, property.Path, PropertyWalker::ReadText(property)));
    });
}

void LoadObjectFromStringList(QObject* object, const QString& prefix, TStringList& list) {
    PropertyLines lines(list, KeyPrefix(prefix));
    const QList<ParsedValue> values = ParseObjectValues(object, lines, list.Count());
    QList<ParsedValue> before;
    before.reserve(values.size());
    for (const ParsedValue& parsed : values)
        before.append({parsed.Property, PropertyWalker::Read(parsed.Property)});
    try {
        AssignValues(values);
    } catch (const Exception&) {
        RestoreValues(before);
        throw;
    }
    TStringList remaining;
    lines.Remaining(remaining);
    list.Assign(remaining);
}

bool GetPropertyValueString(const QString& name, QString& value, TStringList& list) {
    for (int i = 0; i < list.Count(); ++i) {
        const PropertyText split = SplitPropertyLine(list[i]);
        if (split.Key.compare(name, Qt::CaseInsensitive) != 0) continue;
        value = ValueOf(split);
        list.Delete(i);
        return true;
    }
    return false;
}

std::pair<QStringView, QStringView> SeparateStringViews(QStringView text, QChar separator) {
    const qsizetype at = text.indexOf(separator);
    if (at < 0) return {};
    return {text.left(at).trimmed(), text.mid(at + 1).trimmed()};
}

void SeparateStrings(const QString& text, QChar separator, QString& left, QString& right) {
    const auto [before, after] = SeparateStringViews(text, separator);
    left = before.toString();
    right = after.toString();
}
