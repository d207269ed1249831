#include "instruments/controls/iRadioGroup.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/PropertyDefaults.h"
#include "platform/Rounding.h"

#include <QScopedValueRollback>
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace {

const PropertyDefaults::Registration defaults(TiRadioGroup::staticMetaObject,
                                              {
                                                  {"Items", QStringList()},
                                                  {"ItemIndex", PropertyDefaults::NoDefault()},
                                                  {"Columns", 1},
                                                  {"Caption", QStringLiteral("Radio Group")},
                                                  {"Width", 97},
                                                  {"Height", 17},
                                                  {"TabStop", true},
                                                  {"BackGroundColor", clBtnFace},
                                              });

// A one-pixel segment of the button's rim, relative to the button's centre; the end point is
// not drawn.
struct TRimSegment {
    int X1, Y1, X2, Y2;
};

struct TRimPart {
    TColor Color;
    std::vector<TRimSegment> Segments;
};

const std::array<TRimPart, 4>& ButtonRim() {
    static const std::array<TRimPart, 4> rim{{
        {cl3DDkShadow,
         {{-4, -2, -4, 2},
          {-3, 2, -3, 3},
          {-3, -3, -3, -5},
          {-3, -4, -1, -4},
          {-1, -5, 3, -5},
          {3, -4, 5, -4}}},
        {clBtnShadow,
         {{-5, -2, -5, 2},
          {-4, 2, -4, 4},
          {-4, -3, -4, -5},
          {-3, -5, -1, -5},
          {-1, -6, 3, -6},
          {3, -5, 5, -5}}},
        {clBtnFace,
         {{6, -3, 6, -5},
          {6, 2, 6, 6},
          {5, -2, 5, 2},
          {4, -3, 4, -2},
          {4, 2, 4, 4},
          {5, 4, 5, 6},
          {-5, 5, -1, 5},
          {3, 5, 5, 5},
          {-1, 4, 3, 4},
          {3, 3, 4, 3},
          {-3, 3, -1, 3}}},
        {clBtnHighlight,
         {{5, -3, 5, -5},
          {6, -2, 6, 2},
          {5, 2, 5, 4},
          {3, 4, 5, 4},
          {-1, 5, 3, 5},
          {-3, 4, -1, 4}}},
    }};
    return rim;
}

TRect ItemTextRect(const TCanvas& canvas, const QString& text, const TPoint& center) {
    const TSize extent = canvas.TextExtent(text);
    return Rect(center.X + 12, center.Y - extent.cy / 2, center.X + 12 + extent.cx,
                center.Y + extent.cy / 2);
}

} // namespace

TiRadioGroup::TiRadioGroup(QWidget* parent)
    : TiCustomComponent(parent), font_(std::make_unique<TFont>()) {
    font_->OnChange = [this](QObject*) { ItemsChanged(); };
    resize(97, 17);
    SetTabStop(true);
}

TiRadioGroup::~TiRadioGroup() = default;

void TiRadioGroup::SetItems(const QStringList& Value) {
    if (Value == items_) return;
    items_ = Value;
    ItemsChanged();
}

void TiRadioGroup::ItemsChanged() {
    layout_.reset();
    if (!GetLoading()) itemIndex_ = std::clamp(itemIndex_, -1, int(items_.size()) - 1);
    InvalidateChange();
}

// While loading the items may come after the index; Loaded keeps it inside them.
void TiRadioGroup::SetItemIndex(int Value) {
    const int index =
        GetLoading() ? std::max(Value, -1) : std::clamp(Value, -1, int(items_.size()) - 1);
    if (index == itemIndex_) return;
    itemIndex_ = index;
    pressedItem_ = index;
    InvalidateChange();
    DoChange();
}

void TiRadioGroup::Loaded() {
    TiCustomComponent::Loaded();
    itemIndex_ = std::clamp(itemIndex_, -1, int(items_.size()) - 1);
}

void TiRadioGroup::SetColumns(int Value) {
    if (Value <= 0 || Value == columns_) return;
    columns_ = Value;
    layout_.reset();
    InvalidateChange();
}

void TiRadioGroup::SetCaption(const QString& Value) {
    SetStringProperty(Value, caption_, irtBackGround);
}

void TiRadioGroup::SetFont(const TFont* Value) {
    if (Value) font_->Assign(*Value);
}

