#include "instruments/controls/iSlider.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/Geometry.h"
#include "platform/PropertyDefaults.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <span>
#include <utility>

namespace {

const PropertyDefaults::Registration defaults(TiSlider::staticMetaObject,
                                              {
                                                  {"Orientation", ioVertical},
                                                  {"OrientationTickMarks", iosBottomRight},
                                                  {"TrackStyle", TiSlider::istsBox},
                                                  {"TrackColor", clWhite},
                                                  {"PointerStyle", TiSlider::ispsLed},
                                                  {"PointerHeight", 10},
                                                  {"PointerWidth", 15},
                                                  {"PointerIndicatorActiveColor", clRed},
                                                  {"PointerIndicatorInactiveColor", clBlack},
                                                  {"EndsMargin", 5},
                                                  {"ReverseScale", false},
                                                  {"AutoCenter", false},
                                                  {"MouseControlStyle", TiSlider::ismcsSlideOnly},
                                                  {"KeyArrowStepSize", 1.0},
                                                  {"KeyPageStepSize", 10.0},
                                                  {"MouseWheelStepSize", 1.0},
                                                  {"ShowFocusRect", true},
                                                  {"BackGroundColor", clBtnFace},
                                                  {"BorderStyle", ibsNone},
                                                  {"OffsetX", 0},
                                                  {"OffsetY", 0},
                                                  {"Width", 70},
                                                  {"Height", 200},
                                                  {"TabStop", true},
                                              });

void ColoredPolyline(TCanvas& canvas, TColor color, std::initializer_list<TPoint> points) {
    canvas.Pen()->SetColor(color);
    canvas.Polyline(std::span<const TPoint>(points.begin(), points.size()));
}

void SetPenAndBrush(TCanvas& canvas, TColor pen, TColor brush) {
    canvas.Pen()->SetColor(pen);
    canvas.Brush()->SetColor(brush);
}

} // namespace

TiSlider::TiSlider(QWidget* parent) : TiScaleComponent(parent) {
    resize(70, 200);
    SetTabStop(true);
}

void TiSlider::SetOrientation(TiOrientation Value) {
    if (Value == orientation_) return;
    orientation_ = Value;
    if (!GetLoading()) resize(height(), width());
    BackGroundChange();
}

void TiSlider::SetOrientationTickMarks(TiOrientationSide Value) {
    if (Value == orientationTickMarks_) return;
    orientationTickMarks_ = Value;
    BackGroundChange();
}

void TiSlider::SetTrackStyle(TiSliderTrackStyle Value) {
    if (Value == trackStyle_) return;
    trackStyle_ = Value;
    BackGroundChange();
}

void TiSlider::SetTrackColor(TColor Value) {
    SetColorProperty(Value, trackColor_, irtBackGround);
}

void TiSlider::SetPointerStyle(TiSliderPointerStyle Value) {
    if (Value == pointerStyle_) return;
    pointerStyle_ = Value;
    BackGroundChange();
}

void TiSlider::SetPointerHeight(int Value) {
    SetIntegerProperty(BoundPixelSize(Value), pointerHeight_, irtBackGround);
}

void TiSlider::SetPointerWidth(int Value) {
    SetIntegerProperty(BoundPixelSize(Value), pointerWidth_, irtBackGround);
}

void TiSlider::SetPointerIndicatorActiveColor(TColor Value) {
    SetColorProperty(Value, pointerIndicatorActiveColor_, irtBackGround);
}

void TiSlider::SetPointerIndicatorInactiveColor(TColor Value) {
    SetColorProperty(Value, pointerIndicatorInactiveColor_, irtBackGround);
}

void TiSlider::SetEndsMargin(int Value) {
    SetIntegerProperty(BoundPixelSize(Value), endsMargin_, irtBackGround);
}

void TiSlider::SetReverseScale(bool Value) {
    SetBooleanProperty(Value, reverseScale_, irtBackGround);
}

void TiSlider::SetAutoCenter(bool Value) {
    SetBooleanProperty(Value, autoCenter_, irtBackGround);
}

// ---- Geometry ----

int TiSlider::PointerInset() const {
    return pointerStyle_ == ispsLed ? 2 : 0;
}

