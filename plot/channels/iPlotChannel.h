// The channel of the strip-chart plot: the trace of the base channel drawn straight (fast, one
// stroke per pixel column), as steps or as a two-level digital trace, with fills, bars and
// high-low bars, time-stamped appends, and the values and texts a data cursor shows.
#pragma once

#include "platform/Clock.h"
#include "plot/channels/iPlotChannelCustom.h"
#include "plot/iPlotAxis.h"

#include <optional>
#include <vector>

class TiPlotMasterManager;

class TiPlotChannel : public TiPlotChannelCustom, public TiPlotAxisExtentSource {
    Q_OBJECT
    Q_PROPERTY(bool FastDrawEnabled READ FastDrawEnabled WRITE SetFastDrawEnabled)
    Q_PROPERTY(TiPlotInterpolationStyle InterpolationStyle READ InterpolationStyle WRITE
                   SetInterpolationStyle)
    Q_PROPERTY(bool FillEnabled READ FillEnabled WRITE SetFillEnabled)
    Q_PROPERTY(double FillReference READ FillReference WRITE SetFillReference)
    Q_PROPERTY(TBrush::TBrushStyle FillStyle READ FillStyle WRITE SetFillStyle)
    Q_PROPERTY(TColor FillColor READ FillColor WRITE SetFillColor)
    Q_PROPERTY(bool FillUseChannelColor READ FillUseChannelColor WRITE SetFillUseChannelColor)
    Q_PROPERTY(bool DigitalEnabled READ DigitalEnabled WRITE SetDigitalEnabled)
    Q_PROPERTY(TiPlotDigitalReferenceStyle DigitalReferenceStyle READ DigitalReferenceStyle WRITE
                   SetDigitalReferenceStyle)
    Q_PROPERTY(double DigitalReferenceLow READ DigitalReferenceLow WRITE SetDigitalReferenceLow)
    Q_PROPERTY(double DigitalReferenceHigh READ DigitalReferenceHigh WRITE SetDigitalReferenceHigh)
    Q_PROPERTY(bool HighLowEnabled READ HighLowEnabled WRITE SetHighLowEnabled)
    Q_PROPERTY(TColor HighLowBarColor READ HighLowBarColor WRITE SetHighLowBarColor)
    Q_PROPERTY(double HighLowBarWidth READ HighLowBarWidth WRITE SetHighLowBarWidth)
    Q_PROPERTY(bool HighLowOpenShow READ HighLowOpenShow WRITE SetHighLowOpenShow)
    Q_PROPERTY(TColor HighLowOpenColor READ HighLowOpenColor WRITE SetHighLowOpenColor)
    Q_PROPERTY(double HighLowOpenWidth READ HighLowOpenWidth WRITE SetHighLowOpenWidth)
    Q_PROPERTY(double HighLowOpenHeight READ HighLowOpenHeight WRITE SetHighLowOpenHeight)
    Q_PROPERTY(bool HighLowCloseShow READ HighLowCloseShow WRITE SetHighLowCloseShow)
    Q_PROPERTY(TColor HighLowCloseColor READ HighLowCloseColor WRITE SetHighLowCloseColor)
    Q_PROPERTY(double HighLowCloseWidth READ HighLowCloseWidth WRITE SetHighLowCloseWidth)
    Q_PROPERTY(double HighLowCloseHeight READ HighLowCloseHeight WRITE SetHighLowCloseHeight)
    Q_PROPERTY(bool BarEnabled READ BarEnabled WRITE SetBarEnabled)
    Q_PROPERTY(bool BarPenUseChannelColor READ BarPenUseChannelColor WRITE SetBarPenUseChannelColor)
    Q_PROPERTY(
        bool BarBrushUseChannelColor READ BarBrushUseChannelColor WRITE SetBarBrushUseChannelColor)
    Q_PROPERTY(double BarReference READ BarReference WRITE SetBarReference)
    Q_PROPERTY(double BarWidth READ BarWidth WRITE SetBarWidth)
    Q_PROPERTY(TColor BarPenColor READ BarPenColor WRITE SetBarPenColor)
    Q_PROPERTY(int BarPenWidth READ BarPenWidth WRITE SetBarPenWidth)
    Q_PROPERTY(TPen::TPenStyle BarPenStyle READ BarPenStyle WRITE SetBarPenStyle)
    Q_PROPERTY(TColor BarBrushColor READ BarBrushColor WRITE SetBarBrushColor)
    Q_PROPERTY(TBrush::TBrushStyle BarBrushStyle READ BarBrushStyle WRITE SetBarBrushStyle)
    Q_PROPERTY(TiOPCXValueSourceStyle OPCXValueSource READ OPCXValueSource WRITE SetOPCXValueSource)

public:
    enum TiPlotInterpolationStyle : uint8_t {
        ipistStraightLine,
        ipistCubicSpline,
        ipistPolynomial,
        ipistRational,
        ipistDifferential
    };
    Q_ENUM(TiPlotInterpolationStyle)
    // ipdrScale: the references are Y values; ipdrPercent: percentages of the Y span from Min.
    enum TiPlotDigitalReferenceStyle : uint8_t { ipdrScale, ipdrPercent };
    Q_ENUM(TiPlotDigitalReferenceStyle)
    enum TiOPCXValueSourceStyle : uint8_t {
        iopcxvsOPCServerTimeStamp,
        iopcxvsSystemTimeStamp,
        iopcxvsElapsedTime,
        iopcxvsElapsedSeconds
    };
    Q_ENUM(TiOPCXValueSourceStyle)

