// Runs every test of one executable inside a QApplication on the offscreen platform; a guard
// that catches an error the test did not expect fails that test.
#include "GuardCatchWatch.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    WatchGuardCatches();
    return RUN_ALL_TESTS();
}
