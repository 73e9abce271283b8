#include "render/Scene.h"

#include "GlTestWindow.h"
#include "TestModels.h"
#include "render/ReferenceObjects.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;
constexpr double kDistance = 1500.0;

// Light 0 shines along (1, 1, 1) in eye space with diffuse 0.7; its ambient
// 0.1 and the global ambient 0.2 light the green material whatever the normal.
double LitGreen(double nx, double ny, double nz) {
    const double diffuse = std::max(0.0, (nx + ny + nz) / std::sqrt(3.0));
    return std::min(1.0, 0.1 + 0.2 + 0.7 * diffuse) * 255.0;
}
constexpr double kAmbientGreen = 0.3 * 255.0;

struct SceneTest : testing::Test {
    GlTestWindow window{kWidth, kHeight};

    void SetUp() override {
        ASSERT_TRUE(window.Ready());
        ASSERT_EQ(window.Width(), kWidth);
        ASSERT_EQ(window.Height(), kHeight);
    }

    void Draw(const Model& model, bool objects, double angleY = 0.0, double angleX = 0.0) {
        DrawScene(angleY, angleX, kDistance, model, objects);
        window.ReadBack();
    }

    // The pixel under a point of eye space.
    Rgb AtEyePoint(double x, double y, double z) {
        const WindowPoint p = ProjectEyePoint(x, y, z, kWidth, kHeight);
        return window.At(static_cast<int>(p.x), static_cast<int>(p.y));
    }

    // The pixel under a model point seen from the initial camera.
    Rgb AtModelPoint(double x, double y, double z) { return AtEyePoint(x, y, z - kDistance); }
};

TEST_F(SceneTest, EachFrameStartsFromClearedColourAndDepth) {
    auto pyramid = LoadModelText(kPyramidText);
    Model empty;
    Draw(*pyramid, false);
    ASSERT_GT(window.CountLit(), 0);
    // Nothing of the last frame stays: the background is black.
    Draw(empty, false);
    EXPECT_EQ(window.CountLit(), 0);
    const Rgb corner = window.At(0, 0);
    EXPECT_EQ(corner.r + corner.g + corner.b, 0);

    // Nor do its depths: the pyramid farther away than before still shows.
    Draw(*pyramid, false);
    DrawScene(0.0, 0.0, 2500.0, *pyramid, false);
    window.ReadBack();
    EXPECT_GT(window.At(kWidth / 2, kHeight / 2).g, 0);
}

TEST_F(SceneTest, ThePyramidShowsLitGreenWhereTheProjectionPutsIt) {
    auto pyramid = LoadModelText(kPyramidText);
    Draw(*pyramid, false);

    // Looking down on the apex: it lands in the middle with its normal (0, 0, 1).
    const Rgb apex = window.At(kWidth / 2, kHeight / 2);
    EXPECT_EQ(apex.r, 0);
    EXPECT_EQ(apex.b, 0);
    EXPECT_NEAR(apex.g, LitGreen(0, 0, 1), 4.0);

    // The outline is the base square, 1700 units from the eye.
    const WindowPoint hi = ProjectEyePoint(500, 500, -1700, kWidth, kHeight);
    const WindowPoint lo = ProjectEyePoint(-500, -500, -1700, kWidth, kHeight);
    const int midX = kWidth / 2;
    const int midY = kHeight / 2;
    EXPECT_GT(window.At(static_cast<int>(hi.x) - 3, midY).g, 0);
    EXPECT_EQ(window.At(static_cast<int>(hi.x) + 3, midY).g, 0);
    EXPECT_GT(window.At(static_cast<int>(lo.x) + 3, midY).g, 0);
    EXPECT_EQ(window.At(static_cast<int>(lo.x) - 3, midY).g, 0);
    EXPECT_GT(window.At(midX, static_cast<int>(hi.y) - 3).g, 0);
    EXPECT_EQ(window.At(midX, static_cast<int>(hi.y) + 3).g, 0);
    EXPECT_GT(window.At(midX, static_cast<int>(lo.y) + 3).g, 0);
    EXPECT_EQ(window.At(midX, static_cast<int>(lo.y) - 3).g, 0);

    // The light comes from the upper right, so that side is the brighter.
    const int dx = (static_cast<int>(hi.x) - midX) * 3 / 4;
    const int dy = (static_cast<int>(hi.y) - midY) * 3 / 4;
    EXPECT_GT(window.At(midX + dx, midY + dy).g, window.At(midX - dx, midY - dy).g + 40);
}

TEST_F(SceneTest, TheLightStaysWithTheViewerWhenTheModelTurns) {
    auto pyramid = LoadModelText(kPyramidText);
    Draw(*pyramid, false, 180.0);
    // Turned half round, the base faces the eye, 1300 units away. The light
    // has not turned with it: the upper right of the base is still the brighter.
    const WindowPoint hi = ProjectEyePoint(500, 500, -1300, kWidth, kHeight);
    const int midX = kWidth / 2;
    const int midY = kHeight / 2;
    const int dx = (static_cast<int>(hi.x) - midX) * 3 / 4;
    const int dy = (static_cast<int>(hi.y) - midY) * 3 / 4;
    EXPECT_GT(window.At(midX + dx, midY + dy).g, window.At(midX - dx, midY + dy).g + 40);
    EXPECT_GT(window.At(midX + dx, midY + dy).g, window.At(midX + dx, midY - dy).g + 40);
}

