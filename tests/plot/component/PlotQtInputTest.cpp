// The plot driven through Qt's own input: mouse and key events go through the window system
// interface, so Qt's grabs, popups and double-click detection route them as a user's.
#include "platform/Geometry.h"
#include "plot/channels/iPlotChannel.h"
#include "plot/iPlot.h"
#include "plot/iPlotAnnotation.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotDataCursor.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotLimit.h"
#include "plot/iPlotToolBar.h"
#include "plot/iXYPlot.h"

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using B = TiPlotToolBar::TButton;

QPoint Centre(const TRect& r) {
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

// A plot shown in its own window and laid out by a paint.
template <class Plot> class ShownPlot : public testing::Test {
protected:
    ShownPlot() {
        plot.resize(500, 300);
        plot.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&plot));
        plot.grab();
        // Qt drops a move to where the pointer already is, as the last test may have left it.
        Move({0, 0});
    }
    ~ShownPlot() override {
        // QTest remembers held buttons from one test to the next.
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton})
            if (QGuiApplication::mouseButtons() & button) QTest::mouseRelease(Window(), button);
    }

    QWindow* Window() { return plot.windowHandle(); }
    template <class Object> QPoint At(const Object* object) { return Centre(object->DrawRect()); }
    QPoint At(B button) { return At(plot.GetToolBar(0)->Button(button)); }
    QRect View() { return ToQRect(plot.GetDataView(0)->DrawRect()); }

    void Press(QPoint at, Qt::KeyboardModifiers keys = {},
               Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(Window(), button, keys, at);
    }
    void Move(QPoint at) { QTest::mouseMove(Window(), at); }
    void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseRelease(Window(), button, {}, at);
    }
    void Click(QPoint at) {
        Press(at);
        Release(at);
        plot.grab();
    }
    void Click(B button) { Click(At(button)); }
    void Drag(QPoint from, QPoint to) {
        Press(from);
        Move((from + to) / 2);
        Move(to);
        Release(to);
        plot.grab();
    }
    // Whether the plot took the notch.
    bool Wheel(QPoint at, int delta, Qt::KeyboardModifiers keys = {}) {
        QWheelEvent wheel(at, plot.mapToGlobal(at), {}, {0, delta}, Qt::NoButton, keys,
                          Qt::NoScrollPhase, false);
        wheel.setAccepted(false);
        QApplication::sendEvent(&plot, &wheel);
        return wheel.isAccepted();
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers keys = {}) { QTest::keyClick(Window(), key, keys); }

    Plot plot;
};

using StripChartQtInput = ShownPlot<TiPlot>;
using XYPlotQtInput = ShownPlot<TiXYPlot>;

TEST_F(StripChartQtInput, ToolBarButtonsPauseZoomBoxShowTheCursorAndResume) {
    TiPlotToolBar* bar = plot.GetToolBar(0);
    TiPlotAxis* x = plot.GetXAxis(0);
    Click(B::Pause);
    EXPECT_FALSE(x->TrackingEnabled());
    EXPECT_TRUE(bar->Button(B::Resume)->Enabled());
    Click(B::ZoomBox);
    EXPECT_TRUE(bar->GetZoomBoxActive());
    EXPECT_EQ(plot.GetDataView(0)->GetMode(), TiPlotDataView::ipdvmZoomBox);
    Click(B::Cursor);
    EXPECT_TRUE(plot.GetDataCursor(0)->Visible());
    EXPECT_TRUE(plot.GetDataCursor(0)->UserSelected());
    // A toolbar takes no selection of its own from a plain click.
    EXPECT_FALSE(bar->UserSelected());
    Click(B::Resume);
    EXPECT_TRUE(x->TrackingEnabled());
    EXPECT_FALSE(bar->GetCursorActive());
    EXPECT_FALSE(plot.GetDataCursor(0)->Visible());
}

TEST_F(StripChartQtInput, ZoomBoxDraggedDownRightOverTheViewBecomesTheAxesRanges) {
    Click(B::ZoomBox);
    TiPlotAxis* x = plot.GetXAxis(0);
    TiPlotAxis* y = plot.GetYAxis(0);
    const QPoint from = View().topLeft() + QPoint(100, 40);
    const QPoint to = from + QPoint(150, 80);
    const double xMin = x->PixelsToPosition(from.x()), xMax = x->PixelsToPosition(to.x());
    const double yMin = y->PixelsToPosition(to.y()), yMax = y->PixelsToPosition(from.y());
    Drag(from, to);
    EXPECT_DOUBLE_EQ(x->Min(), xMin);
    EXPECT_DOUBLE_EQ(x->Min() + x->Span(), xMax);
    EXPECT_DOUBLE_EQ(y->Min(), yMin);
    EXPECT_DOUBLE_EQ(y->Min() + y->Span(), yMax);
}

