// The legend inside a plot of the library's own axes and channels, measured and drawn on the
// recording canvas, where "0" is 7 x 13 pixels in every font.
#include "../objects/PlotTestHost.h"

#include "platform/PropertyDefaults.h"
#include "platform/RecordingCanvas.h"
#include "plot/channels/iPlotChannel.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotLegend.h"
#include "plot/iPlotMasterManager.h"

#include <gtest/gtest.h>
#include <limits>
#include <memory>

namespace {

using K = TiPlotObjectKind;
using Op = TCanvasOperation;

class PlotLegendTest : public testing::Test {
protected:
    PlotLegendTest() {
        host.SetMasterManager(master.get());
        master->Add(K::XAxis);
        master->Add(K::YAxis);
        legend = qobject_cast<TiPlotLegend*>(master->Get(K::Legend, master->Add(K::Legend)));
        legend->SetDrawRect({400, 0, 600, 400});
    }
    ~PlotLegendTest() override { host.SetMasterManager(nullptr); }

    TiPlotChannel* AddChannel() {
        return qobject_cast<TiPlotChannel*>(master->Get(K::Channel, master->Add(K::Channel)));
    }
    void AddChannels(int count) {
        for (int i = 0; i < count; ++i)
            AddChannel();
    }
    TiPlotChannel* Channel(int index) const {
        return qobject_cast<TiPlotChannel*>(master->Get(K::Channel, index));
    }
    TiPlotAxis* YAxis() const { return qobject_cast<TiPlotAxis*>(master->Get(K::YAxis, 0)); }
    // The item area holds exactly this many rows of 13 + 3 pixels.
    void RoomForRows(int rows) { legend->SetDrawRect({400, 0, 600, 13 + 16 * rows + 13}); }
    void Click(TiPlotButton* button) {
        const TRect r = button->DrawRect();
        button->iMouseDown(mbLeft, {}, r.Left + 1, r.Top + 1, 0, 0, nullptr);
        button->iMouseUp(mbLeft, {}, r.Left + 1, r.Top + 1, 0, 0, false);
        legend->CalcRects(canvas);
    }
    std::vector<QString> Texts() {
        std::vector<QString> texts;
        for (const TCanvasRecord& record : canvas.RecordsOf(Op::DrawText))
            for (const QString& line : record.Lines)
                texts.push_back(line);
        return texts;
    }
    std::vector<QString> PlacedTitles() const {
        std::vector<QString> titles;
        for (const TiPlotLegendItem& item : legend->Items())
            if (item.Placed()) titles.push_back(item.Channel->TitleText());
        return titles;
    }

