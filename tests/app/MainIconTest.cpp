#include "app/MainIcon.h"

#include <gtest/gtest.h>

#include <set>

TEST(MainIconTest, HasA32AndA16PixelImageOfSixteenColoursAtMost) {
    const std::vector<host::IconImage> images = MainIconImages();
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].width, 32);
    EXPECT_EQ(images[0].height, 32);
    EXPECT_EQ(images[1].width, 16);
    EXPECT_EQ(images[1].height, 16);
    for (const host::IconImage& image : images) {
        ASSERT_EQ(image.pixels.size(), static_cast<std::size_t>(image.width * image.height));
        const std::set<std::uint32_t> colours(image.pixels.begin(), image.pixels.end());
        EXPECT_LE(colours.size(), 16u);
        for (std::uint32_t argb : colours) {
            EXPECT_EQ(argb >> 24, 0xFFu) << "opaque";
        }
    }
}
