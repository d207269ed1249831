// The base of everything a plot shows: a light, streamable object inside one plot control,
// owned by the manager of its kind and wired to the master manager through four hooks.
#pragma once

#include "instruments/framework/iControlEvents.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/Geometry.h"
#include "plot/iPlotHost.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

class QAction;
class QMenu;

// The master manager's four notices, handed to every object and manager it creates.
struct TiPlotObjectHooks {
    TNotifyEvent OnChange;
    TNotifyEvent OnInsert;
    TNotifyEvent OnRemove;
    TNotifyEvent OnRename;
};

// The pointer as an object's mouse operations see it. The axis-direction positions equal X
// and Y, exchanged when X axes run vertically.
struct TiPlotMouseData {
    int X = 0;
    int Y = 0;
    int XAxisPixels = 0;
    int YAxisPixels = 0;
    // From a double click until the release that follows it.
    bool DblClickActive = false;

    void CalcAxisPixels(bool XYAxesReversed);
};

// Filled by an object's DoMouseHint: the text, and the top-left of the box showing it.
struct TiHintData {
    QString Text;
    int Top = 0;
    int Left = 0;
};

class TiPlotObject : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(int Layer READ Layer WRITE SetLayer)
    Q_PROPERTY(bool PopupEnabled READ PopupEnabled WRITE SetPopupEnabled)

public:
    using TTrigger = void (TiPlotObject::*)(QObject* Sender);

    TiPlotObject(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);

    // Destruction in two phases: the removal notices run while the object is whole, then it
    // is freed, at once or, when it is inside one of its own operations (an event handler
    // deleted it), as that operation returns.
    void Destroy();
    bool Destroying() const { return destroying_; }

    QString Name() const { return name_; }
    void SetName(const QString& Value);
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool Value);
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool Value);
    int Layer() const { return layer_; }
    void SetLayer(int Value);
    bool PopupEnabled() const { return popupEnabled_; }
    void SetPopupEnabled(bool Value);

    TiPlotHost* Owner() const { return owner_; }
    QString OldName() const { return oldName_; }
    TShiftState ShiftState() const { return shiftState_; }
    void SetShiftState(TShiftState Value) { shiftState_ = Value; }
    bool UserSelected() const { return userSelected_; }
    void SetUserSelected(bool Value);
    bool UserCanEdit() const { return userCanEdit_; }
    void SetUserCanEdit(bool Value) { userCanEdit_ = Value; }
    bool XYAxesReversed() const { return xyAxesReversed_; }
    virtual void SetXYAxesReversed(bool Value);
    bool DrawSetupDone() const { return drawSetupDone_; }
    bool MouseIsDown() const { return mouseIsDown_; }
    TiPlotObject* MouseObject() const { return mouseObject_; }

    // Layer as six digits: the paint-order text the editors show.
    QString GetLayerString() const;
    // The plot's translation of a word shown to the user.
    QString GetTranslation(const QString& Text) const;

    virtual void TriggerChange(QObject* Sender);
    virtual void TriggerLayoutChange(QObject* Sender);
    // A notice about another object of the plot: kinds drop or rename their references.
    virtual void NotificationRemove(QObject* Object);
    virtual void NotificationRename(QObject* Object);
    virtual void NotificationSetFocus(QObject* Object);

    virtual void DrawSetup(TCanvas& Canvas);
    virtual void Draw(TCanvas& Canvas, TColor BackGroundColor);

    virtual void iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y, int ScreenX,
                            int ScreenY, QMenu* PopupMenu);
    virtual void iMouseMove(TiHintData& HintData, TShiftState Shift, int X, int Y, int ScreenX,
                            int ScreenY, bool DblClickActive);
    virtual void iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y, int ScreenX,
                          int ScreenY, bool DblClickActive);
    virtual bool iMouseHitTest(const TiPlotMouseData& MouseData);
    virtual bool iMouseWheel(int WheelDelta, TShiftState Shift, TPoint MousePos);
    virtual void DoMouseHint(const TiPlotMouseData& MouseData, TiHintData& HintData);
    virtual void DoMouseLeft(const TiPlotMouseData& MouseData);
    virtual void DoMouseMove(const TiPlotMouseData& MouseData);
    virtual void DoMouseUp(const TiPlotMouseData& MouseData);
    virtual void DoMouseDoubleClick(const TiPlotMouseData& MouseData);
    virtual void DoSetFocus();
    virtual void DoLostFocus();
    virtual void DoMouseNotOver();
    virtual TiPlotObject* GetMouseObject(int X, int Y);
    virtual Qt::CursorShape GetMousePointer(TPoint Point);
    virtual void iKeyDown(uint16_t& Key, TShiftState Shift);
    // Joins the plot: the master manager inserts, names and wires the object.
    virtual void Loaded();
    // Every kind first empties the plot's menu through this, then adds its own items.
    virtual void AddMenuItems(QMenu* PopupMenu);
    // "Edit..." when the user may edit the object.
    void AddEditMenuItems(QMenu* PopupMenu);

    // Hooks of the master manager and the layout manager.
    TNotifyEvent OnChange;
    TNotifyEvent OnLayoutChange;
    TNotifyEvent OnInsert;
    TNotifyEvent OnRemove;
    TNotifyEvent OnRename;
    TNotifyEvent OnSetFocus;
    TNotifyEvent OnEdit;
    TNotifyEvent OnInvalidateNow;

