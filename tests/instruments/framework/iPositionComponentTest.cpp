#include "instruments/framework/iPositionComponent.h"
#include "instruments/framework/iFormLoading.h"
#include "platform/Exception.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <limits>
#include <utility>

namespace {

// Logs every position event by name, and the live-data output, in the order they come.
class LoggingPositionComponent : public TiPositionComponent {
public:
    explicit LoggingPositionComponent(QWidget* parent = nullptr) : TiPositionComponent(parent) {
        const auto log = [this](const char* name) {
            return [this, name](QObject* sender) {
                EXPECT_EQ(sender, this);
                events << name;
            };
        };
        OnPositionChange = log("Change");
        OnCurrentMaxChange = log("CurrentMax");
        OnCurrentMinChange = log("CurrentMin");
        OnPositionChangeFinished = log("Finished");
        OnPositionOverMax = log("OverMax");
        OnPositionUnderMin = log("UnderMin");
        OnPositionChangeUser = log("User");
        OnPositionOverLimit = [this](QObject*, int index) {
            events << QString("OverLimit%1").arg(index);
        };
        OnPositionUnderLimit = [this](QObject*, int index) {
            events << QString("UnderLimit%1").arg(index);
        };
    }

    // As an instrument moves the position on the user's behalf.
    void UserSetsPosition(double value) {
        TiUserPositionChange user(*this);
        SetPosition(value);
    }
    using TiPositionComponent::PositionChangedSinceFinished;

    QStringList events;

protected:
    void iPaintTo(TCanvas&) override {}
    void DoOPCPositionChangeFinished() override { events << "OPC"; }
};

} // namespace

class TiPositionComponentTest : public testing::Test {
protected:
    QStringList TakeEvents() { return std::exchange(component.events, {}); }

    LoggingPositionComponent component;
};

TEST_F(TiPositionComponentTest, PositionIsClampedAndTheExtremesFollowItUnlessFixed) {
    component.SetPosition(150);
    EXPECT_EQ(component.Position(), 100);
    EXPECT_EQ(component.CurrentMax(), 100);
    EXPECT_EQ(TakeEvents(), QStringList({"CurrentMax", "OPC", "Change"}));
    component.SetPosition(100);
    EXPECT_TRUE(TakeEvents().isEmpty());

    component.SetMinMaxFixed(true);
    component.SetPosition(-5);
    EXPECT_EQ(component.Position(), 0);
    EXPECT_EQ(component.CurrentMin(), 0);
    EXPECT_EQ(TakeEvents(), QStringList({"OPC", "Change"}));
    component.SetPosition(40);
    component.ResetMinMax();
    EXPECT_EQ(component.CurrentMax(), 40);
    EXPECT_EQ(component.CurrentMin(), 40);
}

TEST_F(TiPositionComponentTest, FixedExtremesReportPositionsBeyondThem) {
    component.SetCurrentMax(20);
    component.SetCurrentMin(10);
    TakeEvents();
    component.SetMinMaxFixed(true);
    component.SetPosition(25);
    EXPECT_EQ(TakeEvents(), QStringList({"OverMax", "OPC", "Change"}));
    component.SetPosition(5);
    EXPECT_EQ(TakeEvents(), QStringList({"UnderMin", "OPC", "Change"}));

    component.SetMinMaxFixed(false);
    component.SetPosition(30);
    EXPECT_EQ(component.CurrentMax(), 30);
    EXPECT_EQ(TakeEvents(), QStringList({"CurrentMax", "OPC", "Change"}));
}

TEST_F(TiPositionComponentTest, ShrinkingTheRangeMovesPositionAndExtremesInside) {
    component.SetPosition(80);
    TakeEvents();
    component.SetPositionMax(50);
    EXPECT_EQ(component.Position(), 50);
    EXPECT_EQ(component.CurrentMax(), 50);
    EXPECT_EQ(TakeEvents(), QStringList({"OPC", "Change"}));
}

TEST_F(TiPositionComponentTest, AReversedRangeIsAcceptedAndEveryPositionEndsAtItsMinimum) {
    component.SetPositionMinMax(60, 40);
    for (double value : {0.0, 50.0, 100.0}) {
        component.SetPosition(value);
        EXPECT_EQ(component.Position(), 60);
    }
}

TEST_F(TiPositionComponentTest, UserChangesAreToldAsSuchAndFinishedOnceWhenTheInteractionEnds) {
    component.SetCurrentMax(100);
    TakeEvents();
    component.UserSetsPosition(10);
    component.UserSetsPosition(20);
    EXPECT_EQ(TakeEvents(), QStringList({"Change", "User", "Change", "User"}));
    component.DoPositionChangeFinished();
    component.DoPositionChangeFinished();
    EXPECT_EQ(TakeEvents(), QStringList({"OPC", "Finished"}));
    EXPECT_FALSE(component.PositionChangedSinceFinished());
}

