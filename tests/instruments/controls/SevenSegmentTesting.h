// Helpers of the seven-segment display tests: what the cells show, and the change
// notifications in the order they arrive.
#pragma once

#include "instruments/controls/iSevenSegmentDisplay.h"

#include <QStringList>

// One character per cell ('<' and '>' for the arrows), the decimal mark in its place.
inline QString Shown(const TiSevenSegmentDisplay& display) {
    const TiSevenSegmentCells cells = display.Cells();
    QString text;
    for (std::size_t i = 0; i < cells.Codes.size(); ++i) {
        if (int(i) == cells.MarkBefore) text += ConvertValueToCharacter(cells.Mark);
        text += ConvertValueToCharacter(cells.Codes[i]);
    }
    return text;
}

class SevenSegmentEventLog {
public:
    explicit SevenSegmentEventLog(TiSevenSegmentDisplay& display) {
        display.OnChangeProperty = [this](QObject*, const QString& name) {
            entries << "property " + name;
        };
        display.OnValueChange = [this](QObject*) { entries << QStringLiteral("value"); };
    }
    QStringList entries;
};
