#include "plot/iPlotAxisInput.h"

#include "instruments/framework/iControlEvents.h"

int PlotAxisDragDelta(const TPoint& Last, const TPoint& Pointer, bool Horizontal, bool Reverse) {
    const int delta = Horizontal ? Pointer.X - Last.X : Last.Y - Pointer.Y;
    return Reverse ? -delta : delta;
}

std::optional<TiPlotAxisStep> PlotAxisDragStep(int Delta, int SpanLength, TiPlotAxisAction Action,
                                               bool Log) {
    // A scale of no length has no fraction; dividing by it threw the range to its limits.
    if (SpanLength == 0 || Delta == 0) return std::nullopt;
    const double fraction = double(Delta) / SpanLength;
    if (Action == TiPlotAxisAction::Scroll) return TiPlotAxisStep{Action, -fraction};
    return TiPlotAxisStep{Action, Log ? fraction * 2 : fraction / 4};
}

std::optional<TiPlotAxisStep> PlotAxisWheelStep(int WheelDelta, TiPlotAxisAction Action, bool Log) {
    if (WheelDelta == 0) return std::nullopt;
    const double notch = WheelDelta > 0 ? 1 : -1;
    if (Action == TiPlotAxisAction::Zoom && !Log) return TiPlotAxisStep{Action, 0.025 * notch};
    return TiPlotAxisStep{Action, 0.05 * notch};
}

std::optional<TiPlotAxisStep> PlotAxisKeyStep(uint16_t Key, TiPlotAxisAction Action) {
    switch (Key) {
    case VK_PRIOR:
    case VK_END:
        return TiPlotAxisStep{Action, 1};
    case VK_NEXT:
    case VK_HOME:
        return TiPlotAxisStep{Action, -1};
    case VK_UP:
    case VK_RIGHT:
        return TiPlotAxisStep{Action, 0.01};
    case VK_LEFT:
    case VK_DOWN:
        return TiPlotAxisStep{Action, -0.01};
    default:
        return std::nullopt;
    }
}

void ApplyPlotAxisStep(TiPlotAxisRange& Range, const TiPlotAxisStep& Step) {
    if (Step.Action == TiPlotAxisAction::Scroll)
        Range.ScrollPercentByReference(Step.Fraction);
    else
        Range.ZoomPercentByReference(Step.Fraction);
}

void ZoomPlotAxisToRect(TiPlotAxisRange& Range, const TiPlotAxisMap& Map, const TRect& Rect) {
    const auto [first, second] = Map.RangeOfRect(Rect);
    if (second > first) Range.SetMinSpan(first, second - first);
}
