#include "instruments/framework/iScaleComponent.h"
#include "instruments/framework/iFormLoading.h"
#include "platform/PropertyDefaults.h"
#include "platform/PropertyWalker.h"
#include "platform/RecordingCanvas.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

class CountingScaleComponent : public TiScaleComponent {
public:
    using TiScaleComponent::ScaleObject;
    using TiScaleComponent::TiScaleComponent;

    int repaints = 0;

protected:
    void iPaintTo(TCanvas&) override {}
    void DoRepaint() override { ++repaints; }
};

} // namespace

class TiScaleComponentTest : public testing::Test {
protected:
    CountingScaleComponent component;
};

TEST_F(TiScaleComponentTest, AFreshComponentHoldsItsDeclaredDefaults) {
    QStringList stored;
    for (const PropertyDescriptor& value : PropertyDefaults::ValuesToStore(&component))
        stored << value.Path;
    EXPECT_EQ(stored, QStringList({"PositionMax_2"}));
}

TEST_F(TiScaleComponentTest, AdjustableAutoScaleWidensTheRangeToNiceTicks) {
    component.SetPositionMax(95);
    component.SetTickMajorCount(9);
    component.SetAutoScaleEnabled(true);
    EXPECT_EQ(component.PositionMin(), 0);
    EXPECT_EQ(component.PositionMax(), 100);
    EXPECT_EQ(component.TickMajorCount(), 5);
    component.SetPositionMax(95);
    EXPECT_EQ(component.PositionMax(), 100);
}

TEST_F(TiScaleComponentTest, FixedAutoScaleKeepsTheRangeAndPlacesTicksInsideIt) {
    component.SetPositionMinMax(3, 97);
    component.SetAutoScaleStyle(iassFixedMinMax);
    component.SetAutoScaleEnabled(true);
    EXPECT_EQ(component.PositionMin(), 3);
    EXPECT_EQ(component.PositionMax(), 97);
    EXPECT_TRUE(component.FixedTicksActive());
    EXPECT_GE(component.FixedTickStart(), 3);
    EXPECT_LE(component.FixedTickStop(), 97);
    EXPECT_LT(component.FixedTickStart(), component.FixedTickStop());
    EXPECT_EQ(component.ScaleObject().FixedTickStart(), component.FixedTickStart());
    EXPECT_EQ(component.ScaleObject().FixedTickStop(), component.FixedTickStop());
}

TEST_F(TiScaleComponentTest, TickCountsBelowTwoAreIgnored) {
    component.SetAutoScaleDesiredTicks(1);
    component.SetAutoScaleMaxTicks(0);
    EXPECT_EQ(component.AutoScaleDesiredTicks(), 5);
    EXPECT_EQ(component.AutoScaleMaxTicks(), 6);
    component.SetAutoScaleMaxTicks(8);
    EXPECT_EQ(component.ScaleObject().AutoScaleMaxTicks(), 8);
}

TEST_F(TiScaleComponentTest, AutoScaleSearchesNoMoreTicksThanAScaleHolds) {
    component.SetPositionMax(95);
    component.SetAutoScaleMaxTicks(1'000'000'000);
    component.SetAutoScaleEnabled(true);
    EXPECT_EQ(component.AutoScaleMaxTicks(), 1'000'000'000);
    // 0..95 in steps of 5: the range needs no widening with that many ticks to hand.
    EXPECT_EQ(component.PositionMax(), 95);
    EXPECT_EQ(component.TickMajorCount(), 20);
    component.SetAutoScaleStyle(iassFixedMinMax);
    EXPECT_LE(component.FixedTickStop(), 95);
    EXPECT_LE(component.TickMajorCount(), MaxTickMajorCount);
}

TEST_F(TiScaleComponentTest, AutoScaleWaitsForTheEndOfLoading) {
    QWidget form;
    auto* loaded = new CountingScaleComponent(&form);
    TiFormLoading loading(form);
    loaded->setProperty("AutoScaleEnabled", true);
    loaded->setProperty("PositionMax", 95.0);
    EXPECT_EQ(loaded->PositionMax(), 95);
    loading.Finish();
    EXPECT_EQ(loaded->PositionMax(), 100);
}

TEST_F(TiScaleComponentTest, ScaleChangesRebuildTheBackground) {
    component.repaints = 0;
    component.SetTickMargin(6);
    component.SetTickMargin(6);
    component.TickLabelFont()->SetHeight(-20);
    EXPECT_EQ(component.repaints, 2);
    EXPECT_TRUE(component.BackGroundChanged());
}

TEST_F(TiScaleComponentTest, TickLabelsPassThroughTheComponentsHandler) {
    QObject* sender = nullptr;
    component.OnCustomizeTickLabel = [&](QObject* from, int index, QString& text) {
        sender = from;
        text = QString("#%1").arg(index);
    };
    TRecordingCanvas canvas;
    component.ScaleObject().Draw(canvas);
    const auto labels = canvas.RecordsOf(TCanvasOperation::TextOut);
    ASSERT_EQ(labels.size(), 5u);
    EXPECT_EQ(labels[4].Text, "#4");
    EXPECT_EQ(sender, &component);
}

TEST_F(TiScaleComponentTest, ScaleEnumerationsAreReadAndWrittenByNameForFiles) {
    PropertyWalker::WriteText(&component, "TickMinorAlignment", "itmnaOutside");
    PropertyWalker::WriteText(&component, "AutoScaleStyle", "1");
    EXPECT_EQ(component.TickMinorAlignment(), itmnaOutside);
    EXPECT_EQ(component.AutoScaleStyle(), iassFixedMinMax);
}
