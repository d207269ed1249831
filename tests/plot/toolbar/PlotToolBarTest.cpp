#include "../axis/PlotAxisTestPlot.h"
#include "../objects/PlotTestKinds.h"
#include "platform/Bitmap.h"
#include "platform/Dialogs.h"
#include "platform/Exception.h"
#include "platform/PropertyDefaults.h"
#include "plot/iPlotToolBar.h"
#include "plot/iPlotToolBarImages.h"

#include <QSet>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

using K = TiPlotObjectKind;
using B = TiPlotToolBar::TButton;

// A toolbar in a plot with real axes, two stand-in data cursors, laid out in the top band of
// a plot 500 wide.
class PlotToolBarTest : public ::testing::Test {
protected:
    PlotToolBarTest() {
        plot.Master->RegisterObjectClass(K::DataCursor, PlotObjectClassOf<TestDataCursor>());
        plot.AddX();
        plot.AddY();
        plot.Master->Add(K::DataCursor);
        plot.Master->Add(K::DataCursor);
        bar = qobject_cast<TiPlotToolBar*>(
            plot.Master->Get(K::ToolBar, plot.Master->Add(K::ToolBar)));
        bar->SetDrawRect({2, 2, 497, 38});
        for (TiPlotAxis* axis : {plot.X(), plot.Y()})
            axis->SetMinSpan(0, 100);
    }

