#include "render/DisplayCommands.h"

#include "GlTestWindow.h"
#include "TestModels.h"
#include "platform/HostGl.h"
#include "render/ReferenceObjects.h"
#include "render/Scene.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct DisplayCommandsTest : testing::Test {
    GlTestWindow window{400, 300};

    void SetUp() override { ASSERT_TRUE(window.Ready()); }

    int LitAfterFrame(const Model& model, bool objects) {
        DrawScene(0.0, 0.0, 1500.0, model, objects);
        window.ReadBack();
        return window.CountLit();
    }
};

TEST_F(DisplayCommandsTest, PolygonModesChangeCoverage) {
    auto pyramid = LoadModelText(kPyramidText);
    const int solid = LitAfterFrame(*pyramid, false);
    ShowWire();
    const int wire = LitAfterFrame(*pyramid, false);
    ShowPoints();
    const int points = LitAfterFrame(*pyramid, false);
    ShowSolid();
    EXPECT_EQ(LitAfterFrame(*pyramid, false), solid);

    // The base square covers about 213 pixels a side; its outline and the four
    // edges to the apex are a few lines; the points are the five corners.
    EXPECT_GT(solid, 40000);
    EXPECT_GT(wire, 800);
    EXPECT_LT(wire, 3000);
    EXPECT_GE(points, 4);
    EXPECT_LE(points, 20);
    GLint modes[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_FILL);
    EXPECT_EQ(modes[1], GL_FILL);
}

TEST_F(DisplayCommandsTest, ReferenceObjectsFollowThePolygonMode) {
    Model empty;
    const int solid = LitAfterFrame(empty, true);
    ShowWire();
    const int wire = LitAfterFrame(empty, true);
    ShowPoints();
    const int points = LitAfterFrame(empty, true);
    EXPECT_GT(solid, wire);
    EXPECT_GT(wire, points);
    EXPECT_GT(points, 0);
}

TEST_F(DisplayCommandsTest, FlatAndSmoothShadingDifferOnASphere) {
    Model empty;
    LitAfterFrame(empty, true);
    const std::vector<std::uint8_t> smooth = window.Pixels();
    ShadeFlat();
    LitAfterFrame(empty, true);
    const std::vector<std::uint8_t> flat = window.Pixels();
    ASSERT_EQ(smooth.size(), flat.size());
    int differing = 0;
    for (std::size_t i = 1; i < smooth.size(); i += 3)
        differing += std::abs(smooth[i] - flat[i]) > 2 ? 1 : 0;
    EXPECT_GT(differing, 100);

    GLint model = 0;
    glGetIntegerv(GL_SHADE_MODEL, &model);
    EXPECT_EQ(model, GL_FLAT);
    ShadeSmooth();
    glGetIntegerv(GL_SHADE_MODEL, &model);
    EXPECT_EQ(model, GL_SMOOTH);
    LitAfterFrame(empty, true);
    EXPECT_EQ(window.Pixels(), smooth);
}

TEST_F(DisplayCommandsTest, FlatShadingGivesEachFaceOneColour) {
    auto pyramid = LoadModelText(kPyramidText);
    ShadeFlat();
    LitAfterFrame(*pyramid, false);
    // Two points well inside the right-hand side face, which leans toward the
    // light, share one colour.
    const Rgb a = window.At(200 + 60, 150 + 10);
    const Rgb b = window.At(200 + 30, 150 - 5);
    EXPECT_GT(a.g, 0);
    EXPECT_EQ(a.g, b.g);
}

TEST(DisplayCommandsWithoutContext, CommandsAreSkippedAndTheToggleStillFlips) {
    if (host::HasCurrentGlContext())
        host::wglMakeCurrent(nullptr, nullptr);
    const bool before = g_showReferenceObjects;
    EXPECT_EQ(ToggleReferenceObjects(), !before);
    EXPECT_EQ(g_showReferenceObjects, !before);
    ShowPoints();
    ShowWire();
    ShowSolid();
    ShadeFlat();
    ShadeSmooth();
    EXPECT_EQ(ToggleReferenceObjects(), before);

    // The rest of a frame's life is skipped as well.
    DrawingSurface surface;
    surface.Resize(640, 0);
    auto pyramid = LoadModelText(kPyramidText);
    DrawScene(0.0, 0.0, 1500.0, *pyramid, true);
    pyramid->Draw();
    DrawReferenceObjects();
    EXPECT_FALSE(surface.Present(nullptr));
    surface.Destroy();
    EXPECT_EQ(surface.m_hGLContext, nullptr);
}

} // namespace
