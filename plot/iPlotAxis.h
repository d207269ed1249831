// A plot axis: maps its range of values onto the pixels of its band for everything else in the
// plot, follows new data, lets the user scroll and zoom it, and draws its scale and labels.
#pragma once

#include "instruments/framework/iTypes.h"
#include "platform/Font.h"
#include "plot/channels/iPlotChannelAxis.h"
#include "plot/iPlotAxisDrawing.h"
#include "plot/iPlotAxisInput.h"
#include "plot/iPlotAxisMap.h"
#include "plot/iPlotAxisRange.h"
#include "plot/iPlotAxisText.h"
#include "plot/iPlotAxisTicks.h"
#include "plot/iPlotAxisTracking.h"
#include "plot/iPlotLayoutObject.h"
#include "plot/iPlotManagers.h"
#include "plot/iPlotNameReference.h"

#include <algorithm>
#include <functional>
#include <memory>

class TiPlotMasterManager;

// What a channel offers the axes it is bound to, for ZoomToFit and iptsExpandCollapse. Both
// answers must be quick: an expanding axis asks them once per paint.
class TiPlotAxisExtentSource {
public:
    // The name the channel gives its axis of AxisKind (XAxisName or YAxisName).
    virtual QString BoundAxisName(TiPlotObjectKind AxisKind) const = 0;
    // The smallest visible minimum and largest visible maximum of its data in the direction of
    // AxisKind; an empty channel answers the default (1e300, -1e300), which is never found.
    virtual TiPlotAxisExtents VisibleExtents(TiPlotObjectKind AxisKind) const = 0;

protected:
    ~TiPlotAxisExtentSource() = default;
};

