#pragma once
// Decimal digits read eight characters at a time. The loader converts millions
// of short numbers; looking at each character in turn, twice (once to find
// where a number ends, once to convert it), costs more than everything else it
// does with a number.

#include <cstdint>
#include <cstring>

/// Whether the helpers below may be used: they read a word's first character
/// from its lowest byte.
constexpr bool kDigitRunsReadAtOnce = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;

/// The eight characters at p as one word. All eight must be readable.
inline std::uint64_t LoadEightCharacters(const char* p) noexcept {
    std::uint64_t word = 0;
    std::memcpy(&word, p, sizeof word);
    return word;
}

/// How many characters, from the first, are decimal digits before the first
/// that is not: 0 to 8. The characters after that one are never looked at.
inline unsigned LeadingDigitCount(std::uint64_t word) noexcept {
    constexpr std::uint64_t kHighNibbles = 0xF0F0F0F0F0F0F0F0;
    constexpr std::uint64_t kThrees = 0x3030303030303030;
    // A digit's high nibble is 3, and still 3 once 6 is added ('9' + 6 is
    // '?'). A carry out of a byte only disturbs the characters after it.
    const std::uint64_t apart = ((word & kHighNibbles) ^ kThrees) |
                                (((word + 0x0606060606060606) & kHighNibbles) ^ kThrees);
    // The top bit of each byte that is not zero, without carries between bytes.
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7F;
    const std::uint64_t notDigit = (((apart & kLow7) + kLow7) | apart) & ~kLow7;
    return notDigit == 0 ? 8 : static_cast<unsigned>(__builtin_ctzll(notDigit)) / 8;
}

/// The value of the first count characters of word, which must be decimal
/// digits (count 1 to 8); the characters after them may be anything.
inline std::uint32_t DigitsValue(std::uint64_t word, unsigned count) noexcept {
    // Borrows run towards the later characters, so the first count stay whole;
    // the shift drops the rest and leaves zeros, leading ones, in their stead.
    std::uint64_t digits = (word - 0x3030303030303030) << (8 * (8 - count));
    digits = digits * 10 + (digits >> 8); // pairs of digits
    digits = (((digits & 0x000000FF000000FF) * (100 + (1000000ULL << 32))) +
              (((digits >> 16) & 0x000000FF000000FF) * (1 + (10000ULL << 32)))) >>
             32;
    return static_cast<std::uint32_t>(digits);
}
