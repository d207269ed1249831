#include "plot/channels/iPlotChannelDataFile.h"

#include "platform/Exception.h"
#include "platform/NumberText.h"
#include "platform/StringList.h"

#include <QStringList>

QString ChannelFileRow(double X, double Y, bool Empty, bool Null) {
    const QString x = FloatToText(X);
    if (Null) return x + QStringLiteral("\tNull");
    if (Empty) return x;
    return x + QLatin1Char('\t') + FloatToText(Y);
}

QString FileHeaderTitle(const QString& Title) {
    QString title = Title;
    for (const QChar c : {QLatin1Char('\t'), QLatin1Char('\r'), QLatin1Char('\n')})
        title.replace(c, QLatin1Char(' '));
    return title;
}

QStringList ReadDataFileLines(const QString& FileName) {
    TStringList file;
    file.LoadFromFile(FileName);
    QStringList lines;
    lines.reserve(file.Count());
    for (int i = 0; i < file.Count(); ++i)
        lines << file[i];
    return lines;
}

TiPlotFilePoint FilePointFromTexts(double X, const QString& YText) {
    const QString y = YText.trimmed();
    if (y.isEmpty()) return {X, 0, ipdpsEmpty};
    if (y.compare(QStringLiteral("NULL"), Qt::CaseInsensitive) == 0) return {X, 0, ipdpsNull};
    return {X, TextToFloat(y), ipdpsValid};
}

QString TooManyPointsReason(qsizetype MaxPoints, const QString& Channel) {
    return QStringLiteral("The file holds more points than %1 can take (at most %2)")
        .arg(Channel)
        .arg(MaxPoints);
}

std::vector<TiPlotFilePoint> ParseChannelFileLines(const QStringList& Lines, qsizetype MaxPoints) {
    std::vector<TiPlotFilePoint> points;
    for (const QString& line : Lines) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        const QString x = line.left(tab).trimmed();
        if (x.isEmpty()) continue;
        if (tab >= 0) {
            points.push_back(FilePointFromTexts(TextToFloat(x), line.mid(tab + 1)));
        } else {
            // Only this system writes a lone X, for an Empty point; other such lines were
            // always skipped.
            try {
                points.push_back({TextToFloat(x), 0, ipdpsEmpty});
            } catch (const EConvertError&) {
                continue;
            }
        }
        if (qsizetype(points.size()) > MaxPoints)
            throw Exception(QStringLiteral("Error Loading Data - ") +
                            TooManyPointsReason(MaxPoints, QStringLiteral("the channel")));
    }
    return points;
}