class TiPlotAxis : public TiPlotLayoutObject, public TiPlotLayoutAxis, public TiPlotChannelAxis {
    Q_OBJECT
    Q_PROPERTY(double Min READ Min WRITE SetMin)
    Q_PROPERTY(double Span READ Span WRITE SetSpan)
    Q_PROPERTY(double Max READ Max)
    Q_PROPERTY(bool ReverseScale READ ReverseScale WRITE SetReverseScale)
    Q_PROPERTY(iPlotTypes::TiPlotScaleType ScaleType READ ScaleType WRITE SetScaleType)
    Q_PROPERTY(bool TrackingEnabled READ TrackingEnabled WRITE SetTrackingEnabled)
    Q_PROPERTY(
        iPlotTypes::TiPlotTrackingStyle TrackingStyle READ TrackingStyle WRITE SetTrackingStyle)
    Q_PROPERTY(iPlotTypes::TiPlotAlignFirstStyle TrackingAlignFirstStyle READ
                   TrackingAlignFirstStyle WRITE SetTrackingAlignFirstStyle)
    Q_PROPERTY(double TrackingScrollCompressMax READ TrackingScrollCompressMax WRITE
                   SetTrackingScrollCompressMax)
    Q_PROPERTY(bool RestoreValuesOnResume READ RestoreValuesOnResume WRITE SetRestoreValuesOnResume)
    Q_PROPERTY(bool ScrollMinMaxEnabled READ ScrollMinMaxEnabled WRITE SetScrollMinMaxEnabled)
    Q_PROPERTY(double ScrollMin READ ScrollMin WRITE SetScrollMin)
    Q_PROPERTY(double ScrollMax READ ScrollMax WRITE SetScrollMax)
    Q_PROPERTY(bool MasterUIInput READ MasterUIInput WRITE SetMasterUIInput)
    Q_PROPERTY(double DesiredStart READ DesiredStart WRITE SetDesiredStart)
    Q_PROPERTY(double DesiredIncrement READ DesiredIncrement WRITE SetDesiredIncrement)
    Q_PROPERTY(
        iPlotTypes::TiPlotCartesianStyle CartesianStyle READ CartesianStyle WRITE SetCartesianStyle)
    Q_PROPERTY(QString CartesianChildRefAxisName READ CartesianChildRefAxisName WRITE
                   SetCartesianChildRefAxisName)
    Q_PROPERTY(
        double CartesianChildRefValue READ CartesianChildRefValue WRITE SetCartesianChildRefValue)
    Q_PROPERTY(QString AlignRefAxisName READ AlignRefAxisName WRITE SetAlignRefAxisName)
    Q_PROPERTY(int InnerMargin READ InnerMargin WRITE SetInnerMargin)
    Q_PROPERTY(int OuterMargin READ OuterMargin WRITE SetOuterMargin)
    Q_PROPERTY(int MajorLength READ MajorLength WRITE SetMajorLength)
    Q_PROPERTY(int MinorLength READ MinorLength WRITE SetMinorLength)
    Q_PROPERTY(int MinorCount READ MinorCount WRITE SetMinorCount)
    Q_PROPERTY(bool ScaleLinesShow READ ScaleLinesShow WRITE SetScaleLinesShow)
    Q_PROPERTY(bool ScaleLineShow READ ScaleLineShow WRITE SetScaleLineShow)
    Q_PROPERTY(TColor ScaleLinesColor READ ScaleLinesColor WRITE SetScaleLinesColor)
    Q_PROPERTY(bool GridLinesVisible READ GridLinesVisible WRITE SetGridLinesVisible)
    Q_PROPERTY(double StackingEndsMargin READ StackingEndsMargin WRITE SetStackingEndsMargin)
    Q_PROPERTY(bool ForceStacking READ ForceStacking WRITE SetForceStacking)
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    Q_PROPERTY(bool TitleShow READ TitleShow WRITE SetTitleShow)
    Q_PROPERTY(double TitleMargin READ TitleMargin WRITE SetTitleMargin)
    Q_PROPERTY(TFont* TitleFont READ TitleFont WRITE SetTitleFont)
    Q_PROPERTY(bool LabelsVisible READ LabelsVisible WRITE SetLabelsVisible)
    Q_PROPERTY(double LabelsMargin READ LabelsMargin WRITE SetLabelsMargin)
    Q_PROPERTY(TFont* LabelsFont READ LabelsFont WRITE SetLabelsFont)
    Q_PROPERTY(double LabelSeparation READ LabelSeparation WRITE SetLabelSeparation)
    Q_PROPERTY(int LabelsPrecision READ LabelsPrecision WRITE SetLabelsPrecision)
    Q_PROPERTY(iTypes::TiPrecisionStyle LabelsPrecisionStyle READ LabelsPrecisionStyle WRITE
                   SetLabelsPrecisionStyle)
    Q_PROPERTY(iPlotTypes::TiPlotTextFormat LabelsFormatStyle READ LabelsFormatStyle WRITE
                   SetLabelsFormatStyle)
    Q_PROPERTY(QString DateTimeFormat READ DateTimeFormat WRITE SetDateTimeFormat)
    Q_PROPERTY(double LabelsMinLength READ LabelsMinLength WRITE SetLabelsMinLength)
    Q_PROPERTY(bool LabelsMinLengthAutoAdjust READ LabelsMinLengthAutoAdjust WRITE
                   SetLabelsMinLengthAutoAdjust)
    Q_PROPERTY(
        bool CursorUseDefaultFormat READ CursorUseDefaultFormat WRITE SetCursorUseDefaultFormat)
    Q_PROPERTY(iPlotTypes::TiPlotTextFormat CursorFormatStyle READ CursorFormatStyle WRITE
                   SetCursorFormatStyle)
    Q_PROPERTY(QString CursorDateTimeFormat READ CursorDateTimeFormat WRITE SetCursorDateTimeFormat)
    Q_PROPERTY(iTypes::TiPrecisionStyle CursorPrecisionStyle READ CursorPrecisionStyle WRITE
                   SetCursorPrecisionStyle)
    Q_PROPERTY(int CursorPrecision READ CursorPrecision WRITE SetCursorPrecision)
    Q_PROPERTY(double CursorMinLength READ CursorMinLength WRITE SetCursorMinLength)
    Q_PROPERTY(bool CursorMinLengthAutoAdjust READ CursorMinLengthAutoAdjust WRITE
                   SetCursorMinLengthAutoAdjust)
    Q_PROPERTY(double CursorScaler READ CursorScaler WRITE SetCursorScaler)
    Q_PROPERTY(
        bool LegendUseDefaultFormat READ LegendUseDefaultFormat WRITE SetLegendUseDefaultFormat)
    Q_PROPERTY(iPlotTypes::TiPlotTextFormat LegendFormatStyle READ LegendFormatStyle WRITE
                   SetLegendFormatStyle)
    Q_PROPERTY(QString LegendDateTimeFormat READ LegendDateTimeFormat WRITE SetLegendDateTimeFormat)
    Q_PROPERTY(iTypes::TiPrecisionStyle LegendPrecisionStyle READ LegendPrecisionStyle WRITE
                   SetLegendPrecisionStyle)
    Q_PROPERTY(int LegendPrecision READ LegendPrecision WRITE SetLegendPrecision)
    Q_PROPERTY(double LegendMinLength READ LegendMinLength WRITE SetLegendMinLength)
    Q_PROPERTY(bool LegendMinLengthAutoAdjust READ LegendMinLengthAutoAdjust WRITE
                   SetLegendMinLengthAutoAdjust)
    // The older name of Span, read from old files and never written.
    Q_PROPERTY(double Span_2 READ Span WRITE SetSpan STORED false)

public:
    // Interaction modes the toolbar sets.
    static constexpr int ModeScroll = 0;
    static constexpr int ModeZoom = 1;
    // Bounds of the settings counted in character sizes, and of the label precisions.
    static constexpr double MaxCharacterFactor = 1000;
    static constexpr int MaxPrecision = 30;

