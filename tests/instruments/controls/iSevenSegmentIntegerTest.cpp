#include "instruments/controls/iSevenSegmentInteger.h"
#include "GuardCatchWatch.h"
#include "platform/Geometry.h"

#include "SevenSegmentTesting.h"
#include "platform/PropertyDefaults.h"
#include "platform/PropertyWalker.h"
#include "platform/RecordingCanvas.h"

#include <gtest/gtest.h>
#include <limits>

using TPoints = std::vector<TPoint>;

class TiSevenSegmentIntegerTest : public testing::Test {
protected:
    TiSevenSegmentInteger display;
};

TEST_F(TiSevenSegmentIntegerTest, PublishesTheSharedSettingsThenItsOwnAtTheirDefaults) {
    QStringList names;
    for (const QMetaProperty& p :
         PropertyWalker::Published(TiSevenSegmentInteger::staticMetaObject))
        names << p.name();
    EXPECT_EQ(names.mid(names.indexOf("DigitCount")),
              QString("DigitCount DigitSpacing LeadingStyle SegmentMargin SegmentSize "
                      "SegmentSeperation SegmentColor SegmentOffColor AutoSegmentOffColor "
                      "ShowOffSegments PowerOff AutoSize BackGroundColor BorderStyle Transparent "
                      "Width Height Value ShowSign")
                  .split(' '));
    // Hidden until shown, as a control without a form is.
    display.show();
    EXPECT_TRUE(PropertyDefaults::ValuesToStore(&display).isEmpty());
    EXPECT_EQ(display.width(), 84);
    EXPECT_EQ(display.height(), 28);
}

TEST_F(TiSevenSegmentIntegerTest, PadsWithBlanksOrZerosBehindTheSignCell) {
    display.SetDigitCount(3);
    display.SetValue(42);
    EXPECT_EQ(Shown(display), "+ 42");
    display.SetLeadingStyle(ilsNone);
    EXPECT_EQ(Shown(display), "+42");
    display.SetLeadingStyle(ilsZeros);
    display.SetValue(-7);
    EXPECT_EQ(Shown(display), "-007");
    display.SetShowSign(false);
    EXPECT_EQ(Shown(display), "007");
}

TEST_F(TiSevenSegmentIntegerTest, NumberWiderThanItsDigitsShowsArrowsOfItsSign) {
    display.SetDigitCount(3);
    display.SetValue(1000);
    EXPECT_EQ(Shown(display), "+<<<");
    display.SetValue(-1000);
    EXPECT_EQ(Shown(display), "->>>");
    display.SetValue(std::numeric_limits<int>::min());
    EXPECT_EQ(Shown(display), "->>>");
    display.SetDigitCount(10);
    EXPECT_EQ(Shown(display), "-2147483648");
}

TEST_F(TiSevenSegmentIntegerTest, AutoSizeFollowsTheCellsExceptWhileLoadingOrOff) {
    display.SetDigitCount(3);
    EXPECT_EQ(display.width(), 68);
    display.SetShowSign(false);
    display.SetSegmentSize(2);
    EXPECT_EQ(display.width(), (20 + 6) * 3 + 10 - 6);
    EXPECT_EQ(display.height(), 36 + 10);
    display.SetDigitCount(0);
    EXPECT_EQ(display.DigitCount(), 1);
    display.SetLoading(true);
    display.resize(81, 36);
    display.SetDigitCount(3);
    EXPECT_EQ(display.width(), 81);
    display.SetLoading(false);
    display.SetAutoSize(false);
    display.SetDigitSpacing(5);
    EXPECT_EQ(display.width(), 81);
}

// Sized and painted, these reached the integer limit in the layout and glyph arithmetic.
TEST_F(TiSevenSegmentIntegerTest, ExtremeSizeSettingsAreBoundedBeforeAnyArithmetic) {
    display.SetAutoSize(false);
    display.SetDigitCount(32);
    display.SetDigitSpacing(std::numeric_limits<int>::min());
    EXPECT_EQ(display.DigitSpacing(), -32000);
    display.SetDigitSpacing(std::numeric_limits<int>::max());
    display.SetSegmentMargin(std::numeric_limits<int>::max());
    display.SetSegmentSeperation(std::numeric_limits<int>::max());
    display.SetSegmentSize(std::numeric_limits<int>::max());
    EXPECT_EQ(display.DigitSpacing(), 32000);
    EXPECT_EQ(display.SegmentMargin(), 32000);
    EXPECT_EQ(display.SegmentSeperation(), 32000);
    EXPECT_EQ(display.SegmentSize(), 100);
    int width = 0;
    int height = 0;
    display.GetAutoSize(width, height);
    EXPECT_EQ(width, MaxPixelExtent);
    TRecordingCanvas canvas;
    display.iPaintToDC(0, 0, false, canvas);
    EXPECT_EQ(canvas.RecordsOf(TCanvasOperation::Polygon).size(), 3u + 32 * 7);
}

// The settings once asked for a background of about 25 GB and took the program down.
TEST_F(TiSevenSegmentIntegerTest, AutoSizeOfTheLargestSettingsStaysSaneAndPaintsWithoutDying) {
    const ExpectedGuardCatches expected;
    display.SetDigitCount(32);
    display.SetSegmentSize(100);
    display.SetSegmentMargin(32000);
    EXPECT_EQ(display.size(), QSize(MaxPixelExtent, MaxPixelExtent));
    QImage image(100, 100, QImage::Format_RGB32);
    EXPECT_NO_THROW(display.render(&image));
}

TEST_F(TiSevenSegmentIntegerTest, CellsOfTheWindowsDisplayAreLaidOutFromTheMargin) {
    display.SetAutoSize(false);
    display.resize(81, 36);
    display.SetDigitCount(3);
    display.SetValue(8);
    TRecordingCanvas canvas;
    display.iPaintToDC(0, 0, false, canvas);
    const std::vector<TCanvasRecord> parts = canvas.RecordsOf(TCanvasOperation::Polygon);
    // The sign's 3 parts, then three cells of 7 segments; the last, 13 x 26 from 5 + 3 * 19,
    // has its A segment lit.
    ASSERT_EQ(parts.size(), 3u + 3 * 7);
    EXPECT_EQ(parts[3 + 14].Points, TPoints({{63, 5}, {73, 5}, {71, 7}, {65, 7}}));
    EXPECT_EQ(parts[3 + 17].Points, TPoints({{63, 30}, {73, 30}, {71, 28}, {65, 28}}));
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
    EXPECT_EQ(log.entries, QStringList({"property Value", "value"}));
    display.SetValueNoEvent(6);
    EXPECT_EQ(display.Value(), 6);
    EXPECT_EQ(log.entries.size(), 3);
}
