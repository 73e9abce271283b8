#include "model/NumberScanner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

namespace {

struct IntScan {
    ScanResult result;
    std::int32_t value;
    std::string rest; // the text the cursor stands at afterwards
};

IntScan ScanInt(const std::string& text) {
    TextCursor cursor{text.data(), text.data() + text.size()};
    std::int32_t value = -12345;
    const ScanResult result = ScanInteger(cursor, value);
    return {result, value, std::string(cursor.pos, cursor.end)};
}

struct FloatScan {
    ScanResult result;
    float value;
    std::string rest;
};

FloatScan ScanFl(const std::string& text) {
    TextCursor cursor{text.data(), text.data() + text.size()};
    float value = -12345.0f;
    const ScanResult result = ScanFloat(cursor, value);
    return {result, value, std::string(cursor.pos, cursor.end)};
}

} // namespace

TEST(NumberScannerTest, IntegersInEveryBaseWithSign) {
    EXPECT_EQ(ScanInt("42").value, 42);
    EXPECT_EQ(ScanInt("+7").value, 7);
    EXPECT_EQ(ScanInt("-7").value, -7);
    EXPECT_EQ(ScanInt("0x1F").value, 31);
    EXPECT_EQ(ScanInt("0X1f").value, 31);
    EXPECT_EQ(ScanInt("-0x10").value, -16);
    EXPECT_EQ(ScanInt("010").value, 8);
    EXPECT_EQ(ScanInt("0").value, 0);
    EXPECT_EQ(ScanInt(" \t\n\r\v\f5").value, 5);
    EXPECT_EQ(ScanInt("2147483647").value, 2147483647);
    EXPECT_EQ(ScanInt("-2147483648").value, -2147483647 - 1);
    EXPECT_EQ(ScanInt("0000000000000000000000000000007").value, 7);
}

TEST(NumberScannerTest, IntegerEndsAtFirstCharacterThatCannotContinueIt) {
    const IntScan octalEight = ScanInt("08");
    EXPECT_EQ(octalEight.result, ScanResult::Number);
    EXPECT_EQ(octalEight.value, 0);
    EXPECT_EQ(octalEight.rest, "8");
    const IntScan bareHexPrefix = ScanInt("0xg");
    EXPECT_EQ(bareHexPrefix.value, 0);
    EXPECT_EQ(bareHexPrefix.rest, "xg");
    EXPECT_EQ(ScanInt("0x").rest, "x");
    EXPECT_EQ(ScanInt("12.5").rest, ".5");
    EXPECT_EQ(ScanInt("1-2").rest, "-2");
    EXPECT_EQ(ScanInt("3front").rest, "front");
}

TEST(NumberScannerTest, IntegerRejectsTextAndLeavesCursorAtIt) {
    for (const char* text : {"", "   ", "+", "-", "- 1", "+-1", "x1", ".5", "abc"}) {
        const IntScan scan = ScanInt(text);
        EXPECT_EQ(scan.result, ScanResult::NoNumber) << text;
        EXPECT_EQ(scan.value, -12345) << text;
    }
    EXPECT_EQ(ScanInt("  abc").rest, "abc");
}

TEST(NumberScannerTest, IntegerOutside32BitsIsOutOfRange) {
    for (const char* text :
         {"2147483648", "-2147483649", "0x80000000", "99999999999999999999999"}) {
        const IntScan scan = ScanInt(text);
        EXPECT_EQ(scan.result, ScanResult::OutOfRange) << text;
        EXPECT_EQ(scan.rest, text);
    }
}

