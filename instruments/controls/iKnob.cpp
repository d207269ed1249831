#include "instruments/controls/iKnob.h"

#include "instruments/framework/Igpfunctions.h"
#include "instruments/framework/iMath.h"
#include "platform/Geometry.h"
#include "platform/NumberText.h"
#include "platform/PropertyDefaults.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

const PropertyDefaults::Registration
    defaults(TiKnob::staticMetaObject, {
                                           {"KnobRadius", 35},
                                           {"KnobEdgeWidth", 3},
                                           {"KnobStyle", TiKnob::iksRaised},
                                           {"RotationStartDegrees", 225},
                                           {"RotationMaxDegrees", 270},
                                           {"IndicatorStyle", TiKnob::ikisDotLowered},
                                           {"IndicatorSize", 4},
                                           {"IndicatorMargin", 5},
                                           {"IndicatorActiveColor", clAqua},
                                           {"IndicatorInactiveColor", clRed},
                                           {"ShowPostionDisplay", false},
                                           {"PositionDisplayPrecision", 1},
                                           {"PositionDisplayUnits", QString()},
                                           {"KeyArrowStepSize", 0.1},
                                           {"KeyPageStepSize", 1.0},
                                           {"MouseWheelStepSize", 1.0},
                                           {"AutoSize", true},
                                           {"OuterMargin", 2},
                                           {"ShowFocusRect", true},
                                           {"UseKeyboard", true},
                                           {"BackGroundColor", clBtnFace},
                                           {"BorderStyle", ibsNone},
                                           {"Transparent", false},
                                           {"CachedDrawing", true},
                                           {"OffsetX", 0},
                                           {"OffsetY", 0},
                                           {"Width", 150},
                                           {"Height", 150},
                                           {"TabStop", true},
                                           {"TickMinorColor", clGray},
                                           {"TickLabelMargin", 15},
                                           {"KeyArrowStepSize_2", PropertyDefaults::NoDefault()},
                                           {"KeyPageStepSize_2", PropertyDefaults::NoDefault()},
                                       });

constexpr TColor DotShadowColor = 0x00808080;

// A label's extent along the unit direction of its angle, whose components round to -1, 0
// or 1: what a label at that angle adds to the dial's width and height.
TSize LabelReach(const TCanvas& canvas, const QString& text, double degrees) {
    const TPoint unit = GetXYRadPoint(degrees, 1, TPoint{0, 0});
    const TSize extent = canvas.TextExtent(text);
    return {std::abs(extent.cx * unit.X), std::abs(extent.cy * unit.Y)};
}

void DrawTextCentred(TCanvas& canvas, const TPoint& at, const QString& text) {
    const TSize extent = canvas.TextExtent(text);
    canvas.TextOut(at.X - extent.cx / 2, at.Y - extent.cy / 2, text);
}

} // namespace

TiKnob::TiKnob(QWidget* parent)
    : TiScaleComponent(parent), positionDisplayFont_(std::make_unique<TFont>()) {
    positionDisplayFont_->OnChange = [this](QObject* sender) { InvalidateChangeEvent(sender); };
    resize(150, 150);
    SetTabStop(true);
    SetTickMinorColor(clGray);
    SetTickLabelMargin(15);
    InitStepSizes(0.1, 1, 1);
}

TiKnob::~TiKnob() = default;

void TiKnob::SetKnobRadius(int Value) {
    SetIntegerProperty(BoundPixelSize(Value), knobRadius_, irtBackGround);
}

void TiKnob::SetKnobEdgeWidth(int Value) {
    SetIntegerProperty(BoundPixelSize(Value), knobEdgeWidth_, irtBackGround);
}

void TiKnob::SetKnobStyle(TiKnobStyle Value) {
    if (Value == knobStyle_) return;
    knobStyle_ = Value;
    BackGroundChange();
}

void TiKnob::SetRotationStartDegrees(int Value) {
    SetIntegerProperty(Value, rotationStartDegrees_, irtBackGround);
}

void TiKnob::SetRotationMaxDegrees(int Value) {
    SetIntegerProperty(Value, rotationMaxDegrees_, irtBackGround);
}

void TiKnob::SetIndicatorStyle(TiKnobIndicatorStyle Value) {
    if (Value == indicatorStyle_) return;
    indicatorStyle_ = Value;
    BackGroundChange();
}

