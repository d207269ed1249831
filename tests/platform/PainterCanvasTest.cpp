#include "platform/PainterCanvas.h"
#include "platform/Bitmap.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

class PainterCanvasTest : public ::testing::Test {
protected:
    PainterCanvasTest() : image_(40, 40, QImage::Format_RGB32), canvas_(image_) {
        image_.fill(Qt::white);
        canvas_.Pen()->SetColor(clBlack);
        canvas_.Brush()->SetColor(clRed);
    }

    TColor At(int x, int y) {
        canvas_.EndPaint();
        return FromQColor(QColor(image_.pixel(x, y)));
    }

    // The pixels of row y from x to x + count - 1, one character each: '#' black, 'r' red,
    // '.' white, '?' anything else.
    std::string Row(int y, int x, int count) {
        std::string result;
        for (int i = 0; i < count; ++i) {
            const TColor c = At(x + i, y);
            result += c == clBlack ? '#' : c == clRed ? 'r' : c == clWhite ? '.' : '?';
        }
        return result;
    }

    QImage image_;
    TPainterCanvas canvas_;
};

TEST_F(PainterCanvasTest, LineToLeavesOutItsEndPoint) {
    canvas_.MoveTo(2, 5);
    canvas_.LineTo(10, 5);
    EXPECT_EQ(Row(5, 1, 11), ".########..");
    canvas_.MoveTo(20, 0);
    canvas_.LineTo(25, 5);
    EXPECT_EQ(At(24, 4), clBlack);
    EXPECT_EQ(At(25, 5), clWhite);
    EXPECT_EQ(canvas_.PenPos(), Point(25, 5));
}

TEST_F(PainterCanvasTest, PolylineDrawsEveryCornerButTheLastPoint) {
    const TPoint points[] = {{2, 2}, {6, 2}, {6, 6}};
    canvas_.Polyline(points);
    EXPECT_EQ(Row(2, 1, 7), ".#####.");
    EXPECT_EQ(At(6, 5), clBlack);
    EXPECT_EQ(At(6, 6), clWhite);
}

TEST_F(PainterCanvasTest, WidthZeroAndOneAreBothTheThinnestLine) {
    canvas_.Pen()->SetWidth(0);
    canvas_.MoveTo(2, 5);
    canvas_.LineTo(8, 5);
    canvas_.Pen()->SetWidth(1);
    canvas_.MoveTo(2, 10);
    canvas_.LineTo(8, 10);
    EXPECT_EQ(At(4, 4), clWhite);
    EXPECT_EQ(At(4, 6), clWhite);
    EXPECT_EQ(At(4, 9), clWhite);
    EXPECT_EQ(At(4, 11), clWhite);
}

TEST_F(PainterCanvasTest, RectangleAndFillsExcludeRightAndBottomEdges) {
    canvas_.Rectangle(2, 2, 8, 6);
    EXPECT_EQ(Row(2, 1, 8), ".######.");
    EXPECT_EQ(Row(3, 1, 8), ".#rrrr#.");
    EXPECT_EQ(Row(5, 1, 8), ".######.");
    EXPECT_EQ(At(4, 6), clWhite);

    canvas_.FillRect(Rect(10, 10, 13, 12));
    EXPECT_EQ(Row(10, 9, 5), ".rrr.");
    EXPECT_EQ(Row(12, 9, 5), ".....");

    canvas_.FrameRect(Rect(20, 20, 24, 24));
    EXPECT_EQ(Row(21, 19, 6), ".r..r.");
}

TEST_F(PainterCanvasTest, EllipseStaysInsideItsRectangle) {
    canvas_.Ellipse(0, 0, 11, 11);
    EXPECT_EQ(At(0, 5), clBlack);
    EXPECT_EQ(At(10, 5), clBlack);
    EXPECT_EQ(At(11, 5), clWhite);
    EXPECT_EQ(At(5, 10), clBlack);
    EXPECT_EQ(At(5, 11), clWhite);
    EXPECT_EQ(At(5, 5), clRed);
}

