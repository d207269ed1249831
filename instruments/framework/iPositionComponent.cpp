#include "instruments/framework/iPositionComponent.h"

#include "platform/Exception.h"
#include "platform/PropertyDefaults.h"

#include <cmath>
#include <utility>

namespace {

const PropertyDefaults::Registration defaults(TiPositionComponent::staticMetaObject,
                                              {
                                                  {"Position", 0.0},
                                                  {"PositionMax", 100.0},
                                                  {"PositionMin", 0.0},
                                                  {"CurrentMax", 0.0},
                                                  {"CurrentMin", 0.0},
                                                  {"MinMaxFixed", false},
                                                  {"PositionMax_2", PropertyDefaults::NoDefault()},
                                              });

// Detaches a handler for as long as it lives and puts it back on every way out.
class TiDetachedEvent {
public:
    explicit TiDetachedEvent(TNotifyEvent& event)
        : event_(event), saved_(std::exchange(event, {})) {}
    ~TiDetachedEvent() { event_ = std::move(saved_); }
    TiDetachedEvent(const TiDetachedEvent&) = delete;
    TiDetachedEvent& operator=(const TiDetachedEvent&) = delete;

private:
    TNotifyEvent& event_;
    TNotifyEvent saved_;
};

} // namespace

TiPositionComponent::TiUserPositionChange::TiUserPositionChange(TiPositionComponent& component)
    : component_(component) {
    component_.userGenerated_ = true;
}

TiPositionComponent::TiUserPositionChange::~TiUserPositionChange() {
    component_.userGenerated_ = false;
}

TiPositionComponent::TiPositionComponent(QWidget* parent) : TiCustomComponent(parent) {}

TiPositionComponent::~TiPositionComponent() = default;

void TiPositionComponent::SetPosition(double Value) {
    // NaN passes every comparison of the clamp and would sit outside the range unnoticed;
    // the extremes refuse it alike.
    if (std::isnan(Value)) return;
    if (GetLoading()) {
        position_ = Value;
        return;
    }
    if (Value > positionMax_) Value = positionMax_;
    if (Value < positionMin_) Value = positionMin_;
    if (Value == position_) return;
    if (!RequestEdit(QStringLiteral("Position"))) return;
    position_ = Value;
    changedSinceFinished_ = true;
    if (!minMaxFixed_) {
        if (position_ > currentMax_) SetCurrentMax(position_);
        if (position_ < currentMin_) SetCurrentMin(position_);
    }
    RaiseOverMaxOrUnderMin();
    RaiseLimitEvents();
    InvalidateChange();
    DoPositionChange();
}

void TiPositionComponent::SetPositionNoEvent(double Value) {
    TiDetachedEvent detached(OnPositionChange);
    SetPosition(Value);
}

void TiPositionComponent::SetPositionPercent(double Value) {
    SetPosition(positionMin_ + (positionMax_ - positionMin_) * Value);
}

double TiPositionComponent::ValuePercent(double Value) const {
    // An empty range has no fraction: without this a value above it would count as 1 and
    // one below as 0, so the answer would depend on where the value happens to lie.
    if (positionMax_ == positionMin_) return 0;
    if (Value > positionMax_) return 1;
    if (Value < positionMin_) return 0;
    return (Value - positionMin_) / (positionMax_ - positionMin_);
}

void TiPositionComponent::SetPositionMax(double Value) {
    if (Value != positionMax_) SetPositionMinMax(positionMin_, Value);
}

void TiPositionComponent::SetPositionMin(double Value) {
    if (Value != positionMin_) SetPositionMinMax(Value, positionMax_);
}

// A NaN end would make every later clamp pass and leave the position wherever it was set.
void TiPositionComponent::SetPositionMinMax(double Min, double Max) {
    if (std::isnan(Min) || std::isnan(Max)) return;
    if (Min == positionMin_ && Max == positionMax_) return;
    positionMin_ = Min;
    positionMax_ = Max;
    DoLimitBounds();
    DoPointerBounds();
    BackGroundChange();
}

void TiPositionComponent::DoLimitBounds() {
    if (GetLoading() || minMaxFixed_) return;
    if (currentMin_ < positionMin_) currentMin_ = positionMin_;
    if (currentMax_ > positionMax_) currentMax_ = positionMax_;
}

