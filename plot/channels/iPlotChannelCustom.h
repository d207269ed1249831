// The base of every plot channel: a titled list of (X, Y) points bound by name to one X and
// one Y axis, with running statistics, axis tracking, trace segments, markers and the texts
// the legend and cursors show. Concrete channels find their visible index range and draw.
#pragma once

#include "opc/iOPCItem.h"
#include "platform/Brush.h"
#include "platform/Font.h"
#include "platform/Pen.h"
#include "plot/channels/iPlotChannelAxisLink.h"
#include "plot/channels/iPlotChannelLog.h"
#include "plot/channels/iPlotMarkerPixelSet.h"
#include "plot/channels/iPlotPointSerials.h"
#include "plot/data/iPlotDataCustomList.h"
#include "plot/iPlotAxisMap.h"
#include "plot/iPlotNameReference.h"

#include <QMetaEnum>
#include <QVariant>
#include <cmath>
#include <memory>
#include <vector>

class TiPlotChannelAxis;
class TiPlotDataCursor;

// Running statistics of the points added since the last clear.
struct TiPlotChannelStatistics {
    long long Count = 0;
    double XMin = 1e300;
    double XMax = -1e300;
    double YMin = 1e300;
    double YMax = -1e300;
    long double XSum = 0;
    long double YSum = 0;

    void Include(double X, double Y);
    // The means of the points included, worked out when read rather than at every point added,
    // which is the hottest path of a live channel; the same values either way.
    double XMean() const { return meansPending_ ? Share(XSum) : xMean_; }
    double YMean() const { return meansPending_ ? Share(YSum) : yMean_; }
    // Fixes both means at what they are now, before a scan changes Count and one sum.
    void SettleMeans();
    // The scan's mean, after SettleMeans.
    void SetXMean(double Value) { xMean_ = Value; }
    void SetYMean(double Value) { yMean_ = Value; }

private:
    // One division instead of two, as the means were always computed.
    double Share(long double Sum) const { return double(Sum * (1.0L / Count)); }

    bool meansPending_ = false;
    double xMean_ = 0;
    double yMean_ = 0;
};

// Both coordinates finite: a point that counts in statistics, tracking and extents.
inline bool PlotPointFinite(double X, double Y) {
    return std::isfinite(X) && std::isfinite(Y);
}

// A point in axis units.
struct TiPlotValuePoint {
    double X = 0;
    double Y = 0;
};

