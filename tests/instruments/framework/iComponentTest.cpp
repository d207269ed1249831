#include "GuardCatchWatch.h"
#include "TestInstrument.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/Clock.h"
#include "platform/PropertyDefaults.h"
#include "platform/PropertyWalker.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

class TiComponentTest : public testing::Test {
protected:
    TiComponentTest() { clock.AdvanceMilliseconds(1000); }

    QImage Grab() { return control.grab().toImage(); }
    TColor PixelAt(const QImage& image, int x, int y) { return FromQColor(image.pixelColor(x, y)); }
    // A handler that notes its name in the control's log, as the i* operations do.
    void Note(const QString& name) {
        control.log << name + (control.UserInputActive() ? "" : " (program)");
    }
    bool WaitForRepaints(int count) {
        return QTest::qWaitFor([&] { return control.repaints >= count; }, 2000);
    }

    ManualClock clock;
    ScopedClock scopedClock{[this] { return clock(); }};
    TestInstrument control;
};

TEST_F(TiComponentTest, PublishesItsPropertiesInDeclaredOrderWithTheirDefaults) {
    QStringList names;
    for (const QMetaProperty& p : PropertyWalker::Published(TiComponent::staticMetaObject))
        names << p.name();
    EXPECT_EQ(names, QStringList({"Visible", "Enabled", "ShowHint", "PopupMenu",
                                  "OptionSaveAllProperties", "AutoFrameRate", "UpdateFrameRate"}));
    EXPECT_TRUE(PropertyDefaults::IsDefault(&control, "UpdateFrameRate"));
    control.SetUpdateFrameRate(30);
    EXPECT_FALSE(PropertyDefaults::IsDefault(&control, "UpdateFrameRate"));
}

TEST_F(TiComponentTest, VisibleIsTheControlsOwnSettingBeforeItsWindowIsShown) {
    QWidget form;
    TestInstrument child(&form);
    EXPECT_TRUE(child.Visible());
    EXPECT_TRUE(PropertyDefaults::IsDefault(&child, "Visible"));
    child.SetVisible(false);
    EXPECT_FALSE(child.Visible());
    child.SetVisible(true);
    EXPECT_TRUE(child.Visible());
}

TEST_F(TiComponentTest, PropertySetterRepaintsOnlyARealChangeWithItsKind) {
    int field = 5;
    control.SetIntegerProperty(5, field, irtBackGround);
    EXPECT_EQ(control.repaints, 0);
    control.SetIntegerProperty(6, field, irtNone);
    EXPECT_EQ(field, 6);
    EXPECT_EQ(control.repaints, 0);
    QString text = "Error";
    control.SetStringProperty("error", text, irtInvalidate);
    EXPECT_EQ(text, "error");
    EXPECT_EQ(control.repaints, 1);
}

TEST_F(TiComponentTest, CoreSettersRebuildTheBackgroundOnlyForARealChange) {
    const std::vector<std::function<void()>> changes{
        [&] { control.SetBackGroundColor(clAqua); },
        [&] { control.SetBorderStyle(ibsRaised); },
        [&] { control.SetOffsetX(4); },
        [&] { control.SetOffsetY(-4); },
        [&] { control.SetUpdateFrameRate(25); },
        [&] { control.SetErrorActive(true); },
        [&] { control.SetErrorText("Fault"); },
        [&] { control.SetErrorBackGroundColor(clRed); },
    };
    for (const auto& change : changes) {
        Grab();
        control.repaints = 0;
        change();
        EXPECT_TRUE(control.BackGroundChanged());
        EXPECT_EQ(control.repaints, 1);
        Grab();
        change();
        EXPECT_FALSE(control.BackGroundChanged());
        EXPECT_EQ(control.repaints, 1);
    }
}

TEST_F(TiComponentTest, ErrorFontChangeRepaintsWithoutRebuildingTheBackground) {
    Grab();
    control.repaints = 0;
    control.ErrorFont()->SetHeight(-20);
    EXPECT_EQ(control.repaints, 1);
    EXPECT_FALSE(control.BackGroundChanged());
}

