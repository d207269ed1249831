#include "plot/iPlotToolBar.h"

#include "platform/Dialogs.h"
#include "platform/PropertyDefaults.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotMasterManager.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

const PropertyDefaults::Registration defaults(TiPlotToolBar::staticMetaObject,
                                              {
                                                  {"Horizontal", true},
                                                  {"ShowResumeButton", true},
                                                  {"ShowPauseButton", true},
                                                  {"ShowAxesModeButtons", true},
                                                  {"ShowZoomInOutButtons", true},
                                                  {"ShowSelectButton", false},
                                                  {"ShowZoomBoxButton", true},
                                                  {"ShowCursorButton", true},
                                                  {"ShowEditButton", true},
                                                  {"ShowCopyButton", true},
                                                  {"ShowSaveButton", true},
                                                  {"ShowPrintButton", true},
                                                  {"ZoomInOutFactor", 2.0},
                                                  {"FlatBorder", false},
                                                  {"FlatButtons", false},
                                                  {"SmallButtons", false},
                                              });

const QString SmallImagePrefix = QStringLiteral("SMALL");

QString ImageName(const char* LargeName, bool Small) {
    const QString name = QString::fromLatin1(LargeName);
    return Small ? SmallImagePrefix + name : name;
}

} // namespace

// A list entry: a button of a kind, or a spacer shown while one of ShownWith is.
struct TiPlotToolBar::TButtonEntry {
    const char* Hint = nullptr;
    const char* Image = nullptr;
    int Group = 0;
    std::optional<TButton> Kind;
    void (TiPlotToolBar::*Click)() = nullptr;
    std::vector<TButton> ShownWith;
};

const std::vector<TiPlotToolBar::TButtonEntry>& TiPlotToolBar::ButtonEntries() {
    using T = TiPlotToolBar;
    const auto button = [](const char* Hint, const char* Image, int Group, TButton Kind,
                           void (T::*Click)()) {
        return TButtonEntry{Hint, Image, Group, Kind, Click, {}};
    };
    const auto spacer = [](std::vector<TButton> ShownWith) {
        TButtonEntry entry;
        entry.ShownWith = std::move(ShownWith);
        return entry;
    };
    static const std::vector<TButtonEntry> entries{
        button("Resume All (Tracking)", "AUTO", 0, TButton::Resume, &T::DoButtonClickResume),
        button("Pause All (Tracking)", "PAUSE", 0, TButton::Pause, &T::DoButtonClickPause),
        spacer({TButton::Resume, TButton::Pause}),
        button("Scroll (Axes)", "SCROLL", 2, TButton::ScrollAxesMode,
               &T::DoButtonClickScrollAxesMode),
        button("Zoom (Axes)", "ZOOM", 2, TButton::ZoomAxesMode, &T::DoButtonClickZoomAxesMode),
        spacer({TButton::ScrollAxesMode, TButton::ZoomAxesMode}),
        button("Zoom Out All Axes", "ZOOMOUT", 0, TButton::ZoomOut, &T::DoButtonClickZoomOut),
        button("Zoom In All Axes", "ZOOMIN", 0, TButton::ZoomIn, &T::DoButtonClickZoomIn),
        spacer({TButton::ZoomOut, TButton::ZoomIn}),
        button("Select", "SELECT", -1, TButton::Select, &T::DoButtonClickSelect),
        button("Zoom Box", "SCROLLBOX", -1, TButton::ZoomBox, &T::DoButtonClickZoomBox),
        button("Cursor", "CURSOR", -2, TButton::Cursor, &T::DoButtonClickCursor),
        spacer({TButton::ZoomBox, TButton::Cursor}),
        button("Properties", "PROPERTIES", 0, TButton::Edit, &T::DoButtonClickEdit),
        spacer({TButton::Edit}),
        button("Copy to Clipboard", "COPY", 0, TButton::Copy, &T::DoButtonClickCopy),
        button("Save to File", "SAVE", 0, TButton::Save, &T::DoButtonClickSave),
        button("Print", "PRINTER", 0, TButton::Print, &T::DoButtonClickPrint),
    };
    return entries;
}

