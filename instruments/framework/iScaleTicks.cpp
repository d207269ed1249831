#include "instruments/framework/iScaleTicks.h"

#include "platform/NumberText.h"

#include <algorithm>

namespace {

// Each direction stops where the range ends, where a step no longer moves the value (a step
// lost in the value's precision would otherwise repeat the same tick for ever) and at the cap.
template <typename Within>
void AppendMinorTicks(std::vector<double>& values, double from, double step, Within within) {
    double value = from;
    for (int count = 0; count < MaxMinorTicksBeyond && within(value); ++count) {
        values.push_back(value);
        const double next = value + step;
        if (next == value) return;
        value = next;
    }
}

} // namespace

QString TickLabelText(double Value, int DecimalPoints) {
    return FormatFixed(Value, DecimalPoints).trimmed();
}

std::vector<double> MinorTicksBeyondRange(double TickStart, double TickStop, double MinorStep,
                                          double PositionMin, double PositionMax) {
    std::vector<double> values;
    // A negative or NaN step would never leave the range it is meant to walk out of.
    if (!(MinorStep > 0)) return values;
    AppendMinorTicks(values, TickStop + MinorStep, MinorStep,
                     [PositionMax](double value) { return value <= PositionMax; });
    AppendMinorTicks(values, TickStart - MinorStep, -MinorStep,
                     [PositionMin](double value) { return value >= PositionMin; });
    return values;
}

TiScaleTicks TiScaleTicks::Compute(const TiScaleTickRequest& Request) {
    TiScaleTicks ticks;
    const int majorCount = std::clamp(Request.MajorCount, 2, MaxTickMajorCount);
    ticks.minorPerGap_ = std::clamp(Request.MinorCount, 1, 100);
    ticks.low_ = Request.FixedTicks ? Request.FixedTickStart : Request.PositionMin;
    ticks.high_ = Request.FixedTicks ? Request.FixedTickStop : Request.PositionMax;
    ticks.majorStep_ = (ticks.high_ - ticks.low_) / (majorCount - 1);
    ticks.minorStep_ = ticks.majorStep_ / (ticks.minorPerGap_ + 1);
    ticks.major_.reserve(majorCount);
    ticks.minorInside_.reserve(size_t(majorCount - 1) * ticks.minorPerGap_);
    for (int i = 0; i < majorCount; ++i) {
        const double value = ticks.low_ + i * ticks.majorStep_;
        QString text = TickLabelText(value, Request.DecimalPoints);
        if (Request.CustomizeLabel) Request.CustomizeLabel(Request.Sender, i, text);
        ticks.major_.push_back({value, std::move(text)});
        if (i == majorCount - 1) break;
        for (int k = 1; k <= ticks.minorPerGap_; ++k)
            ticks.minorInside_.push_back(value + k * ticks.minorStep_);
    }
    if (Request.FixedTicks && ticks.minorStep_ != 0)
        ticks.minorBeyond_ = MinorTicksBeyondRange(ticks.low_, ticks.high_, ticks.minorStep_,
                                                   Request.PositionMin, Request.PositionMax);
    return ticks;
}

std::span<const double> TiScaleTicks::MinorAfter(int Index) const {
    if (Index < 0 || Index + 1 >= int(major_.size())) return {};
    return std::span<const double>(minorInside_)
        .subspan(size_t(Index) * minorPerGap_, size_t(minorPerGap_));
}
