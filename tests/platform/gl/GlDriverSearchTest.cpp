#include "platform/gl/GlDriverSearch.h"
#include "platform/GlDriverPreload.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <thread>

#include <dlfcn.h>
#include <sys/stat.h>

namespace host::test {
namespace {

class GlDriverSearchTest : public ::testing::Test {
protected:
    TempFolder m_temp{"kovo-dri"};
    const std::string& m_folder = m_temp.Path();

    // A folder under the test's own, holding a driver file when asked to.
    std::string Folder(const std::string& name, bool withDriver) {
        const std::string folder = m_folder + "/" + name;
        EXPECT_EQ(::mkdir(folder.c_str(), 0700), 0);
        if (withDriver) {
            std::ofstream(folder + "/swrast_dri.so") << "not really a library";
        }
        return folder;
    }
};

TEST_F(GlDriverSearchTest, TheFirstFolderWithTheDriverWinsAndTheVariableReplacesTheDefaults) {
    const std::string none = Folder("none", false);
    const std::string first = Folder("first", true);
    const std::string second = Folder("second", true);
    // A folder named like the driver is not the driver.
    const std::string decoy = Folder("decoy", false);
    ASSERT_EQ(::mkdir((decoy + "/swrast_dri.so").c_str(), 0700), 0);
    const std::vector<std::string> defaults{m_folder + "/missing", decoy, none, second};

    GlDriverSettings settings;
    EXPECT_EQ(FindGlDriver(settings, defaults), second + "/swrast_dri.so");
    EXPECT_EQ(FindGlDriver(settings, {none}), "");

    const std::string list = "::" + none + ":" + first + ":" + second;
    settings.driverFolders = list.c_str();
    EXPECT_EQ(FindGlDriver(settings, defaults), first + "/swrast_dri.so");
    // Set, the variable alone is searched, even when it names nothing.
    settings.driverFolders = none.c_str();
    EXPECT_EQ(FindGlDriver(settings, defaults), "");
    settings.driverFolders = "";
    EXPECT_EQ(FindGlDriver(settings, defaults), "");
}

TEST_F(GlDriverSearchTest, NothingIsNamedForAnotherVendorOrIndirectRendering) {
    const std::vector<std::string> defaults{Folder("dri", true)};
    const std::string driver = defaults[0] + "/swrast_dri.so";
    struct Case {
        const char* vendor;
        const char* indirect;
        bool named;
    };
    const Case cases[] = {
        {"mesa", nullptr, true},  {"nvidia", nullptr, false}, {"", nullptr, false},
        {nullptr, "1", false},    {nullptr, "TRUE", false},   {nullptr, "yes", false},
        {nullptr, "y", false},    {nullptr, "0", true},       {nullptr, "false", true},
        {nullptr, "maybe", true}, {nullptr, "", true},
    };
    for (const Case& c : cases) {
        GlDriverSettings settings;
        settings.vendor = c.vendor;
        settings.indirect = c.indirect;
        EXPECT_EQ(FindGlDriver(settings, defaults), c.named ? driver : "")
            << (c.vendor ? c.vendor : "-") << ' ' << (c.indirect ? c.indirect : "-");
    }
}

TEST(GlDriverPreloadTest, TheDriverNamedIsLoadedAfterAPreloadOnAnotherThread) {
    const std::string driver = GlDriverToPreload();
    if (driver.empty()) {
        GTEST_SKIP() << "no GL driver to load here";
    }
    std::thread(PreloadGlDriver).join();
    void* loaded = ::dlopen(driver.c_str(), RTLD_NOW | RTLD_NOLOAD);
    EXPECT_NE(loaded, nullptr) << driver;
    if (loaded != nullptr) {
        ::dlclose(loaded);
    }
}

} // namespace
} // namespace host::test
