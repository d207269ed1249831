#include "../objects/PlotTestKinds.h"
#include "GuardCatchWatch.h"
#include "PlotComponentTestSupport.h"
#include "instruments/framework/iFormLoading.h"
#include "platform/Clock.h"
#include "platform/Exception.h"
#include "platform/PropertyDefaults.h"
#include "platform/PropertyWalker.h"
#include "plot/channels/iPlotChannel.h"
#include "plot/channels/iXYPlotChannel.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotDataCursor.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotLabel.h"
#include "plot/iPlotLayoutManager.h"
#include "plot/iPlotLegend.h"
#include "plot/iPlotMasterManager.h"
#include "plot/iPlotToolBar.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using K = TiPlotObjectKind;

// The published values that differ from their defaults, as a description stores them.
QStringList StoredPaths(QObject* object) {
    QStringList paths;
    for (const PropertyDescriptor& property : PropertyDefaults::ValuesToStore(object))
        paths << property.Path;
    return paths;
}

// Everything a form description of From holds, read into To as the form loading does.
template <class Plot> void CopyDescription(Plot& From, Plot& To) {
    const QList<PropertyDescriptor> values = PropertyDefaults::ValuesToStore(&From);
    const TiPlotDefinedProperties defined = From.WriteDefinedProperties();
    To.SetLoading(true);
    for (const PropertyDescriptor& property : values)
        PropertyWalker::Write(&To, property.Path, PropertyWalker::Read(property));
    To.ReadDefinedProperties(defined);
    To.SetLoading(false);
    To.Loaded();
}

bool HasText(const TRecordingCanvas& canvas, const QString& text) {
    for (const TCanvasRecord& record : canvas.Records())
        if (record.Text == text ||
            std::find(record.Lines.begin(), record.Lines.end(), text) != record.Lines.end())
            return true;
    return false;
}

} // namespace

TEST(PlotComponentDefaults, FreshStripChartStoresNothingAndHoldsItsObjects) {
    TestStripPlot plot;
    EXPECT_EQ(StoredPaths(&plot), QStringList());
    EXPECT_EQ(plot.XAxisCount(), 1);
    EXPECT_EQ(plot.YAxisCount(), 1);
    EXPECT_EQ(plot.ChannelCount(), 1);
    ASSERT_EQ(plot.LabelCount(), 1);
    const TiPlotLabel* title = plot.GetLabel(0);
    EXPECT_EQ(title->Name(), "Title");
    EXPECT_EQ(title->ZOrder(), 2);
    EXPECT_EQ(title->MarginBottom(), 0);
    EXPECT_EQ(plot.TitleText(), "Untitled");
    TiPlotChannel* channel = plot.GetChannel(0);
    EXPECT_EQ(channel->Name(), "Channel 1");
    EXPECT_EQ(channel->XAxisName(), "X-Axis 1");
    EXPECT_EQ(channel->YAxisName(), "Y-Axis 1");
    EXPECT_EQ(channel->Color(), clRed);
    EXPECT_TRUE(plot.LayoutManager()->Enabled());
    EXPECT_FALSE(plot.GetSelectModeActive());
}

TEST(PlotComponentDefaults, FreshXYPlotHasOneXYChannelOnItsAxes) {
    TestXYPlot plot;
    EXPECT_EQ(StoredPaths(&plot), QStringList());
    ASSERT_EQ(plot.ChannelCount(), 1);
    TiXYPlotChannel* channel = plot.GetChannel(0);
    ASSERT_NE(channel, nullptr);
    EXPECT_EQ(channel->XAxisName(), plot.GetXAxis(0)->Name());
    EXPECT_EQ(channel->YAxisName(), plot.GetYAxis(0)->Name());
    EXPECT_EQ(plot.TitleText(), "Untitled");
}

