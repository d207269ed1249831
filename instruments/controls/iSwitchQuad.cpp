#include "instruments/controls/iSwitchQuad.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/Exception.h"
#include "platform/PropertyDefaults.h"

#include <QResizeEvent>
#include <QScopedValueRollback>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

const PropertyDefaults::Registration defaults(TiSwitchQuad::staticMetaObject,
                                              {
                                                  {"ValueX", 0.0},
                                                  {"ValueY", 0.0},
                                                  {"IncrementX", 1.0},
                                                  {"IncrementY", 1.0},
                                                  {"RepeatInitialDelay", 500},
                                                  {"RepeatInterval", 50},
                                                  {"UseArrowKeys", true},
                                                  {"ShowFocusRect", true},
                                                  {"Width", 65},
                                                  {"Height", 65},
                                                  {"TabStop", true},
                                                  {"BackGroundColor", clBtnFace},
                                                  {"Transparent", false},
                                              });

constexpr TColor EdgeGrey = 0x808080;

// The colours of the edges P0->P1, P1->P2 and P2->P0, unpressed and pressed.
struct TArrowEdges {
    std::array<TColor, 3> Raised;
    std::array<TColor, 3> Pressed;
};

TArrowEdges EdgesOf(TiQuadArrow arrow) {
    switch (arrow) {
    case iqaUp:
        return {{clWhite, clBlack, clBlack}, {clBlack, clWhite, clWhite}};
    case iqaLeft:
        return {{clWhite, clBlack, EdgeGrey}, {clBlack, clWhite, clWhite}};
    case iqaRight:
        return {{clWhite, clBlack, clWhite}, {clBlack, clWhite, clBlack}};
    case iqaDown:
    case iqaNone:
        break;
    }
    return {{clWhite, clBlack, EdgeGrey}, {clBlack, clWhite, clBlack}};
}

std::optional<TiQuadArrow> ArrowOfKey(uint16_t key) {
    switch (key) {
    case VK_LEFT:
        return iqaLeft;
    case VK_UP:
        return iqaUp;
    case VK_RIGHT:
        return iqaRight;
    case VK_DOWN:
        return iqaDown;
    default:
        return std::nullopt;
    }
}

} // namespace

TiSwitchQuad::TiSwitchQuad(QWidget* parent) : TiCustomComponent(parent) {
    resize(65, 65);
    SetTabStop(true);
    OnInternalTimer = [this](QObject*) { RepeatTick(); };
}

// A NaN would never compare equal, so every write of it would report a change; it is refused.
void TiSwitchQuad::SetValue(double Value, double& Field, const QString& PropName,
                            const TNotifyEvent& OnValueChange,
                            const TNotifyEvent& OnValueChangeUser) {
    if (std::isnan(Value) || Value == Field || !RequestEdit(PropName)) return;
    Field = Value;
    DoValueChange(PropName, OnValueChange, OnValueChangeUser);
    OPCOutputData(PropName, Field);
}

void TiSwitchQuad::SetValueX(double Value) {
    SetValue(Value, valueX_, QStringLiteral("ValueX"), OnValueXChange, OnValueXChangeUser);
}

void TiSwitchQuad::SetValueY(double Value) {
    SetValue(Value, valueY_, QStringLiteral("ValueY"), OnValueYChange, OnValueYChangeUser);
}

void TiSwitchQuad::SetValueXNoEvent(double Value) {
    QScopedValueRollback<TNotifyEvent> silent(OnValueXChange, nullptr);
    SetValueX(Value);
}

void TiSwitchQuad::SetValueYNoEvent(double Value) {
    QScopedValueRollback<TNotifyEvent> silent(OnValueYChange, nullptr);
    SetValueY(Value);
}

// A step must keep the value a number: a NaN or infinite increment would turn it into NaN.
void TiSwitchQuad::SetIncrementX(double Value) {
    if (std::isfinite(Value)) incrementX_ = Value;
}

void TiSwitchQuad::SetIncrementY(double Value) {
    if (std::isfinite(Value)) incrementY_ = Value;
}

