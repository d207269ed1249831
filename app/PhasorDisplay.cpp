#include "app/PhasorDisplay.h"

#include "app/PhasorDiagram.h"
#include "platform/PainterCanvas.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int DiscInset = 4;
constexpr double ArrowheadLength = 10.0;
constexpr double ArrowheadHalfWidth = 0.4;
constexpr double ArrowheadNotch = 0.6;

} // namespace

TPhasorDisplay::TPhasorDisplay(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A fixed size stands for a resize request answered with 240 x 240 whatever was asked.
    setFixedSize(PhasorDiagram::Size, PhasorDiagram::Size);
    bitmap_.SetSize(width(), height());
}

void TPhasorDisplay::SetColor(TColor value) {
    if (color_ == value) return;
    color_ = value;
    QWidget::update();
}

void TPhasorDisplay::SetTips(const QPointF& blue, const QPointF& red) {
    blueTip_ = blue;
    redTip_ = red;
    repaint();
}

void TPhasorDisplay::PaintTo(TCanvas& canvas) const {
    canvas.Brush()->SetColor(color_);
    canvas.Pen()->SetColor(color_);
    canvas.FillRect(Bounds(0, 0, bitmap_.Width(), bitmap_.Height()));
    canvas.Pen()->SetColor(clBlack);
    canvas.Pen()->SetWidth(2);
    canvas.Ellipse(DiscInset, DiscInset, PhasorDiagram::Size - DiscInset,
                   PhasorDiagram::Size - DiscInset);
    PhasorDiagram::UseLabelFont(canvas);
    DrawLabels(canvas);
    PhasorDiagram::DrawAxes(canvas);
    PhasorDiagram::DrawPhasor(canvas, blueTip_, clBlue);
    PhasorDiagram::DrawPhasor(canvas, redTip_, clRed);
    DrawArrowhead(canvas);
}

// A dart of four corners on the red tip; a phasor of no length has no direction to point in.
void TPhasorDisplay::DrawArrowhead(TCanvas& canvas) const {
    const TPoint tip = PhasorDiagram::TipPixel(redTip_);
    const double dx = tip.X - PhasorDiagram::Centre.X;
    const double dy = tip.Y - PhasorDiagram::Centre.Y;
    const double length = std::hypot(dx, dy);
    if (length == 0.0) return;
    const double head = std::min(ArrowheadLength, length);
    const double alongX = dx / length;
    const double alongY = dy / length;
    const auto behindTip = [&](double back, double side) {
        return TPoint{tip.X + Round(-alongX * back - alongY * side),
                      tip.Y + Round(-alongY * back + alongX * side)};
    };
    const std::array<TPoint, 4> corners{tip, behindTip(head, head * ArrowheadHalfWidth),
                                        behindTip(head * ArrowheadNotch, 0.0),
                                        behindTip(head, -head * ArrowheadHalfWidth)};
    canvas.Brush()->SetColor(clRed);
    canvas.Polygon(corners);
}

void TPhasorDisplay::paintEvent(QPaintEvent*) {
    bitmap_.SetDevicePixelRatio(devicePixelRatioF());
    PaintTo(*bitmap_.Canvas());
    TPainterCanvas canvas(*this);
    canvas.Draw(0, 0, bitmap_);
}
