#include "instruments/controls/iSlider.h"

#include "platform/Clock.h"
#include "platform/PropertyDefaults.h"
#include "platform/RecordingCanvas.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

// The default slider: vertical, 70 x 200, range 0..100 at 50, LED pointer.
class TiSliderTest : public testing::Test {
protected:
    TiSliderTest() {
        clock.AdvanceMilliseconds(1000);
        slider.SetPosition(50);
        slider.OnPositionChange = [this](QObject*) { log << "Change"; };
        slider.OnPositionChangeUser = [this](QObject*) { log << "User"; };
        slider.OnPositionChangeFinished = [this](QObject*) { log << "Finished"; };
    }

    void Paint() {
        canvas.Clear();
        slider.iPaintToDC(0, 0, false, canvas);
    }
    TiSlider::TiSliderGeometry Geometry() { return slider.Geometry(canvas); }
    std::vector<TPoint> Polygon() {
        return canvas.RecordsOf(TCanvasOperation::Polygon).at(0).Points;
    }
    bool DrewPolyline(std::vector<TPoint> points, TColor color) {
        for (const TCanvasRecord& r : canvas.RecordsOf(TCanvasOperation::Polyline))
            if (r.Points == points && r.PenColor == color) return true;
        return false;
    }

    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons = Qt::LeftButton) {
        QMouseEvent event(type, at, slider.mapToGlobal(QPointF(at)), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(&slider, &event);
    }
    void Drag(QPoint from, QPoint to) {
        Mouse(QEvent::MouseButtonPress, from);
        Mouse(QEvent::MouseMove, to);
    }
    void Release(QPoint at) { Mouse(QEvent::MouseButtonRelease, at, Qt::NoButton); }
    void Key(QEvent::Type type, int key) {
        QKeyEvent event(type, key, Qt::NoModifier);
        QApplication::sendEvent(&slider, &event);
    }
    void Tap(int key) {
        Key(QEvent::KeyPress, key);
        Key(QEvent::KeyRelease, key);
    }
    void Wheel(int delta) {
        QWheelEvent wheel({10, 10}, slider.mapToGlobal(QPointF(10, 10)), {}, {0, delta},
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&slider, &wheel);
    }

    ManualClock clock;
    ScopedClock scopedClock{[this] { return clock(); }};
    TiSlider slider;
    TRecordingCanvas canvas;
    QStringList log;
};

TEST_F(TiSliderTest, FreshSliderStoresNoOwnDefaultsButTheStepSizesTwice) {
    EXPECT_EQ(slider.Width(), 70);
    EXPECT_EQ(slider.Height(), 200);
    EXPECT_TRUE(slider.TabStop());
    QStringList stored;
    for (const PropertyDescriptor& p : PropertyDefaults::ValuesToStore(&slider))
        stored << p.Path;
    for (const char* name : {"Orientation", "TrackStyle", "PointerStyle", "KeyPageStepSize",
                             "MouseWheelStepSize", "Width", "Height", "TabStop"})
        EXPECT_FALSE(stored.contains(name)) << name;
    EXPECT_TRUE(stored.contains("KeyArrowStepSize_2"));
    EXPECT_TRUE(stored.contains("KeyPageStepSize_2"));
    slider.setProperty("KeyPageStepSize_2", 2.5);
    EXPECT_EQ(slider.KeyPageStepSize(), 2.5);
}

TEST_F(TiSliderTest, TurningSwapsTheSidesExceptWhileLoading) {
    slider.SetOrientation(ioHorizontal);
    EXPECT_EQ(slider.size(), QSize(200, 70));
    slider.SetLoading(true);
    slider.SetOrientation(ioVertical);
    EXPECT_EQ(slider.size(), QSize(200, 70));
}

TEST_F(TiSliderTest, PixelsMapOverTheTravelBetweenThePointerCentres) {
    EXPECT_EQ(slider.GetTravelRange(), 176);
    EXPECT_EQ(slider.GetPixelsToPosition(188), 0);
    EXPECT_EQ(slider.GetPixelsToPosition(12), 100);
    EXPECT_EQ(slider.GetPixelsToPosition(100), 50);
    EXPECT_EQ(slider.GetPixelsToPosition(300), 0);
    slider.SetReverseScale(true);
    EXPECT_EQ(slider.GetPixelsToPosition(188), 100);
    EXPECT_EQ(slider.GetPixelsToPosition(12), 0);
    slider.SetReverseScale(false);
    slider.SetOrientation(ioHorizontal);
    EXPECT_EQ(slider.GetPixelsToPosition(12), 0);
    EXPECT_EQ(slider.GetPixelsToPosition(188), 100);
}