TEST(PlotComponentDefaults, DefaultObjectsOfEveryKindTakeTheirBands) {
    TestBarePlot plot;
    plot.AddDefaultObjects();
    for (K kind : {K::ToolBar, K::Legend, K::XAxis, K::YAxis, K::Channel, K::DataView,
                   K::DataCursor, K::Label})
        EXPECT_EQ(plot.Master()->Count(kind), 1) << int(kind);
    EXPECT_EQ(plot.GetToolBar(0)->ZOrder(), 3);
    EXPECT_EQ(plot.GetLegend(0)->ZOrder(), 2);
    EXPECT_EQ(plot.GetToolBar(0)->Name(), "Toolbar 1");
    EXPECT_EQ(plot.GetLegend(0)->Name(), "Legend 1");
    EXPECT_EQ(plot.GetDataView(0)->Name(), "Data View 1");
    EXPECT_EQ(plot.GetDataCursor(0)->Name(), "Cursor 1");
    EXPECT_FALSE(plot.GetDataCursor(0)->Visible());
}

TEST(PlotComponentDefaults, LayoutManagerIsEnabledAgainWhenAnAddFails) {
    TestBarePlot plot;
    TiPlotObjectClass failing = PlotObjectClassOf<TestDataView>();
    failing.Create = [](TiPlotHost*, const TiPlotObjectHooks&) -> TiPlotObject* {
        throw Exception(QStringLiteral("no data view"));
    };
    plot.Master()->RegisterObjectClass(K::DataView, failing);
    EXPECT_EQ(MessageOf([&] { plot.AddDefaultObjects(); }), "no data view");
    EXPECT_TRUE(plot.LayoutManager()->Enabled());
}

TEST(PlotComponentDefaults, TypedChannelOfAnotherClassIsAnInvalidCast) {
    TestStripPlot strip;
    strip.Master()->SetChannelClass(PlotObjectClassOf<TiXYPlotChannel>());
    strip.AddChannel();
    EXPECT_EQ(MessageOf([&] { strip.GetChannel(1); }), "Invalid class typecast");
    TestXYPlot xy;
    TiPlotChannel::RegisterWith(*xy.Master());
    xy.AddChannel();
    EXPECT_EQ(MessageOf([&] { xy.GetChannel(1); }), "Invalid class typecast");
    EXPECT_EQ(MessageOf([&] { xy.GetChannel(5); }), "List index out of bounds (5)");
}

TEST(PlotComponentTitle, PlotWithoutLabelsIgnoresTheTitle) {
    TestBarePlot plot;
    plot.SetTitleText(QStringLiteral("A"));
    plot.SetTitleVisible(true);
    plot.SetTitleMargin(3);
    EXPECT_EQ(plot.TitleText(), "");
    EXPECT_FALSE(plot.TitleVisible());
    EXPECT_EQ(plot.TitleMargin(), 0);
    EXPECT_NE(plot.TitleFont(), nullptr);
}

TEST(PlotComponentTitle, TitleLivesInLabelZeroAndSurvivesRemoveAllLabels) {
    TestStripPlot plot;
    plot.AddLabel();
    plot.RemoveAllLabels();
    ASSERT_EQ(plot.LabelCount(), 1);
    plot.SetTitleText(QStringLiteral("Carrier"));
    plot.SetTitleMargin(0.5);
    TFont font;
    font.SetName(QStringLiteral("Courier"));
    plot.SetTitleFont(&font);
    EXPECT_EQ(plot.GetLabel(0)->Caption(), "Carrier");
    EXPECT_EQ(plot.GetLabel(0)->MarginBottom(), 0.5);
    EXPECT_EQ(plot.TitleFont()->Name(), "Courier");
    EXPECT_EQ(MessageOf([&] { plot.DeleteLabel(0); }),
              "Label Index 0 can not be Deleted (Resevered for Title)");
}

// Paint order: logging objects stand in for channels, limits and annotations.
class PlotComponentPaint : public testing::Test {
protected:
    void SetUp() override {
        LoggingObject::Log = &log;
        plot.RemoveAllChannels();
        plot.Master()->SetChannelClass(PlotObjectClassOf<LoggingChannel>());
        plot.Master()->RegisterObjectClass(K::Limit, PlotObjectClassOf<LoggingLimit>());
        plot.Master()->RegisterObjectClass(K::Annotation, PlotObjectClassOf<LoggingAnnotation>());
    }
    void TearDown() override { LoggingObject::Log = nullptr; }

    LoggingObject* Object(K kind, int index) {
        return qobject_cast<LoggingObject*>(plot.Master()->Get(kind, index));
    }
    std::vector<QString> Paint() {
        log = {};
        plot.iPaintTo(canvas);
        return log.Drawn;
    }