    // Kind is TiPlotObjectKind::XAxis or TiPlotObjectKind::YAxis.
    TiPlotAxis(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks, TiPlotObjectKind Kind,
               TiPlotTrackingStyle TrackingStyle, TiPlotAlignFirstStyle AlignFirstStyle);
    ~TiPlotAxis() override;

    TiPlotObjectKind Kind() const { return kind_; }

    // Range and tracking. Min within -1e300..1e300 (a log axis corrects a non-positive Min to
    // 1), Span within 1e-300..1e300; NaN becomes 1e300. Setting the range as the application
    // or the user cancels a fit owed by iptsExpandCollapse.
    double Min() const { return range_.Min(); }
    void SetMin(double Value);
    double Span() const { return range_.Span(); }
    void SetSpan(double Value);
    const TiPlotAxisMap& ChannelAxisMap() const override { return Map(); }
    double ChannelAxisMin() const override { return Min(); }
    double ChannelAxisSpan() const override { return Span(); }
    double Max() const { return range_.Max(); }
    bool ReverseScale() const { return range_.ReverseScale(); }
    void SetReverseScale(bool Value);
    TiPlotScaleType ScaleType() const { return range_.ScaleType(); }
    void SetScaleType(TiPlotScaleType Value);
    bool TrackingEnabled() const { return tracking_.Enabled(); }
    // Pause and resume; see RestoreValuesOnResume.
    void SetTrackingEnabled(bool Value);
    TiPlotTrackingStyle TrackingStyle() const { return tracking_.Style(); }
    void SetTrackingStyle(TiPlotTrackingStyle Value);
    TiPlotAlignFirstStyle TrackingAlignFirstStyle() const { return tracking_.AlignFirstStyle(); }
    void SetTrackingAlignFirstStyle(TiPlotAlignFirstStyle Value);
    // 0..1e300.
    double TrackingScrollCompressMax() const { return tracking_.ScrollCompressMax(); }
    void SetTrackingScrollCompressMax(double Value);
    bool RestoreValuesOnResume() const { return tracking_.RestoreValuesOnResume(); }
    void SetRestoreValuesOnResume(bool Value);
    bool ScrollMinMaxEnabled() const { return range_.ScrollMinMaxEnabled(); }
    void SetScrollMinMaxEnabled(bool Value);
    double ScrollMin() const { return range_.ScrollMin(); }
    void SetScrollMin(double Value);
    double ScrollMax() const { return range_.ScrollMax(); }
    void SetScrollMax(double Value);
    bool MasterUIInput() const { return masterUIInput_; }
    void SetMasterUIInput(bool Value);
    double DesiredStart() const { return desiredStart_; }
    void SetDesiredStart(double Value);
    // 0..1e300; 0 is automatic.
    double DesiredIncrement() const { return desiredIncrement_; }
    void SetDesiredIncrement(double Value);
    TiPlotCartesianStyle CartesianStyle() const override { return cartesianStyle_; }
    void SetCartesianStyle(TiPlotCartesianStyle Value);
    QString CartesianChildRefAxisName() const { return cartesianRef_.Name(); }
    void SetCartesianChildRefAxisName(const QString& Value) { cartesianRef_.SetName(Value); }
    double CartesianChildRefValue() const override { return cartesianChildRefValue_; }
    void SetCartesianChildRefValue(double Value);
    QString AlignRefAxisName() const { return alignRef_.Name(); }
    void SetAlignRefAxisName(const QString& Value) { alignRef_.SetName(Value); }

