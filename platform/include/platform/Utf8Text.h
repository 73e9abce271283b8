#pragma once
// Counting and cutting UTF-8 text by characters rather than bytes, so that a
// shortened caption, menu label or profile value never ends in half a
// character. Malformed bytes are not repaired: each byte that does not
// continue a sequence counts as one character.

#include <cstddef>
#include <string>
#include <string_view>

namespace host {

/// True for the bytes 10xxxxxx, which continue a sequence begun before them.
constexpr bool IsUtf8Continuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

/// The number of characters among the bytes [from, to) of text; positions
/// past the end count as the end, and an empty range counts 0.
constexpr std::size_t Utf8Length(std::string_view text, std::size_t from = 0,
                                 std::size_t to = std::string_view::npos) {
    std::size_t count = 0;
    for (std::size_t i = from; i < text.size() && i < to; ++i) {
        if (!IsUtf8Continuation(text[i])) {
            ++count;
        }
    }
    return count;
}

/// The longest start of text that has at most maxBytes bytes and ends on a
/// character boundary: a character that would not fit whole is left out.
inline std::string Utf8Prefix(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return std::string(text);
    }
    std::size_t end = maxBytes;
    while (end > 0 && IsUtf8Continuation(text[end])) {
        --end;
    }
    return std::string(text.substr(0, end));
}

} // namespace host
