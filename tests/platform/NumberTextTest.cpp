#include "platform/NumberText.h"

#include "platform/Exception.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

class DisplaySeparatorTest : public testing::Test {
protected:
    void SetUp() override { previous_ = SetDecimalSeparator(u','); }
    void TearDown() override { SetDecimalSeparator(previous_); }

private:
    QChar previous_;
};

QString ConvertError(double (*convert)(const QString&), const QString& text) {
    try {
        convert(text);
    } catch (const EConvertError& e) {
        return e.Message();
    }
    return QString();
}

} // namespace

TEST(NumberText, FloatsTakeGeneralFormWith15SignificantDigits) {
    EXPECT_EQ(FloatToText(0.05), u"0.05");
    EXPECT_EQ(FloatToText(12), u"12");
    EXPECT_EQ(FloatToText(-3.14159265358979), u"-3.14159265358979");
    EXPECT_EQ(FloatToStr(1.0 / 3), u"0.333333333333333");
    EXPECT_EQ(FloatToText(0.0001), u"0.0001");
    EXPECT_EQ(FloatToText(0.00001), u"1E-5");
    EXPECT_EQ(FloatToText(1.5e20), u"1.5E20");
    EXPECT_EQ(FloatToText(123456789012345.0), u"123456789012345");
    EXPECT_EQ(FloatToStr(999999999999999.9), u"1E15"); // the rounding reaches 1e15
    EXPECT_EQ(FloatToText(-2.5e-300), u"-2.5E-300");
    EXPECT_EQ(FloatToText(0.0), u"0");
}

TEST(NumberText, FileFloatsTakeUpTo17DigitsSoThatTheyReadBackEqual) {
    EXPECT_EQ(FloatToText(1.0 / 3), u"0.3333333333333333");
    EXPECT_EQ(FloatToText(999999999999999.9), u"999999999999999.9");
    EXPECT_EQ(FloatToText(0.1 + 0.2), u"0.30000000000000004");
    EXPECT_EQ(FloatToText(2.0 / 3 * 1e-20), u"6.666666666666666E-21");
    for (double value : {1.0 / 3, 0.1 + 0.2, std::nextafter(1.0, 2.0), 5e-324,
                         1.7976931348623157e308, -2.0 / 7 * 1e200})
        EXPECT_EQ(TextToFloat(FloatToText(value)), value) << FloatToText(value).toStdString();
}

TEST(NumberText, FloatsRoundTripIncludingInfinitiesAndNaN) {
    for (double value : {0.0, -1.0, 42.0, 0.1, -0.000123456789, 6.02214076e23, 1e-310, 1.7e308,
                         -123456789.123456}) {
        const QString text = FloatToText(value);
        EXPECT_EQ(FloatToText(TextToFloat(text)), text);
        EXPECT_NEAR(TextToFloat(text), value, std::abs(value) * 1e-14) << text.toStdString();
    }
    EXPECT_EQ(TextToFloat(FloatToText(std::numeric_limits<double>::infinity())),
              std::numeric_limits<double>::infinity());
    EXPECT_EQ(FloatToText(-std::numeric_limits<double>::infinity()), u"-INF");
    EXPECT_TRUE(std::isnan(TextToFloat(FloatToText(std::nan("")))));
}

TEST(NumberText, FloatReadingAcceptsBlanksSignsAndExponentsOnly) {
    EXPECT_EQ(TextToFloat(QStringLiteral("  +2.5e+3 ")), 2500.0);
    EXPECT_EQ(TextToFloat(QStringLiteral(".5")), 0.5);
    EXPECT_EQ(TextToFloat(QStringLiteral("1e-400")), 0.0);
    for (const char* text : {"", "1,5", "1.2.3", "e5", "1e", "--1", "0x10", "1e400", "abc"}) {
        EXPECT_EQ(ConvertError(TextToFloat, QString::fromLatin1(text)),
                  QStringLiteral("'%1' is not a valid floating point value").arg(text));
    }
}

TEST(NumberText, IntegersReadDecimalAndHexadecimalWithinRange) {
    EXPECT_EQ(StrToInt(QStringLiteral("  -42")), -42);
    EXPECT_EQ(StrToInt(QStringLiteral("$FF")), 255);
    EXPECT_EQ(StrToInt(QStringLiteral("0x80000005")), int(0x80000005u));
    EXPECT_EQ(StrToInt(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(StrToInt(QStringLiteral("-2147483648")), -2147483647 - 1);
    EXPECT_EQ(StrToInt64(QStringLiteral("9223372036854775807")), INT64_MAX);
    for (const char* text : {"", "12 ", "2147483648", "1.0", "+-1", "$", "$1FFFFFFFF", "x"}) {
        try {
            StrToInt(QString::fromLatin1(text));
            ADD_FAILURE() << text;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("'%1' is not a valid integer value").arg(text));
        }
    }
}

TEST_F(DisplaySeparatorTest, LabelsUseTheFrameworkSeparatorWhileFilesKeepThePoint) {
    EXPECT_EQ(FloatToStr(-1.25), u"-1,25");
    EXPECT_EQ(StrToFloat(QStringLiteral("2,5")), 2.5);
    EXPECT_THROW(StrToFloat(QStringLiteral("2.5")), EConvertError);
    EXPECT_EQ(FormatFixed(3.14159, 2), u"3,14");
    EXPECT_EQ(FormatFixed(2.5, -1), u"3");
    EXPECT_EQ(FloatToText(-1.25), u"-1.25");
    EXPECT_EQ(TextToFloat(QStringLiteral("2.5")), 2.5);
}
