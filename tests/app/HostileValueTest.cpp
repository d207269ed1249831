// The vector display controls through the hostile-value test: they publish no properties, so
// their exercise feeds setvecteur every hostile angle and amplitude.
#include "HostileValues.h"
#include "app/Pllvecteur.h"
#include "app/Vecteur.h"

#include <limits>

namespace {

const double Infinity = std::numeric_limits<double>::infinity();
const double Hostile[] = {
    std::numeric_limits<double>::quiet_NaN(),  Infinity, -Infinity, 1e308, -1e308,
    std::numeric_limits<double>::denorm_min(), 0.0,      45.0};

void ExerciseVecteur(QObject& object) {
    auto& display = static_cast<Tvecteur&>(object);
    for (double a : Hostile)
        for (double b : Hostile) {
            display.setvecteur(a, b, a);
            display.setvecteur(45, a, b);
        }
}

void ExercisePllvecteur(QObject& object) {
    auto& display = static_cast<Tpllvecteur&>(object);
    for (double a : Hostile)
        for (double b : Hostile)
            display.setvecteur(a, b);
}

} // namespace

INSTANTIATE_TEST_SUITE_P(VectorDisplays, HostileValueTest,
                         testing::Values(HostileCase<Tvecteur>("Tvecteur", ExerciseVecteur),
                                         HostileCase<Tpllvecteur>("Tpllvecteur",
                                                                  ExercisePllvecteur)),
                         HostileCaseName);
