#include "../component/PlotComponentTestSupport.h"
#include "GuardCatchWatch.h"
#include "PlotFileTestSupport.h"

#include "plot/channels/iPlotChannel.h"
#include "plot/channels/iPlotChannelDataFile.h"
#include "plot/channels/iPlotPointSerials.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

class PlotChannelDataFileTest : public testing::Test {
protected:
    void SetUp() override { channel.SetLogFileName(folder.Path("log.txt")); }
    QByteArray Log() const { return folder.Read("log.txt"); }

    PlotFileFolder folder;
    TestStripPlot plot;
    TiPlotChannel& channel = *qobject_cast<TiPlotChannel*>(plot.GetChannelCustom(0));
};

TEST_F(PlotChannelDataFileTest, SaveWritesARowPerPointWithNullAndALoneXForEmpty) {
    channel.AddXY(0.25, -1);
    channel.AddXNull(0.5);
    channel.AddXEmpty(0.75);
    channel.AddXY(1.0 / 3, 1e20);
    channel.SaveDataToFile(folder.Path("data.txt"));
    EXPECT_EQ(folder.Read("data.txt"),
              QByteArray("0.25\t-1\r\n0.5\tNull\r\n0.75\r\n0.3333333333333333\t1E20\r\n"));

    TestStripPlot fresh;
    TiPlotChannelCustom& copy = *fresh.GetChannelCustom(0);
    copy.AddXY(9, 9);
    copy.LoadDataFromFile(folder.Path("data.txt"), true);
    EXPECT_EQ(PointsText(copy), PointsText(channel));
}

TEST_F(PlotChannelDataFileTest, LoadSkipsLinesWithoutXOrValueAndAppendsUnlessToldToClear) {
    channel.AddXY(-1, -1);
    const QString file = folder.Write("data.txt", "1\t2\r\n"
                                                  "\t3\r\n"
                                                  "note\r\n"
                                                  "4\tnull\n"
                                                  "5\t\r"
                                                  "6 \t 7 \r\n");
    channel.LoadDataFromFile(file, false);
    EXPECT_EQ(PointsText(channel), QStringLiteral("-1,-1 1,2 4,Null 5,Empty 6,7"));
    EXPECT_EQ(channel.Statistics().Count, 3);
}

TEST_F(PlotChannelDataFileTest, AMalformedFileChangesNothingNotEvenTheClearOrTheLog) {
    channel.AddXY(1, 2);
    channel.LogActivate(false);
    const QString file = folder.Write("bad.txt", "1\t2\r\n3\tx\r\n");
    EXPECT_EQ(MessageOf([&] { channel.LoadDataFromFile(file, true); }),
              "'x' is not a valid floating point value");
    EXPECT_EQ(PointsText(channel), QStringLiteral("1,2"));
    EXPECT_TRUE(channel.LoggingActive());
    EXPECT_TRUE(MessageOf([&] {
                    channel.LoadDataFromFile(folder.Path("no.txt"), true);
                }).startsWith("Cannot open file"));
    EXPECT_EQ(PointsText(channel), QStringLiteral("1,2"));
}

TEST_F(PlotChannelDataFileTest, LoadingEndsLoggingWithThePendingPointsWritten) {
    channel.SetLogBufferSize(10);
    channel.LogActivate(false);
    channel.AddXY(1, 2);
    const QString file = folder.Write("data.txt", "3\t4\r\n");
    channel.LoadDataFromFile(file, false);
    EXPECT_FALSE(channel.LoggingActive());
    EXPECT_EQ(Log(), QByteArray("1\t2\r\n"));
}

TEST(PlotChannelDataFileParseTest, MorePointsThanTheChannelCanTakeAreRefused) {
    EXPECT_EQ(MessageOf([] {
                  ParseChannelFileLines({"1\t2", "3\t4"}, 1);
              }),
              "Error Loading Data - The file holds more points than the channel can take (at "
              "most 1)");
}

TEST_F(PlotChannelDataFileTest, LogCallsOutOfOrderRaiseTheirMessages) {
    TestStripPlot fresh;
    TiPlotChannelCustom& other = *fresh.GetChannelCustom(0);
    EXPECT_EQ(MessageOf([&] { other.LogActivate(false); }), "Log File Name not Defined");
    EXPECT_EQ(MessageOf([&] { channel.LogDeactivate(); }), "Logging not Active");
    EXPECT_TRUE(MessageOf([&] { channel.LogActivate(true); }).startsWith("Cannot open file"));
    channel.LogActivate(false);
    EXPECT_EQ(Log(), QByteArray());
    EXPECT_EQ(MessageOf([&] { channel.LogActivate(false); }), "Logging Already Active");
    EXPECT_EQ(MessageOf([&] { channel.SetLogFileName(QStringLiteral("x")); }),
              "Log File Name can not be changed while logging is active.");
}

