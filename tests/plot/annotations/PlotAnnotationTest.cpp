#include "../axis/PlotAxisTestPlot.h"
#include "instruments/framework/Igpfunctions.h"
#include "platform/PropertyDefaults.h"
#include "plot/channels/iPlotChannel.h"
#include "plot/iPlotAnnotation.h"
#include "plot/iPlotDataView.h"

#include <QMenu>
#include <algorithm>
#include <gtest/gtest.h>
#include <limits>

namespace {

using K = TiPlotObjectKind;
using Op = TCanvasOperation;
using A = TiPlotAnnotation;

// The data view spans (100, 20)..(500, 220): X percent p lies at 100 + 4p, Y percent at
// 220 - 2p. The channel's X axis maps v to 100 + 4v, its Y axis v to 220 - 4v.
class PlotAnnotation : public testing::Test {
protected:
    PlotAnnotation() {
        TiPlotChannel::RegisterWith(*plot.Master);
        plot.AddX();
        plot.AddY();
        plot.AddChannel();
        view = qobject_cast<TiPlotDataView*>(
            plot.Master->Get(K::DataView, plot.Master->Add(K::DataView)));
        view->SetDrawRect({100, 20, 500, 220});
        plot.Y()->SetMinSpan(0, 50);
        Place(*plot.X(), {100, 300, 500, 340});
        Place(*plot.Y(), {10, 20, 80, 220});
        plot.Host.SelectModeActive = true;
        plot.Host.Defaults.PenWidth = 2;
        plot.Host.Defaults.PenColor = clYellow;
        plot.Host.AnnotationDefaultFont.SetName(QStringLiteral("Courier New"));
        annotation = Add();
    }

    void Place(TiPlotAxis& axis, const TRect& rect) {
        axis.SetDrawRect(rect);
        axis.GetRequiredWidth(plot.Canvas);
        axis.CalcTicks(plot.Canvas);
    }

    A* Add() {
        auto* added =
            qobject_cast<A*>(plot.Master->Get(K::Annotation, plot.Master->Add(K::Annotation)));
        added->SetDataView(view);
        added->SetChannelName(QStringLiteral("Channel 1"));
        return added;
    }

    void Draw() {
        plot.Canvas.Clear();
        annotation->Draw(plot.Canvas, clBlack);
    }
    bool Hits(int X, int Y) {
        TiPlotMouseData data;
        data.X = X;
        data.Y = Y;
        data.CalcAxisPixels(annotation->XYAxesReversed());
        return annotation->iMouseHitTest(data);
    }
    void Press(int X, int Y) {
        annotation->SetUserSelected(true);
        annotation->iMouseDown(mbLeft, {}, X, Y, X, Y, nullptr);
    }
    void Move(int X, int Y) {
        TiHintData hint;
        annotation->iMouseMove(hint, {}, X, Y, X, Y, false);
    }
    void Release(int X, int Y) { annotation->iMouseUp(mbLeft, {}, X, Y, X, Y, false); }
    TPoint Anchor() {
        return iXYReversePoint(annotation->XYAxesReversed(),
                               annotation->PositionXToPixels(annotation->X()),
                               annotation->PositionYToPixels(annotation->Y()));
    }
    void Shape(TiPlotAnnotationStyle style, double X, double Y, double W, double H) {
        annotation->SetStyle(style);
        annotation->SetX(X);
        annotation->SetY(Y);
        annotation->SetWidth(W);
        annotation->SetHeight(H);
    }
    long Count(const QString& event) const {
        return std::count(plot.Host.Events.begin(), plot.Host.Events.end(), event);
    }

