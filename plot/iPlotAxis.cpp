#include "plot/iPlotAxis.h"

#include "platform/Exception.h"
#include "platform/PropertyDefaults.h"
#include "plot/iPlotMasterManager.h"

#include <QMenu>
#include <QPointer>
#include <algorithm>
#include <cmath>

namespace {

const PropertyDefaults::Registration
    defaults(TiPlotAxis::staticMetaObject,
             {
                 {"Min", 0.0},
                 {"Span", 100.0},
                 {"ReverseScale", false},
                 {"ScaleType", QVariant::fromValue(ipstLinear)},
                 {"TrackingEnabled", true},
                 {"TrackingAlignFirstStyle", QVariant::fromValue(ipafsNone)},
                 {"TrackingStyle", QVariant::fromValue(iptsScaleMinMax)},
                 {"TrackingScrollCompressMax", 0.0},
                 {"RestoreValuesOnResume", true},
                 {"ScrollMinMaxEnabled", false},
                 {"ScrollMin", 0.0},
                 {"ScrollMax", 100.0},
                 {"MasterUIInput", false},
                 {"DesiredStart", 0.0},
                 {"DesiredIncrement", 0.0},
                 {"CartesianStyle", QVariant::fromValue(ipcsNone)},
                 {"CartesianChildRefAxisName", QStringLiteral("<None>")},
                 {"CartesianChildRefValue", 0.0},
                 {"AlignRefAxisName", QStringLiteral("<None>")},
                 {"InnerMargin", 5},
                 {"OuterMargin", 5},
                 {"MajorLength", 7},
                 {"MinorLength", 3},
                 {"MinorCount", 1},
                 {"ScaleLinesShow", true},
                 {"ScaleLineShow", true},
                 {"ScaleLinesColor", clWhite},
                 {"GridLinesVisible", true},
                 {"StackingEndsMargin", 0.5},
                 {"ForceStacking", false},
                 // The manager titles a new axis with its name, so every title is stored.
                 {"Title", PropertyDefaults::NoDefault()},
                 {"TitleShow", false},
                 {"TitleMargin", 0.25},
                 {"TitleFont.Name", QStringLiteral("Arial")},
                 {"TitleFont.Height", -13},
                 {"TitleFont.Style", qlonglong(fsBold)},
                 {"TitleFont.Color", clWhite},
                 {"LabelsVisible", true},
                 {"LabelsMargin", 0.25},
                 {"LabelsFont.Color", clWhite},
                 {"LabelSeparation", 2.0},
                 {"LabelsPrecision", 3},
                 {"LabelsPrecisionStyle", QVariant::fromValue(ipsSignificantDigits)},
                 {"LabelsFormatStyle", QVariant::fromValue(iptfValue)},
                 {"DateTimeFormat", QStringLiteral("hh:nn:ss")},
                 {"LabelsMinLength", 5.0},
                 {"LabelsMinLengthAutoAdjust", false},
                 {"CursorUseDefaultFormat", true},
                 {"CursorFormatStyle", QVariant::fromValue(iptfValue)},
                 {"CursorDateTimeFormat", QStringLiteral("hh:nn:ss")},
                 {"CursorPrecisionStyle", QVariant::fromValue(ipsSignificantDigits)},
                 {"CursorPrecision", 3},
                 {"CursorMinLength", 5.0},
                 {"CursorMinLengthAutoAdjust", false},
                 {"CursorScaler", 1.0},
                 {"LegendUseDefaultFormat", true},
                 {"LegendFormatStyle", QVariant::fromValue(iptfValue)},
                 {"LegendDateTimeFormat", QStringLiteral("hh:nn:ss")},
                 {"LegendPrecisionStyle", QVariant::fromValue(ipsSignificantDigits)},
                 {"LegendPrecision", 3},
                 {"LegendMinLength", 5.0},
                 {"LegendMinLengthAutoAdjust", false},
             });

const PropertyDefaults::Registration
    xDefaults(TiPlotXAxis::staticMetaObject,
              {
                  {"Horizontal", true},
                  {"TrackingStyle", QVariant::fromValue(iptsScrollSmooth)},
                  {"TrackingAlignFirstStyle", QVariant::fromValue(ipafsAuto)},
              });

// Set while an axis repeats its input on the other axes of its kind, so that they do not
// repeat it again. The plot runs on one thread.
bool repeatingMasterInput = false;

TiPlotObjectKind PerpendicularKind(TiPlotObjectKind Kind) {
    return Kind == TiPlotObjectKind::XAxis ? TiPlotObjectKind::YAxis : TiPlotObjectKind::XAxis;
}

double Finite(double Value) {
    return std::clamp(Value, -PlotAxisValueLimit, PlotAxisValueLimit);
}

} // namespace

