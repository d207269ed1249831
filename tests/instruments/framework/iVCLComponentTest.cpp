#include "TestInstrument.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QSvgGenerator>
#include <QTest>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

class TiVCLComponentTest : public testing::Test {
protected:
    TColor PixelAt(const QImage& image, int x, int y) { return FromQColor(image.pixelColor(x, y)); }

    TestInstrument control;
};

TEST_F(TiVCLComponentTest, TimerWaitsTheFirstDelayThenRepeatsAtTheInterval) {
    QElapsedTimer elapsed;
    QList<qint64> ticks;
    control.OnInternalTimer = [&](QObject*) { ticks << elapsed.elapsed(); };
    elapsed.start();
    control.TimerStart(200, 20);
    control.TimerStart(0, 500); // a running timer is left alone
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks.size() >= 4; }, 3000));
    control.TimerStop();
    EXPECT_FALSE(control.GetTimerRunning());
    EXPECT_GE(ticks[0], 195);
    EXPECT_GE(ticks[3] - ticks[0], 55);
    EXPECT_LT(ticks[3] - ticks[0], 400); // not the first delay again, nor the second start's
}

TEST_F(TiVCLComponentTest, TimerWithADelayAndNoIntervalFiresOnceAndWithNeitherNotAtAll) {
    int ticks = 0;
    control.OnInternalTimer = [&](QObject*) { ++ticks; };
    control.TimerStart(0, 0);
    EXPECT_FALSE(control.GetTimerRunning());
    control.TimerStart(10, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks == 1; }, 2000));
    QTest::qWait(50);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(control.GetTimerRunning());
}

TEST_F(TiVCLComponentTest, LockIsReentrantAndHoldsOffOtherThreads) {
    control.Lock();
    control.Lock();
    control.Unlock();
    std::atomic<bool> taken = false;
    std::thread other([&] {
        control.Lock();
        taken = true;
        control.Unlock();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(taken);
    control.Unlock();
    other.join();
    EXPECT_TRUE(taken);
    control.Unlock(); // unmatched: nothing to release
}

TEST_F(TiVCLComponentTest, PaintToDCPlacesTheControlAtTheOffsetInsideItsClip) {
    TBitmap target;
    target.SetSize(200, 100);
    control.SetBackGroundColor(clBlue);
    control.iPaintToDC(30, 20, false, *target.Canvas());
    const TCanvas& canvas = *target.Canvas();
    EXPECT_EQ(canvas.Pixels(30, 20), clBlue);
    EXPECT_EQ(canvas.Pixels(130, 70), clBlue);
    EXPECT_EQ(canvas.Pixels(80, 45), clRed); // the foreground at (50, 25)
    EXPECT_EQ(canvas.Pixels(29, 20), clWhite);
    EXPECT_EQ(canvas.Pixels(131, 71), clWhite);
    EXPECT_EQ(canvas.WindowOrigin(), Point(0, 0));
    EXPECT_FALSE(control.cachedDuringPaint);
    EXPECT_TRUE(control.CachedDrawing());
}

TEST_F(TiVCLComponentTest, PaintToDCWithoutBackgroundOverlaysWhatIsThere) {
    TBitmap target;
    target.SetSize(200, 100);
    control.iPaintToDC(0, 0, true, *target.Canvas());
    EXPECT_EQ(target.Canvas()->Pixels(10, 10), clWhite);
    EXPECT_EQ(target.Canvas()->Pixels(50, 25), clRed);
}

TEST_F(TiVCLComponentTest, MetafilePaintsDirectlyWithoutTheCachedBackground) {
    QByteArray svg;
    QBuffer buffer(&svg);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(101, 51));
    control.render(&generator);
    EXPECT_EQ(control.paints, 1);
    EXPECT_FALSE(control.cachedDuringPaint);
    EXPECT_TRUE(control.CachedDrawing());
}

TEST_F(TiVCLComponentTest, ResizeRebuildsTheBackgroundAtTheNewSize) {
    control.grab();
    control.resize(60, 40);
    const QImage image = control.grab().toImage();
    EXPECT_EQ(image.size(), QSize(60, 40));
    EXPECT_EQ(PixelAt(image, 59, 39), ColorToRGB(clBtnFace));
    EXPECT_EQ(control.staticDraws, 2);
}

class TiVCLComponentTransparencyTest : public TiVCLComponentTest {
protected:
    TiVCLComponentTransparencyTest() {
        window.resize(300, 200);
        Fill(window, Qt::green);
        control.setParent(&window);
        control.move(20, 20);
        control.SetBackGroundColor(clBlue);
        control.SetTransparent(true);
        window.show();
    }
    ~TiVCLComponentTransparencyTest() override { control.setParent(nullptr); }

    static void Fill(QWidget& widget, QColor color) {
        widget.setAutoFillBackground(true);
        QPalette palette = widget.palette();
        palette.setColor(QPalette::Window, color);
        widget.setPalette(palette);
    }

    QWidget window;
};

TEST_F(TiVCLComponentTransparencyTest, TransparentControlShowsWhatLiesBehindItUntilSwitchedOff) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage image = control.grab().toImage();
    EXPECT_EQ(PixelAt(image, 10, 10), clLime);
    EXPECT_EQ(PixelAt(image, 50, 25), clRed);
    control.SetTransparent(false);
    EXPECT_EQ(PixelAt(control.grab().toImage(), 10, 10), clBlue);
}

TEST_F(TiVCLComponentTransparencyTest, CoveredCornerShowsTheBackgroundColourUntilACaptureSucceeds) {
    TestInstrument cover(&window);
    cover.setGeometry(110, 60, 30, 30); // over the control's lower right corner
    cover.show();
    cover.raise();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(PixelAt(control.grab().toImage(), 10, 10), clBlue);
    cover.hide();
    EXPECT_EQ(PixelAt(control.grab().toImage(), 10, 10), clLime);
}

TEST_F(TiVCLComponentTransparencyTest, SiblingsStackedBelowAreCapturedWithTheParent) {
    QWidget below(&window);
    Fill(below, Qt::red);
    below.setGeometry(0, 0, 40, 40);
    below.show();
    below.lower();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage image = control.grab().toImage();
    EXPECT_EQ(PixelAt(image, 5, 5), clRed);
    EXPECT_EQ(PixelAt(image, 30, 30), clLime);
}
