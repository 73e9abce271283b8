#include "model/Parallel.h"

#include <algorithm>
#include <atomic>
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
        for (std::size_t i = m_next++; i < m_count; i = m_next++) {
            try {
                m_task(i);
            } catch (...) {
                const std::lock_guard<std::mutex> lock(m_mutex);
                m_failure = m_failure ? m_failure : std::current_exception();
                m_next = m_count;
            }
        }
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

} // namespace

void RunInParallel(std::size_t count, unsigned threads,
                   const std::function<void(std::size_t)>& task) {
    TaskQueue queue(count, task);
    std::vector<std::thread> helpers;
    const std::size_t wanted = std::min<std::size_t>(threads, count);
    helpers.reserve(wanted); // no allocation may fail once a thread runs
    for (std::size_t i = 1; i < wanted; ++i) {
        try {
            helpers.emplace_back([&queue] { queue.Work(); });
        } catch (const std::system_error&) {
            break; // the threads that did start share the work
        }
    }
    queue.Work();
    for (std::thread& helper : helpers) {
        helper.join();
    }
    queue.ThrowFailure();
}
