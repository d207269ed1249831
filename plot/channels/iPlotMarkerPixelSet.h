// The pixel positions at which a channel drew its markers, so that a marker landing exactly on
// an identical one already drawn can be skipped. The positions are kept between paints, in the
// order first met, so that a paint after mere appends reads only the new points.
#pragma once

#include <cstdint>
#include <vector>

class TiPlotMarkerPixelSet {
public:
    // Empties the set for markers within Left..Right x Top..Bottom (ends included, in either
    // order). The storage is kept, so a warmed-up set allocates nothing.
    void Reset(int Left, int Top, int Right, int Bottom);
    // Adds the position and tells whether it was new. A position outside the area is always
    // new, so such a marker is drawn rather than lost.
    bool Insert(int X, int Y);
    // The area fits the set: every position inside it is remembered.
    bool Holds() const { return width_ > 0; }
    // Calls f(x, y) for every position inside the area inserted since the last Reset, in the
    // order first inserted.
    template <class F> void ForEachPosition(F&& f) const {
        for (const uint32_t bit : order_)
            f(left_ + int(bit % uint32_t(width_)), top_ + int(bit / uint32_t(width_)));
    }

private:
    // Beyond this area the set stays empty: its clearing would cost more than the markers.
    static constexpr int64_t MaxArea = int64_t(1) << 24;

    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    std::vector<uint64_t> bits_;
    std::vector<uint32_t> order_;
};
