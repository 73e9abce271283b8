#include "model/DigitRun.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

// Words of digits mixed with every other byte: the count and the value must be
// what reading the characters one by one gives, whatever follows the digits.
TEST(DigitRunTest, CountsAndValuesAsCharacterByCharacter) {
    if (!kDigitRunsReadAtOnce) {
        GTEST_SKIP() << "digits are read one by one on this machine";
    }
    std::mt19937_64 random(20261208);
    for (int i = 0; i < 400000 && !HasFailure(); ++i) {
        char text[8];
        for (char& c : text) {
            const auto kind = random() % 4;
            c = static_cast<char>(kind < 2 ? '0' + random() % 10 : random() % 256);
        }
        const std::uint64_t word = LoadEightCharacters(text);
        unsigned count = 0;
        std::uint32_t value = 0;
        for (; count < 8 && text[count] >= '0' && text[count] <= '9'; ++count) {
            value = value * 10 + static_cast<std::uint32_t>(text[count] - '0');
            ASSERT_EQ(DigitsValue(word, count + 1), value) << std::string(text, 8);
        }
        ASSERT_EQ(LeadingDigitCount(word), count) << std::string(text, 8);
    }
}
