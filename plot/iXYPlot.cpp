#include "plot/iXYPlot.h"

#include "plot/channels/iXYPlotChannel.h"
#include "plot/iPlotMasterManager.h"

TiXYPlot::TiXYPlot(QWidget* parent) : TiPlotComponent(parent) {
    TiXYPlotChannel::RegisterWith(*Master());
    AddDefaultObjects();
    EndConstruction();
}

TiXYPlotChannel* TiXYPlot::GetChannel(int Index) const {
    return GetTyped<TiXYPlotChannel>(TiPlotObjectKind::Channel, Index);
}