    // Scale drawing. Pixel settings within 0..MaxPixelExtent, MinorCount within
    // 0..MaxPlotAxisMinorCount, factors of character sizes within +-MaxCharacterFactor; NaN
    // and out-of-range enumerations are refused.
    int InnerMargin() const { return innerMargin_; }
    void SetInnerMargin(int Value);
    int OuterMargin() const { return outerMargin_; }
    void SetOuterMargin(int Value);
    int MajorLength() const { return majorLength_; }
    void SetMajorLength(int Value);
    int MinorLength() const { return minorLength_; }
    void SetMinorLength(int Value);
    int MinorCount() const { return minorCount_; }
    void SetMinorCount(int Value);
    bool ScaleLinesShow() const { return scaleLinesShow_; }
    void SetScaleLinesShow(bool Value);
    // Stored only; drawing does not read it.
    bool ScaleLineShow() const { return scaleLineShow_; }
    void SetScaleLineShow(bool Value);
    TColor ScaleLinesColor() const { return scaleLinesColor_; }
    void SetScaleLinesColor(TColor Value);
    bool GridLinesVisible() const { return gridLinesVisible_; }
    void SetGridLinesVisible(bool Value);
    double StackingEndsMargin() const { return stackingEndsMargin_; }
    void SetStackingEndsMargin(double Value);
    QString Title() const { return title_; }
    void SetTitle(const QString& Value);
    bool TitleShow() const { return titleShow_; }
    void SetTitleShow(bool Value);
    double TitleMargin() const { return titleMargin_; }
    void SetTitleMargin(double Value);
    TFont* TitleFont() const { return titleFont_.get(); }
    // Copies the font.
    void SetTitleFont(const TFont* Value);