TEST_F(PainterCanvasTest, ArcRunsCounterClockwiseFromStartToEnd) {
    // From the top-right corner round to the bottom-left: the upper-left half of the rim.
    canvas_.Arc(0, 0, 21, 21, 21, 0, 0, 21);
    EXPECT_EQ(At(10, 0), clBlack);
    EXPECT_EQ(At(0, 10), clBlack);
    EXPECT_EQ(At(20, 10), clWhite);
    EXPECT_EQ(At(10, 20), clWhite);
}

// Pens and arc paths are kept between drawings: more of them than are kept, drawn again in turn,
// must come out as they did the first time, each in its own colour.
TEST_F(PainterCanvasTest, ArcsInMorePensThanAreKeptDrawAlikeWhenDrawnAgain) {
    const TColor colors[] = {clRed, clBlue, clLime, clBlack, clFuchsia, clNavy};
    const auto drawArcs = [&](TCanvas& canvas) {
        for (int i = 0; i < 6; ++i) {
            canvas.Pen()->SetColor(colors[i]);
            canvas.Arc(2 * i, 2 * i, 39 - 2 * i, 39 - 2 * i, 39, 20, 0, 20);
        }
    };
    QImage once(image_.size(), image_.format());
    once.fill(Qt::white);
    {
        TPainterCanvas first(once);
        drawArcs(first);
    }
    drawArcs(canvas_);
    drawArcs(canvas_);
    canvas_.EndPaint();
    EXPECT_EQ(image_, once);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(At(20, 2 * i), colors[i]) << i;
}

TEST_F(PainterCanvasTest, ClearPenAndClearBrushLeaveTheirPartsUndrawn) {
    canvas_.Pen()->SetStyle(psClear);
    canvas_.Rectangle(2, 2, 6, 6);
    EXPECT_EQ(Row(2, 1, 6), ".rrrr.");
    canvas_.Pen()->SetStyle(psSolid);
    canvas_.Brush()->SetStyle(bsClear);
    canvas_.Rectangle(10, 2, 14, 6);
    EXPECT_EQ(Row(3, 9, 6), ".#..#.");
}

TEST_F(PainterCanvasTest, HatchesLeaveThePixelsBetweenTheirLines) {
    canvas_.Brush()->SetStyle(bsHorizontal);
    canvas_.FillRect(Rect(0, 0, 40, 40));
    int red = 0;
    for (int y = 0; y < 16; ++y)
        red += At(5, y) == clRed;
    EXPECT_GT(red, 0);
    EXPECT_LT(red, 16);
}

TEST_F(PainterCanvasTest, DashedPenLeavesGaps) {
    canvas_.Pen()->SetStyle(psDot);
    canvas_.MoveTo(0, 5);
    canvas_.LineTo(12, 5);
    EXPECT_EQ(Row(5, 0, 12), "###...###...");
    // The dots run on through the corners of a polyline of short segments.
    std::vector<TPoint> steps;
    for (int x = 0; x <= 12; ++x)
        steps.push_back({x, 8});
    canvas_.Polyline(steps);
    EXPECT_EQ(Row(8, 0, 12), "###...###...");
}

TEST_F(PainterCanvasTest, XorAndNotModesUndoThemselves) {
    canvas_.FillRect(Rect(0, 0, 10, 10));
    canvas_.Pen()->SetMode(pmXor);
    canvas_.Pen()->SetColor(clWhite);
    canvas_.MoveTo(0, 5);
    canvas_.LineTo(10, 5);
    EXPECT_EQ(At(3, 5), clAqua);
    EXPECT_EQ(At(15, 5), clWhite);
    canvas_.MoveTo(0, 5);
    canvas_.LineTo(10, 5);
    EXPECT_EQ(At(3, 5), clRed);
    canvas_.Pen()->SetMode(pmNot);
    canvas_.MoveTo(0, 6);
    canvas_.LineTo(10, 6);
    EXPECT_EQ(At(3, 6), clAqua);
}

