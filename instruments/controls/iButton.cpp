#include "instruments/controls/iButton.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/PropertyDefaults.h"

namespace {

const PropertyDefaults::Registration defaults(TiButton::staticMetaObject, {
                                                                              {"Visible", true},
                                                                              {"Enabled", true},
                                                                          });

} // namespace

TiButton::TiButton(QObject* parent) : QObject(parent), font_(std::make_unique<TFont>()) {
    font_->OnChange = [this](QObject*) { Invalidate(); };
}

TiButton::~TiButton() = default;

template <typename T> void TiButton::Change(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Invalidate();
}

void TiButton::Invalidate() {
    if (OnInvalidate) OnInvalidate(this);
}

void TiButton::SetVisible(bool Value) {
    Change(visible_, Value);
}

void TiButton::SetEnabled(bool Value) {
    Change(enabled_, Value);
}

void TiButton::SetCaption(const QString& Value) {
    Change(caption_, Value);
}

void TiButton::SetFont(const TFont* Value) {
    if (Value) font_->Assign(*Value);
}

void TiButton::SetDrawRect(const TRect& Value) {
    Change(drawRect_, Value);
}

void TiButton::SetMouseDown(bool Value) {
    Change(mouseDown_, Value);
}

void TiButton::iMouseDown(TMouseButton, TShiftState, int, int) {
    if (enabled_) SetMouseDown(true);
}

// Only a button that was pressed clicks: a release that reaches a button never pressed (the
// owner's focus loss releases at the client origin) used to click whatever lay there.
void TiButton::iMouseUp(TMouseButton, TShiftState, int X, int Y) {
    if (!enabled_) return;
    const bool wasDown = mouseDown_;
    SetMouseDown(false);
    if (wasDown && drawRect_.Contains({X, Y}) && OnClick) OnClick(this);
}

void TiButton::Draw(TCanvas& Canvas) {
    iDrawEdge(&Canvas, drawRect_, mouseDown_ ? idesSunken : idesRaised);
    Canvas.SetFont(font_.get());
    Canvas.Brush()->SetStyle(bsClear);
    TRect textRect = drawRect_;
    iDrawText(&Canvas, caption_, textRect, {itfHCenter, itfVCenter, itfSingleLine});
}
