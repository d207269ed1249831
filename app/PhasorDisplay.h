// The common ground of the vector display controls: a fixed 240 x 240 phasor disc with a blue
// and a red phasor, the red one ending in an arrowhead, drawn off screen and shown in one copy.
#pragma once

#include "platform/Bitmap.h"
#include "platform/Canvas.h"

#include <QPointF>
#include <QWidget>

class TPhasorDisplay : public QWidget {
    Q_OBJECT

public:
    explicit TPhasorDisplay(QWidget* parent = nullptr);

    // The fill of the control and of its disc.
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    QPointF BlueTip() const { return blueTip_; }
    QPointF RedTip() const { return redTip_; }

    // The whole picture of the control, on any canvas.
    void PaintTo(TCanvas& canvas) const;

protected:
    // Shows the new phasors at once.
    void SetTips(const QPointF& blue, const QPointF& red);
    virtual void DrawLabels(TCanvas& canvas) const = 0;

    void paintEvent(QPaintEvent* event) override;

private:
    void DrawArrowhead(TCanvas& canvas) const;

    TBitmap bitmap_;
    TColor color_ = clBtnFace;
    // Kept per control, not per class: shared end points let one control's setvecteur change
    // what every other control of its class draws.
    QPointF blueTip_;
    QPointF redTip_;
};
