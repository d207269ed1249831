#include "FakeDataAccess.h"
#include "HostileValues.h"
#include "opc/iOPCItem.h"

namespace {

// An item is connected through the fake layer with whatever names it was given, written to,
// suspended and resumed, then let go.
void ExerciseItem(QObject& object) {
    FakeDataAccess layer;
    ScopedDataAccess installed(layer);
    auto& item = static_cast<TiOPCItem&>(object);
    try {
        item.Loaded();
        item.Activate();
        item.SetData(QStringLiteral("x"));
        item.UpdateSuspend();
        item.UpdateResume();
    } catch (const Exception&) {
        // Refusals of names the layer cannot take are answers, not faults.
    }
    item.UpdateError();
    item.Deactivate();
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Items, HostileValueTest,
                         testing::Values(HostileCase<TiOPCItem>("TiOPCItem", ExerciseItem)),
                         HostileCaseName);