TEST_F(TiSliderTest, ShortSliderHasNoTravelAndStaysFinite) {
    slider.resize(57, 65);
    EXPECT_EQ(slider.GetTravelRange(), 41);
    EXPECT_EQ(Geometry().Track, Rect(2, 5, 21, 60));
    slider.resize(70, 20);
    ASSERT_LT(slider.GetTravelRange(), 0);
    EXPECT_EQ(slider.GetPixelsToPosition(10), 0);
    Drag({10, 10}, {10, 0});
    EXPECT_EQ(slider.Position(), 50);
    const TRect pointer = Geometry().Pointer;
    EXPECT_EQ(pointer.Bottom, Geometry().Track.Bottom - 2); // at the minimum's end
    slider.SetEndsMargin(std::numeric_limits<int>::max());
    EXPECT_LT(slider.GetTravelRange(), 0);
    EXPECT_EQ(slider.GetPixelsToPosition(10), 0);
}

TEST_F(TiSliderTest, TrackAndPointerFollowTheStyleAndThePosition) {
    EXPECT_EQ(Geometry().Track, Rect(2, 5, 21, 195));
    EXPECT_EQ(Geometry().Pointer, Rect(4, 95, 19, 105));
    slider.SetPointerStyle(TiSlider::ispsPointer);
    EXPECT_EQ(Geometry().Track, Rect(7, 5, 22, 195));
    EXPECT_EQ(Geometry().Pointer, Rect(3, 95, 26, 105));
    Paint();
    EXPECT_EQ(Polygon(), std::vector<TPoint>({{3, 95}, {21, 95}, {26, 100}, {21, 105}, {3, 105}}));
}

TEST_F(TiSliderTest, HorizontalArrowWithTicksAbovePointsUp) {
    slider.SetOrientation(ioHorizontal);
    slider.SetOrientationTickMarks(iosTopLeft);
    slider.SetPointerStyle(TiSlider::ispsPointer);
    slider.SetOffsetY(3);
    EXPECT_EQ(Geometry().Track, Rect(5, 70 - 15 - 5 - 2 - 3, 195, 70 - 5 - 2 - 3));
    Paint();
    const auto [L, T, R, B] = Geometry().Pointer;
    const int h = (R - L) / 2;
    EXPECT_EQ(Polygon(),
              std::vector<TPoint>({{L, B}, {L, T + h}, {(L + R) / 2, T}, {R, T + h}, {R, B}}));
}

TEST_F(TiSliderTest, HorizontalLedSitsInsideTheTrackAndTheScaleRunsLeftToRight) {
    slider.SetOrientation(ioHorizontal);
    EXPECT_EQ(Geometry().Track, Rect(5, 2, 195, 21));
    EXPECT_EQ(Geometry().Pointer, Rect(95, 4, 105, 19));
    EXPECT_EQ(slider.GetPixelsToPosition(12), 0);
    Paint();
    // Ticks below the track's bottom edge, 0 at the left pointer centre and 100 at the right.
    EXPECT_TRUE(DrewPolyline({{12, 26}, {12, 33}}, clBlack));
    EXPECT_TRUE(DrewPolyline({{188, 26}, {188, 33}}, clBlack));
}

TEST_F(TiSliderTest, AutoCenterCentresTrackAndScaleAcross) {
    slider.SetAutoCenter(true);
    // "100" is 21 pixels wide on the recording canvas: (70 + 2 - (5 + 7 + 5 + 21) - 21) / 2.
    EXPECT_EQ(Geometry().Track, Rect(8, 5, 27, 195));
}

TEST_F(TiSliderTest, BoxTrackAndScaleStandAtTheTrack) {
    Paint();
    const TCanvasRecord fill = canvas.RecordsOf(TCanvasOperation::FillRect).at(1);
    EXPECT_EQ(fill.Rect, Rect(2, 5, 21, 195));
    EXPECT_EQ(fill.BrushColor, clWhite);
    EXPECT_TRUE(DrewPolyline({{21, 5}, {2, 5}, {2, 195}}, clBtnShadow));
    EXPECT_TRUE(DrewPolyline({{20, 5}, {20, 194}, {2, 194}}, clBtnHighlight));
    EXPECT_TRUE(DrewPolyline({{19, 7}, {19, 193}, {2, 193}}, clSilver));
    // Major ticks from the base line at the track's right edge, 0 at the pointer centre's
    // lowest pixel and 100 at its highest.
    EXPECT_TRUE(DrewPolyline({{26, 187}, {33, 187}}, clBlack));
    EXPECT_TRUE(DrewPolyline({{26, 12}, {33, 12}}, clBlack));
}

