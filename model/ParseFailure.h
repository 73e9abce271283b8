#pragma once

#include <string>
#include <utility>

/// The place where a model text leaves the format, and what the format asks for
/// there. Thrown by the record readers; the loader turns the first one that a
/// reading from the start would meet into a ModelFileError with a line and a
/// column, and sets aside those met by pieces read ahead of their turn.
class ParseFailure {
public:
    ParseFailure(const char* at, std::string expected)
        : m_at(at), m_expected(std::move(expected)) {}

    const char* At() const noexcept { return m_at; }
    const std::string& Expected() const noexcept { return m_expected; }

private:
    const char* m_at = nullptr;
    std::string m_expected;
};