    TestStripPlot plot;
    TRecordingCanvas canvas{{500, 200}};
    PaintLog log;
};

TEST_F(PlotComponentPaint, EqualLayersDrawTheLaterAddedFirstAndAnnotationsOnTop) {
    plot.AddChannel();
    plot.AddChannel();
    plot.AddAnnotation();
    plot.GetAnnotation(0)->SetName(QStringLiteral("Note"));
    plot.AddLimit();
    EXPECT_EQ(Paint(), (std::vector<QString>{"Limit 1", "Channel 2", "Channel 1", "Note"}));
    Object(K::Channel, 1)->SetLayer(101);
    EXPECT_EQ(Paint(), (std::vector<QString>{"Limit 1", "Channel 1", "Note", "Channel 2"}));
}

TEST_F(PlotComponentPaint, FilledLimitsGoUnderTheDataViewAndLineLimitsOverIt) {
    plot.GetLimit(plot.AddLimit())->SetStyle(TiPlotLimit::iplsLineX);
    TiPlotLimit* band = plot.GetLimit(plot.AddLimit());
    band->SetStyle(TiPlotLimit::iplsBandX);
    band->SetFillStyle(bsSolid);
    Paint();
    const auto& layers = plot.LayerList();
    ASSERT_EQ(layers.size(), 3u);
    EXPECT_EQ(layers[0].first.right(1), "A");
    EXPECT_EQ(layers[1].first.right(1), "B");
    EXPECT_EQ(layers[2].first.right(1), "C");
    EXPECT_EQ(log.Drawn, (std::vector<QString>{"Limit 2", "Limit 1"}));
}

TEST_F(PlotComponentPaint, PlotAreaObjectsAreClippedToTheDataViewWidenedByOnePixel) {
    plot.AddChannel();
    plot.AddAnnotation();
    Paint();
    const TRect view = plot.LayoutManager()->DataViewRect();
    ASSERT_FALSE(view.IsEmpty());
    const TRect expected{view.Left, view.Top, view.Right + 1, view.Bottom + 1};
    EXPECT_EQ(log.Clips, (std::vector<TRect>{expected, expected}));
    EXPECT_EQ(canvas.ClipRect(), (TRect{0, 0, 500, 200}));
}

TEST_F(PlotComponentPaint, ThrowingDrawStopsThePaintAndLiftsTheClip) {
    const ExpectedGuardCatches expected;
    plot.AddChannel();
    plot.AddChannel();
    Object(K::Channel, 1)->Throw = true;
    EXPECT_EQ(MessageOf([&] { Paint(); }), "Draw failed");
    EXPECT_EQ(log.Drawn, (std::vector<QString>{"Channel 2"}));
    EXPECT_EQ(canvas.ClipRect(), (TRect{0, 0, 500, 200}));
    // The control's own paint drops the error.
    plot.grab();
}

TEST_F(PlotComponentPaint, PlotWithoutToolbarLegendOrDataViewStillDrawsWhatItHas) {
    plot.RemoveAllToolBars();
    plot.RemoveAllLegends();
    plot.RemoveAllDataViews();
    plot.AddChannel();
    EXPECT_EQ(Paint(), (std::vector<QString>{"Channel 1"}));
    EXPECT_TRUE(HasText(canvas, QStringLiteral("Untitled")));
}

TEST(PlotComponentCollisions, LabelsMayNotOverlapOrLeaveTheDataView) {
    TestStripPlot plot;
    TRecordingCanvas canvas({500, 200});
    plot.iPaintTo(canvas);
    EXPECT_TRUE(plot.AxesCollisionList().empty());
    const TRect view = plot.LayoutManager()->DataViewRect();
    const TRect first{view.Left + 10, view.Top + 10, view.Left + 30, view.Top + 20};
    EXPECT_TRUE(plot.AddAxesCollisionDetectionItem(first));
    EXPECT_FALSE(plot.AddAxesCollisionDetectionItem(
        {view.Left + 29, view.Top + 19, view.Left + 40, view.Top + 25}));
    // Touching edges do not overlap.
    EXPECT_TRUE(plot.AddAxesCollisionDetectionItem(
        {view.Left + 30, view.Top + 10, view.Left + 40, view.Top + 20}));
    EXPECT_FALSE(plot.AddAxesCollisionDetectionItem(
        {view.Right - 5, view.Top + 40, view.Right + 1, view.Top + 50}));
    plot.AddAxesCollisionItem({view.Left, view.Top, view.Left + 1, view.Bottom});
    EXPECT_EQ(plot.AxesCollisionList().size(), 3u);
    plot.iPaintTo(canvas);
    EXPECT_TRUE(plot.AxesCollisionList().empty());
    EXPECT_TRUE(plot.AddAxesCollisionDetectionItem(view));
}

