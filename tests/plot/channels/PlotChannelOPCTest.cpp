#include "ChannelTestAxis.h"
#include "FakeDataAccess.h"
#include "platform/Clock.h"
#include "plot/channels/iPlotChannel.h"

#include <gtest/gtest.h>

namespace {

// A strip-chart channel bound through the fake layer.
class PlotChannelOPCTest : public ::testing::Test {
protected:
    PlotChannelOPCTest() {
        channel.SetOPCServerName("Fake.Server");
        channel.SetOPCItemName("Device.Sine");
        channel.SetOPCUpdateRate(100);
    }
    FakeGroup& Group() const { return layer.LastServer().LastGroup(); }

    ManualClock clock{45000.0};
    ScopedClock installedClock{[this] { return clock(); }};
    FakeDataAccess layer;
    ScopedDataAccess installed{layer};
    ChannelTestPlot plot;
    TiPlotChannel& channel = *plot.Channel;
};

TEST_F(PlotChannelOPCTest, PropertiesAreTheItemsAndLoadedConnectsWithAutoConnect) {
    EXPECT_EQ(channel.OPCItem().PropertyName(), "Data");
    EXPECT_EQ(channel.OPCComputerName(), "");
    EXPECT_EQ(channel.OPCItem().UpdateRate(), 100);
    channel.SetOPCAutoConnect(false);
    channel.Loaded();
    EXPECT_FALSE(channel.OPCItem().Active());
    channel.SetOPCAutoConnect(true);
    channel.Loaded();
    ASSERT_TRUE(channel.OPCItem().Active());
    EXPECT_EQ(layer.LastServer().GroupDefinitions.back().UpdateRate, 100);
    channel.OPCDeactivate();
    EXPECT_FALSE(channel.OPCItem().Active());
    channel.OPCActivate();
    EXPECT_TRUE(channel.OPCItem().Active());
}

TEST_F(PlotChannelOPCTest, ValuesBecomePointsAndBadOnesBreakTheTrace) {
    channel.OPCActivate();
    const qint64 fileTime = (1577836800000LL + 11644473600000LL) * 10000;
    Group().Deliver(1.5, TDataAccessQuality::Good, fileTime);
    clock.AdvanceMilliseconds(1000);
    Group().Deliver(2.5);
    Group().Deliver(QVariant(), TDataAccessQuality::BadCommFailure);
    Group().Deliver("n/a");
    ASSERT_EQ(channel.GetCount(), 4);
    EXPECT_NEAR(channel.GetDataX(0), 43831.0, 1.0) << "the server's time stamp";
    EXPECT_EQ(channel.GetDataY(1), 2.5);
    EXPECT_DOUBLE_EQ(channel.GetDataX(1), clock()) << "no time stamp: the time it arrived";
    EXPECT_FALSE(channel.GetDataNull(1));
    EXPECT_TRUE(channel.GetDataNull(2));
    EXPECT_TRUE(channel.GetDataNull(3));
    EXPECT_EQ(channel.Statistics().Count, 2);
}

TEST_F(PlotChannelOPCTest, StripChartTakesXFromItsValueSource) {
    channel.OPCActivate();
    const qint64 fileTime = (1577836800000LL + 11644473600000LL) * 10000;
    channel.ResetElapsedStartTime();
    clock.AdvanceMilliseconds(2000);
    channel.SetOPCXValueSource(TiPlotChannel::iopcxvsSystemTimeStamp);
    Group().Deliver(1.0, TDataAccessQuality::Good, fileTime);
    channel.SetOPCXValueSource(TiPlotChannel::iopcxvsElapsedSeconds);
    Group().Deliver(2.0, TDataAccessQuality::Good, fileTime);
    channel.SetOPCXValueSource(TiPlotChannel::iopcxvsElapsedTime);
    Group().Deliver(3.0, TDataAccessQuality::Good, fileTime);
    EXPECT_DOUBLE_EQ(channel.GetDataX(0), clock());
    EXPECT_NEAR(channel.GetDataX(1), 2.0, 1e-6);
    EXPECT_NEAR(channel.GetDataX(2), 2.0 / 86400, 1e-9);
}

} // namespace
