#include "instruments/controls/iSwitchQuad.h"

#include "InputSender.h"
#include "PublishedTesting.h"
#include "platform/Exception.h"
#include "platform/PropertyDefaults.h"
#include "platform/RecordingCanvas.h"

#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Logs the events, the values sent to the live-data binding and the component timer's
// requests; the test drives the timer's ticks itself.
class RecordingQuad : public TiSwitchQuad {
public:
    RecordingQuad() {
        OnChangeProperty = [this](QObject*, const QString& name) { log << "Property " + name; };
        OnValueXChange = [this](QObject*) { log << "OnValueXChange"; };
        OnValueYChange = [this](QObject*) { log << "OnValueYChange"; };
        OnValueXChangeUser = [this](QObject*) { log << "OnValueXChangeUser"; };
        OnValueYChangeUser = [this](QObject*) { log << "OnValueYChangeUser"; };
        OnClickLeft = [this](QObject*) { log << "OnClickLeft"; };
        OnClickRight = [this](QObject*) { log << "OnClickRight"; };
        OnClickUp = [this](QObject*) { log << "OnClickUp"; };
        OnClickDown = [this](QObject*) { log << "OnClickDown"; };
    }

    bool OPCOutputData(const QString& PropName, const QVariant& Value) override {
        log << QStringLiteral("OPC %1=%2").arg(PropName, Value.toString());
        return false;
    }
    void TimerStart(uint32_t InitialDelay, uint32_t Interval) override {
        if (running) return;
        running = true;
        timerLog << QStringLiteral("start %1 %2").arg(InitialDelay).arg(Interval);
    }
    void TimerStop() override { running = false; }
    bool GetTimerRunning() const override { return running; }
    void Tick() {
        if (running) OnInternalTimer(this);
    }

    QStringList log;
    QStringList timerLog;
    bool running = false;
};

class TiSwitchQuadTest : public testing::Test {
protected:
    std::vector<TCanvasRecord> Paint(TCanvasOperation operation) {
        TRecordingCanvas canvas;
        quad.iPaintToDC(0, 0, false, canvas);
        return canvas.RecordsOf(operation);
    }

    RecordingQuad quad;
    InputSender input{quad};
};

TEST_F(TiSwitchQuadTest, PublishesItsPropertiesInOrderWithTheirDefaults) {
    ExpectOwnPropertiesWithDefaults<TiSwitchQuad>(
        {"ValueX", "ValueY", "IncrementX", "IncrementY", "RepeatInitialDelay", "RepeatInterval",
         "UseArrowKeys", "ShowFocusRect", "Width", "Height", "TabStop", "BackGroundColor",
         "Transparent"});
}

TEST_F(TiSwitchQuadTest, ArrowsFillAThirdOfTheSideEach) {
    const TiSwitchQuad::TiQuadRects rects = quad.CalcRects();
    EXPECT_EQ(rects.Left, Rect(0, 21, 21, 42));
    EXPECT_EQ(rects.Up, Rect(21, 0, 42, 21));
    EXPECT_EQ(rects.Right, Rect(42, 21, 65, 42));
    EXPECT_EQ(rects.Down, Rect(21, 42, 42, 65));
    const auto triangles = Paint(TCanvasOperation::Polygon);
    ASSERT_EQ(triangles.size(), 4u); // up, left, right, down
    EXPECT_EQ(triangles[0].Points, (std::vector<TPoint>{{21, 21}, {31, 0}, {42, 21}}));
    EXPECT_EQ(triangles[1].Points, (std::vector<TPoint>{{0, 31}, {21, 21}, {21, 42}}));
    EXPECT_EQ(triangles[2].Points, (std::vector<TPoint>{{42, 21}, {65, 31}, {42, 42}}));
    EXPECT_EQ(triangles[3].Points, (std::vector<TPoint>{{21, 42}, {42, 42}, {31, 65}}));
    EXPECT_EQ(triangles[0].BrushColor, clBtnFace);
}

