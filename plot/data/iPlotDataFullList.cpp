#include "plot/data/iPlotDataFullList.h"

TiPlotDataFullList::TiPlotDataFullList() {
    SetDataPointSize(sizeof(TiPlotDataFullPoint));
}

void TiPlotDataFullList::DeletePoints(int count) {
    DeleteOldest(count, Count() - 1, "Delete Size Out Of Range");
}

void TiPlotDataFullList::GetXYEmptyNull(int index, double& x, double& y, bool& empty,
                                        bool& null) const {
    const P& point = PointAt<P>(index);
    x = point.X;
    y = point.Y;
    empty = point.Empty;
    null = point.Null;
}

TiPlotDataFullPoint TiPlotDataFullList::NewPoint(double x, double y) const {
    const TiPlotDataDefaults& d = Defaults();
    P point{};
    point.X = x;
    point.Y = y;
    point.TraceLineColor = d.TraceLineColor;
    point.TraceLineWidth = d.TraceLineWidth;
    point.TraceLineStyle = d.TraceLineStyle;
    point.MarkerVisible = d.MarkerVisible;
    point.MarkerSize = d.MarkerSize;
    point.MarkerStyle = d.MarkerStyle;
    point.MarkerPenColor = d.MarkerPenColor;
    point.MarkerPenWidth = d.MarkerPenWidth;
    point.MarkerPenStyle = static_cast<uint8_t>(d.MarkerPenStyle);
    point.MarkerBrushColor = d.MarkerBrushColor;
    point.MarkerBrushStyle = static_cast<uint8_t>(d.MarkerBrushStyle);
    point.MarkerCharacter = d.MarkerCharacter;
    point.BarVisible = d.BarVisible;
    point.BarReference = d.BarReference;
    point.BarWidth = d.BarWidth;
    point.BarPenColor = d.BarPenColor;
    point.BarPenWidth = d.BarPenWidth;
    point.BarPenStyle = static_cast<uint8_t>(d.BarPenStyle);
    point.BarBrushColor = d.BarBrushColor;
    point.BarBrushStyle = static_cast<uint8_t>(d.BarBrushStyle);
    return point;
}
