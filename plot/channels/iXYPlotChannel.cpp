#include "plot/channels/iXYPlotChannel.h"

#include "plot/iPlotDataCursor.h"
#include "plot/iPlotMasterManager.h"

#include <cmath>
#include <limits>

TiPlotValuePoint XYDataCursorValues(TiPlotDataCursorStyle Style, double Pointer1Pixels,
                                    double Pointer2Pixels, const TiPlotChannelAxis* XAxis,
                                    const TiPlotChannelAxis* YAxis) {
    if (!XAxis || !YAxis) return {};
    const TiPlotAxisMap& xMap = XAxis->ChannelAxisMap();
    const TiPlotAxisMap& yMap = YAxis->ChannelAxisMap();
    const double x1 = xMap.PixelsToPositionDouble(Pointer1Pixels);
    const double x2 = xMap.PixelsToPositionDouble(Pointer2Pixels);
    const double y1 = yMap.PixelsToPositionDouble(Pointer1Pixels);
    const double y2 = yMap.PixelsToPositionDouble(Pointer2Pixels);
    switch (Style) {
    case ipcsValueXY:
        return {x1, y2};
    case ipcsValueX:
        return {x1, 0};
    case ipcsValueY:
        return {0, y2};
    case ipcsDeltaX:
        return {std::abs(x1 - x2), 0};
    case ipcsDeltaY:
        return {0, std::abs(y1 - y2)};
    case ipcsInverseDeltaX: {
        const double delta = XAxis->CursorScaler() * (x1 - x2);
        // A zero or non-finite product has no inverse worth dividing for.
        if (delta == 0 || !std::isfinite(delta))
            return {std::numeric_limits<double>::infinity(), 0};
        return {std::abs(1 / delta), 0};
    }
    }
    return {};
}

TiXYPlotChannel::TiXYPlotChannel(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
    : TiPlotChannelCustom(Owner, Hooks) {}

void TiXYPlotChannel::RegisterWith(TiPlotMasterManager& Master) {
    Master.SetChannelClass(PlotObjectClassOf<TiXYPlotChannel>());
}

int TiXYPlotChannel::AddWithoutValue(bool Null) {
    const int result = AppendToList(0, 0);
    const int index = List().Count() - 1;
    List().SetNull(index, Null);
    List().SetEmpty(index, !Null);
    TriggerChange(this);
    return result;
}

int TiXYPlotChannel::AddNull() {
    return AddWithoutValue(true);
}

int TiXYPlotChannel::AddEmpty() {
    return AddWithoutValue(false);
}

QString TiXYPlotChannel::GetDataCursorDisplayText(TiPlotDataCursorStyle Style, double X, double Y,
                                                  TiPlotDataPointStatus Status) {
    return DataCursorDisplayText(Style, X, Y, Status, false);
}

TiPlotValuePoint TiXYPlotChannel::DataCursorValues(TiPlotDataCursorStyle Style,
                                                   double Pointer1Pixels, double Pointer2Pixels,
                                                   QString& Text) {
    const TiPlotValuePoint value =
        XYDataCursorValues(Style, Pointer1Pixels, Pointer2Pixels, XAxis(), YAxis());
    Text = GetDataCursorDisplayText(Style, value.X, value.Y, ipdpsValid);
    return value;
}

void TiXYPlotChannel::DataCursorUpate(TiPlotDataCursor* Cursor) {
    QString text;
    const TiPlotValuePoint value = DataCursorValues(Cursor->Style(), Cursor->GetPointer1Pixels(),
                                                    Cursor->GetPointer2Pixels(), text);
    SendToDataCursor(Cursor, value.X, value.Y, ipdpsValid, text);
}

int TiXYPlotChannel::CalcStartXIndex() {
    SetStartIndex(List().Count() > 0 ? 0 : -1);
    return StartIndex();
}

int TiXYPlotChannel::CalcStopXIndex() {
    SetStopIndex(List().Count() - 1);
    return StopIndex();
}

TiPlotAxisExtents TiXYPlotChannel::Extents(TiPlotObjectKind AxisKind) const {
    TiPlotAxisExtents extents;
    if (!AxesValid() || !Visible()) return extents;
    const bool x = AxisKind == TiPlotObjectKind::XAxis;
    for (int i = 0; i < List().Count(); ++i) {
        double px = 0, py = 0;
        bool empty = false, null = false;
        List().GetXYEmptyNull(i, px, py, empty, null);
        // Empty points lie at (0, 0) and would stretch a zoom-to-fit to the origin.
        if (empty || null || !PlotPointFinite(px, py)) continue;
        if (x)
            extents.Include(GetDataXDrawMin(i), GetDataXDrawMax(i));
        else
            extents.Include(GetDataYDrawMin(i), GetDataYDrawMax(i));
    }
    return extents;
}

double TiXYPlotChannel::GetVisibleMaxX() const {
    return Extents(TiPlotObjectKind::XAxis).Max;
}

double TiXYPlotChannel::GetVisibleMinX() const {
    return Extents(TiPlotObjectKind::XAxis).Min;
}

double TiXYPlotChannel::GetVisibleMaxY() {
    return Extents(TiPlotObjectKind::YAxis).Max;
}

double TiXYPlotChannel::GetVisibleMinY() {
    return Extents(TiPlotObjectKind::YAxis).Min;
}

QString TiXYPlotChannel::BoundAxisName(TiPlotObjectKind AxisKind) const {
    return AxisKind == TiPlotObjectKind::XAxis ? XAxisName() : YAxisName();
}

TiPlotAxisExtents TiXYPlotChannel::VisibleExtents(TiPlotObjectKind AxisKind) const {
    return Extents(AxisKind);
}

void TiXYPlotChannel::DrawSetup(TCanvas&) {
    SetDrawSetupDone(false);
    if (!AxesValid() || !Visible() || List().Count() == 0) return;
    if (CalcStartXIndex() != -1 && CalcStopXIndex() != -1) SetDrawSetupDone(true);
}

void TiXYPlotChannel::Draw(TCanvas& Canvas, TColor) {
    if (!DrawSetupDone()) return;
    DrawConnectPoints(Canvas, XYAxesReversed());
    DrawMarkers(Canvas, XYAxesReversed());
}
