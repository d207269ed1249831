#include "plot/iPlotTable.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/PropertyDefaults.h"
#include "platform/Rounding.h"
#include "plot/iPlotLabel.h"

#include <algorithm>
#include <cstdint>

namespace {

const PropertyDefaults::Registration defaults(TiPlotTable::staticMetaObject,
                                              {
                                                  {"MarginLeft", 1.0},
                                                  {"MarginTop", 1.0},
                                                  {"MarginRight", 1.0},
                                                  {"MarginBottom", 1.0},
                                                  {"GridBackGroundColor", clGray},
                                                  {"GridBackGroundTransparent", false},
                                                  {"GridLinesColor", clWhite},
                                                  {"GridLinesShow", true},
                                                  {"DataFont.Color", clWhite},
                                                  {"DataFont.Style", qlonglong(fsBold)},
                                                  {"ColumnSpacing", 2.0},
                                                  {"RowSpacing", 0.5},
                                                  {"RowsMax", 0},
                                                  {"ColumnTitlesVisible", true},
                                                  {"ColumnTitlesFont.Color", clAqua},
                                                  {"ColumnTitlesFont.Style", qlonglong(fsBold)},
                                              });

std::unique_ptr<TFont> BoldFont(TColor color) {
    auto font = std::make_unique<TFont>();
    font->SetStyle(fsBold);
    font->SetColor(color);
    return font;
}

TiTextFlag AlongFlag(TiAlignmentHorizontal alignment) {
    return alignment == iahLeft ? itfHLeft : alignment == iahRight ? itfHRight : itfHCenter;
}

} // namespace

TiPlotTableButton::TiPlotTableButton(TiPlotHost* Owner, bool PointsUp)
    : TiPlotScrollButton(Owner, PointsUp) {
    SetName(PointsUp ? QStringLiteral("PlotTableUpButton") : QStringLiteral("PlotTableDownButton"));
}

