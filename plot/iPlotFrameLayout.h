// The plot's frame layout as a value: the data view, every layout object's rectangles and per
// axis its scale, ticks, label texts and hit rectangle, for one canvas kind and change count.
#pragma once

#include "plot/iPlotHost.h"
#include "plot/iPlotLayoutObject.h"

#include <QPointer>
#include <cstdint>
#include <optional>
#include <typeinfo>
#include <vector>

class TCanvas;

struct TiPlotObjectLayout {
    // An object removed since the layout is skipped when the layout is put back.
    QPointer<TiPlotLayoutObject> Object;
    TRect DrawRect;
    TRect LayoutRect;
    bool StartStacked = false;
    bool StopStacked = false;
    std::optional<TiPlotAxisLayout> Axis;
};

struct TiPlotFrameLayout {
    // What the layout was computed for: its measures, the master's change count after it, and
    // the kind of canvas it measured on (fonts measure differently on each kind).
    TiPlotLayoutFrame Frame;
    uint64_t ChangeCount = 0;
    const std::type_info* CanvasKind = nullptr;
    // Counts the layouts made; a layout kept from paint to paint keeps its serial.
    uint64_t Serial = 0;
    // Passes of the band placement (1 or 2).
    int Passes = 0;
    TRect DataView;
    std::vector<TiPlotObjectLayout> Objects;

    // Whether nothing the layout depends on has changed since.
    bool CurrentFor(const TiPlotLayoutFrame& Frame, uint64_t ChangeCount) const;
    bool MeasuredOn(const TCanvas& Canvas) const;
};
