#include "model/Parallel.h"

#include "model/HelperGate.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <exception>
#include <mutex>
#include <sched.h>
#include <system_error>
#include <thread>
#include <vector>

unsigned AvailableProcessors() noexcept {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0) {
        return static_cast<unsigned>(std::max(CPU_COUNT(&set), 1));
    }
    return std::max(std::thread::hardware_concurrency(), 1u);
}

namespace {

// What the threads of one run share: the next task and the first failure.
class TaskQueue {
public:
    TaskQueue(std::size_t count, const std::function<void(std::size_t)>& task)
        : m_count(count), m_task(task) {}

    void Work() noexcept {
        while (RunNext()) {
        }
    }

    /// Runs the next task; false when none was left.
    bool RunNext() noexcept {
        const std::size_t i = m_next++;
        if (i >= m_count) {
            return false;
        }
        try {
            m_task(i);
        } catch (...) {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_failure = m_failure ? m_failure : std::current_exception();
            m_next = m_count;
        }
        return true;
    }

    void ThrowFailure() const {
        if (m_failure) {
            std::rethrow_exception(m_failure);
        }
    }

private:
    const std::size_t m_count;
    const std::function<void(std::size_t)>& m_task;
    std::atomic<std::size_t> m_next{0};
    std::mutex m_mutex;
    std::exception_ptr m_failure;
};

// Starts up to count threads that work on queue beside the caller.
void StartHelpers(std::size_t count, TaskQueue& queue, std::vector<std::thread>& helpers) {
    for (std::size_t i = 0; i < count; ++i) {
        try {
            helpers.emplace_back([&queue] { queue.Work(); });
        } catch (const std::system_error&) {
            return; // the threads that did start share the work
        }
    }
}

} // namespace

void RunInParallel(std::size_t count, unsigned threads,
                   const std::function<void(std::size_t)>& task) {
    TaskQueue queue(count, task);
    const HelperGate* const gate = HelperGate::Current();
    std::vector<std::thread> helpers;
    const std::size_t wanted = std::min<std::size_t>(threads, count);
    helpers.reserve(wanted); // no allocation may fail once a thread runs
    bool started = wanted < 2;
    do {
        if (!started && (gate == nullptr || gate->IsOpen())) {
            started = true;
            StartHelpers(wanted - 1, queue, helpers);
        }
    } while (queue.RunNext());
    for (std::thread& helper : helpers) {
        helper.join();
    }
    queue.ThrowFailure();
}

void RunInRanges(std::size_t count, std::size_t rangeSize, unsigned threads,
                 const std::function<void(std::size_t, std::size_t)>& task) {
    assert(rangeSize > 0 && "ranges of at least one item");
    RunInParallel((count + rangeSize - 1) / rangeSize, threads, [&](std::size_t range) {
        task(range * rangeSize, std::min(count, (range + 1) * rangeSize));
    });
}