class TiPlotChannelCustom : public TiPlotManagerObject {
    Q_OBJECT
    Q_PROPERTY(QString TitleText READ TitleText WRITE SetTitleText)
    Q_PROPERTY(bool VisibleInLegend READ VisibleInLegend WRITE SetVisibleInLegend)
    Q_PROPERTY(int RingBufferSize READ RingBufferSize WRITE SetRingBufferSize)
    Q_PROPERTY(bool TraceVisible READ TraceVisible WRITE SetTraceVisible)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(
        iPlotTypes::TiPlotLineStyle TraceLineStyle READ TraceLineStyle WRITE SetTraceLineStyle)
    Q_PROPERTY(int TraceLineWidth READ TraceLineWidth WRITE SetTraceLineWidth)
    Q_PROPERTY(
        bool MarkersAllowIndividual READ MarkersAllowIndividual WRITE SetMarkersAllowIndividual)
    Q_PROPERTY(bool MarkersPenUseChannelColor READ MarkersPenUseChannelColor WRITE
                   SetMarkersPenUseChannelColor)
    Q_PROPERTY(bool MarkersBrushUseChannelColor READ MarkersBrushUseChannelColor WRITE
                   SetMarkersBrushUseChannelColor)
    Q_PROPERTY(int MarkersTurnOffLimit READ MarkersTurnOffLimit WRITE SetMarkersTurnOffLimit)
    Q_PROPERTY(bool MarkersVisible READ MarkersVisible WRITE SetMarkersVisible)
    Q_PROPERTY(int MarkersSize READ MarkersSize WRITE SetMarkersSize)
    Q_PROPERTY(iPlotTypes::TiPlotMarkerStyle MarkersStyle READ MarkersStyle WRITE SetMarkersStyle)
    Q_PROPERTY(TColor MarkersPenColor READ MarkersPenColor WRITE SetMarkersPenColor)
    Q_PROPERTY(TPen::TPenStyle MarkersPenStyle READ MarkersPenStyle WRITE SetMarkersPenStyle)
    Q_PROPERTY(int MarkersPenWidth READ MarkersPenWidth WRITE SetMarkersPenWidth)
    Q_PROPERTY(TColor MarkersBrushColor READ MarkersBrushColor WRITE SetMarkersBrushColor)
    Q_PROPERTY(
        TBrush::TBrushStyle MarkersBrushStyle READ MarkersBrushStyle WRITE SetMarkersBrushStyle)
    Q_PROPERTY(TFont* MarkersFont READ MarkersFont WRITE SetMarkersFont)
    Q_PROPERTY(QString XAxisName READ XAxisName WRITE SetXAxisName)
    Q_PROPERTY(QString YAxisName READ YAxisName WRITE SetYAxisName)
    Q_PROPERTY(bool XAxisTrackingEnabled READ XAxisTrackingEnabled WRITE SetXAxisTrackingEnabled)
    Q_PROPERTY(bool YAxisTrackingEnabled READ YAxisTrackingEnabled WRITE SetYAxisTrackingEnabled)
    Q_PROPERTY(QString LogFileName READ LogFileName WRITE SetLogFileName)
    Q_PROPERTY(int LogBufferSize READ LogBufferSize WRITE SetLogBufferSize)
    Q_PROPERTY(bool LoggingActive READ LoggingActive)
    Q_PROPERTY(iPlotTypes::TiPlotDataStyle DataStyle READ DataStyle WRITE SetDataStyle)
    Q_PROPERTY(QVariant Tag READ Tag WRITE SetTag)
    Q_PROPERTY(QString OPCComputerName READ OPCComputerName WRITE SetOPCComputerName)
    Q_PROPERTY(QString OPCServerName READ OPCServerName WRITE SetOPCServerName)
    Q_PROPERTY(QString OPCItemName READ OPCItemName WRITE SetOPCItemName)
    Q_PROPERTY(int OPCUpdateRate READ OPCUpdateRate WRITE SetOPCUpdateRate)
    Q_PROPERTY(bool OPCAutoConnect READ OPCAutoConnect WRITE SetOPCAutoConnect)

public:
    // Bounds that keep pixel and pen arithmetic finite whatever a file holds.
    static constexpr int MaxLineWidth = 100;
    static constexpr int MaxMarkersSize = 1000;
    // The legend sample is never larger than this.
    static constexpr int LegendMarkerSizeMax = 6;

    TiPlotChannelCustom(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);
    ~TiPlotChannelCustom() override;

