#include "instruments/controls/iSwitchLever.h"

#include "InputSender.h"
#include "platform/Exception.h"
#include "platform/PropertyDefaults.h"
#include "platform/PropertyWalker.h"
#include "platform/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace {

// Notes what the live-data binding is sent, and the state stored when it is.
class RecordingLever : public TiSwitchLever {
public:
    bool OPCOutputData(const QString& PropName, const QVariant& Value) override {
        log << QStringLiteral("OPC %1=%2 stored=%3")
                   .arg(PropName, Value.toString(), Active() ? "true" : "false");
        return true;
    }

    QStringList log;
};

class TiSwitchLeverTest : public testing::Test {
protected:
    TiSwitchLeverTest() {
        lever.resize(25, 49);
        lever.OnChangeProperty = [this](QObject*, const QString& name) {
            lever.log << "OnChangeProperty " + name;
        };
        lever.OnChange = [this](QObject*) { lever.log << "OnChange"; };
        lever.OnChangeUser = [this](QObject*) { lever.log << "OnChangeUser"; };
    }

    std::vector<TCanvasRecord> Paint(TCanvasOperation operation) {
        TRecordingCanvas canvas;
        lever.iPaintToDC(0, 0, false, canvas);
        return canvas.RecordsOf(operation);
    }

    RecordingLever lever;
    InputSender input{lever};
    const TColor face = ColorToRGB(clBtnFace);
};

TEST_F(TiSwitchLeverTest, PublishesItsPropertiesInOrderWithTheirDefaults) {
    QStringList names;
    for (const QMetaProperty& p : PropertyWalker::Published(TiSwitchLever::staticMetaObject))
        names << p.name();
    const QStringList own = {"Active", "MouseControlStyle", "ShowFocusRect",   "Width",
                             "Height", "TabStop",           "BackGroundColor", "Transparent"};
    EXPECT_EQ(names.mid(names.size() - own.size()), own);
    TiSwitchLever fresh;
    for (const QString& name : own)
        EXPECT_TRUE(PropertyDefaults::IsDefault(&fresh, name)) << name.toStdString();
}

TEST_F(TiSwitchLeverTest, ProgramChangeNotifiesThenSendsTheStoredStateUnlessVetoed) {
    lever.SetActive(true);
    lever.SetActive(true);
    EXPECT_EQ(lever.log,
              QStringList({"OnChangeProperty Active", "OnChange", "OPC Active=true stored=true"}));
    lever.OnRequestEdit = [](QObject*, const QString&, bool& canEdit) { canEdit = false; };
    lever.SetActive(false);
    EXPECT_TRUE(lever.Active());
    EXPECT_EQ(lever.log.size(), 3);
}

TEST_F(TiSwitchLeverTest, NoEventSetterSilencesOnChangeAndRestoresItAfterAFailure) {
    lever.SetActiveNoEvent(true);
    EXPECT_EQ(lever.log.count("OnChange"), 0);
    lever.OnChangeProperty = [](QObject*, const QString&) { throw Exception("refused"); };
    EXPECT_THROW(lever.SetActiveNoEvent(false), Exception);
    lever.OnChangeProperty = nullptr;
    lever.SetActive(true);
    EXPECT_EQ(lever.log.count("OnChange"), 1);
}

TEST_F(TiSwitchLeverTest, MouseFlipFiresBothChangeEventsAndTheMarkerEndsWithIt) {
    input.Click({12, 40});
    EXPECT_TRUE(lever.Active());
    EXPECT_EQ(lever.log, QStringList({"OnChangeProperty Active", "OnChange", "OnChangeUser",
                                      "OPC Active=true stored=true"}));
    lever.SetActive(false);
    EXPECT_EQ(lever.log.count("OnChangeUser"), 1);
}

