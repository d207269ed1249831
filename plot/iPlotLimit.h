// A marked range of a plot: a line at an X or Y value, a band between two, or a poly band
// whose bounds vary along the other axis. Lines and bands follow the mouse in select mode.
#pragma once

#include "platform/Brush.h"
#include "platform/Pen.h"
#include "plot/data/iLimitDataList.h"
#include "plot/iPlotNameReference.h"

#include <cstdint>

class TiPlotAxis;

class TiPlotLimit : public TiPlotObject {
    Q_OBJECT
    Q_PROPERTY(TiPlotLimitStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(int LineWidth READ LineWidth WRITE SetLineWidth)
    Q_PROPERTY(TPen::TPenStyle LineStyle READ LineStyle WRITE SetLineStyle)
    Q_PROPERTY(TBrush::TBrushStyle FillStyle READ FillStyle WRITE SetFillStyle)
    Q_PROPERTY(QString XAxisName READ XAxisName WRITE SetXAxisName)
    Q_PROPERTY(QString YAxisName READ YAxisName WRITE SetYAxisName)
    Q_PROPERTY(double Line1Position READ Line1Position WRITE SetLine1Position)
    Q_PROPERTY(double Line2Position READ Line2Position WRITE SetLine2Position)
    Q_PROPERTY(bool UserCanMove READ UserCanMove WRITE SetUserCanMove)
    Q_PROPERTY(QString BandElements READ BandElements WRITE SetBandElements)

public:
    // "X" styles put their positions on the X axis, "Y" styles on the Y axis.
    enum TiPlotLimitStyle : uint8_t {
        iplsLineX,
        iplsLineY,
        iplsBandX,
        iplsBandY,
        iplsPolyBandX,
        iplsPolyBandY
    };
    Q_ENUM(TiPlotLimitStyle)

    // Pen widths beyond this only slow the drawing down.
    static constexpr int MaxLineWidth = 100;
    // Half the width of the strip around a line or band edge that grabs it.
    static constexpr int GrabMargin = 5;

    TiPlotLimit(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);

    // Unknown ordinals are refused by every style setter.
    TiPlotLimitStyle Style() const { return style_; }
    void SetStyle(TiPlotLimitStyle Value);
    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    // Within 0..MaxLineWidth.
    int LineWidth() const { return lineWidth_; }
    void SetLineWidth(int Value);
    TPenStyle LineStyle() const { return lineStyle_; }
    void SetLineStyle(TPenStyle Value);
    TBrushStyle FillStyle() const { return fillStyle_; }
    void SetFillStyle(TBrushStyle Value);
    QString XAxisName() const { return xAxis_.Name(); }
    void SetXAxisName(const QString& Value) { xAxis_.SetName(Value); }
    QString YAxisName() const { return yAxis_.Name(); }
    void SetYAxisName(const QString& Value) { yAxis_.SetName(Value); }
    // A new value is stored and reported to the plot's position event (limit, old, new); NaN
    // is refused, since it would differ from itself and report at every write.
    double Line1Position() const { return line1Position_; }
    void SetLine1Position(double Value);
    double Line2Position() const { return line2Position_; }
    void SetLine2Position(double Value);
    bool UserCanMove() const { return userCanMove_; }
    void SetUserCanMove(bool Value);
    // The poly band's elements as "position,upper,lower" triples joined by ";", so that a
    // stored plot keeps them. A text that does not read, or holds an element AddBandElement
    // refuses, raises its error and changes nothing.
    QString BandElements() const;
    void SetBandElements(const QString& Value);

    // Raises "the Upper Limit must be greater than or equal to the Lower Limit" when Lower
    // is above Upper or either is NaN, and "the Position must be a number" for a NaN
    // position. Elements are drawn in the order added and must ascend in position: the
    // drawing stops at the first element above the axis maximum, whatever follows it.
    void AddBandElement(double Position, double Upper, double Lower);
    void ClearAllElements();
    const TiLimitDataList& Elements() const { return elements_; }

    // Poly bands, and bands of any fill but bsClear: the plot paints these under the grid.
    bool GetIsFillType() const;
    TiPlotAxis* GetXAxis();
    TiPlotAxis* GetYAxis();
    // False: the positions lie on the X axis; true: on the Y axis.
    bool GetLinePositionAxis() const;

    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;
    bool iMouseHitTest(const TiPlotMouseData& MouseData) override;
    Qt::CursorShape GetMousePointer(TPoint Point) override;
    void DoMouseLeft(const TiPlotMouseData& MouseData) override;
    void DoMouseMove(const TiPlotMouseData& MouseData) override;
    void DoMouseUp(const TiPlotMouseData& MouseData) override;
    void NotificationRemove(QObject* Object) override;
    void NotificationRename(QObject* Object) override;
    void NotificationSetFocus(QObject* Object) override;
    void AddMenuItems(QMenu* PopupMenu) override;

private:
    // Pixels of the limit's axes, as along the position axis and across it.
    struct TiLimitPixels {
        TiPlotAxis* Along;
        TiPlotAxis* Across;
        int AcrossMin;
        int AcrossMax;
    };

    void SetLinePosition(double Value, double& Field, bool Line1);
    // A screen point or rectangle from pixels along and across the position axis.
    bool Exchanged() const;
    TPoint Screen(int Along, int Across) const;
    TRect ScreenRect(int Along1, int Across1, int Along2, int Across2) const;
    void DrawEdge(TCanvas& Canvas, int Along, const TiLimitPixels& Pixels);
    void DrawLine(TCanvas& Canvas, const TiLimitPixels& Pixels);
    void DrawBand(TCanvas& Canvas, const TiLimitPixels& Pixels);
    void DrawPolyBand(TCanvas& Canvas, const TiLimitPixels& Pixels);
    bool CanDrag() const;
    TiPlotAxis* PositionAxis();

    TiPlotLimitStyle style_ = iplsLineY;
    TColor color_ = clRed;
    int lineWidth_ = 0;
    TPenStyle lineStyle_ = psSolid;
    TBrushStyle fillStyle_ = bsSolid;
    TiPlotNameReference xAxis_;
    TiPlotNameReference yAxis_;
    double line1Position_ = 50;
    double line2Position_ = 50;
    bool userCanMove_ = false;
    TiLimitDataList elements_;

    TRect grab1_;
    TRect grab2_;
    bool grab1Valid_ = false;
    bool grab2Valid_ = false;
    bool dragging1_ = false;
    bool dragging2_ = false;
    int pressXAxisPixels_ = 0;
    int pressYAxisPixels_ = 0;
    double pressPosition_ = 0;
};

using TiPlotLimitStyle = TiPlotLimit::TiPlotLimitStyle;