TiPlotAxis::TiPlotAxis(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks, TiPlotObjectKind Kind,
                       TiPlotTrackingStyle TrackingStyle, TiPlotAlignFirstStyle AlignFirstStyle)
    : TiPlotLayoutObject(Owner, Hooks), kind_(Kind), tracking_(TrackingStyle, AlignFirstStyle),
      cartesianRef_(*this, PerpendicularKind(Kind), TiPlotNameReference::None()),
      // Follows renames too: keeping the old text lost the alignment after a rename, a save
      // and a load.
      alignRef_(*this, Kind, TiPlotNameReference::None()), titleFont_(std::make_unique<TFont>()),
      labelsFont_(std::make_unique<TFont>()) {
    InitHorizontal(Kind == TiPlotObjectKind::XAxis);
    titleFont_->SetName(QStringLiteral("Arial"));
    titleFont_->SetSize(10);
    titleFont_->SetStyle(fsBold);
    titleFont_->SetColor(clWhite);
    labelsFont_->SetColor(clWhite);
    titleFont_->OnChange = [this](QObject*) { TriggerChange(this); };
    labelsFont_->OnChange = [this](QObject*) { TriggerChange(this); };
    range_.OnChange = [this] {
        InvalidateMap();
        TriggerChange(this);
    };
    range_.OnMinChange = [this](double oldMin, double newMin) {
        if (OnMinChange) OnMinChange(this, oldMin, newMin);
    };
    range_.OnSpanChange = [this](double oldSpan, double newSpan) {
        if (OnSpanChange) OnSpanChange(this, oldSpan, newSpan);
    };
    range_.OnMinSpanChange = [this](double oldMin, double oldSpan, double newMin, double newSpan) {
        if (OnMinSpanChange) OnMinSpanChange(this, oldMin, oldSpan, newMin, newSpan);
    };
    tracking_.OnChange = [this] { TriggerChange(this); };
    InvalidateMap();
}

TiPlotAxis::~TiPlotAxis() = default;

// Range and tracking ------------------------------------------------------------------------

void TiPlotAxis::SetMin(double Value) {
    TiPlotObjectGuard guard(*this);
    tracking_.CancelPendingFit();
    range_.SetMin(Value);
}

void TiPlotAxis::SetSpan(double Value) {
    TiPlotObjectGuard guard(*this);
    tracking_.CancelPendingFit();
    range_.SetSpan(Value);
}

void TiPlotAxis::SetMinSpan(double Min, double Span) {
    TiPlotObjectGuard guard(*this);
    tracking_.CancelPendingFit();
    range_.SetMinSpan(Min, Span);
}

void TiPlotAxis::SetReverseScale(bool Value) {
    range_.SetReverseScale(Value);
}

void TiPlotAxis::SetScaleType(TiPlotScaleType Value) {
    if (Value > ipstLog10) return;
    range_.SetScaleType(Value);
}

void TiPlotAxis::SetTrackingEnabled(bool Value) {
    TiPlotObjectGuard guard(*this);
    tracking_.SetEnabled(Value, range_, measuredMinLength_);
}

void TiPlotAxis::SetTrackingStyle(TiPlotTrackingStyle Value) {
    if (Value <= iptsExpandCollapse) tracking_.SetStyle(Value);
}

void TiPlotAxis::SetTrackingAlignFirstStyle(TiPlotAlignFirstStyle Value) {
    if (Value <= ipafsNone) tracking_.SetAlignFirstStyle(Value);
}

void TiPlotAxis::SetTrackingScrollCompressMax(double Value) {
    if (!std::isnan(Value))
        tracking_.SetScrollCompressMax(std::clamp(Value, 0.0, PlotAxisValueLimit));
}

void TiPlotAxis::SetRestoreValuesOnResume(bool Value) {
    tracking_.SetRestoreValuesOnResume(Value);
}

void TiPlotAxis::SetScrollMinMaxEnabled(bool Value) {
    range_.SetScrollMinMaxEnabled(Value);
}

void TiPlotAxis::SetScrollMin(double Value) {
    if (!std::isnan(Value)) range_.SetScrollMin(Finite(Value));
}

void TiPlotAxis::SetScrollMax(double Value) {
    if (!std::isnan(Value)) range_.SetScrollMax(Finite(Value));
}

void TiPlotAxis::SetMasterUIInput(bool Value) {
    SetBooleanProperty(Value, masterUIInput_, &TiPlotObject::TriggerChange);
}

void TiPlotAxis::SetDesiredStart(double Value) {
    SetBoundedDouble(Value, -PlotAxisValueLimit, PlotAxisValueLimit, desiredStart_);
}

void TiPlotAxis::SetDesiredIncrement(double Value) {
    SetBoundedDouble(Value, 0, PlotAxisValueLimit, desiredIncrement_);
}

void TiPlotAxis::SetCartesianStyle(TiPlotCartesianStyle Value) {
    if (Value > ipcsChild || Value == cartesianStyle_) return;
    cartesianStyle_ = Value;
    TriggerLayoutChange(this);
}

void TiPlotAxis::SetCartesianChildRefValue(double Value) {
    SetBoundedDouble(Value, -PlotAxisValueLimit, PlotAxisValueLimit, cartesianChildRefValue_);
}

// Setting helpers ---------------------------------------------------------------------------

