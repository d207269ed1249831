#include "plot/iPlotAxisTicks.h"
#include "plot/iPlotAxisText.h"

#include "instruments/framework/Idateutils.h"

#include <QStringList>
#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using V = std::vector<double>;

// A horizontal axis from pixel 0 to 800 where each label needs 100 pixels: room for 9.
class PlotAxisTicks : public testing::Test {
protected:
    TiPlotAxisTicks Calc(int runLength = 800) {
        const TiPlotAxisMap map(range, {0, runLength, true});
        return TiPlotAxisTicks::Compute(range, map, request);
    }
    V Positions(int style, int runLength = 800) {
        V values;
        for (const TiPlotTick& tick : Calc(runLength).Ticks)
            if (tick.Style == style) values.push_back(tick.Position);
        return values;
    }
    V Majors(int runLength = 800) { return Positions(PlotTickMajor, runLength); }
    static void ExpectNear(const V& actual, const V& expected) {
        ASSERT_EQ(actual.size(), expected.size());
        for (size_t i = 0; i < actual.size(); ++i)
            EXPECT_NEAR(actual[i], expected[i], 1e-9 * std::max(1.0, std::abs(expected[i])));
    }

    TiPlotAxisRange range;
    TiPlotAxisTextFormat format;
    TiPlotAxisTickRequest request{
        .MaxLabelLengthPixels = 100, .LabelText = [this](double v) {
            return PlotAxisValueText(v, format, range.Span(), range.IsLog()).Text;
        }};
};

TEST_F(PlotAxisTicks, LinearRangeOfTenGetsStepsOfTwoWithOneMinorBetween) {
    range.SetSpan(10);
    const TiPlotAxisTicks ticks = Calc();
    QStringList labels;
    V minors;
    for (const TiPlotTick& tick : ticks.Ticks) {
        if (tick.Style == PlotTickMajor)
            labels << tick.Label;
        else
            minors.push_back(tick.Position);
        EXPECT_TRUE(tick.Visible);
    }
    EXPECT_EQ(labels, QStringList({"0.0", "2.0", "4.0", "6.0", "8.0", "10.0"}));
    ExpectNear(minors, {1, 3, 5, 7, 9});
    EXPECT_EQ(ticks.Ticks[1].Pixel, 80);
}

TEST_F(PlotAxisTicks, LinearStepsFitTheLabelsThatHaveRoom) {
    range.SetMinSpan(-120, 240);
    ExpectNear(Majors(400), {-100, -50, 0, 50, 100});
    // A label longer than the whole scale leaves one step, wider than the range.
    request.MaxLabelLengthPixels = 5000;
    ExpectNear(Majors(400), {0});
}

TEST_F(PlotAxisTicks, LogRangeOfDecadesGetsDecadeMajorsAndMinorsBetween) {
    range.SetScaleType(ipstLog10);
    range.SetMinSpan(1, 999);
    ExpectNear(Majors(300), {1, 10, 100, 1000});
    const V minors = Positions(PlotTickMinor, 300);
    ASSERT_EQ(minors.size(), 24u);
    EXPECT_NEAR(minors.front(), 2, 1e-12);
    EXPECT_NEAR(minors.back(), 900, 1e-9);
}

TEST_F(PlotAxisTicks, LogRangeWithTooManyDecadesStridesThroughThem) {
    range.SetScaleType(ipstLog10);
    range.SetMinSpan(1, 1e20);
    EXPECT_EQ(Majors(200), (V{1, 1e10, 1e20}));
    EXPECT_TRUE(Positions(PlotTickMinor, 200).empty());
}

TEST_F(PlotAxisTicks, LogRangeBelowOneDecadeUsesLinearSteps) {
    range.SetScaleType(ipstLog10);
    range.SetMinSpan(2, 6);
    ExpectNear(Majors(500), {2, 3, 4, 5, 6, 7, 8});
}

TEST_F(PlotAxisTicks, DateTimeStepsFollowTheSpan) {
    format.Style = iptfDateTime;
    request.FormatStyle = iptfDateTime;
    request.MinorCount = 0;
    range.SetMinSpan(0, 30.0 / 86400);
    ExpectNear(Majors(600), {0, 5.0 / 86400, 10.0 / 86400, 15.0 / 86400, 20.0 / 86400, 25.0 / 86400,
                             30.0 / 86400});
    range.SetMinSpan(0, 3);
    ExpectNear(Majors(400), {0, 1, 2, 3});
}