    TestPlotHost host;
    std::unique_ptr<TiPlotMasterManager> master = std::make_unique<TiPlotMasterManager>(&host);
    TRecordingCanvas canvas;
    TiPlotLegend* legend = nullptr;
};

TEST_F(PlotLegendTest, FreshLegendStoresOnlyItsNameAndCountsStayAboveZero) {
    QStringList stored;
    for (const PropertyDescriptor& property : PropertyDefaults::ValuesToStore(legend))
        stored << property.Path;
    EXPECT_EQ(stored, QStringList({"Name"}));
    EXPECT_FALSE(legend->Horizontal());
    EXPECT_EQ(legend->Font()->Color(), clWhite);
    EXPECT_EQ(legend->SelectedItemFont()->Color(), clBlack);

    legend->SetWrapColDesiredCount(0);
    EXPECT_EQ(legend->WrapColDesiredCount(), 1);
    legend->SetWrapRowDesiredCount(-5);
    EXPECT_EQ(legend->WrapRowDesiredCount(), 1);
    legend->SetWrapColAutoCountMax(0);
    EXPECT_EQ(legend->WrapColAutoCountMax(), 1);
    legend->SetWrapRowAutoCountMax(std::numeric_limits<int>::min());
    EXPECT_EQ(legend->WrapRowAutoCountMax(), 1);

    legend->SetRowSpacing(0.5);
    EXPECT_EQ(legend->WrapRowSpacingMin(), 0.5);
    legend->SetWrapRowSpacingMin(0.75);
    EXPECT_EQ(legend->RowSpacing(), 0.75);
    EXPECT_EQ(legend->property("RowSpacing").toDouble(), 0.75);

    legend->SetMarginLeft(-3);
    legend->SetColumnSpacing(-1);
    legend->SetChannelNameMaxWidth(-2);
    legend->SetMarginTop(std::nan(""));
    legend->SetWrapColSpacingMin(1e300);
    EXPECT_EQ(legend->MarginLeft(), 0);
    EXPECT_EQ(legend->ColumnSpacing(), 0);
    EXPECT_EQ(legend->ChannelNameMaxWidth(), 0);
    EXPECT_EQ(legend->MarginTop(), 1);
    EXPECT_EQ(legend->WrapColSpacingMin(), TiPlotLegend::MaxCharacterFactor);
}

TEST_F(PlotLegendTest, RequiredWidthAndHeightOfAKnownFont) {
    AddChannels(3);
    // Margins 7 and 7; line 16, spacing round(3.5) = 4, title "Channel 1" 63.
    EXPECT_EQ(legend->GetRequiredWidth(canvas), 7 + 16 + 4 + 63 + 7);
    const TiPlotLegendMetrics& m = legend->Metrics();
    EXPECT_EQ(m.ColumnSpacing, 4);
    EXPECT_EQ(m.RowSpacing, 3);
    EXPECT_EQ(m.WrapSpacing, 26);
    EXPECT_EQ(m.ItemWidth, 83);
    EXPECT_EQ(m.Rows, 3);
    EXPECT_EQ(m.RequiredHeight, 13 + 3 * 16 - 3 + 13);
    EXPECT_EQ(legend->Items()[2].Top, 13 + 32);
    EXPECT_EQ(legend->Items()[2].Left, 407);

    // Two wrap columns of two rows: the second starts one item and one wrap spacing further.
    legend->SetWrapColDesiredCount(2);
    legend->SetWrapRowAutoCountEnabled(false);
    legend->SetWrapRowDesiredCount(2);
    AddChannel();
    EXPECT_EQ(legend->GetRequiredWidth(canvas), 7 + 83 + 26 + 83 + 7);
    EXPECT_EQ(legend->WrapColumnLefts(), (std::vector<int>{407, 407 + 83 + 26}));
    EXPECT_EQ(legend->Items()[3].WrapColumn, 2);
    EXPECT_EQ(legend->Items()[3].WrapRow, 2);

    // A caption row of 13 and a gap of 3; the title column is at least as wide as "Title".
    legend->SetColumnTitlesVisible(true);
    legend->SetCaptionColumnTitle("A very long caption");
    legend->SetHorizontal(true);
    legend->SetDrawRect({0, 300, 614, 400});
    EXPECT_EQ(legend->GetRequiredWidth(canvas), 13 + 13 + 3 + 2 * 16 - 3 + 13);
    EXPECT_EQ(legend->Metrics().ColumnWidth[size_t(TiPlotLegendColumn::Title)], 19 * 7);
}

TEST_F(PlotLegendTest, ChannelHiddenFromTheLegendLeavesNothingToDraw) {
    AddChannel()->SetVisibleInLegend(false);
    EXPECT_EQ(legend->GetRequiredWidth(canvas), 7 + 7);
    legend->SetBackGroundTransparent(false);
    legend->SetUserSelected(true);
    legend->Draw(canvas, clBlack);
    EXPECT_TRUE(canvas.Records().empty());
    EXPECT_TRUE(legend->Items().empty());
    EXPECT_EQ(legend->LastShownIndex(), -1);
}

TEST_F(PlotLegendTest, TwelveChannelsInFourRowsPageWithTheButtons) {
    AddChannels(12);
    RoomForRows(4);
    const int width = legend->GetRequiredWidth(canvas);
    EXPECT_EQ(legend->Metrics().Rows, 4);
    // "Channel 10" makes the title column 70 wide.
    EXPECT_EQ(width, 7 + 16 + 4 + 70 + 7 + TiPlotLegend::ButtonRoom);
    ASSERT_TRUE(legend->UpButton()->Visible());
    ASSERT_TRUE(legend->DownButton()->Visible());
    EXPECT_FALSE(legend->UpButton()->Enabled());
    EXPECT_TRUE(legend->DownButton()->Enabled());
    EXPECT_EQ(legend->UpButton()->DrawRect(), Rect(576, 13, 593, 30));
    EXPECT_EQ(legend->DownButton()->DrawRect(), Rect(576, 60, 593, 77));
    EXPECT_EQ(PlacedTitles(),
              (std::vector<QString>{"Channel 1", "Channel 2", "Channel 3", "Channel 4"}));

    const int repaints = host.ImmediateRepaints;
    for (int press = 0; press < 8; ++press)
        Click(legend->DownButton());
    EXPECT_GT(host.ImmediateRepaints, repaints);
    EXPECT_EQ(legend->ScrollIndex(), 8);
    EXPECT_EQ(PlacedTitles(),
              (std::vector<QString>{"Channel 9", "Channel 10", "Channel 11", "Channel 12"}));
    EXPECT_FALSE(legend->DownButton()->Enabled());
    EXPECT_TRUE(legend->UpButton()->Enabled());
    Click(legend->UpButton());
    EXPECT_EQ(legend->ScrollIndex(), 7);

    // Once all fit, the buttons go and the first channel shows again.
    legend->SetDrawRect({400, 0, 600, 400});
    legend->CalcRects(canvas);
    EXPECT_FALSE(legend->DownButton()->Visible());
    EXPECT_EQ(legend->ScrollIndex(), 0);
    EXPECT_EQ(legend->LastShownIndex(), 11);
}

TEST_F(PlotLegendTest, HeldDownButtonRepeatsAndScrollingPastTheEndIsClamped) {
    AddChannels(12);
    RoomForRows(4);
    legend->CalcRects(canvas);
    const TRect r = legend->DownButton()->DrawRect();
    ASSERT_EQ(legend->GetMouseObject(r.Left + 1, r.Top + 1), legend->DownButton());
    legend->DownButton()->iMouseDown(mbLeft, {}, r.Left + 1, r.Top + 1, 0, 0, nullptr);
    host.AdvanceMilliseconds(600);
    EXPECT_EQ(legend->ScrollIndex(), 3);
    legend->DownButton()->iMouseUp(mbLeft, {}, r.Left + 1, r.Top + 1, 0, 0, false);
    EXPECT_EQ(legend->ScrollIndex(), 4);
    legend->SetScrollIndex(50);
    legend->CalcRects(canvas);
    EXPECT_EQ(legend->ScrollIndex(), 11);
    EXPECT_EQ(legend->LastShownIndex(), 11);
}

TEST_F(PlotLegendTest, AreaOfTwoRowsStillLaysOutThree) {
    AddChannels(5);
    RoomForRows(2);
    legend->CalcRects(canvas);
    EXPECT_EQ(legend->Metrics().RowsFit, 2);
    EXPECT_EQ(legend->Metrics().Rows, 3);
    EXPECT_EQ(legend->LastShownIndex(), 2);
    EXPECT_TRUE(legend->DownButton()->Visible());
}

TEST_F(PlotLegendTest, AutomaticColumnsOfAVerticalLegendFollowTheRowsThatFit) {
    AddChannels(10);
    RoomForRows(4);
    legend->SetWrapColAutoCountEnabled(true);
    legend->CalcRects(canvas);
    EXPECT_EQ(legend->Metrics().WrapColumns, 3);
    EXPECT_EQ(legend->LastShownIndex(), 9);
    EXPECT_FALSE(legend->DownButton()->Visible());
    legend->SetWrapColAutoCountMax(2);
    legend->CalcRects(canvas);
    EXPECT_EQ(legend->Metrics().WrapColumns, 2);
    EXPECT_EQ(legend->LastShownIndex(), 7);
    EXPECT_TRUE(legend->DownButton()->Visible());
}

TEST_F(PlotLegendTest, HorizontalLegendSpreadsItsWrapColumnsOverTheWidth) {
    AddChannels(6);
    legend->SetHorizontal(true);
    legend->SetDrawRect({0, 300, 614, 400});
    legend->SetWrapColAutoCountEnabled(true);
    // Inner width 600: (600 - 25 + 26) div (26 + 83) = 5 columns fit; 6 items take 2 rows,
    // and 2 rows need only 3 columns.
    EXPECT_EQ(legend->GetRequiredWidth(canvas), 13 + 13 + 2 * 16 - 3);
    const TiPlotLegendMetrics& m = legend->Metrics();
    EXPECT_EQ(m.ColumnsFit, 5);
    EXPECT_EQ(m.Rows, 2);
    EXPECT_EQ(m.WrapColumns, 3);
    // (600 - 25 - 3 x 83) / 2.
    EXPECT_EQ(m.WrapSpacing, 163);
    EXPECT_EQ(legend->WrapColumnLefts(), (std::vector<int>{7, 253, 499}));
    legend->SetWrapColSpacingAuto(false);
    legend->CalcRects(canvas);
    EXPECT_EQ(legend->WrapColumnLefts(), (std::vector<int>{7, 116, 225}));
    // Fewer rows than three with items left over are made three.
    legend->SetWrapRowAutoCountEnabled(false);
    legend->SetWrapRowDesiredCount(1);
    legend->SetWrapColAutoCountEnabled(false);
    legend->CalcRects(canvas);
    EXPECT_EQ(m.Rows, 3);
    EXPECT_EQ(m.WrapColumns, 1);
    EXPECT_TRUE(legend->DownButton()->Visible());
}

TEST_F(PlotLegendTest, AutomaticRowSpacingSpreadsTheFirstColumnOverTheHeight) {
    AddChannels(3);
    legend->SetWrapRowSpacingAuto(true);
    legend->CalcRects(canvas);
    // Item area 13..387: (374 - 3 x 13) / 2 = 167.5, rounded to even.
    EXPECT_EQ(legend->Metrics().RowSpacing, 168);
    EXPECT_EQ(legend->Items()[1].Top, 13 + 13 + 168);
    EXPECT_EQ(legend->Items()[2].Top, 13 + 2 * (13 + 168));
}

TEST_F(PlotLegendTest, CellTextsOfChannelsAndAxes) {
    TiPlotChannel* plain = AddChannel();
    TiPlotChannel* loose = AddChannel();
    plain->SetTitleText("   ");
    EXPECT_EQ(legend->GetTitleText(*plain), "Channel 1");
    EXPECT_EQ(legend->GetXAxisNameText(*plain), "X-Axis 1");
    YAxis()->SetTitle(" ");
    EXPECT_EQ(legend->GetYAxisNameText(*plain), "Y-Axis 1");
    YAxis()->SetTitle("Volts");
    EXPECT_EQ(legend->GetYAxisNameText(*plain), "Volts");
    EXPECT_EQ(legend->GetYAxisMaxText(*plain), "Empty");
    EXPECT_EQ(legend->GetXAxisValueText(*plain), "Empty");
    plain->AddXY(2, 5);
    plain->AddXY(4, 1);
    EXPECT_EQ(legend->GetYAxisMaxText(*plain), YAxis()->GetLegendText(5));
    EXPECT_EQ(legend->GetYAxisMinText(*plain), YAxis()->GetLegendText(1));
    EXPECT_EQ(legend->GetYAxisMeanText(*plain), YAxis()->GetLegendText(3));
    EXPECT_EQ(legend->GetYAxisValueText(*plain), YAxis()->GetLegendText(1));

    loose->SetYAxisName("<None>");
    loose->AddXY(1, 1);
    EXPECT_EQ(legend->GetYAxisMaxText(*loose), "N/A");
    EXPECT_EQ(legend->GetYAxisValueText(*loose), "N/A");
    EXPECT_EQ(legend->GetYAxisNameText(*loose), "None");

    master->AddTranslation("N/A", "n. d.");
    master->AddTranslation("None", "Aucun");
    EXPECT_EQ(legend->GetYAxisMaxText(*loose), "n. d.");
    EXPECT_EQ(legend->GetYAxisNameText(*loose), "Aucun");
}

TEST_F(PlotLegendTest, CursorValuesModeShowsTheCursorTextsInTheValueColumns) {
    TiPlotChannel* channel = AddChannel();
    channel->AddXY(1, 2);
    channel->GetDataCursorDisplayText(ipcsValueXY, 1, 2, ipdpsValid);
    const QString xText = channel->DataCursorXText();
    ASSERT_FALSE(xText.isEmpty());
    legend->SetCursorValuesMode(true);
    legend->CalcRects(canvas);
    const TiPlotLegendMetrics& m = legend->Metrics();
    EXPECT_TRUE(m.ColumnShown[size_t(TiPlotLegendColumn::XValue)]);
    EXPECT_TRUE(m.ColumnShown[size_t(TiPlotLegendColumn::YValue)]);
    EXPECT_EQ(legend->GetXAxisValueText(*channel), xText);
    EXPECT_EQ(legend->GetYAxisValueText(*channel), channel->DataCursorYText());
    legend->Draw(canvas, clBlack);
    const std::vector<QString> texts = Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), xText), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), channel->DataCursorYText()), texts.end());

    legend->SetCursorValuesMode(false);
    legend->CalcRects(canvas);
    EXPECT_FALSE(legend->Metrics().ColumnShown[size_t(TiPlotLegendColumn::XValue)]);
}

