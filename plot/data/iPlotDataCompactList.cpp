#include "plot/data/iPlotDataCompactList.h"

TiPlotDataCompactList::TiPlotDataCompactList() {
    SetDataPointSize(sizeof(TiPlotDataCompactPoint));
}

void TiPlotDataCompactList::SetX(int index, double value) {
    PointAt<TiPlotDataCompactPoint>(index).X = static_cast<float>(value);
}

void TiPlotDataCompactList::SetY(int index, double value) {
    PointAt<TiPlotDataCompactPoint>(index).Y = static_cast<float>(value);
}

void TiPlotDataCompactList::GetXYEmptyNull(int index, double& x, double& y, bool& empty,
                                           bool& null) const {
    const TiPlotDataCompactPoint& point = PointAt<TiPlotDataCompactPoint>(index);
    x = point.X;
    y = point.Y;
    empty = false;
    null = false;
}
