#include "ChannelTestAxis.h"

ChannelTestAxis::ChannelTestAxis(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
    : TiPlotManagerObject(Owner, Hooks) {
    Set(0, 100, 0, 1000, true);
}

void ChannelTestAxis::Set(double Min, double Span, int Low, int High, bool Horizontal) {
    range_.SetMinSpan(Min, Span);
    map_ = TiPlotAxisMap(range_, {Low, High, Horizontal});
}

QString ChannelTestAxis::GetCursorText(double Value) {
    return QStringLiteral("c%1").arg(Value);
}

QString ChannelTestAxis::GetCursorValueText(double Value) const {
    return QStringLiteral("v%1").arg(Value);
}

ChannelTestPlot::ChannelTestPlot() {
    TiPlotMasterManager& master = *Plot.Master;
    master.RegisterObjectClass(TiPlotObjectKind::XAxis, PlotObjectClassOf<ChannelTestXAxis>());
    master.RegisterObjectClass(TiPlotObjectKind::YAxis, PlotObjectClassOf<ChannelTestYAxis>());
    TiPlotChannel::RegisterWith(master);
    master.Add(TiPlotObjectKind::XAxis);
    master.Add(TiPlotObjectKind::YAxis);
    YAxis()->Set(0, 100, 0, 500, false);
    Channel = qobject_cast<TiPlotChannel*>(
        master.Get(TiPlotObjectKind::Channel, master.Add(TiPlotObjectKind::Channel)));
}

ChannelTestAxis* ChannelTestPlot::XAxis() const {
    return qobject_cast<ChannelTestAxis*>(Plot.Master->Get(TiPlotObjectKind::XAxis, 0));
}

ChannelTestAxis* ChannelTestPlot::YAxis() const {
    return qobject_cast<ChannelTestAxis*>(Plot.Master->Get(TiPlotObjectKind::YAxis, 0));
}
