// Reading a channel's points in bulk: a range streamed through the concrete list's
// non-virtual range read, and the search of an X value in X-sorted points.
#pragma once

#include "plot/data/iPlotDataCompactIntervalList.h"
#include "plot/data/iPlotDataCompactList.h"
#include "plot/data/iPlotDataFullList.h"
#include "plot/data/iPlotDataNullList.h"

// Calls Read(list) with List as the concrete class its style names, so that the points are
// read without a virtual call each.
template <class G>
void WithConcreteList(const TiPlotDataCustomList& List, TiPlotDataStyle Style, G&& Read) {
    switch (Style) {
    case ipdsStandard:
        Read(static_cast<const TiPlotDataNullList&>(List));
        break;
    case ipdsCompact:
        Read(static_cast<const TiPlotDataCompactList&>(List));
        break;
    case ipdsCompactInterval:
        Read(static_cast<const TiPlotDataCompactIntervalList&>(List));
        break;
    case ipdsFullFeature:
        Read(static_cast<const TiPlotDataFullList&>(List));
        break;
    }
}

// Calls f(x, y, empty, null) for count points from logical index first, oldest first.
template <class F>
void ForEachListPoint(const TiPlotDataCustomList& List, TiPlotDataStyle Style, int First, int Count,
                      F&& f) {
    WithConcreteList(List, Style, [&](const auto& list) { list.ForEachPoint(First, Count, f); });
}

// As ForEachListPoint, except that whole blocks without a break are offered to
// Run(TiPlotPointRun) first, which answers whether it took one in place of its points; a block
// spanning a few pixel columns, Column(x) naming them, is offered in parts.
template <class F, class R, class C>
void ForEachListPointOrRun(const TiPlotDataCustomList& List, TiPlotDataStyle Style, int First,
                           int Count, F&& f, R&& Run, C&& Column) {
    WithConcreteList(List, Style, [&](const auto& list) {
        list.ForEachPointOrRun(First, Count, f, Run, Column);
    });
}

// Binary search over ascending (or, Decreasing, descending) X: the index whose X equals X,
// else the last one examined, which is a neighbour of X; -1 without points. An interval list
// with a known positive interval computes the same neighbour from XStart and XInterval.
int CalcXIndexIncreasing(const TiPlotDataCustomList& List, double X);
int CalcXIndexDecreasing(const TiPlotDataCustomList& List, double X);
