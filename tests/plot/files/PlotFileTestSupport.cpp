#include "PlotFileTestSupport.h"

#include "platform/NumberText.h"

#include <QFile>

QString PlotFileFolder::Write(const QString& Name, const QByteArray& Bytes) const {
    QFile file(Path(Name));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(Bytes);
    return Path(Name);
}

QByteArray PlotFileFolder::Read(const QString& Name) const {
    QFile file(Path(Name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString PointsText(const TiPlotChannelCustom& Channel) {
    QStringList points;
    for (int i = 0; i < Channel.GetCount(); ++i) {
        double x = 0, y = 0;
        bool empty = false, null = false;
        Channel.GetXYEmptyNull(i, x, y, empty, null);
        const QString value = null    ? QStringLiteral("Null")
                              : empty ? QStringLiteral("Empty")
                                      : FloatToText(y);
        points << FloatToText(x) + QLatin1Char(',') + value;
    }
    return points.join(QLatin1Char(' '));
}
