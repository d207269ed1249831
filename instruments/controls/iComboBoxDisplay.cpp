#include "instruments/controls/iComboBoxDisplay.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/Bitmap.h"

#include <QWindow>
#include <algorithm>
#include <cstdint>

namespace {

constexpr int TextLeft = 3;

} // namespace

std::optional<int> ListKeyIndex(uint16_t Key, int Index, int Count) {
    switch (Key) {
    case VK_HOME:
        return Count > 0 ? std::optional(0) : std::nullopt;
    case VK_END:
        return Count > 0 ? std::optional(Count - 1) : std::nullopt;
    case VK_LEFT:
    case VK_UP:
        return Index >= 1 ? std::optional(std::min(Index, Count) - 1) : std::nullopt;
    case VK_RIGHT:
    case VK_DOWN:
        return Index < Count - 1 ? std::optional(Index + 1) : std::nullopt;
    default:
        return std::nullopt;
    }
}

// A tool window stays above the window of the combo box that owns it.
TiModeComboBoxDisplay::TiModeComboBoxDisplay(QWidget* parent)
    : TiCustomComponent(parent), font_(std::make_unique<TFont>()) {
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setFocusPolicy(Qt::StrongFocus);
    font_->OnChange = [this](QObject*) {
        Measure();
        InvalidateChange();
    };
}

TiModeComboBoxDisplay::~TiModeComboBoxDisplay() = default;

void TiModeComboBoxDisplay::SetFont(const TFont* Value) {
    if (Value) font_->Assign(*Value);
}

void TiModeComboBoxDisplay::SetCaptions(const QStringList& Value) {
    captions_ = Value;
    itemIndex_ = std::clamp(itemIndex_, -1, int(captions_.size()) - 1);
    InvalidateChange();
}

void TiModeComboBoxDisplay::SetItemIndex(int Value) {
    const int index = std::clamp(Value, -1, int(captions_.size()) - 1);
    if (index == itemIndex_) return;
    itemIndex_ = index;
    if (Showing()) InvalidateNow();
}

void TiModeComboBoxDisplay::Measure(TCanvas& Canvas) {
    Canvas.SetFont(font_.get());
    itemHeight_ = BoundPixelSize(Canvas.TextHeight(QStringLiteral("ABC")));
    int widest = 0;
    for (const QString& caption : captions_)
        widest = std::max(widest, Canvas.TextWidth(caption));
    wantedWidth_ = int(
        std::clamp<int64_t>(std::max<int64_t>(minWidth_, int64_t(widest) + 6), 0, MaxPixelExtent));
    const int64_t rows = int64_t(captions_.size()) * itemHeight_ + 2;
    wantedHeight_ =
        int(std::clamp<int64_t>(std::max<int64_t>(itemHeight_, rows), 0, MaxPixelExtent));
}

void TiModeComboBoxDisplay::Measure() {
    TBitmap scratch;
    Measure(*scratch.Canvas());
}

int TiModeComboBoxDisplay::ItemAt(int X, int Y) const {
    if (itemHeight_ <= 0 || !Rect(1, 1, width() - 1, height() - 1).Contains({X, Y})) return -1;
    const int row = (Y - 1) / itemHeight_;
    return row < captions_.size() ? row : -1;
}

TRect TiModeComboBoxDisplay::ItemRect(int Index) const {
    return Rect(1, Index * itemHeight_ + 1, width() - 1, (Index + 1) * itemHeight_ + 1);
}

// The window system keeps a window above the one it is transient for, so the list stays above
// the window holding the combo box while it shows.
void TiModeComboBoxDisplay::DropDown(const QPoint& ScreenTopLeft, QWidget* Owner) {
    setGeometry(ScreenTopLeft.x(), ScreenTopLeft.y(), wantedWidth_, wantedHeight_);
    winId();
    QWindow* above = Owner ? Owner->window()->windowHandle() : nullptr;
    if (windowHandle() && above) windowHandle()->setTransientParent(above);
    show();
    raise();
}

void TiModeComboBoxDisplay::TakeInput() {
    if (!Showing()) return;
    activateWindow();
    setFocus(Qt::PopupFocusReason);
    grabMouse();
}

void TiModeComboBoxDisplay::Hide() {
    if (QWidget::mouseGrabber() == this) releaseMouse();
    hide();
}

void TiModeComboBoxDisplay::Choose() {
    const int chosen = itemIndex_;
    if (chosen < 0) return;
    Hide();
    if (OnItemChosen) OnItemChosen(this, chosen);
}

void TiModeComboBoxDisplay::CloseUp() {
    Hide();
    if (OnCloseUp) OnCloseUp(this);
}

void TiModeComboBoxDisplay::iPaintTo(TCanvas& Canvas) {
    Canvas.SetFont(font_.get());
    Canvas.Pen()->SetColor(clBlack);
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(clWindow);
    Canvas.Rectangle(0, 0, width(), height());
    const TColor textColor = font_->Color();
    // Rows below the list's height are not drawn, so a long list costs only what shows.
    const int visible = itemHeight_ > 0 ? height() / itemHeight_ + 1 : 0;
    const int rows = std::min(int(captions_.size()), visible);
    for (int i = 0; i < rows; ++i) {
        const TRect row = ItemRect(i);
        if (i == itemIndex_) {
            Canvas.Brush()->SetStyle(bsSolid);
            Canvas.Brush()->SetColor(clHighlight);
            Canvas.FillRect(row);
            Canvas.Font()->SetColor(clHighlightText);
        } else {
            Canvas.Brush()->SetStyle(bsClear);
            Canvas.Font()->SetColor(textColor);
        }
        Canvas.TextOut(TextLeft, row.Top, captions_[i]);
        if (i == itemIndex_) iDrawFocusRect(&Canvas, row, clHighlight);
    }
}

// The list holds the mouse, so a press anywhere arrives here: outside it closes the list.
// A press on no row (the border) chooses nothing, so it cannot clear the selection.
void TiModeComboBoxDisplay::iMouseDown(TMouseButton, TShiftState, int X, int Y) {
    if (!rect().contains(X, Y)) {
        CloseUp();
        return;
    }
    Choose();
}

void TiModeComboBoxDisplay::iMouseMove(TShiftState, int X, int Y) {
    if (!Rect(1, 1, width() - 1, height() - 1).Contains({X, Y})) return;
    SetItemIndex(ItemAt(X, Y));
}

void TiModeComboBoxDisplay::iKeyDown(uint16_t& Key, TShiftState) {
    if (Key == VK_RETURN) {
        Choose();
    } else if (Key == VK_ESCAPE) {
        CloseUp();
    } else if (const std::optional<int> row =
                   ListKeyIndex(Key, itemIndex_, int(captions_.size()))) {
        SetItemIndex(*row);
    } else {
        return;
    }
    Key = 0;
}

void TiModeComboBoxDisplay::iWantSpecialKey(uint16_t& Key, bool& Result) {
    if (IsArrowKey(Key) || Key == VK_RETURN || Key == VK_ESCAPE) Result = true;
}

// A list left open without the focus would float with no way to close it by mouse, so
// losing the focus hides it as well as releasing the mouse; the focus stays where it went.
void TiModeComboBoxDisplay::iDoKillFocus() {
    if (Showing()) Hide();
    TiCustomComponent::iDoKillFocus();
}
