#include "plot/iPlotDataCursor.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/PropertyDefaults.h"
#include "plot/channels/iPlotChannel.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotMasterManager.h"

#include <QMenu>
#include <algorithm>
#include <cmath>

namespace {

const PropertyDefaults::Registration
    defaults(TiPlotDataCursor::staticMetaObject,
             {
                 {"Visible", false},
                 {"ChannelName", QString()},
                 {"ChannelAllowAll", true},
                 {"ChannelShowAllInLegend", true},
                 {"Style", QVariant::fromValue(ipcsValueXY)},
                 {"Color", TColor(0x00FFFF)},
                 {"UseChannelColor", true},
                 {"HintShow", true},
                 {"HintHideOnRelease", false},
                 {"HintOrientationSide", QVariant::fromValue(iosBottomRight)},
                 {"HintPosition", 50.0},
                 {"Pointer1Position", 50.0},
                 {"Pointer2Position", 60.0},
                 {"PointerPenWidth", 1},
                 {"MenuUserCanChangeOptions", true},
                 {"MenuItemVisibleValueXY", true},
                 {"MenuItemVisibleValueX", true},
                 {"MenuItemVisibleValueY", true},
                 {"MenuItemVisibleDeltaX", true},
                 {"MenuItemVisibleDeltaY", true},
                 {"MenuItemVisibleInverseDeltaX", true},
                 {"MenuItemCaptionValueXY", QStringLiteral("Value X-Y")},
                 {"MenuItemCaptionValueX", QStringLiteral("Value X")},
                 {"MenuItemCaptionValueY", QStringLiteral("Value Y")},
                 {"MenuItemCaptionDeltaX", QStringLiteral("Period")},
                 {"MenuItemCaptionDeltaY", QStringLiteral("Peak-Peak")},
                 {"MenuItemCaptionInverseDeltaX", QStringLiteral("Frequency")},
             });

// Half the width of a pointer's grab rectangle.
constexpr int GrabMargin = 5;
// The gap between a pointer and its hint box.
constexpr int HintGap = 5;
// Pixels a page key moves.
constexpr int PagePixels = 5;

bool SameValue(double A, double B) {
    return A == B || (std::isnan(A) && std::isnan(B));
}

int CentreOf(int Low, int High) {
    return (Low + High) / 2;
}

// Emptying the plot's menu deletes its items but not the sub-menus earlier fills made, which
// would pile up with every popup.
void DeleteSubMenus(QMenu* PopupMenu) {
    qDeleteAll(PopupMenu->findChildren<QMenu*>(Qt::FindDirectChildrenOnly));
}

} // namespace

