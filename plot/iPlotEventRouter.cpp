#include "plot/iPlotEventRouter.h"

#include "plot/iPlotComponent.h"

namespace {

using K = TiPlotObjectKind;

} // namespace

std::optional<std::pair<K, int>> TiPlotEventRouter::Locate(const QObject* Object) const {
    TiPlotMasterManager* master = plot_.Master();
    if (!master || !Object) return std::nullopt;
    const std::optional<K> kind = master->KindOf(Object);
    if (!kind) return std::nullopt;
    const int index = master->GetManager(*kind)->GetIndex(Object);
    if (index < 0) return std::nullopt;
    return std::pair{*kind, index};
}

TiPlotEventRouter::TKindEvents TiPlotEventRouter::EventsOf(K Kind) const {
    TiPlotComponent& plot = plot_;
    switch (Kind) {
    case K::Channel:
        return {&plot.OnClickChannel, &plot.OnDblClickChannel, &plot.OnGotFocusChannel,
                &plot.OnLostFocusChannel, &plot.OnPopupMenuChannel};
    case K::XAxis:
        return {&plot.OnClickXAxis, &plot.OnDblClickXAxis, &plot.OnGotFocusXAxis,
                &plot.OnLostFocusXAxis, &plot.OnPopupMenuXAxis};
    case K::YAxis:
        return {&plot.OnClickYAxis, &plot.OnDblClickYAxis, &plot.OnGotFocusYAxis,
                &plot.OnLostFocusYAxis, &plot.OnPopupMenuYAxis};
    case K::DataCursor:
        return {&plot.OnClickDataCursor, &plot.OnDblClickDataCursor, &plot.OnGotFocusDataCursor,
                &plot.OnLostFocusDataCursor, &plot.OnPopupMenuDataCursor};
    case K::DataView:
        return {&plot.OnClickDataView, &plot.OnDblClickDataView, &plot.OnGotFocusDataView,
                &plot.OnLostFocusDataView, &plot.OnPopupMenuDataView};
    case K::Legend:
        return {&plot.OnClickLegend, &plot.OnDblClickLegend, &plot.OnGotFocusLegend,
                &plot.OnLostFocusLegend, &plot.OnPopupMenuLegend};
    case K::Limit:
        return {&plot.OnClickLimit, &plot.OnDblClickLimit, nullptr, nullptr,
                &plot.OnPopupMenuLimit};
    case K::Annotation:
        return {&plot.OnClickAnnotation, &plot.OnDblClickAnnotation, &plot.OnGotFocusAnnotation,
                &plot.OnLostFocusAnnotation, &plot.OnPopupMenuAnnotation};
    case K::ToolBar:
    case K::Table:
    case K::Label:
        break;
    }
    return {};
}

void TiPlotEventRouter::Fire(const QObject* Object, TiPlotObjectEvent* TKindEvents::*Pick) {
    const auto located = Locate(Object);
    if (!located) return;
    const TiPlotObjectEvent* event = EventsOf(located->first).*Pick;
    if (event && *event) RunGuarded([&] { (*event)(located->second); });
}

void TiPlotEventRouter::Click(const QObject* Object, bool Double) {
    Fire(Object, Double ? &TKindEvents::DblClick : &TKindEvents::Click);
}

void TiPlotEventRouter::GotFocus(const QObject* Object) {
    Fire(Object, &TKindEvents::GotFocus);
}

void TiPlotEventRouter::LostFocus(const QObject* Object) {
    Fire(Object, &TKindEvents::LostFocus);
}

void TiPlotEventRouter::PopupMenu(const QObject* Object, bool& Cancel, int ScreenX, int ScreenY) {
    const auto located = Locate(Object);
    if (!located) return;
    const TiPlotPopupMenuEvent* event = EventsOf(located->first).PopupMenu;
    if (event && *event) RunGuarded([&] { (*event)(located->second, Cancel, ScreenX, ScreenY); });
}