    TestAxisPlot plot;
    TiPlotDataView* view = nullptr;
    A* annotation = nullptr;
};

TEST_F(PlotAnnotation, NewAnnotationIsACentredTextAtTheBottomLeftWithThePlotsDefaults) {
    TiPlotAnnotation plain(&plot.Host, {});
    EXPECT_EQ(plain.Font()->Name(), "Arial");
    EXPECT_EQ(plain.Font()->Color(), clWhite);
    EXPECT_EQ(plain.PenWidth(), 0);
    for (const char* path : {"Style", "Reference", "Font.Name", "ShowFocusRect", "TextVertMargin"})
        EXPECT_TRUE(PropertyDefaults::IsDefault(&plain, QString::fromLatin1(path))) << path;

    EXPECT_EQ(annotation->Name(), "");
    EXPECT_EQ(annotation->PenWidth(), 2);
    EXPECT_EQ(annotation->PenColor(), clYellow);
    EXPECT_EQ(annotation->Font()->Name(), "Courier New");
    EXPECT_EQ(plot.Master->KindOf(annotation), K::Annotation);
    annotation->SetText(QStringLiteral("Hello")); // 35 x 13
    Draw();
    const auto texts = plot.Canvas.RecordsOf(Op::DrawText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Rect, (TRect{83, 214, 117, 226}));
    EXPECT_EQ(texts[0].BrushStyle, bsClear);
    EXPECT_EQ(texts[0].FontName, "Courier New");
    EXPECT_EQ(annotation->HitRect(), (TRect{100, 214, 117, 220}));
}

TEST_F(PlotAnnotation, TextAlignsAroundItsAnchorOrCentresWhenRotated) {
    annotation->SetText(QStringLiteral("Hello"));
    annotation->SetX(50); // 300
    annotation->SetY(50); // 120
    annotation->SetTextHorzAlignment(iahLeft);
    annotation->SetTextVertAlignment(iavBottom);
    Draw();
    EXPECT_EQ(annotation->HitRect(), (TRect{300, 107, 335, 120}));
    annotation->SetTextHorzAlignment(iahRight);
    annotation->SetTextVertAlignment(iavTop);
    Draw();
    EXPECT_EQ(annotation->HitRect(), (TRect{265, 120, 300, 133}));
    EXPECT_TRUE(Hits(265, 120));
    EXPECT_FALSE(Hits(300, 120));

    annotation->SetTextRotation(ira090);
    Draw();
    EXPECT_EQ(annotation->HitRect(), (TRect{294, 103, 306, 137}));
    plot.Host.SelectModeActive = false;
    EXPECT_FALSE(Hits(300, 120));
}

// Text beyond the data view took the presses meant for the axes around it.
TEST_F(PlotAnnotation, TextOutsideTheDataViewCannotBeHit) {
    annotation->SetText(QStringLiteral("Hello"));
    annotation->SetTextHorzAlignment(iahLeft);
    annotation->SetX(-10); // 60
    annotation->SetY(50);
    Draw();
    EXPECT_EQ(plot.Canvas.Count(Op::DrawText), 1);
    EXPECT_TRUE(annotation->HitRect().IsEmpty());
    EXPECT_FALSE(Hits(70, 120));
}

TEST_F(PlotAnnotation, MarkerLinesSpanTheDataViewAndTurnWithTheAxes) {
    annotation->SetStyle(A::ipasLineX);
    annotation->SetX(25);
    annotation->SetY(1e6);
    Draw();
    const auto lines = plot.Canvas.RecordsOf(Op::Polyline);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{200, 20}, {200, 220}}));
    EXPECT_EQ(lines[0].PenWidth, 2);
    EXPECT_EQ(annotation->HitRect(), (TRect{195, 20, 205, 220}));

    annotation->SetXYAxesReversed(true); // X percent 25 is now the row 170
    Draw();
    EXPECT_EQ(plot.Canvas.RecordsOf(Op::Polyline)[0].Points,
              (std::vector<TPoint>{{100, 170}, {500, 170}}));

    annotation->SetXYAxesReversed(false);
    annotation->SetStyle(A::ipasLineY);
    annotation->SetY(25); // 170
    Draw();
    EXPECT_EQ(plot.Canvas.RecordsOf(Op::Polyline)[0].Points,
              (std::vector<TPoint>{{100, 170}, {500, 170}}));
    EXPECT_EQ(annotation->HitRect(), (TRect{100, 165, 500, 175}));

    annotation->SetY(150);
    Draw();
    EXPECT_EQ(plot.Canvas.Count(Op::Polyline), 0);
    EXPECT_FALSE(annotation->Drawn());
}

