// The value range of a plot axis (Min to Min + Span, linear or log10, possibly reversed) with
// its clamps, change events and the scroll, zoom and fit arithmetic. It knows nothing of pixels;
// the axis owns one and publishes its settings.
#pragma once

#include "plot/iPlotTypes.h"

#include <functional>

// Every range end lies within these, so Max and any difference of two ends stay finite.
constexpr double PlotAxisSpanMin = 1e-300;
constexpr double PlotAxisValueLimit = 1e300;

// The largest visible maximum and the smallest visible minimum of the channels bound to an
// axis; a channel with nothing to show reports -1e300 and 1e300, which are never found.
struct TiPlotAxisExtents {
    double Min = PlotAxisValueLimit;
    double Max = -PlotAxisValueLimit;

    // A NaN end is ignored.
    void Include(double ChannelMin, double ChannelMax);
    bool Found() const { return Max > -1e299 && Min < 1e299; }
};

class TiPlotAxisRange {
public:
    double Min() const { return min_; }
    // Within -1e300..1e300 (NaN becomes 1e300); on a log axis a value <= 0 becomes 1.
    void SetMin(double Value);
    double Span() const { return span_; }
    // Within 1e-300..1e300 (NaN becomes 1e300).
    void SetSpan(double Value);
    double Max() const { return min_ + span_; }
    // One combined event with the old and new pairs, after the events of each end.
    void SetMinSpan(double Min, double Span);
    bool ReverseScale() const { return reverseScale_; }
    void SetReverseScale(bool Value);
    TiPlotScaleType ScaleType() const { return scaleType_; }
    // Turning to log10 with Min <= 0 sets Min to 1 without a Min event.
    void SetScaleType(TiPlotScaleType Value);
    bool IsLog() const { return scaleType_ == ipstLog10; }
    bool ScrollMinMaxEnabled() const { return scrollMinMaxEnabled_; }
    void SetScrollMinMaxEnabled(bool Value);
    double ScrollMin() const { return scrollMin_; }
    void SetScrollMin(double Value);
    double ScrollMax() const { return scrollMax_; }
    void SetScrollMax(double Value);

    // (Value - Min) / Span, measured from Max with ReverseScale.
    double PositionToPercent(double Value) const;
    double PercentToPosition(double Fraction) const;

    // Moves the range by Fraction of itself (log: of its decades); linear scrolling keeps
    // within ScrollMin..ScrollMax when enabled.
    void ScrollPercentByReference(double Fraction);
    // Positive fractions zoom in: the span shrinks by 10^Fraction around the centre (log: Min
    // grows by 10^Fraction).
    void ZoomPercentByReference(double Fraction);
    // Linear: the span times Factor around the centre, raising "Linear Scale Zoom Factor must
    // be Greater than Zero" for Factor <= 0. Log: Factor decades out (negative: in).
    void Zoom(double Factor);
    // The range becomes the extents when they were found and differ.
    void FitToExtents(const TiPlotAxisExtents& Extents);

    // Any change of a setting.
    std::function<void()> OnChange;
    std::function<void(double OldMin, double NewMin)> OnMinChange;
    std::function<void(double OldSpan, double NewSpan)> OnSpanChange;
    std::function<void(double OldMin, double OldSpan, double NewMin, double NewSpan)>
        OnMinSpanChange;

private:
    // Store the clamped ends; each answers whether its value changed.
    bool StoreMin(double Value);
    bool StoreSpan(double Value);
    bool StoreEnd(double& Field, double Value, const std::function<void(double, double)>& Event);
    void Changed();
    template <typename T> void Update(T& Field, T Value);

    double min_ = 0;
    double span_ = 100;
    bool reverseScale_ = false;
    TiPlotScaleType scaleType_ = ipstLinear;
    bool scrollMinMaxEnabled_ = false;
    double scrollMin_ = 0;
    double scrollMax_ = 100;
};
