#include "app/ModulationModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <numbers>
#include <vector>

namespace {

using Model = ModulationModel;

Model::Point OnCircle(double degrees, double radius) {
    const double radians = degrees * std::numbers::pi / 180.0;
    return {std::cos(radians) * radius, std::sin(radians) * radius};
}

void ExpectNear(Model::Point actual, Model::Point expected) {
    EXPECT_NEAR(actual.X, expected.X, 1e-9);
    EXPECT_NEAR(actual.Y, expected.Y, 1e-9);
}

// Hands out scripted draws (0 once the script runs out) and records the deviations asked for.
class ModulationModelTest : public testing::Test {
protected:
    Model model{[this](double deviation) {
        deviations.push_back(deviation);
        const double draw = draws.empty() ? 0.0 : draws.front();
        if (!draws.empty()) draws.pop_front();
        return draw;
    }};
    std::deque<double> draws;
    std::vector<double> deviations;

    static Model::TickInputs Fsk(double frequency, bool bit, bool noise = false) {
        return {
            .CarrierFrequency = frequency, .FskSelected = true, .FskBit = bit, .NoiseOn = noise};
    }
    static Model::TickInputs NoisyQpsk(double level) {
        return {.QpskSelected = true, .NoiseOn = true, .NoiseLevel = level};
    }
};

TEST_F(ModulationModelTest, StartUpTicksDrawTwoIdenticalSinesAndNoConstellationPoint) {
    Model::TickResult result;
    for (int tick = 0; tick < 5; ++tick)
        result = model.Tick({});
    EXPECT_DOUBLE_EQ(result.CarrierFrequency, 1.0);
    EXPECT_FALSE(result.QpskPoint);
    ExpectNear(result.CarrierPoint, {0.25, 120.0});
    EXPECT_EQ(result.ModulatedPoint, result.CarrierPoint);
    EXPECT_EQ(result.ModulatedTip, result.CarrierTip);
}

TEST_F(ModulationModelTest, FskTurnsModulated25Point2AndCarrier18DegreesPerTickUnwrapped) {
    for (int tick = 1; tick <= 30; ++tick)
        model.Tick(Fsk(1.0, true));
    EXPECT_NEAR(model.ModulatedPhase(), 756.0, 1e-9);
    EXPECT_NEAR(model.CarrierPhase(), 540.0, 1e-9);
    ExpectNear(model.ModulatedTip(), OnCircle(756.0, 120.0));
}

TEST_F(ModulationModelTest, FskLogicZeroAtLowestFrequencyRunsBackwards) {
    model.Tick(Fsk(0.1, false));
    model.Tick(Fsk(0.1, false));
    EXPECT_NEAR(model.ModulatedPhase(), -10.8, 1e-9);
}

TEST_F(ModulationModelTest, FskRestoresFullAmplitudeButKeepsTheQamSymbolPhase) {
    model.SymbolChange({"0000", true});
    const auto qpsk = model.Tick({.QpskSelected = true});
    ExpectNear(qpsk.ModulatedTip, OnCircle(18.0 - 225.0, 0.44 * 120.0));
    model.Tick(Fsk(1.0, true));
    EXPECT_DOUBLE_EQ(model.Amplitude(), 1.0);
    EXPECT_NEAR(model.ModulatedPhase(), 50.4 - 225.0, 1e-9);
}

TEST_F(ModulationModelTest, QpskKeysFollowTheDibitTableAndOtherKeysRepeatThePoint) {
    const char* dibits[] = {"00", "01", "10", "11"};
    for (int key = 1; key <= 4; ++key) {
        const auto result = model.KeyClick({key, true});
        ASSERT_TRUE(result && result->Display);
        EXPECT_EQ(result->Display->DibitText, dibits[key - 1]);
        EXPECT_EQ(result->Display->Phase, 90 * key - 45);
        ExpectNear(result->QpskPoint, OnCircle(90 * key - 45, 0.7 * std::numbers::sqrt2));
        EXPECT_DOUBLE_EQ(model.SymbolPhase(), 90 * key - 45);
    }
    const auto other = model.KeyClick({7, true});
    ASSERT_TRUE(other);
    EXPECT_FALSE(other->Display);
    EXPECT_EQ(other->QpskPoint, (Model::Point{0.7, -0.7}));
}

TEST_F(ModulationModelTest, KeyClickedOutsideQpskOutputsNothingButDecidesTheNoisyAngle) {
    EXPECT_FALSE(model.KeyClick({3, false}));
    EXPECT_DOUBLE_EQ(model.SymbolPhase(), 0.0);
    const auto result = model.Tick(NoisyQpsk(0.0));
    ASSERT_TRUE(result.QpskPoint);
    ExpectNear(*result.QpskPoint, OnCircle(225.0, 1.0));
}

TEST_F(ModulationModelTest, NoisyQpskDrawsPhaseThenAmplitudeScaledBySlider) {
    model.KeyClick({2, true});
    draws = {2.0, -0.03, 1.0, 0.02};
    const auto result = model.Tick(NoisyQpsk(10.0));
    EXPECT_EQ(deviations, (std::vector<double>{1.0, 0.05}));
    EXPECT_NEAR(model.ModulatedPhase(), 18.0 - 135.0 + 2.0, 1e-9);
    ASSERT_TRUE(result.QpskPoint);
    ExpectNear(*result.QpskPoint, OnCircle(137.0, 0.97));
    model.Tick(NoisyQpsk(10.0));
    EXPECT_DOUBLE_EQ(model.Amplitude(), 0.98);
}

TEST_F(ModulationModelTest, NoisyQpskBeforeAnyClickAddsTheOrigin) {
    draws = {5.0, 0.1};
    EXPECT_EQ(model.Tick(NoisyQpsk(30.0)).QpskPoint, (Model::Point{0.0, 0.0}));
}

TEST_F(ModulationModelTest, NoiseStaysFrozenUnderOtherSchemesAndPhaseClearsWhenOff) {
    draws = {3.0, 0.2};
    model.Tick(NoisyQpsk(20.0));
    EXPECT_FALSE(model.Tick({.NoiseOn = true, .NoiseLevel = 20.0}).QpskPoint);
    EXPECT_EQ(deviations.size(), 2u);
    EXPECT_DOUBLE_EQ(model.NoisePhase(), 3.0);
    EXPECT_DOUBLE_EQ(model.Amplitude(), 0.8);
    model.Tick(Fsk(1.0, true, true));
    EXPECT_DOUBLE_EQ(model.NoisePhase(), 3.0);
    model.Tick({.QpskSelected = true});
    EXPECT_DOUBLE_EQ(model.NoisePhase(), 0.0);
}

TEST_F(ModulationModelTest, QamSymbolsFollowTheTable) {
    const struct {
        const char* text;
        double i, q;
        int phase, amplitude;
    } rows[] = {
        {"0000", -.33, -.33, 225, 53}, {"0001", -1, -.33, 198, 120}, {"0010", -.33, -1, 252, 120},
        {"0011", -1, -1, 225, 120},    {"0100", .33, -.33, 315, 53}, {"0101", .33, -1, 288, 120},
        {"0110", 1, -.33, 342, 120},   {"0111", 1, -1, 315, 120},    {"1000", -.33, .33, 135, 53},
        {"1001", -.33, 1, 108, 120},   {"1010", -1, .33, 162, 120},  {"1011", -1, 1, 135, 120},
        {"1100", .33, .33, 45, 53},    {"1101", 1, .33, 18, 120},    {"1110", .33, 1, 72, 120},
        {"1111", 1, 1, 45, 120}};
    for (const auto& row : rows) {
        const auto result = model.SymbolChange({row.text, true});
        ASSERT_TRUE(result.Display) << row.text;
        EXPECT_EQ(result.Display->Phase, row.phase) << row.text;
        EXPECT_EQ(result.Display->Amplitude, row.amplitude) << row.text;
        EXPECT_EQ(result.QamPoint, (Model::Point{row.i, row.q})) << row.text;
        EXPECT_DOUBLE_EQ(model.SymbolPhase(), row.phase);
    }
}

TEST_F(ModulationModelTest, SymbolChangeOutsideQamOrUnknownReaddsTheLastPoint) {
    EXPECT_EQ(model.SymbolChange({"0101", false}).QamPoint, (Model::Point{0.0, 0.0}));
    model.SymbolChange({"0101", true});
    for (const auto& change : {Model::SymbolChangeInputs{"1111", false}, {"0101 ", true}}) {
        const auto result = model.SymbolChange(change);
        EXPECT_FALSE(result.Display);
        EXPECT_EQ(result.QamPoint, (Model::Point{0.33, -1.0}));
        EXPECT_DOUBLE_EQ(model.SymbolPhase(), 288.0);
    }
    EXPECT_EQ(model.QamSymbolText(), "0101 ");
}

TEST(ModulationModelDefaultSource, SliderAtZeroGivesNoNoiseAndTheFixedSeedRepeats) {
    Model first, second;
    first.Tick({.QpskSelected = true, .NoiseOn = true, .NoiseLevel = 0.0});
    EXPECT_EQ(first.NoisePhase(), 0.0);
    EXPECT_EQ(first.Amplitude(), 1.0);
    first.Tick({.QpskSelected = true, .NoiseOn = true, .NoiseLevel = 30.0});
    second.Tick({.QpskSelected = true, .NoiseOn = true, .NoiseLevel = 30.0});
    EXPECT_NE(first.NoisePhase(), 0.0);
    EXPECT_EQ(first.NoisePhase(), second.NoisePhase());
}

} // namespace
