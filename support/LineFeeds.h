#pragma once

#include <cstddef>

/// The number of line feeds in [begin, end).
std::size_t CountLineFeeds(const char* begin, const char* end) noexcept;

/// The place just after the count-th line feed (count >= 1) in [begin, end),
/// or null when there are fewer.
const char* AfterLineFeeds(const char* begin, const char* end, std::size_t count) noexcept;
