#include "support/Parallel.h"

#include "support/HelperGate.h"
#include "support/StopRequest.h"
#include "support/WorkerPool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

TEST(ParallelTest, EveryTaskRunsOnceOnAnyNumberOfThreads) {
    EXPECT_GE(AvailableProcessors(), 1u);
    for (const unsigned threads : {1u, 2u, 8u}) {
        for (const std::size_t count : {0, 1, 3, 100}) {
            const auto runs = std::make_unique<std::atomic<int>[]>(count + 1);
            RunInParallel(count, threads, [&](std::size_t i) { ++runs[i]; });
            for (std::size_t i = 0; i < count; ++i) {
                EXPECT_EQ(runs[i], 1) << i << " of " << count << " on " << threads;
            }
        }
    }
}

// Ranges cover every item once, in pieces of the size asked for but the last.
TEST(ParallelTest, RangesCoverEveryItemOnce) {
    for (const std::size_t count : {0, 1, 7, 8, 9, 100}) {
        const auto runs = std::make_unique<std::atomic<int>[]>(count + 1);
        std::atomic<int> ranges{0};
        RunInRanges(count, 4, 3, [&](std::size_t begin, std::size_t end) {
            EXPECT_TRUE(begin % 4 == 0 && begin < end && end - begin <= 4 &&
                        (end - begin == 4 || end == count))
                << begin << " to " << end << " of " << count;
            ++ranges;
            for (std::size_t i = begin; i < end; ++i) {
                ++runs[i];
            }
        });
        EXPECT_EQ(ranges, static_cast<int>((count + 3) / 4)) << count;
        for (std::size_t i = 0; i < count; ++i) {
            EXPECT_EQ(runs[i], 1) << i << " of " << count;
        }
    }
}

TEST(ParallelTest, TheFirstFailureIsThrownOnceAllHaveStopped) {
    std::atomic<int> running{0};
    EXPECT_THROW(RunInParallel(1000, 4,
                               [&](std::size_t i) {
                                   ++running;
                                   if (i == 10) {
                                       throw std::runtime_error("task 10");
                                   }
                                   --running;
                               }),
                 std::runtime_error);
    EXPECT_EQ(running, 1); // only the failed task never finished
}

TEST(ParallelTest, BehindAClosedGateTheCallerWorksAlone) {
    HelperGate gate;
    const HelperGate::Scope held(gate);
    EXPECT_EQ(HelperGate::Current(), &gate);
    std::vector<std::thread::id> ranOn(6);
    RunInParallel(ranOn.size(), 4, [&](std::size_t i) { ranOn[i] = std::this_thread::get_id(); });
    for (const std::thread::id id : ranOn) {
        EXPECT_EQ(id, std::this_thread::get_id());
    }
}

TEST(ParallelTest, HelpersStartOnceTheGateOpens) {
    HelperGate gate;
    std::vector<std::thread::id> ranOn(3);
    std::mutex mutex;
    std::condition_variable changed;
    bool lastBegun = false;
    {
        const HelperGate::Scope held(gate);
        RunInParallel(ranOn.size(), 2, [&](std::size_t i) {
            ranOn[i] = std::this_thread::get_id();
            if (i == 0) {
                gate.Open(); // as a thread that now waits for the work would
                return;
            }
            std::unique_lock<std::mutex> lock(mutex);
            if (i == 2) {
                lastBegun = true;
                changed.notify_all();
                return;
            }
            // Task 1 ends only once task 2 has begun, which on one thread never
            // happens; the limit keeps that fault from hanging the tests.
            EXPECT_TRUE(
                changed.wait_for(lock, std::chrono::seconds(10), [&] { return lastBegun; }));
        });
    }
    EXPECT_EQ(HelperGate::Current(), nullptr);
    EXPECT_NE(ranOn[1], ranOn[2]);
}

