#include "PlotTestKinds.h"
#include "platform/PropertyDefaults.h"
#include "platform/PropertyWalker.h"
#include "platform/RecordingCanvas.h"
#include "plot/iPlotLabel.h"
#include "plot/iPlotTable.h"

#include "../data/DataListTestSupport.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using K = TiPlotObjectKind;

class PlotLabelTest : public ::testing::Test {
protected:
    void SetUp() override { plot.AddDefaultObjects(); }
    TiPlotLabel* Title() { return plot.Master->GetLabel(0); }

    TestPlot plot;
    TRecordingCanvas canvas;
};

TEST_F(PlotLabelTest, TitleNeedsTheHeightOfItsCaptionAndMargins) {
    EXPECT_EQ(Title()->GetRequiredWidth(canvas), 13);
    Title()->SetMarginTop(1);
    Title()->SetMarginBottom(0.5);
    EXPECT_EQ(Title()->GetRequiredWidth(canvas), 13 + 13 + 6);
    EXPECT_EQ(Title()->Font()->Name(), "Arial");
    EXPECT_EQ(Title()->Font()->Size(), 14);
    EXPECT_EQ(Title()->Font()->Color(), clWhite);
}

TEST_F(PlotLabelTest, FreshLabelStoresOnlyItsName) {
    TiPlotLabel* label = plot.Master->GetLabel(plot.Master->AddLabel());
    // The title's name does not count for the next automatic one.
    EXPECT_EQ(label->Caption(), "Label 1");
    QStringList stored;
    for (const PropertyDescriptor& property : PropertyDefaults::ValuesToStore(label))
        stored << property.Path;
    EXPECT_EQ(stored, QStringList({"Name", "Caption"}));
}

TEST_F(PlotLabelTest, HorizontalTextIsCentredInsideItsMargins) {
    TiPlotLabel* title = Title();
    title->SetDrawRect({7, 31, 495, 60});
    title->SetMarginLeft(2);
    title->Draw(canvas, clBlack);
    const auto texts = canvas.RecordsOf(TCanvasOperation::DrawText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Rect, Rect(21, 31, 495, 60));
    EXPECT_EQ(texts[0].Lines, std::vector<QString>{"Untitled"});
    title->SetVisible(false);
    canvas.Clear();
    title->Draw(canvas, clBlack);
    EXPECT_TRUE(canvas.Records().empty());
}

TEST_F(PlotLabelTest, VerticalLabelReadsUpwardsFromTheLowerEnd) {
    TiPlotLabel* label = Title();
    label->SetHorizontal(false);
    label->SetDrawRect({10, 20, 23, 220});
    label->SetAlignment(iahLeft);
    label->Draw(canvas, clBlack);
    const auto texts = canvas.RecordsOf(TCanvasOperation::DrawText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].FontOrientation, 900);
    EXPECT_EQ(texts[0].Rect.Top, 220);
    canvas.Clear();
    label->SetAlignment(iahRight);
    label->Draw(canvas, clBlack);
    EXPECT_EQ(canvas.RecordsOf(TCanvasOperation::DrawText)[0].Rect.Top, 20 + 56);
}

TEST_F(PlotLabelTest, HostileValuesAreBoundedOrRefused) {
    TiPlotLabel* label = Title();
    label->SetMarginTop(std::nan(""));
    EXPECT_EQ(label->MarginTop(), 0);
    label->SetMarginTop(1e308);
    EXPECT_EQ(label->MarginTop(), TiPlotLabel::MaxMargin);
    label->SetMarginBottom(-HUGE_VAL);
    EXPECT_EQ(label->MarginBottom(), -TiPlotLabel::MaxMargin);
    EXPECT_THROW(PropertyWalker::Write(label, "Alignment", 9), EConvertError);
    label->SetFont(nullptr);
    EXPECT_GE(label->GetRequiredWidth(canvas), 0);
}

TEST_F(PlotLabelTest, TheTitleCannotBeDeletedAndSurvivesRemoveAll) {
    plot.Master->AddLabel();
    plot.Master->AddLabel();
    ExpectError([&] { plot.Master->DeleteLabel(0); },
                "Label Index 0 can not be Deleted (Resevered for Title)");
    EXPECT_EQ(plot.Master->LabelCount(), 3);
    plot.Master->RemoveAllLabels();
    EXPECT_EQ(plot.Master->LabelCount(), 1);
    EXPECT_EQ(plot.Master->GetLabel(0)->Name(), "Title");
    EXPECT_EQ(plot.Master->GetLabelByName("title"), plot.Master->GetLabel(0));
}

class PlotTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        table = plot.Master->GetTable(plot.Master->AddTable());
        table->SetDrawRect({0, 0, 300, 200});
        table->AddColumn("Value");
        for (int row = 0; row < 10; ++row)
            table->SetData(0, table->AddRow(), QStringLiteral("r%1").arg(row));
    }
    void Click(TiPlotButton* button) {
        const TRect r = button->DrawRect();
        button->iMouseDown(mbLeft, {}, r.Left + 1, r.Top + 1, 0, 0, nullptr);
        button->iMouseUp(mbLeft, {}, r.Left + 1, r.Top + 1, 0, 0, false);
        table->CalcRects(canvas);
    }

    TestPlot plot;
    TRecordingCanvas canvas;
    TiPlotTable* table = nullptr;
};

TEST_F(PlotTableTest, RowsMaxScrollsWithTheButtons) {
    table->SetRowsMax(4);
    EXPECT_EQ(table->GetRequiredWidth(canvas), 7 + 7 + 56 + 17 + 5);
    EXPECT_EQ(table->GridRect(), Rect(7, 13, 63, 102));
    EXPECT_EQ(table->RowHeight(), 19);
    EXPECT_EQ(table->UpButton()->DrawRect(), Rect(68, 27, 85, 44));
    EXPECT_EQ(table->DownButton()->DrawRect(), Rect(68, 85, 85, 102));
    EXPECT_EQ(table->FirstShownRow(), 0);
    EXPECT_EQ(table->LastShownRow(), 3);
    EXPECT_TRUE(table->UpButton()->Visible());
    EXPECT_FALSE(table->UpButton()->Enabled());
    EXPECT_TRUE(table->DownButton()->Enabled());
    const int repaints = plot.Host.ImmediateRepaints;
    for (int press = 0; press < 6; ++press)
        Click(table->DownButton());
    EXPECT_GT(plot.Host.ImmediateRepaints, repaints);
    EXPECT_EQ(table->FirstShownRow(), 6);
    EXPECT_EQ(table->LastShownRow(), 9);
    EXPECT_FALSE(table->DownButton()->Enabled());
    table->SetFirstShownRow(9);
    table->CalcRects(canvas);
    EXPECT_EQ(table->FirstShownRow(), 6);
    Click(table->UpButton());
    EXPECT_EQ(table->FirstShownRow(), 5);
}

TEST_F(PlotTableTest, HeldDownButtonRepeatsThroughTheRows) {
    table->SetRowsMax(4);
    table->CalcRects(canvas);
    const TRect r = table->DownButton()->DrawRect();
    EXPECT_EQ(table->GetMouseObject(r.Left + 1, r.Top + 1), table->DownButton());
    table->DownButton()->iMouseDown(mbLeft, {}, r.Left + 1, r.Top + 1, 0, 0, nullptr);
    plot.Host.AdvanceMilliseconds(600);
    EXPECT_EQ(table->FirstShownRow(), 3);
    table->DownButton()->iMouseUp(mbLeft, {}, r.Left + 1, r.Top + 1, 0, 0, false);
    EXPECT_EQ(table->FirstShownRow(), 4);
}

TEST_F(PlotTableTest, AutoSizedColumnFitsItsWidestTextScrolledOrNot) {
    table->SetRowsMax(2);
    table->CalcRects(canvas);
    EXPECT_EQ(table->GetColumn(0)->PixelWidth, 35 + 14 + 7);
    table->SetData(0, 9, "123456789012");
    table->CalcRects(canvas);
    EXPECT_EQ(table->GetColumn(0)->PixelWidth, 84 + 14 + 7);
    table->DeleteRow(9);
    table->CalcRects(canvas);
    EXPECT_EQ(table->GetColumn(0)->PixelWidth, 35 + 14 + 7);
    table->SetData(0, 8, "123456789012");
    table->GetColumn(0)->AutoSize = false;
    table->GetColumn(0)->Width = 3;
    table->CalcRects(canvas);
    EXPECT_EQ(table->GetColumn(0)->PixelWidth, 21);
    table->GetColumn(0)->Width = std::nan("");
    table->CalcRects(canvas);
    EXPECT_EQ(table->GetColumn(0)->PixelWidth, 0);
    table->GetColumn(0)->Width = 1e300;
    table->CalcRects(canvas);
    EXPECT_EQ(table->GetColumn(0)->PixelWidth, MaxPixelExtent);
}

TEST_F(PlotTableTest, CellsAreLinesOfTheRowText) {
    table->AddColumn("Second");
    table->AddColumn("Third");
    EXPECT_EQ(table->GetData(2, 0), "");
    table->SetData(1, 0, "b");
    table->SetData(2, 0, "c");
    table->SetData(0, 0, "a1\na2");
    EXPECT_EQ(table->GetData(0, 0), "a1");
    EXPECT_EQ(table->GetData(1, 0), "a2");
    EXPECT_EQ(table->GetData(2, 0), "b");
    ExpectError([&] { table->GetData(3, 0); }, "List index out of bounds (3)");
    ExpectError([&] { table->SetData(0, 10, "x"); }, "List index out of bounds (10)");
    ExpectError([&] { table->DeleteColumn(5); }, "List index out of bounds (5)");
    ExpectError([&] { table->DeleteRow(-1); }, "List index out of bounds (-1)");
    EXPECT_EQ(table->GetRowCount(), 10);
    const int changes = plot.Host.Changes;
    table->AddRow();
    EXPECT_EQ(plot.Host.Changes, changes);
}

