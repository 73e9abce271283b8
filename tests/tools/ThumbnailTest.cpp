// Thumbnails, drawn without a window.

#include "tools/Thumbnail.h"
#include "model/Model.h"
#include "tools/ImageScaling.h"
#include "tools/ThumbnailError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

void Load(Model& model, const std::string& text) {
    ASSERT_TRUE(model.OpenText(text, "inline.dat"));
}

// A flat surface model facing the eye, w x h, scaled so its longer side is 2000.
std::string Panel(int w, int h) {
    return "1\n4 1\n0 0 0\n" + std::to_string(w) + " 0 0\n" + std::to_string(w) + " " +
           std::to_string(h) + " 0\n0 " + std::to_string(h) + " 0\n1 2 3 4\n";
}

const double kFocal = 1.0 / std::tan(22.5 * M_PI / 180.0);

TEST(ThumbnailTest, TheLongerSideIsTheSizeAndTheAspectIsTheModels) {
    const struct { int w, h, size; } cases[] = {{4, 2, 256}, {2, 4, 128}, {3, 3, 64}, {10, 1, 100}};
    for (const auto& c : cases) {
        Model model;
        Load(model, Panel(c.w, c.h));
        const RgbaImage thumbnail = MakeThumbnail(model, c.size);
        const int longer = std::max(thumbnail.width, thumbnail.height);
        const int shorter = std::min(thumbnail.width, thumbnail.height);
        EXPECT_EQ(longer, c.size) << c.w << "x" << c.h;
        EXPECT_EQ(thumbnail.width >= thumbnail.height, c.w >= c.h);
        EXPECT_NEAR(shorter, c.size * std::min(c.w, c.h) / std::max(c.w, c.h), 2.0);
        // Cut to the model: it reaches every edge, and fills the panel's picture.
        ASSERT_TRUE(CoveredBox(thumbnail));
        EXPECT_EQ(CoveredBox(thumbnail)->width, thumbnail.width);
        EXPECT_EQ(CoveredBox(thumbnail)->height, thumbnail.height);
        EXPECT_EQ(thumbnail.Row(thumbnail.height / 2)[thumbnail.width / 2 * 4 + 3], 255);
    }
}

TEST(ThumbnailTest, EverySizeGetsItsLongerSideExactlyAndTheShorterRounded) {
    // Drawings as large as the size, a pixel more and twice it, every aspect.
    for (int size = 1; size <= kMaxThumbnailSize; ++size) {
        for (const int longer : {size, size + 1, 2 * size}) {
            for (int shorter = 1; shorter <= longer; ++shorter) {
                const PixelBox wide = ThumbnailBox({0, 0, longer, shorter}, size);
                const PixelBox tall = ThumbnailBox({0, 0, shorter, longer}, size);
                ASSERT_TRUE(wide.width == size && tall.height == size && wide.height == tall.width);
                // |wide.height - shorter * size / longer| <= 1/2, a half rounding up.
                const int twice = 2 * (wide.height * longer - shorter * size);
                ASSERT_TRUE((twice > -longer && twice <= longer) ||
                            (wide.height == 1 && 2 * shorter * size < longer));
            }
        }
    }
}

TEST(ThumbnailTest, AWireModelGetsCrispLinesAndAModelThatDrawsNothingNoThumbnail) {
    Model invisible;
    Load(invisible, "2" + Panel(4, 2).substr(1));
    EXPECT_THROW(MakeThumbnail(invisible, 64), ThumbnailError);
    // A square outline: its lines are drawn at the size, a pixel wide and opaque.
    Model square;
    Load(square, "0\n4 4\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n1 2\n2 3\n3 4\n4 1\n");
    const RgbaImage outline = MakeThumbnail(square, 64);
    EXPECT_EQ(outline.width, 64);
    EXPECT_EQ(outline.Row(32)[3], 255);
    EXPECT_EQ(outline.Row(32)[32 * 4 + 3], 0);
}

TEST(ThumbnailTest, TheDistanceShowsEveryVertexInsideTheMarginAndInsideTheClipPlanes) {
    const std::string models[] = {
        Panel(4, 2),
        // Deep along the view: the nearest corner must stay in view.
        "1\n4 1\n0 0 0\n1 0 0\n1 1 10\n0 1 10\n1 2 3 4\n",
        "0\n2 1\n-1 -1 -1\n1 1 1\n1 2\n",
    };
    for (const std::string& text : models) {
        Model model;
        Load(model, text);
        const double distance = DistanceToShowAll(model, 0.1);
        for (const Vertex* v = model.vertices; v; v = v->next) {
            const double depth = distance - v->z;
            EXPECT_GT(depth, 1.0);
            EXPECT_LT(depth, 6000.0);
            EXPECT_LE(kFocal * std::abs(v->x) / depth, 0.9 + 1e-9) << text;
            EXPECT_LE(kFocal * std::abs(v->y) / depth, 0.9 + 1e-9) << text;
        }
    }
    // Coordinates up to 2000 across and deep cannot all fit before the far
    // plane: the farthest vertex is kept just inside it.
    Model deep;
    Load(deep, "0\n2 1\n-1 -1 -1\n1 1 1\n1 2\n");
    for (Vertex* v = deep.vertices; v; v = v->next) {
        v->x *= 2;
        v->y *= 2;
        v->z *= 2;
    }
    EXPECT_LT(DistanceToShowAll(deep, 0.0) + 2000.0, 6000.0);
}

TEST(ThumbnailTest, ModelsThatWouldTakeLongToDrawAreRefusedBeforeDrawing) {
    // The work is the projected area: a panel 1000 units square at 2000 units
    // fills focal / 2 of a picture's width each way.
    Model square;
    Load(square, Panel(1, 1));
    const double across = kFocal * 1000.0 / 2000.0 * 100.0 / 2.0;
    EXPECT_NEAR(DrawingWork(square, 2000.0, 100), across * across, 1.0);
    // A twisted quadrilateral is still filled as two triangles of half the square each.
    Model twisted;
    Load(twisted, "1\n4 1\n0 0 0\n1 1 0\n1 0 0\n0 1 0\n1 2 3 4\n");
    EXPECT_NEAR(DrawingWork(twisted, 2000.0, 100), across * across, 1.0);
    Model line;
    Load(line, "0\n2 1\n0 0 0\n1 0 0\n1 2\n");
    EXPECT_NEAR(DrawingWork(line, 2000.0, 100), across, 0.01);

    // The same face over and over, each filling the picture.
    std::string stacked = "1\n3 1000\n0 0 0\n1 0 0\n0 1 0\n";
    for (int i = 0; i < 1000; ++i) {
        stacked += "1 2 3\n";
    }
    Model overdrawn;
    Load(overdrawn, stacked);
    EXPECT_THROW(MakeThumbnail(overdrawn, 32), ThumbnailError);
    // Many faces, each tiny: more than the most a thumbnail draws.
    std::string many =
        "1\n4 " + std::to_string(kMaxPrimitives + 1) + "\n0 0 0\n1 0 0\n0 1 0\n999 0 0\n";
    many.reserve(many.size() + 6u * (kMaxPrimitives + 1));
    for (int i = 0; i <= kMaxPrimitives; ++i) {
        many += "1 2 3\n";
    }
    Model crowded;
    Load(crowded, many);
    EXPECT_THROW(MakeThumbnail(crowded, 32), ThumbnailError);
}

} // namespace
