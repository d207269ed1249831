#include "plot/data/iPlotDataBlockSummary.h"

#include <bit>
#include <new>

TiPlotDataBlockSummary::TiPlotDataBlockSummary(int BlockSize)
    : blockSize_(BlockSize), shift_(std::countr_zero(unsigned(BlockSize))) {}

void TiPlotDataBlockSummary::Fit(int Capacity) {
    const std::size_t blocks = std::size_t(Capacity >> shift_);
    if (blocks == entries_.size()) return;
    // Sized exactly, not doubled as a growing vector would be: the memory bound counts it.
    std::vector<Entry> fitted;
    try {
        fitted.reserve(blocks);
    } catch (const std::bad_alloc&) {
        // The points are stored already; blocks left without a summary are read point by
        // point.
        return;
    }
    fitted.assign(entries_.begin(), entries_.begin() + std::min(blocks, entries_.size()));
    fitted.resize(blocks, Entry{0, 0, 0, 0, 0, 0, StaleFlag});
    entries_.swap(fitted);
}

void TiPlotDataBlockSummary::Release() {
    std::vector<Entry>().swap(entries_);
    lastSlot_ = -1;
}

void TiPlotDataBlockSummary::Invalidate(int Slot) {
    if (Slot == lastSlot_) lastSlot_ = -1;
    const int block = Slot >> shift_;
    if (block < BlockCount()) entries_[block].Flags |= StaleFlag;
}

void TiPlotDataBlockSummary::InvalidateAll() {
    lastSlot_ = -1;
    for (Entry& entry : entries_)
        entry.Flags |= StaleFlag;
}