void TiKnob::SetIndicatorSize(int Value) {
    SetIntegerProperty(std::clamp(Value, 1, MaxPixelExtent), indicatorSize_, irtInvalidate);
}

void TiKnob::SetIndicatorMargin(int Value) {
    SetIntegerProperty(BoundPixelSize(Value), indicatorMargin_, irtBackGround);
}

void TiKnob::SetIndicatorActiveColor(TColor Value) {
    SetColorProperty(Value, indicatorActiveColor_, irtBackGround);
}

void TiKnob::SetIndicatorInactiveColor(TColor Value) {
    SetColorProperty(Value, indicatorInactiveColor_, irtBackGround);
}

void TiKnob::SetShowPostionDisplay(bool Value) {
    SetBooleanProperty(Value, showPostionDisplay_, irtBackGround);
}

void TiKnob::SetPositionDisplayFont(const TFont* Value) {
    if (Value) positionDisplayFont_->Assign(*Value);
}

void TiKnob::SetPositionDisplayPrecision(int Value) {
    SetIntegerProperty(std::max(Value, 0), positionDisplayPrecision_, irtInvalidate);
}

void TiKnob::SetPositionDisplayUnits(const QString& Value) {
    SetStringProperty(Value.trimmed().isEmpty() ? QString() : Value, positionDisplayUnits_,
                      irtInvalidate);
}

void TiKnob::SetAutoSize(bool Value) {
    SetBooleanProperty(Value, autoSize_, irtBackGround);
}

void TiKnob::SetOuterMargin(int Value) {
    SetIntegerProperty(BoundPixelSize(Value), outerMargin_, irtBackGround);
}

void TiKnob::SetUseKeyboard(bool Value) {
    SetBooleanProperty(Value, useKeyboard_, irtBackGround);
}

double TiKnob::PositionToDegrees(double Value) const {
    return rotationStartDegrees_ - ValuePercent(Value) * rotationMaxDegrees_;
}

// An empty range is no rotation at all: the indicator rests at the start of the travel, not
// at 0 degrees where a rotation equal to the start angle would put it.
double TiKnob::GetPositionDegrees() const {
    return PositionPercent() * rotationMaxDegrees_;
}

// Without any travel no rotation names a position; dividing by it would store NaN.
void TiKnob::SetPositionDegrees(double Rotation) {
    if (rotationMaxDegrees_ == 0) return;
    SetPosition(PositionMin() + (PositionMax() - PositionMin()) * Rotation / rotationMaxDegrees_);
}

// The radii are summed as doubles, which extreme tick margins and lengths cannot overflow.
TiKnob::TiKnobGeometry TiKnob::Geometry() const {
    TiKnobGeometry dial;
    dial.Center = CenterPoint();
    dial.Radius = autoSize_ ? autoSizeRadius_ : knobRadius_;
    dial.MajorInner = double(dial.Radius) + TickMargin() - 1;
    dial.MajorOuter = double(dial.Radius) + TickMargin() + TickMajorLength();
    const double length = TickMinorLength();
    switch (TickMinorAlignment()) {
    case itmnaInside:
        dial.MinorFirst = dial.MajorInner;
        dial.MinorSecond = dial.MajorInner + length;
        break;
    case itmnaCenter: {
        const double middle = (dial.MajorInner + dial.MajorOuter) / 2;
        dial.MinorFirst = middle - length / 2;
        dial.MinorSecond = middle + length / 2;
        break;
    }
    case itmnaOutside:
        dial.MinorFirst = dial.MajorOuter;
        dial.MinorSecond = dial.MajorOuter - length;
        break;
    }
    dial.LabelRadius = TickLabelMargin() + dial.MajorOuter + 4;
    return dial;
}

void TiKnob::iPaintTo(TCanvas& Canvas) {
    PaintStaticLayer(Canvas, [this](TCanvas& layer) { DrawStatic(layer); });
    const TiKnobGeometry dial = Geometry();
    DrawPositionDisplay(Canvas, dial);
    DrawIndicator(Canvas, dial);
    DrawFocusFrame(Canvas);
}

void TiKnob::DrawStatic(TCanvas& Canvas) {
    const TiScaleTicks ticks = Ticks();
    if (autoSize_) autoSizeRadius_ = AutoSizeRadius(Canvas, ticks);
    DrawBackGround(Canvas, BackGroundColor());
    const TiKnobGeometry dial = Geometry();
    DrawBody(Canvas, dial);
    DrawScale(Canvas, dial, ticks);
}

