#include "instruments/controls/iRadioGroup.h"

#include "InputSender.h"
#include "PublishedTesting.h"
#include "platform/PropertyDefaults.h"
#include "platform/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace {

class TiRadioGroupTest : public testing::Test {
protected:
    TiRadioGroupTest() {
        group.resize(200, 100);
        group.SetItems({"Item 0", "Item 1", "Item 2", "Item 3", "Item 4", "Item 5", "Item 6"});
        group.SetColumns(3);
        group.OnChangeProperty = [this](QObject*, const QString& name) {
            log << "Property " + name;
        };
        group.OnChange = [this](QObject*) { log << "OnChange"; };
        group.OnChangeUser = [this](QObject*) { log << "OnChangeUser"; };
    }

    // Painted with fixed metrics (7 x 13 per character): three rows 28 apart from y 27,
    // columns 62 wide from x 14.
    TRecordingCanvas& Paint() {
        recording.Clear();
        group.iPaintToDC(0, 0, false, recording);
        return recording;
    }

    TiRadioGroup group;
    InputSender input{group};
    TRecordingCanvas recording;
    QStringList log;
};

TEST_F(TiRadioGroupTest, PublishesItsPropertiesInOrderWithTheirDefaults) {
    ExpectOwnPropertiesWithDefaults<TiRadioGroup>({"Items", "ItemIndex", "Columns", "Caption",
                                                   "Font", "Width", "Height", "TabStop",
                                                   "BackGroundColor"},
                                                  {"Font", "ItemIndex"});
    TiRadioGroup fresh;
    EXPECT_FALSE(PropertyDefaults::Declared(&fresh, "ItemIndex").has_value());
    EXPECT_EQ(fresh.ItemIndex(), 0);
}

TEST_F(TiRadioGroupTest, EtchedFrameRunsThroughTheMiddleOfTheCaption) {
    const TRecordingCanvas& canvas = Paint();
    const auto lines = canvas.RecordsOf(TCanvasOperation::Polyline);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{1, 7}, {198, 7}}));
    EXPECT_EQ(lines[0].PenColor, clBtnHighlight);
    EXPECT_EQ(lines[2].Points, (std::vector<TPoint>{{0, 6}, {198, 6}, {198, 98}, {0, 98}, {0, 6}}));
    EXPECT_EQ(lines[2].PenColor, clBtnShadow);
    EXPECT_EQ(lines[4].Points, (std::vector<TPoint>{{199, 99}, {0, 99}}));
    const auto caption = canvas.RecordsOf(TCanvasOperation::DrawText).at(0);
    EXPECT_EQ(caption.Rect, Rect(7, 0, 84, 13));
    EXPECT_EQ(caption.Lines.at(0), "Radio Group");
}

TEST_F(TiRadioGroupTest, SevenItemsInThreeColumnsFillColumnsTopToBottom) {
    const TRecordingCanvas& canvas = Paint();
    const auto faces = canvas.RecordsOf(TCanvasOperation::Rectangle);
    ASSERT_EQ(faces.size(), 7u);
    EXPECT_EQ(faces[0].Rect, Rect(11, 23, 19, 31));
    EXPECT_EQ(faces[2].Rect, Rect(11, 79, 19, 87));
    EXPECT_EQ(faces[3].Rect, Rect(73, 23, 81, 31)); // item 3 heads the second column
    EXPECT_EQ(faces[6].Rect, Rect(135, 23, 143, 31));
    EXPECT_EQ(faces[0].BrushColor, clWhite);
    const auto texts = canvas.RecordsOf(TCanvasOperation::DrawText);
    EXPECT_EQ(texts.at(4).Rect, Rect(88, 21, 130, 33));
    // The frame's five lines first, then 29 rim segments per item, darkest first.
    const auto lines = canvas.RecordsOf(TCanvasOperation::Polyline);
    ASSERT_EQ(lines.size(), 5u + 7u * 29u);
    EXPECT_EQ(lines[5].Points, (std::vector<TPoint>{{10, 25}, {10, 29}}));
    EXPECT_EQ(lines[5].PenColor, cl3DDkShadow);
    EXPECT_EQ(lines[5 + 28].Points, (std::vector<TPoint>{{11, 31}, {13, 31}}));
    EXPECT_EQ(lines[5 + 28].PenColor, clBtnHighlight);
    const auto dot = canvas.RecordsOf(TCanvasOperation::Ellipse);
    ASSERT_EQ(dot.size(), 1u);
    EXPECT_EQ(dot[0].Rect, Rect(13, 25, 17, 29));
    EXPECT_EQ(dot[0].BrushColor, clBlack);
}

