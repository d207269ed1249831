// The abstract point list of a plot channel: logical indexing (0 = oldest), capacity growth,
// the ring buffer and the per-point attribute interface, answered from list-wide defaults
// where a concrete list stores less per point.
#pragma once

#include "platform/Brush.h"
#include "platform/Colors.h"
#include "platform/Pen.h"
#include "plot/data/iRecordBlock.h"
#include "plot/iPlotTypes.h"

#include <cstdint>
#include <memory>

// The channel's appearance, kept in its list; lists that store attributes per point copy
// these into every new point.
struct TiPlotDataDefaults {
    TColor TraceLineColor = 0;
    int TraceLineWidth = 0;
    TiPlotLineStyle TraceLineStyle = iplsSolid;
    bool MarkerVisible = false;
    int MarkerSize = 0;
    TiPlotMarkerStyle MarkerStyle = ipmsCircle;
    TColor MarkerPenColor = 0;
    int MarkerPenWidth = 0;
    TPenStyle MarkerPenStyle = psSolid;
    TColor MarkerBrushColor = 0;
    TBrushStyle MarkerBrushStyle = bsSolid;
    char MarkerCharacter = 0;
    bool BarVisible = true;
    double BarReference = 0;
    double BarWidth = 0;
    TColor BarPenColor = 0;
    int BarPenWidth = 0;
    TPenStyle BarPenStyle = psSolid;
    TColor BarBrushColor = 0;
    TBrushStyle BarBrushStyle = bsSolid;
};

class TiPlotDataCustomList {
public:
    virtual ~TiPlotDataCustomList() = default;
    TiPlotDataCustomList(const TiPlotDataCustomList&) = delete;
    TiPlotDataCustomList& operator=(const TiPlotDataCustomList&) = delete;

    // An empty, growing list of the class that the style selects.
    static std::unique_ptr<TiPlotDataCustomList> Create(TiPlotDataStyle style);

    virtual double GetX(int index) const = 0;
    virtual double GetY(int index) const = 0;
    virtual bool GetEmpty(int index) const;
    virtual bool GetNull(int index) const;
    virtual double GetHigh(int index) const;
    virtual double GetLow(int index) const;
    virtual double GetOpen(int index) const;
    virtual double GetClose(int index) const;

    virtual void SetX(int index, double value) = 0;
    virtual void SetY(int index, double value) = 0;
    virtual void SetEmpty(int index, bool value);
    virtual void SetNull(int index, bool value);
    virtual void SetHigh(int index, double value);
    virtual void SetLow(int index, double value);
    virtual void SetOpen(int index, double value);
    virtual void SetClose(int index, double value);

    virtual TColor GetTraceLineColor(int index) const;
    virtual int GetTraceLineWidth(int index) const;
    virtual TiPlotLineStyle GetTraceLineStyle(int index) const;
    virtual bool GetMarkerVisible(int index) const;
    virtual int GetMarkerSize(int index) const;
    virtual TiPlotMarkerStyle GetMarkerStyle(int index) const;
    virtual TColor GetMarkerPenColor(int index) const;
    virtual int GetMarkerPenWidth(int index) const;
    virtual TPenStyle GetMarkerPenStyle(int index) const;
    virtual TColor GetMarkerBrushColor(int index) const;
    virtual TBrushStyle GetMarkerBrushStyle(int index) const;
    virtual char GetMarkerCharacter(int index) const;
    virtual bool GetBarVisible(int index) const;
    virtual double GetBarReference(int index) const;
    virtual double GetBarWidth(int index) const;
    virtual TColor GetBarPenColor(int index) const;
    virtual int GetBarPenWidth(int index) const;
    virtual TPenStyle GetBarPenStyle(int index) const;
    virtual TColor GetBarBrushColor(int index) const;
    virtual TBrushStyle GetBarBrushStyle(int index) const;

