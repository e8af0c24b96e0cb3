#include "settings/scoped_value.h"

#include <gtest/gtest.h>

#include <stdexcept>

// A re-entrancy guard is given back whichever way its scope is left, and a nested one does not
// clear the outer one's.
TEST(ScopedValue, GivesBackTheOldValueHoweverTheScopeEnds) {
    bool guard = false;
    try {
        const ScopedValue set(guard, true);
        throw std::runtime_error("left early");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(guard);

    {
        const ScopedValue outer(guard, true);
        { const ScopedValue inner(guard, true); }
        EXPECT_TRUE(guard);
    }
    EXPECT_FALSE(guard);
}
