// Holding a variable for the length of a call: nested holders and exceptions
// leave it as it was.

#include "platform/ScopedValue.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using host::ScopedValue;

TEST(ScopedValueTest, NestedHoldersRestoreWhatTheyFoundNotAFixedValue) {
    bool flag = false;
    {
        const ScopedValue<bool> outer(flag, true);
        {
            const ScopedValue<bool> inner(flag, true);
            EXPECT_TRUE(flag);
        }
        EXPECT_TRUE(flag) << "an inner holder must not clear what the outer one still holds";
        {
            const ScopedValue<bool> off(flag, false);
            EXPECT_FALSE(flag);
        }
        EXPECT_TRUE(flag);
    }
    EXPECT_FALSE(flag);
}

TEST(ScopedValueTest, AnExceptionLeavesThePointerAsItWas) {
    int a = 1;
    int b = 2;
    int* current = &a;
    const auto hold = [&] {
        const ScopedValue<int*> routing(current, &b);
        EXPECT_EQ(current, &b);
        throw std::runtime_error("handler failed");
    };
    EXPECT_THROW(hold(), std::runtime_error);
    EXPECT_EQ(current, &a);
}

} // namespace