// The thread that opens the gate waits for the work, and the caller may be
// deep inside a long task: the helpers start then, not after that task.
TEST(ParallelTest, AGateOpenedDuringATaskStartsTheHelpersAtOnce) {
    HelperGate gate;
    std::vector<std::thread::id> ranOn(2);
    std::mutex mutex;
    std::condition_variable changed;
    bool firstBegun = false;
    bool secondBegun = false;
    std::thread opener([&] {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [&] { return firstBegun; });
        lock.unlock();
        gate.Open();
    });
    {
        const HelperGate::Scope held(gate);
        RunInParallel(ranOn.size(), 2, [&](std::size_t i) {
            ranOn[i] = std::this_thread::get_id();
            std::unique_lock<std::mutex> lock(mutex);
            if (i == 1) {
                secondBegun = true;
                changed.notify_all();
                return;
            }
            firstBegun = true;
            changed.notify_all();
            // Task 0 ends only once task 1 has begun, which before a helper
            // starts never happens; the limit keeps that fault from hanging.
            EXPECT_TRUE(
                changed.wait_for(lock, std::chrono::seconds(10), [&] { return secondBegun; }));
        });
    }
    opener.join();
    EXPECT_NE(ranOn[0], ranOn[1]);
    EXPECT_TRUE(gate.IsOpen());
}

// A run registers at its gate only while it runs: a gate opened later, or
// again, touches nothing, and a second registration is refused.
TEST(ParallelTest, OnlyARunningRunWaitsAtTheGate) {
    struct Counting final : HelperGate::Waiter {
        int calls = 0;
        void OnGateOpen() noexcept override { ++calls; }
    };
    HelperGate gate;
    Counting first;
    Counting second;
    EXPECT_TRUE(gate.Await(first));
    EXPECT_FALSE(gate.Await(second));
    gate.StopAwaiting(second); // not registered: changes nothing
    gate.Open();
    gate.Open();
    EXPECT_EQ(first.calls, 1);
    EXPECT_EQ(second.calls, 0);
    gate.StopAwaiting(first);
    EXPECT_FALSE(gate.Await(second)); // an open gate holds nothing back
    {
        HelperGate closed;
        const HelperGate::Scope held(closed);
        RunInParallel(3, 2, [](std::size_t) {});
        EXPECT_TRUE(closed.Await(first)); // the finished run left no waiter
        closed.StopAwaiting(first);
    }
}

// Workers come from a pool that outlives the runs: repeated runs start no
// threads once it is large enough, and a run of one thread none at all.
TEST(ParallelTest, RunsShareThePoolAndARunOfOneThreadUsesNoWorker) {
    RunInParallel(4, 3, [](std::size_t) {});
    const std::size_t size = WorkerPool::Instance().Size();
    EXPECT_GE(size, 2u);
    for (int run = 0; run < 20; ++run) {
        RunInParallel(8, 3, [](std::size_t) {});
    }
    EXPECT_EQ(WorkerPool::Instance().Size(), size);
    std::vector<std::thread::id> ranOn(8);
    RunInParallel(ranOn.size(), 1, [&](std::size_t i) { ranOn[i] = std::this_thread::get_id(); });
    for (const std::thread::id id : ranOn) {
        EXPECT_EQ(id, std::this_thread::get_id());
    }
}

TEST(ParallelTest, AStopRequestedSkipsTheTasksNotYetStarted) {
    for (const unsigned threads : {1u, 4u}) {
        StopRequest request;
        const StopRequest::Scope stoppable(request);
        std::atomic<int> ran{0};
        EXPECT_THROW(RunInParallel(1000, threads,
                                   [&](std::size_t i) {
                                       ++ran;
                                       if (i == 10) {
                                           request.Request();
                                       }
                                   }),
                     Stopped);
        // Each thread finishes the task it is in, and starts no other.
        EXPECT_LE(ran, 11 + static_cast<int>(threads)) << threads;
    }
    EXPECT_EQ(StopRequest::Current(), nullptr);
}
