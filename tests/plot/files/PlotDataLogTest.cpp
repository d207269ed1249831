#include "../component/PlotComponentTestSupport.h"
#include "GuardCatchWatch.h"
#include "PlotFileTestSupport.h"

#include "plot/channels/iPlotChannel.h"
#include "plot/channels/iXYPlotChannel.h"
#include "plot/iPlotDataArray.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using Rows = std::vector<std::vector<double>>;

class PlotDataLogTest : public testing::Test {
protected:
    void SetUp() override {
        plot.AddChannel();
        plot.AddChannel();
        const char* titles[] = {"A", "B", "C"};
        for (int k = 0; k < 3; ++k)
            Channel(k).SetTitleText(QString::fromLatin1(titles[k]));
        plot.SetLogFileName(folder.Path("log.txt"));
    }
    TiPlotChannel& Channel(int Index) const {
        return *qobject_cast<TiPlotChannel*>(plot.GetChannelCustom(Index));
    }
    void Add(double X, std::vector<double> Values) {
        plot.AddDataArray(X, TiPlotDataArray::OneDimension(std::move(Values)));
    }
    QByteArray Log() const { return folder.Read("log.txt"); }

    PlotFileFolder folder;
    TestStripPlot plot;
};

TEST_F(PlotDataLogTest, PublishesItsLogPropertiesWithTheirDefaults) {
    TestStripPlot fresh;
    EXPECT_EQ(fresh.property("LogFileName").toString(), QString());
    EXPECT_EQ(fresh.property("LogBufferSize").toInt(), 0);
    EXPECT_FALSE(fresh.property("LoggingActive").toBool());
    fresh.SetLogBufferSize(-5);
    EXPECT_EQ(fresh.LogBufferSize(), 0);
}

TEST_F(PlotDataLogTest, CallsOutOfOrderRaiseTheirMessages) {
    TestStripPlot fresh;
    EXPECT_EQ(MessageOf([&] { fresh.LogActivate(false); }), "Log File Name not Defined");
    fresh.SetLogFileName(QStringLiteral("  "));
    EXPECT_EQ(MessageOf([&] { fresh.LogActivate(false); }), "Log File Name not Defined");
    EXPECT_EQ(MessageOf([&] { plot.LogDeactivate(); }), "Logging not Active");
    plot.LogActivate(false);
    EXPECT_TRUE(plot.LoggingActive());
    EXPECT_EQ(MessageOf([&] { plot.LogActivate(false); }), "Logging Already Active");
    EXPECT_EQ(MessageOf([&] { plot.SetLogFileName(folder.Path("other.txt")); }),
              "Log File Name can not be changed while logging is active.");
    EXPECT_EQ(MessageOf([&] { plot.SetLogFileName(folder.Path("log.txt")); }), QString());
    plot.LogDeactivate();
    EXPECT_FALSE(plot.LoggingActive());
}

TEST_F(PlotDataLogTest, ABufferOfThreeWritesOnTheThirdSampleWithNullAndEmptyColumns) {
    plot.SetLogBufferSize(3);
    plot.LogActivate(false);
    Add(0.1, {0.5, 5e-301, 2});
    Add(0.2, {1, 2, 5e-302});
    EXPECT_EQ(Log(), QByteArray("(X)\tA(Y)\tB(Y)\tC(Y)\r\n"));
    Add(0.3, {-1.5, 3, 4});
    EXPECT_EQ(Log(), QByteArray("(X)\tA(Y)\tB(Y)\tC(Y)\r\n"
                                "0.1\t0.5\tNull\t2\r\n"
                                "0.2\t1\t2\t\r\n"
                                "0.3\t-1.5\t3\t4\r\n"));
}

TEST_F(PlotDataLogTest, AppendingNeedsTheFileAndWritesNoHeader) {
    EXPECT_TRUE(MessageOf([&] { plot.LogActivate(true); }).startsWith("Cannot open file"));
    EXPECT_FALSE(plot.LoggingActive());
    folder.Write("log.txt", "kept\r\n");
    plot.LogActivate(true);
    Add(1, {2, 3, 4});
    EXPECT_EQ(Log(), QByteArray("kept\r\n1\t2\t3\t4\r\n"));
}

TEST_F(PlotDataLogTest, AHeaderThatCannotBeWrittenFailsAsASaveError) {
    plot.SetLogFileName(folder.Path("none/log.txt"));
    EXPECT_TRUE(MessageOf([&] {
                    plot.LogActivate(false);
                }).startsWith("Error Saving Data - Cannot create file"));
    EXPECT_FALSE(plot.LoggingActive());
}