TEST_F(SceneTest, ReferenceObjectsStandAtTheirPlacesBesideAnEmptyModel) {
    Model empty;
    Draw(empty, true);
    EXPECT_GT(AtModelPoint(0, 0, 50).g, 0);    // the sphere at the origin
    EXPECT_GT(AtModelPoint(-100, 0, 50).g, 0); // the one beside it
    EXPECT_GT(AtModelPoint(0, 150, 100).g, 0); // the cube's front face
    EXPECT_GT(AtModelPoint(90, 240, 100).g, 0);
    EXPECT_EQ(AtModelPoint(100, 0, 0).g, 0);   // right of the first sphere
    EXPECT_EQ(AtModelPoint(-200, 0, 0).g, 0);  // left of the second
    EXPECT_EQ(AtModelPoint(0, 300, 100).g, 0); // above the cube
    EXPECT_EQ(AtModelPoint(130, 150, 100).g, 0);

    // Turned a quarter round, the second sphere comes toward the viewer and
    // hides the first: it now lies on the eye's axis 100 units nearer.
    Draw(empty, true, 90.0);
    EXPECT_GT(AtModelPoint(0, 0, 150).g, 0);
    EXPECT_EQ(AtModelPoint(-100, 0, 50).g, 0);

    // Off again: nothing but the background.
    Draw(empty, false);
    EXPECT_EQ(window.CountLit(), 0);
}

TEST_F(SceneTest, TheModelTurnsAboutItsOwnYAxisThenTiltsAboutTheEyesXAxis) {
    Model empty;
    Draw(empty, true, 90.0, 90.0);
    // Turned, the second sphere comes to (0, 0, 100) and the cube's centre to
    // (0, 150, 0); tilted, they go to (0, -100, 0) and (0, 0, 150).
    EXPECT_GT(AtEyePoint(0, -100, -kDistance).g, 0);
    EXPECT_GT(AtEyePoint(0, 0, 250 - kDistance).g, 0);
    // In the other order the cube would stand at (150, 0, 0).
    EXPECT_EQ(AtEyePoint(150, 0, -kDistance).g, 0);
    EXPECT_EQ(AtEyePoint(0, 160, -kDistance).g, 0);
}

TEST_F(SceneTest, CubeCornerNormalsAreUsedAtTheirFullLength) {
    Model empty;
    Draw(empty, true);
    // Near the front face's lower right corner, normal (1, -1, 1): at length
    // sqrt(3) it is lit as brightly as a unit normal straight at the light
    // would be lit by a third of that.
    EXPECT_NEAR(AtModelPoint(97, 53, 100).g, LitGreen(1, -1, 1), 6.0);
    // The upper right corner, (1, 1, 1), is clamped to full intensity.
    EXPECT_GT(AtModelPoint(97, 247, 100).g, 245);
}

TEST_F(SceneTest, AWireModelIsLitByTheLastNormalIssued) {
    auto wire = LoadModelText("0\n2 1\n-2 1 0\n2 1 0\n1 2\n");
    ASSERT_EQ(wire->edgeCount, 1);
    // The edge runs across the window just above the middle; find its row.
    auto brightestOnColumn = [&](int x) {
        int best = 0;
        for (int y = 0; y < kHeight; ++y)
            best = std::max(best, window.At(x, y).g);
        return best;
    };

    // Before any normal the context holds (0, 0, 1), half facing the light.
    Draw(*wire, false);
    EXPECT_NEAR(brightestOnColumn(kWidth / 2 + 60), LitGreen(0, 0, 1), 3.0);

    // A frame with the reference objects leaves the cube's last normal,
    // (-1, -1, -1), facing away: only the ambient share is left, and it stays
    // after the objects are off again.
    Draw(*wire, true);
    Draw(*wire, false);
    EXPECT_NEAR(brightestOnColumn(kWidth / 2 + 60), kAmbientGreen, 3.0);
}

TEST_F(SceneTest, FramesLeaveTheModelviewMatrixAsTheyFoundIt) {
    auto pyramid = LoadModelText(kPyramidText);
    Draw(*pyramid, true, 33.0, -12.0);
    double m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(m[i], i % 5 == 0 ? 1.0 : 0.0);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SceneTest, ModelsOfOtherTypesAreNotShown) {
    std::string text = kPyramidText;
    text[0] = '2';
    auto invisible = LoadModelText(text);
    ASSERT_EQ(invisible->faceCount, 5);
    Draw(*invisible, false);
    EXPECT_EQ(window.CountLit(), 0);
}

} // namespace