    TiPlotObject* Cursor(int index) { return plot.Master->Get(K::DataCursor, index); }
    TRect RectOf(B which) {
        bar->CalcButtonRects();
        return bar->Button(which)->DrawRect();
    }
    // A press and release in the middle of the button, found as the plot finds it.
    void Click(B which) {
        const TRect r = RectOf(which);
        const TPoint at{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
        TiPlotObject* target = bar->GetMouseObject(at.X, at.Y);
        ASSERT_EQ(target, bar->Button(which));
        target->iMouseDown(mbLeft, {}, at.X, at.Y, at.X, at.Y, plot.Host.PopupMenu());
        target->iMouseUp(mbLeft, {}, at.X, at.Y, at.X, at.Y, false);
    }
    std::vector<TRect> VisibleRects() {
        bar->CalcButtonRects();
        std::vector<TRect> rects;
        for (int i = 0; i < bar->GetButtonCount(); ++i)
            if (bar->GetButton(i)->Visible()) rects.push_back(bar->GetButton(i)->DrawRect());
        return rects;
    }

    TestAxisPlot plot;
    TiPlotToolBar* bar = nullptr;
    TRecordingCanvas canvas;
};

// The rectangles of consecutive entries of the given lengths, from x = 5 and y = 5.
std::vector<TRect> Strip(int size, std::initializer_list<int> lengths) {
    std::vector<TRect> rects;
    int x = 5;
    for (int length : lengths) {
        rects.push_back({x, 5, x + length, 5 + size});
        x += length;
    }
    return rects;
}

TEST_F(PlotToolBarTest, FreshToolBarHasItsDefaultsAndStoresOnlyItsName) {
    EXPECT_TRUE(bar->Horizontal());
    EXPECT_TRUE(bar->ShowResumeButton());
    EXPECT_TRUE(bar->ShowPauseButton());
    EXPECT_TRUE(bar->ShowAxesModeButtons());
    EXPECT_TRUE(bar->ShowZoomInOutButtons());
    EXPECT_FALSE(bar->ShowSelectButton());
    EXPECT_TRUE(bar->ShowZoomBoxButton());
    EXPECT_TRUE(bar->ShowCursorButton());
    EXPECT_TRUE(bar->ShowEditButton());
    EXPECT_TRUE(bar->ShowCopyButton() && bar->ShowSaveButton() && bar->ShowPrintButton());
    EXPECT_EQ(bar->ZoomInOutFactor(), 2);
    EXPECT_FALSE(bar->FlatBorder() || bar->FlatButtons() || bar->SmallButtons());
    EXPECT_TRUE(bar->Button(B::ScrollAxesMode)->Down());
    EXPECT_EQ(bar->GetAxesMode(), TiPlotAxis::ModeScroll);
    QStringList stored;
    for (const PropertyDescriptor& property : PropertyDefaults::ValuesToStore(bar))
        stored << property.Path;
    EXPECT_EQ(stored, QStringList({"Name"}));
    EXPECT_EQ(bar->Name(), "Toolbar 1");
}

TEST_F(PlotToolBarTest, ListHoldsTheButtonsAndSpacersInTheirOrder) {
    ASSERT_EQ(bar->GetButtonCount(), 18);
    QStringList hints;
    for (int i = 0; i < bar->GetButtonCount(); ++i)
        hints << (bar->GetButton(i)->Spacer() ? QStringLiteral("-") : bar->GetButton(i)->Hint());
    EXPECT_EQ(hints,
              QStringList({"Resume All (Tracking)", "Pause All (Tracking)", "-", "Scroll (Axes)",
                           "Zoom (Axes)", "-", "Zoom Out All Axes", "Zoom In All Axes", "-",
                           "Select", "Zoom Box", "Cursor", "-", "Properties", "-",
                           "Copy to Clipboard", "Save to File", "Print"}));
    EXPECT_EQ(bar->Button(B::ScrollAxesMode)->GroupIndex(), 2);
    EXPECT_EQ(bar->Button(B::Select)->GroupIndex(), -1);
    EXPECT_EQ(bar->Button(B::ZoomBox)->GroupIndex(), -1);
    EXPECT_EQ(bar->Button(B::Cursor)->GroupIndex(), -2);
    EXPECT_EQ(bar->Button(B::Print)->ImageName(), "PRINTER");
    EXPECT_THROW(bar->GetButton(18), Exception);
}

TEST_F(PlotToolBarTest, ZoomFactorBelowOneBecomesOneAndNaNIsRefused) {
    bar->SetZoomInOutFactor(0.5);
    EXPECT_EQ(bar->ZoomInOutFactor(), 1);
    bar->SetZoomInOutFactor(3);
    bar->SetZoomInOutFactor(std::nan(""));
    EXPECT_EQ(bar->ZoomInOutFactor(), 3);
    bar->SetZoomInOutFactor(std::numeric_limits<double>::infinity());
    EXPECT_EQ(bar->ZoomInOutFactor(), TiPlotToolBar::MaxZoomInOutFactor);
    // Zooming in by the largest factor still gives a valid span.
    bar->DoButtonClickZoomIn();
    EXPECT_GT(plot.X()->Span(), 0);
}

TEST_F(PlotToolBarTest, LargeButtonsAre30PixelsInA36PixelStrip) {
    EXPECT_EQ(bar->GetRequiredWidth(canvas), 36);
    EXPECT_EQ(VisibleRects(),
              Strip(30, {30, 30, 10, 30, 30, 10, 30, 30, 10, 30, 30, 10, 30, 10, 30, 30, 30}));
}

TEST_F(PlotToolBarTest, SmallButtonsAre22PixelsInA28PixelStripWithSmallPictures) {
    bar->Draw(canvas, clBlack);
    EXPECT_EQ(bar->Images().Count(), 12);
    const int changes = plot.Host.Changes;
    bar->SetSmallButtons(true);
    EXPECT_GT(plot.Host.Changes, changes);
    EXPECT_EQ(bar->GetRequiredWidth(canvas), 28);
    EXPECT_EQ(VisibleRects(),
              Strip(22, {22, 22, 10, 22, 22, 10, 22, 22, 10, 22, 22, 10, 22, 10, 22, 22, 22}));
    EXPECT_EQ(bar->Images().Count(), 0);
    for (int i = 0; i < bar->GetButtonCount(); ++i) {
        const TiPlotToolBarButton* button = bar->GetButton(i);
        EXPECT_EQ(button->ImageIndex(), -1);
        EXPECT_TRUE(button->Spacer() || button->ImageName().startsWith("SMALL"));
    }
    EXPECT_EQ(bar->Button(B::ZoomBox)->ImageName(), "SMALLSCROLLBOX");
    bar->Draw(canvas, clBlack);
    EXPECT_EQ(bar->Images().Image(0)->Width(), 16);
    bar->SetSmallButtons(false);
    EXPECT_EQ(bar->Button(B::ZoomBox)->ImageName(), "SCROLLBOX");
}

TEST_F(PlotToolBarTest, HiddenButtonsTakeTheirSpacersWithThem) {
    bar->SetShowZoomInOutButtons(false);
    bar->SetShowSelectButton(true);
    bar->SetShowZoomBoxButton(false);
    bar->SetShowCursorButton(false);
    // Resume, pause, spacer, scroll, zoom, spacer, select, properties, spacer, copy, save,
    // print: no spacer after the zoom buttons nor after select alone.
    EXPECT_EQ(VisibleRects(), Strip(30, {30, 30, 10, 30, 30, 10, 30, 30, 10, 30, 30, 30}));
    EXPECT_EQ(RectOf(B::Select), Rect(145, 5, 175, 35));
    bar->SetShowResumeButton(false);
    bar->SetShowPauseButton(false);
    bar->SetShowEditButton(false);
    EXPECT_EQ(VisibleRects(), Strip(30, {30, 30, 10, 30, 30, 30, 30}));
}

TEST_F(PlotToolBarTest, VerticalToolBarStacksItsButtonsDownwards) {
    bar->SetHorizontal(false);
    bar->SetDrawRect({10, 20, 46, 400});
    EXPECT_EQ(RectOf(B::Resume), Rect(13, 23, 43, 53));
    EXPECT_EQ(RectOf(B::ScrollAxesMode), Rect(13, 93, 43, 123));
}

TEST_F(PlotToolBarTest, PointFindsTheVisibleButtonUnderItElseTheToolBar) {
    EXPECT_EQ(bar->GetMouseObject(5, 5), bar->Button(B::Resume));
    EXPECT_EQ(bar->GetMouseObject(34, 34), bar->Button(B::Resume));
    EXPECT_EQ(bar->GetMouseObject(35, 20), bar->Button(B::Pause));
    // A spacer and the strip's margin are the toolbar's.
    EXPECT_EQ(bar->GetMouseObject(70, 20), bar);
    EXPECT_EQ(bar->GetMouseObject(20, 3), bar);
    bar->SetShowResumeButton(false);
    EXPECT_EQ(bar->GetMouseObject(20, 20), bar->Button(B::Pause));
    EXPECT_EQ(bar->MouseObject(), bar->Button(B::Pause));
}

TEST_F(PlotToolBarTest, DrawFillsTheStripAndCentresEachPicture) {
    bar->Draw(canvas, clBlack);
    const auto fills = canvas.RecordsOf(TCanvasOperation::FillRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0].Rect, Rect(2, 2, 498, 38));
    EXPECT_EQ(fills[0].BrushColor, clBtnFace);
    const auto pictures = canvas.RecordsOf(TCanvasOperation::Draw);
    ASSERT_EQ(pictures.size(), 12u);
    EXPECT_EQ(pictures[0].Points[0], TPoint(8, 8));
    EXPECT_EQ(pictures[0].ImageSize, TSize(24, 24));
    // The scroll button starts down: sunken on the light face, its picture one pixel off.
    EXPECT_EQ(pictures[2].Points[0], TPoint(79, 9));
    const auto edges = canvas.RecordsOf(TCanvasOperation::DrawEdge);
    ASSERT_EQ(edges.size(), 13u);
    EXPECT_EQ(edges[0].Rect, Rect(2, 2, 497, 38));
    EXPECT_EQ(edges[3].Rect, Rect(75, 5, 105, 35));
    EXPECT_EQ(edges[3].EdgeStyle, TEdgeStyle::Sunken);
    EXPECT_EQ(edges[4].EdgeStyle, TEdgeStyle::Raised);
    EXPECT_EQ(fills[1].Rect, Rect(75, 5, 105, 35));
    EXPECT_EQ(fills[1].BrushColor, 0xEFEFEF);

