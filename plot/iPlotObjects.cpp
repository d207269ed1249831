#include "plot/iPlotObjects.h"

#include "platform/Exception.h"
#include "platform/PropertyDefaults.h"

#include <QMenu>

namespace {

const PropertyDefaults::Registration defaults(TiPlotObject::staticMetaObject,
                                              {
                                                  {"Name", QString()},
                                                  {"Visible", true},
                                                  {"Enabled", true},
                                                  {"Layer", 100},
                                                  {"PopupEnabled", true},
                                              });

} // namespace

void TiPlotMouseData::CalcAxisPixels(bool XYAxesReversed) {
    XAxisPixels = XYAxesReversed ? Y : X;
    YAxisPixels = XYAxesReversed ? X : Y;
}

TiPlotObject::TiPlotObject(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
    : OnChange(Hooks.OnChange), OnInsert(Hooks.OnInsert), OnRemove(Hooks.OnRemove),
      OnRename(Hooks.OnRename), owner_(Owner) {}

TiPlotObject::~TiPlotObject() = default;

void TiPlotObject::Destroy() {
    if (destroying_) return;
    TiPlotObjectGuard guard(*this);
    destroying_ = true;
    BeforeDestruction();
}

void TiPlotObject::BeforeDestruction() {
    Notify(OnRemove);
    TriggerLayoutChange(this);
}

void TiPlotObject::Notify(const TNotifyEvent& Hook) {
    if (Hook) Hook(this);
}

template <typename T> bool TiPlotObject::SetProperty(const T& Value, T& Field, TTrigger Trigger) {
    if (Value == Field) return false;
    Field = Value;
    if (Trigger) (this->*Trigger)(this);
    return true;
}

bool TiPlotObject::SetBooleanProperty(bool Value, bool& Field, TTrigger Trigger) {
    return SetProperty(Value, Field, Trigger);
}

bool TiPlotObject::SetColorProperty(TColor Value, TColor& Field, TTrigger Trigger) {
    return SetProperty(Value, Field, Trigger);
}

bool TiPlotObject::SetIntegerProperty(int Value, int& Field, TTrigger Trigger) {
    return SetProperty(Value, Field, Trigger);
}

bool TiPlotObject::SetDoubleProperty(double Value, double& Field, TTrigger Trigger) {
    return SetProperty(Value, Field, Trigger);
}

bool TiPlotObject::SetStringProperty(const QString& Value, QString& Field, TTrigger Trigger) {
    return SetProperty(Value, Field, Trigger);
}

void TiPlotObject::SetName(const QString& Value) {
    if (Value == name_) return;
    TiPlotObjectGuard guard(*this);
    oldName_ = name_;
    name_ = Value;
    Notify(OnRename);
    if (!guard.Destroyed()) TriggerChange(this);
}

void TiPlotObject::SetVisible(bool Value) {
    SetBooleanProperty(Value, visible_, &TiPlotObject::TriggerChange);
}

void TiPlotObject::SetEnabled(bool Value) {
    if (Value == enabled_) return;
    TiPlotObjectGuard guard(*this);
    enabled_ = Value;
    if (!Value) {
        mouseIsDown_ = false;
        SetUserSelected(false);
    }
    if (!guard.Destroyed()) TriggerChange(this);
}

void TiPlotObject::SetLayer(int Value) {
    SetIntegerProperty(Value, layer_, &TiPlotObject::TriggerChange);
}

void TiPlotObject::SetPopupEnabled(bool Value) {
    SetBooleanProperty(Value, popupEnabled_, &TiPlotObject::TriggerChange);
}

void TiPlotObject::SetXYAxesReversed(bool Value) {
    xyAxesReversed_ = Value;
}

void TiPlotObject::SetUserSelected(bool Value) {
    if (Value == userSelected_) return;
    TiPlotObjectGuard guard(*this);
    userSelected_ = Value;
    Notify(OnInvalidateNow);
    if (guard.Destroyed()) return;
    if (!Value) {
        DoLostFocus();
        return;
    }
    Notify(OnSetFocus);
    if (!guard.Destroyed()) DoSetFocus();
}

QString TiPlotObject::GetLayerString() const {
    return QString::number(layer_).rightJustified(6, QLatin1Char('0'));
}

QString TiPlotObject::GetTranslation(const QString& Text) const {
    return owner_ ? owner_->TranslateText(Text) : Text;
}

void TiPlotObject::TriggerChange(QObject*) {
    Notify(OnChange);
}

void TiPlotObject::TriggerLayoutChange(QObject*) {
    TiPlotObjectGuard guard(*this);
    Notify(OnLayoutChange);
    TriggerChange(this);
}

void TiPlotObject::NotificationRemove(QObject*) {}
void TiPlotObject::NotificationRename(QObject*) {}
void TiPlotObject::NotificationSetFocus(QObject*) {}

void TiPlotObject::DrawSetup(TCanvas&) {
    drawSetupDone_ = true;
}

void TiPlotObject::Draw(TCanvas&, TColor) {}

TiPlotMouseData TiPlotObject::MakeMouseData(int X, int Y, bool DblClickActive) const {
    TiPlotMouseData data;
    data.X = X;
    data.Y = Y;
    data.DblClickActive = DblClickActive;
    data.CalcAxisPixels(xyAxesReversed_);
    return data;
}

void TiPlotObject::iMouseDown(TMouseButton Button, TShiftState, int X, int Y, int ScreenX,
                              int ScreenY, QMenu* PopupMenu) {
    if (!enabled_) return;
    TiPlotObjectGuard guard(*this);
    const TiPlotMouseData data = MakeMouseData(X, Y, false);
    if (Button == mbRight && popupEnabled_) {
        ShowPopupMenu(ScreenX, ScreenY, PopupMenu);
    } else if (Button == mbLeft) {
        mouseIsDown_ = true;
        DoMouseLeft(data);
    }
}

void TiPlotObject::ShowPopupMenu(int ScreenX, int ScreenY, QMenu* PopupMenu) {
    if (!owner_) return;
    TiPlotObjectGuard guard(*this);
    bool cancel = false;
    owner_->DoPopUpMenuEvent(this, cancel, ScreenX, ScreenY);
    if (cancel || guard.Destroyed()) return;
    AddMenuItems(PopupMenu);
    owner_->ShowPopupMenu(ScreenX, ScreenY);
}

void TiPlotObject::iMouseMove(TiHintData& HintData, TShiftState, int X, int Y, int, int,
                              bool DblClickActive) {
    TiPlotObjectGuard guard(*this);
    const TiPlotMouseData data = MakeMouseData(X, Y, DblClickActive);
    if (mouseIsDown_)
        DoMouseMove(data);
    else
        DoMouseHint(data, HintData);
}

void TiPlotObject::iMouseUp(TMouseButton, TShiftState, int X, int Y, int, int,
                            bool DblClickActive) {
    TiPlotObjectGuard guard(*this);
    DoMouseUp(MakeMouseData(X, Y, DblClickActive));
    mouseIsDown_ = false;
}

bool TiPlotObject::iMouseHitTest(const TiPlotMouseData&) {
    return false;
}

bool TiPlotObject::iMouseWheel(int, TShiftState, TPoint) {
    return false;
}

void TiPlotObject::DoMouseHint(const TiPlotMouseData&, TiHintData&) {}
void TiPlotObject::DoMouseLeft(const TiPlotMouseData&) {}
void TiPlotObject::DoMouseMove(const TiPlotMouseData&) {}
void TiPlotObject::DoMouseUp(const TiPlotMouseData&) {}
void TiPlotObject::DoMouseDoubleClick(const TiPlotMouseData&) {}

void TiPlotObject::DoSetFocus() {
    if (owner_) owner_->DoObjectGotFocus(this);
}

void TiPlotObject::DoLostFocus() {
    if (owner_) owner_->DoObjectLostFocus(this);
}

void TiPlotObject::DoMouseNotOver() {}

TiPlotObject* TiPlotObject::GetMouseObject(int, int) {
    mouseObject_ = this;
    return this;
}

Qt::CursorShape TiPlotObject::GetMousePointer(TPoint Point) {
    if (!mouseObject_) mouseObject_ = this;
    if (mouseObject_ != this) return mouseObject_->GetMousePointer(Point);
    return Qt::ArrowCursor;
}

void TiPlotObject::iKeyDown(uint16_t&, TShiftState) {}

void TiPlotObject::Loaded() {
    Notify(OnInsert);
}

void TiPlotObject::AddMenuItems(QMenu* PopupMenu) {
    if (PopupMenu) PopupMenu->clear();
}

void TiPlotObject::AddEditMenuItems(QMenu* PopupMenu) {
    if (!userCanEdit_ || !PopupMenu) return;
    QAction* item = PopupMenu->addAction(GetTranslation(QStringLiteral("Edit...")));
    item->setVisible(true);
    ConnectMenuItem(item, [this] { Notify(OnEdit); });
}

void TiPlotObject::ConnectMenuItem(QAction* Item, std::function<void()> Click) {
    // The toolkit's event loop calls a chosen item and cannot pass an exception on.
    QObject::connect(Item, &QAction::triggered, this, [this, Click = std::move(Click)] {
        TiPlotObjectGuard guard(*this);
        RunGuarded(Click);
    });
}

TiPlotObjectGuard::TiPlotObjectGuard(TiPlotObject& Object) : object_(Object) {
    ++object_.busy_;
}

TiPlotObjectGuard::~TiPlotObjectGuard() {
    if (--object_.busy_ == 0 && object_.destroying_) delete &object_;
}

TiPlotManagerObject::TiPlotManagerObject(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
    : TiPlotObject(Owner, Hooks) {
    CheckPlotObjectArguments(Owner, Hooks, false);
}

void CheckPlotObjectArguments(const TiPlotHost* Owner, const TiPlotObjectHooks& Hooks,
                              bool ManagerWording) {
    if (!Owner)
        throw Exception(ManagerWording ? QStringLiteral("Owner must be Assigned")
                                       : QStringLiteral("Owner must be assigned"));
    if (!Hooks.OnChange) throw Exception(QStringLiteral("OnChange event handler can not be null"));
    if (!Hooks.OnInsert) throw Exception(QStringLiteral("OnInsert event handler can not be null"));
    if (!Hooks.OnRemove) throw Exception(QStringLiteral("OnRemove event handler can not be null"));
    if (!Hooks.OnRename) throw Exception(QStringLiteral("AOnRename event handler can not be null"));
}

bool SamePlotName(const QString& A, const QString& B) {
    return A.compare(B, Qt::CaseInsensitive) == 0;
}

void CheckListIndex(int Index, int Count) {
    if (Index < 0 || Index >= Count)
        throw Exception(QStringLiteral("List index out of bounds (%1)").arg(Index));
}