TEST(PlotComponentCollisions, CartesianAxisRegistersItsScaleLineWhenDrawn) {
    TestStripPlot plot;
    plot.GetXAxis(0)->SetCartesianStyle(ipcsMaster);
    TRecordingCanvas canvas({500, 200});
    plot.iPaintTo(canvas);
    EXPECT_FALSE(plot.AxesCollisionList().empty());
}

class PlotComponentEvents : public testing::Test {
protected:
    TestStripPlot plot;
    std::vector<QString> events;
};

TEST_F(PlotComponentEvents, DoubleClickFlagTurnsTheNextClickIntoADoubleClick) {
    const ExpectedGuardCatches expected;
    plot.OnClickChannel = [&](int index) {
        events.push_back(QStringLiteral("click %1").arg(index));
    };
    plot.OnDblClickChannel = [&](int index) {
        events.push_back(QStringLiteral("dbl %1").arg(index));
    };
    plot.AddChannel();
    plot.DoObjectClick(plot.GetChannel(1));
    plot.SetDblClickActive(true);
    plot.DoObjectClick(plot.GetChannel(1));
    EXPECT_EQ(events, (std::vector<QString>{"click 1", "dbl 1"}));
    EXPECT_FALSE(plot.DblClickActive());
    // A label has no click event; a throwing handler stops at the plot.
    plot.DoObjectClick(plot.GetLabel(0));
    plot.OnClickChannel = [](int) { throw Exception(QStringLiteral("handler")); };
    EXPECT_NO_THROW(plot.DoObjectClick(plot.GetChannel(0)));
}

TEST_F(PlotComponentEvents, PopupHandlerMayCancelTheMenu) {
    int screenX = 0;
    bool cancel = true;
    plot.OnPopupMenuChannel = [&](int index, bool& Cancel, int ScreenX, int) {
        EXPECT_EQ(index, 0);
        EXPECT_FALSE(Cancel);
        screenX = ScreenX;
        Cancel = cancel;
    };
    TiPlotChannel* channel = plot.GetChannel(0);
    channel->iMouseDown(mbRight, {}, 5, 5, 120, 130, plot.PopupMenu());
    EXPECT_EQ(screenX, 120);
    EXPECT_FALSE(plot.PopupMenu()->isVisible());
    cancel = false;
    channel->iMouseDown(mbRight, {}, 5, 5, 120, 130, plot.PopupMenu());
    EXPECT_TRUE(plot.PopupMenu()->isVisible());
    plot.PopupMenu()->hide();
}

TEST_F(PlotComponentEvents, AxisEventsGoToTheHandlerOfTheAxisKind) {
    plot.OnXAxisMinChange = [&](int index, double oldValue, double newValue) {
        events.push_back(QStringLiteral("x min %1 %2 %3").arg(index).arg(oldValue).arg(newValue));
    };
    plot.OnYAxisSpanChange = [&](int index, double, double newValue) {
        events.push_back(QStringLiteral("y span %1 %2").arg(index).arg(newValue));
    };
    plot.OnYAxisMinSpanChange = [&](int index, double, double, double newMin, double newSpan) {
        events.push_back(QStringLiteral("y range %1 %2 %3").arg(index).arg(newMin).arg(newSpan));
    };
    plot.AddXAxis();
    plot.GetXAxis(1)->SetMin(10);
    plot.GetYAxis(0)->SetSpan(50);
    EXPECT_EQ(events, (std::vector<QString>{"x min 1 0 10", "y span 0 50", "y range 0 0 50"}));
}

TEST_F(PlotComponentEvents, CustomizedLabelTextIsTheAxisLabel) {
    plot.OnYAxisCustomizeLabel = [](int, double Value, QString& Label) {
        Label = QStringLiteral("%1 V").arg(Value);
    };
    EXPECT_EQ(plot.GetYAxis(0)->GetLabelText(3), "3 V");
    EXPECT_NE(plot.GetXAxis(0)->GetLabelText(3), "3 V");
}

