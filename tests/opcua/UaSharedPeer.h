// One test peer for every suite of the executable that only reads what it serves or writes
// its own variables: it takes seconds to start. Started on first use, stopped after the last
// test; a test that stops its server starts a UaTestPeer of its own.
#pragma once

#include "UaTestPeer.h"
#include "opcua/UaNodeId.h"

#include <gtest/gtest.h>

// A node of the peer's own namespace by its string identifier ("Dynamic.Sine").
inline UaNodeId PeerNode(const QString& id) {
    return UaNodeId::String(1, id);
}

class UaSharedPeer : public testing::Environment {
public:
    // The running peer, or nullptr with why (for GTEST_SKIP or a failure).
    static UaTestPeer* Get(QString* why);
    void TearDown() override;

private:
    static inline UaTestPeer* peer_ = nullptr;
    static inline QString error_;
    static inline bool tried_ = false;
};

// The suites' fixture: a test skips when no peer can run here and fails when it will not start.
class UaSharedPeerTest : public testing::Test {
protected:
    void SetUp() override;
    UaTestPeer& Peer() { return *peer_; }

private:
    UaTestPeer* peer_ = nullptr;
};
