#include "plot/data/iPlotDataCustomList.h"

#include "plot/data/iPlotDataCompactIntervalList.h"
#include "plot/data/iPlotDataCompactList.h"
#include "plot/data/iPlotDataFullList.h"
#include "plot/data/iPlotDataNullList.h"

#include <atomic>

std::unique_ptr<TiPlotDataCustomList> TiPlotDataCustomList::Create(TiPlotDataStyle style) {
    switch (style) {
    case ipdsCompact:
        return std::make_unique<TiPlotDataCompactList>();
    case ipdsCompactInterval:
        return std::make_unique<TiPlotDataCompactIntervalList>();
    case ipdsFullFeature:
        return std::make_unique<TiPlotDataFullList>();
    case ipdsStandard:
        break;
    }
    return std::make_unique<TiPlotDataNullList>();
}

bool TiPlotDataCustomList::GetEmpty(int) const {
    return false;
}
bool TiPlotDataCustomList::GetNull(int) const {
    return false;
}
double TiPlotDataCustomList::GetHigh(int) const {
    return 0;
}
double TiPlotDataCustomList::GetLow(int) const {
    return 0;
}
double TiPlotDataCustomList::GetOpen(int) const {
    return 0;
}
double TiPlotDataCustomList::GetClose(int) const {
    return 0;
}

void TiPlotDataCustomList::SetEmpty(int, bool) {}
void TiPlotDataCustomList::SetNull(int, bool) {}
void TiPlotDataCustomList::SetHigh(int, double) {}
void TiPlotDataCustomList::SetLow(int, double) {}
void TiPlotDataCustomList::SetOpen(int, double) {}
void TiPlotDataCustomList::SetClose(int, double) {}

TColor TiPlotDataCustomList::GetTraceLineColor(int) const {
    return defaults_.TraceLineColor;
}
int TiPlotDataCustomList::GetTraceLineWidth(int) const {
    return defaults_.TraceLineWidth;
}
TiPlotLineStyle TiPlotDataCustomList::GetTraceLineStyle(int) const {
    return defaults_.TraceLineStyle;
}
bool TiPlotDataCustomList::GetMarkerVisible(int) const {
    return defaults_.MarkerVisible;
}
int TiPlotDataCustomList::GetMarkerSize(int) const {
    return defaults_.MarkerSize;
}
TiPlotMarkerStyle TiPlotDataCustomList::GetMarkerStyle(int) const {
    return defaults_.MarkerStyle;
}
TColor TiPlotDataCustomList::GetMarkerPenColor(int) const {
    return defaults_.MarkerPenColor;
}
int TiPlotDataCustomList::GetMarkerPenWidth(int) const {
    return defaults_.MarkerPenWidth;
}
TPenStyle TiPlotDataCustomList::GetMarkerPenStyle(int) const {
    return defaults_.MarkerPenStyle;
}
TColor TiPlotDataCustomList::GetMarkerBrushColor(int) const {
    return defaults_.MarkerBrushColor;
}
TBrushStyle TiPlotDataCustomList::GetMarkerBrushStyle(int) const {
    return defaults_.MarkerBrushStyle;
}
char TiPlotDataCustomList::GetMarkerCharacter(int) const {
    return defaults_.MarkerCharacter;
}
bool TiPlotDataCustomList::GetBarVisible(int) const {
    return defaults_.BarVisible;
}
double TiPlotDataCustomList::GetBarReference(int) const {
    return defaults_.BarReference;
}
double TiPlotDataCustomList::GetBarWidth(int) const {
    return defaults_.BarWidth;
}
TColor TiPlotDataCustomList::GetBarPenColor(int) const {
    return defaults_.BarPenColor;
}
int TiPlotDataCustomList::GetBarPenWidth(int) const {
    return defaults_.BarPenWidth;
}
TPenStyle TiPlotDataCustomList::GetBarPenStyle(int) const {
    return defaults_.BarPenStyle;
}
TColor TiPlotDataCustomList::GetBarBrushColor(int) const {
    return defaults_.BarBrushColor;
}
TBrushStyle TiPlotDataCustomList::GetBarBrushStyle(int) const {
    return defaults_.BarBrushStyle;
}

