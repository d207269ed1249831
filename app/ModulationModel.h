// State and arithmetic of the modulation demonstrator: a carrier, its FSK-2, QPSK and QAM-16
// modulation and the noisy QPSK constellation. It draws nothing and knows no control; each
// operation returns the values the main window passes on, in the order it passes them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class ModulationModel {
public:
    // One normally distributed draw with mean 0 and the given standard deviation; a standard
    // deviation of 0 must give exactly 0.
    using GaussianSource = std::function<double(double standardDeviation)>;

    struct Point {
        double X = 0.0;
        double Y = 0.0;
        bool operator==(const Point&) const = default;
    };

    struct TickInputs {
        double CarrierFrequency = 1.0; // FE in Hz, from the knob
        bool FskSelected = false;
        bool QpskSelected = false;
        bool FskBit = false; // the lever, true = logic 1
        bool NoiseOn = false;
        double NoiseLevel = 0.0; // L, from the slider
    };

    struct TickResult {
        double CarrierFrequency = 0.0;
        std::optional<Point> QpskPoint; // only while noise is on under QPSK
        Point ModulatedPoint;           // (Time, modulated value)
        Point CarrierPoint;             // (Time, carrier value)
        Point CarrierTip;
        Point ModulatedTip;
    };

    struct KeyClickInputs {
        int32_t KeyCode = 0;
        bool QpskSelected = false;
    };

    struct QpskDisplay {
        std::string DibitText;
        int Phase = 0;
    };

    struct KeyClickResult {
        std::optional<QpskDisplay> Display; // only for key codes 1 to 4
        Point QpskPoint;
    };

    struct SymbolChangeInputs {
        std::string Text;
        bool QamSelected = false;
    };

    struct QamDisplay {
        int Phase = 0;
        int Amplitude = 0;
    };

    struct SymbolChangeResult {
        std::optional<QamDisplay> Display; // only for a recognised symbol under QAM-16
        Point QamPoint;
    };

    static constexpr double TimeStep = 0.05;
    static constexpr double PhasorRadius = 120.0;

    // Without a source, noise comes from an engine with a fixed seed, so runs repeat.
    explicit ModulationModel(GaussianSource gaussian = {});

    TickResult Tick(const TickInputs& inputs);
    // Nothing when QPSK is not selected; the key code is remembered all the same.
    std::optional<KeyClickResult> KeyClick(const KeyClickInputs& inputs);
    SymbolChangeResult SymbolChange(const SymbolChangeInputs& inputs);

    double Time() const { return time_; }
    double ModulatedPhase() const { return modulatedPhase_; }
    double CarrierPhase() const { return carrierPhase_; }
    double NoisePhase() const { return noisePhase_; }
    double SymbolPhase() const { return symbolPhase_; }
    double Amplitude() const { return amplitude_; }
    double QpskI() const { return qpsk_.X; }
    double QpskQ() const { return qpsk_.Y; }
    double QamI() const { return qam_.X; }
    double QamQ() const { return qam_.Y; }
    int32_t LastKeyCode() const { return lastKeyCode_; }
    const std::string& QamSymbolText() const { return qamSymbolText_; }
    Point CarrierTip() const { return carrierTip_; }
    Point ModulatedTip() const { return modulatedTip_; }

private:
    void DrawNoise(double noiseLevel);
    void PlaceNoisyQpskPoint();

    GaussianSource gaussian_;
    double time_ = 0.0;
    double modulatedPhase_ = 0.0;
    double carrierPhase_ = 0.0;
    double noisePhase_ = 0.0;
    double symbolPhase_ = 0.0;
    double amplitude_ = 1.0;
    Point qpsk_;
    Point qam_;
    int32_t lastKeyCode_ = 0;
    std::string qamSymbolText_;
    Point carrierTip_;
    Point modulatedTip_;
};