TEST(NumberScannerTest, FloatsInEveryWrittenForm) {
    EXPECT_EQ(ScanFl("2").value, 2.0f);
    EXPECT_EQ(ScanFl("2.0").value, 2.0f);
    EXPECT_EQ(ScanFl("0.2e1").value, 2.0f);
    EXPECT_EQ(ScanFl("20E-1").value, 2.0f);
    EXPECT_EQ(ScanFl("+1.5").value, 1.5f);
    EXPECT_EQ(ScanFl("-.5").value, -0.5f);
    EXPECT_EQ(ScanFl("5.").value, 5.0f);
    EXPECT_EQ(ScanFl("1.5e-3").value, 1.5e-3f);
    EXPECT_EQ(ScanFl("0.1").value, 0.1f);
    EXPECT_EQ(ScanFl("010").value, 10.0f); // coordinates are decimal
    EXPECT_EQ(ScanFl("3.4028235e38").value, 3.4028235e38f);
}

TEST(NumberScannerTest, FloatIsRoundedOnceFromTheDecimalText) {
    // Halfway between 1 and the next float: ties go to even.
    EXPECT_EQ(ScanFl("1.000000059604644775390625").value, 1.0f);
    // A hair above halfway must round up; going through double first would not.
    EXPECT_EQ(ScanFl("1.00000005960464477539062500000001").value, 1.00000011920928955078125f);
    EXPECT_EQ(ScanFl("1e-40").value, std::strtof("1e-40", nullptr));
}

TEST(NumberScannerTest, FloatAgreesWithTheCLibraryOnManyDecimals) {
    // Short and long mantissas take different conversion paths; both must round
    // exactly as strtof does.
    std::mt19937 random(20261207);
    for (int i = 0; i < 200000; ++i) {
        const int digits = 1 + static_cast<int>(random() % 14);
        std::string text = random() % 2 ? "-" : "";
        for (int d = 0; d < digits; ++d) {
            text += static_cast<char>('0' + random() % 10);
        }
        text.insert(text.size() - random() % (digits + 1), ".");
        if (random() % 8 == 0) {
            text += "e" + std::to_string(static_cast<int>(random() % 40) - 20);
        }
        const float expected = std::strtof(text.c_str(), nullptr);
        const FloatScan scan = ScanFl(text);
        ASSERT_EQ(scan.result, ScanResult::Number) << text;
        ASSERT_EQ(scan.value, expected) << text;
        ASSERT_EQ(std::signbit(scan.value), std::signbit(expected)) << text;
    }
}

TEST(NumberScannerTest, FloatEndsAtFirstCharacterThatCannotContinueIt) {
    EXPECT_EQ(ScanFl("1e").rest, "e");
    EXPECT_EQ(ScanFl("1e+").rest, "e+");
    EXPECT_EQ(ScanFl("1.5.5").rest, ".5");
    EXPECT_EQ(ScanFl("1,5").rest, ",5");
    const FloatScan hexFloat = ScanFl("0x1p3");
    EXPECT_EQ(hexFloat.value, 0.0f);
    EXPECT_EQ(hexFloat.rest, "x1p3");
}

TEST(NumberScannerTest, FloatAcceptsNoWordsOrBareSigns) {
    for (const char* text : {"", "-inf", "NAN", ".", "+.", "e5"}) {
        const FloatScan scan = ScanFl(text);
        EXPECT_EQ(scan.result, ScanResult::NoNumber) << text;
        EXPECT_EQ(scan.value, -12345.0f) << text;
    }
}

TEST(NumberScannerTest, FloatBeyondSinglePrecision) {
    for (const char* text :
         {"1e39", "-1e39", "3.5e38", "1000000000000000000000000000000000000000000"}) {
        EXPECT_EQ(ScanFl(text).result, ScanResult::OutOfRange) << text;
        EXPECT_EQ(ScanFl(text).rest, text);
    }
    const FloatScan tiny = ScanFl("1e-50");
    EXPECT_EQ(tiny.result, ScanResult::Number);
    EXPECT_EQ(tiny.value, 0.0f);
    EXPECT_FALSE(std::signbit(tiny.value));
    EXPECT_TRUE(
        std::signbit(ScanFl("-0.00000000000000000000000000000000000000000000000001").value));
    EXPECT_EQ(ScanFl("0e999999999999").value, 0.0f);
    EXPECT_EQ(ScanFl("0.0000000000000000000000000000000000000000000000001e60").value, 1e11f);
}
