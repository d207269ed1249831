#include "instruments/controls/iLabel.h"
#include "platform/Geometry.h"

#include "platform/Bitmap.h"
#include "platform/PropertyDefaults.h"
#include "platform/PropertyWalker.h"
#include "platform/RecordingCanvas.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <limits>

namespace {

class TestLabel : public TiLabel {
public:
    using TiLabel::CMDialogChar;
    using TiLabel::iPaintTo;
    using TiLabel::TiLabel;

    int repaints = 0;

protected:
    void DoRepaint() override {
        ++repaints;
        TiLabel::DoRepaint();
    }
};

} // namespace

class TiLabelTest : public testing::Test {
protected:
    // The caption's extent in the label's font, as the window system measures it.
    TSize CaptionExtent() {
        TBitmap measure;
        measure.Canvas()->SetFont(label.Font());
        return measure.Canvas()->TextExtent(label.Caption());
    }
    std::vector<TCanvasRecord> Paint(TCanvasOperation operation) {
        TRecordingCanvas canvas;
        label.iPaintTo(canvas);
        return canvas.RecordsOf(operation);
    }
    // A fixed size, so that painted geometry does not depend on the installed fonts.
    void FixSize(int width, int height) {
        label.SetAutoSize(false);
        label.resize(width, height);
    }
    void ShowWithFocusControl() {
        label.SetCaption("&Phase");
        label.SetFocusControl(edit);
        form.show();
        form.activateWindow();
    }

    // A child, as on a form: a control without a parent window reports itself hidden.
    QWidget form;
    TestLabel label{&form};
    // Holds the focus first, so that only the accelerator can move it to edit.
    QLineEdit* other = new QLineEdit(&form);
    QLineEdit* edit = new QLineEdit(&form);
};

TEST_F(TiLabelTest, PublishesItsPropertiesInDeclaredOrderAndStartsAtTheirDefaults) {
    QStringList names;
    for (const QMetaProperty& p : PropertyWalker::Published(TiLabel::staticMetaObject))
        names << p.name();
    EXPECT_EQ(names.mid(names.indexOf("Caption")),
              QStringList({"Caption", "Font", "Alignment", "AutoSize", "OuterMarginLeft",
                           "OuterMarginTop", "OuterMarginRight", "OuterMarginBottom", "BorderStyle",
                           "ShadowShow", "ShadowXOffset", "ShadowYOffset", "ShadowColor",
                           "FocusControl", "BackGroundColor", "Transparent", "Width", "Height"}));
    EXPECT_TRUE(PropertyDefaults::ValuesToStore(&label).isEmpty());
    EXPECT_EQ(label.size(), QSize(28, 13));
}

TEST_F(TiLabelTest, AutoSizeAddsMarginsBorderAndTheShadowOffsetMagnitudes) {
    label.Font()->SetHeight(-16);
    const TSize text = CaptionExtent();
    EXPECT_EQ(label.size(), QSize(text.cx, text.cy));
    label.SetOuterMarginLeft(3);
    label.SetOuterMarginBottom(6);
    label.SetBorderStyle(ilbsLowered);
    EXPECT_EQ(label.size(), QSize(text.cx + 3 + 4, text.cy + 6 + 4));
    label.SetBorderStyle(ilbsSingle);
    label.SetShadowShow(true);
    label.SetShadowXOffset(-2);
    label.SetShadowYOffset(2);
    EXPECT_EQ(label.size(), QSize(text.cx + 3 + 2 + 2, text.cy + 6 + 2 + 2));
}

TEST_F(TiLabelTest, AutoSizeWaitsWhileLoading) {
    label.SetLoading(true);
    label.SetCaption("a much longer caption");
    EXPECT_EQ(label.width(), 28);
    label.SetLoading(false);
    label.SetOuterMarginLeft(10);
    EXPECT_EQ(label.width(), CaptionExtent().cx + 10);
}

TEST_F(TiLabelTest, CaptionChangeIsAskedForAndMayBeVetoed) {
    QStringList asked;
    label.OnRequestEdit = [&](QObject*, const QString& name, bool& canEdit) {
        asked << name;
        canEdit = asked.size() > 1;
    };
    label.SetCaption("iLabel");
    label.SetCaption("vetoed");
    EXPECT_EQ(label.Caption(), "iLabel");
    label.SetCaption("gaussien");
    EXPECT_EQ(asked, QStringList({"Caption", "Caption"}));
    EXPECT_EQ(label.Caption(), "gaussien");
}

TEST_F(TiLabelTest, ForegroundPropertiesRepaintOverTheCachedBackGround) {
    label.grab();
    label.repaints = 0;
    label.SetAlignment(iahRight);
    label.SetShadowColor(clRed);
    label.SetShadowColor(clRed);
    EXPECT_EQ(label.repaints, 2);
    EXPECT_FALSE(label.BackGroundChanged());
}