void TiPlotAxis::SetBoundedDouble(double Value, double Low, double High, double& Field) {
    if (!std::isnan(Value))
        SetDoubleProperty(std::clamp(Value, Low, High), Field, &TiPlotObject::TriggerChange);
}

void TiPlotAxis::SetPixelSetting(int Value, int& Field) {
    SetIntegerProperty(BoundPixelSize(Value), Field, &TiPlotObject::TriggerChange);
}

void TiPlotAxis::SetPrecision(int Value, int& Field) {
    SetIntegerProperty(std::clamp(Value, 0, MaxPrecision), Field, &TiPlotObject::TriggerChange);
}

template <typename E> void TiPlotAxis::SetEnumSetting(E Value, E Last, E& Field) {
    if (int(Value) < 0 || int(Value) > int(Last) || Value == Field) return;
    Field = Value;
    TriggerChange(this);
}

void TiPlotAxis::SetFont(const TFont* Value, TFont& Font) {
    if (Value && Value != &Font) Font.Assign(*Value);
}

// Scale drawing -----------------------------------------------------------------------------

void TiPlotAxis::SetInnerMargin(int Value) {
    SetPixelSetting(Value, innerMargin_);
}

void TiPlotAxis::SetOuterMargin(int Value) {
    SetPixelSetting(Value, outerMargin_);
}

void TiPlotAxis::SetMajorLength(int Value) {
    SetPixelSetting(Value, majorLength_);
}

void TiPlotAxis::SetMinorLength(int Value) {
    SetPixelSetting(Value, minorLength_);
}

void TiPlotAxis::SetMinorCount(int Value) {
    SetIntegerProperty(std::clamp(Value, 0, MaxPlotAxisMinorCount), minorCount_,
                       &TiPlotObject::TriggerChange);
}

void TiPlotAxis::SetScaleLinesShow(bool Value) {
    SetBooleanProperty(Value, scaleLinesShow_, &TiPlotObject::TriggerChange);
}

void TiPlotAxis::SetScaleLineShow(bool Value) {
    SetBooleanProperty(Value, scaleLineShow_, &TiPlotObject::TriggerChange);
}

void TiPlotAxis::SetScaleLinesColor(TColor Value) {
    SetColorProperty(Value, scaleLinesColor_, &TiPlotObject::TriggerChange);
}

void TiPlotAxis::SetGridLinesVisible(bool Value) {
    SetBooleanProperty(Value, gridLinesVisible_, &TiPlotObject::TriggerChange);
}

void TiPlotAxis::SetStackingEndsMargin(double Value) {
    SetBoundedDouble(Value, -MaxCharacterFactor, MaxCharacterFactor, stackingEndsMargin_);
}

void TiPlotAxis::SetTitle(const QString& Value) {
    SetStringProperty(Value, title_, &TiPlotObject::TriggerChange);
}

void TiPlotAxis::SetTitleShow(bool Value) {
    SetBooleanProperty(Value, titleShow_, &TiPlotObject::TriggerChange);
}

void TiPlotAxis::SetTitleMargin(double Value) {
    SetBoundedDouble(Value, -MaxCharacterFactor, MaxCharacterFactor, titleMargin_);
}

void TiPlotAxis::SetTitleFont(const TFont* Value) {
    SetFont(Value, *titleFont_);
}

// Labels, cursor and legend texts -----------------------------------------------------------

void TiPlotAxis::SetLabelsVisible(bool Value) {
    SetBooleanProperty(Value, labelsVisible_, &TiPlotObject::TriggerChange);
}

void TiPlotAxis::SetLabelsMargin(double Value) {
    SetBoundedDouble(Value, -MaxCharacterFactor, MaxCharacterFactor, labelsMargin_);
}

void TiPlotAxis::SetLabelsFont(const TFont* Value) {
    SetFont(Value, *labelsFont_);
}

void TiPlotAxis::SetLabelSeparation(double Value) {
    SetBoundedDouble(Value, -MaxCharacterFactor, MaxCharacterFactor, labelSeparation_);
}

void TiPlotAxis::SetLabelsPrecision(int Value) {
    SetPrecision(Value, labelsFormat_.Precision);
}

void TiPlotAxis::SetLabelsPrecisionStyle(TiPrecisionStyle Value) {
    SetEnumSetting(Value, ipsFixedDecimalPoints, labelsFormat_.PrecisionStyle);
}

void TiPlotAxis::SetLabelsFormatStyle(TiPlotTextFormat Value) {
    SetEnumSetting(Value, iptfThousands, labelsFormat_.Style);
}

void TiPlotAxis::SetDateTimeFormat(const QString& Value) {
    SetStringProperty(Value, labelsFormat_.DateTimeFormat, &TiPlotObject::TriggerChange);
}

void TiPlotAxis::SetLabelsMinLength(double Value) {
    // A length set anew starts the measured growth again from it.
    if (!std::isnan(Value)) measuredMinLength_ = 0;
    SetBoundedDouble(Value, 0, MaxCharacterFactor, labelsMinLength_);
}

