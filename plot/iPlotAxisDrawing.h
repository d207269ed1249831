// The measuring and drawing of a plot axis over a canvas: its side, scale and hit rectangles,
// the widths it asks of the layout, its scale line, ticks, labels and title, and the grid
// lines across a data view. Each reads the axis's tick value, so measuring and drawing agree.
#pragma once

#include "plot/iPlotAxisTicks.h"
#include "plot/iPlotTypes.h"

#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/Font.h"

#include <QString>
#include <functional>
#include <vector>

// The axis's drawing settings as published.
struct TiPlotAxisDrawSettings {
    bool Horizontal = true;
    bool ReverseSide = false;
    bool Cartesian = false;
    int InnerMargin = 5;
    int OuterMargin = 5;
    int MajorLength = 7;
    int MinorLength = 3;
    bool ScaleLinesShow = true;
    TColor ScaleLinesColor = clWhite;
    double StackingEndsMargin = 0.5;
    QString Title;
    bool TitleShow = false;
    double TitleMargin = 0.25;
    const TFont* TitleFont = nullptr;
    bool LabelsVisible = true;
    double LabelsMargin = 0.25;
    const TFont* LabelsFont = nullptr;
    double LabelSeparation = 2;
};

struct TiPlotAxisScaleRects {
    TiQuadSide Side = iqsBottom;
    TRect ScaleRect;
    TRect HitRect;
};

// The side of the labels and the scale and hit rectangles within the draw rectangle; a
// stacked end is pulled in by half a label. LabelLength is PlotAxisRequiredLabelLength.
TiPlotAxisScaleRects CalcPlotAxisScaleRects(TCanvas& Canvas, const TiPlotAxisDrawSettings& Settings,
                                            const TRect& DrawRect, bool StartStacked,
                                            bool StopStacked, int LabelLength);

// A value whose label is about as long as the largest the range shows.
double PlotAxisTypicalLabelValue(double Min, double Span);

// The length along a horizontal axis that its labels need: LabelsMinLength widths of "0",
// the typical label and every tick label in Ticks, whichever is widest.
int PlotAxisRequiredLabelLength(TCanvas& Canvas, const TiPlotAxisDrawSettings& Settings,
                                const QString& TypicalLabel, double LabelsMinLength,
                                const std::vector<TiPlotTick>& Ticks);
// LabelsMinLength grown to the typical label's character count when auto-adjusted.
double AdjustedLabelsMinLength(double LabelsMinLength, bool AutoAdjust,
                               const QString& TypicalLabel);
// The room one label takes along the axis with its separation.
int PlotAxisMaxLabelLengthPixels(TCanvas& Canvas, const TiPlotAxisDrawSettings& Settings,
                                 int LabelLength);
// MinLength widths of "0" in Font: the room of cursor and legend texts.
int PlotAxisTextMinLength(TCanvas& Canvas, const TFont* Font, double MinLength);

struct TiPlotAxisWidths {
    int RequiredWidth = 0;
    // From the scale's edge to the outer side of the labels.
    int LabelsZone = 0;
};

// The band width across the axis. MinLabel is the label of Min, whose height a horizontal
// axis needs.
TiPlotAxisWidths PlotAxisRequiredWidth(TCanvas& Canvas, const TiPlotAxisDrawSettings& Settings,
                                       int LabelLength, const QString& MinLabel);
// How far labels reach beyond the ends of the scale.
int PlotAxisRequiredLengthGuard(TCanvas& Canvas, const TiPlotAxisDrawSettings& Settings,
                                int LabelLength);

// What a cartesian axis, drawn across the data view, asks of the plot: whether a label box is
// free to draw in, and the one-pixel tick rectangles that later labels must avoid.
struct TiPlotAxisCollisions {
    std::function<bool(const TRect&)> AcceptLabel;
    std::function<void(const TRect&)> Add;
};

// The one-pixel rectangle of a cartesian axis's scale line, registered before any axis draws.
TRect PlotAxisScaleLineRect(const TiPlotAxisDrawSettings& Settings,
                            const TiPlotAxisScaleRects& Rects);

// Where the axis answers the pointer: its hit rectangle, or for a cartesian axis a strip
// across its line. The layout sets it, so hit-testing never waits for a paint.
TRect PlotAxisHitRect(const TiPlotAxisDrawSettings& Settings, const TiPlotAxisScaleRects& Rects,
                      const TRect& DrawRect, const TiPlotAxisWidths& Widths);

// What one layout gives an axis, kept with the frame layout and put back after an export.
struct TiPlotAxisLayout {
    TiPlotAxisScaleRects Rects;
    TRect HitRect;
    TiPlotAxisWidths Widths;
    int LabelLength = 0;
    TiPlotAxisTicks Ticks;
};

// Labels of visible majors, the scale line and ticks, the title (not cartesian), and a focus
// rectangle round the hit rectangle (PlotAxisHitRect) when Selected.
void DrawPlotAxis(TCanvas& Canvas, const TiPlotAxisDrawSettings& Settings,
                  const TiPlotAxisScaleRects& Rects, const TRect& DrawRect,
                  const TiPlotAxisWidths& Widths, const std::vector<TiPlotTick>& Ticks,
                  const TiPlotAxisCollisions& Collisions, bool Selected);

struct TiPlotGridLinePen {
    bool Show = true;
    TiPlotGridLineStyle Style = ipglsSolid;
    TColor Color = clGray;
    int Width = 1;
};

// A line across Rect at every visible tick of the kinds shown: vertical lines for a
// horizontal axis, horizontal ones for a vertical axis.
void DrawPlotAxisGridLines(TCanvas& Canvas, const TRect& Rect, bool Horizontal,
                           const std::vector<TiPlotTick>& Ticks, const TiPlotGridLinePen& Major,
                           const TiPlotGridLinePen& Minor);
