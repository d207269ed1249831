// The abstract point list of a plot channel: logical indexing (0 = oldest), capacity growth,
// the ring buffer and the per-point attribute interface, answered from list-wide defaults
// where a concrete list stores less per point.
#pragma once

#include "platform/Brush.h"
#include "platform/Colors.h"
#include "platform/Pen.h"
#include "plot/data/iPlotDataBlockSummary.h"
#include "plot/data/iRecordBlock.h"
#include "plot/iPlotTypes.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <type_traits>

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
    void FreeMemory();
    // Appends a point; returns the storage slot written, which differs from the new point's
    // logical index only when a full ring overwrites its oldest point.
    virtual int Add(double x, double y) = 0;
    // A ring keeps its slots; a growing list releases them.
    virtual void Clear();
    // Raises "Exceed Maximum List Size" beyond MaxDataPoints (and below 0); a smaller
    // capacity cuts the newest points.
    void SetCapacity(int capacity);
    // Removes the count oldest points; 0 <= count < Count.
    virtual void DeletePoints(int count);
    virtual void GetXYEmptyNull(int index, double& x, double& y, bool& empty, bool& null) const = 0;

    int GetActualIndex(int index) const { return block_.ActualIndex(index); }
    void Grow();
    int GetRingBufferSize() const { return RingActive() ? Capacity() : 0; }
    void SetRingBufferSize(int size);
    int GetMemoryUsed() const { return DataPointSize() * Capacity(); }
    // The block summaries' share, on top of GetMemoryUsed.
    std::size_t SummaryMemoryUsed() const;

    int Count() const { return block_.Count(); }
    int Capacity() const { return block_.Capacity(); }
    int RingStart() const { return block_.RingStart(); }
    bool RingActive() const { return block_.RingActive(); }
    int DataPointSize() const { return block_.RecordSize(); }
    int MaxDataPoints() const { return block_.MaxRecords(); }
    TiPlotDataDefaults& Defaults() { return defaults_; }
    const TiPlotDataDefaults& Defaults() const { return defaults_; }
    // Tells lists apart, even one made where another was freed.
    uint64_t Identity() const { return identity_; }
    // Moves on whenever a point held may read otherwise or take another logical index, but
    // not when points are appended: what a reader drew from the points up to some index
    // stays true while Identity and Revision stay.
    uint64_t Revision() const { return revision_; }

protected:
    TiPlotDataCustomList() = default;
    // Also sets MaxDataPoints; discards any points held.
    void SetDataPointSize(int size);
    // Removes the count oldest points when 0 <= count <= allowedMaximum, else raises message.
    void DeleteOldest(int count, int allowedMaximum, const char* message);

    // A point handed out for writing no longer matches its block's summary.
    template <class Point> Point& PointAt(int index) {
        const int slot = block_.ActualIndex(index);
        ++revision_;
        for (TiPlotDataBlockSummary& summary : summaries_)
            summary.Invalidate(slot);
        return block_.At<Point>(slot);
    }
    template <class Point> const Point& PointAt(int index) const {
        return block_.At<Point>(block_.ActualIndex(index));
    }
    // The fast path of Add: claims the slot (growing or overwriting), stores the point and
    // summarizes its X and Y as stored.
    template <class Point> TiRecordSlot Store(const Point& point, double x, double y) {
        const TiRecordSlot slot = block_.NextSlot();
        block_.At<Point>(slot.Slot) = point;
        // Every point of a ring moves one index on.
        if (slot.Overwritten) ++revision_;
        if (Capacity() != summarizedCapacity_) FitSummaries(false);
        for (TiPlotDataBlockSummary& summary : summaries_)
            summary.Include(slot.Slot, x, y);
        return slot;
    }
    // Calls f(x, y, empty, null) for count points from logical index first, oldest first;
    // values(point, logicalIndex) reads a point as TiPlotPointValues.
    template <class Point, class V, class F>
    void ForEachStored(int first, int count, const V& values, F&& f) const {
        block_.ForEach<Point>(first, count, [&](const Point& p, int index) {
            const TiPlotPointValues v = values(p, index);
            f(v.X, v.Y, v.Empty, v.Null);
        });
    }
    // As ForEachStored, except that each whole summarized block without a break, X never
    // turning back, is first offered to run(TiPlotPointRun), which answers whether it took the
    // block in place of its points. column(x) names the pixel column of an X: a smallest block
    // that run declines is split at the column boundaries found by binary search on X, and
    // its parts are offered in turn, so that a boundary costs a few reads instead of a walk
    // over every point of its block.
    template <class Point, class V, class F, class R, class C>
    void ForEachStoredRun(int first, int count, const V& values, F&& f, R&& run, C&& column) const {
        const TiPlotRunWalk<Point, V, std::remove_reference_t<F>, std::remove_reference_t<R>,
                            std::remove_reference_t<C>>
            walk{values, f, run, column};
        block_.ForEachPiece(first, count, [&](int begin, int end, int index) {
            WalkSlots(0, begin, end, index - begin, walk);
        });
    }

