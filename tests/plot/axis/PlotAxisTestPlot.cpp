#include "PlotAxisTestPlot.h"

TestAxisPlot::TestAxisPlot() : Master(std::make_unique<TiPlotMasterManager>(&Host)) {
    Host.SetMasterManager(Master.get());
    Master->SetChannelClass(
        {&TestExtentChannel::staticMetaObject,
         [](TiPlotHost* owner, const TiPlotObjectHooks& hooks) -> TiPlotObject* {
             return new TestExtentChannel(owner, hooks);
         },
         nullptr});
}

TestAxisPlot::~TestAxisPlot() {
    Host.SetMasterManager(nullptr);
}

TiPlotAxis* TestAxisPlot::X(int index) const {
    return qobject_cast<TiPlotAxis*>(Master->Get(TiPlotObjectKind::XAxis, index));
}

TiPlotAxis* TestAxisPlot::Y(int index) const {
    return qobject_cast<TiPlotAxis*>(Master->Get(TiPlotObjectKind::YAxis, index));
}

TestExtentChannel* TestAxisPlot::Channel(int index) const {
    return qobject_cast<TestExtentChannel*>(Master->Get(TiPlotObjectKind::Channel, index));
}
