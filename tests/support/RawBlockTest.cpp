#include "support/RawBlock.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

// Readying memory for writing is a hint to the system: what a block holds must
// stay as it was, in the whole pages readied and in the pages that the range
// only reaches into, for a block mapped on its own and for one from the heap.
TEST(RawBlockTest, ReadyingForWritingKeepsWhatIsThere) {
    for (const std::size_t size : {std::size_t{8} << 20, std::size_t{1} << 20}) {
        RawBlock block(size);
        auto* bytes = static_cast<unsigned char*>(block.Data());
        const std::size_t written = size / 2 + 12345;
        for (std::size_t i = 0; i < written; ++i) {
            bytes[i] = static_cast<unsigned char>(i * 7 + 1);
        }
        RawBlock::PrepareForWriting(bytes + 1001, size - 2002);
        RawBlock::PrepareForWriting(bytes, 0);
        for (std::size_t i = 0; i < written; ++i) {
            ASSERT_EQ(bytes[i], static_cast<unsigned char>(i * 7 + 1)) << size << " at " << i;
        }
        std::memset(bytes + written, 0xA5, size - written);
        EXPECT_EQ(bytes[size - 1], 0xA5);
    }
}
