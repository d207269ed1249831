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
    scale_->SetAutoScaleDesiredTicks(autoScaleDesiredTicks_);
    scale_->SetAutoScaleMaxTicks(autoScaleMaxTicks_);
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
    if (Value == autoScaleEnabled_) return;
    autoScaleEnabled_ = Value;
    scale_->SetAutoScaleEnabled(Value);
    DoAutoScale(PositionMin(), PositionMax());
}

void TiScaleComponent::SetAutoScaleDesiredTicks(int Value) {
    if (Value < 2 || Value == autoScaleDesiredTicks_) return;
    autoScaleDesiredTicks_ = Value;
    scale_->SetAutoScaleDesiredTicks(Value);
    DoAutoScale(PositionMin(), PositionMax());
}

void TiScaleComponent::SetAutoScaleMaxTicks(int Value) {
    if (Value < 2 || Value == autoScaleMaxTicks_) return;
    autoScaleMaxTicks_ = Value;
    scale_->SetAutoScaleMaxTicks(Value);
    DoAutoScale(PositionMin(), PositionMax());
}

void TiScaleComponent::SetAutoScaleStyle(TiAutoScaleStyle Value) {
    if (Value == autoScaleStyle_) return;
    autoScaleStyle_ = Value;
    scale_->SetAutoScaleStyle(Value);
    DoAutoScale(PositionMin(), PositionMax());
}

void TiScaleComponent::SetPositionMax(double Value) {
    if (autoScaleEnabled_ && !GetLoading())
        DoAutoScale(PositionMin(), Value);
    else
        TiPositionComponent::SetPositionMax(Value);
}

void TiScaleComponent::SetPositionMin(double Value) {
    if (autoScaleEnabled_ && !GetLoading())
        DoAutoScale(Value, PositionMax());
    else
        TiPositionComponent::SetPositionMin(Value);
}

// The search never asks for more ticks than a scale holds: a larger maximum would only find
// counts the scale clamps, and the search grows with it until it seems to hang.
void TiScaleComponent::DoAutoScale(double Min, double Max) {
    if (!autoScaleEnabled_ || GetLoading()) return;
    double tickStart = Min;
    double tickStop = Max;
    int tickCount = TickMajorCount();
    const int maxTicks = std::min(autoScaleMaxTicks_, MaxTickMajorCount);
    if (autoScaleStyle_ == iassAutoMinMax) {
        GetAutoScaleValuesAdjustable(Min, Max, autoScaleDesiredTicks_, maxTicks, tickStart,
                                     tickStop, tickCount);
        SetPositionMinMax(tickStart, tickStop);
    } else {
        GetAutoScaleValuesFixed(Min, Max, autoScaleDesiredTicks_, maxTicks, tickStart, tickStop,
                                tickCount);
        SetPositionMinMax(Min, Max);
        fixedTickStart_ = tickStart;
        fixedTickStop_ = tickStop;
        scale_->SetFixedTickStart(tickStart);
        scale_->SetFixedTickStop(tickStop);
        BackGroundChange();
    }
    SetTickMajorCount(tickCount);
}

int TiScaleComponent::GetDecimalPoints() const {
    return ::GetDecimalPoints(PositionMin(), PositionMax(), TickLabelPrecision(), PrecisionStyle());
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
