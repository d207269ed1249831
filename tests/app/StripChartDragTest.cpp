// The demonstrator's strip chart, shown and running: a limit line and a text annotation added
// from code follow the user's mouse in select mode.
#include "app/Form1.h"

#include "platform/Geometry.h"
#include "plot/channels/iPlotChannel.h"
#include "plot/iPlot.h"
#include "plot/iPlotAnnotation.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotLimit.h"

#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace {

class StripChartDragTest : public testing::Test {
protected:
    StripChartDragTest() {
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        // A few ticks of the window's timer put points on the chart.
        QTest::qWait(150);
        plot.SetSelectModeActive(true);
    }

    // Pixels of the axis per unit, along the direction its values grow.
    static double PixelsPerUnit(const TiPlotAxis& axis) {
        return std::abs(axis.PositionToPixels(axis.Min() + axis.Span()) -
                        axis.PositionToPixels(axis.Min())) /
               axis.Span();
    }
    // Right of the points the ticks drew so far, so that no trace takes the press.
    int FreeX() {
        const TRect view = plot.GetDataView(0)->DrawRect();
        return view.Left + (view.Right - view.Left) * 3 / 4;
    }
    // As the user does it, in the window's coordinates.
    void Drag(QPoint from, QPoint to) {
        QWindow* window = form.windowHandle();
        const auto inWindow = [this](QPoint at) { return plot.mapTo(&form, at); };
        plot.grab();
        QTest::mousePress(window, Qt::LeftButton, {}, inWindow(from));
        QTest::mouseMove(window, inWindow((from + to) / 2));
        QTest::mouseMove(window, inWindow(to));
        QTest::mouseRelease(window, Qt::LeftButton, {}, inWindow(to));
    }

    TForm1 form;
    TiPlot& plot = *form.findChild<TiPlot*>(QStringLiteral("iPlot1"));
    TiPlotAxis& x = *plot.GetXAxis(0);
    TiPlotAxis& y = *plot.GetYAxis(0);
};

TEST_F(StripChartDragTest, LimitLineFollowsTheMouseByTheValueOfThePixelsTravelled) {
    TiPlotLimit* limit = plot.GetLimit(plot.AddLimit());
    limit->SetStyle(TiPlotLimit::iplsLineY);
    limit->SetXAxisName(x.Name());
    limit->SetYAxisName(y.Name());
    limit->SetLine1Position(40);
    limit->SetUserCanMove(true);
    std::vector<double> reported;
    plot.OnLimitLine1PositionChange = [&](int, double, double now) { reported.push_back(now); };
    plot.grab();
    const QPoint on(FreeX(), y.PositionToPixels(40));
    Drag(on, on + QPoint(0, -30));
    EXPECT_NEAR(limit->Line1Position(), 40 + 30 / PixelsPerUnit(y), 1e-9);
    ASSERT_FALSE(reported.empty());
    EXPECT_EQ(reported.back(), limit->Line1Position());
    // Select mode held the axes still, although the timer kept adding points.
    EXPECT_FALSE(x.TrackingEnabled());
}

TEST_F(StripChartDragTest, TextAnnotationOnTheChannelFollowsTheMouseInAxisUnits) {
    TiPlotAnnotation* text = plot.GetAnnotation(plot.AddAnnotation());
    text->SetStyle(TiPlotAnnotation::ipasText);
    text->SetText(QStringLiteral("salve"));
    text->SetReference(TiPlotAnnotation::iprtChannel);
    text->SetChannelName(plot.GetChannel(0)->Name());
    const double startX = x.PixelsToPosition(FreeX());
    text->SetX(startX);
    text->SetY(-60);
    text->SetUserCanMove(true);
    int finished = 0;
    plot.OnAnnotationCoordinatesChangeFinished = [&](int) { ++finished; };
    plot.grab();
    const QPoint on = ToQRect(text->HitRect()).center();
    Drag(on, on + QPoint(-40, 20));
    // The anchor moves from its own pixel, so it lands within half a pixel of the travel.
    EXPECT_NEAR(text->X(), startX - 40 / PixelsPerUnit(x), 0.5 / PixelsPerUnit(x));
    EXPECT_NEAR(text->Y(), -60 - 20 / PixelsPerUnit(y), 0.5 / PixelsPerUnit(y));
    EXPECT_EQ(finished, 1);
}

} // namespace
