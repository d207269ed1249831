#include "plot/iPlotAxisTracking.h"

#include <cmath>

namespace {

// A log scale cannot show a non-positive Min or Span; tracking corrects them directly.
void CorrectForLog(const TiPlotAxisRange& Range, double& Min, double& Span) {
    if (!Range.IsLog()) return;
    if (Min <= 0) Min = 1;
    if (Span <= 0) Span = 1;
}

} // namespace

void TiPlotAxisTracking::Changed() {
    if (OnChange) OnChange();
}

template <typename T> void TiPlotAxisTracking::Update(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
}

void TiPlotAxisTracking::SetEnabled(bool Value, TiPlotAxisRange& Range, double& LabelsMinLength) {
    if (Value == enabled_) return;
    enabled_ = Value;
    // A paused axis is the user's: a fit owed from before must not undo their scroll or zoom.
    fitPending_ = false;
    if (restoreValuesOnResume_) {
        if (!Value) {
            UpdateResumeValues(Range, LabelsMinLength);
        } else {
            Range.SetMinSpan(resume_.Min, resume_.Span);
            LabelsMinLength = resume_.LabelsMinLength;
        }
    }
    Changed();
}

void TiPlotAxisTracking::SetStyle(TiPlotTrackingStyle Value) {
    Update(style_, Value);
}

void TiPlotAxisTracking::SetAlignFirstStyle(TiPlotAlignFirstStyle Value) {
    Update(alignFirstStyle_, Value);
}

void TiPlotAxisTracking::SetScrollCompressMax(double Value) {
    Update(scrollCompressMax_, Value);
}

void TiPlotAxisTracking::SetRestoreValuesOnResume(bool Value) {
    Update(restoreValuesOnResume_, Value);
}

void TiPlotAxisTracking::UpdateResumeValues(const TiPlotAxisRange& Range, double LabelsMinLength) {
    resume_ = {Range.Min(), Range.Span(), LabelsMinLength};
}

bool TiPlotAxisTracking::ResumeValuesDiffer(const TiPlotAxisRange& Range) const {
    return !enabled_ && (resume_.Min != Range.Min() || resume_.Span != Range.Span());
}

double TiPlotAxisTracking::AlignedMin(double Value, const TiPlotAxisRange& Range) const {
    switch (alignFirstStyle_) {
    case ipafsMin:
        return Value;
    case ipafsMax:
        return Value - Range.Span();
    case ipafsAuto:
        return Value < Range.Min() || Value > Range.Max() ? Value : Range.Min();
    case ipafsNone:
        break;
    }
    return Range.Min();
}

void TiPlotAxisTracking::Scroll(double Value, const TiPlotAxisRange& Range, double& Min,
                                double& Span) const {
    const bool smooth = style_ == iptsScrollSmooth;
    if (Value > Min + Range.Span()) {
        if (scrollCompressMax_ != 0) {
            if (Value - Min > Range.Span()) Span = Value - Min;
            if (Range.Span() > scrollCompressMax_) Span = scrollCompressMax_;
        }
        Min = smooth ? Value - Span : Min + Span;
    } else if (Value < Range.Min()) {
        Min = smooth ? Value : Min - Span;
    }
}

void TiPlotAxisTracking::NewTrackingData(double Value, TiPlotAxisRange& Range) {
    if (Keeps(Value, Range)) return;
    double min = Range.Min();
    double span = Range.Span();
    if (!firstAligned_) {
        firstAligned_ = true;
        min = AlignedMin(Value, Range);
    }
    const double top = min + Range.Span();
    switch (style_) {
    case iptsScaleMinMax:
        if (Value > top) span = Value - min;
        if (Value < min) min = Value;
        break;
    case iptsScaleMax:
        if (Value > top) span = Value - Range.Min();
        break;
    case iptsScaleMin:
        if (Value < min) min = Value;
        break;
    case iptsScrollSmooth:
    case iptsScrollPage:
        Scroll(Value, Range, min, span);
        break;
    case iptsExpandCollapse:
        fitPending_ = true;
        return;
    }
    CorrectForLog(Range, min, span);
    Range.SetMinSpan(min, span);
}

void TiPlotAxisTracking::ApplyFit(TiPlotAxisRange& Range, const TiPlotAxisExtents& Extents) {
    fitPending_ = false;
    Range.FitToExtents(Extents);
}