TEST_F(TiSwitchQuadTest, EdgesLightFromTheTopLeftAndInvertWhilePressed) {
    const auto edgeColors = [this](size_t arrow) {
        const auto lines = Paint(TCanvasOperation::Polyline);
        std::vector<TColor> colors;
        for (size_t i = 3 * arrow; i < 3 * arrow + 3; ++i)
            colors.push_back(lines.at(i).PenColor);
        return colors;
    };
    EXPECT_EQ(edgeColors(1), (std::vector<TColor>{clWhite, clBlack, 0x808080})); // left
    EXPECT_EQ(edgeColors(2), (std::vector<TColor>{clWhite, clBlack, clWhite}));  // right
    const auto lines = Paint(TCanvasOperation::Polyline);
    EXPECT_EQ(lines.at(6).Points, (std::vector<TPoint>{{42, 21}, {65, 31}}));
    input.Press({50, 30});
    EXPECT_EQ(edgeColors(2), (std::vector<TColor>{clBlack, clWhite, clBlack}));
    EXPECT_EQ(edgeColors(3), (std::vector<TColor>{clWhite, clBlack, 0x808080})); // down
    input.Release({50, 30});
    EXPECT_EQ(edgeColors(2), (std::vector<TColor>{clWhite, clBlack, clWhite}));
}

TEST_F(TiSwitchQuadTest, StaysSquareWhicheverSideIsSet) {
    quad.SetWidth(90);
    EXPECT_EQ(quad.size(), QSize(90, 90));
    quad.SetHeight(40);
    EXPECT_EQ(quad.size(), QSize(40, 40));
    quad.show();
    quad.resize(40, 70);
    EXPECT_EQ(quad.size(), QSize(70, 70));
    quad.resize(50, 70);
    EXPECT_EQ(quad.size(), QSize(50, 50));
    quad.SetWidth(-5);
    EXPECT_EQ(quad.size(), QSize(0, 0));
}

TEST_F(TiSwitchQuadTest, ClickStepsOnReleaseThenTellsTheClick) {
    input.Click({50, 30});
    EXPECT_EQ(quad.ValueX(), 1.0);
    EXPECT_EQ(quad.log, QStringList({"Property ValueX", "OnValueXChange", "OnValueXChangeUser",
                                     "OPC ValueX=1", "OnClickRight"}));
    quad.log.clear();
    input.Click({30, 50});
    input.Click({30, 10});
    input.Click({30, 10});
    input.Click({10, 30});
    EXPECT_EQ(quad.ValueY(), 1.0);
    EXPECT_EQ(quad.ValueX(), 0.0);
    EXPECT_EQ(quad.log.filter("OnClick"),
              QStringList({"OnClickDown", "OnClickUp", "OnClickUp", "OnClickLeft"}));
}

TEST_F(TiSwitchQuadTest, CornerPressTakesTheFocusButStepsNothing) {
    quad.show();
    quad.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&quad));
    input.Press({3, 3});
    EXPECT_TRUE(quad.hasFocus());
    EXPECT_EQ(quad.PressedArrow(), iqaNone);
    EXPECT_TRUE(quad.timerLog.isEmpty());
    input.Release({3, 3});
    EXPECT_TRUE(quad.log.isEmpty());
}

TEST_F(TiSwitchQuadTest, HeldArrowRepeatsOnTheTimerAndOnceMoreOnReleaseOverIt) {
    input.Press({30, 10});
    EXPECT_EQ(quad.timerLog, QStringList({"start 500 50"}));
    EXPECT_EQ(quad.ValueY(), 0.0);
    quad.Tick();
    quad.Tick();
    EXPECT_EQ(quad.ValueY(), 2.0);
    EXPECT_EQ(quad.log.count("OnValueYChangeUser"), 2);
    input.Release({30, 10});
    EXPECT_FALSE(quad.running);
    EXPECT_EQ(quad.ValueY(), 3.0);
    input.Press({30, 10});
    input.Release({60, 60}); // dragged off the arrow: no release step
    EXPECT_EQ(quad.ValueY(), 3.0);
}

TEST_F(TiSwitchQuadTest, FailingHandlerOnARepeatTickStaysInsideTheControl) {
    quad.OnValueYChange = [](QObject*) { throw Exception("handler failed"); };
    input.Press({30, 10});
    EXPECT_NO_THROW(quad.Tick());
    EXPECT_EQ(quad.ValueY(), 1.0);
    EXPECT_TRUE(quad.running);
}