void TiPlotAxis::SetLabelsMinLengthAutoAdjust(bool Value) {
    SetBooleanProperty(Value, labelsMinLengthAutoAdjust_, &TiPlotObject::TriggerChange);
}

void TiPlotAxis::SetCursorUseDefaultFormat(bool Value) {
    SetBooleanProperty(Value, cursorUseDefaultFormat_, &TiPlotObject::TriggerChange);
}

void TiPlotAxis::SetCursorFormatStyle(TiPlotTextFormat Value) {
    SetEnumSetting(Value, iptfThousands, cursorFormat_.Style);
}

void TiPlotAxis::SetCursorDateTimeFormat(const QString& Value) {
    SetStringProperty(Value, cursorFormat_.DateTimeFormat, &TiPlotObject::TriggerChange);
}

void TiPlotAxis::SetCursorPrecisionStyle(TiPrecisionStyle Value) {
    SetEnumSetting(Value, ipsFixedDecimalPoints, cursorFormat_.PrecisionStyle);
}

void TiPlotAxis::SetCursorPrecision(int Value) {
    SetPrecision(Value, cursorFormat_.Precision);
}

void TiPlotAxis::SetCursorMinLength(double Value) {
    SetBoundedDouble(Value, 0, MaxCharacterFactor, cursorMinLength_);
}

void TiPlotAxis::SetCursorMinLengthAutoAdjust(bool Value) {
    SetBooleanProperty(Value, cursorMinLengthAutoAdjust_, &TiPlotObject::TriggerChange);
}

void TiPlotAxis::SetCursorScaler(double Value) {
    SetBoundedDouble(Value, -PlotAxisValueLimit, PlotAxisValueLimit, cursorScaler_);
}

void TiPlotAxis::SetLegendUseDefaultFormat(bool Value) {
    SetBooleanProperty(Value, legendUseDefaultFormat_, &TiPlotObject::TriggerChange);
}

void TiPlotAxis::SetLegendFormatStyle(TiPlotTextFormat Value) {
    SetEnumSetting(Value, iptfThousands, legendFormat_.Style);
}

void TiPlotAxis::SetLegendDateTimeFormat(const QString& Value) {
    SetStringProperty(Value, legendFormat_.DateTimeFormat, &TiPlotObject::TriggerChange);
}

void TiPlotAxis::SetLegendPrecisionStyle(TiPrecisionStyle Value) {
    SetEnumSetting(Value, ipsFixedDecimalPoints, legendFormat_.PrecisionStyle);
}

void TiPlotAxis::SetLegendPrecision(int Value) {
    SetPrecision(Value, legendFormat_.Precision);
}

void TiPlotAxis::SetLegendMinLength(double Value) {
    SetBoundedDouble(Value, 0, MaxCharacterFactor, legendMinLength_);
}

void TiPlotAxis::SetLegendMinLengthAutoAdjust(bool Value) {
    SetBooleanProperty(Value, legendMinLengthAutoAdjust_, &TiPlotObject::TriggerChange);
}

// Mapping -----------------------------------------------------------------------------------

TiPlotAxisRun TiPlotAxis::Run() const {
    return PlotAxisRunOf(rects_.ScaleRect, GetIsHorz());
}

const TiPlotAxisMap& TiPlotAxis::Map() const {
    if (mapStale_) {
        map_ = TiPlotAxisMap(range_, Run());
        mapStale_ = false;
    }
    return map_;
}

int TiPlotAxis::PositionToPixels(double Value) const {
    return Map().PositionToPixels(Value);
}

double TiPlotAxis::PixelsToPosition(int Pixel) const {
    return Map().PixelsToPosition(Pixel);
}

double TiPlotAxis::PixelsToPositionDouble(double Pixel) const {
    return Map().PixelsToPositionDouble(Pixel);
}

int TiPlotAxis::WidthToPixels(double Width) const {
    return Map().WidthToPixels(Width);
}

bool TiPlotAxis::PointOnScale(double Value) const {
    return Map().PointOnScale(Value);
}

int TiPlotAxis::GetMinPixels() const {
    return Map().GetMinPixels();
}

int TiPlotAxis::GetMaxPixels() const {
    return Map().GetMaxPixels();
}

int TiPlotAxis::GetSpanLength() const {
    return Map().GetSpanLength();
}

// Tracking, scrolling and zooming -----------------------------------------------------------

void TiPlotAxis::NewTrackingData(double Value) {
    // Nothing fires for a value the range keeps, so nothing can destroy this axis.
    if (tracking_.Keeps(Value, range_)) return;
    TiPlotObjectGuard guard(*this);
    tracking_.NewTrackingData(Value, range_);
    // An owed fit changes the range at the next paint, which this asks for.
    if (tracking_.FitPending() && !guard.Destroyed()) TriggerChange(this);
}

void TiPlotAxis::UpdateResumeValues() {
    tracking_.UpdateResumeValues(range_, measuredMinLength_);
}

void TiPlotAxis::Zoom(double Factor) {
    TiPlotObjectGuard guard(*this);
    tracking_.CancelPendingFit();
    range_.Zoom(Factor);
}

