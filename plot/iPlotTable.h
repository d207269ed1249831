// A grid of text cells with column titles beside the data view, filled by the application
// through code; with more rows than fit it scrolls with two small auto-repeating buttons.
#pragma once

#include "instruments/framework/iTypes.h"
#include "platform/Font.h"
#include "plot/iPlotButton.h"
#include "plot/iPlotLayoutObject.h"

#include <QStringList>
#include <memory>
#include <vector>

// A column; the application sets its fields directly, so the table bounds them where it
// uses them.
class TiPlotTableColumn {
public:
    QString Title;
    bool Visible = true;
    bool AutoSize = true;
    // In widths of "0" in the data font, when not auto-sized.
    double Width = 10;
    TiAlignmentHorizontal TitleAlignment = iahCenter;
    double TitleMargin = 1;
    TColor TitleFontColor = clAqua;
    TiAlignmentHorizontal DataAlignment = iahCenter;
    double DataMargin = 1;
    TColor DataFontColor = clWhite;
    // Computed by the table's layout.
    int PixelWidth = 0;
};

// A scroll button of the table.
class TiPlotTableButton : public TiPlotScrollButton {
    Q_OBJECT

public:
    TiPlotTableButton(TiPlotHost* Owner, bool PointsUp);
};

class TiPlotTable : public TiPlotLayoutObject {
    Q_OBJECT
    Q_PROPERTY(double MarginLeft READ MarginLeft WRITE SetMarginLeft)
    Q_PROPERTY(double MarginTop READ MarginTop WRITE SetMarginTop)
    Q_PROPERTY(double MarginRight READ MarginRight WRITE SetMarginRight)
    Q_PROPERTY(double MarginBottom READ MarginBottom WRITE SetMarginBottom)
    Q_PROPERTY(TColor GridBackGroundColor READ GridBackGroundColor WRITE SetGridBackGroundColor)
    Q_PROPERTY(bool GridBackGroundTransparent READ GridBackGroundTransparent WRITE
                   SetGridBackGroundTransparent)
    Q_PROPERTY(TColor GridLinesColor READ GridLinesColor WRITE SetGridLinesColor)
    Q_PROPERTY(bool GridLinesShow READ GridLinesShow WRITE SetGridLinesShow)
    Q_PROPERTY(TFont* DataFont READ DataFont WRITE SetDataFont)
    Q_PROPERTY(double ColumnSpacing READ ColumnSpacing WRITE SetColumnSpacing)
    Q_PROPERTY(double RowSpacing READ RowSpacing WRITE SetRowSpacing)
    Q_PROPERTY(int RowsMax READ RowsMax WRITE SetRowsMax)
    Q_PROPERTY(bool ColumnTitlesVisible READ ColumnTitlesVisible WRITE SetColumnTitlesVisible)
    Q_PROPERTY(TFont* ColumnTitlesFont READ ColumnTitlesFont WRITE SetColumnTitlesFont)

public:
    static constexpr double MaxMargin = 1000;
    static constexpr int ButtonSize = 17;
    static constexpr int ButtonGap = 5;

    TiPlotTable(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks);
    ~TiPlotTable() override;

    // Margins and spacings within -MaxMargin..MaxMargin, NaN refused.
    double MarginLeft() const { return marginLeft_; }
    void SetMarginLeft(double Value);
    double MarginTop() const { return marginTop_; }
    void SetMarginTop(double Value);
    double MarginRight() const { return marginRight_; }
    void SetMarginRight(double Value);
    double MarginBottom() const { return marginBottom_; }
    void SetMarginBottom(double Value);
    TColor GridBackGroundColor() const { return gridBackGroundColor_; }
    void SetGridBackGroundColor(TColor Value);
    bool GridBackGroundTransparent() const { return gridBackGroundTransparent_; }
    void SetGridBackGroundTransparent(bool Value);
    TColor GridLinesColor() const { return gridLinesColor_; }
    void SetGridLinesColor(TColor Value);
    bool GridLinesShow() const { return gridLinesShow_; }
    void SetGridLinesShow(bool Value);
    TFont* DataFont() const { return dataFont_.get(); }
    void SetDataFont(const TFont* Value);
    double ColumnSpacing() const { return columnSpacing_; }
    void SetColumnSpacing(double Value);
    double RowSpacing() const { return rowSpacing_; }
    void SetRowSpacing(double Value);
    // 0: no limit; negative values count as 0.
    int RowsMax() const { return rowsMax_; }
    void SetRowsMax(int Value);
    bool ColumnTitlesVisible() const { return columnTitlesVisible_; }
    void SetColumnTitlesVisible(bool Value);
    TFont* ColumnTitlesFont() const { return columnTitlesFont_.get(); }
    void SetColumnTitlesFont(const TFont* Value);