TEST_F(StripChartQtInput, WheelAndArrowKeysReachOnlyTheAxisSelectedByAClick) {
    TiPlotAxis* y = plot.GetYAxis(0);
    const double min = y->Min();
    // Handled though nothing is selected, so the notch never scrolls a parent.
    EXPECT_TRUE(Wheel(At(y), 120));
    EXPECT_EQ(y->Min(), min);
    Click(At(y));
    ASSERT_TRUE(y->UserSelected());
    EXPECT_TRUE(Wheel(At(y), 120));
    EXPECT_DOUBLE_EQ(y->Min(), min + y->Span() * 0.05);
    Key(Qt::Key_Down);
    EXPECT_DOUBLE_EQ(y->Min(), min + y->Span() * 0.04);
    // The toolbar's zoom mode turns the same notch into a zoom; its click keeps the axis's
    // selection.
    const double span = y->Span();
    Click(B::ZoomAxesMode);
    ASSERT_TRUE(y->UserSelected());
    Wheel(At(y), 120);
    EXPECT_DOUBLE_EQ(y->Span(), span / std::pow(10.0, 0.025));
}

TEST_F(StripChartQtInput, WheelOverTheSelectedDataViewScrollsAndWithCtrlZoomsTheXAxis) {
    TiPlotAxis* x = plot.GetXAxis(0);
    plot.GetDataView(0)->SetAxesControlEnabled(true);
    Click(View().center());
    ASSERT_TRUE(plot.GetDataView(0)->UserSelected());
    const double min = x->Min(), span = x->Span();
    EXPECT_TRUE(Wheel(View().center(), -120));
    EXPECT_DOUBLE_EQ(x->Min(), min - span * 0.05);
    Wheel(View().center(), 120, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(x->Span(), span / std::pow(10.0, 0.025));
}

TEST_F(StripChartQtInput, QtsOwnDoubleClickReportsAClickThenADoubleClick) {
    std::vector<QString> events;
    plot.OnClickXAxis = [&](int) { events.push_back(QStringLiteral("click")); };
    plot.OnDblClickXAxis = [&](int) { events.push_back(QStringLiteral("dbl")); };
    QTest::mouseDClick(Window(), Qt::LeftButton, {}, At(plot.GetXAxis(0)));
    EXPECT_EQ(events, (std::vector<QString>{"click", "dbl"}));
    EXPECT_FALSE(plot.DblClickActive());
}

TEST_F(StripChartQtInput, DataCursorFollowsADragAndStepsByOnePixelWithCtrlArrows) {
    TiPlotChannel* channel = plot.GetChannel(0);
    for (int i = 0; i <= 100; ++i)
        channel->AddXY(i, 2 * i);
    plot.GetXAxis(0)->SetMinSpan(0, 100);
    Click(B::Cursor);
    TiPlotDataCursor* cursor = plot.GetDataCursor(0);
    ASSERT_TRUE(cursor->Visible() && cursor->Pointer1Vertical());
    const double width = View().width();
    const QPoint grip = Centre(cursor->Pointer1Rect());
    Drag(grip, grip + QPoint(40, 0));
    EXPECT_NEAR(cursor->Pointer1Position(), 50 + 40 / width * 100, 0.5);
    EXPECT_NEAR(cursor->DataX(), cursor->Pointer1Position(), 1);
    EXPECT_NEAR(cursor->DataY(), 2 * cursor->DataX(), 1);
    const double dragged = cursor->Pointer1Position();
    Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_NEAR(cursor->Pointer1Position() - dragged, 100 / width, 0.01);
}

TEST_F(StripChartQtInput, AnnotationOverTheDataViewMovesByThePercentOfTheViewTravelled) {
    plot.SetSelectModeActive(true);
    TiPlotAnnotation* text = plot.GetAnnotation(plot.AddAnnotation());
    text->SetText(QStringLiteral("A"));
    text->SetX(50);
    text->SetY(50);
    text->SetUserCanMove(true);
    plot.grab();
    const QPoint on = Centre(text->HitRect());
    Drag(on, on + QPoint(View().width() / 10, 0));
    // The anchor moves from its own pixel: within a pixel of the travel.
    EXPECT_NEAR(text->X(), 60, 100.0 / View().width());
    EXPECT_NEAR(text->Y(), 50, 100.0 / View().height());
}

TEST_F(XYPlotQtInput, ZoomBoxAndAxisDragWorkAsOnTheStripChart) {
    TiPlotAxis* x = plot.GetXAxis(0);
    TiPlotAxis* y = plot.GetYAxis(0);
    Click(B::ZoomBox);
    const QPoint from = View().topLeft() + QPoint(60, 30);
    const QPoint to = from + QPoint(100, 50);
    const double xMin = x->PixelsToPosition(from.x()), yMax = y->PixelsToPosition(from.y());
    Drag(from, to);
    EXPECT_DOUBLE_EQ(x->Min(), xMin);
    EXPECT_DOUBLE_EQ(y->Min() + y->Span(), yMax);
    // A drag along the X axis scrolls it against the pointer.
    const double min = x->Min();
    Drag(At(x), At(x) + QPoint(-50, 0));
    EXPECT_GT(x->Min(), min);
}

// Hints run on the component timer; short pauses keep the waits short.
class StripChartQtHints : public StripChartQtInput {
protected:
    StripChartQtHints() {
        plot.SetHintsPause(20);
        plot.SetHintsHidePause(60);
    }
    // Rests on the X axis, whose hidden title is its hint, until the hint shows.
    void RestOnTheXAxis() {
        Move(At(plot.GetXAxis(0)));
        EXPECT_TRUE(plot.GetTimerRunning());
        EXPECT_FALSE(plot.HintShowing());
        EXPECT_TRUE(QTest::qWaitFor([&] { return plot.HintShowing(); }));
    }
    // Two moves after a lost capture: the first starts no hint timer.
    void MoveTwiceOverTheXAxis() {
        Move(At(plot.GetXAxis(0)) + QPoint(1, 0));
        EXPECT_FALSE(plot.GetTimerRunning());
        Move(At(plot.GetXAxis(0)));
    }
};

TEST_F(StripChartQtHints, HintShowsAfterTheRestHoldsThePointerAndGoesAfterTheHidePause) {
    RestOnTheXAxis();
    EXPECT_EQ(QWidget::mouseGrabber(), &plot);
    plot.grab();
    EXPECT_TRUE(plot.HintPainted());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !plot.HintShowing(); }));
    EXPECT_NE(QWidget::mouseGrabber(), &plot);
    plot.grab();
    EXPECT_FALSE(plot.HintPainted());
}