TEST_F(PlotAxisTicks, LongDateTimeRangesStepByMonthsFromTheFirstOfAMonth) {
    request.FormatStyle = iptfDateTime;
    range.SetMinSpan(45000.5, 400);
    const TiPlotAxisTicks ticks = Calc(400);
    EXPECT_TRUE(ticks.MonthSteps);
    ASSERT_GE(ticks.Ticks.size(), 4u);
    for (size_t i = 0; i < ticks.Ticks.size(); ++i) {
        EXPECT_EQ(ticks.Ticks[i].Style, PlotTickMajor);
        EXPECT_EQ(DayOf(ticks.Ticks[i].Position), 1);
        EXPECT_EQ(HourOf(ticks.Ticks[i].Position), 0);
        if (i > 0) {
            EXPECT_EQ(
                (MonthOf(ticks.Ticks[i].Position) + 12 - MonthOf(ticks.Ticks[i - 1].Position)) % 12,
                3);
        }
    }
}

TEST_F(PlotAxisTicks, CalendarStepsOutsideTheCalendarFinishAndLeaveTheRange) {
    request.FormatStyle = iptfDateTime;
    for (double min : {-1e6, 5e6, 1e300}) {
        range.SetMinSpan(min, 1e5);
        Calc(400);
        EXPECT_EQ(range.Min(), min);
        EXPECT_EQ(range.Span(), 1e5);
    }
}

TEST_F(PlotAxisTicks, CenturiesStepByYearsAcrossTheWholeRange) {
    request.FormatStyle = iptfDateTime;
    range.SetMinSpan(0, 36525 * 3);
    const TiPlotAxisTicks ticks = Calc(400);
    EXPECT_TRUE(ticks.YearSteps);
    std::vector<int> years;
    for (const TiPlotTick& tick : ticks.Ticks)
        years.push_back(YearOf(tick.Position));
    EXPECT_EQ(years, (std::vector<int>{1900, 2000, 2100, 2200}));
}

TEST_F(PlotAxisTicks, PriceStepsAreBinaryFractionsOfOne) {
    request.FormatStyle = iptfPrice32nds;
    request.MinorCount = 0;
    range.SetMinSpan(100, 1);
    ExpectNear(Majors(400), {100, 100.25, 100.5, 100.75, 101});
}

TEST_F(PlotAxisTicks, DesiredIncrementAndStartPlaceTheMajors) {
    range.SetSpan(10);
    request.DesiredIncrement = 2;
    request.DesiredStart = 3;
    request.MinorCount = 0;
    ExpectNear(Majors(), {1, 3, 5, 7, 9});
    // Without labels a step whose ticks fit the pixels is taken even when labels would not.
    request.LabelsVisible = false;
    request.DesiredIncrement = 0.5;
    request.DesiredStart = 0;
    EXPECT_EQ(Majors().size(), 21u);
    request.LabelsVisible = true;
    EXPECT_EQ(Majors().size(), 6u);
}

TEST_F(PlotAxisTicks, HostileSettingsFinishWithBoundedTicks) {
    request.MaxLabelLengthPixels = 0;
    request.MinorCount = INT_MAX;
    request.DesiredIncrement = -5;
    EXPECT_LE(Calc(32000).Ticks.size(), size_t(MaxPlotAxisTicks));
    request.DesiredIncrement = 1e-300;
    request.DesiredStart = 50;
    EXPECT_LE(Calc(32000).Ticks.size(), size_t(MaxPlotAxisTicks));
    request.MinorCount = 1;
    range.SetMinSpan(1e300, 1e-300);
    EXPECT_LE(Calc(-50).Ticks.size(), 2u);
    range.SetMinSpan(-1e300, 1e300);
    EXPECT_FALSE(Calc(0).Ticks.empty());
    range.SetScaleType(ipstLog10);
    range.SetMinSpan(1e-300, 1e300);
    EXPECT_LE(Calc(32000).Ticks.size(), size_t(MaxPlotAxisTicks));
}

TEST(PlotAxisValueText, ValuesTakeTheDecimalsOfTheSpan) {
    const TiPlotAxisTextFormat format;
    EXPECT_EQ(PlotAxisValueText(5, format, 10, false).Text, "5.0");
    EXPECT_EQ(PlotAxisValueText(50, format, 100, false).Text, "50");
    EXPECT_EQ(PlotAxisValueText(1, format, 2, false).Text, "1.00");
    EXPECT_EQ(PlotAxisValueText(0.25, format, 0.5, false).Text, "0.250");
    EXPECT_EQ(PlotAxisValueText(-0.04, format, 10, false).Text, "0.0");
    TiPlotAxisTextFormat fixed;
    fixed.PrecisionStyle = ipsFixedDecimalPoints;
    fixed.Precision = 2;
    EXPECT_EQ(PlotAxisValueText(1234.5678, fixed, 1e6, false).Text, "1234.57");
}

