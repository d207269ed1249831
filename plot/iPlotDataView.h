// The plotting area of a plot: its background, the grid at the ticks of its axes and the grid
// border, and the zoom box, scrolling and zooming that drags and the wheel make over it.
#pragma once

#include "plot/iPlotAxisDrawing.h"
#include "plot/iPlotLayoutObject.h"
#include "plot/iPlotNameReference.h"

#include <functional>

class TiPlotAxis;

class TiPlotDataView : public TiPlotLayoutObject {
    Q_OBJECT
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    Q_PROPERTY(bool BackgroundTransparent READ BackgroundTransparent WRITE SetBackgroundTransparent)
    Q_PROPERTY(TColor BackgroundColor READ BackgroundColor WRITE SetBackgroundColor)
    Q_PROPERTY(bool GridShow READ GridShow WRITE SetGridShow)
    Q_PROPERTY(QString GridXAxisName READ GridXAxisName WRITE SetGridXAxisName)
    Q_PROPERTY(QString GridYAxisName READ GridYAxisName WRITE SetGridYAxisName)
    Q_PROPERTY(TColor GridLineColor READ GridLineColor WRITE SetGridLineColor)
    Q_PROPERTY(bool GridLineShowLeft READ GridLineShowLeft WRITE SetGridLineShowLeft)
    Q_PROPERTY(bool GridLineShowTop READ GridLineShowTop WRITE SetGridLineShowTop)
    Q_PROPERTY(bool GridLineShowRight READ GridLineShowRight WRITE SetGridLineShowRight)
    Q_PROPERTY(bool GridLineShowBottom READ GridLineShowBottom WRITE SetGridLineShowBottom)
    Q_PROPERTY(bool GridLineShowXMajors READ GridLineShowXMajors WRITE SetGridLineShowXMajors)
    Q_PROPERTY(bool GridLineShowYMajors READ GridLineShowYMajors WRITE SetGridLineShowYMajors)
    Q_PROPERTY(bool GridLineShowXMinors READ GridLineShowXMinors WRITE SetGridLineShowXMinors)
    Q_PROPERTY(bool GridLineShowYMinors READ GridLineShowYMinors WRITE SetGridLineShowYMinors)
    Q_PROPERTY(iPlotTypes::TiPlotGridLineStyle GridLineMajorStyle READ GridLineMajorStyle WRITE
                   SetGridLineMajorStyle)
    Q_PROPERTY(iPlotTypes::TiPlotGridLineStyle GridLineMinorStyle READ GridLineMinorStyle WRITE
                   SetGridLineMinorStyle)
    Q_PROPERTY(bool GridLineXMajorCustom READ GridLineXMajorCustom WRITE SetGridLineXMajorCustom)
    Q_PROPERTY(bool GridLineXMinorCustom READ GridLineXMinorCustom WRITE SetGridLineXMinorCustom)
    Q_PROPERTY(bool GridLineYMajorCustom READ GridLineYMajorCustom WRITE SetGridLineYMajorCustom)
    Q_PROPERTY(bool GridLineYMinorCustom READ GridLineYMinorCustom WRITE SetGridLineYMinorCustom)
    Q_PROPERTY(TColor GridLineXMajorColor READ GridLineXMajorColor WRITE SetGridLineXMajorColor)
    Q_PROPERTY(TColor GridLineXMinorColor READ GridLineXMinorColor WRITE SetGridLineXMinorColor)
    Q_PROPERTY(TColor GridLineYMajorColor READ GridLineYMajorColor WRITE SetGridLineYMajorColor)
    Q_PROPERTY(TColor GridLineYMinorColor READ GridLineYMinorColor WRITE SetGridLineYMinorColor)
    Q_PROPERTY(int GridLineXMajorWidth READ GridLineXMajorWidth WRITE SetGridLineXMajorWidth)
    Q_PROPERTY(int GridLineXMinorWidth READ GridLineXMinorWidth WRITE SetGridLineXMinorWidth)
    Q_PROPERTY(int GridLineYMajorWidth READ GridLineYMajorWidth WRITE SetGridLineYMajorWidth)
    Q_PROPERTY(int GridLineYMinorWidth READ GridLineYMinorWidth WRITE SetGridLineYMinorWidth)
    Q_PROPERTY(iPlotTypes::TiPlotGridLineStyle GridLineXMajorStyle READ GridLineXMajorStyle WRITE
                   SetGridLineXMajorStyle)
    Q_PROPERTY(iPlotTypes::TiPlotGridLineStyle GridLineXMinorStyle READ GridLineXMinorStyle WRITE
                   SetGridLineXMinorStyle)
    Q_PROPERTY(iPlotTypes::TiPlotGridLineStyle GridLineYMajorStyle READ GridLineYMajorStyle WRITE
                   SetGridLineYMajorStyle)
    Q_PROPERTY(iPlotTypes::TiPlotGridLineStyle GridLineYMinorStyle READ GridLineYMinorStyle WRITE
                   SetGridLineYMinorStyle)
    Q_PROPERTY(bool AxesControlEnabled READ AxesControlEnabled WRITE SetAxesControlEnabled)
    Q_PROPERTY(TiPlotAxesControlStyle AxesControlMouseStyle READ AxesControlMouseStyle WRITE
                   SetAxesControlMouseStyle)
    Q_PROPERTY(TiPlotAxesControlStyle AxesControlWheelStyle READ AxesControlWheelStyle WRITE
                   SetAxesControlWheelStyle)

public:
    // Which axes a drag or a wheel turn over the data view scrolls and zooms.
    enum TiPlotAxesControlStyle : uint8_t { ipacsXAxis, ipacsYAxis, ipacsBoth };
    Q_ENUM(TiPlotAxesControlStyle)
    // What a drag over the data view does, from the first toolbar's buttons.
    enum TiPlotDataViewMode : uint8_t { ipdvmNone, ipdvmZoomBox, ipdvmSelect, ipdvmScrollZoom };
    Q_ENUM(TiPlotDataViewMode)