TEST_F(PlotLegendTest, DrawsSamplesTitlesAndRightAlignedValues) {
    TiPlotChannel* channel = AddChannel();
    channel->SetColor(clLime);
    channel->SetTraceLineStyle(iplsDash);
    legend->SetShowColumnYMax(true);
    legend->SetBackGroundTransparent(false);
    legend->Draw(canvas, clBlack);

    const auto fills = canvas.RecordsOf(Op::FillRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0].Rect, legend->DrawRect());
    EXPECT_EQ(fills[0].BrushColor, clGray);

    // Two dashes on three rows around y = 13 + 6, from x = 407.
    std::vector<std::pair<int, int>> pieces;
    for (const TCanvasRecord& line : canvas.RecordsOf(Op::Polyline)) {
        EXPECT_EQ(line.PenColor, clLime);
        if (line.Points[0].Y == 19) pieces.push_back({line.Points[0].X, line.Points[1].X});
    }
    EXPECT_EQ(pieces, (std::vector<std::pair<int, int>>{{407, 412}, {415, 420}}));
    EXPECT_EQ(canvas.Count(Op::Polyline), 6);

    const auto texts = canvas.RecordsOf(Op::DrawText);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].Lines, std::vector<QString>{"Channel 1"});
    EXPECT_EQ(texts[0].Rect, Rect(427, 13, 427 + 63 + 1, 26));
    EXPECT_EQ(texts[0].FontColor, clWhite);
    EXPECT_EQ(channel->LegendRect(), Rect(427, 13, 491, 26));
    EXPECT_EQ(texts[1].Lines, std::vector<QString>{"Empty"});
    EXPECT_TRUE(texts[1].Format & tfRight);
    EXPECT_EQ(texts[1].Rect, Rect(427 + 63 + 4, 13, 427 + 63 + 4 + 35, 26));
}

