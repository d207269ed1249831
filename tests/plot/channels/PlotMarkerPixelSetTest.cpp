#include "plot/channels/iPlotMarkerPixelSet.h"

#include <climits>
#include <gtest/gtest.h>

TEST(PlotMarkerPixelSet, RepeatsInsideTheAreaAreSeenUntilTheNextReset) {
    TiPlotMarkerPixelSet set;
    // A Y axis maps its minimum to its larger pixel; the ends come in either order.
    set.Reset(10, 50, 20, 0);
    EXPECT_TRUE(set.Insert(10, 0));
    EXPECT_FALSE(set.Insert(10, 0));
    EXPECT_TRUE(set.Insert(20, 50));
    EXPECT_TRUE(set.Insert(11, 0));
    EXPECT_FALSE(set.Insert(20, 50));
    set.Reset(10, 0, 20, 50);
    EXPECT_TRUE(set.Insert(10, 0));
}

TEST(PlotMarkerPixelSet, PositionsOutsideOrBeyondAnyAreaAreAlwaysNew) {
    TiPlotMarkerPixelSet set;
    EXPECT_TRUE(set.Insert(0, 0));
    EXPECT_TRUE(set.Insert(0, 0));
    set.Reset(0, 0, 9, 9);
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(set.Insert(-1, 5));
        EXPECT_TRUE(set.Insert(10, 5));
        EXPECT_TRUE(set.Insert(5, INT_MIN));
    }
    set.Reset(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_TRUE(set.Insert(0, 0));
    EXPECT_TRUE(set.Insert(0, 0));
}
