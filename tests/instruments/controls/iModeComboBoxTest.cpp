#include "instruments/controls/iModeComboBox.h"

#include "../framework/RaisedMessage.h"
#include "InputSender.h"
#include "PublishedTesting.h"
#include "platform/Bitmap.h"
#include "platform/PropertyDefaults.h"
#include "platform/PropertyWalker.h"
#include "platform/RecordingCanvas.h"

#include <QWindow>
#include <gtest/gtest.h>

namespace {

// Logs the events and what the live-data binding is sent; sendsToServer makes the binding
// take the value, as an active item bound to "Value" does.
class RecordingComboBox : public TiModeComboBox {
public:
    RecordingComboBox() {
        AddItem("Off", 0);
        AddItem("Auto", 1);
        AddItem("Manual", 5);
        OnChangeProperty = [this](QObject*, const QString& name) { log << "Property " + name; };
        OnChange = [this](QObject*) { log << "OnChange"; };
        OnChangeUser = [this](QObject*) { log << "OnChangeUser"; };
        OnBeforeChange = [this](QObject*, int oldValue, int& newValue, bool&) {
            log << QStringLiteral("OnBeforeChange %1->%2").arg(oldValue).arg(newValue);
        };
        OnBeforeUserChange = [this](QObject*, int oldValue, int& newValue, bool&) {
            log << QStringLiteral("OnBeforeUserChange %1->%2").arg(oldValue).arg(newValue);
        };
    }
    bool OPCOutputData(const QString& PropName, const QVariant& Value) override {
        log << QStringLiteral("OPC %1=%2").arg(PropName, Value.toString());
        return sendsToServer;
    }

    QStringList log;
    bool sendsToServer = false;
};

class TiModeComboBoxTest : public testing::Test {
protected:
    TRecordingCanvas& Paint() {
        recording.Clear();
        combo.iPaintToDC(0, 0, false, recording);
        return recording;
    }
    // Opens the list with a click on the control, as the user does.
    TiModeComboBoxDisplay& OpenList() {
        input.Click({60, 10});
        TiModeComboBoxDisplay* list = combo.DropDownList();
        EXPECT_TRUE(list && list->Showing());
        return *list;
    }
    void VetoEveryChange() {
        combo.OnBeforeChange = [](QObject*, int, int&, bool& canChange) { canChange = false; };
    }

