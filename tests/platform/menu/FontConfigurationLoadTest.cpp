#include "platform/FontConfigurationLoad.h"
#include "platform/HostDisplay.h"
#include "platform/HostMenu.h"
#include "tests/platform/DisplayProcess.h"

#include <gtest/gtest.h>

namespace host::test {
namespace {

TEST(FontConfigurationLoadTest, ReadsNothingWithoutADisplay) {
    if (HasDisplay()) {
        GTEST_SKIP() << "another test opened the display in this process";
    }
    FontConfigurationLoad load;
    EXPECT_FALSE(load.Wait());
}

TEST(FontConfigurationLoadTest, ReadsBesideTheCallerAndLeavesTheMenuFontToLoad) {
    RunWithDisplay([] {
        {
            FontConfigurationLoad load;
            EXPECT_TRUE(load.Wait());
            EXPECT_TRUE(load.Wait()); // waiting again finds it ended
        }
        { const FontConfigurationLoad again; } // read already: ends at once
        PrepareMenuFont();
    });
}

} // namespace
} // namespace host::test