TEST_F(TiComponentTest, BatchEndsAtTheFirstEndUpdateAndPaintsOnce) {
    control.BeginUpdate();
    control.BeginUpdate();
    control.InvalidateChange();
    control.BackGroundChange();
    EXPECT_EQ(control.repaints, 0);
    control.EndUpdate();
    EXPECT_EQ(control.repaints, 1);
    control.EndUpdate();
    EXPECT_EQ(control.repaints, 1);
    control.InvalidateChange();
    EXPECT_EQ(control.repaints, 2);
}

TEST_F(TiComponentTest, FrameRateDefersARequestInsideTheIntervalAndPaintsItOnce) {
    control.SetAutoFrameRate(true);
    ASSERT_EQ(control.repaints, 1);
    clock.AdvanceMilliseconds(10);
    control.InvalidateChange();
    clock.AdvanceMilliseconds(2);
    control.BackGroundChange();
    EXPECT_EQ(control.repaints, 1); // the rate holds
    ASSERT_TRUE(WaitForRepaints(2));
    QTest::qWait(50);
    EXPECT_EQ(control.repaints, 2); // the last change shows, once
    EXPECT_EQ(control.LastRepaintTime(), clock());
}

TEST_F(TiComponentTest, FrameRateRepaintsAtOnceAfterTheIntervalAndDropsTheDeferredRepaint) {
    control.SetAutoFrameRate(true);
    clock.AdvanceMilliseconds(10);
    control.InvalidateChange();
    clock.AdvanceMilliseconds(10);
    control.InvalidateChange();
    EXPECT_EQ(control.repaints, 2);
    QTest::qWait(50);
    EXPECT_EQ(control.repaints, 2);
}

TEST_F(TiComponentTest, FrameRateZeroRepaintsEveryRequest) {
    control.SetUpdateFrameRate(0);
    control.SetAutoFrameRate(true);
    control.InvalidateChange();
    control.InvalidateChange();
    EXPECT_EQ(control.repaints, 4);
}

TEST_F(TiComponentTest, TurningAutoFrameRateOffEndsTheBatchAndPaintsWhatIsPending) {
    control.SetAutoFrameRate(true);
    clock.AdvanceMilliseconds(100);
    control.BeginUpdate();
    control.InvalidateChange();
    EXPECT_EQ(control.repaints, 1);
    control.SetAutoFrameRate(false);
    EXPECT_EQ(control.repaints, 2);
    control.InvalidateChange();
    EXPECT_EQ(control.repaints, 3);
}