TEST_F(PainterCanvasTest, XorRectangleMeetsEachPixelOnce) {
    canvas_.Pen()->SetMode(pmXor);
    canvas_.Pen()->SetColor(clWhite);
    canvas_.Brush()->SetColor(clWhite);
    canvas_.Rectangle(2, 2, 8, 8);
    EXPECT_EQ(Row(2, 1, 8), ".######.");
    EXPECT_EQ(Row(4, 1, 8), ".######.");
}

TEST_F(PainterCanvasTest, FocusRectIsDottedAndDrawingItTwiceRestoresThePixels) {
    canvas_.DrawFocusRect(Rect(2, 2, 9, 7));
    EXPECT_EQ(Row(2, 2, 7), "#.#.#.#");
    EXPECT_EQ(At(2, 4), clBlack);
    EXPECT_EQ(At(2, 3), clWhite);
    EXPECT_EQ(At(5, 4), clWhite);
    canvas_.DrawFocusRect(Rect(2, 2, 9, 7));
    for (int y = 0; y < 10; ++y)
        EXPECT_EQ(Row(y, 0, 10), "..........") << y;
}

TEST_F(PainterCanvasTest, FocusRectFarLargerThanThePictureDotsOnlyItsVisibleEdges) {
    canvas_.DrawFocusRect(Rect(-1000001, 3, 1000000, 6));
    EXPECT_EQ(Row(3, 0, 6), ".#.#.#");
    EXPECT_EQ(Row(5, 0, 6), ".#.#.#");
    EXPECT_EQ(Row(4, 0, 6), "......");
    // One pixel high or wide: the shared pixels are inverted once.
    canvas_.DrawFocusRect(Rect(10, 20, 13, 21));
    EXPECT_EQ(Row(20, 10, 3), "#.#");
    canvas_.DrawFocusRect(Rect(30, 20, 31, 23));
    EXPECT_EQ(At(30, 20), clBlack);
    EXPECT_EQ(At(30, 21), clWhite);
    EXPECT_EQ(At(30, 22), clBlack);
}

TEST_F(PainterCanvasTest, InvertRectFlipsEveryChannel) {
    canvas_.FillRect(Rect(0, 0, 4, 4));
    canvas_.InvertRect(Rect(0, 0, 8, 4));
    EXPECT_EQ(At(1, 1), clAqua);
    EXPECT_EQ(At(6, 1), clBlack);
    EXPECT_EQ(At(1, 5), clWhite);
}

