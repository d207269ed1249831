#include "instruments/framework/Igpfunctions.h"

#include "tests/instruments/framework/RaisedMessage.h"

#include <QDialog>
#include <QPropertyAnimation>
#include <QTabWidget>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct Scale {
    double min = 0, max = 0;
    int ticks = 0;
};

Scale Adjustable(double min, double max, int desired, int maxTicks) {
    Scale s;
    GetAutoScaleValuesAdjustable(min, max, desired, maxTicks, s.min, s.max, s.ticks);
    return s;
}

Scale Fixed(double min, double max, int desired, int maxTicks) {
    Scale s;
    GetAutoScaleValuesFixed(min, max, desired, maxTicks, s.min, s.max, s.ticks);
    return s;
}

void ExpectScale(const Scale& s, double min, double max, int ticks) {
    EXPECT_DOUBLE_EQ(s.min, min);
    EXPECT_DOUBLE_EQ(s.max, max);
    EXPECT_EQ(s.ticks, ticks);
}

QString ConversionError(const QString& text) {
    return RaisedMessage([&] { iStrToInt(text); });
}

} // namespace

TEST(IgpfunctionsNumbers, DecimalPointsGiveTheSignificantDigitsOfTheSpan) {
    EXPECT_EQ(GetDecimalPoints(0, 1, 3, ipsSignificantDigits), 2);
    EXPECT_EQ(GetDecimalPoints(0, 0.5, 3, ipsSignificantDigits), 3);
    EXPECT_EQ(GetDecimalPoints(0, 0.05, 3, ipsSignificantDigits), 4);
    EXPECT_EQ(GetDecimalPoints(0, 0, 3, ipsSignificantDigits), 1);
    EXPECT_EQ(GetDecimalPoints(0, 100, 2, ipsSignificantDigits), 0);
    EXPECT_EQ(GetDecimalPoints(0, 1e308 * 10, 3, ipsSignificantDigits), 0);
    EXPECT_EQ(GetDecimalPoints(5, 7, 4, ipsFixedDecimalPoints), 4);
}

TEST(IgpfunctionsAutoScale, AdjustableWidensToNiceTicksOnEitherSideOfZero) {
    ExpectScale(Adjustable(0, 95, 5, 10), 0, 100, 5);
    ExpectScale(Adjustable(-10, 45, 5, 10), -10, 60, 8);
    ExpectScale(Adjustable(-95, -5, 5, 10), -100, 0, 5);
    ExpectScale(Adjustable(3, 3, 5, 10), 3, 3, 2);
}

TEST(IgpfunctionsAutoScale, StepsWithLeadingDigitsOneTwoTwoAndAHalfFiveOrSevenAndAHalfAreNice) {
    EXPECT_DOUBLE_EQ(Adjustable(0, 0.7, 2, 2).max, 0.75);
    EXPECT_DOUBLE_EQ(Adjustable(0, 7, 2, 2).max, 7.5);
    EXPECT_DOUBLE_EQ(Adjustable(0, 70, 2, 2).max, 75);
    // Steps of 3, 3.5, 4 and 4.5 are not nice.
    EXPECT_DOUBLE_EQ(Adjustable(0, 3, 2, 2).max, 5);
}

// 3 and 5 ticks are both one away from the 4 desired: the larger count wins.
TEST(IgpfunctionsAutoScale, ATieBetweenTickCountsGoesToTheLargerOne) {
    EXPECT_EQ(Adjustable(0, 95, 4, 10).ticks, 5);
}

TEST(IgpfunctionsAutoScale, FixedChoosesNiceTicksInsideTheRange) {
    ExpectScale(Fixed(0, 95, 5, 10), 0, 90, 10);
    ExpectScale(Fixed(-7, 13, 5, 10), -6, 12, 10);
}

TEST(IgpfunctionsAutoScale, OutputsKeepTheGivenRangeWhenNoTickCountFits) {
    ExpectScale(Adjustable(0, 95, 5, 1), 0, 95, 2);
    ExpectScale(Fixed(0, 95, 5, 1), 0, 95, 5);
}

TEST(IgpfunctionsNumberText, IntToStrStripsOrPadsLeadingZeros) {
    EXPECT_EQ(iIntToStr(5, iifsBinary, 4, true), "0101");
    EXPECT_EQ(iIntToStr(5, iifsBinary, 4, false), "101");
    EXPECT_EQ(iIntToStr(0, iifsHex, 8, false), "0");
    EXPECT_EQ(iIntToStr(0xBEEF, iifsHex, 0, false), "BEEF");
}

TEST(IgpfunctionsNumberText, OctalTextShowsAll32Bits) {
    EXPECT_EQ(iIntToStr(0xFFFFFFFFu, iifsOctal, 0, false), "37777777777");
    EXPECT_EQ(iIntToStr(0x40000000u, iifsOctal, 0, false), "10000000000");
}

