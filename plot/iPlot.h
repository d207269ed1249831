// The strip chart: the plot control built with its default objects and the strip-chart
// channel class.
#pragma once

#include "plot/iPlotComponent.h"

class TiPlotChannel;

class TiPlot : public TiPlotComponent {
    Q_OBJECT

public:
    explicit TiPlot(QWidget* parent = nullptr);

    // The platform's invalid-cast error for a channel of another class.
    TiPlotChannel* GetChannel(int Index) const;
};
