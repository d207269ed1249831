#include "instruments/controls/iSevenSegmentInteger.h"

#include "SevenSegmentEventLog.h"
#include "platform/PropertyDefaults.h"
#include "platform/PropertyWalker.h"
#include "platform/RecordingCanvas.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

using TCodes = std::vector<TSevenSegmentCharacter>;
using TPoints = std::vector<TPoint>;

} // namespace

class TiSevenSegmentIntegerTest : public testing::Test {
protected:
    TiSevenSegmentInteger display;
};

TEST_F(TiSevenSegmentIntegerTest, PublishesTheSharedSettingsThenItsOwnAtTheirDefaults) {
    QStringList names;
    for (const QMetaProperty& p :
         PropertyWalker::Published(TiSevenSegmentInteger::staticMetaObject))
        names << p.name();
    const QStringList own = names.mid(names.indexOf("DigitCount"));
    EXPECT_EQ(own, QStringList({"DigitCount", "DigitSpacing", "LeadingStyle", "SegmentMargin",
                                "SegmentSize", "SegmentSeperation", "SegmentColor",
                                "SegmentOffColor", "AutoSegmentOffColor", "ShowOffSegments",
                                "PowerOff", "AutoSize", "BackGroundColor", "BorderStyle",
                                "Transparent", "Width", "Height", "Value", "ShowSign"}));
    // Hidden until shown, as a control without a form is.
    display.show();
    EXPECT_TRUE(PropertyDefaults::ValuesToStore(&display).isEmpty());
    EXPECT_EQ(display.width(), 84);
    EXPECT_EQ(display.height(), 28);
}

TEST_F(TiSevenSegmentIntegerTest, PadsWithBlanksOrZerosBehindTheSignCell) {
    display.SetDigitCount(3);
    display.SetValue(42);
    EXPECT_EQ(display.Cells().Codes, TCodes({sscPlus, sscBlank, ssc4, ssc2}));
    display.SetLeadingStyle(ilsNone);
    EXPECT_EQ(display.Cells().Codes, TCodes({sscPlus, ssc4, ssc2}));
    display.SetLeadingStyle(ilsZeros);
    display.SetValue(-7);
    EXPECT_EQ(display.Cells().Codes, TCodes({sscMinus, ssc0, ssc0, ssc7}));
    display.SetShowSign(false);
    EXPECT_EQ(display.Cells().Codes, TCodes({ssc0, ssc0, ssc7}));
}

TEST_F(TiSevenSegmentIntegerTest, NumberWiderThanItsDigitsShowsArrowsOfItsSign) {
    display.SetDigitCount(3);
    display.SetValue(1000);
    EXPECT_EQ(display.Cells().Codes, TCodes({sscPlus, sscUpArrow, sscUpArrow, sscUpArrow}));
    display.SetValue(-1000);
    EXPECT_EQ(display.Cells().Codes, TCodes({sscMinus, sscDownArrow, sscDownArrow, sscDownArrow}));
}

TEST_F(TiSevenSegmentIntegerTest, SmallestIntegerShowsItsFullMagnitude) {
    display.SetDigitCount(10);
    display.SetValue(std::numeric_limits<int>::min());
    EXPECT_EQ(display.Cells().Codes,
              TCodes({sscMinus, ssc2, ssc1, ssc4, ssc7, ssc4, ssc8, ssc3, ssc6, ssc4, ssc8}));
}

TEST_F(TiSevenSegmentIntegerTest, AutoSizeFollowsCellCountSpacingAndSegmentSize) {
    display.SetDigitCount(3);
    EXPECT_EQ(display.width(), 68);
    display.SetShowSign(false);
    EXPECT_EQ(display.width(), 52);
    display.SetSegmentSize(2);
    EXPECT_EQ(display.width(), (20 + 6) * 3 + 10 - 6);
    EXPECT_EQ(display.height(), 36 + 10);
    display.SetSegmentSize(500);
    EXPECT_EQ(display.SegmentSize(), 100);
    display.SetDigitCount(0);
    EXPECT_EQ(display.DigitCount(), 1);
    display.SetDigitCount(99);
    EXPECT_EQ(display.DigitCount(), 32);
    display.SetAutoSize(false);
    display.resize(81, 36);
    display.SetDigitCount(3);
    EXPECT_EQ(display.width(), 81);
}

TEST_F(TiSevenSegmentIntegerTest, StoredSizeIsKeptWhileLoading) {
    display.SetLoading(true);
    display.resize(81, 36);
    display.SetDigitCount(3);
    EXPECT_EQ(display.width(), 81);
    display.SetLoading(false);
    display.SetDigitSpacing(5);
    EXPECT_EQ(display.width(), 15 * 4 + 10 - 5);
}

TEST_F(TiSevenSegmentIntegerTest, CellsOfTheWindowsDisplayAreLaidOutFromTheMargin) {
    display.SetAutoSize(false);
    display.resize(81, 36);
    display.SetDigitCount(3);
    const TiSevenSegmentLayout layout = display.Layout();
    EXPECT_EQ(layout.CellWidth, 13);
    EXPECT_EQ(layout.CellHeight, 26);
    EXPECT_EQ(layout.FirstCell, TPoint({5, 5}));
    EXPECT_EQ(layout.Advance, 19);

    display.SetValue(8);
    TRecordingCanvas canvas;
    display.iPaintToDC(0, 0, false, canvas);
    const std::vector<TCanvasRecord> parts = canvas.RecordsOf(TCanvasOperation::Polygon);
    // Sign (3 parts), then three cells of 7 segments; the last cell's A segment.
    ASSERT_EQ(parts.size(), 3u + 3 * 7);
    EXPECT_EQ(parts[3 + 14].Points, TPoints({{63, 5}, {73, 5}, {71, 7}, {65, 7}}));
    EXPECT_EQ(parts[3 + 14].BrushColor, clWhite);
    EXPECT_EQ(parts[3].BrushColor, 0x555555);
}

TEST_F(TiSevenSegmentIntegerTest, ValueChangeIsAskedFirstThenToldByNameThenByEvent) {
    SevenSegmentEventLog log(display);
    bool allow = false;
    display.OnRequestEdit = [&](QObject*, const QString& name, bool& canEdit) {
        EXPECT_EQ(name, "Value");
        canEdit = allow;
    };
    display.SetValue(5);
    EXPECT_EQ(display.Value(), 0);
    allow = true;
    display.SetValue(5);
    display.SetValue(5);
    EXPECT_EQ(display.Value(), 5);
    EXPECT_EQ(log.entries, QStringList({"property Value", "value"}));
    display.SetValueNoEvent(6);
    EXPECT_EQ(display.Value(), 6);
    EXPECT_EQ(log.entries.size(), 3);
    display.SetValue(7);
    EXPECT_EQ(log.entries.size(), 5);
}
