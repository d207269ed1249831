// A plot collection as plain text, so that a form description (a .ui file) can hold it in
// one string property: one object per line, each line its stored values as Path=Value pairs
// separated by ';'. A backslash escapes itself, ';', '=', and stands before 'n' and 'r' for a
// line feed and a carriage return inside a value, so any text round-trips exactly. Every
// line ends with a line feed (the last one may omit it); an object with only default values
// is an empty line, and an empty collection is the empty text.
#pragma once

#include "plot/iPlotManagers.h"

#include <QString>

QString PlotCollectionToText(const TiPlotCollection& Collection);
// Raises "Invalid plot collection text (line L): <reason>" on malformed text.
TiPlotCollection PlotCollectionFromText(const QString& Text);
