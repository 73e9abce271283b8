#include "tools/ImageScaling.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// A clear picture with the listed pixels opaque in one colour.
RgbaImage Picture(int width, int height, const std::vector<std::pair<int, int>>& opaque,
                  std::uint8_t green = 200) {
    RgbaImage image{width, height, std::vector<std::uint8_t>(width * height * 4, 0)};
    for (const auto& [x, y] : opaque) {
        std::uint8_t* p = &image.pixels[(y * width + x) * 4];
        p[1] = green;
        p[3] = 255;
    }
    return image;
}

TEST(ImageScalingTest, TheCoveredBoxHoldsEveryDrawnPixelAndNothingMore) {
    EXPECT_FALSE(CoveredBox(Picture(4, 3, {})));
    const struct {
        std::vector<std::pair<int, int>> opaque;
        PixelBox box;
    } cases[] = {
        {{{2, 1}}, {2, 1, 1, 1}},
        {{{0, 0}, {3, 2}}, {0, 0, 4, 3}},
        {{{3, 0}, {1, 2}}, {1, 0, 3, 3}},
    };
    for (const auto& c : cases) {
        const std::optional<PixelBox> box = CoveredBox(Picture(4, 3, c.opaque));
        ASSERT_TRUE(box);
        EXPECT_EQ(box->left, c.box.left);
        EXPECT_EQ(box->top, c.box.top);
        EXPECT_EQ(box->width, c.box.width);
        EXPECT_EQ(box->height, c.box.height);
    }
}

TEST(ImageScalingTest, CropKeepsThePixelsOfTheBox) {
    const RgbaImage cut = Crop(Picture(4, 3, {{1, 1}, {2, 2}}), {1, 1, 2, 2});
    EXPECT_EQ(cut.width, 2);
    EXPECT_EQ(cut.height, 2);
    EXPECT_EQ(cut.pixels, Picture(2, 2, {{0, 0}, {1, 1}}).pixels);
}

TEST(ImageScalingTest, ShrinkingAveragesAreasWithoutDarkFringes) {
    // Two of four pixels opaque green: half-clear, and the same green, not
    // darkened by the clear black beside it.
    const RgbaImage half = ScaleDown(Picture(2, 2, {{0, 0}, {1, 1}}), 1, 1);
    EXPECT_EQ(half.pixels, (std::vector<std::uint8_t>{0, 200, 0, 128}));
    // 3 to 2 pixels: each new pixel is one old pixel and half of the middle.
    const RgbaImage row = ScaleDown(Picture(3, 1, {{0, 0}, {1, 0}}), 2, 1);
    EXPECT_EQ(row.pixels, (std::vector<std::uint8_t>{0, 200, 0, 255, 0, 200, 0, 85}));
    // Shrinking to the same size changes nothing.
    const RgbaImage same = Picture(5, 4, {{1, 2}, {4, 3}}, 77);
    EXPECT_EQ(ScaleDown(same, 5, 4).pixels, same.pixels);
    // The drawn area is kept: a 7 x 5 block in a 10 x 10 picture, made 3 x 3.
    std::vector<std::pair<int, int>> block;
    for (int y = 2; y < 7; ++y) {
        for (int x = 1; x < 8; ++x) {
            block.push_back({x, y});
        }
    }
    const RgbaImage small = ScaleDown(Picture(10, 10, block), 3, 3);
    double alpha = 0.0;
    for (std::size_t i = 3; i < small.pixels.size(); i += 4) {
        alpha += small.pixels[i] / 255.0;
    }
    EXPECT_NEAR(alpha, 35.0 * 9 / 100, 0.05);
}

} // namespace