// Widening the corners as given, a line drawn leftwards by two pixels shrank to nothing.
TEST_F(PlotAnnotation, LineIsDrawnInEitherDirectionAndNeverHit) {
    annotation->SetStyle(A::ipasLine);
    annotation->SetX(50);
    annotation->SetY(50);
    annotation->SetX2(49.5);
    annotation->SetY2(50);
    Draw();
    const auto lines = plot.Canvas.RecordsOf(Op::Polyline);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{300, 120}, {298, 120}}));
    EXPECT_FALSE(annotation->Drawn());
    EXPECT_FALSE(Hits(299, 120));
}

TEST_F(PlotAnnotation, RectangleHandlesAreClippedToTheViewAndInvertedWhileSelected) {
    Shape(A::ipasRectangle, 50, 50, 20, 20);
    Draw();
    const auto rectangles = plot.Canvas.RecordsOf(Op::Rectangle);
    ASSERT_EQ(rectangles.size(), 1u);
    EXPECT_EQ(rectangles[0].Rect, (TRect{260, 100, 340, 140}));
    EXPECT_EQ(rectangles[0].PenColor, clYellow);
    EXPECT_EQ(annotation->Handles(), (std::array<TRect, 4>{TRect{257, 97, 263, 103},
                                                           {337, 97, 343, 103},
                                                           {257, 137, 263, 143},
                                                           {337, 137, 343, 143}}));
    EXPECT_EQ(plot.Canvas.Count(Op::InvertRect), 0);
    EXPECT_TRUE(Hits(342, 142));

    annotation->SetUserSelected(true);
    Draw();
    EXPECT_EQ(plot.Canvas.Count(Op::InvertRect), 4);
    annotation->SetShowFocusRect(false);
    Draw();
    EXPECT_EQ(plot.Canvas.Count(Op::InvertRect), 0);

    Shape(A::ipasRectangle, 0, 100, 20, 20); // the view's top-left corner
    Draw();
    EXPECT_EQ(annotation->HitRect(), (TRect{100, 20, 140, 40}));
    EXPECT_EQ(annotation->Handles()[0], (TRect{}));
    EXPECT_EQ(annotation->Handles()[3], (TRect{137, 37, 143, 43}));

    // No width: no intersection, nothing drawn, nothing hit.
    annotation->SetWidth(0);
    Draw();
    EXPECT_EQ(plot.Canvas.Count(Op::Rectangle), 0);
    EXPECT_FALSE(Hits(100, 30));
}

TEST_F(PlotAnnotation, FramedTextIsInsetByMultiplesOfA) {
    Shape(A::ipasTextRectangle, 50, 50, 20, 20);
    annotation->SetText(QStringLiteral("Hi"));
    annotation->SetTextHorzAlignment(iahLeft);
    annotation->SetTextVertAlignment(iavBottom);
    annotation->SetTextHorzMargin(2);
    annotation->SetTextVertMargin(0.5); // 6.5 rounds to 6
    Draw();
    const auto texts = plot.Canvas.RecordsOf(Op::DrawText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Rect, (TRect{274, 100, 340, 134}));
    EXPECT_EQ(texts[0].Format & (tfBottom | tfRight | tfCenter), unsigned(tfBottom));
}

TEST_F(PlotAnnotation, EllipseAndPictureUseTheirCornersAndListSize) {
    annotation->SetStyle(A::ipasEllipse);
    annotation->SetX(75);
    annotation->SetY(25);
    annotation->SetX2(25);
    annotation->SetY2(75);
    Draw();
    const auto ellipses = plot.Canvas.RecordsOf(Op::Ellipse);
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0].Rect, (TRect{200, 70, 400, 170}));

    annotation->SetStyle(A::ipasImage);
    annotation->SetX(50);
    annotation->SetY(50);
    annotation->SetImageListIndex(7); // the third list: 32 x 8
    annotation->SetImageIndex(4);
    annotation->SetEnabled(false);
    Draw();
    EXPECT_EQ(plot.Host.ImagesDrawn,
              (std::vector<TestPlotHost::TImageDrawn>{{2, 4, 284, 116, false}}));
    EXPECT_EQ(annotation->HitRect(), (TRect{284, 116, 316, 124}));
}