    QString TitleText() const { return titleText_; }
    void SetTitleText(const QString& Value);
    bool VisibleInLegend() const { return visibleInLegend_; }
    void SetVisibleInLegend(bool Value);
    int RingBufferSize() const { return list_->GetRingBufferSize(); }
    // Within 0..GetMaxDataPoints.
    void SetRingBufferSize(int Value);
    bool TraceVisible() const { return traceVisible_; }
    void SetTraceVisible(bool Value);
    TColor Color() const { return Defaults().TraceLineColor; }
    void SetColor(TColor Value);
    TiPlotLineStyle TraceLineStyle() const { return Defaults().TraceLineStyle; }
    // An unknown ordinal is refused.
    void SetTraceLineStyle(TiPlotLineStyle Value);
    int TraceLineWidth() const { return Defaults().TraceLineWidth; }
    // Within 0..MaxLineWidth.
    void SetTraceLineWidth(int Value);
    bool MarkersAllowIndividual() const { return markersAllowIndividual_; }
    void SetMarkersAllowIndividual(bool Value);
    bool MarkersPenUseChannelColor() const { return markersPenUseChannelColor_; }
    void SetMarkersPenUseChannelColor(bool Value);
    bool MarkersBrushUseChannelColor() const { return markersBrushUseChannelColor_; }
    void SetMarkersBrushUseChannelColor(bool Value);
    int MarkersTurnOffLimit() const { return markersTurnOffLimit_; }
    // 0 is no limit; a negative limit is 0.
    void SetMarkersTurnOffLimit(int Value);
    bool MarkersVisible() const { return Defaults().MarkerVisible; }
    void SetMarkersVisible(bool Value);
    int MarkersSize() const { return Defaults().MarkerSize; }
    // Within 0..MaxMarkersSize.
    void SetMarkersSize(int Value);
    TiPlotMarkerStyle MarkersStyle() const { return Defaults().MarkerStyle; }
    void SetMarkersStyle(TiPlotMarkerStyle Value);
    TColor MarkersPenColor() const { return Defaults().MarkerPenColor; }
    void SetMarkersPenColor(TColor Value);
    TPenStyle MarkersPenStyle() const { return Defaults().MarkerPenStyle; }
    void SetMarkersPenStyle(TPenStyle Value);
    int MarkersPenWidth() const { return Defaults().MarkerPenWidth; }
    // Within 0..MaxLineWidth.
    void SetMarkersPenWidth(int Value);
    TColor MarkersBrushColor() const { return Defaults().MarkerBrushColor; }
    void SetMarkersBrushColor(TColor Value);
    TBrushStyle MarkersBrushStyle() const { return Defaults().MarkerBrushStyle; }
    void SetMarkersBrushStyle(TBrushStyle Value);
    TFont* MarkersFont() const { return markersFont_.get(); }
    // Copies the font.
    void SetMarkersFont(const TFont* Value);
    QString XAxisName() const { return xAxis_.Name(); }
    void SetXAxisName(const QString& Value);
    QString YAxisName() const { return yAxis_.Name(); }
    void SetYAxisName(const QString& Value);
    bool XAxisTrackingEnabled() const { return xAxisTrackingEnabled_; }
    void SetXAxisTrackingEnabled(bool Value);
    bool YAxisTrackingEnabled() const { return yAxisTrackingEnabled_; }
    void SetYAxisTrackingEnabled(bool Value);
    QString LogFileName() const { return log_.File().FileName(); }
    // "Log File Name can not be changed while logging is active." for another name then.
    void SetLogFileName(const QString& Value);
    int LogBufferSize() const { return log_.File().BufferSize(); }
    // A negative size is 0.
    void SetLogBufferSize(int Value);
    bool LoggingActive() const { return log_.File().Active(); }
    TiPlotDataStyle DataStyle() const { return dataStyle_; }
    // Another style discards every point for an empty, growing list of the new class.
    void SetDataStyle(TiPlotDataStyle Value);
    QVariant Tag() const { return tag_; }
    void SetTag(const QVariant& Value) { tag_ = Value; }
    // The names and settings of the channel's one live-data item, bound to "Data".
    QString OPCComputerName() const { return opcItem_->ComputerName(); }
    void SetOPCComputerName(const QString& Value);
    QString OPCServerName() const { return opcItem_->ServerName(); }
    void SetOPCServerName(const QString& Value);
    QString OPCItemName() const { return opcItem_->ItemName(); }
    void SetOPCItemName(const QString& Value);
    int OPCUpdateRate() const { return opcItem_->UpdateRate(); }
    // A negative rate is 0.
    void SetOPCUpdateRate(int Value);
    bool OPCAutoConnect() const { return opcItem_->AutoConnect(); }
    void SetOPCAutoConnect(bool Value);
    void OPCActivate() { opcItem_->Activate(); }
    void OPCDeactivate() { opcItem_->Deactivate(); }
    TiOPCItem& OPCItem() const { return *opcItem_; }
    // Appends the item's value as a point at OPCXValue; a value of bad quality, or one that is
    // no number, as a Null point, so the trace breaks where the data was bad.
    virtual void OPCNewData(TiOPCItem* Item);
    // Connects the item when OPCAutoConnect is set.
    void Loaded() override;