void TiPlotAxis::ZoomPercentByReference(double Fraction) {
    TiPlotObjectGuard guard(*this);
    tracking_.CancelPendingFit();
    range_.ZoomPercentByReference(Fraction);
}

void TiPlotAxis::ScrollPercentByReference(double Fraction) {
    TiPlotObjectGuard guard(*this);
    tracking_.CancelPendingFit();
    range_.ScrollPercentByReference(Fraction);
}

void TiPlotAxis::ZoomRect(const TRect& Rect) {
    TiPlotObjectGuard guard(*this);
    tracking_.CancelPendingFit();
    ZoomPlotAxisToRect(range_, Map(), Rect);
}

TiPlotAxisExtents TiPlotAxis::GatherExtents() const {
    TiPlotAxisExtents extents;
    TiPlotMasterManager* master = Owner() ? Owner()->GetMasterManager() : nullptr;
    if (!master) return extents;
    // Null while the plot tears its managers down.
    const TiPlotObjectOwnedManager* channels = master->GetManager(TiPlotObjectKind::Channel);
    if (!channels) return extents;
    for (int i = 0; i < channels->GetCount(); ++i) {
        const auto* source = dynamic_cast<const TiPlotAxisExtentSource*>(channels->GetObject(i));
        if (!source || !SamePlotName(source->BoundAxisName(kind_), Name())) continue;
        const TiPlotAxisExtents channel = source->VisibleExtents(kind_);
        extents.Include(channel.Min, channel.Max);
    }
    return extents;
}

void TiPlotAxis::ZoomToFit() {
    TiPlotObjectGuard guard(*this);
    tracking_.ApplyFit(range_, GatherExtents());
}

void TiPlotAxis::SetMode(int Value) {
    if (Value == ModeScroll || Value == ModeZoom) mode_ = Value;
}

int TiPlotAxis::GetActualMode() const {
    if (!ShiftState().testFlag(ssCtrl)) return mode_;
    return mode_ == ModeScroll ? ModeZoom : ModeScroll;
}

TiPlotAxisAction TiPlotAxis::ActualAction() const {
    return GetActualMode() == ModeZoom ? TiPlotAxisAction::Zoom : TiPlotAxisAction::Scroll;
}

void TiPlotAxis::UserStep(const std::optional<TiPlotAxisStep>& Step) {
    TiPlotObjectGuard guard(*this);
    SetTrackingEnabled(false);
    if (!Step || guard.Destroyed()) return;
    tracking_.CancelPendingFit();
    ApplyPlotAxisStep(range_, *Step);
}

// Ticks, texts and measures -----------------------------------------------------------------

TiPlotAxisDrawSettings TiPlotAxis::DrawSettings() const {
    TiPlotAxisDrawSettings settings;
    settings.Horizontal = GetIsHorz();
    settings.ReverseSide = ReverseSide();
    settings.Cartesian = cartesianStyle_ != ipcsNone;
    settings.InnerMargin = innerMargin_;
    settings.OuterMargin = outerMargin_;
    settings.MajorLength = majorLength_;
    settings.MinorLength = minorLength_;
    settings.ScaleLinesShow = scaleLinesShow_;
    settings.ScaleLinesColor = scaleLinesColor_;
    settings.StackingEndsMargin = stackingEndsMargin_;
    settings.Title = title_;
    settings.TitleShow = titleShow_;
    settings.TitleMargin = titleMargin_;
    settings.TitleFont = titleFont_.get();
    settings.LabelsVisible = labelsVisible_;
    settings.LabelsMargin = labelsMargin_;
    settings.LabelsFont = labelsFont_.get();
    settings.LabelSeparation = labelSeparation_;
    return settings;
}

void TiPlotAxis::CalcScaleRect(TCanvas& Canvas) {
    const TiPlotAxisDrawSettings settings = DrawSettings();
    rects_ = CalcPlotAxisScaleRects(Canvas, settings, DrawRect(), StartStacked(), StopStacked(),
                                    labelsVisible_ ? labelLength_ : 0);
    hitRect_ = PlotAxisHitRect(settings, rects_, DrawRect(), widths_);
    InvalidateMap();
}

TiPlotAxisLayout TiPlotAxis::AxisLayout() const {
    return {rects_, hitRect_, widths_, labelLength_, ticks_};
}

void TiPlotAxis::ApplyAxisLayout(const TiPlotAxisLayout& Layout) {
    rects_ = Layout.Rects;
    hitRect_ = Layout.HitRect;
    widths_ = Layout.Widths;
    labelLength_ = Layout.LabelLength;
    ticks_ = Layout.Ticks;
    InvalidateMap();
}

