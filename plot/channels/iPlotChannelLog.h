// A channel's log: the points AddXY counted since the last write, kept by serial, so that a
// write finds exactly those the list still holds, each once, whatever was added without a
// value in between or dropped by a ring.
#pragma once

#include "plot/channels/iPlotPointSerials.h"
#include "plot/iPlotLogFile.h"

#include <QStringList>
#include <deque>
#include <functional>

class TiPlotChannelLog {
public:
    TiPlotLogFile& File() { return file_; }
    const TiPlotLogFile& File() const { return file_; }
    // Counted since the last write, including points no longer held.
    int PendingCount() const { return pendingCount_; }
    bool HasPendingRows() const { return !pending_.empty(); }

    // Counts the point of the serial while logging; true when the pending points are due.
    bool Count(long long Serial, const TiPlotPointSerials& Serials);
    // Row(index) of each pending point still held, oldest first.
    QStringList PendingRows(const TiPlotPointSerials& Serials,
                            const std::function<QString(int Index)>& Row) const;
    // Nothing pending: after a write, at activation and when the points went.
    void Reset();

private:
    TiPlotLogFile file_;
    std::deque<long long> pending_;
    int pendingCount_ = 0;
};
