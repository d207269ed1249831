#include "plot/data/iPlotDataCompactIntervalList.h"
#include "plot/data/iPlotDataCompactList.h"
#include "plot/data/iPlotDataFullList.h"
#include "plot/data/iPlotDataNullList.h"
#include "tests/plot/data/DataListTestSupport.h"

#include <QMetaEnum>

TEST(PlotTypes, EnumerationsKeepTheirStoredOrdinals) {
    const QMetaEnum markers = QMetaEnum::fromType<TiPlotMarkerStyle>();
    EXPECT_EQ(markers.keyCount(), 12);
    EXPECT_STREQ(markers.valueToKey(11), "ipmsCharacter");
    EXPECT_STREQ(QMetaEnum::fromType<TiPlotLineStyle>().valueToKey(4), "iplsDashDotDot");
    EXPECT_STREQ(QMetaEnum::fromType<TiPlotDataStyle>().valueToKey(3), "ipdsFullFeature");
    EXPECT_STREQ(QMetaEnum::fromType<TiPlotDataPointStatus>().valueToKey(2), "ipdpsEmpty");
}

class PlotDataNullList : public testing::Test {
protected:
    void SetUp() override {
        list.Defaults().MarkerVisible = true;
        list.Defaults().MarkerStyle = ipmsTriangleLeft;
        list.Add(1, 10);
        list.Add(2, 20);
    }
    TiPlotDataNullList list;
};

TEST_F(PlotDataNullList, NewPointsTakeMarkerVisibilityAndStyleFromTheDefaults) {
    list.Defaults().MarkerVisible = false;
    EXPECT_TRUE(list.GetMarkerVisible(0));
    EXPECT_EQ(list.GetMarkerStyle(1), ipmsTriangleLeft);
}

TEST_F(PlotDataNullList, EachFlagSetterRewritesOnlyItsOwnBits) {
    list.SetNull(0, true);
    list.SetEmpty(0, true);
    list.SetMarkerStyle(0, ipmsCharacter);
    list.SetMarkerVisible(0, false);
    list.SetEmpty(0, false);
    double x, y;
    bool empty, null;
    list.GetXYEmptyNull(0, x, y, empty, null);
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 10);
    EXPECT_FALSE(empty);
    EXPECT_TRUE(null);
    EXPECT_EQ(list.GetMarkerStyle(0), ipmsCharacter);
    EXPECT_FALSE(list.GetMarkerVisible(0));
    EXPECT_FALSE(list.GetNull(1));
}

TEST_F(PlotDataNullList, OtherAttributesFollowTheCurrentDefaultsForEveryPoint) {
    list.Defaults().TraceLineColor = clBlue;
    list.SetTraceLineColor(0, clRed);
    EXPECT_EQ(list.GetTraceLineColor(0), clBlue);
    list.SetHigh(1, 5);
    EXPECT_EQ(list.GetHigh(1), 0);
}

TEST(PlotDataCompactList, StoresSinglePrecisionAndIgnoresNull) {
    TiPlotDataCompactList list;
    list.Add(0.1, 1e-3);
    list.SetY(0, 0.3);
    EXPECT_EQ(list.GetX(0), double(0.1f));
    EXPECT_EQ(list.GetY(0), double(0.3f));
    list.SetNull(0, true);
    EXPECT_FALSE(list.GetNull(0));
}

class PlotDataCompactIntervalList : public testing::Test {
protected:
    void AddYs(int count) {
        for (int i = 0; i < count; ++i)
            list.Add(nextX_++, i);
    }
    TiPlotDataCompactIntervalList list;

private:
    double nextX_ = 100;
};

TEST_F(PlotDataCompactIntervalList, XComesFromTheFirstTwoPoints) {
    list.Add(10, 1);
    EXPECT_EQ(list.GetX(0), 10);
    list.Add(10.5, 2);
    list.Add(99, 3);
    EXPECT_EQ(list.GetX(1), 10.5);
    EXPECT_EQ(list.GetX(2), 11);
    ExpectError([&] { list.SetX(0, 1); }, "Data Style does not support setting X-Value");
}

TEST_F(PlotDataCompactIntervalList, ClearForgetsTheIntervalAndTheNextFirstXStartsAgain) {
    AddYs(3);
    list.Clear();
    EXPECT_EQ(list.XInterval(), -1.0);
    list.Add(7, 0);
    list.Add(9, 0);
    EXPECT_EQ(list.GetX(1), 9);
}