    // Points. A point with a NaN or infinite coordinate is stored and drawn as a break, but
    // counts in no statistics, tracking or extent: comparisons with NaN fail silently and
    // would leave the minima and maxima wrong.
    int AddXY(double X, double Y);
    // Arrays are variant lists, nested for two dimensions, with low bound 0. Data holds two
    // rows, X and Y; every check runs before the first point is added.
    void AddXYArray(const QVariant& Data);
    void AddXYArrays(const QVariant& XData, const QVariant& YData);
    // Ends logging first, writing the pending points; a write error is raised once the
    // points are gone.
    void Clear();
    void DeletePoints(int Count);
    void GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) const;

    double GetDataX(int Index) const { return list_->GetX(Index); }
    double GetDataY(int Index) const { return list_->GetY(Index); }
    bool GetDataNull(int Index) const { return list_->GetNull(Index); }
    bool GetDataEmpty(int Index) const { return list_->GetEmpty(Index); }
    void SetDataX(int Index, double Value);
    void SetDataY(int Index, double Value);
    void SetDataNull(int Index, bool Value);
    void SetDataEmpty(int Index, bool Value);
    bool GetDataMarkerShow(int Index) const { return list_->GetMarkerVisible(Index); }
    void SetDataMarkerShow(int Index, bool Value);
    TiPlotMarkerStyle GetDataMarkerStyle(int Index) const { return list_->GetMarkerStyle(Index); }
    void SetDataMarkerStyle(int Index, TiPlotMarkerStyle Value);
    int GetDataMarkerSize(int Index) const { return list_->GetMarkerSize(Index); }
    void SetDataMarkerSize(int Index, int Value);
    TColor GetDataMarkerPenColor(int Index) const { return list_->GetMarkerPenColor(Index); }
    void SetDataMarkerPenColor(int Index, TColor Value);
    TPenStyle GetDataMarkerPenStyle(int Index) const { return list_->GetMarkerPenStyle(Index); }
    void SetDataMarkerPenStyle(int Index, TPenStyle Value);
    int GetDataMarkerPenWidth(int Index) const { return list_->GetMarkerPenWidth(Index); }
    void SetDataMarkerPenWidth(int Index, int Value);
    TColor GetDataMarkerBrushColor(int Index) const { return list_->GetMarkerBrushColor(Index); }
    void SetDataMarkerBrushColor(int Index, TColor Value);
    TBrushStyle GetDataMarkerBrushStyle(int Index) const {
        return list_->GetMarkerBrushStyle(Index);
    }
    void SetDataMarkerBrushStyle(int Index, TBrushStyle Value);
    char GetDataMarkerCharacter(int Index) const { return list_->GetMarkerCharacter(Index); }
    void SetDataMarkerCharacter(int Index, char Value);
    TColor GetDataTraceLineColor(int Index) const { return list_->GetTraceLineColor(Index); }
    void SetDataTraceLineColor(int Index, TColor Value);
    TiPlotLineStyle GetDataTraceLineStyle(int Index) const {
        return list_->GetTraceLineStyle(Index);
    }
    void SetDataTraceLineStyle(int Index, TiPlotLineStyle Value);
    int GetDataTraceLineWidth(int Index) const { return list_->GetTraceLineWidth(Index); }
    void SetDataTraceLineWidth(int Index, int Value);

    int GetCount() const { return list_->Count(); }
    // The list capacity; the newest points beyond it are cut.
    void SetCount(int Value);
    int GetCapacity() const { return list_->Capacity(); }
    int GetDataPointSize() const { return list_->DataPointSize(); }
    int GetMaxDataPoints() const { return list_->MaxDataPoints(); }
    int GetMemoryUsed() const { return list_->GetMemoryUsed(); }
    // The list's block summaries, on top of GetMemoryUsed.
    std::size_t GetSummaryMemoryUsed() const { return list_->SummaryMemoryUsed(); }

    // Full scans of the held points that are neither Null nor Empty; each stores its result
    // as the running value.
    double GetXMax();
    double GetXMin();
    double GetXMean();
    double GetYMax();
    double GetYMin();
    double GetYMean();
    void ReCalcRunningMinMaxMean();
    const TiPlotChannelStatistics& Statistics() const { return statistics_; }

    // A point's extent including its marker; "Data Point Null" on a Null point.
    double GetDataXDrawMax(int Index) const;
    double GetDataXDrawMin(int Index) const;
    double GetDataYDrawMax(int Index) const;
    double GetDataYDrawMin(int Index) const;

    // The bound axis's cursor text, or "No X-Axis" / "No Y-Axis".
    QString GetXValueText(double Value) const;
    QString GetYValueText(double Value) const;
    // The X-axis value at a pixel.
    double GetXValueFromMousePoint(int X, int Y) const;
    // (0, 0) when an axis is missing.
    void GetPointPixels(double X, double Y, int& XPixels, int& YPixels) const;
    bool AxesValid() const { return XAxis() && YAxis(); }
    TiPlotChannelAxis* XAxis() const { return xAxis_.Get(); }
    TiPlotChannelAxis* YAxis() const { return yAxis_.Get(); }

    int StartIndex() const { return startIndex_; }
    int StopIndex() const { return stopIndex_; }
    int LogPendingCount() const { return log_.PendingCount(); }
    TRect LegendRect() const { return legendRect_; }
    void SetLegendRect(const TRect& Value) { legendRect_ = Value; }
    QString DataCursorXText() const { return dataCursorXText_; }
    QString DataCursorYText() const { return dataCursorYText_; }
    double DataCursorX() const { return dataCursorX_; }
    double DataCursorY() const { return dataCursorY_; }
    TiPlotDataPointStatus DataCursorStatus() const { return dataCursorStatus_; }

    // One segment in axis units, clipped to the axes' visible ranges.
    void DrawLine(TCanvas& Canvas, bool Reversed, double X1, double Y1, double X2, double Y2);
    // The screen ends of that line as DrawLine clips it; false when nothing of it shows.
    bool LinePoints(bool Reversed, double X1, double Y1, double X2, double Y2,
                    TPoint (&Points)[2]) const;
    // Four points in axis units, unclipped, filled with the current pen and brush.
    void DrawQuadPolygon(TCanvas& Canvas, bool Reversed, TiPlotValuePoint P1, TiPlotValuePoint P2,
                         TiPlotValuePoint P3, TiPlotValuePoint P4);
    // Index -1 draws the legend's sample.
    void DrawMarker(TCanvas& Canvas, int Index, TPoint P);
    bool GetDataMarkerShowing(int Index) const;

    void NotificationRemove(QObject* Object) override;
    void NotificationRename(QObject* Object) override;
    bool iMouseHitTest(const TiPlotMouseData& MouseData) override;
    Qt::CursorShape GetMousePointer(TPoint Point) override;
    void AddMenuItems(QMenu* PopupMenu) override;

    // Data files and logging.
    // A point with its status as a data file holds it; only a valid point counts in the
    // statistics and moves the Y axis. Logged as AddXY logs.
    int AddPoint(double X, double Y, TiPlotDataPointStatus Status);
    // Raises the platform's create error.
    void SaveDataToFile(const QString& FileName) const;
    // Reads the whole file before it changes anything; then logging ends, the channel is
    // cleared when ClearFirst, and the points are appended.
    void LoadDataFromFile(const QString& FileName, bool ClearFirst);
    // "Log File Name not Defined", "Logging Already Active"; with Append the file must
    // exist, else it is made empty.
    void LogActivate(bool Append);
    // "Logging not Active"; writes the pending points.
    void LogDeactivate();
    // Appends the pending points still held, each once, as data-file rows.
    void WriteLog();
    // Every point the list took has a serial; -1 for a point it no longer holds.
    long long NewestPointSerial() const { return serials_.Newest(); }
    int IndexOfPointSerial(long long Serial) const { return serials_.IndexOf(Serial); }

    // The channel's configuration file: a load sets its properties only, all or none.
    void SavePropertiesToFile(const QString& FileName);
    void LoadPropertiesFromFile(const QString& FileName);

    virtual int CalcStartXIndex() = 0;
    virtual int CalcStopXIndex() = 0;
    // The extents that an axis's zoom-to-fit reads: -1e300 and 1e300 with nothing to show.
    virtual double GetVisibleMaxX() const = 0;
    virtual double GetVisibleMinX() const = 0;
    virtual double GetVisibleMaxY() = 0;
    virtual double GetVisibleMinY() = 0;
    // Computes what a cursor bound to this channel shows and hands it over: the values
    // (SetData) and the hint text.
    virtual void DataCursorUpate(TiPlotDataCursor* Cursor) = 0;