    // Labels, cursor and legend texts. Precisions within 0..MaxPrecision, minimum lengths
    // within 0..MaxCharacterFactor.
    bool LabelsVisible() const { return labelsVisible_; }
    void SetLabelsVisible(bool Value);
    double LabelsMargin() const { return labelsMargin_; }
    void SetLabelsMargin(double Value);
    TFont* LabelsFont() const { return labelsFont_.get(); }
    void SetLabelsFont(const TFont* Value);
    double LabelSeparation() const { return labelSeparation_; }
    void SetLabelSeparation(double Value);
    int LabelsPrecision() const { return labelsFormat_.Precision; }
    void SetLabelsPrecision(int Value);
    TiPrecisionStyle LabelsPrecisionStyle() const { return labelsFormat_.PrecisionStyle; }
    void SetLabelsPrecisionStyle(TiPrecisionStyle Value);
    TiPlotTextFormat LabelsFormatStyle() const { return labelsFormat_.Style; }
    void SetLabelsFormatStyle(TiPlotTextFormat Value);
    QString DateTimeFormat() const { return labelsFormat_.DateTimeFormat; }
    void SetDateTimeFormat(const QString& Value);
    double LabelsMinLength() const { return labelsMinLength_; }
    void SetLabelsMinLength(double Value);
    bool LabelsMinLengthAutoAdjust() const { return labelsMinLengthAutoAdjust_; }
    void SetLabelsMinLengthAutoAdjust(bool Value);
    bool CursorUseDefaultFormat() const { return cursorUseDefaultFormat_; }
    void SetCursorUseDefaultFormat(bool Value);
    TiPlotTextFormat CursorFormatStyle() const { return cursorFormat_.Style; }
    void SetCursorFormatStyle(TiPlotTextFormat Value);
    QString CursorDateTimeFormat() const { return cursorFormat_.DateTimeFormat; }
    void SetCursorDateTimeFormat(const QString& Value);
    TiPrecisionStyle CursorPrecisionStyle() const { return cursorFormat_.PrecisionStyle; }
    void SetCursorPrecisionStyle(TiPrecisionStyle Value);
    int CursorPrecision() const { return cursorFormat_.Precision; }
    void SetCursorPrecision(int Value);
    double CursorMinLength() const { return cursorMinLength_; }
    void SetCursorMinLength(double Value);
    // Stored only: no measurement grows it.
    bool CursorMinLengthAutoAdjust() const { return cursorMinLengthAutoAdjust_; }
    void SetCursorMinLengthAutoAdjust(bool Value);
    // Within -1e300..1e300.
    double CursorScaler() const override { return cursorScaler_; }
    void SetCursorScaler(double Value);
    bool LegendUseDefaultFormat() const { return legendUseDefaultFormat_; }
    void SetLegendUseDefaultFormat(bool Value);
    TiPlotTextFormat LegendFormatStyle() const { return legendFormat_.Style; }
    void SetLegendFormatStyle(TiPlotTextFormat Value);
    QString LegendDateTimeFormat() const { return legendFormat_.DateTimeFormat; }
    void SetLegendDateTimeFormat(const QString& Value);
    TiPrecisionStyle LegendPrecisionStyle() const { return legendFormat_.PrecisionStyle; }
    void SetLegendPrecisionStyle(TiPrecisionStyle Value);
    int LegendPrecision() const { return legendFormat_.Precision; }
    void SetLegendPrecision(int Value);
    double LegendMinLength() const { return legendMinLength_; }
    void SetLegendMinLength(double Value);
    bool LegendMinLengthAutoAdjust() const { return legendMinLengthAutoAdjust_; }
    void SetLegendMinLengthAutoAdjust(bool Value);

    // Both ends with one combined event after the events of each end.
    void SetMinSpan(double Min, double Span);
    double GetMax() const { return Max(); }

    // The mapping, as the last layout pass or paint placed the scale; the range's changes
    // since then are followed at once.
    int PositionToPixels(double Value) const override;
    double PixelsToPosition(int Pixel) const;
    double PixelsToPositionDouble(double Pixel) const;
    int WidthToPixels(double Width) const;
    bool PointOnScale(double Value) const;
    bool ValueOnScale(double Value) const { return PointOnScale(Value); }
    double PositionToPercent(double Value) const { return range_.PositionToPercent(Value); }
    double PercentToPosition(double Fraction) const { return range_.PercentToPosition(Fraction); }
    int GetMinPixels() const;
    int GetMaxPixels() const;
    int GetSpanLength() const;

    // A channel reports each new value of this axis's direction.
    void NewTrackingData(double Value) override;
    void ResetFirstAlign() { tracking_.ResetFirstAlign(); }
    void UpdateResumeValues();

    void Zoom(double Factor);
    void ZoomPercentByReference(double Fraction);
    void ScrollPercentByReference(double Fraction);
    void ZoomRect(const TRect& Rect);
    // The range becomes the extents of the channels bound to this axis.
    void ZoomToFit();

    int Mode() const { return mode_; }
    // ModeScroll or ModeZoom; others are refused.
    void SetMode(int Value);
    // The mode, flipped while Ctrl is held.
    int GetActualMode() const;

    TiQuadSide Side() const { return rects_.Side; }
    TRect ScaleRect() const override { return rects_.ScaleRect; }
    TRect HitRect() const { return hitRect_; }
    void CalcScaleRect(TCanvas& Canvas) override;
    // Applies an owed fit, places the scale and computes the ticks (or refreshes the pixels of
    // the application's tick list).
    void CalcTicks(TCanvas& Canvas) override;
    void CalcTickPixels();
    void BeginLayout() override { labelTexts_.BeginLayout(); }
    void EndLayout() override { labelTexts_.EndLayout(); }
    // The plot keeps the label texts from layout to layout (TiPlotAxisLabelTexts).
    void KeepLabelTexts() { labelTexts_.Keep(); }
    TiPlotAxisLayout AxisLayout() const override;
    void ApplyAxisLayout(const TiPlotAxisLayout& Layout) override;
    const std::vector<TiPlotTick>& Ticks() const { return ticks_.Ticks; }
    bool MonthTicks() const { return ticks_.MonthSteps; }
    bool YearTicks() const { return ticks_.YearSteps; }