int TiSlider::PointerOverhang() const {
    return pointerStyle_ == ispsLed ? 0 : 4;
}

int TiSlider::TickClearance() const {
    return pointerStyle_ == ispsLed ? 0 : 5;
}

// Counted in 64 bits and saturated, so that an extreme EndsMargin cannot overflow it.
int TiSlider::GetTravelRange() const {
    const int64_t length = IsVertical() ? height() : width();
    const int64_t travel = length - pointerHeight_ - 2 * int64_t(endsMargin_) - 2 * PointerInset();
    return int(std::clamp<int64_t>(travel, std::numeric_limits<int>::min(),
                                   std::numeric_limits<int>::max()));
}

// A travel of 0 or less (a control shorter than its pointer and margins) has no pixel
// scale: every pixel gives the minimum instead of dividing by it into NaN or infinity.
double TiSlider::GetPixelsToPosition(double Pixel) const {
    const int travel = GetTravelRange();
    if (travel <= 0) return PositionMin();
    const double nearEnd = double(endsMargin_) + PointerInset() + pointerHeight_ / 2.0;
    const double farEnd = (IsVertical() ? height() : width()) - nearEnd;
    // The minimum lies at the bottom of a vertical track and the left of a horizontal one.
    const bool minimumAtFarEnd = IsVertical() != reverseScale_;
    const double distance = minimumAtFarEnd ? farEnd - Pixel : Pixel - nearEnd;
    const double fraction = std::clamp(distance / travel, 0.0, 1.0);
    return PositionMin() + (PositionMax() - PositionMin()) * fraction;
}

// Without travel the pointer rests at the minimum's end rather than outside the track.
int TiSlider::PointerTravel() const {
    const int travel = std::max(GetTravelRange(), 0);
    const int offset = Round(travel * ValuePercent(Position()));
    return reverseScale_ ? travel - offset : offset;
}

TiSlider::TiSliderGeometry TiSlider::CalcPoints() const {
    const int W = width();
    const int H = height();
    const int E = endsMargin_;
    const int PH = pointerHeight_;
    const int i = PointerInset();
    const int k = TickClearance();
    const int d = pointerWidth_ + 2 * i;
    const int c = PointerTravel();
    // The LED sits inside the track, the other pointers reach past it; no style has both.
    const int acrossInset = i - PointerOverhang();
    const bool ticksBottomRight = orientationTickMarks_ == iosBottomRight;
    TiSliderGeometry shape;
    TRect& t = shape.Track;
    if (IsVertical()) {
        t = ticksBottomRight ? Rect(k + 2, E, k + d + 2, H - E)
                             : Rect(W - k - d - 2, E, W - k - 2, H - E);
        shape.Pointer = Rect(t.Left + acrossInset, t.Bottom - i - c - PH, t.Right - acrossInset,
                             t.Bottom - i - c);
    } else {
        t = ticksBottomRight ? Rect(E, k + 2, W - E, k + d + 2)
                             : Rect(E, H - d - k - 2, W - E, H - k - 2);
        shape.Pointer =
            Rect(t.Left + i + c, t.Top + acrossInset, t.Left + i + c + PH, t.Bottom - acrossInset);
    }
    return shape;
}

int TiSlider::LabelExtent(TCanvas& Canvas) const {
    Canvas.SaveState();
    Canvas.SetFont(TickLabelFont());
    const TSize extent = Canvas.TextExtent(TickLabelText(PositionMax(), GetDecimalPoints()));
    Canvas.RestoreState();
    return IsVertical() ? extent.cx : extent.cy;
}

int TiSlider::CalcAutoCenterOffsets(TCanvas& Canvas, const TiSliderGeometry& Shape) const {
    if (!autoCenter_) return 0;
    int scaleExtent = 0;
    if (ShowTickLabels())
        scaleExtent = TickMargin() + TickMajorLength() + TickLabelMargin() + LabelExtent(Canvas);
    else if (ShowTicksMajor())
        scaleExtent = TickMargin() + TickMajorLength();
    const TRect& t = Shape.Track;
    const int o = PointerOverhang();
    return IsVertical() ? (width() + t.Left - scaleExtent - t.Right - o) / 2
                        : (height() + t.Top - scaleExtent - t.Bottom - o) / 2;
}

