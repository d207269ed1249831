#include "app/Pllvecteur.h"

#include "app/PhasorDiagram.h"

Tpllvecteur::Tpllvecteur(QWidget* parent) : TPhasorDisplay(parent) {}

void Tpllvecteur::setvecteur(double blueAngle, double redAngle) {
    using namespace PhasorDiagram;
    SetTips(PolarTip(blueAngle, Radius), PolarTip(redAngle, Radius));
}

void Tpllvecteur::DrawLabels(TCanvas& canvas) const {
    canvas.TextOut(220, 120, QStringLiteral("0"));
    canvas.TextOut(110, 0, QStringLiteral("90"));
    canvas.TextOut(0, 120, QStringLiteral("180"));
    canvas.TextOut(110, 210, QStringLiteral("270"));
}