TEST_F(PlotLegendTest, SelectionColoursCaptionsMarkerAndFocus) {
    TiPlotChannel* channel = AddChannel();
    channel->SetMarkersStyle(ipmsSquare);
    channel->SetMarkersVisible(true);
    channel->SetMarkersSize(10);
    legend->SetShowColumnMarker(true);
    legend->SetColumnTitlesVisible(true);
    legend->SetShowColumnYAxisTitle(true);
    channel->SetUserSelected(true);
    legend->Draw(canvas, clBlack);
    const auto fills = canvas.RecordsOf(Op::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].BrushColor, clYellow);
    EXPECT_EQ(fills[0].Rect, channel->LegendRect());
    bool selectedTitle = false;
    bool centredCaption = false;
    for (const TCanvasRecord& text : canvas.RecordsOf(Op::DrawText)) {
        if (text.Lines == std::vector<QString>{"Channel 1"})
            selectedTitle = text.FontColor == clBlack;
        if (text.Lines == std::vector<QString>{"Y-Axis"})
            centredCaption = (text.Format & tfCenter) && text.FontColor == clAqua;
    }
    EXPECT_TRUE(selectedTitle);
    EXPECT_TRUE(centredCaption);
    // The sample, at most 6 large, in the middle of its column after the line column, half a
    // row below the caption row and its gap.
    const auto markers = canvas.RecordsOf(Op::Rectangle);
    ASSERT_EQ(markers.size(), 1u);
    EXPECT_EQ(markers[0].Rect, Rect(435 - 6, 35 - 6, 435 + 6, 35 + 6));

    canvas.Clear();
    legend->SetUserSelected(true);
    legend->Draw(canvas, clBlack);
    const auto focus = canvas.RecordsOf(Op::DrawFocusRect);
    ASSERT_EQ(focus.size(), 1u);
    EXPECT_EQ(focus[0].Rect, Rect(402, 0, 598, 400));
}

