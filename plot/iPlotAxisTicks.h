// The ticks of a plot axis as one value, computed once per layout or paint: major ticks with
// their label texts and minor ticks, for linear, log10, date-time and price scales. The
// layout's measuring and the drawing both read it, so a label is never measured by one rule
// and drawn by another; the knob's and the slider's scales have the same idea in TiScaleTicks.
#pragma once

#include "plot/iPlotAxisMap.h"
#include "plot/iPlotAxisRange.h"

#include <QString>
#include <functional>
#include <vector>

// The Style numbers of the two kinds, as the application's tick list uses them.
constexpr int PlotTickMajor = 0;
constexpr int PlotTickMinor = 1;

struct TiPlotTick {
    int Style = PlotTickMajor;
    double Position = 0;
    // Majors only.
    QString Label;
    int Pixel = 0;
    bool Visible = false;
};

// What the axis asks of its ticks besides its range and scale.
struct TiPlotAxisTickRequest {
    TiPlotTextFormat FormatStyle = iptfValue;
    // 0 is off; else a value on which a major tick falls.
    double DesiredStart = 0;
    // 0 (or below) is automatic; else the wanted major step.
    double DesiredIncrement = 0;
    int MinorCount = 1;
    bool LabelsVisible = true;
    // The room one label needs along the axis, its gap included.
    int MaxLabelLengthPixels = 1;
    // The text of a major tick's label, customised.
    std::function<QString(double)> LabelText;
};

// Bounds that keep every tick computation short whatever the settings: labels that fit,
// minor ticks between two majors, and ticks in all.
constexpr int MaxPlotAxisMajorSteps = 1000;
constexpr int MaxPlotAxisMinorCount = 1000;
constexpr int MaxPlotAxisTicks = 100000;

// The ticks in the order placed, majors and minors interleaved as the application's own tick
// list may also hold them.
struct TiPlotAxisTicks {
    // The ticks that lie on the scale, majors labelled, with their pixels. A non-finite range
    // gives no ticks; the range itself is never changed.
    static TiPlotAxisTicks Compute(const TiPlotAxisRange& Range, const TiPlotAxisMap& Map,
                                   const TiPlotAxisTickRequest& Request);

    // Each tick's pixel and whether it lies on the scale, as the mapping now stands.
    void UpdatePixels(const TiPlotAxisMap& Map);

    std::vector<TiPlotTick> Ticks;
    // The date-time steps chose whole months or years.
    bool MonthSteps = false;
    bool YearSteps = false;
};