TEST_F(PainterCanvasTest, RaisedAndSunkenEdgesUseTheThreeDColours) {
    canvas_.DrawEdge(Rect(0, 0, 10, 10), TEdgeStyle::Raised);
    EXPECT_EQ(At(0, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(At(9, 9), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(At(9, 0), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(At(1, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(8, 8), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(5, 5), clWhite);
    canvas_.DrawEdge(Rect(20, 0, 30, 10), TEdgeStyle::Sunken);
    EXPECT_EQ(At(20, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(29, 9), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(21, 1), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(At(28, 8), ColorToRGB(cl3DLight));
}

TEST_F(PainterCanvasTest, TextOutFillsItsCellWithTheBrushUnlessClear) {
    const TSize extent = canvas_.TextExtent(QStringLiteral("Hi"));
    ASSERT_GT(extent.cx, 0);
    canvas_.TextOut(5, 5, QStringLiteral("Hi"));
    EXPECT_EQ(At(5, 5), clRed);
    EXPECT_EQ(At(5 + extent.cx - 1, 5 + extent.cy - 1), clRed);
    EXPECT_EQ(At(5 + extent.cx, 5), clWhite);
    EXPECT_EQ(At(5, 5 + extent.cy), clWhite);
    EXPECT_EQ(canvas_.PenPos(), Point(5 + extent.cx, 5));

    canvas_.Brush()->SetStyle(bsClear);
    canvas_.TextOut(5, 20, QStringLiteral("Hi"));
    EXPECT_EQ(At(5, 20), clWhite);
}

TEST_F(PainterCanvasTest, EscapementTurnsTextAroundItsPoint) {
    // Reading upwards from (20, 30): the cell lies above the point and right of it.
    canvas_.Font()->SetOrientation(900);
    canvas_.TextOut(20, 30, QStringLiteral("Hi"));
    EXPECT_EQ(At(21, 28), clRed);
    EXPECT_EQ(At(21, 32), clWhite);
    EXPECT_EQ(At(18, 28), clWhite);
}

TEST_F(PainterCanvasTest, DrawTextTurnsAroundTheTopLeftOfItsRectangleAsTextOutDoes) {
    QImage other = image_.copy();
    canvas_.Font()->SetOrientation(900);
    canvas_.TextOut(10, 35, QStringLiteral("Ab"));
    TPainterCanvas second(other);
    second.Font()->SetOrientation(900);
    second.Brush()->SetColor(clRed);
    TRect r = Rect(10, 35, 10, 35);
    second.DrawText(QStringLiteral("Ab"), r, tfSingleLine | tfNoClip);
    second.EndPaint();
    canvas_.EndPaint();
    EXPECT_EQ(image_, other);
}

TEST_F(PainterCanvasTest, DrawTextClipsToItsRectangleUnlessTold) {
    TRect r = Rect(0, 0, 3, 20);
    canvas_.DrawText(QStringLiteral("WWWW"), r, tfSingleLine);
    EXPECT_EQ(At(2, 2), clRed);
    EXPECT_EQ(At(3, 2), clWhite);
    r = Rect(0, 20, 3, 40);
    canvas_.DrawText(QStringLiteral("WWWW"), r, tfSingleLine | tfNoClip);
    EXPECT_EQ(At(3, 22), clRed);
}

TEST_F(PainterCanvasTest, PrefixUnderlinesItsCharacter) {
    canvas_.Brush()->SetStyle(bsClear);
    QImage plain = image_.copy();
    TRect r = Rect(0, 0, 40, 20);
    canvas_.DrawText(QStringLiteral("&W"), r, tfSingleLine);
    TPainterCanvas second(plain);
    second.Brush()->SetStyle(bsClear);
    second.DrawText(QStringLiteral("W"), r, tfSingleLine);
    second.EndPaint();
    canvas_.EndPaint();
    EXPECT_NE(image_, plain);
    second.DrawText(QStringLiteral("&W"), r, tfSingleLine | tfNoPrefix);
    second.EndPaint();
    EXPECT_NE(image_, plain);
}

TEST_F(PainterCanvasTest, ClipWindowOriginAndStateRestore) {
    canvas_.SaveState();
    canvas_.SetWindowOrigin(Point(-10, -10));
    canvas_.IntersectClipRect(Rect(0, 0, 5, 5));
    EXPECT_TRUE(canvas_.PtVisible(4, 4));
    EXPECT_FALSE(canvas_.PtVisible(5, 4));
    EXPECT_FALSE(canvas_.PtVisible(31, 0));
    EXPECT_EQ(canvas_.ClipRect(), Rect(0, 0, 5, 5));
    canvas_.FillRect(Rect(0, 0, 20, 20));
    canvas_.RestoreState();
    EXPECT_EQ(Row(12, 8, 8), "..rrrrr.");
    EXPECT_EQ(At(12, 15), clWhite);
    EXPECT_EQ(canvas_.WindowOrigin(), Point(0, 0));
    EXPECT_EQ(canvas_.ClipRect(), Rect(0, 0, 40, 40));
    canvas_.RestoreState();
    EXPECT_EQ(canvas_.Pixels(12, 12), clRed);
    EXPECT_EQ(canvas_.Pixels(40, 0), clNone);
}

TEST_F(PainterCanvasTest, CopyRectAndStretchDrawCopyPixels) {
    QImage sourceImage(10, 10, QImage::Format_RGB32);
    sourceImage.fill(Qt::blue);
    TPainterCanvas source(sourceImage);
    source.SetPixels(0, 0, clLime);
    canvas_.CopyRect(Rect(20, 20, 24, 24), source, Rect(0, 0, 4, 4));
    EXPECT_EQ(At(20, 20), clLime);
    EXPECT_EQ(At(23, 23), clBlue);
    EXPECT_EQ(At(24, 24), clWhite);
    canvas_.CopyRect(Rect(0, 0, 8, 8), source, Rect(0, 0, 4, 4));
    EXPECT_EQ(At(1, 1), clLime);
    EXPECT_EQ(At(2, 2), clBlue);
}

// The canvas keeps its Qt pen, brush and font between drawings; each must follow every change,
// a system colour set anew in between included.
TEST_F(PainterCanvasTest, KeptPenBrushAndFontFollowEveryChange) {
    canvas_.Pen()->SetColor(clBtnFace);
    canvas_.MoveTo(0, 1);
    canvas_.LineTo(10, 1);
    const TColor face = SetSystemColorRGB(15, clLime);
    canvas_.MoveTo(0, 2);
    canvas_.LineTo(10, 2);
    canvas_.Brush()->SetColor(clBtnFace);
    canvas_.FillRect(Rect(0, 3, 10, 4));
    SetSystemColorRGB(15, face);
    EXPECT_EQ(At(5, 1), face);
    EXPECT_EQ(At(5, 2), clLime);
    EXPECT_EQ(At(5, 3), clLime);
    canvas_.Pen()->SetColor(clBlack);
    canvas_.MoveTo(0, 5);
    canvas_.LineTo(10, 5);
    canvas_.Pen()->SetStyle(psDot);
    canvas_.MoveTo(0, 6);
    canvas_.LineTo(10, 6);
    EXPECT_EQ(Row(5, 0, 7), "#######");
    EXPECT_EQ(Row(6, 0, 7), "###...#");
    const TSize small = canvas_.TextExtent(QStringLiteral("Wide"));
    canvas_.Font()->SetHeight(-30);
    EXPECT_GT(canvas_.TextExtent(QStringLiteral("Wide")).cx, small.cx);
    TFont font;
    canvas_.SetFont(&font);
    EXPECT_EQ(canvas_.TextExtent(QStringLiteral("Wide")), small);
}

// A bitmap drawn again and again keeps painting between the copies; each copy shows every
// drawing made before it.
TEST_F(PainterCanvasTest, BitmapStillPaintingCopiesItsLatestPixels) {
    TBitmap bitmap;
    bitmap.SetSize(4, 4);
    bitmap.Canvas()->Brush()->SetColor(clRed);
    bitmap.Canvas()->FillRect(Rect(0, 0, 4, 4));
    canvas_.Draw(0, 0, bitmap);
    bitmap.Canvas()->Brush()->SetColor(clBlack);
    bitmap.Canvas()->FillRect(Rect(0, 0, 2, 4));
    canvas_.Draw(10, 0, bitmap);
    EXPECT_EQ(Row(1, 0, 4), "rrrr");
    EXPECT_EQ(Row(1, 10, 4), "##rr");
}

} // namespace

namespace {

// The ends drawn in a blue pen through a clip and a moved origin, in one call or as one
// two-point polyline each.
QImage DrawLines(const std::vector<TPoint>& ends, TPenStyle style, int width, TPenMode mode,
                 bool batched, qreal ratio = 1) {
    QImage image(64, 64, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    TPainterCanvas canvas(image);
    canvas.Pen()->SetColor(clBlue);
    canvas.Pen()->SetStyle(style);
    canvas.Pen()->SetWidth(width);
    canvas.Pen()->SetMode(mode);
    canvas.IntersectClipRect(Rect(3, 5, 60, 50));
    canvas.SetWindowOrigin({-2, 1});
    if (batched) {
        canvas.Lines(ends);
    } else {
        for (std::size_t i = 0; i < ends.size(); i += 2)
            canvas.Polyline(std::span<const TPoint>(ends).subspan(i, 2));
    }
    canvas.EndPaint();
    return image;
}

} // namespace

// Many lines in one call draw exactly the pixels of one two-point polyline each, for every pen
// and mode (the solid thin pen in copy mode takes its own route, filling vertical lines), through
// a clip and a moved origin, with vertical, horizontal and single-point lines among them.
TEST(PainterCanvasLines, DrawExactlyThePixelsOfOnePolylineEach) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-10, 70), pick(0, 3);
    std::vector<TPoint> ends;
    for (int i = 0; i < 400; ++i) {
        const TPoint from{coordinate(random), coordinate(random)};
        const int kind = pick(random);
        const TPoint to = kind == 0   ? TPoint{from.X, coordinate(random)}
                          : kind == 1 ? TPoint{coordinate(random), from.Y}
                          : kind == 2 ? from
                                      : TPoint{coordinate(random), coordinate(random)};
        ends.insert(ends.end(), {from, to});
    }
    const auto draw = [&](TPenStyle style, int width, TPenMode mode, bool batched,
                          qreal ratio = 1) {
        return DrawLines(ends, style, width, mode, batched, ratio);
    };
    for (const TPenStyle style : {psSolid, psDot})
        for (const int width : {0, 1, 3})
            for (const TPenMode mode : {pmCopy, pmXor})
                EXPECT_EQ(draw(style, width, mode, true), draw(style, width, mode, false))
                    << style << " " << width << " " << mode;
    // A scaled surface (a screen at twice the density) draws a thin line one device pixel wide.
    EXPECT_EQ(draw(psSolid, 0, pmCopy, true, 2), draw(psSolid, 0, pmCopy, false, 2));
}

// A dense trace's strokes: neighbouring columns with overlapping rows, drawn either way up,
// with gaps, repeated columns and a few slanted lines among them. Filled in groups they must
// cover exactly the pixels each stroke covers on its own.
TEST(PainterCanvasLines, GroupedColumnsFillExactlyTheirStrokesPixels) {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> drift(-6, 6), length(0, 30), pick(0, 19);
    std::vector<TPoint> ends;
    int x = -4, middle = 30;
    for (int i = 0; i < 300; ++i) {
        const int kind = pick(random);
        x = kind == 0 ? x + 3 : kind == 1 ? x : x + 1;
        if (x > 68) x = -4;
        middle = std::clamp(middle + drift(random), -5, 70);
        const TPoint top{x, middle - length(random)}, bottom{x, middle + length(random)};
        if (kind == 2)
            ends.insert(ends.end(), {top, TPoint{x + 5, middle}});
        else if (kind % 2)
            ends.insert(ends.end(), {bottom, top});
        else
            ends.insert(ends.end(), {top, bottom});
    }
    const QImage grouped = DrawLines(ends, psSolid, 0, pmCopy, true);
    EXPECT_EQ(grouped, DrawLines(ends, psSolid, 0, pmCopy, false));
    int drawn = 0;
    for (int y = 0; y < grouped.height(); ++y)
        for (int x = 0; x < grouped.width(); ++x)
            drawn += grouped.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_GT(drawn, 1000);
}

namespace {

const TRect EllipseClip = Rect(3, 5, 60, 50);
const TPoint EllipseOrigin{-2, 1};

struct TEllipseLook {
    TPenStyle Pen;
    TBrushStyle Brush;
    TColor PenColor;
};

// The toolkit's own ellipses for what the canvas draws with this look, clip and origin.
void ToolkitEllipses(QPainter& painter, const std::vector<TRect>& rects, TEllipseLook look) {
    QPen pen(ToQColor(look.PenColor));
    pen.setWidth(0);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(look.Pen == psClear ? QPen(Qt::NoPen) : pen);
    painter.setBrush(look.Brush == bsClear ? QBrush(Qt::NoBrush) : QBrush(ToQColor(clRed)));
    painter.setClipRect(ToQRect(EllipseClip), Qt::IntersectClip);
    painter.translate(-EllipseOrigin.X, -EllipseOrigin.Y);
    for (const TRect& r : rects)
        if (const TRect n = NormalizedRect(r); !n.IsEmpty())
            painter.drawEllipse(QRect(n.Left, n.Top, n.Width() - 1, n.Height() - 1));
}

void CanvasEllipses(TPainterCanvas& canvas, const std::vector<TRect>& rects, TEllipseLook look,
                    bool batched) {
    canvas.Pen()->SetColor(look.PenColor);
    canvas.Pen()->SetStyle(look.Pen);
    canvas.Brush()->SetColor(clRed);
    canvas.Brush()->SetStyle(look.Brush);
    canvas.IntersectClipRect(EllipseClip);
    canvas.SetWindowOrigin(EllipseOrigin);
    if (batched) {
        canvas.Ellipses(rects);
    } else {
        for (const TRect& r : rects)
            canvas.Ellipse(r);
    }
}

std::vector<TRect> RandomRects(unsigned seed, int minSize, int maxSize) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> place(-12, 70), size(minSize, maxSize);
    std::vector<TRect> rects;
    for (int i = 0; i < 300; ++i) {
        const int left = place(random), top = place(random);
        rects.push_back(Rect(left, top, left + size(random), top + size(random)));
    }
    return rects;
}

} // namespace

// Small ellipses are placed as stamps: every pixel must be the toolkit's own ellipse's, in any
// place (partly off the picture, under a clip and an origin), size and pen and brush mix.
TEST(PainterCanvasEllipses, StampedEllipsesMatchTheToolkitsPixelForPixel) {
    const std::vector<TRect> rects = RandomRects(11, 1, 14);
    const auto paint = [&](TEllipseLook look, bool stamped) {
        QImage image(64, 64, QImage::Format_RGB32);
        image.fill(Qt::white);
        if (stamped) {
            TPainterCanvas canvas(image);
            CanvasEllipses(canvas, rects, look, false);
        } else {
            QPainter painter(&image);
            ToolkitEllipses(painter, rects, look);
        }
        return image;
    };
    for (const TPenStyle pen : {psSolid, psClear})
        for (const TBrushStyle brush : {bsSolid, bsClear})
            for (const TColor penColor : {clRed, clBlue}) {
                const TEllipseLook look{pen, brush, penColor};
                EXPECT_EQ(paint(look, true), paint(look, false))
                    << pen << " " << brush << " " << penColor;
            }
}

// Many ellipses in one call, empty and upside-down rectangles among them, paint as one by one
// on every kind of target: images whose pixels the canvas writes itself (two 32-bit formats),
// an image a copy still shares (left to the toolkit, which places the stamps; the copy keeps
// its pixels) and a painter lent with its own clip region and move. Written directly, the
// stamps' pixels are those the toolkit places.
TEST(PainterCanvasEllipses, ManyInOneCallPaintAsOneByOneOnEveryTarget) {
    const std::vector<TRect> rects = RandomRects(17, -3, 12);
    const TEllipseLook look{psSolid, bsSolid, clBlue};
    enum class Target { Plain, Premultiplied, Shared, Lent };
    const auto paint = [&](Target target, bool batched) {
        QImage image(64, 64,
                     target == Target::Premultiplied ? QImage::Format_ARGB32_Premultiplied
                                                     : QImage::Format_RGB32);
        image.fill(Qt::white);
        const QImage held = target == Target::Shared ? image : QImage();
        if (target == Target::Lent) {
            QPainter painter(&image);
            painter.setClipRegion(QRegion(0, 0, 40, 64) + QRegion(0, 20, 64, 20));
            painter.translate(3, -2);
            TPainterCanvas canvas(painter);
            CanvasEllipses(canvas, rects, look, batched);
        } else {
            TPainterCanvas canvas(image);
            CanvasEllipses(canvas, rects, look, batched);
        }
        if (target == Target::Shared) {
            EXPECT_TRUE(std::all_of(held.constBits(), held.constBits() + held.sizeInBytes(),
                                    [](uchar b) { return b == 0xFF; }));
        }
        return image.convertToFormat(QImage::Format_RGB32);
    };
    for (const Target target : {Target::Plain, Target::Premultiplied, Target::Shared, Target::Lent})
        EXPECT_EQ(paint(target, true), paint(target, false)) << int(target);
    const QImage direct = paint(Target::Plain, true);
    EXPECT_EQ(direct, paint(Target::Premultiplied, true));
    EXPECT_EQ(direct, paint(Target::Shared, true));
    int coloured = 0;
    for (int y = 0; y < direct.height(); ++y)
        for (int x = 0; x < direct.width(); ++x)
            coloured += direct.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_GT(coloured, 500);
}
