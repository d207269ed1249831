// The array the plot's AddDataArray takes. A variant array of the platform carries a count of
// dimensions and a low bound per dimension; a nested list can say neither (nor that its rows
// are of one length), so the array is kept flat with its bounds beside it.
#pragma once

#include "plot/iPlotDataLog.h"

#include <vector>

class TiPlotDataArray {
public:
    // Values in row order, the last dimension running fastest. Raises "Data Array does not
    // match its bounds" when their count is not the product of the lengths, a length is
    // negative, or a high bound would pass the largest int32.
    TiPlotDataArray(std::vector<int> Lengths, std::vector<int> LowBounds,
                    std::vector<double> Values);
    static TiPlotDataArray OneDimension(std::vector<double> Values, int LowBound = 0);
    // Rows[i][j] is the element (LowBound1 + i, LowBound2 + j); rows of one length.
    static TiPlotDataArray TwoDimensions(const std::vector<std::vector<double>>& Rows,
                                         int LowBound1 = 0, int LowBound2 = 0);

    int Dimensions() const { return int(lengths_.size()); }
    // Dimension counts from 0.
    int Length(int Dimension) const { return lengths_[size_t(Dimension)]; }
    int LowBound(int Dimension) const { return lowBounds_[size_t(Dimension)]; }
    // By position from 0 in each dimension.
    double At(int Position) const { return values_[size_t(Position)]; }
    double At(int Position1, int Position2) const {
        return values_[size_t(Position1) * size_t(lengths_[1]) + size_t(Position2)];
    }

private:
    std::vector<int> lengths_;
    std::vector<int> lowBounds_;
    std::vector<double> values_;
};

class TiPlotChannelCustom;

// Adds the array to the channels and answers the samples it added. One dimension: element at
// position k goes to channel k; a value between 1e-301 and 1e-300 adds a Null point at X, one
// between 1e-302 and 1e-301 an Empty point, any other (X, value). Two dimensions (channel,
// sample): for each sample, channel i gets (newest X + X, value), or (0, value) when empty.
// Elements past the last channel are ignored. "Data Array must be 1 or 2 Dimensions" for
// another shape, before anything is added.
std::vector<TiPlotLogSample>
AddDataArrayToChannels(const std::vector<TiPlotChannelCustom*>& Channels, double X,
                       const TiPlotDataArray& Data);
