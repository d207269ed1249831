// An axis for channel tests: a value range mapped onto a pixel run, recording the values the
// channel reports for tracking; and a plot holding one X axis, one Y axis and one channel.
#pragma once

#include "../objects/PlotTestKinds.h"
#include "plot/channels/iPlotChannel.h"
#include "plot/channels/iPlotChannelAxis.h"

#include <vector>

class ChannelTestAxis : public TiPlotManagerObject, public TiPlotChannelAxis {
    Q_OBJECT

public:
    ChannelTestAxis(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);

    // Min..Min + Span over the pixels Low..High (left to right, or bottom to top).
    void Set(double Min, double Span, int Low, int High, bool Horizontal);

    const TiPlotAxisMap& ChannelAxisMap() const override { return map_; }
    double ChannelAxisMin() const override { return range_.Min(); }
    double ChannelAxisSpan() const override { return range_.Span(); }
    void NewTrackingData(double Value) override { Tracked.push_back(Value); }
    QString GetCursorText(double Value) override;
    QString GetCursorValueText(double Value) const override;
    double CursorScaler() const override { return 1; }

    std::vector<double> Tracked;

private:
    TiPlotAxisRange range_;
    TiPlotAxisMap map_;
};

// The master tells kinds apart by class.
class ChannelTestXAxis : public ChannelTestAxis {
    Q_OBJECT

public:
    using ChannelTestAxis::ChannelTestAxis;
};

class ChannelTestYAxis : public ChannelTestAxis {
    Q_OBJECT

public:
    using ChannelTestAxis::ChannelTestAxis;
};

// X 0..100 over pixels 0..1000, Y 0..100 over pixels 500 (bottom) .. 0 (top).
class ChannelTestPlot {
public:
    ChannelTestPlot();

    ChannelTestAxis* XAxis() const;
    ChannelTestAxis* YAxis() const;

    TestPlot Plot;
    TiPlotChannel* Channel = nullptr;
};