TEST_F(TiPositionComponentTest, NotANumberLeavesPositionExtremesAndRangeAlone) {
    component.SetPosition(30);
    TakeEvents();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    component.SetPosition(nan);
    component.SetCurrentMax(nan);
    component.SetCurrentMin(nan);
    component.SetPositionMax(nan);
    component.SetPositionMinMax(nan, 50);
    EXPECT_EQ(component.Position(), 30);
    EXPECT_EQ(component.CurrentMax(), 30);
    EXPECT_EQ(component.CurrentMin(), 0);
    EXPECT_EQ(component.PositionMax(), 100);
    EXPECT_EQ(component.PositionMin(), 0);
    EXPECT_TRUE(TakeEvents().isEmpty());
    component.SetPosition(150);
    EXPECT_EQ(component.Position(), 100);
}

TEST_F(TiPositionComponentTest, ValuePercentIsZeroForAnyValueOfAnEmptyRange) {
    EXPECT_EQ(component.ValuePercent(150), 1);
    EXPECT_EQ(component.ValuePercent(-1), 0);
    EXPECT_EQ(component.ValuePercent(25), 0.25);
    component.SetPositionPercent(0.5);
    EXPECT_EQ(component.Position(), 50);
    component.SetPositionMinMax(5, 5);
    for (double value : {-10.0, 5.0, 10.0})
        EXPECT_EQ(component.ValuePercent(value), 0);
}

TEST_F(TiPositionComponentTest, NoEventSetterDetachesOnlyThePositionChangeAndRestoresIt) {
    component.SetPositionNoEvent(40);
    EXPECT_EQ(component.Position(), 40);
    EXPECT_EQ(TakeEvents(), QStringList({"CurrentMax", "OPC"}));
    ASSERT_TRUE(component.OnPositionChange);
    component.SetPosition(41);
    EXPECT_EQ(TakeEvents(), QStringList({"CurrentMax", "OPC", "Change"}));
}

TEST_F(TiPositionComponentTest, ARefusedEditLeavesThePosition) {
    QString asked;
    component.OnRequestEdit = [&](QObject*, const QString& name, bool& canEdit) {
        asked = name;
        canEdit = false;
    };
    component.SetPosition(30);
    EXPECT_EQ(asked, "Position");
    EXPECT_EQ(component.Position(), 0);
    EXPECT_TRUE(TakeEvents().isEmpty());
}

TEST_F(TiPositionComponentTest, LimitsReportLeavingTheirBandByIndexInOrder) {
    component.AddLimit(5, 2, false, 50, 20, clRed, clBlue);
    component.AddLimit(5, 2, true, 90, 60, clRed, clBlue);
    EXPECT_TRUE(component.GetLimitShowUpperPointer(1));
    component.SetPosition(70);
    EXPECT_EQ(TakeEvents(), QStringList({"CurrentMax", "OverLimit0", "OPC", "Change"}));
    component.SetLimitLowerValue(0, 10);
    component.RemoveLimit(1);
    component.SetPosition(5);
    EXPECT_EQ(TakeEvents(), QStringList({"UnderLimit0", "OPC", "Change"}));
    EXPECT_EQ(component.GetLimitLowerValue(0), 10);
    try {
        component.SetLimitPointerSize(1, 3);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Limit Index out of bounds");
    }
    EXPECT_THROW(component.GetLimitUpperValue(-1), Exception);
}

TEST_F(TiPositionComponentTest, APositionOnEitherEndOfALimitStaysInsideIt) {
    component.AddLimit(5, 2, false, 50, 20, clRed, clBlue);
    component.SetPosition(50);
    component.SetPosition(20);
    EXPECT_TRUE(TakeEvents().filter("Limit").isEmpty());
}

TEST_F(TiPositionComponentTest, ALimitAddedByAHandlerDoesNotDisturbTheBandBeingReported) {
    component.AddLimit(5, 2, false, 50, 60, clRed, clBlue);
    component.OnPositionOverLimit = [this](QObject*, int index) {
        component.events << QString("OverLimit%1").arg(index);
        if (component.GetLimitCount() == 1) component.AddLimit(5, 2, false, 90, 10, clRed, clBlue);
    };
    component.SetPosition(55);
    EXPECT_EQ(TakeEvents(),
              QStringList({"CurrentMax", "OverLimit0", "UnderLimit0", "OPC", "Change"}));
    EXPECT_EQ(component.GetLimitCount(), 2);
}

TEST_F(TiPositionComponentTest, LoadingStoresValuesRawAndTellsNothing) {
    QWidget form;
    auto* loaded = new LoggingPositionComponent(&form);
    {
        TiFormLoading loading(form);
        loaded->setProperty("Position", 150.0);
        loaded->setProperty("CurrentMax", 300.0);
        loaded->setProperty("PositionMax_2", 0.0);
        loading.Finish();
    }
    EXPECT_EQ(loaded->Position(), 150);
    EXPECT_EQ(loaded->CurrentMax(), 300);
    EXPECT_EQ(loaded->PositionMax(), 0);
    EXPECT_TRUE(loaded->events.isEmpty());
}
