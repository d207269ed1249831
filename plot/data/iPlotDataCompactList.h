// The compact channel list (ipdsCompact): X and Y rounded to single precision, 8 bytes per
// point; Null, Empty and per-point attributes are not stored.
#pragma once

#include "plot/data/iPlotDataCustomList.h"

struct TiPlotDataCompactPoint {
    float X;
    float Y;
};
static_assert(sizeof(TiPlotDataCompactPoint) == 8);

class TiPlotDataCompactList final : public TiPlotDataCustomList {
public:
    TiPlotDataCompactList();

    double GetX(int index) const override { return PointAt<TiPlotDataCompactPoint>(index).X; }
    double GetY(int index) const override { return PointAt<TiPlotDataCompactPoint>(index).Y; }
    void SetX(int index, double value) override;
    void SetY(int index, double value) override;

    int Add(double x, double y) override {
        const TiPlotDataCompactPoint point{static_cast<float>(x), static_cast<float>(y)};
        return Store(point, point.X, point.Y).Slot;
    }
    void GetXYEmptyNull(int index, double& x, double& y, bool& empty, bool& null) const override;

    // Calls f(x, y, empty, null) for count points from logical index first, oldest first.
    template <class F> void ForEachPoint(int first, int count, F&& f) const {
        ForEachStored<TiPlotDataCompactPoint>(first, count, Values, f);
    }
    // As ForEachPoint, offering whole blocks without a break to run first (see ForEachStoredRun).
    template <class F, class R, class C>
    void ForEachPointOrRun(int first, int count, F&& f, R&& run, C&& column) const {
        ForEachStoredRun<TiPlotDataCompactPoint>(first, count, Values, f, run, column);
    }

private:
    static constexpr auto Values = [](const TiPlotDataCompactPoint& p, int) {
        return TiPlotPointValues{double(p.X), double(p.Y), false, false};
    };
};
