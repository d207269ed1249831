#include "instruments/controls/iKnob.h"

#include "InputSender.h"
#include "instruments/framework/Igpfunctions.h"
#include "platform/Clock.h"
#include "platform/PropertyDefaults.h"
#include "platform/PropertyWalker.h"
#include "platform/RecordingCanvas.h"

#include <QWheelEvent>
#include <gtest/gtest.h>
#include <limits>
#include <string_view>
#include <vector>

namespace {

// Notes what the live-data binding is sent.
class TestKnob : public TiKnob {
public:
    bool OPCOutputData(const QString& PropName, const QVariant& Value) override {
        sent << PropName + "=" + Value.toString();
        return true;
    }

    QStringList sent;
};

// The knob of the main window, 145 pixels square around (72, 72), painted on the recording
// canvas with its 7 x 13 pixel characters.
class TiKnobTest : public testing::Test {
protected:
    TiKnobTest() {
        clock.AdvanceMilliseconds(1000);
        knob.resize(145, 145);
        knob.OnPositionChange = [this](QObject*) { log << "Change"; };
        knob.OnPositionChangeUser = [this](QObject*) { log << "User"; };
        knob.OnPositionChangeFinished = [this](QObject*) { log << "Finished"; };
    }

    void Paint() {
        canvas.Clear();
        knob.iPaintToDC(0, 0, false, canvas);
    }
    // The lines drawn in one pen colour: the gradient of the body uses none of the tick colours.
    std::vector<TCanvasRecord> LinesIn(TColor color) {
        std::vector<TCanvasRecord> lines;
        for (const TCanvasRecord& r : canvas.RecordsOf(TCanvasOperation::Polyline))
            if (r.PenColor == color) lines.push_back(r);
        return lines;
    }
    void Wheel(int delta) {
        QWheelEvent wheel({72, 72}, knob.mapToGlobal(QPointF(72, 72)), {}, {0, delta}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&knob, &wheel);
    }

