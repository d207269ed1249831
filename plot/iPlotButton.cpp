#include "plot/iPlotButton.h"

#include "instruments/framework/Igpfunctions.h"

TiPlotButton::TiPlotButton(TiPlotHost* Owner) : TiPlotObject(Owner, {}) {}

TiPlotButton::~TiPlotButton() = default;

void TiPlotButton::SetDown(bool Value) {
    if (Value == down_) return;
    TiPlotObjectGuard guard(*this);
    down_ = Value;
    Notify(OnInvalidate);
    if (!guard.Destroyed()) Notify(OnDownChange);
}

void TiPlotButton::SetEnabled(bool Value) {
    if (!Value) DestroyRepeatTimer();
    TiPlotObject::SetEnabled(Value);
}

void TiPlotButton::BeforeDestruction() {
    DestroyRepeatTimer();
    OnClick = nullptr;
    OnGroupClick = nullptr;
    OnInvalidate = nullptr;
    OnDownChange = nullptr;
    TiPlotObject::BeforeDestruction();
}

void TiPlotButton::DoMouseLeft(const TiPlotMouseData&) {
    if (autoRepeat_ && Owner()) {
        if (!repeatTimer_) {
            repeatTimer_ = Owner()->CreateTimer();
            repeatTimer_->OnTimer = [this] { RepeatTimerTick(); };
        }
        repeatTimer_->SetInterval(FirstRepeatDelay);
        repeatTimer_->SetEnabled(true);
        firstRepeat_ = true;
    }
    Notify(OnInvalidate);
}

void TiPlotButton::DoMouseMove(const TiPlotMouseData&) {}

void TiPlotButton::DoMouseUp(const TiPlotMouseData& MouseData) {
    if (!MouseIsDown()) return;
    TiPlotObjectGuard guard(*this);
    SetMouseIsDown(false);
    DestroyRepeatTimer();
    Notify(OnInvalidate);
    if (guard.Destroyed() || !drawRect_.Contains({MouseData.X, MouseData.Y})) return;
    if (groupIndex_ != 0) Notify(OnGroupClick);
    if (!guard.Destroyed()) Notify(OnClick);
}

void TiPlotButton::RepeatTimerTick() {
    TiPlotObjectGuard guard(*this);
    if (firstRepeat_ && repeatTimer_) {
        repeatTimer_->SetInterval(RepeatInterval);
        firstRepeat_ = false;
    }
    Notify(OnClick);
    if (!guard.Destroyed()) Notify(OnInvalidate);
}

void TiPlotButton::DestroyRepeatTimer() {
    // The timer may be the caller (a tick that disabled the button); it allows that.
    repeatTimer_.reset();
}

TiPlotScrollButton::TiPlotScrollButton(TiPlotHost* Owner, bool PointsUp)
    : TiPlotButton(Owner), pointsUp_(PointsUp) {
    SetAutoRepeat(true);
}

void TiPlotScrollButton::Draw(TCanvas& Canvas, TColor) {
    if (!Visible()) return;
    const TRect r = DrawRect();
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(clBtnFace);
    Canvas.FillRect(r);
    iDrawEdge(&Canvas, r, MouseIsDown() ? idesSunken : idesRaised);
    const TColor color = Enabled() ? clBlack : clGray;
    Canvas.Pen()->SetColor(color);
    Canvas.Brush()->SetColor(color);
    const int cx = (r.Left + r.Right) / 2;
    const int cy = (r.Top + r.Bottom) / 2;
    const int base = pointsUp_ ? cy + 2 : cy - 2;
    const int tip = pointsUp_ ? cy - 2 : cy + 2;
    const TPoint triangle[] = {{cx - 4, base}, {cx + 4, base}, {cx, tip}};
    Canvas.Polygon(triangle);
}
