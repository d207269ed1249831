#include "plot/channels/iPlotChannelCustom.h"

#include "platform/Clock.h"
#include "platform/Exception.h"
#include "platform/PropertyDefaults.h"
#include "platform/StringList.h"
#include "plot/channels/iPlotChannelAxis.h"
#include "plot/channels/iPlotChannelDataFile.h"
#include "plot/channels/iPlotChannelPoints.h"
#include "plot/iPlotConfigurationFile.h"
#include "plot/iPlotDataCursor.h"

#include <QPointer>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <exception>

namespace {

const PropertyDefaults::Registration
    defaults(TiPlotChannelCustom::staticMetaObject,
             {
                 {"TitleText", QString()},
                 {"VisibleInLegend", true},
                 {"RingBufferSize", 0},
                 {"TraceVisible", true},
                 {"Color", TColor(255)},
                 {"TraceLineStyle", QVariant::fromValue(iplsSolid)},
                 {"TraceLineWidth", 1},
                 {"MarkersAllowIndividual", false},
                 {"MarkersPenUseChannelColor", true},
                 {"MarkersBrushUseChannelColor", true},
                 {"MarkersTurnOffLimit", 0},
                 {"MarkersVisible", false},
                 {"MarkersSize", 3},
                 {"MarkersStyle", QVariant::fromValue(ipmsCircle)},
                 {"MarkersPenColor", TColor(255)},
                 {"MarkersPenStyle", QVariant::fromValue(psSolid)},
                 {"MarkersPenWidth", 0},
                 {"MarkersBrushColor", TColor(255)},
                 {"MarkersBrushStyle", QVariant::fromValue(bsSolid)},
                 {"MarkersFont.Color", clWhite},
                 {"MarkersFont.Style", qlonglong(fsBold)},
                 {"XAxisName", QString()},
                 {"YAxisName", QString()},
                 {"XAxisTrackingEnabled", true},
                 {"YAxisTrackingEnabled", true},
                 {"LogFileName", QString()},
                 {"LogBufferSize", 0},
                 {"DataStyle", QVariant::fromValue(ipdsStandard)},
                 {"OPCComputerName", QString()},
                 {"OPCServerName", QString()},
                 {"OPCItemName", QString()},
                 {"OPCUpdateRate", 500},
                 {"OPCAutoConnect", true},
             });

// The line through (X1, Y1) and (X2, Y2) at X, and at Y; a vertical line answers Y 0 and X1.
double GetNewY(double X1, double Y1, double X2, double Y2, double X) {
    if (X2 == X1) return 0;
    const double slope = (Y2 - Y1) / (X2 - X1);
    return slope * X + (Y1 - X1 * slope);
}

double GetNewX(double X1, double Y1, double X2, double Y2, double Y) {
    if (X2 == X1) return X1;
    const double slope = (Y2 - Y1) / (X2 - X1);
    return slope == 0 ? X1 : (Y - (Y1 - X1 * slope)) / slope;
}

bool Within(double Value, double Min, double Max) {
    return Value >= Min && Value <= Max;
}

} // namespace

void TiPlotChannelStatistics::Include(double X, double Y) {
    if (!PlotPointFinite(X, Y)) return;
    XMax = std::max(XMax, X);
    XMin = std::min(XMin, X);
    YMax = std::max(YMax, Y);
    YMin = std::min(YMin, Y);
    ++Count;
    XSum += X;
    YSum += Y;
    meansPending_ = true;
}

void TiPlotChannelStatistics::SettleMeans() {
    xMean_ = XMean();
    yMean_ = YMean();
    meansPending_ = false;
}