// A negative delay or interval would reach the timer as a huge unsigned period.
void TiSwitchQuad::SetRepeatInitialDelay(int Value) {
    repeatInitialDelay_ = std::max(Value, 0);
}

void TiSwitchQuad::SetRepeatInterval(int Value) {
    repeatInterval_ = std::max(Value, 0);
}

void TiSwitchQuad::SetWidth(int Value) {
    const int side = BoundPixelSize(Value);
    resize(side, side);
}

void TiSwitchQuad::SetHeight(int Value) {
    SetWidth(Value);
}

// Bounds set from outside (a form, a layout, a designer's handles) are squared the same way.
void TiSwitchQuad::resizeEvent(QResizeEvent* event) {
    TiCustomComponent::resizeEvent(event);
    const QSize now = event->size();
    if (now.width() == now.height()) return;
    const int side = now.width() != event->oldSize().width() ? now.width() : now.height();
    resize(side, side);
}

void TiSwitchQuad::DoValueChange(const QString& PropName, const TNotifyEvent& OnValueChange,
                                 const TNotifyEvent& OnValueChangeUser) {
    if (GetLoading()) return;
    NotifyPropertyChange(PropName);
    if (OnValueChange) OnValueChange(this);
    if (userChange_ && OnValueChangeUser) OnValueChangeUser(this);
}

void TiSwitchQuad::DoClick(TiQuadArrow Arrow) {
    if (GetLoading()) return;
    switch (Arrow) {
    case iqaLeft:
        SetValueX(valueX_ - incrementX_);
        if (OnClickLeft) OnClickLeft(this);
        break;
    case iqaRight:
        SetValueX(valueX_ + incrementX_);
        if (OnClickRight) OnClickRight(this);
        break;
    case iqaUp:
        SetValueY(valueY_ + incrementY_);
        if (OnClickUp) OnClickUp(this);
        break;
    case iqaDown:
        SetValueY(valueY_ - incrementY_);
        if (OnClickDown) OnClickDown(this);
        break;
    case iqaNone:
        break;
    }
}

void TiSwitchQuad::DoQuadEvent() {
    QScopedValueRollback marker(userChange_, true);
    DoClick(pressed_);
}

// The tick arrives from the event loop, not through the core's guarded input routes, so a
// failing handler is dropped here as it would be for a key or a click.
void TiSwitchQuad::RepeatTick() {
    try {
        DoQuadEvent();
    } catch (const Exception&) {
        // The repeat goes on; the handler's failure neither reaches the user nor the loop.
    }
}

void TiSwitchQuad::StartRepeat() {
    TimerStart(uint32_t(repeatInitialDelay_), uint32_t(repeatInterval_));
}

TiSwitchQuad::TiQuadRects TiSwitchQuad::CalcRects() const {
    const int w = width();
    const int t = w / 3;
    return {Rect(0, t, t, 2 * t), Rect(t, 0, 2 * t, t), Rect(2 * t, t, w, 2 * t),
            Rect(t, 2 * t, 2 * t, w)};
}

TRect TiSwitchQuad::RectOf(const TiQuadRects& Rects, TiQuadArrow Arrow) {
    switch (Arrow) {
    case iqaLeft:
        return Rects.Left;
    case iqaUp:
        return Rects.Up;
    case iqaRight:
        return Rects.Right;
    case iqaDown:
        return Rects.Down;
    case iqaNone:
        break;
    }
    return {};
}

TiSwitchQuad::TiQuadArrow TiSwitchQuad::ArrowAt(int X, int Y) const {
    const TiQuadRects rects = CalcRects();
    for (TiQuadArrow arrow : {iqaLeft, iqaUp, iqaRight, iqaDown}) {
        if (RectOf(rects, arrow).Contains({X, Y})) return arrow;
    }
    return iqaNone;
}

