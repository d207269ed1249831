#include "plot/channels/iPlotPointSerials.h"

#include <algorithm>

void TiPlotPointSerials::Appended(bool Overwrote) {
    if (Overwrote) RemovedOldest(1);
    if (!runs_.empty() && runs_.back().First + runs_.back().Count == next_)
        ++runs_.back().Count;
    else
        runs_.push_back({next_, 1});
    ++next_;
}

void TiPlotPointSerials::RemovedOldest(int Count) {
    long long left = Count;
    while (left > 0 && !runs_.empty()) {
        TRun& run = runs_.front();
        const long long taken = std::min(left, run.Count);
        run.First += taken;
        run.Count -= taken;
        left -= taken;
        if (run.Count == 0) runs_.erase(runs_.begin());
    }
}

void TiPlotPointSerials::RemovedNewest(int Count) {
    long long left = Count;
    while (left > 0 && !runs_.empty()) {
        TRun& run = runs_.back();
        const long long taken = std::min(left, run.Count);
        run.Count -= taken;
        left -= taken;
        if (run.Count == 0) runs_.pop_back();
    }
}

int TiPlotPointSerials::IndexOf(long long Serial) const {
    long long index = 0;
    for (const TRun& run : runs_) {
        if (Serial < run.First) return -1;
        if (Serial < run.First + run.Count) return int(index + Serial - run.First);
        index += run.Count;
    }
    return -1;
}