TEST_F(PlotComponentEvents, FocusAndDataPointEventsNameTheObjectsByIndex) {
    plot.OnGotFocusXAxis = [&](int index) {
        events.push_back(QStringLiteral("got %1").arg(index));
    };
    plot.OnLostFocusXAxis = [&](int index) {
        events.push_back(QStringLiteral("lost %1").arg(index));
    };
    plot.OnDblClickDataPoint = [&](int channel, int point) {
        events.push_back(QStringLiteral("point %1 %2").arg(channel).arg(point));
    };
    plot.DoObjectGotFocus(plot.GetXAxis(0));
    plot.DoObjectLostFocus(plot.GetXAxis(0));
    plot.SetDblClickActive(true);
    plot.DoDataPointClick(plot.GetChannel(0), 7);
    EXPECT_EQ(events, (std::vector<QString>{"got 0", "lost 0", "point 0 7"}));
    EXPECT_TRUE(plot.DblClickActive());
}

TEST(PlotComponentTracking, DisableAndEnableAllTrackingReachEveryAxis) {
    TestStripPlot plot;
    plot.AddYAxis();
    plot.DisableAllTracking();
    for (TiPlotAxis* axis : {plot.GetXAxis(0), plot.GetYAxis(0), plot.GetYAxis(1)})
        EXPECT_FALSE(axis->TrackingEnabled());
    plot.EnableAllTracking();
    for (TiPlotAxis* axis : {plot.GetXAxis(0), plot.GetYAxis(0), plot.GetYAxis(1)})
        EXPECT_TRUE(axis->TrackingEnabled());
}

// Repaint requests: a manual clock and the control's requests counted.
class PlotComponentUpdates : public testing::Test {
protected:
    ManualClock clock;
    ScopedClock scoped{[this] { return clock(); }};
    TestStripPlot plot;
};

TEST_F(PlotComponentUpdates, PointsWithinOneFrameMakeOneRequestAndTheLastStillShows) {
    plot.AddChannel();
    // Whatever the set-up left pending is painted before the test's frame.
    QTest::qWait(30);
    clock.AdvanceMilliseconds(100);
    plot.Repaints = 0;
    plot.GetChannel(0)->AddXY(1, 1);
    EXPECT_EQ(plot.Repaints, 1);
    clock.AdvanceMilliseconds(5);
    plot.GetChannel(1)->AddXY(1, 2);
    EXPECT_EQ(plot.Repaints, 1);
    // The change left pending is requested when the frame interval has passed.
    QTest::qWait(60);
    EXPECT_EQ(plot.Repaints, 2);
}

TEST_F(PlotComponentUpdates, WritingTheDescriptionLeavesThePlotRepainting) {
    plot.WriteDefinedProperties();
    EXPECT_TRUE(plot.LayoutManager()->Enabled());
    clock.AdvanceMilliseconds(100);
    plot.Repaints = 0;
    plot.SetOuterMarginLeft(9);
    EXPECT_EQ(plot.Repaints, 1);
}

TEST_F(PlotComponentUpdates, ReadingInsideALoadWaitsForLoaded) {
    const TiPlotDefinedProperties defined = plot.WriteDefinedProperties();
    plot.SetLoading(true);
    plot.ReadDefinedProperties(defined);
    clock.AdvanceMilliseconds(100);
    plot.Repaints = 0;
    plot.SetOuterMarginLeft(9);
    EXPECT_EQ(plot.Repaints, 0);
    EXPECT_FALSE(plot.LayoutManager()->Enabled());
    plot.SetLoading(false);
    plot.Loaded();
    EXPECT_EQ(plot.Repaints, 1);
    EXPECT_TRUE(plot.LayoutManager()->Enabled());
}

TEST_F(PlotComponentUpdates, DescriptionThatFailsToReadLeavesThePlotRunning) {
    TiPlotDefinedProperties defined = plot.WriteDefinedProperties();
    defined.Collections[QStringLiteral("ChannelManager")] = {
        {{QStringLiteral("MarkersSize"), QStringLiteral("many")}}};
    plot.SetLoading(true);
    EXPECT_THROW(plot.ReadDefinedProperties(defined), EConvertError);
    plot.SetLoading(false);
    EXPECT_TRUE(plot.LayoutManager()->Enabled());
    clock.AdvanceMilliseconds(100);
    plot.Repaints = 0;
    plot.SetOuterMarginLeft(9);
    EXPECT_EQ(plot.Repaints, 1);
}