    // Columns, rows and cells; none of them repaints the plot. Index errors raise
    // "List index out of bounds (<index>)".
    int AddColumn(const QString& Title);
    void DeleteColumn(int Index);
    void RemoveAllColumns();
    TiPlotTableColumn* GetColumn(int Index) const;
    int GetColumnCount() const { return int(columns_.size()); }
    int AddRow();
    void DeleteRow(int Index);
    void RemoveAllRows();
    int GetRowCount() const { return int(rows_.size()); }
    QString GetData(int Column, int Row) const;
    // A text holding a line break becomes two cells.
    void SetData(int Column, int Row, const QString& Text);

    void CalcRects(TCanvas& Canvas);
    int GetRequiredWidth(TCanvas& Canvas) override;
    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;
    void UpButtonClick(QObject* Sender);
    void DownButtonClick(QObject* Sender);
    TiPlotObject* GetMouseObject(int X, int Y) override;
    void NotificationSetFocus(QObject* Object) override;
    void AddMenuItems(QMenu* PopupMenu) override;

    TiPlotTableButton* UpButton() const { return upButton_; }
    TiPlotTableButton* DownButton() const { return downButton_; }
    int FirstShownRow() const { return firstShownRow_; }
    void SetFirstShownRow(int Value) { firstShownRow_ = Value; }
    int LastShownRow() const { return lastShownRow_; }
    TRect GridRect() const { return gridRect_; }
    TRect TitleRect() const { return titleRect_; }
    int RowHeight() const { return rowHeight_; }

protected:
    void DoMouseUp(const TiPlotMouseData& MouseData) override;

private:
    void SetMargin(double Value, double& Field);
    QStringList CellsOf(int Row) const;
    void MeasureCells(TCanvas& Canvas, int ZeroWidthData);
    // The pixel width of every visible column; auto-sized ones fit their widest text.
    void CalcColumnWidths(TCanvas& Canvas, int ZeroWidthTitles, int ZeroWidthData);
    void PlaceScrollButtons(int ShownRows);
    void DrawGrid(TCanvas& Canvas) const;
    void DrawColumnTitles(TCanvas& Canvas) const;
    void DrawData(TCanvas& Canvas) const;
    void DrawCell(TCanvas& Canvas, const QString& Text, TRect Cell, TiAlignmentHorizontal Alignment,
                  double Margin, int ZeroWidth) const;
    void ButtonInvalidate(QObject* Sender);

    double marginLeft_ = 1;
    double marginTop_ = 1;
    double marginRight_ = 1;
    double marginBottom_ = 1;
    TColor gridBackGroundColor_ = clGray;
    bool gridBackGroundTransparent_ = false;
    TColor gridLinesColor_ = clWhite;
    bool gridLinesShow_ = true;
    std::unique_ptr<TFont> dataFont_;
    double columnSpacing_ = 2;
    double rowSpacing_ = 0.5;
    int rowsMax_ = 0;
    bool columnTitlesVisible_ = true;
    std::unique_ptr<TFont> columnTitlesFont_;

    std::vector<std::unique_ptr<TiPlotTableColumn>> columns_;
    QStringList rows_;
    TiPlotTableButton* upButton_;
    TiPlotTableButton* downButton_;

    TRect gridRect_;
    TRect titleRect_;
    int rowHeight_ = 1;
    int firstShownRow_ = 0;
    int lastShownRow_ = -1;
    int requestedRows_ = 0;
    int requiredWidth_ = 0;
    // The width of every cell's text, per row, measured with a data font whose "0" was
    // cellsZeroWidth_ wide.
    std::vector<std::vector<int>> cellWidths_;
    bool cellsMeasured_ = false;
    int cellsZeroWidth_ = 0;
};