TiPlotToolBar::TiPlotToolBar(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
    : TiPlotLayoutObject(Owner, Hooks) {
    InitHorizontal(true);
    for (const TButtonEntry& entry : ButtonEntries()) {
        auto* button = new TiPlotToolBarButton(
            Owner, &images_, QString::fromLatin1(entry.Hint),
            entry.Image ? ImageName(entry.Image, false) : QString(), entry.Group, !entry.Kind);
        button->OnInvalidate = [this](QObject* sender) { ButtonInvalidate(sender); };
        if (entry.Kind) {
            buttons_[size_t(*entry.Kind)] = button;
            button->OnClick = [this, click = entry.Click](QObject*) { (this->*click)(); };
            button->OnGroupClick = [this](QObject* sender) { ButtonGroupClick(sender); };
        }
        list_.push_back(button);
    }
    Button(TButton::Select)->SetVisible(false);
    Button(TButton::ScrollAxesMode)->SetDown(true);
    Button(TButton::Cursor)->OnDownChange = [this](QObject*) { CursorDownChange(); };
    Button(TButton::Select)->OnDownChange = [this](QObject*) { SelectDownChange(); };
}

TiPlotToolBar::~TiPlotToolBar() {
    for (TiPlotToolBarButton* button : list_)
        button->Destroy();
}

void TiPlotToolBar::SetShow(bool Value, std::initializer_list<TButton> Which) {
    bool changed = false;
    for (TButton which : Which)
        if (Button(which)->Visible() != Value) {
            Button(which)->SetVisible(Value);
            changed = true;
        }
    if (changed) TriggerChange(this);
}

void TiPlotToolBar::SetShowAxesModeButtons(bool Value) {
    SetShow(Value, {TButton::ScrollAxesMode, TButton::ZoomAxesMode});
}

void TiPlotToolBar::SetShowZoomInOutButtons(bool Value) {
    SetShow(Value, {TButton::ZoomOut, TButton::ZoomIn});
}

void TiPlotToolBar::SetZoomInOutFactor(double Value) {
    if (std::isnan(Value)) return;
    SetDoubleProperty(std::clamp(Value, 1.0, MaxZoomInOutFactor), zoomInOutFactor_,
                      &TiPlotObject::TriggerChange);
}

void TiPlotToolBar::SetFlatBorder(bool Value) {
    SetBooleanProperty(Value, flatBorder_, &TiPlotObject::TriggerChange);
}

void TiPlotToolBar::SetFlatButtons(bool Value) {
    if (Value == flatButtons_) return;
    flatButtons_ = Value;
    for (TiPlotToolBarButton* button : list_)
        button->SetFlat(Value);
    TriggerChange(this);
}

void TiPlotToolBar::SetSmallButtons(bool Value) {
    if (Value == smallButtons_) return;
    smallButtons_ = Value;
    // Every picture changes size: the list is loaded afresh as the buttons are drawn.
    const std::vector<TButtonEntry>& entries = ButtonEntries();
    for (size_t i = 0; i < list_.size(); ++i)
        if (entries[i].Image) list_[i]->SetImageName(ImageName(entries[i].Image, Value));
    images_.Clear();
    TriggerChange(this);
}

TiPlotToolBarButton* TiPlotToolBar::GetButton(int Index) const {
    CheckListIndex(Index, GetButtonCount());
    return list_[size_t(Index)];
}

void TiPlotToolBar::ForEachObject(std::initializer_list<TiPlotObjectKind> Kinds,
                                  const std::function<void(TiPlotObject*)>& Action) {
    // A handler of an object's change may delete the toolbar; the rest still get the action.
    TiPlotObjectGuard guard(*this);
    TiPlotMasterManager* master = Owner() ? Owner()->GetMasterManager() : nullptr;
    if (!master) return;
    for (TiPlotObjectKind kind : Kinds)
        for (int i = 0; i < master->Count(kind); ++i)
            Action(master->Get(kind, i));
}

void TiPlotToolBar::ForEachAxis(const std::function<void(TiPlotAxis&)>& Action) {
    ForEachObject({TiPlotObjectKind::XAxis, TiPlotObjectKind::YAxis}, [&Action](TiPlotObject* o) {
        if (auto* axis = qobject_cast<TiPlotAxis*>(o)) Action(*axis);
    });
}

void TiPlotToolBar::SetAllTracking(bool Enabled) {
    if (!Owner()) return;
    if (Enabled)
        Owner()->EnableAllTracking();
    else
        Owner()->DisableAllTracking();
}

void TiPlotToolBar::DoButtonClickResume() {
    TiPlotObjectGuard guard(*this);
    if (GetCursorActive()) DoButtonClickCursor();
    if (!guard.Destroyed() && GetSelectActive()) DoButtonClickSelect();
    if (guard.Destroyed()) return;
    if (TiPlotMasterManager* master = Owner() ? Owner()->GetMasterManager() : nullptr)
        master->DeSelectAll();
    if (!guard.Destroyed()) SetAllTracking(true);
}

void TiPlotToolBar::DoButtonClickPause() {
    SetAllTracking(false);
}

void TiPlotToolBar::SetAxesMode(TButton Down, TButton Up, int Mode) {
    TiPlotObjectGuard guard(*this);
    Button(Down)->SetDown(true);
    if (!guard.Destroyed()) Button(Up)->SetDown(false);
    if (!guard.Destroyed()) ForEachAxis([Mode](TiPlotAxis& axis) { axis.SetMode(Mode); });
}

void TiPlotToolBar::DoButtonClickScrollAxesMode() {
    SetAxesMode(TButton::ScrollAxesMode, TButton::ZoomAxesMode, TiPlotAxis::ModeScroll);
}

void TiPlotToolBar::DoButtonClickZoomAxesMode() {
    SetAxesMode(TButton::ZoomAxesMode, TButton::ScrollAxesMode, TiPlotAxis::ModeZoom);
}

int TiPlotToolBar::GetAxesMode() const {
    return Button(TButton::ZoomAxesMode)->Down() ? TiPlotAxis::ModeZoom : TiPlotAxis::ModeScroll;
}

void TiPlotToolBar::ZoomAllAxes(double LinearFactor, double LogFactor) {
    TiPlotObjectGuard guard(*this);
    DoButtonClickPause();
    if (guard.Destroyed()) return;
    ForEachAxis([LinearFactor, LogFactor](TiPlotAxis& axis) {
        axis.Zoom(axis.ScaleType() == ipstLog10 ? LogFactor : LinearFactor);
    });
}

void TiPlotToolBar::DoButtonClickZoomIn() {
    ZoomAllAxes(1 / zoomInOutFactor_, -1);
}

void TiPlotToolBar::DoButtonClickZoomOut() {
    ZoomAllAxes(zoomInOutFactor_, 1);
}

void TiPlotToolBar::DoButtonClickSelect() {
    TiPlotObjectGuard guard(*this);
    Button(TButton::Select)->SetDown(!GetSelectActive());
    if (!guard.Destroyed()) Button(TButton::ZoomBox)->SetDown(false);
}

void TiPlotToolBar::DoButtonClickZoomBox() {
    TiPlotObjectGuard guard(*this);
    Button(TButton::Select)->SetDown(false);
    if (!guard.Destroyed()) Button(TButton::ZoomBox)->SetDown(!GetZoomBoxActive());
}

void TiPlotToolBar::DoButtonClickCursor() {
    Button(TButton::Cursor)->SetDown(!GetCursorActive());
}

void TiPlotToolBar::TurnOffCursor() {
    Button(TButton::Cursor)->SetDown(false);
}

void TiPlotToolBar::DoButtonClickEdit() {
    if (TiPlotMasterManager* master = Owner() ? Owner()->GetMasterManager() : nullptr)
        master->EditProperties();
}

// A failed copy, save or print started by a click has no caller to go to: the user is told.
void TiPlotToolBar::RunOutput(void (TiPlotHost::*Output)()) {
    if (TiPlotHost* owner = Owner())
        RunShowingExceptions([&] {
            (owner->*Output)();
            return true;
        });
}

void TiPlotToolBar::DoButtonClickCopy() {
    RunOutput(&TiPlotHost::CopyToClipBoard);
}

void TiPlotToolBar::DoButtonClickSave() {
    RunOutput(&TiPlotHost::Save);
}

void TiPlotToolBar::DoButtonClickPrint() {
    RunOutput(&TiPlotHost::PrintChart);
}

void TiPlotToolBar::CursorDownChange() {
    TiPlotObjectGuard guard(*this);
    const bool down = GetCursorActive();
    ForEachObject({TiPlotObjectKind::DataCursor},
                  [down](TiPlotObject* cursor) { cursor->SetVisible(down); });
    if (!down || guard.Destroyed()) return;
    SetAllTracking(false);
    if (guard.Destroyed()) return;
    TiPlotMasterManager* master = Owner() ? Owner()->GetMasterManager() : nullptr;
    if (master && master->Count(TiPlotObjectKind::DataCursor) > 0)
        master->Get(TiPlotObjectKind::DataCursor, 0)->SetUserSelected(true);
}

void TiPlotToolBar::SelectDownChange() {
    // The plot's select mode is the down state of its first toolbar's select button, so the
    // button going down or up is what switches it.
    if (GetSelectActive()) SetAllTracking(false);
}

void TiPlotToolBar::ButtonGroupClick(QObject* Sender) {
    const auto* clicked = qobject_cast<TiPlotToolBarButton*>(Sender);
    if (!clicked) return;
    TiPlotObjectGuard guard(*this);
    for (TiPlotToolBarButton* button : list_) {
        if (guard.Destroyed()) return;
        if (button != clicked && button->GroupIndex() == clicked->GroupIndex())
            button->SetDown(false);
    }
}

void TiPlotToolBar::ButtonInvalidate(QObject*) {
    Notify(OnInvalidateNow);
}

int TiPlotToolBar::ButtonSize() const {
    return smallButtons_ ? SmallButtonSize : LargeButtonSize;
}

int TiPlotToolBar::GetRequiredWidth(TCanvas&) {
    return ButtonSize() + 2 * ButtonMargin;
}

void TiPlotToolBar::CalcButtonRects() {
    const std::vector<TButtonEntry>& entries = ButtonEntries();
    for (size_t i = 0; i < list_.size(); ++i) {
        if (!list_[i]->Spacer()) continue;
        bool shown = false;
        for (TButton which : entries[i].ShownWith)
            shown = shown || ButtonVisible(which);
        list_[i]->SetVisible(shown);
    }
    const int size = ButtonSize();
    const TRect r = DrawRect();
    // A vertical toolbar stacks its buttons downwards.
    int along = (Horizontal() ? r.Left : r.Top) + ButtonMargin;
    for (TiPlotToolBarButton* button : list_) {
        if (!button->Visible()) continue;
        const int length = button->Spacer() ? SpacerWidth : size;
        if (Horizontal())
            button->SetDrawRect(
                {along, r.Top + ButtonMargin, along + length, r.Top + ButtonMargin + size});
        else
            button->SetDrawRect(
                {r.Left + ButtonMargin, along, r.Left + ButtonMargin + size, along + length});
        along += length;
    }
}

void TiPlotToolBar::UpdateTrackingButtons() {
    bool tracking = false;
    bool paused = false;
    ForEachAxis([&tracking, &paused](TiPlotAxis& axis) {
        (axis.TrackingEnabled() ? tracking : paused) = true;
    });
    Button(TButton::Resume)->SetEnabled(paused);
    Button(TButton::Pause)->SetEnabled(tracking);
}

void TiPlotToolBar::Draw(TCanvas& Canvas, TColor) {
    if (!Visible()) return;
    CalcButtonRects();
    UpdateTrackingButtons();
    const TRect r = DrawRect();
    Canvas.Pen()->SetWidth(1);
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(clBtnFace);
    Canvas.FillRect({r.Left, r.Top, r.Right + 1, r.Bottom});
    if (!flatBorder_) Canvas.DrawEdge(r, TEdgeStyle::Raised);
    for (TiPlotToolBarButton* button : list_)
        if (button->Visible()) button->Draw(Canvas, clBtnFace);
}

TiPlotObject* TiPlotToolBar::GetMouseObject(int X, int Y) {
    TiPlotLayoutObject::GetMouseObject(X, Y);
    CalcButtonRects();
    for (TiPlotToolBarButton* button : list_)
        if (button->Visible() && !button->Spacer() && button->DrawRect().Contains({X, Y})) {
            SetMouseObject(button);
            return button;
        }
    return this;
}

void TiPlotToolBar::NotificationSetFocus(QObject* Object) {
    if (Object != this && UserSelected()) SetUserSelected(false);
}

void TiPlotToolBar::AddMenuItems(QMenu* PopupMenu) {
    TiPlotLayoutObject::AddMenuItems(PopupMenu);
    AddEditMenuItems(PopupMenu);
}
