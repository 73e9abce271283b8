#pragma once

#include <cstddef>
#include <functional>

/// The number of processors this thread may run on; at least 1.
unsigned AvailableProcessors() noexcept;

/// Runs task(0) to task(count - 1) on up to threads threads, the calling one
/// among them, handing tasks out in order, and returns when all have run. A
/// thread that cannot be started leaves its share to the others. If a task
/// throws, tasks not yet started are skipped and the first exception is thrown
/// again here once every thread has stopped. Inside a HelperGate::Scope whose
/// gate is closed, the calling thread works alone; the others start as the
/// gate opens, from the thread that opens it, or else before the calling
/// thread's next task.
void RunInParallel(std::size_t count, unsigned threads,
                   const std::function<void(std::size_t)>& task);

/// Cuts [0, count) into consecutive ranges of rangeSize (> 0) items, the last
/// one shorter where count is no multiple of it, and runs task(begin, end)
/// for each as RunInParallel runs its tasks. Nothing runs when count is 0.
void RunInRanges(std::size_t count, std::size_t rangeSize, unsigned threads,
                 const std::function<void(std::size_t, std::size_t)>& task);
