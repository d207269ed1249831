#include "plot/iPlotData.h"

#include "platform/Exception.h"
#include "platform/StringList.h"
#include "plot/channels/iPlotChannelCustom.h"
#include "plot/iPlotComponent.h"
#include "plot/iPlotDataArray.h"
#include "plot/iPlotDataFile.h"
#include "plot/iPlotMasterManager.h"

#include <exception>

namespace {

using K = TiPlotObjectKind;

} // namespace

TiPlotData::TiPlotData(TiPlotComponent& Plot) : plot_(Plot) {}

void TiPlotData::TransferChannelData(int SourceChannelIndex, int DestinationChannelIndex,
                                     int StartIndex, int StopIndex) {
    TiPlotChannelCustom* source = plot_.GetChannelCustom(SourceChannelIndex);
    TiPlotChannelCustom* destination = plot_.GetChannelCustom(DestinationChannelIndex);
    if (StartIndex < 0) throw Exception(QStringLiteral("Start Index Must be 0 or Greater"));
    if (StopIndex > source->GetCount() - 1)
        throw Exception(QStringLiteral("StopIndex Must Out Of Range"));
    if (StartIndex > StopIndex) return;
    // Read whole before the first append: copying a channel onto itself, and into a ring
    // that drops its oldest points, would otherwise read points already overwritten.
    struct TPointCopy {
        double X, Y;
        bool Empty, Null;
    };
    std::vector<TPointCopy> points(size_t(StopIndex - StartIndex + 1));
    for (int i = StartIndex; i <= StopIndex; ++i) {
        TPointCopy& p = points[size_t(i - StartIndex)];
        source->GetXYEmptyNull(i, p.X, p.Y, p.Empty, p.Null);
    }
    for (const TPointCopy& p : points) {
        destination->AddXY(p.X, p.Y);
        // AddXY answers the storage slot, which in a full ring is not the point's index.
        const int index = destination->GetCount() - 1;
        destination->SetDataNull(index, p.Null);
        destination->SetDataEmpty(index, p.Empty);
    }
}

QString TiPlotData::LogFileName() const {
    return log_.File().FileName();
}

void TiPlotData::SetLogFileName(const QString& Value) {
    log_.File().SetFileName(
        Value, QStringLiteral("Log File Name can not be changed while logging is active."));
}

int TiPlotData::LogBufferSize() const {
    return log_.File().BufferSize();
}

void TiPlotData::SetLogBufferSize(int Value) {
    log_.File().SetBufferSize(Value);
}

bool TiPlotData::LoggingActive() const {
    return log_.File().Active();
}

std::vector<TiPlotChannelCustom*> TiPlotData::Channels() const {
    std::vector<TiPlotChannelCustom*> channels;
    for (int i = 0; i < plot_.ChannelCount(); ++i)
        if (auto* channel = qobject_cast<TiPlotChannelCustom*>(plot_.Master()->Get(K::Channel, i)))
            channels.push_back(channel);
    return channels;
}

void TiPlotData::SaveToFile(const QString& FileName) {
    try {
        TStringList lines;
        for (const QString& line : PlotDataFileLines(Channels()))
            lines.Add(line);
        lines.SaveToFile(FileName);
    } catch (const Exception& e) {
        throw Exception(QStringLiteral("Error Saving Data - ") + e.Message());
    }
}

void TiPlotData::LoadFromFile(const QString& FileName) {
    const std::vector<TiPlotChannelCustom*> channels = Channels();
    std::vector<qsizetype> room;
    for (const TiPlotChannelCustom* channel : channels)
        room.push_back(channel->GetMaxDataPoints() -
                       (channel->RingBufferSize() > 0 ? 0 : channel->GetCount()));
    std::vector<TiPlotFileEntry> entries;
    try {
        entries = ParsePlotDataLines(ReadDataFileLines(FileName), room);
    } catch (const Exception& e) {
        throw Exception(QStringLiteral("Error Loading Data - ") + e.Message());
    }
    TiUpdateBatch batch(plot_);
    for (const TiPlotFileEntry& entry : entries)
        channels[size_t(entry.Channel)]->AddPoint(entry.Point.X, entry.Point.Y, entry.Point.Status);
}

void TiPlotData::LogActivate(bool Append) {
    log_.Activate(Append, Channels());
}

void TiPlotData::LogDeactivate() {
    log_.File().Stop();
    if (log_.HasPendingRows()) WriteLog();
    log_.Reset();
}

void TiPlotData::WriteLog() {
    const QStringList rows = log_.PendingRows(Channels());
    if (!rows.isEmpty()) log_.File().AppendRows(rows);
    log_.Reset();
}

void TiPlotData::AddDataArray(double X, const TiPlotDataArray& Data) {
    bool due = false;
    for (TiPlotLogSample& sample : AddDataArrayToChannels(Channels(), X, Data))
        due = log_.Count(std::move(sample)) || due;
    if (due) RunGuarded([this] { WriteLog(); });
}

void TiPlotData::ClearAll() {
    // Every step runs; the first error is raised at the end.
    std::exception_ptr error;
    const auto step = [&error](const std::function<void()>& Step) {
        try {
            Step();
        } catch (...) {
            if (!error) error = std::current_exception();
        }
    };
    if (LoggingActive()) step([this] { LogDeactivate(); });
    for (TiPlotChannelCustom* channel : Channels())
        step([channel] { channel->Clear(); });
    if (error) std::rethrow_exception(error);
}
