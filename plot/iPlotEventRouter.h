// The plot's event fan-out: finds what an object is (its kind and its index in that kind's
// manager) and calls the application's event of that kind, guarded, so a handler never unwinds.
#pragma once

#include "platform/Exception.h"
#include "plot/iPlotMasterManager.h"

#include <QObject>
#include <functional>
#include <optional>
#include <utility>

class TiPlotComponent;

// The plot's events name objects by their index in their kind's manager; none passes a sender.
using TiPlotObjectEvent = std::function<void(int Index)>;
using TiPlotPopupMenuEvent = std::function<void(int Index, bool& Cancel, int ScreenX, int ScreenY)>;

class TiPlotEventRouter {
public:
    explicit TiPlotEventRouter(TiPlotComponent& Plot) : plot_(Plot) {}

    // The object's kind and index in its manager; nothing for an object of no kind.
    std::optional<std::pair<TiPlotObjectKind, int>> Locate(const QObject* Object) const;

    // The events of the object's kind that it has; a kind without one reports nothing.
    void Click(const QObject* Object, bool Double);
    void GotFocus(const QObject* Object);
    void LostFocus(const QObject* Object);
    void PopupMenu(const QObject* Object, bool& Cancel, int ScreenX, int ScreenY);
    // Handler with the object's index.
    template <class Event, class... Args>
    void Index(const QObject* Object, Event& Handler, Args&&... args) {
        const auto located = Locate(Object);
        if (located && Handler)
            RunGuarded([&] { Handler(located->second, std::forward<Args>(args)...); });
    }
    // The X-axis or the Y-axis event of the axis, with its index.
    template <class Event, class... Args>
    void Axis(const QObject* Axis, Event& XEvent, Event& YEvent, Args&&... args) {
        const auto located = Locate(Axis);
        if (!located || (located->first != TiPlotObjectKind::XAxis &&
                         located->first != TiPlotObjectKind::YAxis))
            return;
        Event& handler = located->first == TiPlotObjectKind::XAxis ? XEvent : YEvent;
        if (handler) RunGuarded([&] { handler(located->second, std::forward<Args>(args)...); });
    }

private:
    // The event families of one kind; unset members are events the kind does not have.
    struct TKindEvents {
        TiPlotObjectEvent* Click = nullptr;
        TiPlotObjectEvent* DblClick = nullptr;
        TiPlotObjectEvent* GotFocus = nullptr;
        TiPlotObjectEvent* LostFocus = nullptr;
        TiPlotPopupMenuEvent* PopupMenu = nullptr;
    };
    TKindEvents EventsOf(TiPlotObjectKind Kind) const;
    // Calls the event of the object's kind that Pick selects, when assigned.
    void Fire(const QObject* Object, TiPlotObjectEvent* TKindEvents::*Pick);

    TiPlotComponent& plot_;
};