TEST(PlotComponentDescription, StripChartRoundTripKeepsSettingsAndCollections) {
    TestStripPlot from;
    from.AddChannel();
    from.GetChannel(1)->SetTitleText(QStringLiteral("Carrier"));
    from.GetXAxis(0)->SetMin(5);
    from.SetTitleText(QStringLiteral("Strip"));
    from.SetOuterMarginLeft(9);
    from.SetAnnotationDefaultPenStlye(psDot);
    from.AddTranslation(QStringLiteral("Null"), QStringLiteral("Nul"));
    from.GetLabel(from.AddLabel())->SetCaption(QStringLiteral("Second"));
    from.SetDataViewZHorz(4);
    TestStripPlot to;
    CopyDescription(from, to);
    ASSERT_EQ(to.ChannelCount(), 2);
    EXPECT_EQ(to.GetChannel(1)->TitleText(), "Carrier");
    EXPECT_EQ(to.GetXAxis(0)->Min(), 5);
    EXPECT_EQ(to.TitleText(), "Strip");
    EXPECT_EQ(to.OuterMarginLeft(), 9);
    EXPECT_EQ(to.DataViewZHorz(), 4);
    EXPECT_EQ(to.AnnotationDefaultPenStlye(), psDot);
    EXPECT_EQ(to.TranslateText(QStringLiteral("Null")), "Nul");
    ASSERT_EQ(to.LabelCount(), 2);
    EXPECT_EQ(to.GetLabel(1)->Caption(), "Second");
    EXPECT_EQ(StoredPaths(&to), StoredPaths(&from));
    EXPECT_TRUE(to.LayoutManager()->Enabled());
}

TEST(PlotComponentDescription, EmptyCollectionReplacesTheConstructorsObjects) {
    TestXYPlot from;
    from.RemoveAllChannels();
    from.AddChannel();
    from.AddChannel();
    from.RemoveAllYAxes();
    TestXYPlot to;
    CopyDescription(from, to);
    EXPECT_EQ(to.YAxisCount(), 0);
    ASSERT_EQ(to.ChannelCount(), 2);
    EXPECT_NE(to.GetChannel(1), nullptr);
}

class PlotComponentTransfer : public testing::Test {
protected:
    void SetUp() override {
        plot.AddChannel();
        source = plot.GetChannel(0);
        destination = plot.GetChannel(1);
        source->AddXY(1, 10);
        source->AddXNull(2);
        source->AddXEmpty(3);
        source->AddXY(4, 40);
    }

    static std::vector<QString> Points(TiPlotChannel* channel) {
        std::vector<QString> points;
        for (int i = 0; i < channel->GetCount(); ++i)
            points.push_back(QStringLiteral("%1,%2%3%4")
                                 .arg(channel->GetDataX(i))
                                 .arg(channel->GetDataY(i))
                                 .arg(channel->GetDataNull(i) ? " null" : "")
                                 .arg(channel->GetDataEmpty(i) ? " empty" : ""));
        return points;
    }

    TestStripPlot plot;
    TiPlotChannel* source = nullptr;
    TiPlotChannel* destination = nullptr;
};

TEST_F(PlotComponentTransfer, AllPointsArriveWithTheirFlags) {
    plot.TransferChannelData(0, 1, 0, 3);
    EXPECT_EQ(Points(destination), Points(source));
    EXPECT_EQ(Points(destination)[1], "2,0 null");
    EXPECT_EQ(Points(destination)[2], "3,0 empty");
}

TEST_F(PlotComponentTransfer, FlagsLandOnTheNewPointsOfAFullRing) {
    destination->SetRingBufferSize(3);
    for (int i = 0; i < 3; ++i)
        destination->AddXY(100 + i, 0);
    plot.TransferChannelData(0, 1, 1, 2);
    EXPECT_EQ(Points(destination), (std::vector<QString>{"102,0", "2,0 null", "3,0 empty"}));
}

