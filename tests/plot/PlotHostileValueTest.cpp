// Every plot object class through the hostile-value test. Plot objects are not widgets: each
// lives in a plot with an axis of each kind, a channel, the title and a filled table, and is
// laid out, drawn and given input through its own operations, as the plot control does.
#include "HostileValues.h"
#include "axis/PlotAxisTestPlot.h"
#include "platform/Bitmap.h"
#include "platform/Font.h"
#include "platform/FontSubstitution.h"
#include "plot/channels/iPlotChannel.h"
#include "plot/iPlot.h"
#include "plot/iPlotAnnotation.h"
#include "plot/iPlotDataCursor.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotLabel.h"
#include "plot/iPlotLayoutManager.h"
#include "plot/iPlotLegend.h"
#include "plot/iPlotLimit.h"
#include "plot/iPlotTable.h"
#include "plot/iPlotToolBar.h"
#include "plot/iPlotTranslation.h"
#include "plot/iXYPlot.h"

#include <QMenu>
#include <QPointer>

namespace {

using K = TiPlotObjectKind;

// Owns the plot the object under test lives in.
class HostilePlot : public QObject {
public:
    HostilePlot() {
        // The library's own channel, not the test plot's stand-in.
        TiPlotChannel::RegisterWith(*plot.Master);
        for (K kind : {K::XAxis, K::YAxis, K::Channel, K::Label, K::Table, K::ToolBar, K::DataView,
                       K::DataCursor})
            plot.Master->Add(kind);
        TiPlotTable* table = plot.Master->GetTable(0);
        for (const char* title : {"Name", "Value", "Unit"})
            table->AddColumn(QString::fromLatin1(title));
        // More rows than fit, so the scroll buttons show and repeat.
        for (int row = 0; row < 60; ++row)
            table->SetData(row % 3, table->AddRow(), QStringLiteral("cell %1").arg(row));
        auto* channel = qobject_cast<TiPlotChannel*>(plot.Master->Get(K::Channel, 0));
        // Few points: polynomial and rational traces interpolate over every held point.
        for (int i = 0; i < 40; ++i)
            channel->AddXY(i, (i % 17) - 8.0);
        channel->AddXNull(40);
    }

