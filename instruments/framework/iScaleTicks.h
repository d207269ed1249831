// The ticks of a scale as one value: the bounds, the major ticks with their label texts and the
// minor ticks. Both the measuring of a layout and the drawing read the same value, so a label is
// never measured by one rule and drawn by another.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <span>
#include <vector>

using TOnCustomizeTickLabel = std::function<void(QObject* Sender, int Index, QString& DisplayText)>;

// The most major ticks a scale holds.
constexpr int MaxTickMajorCount = 100;

// Each direction of the minor ticks beyond a fixed tick range holds at most this many.
constexpr int MaxMinorTicksBeyond = 10000;

// The fixed-point text of a tick value with the given decimals, trimmed.
QString TickLabelText(double Value, int DecimalPoints);

// The values of the minor ticks that continue a fixed tick range out to the ends of the
// position range, one minor step apart: upwards from TickStop + MinorStep while at most
// PositionMax, then downwards from TickStart - MinorStep while at least PositionMin.
// A step that is not positive, or too small to move the value, gives no ticks; each
// direction holds at most MaxMinorTicksBeyond.
std::vector<double> MinorTicksBeyondRange(double TickStart, double TickStop, double MinorStep,
                                          double PositionMin, double PositionMax);

// What a scale asks of the tick computation.
struct TiScaleTickRequest {
    double PositionMin = 0;
    double PositionMax = 0;
    // A fixed tick range (the fixed auto-scale's) inside the position range; otherwise the
    // major ticks run from PositionMin to PositionMax.
    bool FixedTicks = false;
    double FixedTickStart = 0;
    double FixedTickStop = 0;
    // Both ends included; kept within 2..MaxTickMajorCount.
    int MajorCount = 5;
    // Minor ticks in each gap between major ticks; at least 1.
    int MinorCount = 4;
    int DecimalPoints = 0;
    // May replace the label text of major index Index; Sender is handed on.
    TOnCustomizeTickLabel CustomizeLabel;
    QObject* Sender = nullptr;
};

struct TiScaleMajorTick {
    double Value = 0;
    // The text drawn beside the tick, customised.
    QString Label;
};

class TiScaleTicks {
public:
    // Divides the range; computed once per scale change and read by measuring and drawing.
    static TiScaleTicks Compute(const TiScaleTickRequest& Request);

    // The values of the first and last major tick.
    double Low() const { return low_; }
    double High() const { return high_; }
    double MajorStep() const { return majorStep_; }
    double MinorStep() const { return minorStep_; }
    const std::vector<TiScaleMajorTick>& Major() const { return major_; }
    // The minor ticks in the gap after major tick Index; none after the last.
    std::span<const double> MinorAfter(int Index) const;
    // The minor ticks that continue a fixed tick range out to the ends of the position range.
    const std::vector<double>& MinorBeyond() const { return minorBeyond_; }

private:
    double low_ = 0;
    double high_ = 0;
    double majorStep_ = 0;
    double minorStep_ = 0;
    int minorPerGap_ = 0;
    std::vector<TiScaleMajorTick> major_;
    // The gaps' minor ticks one gap after the other.
    std::vector<double> minorInside_;
    std::vector<double> minorBeyond_;
};