TEST_F(PlotChannelDataFileTest, SmallBuffersWriteEveryPointAndLargerOnesWhenFull) {
    channel.SetLogBufferSize(1);
    channel.LogActivate(false);
    channel.AddXY(1, 2);
    EXPECT_EQ(Log(), QByteArray("1\t2\r\n"));
    channel.LogDeactivate();
    channel.SetLogBufferSize(3);
    channel.LogActivate(true);
    channel.AddXY(2, 3);
    channel.AddXY(3, 4);
    EXPECT_EQ(Log(), QByteArray("1\t2\r\n"));
    channel.AddXY(4, 5);
    EXPECT_EQ(Log(), QByteArray("1\t2\r\n2\t3\r\n3\t4\r\n4\t5\r\n"));
}

TEST_F(PlotChannelDataFileTest, NullAndEmptyPointsBetweenLoggedOnesAreNotLogged) {
    channel.SetLogBufferSize(2);
    channel.LogActivate(false);
    channel.AddXY(1, 10);
    channel.AddXNull(1.5);
    channel.AddXEmpty(1.6);
    channel.AddXY(2, 20);
    EXPECT_EQ(Log(), QByteArray("1\t10\r\n2\t20\r\n"));
}

TEST_F(PlotChannelDataFileTest, ARingSmallerThanTheBufferWritesThePointsItHolds) {
    channel.SetRingBufferSize(2);
    channel.SetLogBufferSize(5);
    channel.LogActivate(false);
    for (int k = 1; k <= 5; ++k)
        channel.AddXY(k, 10 * k);
    EXPECT_EQ(Log(), QByteArray("4\t40\r\n5\t50\r\n"));
}

TEST_F(PlotChannelDataFileTest, DeletedAndCutPointsAreNotWritten) {
    channel.SetLogBufferSize(100);
    channel.LogActivate(false);
    for (int k = 1; k <= 5; ++k)
        channel.AddXY(k, k);
    channel.DeletePoints(1);
    channel.SetCount(3);
    channel.AddXY(6, 6);
    channel.LogDeactivate();
    EXPECT_EQ(Log(), QByteArray("2\t2\r\n3\t3\r\n4\t4\r\n6\t6\r\n"));
}

TEST_F(PlotChannelDataFileTest, ClearEndsLoggingAfterWritingThePendingPoints) {
    channel.SetLogBufferSize(100);
    channel.LogActivate(false);
    channel.AddXY(1, 2);
    channel.Clear();
    EXPECT_FALSE(channel.LoggingActive());
    EXPECT_EQ(channel.GetCount(), 0);
    EXPECT_EQ(Log(), QByteArray("1\t2\r\n"));
}

TEST_F(PlotChannelDataFileTest, AnUnwritableLogNeverFailsAnAddAndKeepsItsPointsPending) {
    const ExpectedGuardCatches expected;
    channel.LogActivate(false);
    QFile::remove(folder.Path("log.txt"));
    EXPECT_EQ(MessageOf([&] { channel.AddXY(1, 2); }), QString());
    EXPECT_EQ(channel.GetCount(), 1);
    EXPECT_TRUE(MessageOf([&] { channel.WriteLog(); }).startsWith("Cannot open file"));
    folder.Write("log.txt", "");
    channel.AddXY(3, 4);
    EXPECT_EQ(Log(), QByteArray("1\t2\r\n3\t4\r\n"));
    // A failed write at Clear is raised once the points are gone.
    channel.SetLogBufferSize(10);
    channel.AddXY(5, 6);
    QFile::remove(folder.Path("log.txt"));
    EXPECT_TRUE(MessageOf([&] { channel.Clear(); }).startsWith("Cannot open file"));
    EXPECT_EQ(channel.GetCount(), 0);
    EXPECT_FALSE(channel.LoggingActive());
}

TEST(PlotPointSerialsTest, SerialsFollowRingsDeletesAndCutsAndAreNeverGivenTwice) {
    TiPlotPointSerials serials;
    EXPECT_EQ(serials.Newest(), -1);
    for (int k = 0; k < 4; ++k)
        serials.Appended(false);
    serials.Appended(true);
    EXPECT_EQ(serials.IndexOf(0), -1);
    EXPECT_EQ(serials.IndexOf(1), 0);
    EXPECT_EQ(serials.IndexOf(4), 3);
    serials.RemovedNewest(2);
    serials.Appended(false);
    EXPECT_EQ(serials.IndexOf(3), -1);
    EXPECT_EQ(serials.IndexOf(4), -1);
    EXPECT_EQ(serials.IndexOf(5), 2);
    serials.RemovedOldest(2);
    EXPECT_EQ(serials.IndexOf(5), 0);
    serials.Cleared();
    EXPECT_EQ(serials.IndexOf(5), -1);
    serials.Appended(false);
    EXPECT_EQ(serials.IndexOf(6), 0);
}

} // namespace