TEST_F(PlotLegendTest, LimitedTitleWidthWrapsTitlesIntoTallerRows) {
    AddChannel();
    AddChannel()->SetTitleText("Short");
    legend->SetChannelNameMaxWidth(7);
    legend->CalcRects(canvas);
    EXPECT_EQ(legend->Metrics().ColumnWidth[size_t(TiPlotLegendColumn::Title)], 49);
    EXPECT_EQ(legend->Items()[0].Height, 26);
    EXPECT_EQ(legend->Items()[1].Height, 13);
    EXPECT_EQ(legend->Metrics().ItemHeight, 26);
    EXPECT_EQ(legend->Items()[1].Top, 13 + 26 + 3);
}

TEST_F(PlotLegendTest, HitTestingPrefersButtonsThenRowsThenTheLegend) {
    AddChannels(12);
    RoomForRows(4);
    legend->Draw(canvas, clBlack);
    const TRect up = legend->UpButton()->DrawRect();
    EXPECT_EQ(legend->GetMouseObject(up.Left, up.Top), legend->UpButton());
    EXPECT_EQ(legend->MouseObject(), legend->UpButton());
    const TRect row = Channel(1)->LegendRect();
    EXPECT_EQ(legend->GetMouseObject(row.Left + 2, row.Top + 2), Channel(1));
    // Rows scrolled out of view are not hit where they once were.
    EXPECT_TRUE(Channel(5)->LegendRect().IsEmpty());
    EXPECT_EQ(legend->GetMouseObject(401, 1), legend);

    // A channel the pointer was over is forgotten when it goes.
    legend->GetMouseObject(row.Left + 2, row.Top + 2);
    master->Delete(K::Channel, 1);
    EXPECT_EQ(legend->MouseObject(), nullptr);
    EXPECT_EQ(legend->Items()[1].Channel, nullptr);
}

