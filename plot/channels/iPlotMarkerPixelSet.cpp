#include "plot/channels/iPlotMarkerPixelSet.h"

#include <algorithm>

void TiPlotMarkerPixelSet::Reset(int Left, int Top, int Right, int Bottom) {
    left_ = std::min(Left, Right);
    top_ = std::min(Top, Bottom);
    const int64_t width = int64_t(std::max(Left, Right)) - left_ + 1;
    const int64_t height = int64_t(std::max(Top, Bottom)) - top_ + 1;
    const bool fits = width <= MaxArea && height <= MaxArea && width * height <= MaxArea;
    width_ = fits ? int(width) : 0;
    height_ = fits ? int(height) : 0;
    bits_.assign(size_t((int64_t(width_) * height_ + 63) / 64), 0);
    order_.clear();
}

bool TiPlotMarkerPixelSet::Insert(int X, int Y) {
    const int64_t column = int64_t(X) - left_, row = int64_t(Y) - top_;
    if (column < 0 || row < 0 || column >= width_ || row >= height_) return true;
    const int64_t bit = row * width_ + column;
    uint64_t& word = bits_[size_t(bit / 64)];
    const uint64_t mask = uint64_t(1) << (bit % 64);
    if (word & mask) return false;
    word |= mask;
    order_.push_back(uint32_t(bit));
    return true;
}