TEST_F(PlotDataCompactIntervalList, WrappingRingKeepsEveryPointsX) {
    list.SetRingBufferSize(3);
    AddYs(5);
    EXPECT_EQ(list.GetX(0), 102);
    EXPECT_EQ(list.GetX(2), 104);
    double x, y;
    bool empty, null;
    list.GetXYEmptyNull(2, x, y, empty, null);
    EXPECT_EQ(x, 104);
    EXPECT_EQ(y, 4);
}

TEST_F(PlotDataCompactIntervalList, DeletedPointsMoveXStartOnAndAllMayGo) {
    AddYs(5);
    list.DeletePoints(2);
    EXPECT_EQ(list.GetX(0), 102);
    EXPECT_EQ(list.GetY(0), 2);
    list.DeletePoints(3);
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(PlotDataCompactIntervalList, RingOfOneSlotTracksTheNewestX) {
    list.SetRingBufferSize(1);
    AddYs(3);
    EXPECT_EQ(list.GetX(0), 102);
}

class PlotDataFullList : public testing::Test {
protected:
    void SetUp() override {
        list.Defaults().TraceLineColor = clGreen;
        list.Defaults().MarkerStyle = ipmsDiamond;
        list.Defaults().BarWidth = 2.5;
        list.Add(1, 2);
    }
    TiPlotDataFullList list;
};

TEST_F(PlotDataFullList, PointsKeepTheAttributesInForceWhenAdded) {
    list.Defaults().TraceLineColor = clRed;
    list.Add(3, 4);
    EXPECT_EQ(list.GetTraceLineColor(0), clGreen);
    EXPECT_EQ(list.GetTraceLineColor(1), clRed);
    EXPECT_EQ(list.GetMarkerStyle(0), ipmsDiamond);
    EXPECT_EQ(list.GetBarWidth(0), 2.5);
    EXPECT_TRUE(list.GetBarVisible(0));
}

TEST_F(PlotDataFullList, NewPointsTakeEveryListDefaultMarkerCharacterIncluded) {
    TiPlotDataDefaults& d = list.Defaults();
    d = {clRed,   3,   iplsDash, true, 7,   ipmsSquare, clBlue, 2,      psDot,  clLime,
         bsClear, 'x', false,    1.5,  4.5, clYellow,   5,      psDash, clAqua, bsCross};
    list.Add(3, 4);
    EXPECT_EQ(list.GetTraceLineColor(1), clRed);
    EXPECT_EQ(list.GetTraceLineWidth(1), 3);
    EXPECT_EQ(list.GetTraceLineStyle(1), iplsDash);
    EXPECT_TRUE(list.GetMarkerVisible(1));
    EXPECT_EQ(list.GetMarkerSize(1), 7);
    EXPECT_EQ(list.GetMarkerStyle(1), ipmsSquare);
    EXPECT_EQ(list.GetMarkerPenColor(1), clBlue);
    EXPECT_EQ(list.GetMarkerPenWidth(1), 2);
    EXPECT_EQ(list.GetMarkerPenStyle(1), psDot);
    EXPECT_EQ(list.GetMarkerBrushColor(1), clLime);
    EXPECT_EQ(list.GetMarkerBrushStyle(1), bsClear);
    EXPECT_EQ(list.GetMarkerCharacter(1), 'x');
    EXPECT_FALSE(list.GetBarVisible(1));
    EXPECT_EQ(list.GetBarReference(1), 1.5);
    EXPECT_EQ(list.GetBarWidth(1), 4.5);
    EXPECT_EQ(list.GetBarPenColor(1), clYellow);
    EXPECT_EQ(list.GetBarPenWidth(1), 5);
    EXPECT_EQ(list.GetBarPenStyle(1), psDash);
    EXPECT_EQ(list.GetBarBrushColor(1), clAqua);
    EXPECT_EQ(list.GetBarBrushStyle(1), bsCross);
}

TEST_F(PlotDataFullList, ValueAndAttributeSettersWriteOnlyTheirPoint) {
    list.Add(3, 4);
    list.SetHigh(0, 9);
    list.SetNull(0, true);
    list.SetMarkerCharacter(0, 'A');
    list.SetBarBrushStyle(0, bsCross);
    EXPECT_EQ(list.GetHigh(0), 9);
    EXPECT_TRUE(list.GetNull(0));
    EXPECT_FALSE(list.GetEmpty(0));
    EXPECT_EQ(list.GetMarkerCharacter(0), 'A');
    EXPECT_EQ(list.GetBarBrushStyle(0), bsCross);
    EXPECT_FALSE(list.GetNull(1));
    EXPECT_EQ(list.GetMarkerCharacter(1), 0);
    EXPECT_EQ(list.GetBarBrushStyle(1), bsSolid);
}