    TiPlotLayoutObject* GetCartesianRefAxis() override;
    TiPlotLayoutObject* GetAlignRefAxis() override;
    TiPlotLayoutAxis* GetLayoutAxis() override { return this; }

    // Texts. A label text made is offered to OnCustomizeLabel, once per value in a layout.
    QString GetLabelText(double Value);
    QString GetCursorText(double Value) override;
    QString GetCursorValueText(double Value) const override;
    QString GetLegendText(double Value);
    // Text measures in pixels; with LabelsMinLengthAutoAdjust GetRequiredLabelLength grows the
    // length shown (LabelsMinLengthShown) to the typical label, never LabelsMinLength itself.
    int GetRequiredLabelLength(TCanvas& Canvas);
    int GetMaxLabelLengthPixels(TCanvas& Canvas);
    double LabelsMinLengthShown() const { return std::max(labelsMinLength_, measuredMinLength_); }
    int GetRequiredLegendLength(TCanvas& Canvas, const TFont* Font);
    int GetRequiredCursorLength(TCanvas& Canvas, const TFont* Font);
    int GetRequiredWidth(TCanvas& Canvas) override;
    int GetRequiredLengthGaurd(TCanvas& Canvas) override;
    int LabelsZoneWidth() const { return widths_.LabelsZone; }

    void DrawSetup(TCanvas& Canvas) override;
    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;
    void DrawGridLines(TCanvas& Canvas, const TRect& Rect, const TiPlotGridLinePen& Major,
                       const TiPlotGridLinePen& Minor);

    // The application's tick list: style PlotTickMajor or PlotTickMinor. On a log axis a
    // position <= 0 raises "Log Scale Requires Position to be Greater Than Zero"; an index
    // outside the list raises the list's index error.
    int TickListAdd(const QString& Label, int Style, double Position);
    void TickListClear();
    int GetTickListCount() const { return int(ticks_.Ticks.size()); }
    QString GetTickListItemLabel(int Index) const;
    double GetTickListItemPosition(int Index) const;
    int GetTickListItemStyle(int Index) const;
    void SetTickListItemLabel(int Index, const QString& Value);
    void SetTickListItemPosition(int Index, double Value);
    void SetTickListItemStyle(int Index, int Value);
    bool TickListCustom() const { return tickListCustom_; }
    // The ticks become the application's, never recomputed.
    void SetTickListCustom(bool Value);

    void NotificationRemove(QObject* Object) override;
    void NotificationRename(QObject* Object) override;
    void NotificationSetFocus(QObject* Object) override;
    bool iMouseHitTest(const TiPlotMouseData& MouseData) override;
    bool iMouseWheel(int WheelDelta, TShiftState Shift, TPoint MousePos) override;
    void DoMouseHint(const TiPlotMouseData& MouseData, TiHintData& HintData) override;
    void DoMouseLeft(const TiPlotMouseData& MouseData) override;
    void DoMouseMove(const TiPlotMouseData& MouseData) override;
    void DoMouseUp(const TiPlotMouseData& MouseData) override;
    Qt::CursorShape GetMousePointer(TPoint Point) override;
    void iKeyDown(uint16_t& Key, TShiftState Shift) override;
    // "Tracking Enabled", "Update Resume Values" and "Zoom to Fit" ahead of "Edit...".
    void AddMenuItems(QMenu* PopupMenu) override;