TEST_F(TiSwitchLeverTest, ReleaseOutsideOrTheRightButtonFlipsNothing) {
    input.Press({12, 40});
    input.Release({25, 40});
    input.Release({12, 40});
    input.Press({12, 40}, Qt::RightButton);
    input.Release({12, 40}, Qt::RightButton);
    EXPECT_FALSE(lever.Active());
    EXPECT_TRUE(lever.log.isEmpty());
}

TEST_F(TiSwitchLeverTest, ClickIndicatorAcceptsOnlyTheHalfTheLeverMovesTo) {
    lever.SetActive(true);
    lever.SetMouseControlStyle(TiSwitchLever::imcsClickIndicator);
    input.Click({12, 23});
    EXPECT_TRUE(lever.Active());
    input.Click({12, 24});
    EXPECT_FALSE(lever.Active());
    EXPECT_EQ(lever.GetIndicatorRect(), Rect(0, 0, 25, 24));
}

TEST_F(TiSwitchLeverTest, SpaceFlipsOnReleaseAndFocusLossCancelsPendingFlips) {
    input.Key(QEvent::KeyPress, Qt::Key_Space, " ");
    EXPECT_FALSE(lever.Active());
    input.Key(QEvent::KeyRelease, Qt::Key_Space, " ");
    EXPECT_TRUE(lever.Active());
    EXPECT_EQ(lever.log.count("OnChangeUser"), 1);
    input.Key(QEvent::KeyRelease, Qt::Key_Space, " "); // no press before it
    input.Key(QEvent::KeyPress, Qt::Key_Space, " ");
    input.Focus(QEvent::FocusOut);
    input.Key(QEvent::KeyRelease, Qt::Key_Space, " ");
    input.Press({12, 40});
    input.Focus(QEvent::FocusOut);
    input.Release({12, 40});
    EXPECT_TRUE(lever.Active());
}

TEST_F(TiSwitchLeverTest, LeverRunsFromTheBossToTheEndOfItsPosition) {
    const auto down = Paint(TCanvasOperation::Polygon);
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(down[0].Points, (std::vector<TPoint>{{6, 21}, {18, 21}, {23, 42}, {1, 42}}));
    EXPECT_EQ(down[0].PenColor, OffsetColor(face, 0x101010));
    EXPECT_EQ(Paint(TCanvasOperation::Rectangle).at(0).Rect, Rect(1, 42, 24, 48));
    lever.SetActive(true);
    EXPECT_EQ(Paint(TCanvasOperation::Polygon).at(0).Points,
              (std::vector<TPoint>{{6, 27}, {18, 27}, {23, 6}, {1, 6}}));
    EXPECT_EQ(Paint(TCanvasOperation::Rectangle).at(0).Rect, Rect(1, 0, 24, 6));
}

TEST_F(TiSwitchLeverTest, ShadesSaturatePerChannelOnAPaleFace) {
    const TColor previous = SetSystemColorRGB(15, RGBColor(0xF8, 0x20, 0x08));
    const TColor downLever = Paint(TCanvasOperation::Polygon).at(0).BrushColor;
    const TColor downEnd = Paint(TCanvasOperation::Rectangle).at(0).BrushColor;
    SetSystemColorRGB(15, previous);
    EXPECT_EQ(downLever, RGBColor(0xFF, 0x30, 0x18));
    EXPECT_EQ(downEnd, RGBColor(0xB8, 0x00, 0x00));
}

TEST_F(TiSwitchLeverTest, ScreenFrameShowsTheLeverOverTheCachedBossAndTheFocus) {
    EXPECT_EQ(FromQColor(lever.grab().toImage().pixelColor(12, 45)),
              OffsetColor(face, 0x404040, true));
    lever.SetActive(true);
    EXPECT_EQ(FromQColor(lever.grab().toImage().pixelColor(12, 3)), OffsetColor(face, 0x101010));
    EXPECT_TRUE(Paint(TCanvasOperation::DrawFocusRect).empty());
    input.Focus(QEvent::FocusIn);
    EXPECT_EQ(Paint(TCanvasOperation::DrawFocusRect).at(0).Rect, Rect(0, 0, 25, 49));
}

} // namespace
