// The serial number of every point a channel's list took, in the order it came in, so that a
// log finds the points it counted again after a ring overwrote or a delete removed others.
#pragma once

#include <vector>

class TiPlotPointSerials {
public:
    // The newest point is a new serial; Overwrote when a full ring dropped its oldest for it.
    void Appended(bool Overwrote);
    void RemovedOldest(int Count);
    // Serials are never given twice, so a point cut from the newest end stays unknown.
    void RemovedNewest(int Count);
    void Cleared() { runs_.clear(); }
    // The serial of the newest point; -1 before the first.
    long long Newest() const { return next_ - 1; }
    // The logical index of the point, or -1 when the list no longer holds it.
    int IndexOf(long long Serial) const;

private:
    // Held points as runs of consecutive serials, oldest first: one run unless newest points
    // were cut while older ones stayed.
    struct TRun {
        long long First;
        long long Count;
    };
    std::vector<TRun> runs_;
    long long next_ = 0;
};