    // The plot turns these into its events of the axis's kind and index.
    std::function<void(QObject* Sender, double OldMin, double NewMin)> OnMinChange;
    std::function<void(QObject* Sender, double OldSpan, double NewSpan)> OnSpanChange;
    std::function<void(QObject* Sender, double OldMin, double OldSpan, double NewMin,
                       double NewSpan)>
        OnMinSpanChange;
    std::function<void(QObject* Sender, double Value, QString& Text)> OnCustomizeLabel;
    // Set by the plot: where a cartesian axis may draw its labels, and what it occupies.
    TiPlotAxisCollisions AxesCollisions;

private:
    TiPlotAxisDrawSettings DrawSettings() const;
    TiPlotAxisRun Run() const;
    // A tracking axis changes its range with every point a channel adds, so the map is built
    // again only when next read.
    void InvalidateMap() { mapStale_ = true; }
    const TiPlotAxisMap& Map() const;
    QString MakeLabelText(double Value);
    QString TypicalLabel();
    QString FormattedText(double Value, bool UseDefault, const TiPlotAxisTextFormat& Format);
    TiPlotAxisExtents GatherExtents() const;
    // A user's scroll or zoom pauses tracking first.
    void UserStep(const std::optional<TiPlotAxisStep>& Step);
    TiPlotAxisAction ActualAction() const;
    // The same input on every other axis of the kind, when MasterUIInput.
    void RepeatOnOtherAxes(const std::function<void(TiPlotAxis&)>& Action);
    void SetBoundedDouble(double Value, double Low, double High, double& Field);
    void SetPixelSetting(int Value, int& Field);
    void SetPrecision(int Value, int& Field);
    template <typename E> void SetEnumSetting(E Value, E Last, E& Field);
    void SetFont(const TFont* Value, TFont& Font);
    void CheckTickPosition(double Position) const;
    TiPlotTick& TickAt(int Index);
    const TiPlotTick& TickAt(int Index) const;

    TiPlotObjectKind kind_;
    TiPlotAxisRange range_;
    TiPlotAxisTracking tracking_;
    mutable TiPlotAxisMap map_;
    mutable bool mapStale_ = true;
    TiPlotAxisTicks ticks_;
    TiPlotAxisScaleRects rects_;
    TRect hitRect_;
    TiPlotAxisWidths widths_;
    int labelLength_ = 0;
    bool masterUIInput_ = false;
    double desiredStart_ = 0;
    double desiredIncrement_ = 0;
    TiPlotCartesianStyle cartesianStyle_ = ipcsNone;
    double cartesianChildRefValue_ = 0;
    TiPlotNameReference cartesianRef_;
    TiPlotNameReference alignRef_;
    int innerMargin_ = 5;
    int outerMargin_ = 5;
    int majorLength_ = 7;
    int minorLength_ = 3;
    int minorCount_ = 1;
    bool scaleLinesShow_ = true;
    bool scaleLineShow_ = true;
    TColor scaleLinesColor_ = clWhite;
    bool gridLinesVisible_ = true;
    double stackingEndsMargin_ = 0.5;
    QString title_;
    bool titleShow_ = false;
    double titleMargin_ = 0.25;
    std::unique_ptr<TFont> titleFont_;
    bool labelsVisible_ = true;
    double labelsMargin_ = 0.25;
    std::unique_ptr<TFont> labelsFont_;
    double labelSeparation_ = 2;
    TiPlotAxisTextFormat labelsFormat_;
    double labelsMinLength_ = 5;
    // What measuring grew the labels' length to, beyond LabelsMinLength.
    double measuredMinLength_ = 0;
    TiPlotAxisLabelTexts labelTexts_;
    bool labelsMinLengthAutoAdjust_ = false;
    bool cursorUseDefaultFormat_ = true;
    TiPlotAxisTextFormat cursorFormat_;
    double cursorMinLength_ = 5;
    bool cursorMinLengthAutoAdjust_ = false;
    double cursorScaler_ = 1;
    bool legendUseDefaultFormat_ = true;
    TiPlotAxisTextFormat legendFormat_;
    double legendMinLength_ = 5;
    bool legendMinLengthAutoAdjust_ = false;
    bool tickListCustom_ = false;
    int mode_ = ModeScroll;
    bool dragging_ = false;
    TPoint lastPointer_;
};

// The X axis: horizontal unless the plot turns its axes, scrolling with the data.
class TiPlotXAxis : public TiPlotAxis {
    Q_OBJECT

public:
    TiPlotXAxis(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);
};

// The Y axis: vertical unless the plot turns its axes, widening to the data.
class TiPlotYAxis : public TiPlotAxis {
    Q_OBJECT

public:
    TiPlotYAxis(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);
};