void TiRadioGroup::DoChange() {
    if (GetLoading()) return;
    NotifyPropertyChange(QStringLiteral("ItemIndex"));
    if (OnChange) OnChange(this);
    if (userChange_ && OnChangeUser) OnChangeUser(this);
}

TiRadioGroup::TiRadioGroupLayout TiRadioGroup::CalcLayout(int TextHeight) const {
    TiRadioGroupLayout layout;
    layout.ItemCount = int(items_.size());
    layout.Columns = columns_;
    layout.Size = {width(), height()};
    if (layout.ItemCount == 0) return layout;
    layout.Rows = layout.ItemCount / columns_ + (layout.ItemCount % columns_ != 0 ? 1 : 0);
    layout.RowPitch = double((int64_t(height()) - TextHeight - TextHeight / 4) / layout.Rows);
    layout.FirstRowY = Round(TextHeight + layout.RowPitch / 2);
    layout.ColumnWidth = double((int64_t(width()) - ButtonLeft) / columns_);
    return layout;
}

// Counted in 64 bits and kept within the pixel range, so that an extreme font or item count
// cannot overflow the button's rim arithmetic.
TPoint TiRadioGroup::ItemCenter(const TiRadioGroupLayout& Layout, int Index) const {
    const int row = Index % Layout.Rows;
    const int column = Index / Layout.Rows;
    const auto bounded = [](int64_t value) {
        return int(std::clamp<int64_t>(value, -MaxPixelExtent, MaxPixelExtent));
    };
    return {bounded(Round64(column * Layout.ColumnWidth) + ButtonLeft),
            bounded(Round64(row * Layout.RowPitch) + Layout.FirstRowY)};
}

// A pitch or column width of 0 would divide by zero, and a row past the last one would run
// into the next column: such points lie on no item.
int TiRadioGroup::GetMouseItemIndex(int X, int Y) const {
    if (!layout_ || layout_->Size != TSize{width(), height()} || layout_->Rows == 0 ||
        layout_->RowPitch <= 0 || layout_->ColumnWidth <= 0)
        return -1;
    const TiRadioGroupLayout& layout = *layout_;
    const int row = Round((Y - layout.FirstRowY) / layout.RowPitch);
    const int column = layout.Columns == 1 ? 0 : Trunc((X - ButtonLeft + 6) / layout.ColumnWidth);
    if (row < 0 || row >= layout.Rows || column < 0 || column >= layout.Columns) return -1;
    const int64_t index = int64_t(column) * layout.Rows + row;
    return index < layout.ItemCount ? int(index) : -1;
}

// The frame's top line runs through the middle of the caption, which interrupts it.
void TiRadioGroup::DrawStatic(TCanvas& Canvas) {
    DrawBackGround(Canvas, BackGroundColor());
    Canvas.SetFont(font_.get());
    const int w = width();
    const int h = height();
    const int a = BoundPixelSize(Canvas.TextHeight(QStringLiteral("ABC"))) / 2;
    Canvas.Pen()->SetColor(clBtnHighlight);
    Line(&Canvas, 1, a + 1, w - 2, a + 1);
    Line(&Canvas, 1, a + 1, 1, h - 1);
    Canvas.Pen()->SetColor(clBtnShadow);
    const std::array<TPoint, 5> outline{{{0, a}, {w - 2, a}, {w - 2, h - 2}, {0, h - 2}, {0, a}}};
    Canvas.Polyline(outline);
    Canvas.Pen()->SetColor(clBtnHighlight);
    Line(&Canvas, w - 1, a + 1, w - 1, h - 1);
    Line(&Canvas, w - 1, h - 1, 0, h - 1);
    const int cw = Canvas.TextWidth(QStringLiteral("A"));
    const TSize caption = Canvas.TextExtent(caption_);
    TRect captionRect = Rect(cw, 0, cw + caption.cx, caption.cy);
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(BackGroundColor());
    Canvas.FillRect(captionRect);
    Canvas.Brush()->SetStyle(bsClear);
    iDrawText(&Canvas, caption_, captionRect, {itfHLeft, itfVCenter, itfSingleLine});
}

void TiRadioGroup::DrawButtonRim(TCanvas& Canvas, const TPoint& Center) {
    for (const TRimPart& part : ButtonRim()) {
        Canvas.Pen()->SetColor(part.Color);
        for (const TRimSegment& s : part.Segments)
            Line(&Canvas, Center.X + s.X1, Center.Y + s.Y1, Center.X + s.X2, Center.Y + s.Y2);
    }
}

