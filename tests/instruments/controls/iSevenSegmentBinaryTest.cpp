#include "instruments/controls/iSevenSegmentBinary.h"

#include "SevenSegmentEventLog.h"
#include "platform/Exception.h"
#include "platform/PropertyDefaults.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

using TCodes = std::vector<TSevenSegmentCharacter>;
using TPoints = std::vector<TPoint>;

} // namespace
class TiSevenSegmentBinaryTest : public testing::Test {
protected:
    TiSevenSegmentBinary display;
};

TEST_F(TiSevenSegmentBinaryTest, StartsWithZerosLeadingAndItsOwnSize) {
    EXPECT_EQ(display.LeadingStyle(), ilsZeros);
    // Hidden until shown, as a control without a form is.
    display.show();
    EXPECT_TRUE(PropertyDefaults::ValuesToStore(&display).isEmpty());
    EXPECT_EQ(display.width(), 68);
    EXPECT_EQ(display.height(), 28);
}

TEST_F(TiSevenSegmentBinaryTest, TextsAreStoredWithoutPrefixAndBlankAsZero) {
    display.SetDigitCount(2);
    display.SetValueInteger(2);
    EXPECT_EQ(display.Value(), "10");
    display.SetValueInteger(1);
    EXPECT_EQ(display.Value(), "1");
    EXPECT_EQ(display.Cells().Codes, TCodes({ssc0, ssc1}));
    display.SetValue("0b11");
    EXPECT_EQ(display.Value(), "11");
    display.SetValue("  ");
    EXPECT_EQ(display.Value(), "0");
    display.SetValue("101");
    EXPECT_EQ(display.Cells().Codes, TCodes({sscUpArrow, sscUpArrow}));
}

TEST_F(TiSevenSegmentBinaryTest, InvalidAndOverlongTextsRaiseAndKeepTheValue) {
    try {
        display.SetValue("012");
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "012 not a valid Binary number");
    }
    const QString overlong(256, '1');
    try {
        display.SetValue(overlong);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), overlong + " exceeds 255 characters");
    }
    EXPECT_EQ(display.Value(), "0");
    display.SetValue(QString(255, '0'));
    EXPECT_EQ(display.Value().size(), 255);
}

TEST_F(TiSevenSegmentBinaryTest, PrefixedTextOfTheStoredValueIsNoChange) {
    display.SetValue("11");
    SevenSegmentEventLog log(display);
    display.SetValue("0b11");
    EXPECT_TRUE(log.entries.isEmpty());
    display.SetValue("0b110");
    EXPECT_EQ(log.entries, QStringList({"property Value", "value"}));
}

TEST_F(TiSevenSegmentBinaryTest, ValueIntegerReadsThirtyTwoBitsAndSaturatesBeyond) {
    display.SetValueInteger(-1);
    EXPECT_EQ(display.Value(), QString(32, '1'));
    EXPECT_EQ(display.ValueInteger(), -1);
    display.SetValue(QString(40, '0') + "101");
    EXPECT_EQ(display.ValueInteger(), 5);
    display.SetValue("1" + QString(32, '0'));
    EXPECT_EQ(display.ValueInteger(), -1);
    display.SetValueInteger(0);
    EXPECT_EQ(display.Value(), "0");
}

TEST_F(TiSevenSegmentBinaryTest, NoEventSetterRestoresTheHandlerWhenItRaises) {
    int events = 0;
    display.OnValueChange = [&](QObject*) { ++events; };
    EXPECT_THROW(display.SetValueNoEvent("2"), Exception);
    display.SetValueNoEvent("1");
    EXPECT_EQ(events, 0);
    display.SetValue("10");
    EXPECT_EQ(events, 1);
}
