#pragma once

#include "model/TextCursor.h"
#include "support/AsciiSpace.h"

#include <cstddef>
#include <cstdint>

// The number syntax of model files. Each scan first skips white space (blank,
// tab, line feed, carriage return, vertical tab, form feed), then reads the
// longest text that forms a number; the number ends at the first character
// that cannot continue it. Nothing else is accepted: no "inf", "nan", hex
// floats, locale separators or digit grouping.

enum class ScanResult {
    Number,     // converted; the cursor stands right after the number
    NoNumber,   // the text there is no number; the cursor stands where it should begin
    OutOfRange, // a number too large for its type; the cursor stands where it begins
};

/// Skips white space. Stops at the first other character or at the end.
inline void SkipWhitespace(TextCursor& cursor) {
    // Inline: the loader calls it before every number.
    while (cursor.pos != cursor.end && IsAsciiSpace(*cursor.pos)) {
        ++cursor.pos;
    }
}

/// Reads an integer: an optional sign, then 0x or 0X and hexadecimal digits, or
/// a 0 and octal digits, or decimal digits. "010" is eight; "08" is 0 followed
/// by a stray "8"; "0x" with no hexadecimal digit after it is 0 followed by "x".
/// A value outside the 32-bit signed range gives OutOfRange.
ScanResult ScanInteger(TextCursor& cursor, std::int32_t& value);

/// Reads a decimal floating-point number: an optional sign, digits with an
/// optional "." and fraction digits (at least one digit in all), and an optional
/// exponent of e or E, an optional sign and digits (an "e" without digits after
/// it is not part of the number). The value is the decimal
/// number correctly rounded to single precision; a value too small for single
/// precision gives a signed zero, one too large gives OutOfRange.
ScanResult ScanFloat(TextCursor& cursor, float& value);

/// Reads the number at the cursor as ScanFloat does when it is a short plain
/// decimal, the usual coordinate: an optional sign, then digits with an
/// optional "." and fraction digits, nine digits at most in all, no exponent,
/// and their value as an integer at most 2^24. Returns false, the cursor
/// unmoved, for any other text, which ScanFloat then reads. Skips no white
/// space.
inline bool ScanShortDecimal(TextCursor& cursor, float& value) {
    // Inline, and in one pass: a large model holds millions of coordinates.
    // The digits m and 10^k are then exact floats, and one division rounds
    // m / 10^k correctly.
    static constexpr float kPowersOfTen[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f,
                                             1e5f, 1e6f, 1e7f, 1e8f, 1e9f};
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const char* p = cursor.pos;
    const bool negative = p != cursor.end && *p == '-';
    p += p != cursor.end && (*p == '-' || *p == '+') ? 1 : 0;
    const char* const first = p;
    std::uint32_t m = 0; // wraps around past nine digits, which are then refused
    for (; p != cursor.end && isDigit(*p); ++p) {
        m = m * 10 + static_cast<std::uint32_t>(*p - '0');
    }
    const std::ptrdiff_t integerDigits = p - first;
    std::ptrdiff_t fractionDigits = 0;
    if (p != cursor.end && *p == '.') {
        const char* const fraction = ++p;
        for (; p != cursor.end && isDigit(*p); ++p) {
            m = m * 10 + static_cast<std::uint32_t>(*p - '0');
        }
        fractionDigits = p - fraction;
    }
    const std::ptrdiff_t digits = integerDigits + fractionDigits;
    const bool exponent = p != cursor.end && (*p == 'e' || *p == 'E');
    if (digits == 0 || digits > 9 || exponent || m > (1u << 24)) {
        return false;
    }
    const float magnitude = static_cast<float>(m) / kPowersOfTen[fractionDigits];
    value = negative ? -magnitude : magnitude;
    cursor.pos = p;
    return true;
}
