#include "plot/iPlotLayoutObject.h"

#include "platform/PropertyDefaults.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>

namespace {

const PropertyDefaults::Registration defaults(TiPlotLayoutObject::staticMetaObject,
                                              {
                                                  {"StopPercent", 100.0},
                                                  {"StartPercent", 0.0},
                                                  {"ZOrder", 0},
                                                  {"Horizontal", false},
                                              });

constexpr double MinimumStretch = 5;

double ClampPercent(double value) {
    return std::clamp(value, 0.0, 100.0);
}

} // namespace

TiPlotLayoutObject::TiPlotLayoutObject(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
    : TiPlotManagerObject(Owner, Hooks) {}

void TiPlotLayoutObject::SetStartPercent(double Value) {
    if (std::isnan(Value)) return;
    double start = ClampPercent(Value);
    double stop = stopPercent_;
    if (stop - start < MinimumStretch) {
        stop = start + MinimumStretch;
        if (stop > 100) {
            stop = 100;
            start = 100 - MinimumStretch;
        }
    }
    if (start == startPercent_ && stop == stopPercent_) return;
    startPercent_ = start;
    stopPercent_ = stop;
    TriggerChange(this);
}

void TiPlotLayoutObject::SetStopPercent(double Value) {
    if (std::isnan(Value)) return;
    double stop = ClampPercent(Value);
    double start = startPercent_;
    if (stop - start < MinimumStretch) {
        start = stop - MinimumStretch;
        if (start < 0) {
            start = 0;
            stop = MinimumStretch;
        }
    }
    if (start == startPercent_ && stop == stopPercent_) return;
    startPercent_ = start;
    stopPercent_ = stop;
    TriggerChange(this);
}

void TiPlotLayoutObject::SetStartStopPercent(double Start, double Stop) {
    if (std::isnan(Start) || std::isnan(Stop)) return;
    // Unchecked, a start beyond the stop gave a band a negative stretch.
    stopPercent_ = ClampPercent(Stop);
    startPercent_ = std::min(ClampPercent(Start), stopPercent_);
    TriggerChange(this);
}

void TiPlotLayoutObject::SetZOrder(int Value) {
    SetIntegerProperty(std::clamp(Value, -MaxZOrder, MaxZOrder), zOrder_,
                       &TiPlotObject::TriggerLayoutChange);
}

void TiPlotLayoutObject::SetHorizontal(bool Value) {
    SetBooleanProperty(Value, horizontal_, &TiPlotObject::TriggerLayoutChange);
}

void TiPlotLayoutObject::SetForceStacking(bool Value) {
    SetBooleanProperty(Value, forceStacking_, &TiPlotObject::TriggerLayoutChange);
}

void TiPlotLayoutObject::SetReverseSide(bool Value) {
    SetBooleanProperty(Value, reverseSide_, &TiPlotObject::TriggerChange);
}

QString TiPlotLayoutObject::GetZOrderString() const {
    return QString::number(zOrder_).rightJustified(3, QLatin1Char('0'));
}

QString TiPlotLayoutObject::GetStartPercentString() const {
    return QString::number(Round(startPercent_)).rightJustified(3, QLatin1Char('0'));
}

bool TiPlotLayoutObject::iMouseHitTest(const TiPlotMouseData& MouseData) {
    return drawRect_.Contains({MouseData.X, MouseData.Y});
}

void TiPlotLayoutObject::Loaded() {
    TiPlotObjectGuard guard(*this);
    TiPlotObject::Loaded();
    if (!guard.Destroyed()) Notify(OnLayoutChange);
}

bool TiPlotLayoutObject::GetIsHorz() const {
    return horizontal_;
}

bool TiPlotLayoutObject::GetIsVert() const {
    return !horizontal_;
}

int TiPlotLayoutObject::GetRequiredWidth(TCanvas&) {
    return 0;
}

int TiPlotLayoutObject::GetRequiredLengthGaurd(TCanvas&) {
    return 0;
}

TiPlotLayoutAxis* TiPlotLayoutObject::GetLayoutAxis() {
    return nullptr;
}

TiPlotDataViewHorz::TiPlotDataViewHorz(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
    : TiPlotDataViewLayout(Owner, Hooks) {
    InitHorizontal(true);
}