void TiPlotAxis::CalcTicks(TCanvas& Canvas) {
    TiPlotObjectGuard guard(*this);
    if (tracking_.FitPending()) tracking_.ApplyFit(range_, GatherExtents());
    labelLength_ = GetRequiredLabelLength(Canvas);
    CalcScaleRect(Canvas);
    if (guard.Destroyed()) return;
    if (tickListCustom_) {
        CalcTickPixels();
        return;
    }
    TiPlotAxisTickRequest request;
    request.FormatStyle = labelsFormat_.Style;
    request.DesiredStart = desiredStart_;
    request.DesiredIncrement = desiredIncrement_;
    request.MinorCount = minorCount_;
    request.LabelsVisible = labelsVisible_;
    request.MaxLabelLengthPixels =
        PlotAxisMaxLabelLengthPixels(Canvas, DrawSettings(), labelLength_);
    request.LabelText = [this](double value) { return GetLabelText(value); };
    TiPlotAxisTicks ticks = TiPlotAxisTicks::Compute(range_, Map(), request);
    if (!guard.Destroyed()) ticks_ = std::move(ticks);
}

void TiPlotAxis::CalcTickPixels() {
    ticks_.UpdatePixels(Map());
}

TiPlotLayoutObject* TiPlotAxis::GetCartesianRefAxis() {
    return qobject_cast<TiPlotLayoutObject*>(cartesianRef_.Get());
}

TiPlotLayoutObject* TiPlotAxis::GetAlignRefAxis() {
    return qobject_cast<TiPlotLayoutObject*>(alignRef_.Get());
}

QString TiPlotAxis::FormattedText(double Value, bool UseDefault,
                                  const TiPlotAxisTextFormat& Format) {
    if (UseDefault) return PlotAxisSingleLine(GetLabelText(Value));
    return PlotAxisSingleLine(PlotAxisValueText(Value, Format, Span(), range_.IsLog()).Text);
}

QString TiPlotAxis::GetLabelText(double Value) {
    // A handler may remove the axis; its memory stays until the text is kept.
    TiPlotObjectGuard guard(*this);
    return labelTexts_.Text(Value, {labelsFormat_, Span(), range_.IsLog()},
                            [&] { return MakeLabelText(Value); });
}

QString TiPlotAxis::MakeLabelText(double Value) {
    TiPlotAxisValueText text = PlotAxisValueText(Value, labelsFormat_, Span(), range_.IsLog());
    if (!text.Made || !OnCustomizeLabel) return text.Text;
    // Labels are made while the toolkit paints, which cannot pass an exception on: a handler
    // that fails leaves the label as the axis made it.
    QString customized = text.Text;
    return RunGuarded([&] { OnCustomizeLabel(this, Value, customized); }) ? customized : text.Text;
}

QString TiPlotAxis::GetCursorText(double Value) {
    return FormattedText(Value, cursorUseDefaultFormat_, cursorFormat_);
}

QString TiPlotAxis::GetCursorValueText(double Value) const {
    TiPlotAxisTextFormat format = cursorUseDefaultFormat_ ? labelsFormat_ : cursorFormat_;
    format.Style = iptfValue;
    return PlotAxisSingleLine(PlotAxisValueText(Value, format, Span(), range_.IsLog()).Text);
}

QString TiPlotAxis::GetLegendText(double Value) {
    return FormattedText(Value, legendUseDefaultFormat_, legendFormat_);
}

QString TiPlotAxis::TypicalLabel() {
    return GetLabelText(PlotAxisTypicalLabelValue(Min(), Span()));
}

int TiPlotAxis::GetRequiredLabelLength(TCanvas& Canvas) {
    const QString typical = TypicalLabel();
    // The growth is the axis's own: measuring leaves the published LabelsMinLength alone.
    measuredMinLength_ =
        AdjustedLabelsMinLength(LabelsMinLengthShown(), labelsMinLengthAutoAdjust_, typical);
    return PlotAxisRequiredLabelLength(Canvas, DrawSettings(), typical, measuredMinLength_,
                                       ticks_.Ticks);
}

int TiPlotAxis::GetMaxLabelLengthPixels(TCanvas& Canvas) {
    return PlotAxisMaxLabelLengthPixels(Canvas, DrawSettings(), GetRequiredLabelLength(Canvas));
}

int TiPlotAxis::GetRequiredLegendLength(TCanvas& Canvas, const TFont* Font) {
    return PlotAxisTextMinLength(
        Canvas, Font, legendUseDefaultFormat_ ? LabelsMinLengthShown() : legendMinLength_);
}

int TiPlotAxis::GetRequiredCursorLength(TCanvas& Canvas, const TFont* Font) {
    return PlotAxisTextMinLength(
        Canvas, Font, cursorUseDefaultFormat_ ? LabelsMinLengthShown() : cursorMinLength_);
}

int TiPlotAxis::GetRequiredWidth(TCanvas& Canvas) {
    TiPlotObjectGuard guard(*this);
    CalcTicks(Canvas);
    if (guard.Destroyed()) return 0;
    labelLength_ = GetRequiredLabelLength(Canvas);
    widths_ = PlotAxisRequiredWidth(Canvas, DrawSettings(), labelLength_, GetLabelText(Min()));
    return widths_.RequiredWidth;
}

int TiPlotAxis::GetRequiredLengthGaurd(TCanvas& Canvas) {
    return PlotAxisRequiredLengthGuard(Canvas, DrawSettings(), GetRequiredLabelLength(Canvas));
}

// Drawing -----------------------------------------------------------------------------------

