// The plot's data file (a column pair per channel) and the reading of its log (a common X
// column): written from the channels, read whole before any channel changes.
#pragma once

#include "plot/channels/iPlotChannelDataFile.h"

#include <QString>
#include <QStringList>
#include <vector>

class TiPlotChannelCustom;

// A point of a parsed file and the index of the channel it goes to.
struct TiPlotFileEntry {
    int Channel = 0;
    TiPlotFilePoint Point;
};

// The header "<title>(X) TAB <title>(Y)" per channel, then a row per point index: X TAB Y,
// X TAB "Null", X TAB "" for an Empty point (a pair older readers skip), two empty columns
// past a channel's last point. Titles lose their TABs and line breaks.
QStringList PlotDataFileLines(const std::vector<TiPlotChannelCustom*>& Channels);

// Whether a first row is a log's header. A data header is a row of pairs "<t>(X)", "<t>(Y)"
// with one title each, which no log header is once titles hold no TAB (only a log of one
// untitled channel reads the same, and loads the same either way); other rows are a log's
// when they begin "(X)" in any case.
bool IsPlotLogHeader(const QString& Row);

// Every point of a data file or log for channels that can take MaxPoints[k] more points each,
// in file order. Raises conversion errors and the reason of too many points, unprefixed.
std::vector<TiPlotFileEntry> ParsePlotDataLines(const QStringList& Lines,
                                                const std::vector<qsizetype>& MaxPoints);