    RecordingComboBox combo;
    InputSender input{combo};
    TRecordingCanvas recording;
};

TEST_F(TiModeComboBoxTest, PublishesItsPropertiesInOrderWithTheirDefaults) {
    ExpectOwnPropertiesWithDefaults<TiModeComboBox>(
        {"Items", "ItemIndex", "Value", "Color", "Font", "AutoSize", "ErrorActive", "ErrorText",
         "ErrorFont", "ErrorBackGroundColor", "Width", "Height", "TabStop"},
        {"Font", "ErrorFont", "ItemIndex"});
    TiModeComboBox fresh;
    EXPECT_TRUE(PropertyDefaults::IsDefault(&fresh, "Font.Style"));
    EXPECT_TRUE(PropertyDefaults::IsDefault(&fresh, "ErrorFont.Color"));
    EXPECT_EQ(fresh.ItemIndex(), -1);
    EXPECT_EQ(fresh.BorderStyle(), ibsLowered);
}

TEST_F(TiModeComboBoxTest, ValueChoosesTheFirstItemHoldingIt) {
    combo.SetValue(5);
    EXPECT_EQ(combo.ItemIndex(), 2);
    EXPECT_EQ(combo.log,
              QStringList({"OnBeforeChange -1->5", "OPC Value=5", "Property Value", "OnChange"}));
    combo.SetValue(7);
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(combo.GetValue(), -1);
    combo.SetValueNoEvent(1);
    EXPECT_EQ(combo.ItemIndex(), 1);
    EXPECT_EQ(combo.log.count("OnChange"), 2);
}

TEST_F(TiModeComboBoxTest, ItemsAreStoredAsCaptionValuePairs) {
    EXPECT_EQ(combo.ItemsList(), QStringList({"Off", "0", "Auto", "1", "Manual", "5"}));
    EXPECT_EQ(PropertyWalker::Read(&combo, "Items").toStringList(), combo.ItemsList());
    TiModeComboBox read;
    read.SetItemsList(combo.ItemsList());
    EXPECT_EQ(read.GetItemCount(), 3);
    EXPECT_EQ(read.GetItemValue(2), 5);
    read.SetItemsList({"A", "x"});
    read.SetItemsList({"A", "1", "B"});
    EXPECT_EQ(read.GetItemCaption(0), "Off"); // both refused
    read.SetItemsList({"Only", "3"});
    EXPECT_EQ(read.ItemsList(), QStringList({"Only", "3"}));
    EXPECT_EQ(RaisedMessage([&] { read.GetItemCaption(1); }), "List index out of bounds (1)");
    EXPECT_EQ(RaisedMessage([&] { read.SetItemValue(-1, 0); }), "List index out of bounds (-1)");
}

TEST_F(TiModeComboBoxTest, ChoiceInTheListIsTheUsersChange) {
    TiModeComboBoxDisplay& list = OpenList();
    InputSender listInput{list};
    listInput.Move({5, 20});
    EXPECT_EQ(list.ItemIndex(), 1);
    listInput.Press({5, 20});
    EXPECT_FALSE(list.Showing());
    EXPECT_EQ(combo.ItemIndex(), 1);
    EXPECT_EQ(combo.log,
              QStringList({"OnBeforeUserChange -1->1", "OnBeforeChange -1->1", "OPC Value=1",
                           "Property Value", "OnChange", "OnChangeUser"}));
}

TEST_F(TiModeComboBoxTest, VetoedChoiceSnapsBackWithoutOnChange) {
    combo.SetItemIndex(0);
    VetoEveryChange();
    combo.log.clear();
    TiModeComboBoxDisplay& list = OpenList();
    InputSender listInput{list};
    listInput.Key(QEvent::KeyPress, Qt::Key_End);
    listInput.Key(QEvent::KeyPress, Qt::Key_Return);
    EXPECT_EQ(combo.ItemIndex(), 0);
    EXPECT_EQ(list.ItemIndex(), 0);
    EXPECT_EQ(combo.log.count("OnChange"), 0);
}

TEST_F(TiModeComboBoxTest, ValueSentToTheServerShowsOnlyWhenItComesBack) {
    combo.SetItemIndex(0);
    combo.sendsToServer = true;
    combo.log.clear();
    combo.SetItemIndex(2);
    EXPECT_EQ(combo.log.filter("OPC"), QStringList({"OPC Value=5"}));
    EXPECT_EQ(combo.ItemIndex(), 0);
    EXPECT_EQ(combo.log.count("OnChange"), 0);
}

TEST_F(TiModeComboBoxTest, ClearingTheSelectionRemembersWhereItCameFrom) {
    combo.SetItemIndex(1);
    combo.SetItemIndex(2);
    VetoEveryChange();
    combo.SetItemIndex(-1);
    EXPECT_EQ(combo.ItemIndex(), 2); // not the stale index 1
    combo.OnBeforeChange = [&](QObject*, int oldValue, int&, bool&) {
        combo.log << QStringLiteral("old %1").arg(oldValue);
    };
    combo.SetItemIndex(-1);
    EXPECT_EQ(combo.log.last(), "OnChange");
    EXPECT_TRUE(combo.log.contains("old 5"));
}

TEST_F(TiModeComboBoxTest, RemoveAllItemsClearsTheSelectionPastAnyVeto) {
    combo.SetItemIndex(2);
    VetoEveryChange();
    combo.OnRequestEdit = [](QObject*, const QString&, bool& canEdit) { canEdit = false; };
    combo.log.clear();
    combo.RemoveAllItems();
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(combo.GetItemCount(), 0);
    EXPECT_EQ(combo.log, QStringList({"Property Value", "OnChange"}));
}

TEST_F(TiModeComboBoxTest, HandlersNewValueIsSentAndReportedAsTheOldOneNextTime) {
    combo.OnBeforeChange = [](QObject*, int, int& newValue, bool&) { newValue = 42; };
    combo.SetItemIndex(1);
    EXPECT_EQ(combo.ItemIndex(), 1);
    EXPECT_TRUE(combo.log.contains("OPC Value=42"));
    combo.OnBeforeChange = [&](QObject*, int oldValue, int&, bool&) {
        combo.log << QStringLiteral("old %1").arg(oldValue);
    };
    combo.SetItemIndex(2);
    EXPECT_TRUE(combo.log.contains("old 1")); // the item's value, taken at the change
}

TEST_F(TiModeComboBoxTest, PressOnTheListWithNothingHighlightedChoosesNothing) {
    combo.SetItemIndex(2);
    combo.log.clear();
    TiModeComboBoxDisplay& list = OpenList();
    list.SetItemIndex(-1);
    InputSender listInput{list};
    listInput.Press({0, 0});
    EXPECT_EQ(combo.ItemIndex(), 2);
    EXPECT_TRUE(combo.log.isEmpty());
    listInput.Press({-5, 5}); // outside closes
    EXPECT_FALSE(list.Showing());
    EXPECT_EQ(combo.ItemIndex(), 2);
}

TEST_F(TiModeComboBoxTest, ListOpensBelowOrAboveAndStaysOnTheScreen) {
    const QRect screen(0, 0, 800, 600);
    const QSize list(145, 41);
    EXPECT_EQ(TiModeComboBox::DropDownPosition({100, 100, 145, 21}, list, screen),
              QPoint(100, 121));
    EXPECT_EQ(TiModeComboBox::DropDownPosition({100, 570, 145, 21}, list, screen),
              QPoint(100, 529));
    EXPECT_EQ(TiModeComboBox::DropDownPosition({700, 100, 145, 21}, list, screen),
              QPoint(700, 121));
    EXPECT_EQ(TiModeComboBox::DropDownPosition({700, 100, 80, 21}, list, screen), QPoint(635, 121));
    // Too tall for either side: kept inside the top.
    EXPECT_EQ(TiModeComboBox::DropDownPosition({100, 20, 145, 21}, {145, 590}, screen),
              QPoint(100, 0));
    EXPECT_EQ(TiModeComboBox::DropDownPosition({-50, 100, 20, 21}, {900, 41}, screen),
              QPoint(0, 121));
}

TEST_F(TiModeComboBoxTest, ListStandsAboveTheWindowOfTheControl) {
    QWidget window;
    auto* child = new TiModeComboBox(&window);
    child->AddItem("Off", 0);
    window.show();
    InputSender{*child}.Click({60, 10});
    TiModeComboBoxDisplay* list = child->DropDownList();
    ASSERT_TRUE(list && list->Showing());
    ASSERT_NE(list->windowHandle(), nullptr);
    EXPECT_EQ(list->windowHandle()->transientParent(), window.windowHandle());
    EXPECT_EQ(list->pos(), child->mapToGlobal(QPoint(0, child->height())));
}

TEST_F(TiModeComboBoxTest, KeysOnTheClosedControlAreNotTheUsersChange) {
    combo.log.clear();
    input.Key(QEvent::KeyPress, Qt::Key_End);
    EXPECT_EQ(combo.ItemIndex(), 2);
    EXPECT_EQ(combo.log.count("OnChange"), 1);
    EXPECT_EQ(combo.log.count("OnChangeUser"), 0);
    input.Key(QEvent::KeyPress, Qt::Key_Down);
    EXPECT_EQ(combo.ItemIndex(), 2);
    input.Key(QEvent::KeyPress, Qt::Key_Up);
    input.Key(QEvent::KeyPress, Qt::Key_Left);
    EXPECT_EQ(combo.ItemIndex(), 0);
    input.Key(QEvent::KeyPress, Qt::Key_Up);
    EXPECT_EQ(combo.ItemIndex(), 0);
    input.Key(QEvent::KeyPress, Qt::Key_Right);
    input.Key(QEvent::KeyPress, Qt::Key_Home);
    EXPECT_EQ(combo.ItemIndex(), 0);
}

TEST_F(TiModeComboBoxTest, ErrorStateShowsItsTextAndIgnoresInput) {
    combo.SetItemIndex(1);
    combo.SetErrorActive(true);
    combo.SetErrorText("No server");
    input.Key(QEvent::KeyPress, Qt::Key_End);
    input.Click({60, 10});
    EXPECT_EQ(combo.ItemIndex(), 1);
    EXPECT_TRUE(!combo.DropDownList() || !combo.DropDownList()->Showing());
    const TRecordingCanvas& canvas = Paint();
    EXPECT_EQ(canvas.RecordsOf(TCanvasOperation::FillRect).at(0).BrushColor, clBlack);
    const auto text = canvas.RecordsOf(TCanvasOperation::DrawText).at(0);
    EXPECT_EQ(text.Lines.at(0), "No server");
    EXPECT_EQ(text.FontColor, clRed);
}

TEST_F(TiModeComboBoxTest, CaptionSitsLeftOfTheButtonAndTheFocusSelectsIt) {
    combo.SetItemIndex(2);
    const TRecordingCanvas& canvas = Paint();
    const auto text = canvas.RecordsOf(TCanvasOperation::DrawText).at(0);
    EXPECT_EQ(text.Rect, Rect(4, 4, 125, 17));
    EXPECT_EQ(text.Lines.at(0), "Manual");
    EXPECT_EQ(canvas.RecordsOf(TCanvasOperation::DrawEdge).back().Rect, Rect(127, 2, 143, 19));
    EXPECT_EQ(canvas.RecordsOf(TCanvasOperation::Polygon).at(0).Points,
              (std::vector<TPoint>{{131, 8}, {137, 8}, {134, 11}}));
    input.Focus(QEvent::FocusIn);
    Paint();
    EXPECT_EQ(canvas.RecordsOf(TCanvasOperation::DrawFocusRect).at(0).Rect, Rect(3, 3, 126, 18));
    EXPECT_EQ(canvas.RecordsOf(TCanvasOperation::DrawText).at(0).FontColor, clHighlightText);
    input.Press({60, 10}); // the open list takes over the selection look
    Paint();
    EXPECT_TRUE(canvas.RecordsOf(TCanvasOperation::DrawFocusRect).empty());
    EXPECT_EQ(canvas.RecordsOf(TCanvasOperation::Rectangle).at(0).PenColor, clBtnShadow);
}

TEST_F(TiModeComboBoxTest, ListRowsAreOneTextHeightWithTheHighlightFilled) {
    TiModeComboBoxDisplay list;
    list.SetCaptions({"Off", "Auto", "Manual"});
    list.SetMinWidth(20);
    TRecordingCanvas measure;
    list.Measure(measure);
    EXPECT_EQ(list.ItemHeight(), 13);
    EXPECT_EQ(list.WantedWidth(), 48);
    EXPECT_EQ(list.WantedHeight(), 41);
    list.resize(list.WantedWidth(), list.WantedHeight());
    list.SetItemIndex(1);
    TRecordingCanvas canvas;
    list.iPaintToDC(0, 0, false, canvas);
    EXPECT_EQ(canvas.RecordsOf(TCanvasOperation::Rectangle).at(0).Rect, Rect(0, 0, 48, 41));
    EXPECT_EQ(canvas.RecordsOf(TCanvasOperation::FillRect).at(0).Rect, Rect(1, 14, 47, 27));
    const auto texts = canvas.RecordsOf(TCanvasOperation::TextOut);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1].Points.at(0), (TPoint{3, 14}));
    EXPECT_EQ(texts[1].FontColor, clHighlightText);
    EXPECT_EQ(texts[2].BrushStyle, bsClear);
    EXPECT_EQ(list.ItemAt(5, 39), 2);
    EXPECT_EQ(list.ItemAt(5, 40), -1);
}

