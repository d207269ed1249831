// The rows of the channel data file and the channel log: "X TAB Y" per point, "X TAB Null" for
// a Null point and the lone X for an Empty point, a line older readers skip. Also what the
// plot's data file shares with it: a point as a file holds it and the cap on point counts.
#pragma once

#include "plot/iPlotTypes.h"

#include <QString>
#include <QStringList>
#include <vector>

struct TiPlotFilePoint {
    double X = 0;
    double Y = 0;
    TiPlotDataPointStatus Status = ipdpsValid;
};

QString ChannelFileRow(double X, double Y, bool Empty, bool Null);

// A title as file headers write it: a TAB or line break would split the header into other
// columns or rows, so each becomes a blank.
QString FileHeaderTitle(const QString& Title);

// The lines of a whole data file or log, ended by CR, LF or CR LF, of any length; the
// platform's open error when it cannot be read.
QStringList ReadDataFileLines(const QString& FileName);

// The point of an X and the text of its Y: "Null" in any case is Null, a blank text Empty,
// anything else a number (EConvertError when it is none).
TiPlotFilePoint FilePointFromTexts(double X, const QString& YText);

// Why a file that brings more than MaxPoints points to Channel ("channel 2", "the channel")
// is refused; loaders put "Error Loading Data - " in front.
QString TooManyPointsReason(qsizetype MaxPoints, const QString& Channel);

// Every line of a channel data file or log, split at the first TAB: lines without TAB or with
// a blank X are skipped, except a lone number, which is an Empty point. Conversion errors
// pass through unchanged; more than MaxPoints points raise "Error Loading Data - " and the reason.
std::vector<TiPlotFilePoint> ParseChannelFileLines(const QStringList& Lines, qsizetype MaxPoints);