TEST_F(PlotLegendTest, LabelHandlerDeletingTheChannelOrTheLegendMidwayIsSurvived) {
    AddChannels(3);
    legend->SetShowColumnYMax(true);
    legend->SetShowColumnYMean(true);
    for (int i = 0; i < 3; ++i)
        Channel(i)->AddXY(i, i);
    int calls = 0;
    YAxis()->OnCustomizeLabel = [&](QObject*, double, QString&) {
        if (++calls == 5) master->Delete(K::Channel, 1);
    };
    legend->Draw(canvas, clBlack);
    EXPECT_EQ(master->Count(K::Channel), 2);
    legend->Draw(canvas, clBlack);
    EXPECT_EQ(legend->Items().size(), 2u);

    calls = 0;
    YAxis()->OnCustomizeLabel = [&](QObject*, double, QString&) {
        if (++calls == 1) master->Delete(K::Legend, 0);
    };
    legend->Draw(canvas, clBlack);
    EXPECT_EQ(master->Count(K::Legend), 0);
}

TEST_F(PlotLegendTest, ScrollButtonsShowWhetherTheyCanScroll) {
    AddChannels(12);
    RoomForRows(4);
    legend->Draw(canvas, clBlack);
    const auto triangles = canvas.RecordsOf(Op::Polygon);
    ASSERT_EQ(triangles.size(), 2u);
    // Up, disabled, points up from its centre (584, 21); down, enabled, points down.
    EXPECT_EQ(triangles[0].BrushColor, clGray);
    EXPECT_EQ(triangles[0].Points, (std::vector<TPoint>{{580, 23}, {588, 23}, {584, 19}}));
    EXPECT_EQ(triangles[1].BrushColor, clBlack);
    EXPECT_EQ(triangles[1].Points, (std::vector<TPoint>{{580, 66}, {588, 66}, {584, 70}}));
}

// Rows drawn once stayed where they were: a click where a hidden or deleted legend had been
// still selected its channels.
TEST_F(PlotLegendTest, HiddenLegendLeavesNoRowsToHit) {
    TiPlotChannel* channel = AddChannel();
    legend->Draw(canvas, clBlack);
    ASSERT_FALSE(channel->LegendRect().IsEmpty());
    legend->SetVisible(false);
    legend->Draw(canvas, clBlack);
    EXPECT_TRUE(channel->LegendRect().IsEmpty());
    legend->SetVisible(true);
    legend->Draw(canvas, clBlack);
    channel->SetVisibleInLegend(false);
    legend->Draw(canvas, clBlack);
    EXPECT_TRUE(channel->LegendRect().IsEmpty());
    channel->SetVisibleInLegend(true);
    legend->Draw(canvas, clBlack);
    master->Delete(K::Legend, 0);
    EXPECT_TRUE(channel->LegendRect().IsEmpty());
}

