#include "PlotTestKinds.h"
#include "platform/RecordingCanvas.h"
#include "plot/iPlotLabel.h"
#include "plot/iPlotLayoutManager.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

using K = TiPlotObjectKind;

class PlotLayoutTest : public ::testing::Test {
protected:
    void SetUp() override { plot.AddDefaultObjects(); }

    TiPlotLayoutObject* Object(K kind, int index) {
        return qobject_cast<TiPlotLayoutObject*>(master.Get(kind, index));
    }
    TestAxis* Axis(K kind, int index) { return plot.Get<TestAxis>(kind, index); }
    TRect Layout() {
        layout.CalcLayout(canvas);
        return layout.DataViewRect();
    }
    int Z(K kind, int index) { return Object(kind, index)->ZOrder(); }

    TestPlot plot;
    TiPlotMasterManager& master = *plot.Master;
    TiPlotLayoutManager& layout = *master.GetLayoutManager();
    TRecordingCanvas canvas;
};

TEST_F(PlotLayoutTest, DefaultPlotBandsAroundTheDataView) {
    EXPECT_EQ(Layout(), Rect(37, 44, 432, 162));
    EXPECT_EQ(Object(K::DataView, 0)->DrawRect(), Rect(37, 44, 432, 162));
    EXPECT_EQ(Object(K::ToolBar, 0)->DrawRect(), Rect(2, 2, 497, 26));
    EXPECT_EQ(master.GetLabel(0)->DrawRect(), Rect(7, 31, 495, 44));
    EXPECT_EQ(Object(K::XAxis, 0)->DrawRect(), Rect(37, 162, 432, 192));
    EXPECT_EQ(Object(K::YAxis, 0)->DrawRect(), Rect(7, 44, 37, 162));
    EXPECT_EQ(Object(K::Legend, 0)->DrawRect(), Rect(432, 44, 492, 162));
    EXPECT_TRUE(Object(K::Legend, 0)->ReverseSide());
    EXPECT_FALSE(Object(K::XAxis, 0)->ReverseSide());

    plot.Host.Frame.Width = 800;
    plot.Host.Frame.Height = 400;
    plot.Host.Frame.BorderMargin = 0;
    EXPECT_EQ(Layout(), Rect(35, 42, 734, 364));
    EXPECT_EQ(Object(K::ToolBar, 0)->DrawRect(), Rect(0, 0, 799, 24));
    EXPECT_EQ(master.GetLabel(0)->DrawRect(), Rect(5, 29, 795, 42));
}

TEST_F(PlotLayoutTest, DefaultBandsAndTheirOrder) {
    EXPECT_EQ(Z(K::XAxis, 0), 0);
    EXPECT_EQ(layout.DataViewHorz()->ZOrder(), 1);
    EXPECT_EQ(master.GetLabel(0)->ZOrder(), 2);
    EXPECT_EQ(Z(K::ToolBar, 0), 3);
    EXPECT_EQ(layout.TopList(),
              (std::vector<TiPlotLayoutObject*>{master.GetLabel(0), Object(K::ToolBar, 0)}));
    EXPECT_EQ(TiPlotLayoutManager::GetUniqueCount(layout.TopList()), 2);

    master.RemoveAll(K::XAxis);
    EXPECT_EQ(layout.DataViewHorz()->ZOrder(), 0);
    EXPECT_EQ(master.GetLabel(0)->ZOrder(), 1);
    EXPECT_EQ(Z(K::ToolBar, 0), 2);
    master.Add(K::XAxis);
    EXPECT_EQ(Z(K::XAxis, 0), 0);
    EXPECT_EQ(layout.DataViewHorz()->ZOrder(), 1);
    EXPECT_EQ(master.GetLabel(0)->ZOrder(), 2);
    EXPECT_EQ(Z(K::ToolBar, 0), 3);
}

TEST_F(PlotLayoutTest, NewerXAxisGoesOutermost) {
    master.Add(K::XAxis);
    EXPECT_EQ(Z(K::XAxis, 1), 0);
    EXPECT_EQ(Z(K::XAxis, 0), 1);
    EXPECT_EQ(Z(K::ToolBar, 0), 4);
    EXPECT_EQ(layout.BottomList(),
              (std::vector<TiPlotLayoutObject*>{Object(K::XAxis, 1), Object(K::XAxis, 0)}));
    const TRect dv = Layout();
    EXPECT_EQ(Object(K::XAxis, 0)->DrawRect().Top, dv.Bottom);
    EXPECT_EQ(Object(K::XAxis, 1)->DrawRect().Top, dv.Bottom + 30);
}

