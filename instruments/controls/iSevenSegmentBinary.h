// A seven-segment read-out of a text of binary digits, up to 255 of them; a text wider than
// the digits shows a row of arrows.
#pragma once

#include "instruments/controls/iSevenSegmentDisplay.h"

class TiSevenSegmentBinary : public TiSevenSegmentDisplay {
    Q_OBJECT
    Q_PROPERTY(QString Value READ Value WRITE SetValue)
    Q_PROPERTY(int ValueInteger READ ValueInteger WRITE SetValueInteger STORED false)

public:
    explicit TiSevenSegmentBinary(QWidget* parent = nullptr);

    QString Value() const { return value_; }
    // Accepts an optional "0b" prefix; a blank text is "0". Raises "<text> exceeds 255
    // characters" and "<text> not a valid Binary number".
    void SetValue(const QString& value);
    // The value's bits as a 32-bit pattern; a value beyond 32 bits reads as all 32 bits set.
    int ValueInteger() const;
    // Written as the unsigned 32-bit number, without leading zeros.
    void SetValueInteger(int value);

    void SetValueNoEvent(const QString& value);

    TiSevenSegmentCells Cells() const override;

private:
    QString value_ = QStringLiteral("0");
};
