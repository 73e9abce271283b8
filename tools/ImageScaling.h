#pragma once
// Cutting and shrinking pictures with a clear background.

#include "render/RgbaImage.h"

#include <optional>

/// A rectangle of pixels; left and top count from the picture's upper left.
struct PixelBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

/// The smallest box that holds every pixel whose alpha is not 0; nothing when
/// the whole picture is clear.
std::optional<PixelBox> CoveredBox(const RgbaImage& image);

/// The piece of image inside box, which must lie within it (asserted).
RgbaImage Crop(const RgbaImage& image, const PixelBox& box);

/// image made width x height pixels, each from 1 to the image's own size
/// (asserted): every new pixel averages the area of the image it covers, with
/// colours weighted by alpha, so that edges are smoothed and clear pixels
/// leave no dark fringe.
RgbaImage ScaleDown(const RgbaImage& image, int width, int height);
