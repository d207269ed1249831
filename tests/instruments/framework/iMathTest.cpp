#include "instruments/framework/iMath.h"

#include "tests/instruments/framework/RaisedMessage.h"

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
    EXPECT_DOUBLE_EQ(arctan2(-1, -1), -3 * std::numbers::pi / 4);
}

class InterpolationTest : public testing::Test {
protected:
    std::vector<double> y2;
    double value = 0;
    double error = 0;
};

TEST_F(InterpolationTest, SplineThroughTwoPointsIsAStraightLine) {
    const auto x = FromOne({0, 4});
    const auto y = FromOne({1, 9});
    Spline(x, y, 2, 1e30, 1e30, y2);
    ASSERT_EQ(y2.size(), 3u);
    SplineInterpolation(x, y, y2, 2, 1, value);
    EXPECT_DOUBLE_EQ(value, 3.0);
}

TEST_F(InterpolationTest, SplineWithFewerThanTwoPointsOrACountBeyondTheArraysReadsNothingOutside) {
    const auto x = FromOne({5});
    const auto y = FromOne({7});
    Spline(x, y, 1, 1e30, 1e30, y2);
    EXPECT_EQ(y2, (std::vector<double>{0, 0}));
    Spline(x, y, 50, 1e30, 1e30, y2);
    EXPECT_EQ(y2.size(), 2u);
    EXPECT_EQ(RaisedMessage([&] { SplineInterpolation(x, y, y2, 50, 5, value); }),
              "Splint Error - xa's must be distinct");
}

TEST_F(InterpolationTest, SplineInterpolationRaisesForEqualBracketingAbscissae) {
    const auto x = FromOne({0, 1, 2, 2});
    y2.assign(5, 0.0);
    EXPECT_EQ(RaisedMessage([&] { SplineInterpolation(x, x, y2, 4, 3, value); }),
              "Splint Error - xa's must be distinct");
}

TEST_F(InterpolationTest, PolynomialInterpolationIsExactForACubicAndEstimatesTheError) {
    const auto x = FromOne({-1, 0, 1, 2});
    const auto y = FromOne({Cubic(-1), Cubic(0), Cubic(1), Cubic(2)});
    PolynomialInterpolation(x, y, 4, 0.3, value, error);
    EXPECT_NEAR(value, Cubic(0.3), 1e-12);
    EXPECT_NE(error, 0.0);
}

TEST_F(InterpolationTest, RationalInterpolationFollowsAPoleAndReturnsKnotsExactly) {
    const auto x = FromOne({1, 2, 3, 4, 5});
    const auto y = FromOne({1, 0.5, 1.0 / 3, 0.25, 0.2});
    error = 1;
    RationalInterpolation(x, y, 5, 3, value, error);
    EXPECT_EQ(value, 1.0 / 3);
    EXPECT_EQ(error, 0.0);
    RationalInterpolation(x, y, 5, 2.5, value, error);
    EXPECT_NEAR(value, 0.4, 1e-9);
}

TEST_F(InterpolationTest, RepeatedAbscissaeOrNoPointsRaiseTheRoutinesMessages) {
    const auto x = FromOne({0, 1, 1});
    const std::vector<double> none{0.0};
    const QString polynomial = "Polynomial Interpolation Error - Pause in Routine Data";
    EXPECT_EQ(RaisedMessage([&] { PolynomialInterpolation(x, x, 3, 0.5, value, error); }),
              polynomial);
    EXPECT_EQ(RaisedMessage([&] { PolynomialInterpolation(none, none, 3, 1, value, error); }),
              polynomial);
    EXPECT_EQ(RaisedMessage([&] { RationalInterpolation(none, none, 3, 1, value, error); }),
              "Rational Interpolation Error - Pause in Routine Data");
}