TEST_F(TiLabelTest, CaptionIsDrawnInsideBorderAndMarginsWithTheAlignmentFlag) {
    FixSize(100, 30);
    label.SetBorderStyle(ilbsRaised);
    label.SetOuterMarginLeft(3);
    label.SetOuterMarginTop(1);
    label.SetOuterMarginRight(4);
    label.SetOuterMarginBottom(2);
    const std::vector<TCanvasRecord> texts = Paint(TCanvasOperation::DrawText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Rect, Rect(5, 3, 94, 26));
    EXPECT_EQ(texts[0].Format, tfLeft | tfVerticalCenter | tfSingleLine | tfNoPrefix);
    label.SetAlignment(iahCenter);
    EXPECT_EQ(Paint(TCanvasOperation::DrawText)[0].Format & (tfCenter | tfRight), tfCenter);
}

TEST_F(TiLabelTest, AmpersandMarksTheAcceleratorOnlyWithAFocusControl) {
    label.SetCaption("A&B");
    EXPECT_EQ(Paint(TCanvasOperation::DrawText)[0].Lines, std::vector<QString>{"A&B"});
    label.SetFocusControl(edit);
    EXPECT_EQ(Paint(TCanvasOperation::DrawText)[0].Lines, std::vector<QString>{"AB"});
}

TEST_F(TiLabelTest, NegativeXOffsetMovesTheCaptionInsteadOfTheShadow) {
    FixSize(60, 20);
    label.SetShadowShow(true);
    label.SetShadowXOffset(2);
    label.SetShadowYOffset(2);
    std::vector<TCanvasRecord> texts = Paint(TCanvasOperation::DrawText);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].FontColor, clGray);
    EXPECT_EQ(texts[0].Rect, Rect(2, 2, 62, 22));
    EXPECT_EQ(texts[1].FontColor, clWindowText);
    label.SetShadowXOffset(-2);
    texts = Paint(TCanvasOperation::DrawText);
    EXPECT_EQ(texts[0].Rect, Rect(0, 0, 60, 20));
    EXPECT_EQ(texts[1].Rect, Rect(2, -2, 62, 18));
}

TEST_F(TiLabelTest, BorderIsDrawnLastOverTheWholeControl) {
    FixSize(60, 20);
    label.SetBorderStyle(ilbsSingle);
    TRecordingCanvas canvas;
    label.iPaintTo(canvas);
    const TCanvasRecord& outline = canvas.Records().back();
    EXPECT_EQ(outline.Operation, TCanvasOperation::Rectangle);
    EXPECT_EQ(outline.Rect, Rect(0, 0, 60, 20));
    EXPECT_EQ(outline.PenColor, clWindowFrame);
    label.SetBorderStyle(ilbsLowered);
    EXPECT_EQ(Paint(TCanvasOperation::DrawEdge).at(0).EdgeStyle, TEdgeStyle::Sunken);
}

TEST_F(TiLabelTest, ExtremeOffsetsAndMarginsAreBoundedLikeEveryPixelSetting) {
    constexpr int Lowest = std::numeric_limits<int>::min();
    label.SetOuterMarginLeft(Lowest);
    label.SetOuterMarginRight(Lowest);
    label.SetShadowShow(true);
    label.SetShadowXOffset(Lowest);
    EXPECT_EQ(label.OuterMarginLeft(), -MaxPixelExtent);
    EXPECT_EQ(label.ShadowXOffset(), -MaxPixelExtent);
    EXPECT_EQ(label.width(), 0);
    FixSize(60, 20);
    label.SetOuterMarginLeft(0);
    EXPECT_EQ(Paint(TCanvasOperation::DrawText).at(1).Rect.Left, MaxPixelExtent);
}

TEST_F(TiLabelTest, AutoSizeStaysWithinTheLargestControlSize) {
    label.SetOuterMarginLeft(std::numeric_limits<int>::max());
    label.SetOuterMarginTop(std::numeric_limits<int>::max());
    label.SetCaption(QString(100000, 'W'));
    EXPECT_EQ(label.width(), MaxPixelExtent);
    EXPECT_EQ(label.height(), MaxPixelExtent);
}

TEST_F(TiLabelTest, AltAndTheAcceleratorKeyFocusTheControl) {
    ShowWithFocusControl();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    ASSERT_TRUE(other->hasFocus());
    QTest::keyClick(&form, Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(edit->hasFocus());
}

TEST_F(TiLabelTest, OnlyTheCaptionsAcceleratorMovesTheFocusToAFocusableControl) {
    ShowWithFocusControl();
    EXPECT_FALSE(label.CMDialogChar(QChar('h')));
    label.SetEnabled(false);
    EXPECT_FALSE(label.CMDialogChar(QChar('p')));
    label.SetEnabled(true);
    edit->setEnabled(false);
    EXPECT_FALSE(label.CMDialogChar(QChar('p')));
    edit->setEnabled(true);
    label.SetCaption("&&Phase");
    EXPECT_FALSE(label.CMDialogChar(QChar('P')));
    label.SetCaption("&&&Phase");
    EXPECT_TRUE(label.CMDialogChar(QChar('p')));
    delete edit;
    EXPECT_EQ(label.FocusControl(), nullptr);
    EXPECT_FALSE(label.CMDialogChar(QChar('P')));
}
