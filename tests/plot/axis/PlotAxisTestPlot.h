// A plot with the real X and Y axes and a channel that reports fixed extents, for the tests
// of the axis objects.
#pragma once

#include "../objects/PlotTestHost.h"
#include "platform/RecordingCanvas.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotMasterManager.h"

#include <memory>

// Bound by name to one X and one Y axis; its extents are whatever the test sets.
class TestExtentChannel : public TiPlotManagerObject, public TiPlotAxisExtentSource {
    Q_OBJECT

public:
    TestExtentChannel(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
        : TiPlotManagerObject(Owner, Hooks) {}

    QString BoundAxisName(TiPlotObjectKind AxisKind) const override {
        return AxisKind == TiPlotObjectKind::XAxis ? XAxisName : YAxisName;
    }
    TiPlotAxisExtents VisibleExtents(TiPlotObjectKind AxisKind) const override {
        ++ExtentQueries;
        return AxisKind == TiPlotObjectKind::XAxis ? XExtents : YExtents;
    }

    QString XAxisName = QStringLiteral("X-Axis 1");
    QString YAxisName = QStringLiteral("Y-Axis 1");
    TiPlotAxisExtents XExtents;
    TiPlotAxisExtents YExtents;
    mutable int ExtentQueries = 0;
};

class TestAxisPlot {
public:
    TestAxisPlot();
    ~TestAxisPlot();

    TiPlotAxis* X(int index = 0) const;
    TiPlotAxis* Y(int index = 0) const;
    TestExtentChannel* Channel(int index = 0) const;
    int AddX() { return Master->Add(TiPlotObjectKind::XAxis); }
    int AddY() { return Master->Add(TiPlotObjectKind::YAxis); }
    int AddChannel() { return Master->Add(TiPlotObjectKind::Channel); }

    TestPlotHost Host;
    std::unique_ptr<TiPlotMasterManager> Master;
    TRecordingCanvas Canvas;
};
