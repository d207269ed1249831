// The plot's key: one row per channel shown in the legend, with line and marker samples, the
// title and optional axis, value and statistics columns, wrapped into columns and rows and
// paged with two small scroll buttons when not all rows fit.
#pragma once

#include "platform/Font.h"
#include "plot/iPlotButton.h"
#include "plot/iPlotLayoutObject.h"

#include <QPointer>
#include <array>
#include <memory>
#include <vector>

class TiPlotAxis;
class TiPlotChannelAxis;
class TiPlotChannelCustom;

// A scroll button of the legend.
class TiPlotLegendButton : public TiPlotScrollButton {
    Q_OBJECT

public:
    TiPlotLegendButton(TiPlotHost* Owner, bool PointsUp);
};

// One listed channel and where its row went in the last layout.
class TiPlotLegendItem {
public:
    // Null once the channel is gone.
    TiPlotChannelCustom* Channel = nullptr;
    int Height = 0;
    int Left = 0;
    int Top = 0;
    // Counted from 1; 0 while the row is scrolled out of view.
    int WrapColumn = 0;
    int WrapRow = 0;

    bool Placed() const { return WrapColumn > 0; }
};

// The columns of a row, left to right.
enum class TiPlotLegendColumn {
    Line,
    Marker,
    Title,
    XAxisTitle,
    YAxisTitle,
    XValue,
    YValue,
    YMax,
    YMin,
    YMean
};
inline constexpr int PlotLegendColumnCount = 10;

// The pixel sizes of the last layout, which drawing and hit-testing read.
struct TiPlotLegendMetrics {
    // The width and height of "0" in the row font.
    int CharWidth = 0;
    int CharHeight = 0;
    int MarginLeft = 0;
    int MarginTop = 0;
    int MarginRight = 0;
    int MarginBottom = 0;
    TRect InnerRect;
    int ColumnSpacing = 0;
    // As drawn: the automatic spacings replace the minima.
    int RowSpacing = 0;
    int WrapSpacing = 0;
    int ItemHeight = 0;
    int TitleHeight = 0;
    int TitleGap = 0;
    std::array<bool, PlotLegendColumnCount> ColumnShown{};
    std::array<int, PlotLegendColumnCount> ColumnWidth{};
    std::array<int, PlotLegendColumnCount> ColumnOffset{};
    int ItemWidth = 0;
    // Rows and wrap columns that fit the item area, and those laid out.
    int RowsFit = 1;
    int ColumnsFit = 1;
    int Rows = 0;
    int WrapColumns = 1;
    int RequiredWidth = 0;
    int RequiredHeight = 0;
    bool ButtonsShown = false;
};