    ManualClock clock;
    ScopedClock scopedClock{[this] { return clock(); }};
    TestKnob knob;
    InputSender input{knob};
    TRecordingCanvas canvas;
    QStringList log;
};

TEST_F(TiKnobTest, PublishesItsPropertiesWithTheirDefaultsAndAlwaysStoresTheStepSizesTwice) {
    QStringList names;
    for (const QMetaProperty& p : PropertyWalker::Published(TiKnob::staticMetaObject))
        names << p.name();
    const int first = names.indexOf("KnobRadius");
    EXPECT_EQ(names.mid(first, 3), QStringList({"KnobRadius", "KnobEdgeWidth", "KnobStyle"}));
    EXPECT_EQ(names.mid(names.size() - 3),
              QStringList({"PositionMax_2", "KeyArrowStepSize_2", "KeyPageStepSize_2"}));
    TiKnob fresh;
    for (const QString& name : names.mid(first, names.size() - first - 3) +
                                   QStringList({"TickMinorColor", "TickLabelMargin"})) {
        if (!PropertyWalker::Describe(&fresh, name).IsValue()) continue;
        EXPECT_TRUE(PropertyDefaults::IsDefault(&fresh, name)) << name.toStdString();
    }
    QStringList stored;
    for (const PropertyDescriptor& p : PropertyDefaults::ValuesToStore(&fresh))
        stored << p.Path;
    EXPECT_TRUE(stored.contains("KeyArrowStepSize_2") && stored.contains("KeyPageStepSize_2"));
    PropertyWalker::Write(&fresh, "KeyPageStepSize_2", 0.25);
    EXPECT_EQ(fresh.KeyPageStepSize(), 0.25);
}

TEST_F(TiKnobTest, SettersStoreOutOfRangeDisplayValuesSafely) {
    knob.SetIndicatorSize(0);
    knob.SetPositionDisplayPrecision(-2);
    knob.SetPositionDisplayUnits("   ");
    EXPECT_EQ(knob.IndicatorSize(), 1);
    EXPECT_EQ(knob.PositionDisplayPrecision(), 0);
    EXPECT_TRUE(knob.PositionDisplayUnits().isEmpty());
    knob.SetPositionDisplayUnits(" Hz");
    EXPECT_EQ(knob.PositionDisplayUnits(), " Hz");
}

TEST_F(TiKnobTest, ValuesIncreaseClockwiseFromLowerLeftOverTheTop) {
    EXPECT_DOUBLE_EQ(knob.PositionToDegrees(0), 225);
    EXPECT_DOUBLE_EQ(knob.PositionToDegrees(50), 90);
    EXPECT_DOUBLE_EQ(knob.PositionToDegrees(100), -45);
    EXPECT_DOUBLE_EQ(knob.PositionToDegrees(150), -45);
    knob.SetPositionDegrees(135);
    EXPECT_DOUBLE_EQ(knob.Position(), 50);
    EXPECT_DOUBLE_EQ(knob.GetPositionDegrees(), 135);
    knob.SetPositionDegrees(400);
    EXPECT_DOUBLE_EQ(knob.Position(), 100);
}

TEST_F(TiKnobTest, EmptyRangeOrNoTravelKeepsTheIndicatorAtTheStart) {
    knob.SetPositionMinMax(5, 5);
    EXPECT_DOUBLE_EQ(knob.GetPositionDegrees(), 0);
    Paint();
    // The dot at radius 33 - 5 - 4 = 24 and 225 degrees: (72 - 17, 72 + 17).
    const TCanvasRecord dot = canvas.RecordsOf(TCanvasOperation::Ellipse).back();
    EXPECT_EQ(dot.Rect, (TRect{51, 85, 59, 93}));
    knob.SetPositionMinMax(0, 100);
    knob.SetRotationMaxDegrees(0);
    knob.SetPositionDegrees(10);
    EXPECT_DOUBLE_EQ(knob.Position(), 5);
}

TEST_F(TiKnobTest, AutoSizeFitsTheKnobInsideItsLabelsAndNeverBelowZero) {
    knob.SetPositionMinMax(0, 4);
    Paint();
    EXPECT_EQ(knob.Geometry().Radius, 33);
    knob.SetShowTickLabels(false);
    Paint();
    EXPECT_EQ(knob.Geometry().Radius, (141 - 24) / 2);
    knob.resize(20, 20);
    knob.SetShowTickLabels(true);
    Paint();
    EXPECT_EQ(knob.Geometry().Radius, 0);
    knob.SetOuterMargin(std::numeric_limits<int>::min());
    knob.SetTickMargin(std::numeric_limits<int>::max());
    Paint();
    EXPECT_EQ(knob.Geometry().Radius, 0);
    // Painting measures; the setting stays what the user stored.
    EXPECT_EQ(knob.KnobRadius(), 35);
}

// A label that is wider than any plain one (here at 3 o'clock, where its width counts) must
// shrink the knob by exactly its width.
TEST_F(TiKnobTest, AutoSizeMeasuresTheCustomisedLabelsItDraws) {
    knob.SetPositionMinMax(0, 4);
    knob.OnCustomizeTickLabel = [](QObject*, int index, QString& text) {
        if (index == 4) text = "maximum"; // 7 characters of 7 pixels
    };
    knob.SetRotationStartDegrees(90);
    knob.SetRotationMaxDegrees(90);
    Paint();
    EXPECT_EQ(knob.Geometry().Radius, (141 - 49 - 2 * (5 + 7 + 15 + 4)) / 2);
    ASSERT_FALSE(canvas.RecordsOf(TCanvasOperation::TextOut).empty());
    EXPECT_EQ(canvas.RecordsOf(TCanvasOperation::TextOut).back().Text, "maximum");
}

TEST_F(TiKnobTest, DrawsMajorTicksLabelsAndMinorTicksRoundTheDial) {
    knob.SetPositionMinMax(0, 4);
    knob.OnCustomizeTickLabel = [](QObject*, int index, QString& text) {
        if (index == 4) text = "max";
    };
    Paint();
    // The "max" label at 4:30 is 21 pixels wide: the knob shrinks to radius 29.
    EXPECT_EQ(knob.Geometry().Radius, 29);
    const auto major = LinesIn(clBlack);
    ASSERT_EQ(major.size(), 5u);
    // Radii 41 and 33 at 225 degrees.
    EXPECT_EQ(major[0].Points, (std::vector<TPoint>{{43, 101}, {49, 95}}));
    EXPECT_EQ(LinesIn(clGray).size(), 16u);
    const auto labels = canvas.RecordsOf(TCanvasOperation::TextOut);
    ASSERT_EQ(labels.size(), 5u);
    // "0" centred at radius 60, 225 degrees: (30, 114).
    EXPECT_EQ(labels[0].Text, "0");
    EXPECT_EQ(labels[0].Points[0], (TPoint{27, 108}));
    EXPECT_EQ(labels[4].Text, "max");
}

TEST_F(TiKnobTest, InsideMinorTicksStartAtTheMajorInnerRadiusWithoutMajorTicks) {
    knob.SetShowTicksMajor(false);
    knob.SetShowTickLabels(false);
    knob.SetAutoSize(false);
    Paint();
    ASSERT_TRUE(LinesIn(clBlack).empty());
    // The first minor tick, at 5 of 0..100: 211.5 degrees, radii 42 down to 35 + 5 - 1.
    const TCanvasRecord first = LinesIn(clGray).front();
    EXPECT_EQ(first.Points[1], GetXYRadPoint(211.5, 39, TPoint{72, 72}));
    EXPECT_EQ(first.Points[0], GetXYRadPoint(211.5, 42, TPoint{72, 72}));
}

TEST_F(TiKnobTest, FixedAutoScaleContinuesMinorTicksOutToTheEndsOfTheRange) {
    knob.SetPositionMinMax(0, 95);
    knob.SetAutoScaleStyle(iassFixedMinMax);
    knob.SetAutoScaleEnabled(true);
    Paint();
    const int minorInRange = (knob.TickMajorCount() - 1) * knob.TickMinorCount();
    EXPECT_GT(int(LinesIn(clGray).size()), minorInRange);
    knob.SetPositionMinMax(95, 0);
    Paint(); // a reversed range steps backwards and must not continue for ever
}

TEST_F(TiKnobTest, IndicatorStylesDrawTheirShapesInTheInactiveColour) {
    knob.SetAutoSize(false);
    knob.SetPosition(50);
    knob.SetIndicatorStyle(TiKnob::ikisTriangle);
    Paint();
    const TCanvasRecord triangle = canvas.RecordsOf(TCanvasOperation::Polygon).back();
    // Pointing up: tip at radius 35 - 5, base at 26 with corners 2 to each side.
    EXPECT_EQ(triangle.Points, (std::vector<TPoint>{{70, 46}, {74, 46}, {72, 42}}));
    EXPECT_EQ(triangle.BrushColor, clRed);
    knob.SetIndicatorStyle(TiKnob::ikisDotLowered);
    Paint();
    const auto arcs = canvas.RecordsOf(TCanvasOperation::Arc);
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_EQ(arcs[0].PenColor, clGray);
    EXPECT_EQ(arcs[0].Points, (std::vector<TPoint>{{76, 42}, {68, 50}}));
    EXPECT_EQ(arcs[1].PenColor, clWhite);
}

TEST_F(TiKnobTest, CachedPaintShowsTheIndicatorOverTheBackground) {
    const QImage image = knob.grab().toImage();
    // Position 0 of 0..100 auto-sizes to radius 29: the dot centre at radius 20, 225 degrees.
    EXPECT_EQ(FromQColor(image.pixelColor(58, 86)), clRed);
    EXPECT_EQ(FromQColor(image.pixelColor(2, 2)), ColorToRGB(clBtnFace));
}

TEST_F(TiKnobTest, PositionDisplayShowsTheValueWithUnitsCentred) {
    knob.SetShowPostionDisplay(true);
    knob.SetPositionDisplayUnits("Hz");
    knob.SetPosition(1);
    Paint();
    const TCanvasRecord text = canvas.RecordsOf(TCanvasOperation::TextOut).back();
    EXPECT_EQ(text.Text, "1.0Hz");
    EXPECT_EQ(text.Points[0], (TPoint{72 - 35 / 2, 72 - 6}));
}

TEST_F(TiKnobTest, DragTurnsByThePointerAngleAcrossNineOClockAndFinishesOnRelease) {
    Paint();
    knob.SetPosition(50);
    log.clear();
    input.Press({62, 72}); // 9 o'clock, inside the disc
    Paint();
    EXPECT_EQ(canvas.RecordsOf(TCanvasOperation::Ellipse).back().BrushColor, clAqua);
    input.Move({62, 71}); // a little clockwise, over the jump of the raw angle
    const double turned = knob.GetPositionDegrees() - 135;
    EXPECT_GT(turned, 0);
    EXPECT_LT(turned, 10);
    input.Move({62, 73});
    input.Release({62, 73});
    EXPECT_LT(knob.GetPositionDegrees(), 135);
    EXPECT_EQ(log, QStringList({"Change", "User", "Change", "User", "Finished"}));
}

TEST_F(TiKnobTest, PressBeforeTheFirstPaintHitsTheDiscOfTheCurrentSize) {
    knob.SetPosition(50);
    input.Press({62, 72});
    input.Move({62, 71});
    EXPECT_GT(knob.GetPositionDegrees(), 135);
    input.Release({62, 71});
}

TEST_F(TiKnobTest, PressOutsideTheDiscOrWithAnotherButtonStartsNoDrag) {
    Paint();
    input.Press({72 + 33, 72});
    input.Move({72, 72 + 33});
    input.Release({72, 72 + 33});
    input.Press({72, 60}, Qt::RightButton);
    input.Move({80, 60});
    input.Release({80, 60}, Qt::RightButton);
    EXPECT_DOUBLE_EQ(knob.Position(), 0);
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(TiKnobTest, FocusLossEndsADragAsAReleaseDoes) {
    Paint();
    input.Press({72, 60});
    input.Move({80, 60});
    input.Focus(QEvent::FocusOut);
    EXPECT_EQ(log.last(), "Finished");
    Paint();
    EXPECT_EQ(canvas.RecordsOf(TCanvasOperation::Ellipse).back().BrushColor, clRed);
}

TEST_F(TiKnobTest, StepKeysMoveByTheirStepsAndFinishOnKeyUp) {
    knob.SetPosition(50);
    log.clear();
    input.Key(QEvent::KeyPress, Qt::Key_Right);
    EXPECT_DOUBLE_EQ(knob.Position(), 50.1);
    input.Key(QEvent::KeyPress, Qt::Key_Down);
    input.Key(QEvent::KeyPress, Qt::Key_PageUp);
    EXPECT_DOUBLE_EQ(knob.Position(), 51);
    input.Key(QEvent::KeyRelease, Qt::Key_PageUp);
    EXPECT_EQ(log.last(), "Finished");
    input.Key(QEvent::KeyPress, Qt::Key_End);
    EXPECT_DOUBLE_EQ(knob.Position(), 100);
    input.Key(QEvent::KeyPress, Qt::Key_Home);
    EXPECT_DOUBLE_EQ(knob.Position(), 0);
    knob.SetUseKeyboard(false);
    input.Key(QEvent::KeyPress, Qt::Key_PageUp);
    EXPECT_DOUBLE_EQ(knob.Position(), 0);
}

TEST_F(TiKnobTest, KnobWheelStepsAtMostEvery30ms) {
    Wheel(120);
    Wheel(120);
    EXPECT_DOUBLE_EQ(knob.Position(), 1);
    clock.AdvanceMilliseconds(29);
    Wheel(120);
    EXPECT_DOUBLE_EQ(knob.Position(), 1);
    clock.AdvanceMilliseconds(2);
    Wheel(-120);
    EXPECT_DOUBLE_EQ(knob.Position(), 0);
    EXPECT_EQ(log, QStringList({"Change", "User", "Finished", "Change", "User", "Finished"}));
    clock.AdvanceMilliseconds(-60000); // a clock set back does not block the wheel
    Wheel(120);
    EXPECT_DOUBLE_EQ(knob.Position(), 1);
}

TEST_F(TiKnobTest, BindingHearsProgramChangesAtOnceAndUserChangesWhenFinished) {
    knob.SetPosition(3);
    EXPECT_EQ(knob.sent, QStringList({"Position=3"}));
    Wheel(120);
    EXPECT_EQ(knob.sent, QStringList({"Position=3", "Position=4"}));
}

TEST_F(TiKnobTest, FocusRectangleFramesTheControlOnlyWhileFocused) {
    Paint();
    EXPECT_EQ(canvas.Count(TCanvasOperation::DrawFocusRect), 0);
    input.Focus(QEvent::FocusIn);
    Paint();
    const auto frames = canvas.RecordsOf(TCanvasOperation::DrawFocusRect);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].Rect, (TRect{0, 0, 145, 145}));
}

