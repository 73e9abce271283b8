#include "support/Parallel.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct File {
    std::string path; // under the fake mount root
    std::string text;
};

struct Case {
    const char* what;
    std::vector<File> files;
    std::string selfCgroup;
    unsigned limit;
};

TEST(ProcessorCountTest, TheTightestQuotaOnTheWayToTheRootLimitsTheProcessors) {
    const Case cases[] = {
        {"v2, no quota", {{"app/cpu.max", "max 100000\n"}}, "0::/app\n", 0},
        {"v2, a quota of 1.5 processors", {{"app/cpu.max", "150000 100000\n"}}, "0::/app\n", 2},
        {"v2, a quota of 2", {{"a/b/cpu.max", "200000 100000\n"}}, "0::/a/b\n", 2},
        {"v2, a tighter parent",
         {{"a/cpu.max", "100000 100000\n"}, {"a/b/cpu.max", "400000 100000\n"}},
         "0::/a/b\n",
         1},
        {"v2, less than one processor", {{"app/cpu.max", "5000 100000\n"}}, "0::/app\n", 1},
        {"v2, the root of a namespace", {{"cpu.max", "300000 100000\n"}}, "0::/\n", 3},
        {"v2, no cpu.max at all", {}, "0::/app\n", 0},
        {"v2, a file that makes no sense", {{"app/cpu.max", "lots\n"}}, "0::/app\n", 0},
        {"v1, a quota",
         {{"cpu,cpuacct/app/cpu.cfs_quota_us", "250000\n"},
          {"cpu,cpuacct/app/cpu.cfs_period_us", "100000\n"}},
         "4:memory:/app\n3:cpu,cpuacct:/app\n",
         3},
        {"v1, none",
         {{"cpu,cpuacct/app/cpu.cfs_quota_us", "-1\n"},
          {"cpu,cpuacct/app/cpu.cfs_period_us", "100000\n"}},
         "3:cpu,cpuacct:/app\n",
         0},
        {"v1 controllers other than the processor's",
         {{"cpuset/app/cpu.cfs_quota_us", "100000\n"},
          {"cpuset/app/cpu.cfs_period_us", "100000\n"}},
         "5:cpuset:/app\n",
         0},
    };
    for (const Case& c : cases) {
        const TempFolder root("kovo-cgroup");
        for (const File& file : c.files) {
            const std::filesystem::path path = root.Path() + "/" + file.path;
            std::filesystem::create_directories(path.parent_path());
            std::ofstream(path) << file.text;
        }
        EXPECT_EQ(CgroupProcessorLimit(c.selfCgroup, root.Path()), c.limit) << c.what;
    }
    EXPECT_GE(AvailableProcessors(), 1u);
}

} // namespace
