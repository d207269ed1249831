#include "plot/iPlotAxisRange.h"

#include "platform/Exception.h"

#include <algorithm>
#include <cmath>

namespace {

double ClampMin(double value) {
    if (std::isnan(value)) return PlotAxisValueLimit;
    return std::clamp(value, -PlotAxisValueLimit, PlotAxisValueLimit);
}

double ClampSpan(double value) {
    if (std::isnan(value)) return PlotAxisValueLimit;
    return std::clamp(value, PlotAxisSpanMin, PlotAxisValueLimit);
}

template <typename Event, typename... Args> void Fire(const Event& event, Args... args) {
    if (event) event(args...);
}

} // namespace

void TiPlotAxisExtents::Include(double ChannelMin, double ChannelMax) {
    if (ChannelMin < Min) Min = ChannelMin;
    if (ChannelMax > Max) Max = ChannelMax;
}

void TiPlotAxisRange::Changed() {
    Fire(OnChange);
}

template <typename T> void TiPlotAxisRange::Update(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
}

bool TiPlotAxisRange::StoreEnd(double& Field, double Value,
                               const std::function<void(double, double)>& Event) {
    if (Value == Field) return false;
    const double old = Field;
    Field = Value;
    Changed();
    Fire(Event, old, Value);
    return true;
}

bool TiPlotAxisRange::StoreMin(double Value) {
    double value = ClampMin(Value);
    // The log of a non-positive Min would send every later zoom and scroll to the limits.
    if (IsLog() && value <= 0) value = 1;
    return StoreEnd(min_, value, OnMinChange);
}

bool TiPlotAxisRange::StoreSpan(double Value) {
    return StoreEnd(span_, ClampSpan(Value), OnSpanChange);
}

void TiPlotAxisRange::SetMin(double Value) {
    const double old = min_;
    if (StoreMin(Value)) Fire(OnMinSpanChange, old, span_, min_, span_);
}

void TiPlotAxisRange::SetSpan(double Value) {
    const double old = span_;
    if (StoreSpan(Value)) Fire(OnMinSpanChange, min_, old, min_, span_);
}

void TiPlotAxisRange::SetMinSpan(double Min, double Span) {
    const double oldMin = min_;
    const double oldSpan = span_;
    const bool minChanged = StoreMin(Min);
    const bool spanChanged = StoreSpan(Span);
    if (minChanged || spanChanged) Fire(OnMinSpanChange, oldMin, oldSpan, min_, span_);
}

void TiPlotAxisRange::SetReverseScale(bool Value) {
    Update(reverseScale_, Value);
}

void TiPlotAxisRange::SetScaleType(TiPlotScaleType Value) {
    if (Value == scaleType_) return;
    scaleType_ = Value;
    if (IsLog() && min_ <= 0) min_ = 1;
    Changed();
}

void TiPlotAxisRange::SetScrollMinMaxEnabled(bool Value) {
    Update(scrollMinMaxEnabled_, Value);
}

void TiPlotAxisRange::SetScrollMin(double Value) {
    Update(scrollMin_, Value);
}

void TiPlotAxisRange::SetScrollMax(double Value) {
    Update(scrollMax_, Value);
}

double TiPlotAxisRange::PositionToPercent(double Value) const {
    return reverseScale_ ? (Max() - Value) / span_ : (Value - min_) / span_;
}

double TiPlotAxisRange::PercentToPosition(double Fraction) const {
    return reverseScale_ ? Max() - Fraction * span_ : Fraction * span_ + min_;
}

void TiPlotAxisRange::ScrollPercentByReference(double Fraction) {
    if (IsLog()) {
        const double shift = std::pow(10.0, Fraction * (std::log10(Max()) - std::log10(min_)));
        SetMinSpan(min_ * shift, Max() * shift - min_ * shift);
        return;
    }
    double newMin = min_ + Fraction * span_;
    if (scrollMinMaxEnabled_) {
        if (newMin <= scrollMin_)
            newMin = scrollMin_;
        else if (newMin + span_ >= scrollMax_)
            newMin = scrollMax_ - span_;
    }
    SetMinSpan(newMin, span_);
}

void TiPlotAxisRange::ZoomPercentByReference(double Fraction) {
    const double factor = std::pow(10.0, Fraction);
    if (IsLog()) {
        SetMinSpan(min_ * factor, span_ / factor);
        return;
    }
    const double centre = (Max() + min_) / 2;
    const double newSpan = span_ / factor;
    SetMinSpan(centre - newSpan / 2, newSpan);
}

void TiPlotAxisRange::Zoom(double Factor) {
    if (IsLog()) {
        const double factor = std::pow(10.0, Factor);
        SetMinSpan(min_ / factor, span_ * factor);
        return;
    }
    if (!(Factor > 0)) throw Exception("Linear Scale Zoom Factor must be Greater than Zero");
    const double centre = (Max() + min_) / 2;
    const double newSpan = Factor * span_;
    SetMinSpan(centre - newSpan / 2, newSpan);
}

void TiPlotAxisRange::FitToExtents(const TiPlotAxisExtents& Extents) {
    if (Extents.Found() && Extents.Max != Extents.Min)
        SetMinSpan(Extents.Min, Extents.Max - Extents.Min);
}