TiPlotChannelCustom::TiPlotChannelCustom(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
    : TiPlotManagerObject(Owner, Hooks), list_(TiPlotDataCustomList::Create(ipdsStandard)),
      markersFont_(std::make_unique<TFont>()), xAxis_(*this, TiPlotObjectKind::XAxis),
      yAxis_(*this, TiPlotObjectKind::YAxis), opcItem_(opcItems_.GetItem(opcItems_.Add())) {
    opcItem_->SetPropertyName(QStringLiteral("Data"));
    opcItem_->SetComputerName(QString());
    opcItems_.OnNewData = [this](TiOPCItem* item) { OPCNewData(item); };
    TiPlotDataDefaults& d = list_->Defaults();
    d.TraceLineColor = 255;
    d.TraceLineWidth = 1;
    d.MarkerSize = 3;
    d.MarkerPenColor = 255;
    d.MarkerBrushColor = 255;
    markersFont_->SetColor(clWhite);
    markersFont_->SetStyle(fsBold);
    markersFont_->OnChange = [this](QObject*) { TriggerChange(this); };
}

TiPlotChannelCustom::~TiPlotChannelCustom() {
    // Points still pending would be lost with the list.
    if (LoggingActive()) RunGuarded([this] { LogDeactivate(); });
}

void TiPlotChannelCustom::SetTitleText(const QString& Value) {
    SetStringProperty(Value, titleText_, &TiPlotObject::TriggerChange);
}

void TiPlotChannelCustom::SetVisibleInLegend(bool Value) {
    SetBooleanProperty(Value, visibleInLegend_, &TiPlotObject::TriggerChange);
}

void TiPlotChannelCustom::SetRingBufferSize(int Value) {
    const int before = list_->Count();
    list_->SetRingBufferSize(std::clamp(Value, 0, list_->MaxDataPoints()));
    serials_.RemovedOldest(before - list_->Count());
    TriggerChange(this);
}

void TiPlotChannelCustom::SetTraceVisible(bool Value) {
    SetBooleanProperty(Value, traceVisible_, &TiPlotObject::TriggerChange);
}

void TiPlotChannelCustom::SetColor(TColor Value) {
    SetDefault(Value, &TiPlotDataDefaults::TraceLineColor);
}

void TiPlotChannelCustom::SetTraceLineStyle(TiPlotLineStyle Value) {
    if (KnownOrdinal(Value)) SetDefault(Value, &TiPlotDataDefaults::TraceLineStyle);
}

void TiPlotChannelCustom::SetTraceLineWidth(int Value) {
    SetDefault(std::clamp(Value, 0, MaxLineWidth), &TiPlotDataDefaults::TraceLineWidth);
}

void TiPlotChannelCustom::SetMarkersAllowIndividual(bool Value) {
    SetBooleanProperty(Value, markersAllowIndividual_, &TiPlotObject::TriggerChange);
}

void TiPlotChannelCustom::SetMarkersPenUseChannelColor(bool Value) {
    SetBooleanProperty(Value, markersPenUseChannelColor_, &TiPlotObject::TriggerChange);
}

void TiPlotChannelCustom::SetMarkersBrushUseChannelColor(bool Value) {
    SetBooleanProperty(Value, markersBrushUseChannelColor_, &TiPlotObject::TriggerChange);
}

void TiPlotChannelCustom::SetMarkersTurnOffLimit(int Value) {
    SetIntegerProperty(std::max(Value, 0), markersTurnOffLimit_, &TiPlotObject::TriggerChange);
}

void TiPlotChannelCustom::SetMarkersVisible(bool Value) {
    SetDefault(Value, &TiPlotDataDefaults::MarkerVisible);
}

void TiPlotChannelCustom::SetMarkersSize(int Value) {
    SetDefault(std::clamp(Value, 0, MaxMarkersSize), &TiPlotDataDefaults::MarkerSize);
}

void TiPlotChannelCustom::SetMarkersStyle(TiPlotMarkerStyle Value) {
    if (KnownOrdinal(Value)) SetDefault(Value, &TiPlotDataDefaults::MarkerStyle);
}

void TiPlotChannelCustom::SetMarkersPenColor(TColor Value) {
    SetDefault(Value, &TiPlotDataDefaults::MarkerPenColor);
}

void TiPlotChannelCustom::SetMarkersPenStyle(TPenStyle Value) {
    if (KnownOrdinal(Value)) SetDefault(Value, &TiPlotDataDefaults::MarkerPenStyle);
}

void TiPlotChannelCustom::SetMarkersPenWidth(int Value) {
    SetDefault(std::clamp(Value, 0, MaxLineWidth), &TiPlotDataDefaults::MarkerPenWidth);
}

void TiPlotChannelCustom::SetMarkersBrushColor(TColor Value) {
    SetDefault(Value, &TiPlotDataDefaults::MarkerBrushColor);
}

void TiPlotChannelCustom::SetMarkersBrushStyle(TBrushStyle Value) {
    if (KnownOrdinal(Value)) SetDefault(Value, &TiPlotDataDefaults::MarkerBrushStyle);
}

void TiPlotChannelCustom::SetMarkersFont(const TFont* Value) {
    if (Value) markersFont_->Assign(*Value);
}

void TiPlotChannelCustom::SetXAxisName(const QString& Value) {
    xAxis_.SetName(Value);
}

void TiPlotChannelCustom::SetYAxisName(const QString& Value) {
    yAxis_.SetName(Value);
}

void TiPlotChannelCustom::SetXAxisTrackingEnabled(bool Value) {
    SetBooleanProperty(Value, xAxisTrackingEnabled_, &TiPlotObject::TriggerChange);
}

void TiPlotChannelCustom::SetYAxisTrackingEnabled(bool Value) {
    SetBooleanProperty(Value, yAxisTrackingEnabled_, &TiPlotObject::TriggerChange);
}

void TiPlotChannelCustom::SetLogFileName(const QString& Value) {
    if (Value == LogFileName()) return;
    log_.File().SetFileName(
        Value, GetTranslation(
                   QStringLiteral("Log File Name can not be changed while logging is active.")));
}

void TiPlotChannelCustom::SetLogBufferSize(int Value) {
    log_.File().SetBufferSize(Value);
}

void TiPlotChannelCustom::SetDataStyle(TiPlotDataStyle Value) {
    if (Value == dataStyle_ || !KnownOrdinal(Value)) return;
    std::unique_ptr<TiPlotDataCustomList> list = TiPlotDataCustomList::Create(Value);
    list->Defaults() = list_->Defaults();
    list->Defaults().MarkerCharacter = 0;
    list_ = std::move(list);
    dataStyle_ = Value;
    // The discarded points leave nothing behind: no statistics, visible range or pending
    // log count of points that no longer exist.
    ResetStatistics();
    ResetVisibleRange();
    serials_.Cleared();
    log_.Reset();
    TriggerChange(this);
}

void TiPlotChannelCustom::SetOPCComputerName(const QString& Value) {
    if (Value == opcItem_->ComputerName()) return;
    opcItem_->SetComputerName(Value);
    TriggerChange(this);
}

void TiPlotChannelCustom::SetOPCServerName(const QString& Value) {
    if (Value == opcItem_->ServerName()) return;
    opcItem_->SetServerName(Value);
    TriggerChange(this);
}

void TiPlotChannelCustom::SetOPCItemName(const QString& Value) {
    if (Value == opcItem_->ItemName()) return;
    opcItem_->SetItemName(Value);
    TriggerChange(this);
}

void TiPlotChannelCustom::SetOPCUpdateRate(int Value) {
    if (std::max(Value, 0) == opcItem_->UpdateRate()) return;
    opcItem_->SetUpdateRate(std::max(Value, 0));
    TriggerChange(this);
}

void TiPlotChannelCustom::SetOPCAutoConnect(bool Value) {
    if (Value == opcItem_->AutoConnect()) return;
    opcItem_->SetAutoConnect(Value);
    TriggerChange(this);
}

// A server that cannot be reached leaves the channel as it is: the item shows it.
void TiPlotChannelCustom::Loaded() {
    TiPlotManagerObject::Loaded();
    if (OPCAutoConnect()) opcItem_->Loaded();
}

double TiPlotChannelCustom::OPCXValue(const TiOPCItem& Item) {
    return Item.TimeStamp() != 0 ? Item.TimeStamp() : Now();
}

void TiPlotChannelCustom::OPCNewData(TiOPCItem* Item) {
    bool isNumber = false;
    const double y = Item->Data().toDouble(&isNumber);
    const bool valid = Item->GetQualityGood() && isNumber && std::isfinite(y);
    AddPoint(OPCXValue(*Item), valid ? y : 0.0, valid ? ipdpsValid : ipdpsNull);
}

int TiPlotChannelCustom::AddXY(double X, double Y) {
    return AddPoint(X, Y, ipdpsValid);
}

int TiPlotChannelCustom::AddPoint(double X, double Y, TiPlotDataPointStatus Status) {
    const int result = AppendToList(X, Y);
    const int index = list_->Count() - 1;
    if (Status == ipdpsValid) {
        statistics_.Include(X, Y);
        Track(index, X, Y);
    } else {
        list_->SetNull(index, Status == ipdpsNull);
        list_->SetEmpty(index, Status == ipdpsEmpty);
        TrackX(X);
    }
    // The point is stored: a log that cannot be written keeps its points pending for the
    // next write instead of failing an add that has already happened.
    if (log_.Count(serials_.Newest(), serials_)) RunGuarded([this] { WriteLog(); });
    TriggerChange(this);
    return result;
}

int TiPlotChannelCustom::AppendToList(double X, double Y) {
    const int before = list_->Count();
    const int result = list_->Add(X, Y);
    serials_.Appended(list_->Count() == before);
    return result;
}

void TiPlotChannelCustom::Track(int Index, double X, double Y) {
    if (!PlotPointFinite(X, Y) || !(xAxisTrackingEnabled_ || yAxisTrackingEnabled_)) return;
    TiPlotChannelAxis* x = xAxisTrackingEnabled_ ? XAxis() : nullptr;
    TiPlotChannelAxis* y = yAxisTrackingEnabled_ ? YAxis() : nullptr;
    if (!MarkersVisible()) {
        if (x) x->NewTrackingData(X);
        if (y) y->NewTrackingData(Y);
        return;
    }
    if (x) {
        x->NewTrackingData(GetDataXDrawMax(Index));
        x->NewTrackingData(GetDataXDrawMin(Index));
    }
    if (y) {
        y->NewTrackingData(GetDataYDrawMax(Index));
        y->NewTrackingData(GetDataYDrawMin(Index));
    }
}

void TiPlotChannelCustom::TrackX(double X) {
    if (!std::isfinite(X) || !xAxisTrackingEnabled_) return;
    if (TiPlotChannelAxis* x = XAxis()) x->NewTrackingData(X);
}

std::vector<double> TiPlotChannelCustom::ArrayValues(const QVariant& Array,
                                                     const char* NotOneDimensional) {
    if (Array.typeId() != QMetaType::QVariantList)
        throw Exception(QString::fromLatin1(NotOneDimensional));
    std::vector<double> values;
    for (const QVariant& element : Array.toList()) {
        if (element.typeId() == QMetaType::QVariantList)
            throw Exception(QString::fromLatin1(NotOneDimensional));
        bool number = false;
        values.push_back(element.toDouble(&number));
        if (!number) throw Exception(QStringLiteral("Array element is not a number"));
    }
    return values;
}

void TiPlotChannelCustom::AddXYArray(const QVariant& Data) {
    const char* notTwoDimensional = "Array Must Be 2 Dimensional";
    if (Data.typeId() != QMetaType::QVariantList) throw Exception(notTwoDimensional);
    const QVariantList rows = Data.toList();
    for (const QVariant& row : rows)
        if (row.typeId() != QMetaType::QVariantList) throw Exception(notTwoDimensional);
    if (rows.size() != 2)
        throw Exception(QStringLiteral("Array First Dimension Must Be 2 Elements"));
    const std::vector<double> x = ArrayValues(rows[0], notTwoDimensional);
    const std::vector<double> y = ArrayValues(rows[1], notTwoDimensional);
    // Both rows of a two-dimensional array have the same bounds.
    if (x.size() != y.size()) throw Exception(notTwoDimensional);
    for (size_t j = 0; j < x.size(); ++j)
        AddXY(x[j], y[j]);
}

void TiPlotChannelCustom::AddXYArrays(const QVariant& XData, const QVariant& YData) {
    const std::vector<double> x = ArrayValues(XData, "X-Data array must be 1 dimensional");
    const std::vector<double> y = ArrayValues(YData, "Y-Data array must be 1 dimensional");
    if (x.size() != y.size())
        throw Exception(QStringLiteral("X-Data and Y-Data hogh bound dimension must match"));
    for (size_t i = 0; i < x.size(); ++i)
        AddXY(x[i], y[i]);
}

void TiPlotChannelCustom::ResetStatistics() {
    statistics_ = TiPlotChannelStatistics();
}

void TiPlotChannelCustom::ResetVisibleRange() {
    startIndex_ = stopIndex_ = -1;
}

void TiPlotChannelCustom::Clear() {
    std::exception_ptr logError;
    if (LoggingActive()) {
        try {
            LogDeactivate();
        } catch (...) {
            logError = std::current_exception();
        }
    }
    ResetStatistics();
    ResetVisibleRange();
    list_->Clear();
    serials_.Cleared();
    log_.Reset();
    TriggerChange(this);
    if (logError) std::rethrow_exception(logError);
}

void TiPlotChannelCustom::DeletePoints(int Count) {
    list_->DeletePoints(Count);
    serials_.RemovedOldest(Count);
    TriggerChange(this);
}

void TiPlotChannelCustom::SaveDataToFile(const QString& FileName) const {
    TStringList lines;
    for (int i = 0; i < list_->Count(); ++i)
        lines.Add(DataFileRow(i));
    lines.SaveToFile(FileName);
}

void TiPlotChannelCustom::LoadDataFromFile(const QString& FileName, bool ClearFirst) {
    const int held = ClearFirst || list_->RingActive() ? 0 : list_->Count();
    const std::vector<TiPlotFilePoint> points =
        ParseChannelFileLines(ReadDataFileLines(FileName), list_->MaxDataPoints() - held);
    if (LoggingActive()) LogDeactivate();
    if (ClearFirst) Clear();
    for (const TiPlotFilePoint& point : points)
        AddPoint(point.X, point.Y, point.Status);
}

QString TiPlotChannelCustom::DataFileRow(int Index) const {
    double x = 0, y = 0;
    bool empty = false, null = false;
    list_->GetXYEmptyNull(Index, x, y, empty, null);
    return ChannelFileRow(x, y, empty, null);
}

void TiPlotChannelCustom::LogActivate(bool Append) {
    log_.File().CheckCanActivate();
    log_.File().OpenFile(Append, {});
    log_.Reset();
    log_.File().SetActive(true);
}

void TiPlotChannelCustom::LogDeactivate() {
    log_.File().Stop();
    if (log_.HasPendingRows()) WriteLog();
    log_.Reset();
}

void TiPlotChannelCustom::WriteLog() {
    const QStringList rows =
        log_.PendingRows(serials_, [this](int Index) { return DataFileRow(Index); });
    if (!rows.isEmpty()) log_.File().AppendRows(rows);
    log_.Reset();
}

void TiPlotChannelCustom::GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty,
                                         bool& Null) const {
    list_->GetXYEmptyNull(Index, X, Y, Empty, Null);
}

