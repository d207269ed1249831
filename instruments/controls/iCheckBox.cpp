#include "instruments/controls/iCheckBox.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/Bitmap.h"
#include "platform/PropertyDefaults.h"

#include <QEvent>
#include <QScopedValueRollback>
#include <algorithm>
#include <array>
#include <utility>

namespace {

const PropertyDefaults::Registration defaults(TiCheckBox::staticMetaObject,
                                              {
                                                  {"Checked", false},
                                                  {"Caption", QStringLiteral("Caption")},
                                                  {"Alignment", TiCheckBox::taRightJustify},
                                                  {"AutoSize", true},
                                                  {"Width", 97},
                                                  {"Height", 17},
                                                  {"TabStop", true},
                                                  {"BackGroundColor", clBtnFace},
                                              });

constexpr int BoxSide = 13;

} // namespace

TiCheckBox::TiCheckBox(QWidget* parent)
    : TiCustomComponent(parent), font_(std::make_unique<TFont>()) {
    font_->OnChange = [this](QObject*) {
        DoAutoSize();
        InvalidateChange();
    };
    resize(97, 17);
    SetTabStop(true);
}

TiCheckBox::~TiCheckBox() = default;

// The live-data binding hears the state once it is stored, so it never sends the old one.
void TiCheckBox::SetChecked(bool Value) {
    if (Value == checked_ || !RequestEdit(QStringLiteral("Checked"))) return;
    checked_ = Value;
    InvalidateChange();
    DoChange();
    OPCOutputData(QStringLiteral("Checked"), checked_);
}

void TiCheckBox::SetCaption(const QString& Value) {
    if (Value == caption_) return;
    caption_ = Value;
    DoAutoSize();
    InvalidateChange();
}

void TiCheckBox::SetAlignment(TLeftRight Value) {
    if (Value != taLeftJustify && Value != taRightJustify) return;
    if (Value == alignment_) return;
    alignment_ = Value;
    InvalidateChange();
}

void TiCheckBox::SetAutoSize(bool Value) {
    if (Value == autoSize_) return;
    autoSize_ = Value;
    DoAutoSize();
    InvalidateChange();
}

void TiCheckBox::SetFont(const TFont* Value) {
    if (Value) font_->Assign(*Value);
}

void TiCheckBox::DoChange() {
    if (GetLoading()) return;
    NotifyPropertyChange(QStringLiteral("Checked"));
    if (OnChange) OnChange(this);
    if (userChange_ && OnChangeUser) OnChangeUser(this);
}

void TiCheckBox::ToggleByUser() {
    QScopedValueRollback marker(userChange_, true);
    SetChecked(!checked_);
}

// A caption at the left keeps the box's edge where it is, so the control grows leftwards.
void TiCheckBox::DoAutoSize() {
    if (GetLoading() || !autoSize_ || autoSizing_) return;
    QScopedValueRollback running(autoSizing_, true);
    TBitmap measure;
    measure.Canvas()->SetFont(font_.get());
    const TSize text = measure.Canvas()->TextExtent(caption_);
    const int newWidth = BoundPixelSize(std::min(text.cx, MaxPixelExtent) + 20);
    const int newHeight = BoundPixelSize(std::min(text.cy, MaxPixelExtent) + 4);
    const int left = alignment_ == taLeftJustify ? x() + width() - newWidth : x();
    setGeometry(left, y(), newWidth, newHeight);
}

TiCheckBox::TiCheckBoxLayout TiCheckBox::Layout(const TSize& TextExtent) const {
    const int w = width();
    const int h2 = height() / 2;
    const int y0 = h2 - TextExtent.cy / 2 - 1;
    if (alignment_ == taLeftJustify)
        return {Rect(w - BoxSide, h2 - 7, w, h2 + 6),
                Rect(1, y0, TextExtent.cx + 1, y0 + TextExtent.cy)};
    return {Rect(0, h2 - 7, BoxSide, h2 + 6), Rect(18, y0, TextExtent.cx + 18, y0 + TextExtent.cy)};
}

void TiCheckBox::DrawBox(TCanvas& Canvas, const TRect& Box) {
    const bool held = mousePressed_ || spacePressed_ || !isEnabled();
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(held ? BackGroundColor() : clWhite);
    Canvas.FillRect(Box);
    iDrawEdge(&Canvas, Box, idesSunken);
}

// Three one-pixel strokes, each a pixel above the last, make the mark three pixels thick.
void TiCheckBox::DrawCheckMark(TCanvas& Canvas, const TRect& Box) {
    const int l = Box.Left;
    const int h2 = height() / 2;
    Canvas.Pen()->SetColor(clBlack);
    Canvas.Pen()->SetWidth(1);
    for (int k = 0; k < 3; ++k) {
        const std::array<TPoint, 3> stroke{
            {{l + 3, h2 - k}, {l + 5, h2 + 2 - k}, {l + 10, h2 - 3 - k}}};
        Canvas.Polyline(stroke);
    }
}

void TiCheckBox::DrawFocus(TCanvas& Canvas, const TRect& Text) {
    const TRect grown = Rect(Text.Left - 1, Text.Top - 1, Text.Right + 1, Text.Bottom + 2);
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(clBlack);
    Canvas.Font()->SetColor(clWhite);
    iDrawFocusRect2(&Canvas, IntersectRect(grown, Rect(0, 0, width() - 1, height() - 1)));
}

void TiCheckBox::iPaintTo(TCanvas& Canvas) {
    PaintStaticLayer(Canvas, [this](TCanvas& layer) { DrawBackGround(layer, BackGroundColor()); });
    Canvas.SetFont(font_.get());
    const TiCheckBoxLayout layout = Layout(Canvas.TextExtent(caption_));
    DrawBox(Canvas, layout.Box);
    Canvas.Brush()->SetStyle(bsClear);
    TRect text = layout.Text;
    iDrawText(&Canvas, caption_, text, {itfHLeft, itfVCenter, itfSingleLine});
    if (checked_) DrawCheckMark(Canvas, layout.Box);
    if (HasFocus()) DrawFocus(Canvas, layout.Text);
}

void TiCheckBox::iMouseDown(TMouseButton Button, TShiftState, int, int) {
    if (Button != mbLeft) return;
    iSetFocus(this);
    mousePressed_ = true;
    InvalidateChange();
}

// Releasing outside the control cancels the toggle.
void TiCheckBox::iMouseUp(TMouseButton, TShiftState, int X, int Y) {
    if (!mousePressed_) return;
    InvalidateChange();
    mousePressed_ = false;
    if (Rect(0, 0, width(), height()).Contains({X, Y})) ToggleByUser();
}

void TiCheckBox::iKeyDown(uint16_t& Key, TShiftState) {
    if (Key != VK_SPACE) return;
    spacePressed_ = true;
    mousePressed_ = false;
    InvalidateChange();
}

void TiCheckBox::iKeyUp(uint16_t& Key, TShiftState) {
    const bool held = std::exchange(spacePressed_, false);
    if (Key != VK_SPACE || !held) return;
    InvalidateChange();
    ToggleByUser();
}

void TiCheckBox::iDoSetFocus() {
    TiCustomComponent::iDoSetFocus();
    InvalidateNow();
}

// The flags go first: the core's clean-up releases the mouse at (0, 0), inside the control.
void TiCheckBox::iDoKillFocus() {
    mousePressed_ = false;
    spacePressed_ = false;
    InvalidateChange();
    TiCustomComponent::iDoKillFocus();
}

void TiCheckBox::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) InvalidateChange();
    TiCustomComponent::changeEvent(event);
}
