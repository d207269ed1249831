#include "plot/channels/iPlotChannelAxisLink.h"

#include "plot/channels/iPlotChannelAxis.h"

TiPlotChannelAxisLink::TiPlotChannelAxisLink(TiPlotObject& Owner, TiPlotObjectKind Kind)
    : reference_(Owner, Kind) {}

void TiPlotChannelAxisLink::SetName(const QString& Value) {
    Drop();
    reference_.SetName(Value);
}

void TiPlotChannelAxisLink::NotificationRemove(QObject* Object) {
    Drop();
    reference_.NotificationRemove(Object);
}

void TiPlotChannelAxisLink::NotificationRename(QObject* Object) {
    Drop();
    reference_.NotificationRename(Object);
}

void TiPlotChannelAxisLink::Resolve(TiPlotObject* Object) {
    object_ = Object;
    axis_ = dynamic_cast<TiPlotChannelAxis*>(Object);
}

void TiPlotChannelAxisLink::Drop() {
    object_ = nullptr;
    axis_ = nullptr;
}
