#include "plot/iPlotAxisMap.h"

#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

TiPlotAxisRun PlotAxisRunOf(const TRect& ScaleRect, bool Horizontal) {
    if (Horizontal) return {ScaleRect.Left, ScaleRect.Right, true};
    return {ScaleRect.Top, ScaleRect.Bottom, false};
}

TiPlotAxisMap::TiPlotAxisMap(const TiPlotAxisRange& Range, const TiPlotAxisRun& Run)
    : min_(Range.Min()), span_(Range.Span()), log_(Range.IsLog()), reverse_(Range.ReverseScale()),
      run_(Run) {
    start_ = Run.Horizontal ? Run.Low : Run.High;
    stop_ = Run.Horizontal ? Run.High : Run.Low;
    if (reverse_) std::swap(start_, stop_);
    pixelsPerUnit_ = (start_ - stop_) / span_;
    linear_ = !log_ && start_ != stop_ && span_ > PlotAxisSpanMin;
    // A tracking axis builds its map for every point added; a linear one needs no logarithms.
    if (!log_) return;
    const double low = min_ > 0 ? min_ : 1;
    const double span = span_ > 0 ? span_ : 1;
    logMin_ = std::log10(low);
    logDecades_ = std::log10(low + span) - logMin_;
}

double TiPlotAxisMap::Offset(double Value) const {
    if (!log_) return (Value - min_) * pixelsPerUnit_;
    const double value = Value > 0 ? Value : 1;
    return (std::log10(value) - logMin_) * (start_ - stop_) / logDecades_;
}

int TiPlotAxisMap::ScaledPositionToPixels(double Value) const {
    // A log scale too narrow to hold a decade's fraction has no slope either; both place every
    // value at the middle rather than at the control's edge.
    if (start_ == stop_ || span_ <= PlotAxisSpanMin || (log_ && logDecades_ == 0))
        return (start_ + stop_) / 2;
    const double offset = std::clamp(Offset(Value), -OffsetLimit, OffsetLimit);
    return ClampPixel(int64_t(start_) - Round64(offset));
}

int TiPlotAxisMap::WidthToPixels(double Width) const {
    return std::abs(PositionToPixels(min_ + Width) - PositionToPixels(min_));
}

double TiPlotAxisMap::PixelsToPositionDouble(double Pixel) const {
    const double low = run_.Low;
    const double high = run_.High;
    if (low == high) return min_;
    // Horizontal pixels grow with the value, vertical ones against it.
    const bool fromLow = run_.Horizontal != reverse_;
    const double fraction = fromLow ? (Pixel - low) / (high - low) : (high - Pixel) / (high - low);
    if (!log_) return min_ + span_ * fraction;
    return std::pow(10.0, logMin_ + fraction * logDecades_);
}

std::pair<double, double> TiPlotAxisMap::RangeOfRect(const TRect& Rect) const {
    int first = run_.Horizontal ? Rect.Left : Rect.Bottom;
    int second = run_.Horizontal ? Rect.Right : Rect.Top;
    if (reverse_) std::swap(first, second);
    return {PixelsToPosition(first), PixelsToPosition(second)};
}
