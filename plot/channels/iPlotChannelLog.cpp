#include "plot/channels/iPlotChannelLog.h"

#include <climits>

bool TiPlotChannelLog::Count(long long Serial, const TiPlotPointSerials& Serials) {
    if (!file_.Active()) return false;
    // Points a ring dropped never come back: a long buffer over a short ring holds no more
    // serials than the ring holds points.
    while (!pending_.empty() && Serials.IndexOf(pending_.front()) < 0)
        pending_.pop_front();
    pending_.push_back(Serial);
    if (pendingCount_ < INT_MAX) ++pendingCount_;
    return file_.BufferSize() < 2 || pendingCount_ >= file_.BufferSize();
}

QStringList TiPlotChannelLog::PendingRows(const TiPlotPointSerials& Serials,
                                          const std::function<QString(int Index)>& Row) const {
    QStringList rows;
    for (const long long serial : pending_) {
        const int index = Serials.IndexOf(serial);
        if (index >= 0) rows << Row(index);
    }
    return rows;
}

void TiPlotChannelLog::Reset() {
    pending_.clear();
    pendingCount_ = 0;
}
