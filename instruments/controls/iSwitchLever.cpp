#include "instruments/controls/iSwitchLever.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/PropertyDefaults.h"

#include <utility>

namespace {

const PropertyDefaults::Registration
    defaults(TiSwitchLever::staticMetaObject,
             {
                 {"Active", false},
                 {"MouseControlStyle", TiSwitchLever::imcsClickAnyWhere},
                 {"ShowFocusRect", true},
                 {"Width", 25},
                 {"Height", 50},
                 {"TabStop", true},
                 {"BackGroundColor", clBtnFace},
                 {"Transparent", false},
             });

// Restores the value a scope changed, whatever way the scope is left.
template <typename T> class TScopedValue {
public:
    TScopedValue(T& field, T value) : field_(field), saved_(std::exchange(field, value)) {}
    ~TScopedValue() { field_ = std::move(saved_); }
    TScopedValue(const TScopedValue&) = delete;
    TScopedValue& operator=(const TScopedValue&) = delete;

private:
    T& field_;
    T saved_;
};

} // namespace

TiSwitchLever::TiSwitchLever(QWidget* parent) : TiCustomComponent(parent) {
    resize(25, 50);
    SetTabStop(true);
}

// The live-data binding hears the state once it is stored, so it never sends the old one.
void TiSwitchLever::SetActive(bool Value) {
    if (Value == active_ || !RequestEdit(QStringLiteral("Active"))) return;
    active_ = Value;
    InvalidateChange();
    DoChange();
    OPCOutputData(QStringLiteral("Active"), active_);
}

void TiSwitchLever::SetActiveNoEvent(bool Value) {
    TScopedValue<TNotifyEvent> silent(OnChange, nullptr);
    SetActive(Value);
}

void TiSwitchLever::DoChange() {
    if (GetLoading()) return;
    NotifyPropertyChange(QStringLiteral("Active"));
    if (OnChange) OnChange(this);
    if (userChange_ && OnChangeUser) OnChangeUser(this);
}

TRect TiSwitchLever::GetIndicatorRect() const {
    const int half = height() / 2;
    return active_ ? Rect(0, half, width(), height()) : Rect(0, 0, width(), half);
}

TiSwitchLever::TiLeverGeometry TiSwitchLever::Geometry(const TPoint& Center) const {
    const int w = width();
    const int h = height();
    const int r = w / 2 - 1;
    const int q = w / 4;
    const int e = w / 8;
    const int cx = Center.X;
    const int cy = Center.Y;
    TiLeverGeometry shape;
    shape.Center = Center;
    shape.BossRadius = r;
    shape.Down.Lever = {
        {{cx - q, cy - e}, {cx + q, cy - e}, {cx + r, h - q - 1}, {cx - r, h - q - 1}}};
    shape.Down.End = Rect(cx - r, h - q - 1, cx + w / 2, h - 1);
    shape.Up.Lever = {{{cx - q, cy + e}, {cx + q, cy + e}, {cx + r, q}, {cx - r, q}}};
    shape.Up.End = Rect(cx - r, 0, cx + w / 2, q);
    return shape;
}

void TiSwitchLever::FillShape(TCanvas& Canvas, const TiLeverShape& Shape, TColor LeverColor,
                              TColor EndColor) {
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(LeverColor);
    Canvas.Pen()->SetColor(LeverColor);
    Canvas.Polygon(Shape.Lever);
    Canvas.Brush()->SetColor(EndColor);
    Canvas.Pen()->SetColor(EndColor);
    Canvas.Rectangle(Shape.End);
}

void TiSwitchLever::DrawStatic(TCanvas& Canvas, const TiLeverGeometry& Shape) {
    DrawBackGround(Canvas, BackGroundColor());
    DrawGradientCircle(&Canvas, Shape.Center, Shape.BossRadius, false);
}

// The lever's shades are offsets of the button face, per channel and saturating: packed
// arithmetic carried a bright channel into its neighbour and turned a pale face colourful.
void TiSwitchLever::DrawLever(TCanvas& Canvas, const TiLeverGeometry& Shape) {
    const TColor face = ColorToRGB(clBtnFace);
    if (active_)
        FillShape(Canvas, Shape.Up, OffsetColor(face, 0x303030, true), OffsetColor(face, 0x101010));
    else
        FillShape(Canvas, Shape.Down, OffsetColor(face, 0x101010),
                  OffsetColor(face, 0x404040, true));
}

void TiSwitchLever::iPaintTo(TCanvas& Canvas) {
    const TiLeverGeometry shape = Geometry(GetCenterPoint(Canvas));
    PaintStaticLayer(Canvas, [this, &shape](TCanvas& layer) { DrawStatic(layer, shape); });
    DrawLever(Canvas, shape);
    DrawFocusFrame(Canvas);
}

void TiSwitchLever::iMouseDown(TMouseButton Button, TShiftState, int X, int Y) {
    if (Button != mbLeft) return;
    iSetFocus(this);
    mousePressed_ = mouseControlStyle_ == imcsClickAnyWhere || GetIndicatorRect().Contains({X, Y});
    InvalidateChange();
}

void TiSwitchLever::FlipByUser() {
    TScopedValue<bool> marker(userChange_, true);
    SetActive(!active_);
}

// Releasing outside the control cancels the flip.
void TiSwitchLever::iMouseUp(TMouseButton, TShiftState, int X, int Y) {
    if (!mousePressed_) return;
    mousePressed_ = false;
    spacePressed_ = false;
    if (Rect(0, 0, width(), height()).Contains({X, Y})) FlipByUser();
    InvalidateChange();
}

void TiSwitchLever::iKeyDown(uint16_t& Key, TShiftState) {
    if (Key != VK_SPACE) return;
    spacePressed_ = true;
    mousePressed_ = false;
    InvalidateChange();
}

void TiSwitchLever::iKeyUp(uint16_t& Key, TShiftState) {
    if (Key != VK_SPACE || !spacePressed_) return;
    InvalidateChange();
    spacePressed_ = false;
    mousePressed_ = false;
    FlipByUser();
}

void TiSwitchLever::iDoKillFocus() {
    mousePressed_ = false;
    spacePressed_ = false;
    TiCustomComponent::iDoKillFocus();
}