TEST_F(PlotComponentTransfer, CopyOntoItselfAppendsTheOriginalPoints) {
    const std::vector<QString> before = Points(source);
    plot.TransferChannelData(0, 0, 0, 3);
    std::vector<QString> expected = before;
    expected.insert(expected.end(), before.begin(), before.end());
    EXPECT_EQ(Points(source), expected);
}

TEST_F(PlotComponentTransfer, BadIndicesRaiseAndCopyNothing) {
    EXPECT_EQ(MessageOf([&] { plot.TransferChannelData(0, 1, -1, 2); }),
              "Start Index Must be 0 or Greater");
    EXPECT_EQ(MessageOf([&] { plot.TransferChannelData(0, 1, 0, 4); }),
              "StopIndex Must Out Of Range");
    EXPECT_EQ(MessageOf([&] { plot.TransferChannelData(0, 2, 0, 1); }),
              "List index out of bounds (2)");
    plot.TransferChannelData(0, 1, 3, 2);
    EXPECT_EQ(destination->GetCount(), 0);
}

// Input through the control's i* operations, on a laid-out strip chart.
class PlotComponentInput : public testing::Test {
protected:
    void SetUp() override { plot.iPaintTo(canvas); }

    static TPoint Centre(const TiPlotLayoutObject* object) {
        const TRect r = object->DrawRect();
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void Press(TPoint at, TShiftState shift = {}, TMouseButton button = mbLeft) {
        plot.iMouseDown(button, shift, at.X, at.Y);
    }
    void Click(TPoint at, TShiftState shift = {}) {
        Press(at, shift);
        plot.iMouseUp(mbLeft, shift, at.X, at.Y);
    }

    TestStripPlot plot;
    TRecordingCanvas canvas{{500, 200}};
    std::vector<QString> events;
};

TEST_F(PlotComponentInput, ShiftAddsAxesCtrlTogglesAndEmptySpaceClears) {
    TiPlotAxis* x = plot.GetXAxis(0);
    TiPlotAxis* y = plot.GetYAxis(0);
    Click(Centre(x));
    Click(Centre(y), ssShift);
    EXPECT_TRUE(x->UserSelected());
    EXPECT_TRUE(y->UserSelected());
    Click(Centre(y), ssCtrl);
    EXPECT_TRUE(x->UserSelected());
    EXPECT_FALSE(y->UserSelected());
    const TRect view = plot.LayoutManager()->DataViewRect();
    Click({(view.Left + view.Right) / 2, (view.Top + view.Bottom) / 2});
    EXPECT_FALSE(x->UserSelected());
    EXPECT_EQ(plot.PressedObject(), nullptr);
}

TEST_F(PlotComponentInput, DoubleClickFiresClickThenDoubleClick) {
    plot.OnClickXAxis = [&](int index) { events.push_back(QStringLiteral("click %1").arg(index)); };
    plot.OnDblClickXAxis = [&](int index) {
        events.push_back(QStringLiteral("dbl %1").arg(index));
    };
    const TPoint at = Centre(plot.GetXAxis(0));
    Click(at);
    plot.iDoubleClick();
    Click(at);
    EXPECT_EQ(events, (std::vector<QString>{"click 0", "dbl 0"}));
    EXPECT_FALSE(plot.DblClickActive());
}

TEST_F(PlotComponentInput, RightPressOnAnAxisSelectsItAndAsksForTheMenu) {
    plot.GetXAxis(0)->SetUserSelected(true);
    plot.OnPopupMenuYAxis = [&](int index, bool& Cancel, int, int) {
        events.push_back(QStringLiteral("popup %1").arg(index));
        Cancel = true;
    };
    Press(Centre(plot.GetYAxis(0)), {}, mbRight);
    plot.iMouseUp(mbRight, {}, 0, 0);
    EXPECT_EQ(events, (std::vector<QString>{"popup 0"}));
    EXPECT_FALSE(plot.GetXAxis(0)->UserSelected());
    EXPECT_TRUE(plot.GetYAxis(0)->UserSelected());
    EXPECT_FALSE(plot.PopupMenu()->isVisible());
}

TEST_F(PlotComponentInput, ObjectRemovedByItsOwnClickIsForgotten) {
    plot.OnClickXAxis = [&](int index) { plot.DeleteXAxis(index); };
    const TPoint at = Centre(plot.GetXAxis(0));
    Click(at);
    EXPECT_EQ(plot.XAxisCount(), 0);
    EXPECT_EQ(plot.PressedObject(), nullptr);
    plot.iMouseMove({}, at.X, at.Y);
    Click(at);
}

TEST_F(PlotComponentInput, WheelAndKeysGoToSelectedObjectsOnly) {
    TiPlotAxis* y = plot.GetYAxis(0);
    const double min = y->Min();
    EXPECT_TRUE(plot.iMouseWheel(120, {}, Centre(y)));
    EXPECT_EQ(y->Min(), min);
    y->SetUserSelected(true);
    plot.iMouseWheel(120, {}, Centre(y));
    EXPECT_NE(y->Min(), min);
    bool wanted = false;
    uint16_t key = 38;
    plot.iWantSpecialKey(key, wanted);
    EXPECT_TRUE(wanted);
}

TEST_F(PlotComponentInput, RestingOnAnAxisWithHiddenTitleShowsItInAHint) {
    const TPoint at = Centre(plot.GetXAxis(0));
    plot.iMouseMove({}, at.X, at.Y);
    EXPECT_TRUE(plot.GetTimerRunning());
    EXPECT_EQ(plot.HoverObject(), plot.GetXAxis(0));
    plot.OnInternalTimer(&plot);
    ASSERT_TRUE(plot.HintShowing());
    canvas.Clear();
    plot.iPaintTo(canvas);
    EXPECT_TRUE(plot.HintPainted());
    const QString title = plot.GetXAxis(0)->Title();
    const TCanvasRecord box = canvas.RecordsOf(TCanvasOperation::FillRect).back();
    EXPECT_EQ(box.Rect, (TRect{at.X, at.Y - 20, at.X + int(title.size()) * 7 + 4, at.Y - 20 + 17}));
    EXPECT_EQ(box.BrushColor, clInfoBk);
    const TCanvasRecord text = canvas.RecordsOf(TCanvasOperation::TextOut).back();
    EXPECT_EQ(text.Text, title);
    EXPECT_EQ(text.Points.front(), (TPoint{at.X + 2, at.Y - 18}));
    EXPECT_EQ(text.FontColor, clInfoText);
    // The next move hides it.
    plot.iMouseMove({}, 0, 0);
    EXPECT_FALSE(plot.HintShowing());
}

TEST_F(PlotComponentInput, NoHintWhenHintsAreOff) {
    plot.SetHintsShow(false);
    const TPoint at = Centre(plot.GetXAxis(0));
    plot.iMouseMove({}, at.X, at.Y);
    EXPECT_FALSE(plot.GetTimerRunning());
}

TEST_F(PlotComponentUpdates, PlotMadeInAFormLoadPaintsOnceEverythingIsRead) {
    QWidget form;
    TiFormLoading loading(form);
    TestXYPlot loaded;
    clock.AdvanceMilliseconds(100);
    loaded.setProperty("OuterMarginTop", 12);
    PropertyWalker::Write(&loaded, QStringLiteral("DataViewZVert"), 3);
    EXPECT_EQ(loaded.Repaints, 0);
    EXPECT_FALSE(loaded.LayoutManager()->Enabled());
    loading.Finish();
    EXPECT_EQ(loaded.Repaints, 1);
    EXPECT_TRUE(loaded.LayoutManager()->Enabled());
    EXPECT_EQ(loaded.DataViewZVert(), 3);
}

TEST(PlotComponentWidget, ToolkitDoubleClickFiresClickThenDoubleClick) {
    TestStripPlot plot;
    plot.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&plot));
    plot.grab();
    std::vector<QString> events;
    plot.OnClickXAxis = [&](int) { events.push_back(QStringLiteral("click")); };
    plot.OnDblClickXAxis = [&](int) { events.push_back(QStringLiteral("dbl")); };
    const TRect r = plot.GetXAxis(0)->DrawRect();
    const QPoint at((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    // As the window system delivers it: press, release, the double click, release.
    QTest::mouseClick(&plot, Qt::LeftButton, {}, at);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, plot.mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&plot, &dbl);
    QTest::mouseRelease(&plot, Qt::LeftButton, {}, at);
    EXPECT_EQ(events, (std::vector<QString>{"click", "dbl"}));
}
