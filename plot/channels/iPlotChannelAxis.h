// What a channel asks of the axes it is bound to: the value-to-pixel map, tracking of new
// values and the cursor texts. The plot's axis class provides it; a channel finds its axes
// by name through the master manager and talks to them only through this face.
#pragma once

#include "plot/iPlotAxisMap.h"

#include <QString>

class TiPlotChannelAxis {
public:
    virtual ~TiPlotChannelAxis() = default;

    // The current mapping; read once per drawing pass, so that converting a point costs no
    // virtual call.
    virtual const TiPlotAxisMap& ChannelAxisMap() const = 0;
    virtual double ChannelAxisMin() const = 0;
    virtual double ChannelAxisSpan() const = 0;
    double ChannelAxisMax() const { return ChannelAxisMin() + ChannelAxisSpan(); }
    // A new value of a bound channel: the axis scrolls or rescales by its tracking style.
    virtual void NewTrackingData(double Value) = 0;
    // Not const: the axis offers the text to its label customization hook, which receives the
    // axis itself.
    virtual QString GetCursorText(double Value) = 0;
    virtual QString GetCursorValueText(double Value) const = 0;
    virtual double CursorScaler() const = 0;
};