TEST(PlotAxisValueText, LogValuesShowTheirOwnDecimalsAndNothingBelowZero) {
    const TiPlotAxisTextFormat format;
    EXPECT_EQ(PlotAxisValueText(0.01, format, 100, true).Text, "0.01");
    EXPECT_EQ(PlotAxisValueText(1000, format, 100, true).Text, "1000");
    const TiPlotAxisValueText none = PlotAxisValueText(0, format, 100, true);
    EXPECT_EQ(none.Text, "Unknown");
    EXPECT_FALSE(none.Made);
}

TEST(PlotAxisValueText, ExponentAndPrefixFormats) {
    TiPlotAxisTextFormat format;
    format.Style = iptfExponent;
    EXPECT_EQ(PlotAxisValueText(1500, format, 1, false).Text, "1.500e+03");
    format.PrecisionStyle = ipsFixedDecimalPoints;
    EXPECT_EQ(PlotAxisValueText(1500, format, 1, false).Text, "1.5000e+03");
    format = {};
    format.Style = iptfPrefix;
    EXPECT_EQ(PlotAxisValueText(0.0005, format, 1, false).Text, "0.500m");
    EXPECT_EQ(PlotAxisValueText(1500, format, 1, false).Text, "1.50K");
    EXPECT_EQ(PlotAxisValueText(-1e-6, format, 1, false).Text, QString::fromUtf8("-1.00\u00B5"));
    // The exponent is truncated toward zero, so small values keep the larger prefix.
    EXPECT_EQ(PlotAxisValueText(2e-6, format, 1, false).Text, "0.00200m");
    EXPECT_EQ(PlotAxisValueText(1e27, format, 1, false).Text, "Unknown");
    EXPECT_TRUE(PlotAxisValueText(1e27, format, 1, false).Made);
}

TEST(PlotAxisValueText, DateTimePatternsWithWholeDaysAndErrors) {
    TiPlotAxisTextFormat format;
    format.Style = iptfDateTime;
    EXPECT_EQ(PlotAxisValueText(45000.5 + 5.0 / 86400, format, 1, false).Text, "12:00:05");
    format.DateTimeFormat = "Jhh:nn";
    EXPECT_EQ(PlotAxisValueText(45000.75, format, 1, false).Text, "45000 18:00");
    EXPECT_EQ(PlotAxisValueText(1e10, format, 1, false).Text, "Error");
    EXPECT_EQ(PlotAxisValueText(std::nan(""), format, 1, false).Text, "Error");
}

TEST(PlotAxisValueText, PriceIn32ndsWithTheSignInFront) {
    TiPlotAxisTextFormat format;
    format.Style = iptfPrice32nds;
    EXPECT_EQ(PlotAxisValueText(101.5, format, 1, false).Text, "101.160");
    EXPECT_EQ(PlotAxisValueText(101.5 + 3.0 / 32 + 1.0 / 128, format, 1, false).Text, "101.192");
    EXPECT_EQ(PlotAxisValueText(-1.5, format, 1, false).Text, "-1.160");
    EXPECT_EQ(PlotAxisValueText(0.9976, format, 1, false).Text, "1.000");
    EXPECT_EQ(PlotAxisValueText(-0.001, format, 1, false).Text, "0.000");
    EXPECT_EQ(PlotAxisValueText(HUGE_VAL, format, 1, false).Text, "Error");
}

TEST(PlotAxisValueText, ThousandsAreGrouped) {
    TiPlotAxisTextFormat format;
    format.Style = iptfThousands;
    EXPECT_EQ(PlotAxisValueText(1234567.891, format, 10, false).Text, "1,234,567.9");
    EXPECT_EQ(PlotAxisValueText(-1234, format, 100, false).Text, "-1,234");
    EXPECT_EQ(PlotAxisValueText(123, format, 100, false).Text, "123");
}

TEST(PlotAxisValueText, EveryFormatAnswersForHostileValuesAndPrecisions) {
    TiPlotAxisTextFormat format;
    for (int style = iptfValue; style <= iptfThousands; ++style)
        for (int precision : {INT_MIN, -1, INT_MAX})
            for (TiPrecisionStyle precisionStyle : {ipsSignificantDigits, ipsFixedDecimalPoints})
                for (double value : {0.0, -1e300, HUGE_VAL, std::nan("")}) {
                    format = {TiPlotTextFormat(style), "hh", precision, precisionStyle};
                    EXPECT_FALSE(PlotAxisValueText(value, format, 1e-300, false).Text.isEmpty());
                    EXPECT_FALSE(PlotAxisValueText(value, format, 1e300, true).Text.isEmpty());
                }
}

TEST(PlotAxisValueText, CursorTextsStandOnOneLine) {
    EXPECT_EQ(PlotAxisSingleLine("a\r\nb\rc\nd"), "a b c\nd");
}