    // Bar and tick widths in axis units beyond which pixel arithmetic only overflows.
    static constexpr double MaxWidth = 1e300;

    TiPlotChannel(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);
    ~TiPlotChannel() override;

    // Makes this the class of the plot's new channels.
    static void RegisterWith(TiPlotMasterManager& Master);

    bool FastDrawEnabled() const { return fastDrawEnabled_; }
    void SetFastDrawEnabled(bool Value);
    TiPlotInterpolationStyle InterpolationStyle() const { return interpolationStyle_; }
    void SetInterpolationStyle(TiPlotInterpolationStyle Value);
    bool FillEnabled() const { return fillEnabled_; }
    void SetFillEnabled(bool Value);
    double FillReference() const { return fillReference_; }
    // NaN is refused; values beyond +-1e300 are bounded.
    void SetFillReference(double Value);
    TBrushStyle FillStyle() const { return fillStyle_; }
    void SetFillStyle(TBrushStyle Value);
    TColor FillColor() const { return fillColor_; }
    void SetFillColor(TColor Value);
    bool FillUseChannelColor() const { return fillUseChannelColor_; }
    void SetFillUseChannelColor(bool Value);
    bool DigitalEnabled() const { return digitalEnabled_; }
    void SetDigitalEnabled(bool Value);
    TiPlotDigitalReferenceStyle DigitalReferenceStyle() const { return digitalReferenceStyle_; }
    void SetDigitalReferenceStyle(TiPlotDigitalReferenceStyle Value);
    double DigitalReferenceLow() const { return digitalReferenceLow_; }
    void SetDigitalReferenceLow(double Value);
    double DigitalReferenceHigh() const { return digitalReferenceHigh_; }
    void SetDigitalReferenceHigh(double Value);
    bool HighLowEnabled() const { return highLowEnabled_; }
    void SetHighLowEnabled(bool Value);
    TColor HighLowBarColor() const { return highLowBarColor_; }
    void SetHighLowBarColor(TColor Value);
    double HighLowBarWidth() const { return highLowBarWidth_; }
    // Within 0..MaxWidth; NaN is refused.
    void SetHighLowBarWidth(double Value);
    bool HighLowOpenShow() const { return highLowOpenShow_; }
    void SetHighLowOpenShow(bool Value);
    TColor HighLowOpenColor() const { return highLowOpenColor_; }
    void SetHighLowOpenColor(TColor Value);
    double HighLowOpenWidth() const { return highLowOpenWidth_; }
    void SetHighLowOpenWidth(double Value);
    double HighLowOpenHeight() const { return highLowOpenHeight_; }
    void SetHighLowOpenHeight(double Value);
    bool HighLowCloseShow() const { return highLowCloseShow_; }
    void SetHighLowCloseShow(bool Value);
    TColor HighLowCloseColor() const { return highLowCloseColor_; }
    void SetHighLowCloseColor(TColor Value);
    double HighLowCloseWidth() const { return highLowCloseWidth_; }
    void SetHighLowCloseWidth(double Value);
    double HighLowCloseHeight() const { return highLowCloseHeight_; }
    void SetHighLowCloseHeight(double Value);
    bool BarEnabled() const { return barEnabled_; }
    void SetBarEnabled(bool Value);
    bool BarPenUseChannelColor() const { return barPenUseChannelColor_; }
    void SetBarPenUseChannelColor(bool Value);
    bool BarBrushUseChannelColor() const { return barBrushUseChannelColor_; }
    void SetBarBrushUseChannelColor(bool Value);
    double BarReference() const { return Defaults().BarReference; }
    void SetBarReference(double Value);
    double BarWidth() const { return Defaults().BarWidth; }
    void SetBarWidth(double Value);
    TColor BarPenColor() const { return Defaults().BarPenColor; }
    void SetBarPenColor(TColor Value);
    int BarPenWidth() const { return Defaults().BarPenWidth; }
    // Within 0..MaxLineWidth.
    void SetBarPenWidth(int Value);
    TPenStyle BarPenStyle() const { return Defaults().BarPenStyle; }
    void SetBarPenStyle(TPenStyle Value);
    TColor BarBrushColor() const { return Defaults().BarBrushColor; }
    void SetBarBrushColor(TColor Value);
    TBrushStyle BarBrushStyle() const { return Defaults().BarBrushStyle; }
    void SetBarBrushStyle(TBrushStyle Value);
    TiOPCXValueSourceStyle OPCXValueSource() const { return opcXValueSource_; }
    void SetOPCXValueSource(TiOPCXValueSourceStyle Value);

