// A phasor diagram of two full-length phasors, blue and red, on a disc marked in degrees.
#pragma once

#include "app/PhasorDisplay.h"

class Tpllvecteur : public TPhasorDisplay {
    Q_OBJECT
    // There is no designer palette; the category is kept where a designer would look for it.
    Q_CLASSINFO("PaletteCategory", "Samples")

public:
    explicit Tpllvecteur(QWidget* parent = nullptr);

    // Angles in degrees; both phasors are 120 pixels long.
    void setvecteur(double blueAngle, double redAngle);

protected:
    void DrawLabels(TCanvas& canvas) const override;
};