protected:
    template <typename E> static bool KnownOrdinal(E Value) {
        return QMetaEnum::fromType<E>().valueToKey(int(Value)) != nullptr;
    }
    // A list default of the channel's appearance.
    template <typename T> void SetDefault(T Value, T TiPlotDataDefaults::*Field) {
        T& field = list_->Defaults().*Field;
        if (field == Value) return;
        field = Value;
        TriggerChange(this);
    }
    // An enumeration setting; an unknown ordinal is refused.
    template <typename E> void SetEnumProperty(E Value, E& Field) {
        if (Value == Field || !KnownOrdinal(Value)) return;
        Field = Value;
        TriggerChange(this);
    }
    TiPlotDataCustomList& List() const { return *list_; }
    // Every append goes through here, so that the points keep their serials.
    int AppendToList(double X, double Y);
    // The numbers of a one-dimensional array; raises NotOneDimensional for another shape and
    // "Array element is not a number" for an element that is none.
    void SetDataCursorTexts(const QString& XText, const QString& YText) {
        dataCursorXText_ = XText;
        dataCursorYText_ = YText;
    }
    void SetDataCursorValues(double X, double Y, TiPlotDataPointStatus Status) {
        dataCursorX_ = X;
        dataCursorY_ = Y;
        dataCursorStatus_ = Status;
    }
    static std::vector<double> ArrayValues(const QVariant& Array, const char* NotOneDimensional);
    // What a data cursor shows of a value, every word translated; fills DataCursorXText and
    // DataCursorYText and remembers the value. A Digital trace shows "High" and "Low".
    QString DataCursorDisplayText(TiPlotDataCursorStyle Style, double X, double Y,
                                  TiPlotDataPointStatus Status, bool Digital);
    // Hands a cursor its values and then its hint text, unless the change report of the values
    // removed the cursor or this channel.
    void SendToDataCursor(TiPlotDataCursor* Cursor, double X, double Y,
                          TiPlotDataPointStatus Status, const QString& Text);
    const TiPlotDataDefaults& Defaults() const { return list_->Defaults(); }
    void SetStartIndex(int Value) { startIndex_ = Value; }
    void SetStopIndex(int Value) { stopIndex_ = Value; }
    void ResetVisibleRange();
    // The new point at X only moves the X axis, when it tracks.
    void TrackX(double X);
    // The plain trace: one segment between neighbouring valid points, in each point's own
    // trace attributes.
    // The X of a live value: its time stamp, or the time it arrived when the server gave none.
    virtual double OPCXValue(const TiOPCItem& Item);
    virtual void DrawConnectPoints(TCanvas& Canvas, bool Reversed);
    virtual void DrawMarkers(TCanvas& Canvas, bool Reversed);
    // Pen colour, clear brush, style and width (1 passed as 0) of a trace.
    static void SetTracePen(TCanvas& Canvas, TColor Color, TiPlotLineStyle Style, int Width);

