#include "support/WorkerPool.h"

#include <algorithm>

WorkerPool& WorkerPool::Instance() noexcept {
    static WorkerPool pool;
    return pool;
}

WorkerPool::~WorkerPool() {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_offered.notify_all();
    for (std::thread& worker : m_workers) {
        worker.join();
    }
}

void WorkerPool::Offer(Job& job, std::size_t workers) noexcept {
    if (workers == 0) {
        return;
    }
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        try {
            m_offers.push_back(Offered{&job, workers});
        } catch (...) {
            return; // the caller does the work alone
        }
        Grow(workers);
    }
    m_offered.notify_all();
}

// Under m_mutex.
void WorkerPool::Grow(std::size_t workers) noexcept {
    try {
        m_workers.reserve(std::max(m_workers.size(), workers));
        while (m_workers.size() < workers) {
            m_workers.emplace_back([this] { Serve(); });
        }
    } catch (...) {
        // No more threads now: those there share the work.
    }
}

void WorkerPool::Withdraw(Job& job) noexcept {
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto offer = std::find_if(m_offers.begin(), m_offers.end(),
                                    [&](const Offered& o) { return o.job == &job; });
    if (offer == m_offers.end()) {
        return;
    }
    offer->withdrawn = true;
    m_left.wait(lock, [&] { return offer->active == 0; });
    m_offers.erase(offer);
}

std::size_t WorkerPool::Size() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_workers.size();
}

void WorkerPool::Serve() {
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto open = [](const Offered& o) { return !o.withdrawn && o.joined < o.wanted; };
    for (;;) {
        auto offer = m_offers.end();
        m_offered.wait(lock, [&] {
            offer = std::find_if(m_offers.begin(), m_offers.end(), open);
            return m_stopping || offer != m_offers.end();
        });
        if (m_stopping) {
            return;
        }
        ++offer->joined;
        ++offer->active;
        Job* const job = offer->job;
        lock.unlock();
        job->Work();
        lock.lock();
        if (--offer->active == 0 && offer->withdrawn) {
            m_left.notify_all();
        }
    }
}
