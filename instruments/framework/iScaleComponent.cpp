#include "instruments/framework/iScaleComponent.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/PropertyDefaults.h"

#include <algorithm>

namespace {

const PropertyDefaults::Registration defaults(TiScaleComponent::staticMetaObject,
                                              {
                                                  {"AutoScaleEnabled", false},
                                                  {"AutoScaleDesiredTicks", 5},
                                                  {"AutoScaleMaxTicks", 6},
                                                  {"AutoScaleStyle", iassAutoMinMax},
                                                  {"ShowTicksMajor", true},
                                                  {"ShowTicksMinor", true},
                                                  {"ShowTickLabels", true},
                                                  {"ShowTicksMajorFirstLast", true},
                                                  {"TickMajorCount", 5},
                                                  {"TickMajorColor", clBlack},
                                                  {"TickMajorLength", 7},
                                                  {"TickMajorStyle", ibsNone},
                                                  {"TickMinorAlignment", itmnaInside},
                                                  {"TickMinorCount", 4},
                                                  {"TickMinorColor", clBlack},
                                                  {"TickMinorLength", 3},
                                                  {"TickMinorStyle", ibsNone},
                                                  {"TickMargin", 5},
                                                  {"TickLabelMargin", 5},
                                                  {"TickLabelPrecision", 0},
                                                  {"PrecisionStyle", ipsFixedDecimalPoints},
                                              });

} // namespace

TiScaleComponent::TiScaleComponent(QWidget* parent)
    : TiPositionComponent(parent), scale_(std::make_unique<TiScaleObject>(this)) {
    scale_->SetPrecisionStyle(ipsFixedDecimalPoints);
    scale_->SetAutoScaleDesiredTicks(5);
    scale_->SetAutoScaleMaxTicks(6);
    scale_->SetShowTicksMajor(true);
    scale_->SetShowTicksMinor(true);
    scale_->SetShowTickLabels(true);
    scale_->OnChange = [this](QObject*) { BackGroundChange(); };
    scale_->OnCustomizeTickLabel = [this](QObject* Sender, int Index, QString& DisplayText) {
        if (OnCustomizeTickLabel) OnCustomizeTickLabel(Sender, Index, DisplayText);
    };
}

TiScaleComponent::~TiScaleComponent() = default;

void TiScaleComponent::SetAutoScaleEnabled(bool Value) {
    if (Value == AutoScaleEnabled()) return;
    scale_->SetAutoScaleEnabled(Value);
    DoAutoScale(PositionMin(), PositionMax());
}

void TiScaleComponent::SetAutoScaleDesiredTicks(int Value) {
    if (Value < 2 || Value == AutoScaleDesiredTicks()) return;
    scale_->SetAutoScaleDesiredTicks(Value);
    DoAutoScale(PositionMin(), PositionMax());
}

void TiScaleComponent::SetAutoScaleMaxTicks(int Value) {
    if (Value < 2 || Value == AutoScaleMaxTicks()) return;
    scale_->SetAutoScaleMaxTicks(Value);
    DoAutoScale(PositionMin(), PositionMax());
}

void TiScaleComponent::SetAutoScaleStyle(TiAutoScaleStyle Value) {
    if (Value == AutoScaleStyle()) return;
    scale_->SetAutoScaleStyle(Value);
    DoAutoScale(PositionMin(), PositionMax());
}

void TiScaleComponent::SetPositionMax(double Value) {
    if (AutoScaleEnabled() && !GetLoading())
        DoAutoScale(PositionMin(), Value);
    else
        TiPositionComponent::SetPositionMax(Value);
}

void TiScaleComponent::SetPositionMin(double Value) {
    if (AutoScaleEnabled() && !GetLoading())
        DoAutoScale(Value, PositionMax());
    else
        TiPositionComponent::SetPositionMin(Value);
}

