#include "plot/channels/iPlotChannel.h"

#include "instruments/framework/iMath.h"
#include "platform/Exception.h"
#include "platform/PropertyDefaults.h"
#include "plot/channels/iPlotChannelAxis.h"
#include "plot/channels/iPlotChannelFastDraw.h"
#include "plot/channels/iPlotChannelPoints.h"
#include "plot/iPlotDataCursor.h"
#include "plot/iPlotMasterManager.h"

#include <QPointer>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const PropertyDefaults::Registration
    defaults(TiPlotChannel::staticMetaObject,
             {
                 {"FastDrawEnabled", true},
                 {"InterpolationStyle", QVariant::fromValue(TiPlotChannel::ipistStraightLine)},
                 {"FillEnabled", false},
                 {"FillReference", 0.0},
                 {"FillStyle", QVariant::fromValue(bsSolid)},
                 {"FillColor", TColor(0)},
                 {"FillUseChannelColor", true},
                 {"DigitalEnabled", false},
                 {"DigitalReferenceStyle", QVariant::fromValue(TiPlotChannel::ipdrScale)},
                 {"DigitalReferenceLow", 10.0},
                 {"DigitalReferenceHigh", 90.0},
                 {"HighLowEnabled", false},
                 // The declared defaults of these two differ from the constructor's colours, so a
                 // stored channel always carries both.
                 {"HighLowBarColor", TColor(16711680)},
                 {"HighLowBarWidth", 0.5},
                 {"HighLowOpenShow", true},
                 {"HighLowOpenColor", TColor(32768)},
                 {"HighLowOpenWidth", 1.0},
                 {"HighLowOpenHeight", 1.0},
                 {"HighLowCloseShow", true},
                 {"HighLowCloseColor", TColor(255)},
                 {"HighLowCloseWidth", 1.0},
                 {"HighLowCloseHeight", 1.0},
                 {"BarEnabled", false},
                 {"BarPenUseChannelColor", true},
                 {"BarBrushUseChannelColor", true},
                 {"BarReference", 0.0},
                 {"BarWidth", 5.0},
                 {"BarPenColor", TColor(255)},
                 {"BarPenWidth", 0},
                 {"BarPenStyle", QVariant::fromValue(psSolid)},
                 {"BarBrushColor", TColor(255)},
                 {"BarBrushStyle", QVariant::fromValue(bsSolid)},
                 {"OPCXValueSource", QVariant::fromValue(TiPlotChannel::iopcxvsOPCServerTimeStamp)},
             });

// A finite value within the axes' value limits; NaN is refused.
bool BoundedValue(double Value, double& Result) {
    if (std::isnan(Value)) return false;
    Result = std::clamp(Value, -1e300, 1e300);
    return true;
}

} // namespace