void TiPlotChannelCustom::ChangedPoint() {
    TriggerChange(this);
}

void TiPlotChannelCustom::SetDataX(int Index, double Value) {
    list_->SetX(Index, Value);
    ChangedPoint();
}

void TiPlotChannelCustom::SetDataY(int Index, double Value) {
    list_->SetY(Index, Value);
    ChangedPoint();
}

void TiPlotChannelCustom::SetDataNull(int Index, bool Value) {
    list_->SetNull(Index, Value);
    ChangedPoint();
}

void TiPlotChannelCustom::SetDataEmpty(int Index, bool Value) {
    list_->SetEmpty(Index, Value);
    ChangedPoint();
}

void TiPlotChannelCustom::SetDataMarkerShow(int Index, bool Value) {
    list_->SetMarkerVisible(Index, Value);
    ChangedPoint();
}

void TiPlotChannelCustom::SetDataMarkerStyle(int Index, TiPlotMarkerStyle Value) {
    if (!KnownOrdinal(Value)) return;
    list_->SetMarkerStyle(Index, Value);
    ChangedPoint();
}

void TiPlotChannelCustom::SetDataMarkerSize(int Index, int Value) {
    list_->SetMarkerSize(Index, std::clamp(Value, 0, MaxMarkersSize));
    ChangedPoint();
}