    TestAxisPlot plot;
};

TestPlotHost& HostOf(TiPlotObject& object) {
    return static_cast<TestPlotHost&>(*object.Owner());
}

void DrawAll(TiPlotMasterManager& master, TCanvas& canvas) {
    for (int kind = 0; kind < PlotObjectKindCount; ++kind)
        for (int i = 0; i < master.Count(K(kind)); ++i) {
            TiPlotObject* object = master.Get(K(kind), i);
            object->DrawSetup(canvas);
            object->Draw(canvas, clBlack);
        }
}

void Click(TiPlotObject& object, TestPlotHost& host, TMouseButton button, TPoint at) {
    TiPlotObject* target = object.GetMouseObject(at.X, at.Y);
    if (!target) return;
    target->GetMousePointer(at);
    TiHintData hint;
    target->iMouseMove(hint, {}, at.X, at.Y, at.X, at.Y, false);
    target->iMouseDown(button, {}, at.X, at.Y, at.X, at.Y, host.PopupMenu());
    for (const TPoint& to : {TPoint{0, 0}, TPoint{-5, -5}, TPoint{at.X + 7, at.Y - 3}, at})
        target->iMouseMove(hint, {}, to.X, to.Y, to.X, to.Y, false);
    // Held long enough to auto-repeat.
    host.AdvanceMilliseconds(600);
    target->iMouseUp(button, {}, at.X, at.Y, at.X, at.Y, false);
}

// The menu an object fills when right-clicked, every item chosen.
void ChooseEveryMenuItem(TestPlotHost& host) {
    QList<QPointer<QAction>> items;
    for (QAction* item : host.PopupMenu()->actions())
        items << item;
    for (const QPointer<QAction>& item : items)
        if (item && item->isEnabled()) item->trigger();
}

// The buttons an object passes its presses to: scroll buttons held to auto-repeat, and a
// toolbar's buttons, each of which acts on the whole plot.
std::vector<TiPlotButton*> Buttons(TiPlotObject& object) {
    if (const auto* toolBar = qobject_cast<TiPlotToolBar*>(&object)) {
        std::vector<TiPlotButton*> buttons;
        for (int i = 0; i < toolBar->GetButtonCount(); ++i)
            buttons.push_back(toolBar->GetButton(i));
        return buttons;
    }
    if (const auto* table = qobject_cast<TiPlotTable*>(&object))
        return {table->UpButton(), table->DownButton()};
    if (const auto* legend = qobject_cast<TiPlotLegend*>(&object))
        return {legend->UpButton(), legend->DownButton()};
    return {};
}

void SendInput(TiPlotObject& object) {
    TestPlotHost& host = HostOf(object);
    const auto* layout = qobject_cast<TiPlotLayoutObject*>(&object);
    const auto* annotation = qobject_cast<TiPlotAnnotation*>(&object);
    const TRect rect = layout ? layout->DrawRect() : annotation ? annotation->HitRect() : TRect{};
    const TPoint centre{rect.Left / 2 + rect.Right / 2, rect.Top / 2 + rect.Bottom / 2};
    object.SetUserSelected(true);
    for (TiPlotButton* button : Buttons(object)) {
        const TRect face = button->DrawRect();
        Click(object, host, mbLeft, {face.Left + 2, face.Top + 2});
    }
    for (const TPoint& at :
         {centre, TPoint{rect.Left, rect.Top}, TPoint{rect.Right - 1, rect.Bottom - 1}})
        Click(object, host, mbLeft, at);
    TiPlotMouseData data;
    data.X = centre.X;
    data.Y = centre.Y;
    data.CalcAxisPixels(object.XYAxesReversed());
    object.iMouseHitTest(data);
    object.DoMouseDoubleClick(data);
    object.iMouseUp(mbLeft, {}, centre.X, centre.Y, centre.X, centre.Y, true);
    object.iMouseWheel(120, {}, centre);
    object.iMouseWheel(-120, {}, centre);
    for (uint16_t key : {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT, VK_HOME, VK_END,
                         VK_TAB, VK_RETURN, VK_ESCAPE, VK_SPACE, uint16_t('A')})
        object.iKeyDown(key, {});
    Click(object, host, mbRight, centre);
    ChooseEveryMenuItem(host);
    object.SetUserSelected(false);
}

// Kept for the whole run, as the plot control keeps its frame.
TBitmap& LargePicture() {
    static TBitmap* picture = [] {
        auto* bitmap = new TBitmap;
        bitmap->SetSize(4000, 300);
        return bitmap;
    }();
    return *picture;
}

// The plot control's paint and input at the three sizes of the controls' test.
void ExercisePlotObject(QObject& subject) {
    auto& object = static_cast<TiPlotObject&>(subject);
    TestPlotHost& host = HostOf(object);
    TiPlotMasterManager& master = *host.GetMasterManager();
    for (const TSize& size : {TSize{0, 0}, TSize{1, 1}, TSize{4000, 300}}) {
        host.Frame.Width = size.cx;
        host.Frame.Height = size.cy;
        TRecordingCanvas canvas(size);
        master.GetLayoutManager()->CalcLayout(canvas);
        DrawAll(master, canvas);
        SendInput(object);
    }
    // Once more with the fonts as they are, where the recording canvas has fixed metrics.
    TCanvas& pixels = *LargePicture().Canvas();
    master.GetLayoutManager()->CalcLayout(pixels);
    DrawAll(master, pixels);
    // And with X axes running vertically.
    master.SetXYAxesReverse(true);
    TRecordingCanvas reversed({300, 4000});
    master.GetLayoutManager()->CalcLayout(reversed);
    DrawAll(master, reversed);
    SendInput(object);
    master.SetXYAxesReverse(false);
}

template <typename T> THostileCase PlotObject(const QString& name, K kind) {
    return {
        name, [](QWidget*) -> std::unique_ptr<QObject> { return std::make_unique<HostilePlot>(); },
        ExercisePlotObject,
        [kind](QObject& keeper) -> QObject* {
            return qobject_cast<T*>(static_cast<HostilePlot&>(keeper).plot.Master->Get(kind, 0));
        }};
}

THostileCase DataView() {
    return {"TiPlotDataViewHorz",
            [](QWidget*) -> std::unique_ptr<QObject> { return std::make_unique<HostilePlot>(); },
            ExercisePlotObject,
            [](QObject& keeper) -> QObject* {
                return static_cast<HostilePlot&>(keeper)
                    .plot.Master->GetLayoutManager()
                    ->DataViewHorz();
            }};
}

// A legend listing more channels than fit, so that its scroll buttons show and repeat.
THostileCase Legend() {
    return {"TiPlotLegend",
            [](QWidget*) -> std::unique_ptr<QObject> {
                auto keeper = std::make_unique<HostilePlot>();
                TiPlotMasterManager& master = *keeper->plot.Master;
                master.Add(K::Legend);
                for (int i = 0; i < 20; ++i)
                    qobject_cast<TiPlotChannel*>(master.Get(K::Channel, master.Add(K::Channel)))
                        ->AddXY(i, i);
                return keeper;
            },
            ExercisePlotObject,
            [](QObject& keeper) -> QObject* {
                return static_cast<HostilePlot&>(keeper).plot.Master->Get(K::Legend, 0);
            }};
}

// A limit and an annotation that the mouse may move, in select mode, with something to draw.
THostileCase MoveableObject(const QString& Name, K Kind) {
    return {Name,
            [Kind](QWidget*) -> std::unique_ptr<QObject> {
                auto keeper = std::make_unique<HostilePlot>();
                TiPlotMasterManager& master = *keeper->plot.Master;
                keeper->plot.Host.SelectModeActive = true;
                TiPlotObject* object = master.Get(Kind, master.Add(Kind));
                if (auto* limit = qobject_cast<TiPlotLimit*>(object)) {
                    limit->SetUserCanMove(true);
                    limit->AddBandElement(-1, 5, 1);
                    limit->AddBandElement(20, 8, -3);
                    limit->AddBandElement(90, 9, 2);
                } else if (auto* annotation = qobject_cast<TiPlotAnnotation*>(object)) {
                    annotation->SetDataView(
                        qobject_cast<TiPlotDataView*>(master.Get(K::DataView, 0)));
                    annotation->SetChannelName(QStringLiteral("Channel 1"));
                    annotation->SetText(QStringLiteral("Note"));
                    annotation->SetUserCanMove(true);
                    annotation->SetUserCanSize(true);
                    annotation->SetWidth(30);
                    annotation->SetHeight(30);
                    annotation->SetX2(60);
                    annotation->SetY2(60);
                }
                return keeper;
            },
            ExercisePlotObject,
            [Kind](QObject& keeper) -> QObject* {
                return static_cast<HostilePlot&>(keeper).plot.Master->Get(Kind, 0);
            }};
}

} // namespace