// Every pixel setting of the knob and its scale, with the value INT_MAX and INT_MIN store.
struct TKnobPixelBound {
    const char* Name;
    int Highest;
    int Lowest;
};

TEST_F(TiKnobTest, ExtremePixelSettingsAreBoundedAndPaintWithoutOverflow) {
    const std::vector<TKnobPixelBound> bounds = {
        {"KnobRadius", MaxPixelExtent, 0},           {"KnobEdgeWidth", MaxPixelExtent, 0},
        {"IndicatorSize", MaxPixelExtent, 1},        {"IndicatorMargin", MaxPixelExtent, 0},
        {"OuterMargin", MaxPixelExtent, 0},          {"TickMajorLength", MaxPixelExtent, 1},
        {"TickMinorLength", MaxPixelExtent, 1},      {"TickMargin", MaxPixelExtent, 0},
        {"TickLabelMargin", MaxPixelExtent, 0},      {"OffsetX", MaxPixelExtent, -MaxPixelExtent},
        {"OffsetY", MaxPixelExtent, -MaxPixelExtent}};
    knob.SetKnobStyle(TiKnob::iksRaisedEdge);
    knob.SetShowTicksMajor(true);
    knob.SetShowTicksMinor(true);
    knob.SetShowTickLabels(true);
    knob.SetShowPostionDisplay(true);
    for (bool autoSize : {false, true}) {
        knob.SetAutoSize(autoSize);
        for (int extreme : {std::numeric_limits<int>::max(), std::numeric_limits<int>::min()}) {
            for (const TKnobPixelBound& bound : bounds)
                knob.setProperty(bound.Name, extreme);
            for (const TKnobPixelBound& bound : bounds) {
                if (autoSize && std::string_view(bound.Name) == "KnobRadius") continue;
                EXPECT_EQ(knob.property(bound.Name).toInt(),
                          extreme > 0 ? bound.Highest : bound.Lowest)
                    << bound.Name;
            }
            for (int style = TiKnob::ikisDotLowered; style <= TiKnob::ikisTriangle; ++style) {
                knob.SetIndicatorStyle(TiKnob::TiKnobIndicatorStyle(style));
                Paint();
            }
            EXPECT_FALSE(knob.grab().isNull());
        }
    }
}

} // namespace
