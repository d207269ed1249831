// The keyboard and wheel steps shared by the instruments that set a position: the step-key
// table and the limit of one wheel step per 30 ms.
#pragma once

#include "instruments/framework/iPositionComponent.h"
#include "platform/Clock.h"

#include <cstdint>

// Left and Down step down by ArrowStep, Right and Up step up; Page Up and Page Down step by
// PageStep; Home and End go to the ends. Answers whether Key is one of these keys.
bool StepPositionByKey(TiPositionComponent& Component, uint16_t Key, double ArrowStep,
                       double PageStep);

// The sign of a wheel delta: +1 away from the user, -1 toward, 0 for none.
int WheelDirection(int WheelDelta);

class TiWheelStepLimit {
public:
    static constexpr double StepMilliseconds = 30;

    // Whether a step may go through now on the date-time clock; a step that does is
    // remembered as the last one.
    bool StepDue();

private:
    TDateTime lastStep_ = 0;
};
