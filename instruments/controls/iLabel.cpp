#include "instruments/controls/iLabel.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/Bitmap.h"
#include "platform/Geometry.h"
#include "platform/PropertyDefaults.h"

#include <QKeySequence>
#include <QScopedValueRollback>
#include <QShortcutEvent>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>

namespace {

const PropertyDefaults::Registration defaults(TiLabel::staticMetaObject,
                                              {
                                                  {"Caption", QStringLiteral("iLabel")},
                                                  {"Alignment", QVariant::fromValue(iahLeft)},
                                                  {"AutoSize", true},
                                                  {"OuterMarginLeft", 0},
                                                  {"OuterMarginTop", 0},
                                                  {"OuterMarginRight", 0},
                                                  {"OuterMarginBottom", 0},
                                                  {"BorderStyle", QVariant::fromValue(ilbsNone)},
                                                  {"ShadowShow", false},
                                                  {"ShadowXOffset", 1},
                                                  {"ShadowYOffset", 1},
                                                  {"ShadowColor", clGray},
                                                  {"BackGroundColor", clBtnFace},
                                                  {"Transparent", false},
                                                  {"Width", 28},
                                                  {"Height", 13},
                                              });

// Extents and offsets are summed in 64 bits and saturated, so that extreme margins or an
// offset of INT_MIN (whose magnitude no int holds) cannot overflow.
int Saturated(int64_t value) {
    return int(std::clamp<int64_t>(value, std::numeric_limits<int>::min(),
                                   std::numeric_limits<int>::max()));
}

TRect MovedRect(const TRect& r, int64_t dx, int64_t dy) {
    return {Saturated(r.Left + dx), Saturated(r.Top + dy), Saturated(r.Right + dx),
            Saturated(r.Bottom + dy)};
}

// The character after the first single "&"; "&&" stands for an ampersand shown as it is.
std::optional<QChar> AcceleratorOf(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QChar('&')) continue;
        if (caption[i + 1] != QChar('&')) return caption[i + 1];
        ++i;
    }
    return std::nullopt;
}

bool CanFocus(const QWidget& control) {
    return control.isVisible() && control.isEnabled();
}

} // namespace

TiLabel::TiLabel(QWidget* parent) : TiCustomComponent(parent), font_(std::make_unique<TFont>()) {
    font_->OnChange = [this](QObject*) {
        DoAutoSize();
        InvalidateChange();
    };
    SetTabStop(false);
    resize(28, 13);
}

// A focus control that is a child of the label dies after the label's members; its
// notification must not reach them.
TiLabel::~TiLabel() {
    disconnect(focusControlWatch_);
}

void TiLabel::SetCaption(const QString& value) {
    if (value == caption_ || !RequestEdit(QStringLiteral("Caption"))) return;
    caption_ = value;
    UpdateAccelerator();
    DoAutoSize();
    InvalidateChange();
}

void TiLabel::SetFont(const TFont* value) {
    if (value) font_->Assign(*value);
}

void TiLabel::SetAlignment(TiAlignmentHorizontal value) {
    if (value == alignment_) return;
    alignment_ = value;
    InvalidateChange();
}

void TiLabel::SetAutoSize(bool value) {
    SetSizingProperty(value, autoSize_);
}

// Margins and shadow offsets are bounded like every pixel setting, so that the layout
// arithmetic cannot overflow; a negative margin stays meaningful.
void TiLabel::SetOuterMarginLeft(int value) {
    SetSizingProperty(BoundPixelOffset(value), outerMarginLeft_);
}

void TiLabel::SetOuterMarginTop(int value) {
    SetSizingProperty(BoundPixelOffset(value), outerMarginTop_);
}

void TiLabel::SetOuterMarginRight(int value) {
    SetSizingProperty(BoundPixelOffset(value), outerMarginRight_);
}

void TiLabel::SetOuterMarginBottom(int value) {
    SetSizingProperty(BoundPixelOffset(value), outerMarginBottom_);
}

void TiLabel::SetBorderStyle(TiLabelBorderStyle value) {
    SetSizingProperty(value, borderStyle_);
}

void TiLabel::SetShadowShow(bool value) {
    SetSizingProperty(value, shadowShow_);
}

void TiLabel::SetShadowXOffset(int value) {
    SetSizingProperty(BoundPixelOffset(value), shadowXOffset_);
}

void TiLabel::SetShadowYOffset(int value) {
    SetSizingProperty(BoundPixelOffset(value), shadowYOffset_);
}

void TiLabel::SetShadowColor(TColor value) {
    SetColorProperty(value, shadowColor_, irtInvalidate);
}

void TiLabel::SetFocusControl(QWidget* value) {
    if (value == focusControl_) return;
    disconnect(focusControlWatch_);
    focusControl_ = value;
    if (value)
        focusControlWatch_ =
            connect(value, &QObject::destroyed, this, [this] { FocusControlDestroyed(); });
    UpdateAccelerator();
    InvalidateChange();
}

template <typename T> void TiLabel::SetSizingProperty(const T& value, T& field) {
    if (value == field) return;
    field = value;
    DoAutoSize();
    InvalidateChange();
}