TEST_F(PlotDataLogTest, PointsAddedBetweenSamplesDoNotShiftTheLoggedRows) {
    plot.SetLogBufferSize(10);
    plot.LogActivate(false);
    Add(1, {10, 20, 30});
    Channel(0).AddXNull(1.5);
    Channel(0).AddXEmpty(1.6);
    Channel(1).AddXY(1.7, 99);
    Add(2, {11, 21, 31});
    plot.LogDeactivate();
    EXPECT_EQ(Log(), QByteArray("(X)\tA(Y)\tB(Y)\tC(Y)\r\n"
                                "1\t10\t20\t30\r\n"
                                "2\t11\t21\t31\r\n"));
}

TEST_F(PlotDataLogTest, ASmallRingWritesTheSamplesItStillHoldsEachOnce) {
    for (int k = 0; k < 3; ++k)
        Channel(k).SetRingBufferSize(2);
    plot.SetLogBufferSize(5);
    plot.LogActivate(false);
    for (int k = 1; k <= 5; ++k)
        Add(k, {double(k), double(10 * k), double(100 * k)});
    EXPECT_EQ(Log(), QByteArray("(X)\tA(Y)\tB(Y)\tC(Y)\r\n"
                                "4\t4\t40\t400\r\n"
                                "5\t5\t50\t500\r\n"));
    plot.WriteLog();
    EXPECT_EQ(Log().count("\r\n"), 3);
}

TEST_F(PlotDataLogTest, AChannelWithoutItsPointGetsAnEmptyColumn) {
    plot.SetLogBufferSize(2);
    plot.LogActivate(false);
    Add(1, {1});
    Add(2, {2, 3});
    EXPECT_EQ(Log(), QByteArray("(X)\tA(Y)\tB(Y)\tC(Y)\r\n"
                                "1\t1\t\t\r\n"
                                "2\t2\t3\t\r\n"));
}

TEST_F(PlotDataLogTest, AChannelDeletedBeforeTheWriteLeavesTheRowsOfTheOthers) {
    plot.SetLogBufferSize(10);
    plot.LogActivate(false);
    Add(1, {1, 2, 3});
    plot.DeleteChannel(1);
    plot.AddChannel();
    Add(2, {4, 5, 6});
    plot.LogDeactivate();
    EXPECT_EQ(Log(), QByteArray("(X)\tA(Y)\tB(Y)\tC(Y)\r\n"
                                "1\t1\t3\t\r\n"
                                "2\t4\t5\t6\r\n"));
}

TEST_F(PlotDataLogTest, APlotWithoutChannelsLogsNoRows) {
    TestBarePlot bare;
    bare.SetLogFileName(folder.Path("bare.txt"));
    bare.LogActivate(false);
    bare.AddDataArray(1, TiPlotDataArray::OneDimension({1, 2}));
    bare.AddDataArray(1, TiPlotDataArray::TwoDimensions({{1, 2}}));
    bare.LogDeactivate();
    EXPECT_EQ(folder.Read("bare.txt"), QByteArray("(X)\r\n"));
}

TEST_F(PlotDataLogTest, AnUnwritableLogKeepsItsRowsPendingInsteadOfFailingTheAdd) {
    const ExpectedGuardCatches expected;
    plot.LogActivate(false);
    QFile::remove(folder.Path("log.txt"));
    EXPECT_EQ(MessageOf([&] { Add(1, {1, 2, 3}); }), QString());
    EXPECT_EQ(Channel(0).GetCount(), 1);
    EXPECT_TRUE(MessageOf([&] { plot.WriteLog(); }).startsWith("Cannot open file"));
    folder.Write("log.txt", "");
    plot.WriteLog();
    EXPECT_EQ(Log(), QByteArray("1\t1\t2\t3\r\n"));
}

TEST_F(PlotDataLogTest, ClearAllDataWritesThePendingRowsEndsLoggingAndClearsEveryChannel) {
    plot.SetLogBufferSize(100);
    plot.LogActivate(false);
    Add(1, {1, 2, 3});
    plot.ClearAllData();
    EXPECT_FALSE(plot.LoggingActive());
    EXPECT_EQ(Log(), QByteArray("(X)\tA(Y)\tB(Y)\tC(Y)\r\n1\t1\t2\t3\r\n"));
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(Channel(k).GetCount(), 0);
}

TEST_F(PlotDataLogTest, APlotOrChannelDestroyedWhileLoggingWritesWhatIsPending) {
    {
        TestStripPlot doomed;
        TiPlotChannelCustom& channel = *doomed.GetChannelCustom(0);
        channel.SetTitleText(QStringLiteral("A"));
        doomed.SetLogFileName(folder.Path("plot.txt"));
        doomed.SetLogBufferSize(10);
        doomed.LogActivate(false);
        doomed.AddDataArray(1, TiPlotDataArray::OneDimension({2}));
        channel.SetLogFileName(folder.Path("channel.txt"));
        channel.SetLogBufferSize(10);
        channel.LogActivate(false);
        channel.AddXY(3, 4);
    }
    EXPECT_EQ(folder.Read("plot.txt"), QByteArray("(X)\tA(Y)\r\n1\t2\r\n"));
    EXPECT_EQ(folder.Read("channel.txt"), QByteArray("3\t4\r\n"));
}