void TiPlotChannelCustom::SetDataMarkerPenColor(int Index, TColor Value) {
    list_->SetMarkerPenColor(Index, Value);
    ChangedPoint();
}

void TiPlotChannelCustom::SetDataMarkerPenStyle(int Index, TPenStyle Value) {
    if (!KnownOrdinal(Value)) return;
    list_->SetMarkerPenStyle(Index, Value);
    ChangedPoint();
}

void TiPlotChannelCustom::SetDataMarkerPenWidth(int Index, int Value) {
    list_->SetMarkerPenWidth(Index, std::clamp(Value, 0, MaxLineWidth));
    ChangedPoint();
}

void TiPlotChannelCustom::SetDataMarkerBrushColor(int Index, TColor Value) {
    list_->SetMarkerBrushColor(Index, Value);
    ChangedPoint();
}

void TiPlotChannelCustom::SetDataMarkerBrushStyle(int Index, TBrushStyle Value) {
    if (!KnownOrdinal(Value)) return;
    list_->SetMarkerBrushStyle(Index, Value);
    ChangedPoint();
}

void TiPlotChannelCustom::SetDataMarkerCharacter(int Index, char Value) {
    list_->SetMarkerCharacter(Index, Value);
    ChangedPoint();
}

void TiPlotChannelCustom::SetDataTraceLineColor(int Index, TColor Value) {
    list_->SetTraceLineColor(Index, Value);
    ChangedPoint();
}

void TiPlotChannelCustom::SetDataTraceLineStyle(int Index, TiPlotLineStyle Value) {
    if (!KnownOrdinal(Value)) return;
    list_->SetTraceLineStyle(Index, Value);
    ChangedPoint();
}

void TiPlotChannelCustom::SetDataTraceLineWidth(int Index, int Value) {
    list_->SetTraceLineWidth(Index, std::clamp(Value, 0, MaxLineWidth));
    ChangedPoint();
}

void TiPlotChannelCustom::SetCount(int Value) {
    const int before = list_->Count();
    list_->SetCapacity(Value);
    serials_.RemovedNewest(before - list_->Count());
    TriggerChange(this);
}

template <class F> void TiPlotChannelCustom::ForEachValidPoint(F&& f) const {
    for (int i = 0; i < list_->Count(); ++i) {
        double x = 0, y = 0;
        bool empty = false, null = false;
        list_->GetXYEmptyNull(i, x, y, empty, null);
        if (!empty && !null && PlotPointFinite(x, y)) f(x, y);
    }
}

