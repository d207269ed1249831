// How a plot axis follows new data: the tracking settings, the first-point alignment, pause
// and resume with the values saved at the pause, and the range each new value leads to.
#pragma once

#include "plot/iPlotAxisRange.h"

#include <cmath>
#include <functional>

// What a pause saved, restored on resume.
struct TiPlotAxisResumeValues {
    double Min = 0;
    double Span = 100;
    double LabelsMinLength = 0;
};

class TiPlotAxisTracking {
public:
    TiPlotAxisTracking(TiPlotTrackingStyle Style, TiPlotAlignFirstStyle AlignFirstStyle)
        : style_(Style), alignFirstStyle_(AlignFirstStyle) {}

    bool Enabled() const { return enabled_; }
    // Pausing saves the range and LabelsMinLength when RestoreValuesOnResume; resuming then
    // restores them into Range and LabelsMinLength.
    void SetEnabled(bool Value, TiPlotAxisRange& Range, double& LabelsMinLength);
    TiPlotTrackingStyle Style() const { return style_; }
    void SetStyle(TiPlotTrackingStyle Value);
    TiPlotAlignFirstStyle AlignFirstStyle() const { return alignFirstStyle_; }
    void SetAlignFirstStyle(TiPlotAlignFirstStyle Value);
    // 0 is off; else the widest span the scroll styles widen to.
    double ScrollCompressMax() const { return scrollCompressMax_; }
    void SetScrollCompressMax(double Value);
    bool RestoreValuesOnResume() const { return restoreValuesOnResume_; }
    void SetRestoreValuesOnResume(bool Value);

    const TiPlotAxisResumeValues& ResumeValues() const { return resume_; }
    void UpdateResumeValues(const TiPlotAxisRange& Range, double LabelsMinLength);
    // Paused with a saved Min or Span other than the current one.
    bool ResumeValuesDiffer(const TiPlotAxisRange& Range) const;

    // The next tracked value aligns the range again.
    void ResetFirstAlign() { firstAligned_ = false; }
    bool FirstAligned() const { return firstAligned_; }

    // Moves Range for a new data value; nothing while paused. iptsExpandCollapse only marks a
    // fit as pending (see FitPending).
    void NewTrackingData(double Value, TiPlotAxisRange& Range);
    // Whether NewTrackingData(Value, Range) would leave everything as it is: most values of a
    // live recording fall inside the range, and the caller can skip its change guards.
    bool Keeps(double Value, const TiPlotAxisRange& Range) const {
        // A NaN sample has no place on any scale; it would otherwise align Min to the limit.
        if (!enabled_ || std::isnan(Value)) return true;
        // Every scaling and scrolling style leaves a range alone that already shows the value
        // (its ends are already corrected for log), while an expanding one owes a fit.
        return firstAligned_ && style_ != iptsExpandCollapse && Value >= Range.Min() &&
               Value <= Range.Min() + Range.Span();
    }
    // A fit of the range to the data is owed. Fitting scans every bound channel, so an
    // expanding and collapsing axis fits once before it is drawn instead of once per point;
    // the range drawn is the same.
    bool FitPending() const { return fitPending_; }
    // The owed fit: Range takes the extents.
    void ApplyFit(TiPlotAxisRange& Range, const TiPlotAxisExtents& Extents);
    // The range was set otherwise since the last value; that setting stands.
    void CancelPendingFit() { fitPending_ = false; }

    // Any change of a setting.
    std::function<void()> OnChange;

private:
    // The Min that the first tracked value asks for.
    double AlignedMin(double Value, const TiPlotAxisRange& Range) const;
    // The scroll styles: a page or the newest value on past the top, back below the bottom.
    void Scroll(double Value, const TiPlotAxisRange& Range, double& Min, double& Span) const;
    void Changed();
    template <typename T> void Update(T& Field, T Value);

    bool enabled_ = true;
    TiPlotTrackingStyle style_;
    TiPlotAlignFirstStyle alignFirstStyle_;
    double scrollCompressMax_ = 0;
    bool restoreValuesOnResume_ = true;
    TiPlotAxisResumeValues resume_;
    bool firstAligned_ = false;
    bool fitPending_ = false;
};