class TiPlotLegend : public TiPlotLayoutObject {
    Q_OBJECT
    Q_PROPERTY(double MarginLeft READ MarginLeft WRITE SetMarginLeft)
    Q_PROPERTY(double MarginRight READ MarginRight WRITE SetMarginRight)
    Q_PROPERTY(double MarginTop READ MarginTop WRITE SetMarginTop)
    Q_PROPERTY(double MarginBottom READ MarginBottom WRITE SetMarginBottom)
    Q_PROPERTY(TColor BackGroundColor READ BackGroundColor WRITE SetBackGroundColor)
    Q_PROPERTY(bool BackGroundTransparent READ BackGroundTransparent WRITE SetBackGroundTransparent)
    Q_PROPERTY(TColor SelectedItemBackGroundColor READ SelectedItemBackGroundColor WRITE
                   SetSelectedItemBackGroundColor)
    Q_PROPERTY(TFont* SelectedItemFont READ SelectedItemFont WRITE SetSelectedItemFont)
    Q_PROPERTY(bool ShowColumnLine READ ShowColumnLine WRITE SetShowColumnLine)
    Q_PROPERTY(bool ShowColumnMarker READ ShowColumnMarker WRITE SetShowColumnMarker)
    Q_PROPERTY(bool ShowColumnXAxisTitle READ ShowColumnXAxisTitle WRITE SetShowColumnXAxisTitle)
    Q_PROPERTY(bool ShowColumnYAxisTitle READ ShowColumnYAxisTitle WRITE SetShowColumnYAxisTitle)
    Q_PROPERTY(bool ShowColumnXValue READ ShowColumnXValue WRITE SetShowColumnXValue)
    Q_PROPERTY(bool ShowColumnYValue READ ShowColumnYValue WRITE SetShowColumnYValue)
    Q_PROPERTY(bool ShowColumnYMax READ ShowColumnYMax WRITE SetShowColumnYMax)
    Q_PROPERTY(bool ShowColumnYMin READ ShowColumnYMin WRITE SetShowColumnYMin)
    Q_PROPERTY(bool ShowColumnYMean READ ShowColumnYMean WRITE SetShowColumnYMean)
    Q_PROPERTY(QString CaptionColumnTitle READ CaptionColumnTitle WRITE SetCaptionColumnTitle)
    Q_PROPERTY(QString CaptionColumnXAxisTitle READ CaptionColumnXAxisTitle WRITE
                   SetCaptionColumnXAxisTitle)
    Q_PROPERTY(QString CaptionColumnYAxisTitle READ CaptionColumnYAxisTitle WRITE
                   SetCaptionColumnYAxisTitle)
    Q_PROPERTY(QString CaptionColumnXValue READ CaptionColumnXValue WRITE SetCaptionColumnXValue)
    Q_PROPERTY(QString CaptionColumnYValue READ CaptionColumnYValue WRITE SetCaptionColumnYValue)
    Q_PROPERTY(QString CaptionColumnYMax READ CaptionColumnYMax WRITE SetCaptionColumnYMax)
    Q_PROPERTY(QString CaptionColumnYMin READ CaptionColumnYMin WRITE SetCaptionColumnYMin)
    Q_PROPERTY(QString CaptionColumnYMean READ CaptionColumnYMean WRITE SetCaptionColumnYMean)
    Q_PROPERTY(TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(bool ColumnTitlesVisible READ ColumnTitlesVisible WRITE SetColumnTitlesVisible)
    Q_PROPERTY(TFont* ColumnTitlesFont READ ColumnTitlesFont WRITE SetColumnTitlesFont)
    Q_PROPERTY(double ColumnSpacing READ ColumnSpacing WRITE SetColumnSpacing)
    Q_PROPERTY(double RowSpacing READ RowSpacing WRITE SetRowSpacing)
    Q_PROPERTY(double ChannelNameMaxWidth READ ChannelNameMaxWidth WRITE SetChannelNameMaxWidth)
    Q_PROPERTY(int WrapColDesiredCount READ WrapColDesiredCount WRITE SetWrapColDesiredCount)
    Q_PROPERTY(
        bool WrapColAutoCountEnabled READ WrapColAutoCountEnabled WRITE SetWrapColAutoCountEnabled)
    Q_PROPERTY(int WrapColAutoCountMax READ WrapColAutoCountMax WRITE SetWrapColAutoCountMax)
    Q_PROPERTY(double WrapColSpacingMin READ WrapColSpacingMin WRITE SetWrapColSpacingMin)
    Q_PROPERTY(bool WrapColSpacingAuto READ WrapColSpacingAuto WRITE SetWrapColSpacingAuto)
    Q_PROPERTY(int WrapRowDesiredCount READ WrapRowDesiredCount WRITE SetWrapRowDesiredCount)
    Q_PROPERTY(
        bool WrapRowAutoCountEnabled READ WrapRowAutoCountEnabled WRITE SetWrapRowAutoCountEnabled)
    Q_PROPERTY(int WrapRowAutoCountMax READ WrapRowAutoCountMax WRITE SetWrapRowAutoCountMax)
    Q_PROPERTY(double WrapRowSpacingMin READ WrapRowSpacingMin WRITE SetWrapRowSpacingMin)
    Q_PROPERTY(bool WrapRowSpacingAuto READ WrapRowSpacingAuto WRITE SetWrapRowSpacingAuto)

public:
    // Bound of the settings counted in character sizes.
    static constexpr double MaxCharacterFactor = 1000;
    static constexpr int ButtonSize = 17;
    // The room the scroll buttons take beside the rows.
    static constexpr int ButtonRoom = 25;
    static constexpr int SampleWidth = 16;

    TiPlotLegend(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);
    ~TiPlotLegend() override;

    // Margins and spacings within 0..MaxCharacterFactor, NaN refused.
    double MarginLeft() const { return marginLeft_; }
    void SetMarginLeft(double Value);
    double MarginRight() const { return marginRight_; }
    void SetMarginRight(double Value);
    double MarginTop() const { return marginTop_; }
    void SetMarginTop(double Value);
    double MarginBottom() const { return marginBottom_; }
    void SetMarginBottom(double Value);
    TColor BackGroundColor() const { return backGroundColor_; }
    void SetBackGroundColor(TColor Value);
    bool BackGroundTransparent() const { return backGroundTransparent_; }
    void SetBackGroundTransparent(bool Value);
    TColor SelectedItemBackGroundColor() const { return selectedItemBackGroundColor_; }
    void SetSelectedItemBackGroundColor(TColor Value);
    TFont* SelectedItemFont() const { return selectedItemFont_.get(); }
    // The font setters copy the font.
    void SetSelectedItemFont(const TFont* Value);
    bool ShowColumnLine() const { return ShowColumn(TiPlotLegendColumn::Line); }
    void SetShowColumnLine(bool Value);
    bool ShowColumnMarker() const { return ShowColumn(TiPlotLegendColumn::Marker); }
    void SetShowColumnMarker(bool Value);
    bool ShowColumnXAxisTitle() const { return ShowColumn(TiPlotLegendColumn::XAxisTitle); }
    void SetShowColumnXAxisTitle(bool Value);
    bool ShowColumnYAxisTitle() const { return ShowColumn(TiPlotLegendColumn::YAxisTitle); }
    void SetShowColumnYAxisTitle(bool Value);
    bool ShowColumnXValue() const { return ShowColumn(TiPlotLegendColumn::XValue); }
    void SetShowColumnXValue(bool Value);
    bool ShowColumnYValue() const { return ShowColumn(TiPlotLegendColumn::YValue); }
    void SetShowColumnYValue(bool Value);
    bool ShowColumnYMax() const { return ShowColumn(TiPlotLegendColumn::YMax); }
    void SetShowColumnYMax(bool Value);
    bool ShowColumnYMin() const { return ShowColumn(TiPlotLegendColumn::YMin); }
    void SetShowColumnYMin(bool Value);
    bool ShowColumnYMean() const { return ShowColumn(TiPlotLegendColumn::YMean); }
    void SetShowColumnYMean(bool Value);
    QString CaptionColumnTitle() const { return Caption(TiPlotLegendColumn::Title); }
    void SetCaptionColumnTitle(const QString& Value);
    QString CaptionColumnXAxisTitle() const { return Caption(TiPlotLegendColumn::XAxisTitle); }
    void SetCaptionColumnXAxisTitle(const QString& Value);
    QString CaptionColumnYAxisTitle() const { return Caption(TiPlotLegendColumn::YAxisTitle); }
    void SetCaptionColumnYAxisTitle(const QString& Value);
    QString CaptionColumnXValue() const { return Caption(TiPlotLegendColumn::XValue); }
    void SetCaptionColumnXValue(const QString& Value);
    QString CaptionColumnYValue() const { return Caption(TiPlotLegendColumn::YValue); }
    void SetCaptionColumnYValue(const QString& Value);
    QString CaptionColumnYMax() const { return Caption(TiPlotLegendColumn::YMax); }
    void SetCaptionColumnYMax(const QString& Value);
    QString CaptionColumnYMin() const { return Caption(TiPlotLegendColumn::YMin); }
    void SetCaptionColumnYMin(const QString& Value);
    QString CaptionColumnYMean() const { return Caption(TiPlotLegendColumn::YMean); }
    void SetCaptionColumnYMean(const QString& Value);
    TFont* Font() const { return font_.get(); }
    void SetFont(const TFont* Value);
    bool ColumnTitlesVisible() const { return columnTitlesVisible_; }
    void SetColumnTitlesVisible(bool Value);
    TFont* ColumnTitlesFont() const { return columnTitlesFont_.get(); }
    void SetColumnTitlesFont(const TFont* Value);
    double ColumnSpacing() const { return columnSpacing_; }
    void SetColumnSpacing(double Value);
    // One setting under two names.
    double RowSpacing() const { return rowSpacing_; }
    void SetRowSpacing(double Value);
    // 0: as wide as the longest title; within 0..MaxCharacterFactor.
    double ChannelNameMaxWidth() const { return channelNameMaxWidth_; }
    void SetChannelNameMaxWidth(double Value);
    // The four counts are at least 1.
    int WrapColDesiredCount() const { return wrapColDesiredCount_; }
    void SetWrapColDesiredCount(int Value);
    bool WrapColAutoCountEnabled() const { return wrapColAutoCountEnabled_; }
    void SetWrapColAutoCountEnabled(bool Value);
    int WrapColAutoCountMax() const { return wrapColAutoCountMax_; }
    void SetWrapColAutoCountMax(int Value);
    double WrapColSpacingMin() const { return wrapColSpacingMin_; }
    void SetWrapColSpacingMin(double Value);
    bool WrapColSpacingAuto() const { return wrapColSpacingAuto_; }
    void SetWrapColSpacingAuto(bool Value);
    int WrapRowDesiredCount() const { return wrapRowDesiredCount_; }
    void SetWrapRowDesiredCount(int Value);
    bool WrapRowAutoCountEnabled() const { return wrapRowAutoCountEnabled_; }
    void SetWrapRowAutoCountEnabled(bool Value);
    int WrapRowAutoCountMax() const { return wrapRowAutoCountMax_; }
    void SetWrapRowAutoCountMax(int Value);
    double WrapRowSpacingMin() const { return rowSpacing_; }
    void SetWrapRowSpacingMin(double Value) { SetRowSpacing(Value); }
    bool WrapRowSpacingAuto() const { return wrapRowSpacingAuto_; }
    void SetWrapRowSpacingAuto(bool Value);

    // Set by the plot before each layout: a visible data cursor shows every channel here, so
    // the value columns show the channels' data-cursor texts.
    bool CursorValuesMode() const { return cursorValuesMode_; }
    void SetCursorValuesMode(bool Value) { cursorValuesMode_ = Value; }

    // The first listed item shown, and the last one the layout placed.
    int ScrollIndex() const { return scrollIndex_; }
    void SetScrollIndex(int Value) { scrollIndex_ = Value; }
    int LastShownIndex() const { return lastShownIndex_; }
    const std::vector<TiPlotLegendItem>& Items() const { return items_; }
    const std::vector<int>& WrapColumnLefts() const { return wrapColumnLefts_; }
    const TiPlotLegendMetrics& Metrics() const { return metrics_; }
    TiPlotLegendButton* UpButton() const { return upButton_; }
    TiPlotLegendButton* DownButton() const { return downButton_; }

    // The cell texts of a channel, translated where they are the plot's own words.
    QString GetTitleText(const TiPlotChannelCustom& Channel) const;
    QString GetXAxisNameText(const TiPlotChannelCustom& Channel) const;
    QString GetYAxisNameText(const TiPlotChannelCustom& Channel) const;
    QString GetXAxisValueText(const TiPlotChannelCustom& Channel) const;
    QString GetYAxisValueText(const TiPlotChannelCustom& Channel) const;
    QString GetYAxisMaxText(const TiPlotChannelCustom& Channel) const;
    QString GetYAxisMinText(const TiPlotChannelCustom& Channel) const;
    QString GetYAxisMeanText(const TiPlotChannelCustom& Channel) const;

    void CalcRects(TCanvas& Canvas);
    // The extent across the band: the height of a horizontal legend, else the width.
    int GetRequiredWidth(TCanvas& Canvas) override;
    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;
    void UpButtonClick(QObject* Sender);
    void DownButtonClick(QObject* Sender);
    // A shown button, else the first channel whose row holds the point, else the legend.
    TiPlotObject* GetMouseObject(int X, int Y) override;
    void NotificationRemove(QObject* Object) override;
    void NotificationSetFocus(QObject* Object) override;
    void AddMenuItems(QMenu* PopupMenu) override;

protected:
    void DoMouseUp(const TiPlotMouseData& MouseData) override;

private:
    using Column = TiPlotLegendColumn;

    bool ShowColumn(Column Which) const { return showColumn_[size_t(Which)]; }
    void SetShowColumn(Column Which, bool Value);
    QString Caption(Column Which) const { return captions_[size_t(Which)]; }
    void SetCaption(Column Which, const QString& Value);
    void SetCharacterFactor(double Value, double& Field);
    void SetCount(int Value, int& Field);

    // The channels of the plot, in order.
    std::vector<TiPlotChannelCustom*> Channels() const;
    static TiPlotAxis* LegendAxis(TiPlotChannelAxis* Axis);
    QString AxisNameText(const TiPlotAxis* Axis) const;
    QString ValueText(TiPlotAxis* Axis, bool Empty, double Value) const;
    QString CellText(const TiPlotChannelCustom& Channel, Column Which) const;

    // The layout's steps.
    void CalcMarginsAndSpacings(TCanvas& Canvas);
    void ListItems();
    void CalcTitleColumn(TCanvas& Canvas);
    void CalcCaptionRow(TCanvas& Canvas);
    void CalcColumnWidths(TCanvas& Canvas);
    int ValueColumnWidth(TCanvas& Canvas, Column Which) const;
    void CalcColumnOffsets();
    void CalcCounts(int ItemCount);
    void CalcRequiredSize(int ItemCount);
    void PlaceScrollButtons();
    void CalcAutoSpacings(int ItemCount);
    void PlaceItems();
    TRect ItemArea() const;

    void ClearLegendRects();
    void DrawCaptions(TCanvas& Canvas) const;
    void DrawItem(TCanvas& Canvas, const TiPlotLegendItem& Item) const;
    void DrawLineSample(TCanvas& Canvas, const TiPlotChannelCustom& Channel, TPoint Start) const;
    void DrawTitle(TCanvas& Canvas, const TiPlotChannelCustom& Channel, const TRect& Cell) const;
    void DrawCell(TCanvas& Canvas, const QString& Text, Column Which, TPoint RowOrigin) const;
    void DrawFocus(TCanvas& Canvas) const;
    void ButtonInvalidate(QObject* Sender);
    TiPlotObject* ObjectAt(TPoint Point);

    double marginLeft_ = 1;
    double marginRight_ = 1;
    double marginTop_ = 1;
    double marginBottom_ = 1;
    TColor backGroundColor_ = clGray;
    bool backGroundTransparent_ = true;
    TColor selectedItemBackGroundColor_ = clYellow;
    std::unique_ptr<TFont> selectedItemFont_;
    std::array<bool, PlotLegendColumnCount> showColumn_{};
    std::array<QString, PlotLegendColumnCount> captions_;
    std::unique_ptr<TFont> font_;
    bool columnTitlesVisible_ = false;
    std::unique_ptr<TFont> columnTitlesFont_;
    double columnSpacing_ = 0.5;
    double rowSpacing_ = 0.25;
    double channelNameMaxWidth_ = 0;
    int wrapColDesiredCount_ = 1;
    bool wrapColAutoCountEnabled_ = false;
    int wrapColAutoCountMax_ = 100;
    double wrapColSpacingMin_ = 2;
    bool wrapColSpacingAuto_ = true;
    int wrapRowDesiredCount_ = 5;
    bool wrapRowAutoCountEnabled_ = true;
    int wrapRowAutoCountMax_ = 100;
    bool wrapRowSpacingAuto_ = false;

    bool cursorValuesMode_ = false;
    int scrollIndex_ = 0;
    int lastShownIndex_ = -1;
    std::vector<TiPlotLegendItem> items_;
    std::vector<int> wrapColumnLefts_;
    // The channels whose LegendRect this legend set.
    std::vector<QPointer<TiPlotChannelCustom>> rectChannels_;
    TiPlotLegendMetrics metrics_;
    TiPlotLegendButton* upButton_;
    TiPlotLegendButton* downButton_;
};