private:
    // Blocks of these sizes, largest first: a column holding many points takes most of them
    // as a few large blocks and its edges as a few smaller ones each. 56 bytes per block keep
    // the summaries below one byte per point.
    static constexpr std::array<int, 3> SummaryBlockSizes{4096, 512, 64};

    void FitSummaries(bool pointsMoved);
    // A smallest block that spans more columns than one per this many points is cheaper
    // walked point by point than split.
    static constexpr int SplitPointsPerColumn = 8;

    // What a walk over stored points reads and where it sends them (see ForEachStoredRun).
    template <class Point, class V, class F, class R, class C> struct TiPlotRunWalk {
        const V& Values;
        F& PointSink;
        R& RunSink;
        C& Column;

        TiPlotPointValues At(const TiRecordBlock& Block, int Slot, int Offset) const {
            return Values(Block.At<Point>(Slot), Slot + Offset);
        }
        // A summarized block as the points read: a list whose X follows from the index
        // (its point type says so) summarizes a constant in X's place.
        TiPlotPointRun Run(const TiPlotDataBlockSummary& Summary, int Block, int Begin, int End,
                           int Offset) const {
            TiPlotPointRun run = Summary.Run(Block);
            if constexpr (requires { Point::XFromIndex; }) {
                run.FirstX = Values(Point{}, Begin + Offset).X;
                run.LastX = Values(Point{}, End - 1 + Offset).X;
            }
            return run;
        }
        // Asks for the lines of the points Begin..End - 1 at once, ahead of reads that each
        // depend on the one before.
        void Prefetch(const TiRecordBlock& Block, int Begin, int End) const {
            const char* first = reinterpret_cast<const char*>(&Block.At<Point>(Begin));
            const char* last = reinterpret_cast<const char*>(&Block.At<Point>(End - 1));
            for (const char* line = first; line <= last; line += CacheLine)
                __builtin_prefetch(line);
        }
    };
    static constexpr int CacheLine = 64;

    // The slots begin..end of one contiguous piece, logical index = slot + offset; level
    // indexes SummaryBlockSizes, past its end the points themselves.
    template <class W>
    void WalkSlots(std::size_t level, int begin, int end, int offset, const W& walk) const {
        if (level == summaries_.size()) {
            WalkPoints(begin, end, offset, walk);
            return;
        }
        TiPlotDataBlockSummary& summary = summaries_[level];
        const int size = summary.BlockSize();
        for (int slot = begin; slot < end;) {
            const int block = slot / size;
            const int blockEnd = std::min((block + 1) * size, Count());
            const int stop = std::min(blockEnd, end);
            if (slot == block * size && blockEnd <= end && block < summary.BlockCount() &&
                SmoothBlock(summary, block, slot, blockEnd, offset, walk)) {
                if (OfferRun(walk.Run(summary, block, slot, blockEnd, offset), walk)) {
                    slot = blockEnd;
                    continue;
                }
                if (level + 1 == summaries_.size()) {
                    SplitSlots(slot, blockEnd, offset, walk);
                    slot = blockEnd;
                    continue;
                }
            }
            WalkSlots(level + 1, slot, stop, offset, walk);
            slot = stop;
        }
    }
    template <class W> void WalkPoints(int begin, int end, int offset, const W& walk) const {
        for (int slot = begin; slot < end; ++slot) {
            const TiPlotPointValues v = walk.At(block_, slot, offset);
            walk.PointSink(v.X, v.Y, v.Empty, v.Null);
        }
    }
    template <class W>
    bool SmoothBlock(TiPlotDataBlockSummary& summary, int block, int begin, int end, int offset,
                     const W& walk) const {
        if (summary.Stale(block))
            summary.Rebuild(block, end - begin,
                            [&](int slot) { return walk.At(block_, slot, offset); });
        return summary.Smooth(block);
    }
    // Offers points without a break, X never turning back.
    template <class W> static bool OfferRun(const TiPlotPointRun& run, const W& walk) {
        // An interval list's X follow from the index and may overflow at either end.
        if (!std::isfinite(run.FirstX) || !std::isfinite(run.LastX)) return false;
        return walk.RunSink(run);
    }
    // Offers the points begin..end - 1, without a break and X never turning back, whose Y
    // extremes are known.
    template <class W>
    bool OfferRun(int begin, int end, double yMin, double yMax, int offset, const W& walk) const {
        const TiPlotPointValues first = walk.At(block_, begin, offset);
        const TiPlotPointValues last = walk.At(block_, end - 1, offset);
        return OfferRun(TiPlotPointRun{first.X, first.Y, last.X, last.Y, yMin, yMax}, walk);
    }
    // A smooth block that run declined as a whole: each column's part, found by binary search
    // on X, is offered with its Y extremes read in one pass. The run checks every part it
    // takes, so a column function that is not monotone here costs time, never strokes.
    template <class W> void SplitSlots(int begin, int end, int offset, const W& walk) const {
        walk.Prefetch(block_, begin, end);
        const auto columnAt = [&](int slot) {
            return walk.Column(walk.At(block_, slot, offset).X);
        };
        if (std::abs(int64_t(columnAt(end - 1)) - columnAt(begin)) * SplitPointsPerColumn >
            end - begin) {
            WalkPoints(begin, end, offset, walk);
            return;
        }
        for (int slot = begin; slot < end;) {
            const int column = columnAt(slot);
            int low = slot + 1, high = end;
            while (low < high) {
                const int middle = low + (high - low) / 2;
                if (columnAt(middle) == column)
                    low = middle + 1;
                else
                    high = middle;
            }
            // std::max and std::min keep the first of equal values, as the summaries do.
            double yMin = walk.At(block_, slot, offset).Y, yMax = yMin;
            for (int i = slot + 1; i < low; ++i) {
                const double y = walk.At(block_, i, offset).Y;
                yMax = std::max(yMax, y);
                yMin = std::min(yMin, y);
            }
            if (!OfferRun(slot, low, yMin, yMax, offset, walk)) WalkPoints(slot, low, offset, walk);
            slot = low;
        }
    }

    TiRecordBlock block_{1};
    TiPlotDataDefaults defaults_;
    // Rebuilt on reading when stale, which changes no point.
    mutable std::array<TiPlotDataBlockSummary, SummaryBlockSizes.size()> summaries_{
        TiPlotDataBlockSummary(SummaryBlockSizes[0]), TiPlotDataBlockSummary(SummaryBlockSizes[1]),
        TiPlotDataBlockSummary(SummaryBlockSizes[2])};
    int summarizedCapacity_ = 0;
    const uint64_t identity_ = NewIdentity();
    uint64_t revision_ = 0;

    static uint64_t NewIdentity();
};
