#include "app/PhasorDiagram.h"

#include "platform/Geometry.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace PhasorDiagram {

QPointF PolarTip(double degrees, double length) {
    if (!std::isfinite(degrees) || std::isnan(length)) return {0, 0};
    const double bounded = std::clamp(length, -double(MaxPixelExtent), double(MaxPixelExtent));
    const double radians = degrees * std::numbers::pi / 180.0;
    return {std::cos(radians) * bounded, std::sin(radians) * bounded};
}

TPoint TipPixel(const QPointF& tip) {
    return {Centre.X + Trunc(tip.x()), Centre.Y - Trunc(tip.y())};
}

void DrawAxes(TCanvas& canvas) {
    canvas.Pen()->SetColor(clBlack);
    canvas.Pen()->SetWidth(1);
    canvas.MoveTo(0, Centre.Y);
    canvas.LineTo(Size, Centre.Y);
    canvas.MoveTo(Centre.X, 0);
    canvas.LineTo(Centre.X, Size);
}

void DrawPhasor(TCanvas& canvas, const QPointF& tip, TColor color) {
    canvas.Pen()->SetColor(color);
    canvas.Pen()->SetWidth(2);
    const TPoint end = TipPixel(tip);
    canvas.MoveTo(Centre.X, Centre.Y);
    canvas.LineTo(end.X, end.Y);
}

void UseLabelFont(TCanvas& canvas) {
    canvas.Font()->SetName(QStringLiteral("Arial"));
    canvas.Font()->SetColor(clBlack);
    canvas.Font()->SetSize(8);
}

} // namespace PhasorDiagram
