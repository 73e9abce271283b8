#include "support/Parallel.h"

#include "support/HelperGate.h"
#include "support/StopRequest.h"
#include "support/WorkerPool.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <exception>
#include <mutex>

namespace {

// What the threads of one run share: the next task and the first failure.
class TaskQueue final : public WorkerPool::Job {
public:
    TaskQueue(std::size_t count, const std::function<void(std::size_t)>& task)
        : m_count(count), m_task(task), m_stop(StopRequest::Current()) {}

    void Work() noexcept override {
        while (RunNext()) {
        }
    }

    /// Runs the next task; false when none was left.
    bool RunNext() noexcept {
        if (m_stop && m_stop->Requested()) {
            m_stopped = true;
            m_next = m_count;
            return false;
        }
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
        if (m_stopped) {
            throw Stopped();
        }
    }

private:
    const std::size_t m_count;
    const std::function<void(std::size_t)>& m_task;
    const StopRequest* const m_stop; // the caller's, checked between tasks; not owned
    std::atomic<std::size_t> m_next{0};
    std::atomic<bool> m_stopped{false};
    std::mutex m_mutex;
    std::exception_ptr m_failure;
};

// The pool's workers that help one run, asked for once: by the run's own
// thread before a task, or at once by the thread that opens the gate the run
// waits at.
class Helpers final : public HelperGate::Waiter {
public:
    Helpers(std::size_t count, TaskQueue& queue) : m_count(count), m_queue(queue) {}
    ~Helpers() { Join(); }
    Helpers(const Helpers&) = delete;
    Helpers& operator=(const Helpers&) = delete;

    /// Offers the run to the pool unless it was offered.
    void Start() noexcept {
        if (m_count == 0 || m_started.exchange(true)) {
            return;
        }
        WorkerPool::Instance().Offer(m_queue, m_count);
    }

    void OnGateOpen() noexcept override { Start(); }

    /// Waits for every worker to leave the run. Only once the run no longer
    /// waits at a gate, so that no other thread offers it meanwhile.
    void Join() noexcept {
        if (m_started) {
            WorkerPool::Instance().Withdraw(m_queue);
        }
    }

private:
    const std::size_t m_count;
    TaskQueue& m_queue;
    std::atomic<bool> m_started{false};
};

// Keeps a run registered at its gate, if it has one, while it lives.
class AwaitingGate {
public:
    AwaitingGate(HelperGate* gate, HelperGate::Waiter& waiter) noexcept
        : m_gate(gate && gate->Await(waiter) ? gate : nullptr), m_waiter(waiter) {}
    ~AwaitingGate() {
        if (m_gate) {
            m_gate->StopAwaiting(m_waiter);
        }
    }
    AwaitingGate(const AwaitingGate&) = delete;
    AwaitingGate& operator=(const AwaitingGate&) = delete;

private:
    HelperGate* m_gate = nullptr; // where the run is registered, not owned
    HelperGate::Waiter& m_waiter;
};

} // namespace

void RunInParallel(std::size_t count, unsigned threads,
                   const std::function<void(std::size_t)>& task) {
    TaskQueue queue(count, task);
    HelperGate* const gate = HelperGate::Current();
    const std::size_t wanted = std::min<std::size_t>(threads, count);
    Helpers helpers(wanted < 2 ? 0 : wanted - 1, queue);
    {
        // A gate that opens while this thread is inside a task offers the run
        // there and then: the thread that opened it waits for this work, and
        // a task may take long.
        const AwaitingGate waiting(wanted < 2 ? nullptr : gate, helpers);
        do {
            if (gate == nullptr || gate->IsOpen()) {
                helpers.Start();
            }
        } while (queue.RunNext());
    }
    helpers.Join();
    queue.ThrowFailure();
}

void RunInRanges(std::size_t count, std::size_t rangeSize, unsigned threads,
                 const std::function<void(std::size_t, std::size_t)>& task) {
    assert(rangeSize > 0 && "ranges of at least one item");
    RunInParallel((count + rangeSize - 1) / rangeSize, threads, [&](std::size_t range) {
        task(range * rangeSize, std::min(count, (range + 1) * rangeSize));
    });
}