INSTANTIATE_TEST_SUITE_P(
    PlotObjects, HostileValueTest,
    testing::Values(PlotObject<TiPlotLabel>("TiPlotLabel", K::Label),
                    PlotObject<TiPlotTable>("TiPlotTable", K::Table),
                    PlotObject<TiPlotToolBar>("TiPlotToolBar", K::ToolBar),
                    PlotObject<TiPlotXAxis>("TiPlotXAxis", K::XAxis),
                    PlotObject<TiPlotYAxis>("TiPlotYAxis", K::YAxis),
                    PlotObject<TiPlotChannel>("TiPlotChannel", K::Channel), DataView(), Legend(),
                    PlotObject<TiPlotDataView>("TiPlotDataView", K::DataView),
                    PlotObject<TiPlotDataCursor>("TiPlotDataCursor", K::DataCursor),
                    MoveableObject("TiPlotLimit", K::Limit),
                    MoveableObject("TiPlotAnnotation", K::Annotation),
                    HostileCase<TiPlotTranslationObject>("TiPlotTranslationObject")),
    HostileCaseName);

INSTANTIATE_TEST_SUITE_P(PlotControls, HostileValueTest,
                         testing::Values(HostileCase<TiPlot>("TiPlot"),
                                         HostileCase<TiXYPlot>("TiXYPlot")),
                         HostileCaseName);

// Found by the plot's run: every text an axis measured handed a 100 000-character font name to
// the font engine, which made one paint take seconds.
TEST(PlotHostileFonts, HugeFontNameReachesTheFontEngineCut) {
    TFont font;
    font.SetName(QString(100000, QLatin1Char('W')));
    EXPECT_EQ(font.Name().size(), 100000);
    EXPECT_EQ(ToQFont(font).family().size(), MaxFontFamilyLength);
    EXPECT_EQ(SubstituteFontFamily(QStringLiteral("Arial")), "Liberation Sans");
}