private:
    // A marker's style and size, with the canvas's pen and brush set for it.
    struct TMarkerLook {
        TiPlotMarkerStyle Style;
        int Size;
    };
    TMarkerLook UseMarkerLook(TCanvas& Canvas, int Index);
    void DrawMarkerShape(TCanvas& Canvas, int Index, TMarkerLook Look, TPoint P);
    // The markers at the positions kept in drawnMarkers_.
    void DrawKeptMarkers(TCanvas& Canvas, bool Reversed);
    void ChangedPoint();
    QString DataFileRow(int Index) const;
    void Track(int Index, double X, double Y);
    void ResetStatistics();
    // Scans the valid, finite points.
    template <class F> void ForEachValidPoint(F&& f) const;
    // Half the marker's extent in axis units, from the axis's pixel scale.
    double MarkerHalfExtent(const TiPlotChannelAxis* Axis, const char* Missing) const;
    TPoint ScreenPoint(bool Reversed, int XPixels, int YPixels) const;
    // Whether a marker drawn exactly over an identical one leaves every pixel as it was, so
    // that a paint may skip it.
    bool MarkersRepeatUnseen(const TCanvas& Canvas) const;
    // Keeps the marker positions read so far or starts them afresh; false when they cannot be
    // kept.
    bool KeepMarkerPositions(const TiPlotAxisMap& XMap, const TiPlotAxisMap& YMap);

    std::unique_ptr<TiPlotDataCustomList> list_;
    QString titleText_;
    bool visibleInLegend_ = true;
    bool traceVisible_ = true;
    bool markersAllowIndividual_ = false;
    bool markersPenUseChannelColor_ = true;
    bool markersBrushUseChannelColor_ = true;
    int markersTurnOffLimit_ = 0;
    std::unique_ptr<TFont> markersFont_;
    // Resolved on use; mutable as looking an axis up changes no published state.
    mutable TiPlotChannelAxisLink xAxis_;
    mutable TiPlotChannelAxisLink yAxis_;
    bool xAxisTrackingEnabled_ = true;
    bool yAxisTrackingEnabled_ = true;
    TiPlotChannelLog log_;
    TiPlotPointSerials serials_;
    TiPlotDataStyle dataStyle_ = ipdsStandard;
    QVariant tag_;
    TiOPCItemManager opcItems_;
    TiOPCItem* opcItem_;

    int startIndex_ = -1;
    int stopIndex_ = -1;
    TRect legendRect_;
    // Where the markers went: a paint costs at most one marker per pixel, however long the
    // history piled on the same spots, and reads only the points added since the last one.
    struct TiPlotMarkerSource {
        TiPlotAxisMap XMap;
        TiPlotAxisMap YMap;
        uint64_t ListIdentity = 0;
        uint64_t ListRevision = 0;
        int StartIndex = -1;
        bool operator==(const TiPlotMarkerSource&) const = default;
    };
    TiPlotMarkerPixelSet drawnMarkers_;
    TiPlotMarkerSource markerSource_;
    int markersReadTo_ = 0;
    TiPlotChannelStatistics statistics_;
    QString dataCursorXText_;
    QString dataCursorYText_;
    double dataCursorX_ = 0;
    double dataCursorY_ = 0;
    TiPlotDataPointStatus dataCursorStatus_ = ipdpsValid;
};