TEST_F(TiComponentTest, RepaintRequestReachesTheWindowSystem) {
    QWidget window;
    control.setParent(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(QTest::qWaitFor([&] { return control.paints > 0; }));
    const int before = control.paints;
    control.InvalidateChange();
    EXPECT_TRUE(QTest::qWaitFor([&] { return control.paints > before; }));
    control.setParent(nullptr);
}

TEST_F(TiComponentTest, CachedBackgroundIsDrawnOnceUntilABackgroundChangeOrUncachedDrawing) {
    Grab();
    Grab();
    EXPECT_EQ(control.staticDraws, 1);
    control.InvalidateChange();
    Grab();
    EXPECT_EQ(control.staticDraws, 1);
    control.SetBackGroundColor(clBlue);
    const QImage image = Grab();
    EXPECT_EQ(control.staticDraws, 2);
    EXPECT_EQ(PixelAt(image, 10, 10), clBlue);
    EXPECT_EQ(PixelAt(image, 50, 25), clRed);
    control.SetCachedDrawing(false);
    Grab();
    Grab();
    EXPECT_EQ(control.staticDraws, 4);
    EXPECT_FALSE(control.cachedDuringPaint);
}

// An instrument on a screen whose pixel density the test sets.
class DensityInstrument : public TestInstrument {
public:
    qreal density = 1;

protected:
    int metric(PaintDeviceMetric metric) const override {
        if (metric == PdmDevicePixelRatioScaled)
            return int(density * QPaintDevice::devicePixelRatioFScale());
        if (metric == PdmDevicePixelRatio) return int(density);
        return TestInstrument::metric(metric);
    }
};

TEST(TiComponentDensityTest, PixelDensityIsReadAgainOnlyAfterAScreenChange) {
    DensityInstrument control;
    control.grab();
    control.density = 2;
    control.grab();
    EXPECT_EQ(control.staticDraws, 1) << "density is kept between paints";
    QEvent screenChange(QEvent::ScreenChangeInternal);
    QCoreApplication::sendEvent(&control, &screenChange);
    const QImage image = control.grab().toImage();
    EXPECT_EQ(control.staticDraws, 2) << "a new density makes the background stale";
    EXPECT_EQ(image.width(), 2 * control.width());
    EXPECT_EQ(FromQColor(image.pixelColor(100, 50)), clRed);
}

TEST_F(TiComponentTest, BorderIsTheEdgeOfTheWholeControl) {
    control.SetBorderStyle(ibsLowered);
    EXPECT_EQ(control.GetBorderMargin(), 2);
    const QImage image = Grab();
    TBitmap expected;
    expected.SetSize(101, 51);
    iDrawEdge(expected.Canvas(), Rect(0, 0, 101, 51), idesSunken);
    for (const QPoint p : {QPoint(0, 0), QPoint(1, 1), QPoint(100, 50), QPoint(99, 49)})
        EXPECT_EQ(PixelAt(image, p.x(), p.y()), expected.Canvas()->Pixels(p.x(), p.y()));
    EXPECT_EQ(PixelAt(image, 10, 10), ColorToRGB(clBtnFace));
}

TEST_F(TiComponentTest, BackGroundPictureIsStretchedWithoutBorderUnlessEmpty) {
    control.SetBorderStyle(ibsRaised);
    control.CreateBackGroundPicture();
    const QImage plain = Grab();
    EXPECT_EQ(PixelAt(plain, 10, 10), ColorToRGB(clBtnFace));
    EXPECT_NE(PixelAt(plain, 0, 0), ColorToRGB(clBtnFace));

    TBitmap picture;
    picture.Canvas()->Brush()->SetColor(clBlue);
    picture.SetSize(2, 2);
    control.SetBackGroundPicture(&picture);
    EXPECT_TRUE(control.BackGroundChanged());
    const QImage pictured = Grab();
    EXPECT_EQ(PixelAt(pictured, 0, 0), clBlue);
    EXPECT_EQ(PixelAt(pictured, 100, 50), clBlue);
}

TEST_F(TiComponentTest, AfterPaintDrawsOnTheFrameAndAFailingPaintIsDroppedBeforeIt) {
    const ExpectedGuardCatches expected;
    int afterPaints = 0;
    control.OnAfterPaint = [&](QObject*, TCanvas* canvas) {
        ++afterPaints;
        canvas->SetPixels(3, 3, clLime);
    };
    EXPECT_EQ(PixelAt(Grab(), 3, 3), clLime);
    control.failPaint = true;
    EXPECT_NO_THROW(Grab());
    EXPECT_EQ(control.paints, 2);
    EXPECT_EQ(afterPaints, 1);
}

// A frame of absurd size is not had: that paint draws nothing, and a later size that fits
// draws again.
TEST_F(TiComponentTest, AControlTooLargeForItsFrameDrawsNothingUntilItFitsAgain) {
    const ExpectedGuardCatches expected;
    control.resize(20000, 20000);
    QImage image(10, 10, QImage::Format_RGB32);
    EXPECT_NO_THROW(control.render(&image));
    EXPECT_EQ(control.paints, 0);
    control.resize(101, 51);
    EXPECT_EQ(PixelAt(Grab(), 50, 25), clRed);
    EXPECT_EQ(control.paints, 1);
}

TEST_F(TiComponentTest, CenterPointsAndRadialPoints) {
    TBitmap bitmap;
    control.SetOffsetX(3);
    EXPECT_EQ(control.GetCenterPoint(*bitmap.Canvas()), Point(53, 25));
    EXPECT_EQ(control.GetCenterPointDouble(*bitmap.Canvas()), (TPointDouble{50, 25}));
    EXPECT_EQ(TiComponent::GetXYRadPoint(90, 10, Point(50, 50)), Point(50, 40));
}

TEST_F(TiComponentTest, TabOrderMovesTheControlAmongItsSiblings) {
    QWidget parent;
    auto* first = new TestInstrument(&parent);
    auto* second = new TestInstrument(&parent);
    control.setParent(&parent);
    EXPECT_EQ(control.TabOrder(), 2);
    control.SetTabOrder(0);
    EXPECT_EQ(control.TabOrder(), 0);
    EXPECT_EQ(first->TabOrder(), 1);
    EXPECT_EQ(second->TabOrder(), 2);
    control.setParent(nullptr);
}

class TiComponentInputTest : public TiComponentTest {
protected:
    TiComponentInputTest() {
        control.OnKeyDown = [this](QObject*, uint16_t& key, TShiftState) {
            Note(QStringLiteral("OnKeyDown %1").arg(key));
        };
        control.OnKeyPress = [this](QObject*, QChar& key) { Note("OnKeyPress " + QString(key)); };
        control.OnKeyUp = [this](QObject*, uint16_t&, TShiftState) { Note("OnKeyUp"); };
        const auto mouse = [this](const char* name) {
            return [this, name](QObject*, TMouseButton, TShiftState, int, int) { Note(name); };
        };
        control.OnMouseDown = mouse("OnMouseDown");
        control.OnMouseUp = mouse("OnMouseUp");
        control.OnMouseMove = [this](QObject*, TShiftState, int, int) { Note("OnMouseMove"); };
        const auto notify = [this](const char* name) {
            return [this, name](QObject*) { Note(name); };
        };
        control.OnClick = notify("OnClick");
        control.OnDblClick = notify("OnDblClick");
        control.OnEnter = notify("OnEnter");
        control.OnExit = notify("OnExit");
    }

    bool Send(QEvent& event) { return QApplication::sendEvent(&control, &event); }
    void Key(QEvent::Type type, int key, const QString& text = {}) {
        QKeyEvent event(type, key, Qt::NoModifier, text);
        Send(event);
    }
    void Mouse(QEvent::Type type, QPointF at, Qt::MouseButtons buttons = Qt::LeftButton) {
        QMouseEvent event(type, at, control.mapToGlobal(at), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        Send(event);
    }
};

TEST_F(TiComponentInputTest, KeysRunTheStandardEventBeforeTheOperation) {
    Key(QEvent::KeyPress, Qt::Key_A, "a");
    Key(QEvent::KeyRelease, Qt::Key_Left);
    EXPECT_EQ(control.log, QStringList({"OnKeyDown 65", "iKeyDown 65", "OnKeyPress a",
                                        "iKeyPress a", "OnKeyUp", "iKeyUp 37"}));
    EXPECT_FALSE(control.UserInputActive());
}

TEST_F(TiComponentInputTest, MouseRunsTheOperationBeforeTheStandardEvent) {
    Mouse(QEvent::MouseButtonPress, {10, 20});
    Mouse(QEvent::MouseMove, {11, 21});
    Mouse(QEvent::MouseButtonRelease, {12, 22}, Qt::NoButton);
    EXPECT_EQ(control.log, QStringList({"iMouseDown 10,20", "OnMouseDown", "iMouseMove 11,21",
                                        "OnMouseMove", "iMouseUp 12,22", "OnClick", "OnMouseUp"}));
    Mouse(QEvent::MouseButtonPress, {10, 20});
    Mouse(QEvent::MouseButtonRelease, {200, 20}, Qt::NoButton);
    EXPECT_EQ(control.log.count("OnClick"), 1); // released outside: no click
}

TEST_F(TiComponentInputTest, DoubleClickIsFollowedByAPressMarkedDouble) {
    Mouse(QEvent::MouseButtonDblClick, {5, 6});
    EXPECT_EQ(control.log,
              QStringList({"iDoubleClick", "OnDblClick", "iMouseDown 5,6 double", "OnMouseDown"}));
}

TEST_F(TiComponentInputTest, FaultyHandlerIsDroppedAndEndsTheUserInput) {
    const ExpectedGuardCatches expected;
    control.OnKeyDown = [](QObject*, uint16_t&, TShiftState) {
        throw Exception(QStringLiteral("handler failed"));
    };
    control.OnMouseDown = [](QObject*, TMouseButton, TShiftState, int, int) {
        throw Exception(QStringLiteral("handler failed"));
    };
    EXPECT_NO_THROW(Key(QEvent::KeyPress, Qt::Key_Up));
    EXPECT_NO_THROW(Mouse(QEvent::MouseButtonPress, {1, 1}));
    EXPECT_EQ(control.log, QStringList({"iMouseDown 1,1"}));
    EXPECT_FALSE(control.UserInputActive());
}

// Qt's event loop cannot pass an exception on: a handler raising anything, on any route, must
// end at the control.
TEST_F(TiComponentInputTest, NoThrowingHandlerUnwindsThroughTheEventLoopOnAnyRoute) {
    const ExpectedGuardCatches expected;
    const auto fail = [] { throw std::runtime_error("handler failed"); };
    control.OnKeyDown = [&](QObject*, uint16_t&, TShiftState) { fail(); };
    control.OnKeyPress = [&](QObject*, QChar&) { fail(); };
    control.OnKeyUp = [&](QObject*, uint16_t&, TShiftState) { fail(); };
    control.OnMouseDown = [&](QObject*, TMouseButton, TShiftState, int, int) { fail(); };
    control.OnMouseMove = [&](QObject*, TShiftState, int, int) { fail(); };
    control.OnMouseUp = [&](QObject*, TMouseButton, TShiftState, int, int) { fail(); };
    control.OnDblClick = [&](QObject*) { fail(); };
    control.OnEnter = [&](QObject*) { fail(); };
    control.OnExit = [&](QObject*) { fail(); };
    control.OnDragOver = [&](QObject*, QObject*, int, int, TDragState, bool&) { fail(); };
    control.OnDragDrop = [&](QObject*, QObject*, int, int) { fail(); };
    control.OnAfterPaint = [&](QObject*, TCanvas*) { fail(); };
    QMimeData data;
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QDragLeaveEvent leave;
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QWheelEvent wheel({5, 5}, control.mapToGlobal(QPointF(5, 5)), {}, {0, 120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    EXPECT_NO_THROW({
        Key(QEvent::KeyPress, Qt::Key_A, "a");
        Key(QEvent::KeyRelease, Qt::Key_A, "a");
        Mouse(QEvent::MouseButtonPress, {1, 1});
        Mouse(QEvent::MouseMove, {2, 2});
        Mouse(QEvent::MouseButtonRelease, {2, 2}, Qt::NoButton);
        Mouse(QEvent::MouseButtonDblClick, {2, 2});
        Send(wheel);
        Send(in);
        Send(out);
        Send(enter);
        Send(drop);
        Send(leave);
        Grab();
    });
    EXPECT_FALSE(control.UserInputActive());
}

TEST_F(TiComponentInputTest, WheelAnswersWhetherTheInstrumentHandledIt) {
    for (bool handled : {false, true}) {
        control.wheelHandled = handled;
        QWheelEvent wheel({5, 5}, control.mapToGlobal(QPointF(5, 5)), {}, {0, -120}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        Send(wheel);
        EXPECT_EQ(wheel.isAccepted(), handled);
    }
    EXPECT_EQ(control.log,
              QStringList({"iMouseWheel -120 (program)", "iMouseWheel -120 (program)"}));
}

TEST_F(TiComponentInputTest, ArrowsAreAlwaysWantedAndTabOnlyWhenTheInstrumentAsks) {
    QKeyEvent arrow(QEvent::ShortcutOverride, Qt::Key_Down, Qt::NoModifier);
    arrow.ignore();
    Send(arrow);
    EXPECT_TRUE(arrow.isAccepted());

    QWidget window;
    control.setParent(&window);
    control.SetTabStop(true);
    QLineEdit next(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    control.setFocus();
    QTest::keyClick(&control, Qt::Key_Tab);
    EXPECT_FALSE(control.log.contains("iKeyDown 9"));
    EXPECT_TRUE(next.hasFocus());
    control.setFocus();
    control.wantTab = true;
    QTest::keyClick(&control, Qt::Key_Tab);
    EXPECT_TRUE(control.log.contains("iKeyDown 9"));
    EXPECT_TRUE(control.hasFocus());
    control.setParent(nullptr);
}

TEST_F(TiComponentInputTest, FocusSetsTheFlagAndLosingItReleasesTheMouse) {
    QWidget parent;
    control.setParent(&parent);
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    Send(in);
    EXPECT_TRUE(control.HasFocus());
    EXPECT_TRUE(IsControlParent(&parent));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    Send(out);
    EXPECT_FALSE(control.HasFocus());
    EXPECT_EQ(control.log,
              QStringList({"iDoSetFocus", "OnEnter", "iMouseUp 0,0", "OnExit (program)"}));
    control.setParent(nullptr);
}