    // Points without a value: a Null point breaks the trace, an Empty one is bridged. Neither
    // counts in the statistics.
    int AddXNull(double X);
    int AddXEmpty(double X);
    // High, Low, Open and Close are kept by the full-feature list only.
    int AddHighLow(double X, double High, double Low, double Open, double Close);
    // X from the clock: days since ElapsedStartTime, seconds since it, or now.
    int AddYElapsedTime(double Y);
    int AddYElapsedSeconds(double Y);
    int AddYNow(double Y);
    // Adds YData[k] at X = newest X + k * Interval: the first element lands on the X of the
    // newest point (0 on an empty channel).
    void AddYArray(double Interval, const QVariant& YData);
    void ResetElapsedStartTime() { elapsedStartTime_ = Now(); }
    TDateTime ElapsedStartTime() const { return elapsedStartTime_; }

    double GetDataHigh(int Index) const { return List().GetHigh(Index); }
    double GetDataLow(int Index) const { return List().GetLow(Index); }
    double GetDataOpen(int Index) const { return List().GetOpen(Index); }
    double GetDataClose(int Index) const { return List().GetClose(Index); }
    void SetDataHigh(int Index, double Value);
    void SetDataLow(int Index, double Value);
    void SetDataOpen(int Index, double Value);
    void SetDataClose(int Index, double Value);
    bool GetDataBarVisible(int Index) const { return List().GetBarVisible(Index); }
    void SetDataBarVisible(int Index, bool Value);
    double GetDataBarReference(int Index) const { return List().GetBarReference(Index); }
    void SetDataBarReference(int Index, double Value);
    double GetDataBarWidth(int Index) const { return List().GetBarWidth(Index); }
    void SetDataBarWidth(int Index, double Value);

    bool XIncreasing() const { return xIncreasing_; }
    // The Y values of the digital trace's two levels, and their pixel rows as DrawSetup found.
    double DigitalLevelValue(bool High) const;
    int DigitalHighPixel() const { return digitalHighPixel_; }
    int DigitalLowPixel() const { return digitalLowPixel_; }
    // The interpolated trace's Y per X pixel column, as the last paint drew it: the columns
    // PixelListMin..PixelListMax of the X axis, each empty until drawn.
    int PixelListMin() const { return pixelListMin_; }
    int PixelListMax() const { return pixelListMax_; }
    // "Pixel List XPixel out of Range" outside the columns.
    void AddPixelListValue(int XPixel, double Y);
    // False for a column outside the list, not drawn, or before the first paint.
    bool GetPixelListValue(int XPixel, double& Y) const;
    // Fills DataCursorXText and DataCursorYText and returns what the cursor shows.
    QString GetDataCursorDisplayText(TiPlotDataCursorStyle Style, double X, double Y,
                                     TiPlotDataPointStatus Status);
    // The values and the hint text of a cursor bound to this channel.
    void DataCursorUpate(TiPlotDataCursor* Cursor) override;
    // The index at X in the X-sorted points (see CalcXIndexIncreasing).
    int CalcIndex(double X) const;
    // The trace's Y at X: False where there is no valid value.
    bool GetYInterpolated(double X, double& Y) const;

    int CalcStartXIndex() override;
    int CalcStopXIndex() override;
    double GetVisibleMaxX() const override;
    double GetVisibleMinX() const override;
    double GetVisibleMaxY() override;
    double GetVisibleMinY() override;

    // What the axes' zoom-to-fit reads: the name of the bound axis of a kind and the
    // channel's visible extents along it. Reading them leaves StartIndex and StopIndex alone.
    QString BoundAxisName(TiPlotObjectKind AxisKind) const override;
    TiPlotAxisExtents VisibleExtents(TiPlotObjectKind AxisKind) const override;

