// The plot's translation file: a line per translation, the text to translate, a TAB and its
// replacement (which may hold further TABs).
#pragma once

#include <QString>

class TiPlotComponent;

// More translations than any user interface has words: a longer file is no translation file.
inline constexpr int MaxPlotFileTranslations = 100000;

// Writes the oldest translation first, so that loading the file gives the list back as it
// was and a file loaded and saved again is written as it was read. A translation that no line
// can hold (a text to translate with a TAB, a line break in either text) raises before
// anything is written. Errors raise "Error Saving Translation Data - " and the error's
// message.
void SavePlotTranslations(const TiPlotComponent& Plot, const QString& FileName);
// Replaces every translation by the file's lines, in file order, each becoming the newest:
// of several lines with the same text the last wins the look-up. A line without TAB raises
// "Invalid Format - Tab Deliminator Missing"; the file is read whole first, so a file that
// fails changes nothing. Errors raise "Error Loading Data - " and the error's message.
void LoadPlotTranslations(TiPlotComponent& Plot, const QString& FileName);
