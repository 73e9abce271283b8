#include "support/LineFeeds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

// Text of every length around the sizes the counting works in (16 bytes, 255
// blocks of them, 4096-byte blocks), with line feeds at odd places.
TEST(LineFeedsTest, CountsAndFindsLineFeedsAtEveryOffset) {
    std::string text;
    for (std::size_t i = 0; text.size() < 9000; ++i) {
        text += std::string(i % 23, 'x') + '\n';
    }
    for (const std::size_t length : {0, 1, 15, 16, 17, 4079, 4080, 4081, 4096, 4097, 8999}) {
        for (const std::size_t skip : {0, 1, 7}) {
            const char* begin = text.data() + skip;
            const char* end = text.data() + length;
            if (begin > end) {
                continue;
            }
            const auto expected = static_cast<std::size_t>(std::count(begin, end, '\n'));
            EXPECT_EQ(CountLineFeeds(begin, end), expected) << length << " from " << skip;
            for (std::size_t n = 1; n <= expected + 1; n += 1 + expected / 5) {
                const char* after = AfterLineFeeds(begin, end, n);
                if (n > expected) {
                    EXPECT_EQ(after, nullptr);
                    continue;
                }
                ASSERT_NE(after, nullptr);
                EXPECT_EQ(after[-1], '\n');
                EXPECT_EQ(CountLineFeeds(begin, after), n);
            }
        }
    }
}