TEST_F(PlotTableTest, RowsNeverLoseTheirHeight) {
    table->SetRowSpacing(-1);
    table->CalcRects(canvas);
    EXPECT_GE(table->RowHeight(), 1);
    table->SetRowSpacing(-5);
    table->SetRowsMax(-3);
    EXPECT_EQ(table->RowsMax(), 0);
    table->Draw(canvas, clBlack);
    EXPECT_EQ(table->RowHeight(), 1);
}

TEST_F(PlotTableTest, BandWithRoomForNoRowShowsTitlesAndButtons) {
    table->SetDrawRect({0, 0, 300, 30});
    table->CalcRects(canvas);
    EXPECT_EQ(table->GridRect().Bottom, table->TitleRect().Bottom);
    EXPECT_TRUE(table->DownButton()->Visible());
    canvas.Clear();
    table->Draw(canvas, clBlack);
    // Only the title is written.
    EXPECT_EQ(canvas.Count(TCanvasOperation::DrawText), 1);
}

TEST_F(PlotTableTest, DrawingFillsGridLinesTitlesAndCells) {
    table->SetRowsMax(2);
    table->Draw(canvas, clBlack);
    const auto fills = canvas.RecordsOf(TCanvasOperation::FillRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0].Rect, Rect(7, 13, 63, 64));
    EXPECT_EQ(fills[0].BrushColor, clGray);
    // Two column edges, the top, the title's bottom and one line below each row.
    EXPECT_EQ(canvas.Count(TCanvasOperation::Polyline), 2 + 1 + 1 + 2);
    EXPECT_EQ(canvas.Count(TCanvasOperation::DrawText), 1 + 2);
    const auto triangles = canvas.RecordsOf(TCanvasOperation::Polygon);
    ASSERT_EQ(triangles.size(), 2u);
    EXPECT_EQ(triangles[0].BrushColor, clGray);
    EXPECT_EQ(triangles[1].BrushColor, clBlack);

    canvas.Clear();
    table->SetColumnTitlesVisible(false);
    table->Draw(canvas, clBlack);
    int atTop = 0;
    for (const TCanvasRecord& line : canvas.RecordsOf(TCanvasOperation::Polyline))
        if (line.Points[0].Y == 13 && line.Points[1].Y == 13) ++atTop;
    EXPECT_EQ(atTop, 2);

    canvas.Clear();
    table->GetColumn(0)->Visible = false;
    table->Draw(canvas, clBlack);
    EXPECT_EQ(canvas.Count(TCanvasOperation::DrawText), 0);
    EXPECT_EQ(table->GridRect().Width(), 0);
}

TEST_F(PlotTableTest, EmptyTableTakesNoRoom) {
    table->RemoveAllRows();
    EXPECT_EQ(table->GetRequiredWidth(canvas), 0);
    table->Draw(canvas, clBlack);
    EXPECT_TRUE(canvas.Records().empty());
    table->SetHorizontal(true);
    EXPECT_EQ(table->GetRequiredWidth(canvas), 0);
}

TEST_F(PlotTableTest, HorizontalTableAsksForItsRows) {
    table->SetHorizontal(true);
    table->SetRowsMax(3);
    EXPECT_EQ(table->GetRequiredWidth(canvas), 3 * 19);
}

TEST_F(PlotTableTest, ClickSelectionAndMenu) {
    table->iMouseDown(mbLeft, {}, 150, 150, 0, 0, nullptr);
    table->iMouseUp(mbLeft, {}, 150, 150, 0, 0, false);
    EXPECT_EQ(plot.Host.Events.back(), "Click Table 1");
    table->SetUserSelected(true);
    table->NotificationSetFocus(table);
    EXPECT_TRUE(table->UserSelected());
    plot.Master->Add(K::Legend);
    plot.Master->Get(K::Legend, 0)->SetUserSelected(true);
    EXPECT_FALSE(table->UserSelected());
    table->AddMenuItems(plot.Host.PopupMenu());
    EXPECT_EQ(plot.Host.PopupMenu()->actions().size(), 1);
}

TEST_F(PlotTableTest, TableDeletedFromItsButtonsRepeatTouchesNoFreedMemory) {
    table->SetRowsMax(4);
    table->CalcRects(canvas);
    const TRect r = table->DownButton()->DrawRect();
    table->DownButton()->iMouseDown(mbLeft, {}, r.Left + 1, r.Top + 1, 0, 0, nullptr);
    plot.Host.OnInvalidateNowAction = [this] { plot.Master->DeleteTable(0); };
    plot.Host.AdvanceMilliseconds(600);
    EXPECT_EQ(plot.Master->TableCount(), 0);
}

} // namespace