TEST_F(PlotLayoutTest, InsertDirectionsAndClosingBands) {
    TiPlotLayoutObject* legend = Object(K::Legend, 0);
    layout.RemoveZOrder(legend);
    legend->SetStartStopPercent(0, 50);
    layout.InsertZOrder(legend, 0, iidMerge);
    // The Y axis covers the whole band, so the legend cannot join it.
    EXPECT_EQ(legend->ZOrder(), 0);
    EXPECT_EQ(Z(K::YAxis, 0), 1);
    EXPECT_EQ(layout.DataViewVert()->ZOrder(), 2);
    // The legend's band closes; the axis, now on the upper half, takes it in.
    Object(K::YAxis, 0)->SetStartStopPercent(50, 100);
    layout.RemoveZOrder(legend);
    EXPECT_EQ(Z(K::YAxis, 0), 0);
    layout.InsertZOrder(legend, 0, iidMerge);
    EXPECT_EQ(legend->ZOrder(), 0);
    EXPECT_EQ(layout.DataViewVert()->ZOrder(), 1);
    // Removing one of two objects sharing a band moves nothing.
    layout.RemoveZOrder(legend);
    EXPECT_EQ(layout.DataViewVert()->ZOrder(), 1);
    layout.InsertZOrder(legend, 0, iidAbove);
    EXPECT_EQ(legend->ZOrder(), 1);
    EXPECT_EQ(layout.DataViewVert()->ZOrder(), 2);
    // Merging into the data view's own band always pushes the data view out.
    layout.RemoveZOrder(legend);
    layout.InsertZOrder(legend, 1, iidMerge);
    EXPECT_EQ(legend->ZOrder(), 1);
    EXPECT_EQ(layout.DataViewVert()->ZOrder(), 2);
}

TEST_F(PlotLayoutTest, TwoAxesShareABandAndStackTheirMeetingEnds) {
    master.Add(K::YAxis);
    TestAxis* lower = Axis(K::YAxis, 0);
    TestAxis* upper = Axis(K::YAxis, 1);
    lower->SetStopPercent(50);
    upper->SetStartPercent(50);
    lower->SetZOrder(0);
    upper->SetZOrder(0);
    const TRect dv = Layout();
    EXPECT_TRUE(lower->StopStacked());
    EXPECT_FALSE(lower->StartStacked());
    EXPECT_TRUE(upper->StartStacked());
    EXPECT_EQ(lower->ScaleRect().Top, lower->Top() + 5);
    EXPECT_EQ(upper->ScaleRect().Bottom, upper->Bottom() - 5);
    EXPECT_EQ(dv.Top, upper->ScaleRect().Top);
    EXPECT_EQ(dv.Bottom, lower->ScaleRect().Bottom);
    EXPECT_EQ(lower->Left(), upper->Left());
}

TEST_F(PlotLayoutTest, NarrowXAxisNarrowsTheDataView) {
    Object(K::XAxis, 0)->SetStartPercent(10);
    Object(K::XAxis, 0)->SetStopPercent(90);
    const TRect dv = Layout();
    EXPECT_EQ(dv.Left, 77);
    EXPECT_EQ(dv.Right, 393);
}

TEST_F(PlotLayoutTest, AlignedAxisCopiesItsReferenceExtent) {
    master.Add(K::XAxis);
    TestAxis* aligned = Axis(K::XAxis, 1);
    aligned->SetStartStopPercent(20, 40);
    aligned->SetAlignRefAxisName("X-Axis 1");
    Layout();
    EXPECT_EQ(aligned->Left(), 37);
    EXPECT_EQ(aligned->Right(), 432);
}

TEST_F(PlotLayoutTest, CartesianAxesTakeNoBandRoom) {
    Axis(K::XAxis, 0)->Cartesian = ipcsMaster;
    TRect dv = Layout();
    EXPECT_EQ(dv.Bottom, 182);
    EXPECT_EQ(Axis(K::XAxis, 0)->DrawRect(), Rect(37, 113, 432, 113));
    EXPECT_EQ(Axis(K::XAxis, 0)->LayoutRect(), Rect(37, 182, 432, 182));

    Axis(K::XAxis, 0)->Cartesian = ipcsNone;
    TestAxis* y = Axis(K::YAxis, 0);
    y->Cartesian = ipcsChild;
    y->ChildRefValue = 50;
    y->CartesianRef.SetName("X-Axis 1");
    Layout();
    dv = Layout();
    EXPECT_EQ(dv.Left, 17);
    EXPECT_EQ(y->DrawRect(), Rect(224, 44, 224, 162));
    y->CartesianRef.SetName("Nothing");
    Layout();
    EXPECT_EQ(y->DrawRect(), Rect(0, 0, 0, 0));
}