    bar->SetFlatBorder(true);
    canvas.Clear();
    bar->Draw(canvas, clBlack);
    EXPECT_EQ(canvas.RecordsOf(TCanvasOperation::DrawEdge).size(), 12u);

    bar->SetVisible(false);
    canvas.Clear();
    bar->Draw(canvas, clBlack);
    EXPECT_TRUE(canvas.Records().empty());
}

TEST_F(PlotToolBarTest, FlatButtonsShowAnEdgeOnlyWhenHotOrDown) {
    bar->SetFlatButtons(true);
    bar->Draw(canvas, clBlack);
    EXPECT_EQ(canvas.RecordsOf(TCanvasOperation::DrawEdge).size(), 1u);
    // Only the scroll button, down: a lowered one-pixel edge, shadow on top and left.
    auto lines = canvas.RecordsOf(TCanvasOperation::Polyline);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].PenColor, clBtnShadow);
    EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{75, 34}, {75, 5}, {104, 5}}));
    EXPECT_EQ(lines[1].PenColor, clBtnHighlight);

    TiPlotToolBarButton* zoom = bar->Button(B::ZoomAxesMode);
    TiHintData hint;
    const int repaints = plot.Host.ImmediateRepaints;
    zoom->iMouseMove(hint, {}, 110, 10, 110, 10, false);
    EXPECT_TRUE(zoom->Hot());
    EXPECT_EQ(plot.Host.ImmediateRepaints, repaints + 1);
    canvas.Clear();
    bar->Draw(canvas, clBlack);
    lines = canvas.RecordsOf(TCanvasOperation::Polyline);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2].PenColor, clBtnHighlight);
    EXPECT_EQ(lines[2].Points[1], TPoint(105, 5));
    zoom->DoMouseNotOver();
    EXPECT_FALSE(zoom->Hot());
    EXPECT_EQ(plot.Host.ImmediateRepaints, repaints + 2);
}

