#include "platform/gl/RasteriserSpread.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include <dirent.h>

namespace host {

namespace {

// The processors that the calling thread may run on, in order.
std::vector<int> UsableProcessors() {
    cpu_set_t set;
    CPU_ZERO(&set);
    std::vector<int> processors;
    if (sched_getaffinity(0, sizeof set, &set) != 0) {
        return processors;
    }
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
        if (CPU_ISSET(cpu, &set)) {
            processors.push_back(cpu);
        }
    }
    return processors;
}

// The threads of this process whose names begin with prefix, oldest first.
std::vector<pid_t> ThreadsNamed(const char* prefix) {
    std::vector<pid_t> threads;
    const std::unique_ptr<DIR, int (*)(DIR*)> tasks(opendir("/proc/self/task"), closedir);
    if (!tasks) {
        return threads;
    }
    while (const dirent* entry = readdir(tasks.get())) {
        if (entry->d_name[0] == '.') {
            continue;
        }
        std::string name;
        std::ifstream comm(std::string("/proc/self/task/") + entry->d_name + "/comm");
        if (std::getline(comm, name) && name.compare(0, std::strlen(prefix), prefix) == 0) {
            threads.push_back(static_cast<pid_t>(std::stol(entry->d_name)));
        }
    }
    std::sort(threads.begin(), threads.end()); // numbered as they were started
    return threads;
}

} // namespace

RasteriserSpread::RasteriserSpread(const char* namePrefix) {
    const std::vector<int> processors = UsableProcessors();
    if (processors.size() < 2) {
        return; // nowhere to spread to
    }
    const std::vector<pid_t> threads = ThreadsNamed(namePrefix);
    for (std::size_t i = 0; i < threads.size(); ++i) {
        Bound bound{threads[i], {}};
        if (sched_getaffinity(bound.thread, sizeof bound.processors, &bound.processors) != 0) {
            continue; // ended since it was listed
        }
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(processors[i % processors.size()], &one);
        if (sched_setaffinity(bound.thread, sizeof one, &one) == 0) {
            m_bound.push_back(bound);
        }
    }
}

RasteriserSpread::~RasteriserSpread() {
    for (const Bound& bound : m_bound) {
        sched_setaffinity(bound.thread, sizeof bound.processors, &bound.processors);
    }
}

} // namespace host
