#include "plot/iPlot.h"

#include "plot/channels/iPlotChannel.h"
#include "plot/iPlotMasterManager.h"

TiPlot::TiPlot(QWidget* parent) : TiPlotComponent(parent) {
    BeginUpdate();
    try {
        TiPlotChannel::RegisterWith(*Master());
        AddDefaultObjects();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    EndConstruction();
}

TiPlotChannel* TiPlot::GetChannel(int Index) const {
    return GetTyped<TiPlotChannel>(TiPlotObjectKind::Channel, Index);
}
