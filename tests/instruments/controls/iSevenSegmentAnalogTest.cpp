#include "instruments/controls/iSevenSegmentAnalog.h"

#include "SevenSegmentTesting.h"
#include "platform/NumberText.h"
#include "platform/RecordingCanvas.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using TPoints = std::vector<TPoint>;

class TiSevenSegmentAnalogTest : public testing::Test {
protected:
    TiSevenSegmentAnalog display;
};

TEST_F(TiSevenSegmentAnalogTest, ShowsFixedDecimalsWithTheMarkBeforeTheFraction) {
    display.SetValue(1.5);
    EXPECT_EQ(Shown(display), "+ 1.50");
    display.SetValue(-0.25);
    EXPECT_EQ(Shown(display), "- 0.25");
    display.SetValue(-0.0);
    EXPECT_EQ(Shown(display), "+ 0.00");
    const QChar previous = SetDecimalSeparator(',');
    const QString withComma = Shown(display);
    SetDecimalSeparator(previous);
    EXPECT_EQ(withComma, "+ 0,00");
}

TEST_F(TiSevenSegmentAnalogTest, TextWiderThanTheDigitsAndMarkOverflows) {
    display.SetValue(123.456);
    EXPECT_EQ(Shown(display), "+<<<<");
    display.SetValue(-99.99);
    EXPECT_EQ(Shown(display), "-99.99");
    display.SetPrecision(0);
    display.SetValue(12);
    EXPECT_EQ(Shown(display), "+  12");
    display.SetValue(12345);
    EXPECT_EQ(Shown(display), "+<<<<");
    display.SetDigitCount(1);
    display.SetPrecision(1);
    display.SetValue(0);
    EXPECT_EQ(Shown(display), "+<");
}

TEST_F(TiSevenSegmentAnalogTest, ValuesAreBoundedBothWaysAndNonFiniteShowBlanks) {
    display.SetValue(1e16);
    EXPECT_EQ(display.Value(), 1e15);
    display.SetValue(-1e16);
    EXPECT_EQ(display.Value(), -1e15);
    EXPECT_EQ(Shown(display), "->>>>");
    SevenSegmentEventLog log(display);
    display.SetValue(std::nan(""));
    display.SetValue(std::nan(""));
    EXPECT_EQ(log.entries.size(), 2);
    EXPECT_EQ(Shown(display), "     ");
    display.SetValue(-std::numeric_limits<double>::infinity());
    EXPECT_EQ(Shown(display), "     ");
    display.SetValue(std::numeric_limits<double>::infinity());
    EXPECT_EQ(Shown(display), "     ");
}

TEST_F(TiSevenSegmentAnalogTest, MarkIsDrawnInTheSpacingAFifthOfACellWide) {
    // The window's carrier display.
    display.SetAutoSize(false);
    display.resize(121, 49);
    EXPECT_EQ(display.Layout().CellWidth, 17);
    EXPECT_EQ(display.Layout().CellHeight, 39);
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
