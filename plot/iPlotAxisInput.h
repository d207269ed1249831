// The user's scroll and zoom of a plot axis: drags, wheel notches and keys become one step,
// applied to the range in one place.
#pragma once

#include "plot/iPlotAxisMap.h"
#include "plot/iPlotAxisRange.h"

#include "platform/Geometry.h"

#include <cstdint>
#include <optional>

enum class TiPlotAxisAction { Scroll, Zoom };

// A fraction of the range: scrolled by, or zoomed in by 10^Fraction.
struct TiPlotAxisStep {
    TiPlotAxisAction Action = TiPlotAxisAction::Scroll;
    double Fraction = 0;
    friend bool operator==(const TiPlotAxisStep&, const TiPlotAxisStep&) = default;
};

// The pointer's move along the axis in the direction its values grow.
int PlotAxisDragDelta(const TPoint& Last, const TPoint& Pointer, bool Horizontal, bool Reverse);
// A drag by Delta pixels over a scale SpanLength long; none over a scale of no length.
std::optional<TiPlotAxisStep> PlotAxisDragStep(int Delta, int SpanLength, TiPlotAxisAction Action,
                                               bool Log);
// One step per notch whatever the delta's size; none for 0.
std::optional<TiPlotAxisStep> PlotAxisWheelStep(int WheelDelta, TiPlotAxisAction Action, bool Log);
// Page Up and End a whole range on, Page Down and Home one back, Up and Right one hundredth
// on, Left and Down one back; other keys none.
std::optional<TiPlotAxisStep> PlotAxisKeyStep(uint16_t Key, TiPlotAxisAction Action);

void ApplyPlotAxisStep(TiPlotAxisRange& Range, const TiPlotAxisStep& Step);

// The data view's zoom box: the values at its ends along the axis become the range. A box
// with no extent along the axis changes nothing, where it used to shrink the span to nothing.
void ZoomPlotAxisToRect(TiPlotAxisRange& Range, const TiPlotAxisMap& Map, const TRect& Rect);