TEST_F(PlotLayoutTest, HiddenLegendGivesItsWidthBack) {
    Object(K::Legend, 0)->SetVisible(false);
    EXPECT_EQ(TiPlotLayoutManager::VisibleCount(layout.RightList()), 0);
    EXPECT_EQ(Layout().Right, 482);
    // Its extent along the band is still computed.
    EXPECT_EQ(Object(K::Legend, 0)->Top(), 44);
}

TEST_F(PlotLayoutTest, LoneToolBarIsPinnedAndTheGuardsFitBelowIt) {
    master.GetLabel(0)->SetVisible(false);
    EXPECT_EQ(Layout().Top, 41);
    EXPECT_EQ(Object(K::ToolBar, 0)->DrawRect(), Rect(2, 2, 497, 26));
}

TEST_F(PlotLayoutTest, ReversedAxesTurnAndComeBack) {
    master.SetXYAxesReverse(true);
    EXPECT_FALSE(Object(K::XAxis, 0)->Horizontal());
    EXPECT_TRUE(Object(K::YAxis, 0)->Horizontal());
    EXPECT_EQ(Z(K::XAxis, 0), 0);
    EXPECT_EQ(Z(K::YAxis, 0), 0);
    EXPECT_EQ(layout.LeftList().front(), Object(K::XAxis, 0));
    EXPECT_EQ(layout.BottomList().front(), Object(K::YAxis, 0));
    const TRect dv = Layout();
    EXPECT_EQ(dv, Rect(37, 44, 432, 162));
    master.SetXYAxesReverse(false);
    EXPECT_TRUE(Object(K::XAxis, 0)->Horizontal());
    EXPECT_EQ(layout.BottomList().front(), Object(K::XAxis, 0));
}

TEST_F(PlotLayoutTest, SmallOrAxislessPlotsGetAValidDataView) {
    plot.Host.Frame.Width = 40;
    plot.Host.Frame.Height = 30;
    TRect dv = Layout();
    EXPECT_GE(dv.Width(), 0);
    EXPECT_GE(dv.Height(), 0);
    plot.Host.Frame.OuterMarginTop = INT_MAX;
    plot.Host.Frame.OuterMarginLeft = INT_MIN;
    plot.Host.Frame.Width = INT_MAX;
    dv = Layout();
    EXPECT_GE(dv.Width(), 0);
    EXPECT_GE(dv.Height(), 0);
    plot.Host.Frame = {};
    master.RemoveAll(K::YAxis);
    dv = Layout();
    EXPECT_EQ(dv, Rect(17, 44, 432, 162));
}

TEST_F(PlotLayoutTest, SideListsSortBandsAsNumbers) {
    master.Add(K::Legend);
    master.Add(K::Legend);
    Object(K::Legend, 0)->SetZOrder(1500);
    Object(K::Legend, 1)->SetZOrder(999);
    Object(K::Legend, 2)->SetZOrder(999);
    EXPECT_EQ(layout.RightList(),
              (std::vector<TiPlotLayoutObject*>{Object(K::Legend, 2), Object(K::Legend, 1),
                                                Object(K::Legend, 0)}));
    EXPECT_EQ(Object(K::Legend, 0)->GetZOrderString(), "1500");
    Object(K::Legend, 1)->SetZOrder(-10);
    Object(K::Legend, 2)->SetZOrder(-5);
    EXPECT_EQ(layout.LeftList().front(), Object(K::Legend, 1));
    EXPECT_EQ(layout.LeftList()[1], Object(K::Legend, 2));
}

TEST_F(PlotLayoutTest, StoredToolBarLeavesTheTitleBand) {
    Object(K::ToolBar, 0)->SetZOrder(2);
    master.SeparateToolBarFromTitle();
    EXPECT_EQ(Z(K::ToolBar, 0), 3);
    master.SeparateToolBarFromTitle();
    EXPECT_EQ(Z(K::ToolBar, 0), 3);
}

TEST_F(PlotLayoutTest, DisabledManagerKeepsStoredBands) {
    layout.SetEnabled(false);
    master.Add(K::XAxis);
    EXPECT_EQ(Z(K::XAxis, 1), 0);
    EXPECT_EQ(Z(K::XAxis, 0), 0);
    master.Delete(K::XAxis, 1);
    EXPECT_EQ(layout.DataViewHorz()->ZOrder(), 1);
    layout.SetEnabled(true);
    EXPECT_EQ(layout.BottomList().size(), 1u);
}

} // namespace
