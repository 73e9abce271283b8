#pragma once

#include "model/TextCursor.h"

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
    while (cursor.pos != cursor.end &&
           (*cursor.pos == ' ' || (*cursor.pos >= '\t' && *cursor.pos <= '\r'))) {
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
