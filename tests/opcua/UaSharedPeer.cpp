#include "UaSharedPeer.h"

namespace {

const testing::Environment* const registered = testing::AddGlobalTestEnvironment(new UaSharedPeer);

} // namespace

UaTestPeer* UaSharedPeer::Get(QString* why) {
    if (!tried_) {
        tried_ = true;
        if (UaTestPeer::Available(&error_)) {
            peer_ = new UaTestPeer;
            if (!peer_->Start()) error_ = peer_->Error();
        }
    }
    if (peer_ && peer_->Running()) return peer_;
    *why = error_.isEmpty() ? QStringLiteral("the shared peer stopped") : error_;
    return nullptr;
}

void UaSharedPeer::TearDown() {
    delete peer_;
    peer_ = nullptr;
}

void UaSharedPeerTest::SetUp() {
    QString why;
    peer_ = UaSharedPeer::Get(&why);
    if (peer_) return;
    if (!UaTestPeer::Available(&why)) GTEST_SKIP() << why.toStdString();
    FAIL() << why.toStdString();
}