TEST_F(PlotToolBarTest, HintIsTranslatedAndShownBelowTheButton) {
    plot.Master->AddTranslation(QStringLiteral("Zoom Box"), QStringLiteral("Zoom au cadre"));
    const TRect r = RectOf(B::ZoomBox);
    TiPlotObject* button = bar->GetMouseObject(r.Left + 2, r.Top + 2);
    TiHintData hint;
    button->iMouseMove(hint, {}, r.Left + 2, r.Top + 2, 0, 0, false);
    EXPECT_EQ(hint.Text, "Zoom au cadre");
    EXPECT_EQ(hint.Left, r.Left);
    EXPECT_EQ(hint.Top, r.Bottom + 3);
    // Not flat: becoming hot changes nothing on screen.
    EXPECT_EQ(plot.Host.ImmediateRepaints, 0);
}

TEST_F(PlotToolBarTest, ResumeAndPauseAreEnabledByTheAxesTracking) {
    bar->Draw(canvas, clBlack);
    EXPECT_FALSE(bar->Button(B::Resume)->Enabled());
    EXPECT_TRUE(bar->Button(B::Pause)->Enabled());
    Click(B::Pause);
    EXPECT_FALSE(plot.X()->TrackingEnabled());
    EXPECT_FALSE(plot.Y()->TrackingEnabled());
    bar->Draw(canvas, clBlack);
    EXPECT_TRUE(bar->Button(B::Resume)->Enabled());
    EXPECT_FALSE(bar->Button(B::Pause)->Enabled());
    // A disabled button takes no click.
    const TRect r = RectOf(B::Pause);
    bar->Button(B::Pause)->iMouseDown(mbLeft, {}, r.Left + 1, r.Top + 1, 0, 0, nullptr);
    EXPECT_FALSE(bar->Button(B::Pause)->MouseIsDown());
    plot.Y()->SetTrackingEnabled(true);
    bar->UpdateTrackingButtons();
    EXPECT_TRUE(bar->Button(B::Resume)->Enabled());
    EXPECT_TRUE(bar->Button(B::Pause)->Enabled());
}