TEST_F(TiModeComboBoxTest, ListKeysMoveTheHighlightAndEscapeCloses) {
    TiModeComboBoxDisplay& list = OpenList();
    InputSender listInput{list};
    listInput.Key(QEvent::KeyPress, Qt::Key_Up); // nothing before "none"
    EXPECT_EQ(list.ItemIndex(), -1);
    listInput.Key(QEvent::KeyPress, Qt::Key_Down);
    listInput.Key(QEvent::KeyPress, Qt::Key_Down);
    listInput.Key(QEvent::KeyPress, Qt::Key_Down);
    listInput.Key(QEvent::KeyPress, Qt::Key_Down);
    EXPECT_EQ(list.ItemIndex(), 2);
    listInput.Key(QEvent::KeyPress, Qt::Key_Home);
    EXPECT_EQ(list.ItemIndex(), 0);
    listInput.Key(QEvent::KeyPress, Qt::Key_Escape);
    EXPECT_FALSE(list.Showing());
    EXPECT_EQ(combo.ItemIndex(), -1);
}

TEST_F(TiModeComboBoxTest, AutoSizeFitsTheFontOnAParent) {
    QWidget parent;
    TiModeComboBox child(&parent);
    TFont big;
    big.SetHeight(-30);
    child.SetFont(&big);
    TBitmap measure;
    measure.Canvas()->SetFont(child.Font());
    EXPECT_EQ(child.height(), measure.Canvas()->TextHeight("ABC") + 8);
    combo.SetFont(&big); // no parent: left alone
    EXPECT_EQ(combo.height(), 21);
}

TEST_F(TiModeComboBoxTest, IndexLoadedBeforeItsItemsIsKeptAndTellsNoOne) {
    TiModeComboBox loaded;
    int changes = 0;
    loaded.OnChange = [&](QObject*) { ++changes; };
    loaded.SetLoading(true);
    loaded.SetItemIndex(2);
    loaded.SetItemsList({"Off", "0", "Auto", "1", "Manual", "5"});
    loaded.SetValue(0); // a stored Value waits for the index
    loaded.SetLoading(false);
    loaded.Loaded();
    EXPECT_EQ(loaded.ItemIndex(), 2);
    EXPECT_EQ(loaded.GetValue(), 5);
    EXPECT_EQ(changes, 0);
}

TEST_F(TiModeComboBoxTest, ListLosingTheFocusHidesWithoutChoosing) {
    TiModeComboBoxDisplay& list = OpenList();
    list.SetItemIndex(1);
    InputSender{list}.Focus(QEvent::FocusOut);
    EXPECT_FALSE(list.Showing());
    EXPECT_EQ(combo.ItemIndex(), -1);
}

} // namespace