TiSwitchQuad::TiTriangle TiSwitchQuad::Triangle(TiQuadArrow Arrow, const TRect& R) {
    const int midX = (R.Left + R.Right) / 2;
    const int midY = (R.Top + R.Bottom) / 2;
    switch (Arrow) {
    case iqaLeft:
        return {{{R.Left, midY}, {R.Right, R.Top}, {R.Right, R.Bottom}}};
    case iqaUp:
        return {{{R.Left, R.Bottom}, {midX, R.Top}, {R.Right, R.Bottom}}};
    case iqaRight:
        return {{{R.Left, R.Top}, {R.Right, midY}, {R.Left, R.Bottom}}};
    case iqaDown:
    case iqaNone:
        break;
    }
    return {{{R.Left, R.Top}, {R.Right, R.Top}, {midX, R.Bottom}}};
}

void TiSwitchQuad::DrawArrow(TCanvas& Canvas, TiQuadArrow Arrow, const TRect& R) {
    const TiTriangle corners = Triangle(Arrow, R);
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(clBtnFace);
    Canvas.Pen()->SetColor(clBtnFace);
    Canvas.Polygon(corners);
    const bool pressed = Arrow == pressed_ && (mousePressed_ || keyPressed_);
    const TArrowEdges edges = EdgesOf(Arrow);
    const std::array<TColor, 3>& colors = pressed ? edges.Pressed : edges.Raised;
    for (size_t i = 0; i < corners.size(); ++i) {
        const TPoint& from = corners[i];
        const TPoint& to = corners[(i + 1) % corners.size()];
        Canvas.Pen()->SetColor(colors[i]);
        Line(&Canvas, from.X, from.Y, to.X, to.Y);
    }
}

void TiSwitchQuad::iPaintTo(TCanvas& Canvas) {
    const TiQuadRects rects = CalcRects();
    PaintStaticLayer(Canvas, [this](TCanvas& layer) { DrawBackGround(layer, BackGroundColor()); });
    for (TiQuadArrow arrow : {iqaUp, iqaLeft, iqaRight, iqaDown})
        DrawArrow(Canvas, arrow, RectOf(rects, arrow));
    DrawFocusFrame(Canvas);
}

void TiSwitchQuad::iMouseDown(TMouseButton Button, TShiftState, int X, int Y) {
    if (Button != mbLeft) return;
    iSetFocus(this);
    mousePressed_ = true;
    pressed_ = ArrowAt(X, Y);
    if (pressed_ != iqaNone && !keyPressed_) StartRepeat();
    InvalidateChange();
}

// A release over the pressed arrow is the click's own step, after any repeated ones.
void TiSwitchQuad::iMouseUp(TMouseButton, TShiftState, int X, int Y) {
    if (!mousePressed_) return;
    InvalidateChange();
    mousePressed_ = false;
    TimerStop();
    if (RectOf(CalcRects(), pressed_).Contains({X, Y})) DoQuadEvent();
}

void TiSwitchQuad::iWantSpecialKey(uint16_t& Key, bool& Result) {
    if (useArrowKeys_ && IsArrowKey(Key)) Result = true;
}

// The keyboard's own repeat arrives as further key downs; the running timer is left alone.
void TiSwitchQuad::iKeyDown(uint16_t& Key, TShiftState) {
    if (!useArrowKeys_) return;
    const std::optional<TiQuadArrow> arrow = ArrowOfKey(Key);
    pressed_ = arrow.value_or(iqaNone);
    if (!arrow) return;
    Key = 0;
    keyPressed_ = true;
    StartRepeat();
    InvalidateChange();
}

void TiSwitchQuad::iKeyUp(uint16_t& Key, TShiftState) {
    if (!useArrowKeys_) return;
    if (keyPressed_ && IsArrowKey(Key)) {
        keyPressed_ = false;
        InvalidateChange();
        DoQuadEvent();
        Key = 0;
    }
    TimerStop();
}

void TiSwitchQuad::iDoKillFocus() {
    keyPressed_ = false;
    mousePressed_ = false;
    TimerStop();
    TiCustomComponent::iDoKillFocus();
}
