#include "platform/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace {

// Every character 7 pixels wide, every line 13 high.
class RecordingCanvasTest : public ::testing::Test {
protected:
    const TCanvasRecord& Last() { return canvas_.Records().back(); }

    // The top-left of each line that DrawText places.
    std::vector<TPoint> Lines(const QString& text, TRect r, TTextFormat format) {
        canvas_.DrawText(text, r, format);
        return Last().Points;
    }

    TRecordingCanvas canvas_;
};

TEST_F(RecordingCanvasTest, LogsPrimitivesWithTheColoursInEffect) {
    canvas_.Pen()->SetColor(clRed);
    canvas_.Brush()->SetColor(clBlue);
    canvas_.Font()->SetColor(clLime);
    canvas_.MoveTo(1, 2);
    canvas_.LineTo(5, 6);
    EXPECT_EQ(Last().Operation, TCanvasOperation::LineTo);
    EXPECT_EQ(Last().Points, (std::vector<TPoint>{{1, 2}, {5, 6}}));
    EXPECT_EQ(Last().PenColor, clRed);
    canvas_.Rectangle(8, 9, 3, 4);
    EXPECT_EQ(Last().Rect, Rect(3, 4, 8, 9));
    EXPECT_EQ(Last().BrushColor, clBlue);
    canvas_.TextOut(10, 20, QStringLiteral("abc"));
    EXPECT_EQ(Last().Text, "abc");
    EXPECT_EQ(Last().FontColor, clLime);
    EXPECT_EQ(canvas_.PenPos(), Point(31, 20));
    EXPECT_EQ(canvas_.TextExtent(QStringLiteral("abcd")), (TSize{28, 13}));
    EXPECT_EQ(canvas_.Count(TCanvasOperation::LineTo), 1);
    EXPECT_EQ(OperationName(TCanvasOperation::CopyRect), "CopyRect");
}

TEST_F(RecordingCanvasTest, DegenerateShapesAreNotDrawn) {
    const TPoint single[] = {{1, 1}};
    canvas_.Polyline(single);
    canvas_.FillRect(Rect(5, 5, 5, 9));
    canvas_.Ellipse(3, 3, 3, 8);
    EXPECT_TRUE(canvas_.Records().empty());
}

TEST_F(RecordingCanvasTest, AlignsSingleLinesHorizontallyAndVertically) {
    const TRect r = Rect(0, 0, 100, 41);
    EXPECT_EQ(Lines("abcd", r, tfSingleLine), (std::vector<TPoint>{{0, 0}}));
    EXPECT_EQ(Lines("abcd", r, tfCenter | tfVerticalCenter | tfSingleLine),
              (std::vector<TPoint>{{36, 14}}));
    EXPECT_EQ(Lines("abcd", r, tfRight | tfBottom | tfSingleLine), (std::vector<TPoint>{{72, 28}}));
    // Without a single line the window system ignores vertical alignment.
    EXPECT_EQ(Lines("abcd", r, tfBottom), (std::vector<TPoint>{{0, 0}}));
}

TEST_F(RecordingCanvasTest, BreaksLinesAtLineEndsAndBetweenWords) {
    EXPECT_EQ(Lines("ab\r\ncd\ref\ngh", Rect(0, 0, 100, 100), 0).size(), 4u);
    EXPECT_EQ(Lines("ab\r\ncd", Rect(0, 0, 100, 100), tfSingleLine).size(), 1u);
    EXPECT_EQ(Last().Lines, std::vector<QString>{"abcd"});

    EXPECT_EQ(Lines("one two three", Rect(0, 0, 50, 100), tfWordBreak),
              (std::vector<TPoint>{{0, 0}, {0, 13}}));
    EXPECT_EQ(Last().Lines, (std::vector<QString>{"one two", "three"}));
    // A word wider than the line stays whole.
    Lines("extraordinary x", Rect(0, 0, 20, 100), tfWordBreak);
    EXPECT_EQ(Last().Lines, (std::vector<QString>{"extraordinary", "x"}));
}

