// A read-out over the data view: one or two pointer lines the user drags, and a hint box with
// the bound channel's value under the pointer or the period, peak-to-peak or frequency between.
#pragma once

#include "instruments/framework/iTypes.h"
#include "platform/Font.h"
#include "plot/iPlotManagers.h"
#include "plot/iPlotNameReference.h"
#include "plot/iPlotTypes.h"

#include <QPointer>
#include <array>
#include <memory>

class TiPlotChannelCustom;
class TiPlotDataView;

class TiPlotDataCursor : public TiPlotManagerObject {
    Q_OBJECT
    Q_PROPERTY(QString ChannelName READ ChannelName WRITE SetChannelName)
    Q_PROPERTY(bool ChannelAllowAll READ ChannelAllowAll WRITE SetChannelAllowAll)
    Q_PROPERTY(
        bool ChannelShowAllInLegend READ ChannelShowAllInLegend WRITE SetChannelShowAllInLegend)
    Q_PROPERTY(iPlotTypes::TiPlotDataCursorStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool UseChannelColor READ UseChannelColor WRITE SetUseChannelColor)
    Q_PROPERTY(bool HintShow READ HintShow WRITE SetHintShow)
    Q_PROPERTY(bool HintHideOnRelease READ HintHideOnRelease WRITE SetHintHideOnRelease)
    Q_PROPERTY(iTypes::TiOrientationSide HintOrientationSide READ HintOrientationSide WRITE
                   SetHintOrientationSide)
    Q_PROPERTY(double HintPosition READ HintPosition WRITE SetHintPosition)
    Q_PROPERTY(double Pointer1Position READ Pointer1Position WRITE SetPointer1Position)
    Q_PROPERTY(double Pointer2Position READ Pointer2Position WRITE SetPointer2Position)
    Q_PROPERTY(int PointerPenWidth READ PointerPenWidth WRITE SetPointerPenWidth)
    Q_PROPERTY(bool MenuUserCanChangeOptions READ MenuUserCanChangeOptions WRITE
                   SetMenuUserCanChangeOptions)
    Q_PROPERTY(
        bool MenuItemVisibleValueXY READ MenuItemVisibleValueXY WRITE SetMenuItemVisibleValueXY)
    Q_PROPERTY(bool MenuItemVisibleValueX READ MenuItemVisibleValueX WRITE SetMenuItemVisibleValueX)
    Q_PROPERTY(bool MenuItemVisibleValueY READ MenuItemVisibleValueY WRITE SetMenuItemVisibleValueY)
    Q_PROPERTY(bool MenuItemVisibleDeltaX READ MenuItemVisibleDeltaX WRITE SetMenuItemVisibleDeltaX)
    Q_PROPERTY(bool MenuItemVisibleDeltaY READ MenuItemVisibleDeltaY WRITE SetMenuItemVisibleDeltaY)
    Q_PROPERTY(bool MenuItemVisibleInverseDeltaX READ MenuItemVisibleInverseDeltaX WRITE
                   SetMenuItemVisibleInverseDeltaX)
    Q_PROPERTY(
        QString MenuItemCaptionValueXY READ MenuItemCaptionValueXY WRITE SetMenuItemCaptionValueXY)
    Q_PROPERTY(
        QString MenuItemCaptionValueX READ MenuItemCaptionValueX WRITE SetMenuItemCaptionValueX)
    Q_PROPERTY(
        QString MenuItemCaptionValueY READ MenuItemCaptionValueY WRITE SetMenuItemCaptionValueY)
    Q_PROPERTY(
        QString MenuItemCaptionDeltaX READ MenuItemCaptionDeltaX WRITE SetMenuItemCaptionDeltaX)
    Q_PROPERTY(
        QString MenuItemCaptionDeltaY READ MenuItemCaptionDeltaY WRITE SetMenuItemCaptionDeltaY)
    Q_PROPERTY(QString MenuItemCaptionInverseDeltaX READ MenuItemCaptionInverseDeltaX WRITE
                   SetMenuItemCaptionInverseDeltaX)

public:
    static constexpr int StyleCount = 6;
    // Pen widths beyond this only slow the drawing down.
    static constexpr int MaxPointerPenWidth = 100;

    TiPlotDataCursor(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);
    ~TiPlotDataCursor() override;

    // The class the master registers: a new cursor draws over the plot's first data view.
    static TiPlotObjectClass ObjectClass();

    // The name that binds a cursor to every channel, in any letter case. Every comparison
    // goes through here, the plot's legend test included.
    static bool IsAllChannelsName(const QString& Name);
    bool BoundToAllChannels() const { return IsAllChannelsName(ChannelName()); }