double TiPlotChannelCustom::GetXMax() {
    double result = -1e300;
    ForEachValidPoint([&](double x, double) { result = std::max(result, x); });
    return statistics_.XMax = result;
}

double TiPlotChannelCustom::GetXMin() {
    double result = 1e300;
    ForEachValidPoint([&](double x, double) { result = std::min(result, x); });
    return statistics_.XMin = result;
}

double TiPlotChannelCustom::GetYMax() {
    double result = -1e300;
    ForEachValidPoint([&](double, double y) { result = std::max(result, y); });
    return statistics_.YMax = result;
}

double TiPlotChannelCustom::GetYMin() {
    double result = 1e300;
    ForEachValidPoint([&](double, double y) { result = std::min(result, y); });
    return statistics_.YMin = result;
}

double TiPlotChannelCustom::GetXMean() {
    statistics_.SettleMeans();
    statistics_.XSum = 0;
    statistics_.Count = 0;
    ForEachValidPoint([&](double x, double) {
        statistics_.XSum += x;
        ++statistics_.Count;
    });
    statistics_.SetXMean(statistics_.Count ? double(statistics_.XSum / statistics_.Count) : 0);
    return statistics_.XMean();
}

double TiPlotChannelCustom::GetYMean() {
    statistics_.SettleMeans();
    statistics_.YSum = 0;
    statistics_.Count = 0;
    ForEachValidPoint([&](double, double y) {
        statistics_.YSum += y;
        ++statistics_.Count;
    });
    statistics_.SetYMean(statistics_.Count ? double(statistics_.YSum / statistics_.Count) : 0);
    return statistics_.YMean();
}

void TiPlotChannelCustom::ReCalcRunningMinMaxMean() {
    ResetStatistics();
    ForEachValidPoint([&](double x, double y) { statistics_.Include(x, y); });
}

double TiPlotChannelCustom::MarkerHalfExtent(const TiPlotChannelAxis* Axis,
                                             const char* Missing) const {
    if (!Axis) throw Exception(QString::fromLatin1(Missing));
    const TiPlotAxisMap& map = Axis->ChannelAxisMap();
    return std::abs(map.PixelsToPosition(2 * MarkersSize()) - map.PixelsToPosition(0)) / 2;
}

double TiPlotChannelCustom::GetDataXDrawMax(int Index) const {
    if (list_->GetNull(Index)) throw Exception(QStringLiteral("Data Point Null"));
    const double x = list_->GetX(Index);
    return MarkersVisible() ? x + MarkerHalfExtent(XAxis(), "X-Axis not assigned") : x;
}

double TiPlotChannelCustom::GetDataXDrawMin(int Index) const {
    if (list_->GetNull(Index)) throw Exception(QStringLiteral("Data Point Null"));
    const double x = list_->GetX(Index);
    return MarkersVisible() ? x - MarkerHalfExtent(XAxis(), "X-Axis not assigned") : x;
}

double TiPlotChannelCustom::GetDataYDrawMax(int Index) const {
    if (list_->GetNull(Index)) throw Exception(QStringLiteral("Data Point Null"));
    const double y = list_->GetY(Index);
    return MarkersVisible() ? y + MarkerHalfExtent(YAxis(), "Y-Axis not assigned") : y;
}

double TiPlotChannelCustom::GetDataYDrawMin(int Index) const {
    if (list_->GetNull(Index)) throw Exception(QStringLiteral("Data Point Null"));
    const double y = list_->GetY(Index);
    return MarkersVisible() ? y - MarkerHalfExtent(YAxis(), "Y-Axis not assigned") : y;
}

QString TiPlotChannelCustom::GetXValueText(double Value) const {
    TiPlotChannelAxis* axis = XAxis();
    return axis ? axis->GetCursorText(Value) : GetTranslation(QStringLiteral("No X-Axis"));
}

QString TiPlotChannelCustom::GetYValueText(double Value) const {
    TiPlotChannelAxis* axis = YAxis();
    return axis ? axis->GetCursorText(Value) : GetTranslation(QStringLiteral("No Y-Axis"));
}

double TiPlotChannelCustom::GetXValueFromMousePoint(int X, int Y) const {
    const TiPlotChannelAxis* axis = XAxis();
    if (!axis) return 0;
    return axis->ChannelAxisMap().PixelsToPosition(XYAxesReversed() ? Y : X);
}

void TiPlotChannelCustom::GetPointPixels(double X, double Y, int& XPixels, int& YPixels) const {
    XPixels = YPixels = 0;
    if (!AxesValid()) return;
    XPixels = XAxis()->ChannelAxisMap().PositionToPixels(X);
    YPixels = YAxis()->ChannelAxisMap().PositionToPixels(Y);
}

void TiPlotChannelCustom::NotificationRemove(QObject* Object) {
    TiPlotManagerObject::NotificationRemove(Object);
    xAxis_.NotificationRemove(Object);
    yAxis_.NotificationRemove(Object);
}

void TiPlotChannelCustom::NotificationRename(QObject* Object) {
    TiPlotManagerObject::NotificationRename(Object);
    xAxis_.NotificationRename(Object);
    yAxis_.NotificationRename(Object);
}

bool TiPlotChannelCustom::iMouseHitTest(const TiPlotMouseData& MouseData) {
    const bool hit = TiPlotManagerObject::iMouseHitTest(MouseData);
    return hit || (visibleInLegend_ && legendRect_.Contains({MouseData.X, MouseData.Y}));
}

Qt::CursorShape TiPlotChannelCustom::GetMousePointer(TPoint) {
    return Qt::PointingHandCursor;
}

