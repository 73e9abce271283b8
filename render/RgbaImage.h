#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

/// A picture in memory: width x height pixels of 8-bit red, green, blue and
/// alpha, in rows from the top.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; ///< width * height * 4 bytes

    /// The first byte of row y (0 is the top); y must lie in the picture.
    const std::uint8_t* Row(int y) const {
        return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 4;
    }
};