TiPlotTable::TiPlotTable(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
    : TiPlotLayoutObject(Owner, Hooks), dataFont_(BoldFont(clWhite)),
      columnTitlesFont_(BoldFont(clAqua)), upButton_(new TiPlotTableButton(Owner, true)),
      downButton_(new TiPlotTableButton(Owner, false)) {
    InitHorizontal(false);
    for (TFont* font : {dataFont_.get(), columnTitlesFont_.get()})
        font->OnChange = [this](QObject*) {
            cellsMeasured_ = false;
            TriggerChange(this);
        };
    upButton_->OnClick = [this](QObject* sender) { UpButtonClick(sender); };
    downButton_->OnClick = [this](QObject* sender) { DownButtonClick(sender); };
    for (TiPlotTableButton* button : {upButton_, downButton_})
        button->OnInvalidate = [this](QObject* sender) { ButtonInvalidate(sender); };
}

TiPlotTable::~TiPlotTable() {
    upButton_->Destroy();
    downButton_->Destroy();
}

void TiPlotTable::SetMargin(double Value, double& Field) {
    double bounded = 0;
    if (BoundedMargin(Value, MaxMargin, bounded))
        SetDoubleProperty(bounded, Field, &TiPlotObject::TriggerChange);
}

void TiPlotTable::SetMarginLeft(double Value) {
    SetMargin(Value, marginLeft_);
}

void TiPlotTable::SetMarginTop(double Value) {
    SetMargin(Value, marginTop_);
}

void TiPlotTable::SetMarginRight(double Value) {
    SetMargin(Value, marginRight_);
}

void TiPlotTable::SetMarginBottom(double Value) {
    SetMargin(Value, marginBottom_);
}

void TiPlotTable::SetGridBackGroundColor(TColor Value) {
    SetColorProperty(Value, gridBackGroundColor_, &TiPlotObject::TriggerChange);
}

void TiPlotTable::SetGridBackGroundTransparent(bool Value) {
    SetBooleanProperty(Value, gridBackGroundTransparent_, &TiPlotObject::TriggerChange);
}

void TiPlotTable::SetGridLinesColor(TColor Value) {
    SetColorProperty(Value, gridLinesColor_, &TiPlotObject::TriggerChange);
}

void TiPlotTable::SetGridLinesShow(bool Value) {
    SetBooleanProperty(Value, gridLinesShow_, &TiPlotObject::TriggerChange);
}

void TiPlotTable::SetDataFont(const TFont* Value) {
    if (Value) dataFont_->Assign(*Value);
}

void TiPlotTable::SetColumnSpacing(double Value) {
    SetMargin(Value, columnSpacing_);
}

void TiPlotTable::SetRowSpacing(double Value) {
    SetMargin(Value, rowSpacing_);
}

void TiPlotTable::SetRowsMax(int Value) {
    SetIntegerProperty(std::max(0, Value), rowsMax_, &TiPlotObject::TriggerChange);
}

void TiPlotTable::SetColumnTitlesVisible(bool Value) {
    SetBooleanProperty(Value, columnTitlesVisible_, &TiPlotObject::TriggerChange);
}

void TiPlotTable::SetColumnTitlesFont(const TFont* Value) {
    if (Value) columnTitlesFont_->Assign(*Value);
}

int TiPlotTable::AddColumn(const QString& Title) {
    cellsMeasured_ = false;
    auto column = std::make_unique<TiPlotTableColumn>();
    column->Title = Title;
    column->TitleFontColor = columnTitlesFont_->Color();
    column->DataFontColor = dataFont_->Color();
    columns_.push_back(std::move(column));
    return GetColumnCount() - 1;
}

void TiPlotTable::DeleteColumn(int Index) {
    cellsMeasured_ = false;
    CheckListIndex(Index, GetColumnCount());
    columns_.erase(columns_.begin() + Index);
}

void TiPlotTable::RemoveAllColumns() {
    cellsMeasured_ = false;
    columns_.clear();
}

TiPlotTableColumn* TiPlotTable::GetColumn(int Index) const {
    CheckListIndex(Index, GetColumnCount());
    return columns_[size_t(Index)].get();
}

int TiPlotTable::AddRow() {
    cellsMeasured_ = false;
    rows_.append(QString());
    return GetRowCount() - 1;
}

void TiPlotTable::DeleteRow(int Index) {
    cellsMeasured_ = false;
    CheckListIndex(Index, GetRowCount());
    rows_.removeAt(Index);
}

void TiPlotTable::RemoveAllRows() {
    cellsMeasured_ = false;
    rows_.clear();
}

QStringList TiPlotTable::CellsOf(int Row) const {
    CheckListIndex(Row, GetRowCount());
    QStringList cells;
    const QString& text = rows_[Row];
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\r') && text[i] != QLatin1Char('\n')) continue;
        cells.append(text.mid(start, i - start));
        if (text[i] == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    // Every cell ends with a line break, so only a text after the last one is a cell.
    if (start < text.size()) cells.append(text.mid(start));
    while (cells.size() < GetColumnCount())
        cells.append(QString());
    return cells;
}

QString TiPlotTable::GetData(int Column, int Row) const {
    const QStringList cells = CellsOf(Row);
    CheckListIndex(Column, GetColumnCount());
    return cells[Column];
}

void TiPlotTable::SetData(int Column, int Row, const QString& Text) {
    cellsMeasured_ = false;
    QStringList cells = CellsOf(Row);
    CheckListIndex(Column, GetColumnCount());
    cells[Column] = Text;
    rows_[Row] = cells.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

void TiPlotTable::MeasureCells(TCanvas& Canvas, int ZeroWidthData) {
    // Measuring text is the dear part of the layout pass, which runs twice per paint; the
    // cells change only through the table's own operations, which drop the measures.
    if (cellsMeasured_ && ZeroWidthData == cellsZeroWidth_) return;
    Canvas.SetFont(dataFont_.get());
    cellWidths_.clear();
    for (int row = 0; row < GetRowCount(); ++row) {
        const QStringList cells = CellsOf(row);
        std::vector<int>& widths = cellWidths_.emplace_back();
        for (int i = 0; i < GetColumnCount(); ++i)
            widths.push_back(iTextWidth(&Canvas, cells[i]));
    }
    cellsMeasured_ = true;
    cellsZeroWidth_ = ZeroWidthData;
}

void TiPlotTable::CalcColumnWidths(TCanvas& Canvas, int ZeroWidthTitles, int ZeroWidthData) {
    auto sized = [](const TiPlotTableColumn& column) { return column.Visible && column.AutoSize; };
    Canvas.SetFont(columnTitlesFont_.get());
    const int titleExtra = Round(ZeroWidthTitles * columnSpacing_) + ZeroWidthTitles;
    for (const auto& column : columns_)
        if (sized(*column))
            column->PixelWidth = std::max(0, iTextWidth(&Canvas, column->Title) + titleExtra);
    // Every row counts, the ones scrolled out of view too.
    MeasureCells(Canvas, ZeroWidthData);
    const int dataExtra = Round(ZeroWidthData * columnSpacing_) + ZeroWidthData;
    for (const std::vector<int>& widths : cellWidths_)
        for (int i = 0; i < GetColumnCount(); ++i) {
            TiPlotTableColumn& column = *columns_[size_t(i)];
            if (sized(column))
                column.PixelWidth = std::max(column.PixelWidth, widths[size_t(i)] + dataExtra);
        }
    for (const auto& column : columns_) {
        if (!column->Visible) continue;
        column->PixelWidth = column->AutoSize
                                 ? BoundPixelSize(column->PixelWidth)
                                 : BoundPixelSize(Round(column->Width * ZeroWidthData));
    }
}

void TiPlotTable::CalcRects(TCanvas& Canvas) {
    if (rows_.isEmpty() || columns_.empty()) {
        requiredWidth_ = 0;
        requestedRows_ = 0;
        return;
    }
    const TRect d = DrawRect();
    Canvas.SetFont(columnTitlesFont_.get());
    const int wt = iTextWidth(&Canvas, QStringLiteral("0"));
    const int ht = iTextHeight(&Canvas, QStringLiteral("0"));
    const int top = Round(ht * marginTop_);
    const int bottom = Round(ht * marginBottom_);
    const int left = Round(wt * marginLeft_);
    const int right = Round(wt * marginRight_);
    gridRect_ = {d.Left + left, d.Top + top, d.Right - right, d.Bottom - bottom};
    titleRect_ = {gridRect_.Left, gridRect_.Top, gridRect_.Right,
                  gridRect_.Top + (columnTitlesVisible_ ? ht : 0)};

    Canvas.SetFont(dataFont_.get());
    const int wd = iTextWidth(&Canvas, QStringLiteral("0"));
    const int hd = iTextHeight(&Canvas, QStringLiteral("0"));
    // A RowSpacing of -1 or less gave rows of no height and a division by it.
    rowHeight_ = std::max(1, hd + Round(hd * rowSpacing_));

    int shown = rowsMax_ != 0 && GetRowCount() > rowsMax_ ? rowsMax_ : GetRowCount();
    requestedRows_ = shown;
    gridRect_.Bottom = titleRect_.Bottom + shown * rowHeight_;

    CalcColumnWidths(Canvas, wt, wd);
    int64_t gridWidth = 0;
    for (const auto& column : columns_)
        if (column->Visible) gridWidth += column->PixelWidth;
    int64_t required = int64_t(left) + right + gridWidth;
    gridRect_.Right =
        BoundPixelOffset(int(std::min<int64_t>(gridRect_.Left + gridWidth, INT32_MAX)));

    if (d.Bottom - bottom < gridRect_.Bottom) {
        shown = std::max(0, (d.Bottom - bottom - titleRect_.Bottom) / rowHeight_);
        gridRect_.Bottom = titleRect_.Bottom + shown * rowHeight_;
    }
    if (GetRowCount() > shown) {
        PlaceScrollButtons(shown);
        required += ButtonSize + ButtonGap;
    } else {
        upButton_->SetVisible(false);
        downButton_->SetVisible(false);
        firstShownRow_ = 0;
        lastShownRow_ = shown - 1;
    }
    upButton_->SetEnabled(firstShownRow_ != 0);
    downButton_->SetEnabled(lastShownRow_ != GetRowCount() - 1);
    requiredWidth_ = int(std::clamp<int64_t>(required, 0, MaxPixelExtent));
}

void TiPlotTable::PlaceScrollButtons(int ShownRows) {
    const int half = rowHeight_ / 2;
    const int x = gridRect_.Right + ButtonGap;
    const int upY = titleRect_.Bottom + half;
    const int downY = titleRect_.Bottom + ShownRows * rowHeight_ - half;
    upButton_->SetDrawRect({x, upY - 8, x + ButtonSize, upY + 9});
    downButton_->SetDrawRect({x, downY - 8, x + ButtonSize, downY + 9});
    upButton_->SetVisible(true);
    downButton_->SetVisible(true);
    lastShownRow_ = firstShownRow_ + ShownRows - 1;
    if (lastShownRow_ > GetRowCount() - 1) {
        lastShownRow_ = GetRowCount() - 1;
        firstShownRow_ = GetRowCount() - ShownRows;
    }
    if (firstShownRow_ < 0) {
        firstShownRow_ = 0;
        lastShownRow_ = ShownRows - 1;
    }
}

int TiPlotTable::GetRequiredWidth(TCanvas& Canvas) {
    CalcRects(Canvas);
    return Horizontal() ? requestedRows_ * rowHeight_ : requiredWidth_;
}

void TiPlotTable::Draw(TCanvas& Canvas, TColor) {
    if (!Visible() || rows_.isEmpty() || columns_.empty()) return;
    CalcRects(Canvas);
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Pen()->SetStyle(psSolid);
    if (!gridBackGroundTransparent_) {
        Canvas.Brush()->SetColor(gridBackGroundColor_);
        Canvas.FillRect(gridRect_);
    }
    if (gridLinesShow_) DrawGrid(Canvas);
    if (columnTitlesVisible_) DrawColumnTitles(Canvas);
    DrawData(Canvas);
    Canvas.SetFont(dataFont_.get());
    Canvas.Brush()->SetStyle(bsClear);
    upButton_->Draw(Canvas, clBtnFace);
    downButton_->Draw(Canvas, clBtnFace);
    if (UserSelected()) {
        Canvas.Brush()->SetStyle(bsClear);
        TRect focus = DrawRect();
        if (Horizontal()) focus = {focus.Left, focus.Top + 2, focus.Right, focus.Bottom - 2};
        iDrawFocusRect2(&Canvas, focus);
    }
}

void TiPlotTable::DrawGrid(TCanvas& Canvas) const {
    Canvas.Pen()->SetStyle(psSolid);
    Canvas.Pen()->SetWidth(1);
    Canvas.Pen()->SetColor(gridLinesColor_);
    auto line = [&Canvas](int x1, int y1, int x2, int y2) {
        const TPoint points[] = {{x1, y1}, {x2, y2}};
        Canvas.Polyline(points);
    };
    int x = gridRect_.Left;
    for (const auto& column : columns_) {
        if (!column->Visible) continue;
        line(x, gridRect_.Top, x, gridRect_.Bottom);
        x += column->PixelWidth;
    }
    line(x, gridRect_.Top, x, gridRect_.Bottom);
    line(gridRect_.Left, gridRect_.Top, gridRect_.Right + 1, gridRect_.Top);
    const int shown = (gridRect_.Bottom - titleRect_.Bottom) / rowHeight_;
    for (int k = 0; k <= shown; ++k) {
        const int y = titleRect_.Bottom + k * rowHeight_;
        line(gridRect_.Left, y, gridRect_.Right + 1, y);
    }
}

void TiPlotTable::DrawCell(TCanvas& Canvas, const QString& Text, TRect Cell,
                           TiAlignmentHorizontal Alignment, double Margin, int ZeroWidth) const {
    const int inset = BoundPixelOffset(Round(Margin * ZeroWidth));
    if (Alignment == iahLeft) Cell.Left += inset;
    if (Alignment == iahRight) Cell.Right -= inset;
    iDrawText(&Canvas, Text, Cell, {itfVCenter, itfSingleLine, AlongFlag(Alignment)});
}

void TiPlotTable::DrawColumnTitles(TCanvas& Canvas) const {
    Canvas.SetFont(columnTitlesFont_.get());
    Canvas.Brush()->SetStyle(bsClear);
    const int wt = iTextWidth(&Canvas, QStringLiteral("0"));
    int x = gridRect_.Left;
    for (const auto& column : columns_) {
        if (!column->Visible) continue;
        Canvas.Font()->SetColor(column->TitleFontColor);
        DrawCell(Canvas, column->Title,
                 {x, titleRect_.Top, x + column->PixelWidth, titleRect_.Bottom},
                 column->TitleAlignment, column->TitleMargin, wt);
        x += column->PixelWidth;
    }
}

void TiPlotTable::DrawData(TCanvas& Canvas) const {
    Canvas.SetFont(dataFont_.get());
    Canvas.Brush()->SetStyle(bsClear);
    const int wd = iTextWidth(&Canvas, QStringLiteral("0"));
    int y = titleRect_.Bottom;
    for (int row = firstShownRow_; row <= lastShownRow_ && row < GetRowCount(); ++row) {
        const QStringList cells = CellsOf(row);
        int x = gridRect_.Left;
        for (int i = 0; i < GetColumnCount(); ++i) {
            const TiPlotTableColumn& column = *columns_[size_t(i)];
            if (!column.Visible) continue;
            Canvas.Font()->SetColor(column.DataFontColor);
            DrawCell(Canvas, cells[i], {x, y, x + column.PixelWidth, y + rowHeight_},
                     column.DataAlignment, column.DataMargin, wd);
            x += column.PixelWidth;
        }
        y += rowHeight_;
    }
}

void TiPlotTable::UpButtonClick(QObject*) {
    if (firstShownRow_ > 0) --firstShownRow_;
}

void TiPlotTable::DownButtonClick(QObject*) {
    if (firstShownRow_ < GetRowCount() - 1) ++firstShownRow_;
}

void TiPlotTable::ButtonInvalidate(QObject*) {
    Notify(OnInvalidateNow);
}

TiPlotObject* TiPlotTable::GetMouseObject(int X, int Y) {
    TiPlotLayoutObject::GetMouseObject(X, Y);
    for (TiPlotTableButton* button : {upButton_, downButton_})
        if (button->Visible() && button->DrawRect().Contains({X, Y})) {
            SetMouseObject(button);
            return button;
        }
    return this;
}

void TiPlotTable::DoMouseUp(const TiPlotMouseData& MouseData) {
    if (MouseIsDown() && DrawRect().Contains({MouseData.X, MouseData.Y}) && Owner())
        Owner()->DoObjectClick(this);
}

void TiPlotTable::NotificationSetFocus(QObject* Object) {
    if (Object != this && UserSelected()) SetUserSelected(false);
}

void TiPlotTable::AddMenuItems(QMenu* PopupMenu) {
    TiPlotLayoutObject::AddMenuItems(PopupMenu);
    AddEditMenuItems(PopupMenu);
}
