// Pictures of the scene drawn without a window: the view's steps in an
// off-screen context, read back with rows from the top.

#include "model/Model.h"
#include "platform/HostGl.h"
#include "render/Picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>

namespace {

std::unique_ptr<Model> Load(const std::string& text) {
    auto model = std::make_unique<Model>();
    EXPECT_TRUE(model->OpenText(text, "inline.dat"));
    return model;
}

// A panel facing the eye with its upper right corner cut off, so that each
// turn of the picture shows. Centred it spans -550..450 in x and -250..250 in
// y; the cut runs from (450, 0) to (200, 250).
const char* const kCutPanel = "1\n5 3\n0 0 0\n4 0 0\n4 1 0\n3 2 0\n0 2 0\n1 2 3\n1 3 4\n1 4 5\n";
// One edge across the view at the model's height 0, from x = -1000 to 1000.
const char* const kLine = "0\n2 1\n-2 0 0\n2 0 0\n1 2\n";

const double kFocal = 1.0 / std::tan(22.5 * M_PI / 180.0); // of the 45-degree view
// What a lit green shows with the normal at this cosine to the light.
const double kAmbientGreen = 0.3 * 255;
const double kFacingGreen = (0.3 + 0.7 / std::sqrt(3.0)) * 255; // normal (0, 0, 1)

ViewSettings Small() {
    ViewSettings view;
    view.width = 200;
    view.height = 100;
    return view;
}

struct Pixel {
    int r, g, b, a;
};

Pixel At(const RgbaImage& image, int x, int y) {
    const std::uint8_t* p = image.Row(y) + static_cast<std::size_t>(x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

// The pixel under a point of the plane z = 0 of an unturned model, with rows
// counted from the top.
Pixel Under(const RgbaImage& image, const ViewSettings& view, double x, double y) {
    const double aspect = static_cast<double>(view.width) / view.height;
    const double column = (kFocal / aspect * x / view.distance + 1.0) * view.width / 2.0;
    const double row = (1.0 - kFocal * y / view.distance) * view.height / 2.0;
    return At(image, static_cast<int>(column), static_cast<int>(row));
}

int CountDrawn(const RgbaImage& image) {
    int count = 0;
    for (std::size_t i = 3; i < image.pixels.size(); i += 4) {
        count += image.pixels[i] != 0 ? 1 : 0;
    }
    return count;
}

int BrightestOnColumn(const RgbaImage& image, int x) {
    int best = 0;
    for (int y = 0; y < image.height; ++y) {
        best = std::max(best, At(image, x, y).g);
    }
    return best;
}

TEST(HeadlessSceneTest, ThePictureHasTheSizeRowsFromTheTopAndAClearBlackBackground) {
    const auto panel = Load(kCutPanel);
    const ViewSettings view = Small();
    const RgbaImage picture = DrawPicture(*panel, view);
    ASSERT_EQ(picture.width, 200);
    ASSERT_EQ(picture.height, 100);
    ASSERT_EQ(picture.pixels.size(), 200u * 100u * 4u);
    EXPECT_FALSE(host::HasCurrentGlContext()) << "the context goes with the picture";

    // The background is black and clear; the panel green and opaque, lit by
    // the light at (1, 1, 1) from the viewer's side.
    const Pixel corner = At(picture, 0, 0);
    EXPECT_EQ(corner.r + corner.g + corner.b + corner.a, 0);
    const Pixel middle = Under(picture, view, 0, 0);
    EXPECT_EQ(middle.r + middle.b, 0);
    EXPECT_EQ(middle.a, 255);
    EXPECT_NEAR(middle.g, kFacingGreen, 3);

    // The cut corner is at the upper right of the picture.
    EXPECT_EQ(Under(picture, view, 400, 200).a, 0);
    EXPECT_EQ(Under(picture, view, -400, 200).a, 255);
    EXPECT_EQ(Under(picture, view, 400, -200).a, 255);
}

TEST(HeadlessSceneTest, TheCameraTurnsAndMovesThePictureAsTheViewersDoes) {
    const auto panel = Load(kCutPanel);
    ViewSettings view = Small();
    const int near = CountDrawn(DrawPicture(*panel, view));
    // Turned half round about the vertical axis, the cut comes to the left.
    view.angleY = 180.0;
    const RgbaImage behind = DrawPicture(*panel, view);
    EXPECT_EQ(Under(behind, view, -400, 200).a, 0);
    EXPECT_EQ(Under(behind, view, 400, 200).a, 255);
    // Tilted half round about the horizontal axis, it comes to the bottom.
    view.angleY = 0.0;
    view.angleX = 180.0;
    const RgbaImage tilted = DrawPicture(*panel, view);
    EXPECT_EQ(Under(tilted, view, 400, -200).a, 0);
    EXPECT_EQ(Under(tilted, view, 400, 200).a, 255);
    // Twice as far, a quarter of the area.
    view.angleX = 0.0;
    view.distance = 3000.0;
    EXPECT_NEAR(CountDrawn(DrawPicture(*panel, view)), near / 4.0, near * 0.03);
}

TEST(HeadlessSceneTest, ModesShadingAndTheObjectsAreThoseOfTheSettings) {
    const auto panel = Load(kCutPanel);
    ViewSettings view = Small();
    const int solid = CountDrawn(DrawPicture(*panel, view));
    view.mode = ViewSettings::Mode::Wire;
    const int wire = CountDrawn(DrawPicture(*panel, view));
    view.mode = ViewSettings::Mode::Points;
    const int points = CountDrawn(DrawPicture(*panel, view));
    EXPECT_GT(solid, 3000);
    EXPECT_TRUE(wire > 100 && wire < solid / 5) << wire;
    EXPECT_TRUE(points >= 5 && points <= 20) << points;

    // Every picture starts from the settings, not from the last picture.
    view.mode = ViewSettings::Mode::Solid;
    view.referenceObjects = true;
    const RgbaImage smooth = DrawPicture(Model(), view);
    EXPECT_GT(CountDrawn(smooth), 300);
    view.shading = ViewSettings::Shading::Flat;
    EXPECT_NE(DrawPicture(Model(), view).pixels, smooth.pixels);
    view.shading = ViewSettings::Shading::Smooth;
    EXPECT_EQ(DrawPicture(Model(), view).pixels, smooth.pixels);
}

TEST(HeadlessSceneTest, APictureDrawnInPartsMatchesThePictureDrawnWhole) {
    // Parts that do not divide it, with seams across faces, lines, wide points
    // and the objects; only the rounding of a few edge pixels may differ.
    const auto panel = Load(kCutPanel);
    ViewSettings view = Small();
    view.referenceObjects = true;
    for (const auto mode :
         {ViewSettings::Mode::Solid, ViewSettings::Mode::Wire, ViewSettings::Mode::Points}) {
        view.mode = mode;
        const RgbaImage parts = DrawPicture(*panel, view, 37);
        const RgbaImage whole = DrawPicture(*panel, view);
        int differing = 0;
        for (std::size_t i = 0; i < whole.pixels.size(); i += 4) {
            differing += !std::equal(&whole.pixels[i], &whole.pixels[i + 4], &parts.pixels[i]);
        }
        EXPECT_LT(differing, view.width * view.height / 100);
    }
}

TEST(HeadlessSceneTest, WireLinesBesideTheObjectsAreLitAsTheViewerShowsThem) {
    // Lines carry no normal. A fresh context lights them with (0, 0, 1). Once
    // the viewer has drawn the objects, which it does on switching them on,
    // they take the cube's last normal, which faces away from the light, and
    // show only the ambient share. Far to the left the line stands alone.
    const auto line = Load(kLine);
    ViewSettings view = Small();
    const int left = 30;
    EXPECT_NEAR(BrightestOnColumn(DrawPicture(*line, view), left), kFacingGreen, 3);
    view.referenceObjects = true;
    EXPECT_NEAR(BrightestOnColumn(DrawPicture(*line, view), left), kAmbientGreen, 3);
}

} // namespace