void TiPlotChannelCustom::AddMenuItems(QMenu* PopupMenu) {
    TiPlotManagerObject::AddMenuItems(PopupMenu);
    AddEditMenuItems(PopupMenu);
}

void TiPlotChannelCustom::SavePropertiesToFile(const QString& FileName) {
    SaveChannelConfiguration(*this, FileName);
}

void TiPlotChannelCustom::LoadPropertiesFromFile(const QString& FileName) {
    LoadChannelConfiguration(*this, FileName);
}

TPoint TiPlotChannelCustom::ScreenPoint(bool Reversed, int XPixels, int YPixels) const {
    return Reversed ? TPoint{YPixels, XPixels} : TPoint{XPixels, YPixels};
}

void TiPlotChannelCustom::DrawLine(TCanvas& Canvas, bool Reversed, double X1, double Y1, double X2,
                                   double Y2) {
    TPoint points[2];
    if (LinePoints(Reversed, X1, Y1, X2, Y2, points)) Canvas.Polyline(points);
}

bool TiPlotChannelCustom::LinePoints(bool Reversed, double X1, double Y1, double X2, double Y2,
                                     TPoint (&Points)[2]) const {
    const TiPlotChannelAxis* xAxis = XAxis();
    const TiPlotChannelAxis* yAxis = YAxis();
    if (!xAxis || !yAxis || !PlotPointFinite(X1, Y1) || !PlotPointFinite(X2, Y2)) return false;
    const double xMin = xAxis->ChannelAxisMin(), xMax = xAxis->ChannelAxisMax();
    const double yMin = yAxis->ChannelAxisMin(), yMax = yAxis->ChannelAxisMax();
    TiPlotValuePoint l{X1, Y1}, r{X2, Y2};
    if (X2 < X1) std::swap(l, r);
    const bool xTouches =
        (l.X < xMin && r.X > xMax) || Within(l.X, xMin, xMax) || Within(r.X, xMin, xMax);
    const bool yTouches = (l.Y < yMin && r.Y > yMax) || (r.Y < yMin && l.Y > yMax) ||
                          Within(l.Y, yMin, yMax) || Within(r.Y, yMin, yMax);
    if (!xTouches || !yTouches) return false;
    if (l.X < xMin) l = {xMin, GetNewY(X1, Y1, X2, Y2, xMin)};
    if (r.X > xMax) r = {xMax, GetNewY(X1, Y1, X2, Y2, xMax)};
    for (TiPlotValuePoint* end : {&l, &r}) {
        if (end->Y < yMin)
            *end = {GetNewX(X1, Y1, X2, Y2, yMin), yMin};
        else if (end->Y > yMax)
            *end = {GetNewX(X1, Y1, X2, Y2, yMax), yMax};
    }
    const TiPlotAxisMap& xMap = xAxis->ChannelAxisMap();
    const TiPlotAxisMap& yMap = yAxis->ChannelAxisMap();
    if (!xMap.PointOnScale(l.X) || !xMap.PointOnScale(r.X) || !yMap.PointOnScale(l.Y) ||
        !yMap.PointOnScale(r.Y))
        return false;
    Points[0] = ScreenPoint(Reversed, xMap.PositionToPixels(l.X), yMap.PositionToPixels(l.Y));
    Points[1] = ScreenPoint(Reversed, xMap.PositionToPixels(r.X), yMap.PositionToPixels(r.Y));
    return true;
}

void TiPlotChannelCustom::DrawQuadPolygon(TCanvas& Canvas, bool Reversed, TiPlotValuePoint P1,
                                          TiPlotValuePoint P2, TiPlotValuePoint P3,
                                          TiPlotValuePoint P4) {
    if (!AxesValid()) return;
    const TiPlotAxisMap& xMap = XAxis()->ChannelAxisMap();
    const TiPlotAxisMap& yMap = YAxis()->ChannelAxisMap();
    TPoint points[4];
    const TiPlotValuePoint values[4] = {P1, P2, P3, P4};
    for (int i = 0; i < 4; ++i)
        points[i] = ScreenPoint(Reversed, xMap.PositionToPixels(values[i].X),
                                yMap.PositionToPixels(values[i].Y));
    Canvas.Polygon(points);
}

void TiPlotChannelCustom::SetTracePen(TCanvas& Canvas, TColor Color, TiPlotLineStyle Style,
                                      int Width) {
    Canvas.Pen()->SetColor(Color);
    Canvas.Pen()->SetStyle(TPenStyle(Style));
    Canvas.Pen()->SetWidth(Width == 1 ? 0 : Width);
    Canvas.Brush()->SetStyle(bsClear);
}

void TiPlotChannelCustom::DrawConnectPoints(TCanvas& Canvas, bool Reversed) {
    // An unknown range (-1) or one ending before it starts draws nothing, and the walk never
    // passes StopIndex.
    if (!traceVisible_ || startIndex_ < 0 || stopIndex_ <= startIndex_ ||
        stopIndex_ >= list_->Count())
        return;
    SetTracePen(Canvas, Color(), TraceLineStyle(), TraceLineWidth());
    bool noPrevious = true;
    TiPlotValuePoint previous;
    for (int i = startIndex_; i <= stopIndex_; ++i) {
        double x = 0, y = 0;
        bool empty = false, null = false;
        list_->GetXYEmptyNull(i, x, y, empty, null);
        if (empty) continue;
        if (null || !PlotPointFinite(x, y)) {
            noPrevious = true;
            continue;
        }
        if (!noPrevious) {
            SetTracePen(Canvas, list_->GetTraceLineColor(i), list_->GetTraceLineStyle(i),
                        list_->GetTraceLineWidth(i));
            DrawLine(Canvas, Reversed, previous.X, previous.Y, x, y);
        }
        noPrevious = false;
        previous = {x, y};
    }
}

