// The full-feature channel list (ipdsFullFeature): every value and every trace, marker and bar
// attribute per point, 136 bytes per point; new points take the list defaults in force.
#pragma once

#include "plot/data/iPlotDataCustomList.h"

#include <cstdint>

// Line, marker, pen and brush styles are stored as one-byte ordinals.
struct TiPlotDataFullPoint {
    double X;
    double Y;
    bool Null;
    bool Empty;
    double High;
    double Low;
    double Open;
    double Close;
    TColor TraceLineColor;
    int32_t TraceLineWidth;
    TiPlotLineStyle TraceLineStyle;
    bool MarkerVisible;
    int32_t MarkerSize;
    TiPlotMarkerStyle MarkerStyle;
    TColor MarkerPenColor;
    int32_t MarkerPenWidth;
    uint8_t MarkerPenStyle;
    TColor MarkerBrushColor;
    uint8_t MarkerBrushStyle;
    char MarkerCharacter;
    bool BarVisible;
    double BarReference;
    double BarWidth;
    TColor BarPenColor;
    int32_t BarPenWidth;
    uint8_t BarPenStyle;
    TColor BarBrushColor;
    uint8_t BarBrushStyle;
};
static_assert(sizeof(TiPlotDataFullPoint) == 136);

class TiPlotDataFullList final : public TiPlotDataCustomList {
    using P = TiPlotDataFullPoint;

    // Defined ahead of the overrides, which need their deduced types.
    template <auto Field> auto Get(int index) const { return PointAt<P>(index).*Field; }
    template <auto Field, class Value> void Set(int index, Value value) {
        PointAt<P>(index).*Field = value;
    }

public:
    TiPlotDataFullList();

    double GetX(int index) const override { return Get<&P::X>(index); }
    double GetY(int index) const override { return Get<&P::Y>(index); }
    bool GetEmpty(int index) const override { return Get<&P::Empty>(index); }
    bool GetNull(int index) const override { return Get<&P::Null>(index); }
    double GetHigh(int index) const override { return Get<&P::High>(index); }
    double GetLow(int index) const override { return Get<&P::Low>(index); }
    double GetOpen(int index) const override { return Get<&P::Open>(index); }
    double GetClose(int index) const override { return Get<&P::Close>(index); }

    void SetX(int index, double value) override { Set<&P::X>(index, value); }
    void SetY(int index, double value) override { Set<&P::Y>(index, value); }
    void SetEmpty(int index, bool value) override { Set<&P::Empty>(index, value); }
    void SetNull(int index, bool value) override { Set<&P::Null>(index, value); }
    void SetHigh(int index, double value) override { Set<&P::High>(index, value); }
    void SetLow(int index, double value) override { Set<&P::Low>(index, value); }
    void SetOpen(int index, double value) override { Set<&P::Open>(index, value); }
    void SetClose(int index, double value) override { Set<&P::Close>(index, value); }

    TColor GetTraceLineColor(int i) const override { return Get<&P::TraceLineColor>(i); }
    int GetTraceLineWidth(int i) const override { return Get<&P::TraceLineWidth>(i); }
    TiPlotLineStyle GetTraceLineStyle(int i) const override { return Get<&P::TraceLineStyle>(i); }
    bool GetMarkerVisible(int i) const override { return Get<&P::MarkerVisible>(i); }
    int GetMarkerSize(int i) const override { return Get<&P::MarkerSize>(i); }
    TiPlotMarkerStyle GetMarkerStyle(int i) const override { return Get<&P::MarkerStyle>(i); }
    TColor GetMarkerPenColor(int i) const override { return Get<&P::MarkerPenColor>(i); }
    int GetMarkerPenWidth(int i) const override { return Get<&P::MarkerPenWidth>(i); }
    TPenStyle GetMarkerPenStyle(int i) const override {
        return TPenStyle(Get<&P::MarkerPenStyle>(i));
    }
    TColor GetMarkerBrushColor(int i) const override { return Get<&P::MarkerBrushColor>(i); }
    TBrushStyle GetMarkerBrushStyle(int i) const override {
        return TBrushStyle(Get<&P::MarkerBrushStyle>(i));
    }
    char GetMarkerCharacter(int i) const override { return Get<&P::MarkerCharacter>(i); }
    bool GetBarVisible(int i) const override { return Get<&P::BarVisible>(i); }
    double GetBarReference(int i) const override { return Get<&P::BarReference>(i); }
    double GetBarWidth(int i) const override { return Get<&P::BarWidth>(i); }
    TColor GetBarPenColor(int i) const override { return Get<&P::BarPenColor>(i); }
    int GetBarPenWidth(int i) const override { return Get<&P::BarPenWidth>(i); }
    TPenStyle GetBarPenStyle(int i) const override { return TPenStyle(Get<&P::BarPenStyle>(i)); }
    TColor GetBarBrushColor(int i) const override { return Get<&P::BarBrushColor>(i); }
    TBrushStyle GetBarBrushStyle(int i) const override {
        return TBrushStyle(Get<&P::BarBrushStyle>(i));
    }