TiSlider::TiSliderGeometry TiSlider::Shifted(TiSliderGeometry Shape, int Across) const {
    const int dx = IsVertical() ? Across : 0;
    const int dy = IsVertical() ? 0 : Across;
    Shape.Track = OffsetRect(Shape.Track, dx, dy);
    Shape.Pointer = OffsetRect(Shape.Pointer, dx, dy);
    return Shape;
}

// A positive offset moves track and pointer toward the ticks, whichever side they are on.
TiSlider::TiSliderGeometry TiSlider::Geometry(TCanvas& Canvas) const {
    const TiSliderGeometry shape = CalcPoints();
    const int across =
        (IsVertical() ? OffsetX() : OffsetY()) + CalcAutoCenterOffsets(Canvas, shape);
    return Shifted(shape, orientationTickMarks_ == iosBottomRight ? across : -across);
}

TiSlider::TiSliderGeometry TiSlider::MouseGeometry() {
    return Geometry(*GetBackGroundBitmap()->Canvas());
}

// ---- Painting ----

void TiSlider::iPaintTo(TCanvas& Canvas) {
    const TiSliderGeometry shape = Geometry(Canvas);
    PaintStaticLayer(Canvas, [this, &shape](TCanvas& layer) { DrawStatic(layer, shape); });
    DrawIndicator(Canvas, shape.Pointer);
    DrawFocusFrame(Canvas);
}

void TiSlider::DrawStatic(TCanvas& Canvas, const TiSliderGeometry& Shape) {
    DrawBackGround(Canvas, BackGroundColor());
    DrawBar(Canvas, Shape.Track);
    DrawTicks(Canvas, Shape.Track);
}

void TiSlider::DrawAlongLine(TCanvas& Canvas, const TRect& Track, int Across, TColor Color) const {
    Canvas.Pen()->SetColor(Color);
    if (IsVertical())
        Line(&Canvas, Across, Track.Top + 2, Across, Track.Bottom - 2);
    else
        Line(&Canvas, Track.Left + 2, Across, Track.Right - 2, Across);
}

void TiSlider::DrawBar(TCanvas& Canvas, const TRect& Track) const {
    Canvas.Brush()->SetStyle(bsSolid);
    const auto [L, T, R, B] = Track;
    const int middle = IsVertical() ? (L + R) / 2 : (T + B) / 2;
    const auto bevel = [&](TColor outer, TColor inner) {
        DrawAlongLine(Canvas, Track, middle - 2, outer);
        DrawAlongLine(Canvas, Track, middle - 1, outer);
        DrawAlongLine(Canvas, Track, middle, inner);
        DrawAlongLine(Canvas, Track, middle + 1, inner);
    };
    switch (trackStyle_) {
    case istsBox:
        Canvas.Brush()->SetColor(trackColor_);
        Canvas.FillRect(Track);
        ColoredPolyline(Canvas, clBtnShadow, {{R, T}, {L, T}, {L, B}});
        ColoredPolyline(Canvas, clBtnShadow, {{R - 1, T + 1}, {L + 1, T + 1}, {L + 1, B - 1}});
        ColoredPolyline(Canvas, clBtnHighlight, {{R - 1, T}, {R - 1, B - 1}, {L, B - 1}});
        ColoredPolyline(Canvas, clSilver, {{R - 2, T + 2}, {R - 2, B - 2}, {L, B - 2}});
        break;
    case istsLine:
        DrawAlongLine(Canvas, Track, middle, trackColor_);
        break;
    case istsBevelLowered:
        bevel(clBtnShadow, clBtnHighlight);
        break;
    case istsBevelRasied:
        bevel(clBtnHighlight, clBtnShadow);
        break;
    }
}