bool TiPlotChannelCustom::GetDataMarkerShowing(int Index) const {
    if (list_->GetNull(Index) || list_->GetEmpty(Index) || !AxesValid()) return false;
    if (markersAllowIndividual_ && !list_->GetMarkerVisible(Index)) return false;
    const double x = list_->GetX(Index), y = list_->GetY(Index);
    return PlotPointFinite(x, y) && XAxis()->ChannelAxisMap().PointOnScale(x) &&
           YAxis()->ChannelAxisMap().PointOnScale(y);
}

void TiPlotChannelCustom::DrawMarkers(TCanvas& Canvas, bool Reversed) {
    if (!MarkersVisible() || startIndex_ < 0 || stopIndex_ >= list_->Count()) return;
    Canvas.SetFont(markersFont_.get());
    if (markersTurnOffLimit_ > 0 && std::abs(stopIndex_ - startIndex_) > markersTurnOffLimit_)
        return;
    if (!AxesValid()) return;
    const TiPlotAxisMap& xMap = XAxis()->ChannelAxisMap();
    const TiPlotAxisMap& yMap = YAxis()->ChannelAxisMap();
    const bool skipRepeats = MarkersRepeatUnseen(Canvas) && KeepMarkerPositions(xMap, yMap);
    // The tests of GetDataMarkerShowing, with the axes resolved once and the points streamed
    // through the list's range read: a long history costs no lookup per point.
    int i = skipRepeats ? markersReadTo_ : startIndex_;
    const auto marker = [&](double x, double y, bool empty, bool null) {
        const int index = i++;
        if (empty || null || !PlotPointFinite(x, y)) return;
        const int column = xMap.PositionToPixels(x);
        const int row = yMap.PositionToPixels(y);
        if (!xMap.PixelOnScale(column) || !yMap.PixelOnScale(row)) return;
        if (markersAllowIndividual_ && !list_->GetMarkerVisible(index)) return;
        if (skipRepeats)
            drawnMarkers_.Insert(column, row);
        else
            DrawMarker(Canvas, index, ScreenPoint(Reversed, column, row));
    };
    // Every point is a marker: no block is taken whole, so none is offered.
    if (i <= stopIndex_) ForEachListPoint(*list_, dataStyle_, i, stopIndex_ - i + 1, marker);
    if (!skipRepeats) return;
    markersReadTo_ = stopIndex_ + 1;
    DrawKeptMarkers(Canvas, Reversed);
}

// Markers that may be skipped look alike for every point (neither individual nor characters),
// so the look is set once, from the first point's index. Circles, the common marker, go to
// the canvas in batches of a bounded size.
void TiPlotChannelCustom::DrawKeptMarkers(TCanvas& Canvas, bool Reversed) {
    const TMarkerLook look = UseMarkerLook(Canvas, startIndex_);
    if (look.Style != ipmsCircle) {
        drawnMarkers_.ForEachPosition([&](int column, int row) {
            DrawMarkerShape(Canvas, startIndex_, look, ScreenPoint(Reversed, column, row));
        });
        return;
    }
    std::array<TRect, 256> circles;
    std::size_t count = 0;
    drawnMarkers_.ForEachPosition([&](int column, int row) {
        const TPoint p = ScreenPoint(Reversed, column, row);
        circles[count++] = Rect(p.X - look.Size, p.Y - look.Size, p.X + look.Size, p.Y + look.Size);
        if (count < circles.size()) return;
        Canvas.Ellipses(circles);
        count = 0;
    });
    Canvas.Ellipses(std::span<const TRect>(circles.data(), count));
}

// The positions kept from earlier paints stay while the points up to where they were read
// map to the same pixels: same axes, same first index, no point changed or moved.
bool TiPlotChannelCustom::KeepMarkerPositions(const TiPlotAxisMap& XMap,
                                              const TiPlotAxisMap& YMap) {
    const TiPlotMarkerSource source{XMap, YMap, list_->Identity(), list_->Revision(), startIndex_};
    if (source == markerSource_ && markersReadTo_ <= stopIndex_ + 1) return drawnMarkers_.Holds();
    markerSource_ = source;
    markersReadTo_ = startIndex_;
    drawnMarkers_.Reset(XMap.StartPixel(), YMap.StartPixel(), XMap.StopPixel(), YMap.StopPixel());
    return drawnMarkers_.Holds();
}

// A marker drawn again where an identical one already is changes no pixel only when every
// marker paints a single colour over what lies below: then the markers' union is the same in
// any order. Individual markers and characters may differ per point, and a pen mode other
// than copy would change pixels on the second draw.
bool TiPlotChannelCustom::MarkersRepeatUnseen(const TCanvas& Canvas) const {
    if (markersAllowIndividual_ || Canvas.Pen()->Mode() != pmCopy) return false;
    switch (MarkersStyle()) {
    case ipmsCharacter:
        return false;
    case ipmsCross:
    case ipmsPlus:
    case ipmsVerticalLine:
    case ipmsHorizontalLine:
        return true;
    default:
        break;
    }
    const TColor pen = markersPenUseChannelColor_ ? Color() : MarkersPenColor();
    const TColor brush = markersBrushUseChannelColor_ ? Color() : MarkersBrushColor();
    return pen == brush || MarkersBrushStyle() == bsClear || MarkersPenStyle() == psClear;
}

void TiPlotChannelCustom::DrawMarker(TCanvas& Canvas, int Index, TPoint P) {
    if (!MarkersVisible()) return;
    DrawMarkerShape(Canvas, Index, UseMarkerLook(Canvas, Index), P);
}

