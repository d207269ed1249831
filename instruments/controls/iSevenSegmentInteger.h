// A seven-segment read-out of a signed 32-bit integer, with an optional sign cell; a number
// wider than its digits shows a row of arrows.
#pragma once

#include "instruments/controls/iSevenSegmentDisplay.h"

class TiSevenSegmentInteger : public TiSevenSegmentDisplay {
    Q_OBJECT
    Q_PROPERTY(int Value READ Value WRITE SetValue)
    Q_PROPERTY(bool ShowSign READ ShowSign WRITE SetShowSign)

public:
    explicit TiSevenSegmentInteger(QWidget* parent = nullptr);

    int Value() const { return value_; }
    void SetValue(int value);
    bool ShowSign() const { return showSign_; }
    void SetShowSign(bool value);

    void SetValueNoEvent(int value);

    TiSevenSegmentCells Cells() const override;

protected:
    int CellCount() const override { return DigitCount() + (showSign_ ? 1 : 0); }

private:
    int value_ = 0;
    bool showSign_ = true;
};
