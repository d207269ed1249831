#include "../component/PlotComponentTestSupport.h"
#include "PlotFileTestSupport.h"

#include "platform/NumberText.h"
#include "plot/channels/iPlotChannel.h"
#include "plot/iPlotDataFile.h"

#include <gtest/gtest.h>

namespace {

class PlotDataFileTest : public testing::Test {
protected:
    void SetUp() override {
        plot.AddChannel();
        A().SetTitleText(QStringLiteral("A"));
        B().SetTitleText(QStringLiteral("B"));
    }
    TiPlotChannel& Channel(TiPlotComponent& Plot, int Index) const {
        return *qobject_cast<TiPlotChannel*>(Plot.GetChannelCustom(Index));
    }
    TiPlotChannel& A() { return Channel(plot, 0); }
    TiPlotChannel& B() { return Channel(plot, 1); }
    // Three points in A (one Null, one Empty) and one in B.
    void AddMixedPoints() {
        A().AddXY(0, 1);
        A().AddXNull(0.05);
        A().AddXEmpty(0.1);
        B().AddXY(0, 0.5);
    }

    PlotFileFolder folder;
    TestStripPlot plot;
};

TEST_F(PlotDataFileTest, SaveWritesAColumnPairPerChannelWithNullEmptyAndBlankColumns) {
    AddMixedPoints();
    plot.SaveDataToFile(folder.Path("data.txt"));
    EXPECT_EQ(folder.Read("data.txt"), QByteArray("A(X)\tA(Y)\tB(X)\tB(Y)\r\n"
                                                  "0\t1\t0\t0.5\r\n"
                                                  "0.05\tNull\t\t\r\n"
                                                  "0.1\t\t\t\r\n"));
}

TEST_F(PlotDataFileTest, RoundTripIntoAFreshPlotKeepsEveryPointNullAndEmptyAndExactValues) {
    AddMixedPoints();
    A().AddXY(1.0 / 3, 0.1 + 0.2);
    B().AddXY(1e-5, -1.5e20);
    plot.SaveDataToFile(folder.Path("data.txt"));

    TestStripPlot fresh;
    fresh.AddChannel();
    fresh.LoadDataFromFile(folder.Path("data.txt"));
    EXPECT_EQ(PointsText(Channel(fresh, 0)), PointsText(A()));
    EXPECT_EQ(PointsText(Channel(fresh, 1)), PointsText(B()));
    EXPECT_EQ(Channel(fresh, 0).GetCount(), 4);
    EXPECT_EQ(Channel(fresh, 1).GetCount(), 2);
}

TEST_F(PlotDataFileTest, NumbersTakeFifteenDigitsWhenTheyReadBackElseMoreAndAlwaysAPoint) {
    const QChar separator = SetDecimalSeparator(QLatin1Char(','));
    A().AddXY(0.1, 1.0 / 3);
    plot.SaveDataToFile(folder.Path("data.txt"));
    SetDecimalSeparator(separator);
    EXPECT_EQ(folder.Read("data.txt").split('\n')[1], QByteArray("0.1\t0.3333333333333333\t\t\r"));
}

TEST_F(PlotDataFileTest, TitlesThatLookLikeALogHeaderStillLoadAsDataFiles) {
    for (const QString& title : {QString(), QStringLiteral("(x)lower"), QStringLiteral("(X)")}) {
        TestStripPlot source, fresh;
        source.AddChannel();
        fresh.AddChannel();
        Channel(source, 0).SetTitleText(title);
        Channel(source, 0).AddXY(1, 2);
        Channel(source, 0).AddXEmpty(3);
        Channel(source, 1).AddXY(5, 6);
        source.SaveDataToFile(folder.Path("data.txt"));
        fresh.LoadDataFromFile(folder.Path("data.txt"));
        EXPECT_EQ(PointsText(Channel(fresh, 0)), QStringLiteral("1,2 3,Empty"))
            << title.toStdString();
        EXPECT_EQ(PointsText(Channel(fresh, 1)), QStringLiteral("5,6")) << title.toStdString();
    }
}

TEST_F(PlotDataFileTest, ATitleWithTabsOrLineBreaksCannotSplitTheHeader) {
    A().SetTitleText(QStringLiteral("(X)\tx\r\ny"));
    A().AddXY(1, 2);
    plot.SaveDataToFile(folder.Path("data.txt"));
    EXPECT_TRUE(folder.Read("data.txt").startsWith("(X) x  y(X)\t(X) x  y(Y)\tB(X)\tB(Y)\r\n"));
    TestStripPlot fresh;
    fresh.LoadDataFromFile(folder.Path("data.txt"));
    EXPECT_EQ(PointsText(Channel(fresh, 0)), QStringLiteral("1,2"));
}

TEST_F(PlotDataFileTest, LogFilesLoadAsLogsWithTheirEmptyColumnsAddingNothing) {
    const QString file = folder.Write("log.txt", "(X)\tA(Y)\tB(Y)\r\n"
                                                 "1.5\t\t2\r\n"
                                                 "0.1\t0.5\tNull\n"
                                                 "\t7\t8\r"
                                                 "3\r\n"
                                                 "4\t9\t10\t11\r\n");
    plot.LoadDataFromFile(file);
    EXPECT_EQ(PointsText(A()), QStringLiteral("0.1,0.5 4,9"));
    EXPECT_EQ(PointsText(B()), QStringLiteral("1.5,2 0.1,Null 4,10"));
}

TEST_F(PlotDataFileTest, ThreeAndOnePointsMakeFourRowsAndLoadBackAsThreeAndOne) {
    A().AddXY(0, 1);
    A().AddXY(1, 2);
    A().AddXY(2, 3);
    B().AddXY(0, 4);
    plot.SaveDataToFile(folder.Path("data.txt"));
    EXPECT_EQ(folder.Read("data.txt").count("\r\n"), 4);
    TestStripPlot fresh;
    fresh.AddChannel();
    fresh.LoadDataFromFile(folder.Path("data.txt"));
    EXPECT_EQ(Channel(fresh, 0).GetCount(), 3);
    EXPECT_EQ(Channel(fresh, 1).GetCount(), 1);
}

TEST_F(PlotDataFileTest, LinesOfAnyLengthAreWrittenAndReadWhole) {
    const QString title(300, QLatin1Char('t'));
    A().SetTitleText(title);
    for (int k = 0; k < 30; ++k)
        plot.AddChannel();
    for (int k = 0; k < plot.ChannelCount(); ++k)
        Channel(plot, k).AddXY(k + 0.123456789012345, -k - 0.987654321098765);
    plot.SaveDataToFile(folder.Path("data.txt"));
    EXPECT_TRUE(folder.Read("data.txt").startsWith((title + "(X)\t" + title + "(Y)\t").toUtf8()));

    TestStripPlot fresh;
    for (int k = 1; k < plot.ChannelCount(); ++k)
        fresh.AddChannel();
    fresh.LoadDataFromFile(folder.Path("data.txt"));
    EXPECT_EQ(PointsText(Channel(fresh, 31)), PointsText(Channel(plot, 31)));
}

TEST_F(PlotDataFileTest, MalformedOrMissingFilesChangeNothing) {
    AddMixedPoints();
    const QString before = PointsText(A()) + '|' + PointsText(B());
    const QString bad = folder.Write("bad.txt", "A(X)\tA(Y)\r\n1\t2\r\n3\tabc\r\n");
    EXPECT_EQ(MessageOf([&] { plot.LoadDataFromFile(bad); }),
              "Error Loading Data - 'abc' is not a valid floating point value");
    const QString truncated = folder.Write("cut.txt", "(X)\tA(Y)\r\n1\t2\r\n3\t4e");
    EXPECT_EQ(MessageOf([&] { plot.LoadDataFromFile(truncated); }),
              "Error Loading Data - '4e' is not a valid floating point value");
    EXPECT_TRUE(MessageOf([&] {
                    plot.LoadDataFromFile(folder.Path("none.txt"));
                }).startsWith("Error Loading Data - Cannot open file"));
    EXPECT_EQ(PointsText(A()) + '|' + PointsText(B()), before);
}

TEST_F(PlotDataFileTest, SaveErrorsCarryTheirPrefix) {
    EXPECT_TRUE(MessageOf([&] {
                    plot.SaveDataToFile(folder.Path("none/data.txt"));
                }).startsWith("Error Saving Data - Cannot create file"));
}

TEST(PlotDataFileParseTest, MorePointsThanAChannelCanTakeAreRefusedBeforeAnyIsAdded) {
    const QStringList lines{"(X)\tA(Y)\tB(Y)", "1\t2\t3", "2\t3\t4"};
    EXPECT_EQ(ParsePlotDataLines(lines, {2, 2}).size(), 4u);
    EXPECT_EQ(MessageOf([&] {
                  ParsePlotDataLines(lines, {2, 1});
              }),
              "The file holds more points than channel 1 can take (at most 1)");
    // Columns past the last channel are not read.
    EXPECT_EQ(ParsePlotDataLines(lines, {2}).size(), 2u);
}

TEST(PlotDataFileParseTest, OnlyAHeaderOfMatchingPairsIsADataHeader) {
    EXPECT_FALSE(IsPlotLogHeader("(X)\t(Y)"));
    EXPECT_FALSE(IsPlotLogHeader("(X)\t(Y)\tB(X)\tB(Y)"));
    EXPECT_FALSE(IsPlotLogHeader("(x)A(X)\t(x)A(Y)"));
    EXPECT_FALSE(IsPlotLogHeader("A(X)\tA(Y)"));
    EXPECT_TRUE(IsPlotLogHeader("(X)\tA(Y)"));
    EXPECT_TRUE(IsPlotLogHeader("(x)\tA(Y)\tB(Y)"));
    EXPECT_TRUE(IsPlotLogHeader("(X)\t(Y)\t(Y)"));
    EXPECT_TRUE(IsPlotLogHeader("(X)"));
}

} // namespace
