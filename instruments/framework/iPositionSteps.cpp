#include "instruments/framework/iPositionSteps.h"

#include "instruments/framework/iControlEvents.h"

namespace {

constexpr double MillisecondsPerDay = 24.0 * 60 * 60 * 1000;

} // namespace

bool StepPositionByKey(TiPositionComponent& Component, uint16_t Key, double ArrowStep,
                       double PageStep) {
    switch (Key) {
    case VK_LEFT:
    case VK_DOWN:
        Component.SetPosition(Component.Position() - ArrowStep);
        return true;
    case VK_RIGHT:
    case VK_UP:
        Component.SetPosition(Component.Position() + ArrowStep);
        return true;
    case VK_PRIOR:
        Component.SetPosition(Component.Position() + PageStep);
        return true;
    case VK_NEXT:
        Component.SetPosition(Component.Position() - PageStep);
        return true;
    case VK_HOME:
        Component.SetPosition(Component.PositionMin());
        return true;
    case VK_END:
        Component.SetPosition(Component.PositionMax());
        return true;
    default:
        return false;
    }
}

int WheelDirection(int WheelDelta) {
    return (WheelDelta > 0) - (WheelDelta < 0);
}

// A clock set back (a time-zone or manual change) would leave the last step in the future
// and the wheel dead until the clock caught up, so an earlier time counts as due.
bool TiWheelStepLimit::StepDue() {
    const TDateTime now = Now();
    const double elapsed = (now - lastStep_) * MillisecondsPerDay;
    if (elapsed >= 0 && elapsed < StepMilliseconds) return false;
    lastStep_ = now;
    return true;
}
