#pragma once

#include "base/failure.h"

#include <gtest/gtest.h>

#include <ostream>

// Shows a failure by its message in a test's output, not as a row of bytes.
inline void PrintTo(const Failure& failure, std::ostream* out) {
    *out << (failure.succeeded() ? std::string("success")
                                 : "failure: " + failure.message().toStdString());
}

// An assertion that an operation succeeded which, when it did not, says why.
inline testing::AssertionResult succeeded(const Failure& failure) {
    if (failure.succeeded())
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "failed: " << failure.message().toStdString();
}

#define EXPECT_SUCCEEDS(expression) EXPECT_TRUE(succeeded(expression))
#define ASSERT_SUCCEEDS(expression) ASSERT_TRUE(succeeded(expression))