// The scale is laid out along the track for this paint only; the scale object's own settings
// stay untouched, so painting changes no state and marks nothing stale.
void TiSlider::DrawTicks(TCanvas& Canvas, const TRect& Track) const {
    const int i = PointerInset();
    const int half = pointerHeight_ / 2;
    const bool ticksBottomRight = orientationTickMarks_ == iosBottomRight;
    TiScalePlacement placement;
    placement.PositionMin = PositionMin();
    placement.PositionMax = PositionMax();
    placement.Orientation = orientation_;
    placement.OrientationSide = orientationTickMarks_;
    placement.ReverseScale = reverseScale_;
    if (IsVertical()) {
        placement.PixelsStart = Track.Bottom - i - half - 1;
        placement.PixelsStop = Track.Top + i + half;
        placement.BasePosition = ticksBottomRight ? Track.Right : Track.Left;
    } else {
        placement.PixelsStart = Track.Left + i + half;
        placement.PixelsStop = Track.Right - i - half;
        placement.BasePosition = ticksBottomRight ? Track.Bottom : Track.Top;
    }
    ScaleObject().Draw(Canvas, placement);
}

// The LED lights while the mouse drags or a key is held; the other pointers only while the
// mouse drags.
TColor TiSlider::IndicatorColor() const {
    const bool active = MouseDragging() || (pointerStyle_ == ispsLed && KeyHeld());
    return active ? pointerIndicatorActiveColor_ : pointerIndicatorInactiveColor_;
}

void TiSlider::DrawIndicator(TCanvas& Canvas, const TRect& Pointer) const {
    Canvas.Brush()->SetStyle(bsSolid);
    const TColor face = MouseDragging() ? clBtnHighlight : clBtnFace;
    switch (pointerStyle_) {
    case ispsLed:
        DrawLed(Canvas, Pointer);
        break;
    case ispsPointer:
        DrawArrow(Canvas, Pointer);
        break;
    case ispsBar:
        DrawBarBody(Canvas, Pointer, clBtnFace, face);
        break;
    case ispsLightBar:
        DrawBarBody(Canvas, Pointer, clBtnFace, clBtnFace);
        DrawLightBarLines(Canvas, Pointer);
        break;
    case ispsBarColor:
        DrawBarBody(Canvas, Pointer, IndicatorColor(), IndicatorColor());
        break;
    }
}

void TiSlider::DrawLed(TCanvas& Canvas, const TRect& Pointer) const {
    const auto [L, T, R, B] = Pointer;
    SetPenAndBrush(Canvas, clBtnFace, clBtnFace);
    Canvas.Rectangle(Pointer);
    SetPenAndBrush(Canvas, IndicatorColor(), IndicatorColor());
    Canvas.Rectangle(L + 1, T + 1, R - 2, B - 2);
    ColoredPolyline(Canvas, clGray, {{L + 1, B - 2}, {L + 1, T + 1}, {R - 2, T + 1}});
    ColoredPolyline(Canvas, clWhite, {{L + 3, T + 3}, {L + 5, T + 3}});
}

// A five-point arrow with its tip toward the ticks, lit along the edges that face the light.
void TiSlider::DrawArrow(TCanvas& Canvas, const TRect& Pointer) const {
    const auto [L, T, R, B] = Pointer;
    const int cx = (L + R) / 2;
    const int cy = (T + B) / 2;
    const int h = IsVertical() ? (B - T) / 2 : (R - L) / 2;
    SetPenAndBrush(Canvas, clBlack, MouseDragging() ? clBtnHighlight : clBtnFace);
    const bool ticksBottomRight = orientationTickMarks_ == iosBottomRight;
    const auto arrow = [&](std::initializer_list<TPoint> outline,
                           std::initializer_list<TPoint> lit) {
        Canvas.Polygon(std::span<const TPoint>(outline.begin(), outline.size()));
        ColoredPolyline(Canvas, clWhite, lit);
    };
    if (IsVertical() && ticksBottomRight)
        arrow({{L, T}, {R - h, T}, {R, cy}, {R - h, B}, {L, B}},
              {{L, B}, {L, T}, {R - h, T}, {R, cy}});
    else if (IsVertical())
        arrow({{R, T}, {L + h, T}, {L, cy}, {L + h, B}, {R, B}}, {{R, T}, {L + h, T}, {L, cy}});
    else if (ticksBottomRight)
        arrow({{L, T}, {L, B - h}, {cx, B}, {R, B - h}, {R, T}},
              {{R, T}, {L, T}, {L, B - h}, {cx, B}});
    else
        arrow({{L, B}, {L, T + h}, {cx, T}, {R, T + h}, {R, B}}, {{L, B}, {L, T + h}, {cx, T}});
}