TEST_F(TiSliderTest, BevelTrackDrawsFourLinesAlongTheMiddle) {
    slider.SetTrackStyle(TiSlider::istsBevelRasied);
    Paint();
    EXPECT_TRUE(DrewPolyline({{9, 7}, {9, 193}}, clBtnHighlight));
    EXPECT_TRUE(DrewPolyline({{10, 7}, {10, 193}}, clBtnHighlight));
    EXPECT_TRUE(DrewPolyline({{11, 7}, {11, 193}}, clBtnShadow));
    EXPECT_TRUE(DrewPolyline({{12, 7}, {12, 193}}, clBtnShadow));
}

TEST_F(TiSliderTest, LightBarLightsOnlyWhileDraggingTheLedAlsoWhileAKeyIsHeld) {
    const auto middleLine = [this] { return DrewPolyline({{4, 100}, {25, 100}}, clRed); };
    const auto ledLit = [this] {
        return canvas.RecordsOf(TCanvasOperation::Rectangle).at(1).BrushColor == clRed;
    };
    slider.SetPointerStyle(TiSlider::ispsLightBar);
    Key(QEvent::KeyPress, Qt::Key_A);
    Paint();
    EXPECT_FALSE(middleLine());
    Key(QEvent::KeyRelease, Qt::Key_A);
    Mouse(QEvent::MouseButtonPress, {10, 10});
    Paint();
    EXPECT_TRUE(middleLine());
    Release({10, 10});

    slider.SetPointerStyle(TiSlider::ispsLed);
    Key(QEvent::KeyPress, Qt::Key_A);
    Paint();
    EXPECT_TRUE(ledLit());
    Key(QEvent::KeyRelease, Qt::Key_A);
    Paint();
    EXPECT_FALSE(ledLit());
}

TEST_F(TiSliderTest, FocusRectangleFramesTheControlWhileFocused) {
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&slider, &in);
    Paint();
    EXPECT_EQ(canvas.RecordsOf(TCanvasOperation::DrawFocusRect).at(0).Rect, Rect(0, 0, 70, 200));
    slider.SetShowFocusRect(false);
    Paint();
    EXPECT_EQ(canvas.Count(TCanvasOperation::DrawFocusRect), 0);
}

TEST_F(TiSliderTest, KeysStepAndFinishOnRelease) {
    Tap(Qt::Key_Up);
    EXPECT_EQ(slider.Position(), 51);
    EXPECT_EQ(log, QStringList({"Change", "User", "Finished"}));
    Tap(Qt::Key_PageDown);
    EXPECT_EQ(slider.Position(), 41);
    Tap(Qt::Key_End);
    EXPECT_EQ(slider.Position(), 100);
    Tap(Qt::Key_Right); // clamped: no change, nothing to finish
    EXPECT_EQ(log.count("Finished"), 3);
    Tap(Qt::Key_Home);
    EXPECT_EQ(slider.Position(), 0);
}

TEST_F(TiSliderTest, WheelStepsAtMostEvery30msAndSurvivesAClockSetBack) {
    Wheel(120);
    Wheel(120);
    EXPECT_EQ(slider.Position(), 51);
    clock.AdvanceMilliseconds(30);
    Wheel(-120);
    EXPECT_EQ(slider.Position(), 50);
    clock.AdvanceMilliseconds(-1000);
    Wheel(-120);
    EXPECT_EQ(slider.Position(), 49);
    EXPECT_EQ(log.count("Finished"), 3);
}

TEST_F(TiSliderTest, SlideOnlyDragMovesByTravelFractionsClampedAndFinishesOnce) {
    Drag({60, 150}, {60, 150 - 44});
    EXPECT_EQ(slider.Position(), 75);
    Mouse(QEvent::MouseMove, {60, 150 - 176});
    EXPECT_EQ(slider.Position(), 100);
    Release({60, 0});
    EXPECT_EQ(log.count("Finished"), 1);
    EXPECT_EQ(log.count("User"), 2);
}

