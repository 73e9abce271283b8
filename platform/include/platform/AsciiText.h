#pragma once
// Letters compared and folded as ASCII, whatever the locale: names in the
// profile, command-line flags, file extensions and key names mean the same
// under every language setting, and the bytes of UTF-8 sequences, which are
// never ASCII letters, stay exactly as they are.

#include <string>
#include <string_view>

namespace host {

/// c with A-Z folded to a-z; every other byte unchanged.
constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

/// c with a-z folded to A-Z; every other byte unchanged.
constexpr char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

/// text with its ASCII letters folded to lower case.
inline std::string AsciiLowered(std::string text) {
    for (char& c : text) {
        c = AsciiLower(c);
    }
    return text;
}

/// True when a and b have the same length and differ at most in the case of
/// ASCII letters. Empty strings are equal.
constexpr bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

} // namespace host
