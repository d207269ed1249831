#include "GuardCatchWatch.h"

#include "platform/GuardReport.h"

#include <gtest/gtest.h>

namespace {

int expectedDepth = 0;
int caught = 0;

void OnGuardCatch(const char* Where, const char* What) {
    ++caught;
    if (expectedDepth == 0) ADD_FAILURE() << "unexpected guard catch in " << Where << ": " << What;
}

} // namespace

void WatchGuardCatches() {
    SetGuardCatchListener(&OnGuardCatch);
}

ExpectedGuardCatches::ExpectedGuardCatches() : start_(caught) {
    ++expectedDepth;
}

ExpectedGuardCatches::~ExpectedGuardCatches() {
    --expectedDepth;
}

int ExpectedGuardCatches::Count() const {
    return caught - start_;
}
