// The standard channel list (ipdsStandard): X and Y as doubles and a flag word per point
// holding Null, Empty, marker visibility and marker style; 24 bytes per point.
#pragma once

#include "plot/data/iPlotDataCustomList.h"

#include <cstdint>

struct TiPlotDataNullPoint {
    double X;
    double Y;
    // Bit 0 Null, bit 1 Empty, bit 2 MarkerVisible, bits 3 to 6 the marker style ordinal.
    uint16_t PointFlags;
};
static_assert(sizeof(TiPlotDataNullPoint) == 24);

class TiPlotDataNullList final : public TiPlotDataCustomList {
public:
    TiPlotDataNullList();

    double GetX(int index) const override { return PointAt<TiPlotDataNullPoint>(index).X; }
    double GetY(int index) const override { return PointAt<TiPlotDataNullPoint>(index).Y; }
    bool GetEmpty(int index) const override;
    bool GetNull(int index) const override;
    void SetX(int index, double value) override { PointAt<TiPlotDataNullPoint>(index).X = value; }
    void SetY(int index, double value) override { PointAt<TiPlotDataNullPoint>(index).Y = value; }
    void SetEmpty(int index, bool value) override;
    void SetNull(int index, bool value) override;
    bool GetMarkerVisible(int index) const override;
    TiPlotMarkerStyle GetMarkerStyle(int index) const override;
    void SetMarkerVisible(int index, bool value) override;
    void SetMarkerStyle(int index, TiPlotMarkerStyle value) override;

    int Add(double x, double y) override {
        return Store(TiPlotDataNullPoint{x, y, NewPointFlags()}, x, y).Slot;
    }
    void GetXYEmptyNull(int index, double& x, double& y, bool& empty, bool& null) const override;

    // Calls f(x, y, empty, null) for count points from logical index first, oldest first.
    template <class F> void ForEachPoint(int first, int count, F&& f) const {
        ForEachStored<TiPlotDataNullPoint>(first, count, Values, f);
    }
    // As ForEachPoint, offering whole blocks without a break to run first (see ForEachStoredRun).
    template <class F, class R, class C>
    void ForEachPointOrRun(int first, int count, F&& f, R&& run, C&& column) const {
        ForEachStoredRun<TiPlotDataNullPoint>(first, count, Values, f, run, column);
    }

private:
    static constexpr uint16_t NullFlag = 1;
    static constexpr uint16_t EmptyFlag = 2;
    static constexpr uint16_t MarkerVisibleFlag = 4;
    static constexpr int MarkerStyleShift = 3;
    static constexpr uint16_t MarkerStyleFlags = 0xF << MarkerStyleShift;

    static constexpr auto Values = [](const TiPlotDataNullPoint& p, int) {
        return TiPlotPointValues{p.X, p.Y, (p.PointFlags & EmptyFlag) != 0,
                                 (p.PointFlags & NullFlag) != 0};
    };
    uint16_t NewPointFlags() const {
        return static_cast<uint16_t>((Defaults().MarkerVisible ? MarkerVisibleFlag : 0) |
                                     ((Defaults().MarkerStyle & 0xF) << MarkerStyleShift));
    }
    void SetFlags(int index, uint16_t flags, uint16_t value);
};