TiPlotDataCursor::TiPlotDataCursor(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
    : TiPlotManagerObject(Owner, Hooks), channel_(*this, TiPlotObjectKind::Channel),
      font_(std::make_unique<TFont>()), menuItemCaption_{QStringLiteral("Value X-Y"),
                                                         QStringLiteral("Value X"),
                                                         QStringLiteral("Value Y"),
                                                         QStringLiteral("Period"),
                                                         QStringLiteral("Peak-Peak"),
                                                         QStringLiteral("Frequency")} {
    SetVisible(false);
    SetEnabled(true);
    font_->OnChange = [this](QObject*) { TriggerChange(this); };
    DoSetup();
}

TiPlotDataCursor::~TiPlotDataCursor() = default;

TiPlotObjectClass TiPlotDataCursor::ObjectClass() {
    TiPlotObjectClass objectClass = PlotObjectClassOf<TiPlotDataCursor>();
    objectClass.Initialize = [](TiPlotObject* Object, TiPlotMasterManager& Master) {
        if (Master.Count(TiPlotObjectKind::DataView) == 0) return;
        if (auto* cursor = qobject_cast<TiPlotDataCursor*>(Object))
            cursor->SetDataView(
                qobject_cast<TiPlotDataView*>(Master.Get(TiPlotObjectKind::DataView, 0)));
    };
    return objectClass;
}

bool TiPlotDataCursor::IsAllChannelsName(const QString& Name) {
    return Name.compare(QStringLiteral("<All>"), Qt::CaseInsensitive) == 0;
}

// Properties -------------------------------------------------------------------------------

void TiPlotDataCursor::SetChannelAllowAll(bool Value) {
    SetBooleanProperty(Value, channelAllowAll_, &TiPlotObject::TriggerChange);
}

void TiPlotDataCursor::SetChannelShowAllInLegend(bool Value) {
    SetBooleanProperty(Value, channelShowAllInLegend_, &TiPlotObject::TriggerChange);
}

void TiPlotDataCursor::SetStyle(TiPlotDataCursorStyle Value) {
    if (Value == style_ || Value > ipcsInverseDeltaX) return;
    style_ = Value;
    DoSetup();
    TriggerChange(this);
}

void TiPlotDataCursor::SetFont(const TFont* Value) {
    if (Value) font_->Assign(*Value);
}

void TiPlotDataCursor::SetColor(TColor Value) {
    SetColorProperty(Value, color_, &TiPlotObject::TriggerChange);
}

void TiPlotDataCursor::SetUseChannelColor(bool Value) {
    SetBooleanProperty(Value, useChannelColor_, &TiPlotObject::TriggerChange);
}

void TiPlotDataCursor::SetHintShow(bool Value) {
    SetBooleanProperty(Value, hintShow_, &TiPlotObject::TriggerChange);
}

void TiPlotDataCursor::SetHintHideOnRelease(bool Value) {
    SetBooleanProperty(Value, hintHideOnRelease_, &TiPlotObject::TriggerChange);
}

void TiPlotDataCursor::SetHintOrientationSide(TiOrientationSide Value) {
    if (Value != iosBottomRight && Value != iosTopLeft) return;
    if (Value == hintOrientationSide_) return;
    hintOrientationSide_ = Value;
    TriggerChange(this);
}

void TiPlotDataCursor::SetHintPosition(double Value) {
    if (!std::isnan(Value)) SetDoubleProperty(Value, hintPosition_, &TiPlotObject::TriggerChange);
}

void TiPlotDataCursor::SetPointer1Position(double Value) {
    if (!std::isnan(Value))
        SetDoubleProperty(std::clamp(Value, 0.0, 100.0), pointer1Position_,
                          &TiPlotObject::TriggerChange);
}

void TiPlotDataCursor::SetPointer2Position(double Value) {
    if (!std::isnan(Value))
        SetDoubleProperty(std::clamp(Value, 0.0, 100.0), pointer2Position_,
                          &TiPlotObject::TriggerChange);
}

void TiPlotDataCursor::SetPointerPenWidth(int Value) {
    SetIntegerProperty(std::clamp(Value, 0, MaxPointerPenWidth), pointerPenWidth_,
                       &TiPlotObject::TriggerChange);
}

void TiPlotDataCursor::SetScopeStyle(bool Value) {
    scopeStyle_ = Value;
    DoSetup();
    TriggerChange(this);
}

// Set-up -----------------------------------------------------------------------------------

bool TiPlotDataCursor::IsDeltaStyle() const {
    return style_ == ipcsDeltaX || style_ == ipcsDeltaY || style_ == ipcsInverseDeltaX;
}

bool TiPlotDataCursor::IsStripChart() const {
    TiPlotMasterManager* master = Owner()->GetMasterManager();
    const TiPlotObjectOwnedManager* channels =
        master ? master->GetManager(TiPlotObjectKind::Channel) : nullptr;
    const QMetaObject* channelClass = channels ? channels->ObjectClass().MetaObject : nullptr;
    return channelClass && channelClass->inherits(&TiPlotChannel::staticMetaObject);
}

void TiPlotDataCursor::DoSetup() {
    // From pointer 1 alone as a vertical line and the hint beside it.
    TiSetup setup;
    switch (style_) {
    case ipcsValueXY:
        setup.Pointer2Shown = !IsStripChart();
        break;
    case ipcsValueX:
        break;
    case ipcsValueY:
        if (!IsStripChart() || scopeStyle_) {
            setup.Pointer1Shown = false;
            setup.Pointer2Shown = true;
            setup.HintVertical = false;
        }
        break;
    case ipcsDeltaX:
    case ipcsInverseDeltaX:
        setup.Pointer2Shown = true;
        setup.Pointer2Vertical = true;
        break;
    case ipcsDeltaY:
        setup.Pointer2Shown = true;
        setup.Pointer1Vertical = false;
        setup.HintVertical = false;
        break;
    }
    if (XYAxesReversed()) {
        setup.Pointer1Vertical = !setup.Pointer1Vertical;
        setup.Pointer2Vertical = !setup.Pointer2Vertical;
        setup.HintVertical = !setup.HintVertical;
    }
    setup_ = setup;
}

void TiPlotDataCursor::SetXYAxesReversed(bool Value) {
    TiPlotManagerObject::SetXYAxesReversed(Value);
    DoSetup();
}

void TiPlotDataCursor::Loaded() {
    TiPlotObjectGuard guard(*this);
    TiPlotManagerObject::Loaded();
    // The plot's channel class, and so the plot's kind, is known once the cursor has joined.
    if (!guard.Destroyed()) DoSetup();
}

TiPlotDataView* TiPlotDataCursor::DataView() const {
    return dataView_;
}

void TiPlotDataCursor::SetDataView(TiPlotDataView* Value) {
    dataView_ = Value;
}

int TiPlotDataCursor::PointerPixels(double Position, bool Vertical) const {
    if (!dataView_) return 0;
    return Vertical ? dataView_->PositionPercentToPixelsX(Position)
                    : dataView_->PositionPercentToPixelsY(Position);
}

int TiPlotDataCursor::GetPointer1Pixels() const {
    return PointerPixels(pointer1Position_, setup_.Pointer1Vertical);
}

int TiPlotDataCursor::GetPointer2Pixels() const {
    return PointerPixels(pointer2Position_, setup_.Pointer2Vertical);
}

// Channel and values -----------------------------------------------------------------------

TiPlotChannelCustom* TiPlotDataCursor::GetChannel() {
    if (BoundToAllChannels()) return nullptr;
    return qobject_cast<TiPlotChannelCustom*>(channel_.Get());
}

void TiPlotDataCursor::SetData(double X, double Y, TiPlotDataPointStatus Status) {
    if (SameValue(X, dataX_) && SameValue(Y, dataY_) && Status == dataStatus_) return;
    dataX_ = X;
    dataY_ = Y;
    dataStatus_ = Status;
    Owner()->DataCursorChange(this);
}

void TiPlotDataCursor::DoUpdate() {
    TiPlotObjectGuard guard(*this);
    if (!BoundToAllChannels()) {
        if (TiPlotChannelCustom* channel = GetChannel()) channel->DataCursorUpate(this);
        return;
    }
    TiPlotMasterManager* master = Owner()->GetMasterManager();
    if (!master) return;
    // Counted anew each time: a change handler may add or remove channels.
    for (int i = 0; i < master->Count(TiPlotObjectKind::Channel) && !guard.Destroyed(); ++i)
        if (auto* channel =
                qobject_cast<TiPlotChannelCustom*>(master->Get(TiPlotObjectKind::Channel, i)))
            channel->DataCursorUpate(this);
}

void TiPlotDataCursor::SetVisible(bool Value) {
    TiPlotObjectGuard guard(*this);
    TiPlotManagerObject::SetVisible(Value);
    if (Value && !guard.Destroyed()) DoUpdate();
}

// Notices ----------------------------------------------------------------------------------

void TiPlotDataCursor::NotificationRemove(QObject* Object) {
    channel_.NotificationRemove(Object);
    if (Object == dataView_) dataView_ = nullptr;
}

void TiPlotDataCursor::NotificationRename(QObject* Object) {
    channel_.NotificationRename(Object);
}

void TiPlotDataCursor::NotificationSetFocus(QObject* Object) {
    auto* object = qobject_cast<TiPlotObject*>(Object);
    if (!object || object == this || !object->UserSelected()) return;
    TiPlotMasterManager* master = Owner()->GetMasterManager();
    if (master && master->KindOf(object) == TiPlotObjectKind::Channel) {
        // The bound channel is selected by the cursor's own focus: staying selected then
        // keeps the keyboard on the cursor.
        if (object == channel_.Get()) return;
        if (UserSelected()) {
            SetChannelName(object->Name());
            return;
        }
    }
    SetUserSelected(false);
}

void TiPlotDataCursor::DoSetFocus() {
    TiPlotObjectGuard guard(*this);
    TiPlotManagerObject::DoSetFocus();
    if (guard.Destroyed()) return;
    if (TiPlotChannelCustom* channel = GetChannel()) channel->SetUserSelected(true);
}

// Drawing ----------------------------------------------------------------------------------

TColor TiPlotDataCursor::PointerColor() {
    TiPlotChannelCustom* channel = useChannelColor_ ? GetChannel() : nullptr;
    return channel ? channel->Color() : color_;
}

void TiPlotDataCursor::DrawPointer(TCanvas& Canvas, double Position, bool Vertical, bool Dragged,
                                   TRect& Grab) {
    const TRect view = dataView_->DrawRect();
    Canvas.Pen()->SetWidth(Dragged ? 0 : pointerPenWidth_);
    const int pixel = PointerPixels(Position, Vertical);
    if (Vertical) {
        Canvas.MoveTo(pixel, view.Top);
        Canvas.LineTo(pixel, view.Bottom);
        Grab = {pixel - GrabMargin, view.Top, pixel + GrabMargin + 1, view.Bottom};
    } else {
        Canvas.MoveTo(view.Left, pixel);
        Canvas.LineTo(view.Right, pixel);
        Grab = {view.Left, pixel - GrabMargin, view.Right, pixel + GrabMargin + 1};
    }
}

void TiPlotDataCursor::Draw(TCanvas& Canvas, TColor) {
    if (!dataView_ || !Visible()) return;
    TiPlotObjectGuard guard(*this);
    DoUpdate();
    if (guard.Destroyed() || !dataView_) return;
    Canvas.Pen()->SetColor(PointerColor());
    Canvas.Pen()->SetStyle(psSolid);
    pointer1Rect_ = pointer2Rect_ = hintRect_ = {};
    if (setup_.Pointer1Shown)
        DrawPointer(Canvas, pointer1Position_, setup_.Pointer1Vertical, drag_ == TiDrag::Pointer1,
                    pointer1Rect_);
    if (setup_.Pointer2Shown)
        DrawPointer(Canvas, pointer2Position_, setup_.Pointer2Vertical, drag_ == TiDrag::Pointer2,
                    pointer2Rect_);
    const bool pointerDragged = drag_ == TiDrag::Pointer1 || drag_ == TiDrag::Pointer2;
    if (hintShow_ && !BoundToAllChannels() && (!hintHideOnRelease_ || pointerDragged))
        DrawHint(Canvas);
}

void TiPlotDataCursor::SwitchHintSide(int R, int A, int Extent) {
    const TRect view = dataView_->DrawRect();
    if (setup_.HintVertical) {
        if (R + A + Extent + HintGap > view.Right) hintOrientationSide_ = iosTopLeft;
        if (R - A - Extent - HintGap < view.Left) hintOrientationSide_ = iosBottomRight;
    } else {
        if (R + A + Extent > view.Bottom) hintOrientationSide_ = iosTopLeft;
        if (R - A - Extent < view.Top) hintOrientationSide_ = iosBottomRight;
    }
}

TRect TiPlotDataCursor::PlaceHint(int R, int TextWidth, int A, int BoxWidth, int BoxHeight) const {
    const bool vertical = setup_.HintVertical;
    const int c = vertical ? dataView_->PositionPercentToPixelsY(hintPosition_)
                           : dataView_->PositionPercentToPixelsX(hintPosition_);
    if (IsDeltaStyle()) {
        const TRect& p1 = pointer1Rect_;
        const TRect& p2 = pointer2Rect_;
        if (vertical) {
            const int d = (p1.Left + p1.Right + p2.Left + p2.Right) / 4;
            return {d - BoxWidth / 2, c - BoxHeight / 2, d + BoxWidth / 2, c + BoxHeight / 2};
        }
        const int d = (p1.Top + p1.Bottom + p2.Top + p2.Bottom) / 4;
        return {c - BoxWidth / 2, d - BoxHeight / 2, c + BoxWidth / 2, d + BoxHeight / 2};
    }
    const bool bottomRight = hintOrientationSide_ == iosBottomRight;
    if (vertical) {
        if (bottomRight)
            return {R + HintGap, c - BoxHeight / 2, R + TextWidth + A + HintGap, c + BoxHeight / 2};
        return {R - TextWidth - A - HintGap, c - BoxHeight / 2, R - HintGap, c + BoxHeight / 2};
    }
    if (bottomRight)
        return {c - BoxWidth / 2, R + HintGap, c + BoxWidth / 2, R + BoxHeight + HintGap};
    return {c - BoxWidth / 2, R - BoxHeight - HintGap, c + BoxWidth / 2, R - HintGap};
}

TRect TiPlotDataCursor::KeepInsideView(TRect Box) const {
    const TRect view = dataView_->DrawRect();
    const auto shift = [](int& Low, int& High, int Offset) {
        Low += Offset;
        High += Offset;
    };
    if (Box.Left < view.Left) shift(Box.Left, Box.Right, view.Left - Box.Left);
    if (Box.Right > view.Right) shift(Box.Left, Box.Right, view.Right - Box.Right);
    if (Box.Top < view.Top) shift(Box.Top, Box.Bottom, view.Top - Box.Top);
    if (Box.Bottom > view.Bottom) shift(Box.Top, Box.Bottom, view.Bottom - Box.Bottom);
    return Box;
}

void TiPlotDataCursor::DrawDeltaConnector(TCanvas& Canvas, const TRect& Box) {
    Canvas.Pen()->SetColor(PointerColor());
    Canvas.Pen()->SetStyle(psDot);
    Canvas.Pen()->SetWidth(0);
    Canvas.Brush()->SetStyle(bsClear);
    const TRect& p1 = pointer1Rect_;
    const TRect& p2 = pointer2Rect_;
    if (setup_.HintVertical) {
        const int y = CentreOf(Box.Top, Box.Bottom);
        Canvas.MoveTo(CentreOf(p1.Left, p1.Right), y);
        Canvas.LineTo(CentreOf(p2.Left, p2.Right), y);
    } else {
        const int x = CentreOf(Box.Left, Box.Right);
        Canvas.MoveTo(x, CentreOf(p1.Top, p1.Bottom));
        Canvas.LineTo(x, CentreOf(p2.Top, p2.Bottom));
    }
    Canvas.Pen()->SetStyle(psSolid);
}

void TiPlotDataCursor::DrawHint(TCanvas& Canvas) {
    TiPlotObjectGuard guard(*this);
    TiPlotChannelCustom* channel = GetChannel();
    QString text = channel ? hintText_ : GetTranslation(QStringLiteral("No Channel"));
    Owner()->DoDataCursorCustomizeHint(this, text);
    if (guard.Destroyed() || !dataView_) return;
    channel = GetChannel();
    Canvas.Pen()->SetStyle(psSolid);
    Canvas.Pen()->SetWidth(0);
    Canvas.SetFont(font_.get());
    const int w = Canvas.TextWidth(text);
    const int h = Canvas.TextHeight(text);
    const int a = Canvas.TextWidth(QStringLiteral("A"));
    const int boxHeight = a / 2 + h;
    const int boxWidth = w + a;
    const TRect& reference = setup_.Pointer1Shown ? pointer1Rect_ : pointer2Rect_;
    const int r = setup_.HintVertical ? CentreOf(reference.Left, reference.Right)
                                      : CentreOf(reference.Top, reference.Bottom);
    SwitchHintSide(r, a, setup_.HintVertical ? w : h);
    const TRect box = KeepInsideView(PlaceHint(r, w, a, boxWidth, boxHeight));
    if (IsDeltaStyle()) DrawDeltaConnector(Canvas, box);
    const TColor boxColor = channel && useChannelColor_ ? channel->Color() : clBlack;
    const bool selected = UserSelected();
    Canvas.Pen()->SetColor(selected ? clWhite : boxColor);
    Canvas.Brush()->SetStyle(selected ? bsClear : bsSolid);
    Canvas.Brush()->SetColor(clInfoBk);
    Canvas.Font()->SetColor(selected ? clWhite : clInfoText);
    Canvas.Rectangle(box);
    TRect textRect = box;
    iDrawText(&Canvas, text, textRect, {itfHCenter, itfVCenter, itfSingleLine});
    if (selected)
        iDrawFocusRect2(&Canvas, {box.Left - 2, box.Top - 2, box.Right + 2, box.Bottom + 2});
    hintRect_ = box;
}

// Mouse and keys ---------------------------------------------------------------------------

bool TiPlotDataCursor::iMouseHitTest(const TiPlotMouseData& MouseData) {
    if (!dataView_) return false;
    const TPoint point{MouseData.X, MouseData.Y};
    return (setup_.Pointer1Shown && pointer1Rect_.Contains(point)) ||
           (setup_.Pointer2Shown && pointer2Rect_.Contains(point)) ||
           (!hintHideOnRelease_ && hintRect_.Contains(point));
}

Qt::CursorShape TiPlotDataCursor::GetMousePointer(TPoint) {
    return Qt::PointingHandCursor;
}

void TiPlotDataCursor::DoMouseLeft(const TiPlotMouseData& MouseData) {
    TiPlotObjectGuard guard(*this);
    TiPlotManagerObject::DoMouseLeft(MouseData);
    pressPoint_ = {MouseData.X, MouseData.Y};
    if (hintRect_.Contains(pressPoint_)) {
        drag_ = TiDrag::Hint;
        anchorPixel_ = PointerPixels(hintPosition_, !setup_.HintVertical);
    } else if (setup_.Pointer1Shown && pointer1Rect_.Contains(pressPoint_)) {
        drag_ = TiDrag::Pointer1;
        anchorPixel_ = GetPointer1Pixels();
    } else if (setup_.Pointer2Shown && pointer2Rect_.Contains(pressPoint_)) {
        drag_ = TiDrag::Pointer2;
        anchorPixel_ = GetPointer2Pixels();
    } else {
        return;
    }
    if (drag_ != TiDrag::Hint) DoUpdate();
    if (!guard.Destroyed()) InvalidateNow();
}

double TiPlotDataCursor::DragPercent(int Pixel, bool AcrossX) const {
    if (!dataView_) return 0;
    return AcrossX ? dataView_->PixelsXToPositionPercent(Pixel)
                   : dataView_->PixelsYToPositionPercent(Pixel);
}

void TiPlotDataCursor::DoMouseMove(const TiPlotMouseData& MouseData) {
    if (drag_ == TiDrag::None) return;
    TiPlotObjectGuard guard(*this);
    bool acrossX = !setup_.HintVertical;
    double* position = &hintPosition_;
    if (drag_ == TiDrag::Pointer1) {
        acrossX = setup_.Pointer1Vertical;
        position = &pointer1Position_;
    } else if (drag_ == TiDrag::Pointer2) {
        acrossX = setup_.Pointer2Vertical;
        position = &pointer2Position_;
    }
    const int moved = acrossX ? MouseData.X - pressPoint_.X : MouseData.Y - pressPoint_.Y;
    *position = std::clamp(DragPercent(anchorPixel_ + moved, acrossX), 0.0, 100.0);
    DoUpdate();
    if (!guard.Destroyed()) InvalidateNow();
}

void TiPlotDataCursor::DoMouseUp(const TiPlotMouseData& MouseData) {
    TiPlotObjectGuard guard(*this);
    drag_ = TiDrag::None;
    InvalidateNow();
    if (!guard.Destroyed() && MouseIsDown() && iMouseHitTest(MouseData))
        Owner()->DoObjectClick(this);
}

void TiPlotDataCursor::SetPositionDirect(double Value, double& Field) {
    Field = std::clamp(Value, 0.0, 100.0);
}

void TiPlotDataCursor::StepByKey(uint16_t Key, bool Ctrl) {
    const TRect view = dataView_->DrawRect();
    // One pixel in percent, by its magnitude: the Y percent grows upwards, so the signed
    // difference would move Up downwards.
    const double e = std::abs(dataView_->PixelsXToPositionPercent(view.Left + 1) -
                              dataView_->PixelsXToPositionPercent(view.Left));
    const double v = std::abs(dataView_->PixelsYToPositionPercent(view.Top + 1) -
                              dataView_->PixelsYToPositionPercent(view.Top));
    const bool vertical = Ctrl ? setup_.Pointer1Vertical : setup_.Pointer2Vertical;
    double& pointer = Ctrl ? pointer1Position_ : pointer2Position_;
    const double page = PagePixels * (vertical ? e : v);
    switch (Key) {
    case VK_PRIOR:
        pointer += page;
        break;
    case VK_NEXT:
        pointer -= page;
        break;
    case VK_END:
        pointer = 100;
        break;
    case VK_HOME:
        pointer = 0;
        break;
    case VK_LEFT:
    case VK_RIGHT: {
        const double step = Key == VK_RIGHT ? e : -e;
        if (Ctrl && hintShow_ && !setup_.HintVertical) hintPosition_ += step;
        if (vertical && (!Ctrl || setup_.Pointer1Shown)) pointer += step;
        break;
    }
    case VK_UP:
    case VK_DOWN: {
        const double step = Key == VK_UP ? v : -v;
        if (Ctrl && hintShow_ && setup_.HintVertical) hintPosition_ += step;
        if (!vertical && (!Ctrl || setup_.Pointer1Shown)) pointer += step;
        break;
    }
    default:
        break;
    }
}

void TiPlotDataCursor::iKeyDown(uint16_t& Key, TShiftState Shift) {
    // A view of no size has no pixel to step by.
    if (!dataView_ || dataView_->DrawRect().IsEmpty()) return;
    TiPlotObjectGuard guard(*this);
    const bool ctrl = Shift.testFlag(ssCtrl);
    if (ctrl || setup_.Pointer2Shown) StepByKey(Key, ctrl);
    SetPositionDirect(pointer1Position_, pointer1Position_);
    SetPositionDirect(pointer2Position_, pointer2Position_);
    SetPositionDirect(hintPosition_, hintPosition_);
    InvalidateNow();
}

// Menu -------------------------------------------------------------------------------------

void TiPlotDataCursor::DeselectChannels() {
    TiPlotObjectGuard guard(*this);
    TiPlotMasterManager* master = Owner()->GetMasterManager();
    for (int i = 0; master && i < master->Count(TiPlotObjectKind::Channel) && !guard.Destroyed();
         ++i)
        master->Get(TiPlotObjectKind::Channel, i)->SetUserSelected(false);
}

void TiPlotDataCursor::AddChannelMenu(QMenu* PopupMenu) {
    QMenu* menu = PopupMenu->addMenu(GetTranslation(QStringLiteral("Channel")));
    if (channelAllowAll_) {
        QAction* all = menu->addAction(GetTranslation(QStringLiteral("<All>")));
        all->setCheckable(true);
        all->setChecked(BoundToAllChannels());
        ConnectMenuItem(all, [this] {
            SetChannelName(QStringLiteral("<All>"));
            DeselectChannels();
        });
    }
    TiPlotMasterManager* master = Owner()->GetMasterManager();
    const TiPlotObject* bound = GetChannel();
    for (int i = 0; master && i < master->Count(TiPlotObjectKind::Channel); ++i) {
        auto* channel =
            qobject_cast<TiPlotChannelCustom*>(master->Get(TiPlotObjectKind::Channel, i));
        if (!channel || !channel->Visible()) continue;
        QString title = channel->TitleText();
        title.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
        QAction* item = menu->addAction(title);
        item->setCheckable(true);
        item->setChecked(channel == bound);
        const QPointer<TiPlotChannelCustom> target = channel;
        ConnectMenuItem(item, [this, target] {
            if (!target) return;
            SetChannelName(target->Name());
            if (target) target->SetUserSelected(true);
        });
    }
}

void TiPlotDataCursor::AddStyleMenu(QMenu* PopupMenu) {
    QMenu* menu = PopupMenu->addMenu(GetTranslation(QStringLiteral("Style")));
    for (int style = 0; style < StyleCount; ++style) {
        QAction* item = menu->addAction(GetTranslation(menuItemCaption_[size_t(style)]));
        item->setVisible(menuItemVisible_[size_t(style)]);
        item->setCheckable(true);
        item->setChecked(style == style_);
        ConnectMenuItem(item, [this, style] { SetStyle(TiPlotDataCursorStyle(style)); });
    }
}

void TiPlotDataCursor::AddOptionsMenu(QMenu* PopupMenu) {
    QMenu* menu = PopupMenu->addMenu(GetTranslation(QStringLiteral("Options")));
    const auto toggle = [this, menu](const char* Caption, bool& Flag) {
        QAction* item = menu->addAction(GetTranslation(QString::fromLatin1(Caption)));
        item->setCheckable(true);
        item->setChecked(Flag);
        ConnectMenuItem(item, [this, &Flag] {
            Flag = !Flag;
            InvalidateNow();
        });
    };
    toggle("Use Channel Color", useChannelColor_);
    toggle("Hide Hint On Release", hintHideOnRelease_);
}

void TiPlotDataCursor::AddMenuItems(QMenu* PopupMenu) {
    TiPlotManagerObject::AddMenuItems(PopupMenu);
    if (!PopupMenu) return;
    DeleteSubMenus(PopupMenu);
    AddChannelMenu(PopupMenu);
    AddStyleMenu(PopupMenu);
    if (menuUserCanChangeOptions_) AddOptionsMenu(PopupMenu);
    QAction* flip = PopupMenu->addAction(GetTranslation(QStringLiteral("Flip Alignment")));
    flip->setEnabled(!IsDeltaStyle() && !BoundToAllChannels());
    ConnectMenuItem(flip, [this] {
        hintOrientationSide_ = hintOrientationSide_ == iosBottomRight ? iosTopLeft : iosBottomRight;
        InvalidateNow();
    });
    AddEditMenuItems(PopupMenu);
}