// Qt tells a control that another window took the pointer it held by a Leave: the
// capture-changed notice.
TEST_F(StripChartQtHints, WindowTakingTheHeldPointerHidesTheHintForgetsTheHoverAndGetsIt) {
    RestOnTheXAxis();
    QMenu menu;
    menu.addAction(QStringLiteral("Other"));
    menu.popup(plot.mapToGlobal(At(plot.GetXAxis(0))));
    // A window system may tell it later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !plot.HintShowing(); }, 1000));
    EXPECT_EQ(plot.HoverObject(), nullptr);
    EXPECT_NE(QWidget::mouseGrabber(), &plot);
    menu.close();
    MoveTwiceOverTheXAxis();
    EXPECT_TRUE(plot.GetTimerRunning());

    // A click hides the hint but keeps the pointer until it moves out; a modal window the
    // click opens must get it, or the application takes no more clicks.
    EXPECT_TRUE(QTest::qWaitFor([&] { return plot.HintShowing(); }));
    Click(At(plot.GetXAxis(0)));
    ASSERT_EQ(QWidget::mouseGrabber(), &plot);
    QWidget dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QWidget::mouseGrabber() != &plot; }, 1000));
}

// The release of the right click goes to the menu the press opened; the plot must not go on
// believing a button is down, nor, after Shift on an axis, ignore every move.
TEST_F(StripChartQtHints, MenuOpenedByARightPressTakesItsReleaseAndHintsComeBack) {
    TiPlotAxis* y = plot.GetYAxis(0);
    Press(At(y), Qt::ShiftModifier, Qt::RightButton);
    ASSERT_TRUE(plot.PopupMenu()->isVisible());
    Release(At(y), Qt::RightButton);
    plot.PopupMenu()->close();
    EXPECT_EQ(plot.PressedObject(), y);
    MoveTwiceOverTheXAxis();
    EXPECT_EQ(plot.PressedObject(), nullptr);
    EXPECT_TRUE(plot.GetTimerRunning());
}

} // namespace