TiPlotChannel::TiPlotChannel(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
    : TiPlotChannelCustom(Owner, Hooks), elapsedStartTime_(Now()) {
    TiPlotDataDefaults& d = List().Defaults();
    d.BarWidth = 5;
    d.BarPenColor = 255;
    d.BarBrushColor = 255;
}

TiPlotChannel::~TiPlotChannel() = default;

void TiPlotChannel::RegisterWith(TiPlotMasterManager& Master) {
    Master.SetChannelClass(PlotObjectClassOf<TiPlotChannel>());
}

void TiPlotChannel::SetWidth(double Value, double& Field) {
    if (!std::isnan(Value))
        SetDoubleProperty(std::clamp(Value, 0.0, MaxWidth), Field, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetFastDrawEnabled(bool Value) {
    SetBooleanProperty(Value, fastDrawEnabled_, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetInterpolationStyle(TiPlotInterpolationStyle Value) {
    SetEnumProperty(Value, interpolationStyle_);
}

void TiPlotChannel::SetFillEnabled(bool Value) {
    SetBooleanProperty(Value, fillEnabled_, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetFillReference(double Value) {
    double bounded = 0;
    if (BoundedValue(Value, bounded))
        SetDoubleProperty(bounded, fillReference_, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetFillStyle(TBrushStyle Value) {
    SetEnumProperty(Value, fillStyle_);
}

void TiPlotChannel::SetFillColor(TColor Value) {
    SetColorProperty(Value, fillColor_, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetFillUseChannelColor(bool Value) {
    SetBooleanProperty(Value, fillUseChannelColor_, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetDigitalEnabled(bool Value) {
    SetBooleanProperty(Value, digitalEnabled_, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetDigitalReferenceStyle(TiPlotDigitalReferenceStyle Value) {
    SetEnumProperty(Value, digitalReferenceStyle_);
}

void TiPlotChannel::SetDigitalReferenceLow(double Value) {
    double bounded = 0;
    if (BoundedValue(Value, bounded))
        SetDoubleProperty(bounded, digitalReferenceLow_, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetDigitalReferenceHigh(double Value) {
    double bounded = 0;
    if (BoundedValue(Value, bounded))
        SetDoubleProperty(bounded, digitalReferenceHigh_, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetHighLowEnabled(bool Value) {
    SetBooleanProperty(Value, highLowEnabled_, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetHighLowBarColor(TColor Value) {
    SetColorProperty(Value, highLowBarColor_, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetHighLowBarWidth(double Value) {
    SetWidth(Value, highLowBarWidth_);
}

void TiPlotChannel::SetHighLowOpenShow(bool Value) {
    SetBooleanProperty(Value, highLowOpenShow_, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetHighLowOpenColor(TColor Value) {
    SetColorProperty(Value, highLowOpenColor_, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetHighLowOpenWidth(double Value) {
    SetWidth(Value, highLowOpenWidth_);
}

void TiPlotChannel::SetHighLowOpenHeight(double Value) {
    SetWidth(Value, highLowOpenHeight_);
}

void TiPlotChannel::SetHighLowCloseShow(bool Value) {
    SetBooleanProperty(Value, highLowCloseShow_, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetHighLowCloseColor(TColor Value) {
    SetColorProperty(Value, highLowCloseColor_, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetHighLowCloseWidth(double Value) {
    SetWidth(Value, highLowCloseWidth_);
}

void TiPlotChannel::SetHighLowCloseHeight(double Value) {
    SetWidth(Value, highLowCloseHeight_);
}

void TiPlotChannel::SetBarEnabled(bool Value) {
    SetBooleanProperty(Value, barEnabled_, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetBarPenUseChannelColor(bool Value) {
    SetBooleanProperty(Value, barPenUseChannelColor_, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetBarBrushUseChannelColor(bool Value) {
    SetBooleanProperty(Value, barBrushUseChannelColor_, &TiPlotObject::TriggerChange);
}

void TiPlotChannel::SetBarReference(double Value) {
    double bounded = 0;
    if (BoundedValue(Value, bounded)) SetDefault(bounded, &TiPlotDataDefaults::BarReference);
}

void TiPlotChannel::SetBarWidth(double Value) {
    if (!std::isnan(Value))
        SetDefault(std::clamp(Value, 0.0, MaxWidth), &TiPlotDataDefaults::BarWidth);
}

void TiPlotChannel::SetBarPenColor(TColor Value) {
    SetDefault(Value, &TiPlotDataDefaults::BarPenColor);
}

void TiPlotChannel::SetBarPenWidth(int Value) {
    SetDefault(std::clamp(Value, 0, MaxLineWidth), &TiPlotDataDefaults::BarPenWidth);
}

void TiPlotChannel::SetBarPenStyle(TPenStyle Value) {
    if (KnownOrdinal(Value)) SetDefault(Value, &TiPlotDataDefaults::BarPenStyle);
}

void TiPlotChannel::SetBarBrushColor(TColor Value) {
    SetDefault(Value, &TiPlotDataDefaults::BarBrushColor);
}

void TiPlotChannel::SetBarBrushStyle(TBrushStyle Value) {
    if (KnownOrdinal(Value)) SetDefault(Value, &TiPlotDataDefaults::BarBrushStyle);
}

void TiPlotChannel::SetOPCXValueSource(TiOPCXValueSourceStyle Value) {
    SetEnumProperty(Value, opcXValueSource_);
}

int TiPlotChannel::AddWithoutValue(double X, bool Null) {
    const int result = AppendToList(X, 0);
    const int index = List().Count() - 1;
    List().SetNull(index, Null);
    List().SetEmpty(index, !Null);
    TrackX(X);
    TriggerChange(this);
    return result;
}

int TiPlotChannel::AddXNull(double X) {
    return AddWithoutValue(X, true);
}

int TiPlotChannel::AddXEmpty(double X) {
    return AddWithoutValue(X, false);
}

int TiPlotChannel::AddHighLow(double X, double High, double Low, double Open, double Close) {
    const int result = AppendToList(X, 0);
    // The newest logical index, also when a full ring has just overwritten its oldest slot.
    const int index = List().Count() - 1;
    List().SetHigh(index, High);
    List().SetLow(index, Low);
    List().SetOpen(index, Open);
    List().SetClose(index, Close);
    TrackX(X);
    TriggerChange(this);
    return result;
}

int TiPlotChannel::AddYElapsedTime(double Y) {
    return AddXY(ElapsedTime(), Y);
}

int TiPlotChannel::AddYElapsedSeconds(double Y) {
    return AddXY(ElapsedTime() * 86400.0, Y);
}

double TiPlotChannel::ElapsedTime() const {
    return Now() - elapsedStartTime_;
}

double TiPlotChannel::OPCXValue(const TiOPCItem& Item) {
    switch (opcXValueSource_) {
    case iopcxvsSystemTimeStamp:
        return Now();
    case iopcxvsElapsedTime:
        return ElapsedTime();
    case iopcxvsElapsedSeconds:
        return ElapsedTime() * 86400.0;
    case iopcxvsOPCServerTimeStamp:
        break;
    }
    return TiPlotChannelCustom::OPCXValue(Item);
}

int TiPlotChannel::AddYNow(double Y) {
    return AddXY(Now(), Y);
}

void TiPlotChannel::AddYArray(double Interval, const QVariant& YData) {
    const std::vector<double> y = ArrayValues(YData, "Y-Data array must be 1 dimensional");
    const int count = List().Count();
    const double base = count ? List().GetX(count - 1) : 0;
    for (size_t k = 0; k < y.size(); ++k)
        AddXY(base + double(k) * Interval, y[k]);
}

void TiPlotChannel::SetDataHigh(int Index, double Value) {
    List().SetHigh(Index, Value);
    TriggerChange(this);
}

void TiPlotChannel::SetDataLow(int Index, double Value) {
    List().SetLow(Index, Value);
    TriggerChange(this);
}

void TiPlotChannel::SetDataOpen(int Index, double Value) {
    List().SetOpen(Index, Value);
    TriggerChange(this);
}

void TiPlotChannel::SetDataClose(int Index, double Value) {
    List().SetClose(Index, Value);
    TriggerChange(this);
}

void TiPlotChannel::SetDataBarVisible(int Index, bool Value) {
    List().SetBarVisible(Index, Value);
    TriggerChange(this);
}

void TiPlotChannel::SetDataBarReference(int Index, double Value) {
    List().SetBarReference(Index, Value);
    TriggerChange(this);
}

void TiPlotChannel::SetDataBarWidth(int Index, double Value) {
    List().SetBarWidth(Index, Value);
    TriggerChange(this);
}

void TiPlotChannel::UpdateXIncreasing() {
    // Two points already give the direction; judging only from three on searched a
    // two-point descending channel as ascending.
    xIncreasing_ = List().Count() < 2 || List().GetX(1) >= List().GetX(0);
}

int TiPlotChannel::CalcStartXIndex() {
    SetStartIndex(VisibleStartXIndex());
    return StartIndex();
}

int TiPlotChannel::VisibleStartXIndex() const {
    const int count = List().Count();
    const TiPlotChannelAxis* axis = XAxis();
    int index = -1;
    if (axis && count > 0) {
        if (xIncreasing_) {
            const double min = axis->ChannelAxisMin();
            index = CalcXIndexIncreasing(List(), min);
            if (List().GetX(index) > min) --index;
        } else {
            const double max = axis->ChannelAxisMax();
            index = CalcXIndexDecreasing(List(), max);
            if (max > List().GetX(index)) --index;
        }
        index = std::clamp(index, 0, count - 1);
    }
    return index;
}

int TiPlotChannel::CalcStopXIndex() {
    SetStopIndex(VisibleStopXIndex());
    return StopIndex();
}

int TiPlotChannel::VisibleStopXIndex() const {
    const int count = List().Count();
    const TiPlotChannelAxis* axis = XAxis();
    int index = -1;
    if (axis && count > 0) {
        if (xIncreasing_) {
            const double max = axis->ChannelAxisMax();
            index = CalcXIndexIncreasing(List(), max);
            if (max > List().GetX(index)) ++index;
        } else {
            const double min = axis->ChannelAxisMin();
            index = CalcXIndexDecreasing(List(), min);
            if (List().GetX(index) > min) ++index;
        }
        index = std::clamp(index, 0, count - 1);
    }
    return index;
}

int TiPlotChannel::CalcIndex(double X) const {
    const int count = List().Count();
    if (!XAxis() || count == 0 || std::isnan(X)) return -1;
    const double first = List().GetX(0), last = List().GetX(count - 1);
    if (xIncreasing_ ? (X < first || X > last) : (X > first || X < last)) return -1;
    int index = xIncreasing_ ? CalcXIndexIncreasing(List(), X) : CalcXIndexDecreasing(List(), X);
    if (X > List().GetX(index)) index += xIncreasing_ ? 1 : -1;
    return std::clamp(index, 0, count - 1);
}

bool TiPlotChannel::GetYInterpolated(double X, double& Y) const {
    Y = 0;
    const int i = CalcIndex(X);
    if (i < 0) return false;
    const int count = List().Count();
    const int step = xIncreasing_ ? 1 : -1;
    const auto valid = [&](int k) {
        return k >= 0 && k < count && !List().GetNull(k) && !List().GetEmpty(k) &&
               PlotPointFinite(List().GetX(k), List().GetY(k));
    };
    // A neighbour outside the list, or a Null or Empty point, is never reported as a value.
    if (digitalEnabled_) {
        if (!valid(i - step)) return false;
        Y = List().GetY(i - step);
        return true;
    }
    if (valid(i) && X == List().GetX(i)) {
        Y = List().GetY(i);
        return true;
    }
    // Empty points are bridged as the trace bridges them; a Null point is a gap.
    int after = i, before = i - step;
    while (after >= 0 && after < count && List().GetEmpty(after))
        after += step;
    while (before >= 0 && before < count && List().GetEmpty(before))
        before -= step;
    if (!valid(after) || !valid(before)) return false;
    const TiPlotAxisMap& map = XAxis()->ChannelAxisMap();
    const int c = map.PositionToPixels(List().GetX(before));
    const int e = map.PositionToPixels(List().GetX(after));
    const int d = map.PositionToPixels(X) - e;
    const double yAfter = List().GetY(after);
    Y = c != e && d != 0 ? yAfter + d * (List().GetY(before) - yAfter) / (c - e) : yAfter;
    return true;
}

bool TiPlotChannel::HoldsValue(int Index) const {
    return !List().GetNull(Index) && PlotPointFinite(List().GetX(Index), List().GetY(Index));
}

double TiPlotChannel::GetVisibleMaxX() const {
    if (!AxesValid() || !Visible()) return -1e300;
    for (int i = List().Count() - 1; i >= 0; --i)
        if (HoldsValue(i)) return GetDataXDrawMax(i);
    return -1e300;
}

double TiPlotChannel::GetVisibleMinX() const {
    if (!AxesValid() || !Visible()) return 1e300;
    for (int i = 0; i < List().Count(); ++i)
        if (HoldsValue(i)) return GetDataXDrawMin(i);
    return 1e300;
}

template <class F> void TiPlotChannel::ForEachPointBetween(int Start, int Stop, F&& f) const {
    if (Start < 0 || Stop < Start || Stop >= List().Count()) return;
    for (int i = Start; i <= Stop; ++i) {
        double x = 0, y = 0;
        bool empty = false, null = false;
        List().GetXYEmptyNull(i, x, y, empty, null);
        // A point without a finite position is a break, as a Null point is.
        f(i, x, y, empty, null || !PlotPointFinite(x, y));
    }
}

template <class F> void TiPlotChannel::ForEachVisiblePoint(F&& f) const {
    ForEachPointBetween(StartIndex(), StopIndex(), std::forward<F>(f));
}

TiPlotAxisExtents TiPlotChannel::VisibleYExtents() const {
    TiPlotAxisExtents extents;
    if (!AxesValid() || !Visible() || List().Count() == 0) return extents;
    ForEachPointBetween(VisibleStartXIndex(), VisibleStopXIndex(),
                        [&](int i, double, double, bool, bool null) {
                            if (!null) extents.Include(GetDataYDrawMin(i), GetDataYDrawMax(i));
                        });
    return extents;
}

double TiPlotChannel::GetVisibleMaxY() {
    CalcStartXIndex();
    CalcStopXIndex();
    return VisibleYExtents().Max;
}

double TiPlotChannel::GetVisibleMinY() {
    CalcStartXIndex();
    CalcStopXIndex();
    return VisibleYExtents().Min;
}

void TiPlotChannel::DrawSetup(TCanvas&) {
    SetDrawSetupDone(false);
    if (!AxesValid() || !Visible() || List().Count() == 0) return;
    UpdateXIncreasing();
    const bool found = CalcStartXIndex() != -1 && CalcStopXIndex() != -1;
    if (!found && interpolationStyle_ != ipistDifferential) return;
    const TiPlotAxisMap& yMap = YAxis()->ChannelAxisMap();
    digitalHighPixel_ = yMap.PositionToPixels(DigitalLevelValue(true));
    digitalLowPixel_ = yMap.PositionToPixels(DigitalLevelValue(false));
    ResetPixelList();
    SetDrawSetupDone(true);
}

void TiPlotChannel::ResetPixelList() {
    const TiPlotAxisMap& xMap = XAxis()->ChannelAxisMap();
    pixelListMin_ = std::min(xMap.GetMinPixels(), xMap.GetMaxPixels());
    pixelListMax_ = std::max(xMap.GetMinPixels(), xMap.GetMaxPixels());
    const size_t columns = size_t(pixelListMax_ - pixelListMin_ + 1);
    // Only grows, so that a steady plot allocates nothing per paint.
    if (pixelList_.size() < columns) pixelList_.resize(columns);
    std::fill(pixelList_.begin(), pixelList_.end(), std::nullopt);
}

void TiPlotChannel::AddPixelListValue(int XPixel, double Y) {
    if (XPixel < pixelListMin_ || XPixel > pixelListMax_ || pixelList_.empty())
        throw Exception(QStringLiteral("Pixel List XPixel out of Range"));
    pixelList_[size_t(XPixel - pixelListMin_)] = Y;
}

bool TiPlotChannel::GetPixelListValue(int XPixel, double& Y) const {
    if ((pixelListMin_ == 0 && pixelListMax_ == 0) || XPixel < pixelListMin_ ||
        XPixel > pixelListMax_ || size_t(XPixel - pixelListMin_) >= pixelList_.size())
        return false;
    const std::optional<double>& entry = pixelList_[size_t(XPixel - pixelListMin_)];
    if (entry) Y = *entry;
    return entry.has_value();
}

void TiPlotChannel::Draw(TCanvas& Canvas, TColor) {
    if (!DrawSetupDone()) return;
    try {
        DrawFill(Canvas, XYAxesReversed());
        DrawBar(Canvas, XYAxesReversed());
        DrawHighLow(Canvas, XYAxesReversed());
        DrawConnectPoints(Canvas, XYAxesReversed());
        DrawMarkers(Canvas, XYAxesReversed());
    } catch (const std::exception& e) {
        // The rest of the channel is not drawn in this paint; its data stays.
        ReportGuardCatch("channel drawing", e.what());
    }
}

void TiPlotChannel::DrawFast(TCanvas& Canvas, bool Reversed) {
    if (StartIndex() < 0 || StopIndex() <= StartIndex() || StopIndex() >= List().Count()) return;
    const TiPlotAxisMap& map = XAxis()->ChannelAxisMap();
    fastLineEnds_.clear();
    TiPlotFastDraw fast([&](double X1, double Y1, double X2, double Y2) {
        TPoint ends[2];
        if (LinePoints(Reversed, X1, Y1, X2, Y2, ends))
            fastLineEnds_.insert(fastLineEnds_.end(), ends, ends + 2);
    });
    ForEachListPointOrRun(
        List(), DataStyle(), StartIndex(), StopIndex() - StartIndex() + 1,
        [&](double x, double y, bool empty, bool null) {
            fast.Add(x, y, empty, null, map.PositionToPixels(x));
        },
        [&](const TiPlotPointRun& run) { return fast.AddRun(run, map); },
        [&](double x) { return map.PositionToPixels(x); });
    fast.Finish();
    Canvas.Lines(fastLineEnds_);
}

void TiPlotChannel::DrawConnectPoints(TCanvas& Canvas, bool Reversed) {
    if (!TraceVisible()) return;
    if (digitalEnabled_) {
        SetTracePen(Canvas, Color(), TraceLineStyle(), TraceLineWidth());
        DrawDigital(Canvas, Reversed);
        return;
    }
    if (interpolationStyle_ != ipistStraightLine && interpolationStyle_ != ipistDifferential) {
        SetTracePen(Canvas, Color(), TraceLineStyle(), TraceLineWidth());
        DrawInterpolated(Canvas, Reversed);
        return;
    }
    if (interpolationStyle_ == ipistDifferential) {
        SetTracePen(Canvas, Color(), TraceLineStyle(), TraceLineWidth());
        DrawDifferential(Canvas, Reversed);
        return;
    }
    if (!fastDrawEnabled_) {
        TiPlotChannelCustom::DrawConnectPoints(Canvas, Reversed);
        return;
    }
    SetTracePen(Canvas, Color(), TraceLineStyle(), TraceLineWidth());
    DrawFast(Canvas, Reversed);
}

QString TiPlotChannel::BoundAxisName(TiPlotObjectKind AxisKind) const {
    return AxisKind == TiPlotObjectKind::XAxis ? XAxisName() : YAxisName();
}

TiPlotAxisExtents TiPlotChannel::VisibleExtents(TiPlotObjectKind AxisKind) const {
    if (AxisKind != TiPlotObjectKind::XAxis) return VisibleYExtents();
    TiPlotAxisExtents extents;
    extents.Include(GetVisibleMinX(), GetVisibleMaxX());
    return extents;
}

void TiPlotChannel::SetFillBrush(TCanvas& Canvas) {
    const TColor color = fillUseChannelColor_ ? Color() : fillColor_;
    Canvas.Brush()->SetStyle(fillStyle_);
    Canvas.Brush()->SetColor(color);
    Canvas.Pen()->SetColor(color);
    Canvas.Pen()->SetWidth(0);
}

void TiPlotChannel::DrawFill(TCanvas& Canvas, bool Reversed) {
    if (!FillShown() || interpolationStyle_ != ipistStraightLine || digitalEnabled_) return;
    SetFillBrush(Canvas);
    Canvas.Pen()->SetStyle(psClear);
    bool havePrevious = false;
    TiPlotValuePoint p;
    ForEachVisiblePoint([&](int, double x, double y, bool empty, bool null) {
        if (empty) return;
        if (null) {
            havePrevious = false;
            return;
        }
        if (havePrevious)
            DrawQuadPolygon(Canvas, Reversed, {p.X, fillReference_}, p, {x, y},
                            {x, fillReference_});
        havePrevious = true;
        p = {x, y};
    });
}

void TiPlotChannel::DrawDifferential(TCanvas& Canvas, bool Reversed) {
    bool havePrevious = false;
    TiPlotValuePoint p;
    const auto step = [&](double x, double y) {
        if (FillShown()) {
            SetFillBrush(Canvas);
            DrawQuadPolygon(Canvas, Reversed, {p.X, fillReference_}, p, {x, p.Y},
                            {x, fillReference_});
            SetTracePen(Canvas, Color(), TraceLineStyle(), TraceLineWidth());
        }
        DrawLine(Canvas, Reversed, p.X, p.Y, x, p.Y);
        if (!std::isnan(y)) DrawLine(Canvas, Reversed, x, p.Y, x, y);
    };
    ForEachVisiblePoint([&](int, double x, double y, bool empty, bool null) {
        if (empty) return;
        if (null) {
            if (havePrevious) step(x, std::nan(""));
            havePrevious = false;
            return;
        }
        if (havePrevious) step(x, y);
        havePrevious = true;
        p = {x, y};
    });
    // The last value is held to the right end of the axis.
    if (havePrevious) DrawLine(Canvas, Reversed, p.X, p.Y, XAxis()->ChannelAxisMax(), p.Y);
}

double TiPlotChannel::DigitalLevelValue(bool High) const {
    const double reference = High ? digitalReferenceHigh_ : digitalReferenceLow_;
    const TiPlotChannelAxis* axis = YAxis();
    if (digitalReferenceStyle_ == ipdrScale || !axis) return reference;
    return axis->ChannelAxisMin() + axis->ChannelAxisSpan() * reference / 100;
}

void TiPlotChannel::DrawDigital(TCanvas& Canvas, bool Reversed) {
    // The run of equal levels being walked.
    struct {
        bool Started = false;
        double StartX = 0;
        bool High = false;
        bool Extended = false;
        double LastX = 0;
    } run;
    const auto level = [&](bool High) { return DigitalLevelValue(High); };
    const auto fill = [&](double ToX) {
        if (!FillShown()) return;
        SetFillBrush(Canvas);
        DrawQuadPolygon(Canvas, Reversed, {run.StartX, fillReference_},
                        {run.StartX, level(run.High)}, {ToX, level(run.High)},
                        {ToX, fillReference_});
        SetTracePen(Canvas, Color(), TraceLineStyle(), TraceLineWidth());
    };
    const auto flush = [&](const double* TransitionX) {
        if (TransitionX) {
            fill(*TransitionX);
            DrawLine(Canvas, Reversed, run.StartX, level(run.High), *TransitionX, level(run.High));
            DrawLine(Canvas, Reversed, *TransitionX, level(run.High), *TransitionX,
                     level(!run.High));
        } else if (run.Extended) {
            fill(run.LastX);
            DrawLine(Canvas, Reversed, run.StartX, level(run.High), run.LastX, level(run.High));
        }
        run = {};
    };
    ForEachVisiblePoint([&](int, double x, double y, bool empty, bool null) {
        if (empty) return;
        if (null) {
            flush(nullptr);
            return;
        }
        const bool high = y != 0;
        if (run.Started && high == run.High) {
            run.Extended = true;
            run.LastX = x;
            return;
        }
        if (run.Started) flush(&x);
        run.Started = true;
        run.StartX = x;
        run.High = high;
    });
    flush(nullptr);
}

void TiPlotChannel::DrawMarkers(TCanvas& Canvas, bool Reversed) {
    if (!digitalEnabled_) {
        TiPlotChannelCustom::DrawMarkers(Canvas, Reversed);
        return;
    }
    if (!MarkersVisible() || !AxesValid()) return;
    Canvas.SetFont(MarkersFont());
    const TiPlotAxisMap& xMap = XAxis()->ChannelAxisMap();
    const TiPlotAxisMap& yMap = YAxis()->ChannelAxisMap();
    ForEachVisiblePoint([&](int i, double x, double y, bool empty, bool null) {
        if (empty || null || !GetDataMarkerShow(i) || !xMap.PointOnScale(x) ||
            !yMap.PointOnScale(y))
            return;
        const int row = y != 0 ? digitalHighPixel_ : digitalLowPixel_;
        const int column = xMap.PositionToPixels(x);
        DrawMarker(Canvas, i, Reversed ? TPoint{row, column} : TPoint{column, row});
    });
}

void TiPlotChannel::DrawValueRect(TCanvas& Canvas, bool Reversed, double X1, double Y1, double X2,
                                  double Y2) {
    const TiPlotAxisMap& xMap = XAxis()->ChannelAxisMap();
    const TiPlotAxisMap& yMap = YAxis()->ChannelAxisMap();
    int x1 = xMap.PositionToPixels(X1), x2 = xMap.PositionToPixels(X2);
    int y1 = yMap.PositionToPixels(Y1), y2 = yMap.PositionToPixels(Y2);
    if (Reversed) {
        std::swap(x1, y1);
        std::swap(x2, y2);
    }
    Canvas.Rectangle(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
}

void TiPlotChannel::DrawBar(TCanvas& Canvas, bool Reversed) {
    if (!barEnabled_ || !AxesValid()) return;
    ForEachVisiblePoint([&](int i, double x, double y, bool empty, bool null) {
        if (empty || null || !List().GetBarVisible(i)) return;
        Canvas.Brush()->SetColor(barBrushUseChannelColor_ ? Color() : List().GetBarBrushColor(i));
        Canvas.Pen()->SetColor(barPenUseChannelColor_ ? Color() : List().GetBarPenColor(i));
        Canvas.Pen()->SetWidth(std::clamp(List().GetBarPenWidth(i), 0, MaxLineWidth));
        Canvas.Pen()->SetStyle(List().GetBarPenStyle(i));
        Canvas.Brush()->SetStyle(List().GetBarBrushStyle(i));
        const double half = List().GetBarWidth(i) / 2;
        DrawValueRect(Canvas, Reversed, x - half, List().GetBarReference(i), x + half, y);
    });
}

QString TiPlotChannel::GetDataCursorDisplayText(TiPlotDataCursorStyle Style, double X, double Y,
                                                TiPlotDataPointStatus Status) {
    return DataCursorDisplayText(Style, X, Y, Status, digitalEnabled_);
}

bool TiPlotChannel::GetYDifferential(double X, double& Y) const {
    const int count = List().Count();
    const auto valid = [&](int k) {
        return !List().GetNull(k) && !List().GetEmpty(k) &&
               PlotPointFinite(List().GetX(k), List().GetY(k));
    };
    const int k = CalcIndex(X);
    // The point before may be a Null or Empty point, which holds no value to show.
    if (k >= 1) {
        if (!valid(k - 1)) return false;
        Y = List().GetY(k - 1);
        return true;
    }
    if (count == 0 || !valid(count - 1) || !(List().GetX(count - 1) < X)) return false;
    Y = List().GetY(count - 1);
    return true;
}

TiPlotDataPointStatus TiPlotChannel::DataCursorValueAt(double X1, int Column, double& Y) const {
    Y = 0;
    const int count = List().Count();
    if (count == 0) return ipdpsEmpty;
    if (interpolationStyle_ != ipistDifferential || digitalEnabled_) {
        const double first = List().GetX(0), last = List().GetX(count - 1);
        if (xIncreasing_ ? (X1 < first || X1 > last) : (X1 > first || X1 < last)) return ipdpsEmpty;
    }
    bool found = false;
    switch (interpolationStyle_) {
    case ipistStraightLine:
        found = GetYInterpolated(X1, Y);
        break;
    case ipistCubicSpline:
    case ipistPolynomial:
    case ipistRational:
        found = GetPixelListValue(Column, Y);
        break;
    case ipistDifferential:
        found = GetYDifferential(X1, Y);
        break;
    }
    if (!found) Y = 0;
    return found ? ipdpsValid : ipdpsNull;
}

void TiPlotChannel::DataCursorUpate(TiPlotDataCursor* Cursor) {
    double x = 0, y = 0;
    TiPlotDataPointStatus status = ipdpsValid;
    const TiPlotChannelAxis* xAxis = XAxis();
    const TiPlotChannelAxis* yAxis = YAxis();
    const TiPlotDataCursorStyle style = Cursor->Style();
    const auto yAt = [&](int Pixel) {
        return yAxis->ChannelAxisMap().PixelsToPositionDouble(Pixel);
    };
    if (Cursor->ScopeStyle() && style == ipcsValueY) {
        y = yAxis ? yAt(Cursor->GetPointer2Pixels()) : 0;
        status = yAxis ? ipdpsValid : ipdpsEmpty;
    } else if (!xAxis) {
        status = ipdpsNull;
    } else {
        const double x1 =
            xAxis->ChannelAxisMap().PixelsToPositionDouble(Cursor->GetPointer1Pixels());
        const double x2 =
            xAxis->ChannelAxisMap().PixelsToPositionDouble(Cursor->GetPointer2Pixels());
        const double scaler = xAxis->CursorScaler();
        double found = 0;
        const TiPlotDataPointStatus foundStatus =
            DataCursorValueAt(x1, Cursor->GetPointer1Pixels(), found);
        switch (style) {
        case ipcsValueXY:
            x = x1;
            y = found;
            status = foundStatus;
            break;
        case ipcsValueX:
            x = x1;
            break;
        case ipcsValueY:
            y = found;
            status = foundStatus;
            break;
        case ipcsDeltaX:
            x = std::abs(x1 - x2) * scaler;
            break;
        case ipcsDeltaY:
            y = yAxis
                    ? std::abs(yAt(Cursor->GetPointer1Pixels()) - yAt(Cursor->GetPointer2Pixels()))
                    : 0;
            status = yAxis ? ipdpsValid : ipdpsNull;
            break;
        case ipcsInverseDeltaX:
            // A period of zero is an infinite frequency, which the text shows as "Infinite".
            x = x1 != x2 && scaler != 0 ? std::abs(1 / (scaler * (x1 - x2)))
                                        : std::numeric_limits<double>::infinity();
            break;
        }
    }
    SendToDataCursor(Cursor, x, y, status, GetDataCursorDisplayText(style, x, y, status));
}

void TiPlotChannel::FillPixelRect(TCanvas& Canvas, bool Reversed, TColor Color, int Left, int Top,
                                  int Right, int Bottom) {
    if (Right < Left) std::swap(Left, Right);
    if (Bottom < Top) std::swap(Top, Bottom);
    Right = std::max(Right, Left + 1);
    Bottom = std::max(Bottom, Top + 1);
    Canvas.Brush()->SetColor(Color);
    Canvas.Pen()->SetColor(Color);
    Canvas.FillRect(Reversed ? TRect{Top, Left, Bottom, Right} : TRect{Left, Top, Right, Bottom});
}

void TiPlotChannel::DrawHighLow(TCanvas& Canvas, bool Reversed) {
    if (!highLowEnabled_ || !AxesValid()) return;
    Canvas.Pen()->SetWidth(0);
    Canvas.Pen()->SetStyle(psSolid);
    Canvas.Brush()->SetStyle(bsSolid);
    const TiPlotAxisMap& xMap = XAxis()->ChannelAxisMap();
    const TiPlotAxisMap& yMap = YAxis()->ChannelAxisMap();
    const auto tick = [&](double Value, double Width, double Height, TColor Color, bool Left,
                          int Middle) {
        const int w = xMap.WidthToPixels(Width), h = yMap.WidthToPixels(Height);
        const int y = yMap.PositionToPixels(Value);
        const int left = Left ? Middle - w + 1 : Middle;
        const int right = Left ? Middle : Middle + w - 1;
        FillPixelRect(Canvas, Reversed, Color, left, y - h / 2, right, y + h - h / 2 - 1);
    };
    ForEachVisiblePoint([&](int i, double x, double, bool empty, bool null) {
        if (empty || null) return;
        const int w = xMap.WidthToPixels(highLowBarWidth_);
        const int column = xMap.PositionToPixels(x);
        const int left = column - w / 2, right = column + w - w / 2 - 1;
        const int middle = (left + right) / 2;
        if (highLowOpenShow_)
            tick(List().GetOpen(i), highLowOpenWidth_, highLowOpenHeight_, highLowOpenColor_, true,
                 middle);
        if (highLowCloseShow_)
            tick(List().GetClose(i), highLowCloseWidth_, highLowCloseHeight_, highLowCloseColor_,
                 false, middle);
        FillPixelRect(Canvas, Reversed, highLowBarColor_, left,
                      yMap.PositionToPixels(List().GetHigh(i)), right,
                      yMap.PositionToPixels(List().GetLow(i)));
    });
}

template <class F>
void TiPlotChannel::DrawCurve(TCanvas& Canvas, bool Reversed, const std::vector<double>& Xs,
                              F&& Y) {
    const TiPlotChannelAxis* axis = XAxis();
    const TiPlotAxisMap& map = axis->ChannelAxisMap();
    const double from = std::max(Xs[1], axis->ChannelAxisMin());
    const double to = std::min(Xs.back(), axis->ChannelAxisMax());
    if (from > to) return;
    const int p1 = std::min(map.PositionToPixels(from), map.PositionToPixels(to));
    const int p2 = std::max(map.PositionToPixels(from), map.PositionToPixels(to));
    TiPlotValuePoint previous;
    for (int column = p1; column <= p2; ++column) {
        const double x = map.PixelsToPosition(column);
        const double y = Y(x);
        if (FillShown()) {
            SetFillBrush(Canvas);
            DrawLine(Canvas, Reversed, x, fillReference_, x, y);
            SetTracePen(Canvas, Color(), TraceLineStyle(), TraceLineWidth());
        }
        if (column > p1) DrawLine(Canvas, Reversed, previous.X, previous.Y, x, y);
        previous = {x, y};
        AddPixelListValue(column, y);
    }
}

void TiPlotChannel::DrawInterpolated(TCanvas& Canvas, bool Reversed) {
    // Tables are 1-based, as the interpolation routines read them.
    std::vector<double> xs{0}, ys{0};
    const auto flushSpline = [&] {
        const int n = int(xs.size()) - 1;
        if (n >= 2) {
            std::vector<double> y2;
            Spline(xs, ys, n, 1e30, 1e30, y2);
            DrawCurve(Canvas, Reversed, xs, [&](double x) {
                double y = 0;
                SplineInterpolation(xs, ys, y2, n, x, y);
                return y;
            });
        }
        xs.assign(1, 0);
        ys.assign(1, 0);
    };
    const bool spline = interpolationStyle_ == ipistCubicSpline;
    for (int i = 0; i < List().Count(); ++i) {
        double x = 0, y = 0;
        bool empty = false, null = false;
        List().GetXYEmptyNull(i, x, y, empty, null);
        // Placeholders of Null and Empty points are no values: the tables hold valid points.
        if (empty) continue;
        if (null || !PlotPointFinite(x, y)) {
            if (spline) flushSpline();
            continue;
        }
        xs.push_back(x);
        ys.push_back(y);
    }
    if (spline) {
        flushSpline();
        return;
    }
    const int n = int(xs.size()) - 1;
    if (n < 2) return;
    const bool rational = interpolationStyle_ == ipistRational;
    DrawCurve(Canvas, Reversed, xs, [&](double x) {
        double y = 0, dy = 0;
        if (rational)
            RationalInterpolation(xs, ys, n, x, y, dy);
        else
            PolynomialInterpolation(xs, ys, n, x, y, dy);
        return y;
    });
}
