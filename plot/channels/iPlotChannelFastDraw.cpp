#include "plot/channels/iPlotChannelFastDraw.h"

#include <algorithm>
#include <cmath>

void TiPlotMinMaxPoint::Add(double PointX, double Y, int PointColumn) {
    if (Empty) {
        Empty = false;
        Column = PointColumn;
        X = PointX;
        First = Y;
    }
    Max = std::max(Max, Y);
    Min = std::min(Min, Y);
    Last = Y;
}

void TiPlotFastDraw::DrawStroke(const TiPlotMinMaxPoint& Point) {
    if (!Point.Empty && Point.Min != Point.Max) line_(Point.X, Point.Min, Point.X, Point.Max);
}

void TiPlotFastDraw::DrawPointSet() {
    DrawStroke(a_);
    DrawStroke(b_);
    if (!a_.Empty && !b_.Empty) line_(a_.X, a_.Last, b_.X, b_.First);
    if (!b_.Empty && !c_.Empty) line_(b_.X, b_.Last, c_.X, c_.First);
}

void TiPlotFastDraw::Break() {
    DrawPointSet();
    a_.Clear();
    b_.Clear();
    c_.Clear();
}

void TiPlotFastDraw::Add(double X, double Y, bool Empty, bool Null, int Column) {
    if (Empty) return;
    // A point without a finite position breaks the trace like a Null point.
    if (Null || !std::isfinite(X) || !std::isfinite(Y)) {
        Break();
        return;
    }
    if (a_.Empty || Column == a_.Column) {
        a_.Add(X, Y, Column);
    } else if (b_.Empty || Column == b_.Column) {
        b_.Add(X, Y, Column);
    } else {
        c_.Add(X, Y, Column);
        DrawPointSet();
        a_ = c_;
        b_.Clear();
        c_.Clear();
    }
}

bool TiPlotFastDraw::AddRun(const TiPlotPointRun& Run, const TiPlotAxisMap& Map) {
    if (!Map.KeepsOrderBetween(Run.FirstX, Run.LastX)) return false;
    const int column = Map.PositionToPixels(Run.FirstX);
    if (Map.PositionToPixels(Run.LastX) != column) return false;
    // After its first point every point of one column joins the same accumulator, and
    // std::max and std::min keep the first of equal values however the run is grouped.
    Add(Run.FirstX, Run.FirstY, false, false, column);
    TiPlotMinMaxPoint& point = a_.Column == column ? a_ : b_;
    point.Max = std::max(point.Max, Run.YMax);
    point.Min = std::min(point.Min, Run.YMin);
    point.Last = Run.LastY;
    return true;
}

void TiPlotFastDraw::Finish() {
    DrawPointSet();
}
