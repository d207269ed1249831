// Fails the running test at every catch of a guard (platform/GuardReport) that the test did
// not announce by holding an ExpectedGuardCatches, so a swallowed error never passes unseen.
#pragma once

// Installs the watch; the tests' main calls it once.
void WatchGuardCatches();

// While one lives, catches are counted instead of failing the test.
class ExpectedGuardCatches {
public:
    ExpectedGuardCatches();
    ~ExpectedGuardCatches();
    ExpectedGuardCatches(const ExpectedGuardCatches&) = delete;
    ExpectedGuardCatches& operator=(const ExpectedGuardCatches&) = delete;

    // The catches since this one began.
    int Count() const;

private:
    int start_;
};