// Reversed, the minimum is at the top: dragging up a quarter of the travel lowers the position.
TEST_F(TiSliderTest, SlideOnlyDragOnAReversedScaleFollowsThePointer) {
    slider.SetReverseScale(true);
    Drag({60, 150}, {60, 150 - 44});
    EXPECT_EQ(slider.Position(), 25);
}

TEST_F(TiSliderTest, SlidePagePressesStepBesideThePointerAndDragOnIt) {
    slider.SetMouseControlStyle(TiSlider::ismcsSlidePage);
    Drag({10, 50}, {10, 180});
    EXPECT_EQ(slider.Position(), 60); // above the pointer: one page up, no drag
    Release({10, 180});
    Mouse(QEvent::MouseButtonPress, {60, 50}); // beside the track
    EXPECT_EQ(slider.Position(), 60);
    Release({60, 50});
    slider.SetReverseScale(true);
    Mouse(QEvent::MouseButtonPress, {10, 190}); // below a reversed pointer: toward the maximum
    EXPECT_EQ(slider.Position(), 70);
    Release({10, 190});
    const TRect pointer = Geometry().Pointer;
    Drag({10, pointer.Top}, {10, 12});
    EXPECT_EQ(slider.Position(), 0);
}

TEST_F(TiSliderTest, GotoPressJumpsAndDragFollowsThePointer) {
    slider.SetMouseControlStyle(TiSlider::ismcsGoto);
    Mouse(QEvent::MouseButtonPress, {10, 188});
    EXPECT_EQ(slider.Position(), 0);
    Mouse(QEvent::MouseMove, {10, 12});
    EXPECT_EQ(slider.Position(), 100);
}

TEST_F(TiSliderTest, LosingFocusFinishesADrag) {
    Drag({10, 150}, {10, 106});
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&slider, &out);
    EXPECT_EQ(log.count("Finished"), 1);
    Mouse(QEvent::MouseMove, {10, 0});
    EXPECT_EQ(slider.Position(), 75);
}

TEST_F(TiSliderTest, CachedPaintShowsTheMovedPointerOverTheKeptTrack) {
    const auto pixel = [this](int x, int y) {
        return FromQColor(slider.grab().toImage().pixelColor(x, y));
    };
    EXPECT_EQ(pixel(10, 100), clBlack);
    EXPECT_EQ(pixel(10, 30), clWhite);
    slider.SetPosition(100);
    EXPECT_EQ(pixel(10, 100), clWhite);
    EXPECT_EQ(pixel(10, 12), clBlack);
}

// Every pixel setting of the slider and its scale, with the value INT_MAX and INT_MIN store.
struct TSliderPixelBound {
    const char* Name;
    int Highest;
    int Lowest;
};

TEST_F(TiSliderTest, ExtremePixelSettingsAreBoundedAndPaintWithoutOverflow) {
    const std::vector<TSliderPixelBound> bounds = {
        {"PointerHeight", MaxPixelExtent, 0},        {"PointerWidth", MaxPixelExtent, 0},
        {"EndsMargin", MaxPixelExtent, 0},           {"TickMajorLength", MaxPixelExtent, 1},
        {"TickMinorLength", MaxPixelExtent, 1},      {"TickMargin", MaxPixelExtent, 0},
        {"TickLabelMargin", MaxPixelExtent, 0},      {"OffsetX", MaxPixelExtent, -MaxPixelExtent},
        {"OffsetY", MaxPixelExtent, -MaxPixelExtent}};
    slider.SetShowTicksMajor(true);
    slider.SetShowTicksMinor(true);
    slider.SetShowTickLabels(true);
    slider.SetAutoCenter(true);
    for (TiOrientation orientation : {ioVertical, ioHorizontal}) {
        slider.SetOrientation(orientation);
        for (int extreme : {std::numeric_limits<int>::max(), std::numeric_limits<int>::min()}) {
            for (const TSliderPixelBound& bound : bounds)
                slider.setProperty(bound.Name, extreme);
            for (const TSliderPixelBound& bound : bounds)
                EXPECT_EQ(slider.property(bound.Name).toInt(),
                          extreme > 0 ? bound.Highest : bound.Lowest)
                    << bound.Name;
            for (int style = TiSlider::ispsLed; style <= TiSlider::ispsBarColor; ++style) {
                slider.SetPointerStyle(TiSlider::TiSliderPointerStyle(style));
                Paint();
            }
            EXPECT_FALSE(slider.grab().isNull());
        }
    }
}
