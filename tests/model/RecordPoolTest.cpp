#include "model/RecordPool.h"

#include <gtest/gtest.h>

#include <vector>

TEST(RecordPoolTest, RecordsKeepTheirAddressesAsThePoolGrows) {
    RecordPool<int> pool;
    std::vector<int*> made;
    for (int i = 0; i < 100000; ++i) {
        int& record = pool.Add();
        EXPECT_EQ(record, 0); // value-initialised
        record = i;
        made.push_back(&record);
    }
    EXPECT_EQ(pool.Size(), 100000u);
    for (int i = 0; i < 100000; i += 997) {
        EXPECT_EQ(*made[i], i);
    }
}

TEST(RecordPoolTest, ClearStartsOver) {
    RecordPool<int> pool;
    for (int i = 0; i < 1000; ++i) {
        pool.Add() = 7;
    }
    pool.Clear();
    EXPECT_EQ(pool.Size(), 0u);
    EXPECT_EQ(pool.Add(), 0);
    EXPECT_EQ(pool.Size(), 1u);
}
