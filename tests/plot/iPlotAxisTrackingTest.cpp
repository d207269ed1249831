#include "plot/iPlotAxisTracking.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

class TiPlotAxisTrackingTest : public testing::Test {
protected:
    void Track(double value) { tracking.NewTrackingData(value, range); }
    void ExpectWindow(double min, double max) const {
        EXPECT_NEAR(range.Min(), min, 1e-9);
        EXPECT_NEAR(range.Max(), max, 1e-9);
    }

    TiPlotAxisRange range;
    TiPlotAxisTracking tracking{iptsScaleMinMax, ipafsNone};
    double labelsMinLength = 5;
};

TEST_F(TiPlotAxisTrackingTest, StripChartScrollsSmoothlyOnceTheDataPassTheRightEnd) {
    range.SetMinSpan(0, 10);
    tracking.SetStyle(iptsScrollSmooth);
    tracking.SetAlignFirstStyle(ipafsAuto);
    for (int i = 0; i < 200; ++i)
        Track(i * 0.05);
    ExpectWindow(0, 10);
    Track(10.05);
    ExpectWindow(0.05, 10.05);
    Track(10.10);
    ExpectWindow(0.10, 10.10);
}

TEST_F(TiPlotAxisTrackingTest, PauseFreezesAndResumeRestoresTheSavedRange) {
    range.SetMinSpan(0, 10);
    tracking.SetStyle(iptsScrollSmooth);
    Track(12);
    tracking.SetEnabled(false, range, labelsMinLength);
    Track(20);
    ExpectWindow(2, 12);
    range.ScrollPercentByReference(-1);
    labelsMinLength = 9;
    EXPECT_TRUE(tracking.ResumeValuesDiffer(range));
    tracking.SetEnabled(true, range, labelsMinLength);
    ExpectWindow(2, 12);
    EXPECT_EQ(labelsMinLength, 5);
    EXPECT_FALSE(tracking.ResumeValuesDiffer(range));
    Track(20.05);
    ExpectWindow(10.05, 20.05);
}

TEST_F(TiPlotAxisTrackingTest, ResumeWithoutRestoringKeepsTheUsersRange) {
    tracking.SetRestoreValuesOnResume(false);
    tracking.SetEnabled(false, range, labelsMinLength);
    range.SetMinSpan(40, 10);
    tracking.SetEnabled(true, range, labelsMinLength);
    ExpectWindow(40, 50);
}

TEST_F(TiPlotAxisTrackingTest, ScaleMinMaxWidensUpwardsAndMovesTheWindowDown) {
    Track(50);
    ExpectWindow(0, 100);
    Track(150);
    ExpectWindow(0, 150);
    Track(-20);
    ExpectWindow(-20, 130);
}

TEST_F(TiPlotAxisTrackingTest, ScaleMaxAndScaleMinMoveOneEndEach) {
    tracking.SetStyle(iptsScaleMax);
    Track(-50);
    Track(150);
    ExpectWindow(0, 150);
    tracking.SetStyle(iptsScaleMin);
    Track(200);
    Track(-10);
    ExpectWindow(-10, 140);
}

TEST_F(TiPlotAxisTrackingTest, FirstValueAlignsByTheAlignFirstStyle) {
    tracking.SetAlignFirstStyle(ipafsAuto);
    Track(250);
    ExpectWindow(250, 350);
    tracking.ResetFirstAlign();
    Track(260);
    ExpectWindow(250, 350);
    tracking.ResetFirstAlign();
    tracking.SetAlignFirstStyle(ipafsMax);
    Track(500);
    ExpectWindow(400, 500);
    tracking.ResetFirstAlign();
    tracking.SetAlignFirstStyle(ipafsMin);
    Track(450);
    ExpectWindow(450, 550);
}

TEST_F(TiPlotAxisTrackingTest, ScrollPageMovesAWholePageEitherWay) {
    range.SetMinSpan(0, 10);
    tracking.SetStyle(iptsScrollPage);
    Track(10.5);
    ExpectWindow(10, 20);
    Track(9);
    ExpectWindow(0, 10);
}