TEST_F(PlotToolBarTest, ResumeReleasesCursorAndSelectAndTracksAgain) {
    bar->SetShowSelectButton(true);
    Click(B::Cursor);
    bar->DoButtonClickSelect();
    plot.X()->SetUserSelected(true);
    bar->Draw(canvas, clBlack);
    Click(B::Resume);
    EXPECT_FALSE(bar->GetCursorActive());
    EXPECT_FALSE(bar->GetSelectActive());
    EXPECT_FALSE(Cursor(0)->Visible());
    EXPECT_FALSE(plot.X()->UserSelected());
    EXPECT_FALSE(Cursor(0)->UserSelected());
    EXPECT_TRUE(plot.X()->TrackingEnabled());
    EXPECT_TRUE(plot.Y()->TrackingEnabled());
}

TEST_F(PlotToolBarTest, ZoomInHalvesEveryLinearSpanAboutItsCentre) {
    Click(B::ZoomIn);
    EXPECT_EQ(plot.X()->Min(), 25);
    EXPECT_EQ(plot.X()->Max(), 75);
    EXPECT_EQ(plot.Y()->Min(), 25);
    EXPECT_FALSE(plot.X()->TrackingEnabled());
    Click(B::ZoomOut);
    EXPECT_EQ(plot.X()->Min(), 0);
    EXPECT_EQ(plot.X()->Span(), 100);
    bar->SetZoomInOutFactor(4);
    bar->DoButtonClickZoomOut();
    EXPECT_EQ(plot.X()->Min(), -150);
    EXPECT_EQ(plot.X()->Span(), 400);
}

TEST_F(PlotToolBarTest, FactorOneStillPausesButKeepsTheSpans) {
    bar->SetZoomInOutFactor(1);
    bar->DoButtonClickZoomIn();
    EXPECT_FALSE(plot.X()->TrackingEnabled());
    EXPECT_EQ(plot.X()->Min(), 0);
    EXPECT_EQ(plot.X()->Span(), 100);
}

TEST_F(PlotToolBarTest, LogAxisZoomsByOneDecade) {
    TiPlotAxis* y = plot.Y();
    y->SetScaleType(ipstLog10);
    y->SetMinSpan(1, 2);
    const double min = y->Min();
    const double span = y->Span();
    bar->DoButtonClickZoomOut();
    EXPECT_DOUBLE_EQ(y->Min(), min / 10);
    EXPECT_DOUBLE_EQ(y->Span(), span * 10);
    bar->DoButtonClickZoomIn();
    EXPECT_DOUBLE_EQ(y->Min(), min);
    EXPECT_DOUBLE_EQ(y->Span(), span);
}

TEST_F(PlotToolBarTest, AxesModeButtonsExcludeEachOtherAndSetEveryAxis) {
    plot.AddX();
    Click(B::ZoomAxesMode);
    EXPECT_TRUE(bar->Button(B::ZoomAxesMode)->Down());
    EXPECT_FALSE(bar->Button(B::ScrollAxesMode)->Down());
    EXPECT_EQ(bar->GetAxesMode(), TiPlotAxis::ModeZoom);
    for (TiPlotAxis* axis : {plot.X(0), plot.X(1), plot.Y()})
        EXPECT_EQ(axis->Mode(), TiPlotAxis::ModeZoom);
    // Clicking the latched button again keeps it down.
    Click(B::ZoomAxesMode);
    EXPECT_TRUE(bar->Button(B::ZoomAxesMode)->Down());
    Click(B::ScrollAxesMode);
    EXPECT_FALSE(bar->Button(B::ZoomAxesMode)->Down());
    EXPECT_EQ(plot.X(1)->Mode(), TiPlotAxis::ModeScroll);
}

TEST_F(PlotToolBarTest, SelectAndZoomBoxExcludeEachOtherAndToggle) {
    bar->SetShowSelectButton(true);
    Click(B::Select);
    EXPECT_TRUE(bar->GetSelectActive());
    EXPECT_FALSE(plot.X()->TrackingEnabled());
    Click(B::ZoomBox);
    EXPECT_TRUE(bar->GetZoomBoxActive());
    EXPECT_FALSE(bar->GetSelectActive());
    Click(B::Select);
    EXPECT_TRUE(bar->GetSelectActive());
    EXPECT_FALSE(bar->GetZoomBoxActive());
    Click(B::Select);
    EXPECT_FALSE(bar->GetSelectActive());
    Click(B::ZoomBox);
    Click(B::ZoomBox);
    EXPECT_FALSE(bar->GetZoomBoxActive());
    // The zoom box button pauses nothing by itself.
    plot.X()->SetTrackingEnabled(true);
    Click(B::ZoomBox);
    EXPECT_TRUE(plot.X()->TrackingEnabled());
}

