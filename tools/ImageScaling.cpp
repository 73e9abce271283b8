#include "tools/ImageScaling.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace {

// The share of each source pixel in one target pixel, along one axis.
struct Span {
    int first = 0;
    std::vector<float> weights;
};

std::vector<Span> Spans(int from, int to) {
    const double ratio = static_cast<double>(from) / to;
    std::vector<Span> spans(static_cast<std::size_t>(to));
    for (int t = 0; t < to; ++t) {
        const double start = t * ratio;
        const double end = std::min<double>(from, (t + 1) * ratio);
        Span& span = spans[static_cast<std::size_t>(t)];
        span.first = static_cast<int>(start);
        for (int s = span.first; s < end; ++s) {
            const double covered = std::min<double>(end, s + 1) - std::max<double>(start, s);
            span.weights.push_back(static_cast<float>(covered / ratio));
        }
    }
    return spans;
}

std::size_t At(int x, int y, int width) {
    return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
            static_cast<std::size_t>(x)) *
           4;
}

// The picture as floats with colours multiplied by alpha, so that averages
// weigh each colour by how much of it there is.
std::vector<float> Premultiplied(const RgbaImage& image) {
    std::vector<float> out(image.pixels.size());
    for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
        const float alpha = image.pixels[i + 3] / 255.0f;
        for (std::size_t c = 0; c < 3; ++c) {
            out[i + c] = image.pixels[i + c] * alpha;
        }
        out[i + 3] = image.pixels[i + 3];
    }
    return out;
}

std::uint8_t ToByte(float value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

RgbaImage Straight(const std::vector<float>& pixels, int width, int height) {
    RgbaImage out{width, height, std::vector<std::uint8_t>(pixels.size())};
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
        const float alpha = pixels[i + 3];
        for (std::size_t c = 0; c < 3; ++c) {
            out.pixels[i + c] = alpha > 0.0f ? ToByte(pixels[i + c] * 255.0f / alpha) : 0;
        }
        out.pixels[i + 3] = ToByte(alpha);
    }
    return out;
}

// Averages along x (step 4 floats) or y (step one row) with the spans.
std::vector<float> Shrink(const std::vector<float>& in, int inWidth, int outWidth, int outHeight,
                          const std::vector<Span>& spans, bool alongX) {
    std::vector<float> out(static_cast<std::size_t>(outWidth) * outHeight * 4, 0.0f);
    for (int y = 0; y < outHeight; ++y) {
        for (int x = 0; x < outWidth; ++x) {
            const Span& span = spans[static_cast<std::size_t>(alongX ? x : y)];
            float* target = &out[At(x, y, outWidth)];
            for (std::size_t k = 0; k < span.weights.size(); ++k) {
                const int s = span.first + static_cast<int>(k);
                const float* source = &in[alongX ? At(s, y, inWidth) : At(x, s, inWidth)];
                for (int c = 0; c < 4; ++c) {
                    target[c] += source[c] * span.weights[k];
                }
            }
        }
    }
    return out;
}

} // namespace

std::optional<PixelBox> CoveredBox(const RgbaImage& image) {
    int left = image.width;
    int right = -1;
    int top = image.height;
    int bottom = -1;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.pixels[At(x, y, image.width) + 3] != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0) {
        return std::nullopt;
    }
    return PixelBox{left, top, right - left + 1, bottom - top + 1};
}

RgbaImage Crop(const RgbaImage& image, const PixelBox& box) {
    assert(box.left >= 0 && box.top >= 0 && box.width > 0 && box.height > 0 &&
           box.left + box.width <= image.width && box.top + box.height <= image.height);
    RgbaImage out{box.width, box.height, {}};
    out.pixels.reserve(static_cast<std::size_t>(box.width) * box.height * 4);
    for (int y = box.top; y < box.top + box.height; ++y) {
        const std::uint8_t* row = image.Row(y) + static_cast<std::size_t>(box.left) * 4;
        out.pixels.insert(out.pixels.end(), row, row + static_cast<std::size_t>(box.width) * 4);
    }
    return out;
}

RgbaImage ScaleDown(const RgbaImage& image, int width, int height) {
    assert(width >= 1 && height >= 1 && width <= image.width && height <= image.height);
    const std::vector<float> across = Shrink(Premultiplied(image), image.width, width, image.height,
                                             Spans(image.width, width), true);
    const std::vector<float> down =
        Shrink(across, width, width, height, Spans(image.height, height), false);
    return Straight(down, width, height);
}
