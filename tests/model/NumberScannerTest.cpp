#include "model/NumberScanner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

using namespace std::string_literals;

namespace {

// The scanner must read a number as the C library reads it: the same value,
// ending at the same place. A value outside the 32-bit or single-precision
// type, and text that is no number, leave the cursor after the blanks.
template <typename T, typename Reading>
void ExpectReadAsTheCLibrary(const std::string& text, ScanResult (*scan)(TextCursor&, T&),
                             Reading reading) {
    TextCursor cursor{text.data(), text.data() + text.size()};
    T value = -1;
    const ScanResult result = scan(cursor, value);
    char* end = nullptr;
    const auto want = reading(text.c_str(), &end);
    const bool outside = static_cast<T>(want) != want || std::isinf(static_cast<double>(want));
    if (end == text.c_str() || outside) {
        EXPECT_EQ(result, outside ? ScanResult::OutOfRange : ScanResult::NoNumber) << text;
        EXPECT_EQ(value, -1) << text;
        end = const_cast<char*>(text.c_str()) +
              std::min(text.find_first_not_of(" \t\n\r\v\f"), text.size());
    } else {
        EXPECT_EQ(result, ScanResult::Number) << text;
        EXPECT_EQ(value, want) << text;
        EXPECT_EQ(std::signbit(value), std::signbit(want)) << text;
    }
    EXPECT_EQ(std::string(cursor.pos, cursor.end), std::string(end)) << text;
}

} // namespace

TEST(NumberScannerTest, NumbersReadAsTheCLibraryReadsThem) {
    for (const char* text :
         {"+7", " \t\n\r\v\f-0x1F,", "0X1f", "010 9", "-2147483648", "08", "0xg", "12.5", "1-2",
          "3front", "0000000000000000000000000000007", "", "  +", "- 1", "+-1", "2147483648",
          "-2147483649", "0x80000000", "18446744073709551621"}) {
        ExpectReadAsTheCLibrary<std::int32_t>(
            text, ScanInteger, [](const char* t, char** end) { return std::strtol(t, end, 0); });
    }
    // Coordinates are decimal. The ties round once from the decimal text: a
    // detour through double would take the second, a hair above halfway, to
    // even as well.
    const std::string tiny = "0." + std::string(50, '0') + "1";
    for (const std::string& text :
         {"+1.5"s, "20E-1"s, "010"s, "3.4028235e38"s, "1.000000059604644775390625"s,
          "1.00000005960464477539062500000001"s, "1e-40"s, "1e-50"s, "-" + tiny, tiny + "e60",
          "0e999999999999"s, "1e+"s, "1.5.5"s, ""s, "+."s, "e5"s, "3.5e38"s, "-1e39"s,
          std::string(43, '9'),
          // At the limits of the short way for plain decimals: 2^24, one more,
          // nine and ten digits, a bare point on either side, an exponent.
          "16777216"s, "16777217"s, "1677721.7"s, "-.16777217"s, "123456789"s, "1234567.891"s,
          "0.000000001"s, "0.0000000001"s, "-0.0"s, ".5"s, "5."s, "-."s, "1e"s, "2.5E1"s,
          "+.5e-1"s}) {
        ExpectReadAsTheCLibrary<float>(text, ScanFloat, std::strtof);
    }
    // Short and long mantissas take different conversion paths.
    std::mt19937_64 random(20261207);
    for (int i = 0; i < 200000 && !HasFailure(); ++i) {
        std::string text = std::to_string(random() >> random() % 64);
        text.insert(random() % (text.size() + 1), ".");
        text.insert(0, random() % 2 ? "-" : "");
        text += random() % 8 ? ""s : "e" + std::to_string(static_cast<int>(random() % 40) - 20);
        ExpectReadAsTheCLibrary<float>(text, ScanFloat, std::strtof);
    }
}
