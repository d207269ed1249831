// Reading a channel's points in bulk: a range streamed through the concrete list's
// non-virtual range read, and the search of an X value in X-sorted points.
#pragma once

#include "plot/data/iPlotDataCompactIntervalList.h"
#include "plot/data/iPlotDataCompactList.h"
#include "plot/data/iPlotDataFullList.h"
#include "plot/data/iPlotDataNullList.h"

// Calls f(x, y, empty, null) for count points from logical index first, oldest first, except
// that whole blocks without a break are offered to Run(TiPlotPointRun) first, which answers
// whether it took one in place of its points. The style names the list's class, so the points
// are read without a virtual call each.
template <class F, class R>
void ForEachListPointOrRun(const TiPlotDataCustomList& List, TiPlotDataStyle Style, int First,
                           int Count, F&& f, R&& Run) {
    switch (Style) {
    case ipdsStandard:
        static_cast<const TiPlotDataNullList&>(List).ForEachPointOrRun(First, Count, f, Run);
        break;
    case ipdsCompact:
        static_cast<const TiPlotDataCompactList&>(List).ForEachPointOrRun(First, Count, f, Run);
        break;
    case ipdsCompactInterval:
        static_cast<const TiPlotDataCompactIntervalList&>(List).ForEachPointOrRun(First, Count, f,
                                                                                  Run);
        break;
    case ipdsFullFeature:
        static_cast<const TiPlotDataFullList&>(List).ForEachPointOrRun(First, Count, f, Run);
        break;
    }
}

// Binary search over ascending (or, Decreasing, descending) X: the index whose X equals X,
// else the last one examined, which is a neighbour of X; -1 without points. An interval list
// with a known positive interval computes the same neighbour from XStart and XInterval.
int CalcXIndexIncreasing(const TiPlotDataCustomList& List, double X);
int CalcXIndexDecreasing(const TiPlotDataCustomList& List, double X);
