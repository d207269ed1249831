#include "instruments/controls/iSevenSegmentAnalog.h"

#include "SevenSegmentEventLog.h"
#include "platform/NumberText.h"
#include "platform/RecordingCanvas.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

using TCodes = std::vector<TSevenSegmentCharacter>;
using TPoints = std::vector<TPoint>;

} // namespace
class TiSevenSegmentAnalogTest : public testing::Test {
protected:
    // The window's carrier display.
    void UseWindowSize() {
        display.SetAutoSize(false);
        display.resize(121, 49);
    }

    TiSevenSegmentAnalog display;
};

TEST_F(TiSevenSegmentAnalogTest, ShowsFixedDecimalsWithTheMarkBeforeTheFraction) {
    display.SetValue(1.5);
    const TiSevenSegmentCells cells = display.Cells();
    EXPECT_EQ(cells.Codes, TCodes({sscPlus, sscBlank, ssc1, ssc5, ssc0}));
    EXPECT_EQ(cells.MarkBefore, 3);
    EXPECT_EQ(cells.Mark, sscPeriod);
    display.SetValue(-0.25);
    EXPECT_EQ(display.Cells().Codes, TCodes({sscMinus, sscBlank, ssc0, ssc2, ssc5}));
    display.SetValue(-0.0);
    EXPECT_EQ(display.Cells().Codes[0], sscPlus);
}

TEST_F(TiSevenSegmentAnalogTest, TextWiderThanTheDigitsAndMarkOverflows) {
    display.SetValue(123.456);
    EXPECT_EQ(display.Cells().Codes,
              TCodes({sscPlus, sscUpArrow, sscUpArrow, sscUpArrow, sscUpArrow}));
    display.SetValue(-99.99);
    EXPECT_EQ(display.Cells().Codes, TCodes({sscMinus, ssc9, ssc9, ssc9, ssc9}));
    display.SetPrecision(0);
    display.SetValue(12);
    const TiSevenSegmentCells whole = display.Cells();
    EXPECT_EQ(whole.Codes, TCodes({sscPlus, sscBlank, sscBlank, ssc1, ssc2}));
    EXPECT_LT(whole.MarkBefore, 0);
    display.SetValue(12345);
    EXPECT_EQ(display.Cells().Codes[1], sscUpArrow);
}

TEST_F(TiSevenSegmentAnalogTest, PrecisionIsBoundedToThirteenDecimals) {
    display.SetPrecision(20);
    EXPECT_EQ(display.Precision(), 13);
    display.SetPrecision(-1);
    EXPECT_EQ(display.Precision(), 0);
    display.SetDigitCount(1);
    display.SetPrecision(1);
    display.SetValue(0);
    EXPECT_EQ(display.Cells().Codes, TCodes({sscPlus, sscUpArrow}));
}

TEST_F(TiSevenSegmentAnalogTest, ValuesAreBoundedBothWaysAndNonFiniteShowBlanks) {
    display.SetValue(1e16);
    EXPECT_EQ(display.Value(), 1e15);
    display.SetValue(-1e16);
    EXPECT_EQ(display.Value(), -1e15);
    EXPECT_EQ(display.Cells().Codes[1], sscDownArrow);
    SevenSegmentEventLog log(display);
    display.SetValue(std::nan(""));
    display.SetValue(std::nan(""));
    EXPECT_EQ(log.entries.size(), 2);
    EXPECT_EQ(display.Cells().Codes, TCodes(5, sscBlank));
    display.SetValue(-std::numeric_limits<double>::infinity());
    EXPECT_EQ(display.Cells().Codes, TCodes(5, sscBlank));
}

TEST_F(TiSevenSegmentAnalogTest, CommaSeparatorDrawsACommaMark) {
    const QChar previous = SetDecimalSeparator(',');
    display.SetValue(1.5);
    const TiSevenSegmentCells cells = display.Cells();
    SetDecimalSeparator(previous);
    EXPECT_EQ(cells.Mark, sscComma);
    EXPECT_EQ(cells.Codes, TCodes({sscPlus, sscBlank, ssc1, ssc5, ssc0}));
}

TEST_F(TiSevenSegmentAnalogTest, MarkIsDrawnInTheSpacingAFifthOfACellWide) {
    UseWindowSize();
    const TiSevenSegmentLayout layout = display.Layout();
    EXPECT_EQ(layout.CellWidth, 17);
    EXPECT_EQ(layout.CellHeight, 39);
    EXPECT_EQ(layout.FirstCell, TPoint({6, 5}));
    EXPECT_EQ(layout.MarkWidth, 3);

    display.SetValue(1.5);
    display.SetShowOffSegments(false);
    TRecordingCanvas canvas;
    display.iPaintToDC(0, 0, false, canvas);
    const std::vector<TCanvasRecord> parts = canvas.RecordsOf(TCanvasOperation::Polygon);
    // Plus (2), "1" (2), the mark, "5" (5), "0" (6).
    ASSERT_EQ(parts.size(), 2u + 2 + 1 + 5 + 6);
    // The fourth cell starts at 6 + 3 * 23 = 75; the mark 5 pixels before it.
    EXPECT_EQ(parts[4].Points, TPoints({{70, 42}, {72, 42}, {72, 44}, {70, 44}}));
}

TEST_F(TiSevenSegmentAnalogTest, PrecisionAndSignChangesAutoSize) {
    UseWindowSize();
    display.SetAutoSize(true);
    EXPECT_EQ(display.width(), 84);
    display.SetShowSign(false);
    EXPECT_EQ(display.width(), 68);
    display.resize(121, 49);
    display.SetPrecision(3);
    EXPECT_EQ(display.width(), 68);
}
