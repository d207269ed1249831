// A channel keeps its axes' channel face between points, and lets go of it whenever the
// binding may now name another object.
#include "../objects/PlotTestHost.h"

#include "plot/channels/iPlotChannel.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotMasterManager.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

using K = TiPlotObjectKind;

class ChannelAxisLink : public testing::Test {
protected:
    ChannelAxisLink() {
        host.SetMasterManager(master.get());
        master->Add(K::XAxis);
        master->Add(K::YAxis);
        master->Add(K::Channel);
        Channel().SetYAxisTrackingEnabled(false);
    }
    ~ChannelAxisLink() override { host.SetMasterManager(nullptr); }

    TiPlotAxis& X(int index = 0) const {
        return *qobject_cast<TiPlotAxis*>(master->Get(K::XAxis, index));
    }
    TiPlotChannel& Channel() const {
        return *qobject_cast<TiPlotChannel*>(master->Get(K::Channel, 0));
    }

    TestPlotHost host;
    std::unique_ptr<TiPlotMasterManager> master = std::make_unique<TiPlotMasterManager>(&host);
};

TEST_F(ChannelAxisLink, DeletedAxisIsNeverTrackedAndItsSuccessorIsFound) {
    const QString name = Channel().XAxisName();
    // A first value outside the axis aligns its Min.
    Channel().AddXY(500, 1);
    EXPECT_DOUBLE_EQ(X().Min(), 500);
    // Under the address sanitizer a point reaching the deleted axis fails here.
    master->Delete(K::XAxis, 0);
    Channel().AddXY(600, 1);
    EXPECT_EQ(Channel().XAxis(), nullptr);
    master->Add(K::XAxis);
    X().SetName(name);
    Channel().AddXY(700, 1);
    EXPECT_DOUBLE_EQ(X().Min(), 700);
    EXPECT_EQ(Channel().XAxisName(), name);
}

TEST_F(ChannelAxisLink, RenamedOrRenamedAwayAxesBindAsTheNamesSay) {
    master->Add(K::XAxis);
    X(1).SetName(QStringLiteral("Second"));
    Channel().AddXY(5, 1);
    // The bound axis renamed: the binding follows it.
    X().SetName(QStringLiteral("First"));
    EXPECT_EQ(Channel().XAxisName(), "First");
    Channel().AddXY(50, 1);
    EXPECT_GE(X().Min() + X().Span(), 50);
    // Bound to the other axis by name: points go there from now on.
    const double firstMin = X().Min();
    Channel().SetXAxisName(QStringLiteral("Second"));
    Channel().AddXY(900, 1);
    EXPECT_DOUBLE_EQ(X().Min(), firstMin);
    EXPECT_DOUBLE_EQ(X(1).Min(), 900);
}

} // namespace
