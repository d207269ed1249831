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
        return Store(TiPlotDataCompactPoint{static_cast<float>(x), static_cast<float>(y)}).Slot;
    }
    void GetXYEmptyNull(int index, double& x, double& y, bool& empty, bool& null) const override;

    // Calls f(x, y, empty, null) for count points from logical index first, oldest first.
    template <class F> void ForEachPoint(int first, int count, F&& f) const {
        ForEachStored<TiPlotDataCompactPoint>(first, count,
                                              [&](const TiPlotDataCompactPoint& p, int) {
                                                  f(double(p.X), double(p.Y), false, false);
                                              });
    }
};