void TiPositionComponent::DoPointerBounds() {
    if (GetLoading()) return;
    if (position_ < positionMin_) SetPosition(positionMin_);
    if (position_ > positionMax_) SetPosition(positionMax_);
}

double TiPositionComponent::ClampExtreme(double Value) const {
    if (GetLoading()) return Value;
    if (Value < positionMin_) Value = positionMin_;
    if (Value > positionMax_) Value = positionMax_;
    return Value;
}

void TiPositionComponent::SetCurrentMax(double Value) {
    Value = ClampExtreme(Value);
    if (std::isnan(Value) || Value == currentMax_) return;
    currentMax_ = Value;
    if (showMaxPointer_) InvalidateChange();
    Raise(OnCurrentMaxChange);
    if (position_ > currentMax_) Raise(OnPositionOverMax);
}

void TiPositionComponent::SetCurrentMin(double Value) {
    Value = ClampExtreme(Value);
    if (std::isnan(Value) || Value == currentMin_) return;
    currentMin_ = Value;
    if (showMinPointer_) InvalidateChange();
    Raise(OnCurrentMinChange);
    if (position_ < currentMin_) Raise(OnPositionUnderMin);
}

void TiPositionComponent::ResetMinMax() {
    SetCurrentMax(position_);
    SetCurrentMin(position_);
}

void TiPositionComponent::SetMinMaxFixed(bool Value) {
    SetBooleanProperty(Value, minMaxFixed_, irtInvalidate);
}

void TiPositionComponent::SetShowMaxPointer(bool Value) {
    SetBooleanProperty(Value, showMaxPointer_, irtBackGround);
}

void TiPositionComponent::SetShowMinPointer(bool Value) {
    SetBooleanProperty(Value, showMinPointer_, irtBackGround);
}

void TiPositionComponent::SetMinMaxPointerMargin(int Value) {
    SetIntegerProperty(Value, minMaxPointerMargin_, irtBackGround);
}

void TiPositionComponent::SetMinMaxPointerSize(int Value) {
    SetIntegerProperty(Value, minMaxPointerSize_, irtBackGround);
}

void TiPositionComponent::SetMinPointerColor(TColor Value) {
    SetColorProperty(Value, minPointerColor_, irtInvalidate);
}

void TiPositionComponent::SetMaxPointerColor(TColor Value) {
    SetColorProperty(Value, maxPointerColor_, irtInvalidate);
}

void TiPositionComponent::SetMinMaxUserCanMove(bool Value) {
    SetBooleanProperty(Value, minMaxUserCanMove_, irtInvalidate);
}

void TiPositionComponent::DoPositionChange() {
    if (GetLoading()) return;
    if (!userGenerated_) DoOPCPositionChangeFinished();
    NotifyPropertyChange(QStringLiteral("Position"));
    Raise(OnPositionChange);
    if (userGenerated_) Raise(OnPositionChangeUser);
}

void TiPositionComponent::StepPositionByUser(double Step) {
    TiUserPositionChange user(*this);
    SetPosition(Position() + Step);
    DoPositionChangeFinished();
}

void TiPositionComponent::DoPositionChangeFinished() {
    if (GetLoading() || !changedSinceFinished_) return;
    changedSinceFinished_ = false;
    DoOPCPositionChangeFinished();
    Raise(OnPositionChangeFinished);
}

void TiPositionComponent::Raise(const TNotifyEvent& event) {
    if (event && !GetLoading()) event(this);
}

void TiPositionComponent::RaiseOverMaxOrUnderMin() {
    if (position_ > currentMax_) Raise(OnPositionOverMax);
    if (position_ < currentMin_) Raise(OnPositionUnderMin);
}

// A handler may add or remove limits; the band is copied first, as the list may move under
// a reference into it.
void TiPositionComponent::RaiseLimitEvents() {
    for (int index = 0; index < GetLimitCount(); ++index) {
        const TiLimitObject limit = limits_[size_t(index)];
        if (position_ > limit.UpperValue && OnPositionOverLimit) OnPositionOverLimit(this, index);
        if (position_ < limit.LowerValue && OnPositionUnderLimit) OnPositionUnderLimit(this, index);
    }
}