void TiPlotAxis::DrawSetup(TCanvas& Canvas) {
    TiPlotLayoutObject::DrawSetup(Canvas);
    if (cartesianStyle_ != ipcsNone && AxesCollisions.Add)
        AxesCollisions.Add(PlotAxisScaleLineRect(DrawSettings(), rects_));
}

void TiPlotAxis::Draw(TCanvas& Canvas, TColor) {
    if (!Visible()) return;
    DrawPlotAxis(Canvas, DrawSettings(), rects_, DrawRect(), widths_, ticks_.Ticks, AxesCollisions,
                 UserSelected());
}

void TiPlotAxis::DrawGridLines(TCanvas& Canvas, const TRect& Rect, const TiPlotGridLinePen& Major,
                               const TiPlotGridLinePen& Minor) {
    if (gridLinesVisible_)
        DrawPlotAxisGridLines(Canvas, Rect, GetIsHorz(), ticks_.Ticks, Major, Minor);
}

// The application's tick list ---------------------------------------------------------------

void TiPlotAxis::CheckTickPosition(double Position) const {
    if (range_.IsLog() && !(Position > 0))
        throw Exception(QStringLiteral("Log Scale Requires Position to be Greater Than Zero"));
}

TiPlotTick& TiPlotAxis::TickAt(int Index) {
    CheckListIndex(Index, GetTickListCount());
    return ticks_.Ticks[size_t(Index)];
}

const TiPlotTick& TiPlotAxis::TickAt(int Index) const {
    CheckListIndex(Index, GetTickListCount());
    return ticks_.Ticks[size_t(Index)];
}

int TiPlotAxis::TickListAdd(const QString& Label, int Style, double Position) {
    CheckTickPosition(Position);
    TiPlotTick tick;
    tick.Style = Style == PlotTickMinor ? PlotTickMinor : PlotTickMajor;
    tick.Position = Position;
    tick.Label = Label;
    tick.Pixel = Map().PositionToPixels(Position);
    tick.Visible = Map().PointOnScale(Position);
    ticks_.Ticks.push_back(tick);
    TriggerChange(this);
    return GetTickListCount() - 1;
}

void TiPlotAxis::TickListClear() {
    ticks_.Ticks.clear();
    TriggerChange(this);
}

QString TiPlotAxis::GetTickListItemLabel(int Index) const {
    return TickAt(Index).Label;
}

double TiPlotAxis::GetTickListItemPosition(int Index) const {
    return TickAt(Index).Position;
}

int TiPlotAxis::GetTickListItemStyle(int Index) const {
    return TickAt(Index).Style;
}

void TiPlotAxis::SetTickListItemLabel(int Index, const QString& Value) {
    TickAt(Index).Label = Value;
    TriggerChange(this);
}

void TiPlotAxis::SetTickListItemPosition(int Index, double Value) {
    TiPlotTick& tick = TickAt(Index);
    CheckTickPosition(Value);
    tick.Position = Value;
    TriggerChange(this);
}

void TiPlotAxis::SetTickListItemStyle(int Index, int Value) {
    TickAt(Index).Style = Value == PlotTickMinor ? PlotTickMinor : PlotTickMajor;
    TriggerChange(this);
}

void TiPlotAxis::SetTickListCustom(bool Value) {
    SetBooleanProperty(Value, tickListCustom_, &TiPlotObject::TriggerChange);
}

// Notices and input -------------------------------------------------------------------------

void TiPlotAxis::NotificationRemove(QObject* Object) {
    cartesianRef_.NotificationRemove(Object);
    alignRef_.NotificationRemove(Object);
}

void TiPlotAxis::NotificationRename(QObject* Object) {
    cartesianRef_.NotificationRename(Object);
    alignRef_.NotificationRename(Object);
}

void TiPlotAxis::NotificationSetFocus(QObject* Object) {
    if (Object == this) return;
    const auto* axis = qobject_cast<const TiPlotAxis*>(Object);
    const bool several = ShiftState() & (ssShift | ssCtrl);
    if (!(axis && axis->UserSelected() && several)) SetUserSelected(false);
}

bool TiPlotAxis::iMouseHitTest(const TiPlotMouseData& MouseData) {
    return hitRect_.Contains({MouseData.X, MouseData.Y});
}

void TiPlotAxis::RepeatOnOtherAxes(const std::function<void(TiPlotAxis&)>& Action) {
    if (!masterUIInput_ || repeatingMasterInput || !Owner()) return;
    TiPlotMasterManager* master = Owner()->GetMasterManager();
    if (!master) return;
    // Handlers may delete axes on the way, so the list is taken first and checked per axis.
    std::vector<QPointer<TiPlotAxis>> others;
    const TiPlotObjectOwnedManager* manager = master->GetManager(kind_);
    if (!manager) return;
    for (int i = 0; i < manager->GetCount(); ++i)
        if (auto* axis = qobject_cast<TiPlotAxis*>(manager->GetObject(i)); axis && axis != this)
            others.emplace_back(axis);
    // Cleared on every path, a throwing handler included, or no axis would repeat again.
    struct Repeating {
        Repeating() { repeatingMasterInput = true; }
        ~Repeating() { repeatingMasterInput = false; }
        Repeating(const Repeating&) = delete;
        Repeating& operator=(const Repeating&) = delete;
    } repeating;
    for (const QPointer<TiPlotAxis>& axis : others)
        if (axis && !axis->Destroying()) {
            TiPlotObjectGuard guard(*axis);
            axis->SetShiftState(ShiftState());
            Action(*axis);
        }
}

