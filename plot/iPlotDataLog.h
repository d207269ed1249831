// The plot's log: a header of the channel titles, then a row per sample AddDataArray counted,
// the X of the first channel's point and each channel's Y, "Null" or an empty column for an
// Empty point. A sample remembers the points it added by serial, so a write finds exactly
// those still held, each once, whatever was added in between or dropped by a ring.
#pragma once

#include "plot/iPlotLogFile.h"

#include <QPointer>
#include <QStringList>
#include <deque>
#include <utility>
#include <vector>

class TiPlotChannelCustom;

// The points one sample added: each channel's newest serial after its add.
struct TiPlotLogSample {
    std::vector<std::pair<QPointer<TiPlotChannelCustom>, long long>> Points;
};

class TiPlotDataLog {
public:
    TiPlotLogFile& File() { return file_; }
    const TiPlotLogFile& File() const { return file_; }
    int PendingCount() const { return pendingCount_; }
    bool HasPendingRows() const { return !pending_.empty(); }

    // "(X)" and "<title>(Y)" per channel, TAB separated.
    static QString HeaderRow(const std::vector<TiPlotChannelCustom*>& Channels);
    // The checks and the file of TiPlotLogFile, a new file's header failing as "Error Saving
    // Data - " and the platform's message; then logging is on with nothing pending.
    void Activate(bool Append, const std::vector<TiPlotChannelCustom*>& Channels);
    // Counts a sample while logging; true when the pending rows are due.
    bool Count(TiPlotLogSample Sample);
    // The rows of the pending samples whose first channel's point is still held, for the
    // channels the plot has now; a channel without its point there gets an empty column.
    QStringList PendingRows(const std::vector<TiPlotChannelCustom*>& Channels) const;
    void Reset();

private:
    TiPlotLogFile file_;
    std::deque<TiPlotLogSample> pending_;
    int pendingCount_ = 0;
};