TEST_F(TiPlotAxisTrackingTest, ScrollSmoothFollowsValuesBelowTheRange) {
    range.SetMinSpan(10, 10);
    tracking.SetStyle(iptsScrollSmooth);
    Track(4);
    ExpectWindow(4, 14);
}

TEST_F(TiPlotAxisTrackingTest, CompressMaxLetsTheSpanGrowUntilItExceedsTheLimitThenCuts) {
    range.SetMinSpan(0, 10);
    tracking.SetStyle(iptsScrollSmooth);
    tracking.SetScrollCompressMax(20);
    Track(15);
    ExpectWindow(0, 15);
    Track(20.5);
    ExpectWindow(0, 20.5);
    Track(21);
    ExpectWindow(1, 21);
}

TEST_F(TiPlotAxisTrackingTest, LogAxisNeverTracksToANonPositiveMin) {
    range.SetScaleType(ipstLog10);
    tracking.SetStyle(iptsScaleMin);
    Track(-5);
    EXPECT_EQ(range.Min(), 1);
}

TEST_F(TiPlotAxisTrackingTest, ExpandCollapseOwesOneFitInsteadOfOnePerPoint) {
    tracking.SetStyle(iptsExpandCollapse);
    for (int i = 0; i < 1000; ++i)
        Track(i);
    EXPECT_TRUE(tracking.FitPending());
    ExpectWindow(0, 100);
    TiPlotAxisExtents extents;
    extents.Include(-2, 999);
    tracking.ApplyFit(range, extents);
    EXPECT_FALSE(tracking.FitPending());
    ExpectWindow(-2, 999);
    Track(5);
    tracking.SetEnabled(false, range, labelsMinLength);
    EXPECT_FALSE(tracking.FitPending());
}

TEST_F(TiPlotAxisTrackingTest, PausedAxisAndNaNValuesDoNotTrack) {
    Track(std::numeric_limits<double>::quiet_NaN());
    EXPECT_FALSE(tracking.FirstAligned());
    ExpectWindow(0, 100);
    tracking.SetEnabled(false, range, labelsMinLength);
    Track(500);
    ExpectWindow(0, 100);
    Track(std::numeric_limits<double>::infinity());
    tracking.SetEnabled(true, range, labelsMinLength);
    Track(std::numeric_limits<double>::infinity());
    EXPECT_EQ(range.Span(), 1e300);
}

// The axis skips its change guards for values Keeps answers for, so Keeps must never answer
// for a value that would move the range, fire an event or owe a fit.
TEST_F(TiPlotAxisTrackingTest, KeepsOnlyValuesThatChangeNothing) {
    const double values[] = {5, 0, 10, 10.5, -0.5, 7, std::nan(""), 3, 40, 41, -20, 2};
    for (TiPlotTrackingStyle style : {iptsScaleMinMax, iptsScaleMax, iptsScaleMin, iptsScrollSmooth,
                                      iptsScrollPage, iptsExpandCollapse})
        for (TiPlotScaleType scale : {ipstLinear, ipstLog10}) {
            TiPlotAxisRange r;
            r.SetScaleType(scale);
            r.SetMinSpan(0, 10);
            int events = 0;
            r.OnChange = [&] { ++events; };
            TiPlotAxisTracking t{style, ipafsNone};
            int kept = 0;
            for (double value : values) {
                const bool keeps = t.Keeps(value, r);
                const double min = r.Min(), span = r.Span();
                const bool pending = t.FitPending();
                const int before = events;
                t.NewTrackingData(value, r);
                if (!keeps) continue;
                ++kept;
                EXPECT_EQ(r.Min(), min) << style << " " << value;
                EXPECT_EQ(r.Span(), span) << style << " " << value;
                EXPECT_EQ(events, before) << style << " " << value;
                EXPECT_EQ(t.FitPending(), pending) << style << " " << value;
            }
            // Inside an aligned range the fast answer is the usual one, except while
            // expanding and collapsing.
            EXPECT_GT(kept, style == iptsExpandCollapse ? 0 : 2) << style;
        }
}
