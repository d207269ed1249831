// The minimum and maximum Y and the first and last point of every block of BlockSize storage
// slots of a point list, kept up to date as points arrive, so that a trace can take a whole
// block that falls into one pixel column at once without reading any of its points.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

// What a trace reads of one point.
struct TiPlotPointValues {
    double X = 0;
    double Y = 0;
    bool Empty = false;
    bool Null = false;
};

// A block of consecutive points without a break, offered to a trace as a whole: its first
// and last point and its Y extremes, the extremes being the first of equal values met, as a
// point-by-point std::max and std::min find them.
struct TiPlotPointRun {
    double FirstX = 0;
    double FirstY = 0;
    double LastX = 0;
    double LastY = 0;
    double YMin = 0;
    double YMax = 0;
};

class TiPlotDataBlockSummary {
public:
    // BlockSize is a power of two.
    explicit TiPlotDataBlockSummary(int BlockSize);

    int BlockSize() const { return blockSize_; }
    // Only whole blocks of the capacity are summarized, so that a short list costs nothing
    // and the summary never takes more than sizeof(entry) / BlockSize bytes per slot.
    int BlockCount() const { return int(entries_.size()); }
    void Fit(int Capacity);
    void Release();
    std::size_t MemoryUsed() const { return entries_.capacity() * sizeof(Entry); }

    // A new point written to Slot. Points arrive in slot order (growing, or a ring
    // overwriting its oldest), so the first slot of a block starts its summary anew.
    void Include(int Slot, double X, double Y) {
        const bool follows = lastSlot_ == Slot - 1;
        const double previousX = lastX_;
        lastSlot_ = Slot;
        lastX_ = X;
        const int block = Slot >> shift_;
        if (block >= BlockCount()) return;
        Entry& entry = entries_[block];
        if ((Slot & (blockSize_ - 1)) == 0) {
            Start(entry, X, Y);
            return;
        }
        // Without the previous point's X the direction is unknown.
        if (!follows) entry.Flags |= StaleFlag;
        Extend(entry, previousX, X, Y);
    }
    // A point changed in place: its block is summarized again when next read.
    void Invalidate(int Slot);
    // Points moved to other slots.
    void InvalidateAll();

    bool Stale(int Block) const { return entries_[Block].Flags & StaleFlag; }
    // Neither stale nor holding a Null, Empty or non-finite point, and its X never turn back.
    bool Smooth(int Block) const {
        const uint8_t flags = entries_[Block].Flags;
        return !(flags & (StaleFlag | BrokenFlag)) && (flags & Turns) != Turns;
    }
    // The block's points as summarized: X and Y as the list handed them in.
    TiPlotPointRun Run(int Block) const {
        const Entry& e = entries_[Block];
        return TiPlotPointRun{e.FirstX, e.FirstY, e.LastX, e.LastY, e.YMin, e.YMax};
    }
    // Summarizes Block again from its first SlotCount points; ValuesAt(slot) reads one.
    template <class F> void Rebuild(int Block, int SlotCount, F&& ValuesAt) {
        const int first = Block << shift_;
        Entry& entry = entries_[Block];
        double previousX = 0;
        for (int slot = first; slot < first + SlotCount; ++slot) {
            const TiPlotPointValues v = ValuesAt(slot);
            if (slot == first)
                Start(entry, v.X, v.Y);
            else
                Extend(entry, previousX, v.X, v.Y);
            if (v.Empty || v.Null) entry.Flags |= BrokenFlag;
            previousX = v.X;
        }
    }

private:
    static constexpr uint8_t StaleFlag = 1;
    static constexpr uint8_t BrokenFlag = 2;
    static constexpr uint8_t Rises = 4;
    static constexpr uint8_t Falls = 8;
    static constexpr uint8_t Turns = Rises | Falls;

    struct Entry {
        double YMin;
        double YMax;
        double FirstX;
        double FirstY;
        double LastX;
        double LastY;
        uint8_t Flags;
    };

    static void Start(Entry& entry, double X, double Y) {
        entry =
            Entry{Y, Y, X, Y, X, Y, std::isfinite(X) && std::isfinite(Y) ? uint8_t(0) : BrokenFlag};
    }
    static void Extend(Entry& entry, double PreviousX, double X, double Y) {
        if (!std::isfinite(X) || !std::isfinite(Y)) entry.Flags |= BrokenFlag;
        if (X > PreviousX) entry.Flags |= Rises;
        if (X < PreviousX) entry.Flags |= Falls;
        entry.YMax = std::max(entry.YMax, Y);
        entry.YMin = std::min(entry.YMin, Y);
        entry.LastX = X;
        entry.LastY = Y;
    }

    int blockSize_;
    int shift_;
    std::vector<Entry> entries_;
    int lastSlot_ = -1;
    double lastX_ = 0;
};
