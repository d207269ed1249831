// A seven-segment read-out of a signed real number with a fixed number of decimals and a
// decimal mark drawn between two cells; a number wider than its digits shows arrows.
#pragma once

#include "instruments/controls/iSevenSegmentDisplay.h"

class TiSevenSegmentAnalog : public TiSevenSegmentDisplay {
    Q_OBJECT
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(int Precision READ Precision WRITE SetPrecision)
    Q_PROPERTY(bool ShowSign READ ShowSign WRITE SetShowSign)

public:
    explicit TiSevenSegmentAnalog(QWidget* parent = nullptr);

    double Value() const { return value_; }
    // Finite values are held within +-1e15; NaN and the infinities are kept and show blanks.
    void SetValue(double value);
    int Precision() const { return precision_; }
    // At most 13 decimals; a negative count is none.
    void SetPrecision(int value);
    bool ShowSign() const { return showSign_; }
    void SetShowSign(bool value);

    void SetValueNoEvent(double value);

    TiSevenSegmentCells Cells() const override;

protected:
    int CellCount() const override { return DigitCount() + (showSign_ ? 1 : 0); }

private:
    void AppendNumber(TiSevenSegmentCells& cells) const;

    double value_ = 0;
    int precision_ = 2;
    bool showSign_ = true;
};