    // Pen widths beyond this only slow the drawing down.
    static constexpr int MaxGridLineWidth = 100;

    TiPlotDataView(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);

    QString Title() const { return title_; }
    void SetTitle(const QString& Value);
    bool BackgroundTransparent() const { return backgroundTransparent_; }
    void SetBackgroundTransparent(bool Value);
    TColor BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(TColor Value);
    bool GridShow() const { return gridShow_; }
    void SetGridShow(bool Value);
    // "<ALL>" in any letter case: every axis of the kind.
    QString GridXAxisName() const { return gridXAxis_.Name(); }
    void SetGridXAxisName(const QString& Value) { gridXAxis_.SetName(Value); }
    QString GridYAxisName() const { return gridYAxis_.Name(); }
    void SetGridYAxisName(const QString& Value) { gridYAxis_.SetName(Value); }
    TColor GridLineColor() const { return gridLineColor_; }
    void SetGridLineColor(TColor Value);
    bool GridLineShowLeft() const { return gridLineShowLeft_; }
    void SetGridLineShowLeft(bool Value);
    bool GridLineShowTop() const { return gridLineShowTop_; }
    void SetGridLineShowTop(bool Value);
    bool GridLineShowRight() const { return gridLineShowRight_; }
    void SetGridLineShowRight(bool Value);
    bool GridLineShowBottom() const { return gridLineShowBottom_; }
    void SetGridLineShowBottom(bool Value);
    bool GridLineShowXMajors() const { return gridLineShowXMajors_; }
    void SetGridLineShowXMajors(bool Value);
    bool GridLineShowYMajors() const { return gridLineShowYMajors_; }
    void SetGridLineShowYMajors(bool Value);
    bool GridLineShowXMinors() const { return gridLineShowXMinors_; }
    void SetGridLineShowXMinors(bool Value);
    bool GridLineShowYMinors() const { return gridLineShowYMinors_; }
    void SetGridLineShowYMinors(bool Value);
    // Unknown ordinals are refused by every style setter.
    TiPlotGridLineStyle GridLineMajorStyle() const { return gridLineMajorStyle_; }
    void SetGridLineMajorStyle(TiPlotGridLineStyle Value);
    TiPlotGridLineStyle GridLineMinorStyle() const { return gridLineMinorStyle_; }
    void SetGridLineMinorStyle(TiPlotGridLineStyle Value);
    bool GridLineXMajorCustom() const { return xMajor_.Custom; }
    void SetGridLineXMajorCustom(bool Value);
    bool GridLineXMinorCustom() const { return xMinor_.Custom; }
    void SetGridLineXMinorCustom(bool Value);
    bool GridLineYMajorCustom() const { return yMajor_.Custom; }
    void SetGridLineYMajorCustom(bool Value);
    bool GridLineYMinorCustom() const { return yMinor_.Custom; }
    void SetGridLineYMinorCustom(bool Value);
    TColor GridLineXMajorColor() const { return xMajor_.Color; }
    void SetGridLineXMajorColor(TColor Value);
    TColor GridLineXMinorColor() const { return xMinor_.Color; }
    void SetGridLineXMinorColor(TColor Value);
    TColor GridLineYMajorColor() const { return yMajor_.Color; }
    void SetGridLineYMajorColor(TColor Value);
    TColor GridLineYMinorColor() const { return yMinor_.Color; }
    void SetGridLineYMinorColor(TColor Value);
    // Within 0..MaxGridLineWidth; 0 is the thinnest pen.
    int GridLineXMajorWidth() const { return xMajor_.Width; }
    void SetGridLineXMajorWidth(int Value);
    int GridLineXMinorWidth() const { return xMinor_.Width; }
    void SetGridLineXMinorWidth(int Value);
    int GridLineYMajorWidth() const { return yMajor_.Width; }
    void SetGridLineYMajorWidth(int Value);
    int GridLineYMinorWidth() const { return yMinor_.Width; }
    void SetGridLineYMinorWidth(int Value);
    TiPlotGridLineStyle GridLineXMajorStyle() const { return xMajor_.Style; }
    void SetGridLineXMajorStyle(TiPlotGridLineStyle Value);
    TiPlotGridLineStyle GridLineXMinorStyle() const { return xMinor_.Style; }
    void SetGridLineXMinorStyle(TiPlotGridLineStyle Value);
    TiPlotGridLineStyle GridLineYMajorStyle() const { return yMajor_.Style; }
    void SetGridLineYMajorStyle(TiPlotGridLineStyle Value);
    TiPlotGridLineStyle GridLineYMinorStyle() const { return yMinor_.Style; }
    void SetGridLineYMinorStyle(TiPlotGridLineStyle Value);
    // The three axes-control settings are stored without notifying anybody.
    bool AxesControlEnabled() const { return axesControlEnabled_; }
    void SetAxesControlEnabled(bool Value) { axesControlEnabled_ = Value; }
    TiPlotAxesControlStyle AxesControlMouseStyle() const { return axesControlMouseStyle_; }
    void SetAxesControlMouseStyle(TiPlotAxesControlStyle Value);
    TiPlotAxesControlStyle AxesControlWheelStyle() const { return axesControlWheelStyle_; }
    void SetAxesControlWheelStyle(TiPlotAxesControlStyle Value);

