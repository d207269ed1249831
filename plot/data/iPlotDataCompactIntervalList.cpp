#include "plot/data/iPlotDataCompactIntervalList.h"

#include "platform/Exception.h"

TiPlotDataCompactIntervalList::TiPlotDataCompactIntervalList() {
    SetDataPointSize(sizeof(TiPlotDataIntervalPoint));
}

void TiPlotDataCompactIntervalList::SetX(int, double) {
    throw Exception("Data Style does not support setting X-Value");
}

void TiPlotDataCompactIntervalList::SetY(int index, double value) {
    PointAt<TiPlotDataIntervalPoint>(index).Y = static_cast<float>(value);
}

void TiPlotDataCompactIntervalList::Clear() {
    TiPlotDataCustomList::Clear();
    xInterval_ = UnknownInterval;
}

void TiPlotDataCompactIntervalList::DeletePoints(int count) {
    DeleteOldest(count, Count(), "Delete size out of Range");
    Drop(count);
}

void TiPlotDataCompactIntervalList::GetXYEmptyNull(int index, double& x, double& y, bool& empty,
                                                   bool& null) const {
    y = PointAt<TiPlotDataIntervalPoint>(index).Y;
    x = GetX(index);
    empty = false;
    null = false;
}