void TiSlider::DrawBarBody(TCanvas& Canvas, const TRect& Pointer, TColor Pen, TColor Brush) const {
    const auto [L, T, R, B] = Pointer;
    SetPenAndBrush(Canvas, Pen, Brush);
    Canvas.Rectangle(Pointer);
    ColoredPolyline(Canvas, clWhite, {{L, B}, {L, T}, {R, T}});
    ColoredPolyline(Canvas, clBlack, {{R, T}, {R, B}, {L, B}});
}

void TiSlider::DrawLightBarLines(TCanvas& Canvas, const TRect& Pointer) const {
    const auto [L, T, R, B] = Pointer;
    const int middle = IsVertical() ? (T + B) / 2 : (L + R) / 2;
    const TColor colors[] = {clBlack, IndicatorColor(), clWhite};
    for (int n = 0; n < 3; ++n) {
        const int at = middle - 1 + n;
        Canvas.Pen()->SetColor(colors[n]);
        if (IsVertical())
            Line(&Canvas, L + 1, at, R - 1, at);
        else
            Line(&Canvas, at, T + 1, at, B - 1);
    }
}

// ---- Mouse ----

void TiSlider::StartDrag(int X, int Y) {
    StartMouseDrag();
    mouseDownPoint_ = {X, Y};
    mouseDownPosition_ = Position();
}

TiSlider::TiPagePress TiSlider::ClassifyPagePress(const TRect& Pointer, int X, int Y) const {
    const bool vertical = IsVertical();
    const int across = vertical ? X : Y;
    if (across < (vertical ? Pointer.Left : Pointer.Top) ||
        across > (vertical ? Pointer.Right : Pointer.Bottom))
        return TiPagePress::Beside;
    const int along = vertical ? Y : X;
    const int start = vertical ? Pointer.Top : Pointer.Left;
    const int end = vertical ? Pointer.Bottom : Pointer.Right;
    if (along >= start && along <= end) return TiPagePress::OnPointer;
    // Screen coordinates grow toward the minimum on a vertical slider, away from it on a
    // horizontal one; ReverseScale mirrors both.
    const bool minimumFirst = vertical == reverseScale_;
    return (along < start) == minimumFirst ? TiPagePress::TowardMin : TiPagePress::TowardMax;
}

bool TiSlider::PressForStyle(int X, int Y) {
    switch (mouseControlStyle_) {
    case ismcsSlideOnly:
        break;
    case ismcsGoto:
        SetPosition(GetPixelsToPosition(IsVertical() ? Y : X));
        break;
    case ismcsSlidePage:
        switch (ClassifyPagePress(MouseGeometry().Pointer, X, Y)) {
        case TiPagePress::Beside:
            return false;
        case TiPagePress::TowardMin:
            SetPosition(Position() - KeyPageStepSize());
            return true;
        case TiPagePress::TowardMax:
            SetPosition(Position() + KeyPageStepSize());
            return true;
        case TiPagePress::OnPointer:
            break;
        }
        break;
    }
    StartDrag(X, Y);
    return true;
}

void TiSlider::iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TiScaleComponent::iMouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    ClearPositionChangedSinceFinished();
    iSetFocus(this);
    bool taken = false;
    {
        TiUserPositionChange user(*this);
        taken = PressForStyle(X, Y);
    }
    if (taken) InvalidateChange();
}

double TiSlider::DragPosition(int X, int Y) const {
    if (mouseControlStyle_ != ismcsSlideOnly) return GetPixelsToPosition(IsVertical() ? Y : X);
    int delta = IsVertical() ? mouseDownPoint_.Y - Y : X - mouseDownPoint_.X;
    if (reverseScale_) delta = -delta;
    return mouseDownPosition_ + double(delta) / GetTravelRange() * (PositionMax() - PositionMin());
}

// Without travel there is no pixel scale to drag along, so the pointer stays where it is.
void TiSlider::iMouseMove(TShiftState Shift, int X, int Y) {
    TiScaleComponent::iMouseMove(Shift, X, Y);
    if (!MouseDragging() || GetTravelRange() <= 0) return;
    {
        TiUserPositionChange user(*this);
        SetPosition(DragPosition(X, Y));
    }
    InvalidateChange();
}
