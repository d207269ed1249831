#include "plot/iPlotDataArray.h"

#include "platform/Exception.h"
#include "plot/channels/iPlotChannel.h"
#include "plot/channels/iXYPlotChannel.h"

#include <climits>

namespace {

[[noreturn]] void ThrowBoundsMismatch() {
    throw Exception(QStringLiteral("Data Array does not match its bounds"));
}

void AddWithoutValue(TiPlotChannelCustom& Channel, double X, TiPlotDataPointStatus Status) {
    const bool null = Status == ipdpsNull;
    if (auto* strip = qobject_cast<TiPlotChannel*>(&Channel)) {
        null ? strip->AddXNull(X) : strip->AddXEmpty(X);
    } else if (auto* xy = qobject_cast<TiXYPlotChannel*>(&Channel)) {
        null ? xy->AddNull() : xy->AddEmpty();
    } else {
        Channel.AddPoint(X, 0, Status);
    }
}

void AddCoded(TiPlotChannelCustom& Channel, double X, double Value) {
    if (Value > 1e-301 && Value < 1e-300)
        AddWithoutValue(Channel, X, ipdpsNull);
    else if (Value > 1e-302 && Value < 1e-301)
        AddWithoutValue(Channel, X, ipdpsEmpty);
    else
        Channel.AddXY(X, Value);
}

void Record(TiPlotLogSample& Sample, TiPlotChannelCustom* Channel) {
    Sample.Points.emplace_back(Channel, Channel->NewestPointSerial());
}

TiPlotLogSample AddOneDimension(const std::vector<TiPlotChannelCustom*>& Channels, double X,
                                const TiPlotDataArray& Data) {
    TiPlotLogSample sample;
    const size_t count = std::min(size_t(Data.Length(0)), Channels.size());
    for (size_t k = 0; k < count; ++k) {
        AddCoded(*Channels[k], X, Data.At(int(k)));
        Record(sample, Channels[k]);
    }
    return sample;
}

std::vector<TiPlotLogSample> AddTwoDimensions(const std::vector<TiPlotChannelCustom*>& Channels,
                                              double X, const TiPlotDataArray& Data) {
    std::vector<TiPlotLogSample> samples;
    const size_t count = std::min(size_t(Data.Length(0)), Channels.size());
    for (int j = 0; j < Data.Length(1); ++j) {
        TiPlotLogSample sample;
        for (size_t i = 0; i < count; ++i) {
            TiPlotChannelCustom& channel = *Channels[i];
            const int points = channel.GetCount();
            channel.AddXY(points == 0 ? 0 : channel.GetDataX(points - 1) + X, Data.At(int(i), j));
            Record(sample, &channel);
        }
        samples.push_back(std::move(sample));
    }
    return samples;
}

} // namespace

TiPlotDataArray::TiPlotDataArray(std::vector<int> Lengths, std::vector<int> LowBounds,
                                 std::vector<double> Values)
    : lengths_(std::move(Lengths)), lowBounds_(std::move(LowBounds)), values_(std::move(Values)) {
    if (lengths_.size() != lowBounds_.size()) ThrowBoundsMismatch();
    size_t count = 1;
    for (size_t d = 0; d < lengths_.size(); ++d) {
        const int length = lengths_[d];
        if (length < 0 || (length > 0 && lowBounds_[d] > INT_MAX - (length - 1)))
            ThrowBoundsMismatch();
        // The values exist, so a product past their count is a mismatch, not an overflow.
        if (length > 0 && count > values_.size() / size_t(length)) ThrowBoundsMismatch();
        count *= size_t(length);
    }
    if (count != values_.size()) ThrowBoundsMismatch();
}

TiPlotDataArray TiPlotDataArray::OneDimension(std::vector<double> Values, int LowBound) {
    const int length = int(Values.size());
    return TiPlotDataArray({length}, {LowBound}, std::move(Values));
}

TiPlotDataArray TiPlotDataArray::TwoDimensions(const std::vector<std::vector<double>>& Rows,
                                               int LowBound1, int LowBound2) {
    const int samples = Rows.empty() ? 0 : int(Rows.front().size());
    std::vector<double> values;
    for (const std::vector<double>& row : Rows) {
        if (int(row.size()) != samples) ThrowBoundsMismatch();
        values.insert(values.end(), row.begin(), row.end());
    }
    return TiPlotDataArray({int(Rows.size()), samples}, {LowBound1, LowBound2}, std::move(values));
}

std::vector<TiPlotLogSample>
AddDataArrayToChannels(const std::vector<TiPlotChannelCustom*>& Channels, double X,
                       const TiPlotDataArray& Data) {
    if (Data.Dimensions() == 1) return {AddOneDimension(Channels, X, Data)};
    if (Data.Dimensions() == 2) return AddTwoDimensions(Channels, X, Data);
    throw Exception(QStringLiteral("Data Array must be 1 or 2 Dimensions"));
}