    TiPlotDataViewMode GetMode() const;

    // Percent of the draw rectangle, 0 at the left and at the bottom edge. A view of no width
    // or height answers 0 percent instead of dividing by zero.
    double PixelsXToPositionPercent(int X) const;
    double PixelsYToPositionPercent(int Y) const;
    int PositionPercentToPixelsX(double Percent) const;
    int PositionPercentToPixelsY(double Percent) const;

    // The grid axes, resolved by name; null for "<ALL>" or a name no axis has.
    TiPlotAxis* XAxisNeeded();
    TiPlotAxis* YAxisNeeded();

    // Asks the plot about the box first, then zooms every X axis and every Y axis to it. The
    // box may come back inverted (it is put right) or empty (nothing zooms).
    void DoZoom(const TRect& Rect);

    // The fill under everything the plot draws in the data view.
    void DrawBackground(TCanvas& Canvas);
    // Grid, selection frame and zoom box.
    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;

    void NotificationRemove(QObject* Object) override;
    void NotificationRename(QObject* Object) override;
    void NotificationSetFocus(QObject* Object) override;
    void AddMenuItems(QMenu* PopupMenu) override;
    Qt::CursorShape GetMousePointer(TPoint Point) override;
    void DoMouseLeft(const TiPlotMouseData& MouseData) override;
    void DoMouseMove(const TiPlotMouseData& MouseData) override;
    void DoMouseUp(const TiPlotMouseData& MouseData) override;
    bool iMouseWheel(int WheelDelta, TShiftState Shift, TPoint MousePos) override;

private:
    // The buttons of the plot's first toolbar that set the mode.
    struct TiToolBarModes {
        bool SelectActive = false;
        bool ZoomBoxActive = false;
    };

