#include "instruments/framework/Igpfunctions.h"

#include "platform/PainterCanvas.h"
#include "platform/RecordingCanvas.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

using Op = TCanvasOperation;

std::vector<TPoint> Points(std::initializer_list<TPoint> points) {
    return points;
}

} // namespace

class IgpfunctionsDrawing : public testing::Test {
protected:
    std::vector<TCanvasRecord> Lines() const { return canvas.RecordsOf(Op::Polyline); }

    TRecordingCanvas canvas;
};

TEST_F(IgpfunctionsDrawing, DrawTextTranslatesEveryFlagAndSuppressesPrefixesUnlessAsked) {
    TRect r{0, 0, 100, 20};
    iDrawText(&canvas, "a&b", r, {itfHCenter, itfVBottom, itfSingleLine, itfEndEllipsis});
    iDrawText(&canvas, "a&b", r, {itfHLeft, itfVTop, itfShowPrefix, itfNoClip});
    const auto texts = canvas.RecordsOf(Op::DrawText);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].Format, tfCenter | tfBottom | tfSingleLine | tfEndEllipsis | tfNoPrefix);
    EXPECT_EQ(texts[1].Format, unsigned(tfNoClip));
}

TEST_F(IgpfunctionsDrawing, TextWidthIsTheWidestLineWhateverTheLineBreaks) {
    EXPECT_EQ(iTextWidth(&canvas, "ab\r\nabcd\nx\rxyz12"), 5 * 7);
    EXPECT_EQ(iTextWidth(&canvas, ""), 0);
    EXPECT_EQ(iTextHeight(&canvas, "a\nb\nc"), 3 * 13);
}

TEST_F(IgpfunctionsDrawing, TextHeightFixedWidthWrapsWithoutDrawingAnything) {
    EXPECT_EQ(iTextHeightFixedWidth(&canvas, "aaa bbb ccc", 50), 2 * 13);
    EXPECT_EQ(iTextHeightFixedWidth(&canvas, "aaa bbb ccc", 30), 3 * 13);
    EXPECT_EQ(canvas.Count(Op::DrawText), 0);
}

TEST_F(IgpfunctionsDrawing, RotatedTextStartsAtTheTurnedCornerAndRestoresTheFont) {
    const TRect box{0, 0, 100, 50}; // centre (50, 25); "abcd" is 28 x 13
    EXPECT_EQ(iDrawRotatedText(&canvas, "abcd", box, ira000), (TRect{36, 19, 64, 31}));
    EXPECT_EQ(iDrawRotatedText(&canvas, "abcd", box, ira090), (TRect{44, 11, 56, 39}));
    EXPECT_EQ(iDrawRotatedText(&canvas, "abcd", box, ira180), (TRect{36, 19, 64, 31}));
    EXPECT_EQ(iDrawRotatedText(&canvas, "abcd", box, ira270), (TRect{44, 11, 56, 39}));
    const auto texts = canvas.RecordsOf(Op::DrawText);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0].Rect, box);
    const std::array<TPoint, 3> starts{{{44, 39}, {64, 31}, {57, 11}}};
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(texts[i].Points.front(), starts[i - 1]);
        EXPECT_EQ(texts[i].FontOrientation, 900 * i);
    }
    EXPECT_EQ(canvas.Font()->Orientation(), 0);
}

TEST_F(IgpfunctionsDrawing, EdgesAreThreeDimensionalOrAFlatShadowOutline) {
    iDrawEdge(&canvas, {2, 3, 12, 8}, idesSunken);
    iDrawEdge(&canvas, {2, 3, 12, 8}, idesFlat);
    ASSERT_EQ(canvas.Count(Op::DrawEdge), 1);
    EXPECT_EQ(canvas.RecordsOf(Op::DrawEdge)[0].EdgeStyle, TEdgeStyle::Sunken);
    const auto polygon = canvas.RecordsOf(Op::Polygon).at(0);
    EXPECT_EQ(polygon.Points, Points({{2, 3}, {11, 3}, {11, 7}, {2, 7}}));
    EXPECT_EQ(polygon.PenColor, clBtnShadow);
}

TEST_F(IgpfunctionsDrawing, BevelsRunTopDownOrLeftToRightWithTheirColoursStacked) {
    LineBevel(&canvas, 10, 20, 10, 5, ibsRaised);
    LineBevel(&canvas, 20, 3, 5, 8, ibsLowered);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 5u);
    const std::array<std::vector<TPoint>, 5> expected{
        Points({{9, 5}, {9, 20}}), Points({{10, 5}, {10, 20}}), Points({{11, 5}, {11, 20}}),
        Points({{5, 8}, {20, 3}}), Points({{5, 9}, {20, 4}})};
    const std::array<TColor, 5> colours{clWhite, clWhite, clBlack, clBlack, clWhite};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].Points, expected[i]);
        EXPECT_EQ(lines[i].PenColor, colours[i]);
    }
}

