// The XY plot: the plot control built as the strip chart is, with the XY channel class, for
// data whose X values need not ascend.
#pragma once

#include "plot/iPlotComponent.h"

class TiXYPlotChannel;

class TiXYPlot : public TiPlotComponent {
    Q_OBJECT

public:
    explicit TiXYPlot(QWidget* parent = nullptr);

    // The platform's invalid-cast error for a channel of another class.
    TiXYPlotChannel* GetChannel(int Index) const;
};