// Measures the very labels the scale draws, customised texts and fixed tick range included. A
// control too small for its scale leaves no room for the knob, which then has radius 0 rather
// than a negative one that would turn the dial inside out. The room is counted in 64 bits, so
// that extreme margins and tick lengths cannot overflow it.
int TiKnob::AutoSizeRadius(TCanvas& Canvas, const TiScaleTicks& Ticks) const {
    Canvas.SetFont(TickLabelFont());
    int64_t room = std::min(width(), height()) - 2 * int64_t(outerMargin_);
    if (ShowTickLabels()) {
        TSize reach;
        for (const TiScaleMajorTick& tick : Ticks.Major()) {
            const TSize label = LabelReach(Canvas, tick.Label, PositionToDegrees(tick.Value));
            reach.cx = std::max(reach.cx, label.cx);
            reach.cy = std::max(reach.cy, label.cy);
        }
        room -= std::max(reach.cx, reach.cy);
        room -= 2 * (int64_t(TickMargin()) + TickMajorLength() + TickLabelMargin() + 4);
    } else if (ShowTicksMajor() || ShowTicksMinor()) {
        room -= 2 * (int64_t(TickMargin()) + TickMajorLength());
    }
    return int(std::clamp<int64_t>(room / 2, 0, MaxPixelExtent));
}

void TiKnob::DrawBody(TCanvas& Canvas, const TiKnobGeometry& Dial) {
    const bool sunken = knobStyle_ == iksSunken || knobStyle_ == iksSunkenEdge;
    DrawGradientCircle(&Canvas, Dial.Center, Dial.Radius, sunken);
    Canvas.Pen()->SetColor(BackGroundColor());
    if (knobStyle_ != iksRaisedEdge && knobStyle_ != iksSunkenEdge) return;
    const int inner = Dial.Radius - knobEdgeWidth_;
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(clBtnFace);
    Canvas.Pen()->SetColor(clBtnFace);
    Canvas.Ellipse(Dial.Center.X - inner, Dial.Center.Y - inner, Dial.Center.X + inner,
                   Dial.Center.Y + inner);
}

void TiKnob::DrawRadialLine(TCanvas& Canvas, const TiKnobGeometry& Dial, double Degrees,
                            double From, double To) const {
    const TPoint from = GetXYRadPoint(Degrees, From, Dial.Center);
    const TPoint to = GetXYRadPoint(Degrees, To, Dial.Center);
    Line(&Canvas, from.X, from.Y, to.X, to.Y);
}

void TiKnob::DrawScale(TCanvas& Canvas, const TiKnobGeometry& Dial, const TiScaleTicks& Ticks) {
    Canvas.Brush()->SetStyle(bsClear);
    Canvas.SetFont(TickLabelFont());
    const auto drawMinor = [&](std::span<const double> values) {
        if (!ShowTicksMinor()) return;
        Canvas.Pen()->SetColor(TickMinorColor());
        for (double value : values)
            DrawRadialLine(Canvas, Dial, PositionToDegrees(value), Dial.MinorSecond,
                           Dial.MinorFirst);
    };
    for (int i = 0; i < int(Ticks.Major().size()); ++i) {
        const TiScaleMajorTick& tick = Ticks.Major()[size_t(i)];
        const double degrees = PositionToDegrees(tick.Value);
        if (ShowTicksMajor()) {
            Canvas.Pen()->SetColor(TickMajorColor());
            DrawRadialLine(Canvas, Dial, degrees, Dial.MajorOuter, Dial.MajorInner);
        }
        if (ShowTickLabels())
            DrawTextCentred(Canvas, GetXYRadPoint(degrees, Dial.LabelRadius, Dial.Center),
                            tick.Label);
        drawMinor(Ticks.MinorAfter(i));
    }
    drawMinor(Ticks.MinorBeyond());
}