    // One class of grid lines: its own settings, used instead of the shared ones when Custom.
    struct TiGridLineSettings {
        bool Custom = false;
        TColor Color = 0x008000;
        int Width = 0;
        TiPlotGridLineStyle Style = ipglsSolid;
    };

    // Toolbar 0's select and zoom-box buttons; without a toolbar no button is down.
    TiToolBarModes ReadToolBarModes() const;

    TiPlotGridLinePen GridLinePen(const TiGridLineSettings& Settings, bool Show,
                                  TiPlotGridLineStyle SharedStyle) const;
    void DrawGrid(TCanvas& Canvas);
    void DrawGridAxes(TCanvas& Canvas, TiPlotObjectKind Kind, TiPlotNameReference& Reference,
                      const TiPlotGridLinePen& Major, const TiPlotGridLinePen& Minor);
    void DrawBorder(TCanvas& Canvas, bool Left, bool Top, bool Right, bool Bottom);
    void DrawSelectionFrame(TCanvas& Canvas, TColor BackGroundColor);
    // Calls Action on every axis of Kind in manager order, while this view lives.
    void ForEachAxis(TiPlotObjectKind Kind, const std::function<void(TiPlotAxis&)>& Action);
    // Which axes a drag moves, decided by the style and Shift.
    void DecideDragAxes(const TiPlotMouseData& MouseData);
    void InvalidateNow() { Notify(OnInvalidateNow); }
    void SetStyle(TiPlotGridLineStyle Value, TiPlotGridLineStyle& Field);
    void SetWidth(int Value, int& Field);

    QString title_;
    bool backgroundTransparent_ = true;
    TColor backgroundColor_ = 0x808000;
    bool gridShow_ = true;
    TiPlotNameReference gridXAxis_;
    TiPlotNameReference gridYAxis_;
    TColor gridLineColor_ = 0x008000;
    bool gridLineShowLeft_ = true;
    bool gridLineShowTop_ = true;
    bool gridLineShowRight_ = true;
    bool gridLineShowBottom_ = true;
    bool gridLineShowXMajors_ = true;
    bool gridLineShowYMajors_ = true;
    bool gridLineShowXMinors_ = false;
    bool gridLineShowYMinors_ = false;
    TiPlotGridLineStyle gridLineMajorStyle_ = ipglsSolid;
    TiPlotGridLineStyle gridLineMinorStyle_ = ipglsSolid;
    TiGridLineSettings xMajor_;
    TiGridLineSettings xMinor_;
    TiGridLineSettings yMajor_;
    TiGridLineSettings yMinor_;
    bool axesControlEnabled_ = false;
    TiPlotAxesControlStyle axesControlMouseStyle_ = ipacsBoth;
    TiPlotAxesControlStyle axesControlWheelStyle_ = ipacsXAxis;

    bool mouseDown_ = false;
    TPoint pressPoint_;
    TPoint currentPoint_;
    // Per drag: whether the axes that follow it are decided, and if so whether only X axes.
    bool axesDecided_ = false;
    bool xAxesOnly_ = false;
};

using TiPlotAxesControlStyle = TiPlotDataView::TiPlotAxesControlStyle;
using TiPlotDataViewMode = TiPlotDataView::TiPlotDataViewMode;
