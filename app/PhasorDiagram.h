// The phasor diagram that the main window and the vector display controls share: a 240 x 240
// square whose centre is the origin, the two axes across its middle and phasors drawn from the
// centre, in pixels with y upwards.
#pragma once

#include "platform/Canvas.h"

#include <QPointF>

namespace PhasorDiagram {

constexpr int Size = 240;
constexpr int Radius = 120;
constexpr TPoint Centre{Radius, Radius};

// The end point of a phasor of `length` pixels at `degrees`, counter-clockwise from the
// in-phase axis. A length beyond MaxPixelExtent is drawn that long, so the pixel arithmetic
// cannot overflow; a phasor without a direction or a length (a NaN or an infinite angle, a NaN
// length) has its tip at the origin.
QPointF PolarTip(double degrees, double length);
// The pixel that a tip reaches: each coordinate truncated toward zero, y turned downwards.
TPoint TipPixel(const QPointF& tip);

// Black, one pixel wide; the pen keeps that afterwards.
void DrawAxes(TCanvas& canvas);
// Two pixels wide in `color`, which the pen keeps afterwards.
void DrawPhasor(TCanvas& canvas, const QPointF& tip, TColor color);
// The captions of the axes: Arial, black, 8 points.
void UseLabelFont(TCanvas& canvas);

} // namespace PhasorDiagram