TEST_F(PlotAnnotation, ChannelReferenceClipsToItsAxesAndNeedsThem) {
    annotation->SetReference(A::iprtChannel);
    Shape(A::ipasRectangle, 50, 25, 10, 10);
    Draw();
    // The channel's axes: X 0..100 over 100..500, Y 0..50 over 220..20.
    EXPECT_EQ(plot.Canvas.RecordsOf(Op::Rectangle)[0].Rect, (TRect{280, 100, 320, 140}));
    EXPECT_EQ(plot.Canvas.ClipRect(), (TRect{100, 20, 500, 220}));

    // Mixed: X on the channel's axis, Y in percent of the view (25 +- 5 is rows 180..160).
    annotation->SetReference(A::iprtXChannelYDataView);
    Draw();
    EXPECT_EQ(plot.Canvas.RecordsOf(Op::Rectangle)[0].Rect, (TRect{280, 160, 320, 180}));
    annotation->SetReference(A::iprtChannel);

    plot.Host.ClipAnnotations = false;
    TRecordingCanvas unclipped;
    annotation->Draw(unclipped, clBlack);
    EXPECT_EQ(unclipped.ClipRect(), (TRect{0, 0, 1000, 1000}));
    annotation->SetClipToAxes(true);
    annotation->Draw(unclipped, clBlack);
    EXPECT_EQ(unclipped.ClipRect(), (TRect{100, 20, 500, 220}));

    annotation->SetChannelName(QStringLiteral("nothing"));
    Draw();
    EXPECT_FALSE(annotation->Drawn());
    EXPECT_EQ(annotation->PositionXToPixels(50), 0);
    plot.Master->Get(K::Channel, 0)->SetName(QStringLiteral("nothing"));
    Draw();
    EXPECT_TRUE(annotation->Drawn());
}

TEST_F(PlotAnnotation, MovingATextFiresEachMoveAndOnceWhenReleased) {
    annotation->SetText(QStringLiteral("Hello"));
    annotation->SetX(50);
    annotation->SetY(50);
    annotation->SetUserCanMove(true);
    Draw();
    plot.Host.Events.clear();
    Press(300, 120);
    Move(320, 100);
    EXPECT_DOUBLE_EQ(annotation->X(), 55);
    EXPECT_DOUBLE_EQ(annotation->Y(), 60);
    Move(340, 100);
    Release(340, 100);
    EXPECT_DOUBLE_EQ(annotation->X(), 60);
    EXPECT_EQ(plot.Host.Events, (std::vector<QString>{"GotFocus ", "Coordinates ", "Coordinates ",
                                                      "CoordinatesFinished "}));

    // A press and release without motion only clicks.
    Draw();
    plot.Host.Events.clear();
    Press(340, 100);
    Release(340, 100);
    EXPECT_EQ(plot.Host.Events, (std::vector<QString>{"Click "}));
}

// Under turned axes the data-view references moved away from the pointer.
TEST_F(PlotAnnotation, EveryReferenceFollowsThePointerAlsoWithTheAxesTurned) {
    annotation->SetText(QStringLiteral("Hello"));
    annotation->SetUserCanMove(true);
    for (bool reversed : {false, true})
        for (auto reference : {A::iprtDataView, A::iprtChannel, A::iprtXChannelYDataView,
                               A::iprtXDataViewYChannel}) {
            annotation->SetXYAxesReversed(reversed);
            annotation->SetReference(reference);
            annotation->SetX(20);
            annotation->SetY(20);
            Draw();
            const TPoint from = Anchor();
            Press(from.X, from.Y);
            Move(from.X + 8, from.Y - 12);
            Release(from.X + 8, from.Y - 12);
            EXPECT_EQ(Anchor(), (TPoint{from.X + 8, from.Y - 12}))
                << "reversed " << reversed << " reference " << int(reference);
        }
}

