#include "plot/data/iPlotDataNullList.h"

TiPlotDataNullList::TiPlotDataNullList() {
    SetDataPointSize(sizeof(TiPlotDataNullPoint));
}

bool TiPlotDataNullList::GetEmpty(int index) const {
    return (PointAt<TiPlotDataNullPoint>(index).PointFlags & EmptyFlag) != 0;
}

bool TiPlotDataNullList::GetNull(int index) const {
    return (PointAt<TiPlotDataNullPoint>(index).PointFlags & NullFlag) != 0;
}

void TiPlotDataNullList::SetEmpty(int index, bool value) {
    SetFlags(index, EmptyFlag, value ? EmptyFlag : 0);
}

void TiPlotDataNullList::SetNull(int index, bool value) {
    SetFlags(index, NullFlag, value ? NullFlag : 0);
}

bool TiPlotDataNullList::GetMarkerVisible(int index) const {
    return (PointAt<TiPlotDataNullPoint>(index).PointFlags & MarkerVisibleFlag) != 0;
}

TiPlotMarkerStyle TiPlotDataNullList::GetMarkerStyle(int index) const {
    const int flags = PointAt<TiPlotDataNullPoint>(index).PointFlags & MarkerStyleFlags;
    return static_cast<TiPlotMarkerStyle>(flags >> MarkerStyleShift);
}

void TiPlotDataNullList::SetMarkerVisible(int index, bool value) {
    SetFlags(index, MarkerVisibleFlag, value ? MarkerVisibleFlag : 0);
}

void TiPlotDataNullList::SetMarkerStyle(int index, TiPlotMarkerStyle value) {
    SetFlags(index, MarkerStyleFlags, static_cast<uint16_t>((value & 0xF) << MarkerStyleShift));
}

void TiPlotDataNullList::GetXYEmptyNull(int index, double& x, double& y, bool& empty,
                                        bool& null) const {
    const TiPlotDataNullPoint& point = PointAt<TiPlotDataNullPoint>(index);
    x = point.X;
    y = point.Y;
    empty = (point.PointFlags & EmptyFlag) != 0;
    null = (point.PointFlags & NullFlag) != 0;
}

void TiPlotDataNullList::SetFlags(int index, uint16_t flags, uint16_t value) {
    uint16_t& pointFlags = PointAt<TiPlotDataNullPoint>(index).PointFlags;
    pointFlags = static_cast<uint16_t>((pointFlags & ~flags) | value);
}
