#include "app/Vecteur.h"

#include "app/PhasorDiagram.h"

Tvecteur::Tvecteur(QWidget* parent) : TPhasorDisplay(parent) {}

void Tvecteur::setvecteur(double modulatedAngle, double amplitude, double carrierAngle) {
    using namespace PhasorDiagram;
    SetTips(PolarTip(carrierAngle, Radius), PolarTip(modulatedAngle, amplitude * Radius));
}

void Tvecteur::DrawLabels(TCanvas& canvas) const {
    canvas.TextOut(220, 120, QStringLiteral("i(t)"));
    canvas.TextOut(110, 0, QStringLiteral("q(t)"));
}