TEST_F(TiRadioGroupTest, FocusFramesTheChosenItemOrTheOneHeldDown) {
    group.SetItemIndex(3);
    input.Focus(QEvent::FocusIn);
    EXPECT_EQ(Paint().RecordsOf(TCanvasOperation::DrawFocusRect).at(0).Rect, Rect(87, 20, 131, 36));
    input.Press({14, 55});
    const TRecordingCanvas& held = Paint();
    EXPECT_EQ(held.RecordsOf(TCanvasOperation::DrawFocusRect).at(0).Rect.Top, 48);
    EXPECT_EQ(held.RecordsOf(TCanvasOperation::Rectangle).at(1).BrushColor, clBtnFace);
}

TEST_F(TiRadioGroupTest, ClickChoosesTheItemUnderThePointerAsTheUser) {
    Paint();
    input.Click({80, 27});
    EXPECT_EQ(group.ItemIndex(), 3);
    EXPECT_EQ(log, QStringList({"Property ItemIndex", "OnChange", "OnChangeUser"}));
    input.Press({14, 83});
    input.Move({14, 27});
    input.Release({14, 27}); // the item held when released
    EXPECT_EQ(group.ItemIndex(), 0);
    input.Press({14, 83});
    input.Release({80, 83}); // released over another item
    EXPECT_EQ(group.ItemIndex(), 0);
}

TEST_F(TiRadioGroupTest, PressesOffTheGridChooseNothing) {
    input.Click({14, 27}); // before the first paint there is no grid
    EXPECT_EQ(group.GetMouseItemIndex(14, 27), -1);
    Paint();
    EXPECT_EQ(group.GetMouseItemIndex(140, 55), -1); // below the last item of column 3
    EXPECT_EQ(group.GetMouseItemIndex(14, 99), -1);  // below the last row
    EXPECT_EQ(group.GetMouseItemIndex(14, 0), -1);   // above the first
    EXPECT_EQ(group.GetMouseItemIndex(190, 27), 6);
    group.SetItemIndex(5);
    log.clear();
    input.Click({140, 55});
    EXPECT_EQ(group.ItemIndex(), 5);
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(TiRadioGroupTest, GridWithoutExtentChoosesNothing) {
    group.resize(97, 17); // a row pitch of 0
    Paint();
    EXPECT_EQ(group.GetMouseItemIndex(14, 10), -1);
    group.resize(16, 100); // columns of no width
    Paint();
    EXPECT_EQ(group.GetMouseItemIndex(14, 27), -1);
    group.resize(200, 100);
    EXPECT_EQ(group.GetMouseItemIndex(14, 27), -1); // the grid of another size is gone
}

TEST_F(TiRadioGroupTest, ArrowKeysWrapAndAreNotTheUsersChange) {
    group.SetItemIndex(6);
    log.clear();
    input.Key(QEvent::KeyPress, Qt::Key_Right);
    EXPECT_EQ(group.ItemIndex(), 0);
    input.Key(QEvent::KeyPress, Qt::Key_Up);
    EXPECT_EQ(group.ItemIndex(), 6);
    EXPECT_EQ(log.count("OnChange"), 2);
    EXPECT_EQ(log.count("OnChangeUser"), 0);
    group.SetItemIndex(-1);
    input.Key(QEvent::KeyPress, Qt::Key_Left);
    EXPECT_EQ(group.ItemIndex(), -1);
    input.Key(QEvent::KeyPress, Qt::Key_Down);
    EXPECT_EQ(group.ItemIndex(), 0);
}

TEST_F(TiRadioGroupTest, ItemsAndIndexStayInsideEachOther) {
    group.SetItemIndex(5);
    log.clear();
    group.SetItems({"a", "b"});
    EXPECT_EQ(group.ItemIndex(), 1);
    EXPECT_TRUE(log.isEmpty());
    group.SetItemIndex(9);
    EXPECT_EQ(group.ItemIndex(), 1);
    group.SetItemIndex(-7);
    EXPECT_EQ(group.ItemIndex(), -1);
    group.SetColumns(0);
    group.SetColumns(-3);
    EXPECT_EQ(group.Columns(), 3);
}

TEST_F(TiRadioGroupTest, IndexLoadedBeforeItsItemsIsKept) {
    TiRadioGroup loaded;
    loaded.SetLoading(true);
    loaded.SetItemIndex(2);
    loaded.SetItems({"a", "b", "c"});
    loaded.SetLoading(false);
    loaded.Loaded();
    EXPECT_EQ(loaded.ItemIndex(), 2);
    loaded.SetLoading(true);
    loaded.SetItemIndex(40);
    loaded.SetLoading(false);
    loaded.Loaded();
    EXPECT_EQ(loaded.ItemIndex(), 2);
}

} // namespace
