#include "model/Parallel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>
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