void TiRadioGroup::DrawItem(TCanvas& Canvas, int Index, const TPoint& Center) {
    const int x = Center.X;
    const int y = Center.Y;
    const bool held = Index == pressedItem_ && (mousePressed_ || keyPressed_);
    const TColor face = held ? clBtnFace : clWhite;
    Canvas.Pen()->SetColor(face);
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(face);
    Canvas.Rectangle(x - 3, y - 4, x + 5, y + 4);
    DrawButtonRim(Canvas, Center);
    Canvas.Brush()->SetStyle(bsClear);
    TRect text = ItemTextRect(Canvas, items_[Index], Center);
    iDrawText(&Canvas, items_[Index], text, {itfHLeft, itfVCenter, itfSingleLine, itfNoClip});
    if (Index != itemIndex_) return;
    Canvas.Pen()->SetColor(clBlack);
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(clBlack);
    Canvas.Ellipse(x - 1, y - 2, x + 3, y + 2);
}

int TiRadioGroup::FocusedItem() const {
    const int index = mousePressed_ ? pressedItem_ : itemIndex_;
    return index >= 0 && index < items_.size() ? index : -1;
}

void TiRadioGroup::iPaintTo(TCanvas& Canvas) {
    PaintStaticLayer(Canvas, [this](TCanvas& layer) { DrawStatic(layer); });
    Canvas.SetFont(font_.get());
    layout_ = CalcLayout(BoundPixelSize(Canvas.TextHeight(QStringLiteral("ABC"))));
    for (int i = 0; i < layout_->ItemCount; ++i)
        DrawItem(Canvas, i, ItemCenter(*layout_, i));
    const int focused = FocusedItem();
    if (!HasFocus() || focused < 0) return;
    const TRect text = ItemTextRect(Canvas, items_[focused], ItemCenter(*layout_, focused));
    iDrawFocusRect2(&Canvas, Rect(text.Left - 1, text.Top - 1, text.Right + 1, text.Bottom + 3));
}

void TiRadioGroup::iMouseDown(TMouseButton Button, TShiftState, int X, int Y) {
    if (Button != mbLeft) return;
    iSetFocus(this);
    mousePressed_ = true;
    pressedItem_ = GetMouseItemIndex(X, Y);
    InvalidateChange();
}

void TiRadioGroup::iMouseMove(TShiftState, int X, int Y) {
    if (!mousePressed_) return;
    const int item = GetMouseItemIndex(X, Y);
    if (item == pressedItem_) return;
    pressedItem_ = item;
    InvalidateChange();
}

void TiRadioGroup::iMouseUp(TMouseButton, TShiftState, int X, int Y) {
    if (!mousePressed_) return;
    mousePressed_ = false;
    InvalidateChange();
    if (pressedItem_ < 0 || pressedItem_ >= items_.size() ||
        GetMouseItemIndex(X, Y) != pressedItem_)
        return;
    QScopedValueRollback marker(userChange_, true);
    SetItemIndex(pressedItem_);
}

// Keyboard changes are the program's as far as OnChangeUser goes, as the combo box's are.
void TiRadioGroup::iKeyDown(uint16_t& Key, TShiftState) {
    keyPressed_ = true;
    InvalidateChange();
    const int last = int(items_.size()) - 1;
    const int current = std::clamp(itemIndex_, -1, std::max(last, -1));
    if (Key == VK_RIGHT || Key == VK_DOWN) {
        SetItemIndex(current == last ? 0 : current + 1);
        Key = 0;
    } else if (Key == VK_LEFT || Key == VK_UP) {
        SetItemIndex(current == 0 ? last : current - 1);
        Key = 0;
    }
}

void TiRadioGroup::iKeyUp(uint16_t&, TShiftState) {
    keyPressed_ = false;
    InvalidateChange();
}

void TiRadioGroup::iWantSpecialKey(uint16_t& Key, bool& Result) {
    if (IsArrowKey(Key)) Result = true;
}

void TiRadioGroup::iDoSetFocus() {
    TiCustomComponent::iDoSetFocus();
    InvalidateNow();
}

void TiRadioGroup::iDoKillFocus() {
    mousePressed_ = false;
    keyPressed_ = false;
    InvalidateChange();
    TiCustomComponent::iDoKillFocus();
}
