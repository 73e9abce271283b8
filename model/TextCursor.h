#pragma once

/// A reading position in a piece of text: the characters from pos up to, not
/// including, end. The parser helpers advance pos; they never read at or past end.
struct TextCursor {
    const char* pos = nullptr;
    const char* end = nullptr;

    bool AtEnd() const noexcept { return pos == end; }
};
