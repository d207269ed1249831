// The pixel positions at which a channel drew its markers in one paint, so that a marker landing
// exactly on an identical one already drawn can be skipped.
#pragma once

#include <cstdint>
#include <vector>

class TiPlotMarkerPixelSet {
public:
    // Empties the set for a paint whose markers lie within Left..Right x Top..Bottom (ends
    // included, in either order). The storage is kept, so a warmed-up set allocates nothing.
    void Reset(int Left, int Top, int Right, int Bottom);
    // Adds the position and tells whether it was new. A position outside the area is always
    // new, so such a marker is drawn rather than lost.
    bool Insert(int X, int Y);

private:
    // Beyond this area the set stays empty: its clearing would cost more than the markers.
    static constexpr int64_t MaxArea = int64_t(1) << 24;

    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    std::vector<uint64_t> bits_;
};