TEST_F(RecordingCanvasTest, CalcRectMeasuresWithoutDrawing) {
    TRect r = Rect(10, 20, 10, 20);
    EXPECT_EQ(canvas_.DrawText(QStringLiteral("ab\ncdef"), r, tfCalcRect | tfNoClip), 26);
    EXPECT_EQ(r, Rect(10, 20, 38, 46));
    EXPECT_TRUE(canvas_.Records().empty());

    r = Rect(0, 0, 50, 0);
    EXPECT_EQ(canvas_.DrawText(QStringLiteral("one two three"), r, tfCalcRect | tfWordBreak), 26);
    EXPECT_EQ(r, Rect(0, 0, 49, 26));

    // An empty text is one empty line.
    r = Rect(0, 0, 0, 0);
    EXPECT_EQ(canvas_.DrawText(QString(), r, tfCalcRect), 13);
}

TEST_F(RecordingCanvasTest, PrefixesUnderlineUnlessSwitchedOff) {
    Lines(QStringLiteral("&File && more"), Rect(0, 0, 200, 20), 0);
    EXPECT_EQ(Last().Lines, std::vector<QString>{"File & more"});
    Lines(QStringLiteral("&File"), Rect(0, 0, 200, 20), tfNoPrefix);
    EXPECT_EQ(Last().Lines, std::vector<QString>{"&File"});
}

TEST_F(RecordingCanvasTest, EllipsesShortenWhatDoesNotFit) {
    QString text = QStringLiteral("abcdefghij");
    TRect r = Rect(0, 0, 49, 13);
    canvas_.DrawText(text, r, tfSingleLine | tfEndEllipsis);
    EXPECT_EQ(Last().Lines, std::vector<QString>{"abcd..."});
    EXPECT_EQ(text, "abcdefghij");
    canvas_.DrawText(text, r, tfSingleLine | tfEndEllipsis | tfModifyString);
    EXPECT_EQ(text, "abcd...");

    r = Rect(0, 0, 84, 13);
    canvas_.DrawText(QStringLiteral("one two three"), r, tfSingleLine | tfWordEllipsis);
    EXPECT_EQ(Last().Lines, std::vector<QString>{"one two..."});
    r = Rect(0, 0, 98, 13);
    canvas_.DrawText(QStringLiteral("c:\\long\\path\\file.txt"), r, tfSingleLine | tfPathEllipsis);
    EXPECT_EQ(Last().Lines, std::vector<QString>{"c:...\\file.txt"});
}

TEST_F(RecordingCanvasTest, TabsExpandToEveryEighthCharacter) {
    Lines(QStringLiteral("ab\tc"), Rect(0, 0, 200, 20), tfExpandTabs);
    EXPECT_EQ(Last().Lines, std::vector<QString>{"ab      c"});
}

TEST_F(RecordingCanvasTest, ClipAndOriginDecideVisibility) {
    canvas_.SetSurfaceSize({100, 50});
    canvas_.SetWindowOrigin(Point(-20, -10));
    EXPECT_TRUE(canvas_.PtVisible(0, 0));
    EXPECT_TRUE(canvas_.PtVisible(-20, -10));
    EXPECT_FALSE(canvas_.PtVisible(80, 0));
    canvas_.SaveState();
    canvas_.IntersectClipRect(Rect(0, 0, 30, 20));
    canvas_.IntersectClipRect(Rect(10, 10, 50, 50));
    EXPECT_EQ(canvas_.ClipRect(), Rect(10, 10, 30, 20));
    EXPECT_FALSE(canvas_.PtVisible(5, 15));
    EXPECT_TRUE(canvas_.PtVisible(29, 19));
    // The clip stays on the device when the origin moves.
    canvas_.SetWindowOrigin(Point(0, 0));
    EXPECT_EQ(canvas_.ClipRect(), Rect(30, 20, 50, 30));
    canvas_.RestoreState();
    canvas_.RestoreState();
    EXPECT_EQ(canvas_.WindowOrigin(), Point(-20, -10));
    EXPECT_EQ(canvas_.ClipRect(), Rect(-20, -10, 80, 40));
}

TEST_F(RecordingCanvasTest, RestoreStateBringsBackPenBrushAndFont) {
    canvas_.Pen()->SetColor(clRed);
    canvas_.SaveState();
    canvas_.Pen()->SetColor(clBlue);
    canvas_.Brush()->SetStyle(bsClear);
    canvas_.Font()->SetName(QStringLiteral("Arial"));
    canvas_.RestoreState();
    EXPECT_EQ(canvas_.Pen()->Color(), clRed);
    EXPECT_EQ(canvas_.Brush()->Style(), bsSolid);
    EXPECT_EQ(canvas_.Font()->Name(), "MS Sans Serif");
}

} // namespace
