#include "app/ModulationModel.h"

#include "platform/Rounding.h"

#include <array>
#include <cmath>
#include <numbers>
#include <random>
#include <string_view>

namespace {

constexpr double FskFrequencyOffset = 0.4;
constexpr double PhaseNoiseScale = 0.1;
constexpr double AmplitudeNoiseScale = 0.005;
constexpr uint64_t NoiseSeed = 20061209;

struct QpskSymbol {
    int32_t KeyCode;
    std::string_view DibitText;
    double I;
    double Q;
    int Phase; // also the nominal angle of the noisy point
};

constexpr std::array<QpskSymbol, 4> QpskSymbols{{
    {1, "00", 0.7, 0.7, 45},
    {2, "01", -0.7, 0.7, 135},
    {3, "10", -0.7, -0.7, 225},
    {4, "11", 0.7, -0.7, 315},
}};

struct QamSymbol {
    std::string_view Text;
    double I;
    double Q;
    int Phase;
    double Amplitude; // the corners stay at 1.0, like the middle points
};

constexpr std::array<QamSymbol, 16> QamSymbols{{
    {"0000", -0.33, -0.33, 225, 0.44},
    {"0001", -1.0, -0.33, 198, 1.0},
    {"0010", -0.33, -1.0, 252, 1.0},
    {"0011", -1.0, -1.0, 225, 1.0},
    {"0100", 0.33, -0.33, 315, 0.44},
    {"0101", 0.33, -1.0, 288, 1.0},
    {"0110", 1.0, -0.33, 342, 1.0},
    {"0111", 1.0, -1.0, 315, 1.0},
    {"1000", -0.33, 0.33, 135, 0.44},
    {"1001", -0.33, 1.0, 108, 1.0},
    {"1010", -1.0, 0.33, 162, 1.0},
    {"1011", -1.0, 1.0, 135, 1.0},
    {"1100", 0.33, 0.33, 45, 0.44},
    {"1101", 1.0, 0.33, 18, 1.0},
    {"1110", 0.33, 1.0, 72, 1.0},
    {"1111", 1.0, 1.0, 45, 1.0},
}};

const QpskSymbol* FindQpskSymbol(int32_t keyCode) {
    for (const QpskSymbol& symbol : QpskSymbols)
        if (symbol.KeyCode == keyCode) return &symbol;
    return nullptr;
}

const QamSymbol* FindQamSymbol(const std::string& text) {
    for (const QamSymbol& symbol : QamSymbols)
        if (symbol.Text == text) return &symbol;
    return nullptr;
}

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

// Degrees turned at `time` by a phasor of `frequency` Hz, never wrapped, so a negative FSK
// frequency simply runs backwards.
double PhaseTurned(double frequency, double time) {
    return frequency * 2.0 * std::numbers::pi * time * 180.0 * (1.0 / std::numbers::pi);
}

// y upwards, relative to the centre of the phasor circle.
ModulationModel::Point PhasorEnd(double phase, double amplitude) {
    const double length = amplitude * ModulationModel::PhasorRadius;
    return {std::cos(Radians(phase)) * length, std::sin(Radians(phase)) * length};
}

ModulationModel::GaussianSource SeededGaussianSource() {
    return [engine = std::mt19937_64(NoiseSeed)](double standardDeviation) mutable {
        // A normal distribution needs a positive deviation; the slider at 0 must give exactly 0
        // and a negative or NaN level must not reach the distribution.
        if (!(standardDeviation > 0.0)) return 0.0;
        return std::normal_distribution<double>(0.0, standardDeviation)(engine);
    };
}

} // namespace

ModulationModel::ModulationModel(GaussianSource gaussian)
    : gaussian_(gaussian ? std::move(gaussian) : SeededGaussianSource()) {}

ModulationModel::TickResult ModulationModel::Tick(const TickInputs& inputs) {
    time_ += TimeStep;
    TickResult result;
    result.CarrierFrequency = inputs.CarrierFrequency;

    double frequencyOffset = 0.0;
    if (inputs.FskSelected) {
        frequencyOffset = inputs.FskBit ? FskFrequencyOffset : -FskFrequencyOffset;
        amplitude_ = 1.0;
    }

    // Under other schemes the last noisy values stay frozen while noise is on.
    const bool noisyQpsk = inputs.NoiseOn && inputs.QpskSelected;
    if (noisyQpsk)
        DrawNoise(inputs.NoiseLevel);
    else if (!inputs.NoiseOn)
        noisePhase_ = 0.0;

    modulatedPhase_ =
        PhaseTurned(inputs.CarrierFrequency + frequencyOffset, time_) - symbolPhase_ + noisePhase_;
    if (noisyQpsk) {
        PlaceNoisyQpskPoint();
        result.QpskPoint = qpsk_;
    }
    carrierPhase_ = PhaseTurned(inputs.CarrierFrequency, time_);

    modulatedTip_ = PhasorEnd(modulatedPhase_, amplitude_);
    carrierTip_ = PhasorEnd(carrierPhase_, 1.0);
    result.ModulatedPoint = {time_, modulatedTip_.Y};
    result.CarrierPoint = {time_, carrierTip_.Y};
    result.CarrierTip = carrierTip_;
    result.ModulatedTip = modulatedTip_;
    return result;
}

void ModulationModel::DrawNoise(double noiseLevel) {
    noisePhase_ = gaussian_(PhaseNoiseScale * noiseLevel);
    const double disturbance = gaussian_(AmplitudeNoiseScale * noiseLevel);
    amplitude_ = 1.0 - std::abs(disturbance);
}

void ModulationModel::PlaceNoisyQpskPoint() {
    // Before any click (key code 0) the point stays where it is, at first the origin.
    const QpskSymbol* symbol = FindQpskSymbol(lastKeyCode_);
    if (!symbol) return;
    const double angle = Radians(symbol->Phase + noisePhase_);
    qpsk_ = {std::cos(angle) * amplitude_, std::sin(angle) * amplitude_};
}

std::optional<ModulationModel::KeyClickResult>
ModulationModel::KeyClick(const KeyClickInputs& inputs) {
    lastKeyCode_ = inputs.KeyCode;
    if (!inputs.QpskSelected) return std::nullopt;

    KeyClickResult result;
    if (const QpskSymbol* symbol = FindQpskSymbol(inputs.KeyCode)) {
        qpsk_ = {symbol->I, symbol->Q};
        symbolPhase_ = symbol->Phase;
        result.Display = QpskDisplay{std::string(symbol->DibitText), symbol->Phase};
    }
    result.QpskPoint = qpsk_;
    return result;
}

ModulationModel::SymbolChangeResult
ModulationModel::SymbolChange(const SymbolChangeInputs& inputs) {
    qamSymbolText_ = inputs.Text;

    SymbolChangeResult result;
    const QamSymbol* symbol = inputs.QamSelected ? FindQamSymbol(qamSymbolText_) : nullptr;
    if (symbol) {
        qam_ = {symbol->I, symbol->Q};
        symbolPhase_ = symbol->Phase;
        amplitude_ = symbol->Amplitude;
        result.Display = QamDisplay{symbol->Phase, Round(symbol->Amplitude * PhasorRadius)};
    }
    result.QamPoint = qam_;
    return result;
}