bool TiPlotAxis::iMouseWheel(int WheelDelta, TShiftState Shift, TPoint) {
    if (WheelDelta == 0) return true;
    SetShiftState(Shift);
    UserStep(PlotAxisWheelStep(WheelDelta, ActualAction(), range_.IsLog()));
    return true;
}

void TiPlotAxis::DoMouseHint(const TiPlotMouseData& MouseData, TiHintData& HintData) {
    if (titleShow_) return;
    HintData.Text = title_;
    HintData.Left = MouseData.X;
    HintData.Top = MouseData.Y - 20;
}

void TiPlotAxis::DoMouseLeft(const TiPlotMouseData& MouseData) {
    TiPlotObjectGuard guard(*this);
    RepeatOnOtherAxes([&](TiPlotAxis& axis) { axis.DoMouseLeft(MouseData); });
    if (guard.Destroyed()) return;
    dragging_ = true;
    lastPointer_ = {MouseData.X, MouseData.Y};
}

void TiPlotAxis::DoMouseMove(const TiPlotMouseData& MouseData) {
    if (!dragging_) return;
    TiPlotObjectGuard guard(*this);
    RepeatOnOtherAxes([&](TiPlotAxis& axis) { axis.DoMouseMove(MouseData); });
    if (guard.Destroyed()) return;
    Notify(OnInvalidateNow);
    if (guard.Destroyed()) return;
    const TPoint pointer{MouseData.X, MouseData.Y};
    const int delta = PlotAxisDragDelta(lastPointer_, pointer, GetIsHorz(), ReverseScale());
    lastPointer_ = pointer;
    UserStep(PlotAxisDragStep(delta, GetSpanLength(), ActualAction(), range_.IsLog()));
}

void TiPlotAxis::DoMouseUp(const TiPlotMouseData& MouseData) {
    TiPlotObjectGuard guard(*this);
    RepeatOnOtherAxes([&](TiPlotAxis& axis) { axis.DoMouseUp(MouseData); });
    if (guard.Destroyed()) return;
    const bool click = dragging_ && iMouseHitTest(MouseData);
    dragging_ = false;
    if (click && Owner()) Owner()->DoObjectClick(this);
}

Qt::CursorShape TiPlotAxis::GetMousePointer(TPoint) {
    if (mode_ == ModeScroll) return Qt::PointingHandCursor;
    return GetIsHorz() ? Qt::SizeHorCursor : Qt::SizeVerCursor;
}

void TiPlotAxis::iKeyDown(uint16_t& Key, TShiftState Shift) {
    TiPlotObjectGuard guard(*this);
    SetShiftState(Shift);
    const uint16_t key = Key;
    RepeatOnOtherAxes([&](TiPlotAxis& axis) {
        uint16_t repeated = key;
        axis.iKeyDown(repeated, Shift);
    });
    if (guard.Destroyed()) return;
    const auto step =
        PlotAxisKeyStep(key, mode_ == ModeZoom ? TiPlotAxisAction::Zoom : TiPlotAxisAction::Scroll);
    if (step) Notify(OnInvalidateNow);
    if (!guard.Destroyed()) UserStep(step);
}

void TiPlotAxis::AddMenuItems(QMenu* PopupMenu) {
    TiPlotLayoutObject::AddMenuItems(PopupMenu);
    AddEditMenuItems(PopupMenu);
    if (!PopupMenu) return;
    QAction* first = PopupMenu->actions().value(0);
    auto insert = [&](const char* caption, auto click) {
        auto* item = new QAction(GetTranslation(QString::fromLatin1(caption)), PopupMenu);
        PopupMenu->insertAction(first, item);
        ConnectMenuItem(item, click);
        return item;
    };
    QAction* tracking =
        insert("Tracking Enabled", [this] { SetTrackingEnabled(!TrackingEnabled()); });
    tracking->setCheckable(true);
    tracking->setChecked(TrackingEnabled());
    QAction* resume = insert("Update Resume Values", [this] { UpdateResumeValues(); });
    resume->setEnabled(tracking_.ResumeValuesDiffer(range_));
    insert("Zoom to Fit", [this] { ZoomToFit(); });
}

TiPlotXAxis::TiPlotXAxis(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
    : TiPlotAxis(Owner, Hooks, TiPlotObjectKind::XAxis, iptsScrollSmooth, ipafsAuto) {}

TiPlotYAxis::TiPlotYAxis(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
    : TiPlotAxis(Owner, Hooks, TiPlotObjectKind::YAxis, iptsScaleMinMax, ipafsNone) {}