    QString ChannelName() const { return channel_.Name(); }
    void SetChannelName(const QString& Value) { channel_.SetName(Value); }
    bool ChannelAllowAll() const { return channelAllowAll_; }
    void SetChannelAllowAll(bool Value);
    bool ChannelShowAllInLegend() const { return channelShowAllInLegend_; }
    void SetChannelShowAllInLegend(bool Value);
    TiPlotDataCursorStyle Style() const { return style_; }
    // An unknown ordinal is refused.
    void SetStyle(TiPlotDataCursorStyle Value);
    TFont* Font() const { return font_.get(); }
    // Copies the font.
    void SetFont(const TFont* Value);
    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    bool UseChannelColor() const { return useChannelColor_; }
    void SetUseChannelColor(bool Value);
    bool HintShow() const { return hintShow_; }
    void SetHintShow(bool Value);
    bool HintHideOnRelease() const { return hintHideOnRelease_; }
    void SetHintHideOnRelease(bool Value);
    TiOrientationSide HintOrientationSide() const { return hintOrientationSide_; }
    void SetHintOrientationSide(TiOrientationSide Value);
    // Positions in percent of the data view. NaN is refused; the pointers stay in 0..100.
    double HintPosition() const { return hintPosition_; }
    void SetHintPosition(double Value);
    double Pointer1Position() const { return pointer1Position_; }
    void SetPointer1Position(double Value);
    double Pointer2Position() const { return pointer2Position_; }
    void SetPointer2Position(double Value);
    // Within 0..MaxPointerPenWidth.
    int PointerPenWidth() const { return pointerPenWidth_; }
    void SetPointerPenWidth(int Value);
    // The menu settings are stored without a change report.
    bool MenuUserCanChangeOptions() const { return menuUserCanChangeOptions_; }
    void SetMenuUserCanChangeOptions(bool Value) { menuUserCanChangeOptions_ = Value; }
    bool MenuItemVisibleValueXY() const { return menuItemVisible_[ipcsValueXY]; }
    void SetMenuItemVisibleValueXY(bool Value) { menuItemVisible_[ipcsValueXY] = Value; }
    bool MenuItemVisibleValueX() const { return menuItemVisible_[ipcsValueX]; }
    void SetMenuItemVisibleValueX(bool Value) { menuItemVisible_[ipcsValueX] = Value; }
    bool MenuItemVisibleValueY() const { return menuItemVisible_[ipcsValueY]; }
    void SetMenuItemVisibleValueY(bool Value) { menuItemVisible_[ipcsValueY] = Value; }
    bool MenuItemVisibleDeltaX() const { return menuItemVisible_[ipcsDeltaX]; }
    void SetMenuItemVisibleDeltaX(bool Value) { menuItemVisible_[ipcsDeltaX] = Value; }
    bool MenuItemVisibleDeltaY() const { return menuItemVisible_[ipcsDeltaY]; }
    void SetMenuItemVisibleDeltaY(bool Value) { menuItemVisible_[ipcsDeltaY] = Value; }
    bool MenuItemVisibleInverseDeltaX() const { return menuItemVisible_[ipcsInverseDeltaX]; }
    void SetMenuItemVisibleInverseDeltaX(bool Value) {
        menuItemVisible_[ipcsInverseDeltaX] = Value;
    }
    QString MenuItemCaptionValueXY() const { return menuItemCaption_[ipcsValueXY]; }
    void SetMenuItemCaptionValueXY(const QString& Value) { menuItemCaption_[ipcsValueXY] = Value; }
    QString MenuItemCaptionValueX() const { return menuItemCaption_[ipcsValueX]; }
    void SetMenuItemCaptionValueX(const QString& Value) { menuItemCaption_[ipcsValueX] = Value; }
    QString MenuItemCaptionValueY() const { return menuItemCaption_[ipcsValueY]; }
    void SetMenuItemCaptionValueY(const QString& Value) { menuItemCaption_[ipcsValueY] = Value; }
    QString MenuItemCaptionDeltaX() const { return menuItemCaption_[ipcsDeltaX]; }
    void SetMenuItemCaptionDeltaX(const QString& Value) { menuItemCaption_[ipcsDeltaX] = Value; }
    QString MenuItemCaptionDeltaY() const { return menuItemCaption_[ipcsDeltaY]; }
    void SetMenuItemCaptionDeltaY(const QString& Value) { menuItemCaption_[ipcsDeltaY] = Value; }
    QString MenuItemCaptionInverseDeltaX() const { return menuItemCaption_[ipcsInverseDeltaX]; }
    void SetMenuItemCaptionInverseDeltaX(const QString& Value) {
        menuItemCaption_[ipcsInverseDeltaX] = Value;
    }

    // Run time only: on a strip chart, ipcsValueY reads the Y under a horizontal pointer.
    bool ScopeStyle() const { return scopeStyle_; }
    void SetScopeStyle(bool Value);

    // The data view drawn over; the plot assigns its first one before each paint.
    TiPlotDataView* DataView() const;
    void SetDataView(TiPlotDataView* Value);
    // The bound channel; null for "<All>" or a name no channel has.
    TiPlotChannelCustom* GetChannel();

