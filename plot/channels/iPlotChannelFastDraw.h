// The fast trace: many points collapsed into at most one vertical stroke per pixel column
// plus the segments joining neighbouring columns, so a channel draws in time proportional to
// its visible points and in strokes proportional to its pixel columns.
#pragma once

#include "plot/data/iPlotDataBlockSummary.h"
#include "plot/iPlotAxisMap.h"

#include <functional>

// The points of one pixel column: where the trace enters it, its extremes and where it
// leaves it.
struct TiPlotMinMaxPoint {
    bool Empty = true;
    int Column = 0;
    double X = 0;
    double Max = -1e301;
    double Min = 1e301;
    double First = 0;
    double Last = 0;

    void Add(double PointX, double Y, int PointColumn);
    void Clear() { *this = TiPlotMinMaxPoint(); }
};

class TiPlotFastDraw {
public:
    // Draws one segment given in axis units.
    using TLineSink = std::function<void(double X1, double Y1, double X2, double Y2)>;

    explicit TiPlotFastDraw(TLineSink Line) : line_(std::move(Line)) {}

    // The next point of the walk with its pixel column; an Empty point is bridged, a Null
    // point breaks the trace.
    void Add(double X, double Y, bool Empty, bool Null, int Column);
    // A run of points without a break, taken at once when it falls into one pixel column of
    // Map; the strokes are exactly those of adding its points one by one. False leaves the
    // points to Add.
    bool AddRun(const TiPlotPointRun& Run, const TiPlotAxisMap& Map);
    // Draws what the walk still holds.
    void Finish();

private:
    void DrawPointSet();
    void DrawStroke(const TiPlotMinMaxPoint& Point);
    void Break();

    TLineSink line_;
    // The previous, current and next column.
    TiPlotMinMaxPoint a_;
    TiPlotMinMaxPoint b_;
    TiPlotMinMaxPoint c_;
};
