#include "instruments/controls/iModeComboBox.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/Bitmap.h"
#include "platform/Exception.h"
#include "platform/PropertyDefaults.h"

#include <QScopedValueRollback>
#include <QScreen>
#include <algorithm>
#include <array>

namespace {

const PropertyDefaults::Registration defaults(TiModeComboBox::staticMetaObject,
                                              {
                                                  {"Items", QStringList()},
                                                  {"ItemIndex", PropertyDefaults::NoDefault()},
                                                  {"Value", -1},
                                                  {"Color", clWindow},
                                                  {"Font.Style", int(fsBold)},
                                                  {"AutoSize", true},
                                                  {"ErrorActive", false},
                                                  {"ErrorText", QStringLiteral("Error")},
                                                  {"ErrorFont.Color", clRed},
                                                  {"ErrorFont.Style", int(fsBold)},
                                                  {"ErrorBackGroundColor", clBlack},
                                                  {"Width", 145},
                                                  {"Height", 21},
                                                  {"TabStop", true},
                                              });

} // namespace

TiModeComboBox::TiModeComboBox(QWidget* parent)
    : TiCustomComponent(parent), font_(std::make_unique<TFont>()) {
    font_->SetStyle(fsBold);
    font_->OnChange = [this](QObject*) {
        DoAutoSize();
        InvalidateChange();
    };
    SetBorderStyle(ibsLowered);
    resize(145, 21);
    SetTabStop(true);
}

// The list is a window of its own; it goes with the control.
TiModeComboBox::~TiModeComboBox() {
    delete dropDown_.data();
}

QStringList TiModeComboBox::ItemsList() const {
    QStringList pairs;
    for (const TiModeItem& item : items_)
        pairs << item.Caption << QString::number(item.Value);
    return pairs;
}

void TiModeComboBox::SetItemsList(const QStringList& Value) {
    if (Value.size() % 2 != 0) return;
    std::vector<TiModeItem> read;
    for (qsizetype i = 0; i < Value.size(); i += 2) {
        bool ok = false;
        const int value = Value[i + 1].trimmed().toInt(&ok);
        if (!ok) return;
        read.push_back({Value[i], value});
    }
    items_ = std::move(read);
    if (!GetLoading()) itemIndex_ = std::clamp(itemIndex_, -1, GetItemCount() - 1);
    if (dropDown_) dropDown_->SetCaptions(Captions());
    InvalidateChange();
}

QStringList TiModeComboBox::Captions() const {
    QStringList captions;
    for (const TiModeItem& item : items_)
        captions << item.Caption;
    return captions;
}

// The previous index and value are taken on every change, clearing included, so a refused
// or sent change goes back to where it came from.
void TiModeComboBox::SetItemIndex(int Value) {
    if (GetLoading()) {
        itemIndex_ = std::max(Value, -1);
        return;
    }
    const int index = std::clamp(Value, -1, GetItemCount() - 1);
    if (index == itemIndex_) return;
    lastValue_ = GetValue();
    previousIndex_ = itemIndex_;
    itemIndex_ = index;
    if (dropDown_) dropDown_->SetItemIndex(index);
    DoChange();
    InvalidateChange();
}

void TiModeComboBox::Loaded() {
    TiCustomComponent::Loaded();
    itemIndex_ = std::clamp(itemIndex_, -1, GetItemCount() - 1);
}

int TiModeComboBox::GetValue() const {
    if (itemIndex_ < 0 || itemIndex_ >= GetItemCount()) return -1;
    return items_[size_t(itemIndex_)].Value;
}

void TiModeComboBox::SetValue(int Value) {
    if (GetLoading() || Value == GetValue()) return;
    const auto found = std::find_if(items_.begin(), items_.end(), [Value](const TiModeItem& item) {
        return item.Value == Value;
    });
    SetItemIndex(found == items_.end() ? -1 : int(found - items_.begin()));
}

void TiModeComboBox::SetValueNoEvent(int Value) {
    QScopedValueRollback<TNotifyEvent> silent(OnChange, nullptr);
    SetValue(Value);
}

void TiModeComboBox::SetColor(TColor Value) {
    SetColorProperty(Value, color_, irtBackGround);
}

void TiModeComboBox::SetFont(const TFont* Value) {
    if (Value) font_->Assign(*Value);
}

void TiModeComboBox::SetAutoSize(bool Value) {
    if (Value == autoSize_) return;
    autoSize_ = Value;
    DoAutoSize();
    InvalidateChange();
}

