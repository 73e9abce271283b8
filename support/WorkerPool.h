#pragma once
// The threads that help parallel runs: started as runs first need them, kept
// waiting for work between runs, and stopped when the program ends.

#include <condition_variable>
#include <cstddef>
#include <list>
#include <mutex>
#include <thread>
#include <vector>

class WorkerPool {
public:
    /// Work that several threads can share.
    class Job {
    public:
        /// Called on each worker that joins; returns when the job has no work
        /// left for it. Must not throw.
        virtual void Work() noexcept = 0;

    protected:
        ~Job() = default;
    };

    /// The program's one pool.
    static WorkerPool& Instance() noexcept;

    WorkerPool() = default;
    /// Stops the workers once each has left the job it works on.
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    /// Offers job to up to workers workers, starting threads until the pool
    /// has that many. Each worker joins it at most once. Contains every
    /// failure: a thread that cannot be started, or an offer that cannot be
    /// recorded, leaves the work to the threads already there or to the
    /// caller. The job must be withdrawn before it goes.
    void Offer(Job& job, std::size_t workers) noexcept;

    /// Withdraws job: no worker joins it from now on, and Withdraw returns
    /// once the workers that joined have left it. Does nothing for a job not
    /// on offer.
    void Withdraw(Job& job) noexcept;

    /// How many worker threads the pool has started. For tests.
    std::size_t Size() const;

private:
    struct Offered {
        Job* job = nullptr;
        std::size_t wanted = 0; ///< how many workers may join
        std::size_t joined = 0; ///< how many have joined, in all
        std::size_t active = 0; ///< how many are in it now
        bool withdrawn = false;
    };

    void Grow(std::size_t workers) noexcept;
    void Serve();

    mutable std::mutex m_mutex;
    std::condition_variable m_offered; ///< an offer was made, or the pool stops
    std::condition_variable m_left;    ///< a worker left a job
    std::list<Offered> m_offers;       ///< a list: a worker holds its entry across the work
    std::vector<std::thread> m_workers;
    bool m_stopping = false;
};
