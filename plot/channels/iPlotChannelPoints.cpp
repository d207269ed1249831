#include "plot/channels/iPlotChannelPoints.h"

#include <algorithm>
#include <cmath>

namespace {

int BinarySearch(const TiPlotDataCustomList& List, double X, bool Decreasing) {
    int low = 0, high = List.Count() - 1, result = -1;
    while (high >= low) {
        const int mid = low + (high - low) / 2;
        result = mid;
        const double x = List.GetX(mid);
        if (X == x) break;
        if ((X < x) != Decreasing)
            high = mid - 1;
        else
            low = mid + 1;
    }
    return result;
}

// The index at or just below X on an evenly spaced ascending list; the callers' one-step
// corrections then give the same range as the binary search.
int IntervalIndex(const TiPlotDataCompactIntervalList& List, double X) {
    const int last = List.Count() - 1;
    const double position = std::floor((X - List.XStart()) / List.XInterval());
    int result = position <= 0 ? 0 : position >= last ? last : int(position);
    // Rounding of the division may land one off an exact match.
    if (result < last && List.GetX(result + 1) <= X) ++result;
    if (result > 0 && List.GetX(result) > X) --result;
    return result;
}

} // namespace

int CalcXIndexIncreasing(const TiPlotDataCustomList& List, double X) {
    const auto* interval = dynamic_cast<const TiPlotDataCompactIntervalList*>(&List);
    if (interval && List.Count() > 1 && interval->XInterval() > 0 && !std::isnan(X))
        return IntervalIndex(*interval, X);
    return BinarySearch(List, X, false);
}

int CalcXIndexDecreasing(const TiPlotDataCustomList& List, double X) {
    return BinarySearch(List, X, true);
}