TEST(IgpfunctionsNumberText, StrToIntReadsBinaryOctalAndToolkitIntegers) {
    EXPECT_EQ(iStrToInt("b101"), 5);
    EXPECT_EQ(iStrToInt("o17"), 15);
    EXPECT_EQ(iStrToInt("42"), 42);
    EXPECT_EQ(iStrToInt("-42"), -42);
    EXPECT_EQ(iStrToInt("$1F"), 31);
    EXPECT_EQ(iStrToInt(iIntToStr(0xFFFFFFFFu, iifsBinary, 0, false).prepend('b')), -1);
    EXPECT_EQ(iStrToInt(iIntToStr(0xFFFFFFFFu, iifsOctal, 0, false).prepend('o')), -1);
}

TEST(IgpfunctionsNumberText, StrToIntRaisesForDigitsOutsideTheBaseAndForOverflow) {
    EXPECT_EQ(ConversionError("b2"), "'2' is not a valid integer value");
    EXPECT_EQ(ConversionError("o9"), "'9' is not a valid integer value");
    EXPECT_EQ(ConversionError("b1x"), "'x' is not a valid integer value");
    EXPECT_EQ(ConversionError("b"), "'b' is not a valid integer value");
    const QString tooWide = "b1" + QString(32, '0');
    EXPECT_EQ(ConversionError(tooWide), "'" + tooWide + "' is not a valid integer value");
    EXPECT_EQ(ConversionError("o40000000000"), "'o40000000000' is not a valid integer value");
}

TEST(IgpfunctionsColour, DimColorDividesEachChannelAndSurvivesADivisorOfZero) {
    EXPECT_EQ(DimColor(RGBColor(200, 100, 50), 2), RGBColor(100, 50, 25));
    EXPECT_EQ(DimColor(RGBColor(200, 100, 50), 0), RGBColor(200, 100, 50));
    EXPECT_EQ(iGetGValue(RGBColor(1, 2, 3)), 2);
}

TEST(IgpfunctionsGeometry, RadialPointsRoundHalvesToEvenAndReversalExchangesXAndY) {
    EXPECT_EQ(GetXYRadPoint(90, 10, {50, 50}), (TPoint{50, 40}));
    EXPECT_EQ(GetXYRadPoint(0, 2.5, {0, 0}), (TPoint{2, 0}));
    EXPECT_EQ(GetXYRadPoint(180, 3.5, {0, 0}), (TPoint{-4, 0}));
    EXPECT_EQ(iXYReverseRect(true, 10, 2, 4, 8), (TRect{2, 4, 8, 10}));
    EXPECT_EQ(iXYReverseRect(false, 10, 2, 4, 8), (TRect{4, 2, 10, 8}));
}

class IgpfunctionsWindows : public testing::Test {
protected:
    QDialog form;
    QWidget* panel = new QWidget(&form);
    QWidget* control = new QWidget(panel);
};

TEST_F(IgpfunctionsWindows, ControlParentMarksTheChainButDesigningOnlyTheComponent) {
    SetParentsToTopMost(control);
    iSetDesigning(panel);
    EXPECT_TRUE(iGetDesigning(panel));
    EXPECT_FALSE(iGetDesigning(control));
    EXPECT_TRUE(IsControlParent(control));
    EXPECT_TRUE(IsControlParent(panel));
    EXPECT_TRUE(IsControlParent(&form));
    SetWindowToControlParent(panel, false);
    EXPECT_FALSE(IsControlParent(panel));
}

TEST_F(IgpfunctionsWindows, CustomFormOwnerIsTheFirstFormElseTheLastWidget) {
    QObject part(control);
    EXPECT_EQ(GetCustomFormOwner(&part), &form);
    QWidget top;
    QWidget inner(&top);
    QObject loose(&inner);
    EXPECT_EQ(GetCustomFormOwner(&loose), &top);
    EXPECT_EQ(GetCustomFormOwner(&top), nullptr);
}

TEST_F(IgpfunctionsWindows, ActivePageIndexIgnoresIndicesOutsideThePages) {
    QTabWidget pages;
    EXPECT_EQ(GetActivePageIndex(&pages), -1);
    pages.addTab(new QWidget, "a");
    pages.addTab(new QWidget, "b");
    SetActivePageIndex(&pages, 1);
    EXPECT_EQ(GetActivePageIndex(&pages), 1);
    SetActivePageIndex(&pages, 2);
    SetActivePageIndex(&pages, -1);
    EXPECT_EQ(GetActivePageIndex(&pages), 1);
}

TEST_F(IgpfunctionsWindows, ObjectPropertyAnswersOnlyObjectPointerProperties) {
    QPropertyAnimation animation(control, "pos");
    EXPECT_EQ(GetObjectProperty(&animation, "targetObject"), control);
    EXPECT_EQ(GetObjectProperty(&animation, "duration"), nullptr);
    EXPECT_EQ(GetObjectProperty(&animation, "noSuchProperty"), nullptr);
}