TiPlotChannelCustom::TMarkerLook TiPlotChannelCustom::UseMarkerLook(TCanvas& Canvas, int Index) {
    const bool legend = Index == -1;
    const bool individual = !legend && markersAllowIndividual_;
    const TiPlotMarkerStyle style = individual ? list_->GetMarkerStyle(Index) : MarkersStyle();
    const int s = legend       ? std::min(MarkersSize(), LegendMarkerSizeMax)
                  : individual ? std::clamp(list_->GetMarkerSize(Index), 0, MaxMarkersSize)
                               : MarkersSize();
    Canvas.Pen()->SetWidth(individual ? list_->GetMarkerPenWidth(Index) : MarkersPenWidth());
    Canvas.Pen()->SetStyle(individual ? list_->GetMarkerPenStyle(Index) : MarkersPenStyle());
    Canvas.Brush()->SetStyle(individual ? list_->GetMarkerBrushStyle(Index) : MarkersBrushStyle());
    Canvas.Pen()->SetColor(markersPenUseChannelColor_ ? Color()
                           : individual               ? list_->GetMarkerPenColor(Index)
                                                      : MarkersPenColor());
    Canvas.Brush()->SetColor(markersBrushUseChannelColor_ ? Color()
                             : individual                 ? list_->GetMarkerBrushColor(Index)
                                                          : MarkersBrushColor());
    return {style, s};
}

void TiPlotChannelCustom::DrawMarkerShape(TCanvas& Canvas, int Index, TMarkerLook Look, TPoint P) {
    const int s = Look.Size;
    const TiPlotMarkerStyle style = Look.Style;
    const int x = P.X, y = P.Y;
    const auto line = [&](int x1, int y1, int x2, int y2) {
        Canvas.MoveTo(x1, y1);
        Canvas.LineTo(x2, y2);
    };
    const auto polygon = [&](std::initializer_list<TPoint> points) {
        Canvas.Polygon(std::span<const TPoint>(points.begin(), points.size()));
    };
    switch (style) {
    case ipmsCircle:
        Canvas.Ellipse(x - s, y - s, x + s, y + s);
        break;
    case ipmsSquare:
        Canvas.Rectangle(x - s, y - s, x + s, y + s);
        break;
    case ipmsDiamond:
        polygon({{x + s, y}, {x, y + s}, {x - s, y}, {x, y - s}});
        break;
    case ipmsCross:
        line(x + s, y + s, x - s, y - s);
        line(x + s, y - s, x - s, y + s);
        break;
    case ipmsPlus:
        line(x, y + s, x, y - s);
        line(x + s, y, x - s, y);
        break;
    case ipmsTriangleUp:
        polygon({{x - s, y + s}, {x, y}, {x + s, y + s}});
        break;
    case ipmsTriangleDown:
        polygon({{x - s, y - s}, {x, y}, {x + s, y - s}});
        break;
    case ipmsTriangleLeft:
        polygon({{x + s, y - s}, {x, y}, {x + s, y + s}});
        break;
    case ipmsTriangleRight:
        polygon({{x - s, y - s}, {x, y}, {x - s, y + s}});
        break;
    case ipmsVerticalLine:
        line(x, y - s, x, y + s);
        break;
    case ipmsHorizontalLine:
        line(x - s, y, x + s, y);
        break;
    case ipmsCharacter: {
        const char c = Index == -1 ? Defaults().MarkerCharacter : list_->GetMarkerCharacter(Index);
        if (c == 0) break;
        const QString text(QChar::fromLatin1(c));
        Canvas.Brush()->SetStyle(bsClear);
        const TSize size = Canvas.TextExtent(text);
        Canvas.TextOut(x - size.cx / 2, y - size.cy / 2, text);
        break;
    }
    }
}

QString TiPlotChannelCustom::DataCursorDisplayText(TiPlotDataCursorStyle Style, double X, double Y,
                                                   TiPlotDataPointStatus Status, bool Digital) {
    SetDataCursorValues(X, Y, Status);
    TiPlotChannelAxis* xAxis = XAxis();
    TiPlotChannelAxis* yAxis = YAxis();
    if (!xAxis) {
        SetDataCursorTexts(GetTranslation(QStringLiteral("No X-Axis")), QString());
        return DataCursorXText();
    }
    QString yText;
    if (!yAxis)
        yText = GetTranslation(QStringLiteral("No Y-Axis"));
    else if (Status == ipdpsValid && Digital)
        yText = GetTranslation(Y != 0 ? QStringLiteral("High") : QStringLiteral("Low"));
    else if (Status == ipdpsValid)
        yText = yAxis->GetCursorText(Y);
    else
        yText =
            GetTranslation(Status == ipdpsNull ? QStringLiteral("Null") : QStringLiteral("Empty"));
    const QString xText = xAxis->GetCursorText(X);
    SetDataCursorTexts(xText, yText);
    switch (Style) {
    case ipcsValueXY:
        return xText + QStringLiteral(", ") + yText;
    case ipcsValueX:
        return xText;
    case ipcsValueY:
        return yText;
    case ipcsDeltaX:
        return xAxis->GetCursorValueText(X);
    case ipcsDeltaY:
        return yAxis ? yAxis->GetCursorText(Y) : GetTranslation(QStringLiteral("No Y-Axis"));
    case ipcsInverseDeltaX:
        return X >= 1e301 ? GetTranslation(QStringLiteral("Infinite"))
                          : xAxis->GetCursorValueText(X);
    }
    return QString();
}

void TiPlotChannelCustom::SendToDataCursor(TiPlotDataCursor* Cursor, double X, double Y,
                                           TiPlotDataPointStatus Status, const QString& Text) {
    TiPlotObjectGuard guard(*this);
    const QPointer<TiPlotDataCursor> cursor = Cursor;
    // The change report runs the application's handler, which may remove either object.
    Cursor->SetData(X, Y, Status);
    if (guard.Destroyed() || !cursor || cursor->Destroying()) return;
    cursor->SetHintText(Text);
}