TEST_F(IgpfunctionsDrawing, GradientRowsRunFromStartToStopColour) {
    DrawGradientDirection(&canvas, {0, 0, 10, 5}, ifdTopBottom, clRed, clBlue);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].Points, Points({{0, 0}, {10, 0}}));
    EXPECT_EQ(lines[0].PenColor, clRed);
    EXPECT_EQ(lines[2].PenColor, RGBColor(128, 0, 128));
    EXPECT_EQ(lines[4].PenColor, clBlue);
    EXPECT_EQ(canvas.Brush()->Style(), bsClear);
    canvas.Clear();
    DrawGradientDirection(&canvas, {0, 0, 10, 5}, ifdBottomTop, clRed, clBlue);
    EXPECT_EQ(Lines().front().PenColor, clBlue);
}

TEST_F(IgpfunctionsDrawing, GradientOfOnePixelTakesTheFirstColourInsteadOfDividingByZero) {
    DrawGradientDirection(&canvas, {0, 0, 10, 1}, ifdTopBottom, clRed, clBlue);
    DrawGradientDirection(&canvas, {0, 0, 1, 10}, ifdRightLeft, clRed, clBlue);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].PenColor, clRed);
    EXPECT_EQ(lines[1].PenColor, clBlue);
}

TEST_F(IgpfunctionsDrawing, GradientShapesArePlacedFromTheOrigin) {
    DrawGradientDirection(&canvas, {0, 0, 5, 5}, ifdTopLeftBottomRight, clBlack, clWhite);
    EXPECT_EQ(Lines().at(4).Points, Points({{3, 0}, {-1, 4}}));
    DrawGradientDirection(&canvas, {0, 0, 17, 17}, ifdCircleOut, clBlack, clWhite);
    const auto ellipses = canvas.RecordsOf(Op::Ellipse);
    // The first of the three steps has no size.
    ASSERT_EQ(ellipses.size(), 2u);
    EXPECT_EQ(ellipses[1].Rect, (TRect{-3, -3, 19, 19}));
    EXPECT_EQ(ellipses[1].PenWidth, 16);
    DrawGradientDirection(&canvas, {0, 0, 9, 9}, ifdRectangleOut, clBlack, clWhite);
    EXPECT_EQ(canvas.RecordsOf(Op::Rectangle).size(), 2u);
    EXPECT_EQ(canvas.RecordsOf(Op::SetPixel).at(0).Points.at(0), (TPoint{3, 3}));
    EXPECT_EQ(canvas.Pixels(3, 3), clBlack);
}

TEST_F(IgpfunctionsDrawing, GradientCircleDarkensTheButtonFaceChannelByChannel) {
    // Red below 0x50: packed subtraction would borrow from green and turn red bright.
    const TColor face = SetSystemColorRGB(15, RGBColor(0x30, 0x90, 0x90));
    DrawGradientCircle(&canvas, {20, 20}, 10, false);
    SetSystemColorRGB(15, face);
    const auto chords = Lines();
    ASSERT_GT(chords.size(), 10u);
    for (const auto& chord : chords)
        EXPECT_GT(GetGValue(chord.PenColor), GetRValue(chord.PenColor));
    EXPECT_GT(GetRValue(chords.front().PenColor), GetRValue(chords.back().PenColor));
    canvas.Clear();
    DrawGradientCircle(&canvas, {20, 20}, 0, false);
    EXPECT_TRUE(canvas.Records().empty());
}

class IgpfunctionsPixels : public testing::Test {
protected:
    IgpfunctionsPixels() : image(40, 40, QImage::Format_RGB32), canvas(image) {
        image.fill(Qt::gray);
    }

    QImage image;
    TPainterCanvas canvas;
};

TEST_F(IgpfunctionsPixels, LeftRightGradientCoversExactlyTheRectangle) {
    DrawGradientDirection(&canvas, {0, 0, 10, 4}, ifdLeftRight, clBlack, clWhite);
    EXPECT_EQ(canvas.Pixels(0, 0), clBlack);
    EXPECT_EQ(canvas.Pixels(9, 3), clWhite);
    EXPECT_EQ(canvas.Pixels(10, 0), FromQColor(Qt::gray));
    EXPECT_EQ(canvas.Pixels(0, 4), FromQColor(Qt::gray));
}

TEST_F(IgpfunctionsPixels, GradientCircleIsLightAtTheTopLeftAndDarkAtTheBottomRight) {
    DrawGradientCircle(&canvas, {20, 20}, 15, false);
    const TColor topLeft = canvas.Pixels(12, 12);
    const TColor bottomRight = canvas.Pixels(27, 27);
    EXPECT_GT(GetRValue(topLeft), GetRValue(bottomRight) + 30);
    EXPECT_EQ(canvas.Pixels(2, 2), FromQColor(Qt::gray));
}