TEST_F(PlotToolBarTest, CursorButtonShowsAndHidesEveryDataCursor) {
    Click(B::Cursor);
    EXPECT_TRUE(bar->GetCursorActive());
    EXPECT_TRUE(Cursor(0)->Visible() && Cursor(1)->Visible());
    EXPECT_TRUE(Cursor(0)->UserSelected());
    EXPECT_FALSE(plot.X()->TrackingEnabled());
    EXPECT_FALSE(plot.Y()->TrackingEnabled());
    Click(B::Cursor);
    EXPECT_FALSE(bar->GetCursorActive());
    EXPECT_FALSE(Cursor(0)->Visible() || Cursor(1)->Visible());
    Click(B::Cursor);
    bar->TurnOffCursor();
    EXPECT_FALSE(Cursor(1)->Visible());
}

TEST_F(PlotToolBarTest, OutputButtonsAskThePlot) {
    int edits = 0;
    plot.Master->OnEditProperties = [&edits] { ++edits; };
    Click(B::Edit);
    EXPECT_EQ(edits, 1);
    Click(B::Copy);
    Click(B::Save);
    Click(B::Print);
    EXPECT_EQ(plot.Host.Events, (std::vector<QString>{"CopyToClipBoard", "Save", "PrintChart"}));
}

TEST_F(PlotToolBarTest, AFailedOutputIsShownToTheUserWhoClicked) {
    RecordingDialogs dialogs;
    ScopedDialogs installed(dialogs);
    plot.Host.OutputFailure = QStringLiteral("Unable to write file");
    for (B output : {B::Copy, B::Save, B::Print})
        Click(output);
    ASSERT_EQ(dialogs.Messages.size(), 3u);
    for (const RecordingDialogs::Message& message : dialogs.Messages) {
        EXPECT_EQ(message.Kind, TMessageKind::Error);
        EXPECT_EQ(message.Text, QStringLiteral("Unable to write file"));
    }
}

TEST_F(PlotToolBarTest, ReleaseOutsideTheButtonDoesNotClick) {
    const TRect r = RectOf(B::Cursor);
    TiPlotToolBarButton* cursor = bar->Button(B::Cursor);
    cursor->iMouseDown(mbLeft, {}, r.Left + 1, r.Top + 1, 0, 0, nullptr);
    canvas.Clear();
    bar->Draw(canvas, clBlack);
    // Pressed: drawn sunken although not down.
    EXPECT_EQ(canvas.RecordsOf(TCanvasOperation::DrawEdge)[8].EdgeStyle, TEdgeStyle::Sunken);
    cursor->iMouseUp(mbLeft, {}, r.Right + 5, r.Top + 1, 0, 0, false);
    EXPECT_FALSE(bar->GetCursorActive());
}

TEST_F(PlotToolBarTest, HandlerDeletingTheToolBarFromItsClickLeavesNothingDangling) {
    plot.Master->OnEditProperties = [this] { plot.Master->Delete(K::ToolBar, 0); };
    Click(B::Edit);
    EXPECT_EQ(plot.Master->Count(K::ToolBar), 0);
}

TEST_F(PlotToolBarTest, HandlerDeletingTheToolBarWhenTheCursorIsSelectedStopsTheClick) {
    plot.Host.OnGotFocusAction = [this](TiPlotObject*) { plot.Master->Delete(K::ToolBar, 0); };
    Click(B::Cursor);
    EXPECT_EQ(plot.Master->Count(K::ToolBar), 0);
    EXPECT_TRUE(Cursor(0)->UserSelected());
}