    // Which pointers show and how the pointers and the hint lie, by style and plot kind.
    void DoSetup();
    bool Pointer1Shown() const { return setup_.Pointer1Shown; }
    bool Pointer2Shown() const { return setup_.Pointer2Shown; }
    bool Pointer1Vertical() const { return setup_.Pointer1Vertical; }
    bool Pointer2Vertical() const { return setup_.Pointer2Vertical; }
    // The hint sits beside vertical pointers and moves up and down.
    bool HintVertical() const { return setup_.HintVertical; }
    // The pointer's position as a pixel across it; 0 without data view.
    int GetPointer1Pixels() const;
    int GetPointer2Pixels() const;
    // Grab rectangles and the hint box as last drawn, in control pixels.
    TRect Pointer1Rect() const { return pointer1Rect_; }
    TRect Pointer2Rect() const { return pointer2Rect_; }
    TRect HintRect() const { return hintRect_; }

    // The channel's values for the cursor: a change of any reports to the plot.
    void SetData(double X, double Y, TiPlotDataPointStatus Status);
    double DataX() const { return dataX_; }
    double DataY() const { return dataY_; }
    TiPlotDataPointStatus DataStatus() const { return dataStatus_; }
    void SetHintText(const QString& Value) { hintText_ = Value; }
    QString HintText() const { return hintText_; }
    // Asks the bound channel, or with "<All>" every channel, for new values.
    void DoUpdate();

    void SetVisible(bool Value) override;
    void SetXYAxesReversed(bool Value) override;
    void NotificationRemove(QObject* Object) override;
    void NotificationRename(QObject* Object) override;
    void NotificationSetFocus(QObject* Object) override;
    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;
    bool iMouseHitTest(const TiPlotMouseData& MouseData) override;
    void DoMouseLeft(const TiPlotMouseData& MouseData) override;
    void DoMouseMove(const TiPlotMouseData& MouseData) override;
    void DoMouseUp(const TiPlotMouseData& MouseData) override;
    void DoSetFocus() override;
    Qt::CursorShape GetMousePointer(TPoint Point) override;
    void iKeyDown(uint16_t& Key, TShiftState Shift) override;
    void Loaded() override;
    void AddMenuItems(QMenu* PopupMenu) override;

private:
    struct TiSetup {
        bool Pointer1Shown = true;
        bool Pointer2Shown = false;
        bool Pointer1Vertical = true;
        bool Pointer2Vertical = false;
        bool HintVertical = true;
    };
    enum class TiDrag { None, Hint, Pointer1, Pointer2 };

    bool IsDeltaStyle() const;
    // A strip chart's channels are of the strip-chart channel class.
    bool IsStripChart() const;
    int PointerPixels(double Position, bool Vertical) const;
    TColor PointerColor();
    void DrawPointer(TCanvas& Canvas, double Position, bool Vertical, bool Dragged, TRect& Grab);
    void DrawHint(TCanvas& Canvas);
    // Writes HintOrientationSide when a box of text Extent across the pointer at R, with A
    // the width of "A", would cross the view's edge.
    void SwitchHintSide(int R, int A, int Extent);
    TRect PlaceHint(int R, int TextWidth, int A, int BoxWidth, int BoxHeight) const;
    TRect KeepInsideView(TRect Box) const;
    void DrawDeltaConnector(TCanvas& Canvas, const TRect& Box);
    // The percent of a pixel across the dragged item.
    double DragPercent(int Pixel, bool AcrossX) const;
    void StepByKey(uint16_t Key, bool Ctrl);
    void SetPositionDirect(double Value, double& Field);
    void InvalidateNow() { Notify(OnInvalidateNow); }
    void AddChannelMenu(QMenu* PopupMenu);
    void AddStyleMenu(QMenu* PopupMenu);
    void AddOptionsMenu(QMenu* PopupMenu);
    void DeselectChannels();

    TiPlotNameReference channel_;
    bool channelAllowAll_ = true;
    bool channelShowAllInLegend_ = true;
    TiPlotDataCursorStyle style_ = ipcsValueXY;
    std::unique_ptr<TFont> font_;
    TColor color_ = 0x00FFFF;
    bool useChannelColor_ = true;
    bool hintShow_ = true;
    bool hintHideOnRelease_ = false;
    TiOrientationSide hintOrientationSide_ = iosBottomRight;
    double hintPosition_ = 50;
    double pointer1Position_ = 50;
    double pointer2Position_ = 60;
    int pointerPenWidth_ = 1;
    bool menuUserCanChangeOptions_ = true;
    std::array<bool, StyleCount> menuItemVisible_{true, true, true, true, true, true};
    std::array<QString, StyleCount> menuItemCaption_;

    bool scopeStyle_ = false;
    QPointer<TiPlotDataView> dataView_;
    TiSetup setup_;
    TRect pointer1Rect_;
    TRect pointer2Rect_;
    TRect hintRect_;
    TiDrag drag_ = TiDrag::None;
    TPoint pressPoint_;
    int anchorPixel_ = 0;
    QString hintText_;
    double dataX_ = 0;
    double dataY_ = 0;
    TiPlotDataPointStatus dataStatus_ = ipdpsValid;
};