void TiModeComboBox::AddItem(const QString& Caption, int Value) {
    items_.push_back({Caption, Value});
    if (dropDown_) dropDown_->SetCaptions(Captions());
}

void TiModeComboBox::RemoveAllItems() {
    {
        QScopedValueRollback forced(forcedChange_, true);
        SetItemIndex(-1);
    }
    items_.clear();
    itemIndex_ = -1;
    if (dropDown_) dropDown_->SetCaptions({});
    InvalidateChange();
}

void TiModeComboBox::CheckIndex(int Index) const {
    if (Index < 0 || Index >= GetItemCount())
        throw Exception(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

QString TiModeComboBox::GetItemCaption(int Index) const {
    CheckIndex(Index);
    return items_[size_t(Index)].Caption;
}

int TiModeComboBox::GetItemValue(int Index) const {
    CheckIndex(Index);
    return items_[size_t(Index)].Value;
}

void TiModeComboBox::SetItemCaption(int Index, const QString& Caption) {
    CheckIndex(Index);
    items_[size_t(Index)].Caption = Caption;
    if (dropDown_) dropDown_->SetCaptions(Captions());
    InvalidateChange();
}

void TiModeComboBox::SetItemValue(int Index, int Value) {
    CheckIndex(Index);
    items_[size_t(Index)].Value = Value;
}

void TiModeComboBox::DoAutoSize() {
    if (!autoSize_ || !parentWidget() || GetLoading() || autoSizing_) return;
    QScopedValueRollback running(autoSizing_, true);
    TBitmap measure;
    measure.Canvas()->SetFont(font_.get());
    const int textHeight = measure.Canvas()->TextHeight(QStringLiteral("ABC"));
    resize(width(), BoundPixelSize(textHeight + 2 * GetBorderMargin() + 4));
}

// A handler may change NewValue: that value is sent and reported, though the index stays.
void TiModeComboBox::DoChange() {
    if (GetLoading()) return;
    int newValue = GetValue();
    if (!forcedChange_) {
        bool canChange = RequestEdit(QStringLiteral("Value"));
        if (userChange_ && OnBeforeUserChange)
            OnBeforeUserChange(this, lastValue_, newValue, canChange);
        if (OnBeforeChange) OnBeforeChange(this, lastValue_, newValue, canChange);
        // A value sent to the server shows only once the server's value comes back.
        if (!canChange || OPCOutputData(QStringLiteral("Value"), newValue)) {
            RevertIndex();
            return;
        }
    }
    lastValue_ = newValue;
    NotifyPropertyChange(QStringLiteral("Value"));
    if (OnChange) OnChange(this);
    if (userChange_ && OnChangeUser) OnChangeUser(this);
}

void TiModeComboBox::OPCItemActivateSend(int Index) {
    TiOPCItem* item = GetOPCItem(Index);
    item->Activate();
    item->SetData(GetValue());
}

void TiModeComboBox::RevertIndex() {
    itemIndex_ = previousIndex_;
    if (dropDown_) dropDown_->SetItemIndex(itemIndex_);
    InvalidateChange();
}

TRect TiModeComboBox::ButtonRect() const {
    return Rect(width() - 18, 2, width() - 2, height() - 2);
}

void TiModeComboBox::DrawCaption(TCanvas& Canvas, const TRect& Button) {
    const int m = GetBorderMargin();
    const int h = height();
    TRect text = Rect(m + 2, m + 2, Button.Left - 2, h - m - 2);
    const TiTextFlags flags{itfHLeft, itfVTop, itfSingleLine};
    Canvas.Brush()->SetStyle(bsClear);
    if (ErrorActive()) {
        Canvas.SetFont(ErrorFont());
        iDrawText(&Canvas, ErrorText(), text, flags);
        return;
    }
    Canvas.SetFont(font_.get());
    const bool listShowing = dropDown_ && dropDown_->Showing();
    if (HasFocus() && !listShowing && !buttonPressed_) {
        const TRect selection = Rect(m + 1, m + 1, Button.Left - 1, h - m - 1);
        Canvas.Brush()->SetStyle(bsSolid);
        Canvas.Brush()->SetColor(clHighlight);
        Canvas.FillRect(selection);
        Canvas.Font()->SetColor(clHighlightText);
        iDrawFocusRect(&Canvas, selection, clHighlight);
        Canvas.Brush()->SetStyle(bsClear);
    }
    const QString caption = itemIndex_ >= 0 && itemIndex_ < GetItemCount()
                                ? items_[size_t(itemIndex_)].Caption
                                : QString();
    iDrawText(&Canvas, caption, text, flags);
}

void TiModeComboBox::DrawButton(TCanvas& Canvas, const TRect& Button) {
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(clBtnFace);
    Canvas.FillRect(Button);
    if (buttonPressed_) {
        Canvas.Brush()->SetStyle(bsClear);
        Canvas.Pen()->SetColor(clBtnShadow);
        Canvas.Rectangle(Button);
    } else {
        iDrawEdge(&Canvas, Button, idesRaised);
    }
    const int cx = (Button.Left + Button.Right) / 2 - 1;
    const int cy = (Button.Top + Button.Bottom) / 2;
    const std::array<TPoint, 3> arrow{{{cx - 3, cy - 2}, {cx + 3, cy - 2}, {cx, cy + 1}}};
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(clBlack);
    Canvas.Pen()->SetColor(clBlack);
    Canvas.Polygon(arrow);
}

void TiModeComboBox::iPaintTo(TCanvas& Canvas) {
    PaintStaticLayer(Canvas, [this](TCanvas& layer) {
        DrawBackGround(layer, ErrorActive() ? ErrorBackGroundColor() : color_);
    });
    const TRect button = ButtonRect();
    DrawCaption(Canvas, button);
    DrawButton(Canvas, button);
}

TiModeComboBoxDisplay* TiModeComboBox::EnsureDropDown() {
    if (!dropDown_) {
        dropDown_ = new TiModeComboBoxDisplay;
        dropDown_->OnItemChosen = [this](QObject*, int index) { ItemChosen(index); };
        dropDown_->OnCloseUp = [this](QObject*) {
            iSetFocus(this);
            InvalidateChange();
        };
    }
    return dropDown_;
}

QPoint TiModeComboBox::DropDownPosition(const QRect& Control, const QSize& List,
                                        const QRect& Screen) {
    int top = Control.y() + Control.height();
    if (top + List.height() > Screen.y() + Screen.height()) top = Control.y() - List.height();
    int left = Control.x();
    if (left + List.width() > Screen.x() + Screen.width())
        left = Control.x() + Control.width() - List.width();
    // Opened above a control near the top, or right-aligned near the left, the list would
    // leave the screen; it is kept on it.
    return {std::max(left, Screen.x()), std::max(top, Screen.y())};
}

void TiModeComboBox::OpenList() {
    buttonPressed_ = true;
    TiModeComboBoxDisplay* list = EnsureDropDown();
    list->SetFont(font_.get());
    list->SetMinWidth(width());
    list->SetCaptions(Captions());
    list->SetItemIndex(itemIndex_);
    list->Measure();
    const QRect control(mapToGlobal(QPoint(0, 0)), size());
    const QRect screenArea = screen() ? screen()->geometry() : QRect(control.topLeft(), QSize());
    list->DropDown(
        DropDownPosition(control, QSize(list->WantedWidth(), list->WantedHeight()), screenArea),
        this);
    InvalidateChange();
}

void TiModeComboBox::ItemChosen(int Index) {
    iSetFocus(this);
    QScopedValueRollback marker(userChange_, true);
    SetItemIndex(Index);
    InvalidateChange();
}

void TiModeComboBox::iMouseDown(TMouseButton Button, TShiftState, int, int) {
    if (Button != mbLeft) return;
    iSetFocus(this);
    if (ErrorActive()) return;
    if (!dropDown_ || !dropDown_->Showing()) OpenList();
}

void TiModeComboBox::iMouseMove(TShiftState, int, int) {
    if (buttonPressed_) InvalidateChange();
}

void TiModeComboBox::iMouseUp(TMouseButton, TShiftState, int, int) {
    buttonPressed_ = false;
    if (dropDown_ && dropDown_->Showing()) dropDown_->TakeInput();
    InvalidateChange();
}

// Keys choose as the program: OnChange is raised, OnChangeUser is not.
void TiModeComboBox::iKeyDown(uint16_t& Key, TShiftState) {
    if (ErrorActive()) return;
    if (const std::optional<int> item = ListKeyIndex(Key, itemIndex_, GetItemCount()))
        SetItemIndex(*item);
}

void TiModeComboBox::iWantSpecialKey(uint16_t& Key, bool& Result) {
    if (IsArrowKey(Key)) Result = true;
}
