#include "instruments/controls/iCheckBox.h"

#include "InputSender.h"
#include "PublishedTesting.h"
#include "platform/Bitmap.h"
#include "platform/PropertyDefaults.h"
#include "platform/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace {

class RecordingCheckBox : public TiCheckBox {
public:
    RecordingCheckBox() {
        OnChangeProperty = [this](QObject*, const QString& name) { log << "Property " + name; };
        OnChange = [this](QObject*) { log << "OnChange"; };
        OnChangeUser = [this](QObject*) { log << "OnChangeUser"; };
    }
    bool OPCOutputData(const QString& PropName, const QVariant& Value) override {
        log << QStringLiteral("OPC %1=%2").arg(PropName, Value.toString());
        return false;
    }

    QStringList log;
};

class TiCheckBoxTest : public testing::Test {
protected:
    TRecordingCanvas& Paint() {
        recording.Clear();
        box.iPaintToDC(0, 0, false, recording);
        return recording;
    }

    RecordingCheckBox box;
    InputSender input{box};
    TRecordingCanvas recording;
};

TEST_F(TiCheckBoxTest, PublishesItsPropertiesInOrderWithTheirDefaults) {
    ExpectOwnPropertiesWithDefaults<TiCheckBox>({"Checked", "Caption", "Alignment", "AutoSize",
                                                 "Font", "Width", "Height", "TabStop",
                                                 "BackGroundColor"},
                                                {"Font"});
}

TEST_F(TiCheckBoxTest, BoxLeftOfTheCaptionWithTheMarkThreePixelsThick) {
    box.SetChecked(true);
    const TRecordingCanvas& canvas = Paint();
    EXPECT_EQ(canvas.RecordsOf(TCanvasOperation::DrawEdge).at(0).Rect, Rect(0, 1, 13, 14));
    EXPECT_EQ(canvas.RecordsOf(TCanvasOperation::FillRect).at(1).BrushColor, clWhite);
    const auto text = canvas.RecordsOf(TCanvasOperation::DrawText);
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0].Rect, Rect(18, 1, 67, 14));
    EXPECT_EQ(text[0].BrushStyle, bsClear);
    const auto strokes = canvas.RecordsOf(TCanvasOperation::Polyline);
    ASSERT_EQ(strokes.size(), 3u);
    EXPECT_EQ(strokes[0].Points, (std::vector<TPoint>{{3, 8}, {5, 10}, {10, 5}}));
    EXPECT_EQ(strokes[2].Points, (std::vector<TPoint>{{3, 6}, {5, 8}, {10, 3}}));
    EXPECT_EQ(strokes[2].PenColor, clBlack);
    EXPECT_TRUE(canvas.RecordsOf(TCanvasOperation::DrawFocusRect).empty());
}

TEST_F(TiCheckBoxTest, LeftCaptionPutsTheBoxAtTheRightEdge) {
    box.SetAlignment(taLeftJustify);
    box.SetChecked(true);
    const TRecordingCanvas& canvas = Paint();
    EXPECT_EQ(canvas.RecordsOf(TCanvasOperation::DrawEdge).at(0).Rect, Rect(84, 1, 97, 14));
    EXPECT_EQ(canvas.RecordsOf(TCanvasOperation::DrawText).at(0).Rect, Rect(1, 1, 50, 14));
    EXPECT_EQ(canvas.RecordsOf(TCanvasOperation::Polyline).at(0).Points.at(0), (TPoint{87, 8}));
}

TEST_F(TiCheckBoxTest, FocusFramesTheCaptionInsideTheControl) {
    input.Focus(QEvent::FocusIn);
    const auto focus = Paint().RecordsOf(TCanvasOperation::DrawFocusRect);
    ASSERT_EQ(focus.size(), 1u);
    EXPECT_EQ(focus[0].Rect, Rect(17, 0, 68, 16));
    EXPECT_EQ(focus[0].BrushColor, clBlack);
    EXPECT_EQ(focus[0].FontColor, clWhite);
}

TEST_F(TiCheckBoxTest, BoxGreysWhileHeldOrDisabled) {
    input.Press({5, 5});
    EXPECT_EQ(Paint().RecordsOf(TCanvasOperation::FillRect).at(1).BrushColor, clBtnFace);
    input.Release({5, 5});
    box.setEnabled(false);
    EXPECT_EQ(Paint().RecordsOf(TCanvasOperation::FillRect).at(1).BrushColor, clBtnFace);
}

TEST_F(TiCheckBoxTest, ClickTogglesAsTheUserAndReleaseOutsideCancels) {
    input.Click({5, 5});
    EXPECT_TRUE(box.Checked());
    EXPECT_EQ(box.log,
              QStringList({"Property Checked", "OnChange", "OnChangeUser", "OPC Checked=true"}));
    input.Press({5, 5});
    input.Release({120, 5});
    input.Press({5, 5}, Qt::RightButton);
    input.Release({5, 5}, Qt::RightButton);
    EXPECT_TRUE(box.Checked());
    box.SetChecked(false);
    EXPECT_EQ(box.log.count("OnChangeUser"), 1);
}

TEST_F(TiCheckBoxTest, SpaceTogglesOnReleaseAndFocusLossCancels) {
    input.Key(QEvent::KeyPress, Qt::Key_Space, " ");
    EXPECT_FALSE(box.Checked());
    input.Key(QEvent::KeyRelease, Qt::Key_Space, " ");
    EXPECT_TRUE(box.Checked());
    input.Key(QEvent::KeyRelease, Qt::Key_Space, " "); // no press before it
    input.Key(QEvent::KeyPress, Qt::Key_Space, " ");
    input.Key(QEvent::KeyRelease, Qt::Key_A); // every key up ends the hold
    input.Key(QEvent::KeyRelease, Qt::Key_Space, " ");
    input.Press({5, 5});
    input.Focus(QEvent::FocusOut);
    input.Release({5, 5});
    EXPECT_TRUE(box.Checked());
    EXPECT_EQ(box.log.count("OnChangeUser"), 1);
}

TEST_F(TiCheckBoxTest, VetoKeepsTheStateAndNothingIsTold) {
    box.OnRequestEdit = [](QObject*, const QString& name, bool& canEdit) {
        canEdit = name != "Checked";
    };
    input.Click({5, 5});
    EXPECT_FALSE(box.Checked());
    EXPECT_TRUE(box.log.isEmpty());
}

TEST_F(TiCheckBoxTest, AutoSizeFitsTheCaptionAndALeftCaptionKeepsTheRightEdge) {
    box.setGeometry(100, 10, 97, 17);
    box.SetAlignment(taLeftJustify);
    box.SetCaption(QStringLiteral("A much longer caption"));
    TBitmap measure;
    measure.Canvas()->SetFont(box.Font());
    const TSize text = measure.Canvas()->TextExtent(box.Caption());
    EXPECT_EQ(box.width(), text.cx + 20);
    EXPECT_EQ(box.height(), text.cy + 4);
    EXPECT_EQ(box.x() + box.width(), 197);
    box.SetAlignment(taRightJustify);
    box.SetCaption(QStringLiteral("A"));
    EXPECT_EQ(box.x(), 197 - (text.cx + 20));
    box.SetAutoSize(false);
    box.SetCaption(QStringLiteral("Another much longer caption"));
    EXPECT_EQ(box.width(), measure.Canvas()->TextWidth("A") + 20);
}

} // namespace
