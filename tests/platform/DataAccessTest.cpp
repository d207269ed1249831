#include "platform/DataAccess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

// A layer that only counts the servers asked of it.
class CountingDataAccess : public TNullDataAccess {
public:
    std::shared_ptr<TDataAccessServer> CreateServer(const QString&, const QString&) override {
        ++servers;
        return nullptr;
    }
    int servers = 0;
};

} // namespace

TEST(DataAccess, NullLayerConvertsEveryNameAndCreatesNoServer) {
    TDataAccess& layer = DataAccess();
    ASSERT_NE(dynamic_cast<TNullDataAccess*>(&layer), nullptr);
    EXPECT_EQ(layer.ClassIdFromProgId(QStringLiteral("Some.Server.1")),
              QStringLiteral("Some.Server.1"));
    EXPECT_EQ(layer.CreateServer(QString(), QStringLiteral("Some.Server.1")), nullptr);
    EXPECT_EQ(layer.CreateServerList(QStringLiteral("host")), nullptr);
}

TEST(DataAccess, NullNetworkAnswersEmptyFromTheEventLoopNotInsideTheCall) {
    bool answered = false;
    DataAccess().EnumerateNetwork({}, [&](const std::vector<TNetworkResource>& resources,
                                          const std::optional<EDataAccessError>& error) {
        answered = true;
        EXPECT_TRUE(resources.empty());
        EXPECT_FALSE(error.has_value());
    });
    EXPECT_FALSE(answered);
    QElapsedTimer waited;
    waited.start();
    while (!answered && waited.elapsed() < 1000)
        QCoreApplication::processEvents();
    EXPECT_TRUE(answered);
}

TEST(DataAccess, InstalledLayerServesUntilRemovedAndScopedOneWinsWhileItLives) {
    auto owned = std::make_unique<CountingDataAccess>();
    CountingDataAccess* installed = owned.get();
    InstallDataAccess(std::move(owned));
    EXPECT_EQ(&DataAccess(), installed);
    {
        CountingDataAccess scoped;
        ScopedDataAccess guard(scoped);
        DataAccess().CreateServer(QString(), QStringLiteral("x"));
        EXPECT_EQ(scoped.servers, 1);
        EXPECT_EQ(installed->servers, 0);
    }
    EXPECT_EQ(&DataAccess(), installed);
    InstallDataAccess(nullptr);
    EXPECT_NE(dynamic_cast<TNullDataAccess*>(&DataAccess()), nullptr);
}