TEST_F(PlotAnnotation, DraggingTheTopLeftCornerPastTheOtherKeepsSizesPositive) {
    Shape(A::ipasRectangle, 50, 50, 20, 20); // (260, 100)..(340, 140)
    annotation->SetUserCanSize(true);
    Draw();
    annotation->SetUserSelected(true);
    EXPECT_EQ(annotation->GetMousePointer({260, 100}), Qt::SizeFDiagCursor);
    EXPECT_EQ(annotation->GetMousePointer({340, 100}), Qt::SizeBDiagCursor);
    EXPECT_EQ(annotation->GetMousePointer({300, 120}), Qt::PointingHandCursor);
    Press(260, 100);
    Move(360, 160);
    EXPECT_DOUBLE_EQ(annotation->X(), 62.5);
    EXPECT_DOUBLE_EQ(annotation->Y(), 35);
    EXPECT_DOUBLE_EQ(annotation->Width(), 5);
    EXPECT_DOUBLE_EQ(annotation->Height(), 10);
    Release(360, 160);

    // Moving the whole rectangle keeps its size.
    annotation->SetUserCanMove(true);
    Shape(A::ipasRectangle, 50, 50, 20, 20);
    Draw();
    Press(300, 120);
    Move(320, 130);
    EXPECT_DOUBLE_EQ(annotation->X(), 55);
    EXPECT_DOUBLE_EQ(annotation->Y(), 45);
    EXPECT_DOUBLE_EQ(annotation->Width(), 20);
    EXPECT_DOUBLE_EQ(annotation->Height(), 20);
    Release(320, 130);
}

TEST_F(PlotAnnotation, TurnedRectangleResizesAlongTheTurnedQuantities) {
    annotation->SetXYAxesReversed(true);
    Shape(A::ipasRectangle, 50, 50, 20, 10);
    annotation->SetUserCanSize(true);
    Draw();
    // X runs down: 50 +- 10 percent is rows 140..100; Y across: 50 +- 5 is columns 280..320.
    const TRect shape = annotation->ShapeRect();
    EXPECT_EQ(shape, (TRect{280, 100, 320, 140}));
    Press(shape.Right, shape.Bottom);
    Move(shape.Right + 40, shape.Bottom + 20);
    EXPECT_DOUBLE_EQ(annotation->Width(), 30);
    EXPECT_DOUBLE_EQ(annotation->Height(), 20);
    EXPECT_DOUBLE_EQ(annotation->X(), 45);
    EXPECT_DOUBLE_EQ(annotation->Y(), 55);
    Release(0, 0);
}

// Moving an ellipse went through the setters only, so its release never reported the end.
TEST_F(PlotAnnotation, EllipseMovesBothCornersAndReportsTheEnd) {
    annotation->SetStyle(A::ipasEllipse);
    annotation->SetX(25);
    annotation->SetY(25);
    annotation->SetX2(75);
    annotation->SetY2(75);
    annotation->SetUserCanMove(true);
    Draw();
    plot.Host.Events.clear();
    Press(300, 120);
    Move(340, 100);
    EXPECT_DOUBLE_EQ(annotation->X(), 35);
    EXPECT_DOUBLE_EQ(annotation->X2(), 85);
    EXPECT_DOUBLE_EQ(annotation->Y(), 35);
    EXPECT_DOUBLE_EQ(annotation->Y2(), 85);
    Release(340, 100);
    EXPECT_EQ(Count("Coordinates "), 4);
    EXPECT_EQ(plot.Host.Events.back(), "CoordinatesFinished ");
}

