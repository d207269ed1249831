#include "instruments/controls/iPhonePad.h"

#include "InputSender.h"
#include "platform/PropertyDefaults.h"
#include "platform/PropertyWalker.h"
#include "platform/RecordingCanvas.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

class TiPhonePadTest : public testing::Test {
protected:
    TiPhonePadTest() {
        pad.OnKeyClick = [this](QObject*, int keyCode, QChar aChar) {
            log << QStringLiteral("%1 %2").arg(keyCode).arg(aChar);
        };
        pad.OnMouseUp = [this](QObject*, TMouseButton, TShiftState, int, int) {
            log << "OnMouseUp";
        };
    }

    // The main window's pad: 89 x 89 with only the keys 1 to 4, captioned with their dibits.
    void MakeMainWindowPad() {
        pad.resize(89, 89);
        for (int key : {0, 5, 6, 7, 8, 9, 10, 11})
            pad.Button(key)->SetVisible(false);
        pad.SetButtonCaption4("11");
        pad.CalcRects(); // as the next paint would
    }
    QPointF At(int keyCode) const {
        const TRect r = pad.Button(keyCode)->DrawRect();
        return QPointF((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    QStringList Clicks() const { return log.filter(" "); }
    std::vector<TCanvasRecord> Paint(TCanvasOperation operation) {
        TRecordingCanvas canvas;
        pad.iPaintToDC(0, 0, false, canvas);
        return canvas.RecordsOf(operation);
    }

    TiPhonePad pad;
    InputSender input{pad};
    QStringList log;
};

TEST_F(TiPhonePadTest, PublishesItsPropertiesInOrderWithTheirDefaults) {
    QStringList names;
    for (const QMetaProperty& p : PropertyWalker::Published(TiPhonePad::staticMetaObject))
        names << p.name();
    const QStringList own = names.mid(names.indexOf("ButtonVisible0"));
    ASSERT_EQ(own.size(), 33);
    EXPECT_EQ(own.mid(11, 2), QStringList({"ButtonVisiblePound", "ButtonCaption0"}));
    EXPECT_EQ(own.mid(24),
              QStringList({"OuterMargin", "ButtonSpacing", "Font", "ShowFocusRect", "Width",
                           "Height", "BackGroundColor", "BorderStyle", "Transparent"}));
    for (const QString& name : own)
        EXPECT_TRUE(name == "Font" || PropertyDefaults::IsDefault(&pad, name))
            << name.toStdString();
}

TEST_F(TiPhonePadTest, GridIsCentredAndScaledToTheSize) {
    EXPECT_EQ(pad.Button(0)->DrawRect(), Rect(40, 106, 75, 138));
    MakeMainWindowPad();
    EXPECT_EQ(pad.Button(1)->DrawRect(), Rect(1, 1, 28, 21));
    EXPECT_EQ(pad.Button(3)->DrawRect(), Rect(61, 1, 88, 21));
    EXPECT_EQ(pad.Button(4)->DrawRect(), Rect(1, 23, 28, 43));
}

TEST_F(TiPhonePadTest, NegativeOrUndefinedMarginsCountAsZero) {
    pad.resize(90, 120);
    pad.SetOuterMargin(-1.5);
    pad.SetButtonSpacing(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(pad.OuterMargin(), 0);
    EXPECT_EQ(pad.ButtonSpacing(), 0);
    EXPECT_EQ(pad.Button(1)->DrawRect(), Rect(0, 0, 30, 30));
    EXPECT_EQ(pad.Button(11)->DrawRect(), Rect(60, 90, 90, 120));
}

TEST_F(TiPhonePadTest, EveryKeyReportsItsCodeAndCharacterWhateverItsCaption) {
    pad.SetButtonCaption4("11");
    for (int key = 0; key < TiPhonePad::ButtonCount; ++key)
        input.Click(At(key));
    EXPECT_EQ(Clicks().join(','), "0 0,1 1,2 2,3 3,4 4,5 5,6 6,7 7,8 8,9 9,10 *,11 #");
}

TEST_F(TiPhonePadTest, ClickIsReportedOnReleaseOverThePressedButtonBeforeOnMouseUp) {
    input.Press(At(4));
    EXPECT_TRUE(pad.Button(4)->MouseDown() && log.isEmpty());
    input.Release(At(4));
    EXPECT_EQ(log, QStringList({"4 4", "OnMouseUp"}));
    input.Press(At(1));
    input.Release(At(2)); // on another button: no click, and "1" pops up
    EXPECT_FALSE(pad.Button(1)->MouseDown());
    EXPECT_EQ(Clicks(), QStringList({"4 4"}));
}

TEST_F(TiPhonePadTest, HiddenOrDisabledButtonsAndOtherMouseButtonsPressNothing) {
    MakeMainWindowPad();
    pad.Button(2)->SetEnabled(false);
    input.Click({44, 78}); // the cell of the hidden "0"
    input.Click(At(2));
    input.Press(At(1), Qt::RightButton);
    EXPECT_FALSE(pad.Button(1)->MouseDown());
    input.Release(At(1), Qt::RightButton);
    EXPECT_TRUE(Clicks().isEmpty());
}

TEST_F(TiPhonePadTest, HitTestingFollowsANewSizeBeforeItIsPainted) {
    pad.resize(300, 300);
    input.Click({38, 20}); // inside "1" of the new size, between "1" and "2" of the old one
    EXPECT_EQ(Clicks(), QStringList({"1 1"}));
}

// With no margin the grid starts at the client origin, where the focus loss releases the
// mouse: the pressed button must pop up without clicking.
TEST_F(TiPhonePadTest, FocusLossPopsThePressedButtonUpWithoutAClick) {
    pad.resize(90, 120);
    pad.SetOuterMargin(0);
    pad.SetButtonSpacing(0);
    input.Press(At(1));
    input.Focus(QEvent::FocusOut);
    EXPECT_FALSE(pad.Button(1)->MouseDown());
    input.Release(At(1));
    EXPECT_TRUE(Clicks().isEmpty());
}

TEST_F(TiPhonePadTest, VisibleButtonsAreFilledEdgedAndCaptionedInTheirRectangles) {
    MakeMainWindowPad();
    input.Press(At(2));
    const auto faces = Paint(TCanvasOperation::Rectangle);
    ASSERT_EQ(faces.size(), 4u);
    EXPECT_EQ(faces[3].Rect, Rect(1, 23, 28, 43));
    EXPECT_EQ(faces[3].BrushColor, clBtnFace);
    const auto edges = Paint(TCanvasOperation::DrawEdge);
    ASSERT_EQ(edges.size(), 4u);
    EXPECT_EQ(edges[1].Rect, Rect(31, 1, 58, 21));
    EXPECT_EQ(edges[1].EdgeStyle, TEdgeStyle::Sunken);
    EXPECT_EQ(edges[2].EdgeStyle, TEdgeStyle::Raised);
    const auto captions = Paint(TCanvasOperation::DrawText);
    ASSERT_EQ(captions.size(), 4u);
    EXPECT_EQ(captions[3].Rect, Rect(1, 23, 28, 43));
    EXPECT_EQ(captions[3].Lines, std::vector<QString>{"11"});
}

TEST_F(TiPhonePadTest, FontIsCopiedIntoEveryButtonCaption) {
    TFont font;
    font.SetName("Arial");
    font.SetSize(14);
    pad.SetFont(&font);
    font.SetSize(20); // a copy, not the caller's object
    for (int key = 0; key < TiPhonePad::ButtonCount; ++key) {
        EXPECT_EQ(pad.Button(key)->Font()->Name(), "Arial");
        EXPECT_EQ(pad.Button(key)->Font()->Size(), 14);
    }
    EXPECT_EQ(Paint(TCanvasOperation::DrawText).at(0).FontHeight, pad.Font()->Height());
}

TEST_F(TiPhonePadTest, FocusFrameIsInsetByThreeInsideABorder) {
    input.Focus(QEvent::FocusIn);
    EXPECT_EQ(Paint(TCanvasOperation::DrawFocusRect).at(0).Rect, Rect(0, 0, 115, 140));
    pad.SetBorderStyle(ibsLowered);
    EXPECT_EQ(Paint(TCanvasOperation::DrawFocusRect).at(0).Rect, Rect(3, 3, 112, 137));
    pad.SetShowFocusRect(false);
    EXPECT_TRUE(Paint(TCanvasOperation::DrawFocusRect).empty());
}

} // namespace
