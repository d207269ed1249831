#include "plot/iPlotInputRouter.h"

#include "platform/Exception.h"
#include "plot/iPlotButton.h"
#include "plot/iPlotComponent.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotMasterManager.h"

#include <utility>

namespace {

using K = TiPlotObjectKind;

} // namespace

TiPlotObjectManager* TiPlotInputRouter::ObjectManager() const {
    return plot_.Master() ? plot_.Master()->GetPlotObjectManager() : nullptr;
}

bool TiPlotInputRouter::IsKind(const QObject* Object, K Kind) const {
    return plot_.Master()->KindOf(Object) == Kind;
}

bool TiPlotInputRouter::IsAxis(const QObject* Object) const {
    return IsKind(Object, K::XAxis) || IsKind(Object, K::YAxis);
}

bool TiPlotInputRouter::TakesPressAlone(const QObject* Object) const {
    return qobject_cast<const TiPlotButton*>(Object) || IsKind(Object, K::Annotation) ||
           IsKind(Object, K::Limit);
}

TPoint TiPlotInputRouter::ScreenPoint(int X, int Y) const {
    return FromQPoint(plot_.mapToGlobal(QPoint(X, Y)));
}

TiPlotObject* TiPlotInputRouter::FindMouseObject(const TiPlotMouseData& MouseData) const {
    const TiPlotObjectManager* objects = ObjectManager();
    if (!objects) return nullptr;
    const auto find = [&](const std::function<bool(TiPlotObject*)>& accept) -> TiPlotObject* {
        for (int i = 0; i < objects->GetCount(); ++i) {
            TiPlotObject* object = objects->GetObject(i);
            if (object->Enabled() && object->Visible() && accept(object) &&
                object->iMouseHitTest(MouseData))
                return object->GetMouseObject(MouseData.X, MouseData.Y);
        }
        return nullptr;
    };
    const auto container = [this](TiPlotObject* object) {
        return IsKind(object, K::DataView) || IsKind(object, K::Legend);
    };
    const auto ordinary = [&](TiPlotObject* object) {
        return !container(object) && !qobject_cast<TiPlotDataViewLayout*>(object);
    };
    if (TiPlotObject* selected =
            find([&](TiPlotObject* object) { return object->UserSelected() && ordinary(object); }))
        return selected;
    if (TiPlotObject* other = find(ordinary)) return other;
    return find(container);
}

void TiPlotInputRouter::SelectPressed(TiPlotObject* Object, TShiftState Shift) {
    if (Shift & ssShift) {
        axisLock_ = IsAxis(Object);
        Object->SetUserSelected(true);
    } else if (Shift & ssCtrl) {
        axisLock_ = IsAxis(Object);
        Object->SetUserSelected(axisLock_ ? !Object->UserSelected() : true);
    } else if (!IsKind(Object, K::ToolBar)) {
        Object->SetUserSelected(true);
    }
}

void TiPlotInputRouter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TiPlotObjectManager* objects = ObjectManager();
    if (!objects) return;
    objects->SetShiftState(Shift);
    buttonDown_ = true;
    TiPlotMouseData data;
    data.X = X;
    data.Y = Y;
    plot_.UpdateAxisPixels(data);
    plot_.frame_.EnsureScreenLayout();
    plot_.setFocus();
    plot_.KillHint();
    const TPoint screen = ScreenPoint(X, Y);
    if (Button == mbRight) objects->ClearAllUserSelections();
    const QPointer<TiPlotObject> object = FindMouseObject(data);
    pressedObject_ = object;
    if (!object) {
        objects->ClearAllUserSelections();
        return;
    }
    SelectPressed(object, Shift);
    // A handler of the selection may have removed the object.
    if (!object || object->Destroying() || pressedObject_ != object) return;
    if (Button == mbRight || TakesPressAlone(object))
        object->iMouseDown(Button, Shift, X, Y, screen.X, screen.Y, plot_.PopupMenu());
    else
        objects->MouseDownFocusObjects(Button, Shift, X, Y, screen.X, screen.Y, plot_.PopupMenu());
}