void TiLabel::DoAutoSize() {
    if (GetLoading() || !autoSize_ || autoSizing_) return;
    const QScopedValueRollback running(autoSizing_, true);
    TBitmap measure;
    measure.Canvas()->SetFont(font_.get());
    const TSize text = measure.Canvas()->TextExtent(caption_);
    const int64_t border = 2 * int64_t(GetBorderMargin());
    const auto shadow = [this](int offset) { return shadowShow_ ? std::abs(int64_t(offset)) : 0; };
    resize(BoundAutoSize(border + outerMarginLeft_ + outerMarginRight_ + text.cx +
                         shadow(shadowXOffset_)),
           BoundAutoSize(border + outerMarginTop_ + outerMarginBottom_ + text.cy +
                         shadow(shadowYOffset_)));
    if (OnAutoSize) OnAutoSize(this);
}

int TiLabel::GetBorderMargin() const {
    switch (borderStyle_) {
    case ilbsSingle:
        return 1;
    case ilbsLowered:
    case ilbsRaised:
        return 2;
    case ilbsNone:
        break;
    }
    return 0;
}

void TiLabel::iPaintTo(TCanvas& Canvas) {
    PaintStaticLayer(Canvas, [this](TCanvas& layer) { DrawStatic(layer); });
    Canvas.SetFont(font_.get());
    Canvas.Brush()->SetStyle(bsClear);
    DrawCaption(Canvas);
    DrawLabelBorder(Canvas);
}

void TiLabel::DrawStatic(TCanvas& canvas) {
    DrawBackGround(canvas, BackGroundColor());
}

// A negative X offset puts the caption, not the shadow, in the moved rectangle, whatever the
// sign of the Y offset; stored descriptions rely on that look.
void TiLabel::DrawCaption(TCanvas& canvas) {
    const TRect text = TextRect();
    const TiTextFlags flags = TextFlags();
    if (!shadowShow_) {
        TRect r = text;
        iDrawText(&canvas, caption_, r, flags);
        return;
    }
    const bool shadowMoves = shadowXOffset_ >= 0;
    const int64_t sign = shadowMoves ? 1 : -1;
    const TRect moved = MovedRect(text, sign * shadowXOffset_, sign * shadowYOffset_);
    TRect shadow = shadowMoves ? moved : text;
    TRect caption = shadowMoves ? text : moved;
    canvas.Font()->SetColor(shadowColor_);
    iDrawText(&canvas, caption_, shadow, flags);
    canvas.Font()->SetColor(font_->Color());
    iDrawText(&canvas, caption_, caption, flags);
}

void TiLabel::DrawLabelBorder(TCanvas& canvas) {
    const TRect whole = Rect(0, 0, width(), height());
    canvas.Pen()->SetColor(clWindowFrame);
    switch (borderStyle_) {
    case ilbsSingle:
        canvas.Rectangle(whole);
        break;
    case ilbsLowered:
        iDrawEdge(&canvas, whole, idesSunken);
        break;
    case ilbsRaised:
        iDrawEdge(&canvas, whole, idesRaised);
        break;
    case ilbsNone:
        break;
    }
}

TRect TiLabel::TextRect() const {
    const int64_t b = GetBorderMargin();
    return {Saturated(b + outerMarginLeft_), Saturated(b + outerMarginTop_),
            Saturated(width() - b - outerMarginRight_),
            Saturated(height() - b - outerMarginBottom_)};
}

TiTextFlags TiLabel::TextFlags() const {
    TiTextFlags flags{itfVCenter, itfSingleLine};
    switch (alignment_) {
    case iahCenter:
        flags += itfHCenter;
        break;
    case iahLeft:
        flags += itfHLeft;
        break;
    case iahRight:
        flags += itfHRight;
        break;
    }
    if (focusControl_) flags += itfShowPrefix;
    return flags;
}

bool TiLabel::CMDialogChar(QChar CharCode) {
    if (!focusControl_ || !isEnabled()) return false;
    const std::optional<QChar> accelerator = AcceleratorOf(caption_);
    if (!accelerator || accelerator->toCaseFolded() != CharCode.toCaseFolded()) return false;
    if (!CanFocus(*focusControl_)) return false;
    focusControl_->setFocus(Qt::ShortcutFocusReason);
    return true;
}

bool TiLabel::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (acceleratorShortcut_ != 0 && shortcut->shortcutId() == acceleratorShortcut_) {
            event->setAccepted(CMDialogChar(QChar(int(shortcut->key()[0].key()))));
            return true;
        }
    }
    return TiCustomComponent::event(event);
}

void TiLabel::UpdateAccelerator() {
    if (acceleratorShortcut_ != 0) releaseShortcut(acceleratorShortcut_);
    acceleratorShortcut_ = 0;
    const std::optional<QChar> accelerator = AcceleratorOf(caption_);
    if (!focusControl_ || !accelerator) return;
    const auto key = Qt::Key(accelerator->toUpper().unicode());
    acceleratorShortcut_ = grabShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, key)));
}

void TiLabel::FocusControlDestroyed() {
    focusControl_ = nullptr;
    UpdateAccelerator();
    InvalidateChange();
}
