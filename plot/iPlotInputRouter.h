// The plot's input router: finds the object under the pointer and routes presses, moves,
// releases, the wheel and keys to it or to the selected objects, keeping the press state.
#pragma once

#include "instruments/framework/iTypes.h"
#include "plot/iPlotManagers.h"
#include "plot/iPlotObjects.h"

#include <QPointer>
#include <cstdint>

class TiPlotComponent;
class TiPlotObjectManager;

class TiPlotInputRouter {
public:
    explicit TiPlotInputRouter(TiPlotComponent& Plot) : plot_(Plot) {}

    // See TiPlotComponent::FindMouseObject.
    TiPlotObject* FindMouseObject(const TiPlotMouseData& MouseData) const;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    void MouseMove(TShiftState Shift, int X, int Y);
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    void MouseWheel(int WheelDelta, TShiftState Shift, TPoint MousePos);
    void KeyDown(uint16_t& Key, TShiftState Shift);
    // Qt's capture-changed notice (see TiPlotComponent::leaveEvent).
    void Leave();

    TiPlotObject* PressedObject() const { return pressedObject_; }
    TiPlotObject* HoverObject() const { return hoverObject_; }
    bool DblClickActive() const { return dblClickActive_; }
    void SetDblClickActive(bool Value) { dblClickActive_ = Value; }
    // An object removed is no longer pressed or hovered.
    void Forget(const QObject* Object);

private:
    TiPlotObjectManager* ObjectManager() const;
    bool IsKind(const QObject* Object, TiPlotObjectKind Kind) const;
    bool IsAxis(const QObject* Object) const;
    // Whether a press goes to the object alone instead of to every selected object.
    bool TakesPressAlone(const QObject* Object) const;
    TPoint ScreenPoint(int X, int Y) const;
    void SelectPressed(TiPlotObject* Object, TShiftState Shift);
    void ReleaseObjects(TMouseButton Button, TShiftState Shift, int X, int Y, TPoint Screen);
    void MoveWithoutButton(TShiftState Shift, int X, int Y, TPoint Screen);
    // The hover object hears the pointer is no longer over it.
    void ForgetHoverObject();
    void MouseCaptureLost();

    TiPlotComponent& plot_;
    // Buttons of objects are found too, and leave with their object unannounced.
    QPointer<TiPlotObject> pressedObject_;
    QPointer<TiPlotObject> hoverObject_;
    bool axisLock_ = false;
    bool buttonDown_ = false;
    bool captureLost_ = false;
    bool dblClickActive_ = false;
};
