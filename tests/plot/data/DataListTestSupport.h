// Shared helpers of the data list tests: exact error messages and allocation failures.
#pragma once

#include "platform/Exception.h"

#include <cstdlib>
#include <gtest/gtest.h>

template <class F> void ExpectError(F&& action, const char* message) {
    try {
        action();
        ADD_FAILURE() << "expected \"" << message << "\"";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message().toStdString(), message);
    }
}

inline void* FailingReallocate(void*, std::size_t) {
    return nullptr;
}
