// A phasor diagram of a carrier (blue, full length) and a modulated carrier (red, of variable
// length) on a disc with the axes "i(t)" and "q(t)".
#pragma once

#include "app/PhasorDisplay.h"

class Tvecteur : public TPhasorDisplay {
    Q_OBJECT
    // There is no designer palette; the category is kept where a designer would look for it.
    Q_CLASSINFO("PaletteCategory", "Samples")

public:
    explicit Tvecteur(QWidget* parent = nullptr);

    // Angles in degrees; the red phasor is amplitude x 120 pixels long, the blue one 120.
    void setvecteur(double modulatedAngle, double amplitude, double carrierAngle);

protected:
    void DrawLabels(TCanvas& canvas) const override;
};
