// Files in a temporary folder for the tests of the plot's data files and logs, and the points
// of a channel as text to compare whole.
#pragma once

#include "plot/channels/iPlotChannelCustom.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class PlotFileFolder {
public:
    QString Path(const QString& Name) const { return dir_.filePath(Name); }
    // Writes Bytes under Name and answers the file's path.
    QString Write(const QString& Name, const QByteArray& Bytes) const;
    QByteArray Read(const QString& Name) const;

private:
    QTemporaryDir dir_;
};

// "x,y" per valid point, "x,Null" and "x,Empty" otherwise, separated by blanks; numbers as
// files write them.
QString PointsText(const TiPlotChannelCustom& Channel);
