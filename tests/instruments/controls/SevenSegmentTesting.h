// Records the change notifications of a seven-segment display in the order they arrive.
#pragma once

#include "instruments/controls/iSevenSegmentDisplay.h"

#include <QStringList>

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
