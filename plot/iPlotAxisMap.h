// The mapping of a plot axis between values and pixels along its scale rectangle, linear or
// log10; a reversed scale exchanges the pixel ends. A value built from the range and the
// scale's pixel run, so everything that asks for a pixel reads one rule.
#pragma once

#include "plot/iPlotAxisRange.h"

#include "platform/Geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

// The scale rectangle's extent along the axis: Left..Right of a horizontal axis, Top..Bottom
// of a vertical one.
struct TiPlotAxisRun {
    int Low = 0;
    int High = 0;
    bool Horizontal = true;
    bool operator==(const TiPlotAxisRun&) const = default;
};

// The run of a scale rectangle along the axis.
TiPlotAxisRun PlotAxisRunOf(const TRect& ScaleRect, bool Horizontal);

class TiPlotAxisMap {
public:
    TiPlotAxisMap() = default;
    TiPlotAxisMap(const TiPlotAxisRange& Range, const TiPlotAxisRun& Run);

    // The pixels of Min and of Max: the bottom and top of a vertical scale, the left and right
    // of a horizontal one, exchanged with ReverseScale.
    int StartPixel() const { return start_; }
    int StopPixel() const { return stop_; }
    int GetMinPixels() const { return PositionToPixels(min_); }
    int GetMaxPixels() const { return PositionToPixels(min_ + span_); }
    // High - Low of the run.
    int GetSpanLength() const { return run_.High - run_.Low; }
    double PixelsPerUnit() const { return pixelsPerUnit_; }

    // Within +-MaxPixelExtent, so drawing coordinates never overflow. The middle of the run
    // when it is empty or the span is at its least; a log axis reads a non-positive Min, Span
    // or value as 1.
    int PositionToPixels(double Value) const {
        // Inline for a linear scale with a slope: a trace converts every point it reads.
        if (!linear_) return ScaledPositionToPixels(Value);
        const double offset =
            std::clamp((Value - min_) * pixelsPerUnit_, -OffsetLimit, OffsetLimit);
        if (std::isnan(offset)) return ScaledPositionToPixels(Value);
        // Rounds half to even as the platform's Round does, exactly, within +-2^51.
        const double rounded =
            offset >= 0 ? (offset + 0x1p52) - 0x1p52 : (offset - 0x1p52) + 0x1p52;
        return ClampPixel(int64_t(start_) - int64_t(rounded));
    }
    int WidthToPixels(double Width) const;
    // The value's pixel lies within the run, ends included.
    bool PointOnScale(double Value) const { return PixelOnScale(PositionToPixels(Value)); }
    bool PixelOnScale(int Pixel) const {
        return Pixel >= std::min(run_.Low, run_.High) && Pixel <= std::max(run_.Low, run_.High);
    }
    // Values from A to B map to pixels in their own order; a log scale reads a non-positive
    // value as 1, out of order.
    bool KeepsOrderBetween(double A, double B) const { return !log_ || (A > 0 && B > 0); }
    double PixelsToPosition(int Pixel) const { return PixelsToPositionDouble(Pixel); }
    double PixelsToPositionDouble(double Pixel) const;
    // The values of the two pixel ends of a zoom box along the axis (Left and Right, or
    // Bottom and Top), the first being the new Min.
    std::pair<double, double> RangeOfRect(const TRect& Rect) const;
    // The same pixel for every value.
    bool operator==(const TiPlotAxisMap&) const = default;

private:
    // Far beyond any pixel limit, yet small enough that adding a rectangle coordinate to its
    // rounded value cannot overflow.
    static constexpr double OffsetLimit = 1e9;

    static int ClampPixel(int64_t pixel) {
        return int(std::clamp<int64_t>(pixel, -MaxPixelExtent, MaxPixelExtent));
    }
    // Every scale, every value.
    int ScaledPositionToPixels(double Value) const;
    // The value's offset from the start pixel, unrounded.
    double Offset(double Value) const;

    double min_ = 0;
    double span_ = 100;
    bool log_ = false;
    bool reverse_ = false;
    TiPlotAxisRun run_;
    int start_ = 0;
    int stop_ = 0;
    double pixelsPerUnit_ = 0;
    bool linear_ = false;
    // log10 of the log scale's lower end and its decades.
    double logMin_ = 0;
    double logDecades_ = 0;
};