    virtual void SetTraceLineColor(int index, TColor value);
    virtual void SetTraceLineWidth(int index, int value);
    virtual void SetTraceLineStyle(int index, TiPlotLineStyle value);
    virtual void SetMarkerVisible(int index, bool value);
    virtual void SetMarkerSize(int index, int value);
    virtual void SetMarkerStyle(int index, TiPlotMarkerStyle value);
    virtual void SetMarkerPenColor(int index, TColor value);
    virtual void SetMarkerPenWidth(int index, int value);
    virtual void SetMarkerPenStyle(int index, TPenStyle value);
    virtual void SetMarkerBrushColor(int index, TColor value);
    virtual void SetMarkerBrushStyle(int index, TBrushStyle value);
    virtual void SetMarkerCharacter(int index, char value);
    virtual void SetBarVisible(int index, bool value);
    virtual void SetBarReference(int index, double value);
    virtual void SetBarWidth(int index, double value);
    virtual void SetBarPenColor(int index, TColor value);
    virtual void SetBarPenWidth(int index, int value);
    virtual void SetBarPenStyle(int index, TPenStyle value);
    virtual void SetBarBrushColor(int index, TColor value);
    virtual void SetBarBrushStyle(int index, TBrushStyle value);

    // Releases the point storage: no points, no slots.
    void FreeMemory() { block_.Release(); }
    // Appends a point; returns the storage slot written, which differs from the new point's
    // logical index only when a full ring overwrites its oldest point.
    virtual int Add(double x, double y) = 0;
    // A ring keeps its slots; a growing list releases them.
    virtual void Clear();
    // Raises "Exceed Maximum List Size" beyond MaxDataPoints (and below 0); a smaller
    // capacity cuts the newest points.
    void SetCapacity(int capacity) { block_.SetCapacity(capacity); }
    // Removes the count oldest points; 0 <= count < Count.
    virtual void DeletePoints(int count);
    virtual void GetXYEmptyNull(int index, double& x, double& y, bool& empty, bool& null) const = 0;

    int GetActualIndex(int index) const { return block_.ActualIndex(index); }
    void Grow() { block_.Grow(); }
    int GetRingBufferSize() const { return RingActive() ? Capacity() : 0; }
    void SetRingBufferSize(int size);
    int GetMemoryUsed() const { return DataPointSize() * Capacity(); }

    int Count() const { return block_.Count(); }
    int Capacity() const { return block_.Capacity(); }
    int RingStart() const { return block_.RingStart(); }
    bool RingActive() const { return block_.RingActive(); }
    int DataPointSize() const { return block_.RecordSize(); }
    int MaxDataPoints() const { return block_.MaxRecords(); }
    TiPlotDataDefaults& Defaults() { return defaults_; }
    const TiPlotDataDefaults& Defaults() const { return defaults_; }

protected:
    TiPlotDataCustomList() = default;
    // Also sets MaxDataPoints; discards any points held.
    void SetDataPointSize(int size) { block_.SetRecordSize(size); }
    // Removes the count oldest points when 0 <= count <= allowedMaximum, else raises message.
    void DeleteOldest(int count, int allowedMaximum, const char* message);

    template <class Point> Point& PointAt(int index) {
        return block_.At<Point>(block_.ActualIndex(index));
    }
    template <class Point> const Point& PointAt(int index) const {
        return block_.At<Point>(block_.ActualIndex(index));
    }
    // The fast path of Add: claims the slot (growing or overwriting) and stores the point.
    template <class Point> TiRecordSlot Store(const Point& point) {
        const TiRecordSlot slot = block_.NextSlot();
        block_.At<Point>(slot.Slot) = point;
        return slot;
    }
    template <class Point, class F> void ForEachStored(int first, int count, F&& f) const {
        block_.ForEach<Point>(first, count, std::forward<F>(f));
    }

private:
    TiRecordBlock block_{1};
    TiPlotDataDefaults defaults_;
};