    void SetTraceLineColor(int i, TColor v) override { Set<&P::TraceLineColor>(i, v); }
    void SetTraceLineWidth(int i, int v) override { Set<&P::TraceLineWidth>(i, v); }
    void SetTraceLineStyle(int i, TiPlotLineStyle v) override { Set<&P::TraceLineStyle>(i, v); }
    void SetMarkerVisible(int i, bool v) override { Set<&P::MarkerVisible>(i, v); }
    void SetMarkerSize(int i, int v) override { Set<&P::MarkerSize>(i, v); }
    void SetMarkerStyle(int i, TiPlotMarkerStyle v) override { Set<&P::MarkerStyle>(i, v); }
    void SetMarkerPenColor(int i, TColor v) override { Set<&P::MarkerPenColor>(i, v); }
    void SetMarkerPenWidth(int i, int v) override { Set<&P::MarkerPenWidth>(i, v); }
    void SetMarkerPenStyle(int i, TPenStyle v) override { Set<&P::MarkerPenStyle>(i, uint8_t(v)); }
    void SetMarkerBrushColor(int i, TColor v) override { Set<&P::MarkerBrushColor>(i, v); }
    void SetMarkerBrushStyle(int i, TBrushStyle v) override {
        Set<&P::MarkerBrushStyle>(i, uint8_t(v));
    }
    void SetMarkerCharacter(int i, char v) override { Set<&P::MarkerCharacter>(i, v); }
    void SetBarVisible(int i, bool v) override { Set<&P::BarVisible>(i, v); }
    void SetBarReference(int i, double v) override { Set<&P::BarReference>(i, v); }
    void SetBarWidth(int i, double v) override { Set<&P::BarWidth>(i, v); }
    void SetBarPenColor(int i, TColor v) override { Set<&P::BarPenColor>(i, v); }
    void SetBarPenWidth(int i, int v) override { Set<&P::BarPenWidth>(i, v); }
    void SetBarPenStyle(int i, TPenStyle v) override { Set<&P::BarPenStyle>(i, uint8_t(v)); }
    void SetBarBrushColor(int i, TColor v) override { Set<&P::BarBrushColor>(i, v); }
    void SetBarBrushStyle(int i, TBrushStyle v) override { Set<&P::BarBrushStyle>(i, uint8_t(v)); }

    int Add(double x, double y) override { return Store(NewPoint(x, y), x, y).Slot; }
    // Raises "Delete Size Out Of Range" outside 0 <= count < Count.
    void DeletePoints(int count) override;
    void GetXYEmptyNull(int index, double& x, double& y, bool& empty, bool& null) const override;

    // Calls f(x, y, empty, null) for count points from logical index first, oldest first.
    template <class F> void ForEachPoint(int first, int count, F&& f) const {
        ForEachStored<P>(first, count, Values, f);
    }
    // As ForEachPoint, offering whole blocks without a break to run first (see ForEachStoredRun).
    template <class F, class R, class C>
    void ForEachPointOrRun(int first, int count, F&& f, R&& run, C&& column) const {
        ForEachStoredRun<P>(first, count, Values, f, run, column);
    }

private:
    static constexpr auto Values = [](const P& p, int) {
        return TiPlotPointValues{p.X, p.Y, p.Empty, p.Null};
    };
    P NewPoint(double x, double y) const;
};