void TiPlotDataCustomList::SetTraceLineColor(int, TColor) {}
void TiPlotDataCustomList::SetTraceLineWidth(int, int) {}
void TiPlotDataCustomList::SetTraceLineStyle(int, TiPlotLineStyle) {}
void TiPlotDataCustomList::SetMarkerVisible(int, bool) {}
void TiPlotDataCustomList::SetMarkerSize(int, int) {}
void TiPlotDataCustomList::SetMarkerStyle(int, TiPlotMarkerStyle) {}
void TiPlotDataCustomList::SetMarkerPenColor(int, TColor) {}
void TiPlotDataCustomList::SetMarkerPenWidth(int, int) {}
void TiPlotDataCustomList::SetMarkerPenStyle(int, TPenStyle) {}
void TiPlotDataCustomList::SetMarkerBrushColor(int, TColor) {}
void TiPlotDataCustomList::SetMarkerBrushStyle(int, TBrushStyle) {}
void TiPlotDataCustomList::SetMarkerCharacter(int, char) {}
void TiPlotDataCustomList::SetBarVisible(int, bool) {}
void TiPlotDataCustomList::SetBarReference(int, double) {}
void TiPlotDataCustomList::SetBarWidth(int, double) {}
void TiPlotDataCustomList::SetBarPenColor(int, TColor) {}
void TiPlotDataCustomList::SetBarPenWidth(int, int) {}
void TiPlotDataCustomList::SetBarPenStyle(int, TPenStyle) {}
void TiPlotDataCustomList::SetBarBrushColor(int, TColor) {}
void TiPlotDataCustomList::SetBarBrushStyle(int, TBrushStyle) {}

uint64_t TiPlotDataCustomList::NewIdentity() {
    static std::atomic<uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

void TiPlotDataCustomList::FreeMemory() {
    ++revision_;
    block_.Release();
    FitSummaries(false);
}

void TiPlotDataCustomList::SetDataPointSize(int size) {
    ++revision_;
    block_.SetRecordSize(size);
    FitSummaries(false);
}

void TiPlotDataCustomList::SetCapacity(int capacity) {
    // Unwrapping a ring or cutting the newest points moves points to other slots.
    const bool moves = RingStart() != 0 || capacity < Count();
    block_.SetCapacity(capacity);
    FitSummaries(moves);
}

void TiPlotDataCustomList::Grow() {
    const bool moves = RingStart() != 0;
    block_.Grow();
    FitSummaries(moves);
}

std::size_t TiPlotDataCustomList::SummaryMemoryUsed() const {
    std::size_t bytes = 0;
    for (const TiPlotDataBlockSummary& summary : summaries_)
        bytes += summary.MemoryUsed();
    return bytes;
}

void TiPlotDataCustomList::FitSummaries(bool pointsMoved) {
    if (pointsMoved) ++revision_;
    for (TiPlotDataBlockSummary& summary : summaries_) {
        if (Capacity() == 0) summary.Release();
        summary.Fit(Capacity());
        if (pointsMoved) summary.InvalidateAll();
    }
    summarizedCapacity_ = Capacity();
}

void TiPlotDataCustomList::Clear() {
    ++revision_;
    block_.Reset();
    if (!RingActive()) SetCapacity(0);
}

void TiPlotDataCustomList::DeletePoints(int count) {
    DeleteOldest(count, Count() - 1, "Delete size out of Range");
}

void TiPlotDataCustomList::DeleteOldest(int count, int allowedMaximum, const char* message) {
    block_.RemoveOldest(count, allowedMaximum, message);
    if (count > 0) FitSummaries(true);
}

void TiPlotDataCustomList::SetRingBufferSize(int size) {
    block_.CheckCapacity(size);
    if (size == 0) {
        // Cleared while still a ring, so that the slots stay.
        if (RingActive() && RingStart() != 0) Clear();
        block_.SetRingActive(false);
        return;
    }
    block_.SetRingActive(true);
    if (size == Capacity()) return;
    if (RingStart() != 0) Clear();
    if (size < Count()) DeletePoints(Count() - size);
    SetCapacity(size);
}
