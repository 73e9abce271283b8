#pragma once

#include <cstddef>
#include <functional>
#include <string>

/// How many threads parallel work should use on this machine: the processors
/// this thread may run on, bounded by the cgroup's CPU quota (cgroup v2
/// cpu.max, or v1 cpu.cfs_quota_us over cpu.cfs_period_us) wherever the
/// process's cgroup or one above it sets one. At least 1. The quota is read
/// once per process.
unsigned AvailableProcessors() noexcept;

/// The most processors that the quotas in force on the cgroup named by
/// selfCgroup (the text of /proc/self/cgroup) allow, with the cgroup file
/// systems mounted at mountRoot (v2 at mountRoot itself, v1 controllers in
/// folders of it); 0 where nothing limits them. A quota of q over a period p
/// allows ceil(q / p) processors. For AvailableProcessors, and for tests with
/// a fake hierarchy.
unsigned CgroupProcessorLimit(const std::string& selfCgroup, const std::string& mountRoot);

/// Runs task(0) to task(count - 1) on up to threads threads, the calling one
/// among them, handing tasks out in order, and returns when all have run. The
/// other threads are workers of a pool that lives with the program and grows,
/// as runs ask for more, up to threads - 1 workers; no thread is started for
/// a run once the pool has enough, and none at all for a run of 1 thread or 1
/// task. A worker that cannot be started leaves its share to the others. If a
/// task throws, tasks not yet started are skipped and the first exception is
/// thrown again here once every thread has stopped. Inside a StopRequest::Scope
/// whose request is made, tasks not yet started are skipped and Stopped is
/// thrown. Inside a HelperGate::Scope whose gate is closed, the calling thread
/// works alone; workers join as the gate opens, from the thread that opens
/// it, or else before the calling thread's next task.
void RunInParallel(std::size_t count, unsigned threads,
                   const std::function<void(std::size_t)>& task);

/// Cuts [0, count) into consecutive ranges of rangeSize (> 0) items, the last
/// one shorter where count is no multiple of it, and runs task(begin, end)
/// for each as RunInParallel runs its tasks. Nothing runs when count is 0.
void RunInRanges(std::size_t count, std::size_t rangeSize, unsigned threads,
                 const std::function<void(std::size_t, std::size_t)>& task);
