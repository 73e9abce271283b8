#pragma once

#include <cstddef>

/// A stretch of a model text that is read on its own: the bytes from begin up
/// to end, cut at line feeds, and the records it is expected to hold, numbered
/// from first.
struct TextPiece {
    const char* begin = nullptr;
    const char* end = nullptr;
    std::size_t first = 0;
    std::size_t count = 0;
};
