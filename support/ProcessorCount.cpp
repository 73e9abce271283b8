// How many processors parallel work may use: the affinity mask, bounded by
// the cgroup's CPU quota, which a container's limit sets while the mask still
// names every processor of the host.

#include "support/Parallel.h"

#include <algorithm>
#include <fstream>
#include <sched.h>
#include <sstream>
#include <thread>

namespace {

// ceil(quota / period), or 0 for no limit or values that are no limit.
unsigned ProcessorsFor(long long quota, long long period) {
    if (quota <= 0 || period <= 0) {
        return 0;
    }
    return static_cast<unsigned>(std::max(1LL, (quota + period - 1) / period));
}

// The tighter of two limits, where 0 is none.
unsigned Tighter(unsigned a, unsigned b) {
    return a == 0 ? b : b == 0 ? a : std::min(a, b);
}

// v2: "max 100000" or "150000 100000".
unsigned ReadCpuMax(const std::string& folder) {
    std::ifstream file(folder + "/cpu.max");
    std::string quota;
    long long period = 0;
    if (!(file >> quota >> period) || quota == "max") {
        return 0;
    }
    try {
        return ProcessorsFor(std::stoll(quota), period);
    } catch (const std::exception&) {
        return 0;
    }
}

// v1: a quota of -1 is none.
unsigned ReadCfsQuota(const std::string& folder) {
    long long quota = 0;
    long long period = 0;
    std::ifstream quotaFile(folder + "/cpu.cfs_quota_us");
    std::ifstream periodFile(folder + "/cpu.cfs_period_us");
    if (!(quotaFile >> quota) || !(periodFile >> period)) {
        return 0;
    }
    return ProcessorsFor(quota, period);
}

// The tightest limit from the cgroup at path up to the root of the hierarchy
// mounted at mount.
template <typename Read> unsigned WalkUp(const std::string& mount, std::string path, Read read) {
    unsigned limit = 0;
    for (;;) {
        while (path.size() > 1 && path.back() == '/') {
            path.pop_back();
        }
        limit = Tighter(limit, read(mount + (path == "/" ? "" : path)));
        if (path.empty() || path == "/") {
            return limit;
        }
        const std::size_t slash = path.rfind('/');
        path = slash == std::string::npos || slash == 0 ? "/" : path.substr(0, slash);
    }
}

bool NamesCpuController(const std::string& controllers) {
    std::istringstream list(controllers);
    std::string name;
    while (std::getline(list, name, ',')) {
        if (name == "cpu") {
            return true;
        }
    }
    return false;
}

unsigned ReadProcessQuota() noexcept {
    try {
        std::ifstream file("/proc/self/cgroup");
        std::ostringstream text;
        text << file.rdbuf();
        return CgroupProcessorLimit(text.str(), "/sys/fs/cgroup");
    } catch (...) {
        return 0;
    }
}

} // namespace

unsigned CgroupProcessorLimit(const std::string& selfCgroup, const std::string& mountRoot) {
    std::istringstream lines(selfCgroup);
    std::string line;
    unsigned limit = 0;
    while (std::getline(lines, line)) {
        // hierarchy-ID:controller-list:cgroup-path
        const std::size_t first = line.find(':');
        const std::size_t second = first == std::string::npos ? first : line.find(':', first + 1);
        if (second == std::string::npos) {
            continue;
        }
        const std::string controllers = line.substr(first + 1, second - first - 1);
        const std::string path = line.substr(second + 1);
        if (line.compare(0, first, "0") == 0 && controllers.empty()) {
            limit = Tighter(limit, WalkUp(mountRoot, path, ReadCpuMax));
        } else if (NamesCpuController(controllers)) {
            limit = Tighter(limit, WalkUp(mountRoot + "/" + controllers, path, ReadCfsQuota));
            limit = Tighter(limit, WalkUp(mountRoot + "/cpu", path, ReadCfsQuota));
        }
    }
    return limit;
}

unsigned AvailableProcessors() noexcept {
    static const unsigned s_quota = ReadProcessQuota();
    unsigned count = 0;
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0) {
        count = static_cast<unsigned>(CPU_COUNT(&set));
    } else {
        count = std::thread::hardware_concurrency();
    }
    return std::max(Tighter(count, s_quota), 1u);
}