void TiPositionComponent::AddLimit(int PointerSize, int PointerMargin, bool DrawScaleSide,
                                   double UpperValue, double LowerValue, TColor UpperPointerColor,
                                   TColor LowerPointerColor) {
    limits_.push_back(TiLimitObject{UpperValue, LowerValue, PointerSize, PointerMargin,
                                    DrawScaleSide, UpperPointerColor, LowerPointerColor, true,
                                    true});
    BackGroundChange();
}

void TiPositionComponent::RemoveLimit(int Index) {
    GetLimitObject(Index);
    limits_.erase(limits_.begin() + Index);
    BackGroundChange();
}

void TiPositionComponent::RemoveAllLimits() {
    limits_.clear();
    BackGroundChange();
}

TiLimitObject& TiPositionComponent::GetLimitObject(int Index) {
    return const_cast<TiLimitObject&>(std::as_const(*this).GetLimitObject(Index));
}

const TiLimitObject& TiPositionComponent::GetLimitObject(int Index) const {
    if (Index < 0 || Index >= GetLimitCount())
        throw Exception(QStringLiteral("Limit Index out of bounds"));
    return limits_[size_t(Index)];
}

template <typename T>
void TiPositionComponent::SetLimitField(int Index, T TiLimitObject::*Field, T Value) {
    GetLimitObject(Index).*Field = Value;
    BackGroundChange();
}

double TiPositionComponent::GetLimitUpperValue(int Index) const {
    return GetLimitObject(Index).UpperValue;
}

double TiPositionComponent::GetLimitLowerValue(int Index) const {
    return GetLimitObject(Index).LowerValue;
}

TColor TiPositionComponent::GetLimitUpperPointerColor(int Index) const {
    return GetLimitObject(Index).UpperPointerColor;
}

TColor TiPositionComponent::GetLimitLowerPointerColor(int Index) const {
    return GetLimitObject(Index).LowerPointerColor;
}

int TiPositionComponent::GetLimitPointerMargin(int Index) const {
    return GetLimitObject(Index).PointerMargin;
}

int TiPositionComponent::GetLimitPointerSize(int Index) const {
    return GetLimitObject(Index).PointerSize;
}

bool TiPositionComponent::GetLimitShowUpperPointer(int Index) const {
    return GetLimitObject(Index).ShowUpperPointer;
}

bool TiPositionComponent::GetLimitShowLowerPointer(int Index) const {
    return GetLimitObject(Index).ShowLowerPointer;
}

bool TiPositionComponent::GetLimitDrawScaleSide(int Index) const {
    return GetLimitObject(Index).DrawScaleSide;
}

void TiPositionComponent::SetLimitUpperValue(int Index, double Value) {
    SetLimitField(Index, &TiLimitObject::UpperValue, Value);
}

void TiPositionComponent::SetLimitLowerValue(int Index, double Value) {
    SetLimitField(Index, &TiLimitObject::LowerValue, Value);
}

void TiPositionComponent::SetLimitUpperPointerColor(int Index, TColor Value) {
    SetLimitField(Index, &TiLimitObject::UpperPointerColor, Value);
}

void TiPositionComponent::SetLimitLowerPointerColor(int Index, TColor Value) {
    SetLimitField(Index, &TiLimitObject::LowerPointerColor, Value);
}

void TiPositionComponent::SetLimitPointerMargin(int Index, int Value) {
    SetLimitField(Index, &TiLimitObject::PointerMargin, Value);
}

void TiPositionComponent::SetLimitPointerSize(int Index, int Value) {
    SetLimitField(Index, &TiLimitObject::PointerSize, Value);
}

void TiPositionComponent::SetLimitShowUpperPointer(int Index, bool Value) {
    SetLimitField(Index, &TiLimitObject::ShowUpperPointer, Value);
}

void TiPositionComponent::SetLimitShowLowerPointer(int Index, bool Value) {
    SetLimitField(Index, &TiLimitObject::ShowLowerPointer, Value);
}

void TiPositionComponent::SetLimitDrawScaleSide(int Index, bool Value) {
    SetLimitField(Index, &TiLimitObject::DrawScaleSide, Value);
}
