#include "plot/iPlotDataFile.h"

#include "platform/Exception.h"
#include "platform/NumberText.h"
#include "plot/channels/iPlotChannelCustom.h"

#include <algorithm>

namespace {

const QString XSuffix = QStringLiteral("(X)");
const QString YSuffix = QStringLiteral("(Y)");

void AppendPointColumns(QStringList& Columns, const TiPlotChannelCustom& Channel, int Index) {
    if (Index >= Channel.GetCount()) {
        Columns << QString() << QString();
        return;
    }
    double x = 0, y = 0;
    bool empty = false, null = false;
    Channel.GetXYEmptyNull(Index, x, y, empty, null);
    Columns << FloatToText(x)
            << (null    ? QStringLiteral("Null")
                : empty ? QString()
                        : FloatToText(y));
}

bool IsDataHeader(const QStringList& Columns) {
    if (Columns.size() % 2 != 0) return false;
    for (qsizetype k = 0; k + 1 < Columns.size(); k += 2) {
        const QString& x = Columns[k];
        const QString& y = Columns[k + 1];
        if (!x.endsWith(XSuffix) || !y.endsWith(YSuffix) || x.chopped(3) != y.chopped(3))
            return false;
    }
    return true;
}

class TEntryList {
public:
    explicit TEntryList(const std::vector<qsizetype>& MaxPoints)
        : maxPoints_(MaxPoints), counts_(MaxPoints.size(), 0) {}
    int ChannelCount() const { return int(maxPoints_.size()); }
    void Add(int Channel, const TiPlotFilePoint& Point) {
        const size_t k = size_t(Channel);
        if (++counts_[k] > maxPoints_[k])
            throw Exception(
                TooManyPointsReason(maxPoints_[k], QStringLiteral("channel %1").arg(Channel)));
        entries_.push_back({Channel, Point});
    }
    std::vector<TiPlotFileEntry> Take() { return std::move(entries_); }

private:
    const std::vector<qsizetype>& maxPoints_;
    std::vector<qsizetype> counts_;
    std::vector<TiPlotFileEntry> entries_;
};

void ParseDataRow(const QStringList& Columns, TEntryList& Entries) {
    const int pairs = int(std::min<qsizetype>(Columns.size() / 2, Entries.ChannelCount()));
    for (int k = 0; k < pairs; ++k) {
        const QString x = Columns[2 * k].trimmed();
        if (x.isEmpty()) continue;
        Entries.Add(k, FilePointFromTexts(TextToFloat(x), Columns[2 * k + 1]));
    }
}

void ParseLogRow(const QStringList& Columns, TEntryList& Entries) {
    const QString first = Columns[0].trimmed();
    if (first.isEmpty()) return;
    const double x = TextToFloat(first);
    const int count = int(std::min<qsizetype>(Columns.size() - 1, Entries.ChannelCount()));
    for (int k = 0; k < count; ++k) {
        const QString& y = Columns[k + 1];
        // A log writes an Empty point as an empty column, which adds nothing.
        if (!y.trimmed().isEmpty()) Entries.Add(k, FilePointFromTexts(x, y));
    }
}

} // namespace

QStringList PlotDataFileLines(const std::vector<TiPlotChannelCustom*>& Channels) {
    QStringList header;
    int rows = 0;
    for (const TiPlotChannelCustom* channel : Channels) {
        const QString title = FileHeaderTitle(channel->TitleText());
        header << title + XSuffix << title + YSuffix;
        rows = std::max(rows, channel->GetCount());
    }
    QStringList lines{header.join(QLatin1Char('\t'))};
    for (int i = 0; i < rows; ++i) {
        QStringList columns;
        for (const TiPlotChannelCustom* channel : Channels)
            AppendPointColumns(columns, *channel, i);
        lines << columns.join(QLatin1Char('\t'));
    }
    return lines;
}

bool IsPlotLogHeader(const QString& Row) {
    if (IsDataHeader(Row.split(QLatin1Char('\t')))) return false;
    return Row.left(3).toUpper() == XSuffix;
}

std::vector<TiPlotFileEntry> ParsePlotDataLines(const QStringList& Lines,
                                                const std::vector<qsizetype>& MaxPoints) {
    TEntryList entries(MaxPoints);
    if (Lines.isEmpty()) return entries.Take();
    const bool log = IsPlotLogHeader(Lines[0]);
    for (qsizetype i = 1; i < Lines.size(); ++i) {
        const QStringList columns = Lines[i].split(QLatin1Char('\t'));
        if (log)
            ParseLogRow(columns, entries);
        else
            ParseDataRow(columns, entries);
    }
    return entries.Take();
}