    void DrawSetup(TCanvas& Canvas) override;
    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;

protected:
    // By OPCXValueSource: the server's time stamp, the time now, or the time elapsed as a
    // date-time or in seconds.
    double OPCXValue(const TiOPCItem& Item) override;
    void DrawConnectPoints(TCanvas& Canvas, bool Reversed) override;
    void DrawMarkers(TCanvas& Canvas, bool Reversed) override;

private:
    double ElapsedTime() const;
    void SetWidth(double Value, double& Field);
    int AddWithoutValue(double X, bool Null);
    // Not Null and finite: a point the extents count.
    bool HoldsValue(int Index) const;
    // The first and last point index the X axis shows, -1 without points or axis.
    int VisibleStartXIndex() const;
    int VisibleStopXIndex() const;
    // The Y extents of the points from the X axis's visible index range.
    TiPlotAxisExtents VisibleYExtents() const;
    // Whether the stored X ascend, judged from the first two points.
    void UpdateXIncreasing();
    // The Y at the cursor's X1 (pointer 1's column Column) by the interpolation style, and
    // its status.
    TiPlotDataPointStatus DataCursorValueAt(double X1, int Column, double& Y) const;
    // The value a differential trace holds at X: the point before, or the newest to its right.
    bool GetYDifferential(double X, double& Y) const;
    void ResetPixelList();
    void DrawFast(TCanvas& Canvas, bool Reversed);
    void DrawFill(TCanvas& Canvas, bool Reversed);
    void DrawDifferential(TCanvas& Canvas, bool Reversed);
    void DrawDigital(TCanvas& Canvas, bool Reversed);
    void DrawBar(TCanvas& Canvas, bool Reversed);
    void DrawHighLow(TCanvas& Canvas, bool Reversed);
    // Spline runs between Null points, or one polynomial or rational table of every valid
    // point, evaluated once per pixel column.
    void DrawInterpolated(TCanvas& Canvas, bool Reversed);
    // Walks the pixel columns of the table's X range; Y(x) evaluates the curve.
    template <class F>
    void DrawCurve(TCanvas& Canvas, bool Reversed, const std::vector<double>& Xs, F&& Y);
    // A filled rectangle of pixel columns Left..Right and rows Top..Bottom (right and bottom
    // excluded), at least one pixel each way, exchanged for reversed axes.
    static void FillPixelRect(TCanvas& Canvas, bool Reversed, TColor Color, int Left, int Top,
                              int Right, int Bottom);
    // A rectangle given in axis units, its corners ordered.
    void DrawValueRect(TCanvas& Canvas, bool Reversed, double X1, double Y1, double X2, double Y2);
    // Brush FillStyle in the fill colour, pen of the same colour.
    void SetFillBrush(TCanvas& Canvas);
    bool FillShown() const { return fillEnabled_ && fillStyle_ != bsClear; }
    // Calls f(index, x, y, empty, null) for the points Start..Stop; a point without a finite
    // position comes as Null.
    template <class F> void ForEachPointBetween(int Start, int Stop, F&& f) const;
    template <class F> void ForEachVisiblePoint(F&& f) const;

    bool fastDrawEnabled_ = true;
    TiPlotInterpolationStyle interpolationStyle_ = ipistStraightLine;
    bool fillEnabled_ = false;
    double fillReference_ = 0;
    TBrushStyle fillStyle_ = bsSolid;
    TColor fillColor_ = 0;
    bool fillUseChannelColor_ = true;
    bool digitalEnabled_ = false;
    TiPlotDigitalReferenceStyle digitalReferenceStyle_ = ipdrScale;
    double digitalReferenceLow_ = 10;
    double digitalReferenceHigh_ = 90;
    bool highLowEnabled_ = false;
    TColor highLowBarColor_ = 16776960;
    double highLowBarWidth_ = 0.5;
    bool highLowOpenShow_ = true;
    TColor highLowOpenColor_ = 65280;
    double highLowOpenWidth_ = 1;
    double highLowOpenHeight_ = 1;
    bool highLowCloseShow_ = true;
    TColor highLowCloseColor_ = 255;
    double highLowCloseWidth_ = 1;
    double highLowCloseHeight_ = 1;
    bool barEnabled_ = false;
    bool barPenUseChannelColor_ = true;
    bool barBrushUseChannelColor_ = true;
    TiOPCXValueSourceStyle opcXValueSource_ = iopcxvsOPCServerTimeStamp;

    TDateTime elapsedStartTime_ = 0;
    bool xIncreasing_ = true;
    int digitalHighPixel_ = 0;
    int digitalLowPixel_ = 0;
    int pixelListMin_ = 0;
    int pixelListMax_ = 0;
    std::vector<std::optional<double>> pixelList_;
    // The fast trace's line ends, drawn in one call; kept so that a paint allocates nothing.
    std::vector<TPoint> fastLineEnds_;
};

using TiPlotInterpolationStyle = TiPlotChannel::TiPlotInterpolationStyle;
using TiPlotDigitalReferenceStyle = TiPlotChannel::TiPlotDigitalReferenceStyle;
using TiOPCXValueSourceStyle = TiPlotChannel::TiOPCXValueSourceStyle;