// The search never asks for more ticks than a scale holds: a larger maximum would only find
// counts the scale clamps, and the search grows with it until it seems to hang.
void TiScaleComponent::DoAutoScale(double Min, double Max) {
    if (!AutoScaleEnabled() || GetLoading()) return;
    double tickStart = Min;
    double tickStop = Max;
    int tickCount = TickMajorCount();
    const int maxTicks = std::min(AutoScaleMaxTicks(), MaxTickMajorCount);
    if (AutoScaleStyle() == iassAutoMinMax) {
        GetAutoScaleValuesAdjustable(Min, Max, AutoScaleDesiredTicks(), maxTicks, tickStart,
                                     tickStop, tickCount);
        SetPositionMinMax(tickStart, tickStop);
    } else {
        GetAutoScaleValuesFixed(Min, Max, AutoScaleDesiredTicks(), maxTicks, tickStart, tickStop,
                                tickCount);
        SetPositionMinMax(Min, Max);
        scale_->SetFixedTickStart(tickStart);
        scale_->SetFixedTickStop(tickStop);
        BackGroundChange();
    }
    SetTickMajorCount(tickCount);
}

int TiScaleComponent::GetDecimalPoints() const {
    return scale_->GetDecimalPoints(PositionMin(), PositionMax());
}

TiScaleTicks TiScaleComponent::Ticks() const {
    return scale_->Ticks(PositionMin(), PositionMax(), GetDecimalPoints());
}

void TiScaleComponent::Loaded() {
    TiPositionComponent::Loaded();
    DoAutoScale(PositionMin(), PositionMax());
}

void TiScaleComponent::SetKeyArrowStepSize(double Value) {
    SetDoubleProperty(Value, keyArrowStepSize_, irtInvalidate);
}

void TiScaleComponent::SetKeyPageStepSize(double Value) {
    SetDoubleProperty(Value, keyPageStepSize_, irtInvalidate);
}

void TiScaleComponent::SetMouseWheelStepSize(double Value) {
    SetDoubleProperty(Value, mouseWheelStepSize_, irtInvalidate);
}

void TiScaleComponent::iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TiPositionComponent::iMouseUp(Button, Shift, X, Y);
    InvalidateChange();
    if (!mouseDragging_) return;
    mouseDragging_ = false;
    DoPositionChangeFinished();
}

void TiScaleComponent::iKeyDown(uint16_t& Key, TShiftState Shift) {
    if (UsesKeyboard()) StepByKey(Key);
    TiPositionComponent::iKeyDown(Key, Shift);
}

void TiScaleComponent::iKeyUp(uint16_t& Key, TShiftState Shift) {
    TiPositionComponent::iKeyUp(Key, Shift);
    InvalidateChange();
    FinishKeyStep();
}

void TiScaleComponent::iWantSpecialKey(uint16_t& Key, bool& Result) {
    TiPositionComponent::iWantSpecialKey(Key, Result);
    if (UsesKeyboard()) Result = IsArrowKey(Key);
}

// The inherited handling ends a drag through a mouse-up; a held key ends unfinished.
void TiScaleComponent::iDoKillFocus() {
    TiPositionComponent::iDoKillFocus();
    mouseDragging_ = false;
    keyHeld_ = false;
}

bool TiScaleComponent::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    const bool handled = TiPositionComponent::DoMouseWheel(Shift, WheelDelta, MousePos);
    StepByWheel(WheelDelta);
    return handled;
}

void TiScaleComponent::DoOPCPositionChangeFinished() {
    OPCOutputData(QStringLiteral("Position"), Position());
}

void TiScaleComponent::InitStepSizes(double Arrow, double Page, double Wheel) {
    keyArrowStepSize_ = Arrow;
    keyPageStepSize_ = Page;
    mouseWheelStepSize_ = Wheel;
}

void TiScaleComponent::StepByKey(uint16_t& Key) {
    keyHeld_ = true;
    TiUserPositionChange user(*this);
    if (StepPositionByKey(*this, Key, keyArrowStepSize_, keyPageStepSize_)) Key = 0;
}

void TiScaleComponent::FinishKeyStep() {
    if (!keyHeld_) return;
    keyHeld_ = false;
    if (PositionChangedSinceFinished()) DoPositionChangeFinished();
}

void TiScaleComponent::StepByWheel(int WheelDelta) {
    if (wheelLimit_.StepDue()) StepPositionByUser(WheelDirection(WheelDelta) * mouseWheelStepSize_);
}
