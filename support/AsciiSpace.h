#pragma once

/// Whether c is white space as the C locale counts it: a space, a tab, a line
/// feed, a vertical tab, a form feed or a carriage return. Inline: text
/// readers call it for every character they skip.
inline bool IsAsciiSpace(char c) noexcept {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
