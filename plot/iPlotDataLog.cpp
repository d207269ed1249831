#include "plot/iPlotDataLog.h"

#include "platform/Exception.h"
#include "platform/NumberText.h"
#include "plot/channels/iPlotChannelCustom.h"
#include "plot/channels/iPlotChannelDataFile.h"

#include <climits>

namespace {

// The index of the channel's point in the sample; -1 when it added none or it is gone.
int PointIndex(const TiPlotLogSample& Sample, const TiPlotChannelCustom* Channel) {
    for (const auto& [channel, serial] : Sample.Points)
        if (channel == Channel) return Channel->IndexOfPointSerial(serial);
    return -1;
}

QString YColumn(const TiPlotChannelCustom& Channel, int Index) {
    if (Index < 0) return QString();
    double x = 0, y = 0;
    bool empty = false, null = false;
    Channel.GetXYEmptyNull(Index, x, y, empty, null);
    return null ? QStringLiteral("Null") : empty ? QString() : FloatToText(y);
}

bool FirstPointHeld(const TiPlotLogSample& Sample) {
    if (Sample.Points.empty()) return false;
    const auto& [channel, serial] = Sample.Points.front();
    return channel && channel->IndexOfPointSerial(serial) >= 0;
}

} // namespace

QString TiPlotDataLog::HeaderRow(const std::vector<TiPlotChannelCustom*>& Channels) {
    QString row = QStringLiteral("(X)");
    for (const TiPlotChannelCustom* channel : Channels)
        row += QLatin1Char('\t') + FileHeaderTitle(channel->TitleText()) + QStringLiteral("(Y)");
    return row;
}

void TiPlotDataLog::Activate(bool Append, const std::vector<TiPlotChannelCustom*>& Channels) {
    file_.CheckCanActivate();
    if (Append) {
        file_.OpenFile(true, {});
    } else {
        try {
            file_.OpenFile(false, {HeaderRow(Channels)});
        } catch (const Exception& e) {
            throw Exception(QStringLiteral("Error Saving Data - ") + e.Message());
        }
    }
    Reset();
    file_.SetActive(true);
}

bool TiPlotDataLog::Count(TiPlotLogSample Sample) {
    if (!file_.Active()) return false;
    // Samples whose points a ring dropped never come back.
    while (!pending_.empty() && !FirstPointHeld(pending_.front()))
        pending_.pop_front();
    pending_.push_back(std::move(Sample));
    if (pendingCount_ < INT_MAX) ++pendingCount_;
    return pendingCount_ >= file_.BufferSize();
}

QStringList TiPlotDataLog::PendingRows(const std::vector<TiPlotChannelCustom*>& Channels) const {
    QStringList rows;
    for (const TiPlotLogSample& sample : pending_) {
        if (Channels.empty()) break;
        const int first = PointIndex(sample, Channels.front());
        if (first < 0) continue;
        QString row = FloatToText(Channels.front()->GetDataX(first));
        for (const TiPlotChannelCustom* channel : Channels)
            row += QLatin1Char('\t') + YColumn(*channel, PointIndex(sample, channel));
        rows << row;
    }
    return rows;
}

void TiPlotDataLog::Reset() {
    pending_.clear();
    pendingCount_ = 0;
}
