// The interval channel list (ipdsCompactInterval): Y in single precision, 4 bytes per point;
// the X of logical index i is i * XInterval + XStart, learnt from the first two points.
#pragma once

#include "plot/data/iPlotDataCustomList.h"

#include <cstdint>

struct TiPlotDataIntervalPoint {
    float Y;
    // Read by the block walk, which then takes X from the index rather than the summaries.
    static constexpr bool XFromIndex = true;
};
static_assert(sizeof(TiPlotDataIntervalPoint) == 4);

class TiPlotDataCompactIntervalList final : public TiPlotDataCustomList {
public:
    TiPlotDataCompactIntervalList();

    // Computed from the index alone, so no bounds check.
    double GetX(int index) const override { return index * xInterval_ + xStart_; }
    double GetY(int index) const override { return PointAt<TiPlotDataIntervalPoint>(index).Y; }
    // Raises "Data Style does not support setting X-Value".
    void SetX(int index, double value) override;
    void SetY(int index, double value) override;

    int Add(double x, double y) override {
        const int oldCount = Count();
        const TiPlotDataIntervalPoint point{static_cast<float>(y)};
        // X follows from the index, so it never turns back within a block: a constant is
        // summarized in its place.
        const TiRecordSlot slot = Store(point, 0.0, point.Y);
        if (oldCount == 0) {
            xOrigin_ = x;
            dropped_ = 0;
            xStart_ = x;
        } else if (oldCount == 1 && xInterval_ == UnknownInterval) {
            xInterval_ = x - xStart_;
        }
        if (slot.Overwritten) Drop(1);
        return slot.Slot;
    }
    // Also forgets the interval; XStart stays until the next first point replaces it.
    void Clear() override;
    // Unlike the other lists, 0 <= count <= Count: this list can be emptied so.
    void DeletePoints(int count) override;
    void GetXYEmptyNull(int index, double& x, double& y, bool& empty, bool& null) const override;

    double XInterval() const { return xInterval_; }
    double XStart() const { return xStart_; }

private:
    // Defined before the templates that call it, as clang requires of a deduced return type.
    auto Values() const {
        return [this](const TiPlotDataIntervalPoint& p, int index) {
            return TiPlotPointValues{index * xInterval_ + xStart_, double(p.Y), false, false};
        };
    }

public:
    // Calls f(x, y, empty, null) for count points from logical index first, oldest first.
    template <class F> void ForEachPoint(int first, int count, F&& f) const;
    // As ForEachPoint, offering whole blocks without a break to run first (see ForEachStoredRun).
    template <class F, class R, class C>
    void ForEachPointOrRun(int first, int count, F&& f, R&& run, C&& column) const;

private:
    static constexpr double UnknownInterval = -1.0;

    // Points leaving the front move XStart on by their intervals, so every remaining point
    // keeps its X; counted from the first X so that long rings do not accumulate rounding.
    void Drop(int count) {
        dropped_ += count;
        xStart_ = xOrigin_ + static_cast<double>(dropped_) * xInterval_;
    }

    double xInterval_ = UnknownInterval;
    double xStart_ = 0;
    double xOrigin_ = 0;
    int64_t dropped_ = 0;
};

// Defined after the class, where the deduced type of Values is known to every compiler.
template <class F>
void TiPlotDataCompactIntervalList::ForEachPoint(int first, int count, F&& f) const {
    ForEachStored<TiPlotDataIntervalPoint>(first, count, Values(), f);
}

template <class F, class R, class C>
void TiPlotDataCompactIntervalList::ForEachPointOrRun(int first, int count, F&& f, R&& run,
                                                      C&& column) const {
    ForEachStoredRun<TiPlotDataIntervalPoint>(first, count, Values(), f, run, column);
}