TEST_F(PlotToolBarTest, HandlerDeletingTheToolBarWhileZoomingStillZoomsEveryAxis) {
    plot.X()->OnMinSpanChange = [this](QObject*, double, double, double, double) {
        if (plot.Master->Count(K::ToolBar) > 0) plot.Master->Delete(K::ToolBar, 0);
    };
    Click(B::ZoomIn);
    EXPECT_EQ(plot.Master->Count(K::ToolBar), 0);
    EXPECT_EQ(plot.Y()->Min(), 25);
}

TEST_F(PlotToolBarTest, ToolBarLetsGoOfItsSelectionWhenAnotherObjectIsSelected) {
    bar->SetUserSelected(true);
    plot.X()->SetUserSelected(true);
    EXPECT_FALSE(bar->UserSelected());
}

TEST(PlotToolBarImages, EveryPictureHasItsSizeIsNotBlankAndDiffersFromTheOthers) {
    const QStringList names = ToolBarImageNames();
    ASSERT_EQ(names.size(), 26);
    QSet<QByteArray> seen;
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        std::unique_ptr<TBitmap> image = CreateToolBarImage(name);
        ASSERT_TRUE(image);
        const int size = name.startsWith("SMALL") ? 16 : 24;
        EXPECT_EQ(image->Width(), size);
        EXPECT_EQ(image->Height(), size);
        const QImage pixels = image->Image();
        int drawn = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                if (FromQColor(pixels.pixelColor(x, y)) != ToolBarImageMaskColor) ++drawn;
        // A fair part of the picture, and some mask left around it.
        EXPECT_GT(drawn, size * size / 16);
        EXPECT_LT(drawn, size * size);
        EXPECT_EQ(FromQColor(pixels.pixelColor(0, size - 1)), ToolBarImageMaskColor);
        const QByteArray bytes(reinterpret_cast<const char*>(pixels.constBits()),
                               pixels.sizeInBytes());
        EXPECT_FALSE(seen.contains(bytes));
        seen.insert(bytes);
    }
    EXPECT_FALSE(CreateToolBarImage(QStringLiteral("NOSUCHPICTURE")));
    EXPECT_TRUE(CreateToolBarImage(QStringLiteral("smallauto")));
}

TEST(PlotToolBarImages, GrayedPictureIsEtchedInShadowAndHighlight) {
    TiPlotToolBarImageList list;
    EXPECT_EQ(list.Add(QStringLiteral("NOSUCHPICTURE")), -1);
    ASSERT_EQ(list.Add(QStringLiteral("PAUSE")), 0);
    const QImage grayed = list.GrayedImage(0)->Image();
    QSet<TColor> colors;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x)
            colors.insert(FromQColor(grayed.pixelColor(x, y)));
    EXPECT_EQ(colors, (QSet<TColor>{ToolBarImageMaskColor, ColorToRGB(clBtnShadow),
                                    ColorToRGB(clBtnHighlight)}));
    EXPECT_EQ(list.GrayedImage(1), nullptr);
    TRecordingCanvas canvas;
    list.Draw(canvas, 3, 4, 5, true);
    EXPECT_TRUE(canvas.Records().empty());
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

} // namespace

// The list applies each picture's mask once when it is added; what it draws must stay what
// DrawTransparent draws from the picture, enabled and grayed.
TEST(PlotToolBarImageListTest, DrawsEachPictureAsDrawTransparentDoes) {
    TiPlotToolBarImageList list;
    const int index = list.Add(QStringLiteral("PRINTER"));
    ASSERT_GE(index, 0);
    for (const bool enabled : {true, false}) {
        QImage listed(40, 40, QImage::Format_RGB32), direct(40, 40, QImage::Format_RGB32);
        listed.fill(Qt::yellow);
        direct.fill(Qt::yellow);
        {
            TPainterCanvas canvas(listed);
            list.Draw(canvas, 3, 4, index, enabled);
            TPainterCanvas other(direct);
            other.DrawTransparent(3, 4, enabled ? *list.Image(index) : *list.GrayedImage(index),
                                  ToolBarImageMaskColor);
        }
        EXPECT_EQ(listed, direct) << enabled;
        QImage blank(40, 40, QImage::Format_RGB32);
        blank.fill(Qt::yellow);
        EXPECT_NE(listed, blank) << enabled;
    }
}
