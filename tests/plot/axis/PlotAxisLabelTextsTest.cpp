#include "plot/iPlotAxisText.h"

#include <gtest/gtest.h>
#include <limits>

// The label texts an axis keeps by value and format, counted by how often each is made.
class PlotAxisLabelTexts : public testing::Test {
protected:
    QString Text(double value) {
        return texts.Text(value, key, [&] {
            ++made;
            return QString::number(value);
        });
    }

    TiPlotAxisLabelTexts texts;
    TiPlotAxisLabelTexts::TKey key{{}, 10, false};
    int made = 0;
};

TEST_F(PlotAxisLabelTexts, KeepsNothingUntilToldToKeep) {
    Text(1);
    Text(1);
    EXPECT_EQ(made, 2);
    texts.Keep();
    Text(1);
    Text(1);
    EXPECT_EQ(made, 3);
}

TEST_F(PlotAxisLabelTexts, ALayoutMakesItsTextsAfreshButKeepsThoseReadSinceTheLastOneEnded) {
    texts.Keep();
    texts.BeginLayout();
    Text(1);
    texts.EndLayout();
    // A read-out between two layouts, such as a data cursor's in the next paint.
    Text(2);
    texts.BeginLayout();
    EXPECT_EQ(Text(2), "2");
    EXPECT_EQ(made, 2);
    Text(1);
    EXPECT_EQ(made, 3);
}

TEST_F(PlotAxisLabelTexts, AnotherFormatSpanOrScaleMakesEveryTextAgain) {
    texts.Keep();
    Text(1);
    key.Format.Precision = 5;
    Text(1);
    key.Span = 20;
    Text(1);
    key.Log = true;
    Text(1);
    EXPECT_EQ(made, 4);
}

TEST_F(PlotAxisLabelTexts, NonFiniteValuesAndFloodsOfValuesAreNeverHeldWithoutBound) {
    texts.Keep();
    Text(std::numeric_limits<double>::quiet_NaN());
    Text(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(made, 2);
    // Values read out by the cursor between layouts: the kept texts start over at the bound.
    for (int i = 0; i < 5000; ++i)
        Text(i);
    made = 0;
    Text(4999);
    EXPECT_EQ(made, 0);
    Text(0);
    EXPECT_EQ(made, 1);
}