TEST_F(TiSwitchQuadTest, NegativeRepeatTimesReachTheTimerAsZero) {
    quad.SetRepeatInitialDelay(-1);
    quad.SetRepeatInterval(-20);
    EXPECT_EQ(quad.RepeatInitialDelay(), 0);
    EXPECT_EQ(quad.RepeatInterval(), 0);
    input.Press({10, 30});
    EXPECT_EQ(quad.timerLog, QStringList({"start 0 0"}));
}

TEST_F(TiSwitchQuadTest, RealTimerRepeatsAfterTheInitialDelay) {
    TiSwitchQuad real;
    InputSender realInput{real};
    real.SetRepeatInitialDelay(60);
    real.SetRepeatInterval(10);
    QElapsedTimer elapsed;
    elapsed.start();
    qint64 firstStep = -1;
    real.OnValueXChange = [&](QObject*) {
        if (firstStep < 0) firstStep = elapsed.elapsed();
    };
    realInput.Press({50, 30});
    QTest::qWait(150);
    realInput.Release({0, 0});
    EXPECT_GE(firstStep, 55);
    EXPECT_GE(real.ValueX(), 3.0);
    EXPECT_FALSE(real.GetTimerRunning());
}

TEST_F(TiSwitchQuadTest, ArrowKeysPressRepeatAndStepOnRelease) {
    input.Key(QEvent::KeyPress, Qt::Key_Left);
    input.Key(QEvent::KeyPress, Qt::Key_Left); // the keyboard's own repeat
    EXPECT_EQ(quad.timerLog, QStringList({"start 500 50"}));
    EXPECT_EQ(Paint(TCanvasOperation::Polyline).at(3).PenColor, clBlack); // drawn pressed
    quad.Tick();
    input.Key(QEvent::KeyRelease, Qt::Key_Left);
    EXPECT_EQ(quad.ValueX(), -2.0);
    EXPECT_EQ(quad.log.count("OnValueXChangeUser"), 2);
    EXPECT_FALSE(quad.running);
    input.Key(QEvent::KeyPress, Qt::Key_Down);
    input.Key(QEvent::KeyRelease, Qt::Key_A); // any key up stops the repeat
    EXPECT_FALSE(quad.running);
    EXPECT_EQ(quad.ValueY(), 0.0);
}

TEST_F(TiSwitchQuadTest, WithoutArrowKeysNoKeyStepsOrIsClaimed) {
    quad.SetUseArrowKeys(false);
    input.Key(QEvent::KeyPress, Qt::Key_Right);
    input.Key(QEvent::KeyRelease, Qt::Key_Right);
    EXPECT_EQ(quad.ValueX(), 0.0);
    EXPECT_TRUE(quad.timerLog.isEmpty());
}

TEST_F(TiSwitchQuadTest, FocusLossEndsAHoldWithoutAStep) {
    input.Key(QEvent::KeyPress, Qt::Key_Up);
    input.Focus(QEvent::FocusOut);
    input.Key(QEvent::KeyRelease, Qt::Key_Up);
    input.Press({10, 30});
    input.Focus(QEvent::FocusOut);
    input.Release({10, 30});
    EXPECT_EQ(quad.ValueX(), 0.0);
    EXPECT_EQ(quad.ValueY(), 0.0);
    EXPECT_FALSE(quad.running);
}

TEST_F(TiSwitchQuadTest, NoEventSetterStillTellsThePropertyAndTheBinding) {
    quad.SetValueXNoEvent(5);
    EXPECT_EQ(quad.log, QStringList({"Property ValueX", "OPC ValueX=5"}));
    quad.OnRequestEdit = [](QObject*, const QString&, bool& canEdit) { canEdit = false; };
    quad.SetValueY(3);
    EXPECT_EQ(quad.ValueY(), 0.0);
    quad.OnRequestEdit = nullptr;
    quad.SetValueX(std::nan(""));
    quad.SetIncrementX(std::numeric_limits<double>::infinity());
    input.Click({50, 30});
    EXPECT_EQ(quad.ValueX(), 6.0);
}

} // namespace
