#include "instruments/framework/iMath.h"

#include "platform/Exception.h"

#include <gtest/gtest.h>
#include <numbers>

namespace {

// Index 0 is allocated and ignored by every routine.
std::vector<double> FromOne(std::initializer_list<double> values) {
    std::vector<double> result{0.0};
    result.insert(result.end(), values);
    return result;
}

double Cubic(double x) {
    return x * x * x - 2 * x + 1;
}

} // namespace

TEST(iMath, PowerOfTenAndLogarithmsAreExact) {
    EXPECT_EQ(Power(10, 2), 100.0);
    EXPECT_EQ(Power(10, -1), 0.1);
    EXPECT_EQ(Log10(1000), 3.0);
    EXPECT_DOUBLE_EQ(DegToRad(180), std::numbers::pi);
    EXPECT_DOUBLE_EQ(RadToDeg(std::numbers::pi / 2), 90.0);
    EXPECT_DOUBLE_EQ(arctan2(-1, -1), -3 * std::numbers::pi / 4);
}

class SplineTest : public testing::Test {
protected:
    std::vector<double> y2;
};

TEST_F(SplineTest, SplineThroughTwoPointsIsAStraightLine) {
    const auto x = FromOne({0, 4});
    const auto y = FromOne({1, 9});
    Spline(x, y, 2, 1e30, 1e30, y2);
    ASSERT_EQ(y2.size(), 3u);
    double value = 0;
    SplineInterpolation(x, y, y2, 2, 1, value);
    EXPECT_DOUBLE_EQ(value, 3.0);
}

TEST_F(SplineTest, SplinePassesThroughItsKnotsAndStaysNearTheCurve) {
    const auto x = FromOne({-2, -1, 0, 1, 2, 3});
    const auto y = FromOne({Cubic(-2), Cubic(-1), Cubic(0), Cubic(1), Cubic(2), Cubic(3)});
    Spline(x, y, 6, 1e30, 1e30, y2);
    double value = 0;
    SplineInterpolation(x, y, y2, 6, 1, value);
    EXPECT_NEAR(value, Cubic(1), 1e-12);
    SplineInterpolation(x, y, y2, 6, 0.5, value);
    EXPECT_NEAR(value, Cubic(0.5), 0.2);
}

TEST_F(SplineTest, SplineWithFewerThanTwoPointsOrACountBeyondTheArraysReadsNothingOutside) {
    const auto x = FromOne({5});
    const auto y = FromOne({7});
    Spline(x, y, 1, 1e30, 1e30, y2);
    EXPECT_EQ(y2, (std::vector<double>{0, 0}));
    Spline(x, y, 0, 1e30, 1e30, y2);
    EXPECT_EQ(y2.size(), 1u);
    Spline(x, y, 50, 1e30, 1e30, y2);
    EXPECT_EQ(y2.size(), 2u);
}

TEST_F(SplineTest, SplineInterpolationRaisesForEqualBracketingAbscissae) {
    const auto x = FromOne({0, 1, 2, 2});
    const auto y = FromOne({0, 1, 2, 3});
    y2.assign(5, 0.0);
    double value = 0;
    try {
        SplineInterpolation(x, y, y2, 4, 3, value);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Splint Error - xa's must be distinct");
    }
    EXPECT_THROW(SplineInterpolation(x, y, y2, 1, 1, value), Exception);
}

TEST(iMathInterpolation, PolynomialInterpolationIsExactForACubicAndEstimatesTheError) {
    const auto x = FromOne({-1, 0, 1, 2});
    const auto y = FromOne({Cubic(-1), Cubic(0), Cubic(1), Cubic(2)});
    double value = 0;
    double error = 0;
    PolynomialInterpolation(x, y, 4, 0.3, value, error);
    EXPECT_NEAR(value, Cubic(0.3), 1e-12);
    EXPECT_NE(error, 0.0);
}

TEST(iMathInterpolation, PolynomialInterpolationRaisesForRepeatedAbscissae) {
    const auto x = FromOne({0, 1, 1});
    const auto y = FromOne({0, 1, 2});
    double value = 0;
    double error = 0;
    try {
        PolynomialInterpolation(x, y, 3, 0.5, value, error);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Polynomial Interpolation Error - Pause in Routine Data");
    }
}

TEST(iMathInterpolation, RationalInterpolationFollowsAPoleAndReturnsKnotsExactly) {
    const auto x = FromOne({1, 2, 3, 4, 5});
    const auto y = FromOne({1, 0.5, 1.0 / 3, 0.25, 0.2});
    double value = 0;
    double error = 1;
    RationalInterpolation(x, y, 5, 3, value, error);
    EXPECT_EQ(value, 1.0 / 3);
    EXPECT_EQ(error, 0.0);
    RationalInterpolation(x, y, 5, 2.5, value, error);
    EXPECT_NEAR(value, 0.4, 1e-9);
}

TEST(iMathInterpolation, InterpolationWithoutPointsRaisesInsteadOfReadingOutside) {
    const std::vector<double> none{0.0};
    double value = 0;
    double error = 0;
    EXPECT_THROW(PolynomialInterpolation(none, none, 3, 1, value, error), Exception);
    EXPECT_THROW(RationalInterpolation(none, none, 3, 1, value, error), Exception);
}