protected:
    ~TiPlotObject() override;

    // The removal notices of Destroy, run while every override is still reachable.
    virtual void BeforeDestruction();

    // A changed value is stored and, when a trigger is given, reported; an equal one (doubles
    // by exact inequality, strings case-sensitively) changes nothing. Each answers whether the
    // value changed.
    bool SetBooleanProperty(bool Value, bool& Field, TTrigger Trigger);
    bool SetColorProperty(TColor Value, TColor& Field, TTrigger Trigger);
    bool SetIntegerProperty(int Value, int& Field, TTrigger Trigger);
    bool SetDoubleProperty(double Value, double& Field, TTrigger Trigger);
    bool SetStringProperty(const QString& Value, QString& Field, TTrigger Trigger);

    TiPlotMouseData MakeMouseData(int X, int Y, bool DblClickActive) const;
    void SetMouseIsDown(bool Value) { mouseIsDown_ = Value; }
    void SetMouseObject(TiPlotObject* Value) { mouseObject_ = Value; }
    void SetDrawSetupDone(bool Value) { drawSetupDone_ = Value; }
    // Calls a hook with this object when it is set.
    void Notify(const TNotifyEvent& Hook);
    // Runs Click when the menu item is chosen, guarded like every call the toolkit makes into
    // user code; the object lives until Click returns.
    void ConnectMenuItem(QAction* Item, std::function<void()> Click);

private:
    friend class TiPlotObjectGuard;

    template <typename T> bool SetProperty(const T& Value, T& Field, TTrigger Trigger);
    void ShowPopupMenu(int ScreenX, int ScreenY, QMenu* PopupMenu);

    TiPlotHost* owner_;
    QString name_;
    QString oldName_;
    TShiftState shiftState_;
    bool visible_ = true;
    bool enabled_ = true;
    int layer_ = 100;
    bool popupEnabled_ = true;
    bool userSelected_ = false;
    bool userCanEdit_ = false;
    bool xyAxesReversed_ = false;
    bool drawSetupDone_ = false;
    bool mouseIsDown_ = false;
    TiPlotObject* mouseObject_ = nullptr;
    int busy_ = 0;
    bool destroying_ = false;
};

// Keeps an object's memory for as long as it lives, so that an operation calling out to
// handlers may find out afterwards that one of them destroyed the object, and stop.
class TiPlotObjectGuard {
public:
    explicit TiPlotObjectGuard(TiPlotObject& Object);
    ~TiPlotObjectGuard();
    TiPlotObjectGuard(const TiPlotObjectGuard&) = delete;
    TiPlotObjectGuard& operator=(const TiPlotObjectGuard&) = delete;

    bool Destroyed() const { return object_.destroying_; }

private:
    TiPlotObject& object_;
};

// An object that a manager creates: its construction checks the owner and the four hooks.
class TiPlotManagerObject : public TiPlotObject {
    Q_OBJECT

public:
    TiPlotManagerObject(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);
};

// Raises the construction errors, in their order, for an object (or, with ManagerWording,
// a manager) given no owner or one of its hooks unset.
void CheckPlotObjectArguments(const TiPlotHost* Owner, const TiPlotObjectHooks& Hooks,
                              bool ManagerWording);

// Name comparison of every look-up: case-insensitive.
bool SamePlotName(const QString& A, const QString& B);

// The lists' index error: "List index out of bounds (<index>)" outside 0..Count-1.
void CheckListIndex(int Index, int Count);