void TiPlotInputRouter::MouseMove(TShiftState Shift, int X, int Y) {
    TiPlotObjectManager* objects = ObjectManager();
    if (!objects || plot_.GetIsDesigning()) return;
    // No button is held, so the release of the last press went to another window, such as the
    // menu the press opened, and no window system tells of it: the press is over. Left set,
    // the flags held back every hint, and the lock every move, until the next click.
    if (!(Shift & (ssLeft | ssRight | ssMiddle))) {
        buttonDown_ = false;
        axisLock_ = false;
    }
    if (axisLock_) return;
    if (!plot_.rect().contains(X, Y) && !buttonDown_ && QWidget::mouseGrabber() == &plot_)
        plot_.releaseMouse();
    objects->SetShiftState(Shift);
    const TPoint screen = ScreenPoint(X, Y);
    plot_.KillHint();
    if (!(Shift & (ssLeft | ssRight))) {
        MoveWithoutButton(Shift, X, Y, screen);
        return;
    }
    TiHintData hint;
    if (pressedObject_ && !pressedObject_->Destroying() &&
        (IsKind(pressedObject_, K::Annotation) || IsKind(pressedObject_, K::ToolBar)))
        pressedObject_->iMouseMove(hint, Shift, X, Y, screen.X, screen.Y, dblClickActive_);
    else
        objects->MouseMoveFocusObjects(hint, Shift, X, Y, screen.X, screen.Y, dblClickActive_);
    plot_.unsetCursor();
}

void TiPlotInputRouter::MoveWithoutButton(TShiftState Shift, int X, int Y, TPoint Screen) {
    // A release the control never saw ends the drag now.
    if (pressedObject_) ReleaseObjects(mbLeft, Shift, X, Y, Screen);
    plot_.frame_.EnsureScreenLayout();
    TiPlotMouseData data;
    data.X = X;
    data.Y = Y;
    plot_.UpdateAxisPixels(data);
    const QPointer<TiPlotObject> object = FindMouseObject(data);
    if (hoverObject_ != object) ForgetHoverObject();
    if (!object) {
        plot_.unsetCursor();
        return;
    }
    plot_.setCursor(object->GetMousePointer({X, Y}));
    TiHintData hint;
    object->iMouseMove(hint, Shift, X, Y, Screen.X, Screen.Y, dblClickActive_);
    if (!object) return;
    if (plot_.HintsShow() && !hint.Text.isEmpty()) {
        plot_.hint_.Offer(hint, captureLost_ || buttonDown_);
        captureLost_ = false;
    }
    hoverObject_ = object;
}

void TiPlotInputRouter::ReleaseObjects(TMouseButton Button, TShiftState Shift, int X, int Y,
                                       TPoint Screen) {
    if (pressedObject_ && !pressedObject_->Destroying())
        pressedObject_->iMouseUp(Button, Shift, X, Y, Screen.X, Screen.Y, dblClickActive_);
    pressedObject_ = nullptr;
    if (TiPlotObjectManager* objects = ObjectManager())
        objects->MouseUpFocusObjects(Button, Shift, X, Y, Screen.X, Screen.Y, dblClickActive_);
}

void TiPlotInputRouter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TiPlotObjectManager* objects = ObjectManager();
    if (!objects || plot_.GetIsDesigning()) return;
    buttonDown_ = false;
    objects->SetShiftState(Shift);
    plot_.KillHint();
    axisLock_ = false;
    ReleaseObjects(Button, Shift, X, Y, ScreenPoint(X, Y));
    dblClickActive_ = false;
}

void TiPlotInputRouter::MouseWheel(int WheelDelta, TShiftState Shift, TPoint MousePos) {
    if (TiPlotObjectManager* objects = ObjectManager())
        objects->MouseWheelFocusObjects(WheelDelta, Shift, MousePos);
}

void TiPlotInputRouter::KeyDown(uint16_t& Key, TShiftState Shift) {
    if (TiPlotObjectManager* objects = ObjectManager()) objects->KeyDownFocusObjects(Key, Shift);
}

// A Leave while the control holds nothing is the pointer simply moving away.
void TiPlotInputRouter::Leave() {
    if (buttonDown_ || QWidget::mouseGrabber() == &plot_)
        RunGuarded([this] { MouseCaptureLost(); });
}

// The grab is let go as well: held on, it would keep every click from a modal window the
// plot opened, until the pointer left the plot.
void TiPlotInputRouter::MouseCaptureLost() {
    if (QWidget::mouseGrabber() == &plot_) plot_.releaseMouse();
    plot_.KillHint();
    captureLost_ = true;
    ForgetHoverObject();
}

void TiPlotInputRouter::ForgetHoverObject() {
    const QPointer<TiPlotObject> left = std::exchange(hoverObject_, nullptr);
    if (left && !left->Destroying()) left->DoMouseNotOver();
}

void TiPlotInputRouter::Forget(const QObject* Object) {
    if (Object == pressedObject_.data()) pressedObject_ = nullptr;
    if (Object == hoverObject_.data()) hoverObject_ = nullptr;
}