void TiKnob::DrawIndicator(TCanvas& Canvas, const TiKnobGeometry& Dial) {
    const TColor color =
        MouseDragging() || KeyHeld() ? indicatorActiveColor_ : indicatorInactiveColor_;
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(color);
    Canvas.Pen()->SetColor(color);
    const double degrees = rotationStartDegrees_ - GetPositionDegrees();
    const double tip = Dial.Radius - indicatorMargin_;
    switch (indicatorStyle_) {
    case ikisDotLowered:
    case ikisDotRaised:
    case ikisDot:
        DrawIndicatorDot(Canvas, Dial, degrees);
        break;
    case ikisLineCenter:
        DrawRadialLine(Canvas, Dial, degrees, tip, 0);
        break;
    case ikisLineCustom:
        DrawRadialLine(Canvas, Dial, degrees, tip, tip - indicatorSize_);
        break;
    case ikisTriangle:
        DrawIndicatorTriangle(Canvas, Dial, degrees);
        break;
    }
}

// The lowered dot is shaded on its upper-left rim and lit on its lower-right one; the raised
// dot the other way round.
void TiKnob::DrawIndicatorDot(TCanvas& Canvas, const TiKnobGeometry& Dial, double Degrees) {
    const int size = indicatorSize_;
    const TPoint p = GetXYRadPoint(Degrees, Dial.Radius - indicatorMargin_ - size, Dial.Center);
    const TRect square{p.X - size, p.Y - size, p.X + size, p.Y + size};
    Canvas.Ellipse(square);
    if (indicatorStyle_ == ikisDot) return;
    const bool lowered = indicatorStyle_ == ikisDotLowered;
    Canvas.Pen()->SetColor(lowered ? DotShadowColor : clWhite);
    Canvas.Arc(square.Left, square.Top, square.Right, square.Bottom, square.Right, square.Top,
               square.Left, square.Bottom);
    Canvas.Pen()->SetColor(lowered ? clWhite : DotShadowColor);
    Canvas.Arc(square.Left, square.Top, square.Right, square.Bottom, square.Left, square.Bottom,
               square.Right, square.Top);
}

void TiKnob::DrawIndicatorTriangle(TCanvas& Canvas, const TiKnobGeometry& Dial, double Degrees) {
    const double tip = Dial.Radius - indicatorMargin_;
    const TPoint base = GetXYRadPoint(Degrees, tip - indicatorSize_, Dial.Center);
    const std::array<TPoint, 3> corners{GetXYRadPoint(Degrees + 90, indicatorSize_ / 2.0, base),
                                        GetXYRadPoint(Degrees - 90, indicatorSize_ / 2.0, base),
                                        GetXYRadPoint(Degrees, tip, Dial.Center)};
    Canvas.Polygon(corners);
}

void TiKnob::DrawPositionDisplay(TCanvas& Canvas, const TiKnobGeometry& Dial) {
    if (!showPostionDisplay_) return;
    Canvas.Brush()->SetStyle(bsClear);
    Canvas.SetFont(positionDisplayFont_.get());
    const QString text =
        FormatFixed(Position(), positionDisplayPrecision_).trimmed() + positionDisplayUnits_;
    DrawTextCentred(Canvas, Dial.Center, text);
}

// Screen Y grows downwards, so the angle grows clockwise.
double TiKnob::MouseAngle(int X, int Y) const {
    const TPoint center = CenterPoint();
    return RadToDeg(std::atan2(double(Y - center.Y), double(X - center.X)));
}

void TiKnob::iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TiScaleComponent::iMouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !isEnabled()) return;
    ClearPositionChangedSinceFinished();
    iSetFocus(this);
    const TiKnobGeometry dial = Geometry();
    const double distance = std::hypot(X - dial.Center.X, Y - dial.Center.Y);
    if (Round(distance) >= dial.Radius) return;
    StartMouseDrag();
    lastMouseAngle_ = MouseAngle(X, Y);
    InvalidateChange();
}

// The raw angle jumps by 360 degrees across 9 o'clock; a difference beyond 200 degrees is
// that jump, not a turn.
void TiKnob::iMouseMove(TShiftState Shift, int X, int Y) {
    TiScaleComponent::iMouseMove(Shift, X, Y);
    if (!MouseDragging()) return;
    const double angle = MouseAngle(X, Y);
    double turn = lastMouseAngle_ - angle;
    if (turn > 200) turn -= 360;
    if (turn < -200) turn += 360;
    {
        TiUserPositionChange user(*this);
        SetPositionDegrees(GetPositionDegrees() - turn);
    }
    lastMouseAngle_ = angle;
    InvalidateChange();
}

bool TiKnob::UsesKeyboard() const {
    return useKeyboard_;
}