TEST_F(PlotAnnotation, TextOffersNoHandlesAndMovesOnlyWhenAllowed) {
    annotation->SetText(QStringLiteral("Hello"));
    annotation->SetX(50);
    annotation->SetY(50);
    annotation->SetUserCanSize(true);
    Draw();
    EXPECT_FALSE(annotation->IsSizeable());
    EXPECT_EQ(annotation->GetMousePointer({283, 114}), Qt::PointingHandCursor);
    Press(283, 114);
    Move(300, 130);
    Release(300, 130);
    EXPECT_EQ(annotation->X(), 50);
    annotation->SetUserCanMove(true);
    Press(283, 114);
    Move(303, 114);
    Release(303, 114);
    EXPECT_DOUBLE_EQ(annotation->X(), 55);
}

TEST_F(PlotAnnotation, HandlersDeletingTheAnnotationInsideItsEvents) {
    annotation->SetText(QStringLiteral("Hello"));
    annotation->SetX(50);
    annotation->SetY(50);
    annotation->SetUserCanMove(true);
    Draw();
    plot.Host.OnPositionChangeAction = [&](TiPlotObject*) {
        plot.Host.OnPositionChangeAction = nullptr;
        plot.Master->Delete(K::Annotation, 0);
    };
    Press(300, 120);
    Move(310, 120);
    EXPECT_EQ(plot.Master->Count(K::Annotation), 0);

    annotation = Add();
    annotation->SetStyle(A::ipasEllipse);
    annotation->SetX2(50);
    annotation->SetY2(50);
    annotation->SetUserCanMove(true);
    Draw();
    plot.Host.OnPositionChangeAction = [&](TiPlotObject*) {
        plot.Host.OnPositionChangeAction = nullptr;
        plot.Master->Delete(K::Annotation, 0);
    };
    Press(150, 200);
    Move(160, 200);
    EXPECT_EQ(plot.Master->Count(K::Annotation), 0);

    annotation = Add();
    annotation->SetText(QStringLiteral("Hello"));
    annotation->SetUserCanMove(true);
    Draw();
    plot.Host.OnClickAction = [&](TiPlotObject*) { plot.Master->Delete(K::Annotation, 0); };
    Press(100, 220);
    Move(104, 218);
    Draw();
    Release(104, 218);
    EXPECT_EQ(plot.Master->Count(K::Annotation), 0);
    EXPECT_EQ(plot.Host.Events.back(), "Click ");
}

TEST_F(PlotAnnotation, RemovedDataViewAndChannelAreForgottenAndNoMenuIsOffered) {
    annotation->SetText(QStringLiteral("Hello"));
    Draw();
    EXPECT_TRUE(annotation->Drawn());
    plot.Master->Delete(K::DataView, 0);
    EXPECT_EQ(annotation->DataView(), nullptr);
    Draw();
    EXPECT_FALSE(annotation->Drawn());
    EXPECT_EQ(annotation->GetXMax(), 0);

    plot.Master->Get(K::Channel, 0)->SetName(QStringLiteral("Carrier"));
    EXPECT_EQ(annotation->ChannelName(), "Carrier");
    plot.Master->Delete(K::Channel, 0);
    EXPECT_EQ(annotation->GetChannel(), nullptr);
    EXPECT_EQ(annotation->ChannelName(), "Carrier");

    QMenu menu;
    menu.addAction(QStringLiteral("stale"));
    annotation->AddMenuItems(&menu);
    EXPECT_TRUE(menu.actions().isEmpty());
}

TEST_F(PlotAnnotation, CoordinatesRefuseNaNAndEnumerationsUnknownOrdinals) {
    plot.Host.Events.clear();
    annotation->SetX(std::numeric_limits<double>::quiet_NaN());
    annotation->SetX(0);
    EXPECT_TRUE(plot.Host.Events.empty());
    annotation->SetHeight(-3);
    EXPECT_EQ(plot.Host.Events, (std::vector<QString>{"Coordinates "}));
    annotation->SetStyle(TiPlotAnnotationStyle(8));
    annotation->SetTextVertAlignment(TiAlignmentVertical(3));
    EXPECT_EQ(annotation->Style(), A::ipasText);
    EXPECT_EQ(annotation->TextVertAlignment(), iavCenter);
    annotation->SetTextHorzMargin(1e300);
    EXPECT_EQ(annotation->TextHorzMargin(), A::MaxTextMargin);
}

} // namespace