TEST_F(PlotDataLogTest, ALogLoadsBackAsItsSamples) {
    plot.LogActivate(false);
    Add(0.5, {1, 5e-301, 3});
    Add(0.75, {4, 5, 6});
    plot.LogDeactivate();
    TestStripPlot fresh;
    fresh.AddChannel();
    fresh.AddChannel();
    fresh.LoadDataFromFile(folder.Path("log.txt"));
    EXPECT_EQ(PointsText(*fresh.GetChannelCustom(0)), QStringLiteral("0.5,1 0.75,4"));
    EXPECT_EQ(PointsText(*fresh.GetChannelCustom(1)), QStringLiteral("0.5,Null 0.75,5"));
}

TEST_F(PlotDataLogTest, OneDimensionalArraysCodeNullAndEmptyAndIgnoreExtraElements) {
    Add(2, {1, 5e-301, 5e-302, 7, 8});
    EXPECT_EQ(PointsText(Channel(0)), QStringLiteral("2,1"));
    EXPECT_EQ(PointsText(Channel(1)), QStringLiteral("2,Null"));
    EXPECT_EQ(PointsText(Channel(2)), QStringLiteral("2,Empty"));
    plot.AddDataArray(3, TiPlotDataArray::OneDimension({4}, 5));
    EXPECT_EQ(PointsText(Channel(0)), QStringLiteral("2,1 3,4"));
}

TEST_F(PlotDataLogTest, TwoDimensionalArraysIndexFromTheirLowBoundsAndStepFromTheNewestX) {
    Channel(1).AddXY(10, 0);
    plot.AddDataArray(0.5, TiPlotDataArray::TwoDimensions({{1, 2}, {3, 4}, {5, 6}, {7, 8}}, 3, 7));
    EXPECT_EQ(PointsText(Channel(0)), QStringLiteral("0,1 0.5,2"));
    EXPECT_EQ(PointsText(Channel(1)), QStringLiteral("10,0 10.5,3 11,4"));
    EXPECT_EQ(PointsText(Channel(2)), QStringLiteral("0,5 0.5,6"));
}

TEST_F(PlotDataLogTest, TwoDimensionalSamplesEachCountAsARow) {
    plot.SetLogBufferSize(2);
    plot.LogActivate(false);
    plot.AddDataArray(1, TiPlotDataArray::TwoDimensions({{1, 2}, {3, 4}, {5, 6}}));
    EXPECT_EQ(Log(), QByteArray("(X)\tA(Y)\tB(Y)\tC(Y)\r\n0\t1\t3\t5\r\n1\t2\t4\t6\r\n"));
}

TEST_F(PlotDataLogTest, OtherShapesAreRefusedBeforeAnyPointIsAdded) {
    EXPECT_EQ(MessageOf([&] {
                  plot.AddDataArray(0, TiPlotDataArray({1, 1, 1}, {0, 0, 0}, {1}));
              }),
              "Data Array must be 1 or 2 Dimensions");
    EXPECT_EQ(MessageOf([&] { plot.AddDataArray(0, TiPlotDataArray({}, {}, {1})); }),
              "Data Array must be 1 or 2 Dimensions");
    EXPECT_EQ(Channel(0).GetCount(), 0);
    EXPECT_EQ(MessageOf([] {
                  TiPlotDataArray({2, 2}, {0, 0}, {1, 2, 3});
              }),
              "Data Array does not match its bounds");
    EXPECT_EQ(MessageOf([] {
                  TiPlotDataArray({2}, {INT_MAX}, {1, 2});
              }),
              "Data Array does not match its bounds");
    EXPECT_EQ(MessageOf([] {
                  TiPlotDataArray::TwoDimensions({{1, 2}, {3}});
              }),
              "Data Array does not match its bounds");
}

TEST_F(PlotDataLogTest, XYPlotsTakeNullAndEmptyCodesAsTheirOwnPoints) {
    TestXYPlot xy;
    xy.AddChannel();
    xy.AddChannel();
    xy.AddDataArray(4, TiPlotDataArray::OneDimension({1, 5e-301, 5e-302}));
    EXPECT_EQ(PointsText(*xy.GetChannelCustom(0)), QStringLiteral("4,1"));
    EXPECT_EQ(PointsText(*xy.GetChannelCustom(1)), QStringLiteral("0,Null"));
    EXPECT_EQ(PointsText(*xy.GetChannelCustom(2)), QStringLiteral("0,Empty"));
}

} // namespace
