#include "../instruments/controls/InputSender.h"
#include "EventLoopWatch.h"
#include "UaSharedPeer.h"
#include "instruments/controls/iKnob.h"
#include "instruments/controls/iModeComboBox.h"
#include "instruments/controls/iSwitchLever.h"
#include "opcua/UaDataAccess.h"
#include "plot/channels/iPlotChannel.h"
#include "plot/iPlot.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Controls and channels bound to the peer's nodes through the OPC UA adapter.
class LivePeerTest : public UaSharedPeerTest {
protected:
    void TearDown() override {
        // Clients are let go from the event loop.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    TiOPCItem& Bind(TiVCLComponent& control, const QString& property, const QString& node,
                    const QString& endpoint) {
        TiOPCItem& item = *control.GetOPCItem(control.OPCAddItem());
        item.SetPropertyName(property);
        item.SetComputerName(QString());
        item.SetServerName(endpoint);
        item.SetItemName(node);
        item.SetUpdateRate(50);
        item.Activate();
        return item;
    }
    bool Until(const std::function<bool()>& done, int ms = 10000) {
        return watch.RunUntil(done, ms);
    }

    UaDataAccess layer;
    ScopedDataAccess installed{layer};
    EventLoopWatch watch;
};

TEST_F(LivePeerTest, KnobFollowsTheWritableDoubleAndWritesAFinishedDrag) {
    TiKnob knob;
    knob.resize(145, 145);
    TiOPCItem& item = Bind(knob, "Position", "ns=1;s=Writable.Double", Peer().EndpointUrl());
    ASSERT_TRUE(Until([&] { return item.GetQualityGood(); }));
    knob.SetOPCItemData(0, 42.0);
    ASSERT_TRUE(Until([&] { return knob.Position() == 42.0; }));

    InputSender input(knob);
    input.Press({62, 72});
    input.Move({62, 73});
    input.Release({62, 73});
    const double dragged = knob.Position();
    ASSERT_NE(dragged, 42.0);
    ASSERT_TRUE(Until([&] { return item.Data().toDouble() == dragged; }));
    EXPECT_EQ(knob.Position(), dragged);
}

TEST_F(LivePeerTest, LeverFollowsTheWritableBoolean) {
    TiSwitchLever lever;
    TiOPCItem& item = Bind(lever, "Active", "ns=1;s=Writable.Boolean", Peer().EndpointUrl());
    ASSERT_TRUE(Until([&] { return item.GetQualityGood(); }));
    lever.SetActive(!lever.Active());
    const bool sent = lever.Active();
    ASSERT_TRUE(Until([&] { return item.Data().toBool() == sent; }));
    lever.SetOPCItemData(0, !sent);
    ASSERT_TRUE(Until([&] { return lever.Active() == !sent; }));
}

TEST_F(LivePeerTest, StripChartChannelPlotsTheSineAtItsRate) {
    TiPlot plot;
    TiPlotChannel& channel = *plot.GetChannel(plot.AddChannel());
    channel.SetOPCServerName(Peer().EndpointUrl());
    channel.SetOPCItemName("ns=1;s=Dynamic.Sine");
    channel.SetOPCUpdateRate(50);
    channel.Loaded();
    ASSERT_TRUE(Until([&] { return channel.GetCount() >= 2; }));
    const int before = channel.GetCount();
    watch.Run(1000);
    const int perSecond = channel.GetCount() - before;
    EXPECT_GE(perSecond, 8);
    EXPECT_LE(perSecond, 40);
    for (int i = 0; i < channel.GetCount(); ++i)
        if (!channel.GetDataNull(i)) {
            EXPECT_LE(std::abs(channel.GetDataY(i)), 1.0);
        }
}

TEST_F(LivePeerTest, AutoErrorShowsOnTheComboBoxWhileThePeerIsDown) {
    UaTestPeer own;
    ASSERT_TRUE(own.Start()) << own.Error().toStdString();
    layer.SetKeepAliveInterval(500);
    TiModeComboBox box;
    box.AddItem("Off", 0);
    box.AddItem("On", 1);
    TiOPCItem& item = Bind(box, "Value", "ns=1;s=Writable.Double", own.EndpointUrl());
    item.SetAutoError(true);
    ASSERT_TRUE(Until([&] { return item.GetQualityGood(); }));
    EXPECT_FALSE(box.ErrorActive());
    own.Kill();
    ASSERT_TRUE(Until([&] { return box.ErrorActive(); }, 6000));
    ASSERT_TRUE(own.Restart()) << own.Error().toStdString();
    ASSERT_TRUE(Until([&] { return !box.ErrorActive(); }, 8000));
}

TEST_F(LivePeerTest, SavedControlConnectsAgainWhenReadBack) {
    QTemporaryDir dir;
    const QString file = dir.filePath("knob.txt");
    {
        TiKnob knob;
        Bind(knob, "Position", "ns=1;s=Writable.Double", Peer().EndpointUrl());
        knob.SavePropertiesToFile(file);
    }
    TiKnob loaded;
    loaded.LoadPropertiesFromFile(file);
    ASSERT_EQ(loaded.OPCItemCount(), 1);
    EXPECT_TRUE(loaded.GetOPCItem(0)->Active());
    ASSERT_TRUE(Until([&] { return loaded.GetOPCItem(0)->GetQualityGood(); }));
    loaded.SetOPCItemData(0, 12.5);
    ASSERT_TRUE(Until([&] { return loaded.Position() == 12.5; }));
}

TEST_F(LivePeerTest, FormNamingADownOrSilentServerOpensAtOnce) {
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 closedPort = closed.serverPort();
    closed.close();
    QTemporaryDir dir;
    const QString file = dir.filePath("knob.txt");
    {
        TiKnob knob;
        for (const quint16 port : {silent.serverPort(), closedPort}) {
            TiOPCItem& item = *knob.GetOPCItem(knob.OPCAddItem());
            item.SetPropertyName("Position");
            item.SetServerName(QString("opc.tcp://127.0.0.1:%1").arg(port));
            item.SetItemName("ns=1;s=Writable.Double");
            item.SetAutoError(true);
        }
        knob.SavePropertiesToFile(file);
    }
    TiKnob loaded;
    QElapsedTimer opening;
    opening.start();
    loaded.LoadPropertiesFromFile(file);
    EXPECT_LT(opening.elapsed(), 500);
    ASSERT_EQ(loaded.OPCItemCount(), 2);
    EXPECT_TRUE(loaded.GetOPCItem(0)->Active());
    EXPECT_TRUE(loaded.GetOPCItem(1)->Active());
    EXPECT_TRUE(Until([&] { return loaded.ErrorActive(); }, 8000));
}

} // namespace