TEST_F(PlotLegendTest, CaptionsPassThroughTheTranslation) {
    AddChannel();
    legend->SetColumnTitlesVisible(true);
    legend->SetShowColumnYMean(true);
    master->AddTranslation("Title", "Titre");
    master->AddTranslation("Y-Mean", "Y moyen");
    master->AddTranslation("Empty", "Vide");
    legend->Draw(canvas, clBlack);
    EXPECT_EQ(Texts(), (std::vector<QString>{"Titre", "Y moyen", "Channel 1", "Vide"}));
    // The mean column is as wide as its translated caption.
    EXPECT_EQ(legend->Metrics().ColumnWidth[size_t(TiPlotLegendColumn::YMean)], 7 * 7);
}

TEST_F(PlotLegendTest, ClickReportsTheLegendAndOtherSelectionsClearIt) {
    AddChannel();
    legend->iMouseDown(mbLeft, {}, 500, 200, 0, 0, nullptr);
    legend->iMouseUp(mbLeft, {}, 500, 200, 0, 0, false);
    EXPECT_EQ(host.Events.back(), "Click Legend 1");
    const size_t events = host.Events.size();
    legend->iMouseDown(mbLeft, {}, 500, 200, 0, 0, nullptr);
    legend->iMouseUp(mbLeft, {}, 50, 200, 0, 0, false);
    EXPECT_EQ(host.Events.size(), events);

    legend->SetUserSelected(true);
    legend->NotificationSetFocus(legend);
    EXPECT_TRUE(legend->UserSelected());
    Channel(0)->SetUserSelected(true);
    EXPECT_FALSE(legend->UserSelected());
    legend->AddMenuItems(host.PopupMenu());
    EXPECT_EQ(host.PopupMenu()->actions().size(), 1);
}

// The fitting counts divided by the spacing plus the row height or item width, which nothing
// kept above zero; a legend listing nothing asked for a negative width.
TEST_F(PlotLegendTest, NoSettingDividesByZeroOrAsksForNegativeRoom) {
    legend->SetWrapColAutoCountEnabled(true);
    legend->SetWrapColAutoCountMax(0);
    legend->SetRowSpacing(0);
    legend->SetWrapColSpacingMin(0);
    EXPECT_EQ(legend->GetRequiredWidth(canvas), 14);
    legend->SetHorizontal(true);
    EXPECT_EQ(legend->GetRequiredWidth(canvas), 26);

    AddChannel()->SetTitleText("");
    Channel(0)->SetName("");
    legend->SetShowColumnLine(false);
    legend->SetColumnSpacing(0);
    legend->SetMarginLeft(0);
    legend->SetMarginRight(0);
    legend->SetDrawRect({0, 0, 0, 0});
    legend->SetChannelNameMaxWidth(1e-9);
    EXPECT_GE(legend->GetRequiredWidth(canvas), 0);
    EXPECT_EQ(legend->Metrics().ItemWidth, 0);
    legend->SetHorizontal(false);
    EXPECT_GE(legend->GetRequiredWidth(canvas), 0);
    EXPECT_EQ(legend->Metrics().WrapColumns, 1);
    EXPECT_EQ(legend->Metrics().Rows, 1);

    legend->SetDrawRect({500, 500, 0, 0});
    legend->SetShowColumnLine(true);
    legend->SetChannelNameMaxWidth(0);
    legend->SetWrapColAutoCountEnabled(false);
    legend->SetWrapColDesiredCount(std::numeric_limits<int>::max());
    legend->SetWrapColAutoCountMax(std::numeric_limits<int>::max());
    legend->SetWrapRowAutoCountEnabled(false);
    legend->SetWrapRowDesiredCount(std::numeric_limits<int>::max());
    EXPECT_EQ(legend->GetRequiredWidth(canvas), MaxPixelExtent);
    legend->SetHorizontal(true);
    EXPECT_EQ(legend->GetRequiredWidth(canvas), MaxPixelExtent);
    legend->Draw(canvas, clBlack);
}

TEST_F(PlotLegendTest, LegendDeletedFromItsButtonsRepeatTouchesNoFreedMemory) {
    AddChannels(12);
    RoomForRows(4);
    legend->CalcRects(canvas);
    const TRect r = legend->DownButton()->DrawRect();
    legend->DownButton()->iMouseDown(mbLeft, {}, r.Left + 1, r.Top + 1, 0, 0, nullptr);
    host.OnInvalidateNowAction = [this] { master->Delete(K::Legend, 0); };
    host.AdvanceMilliseconds(600);
    EXPECT_EQ(master->Count(K::Legend), 0);
}

} // namespace
