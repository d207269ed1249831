#include "instruments/controls/iSevenSegmentBinary.h"

#include "SevenSegmentTesting.h"
#include "platform/Exception.h"
#include "platform/PropertyDefaults.h"

#include <gtest/gtest.h>

class TiSevenSegmentBinaryTest : public testing::Test {
protected:
    // The message SetValue raises for the text; empty when it raises nothing.
    QString Rejection(const QString& text) {
        try {
            display.SetValue(text);
        } catch (const Exception& e) {
            return e.Message();
        }
        return {};
    }

    TiSevenSegmentBinary display;
};

TEST_F(TiSevenSegmentBinaryTest, TextsAreStoredWithoutPrefixAndBlankAsZero) {
    // Hidden until shown, as a control without a form is.
    display.show();
    EXPECT_TRUE(PropertyDefaults::ValuesToStore(&display).isEmpty());
    EXPECT_EQ(display.width(), 68);
    display.SetDigitCount(2);
    display.SetValueInteger(2);
    EXPECT_EQ(display.Value(), "10");
    display.SetValueInteger(1);
    EXPECT_EQ(Shown(display), "01");
    display.SetValue("0b11");
    EXPECT_EQ(display.Value(), "11");
    display.SetValue("  ");
    EXPECT_EQ(display.Value(), "0");
    display.SetValue("101");
    EXPECT_EQ(Shown(display), "<<");
}

TEST_F(TiSevenSegmentBinaryTest, InvalidAndOverlongTextsRaiseAndKeepTheValue) {
    EXPECT_EQ(Rejection("012"), "012 not a valid Binary number");
    const QString overlong(256, '1');
    EXPECT_EQ(Rejection(overlong), overlong + " exceeds 255 characters");
    EXPECT_EQ(display.Value(), "0");
    EXPECT_EQ(Rejection(QString(255, '0')), "");
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
