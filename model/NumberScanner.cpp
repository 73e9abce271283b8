#include "model/NumberScanner.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <system_error>

static bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

static int DigitValue(char c, int base) {
    int digit = base;
    if (c >= '0' && c <= '9') {
        digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        digit = c - 'A' + 10;
    }
    return digit < base ? digit : -1;
}

static bool SkipSign(const char*& p, const char* end) {
    const bool negative = p != end && *p == '-';
    if (p != end && (*p == '-' || *p == '+')) {
        ++p;
    }
    return negative;
}

// Chooses the base from the prefix and moves p to the first digit.
static int IntegerBase(const char*& p, const char* end) {
    if (*p != '0') {
        return 10;
    }
    const bool hexPrefix = end - p > 2 && (p[1] == 'x' || p[1] == 'X') && DigitValue(p[2], 16) >= 0;
    if (!hexPrefix) {
        return 8; // the leading 0 is itself an octal digit
    }
    p += 2;
    return 16;
}

// Accumulates the digits at p, saturating just above limit so that any number of
// digits keeps the arithmetic defined. Decimal digits, the common case, take
// the short way.
static std::uint64_t Accumulate(const char*& p, const char* end, int base, std::uint64_t limit) {
    std::uint64_t magnitude = 0;
    if (base == 10) {
        for (; p != end && IsDecimalDigit(*p); ++p) {
            magnitude = magnitude > limit ? magnitude : magnitude * 10 + (*p - '0');
        }
        return magnitude;
    }
    for (int digit = 0; p != end && (digit = DigitValue(*p, base)) >= 0; ++p) {
        magnitude = magnitude > limit ? magnitude : magnitude * base + digit;
    }
    return magnitude;
}

ScanResult ScanInteger(TextCursor& cursor, std::int32_t& value) {
    SkipWhitespace(cursor);
    const char* p = cursor.pos;
    const bool negative = SkipSign(p, cursor.end);
    if (p == cursor.end || !IsDecimalDigit(*p)) {
        return ScanResult::NoNumber;
    }
    const int base = IntegerBase(p, cursor.end);
    const std::uint64_t limit = negative ? 0x80000000u : 0x7fffffffu;
    const std::uint64_t magnitude = Accumulate(p, cursor.end, base, limit);
    if (magnitude > limit) {
        return ScanResult::OutOfRange;
    }
    const std::int64_t signedValue =
        negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    value = static_cast<std::int32_t>(signedValue);
    cursor.pos = p;
    return ScanResult::Number;
}

static const char* SkipDigits(const char* p, const char* end) {
    while (p != end && IsDecimalDigit(*p)) {
        ++p;
    }
    return p;
}

// The end of an exponent that starts at p, or p itself when no digits follow.
static const char* ExponentEnd(const char* p, const char* end) {
    if (p == end || (*p != 'e' && *p != 'E')) {
        return p;
    }
    const char* q = p + 1;
    SkipSign(q, end);
    if (q == end || !IsDecimalDigit(*q)) {
        return p;
    }
    return SkipDigits(q, end);
}

// The value of the exponent part of a token, which starts at p (at "e" or "E")
// and runs to end; 0 when the token has none. Saturates far beyond any float.
static long ExponentValue(const char* p, const char* end) {
    if (p == end) {
        return 0;
    }
    ++p;
    const bool negative = SkipSign(p, end);
    long exponent = 0;
    for (; p != end; ++p) {
        exponent = exponent > 100000 ? exponent : exponent * 10 + (*p - '0');
    }
    return negative ? -exponent : exponent;
}

// The decimal exponent of the first non-zero digit of a well-formed unsigned
// token, so that a token out of single-precision range can be told to be tiny
// or huge.
static long LeadingDecimalExponent(const char* p, const char* end) {
    const auto nonZero = [](char c) { return c != '0'; };
    const char* intEnd = SkipDigits(p, end);
    const char* fracBegin = intEnd != end && *intEnd == '.' ? intEnd + 1 : intEnd;
    const char* fracEnd = SkipDigits(fracBegin, end);
    const char* leading = std::find_if(p, intEnd, nonZero);
    long exponent = (intEnd - leading) - 1;
    if (leading == intEnd) {
        leading = std::find_if(fracBegin, fracEnd, nonZero);
        exponent = -((leading - fracBegin) + 1);
    }
    return exponent + ExponentValue(fracEnd, end);
}

static ScanResult ConvertGeneral(const char* start, const char* mantissa, const char* tokenEnd,
                                 bool negative, float& value) {
    const char* first = *start == '+' ? start + 1 : start; // from_chars takes no '+'
    const auto result = std::from_chars(first, tokenEnd, value, std::chars_format::general);
    if (result.ec != std::errc::result_out_of_range) {
        return ScanResult::Number;
    }
    if (LeadingDecimalExponent(mantissa, tokenEnd) >= 0) {
        return ScanResult::OutOfRange;
    }
    value = negative ? -0.0f : 0.0f; // below the smallest subnormal, as strtof rounds it
    return ScanResult::Number;
}

ScanResult ScanFloat(TextCursor& cursor, float& value) {
    SkipWhitespace(cursor);
    if (ScanShortDecimal(cursor, value)) {
        return ScanResult::Number;
    }
    const char* start = cursor.pos;
    const char* p = start;
    const bool negative = SkipSign(p, cursor.end);
    const char* mantissa = p;
    const char* intEnd = SkipDigits(p, cursor.end);
    const bool point = intEnd != cursor.end && *intEnd == '.';
    const char* fracEnd = point ? SkipDigits(intEnd + 1, cursor.end) : intEnd;
    if (intEnd == mantissa && fracEnd == intEnd + (point ? 1 : 0)) {
        return ScanResult::NoNumber;
    }
    const char* tokenEnd = ExponentEnd(fracEnd, cursor.end);
    const ScanResult result = ConvertGeneral(start, mantissa, tokenEnd, negative, value);
    if (result == ScanResult::Number) {
        cursor.pos = tokenEnd;
    }
    return result;
}
