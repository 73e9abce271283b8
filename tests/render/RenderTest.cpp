// The renderer drawing into a real window, its frames read back from the back buffer.

#include "GlTestWindow.h"
#include "TestModels.h"

#include "model/Model.h"
#include "platform/HostDisplay.h"
#include "platform/HostGl.h"
#include "platform/HostWindow.h"
#include "render/DisplayCommands.h"
#include "render/DrawingSurface.h"
#include "render/ReferenceObjects.h"
#include "render/Scene.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 400, kHeight = 300;
constexpr double kDistance = 1500.0;
const double kFocal = 1.0 / std::tan(22.5 * M_PI / 180.0); // of the 45-degree field of view
constexpr double kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// Light 0 shines along (1, 1, 1) in eye space with diffuse 0.7; its ambient
// 0.1 and the global ambient 0.2 light the green material whatever the normal.
double LitGreen(double nx, double ny, double nz) {
    const double diffuse = std::max(0.0, (nx + ny + nz) / std::sqrt(3.0));
    return std::min(1.0, 0.3 + 0.7 * diffuse) * 255.0;
}

struct WindowPoint {
    int x, y;
};

// The pixel under a point of eye space, counted from the lower left (the eye looks down -z).
WindowPoint Project(double x, double y, double z) {
    return {static_cast<int>((kFocal * kHeight / kWidth * x / -z + 1.0) * kWidth / 2.0),
            static_cast<int>((kFocal * y / -z + 1.0) * kHeight / 2.0)};
}

struct RenderTest : testing::Test {
    GlTestWindow window{kWidth, kHeight};
    std::unique_ptr<Model> pyramid = LoadModelText(kPyramidText);

    void SetUp() override { ASSERT_TRUE(window.ready); }
    // Draws a frame and reads it back; returns how many pixels are lit.
    int Draw(const Model& model, bool objects, double angleY = 0.0, double angleX = 0.0,
             double distance = kDistance) {
        DrawScene(angleY, angleX, distance, model, objects);
        window.ReadBack();
        return window.CountLit();
    }
    int Green(WindowPoint p) const { return window.At(p.x, p.y); }
    // The green under a point of the model seen from the initial camera.
    int GreenAt(double x, double y, double z) const { return Green(Project(x, y, z - kDistance)); }
};

// A surface whose format search finds nothing near the request.
class NothingMatchesSurface : public DrawingSurface {
protected:
    int ChooseFormat(host::HDC, const host::PIXELFORMATDESCRIPTOR&) override { return 0; }
};

TEST(DrawingSurfaceTest, FallsBackToTheFirstFormatAndReleasesTheContextOnDestroy) {
    GlTestWindow window(160, 120, std::make_unique<NothingMatchesSurface>());
    ASSERT_TRUE(window.ready);
    DrawingSurface& surface = *window.surface;
    const host::HDC dc = host::GetDC(window.hwnd);
    EXPECT_EQ(surface.m_nPixelFormat, 1);
    EXPECT_EQ(host::GetPixelFormat(dc), 1);
    EXPECT_EQ(host::wglGetCurrentContext(), surface.m_hGLContext);
    EXPECT_FALSE(surface.SelectPixelFormat(dc)); // a window takes its format once

    surface.Destroy();
    EXPECT_EQ(surface.m_hGLContext, nullptr);
    EXPECT_FALSE(host::HasCurrentGlContext());
    surface.Destroy(); // twice is harmless
}

// A window whose set-up failed stays usable, only empty: every step of a
// frame's life is skipped, and the toggle still flips.
TEST(DrawingSurfaceTest, WithoutAContextEveryStepIsSkipped) {
    DrawingSurface surface;
    host::HWND hwnd = nullptr;
    if (!host::HasDisplay()) {
        // Without a display no format can be described, not even the fallback.
        host::CREATESTRUCT cs;
        cs.cx = cs.cy = 100;
        hwnd = host::CreateWindow(cs, host::DefWindowProc, nullptr);
        ASSERT_NE(hwnd, nullptr);
        EXPECT_FALSE(surface.Create(host::GetDC(hwnd)));
        EXPECT_EQ(surface.m_nPixelFormat, 1);
        EXPECT_EQ(surface.m_hGLContext, nullptr);
    }
    ASSERT_FALSE(host::HasCurrentGlContext());

    const bool before = g_showReferenceObjects;
    EXPECT_EQ(ToggleReferenceObjects(), !before);
    EXPECT_EQ(g_showReferenceObjects, !before);
    for (void (*command)() : {ShowPoints, ShowWire, ShowSolid, ShadeFlat, ShadeSmooth}) {
        command();
    }
    EXPECT_EQ(ToggleReferenceObjects(), before);

    surface.Resize(640, 0);
    auto pyramid = LoadModelText(kPyramidText);
    DrawScene(0.0, 0.0, 1500.0, *pyramid, true);
    pyramid->Draw();
    DrawReferenceObjects();
    EXPECT_FALSE(surface.Present(nullptr));
    surface.Destroy();
    if (hwnd) {
        host::DestroyWindow(hwnd);
    }
}

TEST_F(RenderTest, ResizeSetsViewportPerspectiveAndFrameStateWithoutDividingByZero) {
    // Width, height, aspect. A height of 0 takes the width as the aspect; no
    // size at all keeps the identity; nothing in the projection is infinite or NaN.
    const double sizes[][3] = {{400, 300, 400.0 / 300.0}, {300, 0, 300}, {0, 0, 0}, {200, 100, 2}};
    for (const auto& s : sizes) {
        SCOPED_TRACE(testing::Message() << s[0] << "x" << s[1]);
        glTranslated(1.0, 2.0, 3.0); // on the modelview; Resize must reset it
        glMatrixMode(GL_PROJECTION); // and return to the modelview mode itself
        window.surface->Resize(static_cast<int>(s[0]), static_cast<int>(s[1]));
        double p[16], m[16];
        GLint viewport[4], mode = 0;
        glGetDoublev(GL_PROJECTION_MATRIX, p);
        glGetDoublev(GL_MODELVIEW_MATRIX, m);
        glGetIntegerv(GL_VIEWPORT, viewport);
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_TRUE(std::all_of(p, p + 16, [](double v) { return std::isfinite(v); }));
        EXPECT_TRUE(std::equal(m, m + 16, kIdentity));
        if (s[2] != 0.0) { // OpenGL keeps its matrices in single precision
            EXPECT_FLOAT_EQ(p[0], kFocal / s[2]);
            EXPECT_FLOAT_EQ(p[5], kFocal);
            EXPECT_FLOAT_EQ(p[10], -6001.0 / 5999.0);
            EXPECT_FLOAT_EQ(p[14], -2.0 * 6000.0 / 5999.0);
            EXPECT_EQ(p[11], -1.0);
        }
        EXPECT_TRUE(viewport[2] == s[0] && viewport[3] == s[1]);
        EXPECT_EQ(mode, GL_MODELVIEW);
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST)); // lighting shows in the shades tested below
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}

TEST_F(RenderTest, FramesShowThePyramidLitGreenWhereProjectedAndStartFromBlack) {
    Draw(*pyramid, false);
    // Looking down on the apex: it lands in the middle with its normal (0, 0, 1).
    EXPECT_NEAR(window.At(kWidth / 2, kHeight / 2), LitGreen(0, 0, 1), 4.0);
    EXPECT_EQ(window.At(kWidth / 2, kHeight / 2, 0) + window.At(kWidth / 2, kHeight / 2, 2), 0);

    // The outline is the base square, 1700 units from the eye: green just
    // inside each side, none just outside.
    const WindowPoint hi = Project(500, 500, -1700), lo = Project(-500, -500, -1700);
    for (const int d : {-3, 3}) {
        EXPECT_EQ(Green({hi.x + d, kHeight / 2}) > 0, d < 0) << d;
        EXPECT_EQ(Green({lo.x - d, kHeight / 2}) > 0, d < 0) << d;
        EXPECT_EQ(Green({kWidth / 2, hi.y + d}) > 0, d < 0) << d;
        EXPECT_EQ(Green({kWidth / 2, lo.y - d}) > 0, d < 0) << d;
    }

    // The light stays at the viewer's upper right however the model turns:
    // that part is the brighter from the apex side and, turned half round,
    // from the base, 1300 units away.
    const auto expectUpperRightBrighter = [&](double z) {
        const WindowPoint p = Project(375, 375, z);
        EXPECT_GT(Green(p), Green({kWidth - p.x, p.y}) + 40) << z;
        EXPECT_GT(Green(p), Green({p.x, kHeight - p.y}) + 40) << z;
    };
    expectUpperRightBrighter(-1700);
    Draw(*pyramid, false, 180.0);
    expectUpperRightBrighter(-1300);

    // The next frame starts from black: a model of any type but the two loads
    // like a surface model and shows nothing.
    auto other = LoadModelText(std::string("2") + (kPyramidText + 1));
    ASSERT_EQ(other->faceCount, 5);
    Draw(*other, false);
    EXPECT_EQ(window.pixels, std::vector<std::uint8_t>(window.pixels.size(), 0));
    // Nor do the last frame's depths stay: the pyramid farther away still shows.
    Draw(*pyramid, false);
    Draw(*pyramid, false, 0.0, 0.0, 2500.0);
    EXPECT_GT(window.At(kWidth / 2, kHeight / 2), 0);
}

TEST_F(RenderTest, ReferenceObjectsStandWhereTheTurnAndTiltPutThem) {
    // angleY, angleX, a point of the model, whether it is covered. Unturned:
    // the spheres, the cube's front face, beside and above them. Turned a
    // quarter round the second sphere comes to (0, 0, 100), hiding the first;
    // tilted back too, it goes up to (0, 100, 0) and the cube to (0, 0, -150),
    // not (-150, 0, 0) as in the other order. Tilted forward, the cube comes near.
    const int points[][6] = {
        {0, 0, 0, 0, 50, 1},     {0, 0, -100, 0, 50, 1},   {0, 0, 0, 150, 100, 1},
        {0, 0, 90, 240, 100, 1}, {0, 0, 100, 0, 0, 0},     {0, 0, -200, 0, 0, 0},
        {0, 0, 0, 300, 100, 0},  {0, 0, 130, 150, 100, 0}, {90, 0, 0, 0, 150, 1},
        {90, 0, -100, 0, 50, 0}, {90, -90, 0, 130, 0, 1},  {90, -90, 0, -130, 0, 0},
        {90, -90, 75, 0, 0, 1},  {90, -90, -150, 0, 0, 0}, {90, 90, 0, 0, 250, 1},
    };
    for (const auto& p : points) {
        Draw(Model(), true, p[0], p[1]);
        EXPECT_EQ(GreenAt(p[2], p[3], p[4]) > 0, p[5] != 0)
            << p[0] << " " << p[1] << " (" << p[2] << ", " << p[3] << ", " << p[4] << ")";
    }
    // Frames leave the modelview matrix as they found it.
    double m[16];
    GLint depth = 0;
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_TRUE(depth == 1 && std::equal(m, m + 16, kIdentity)) << depth;

    // The cube's corner normals are used at their full length, sqrt(3): near
    // the front face's lower right corner, (1, -1, 1) lights as a unit normal
    // straight at the light would by a third; the upper right, (1, 1, 1), is
    // clamped to full intensity.
    Draw(Model(), true);
    EXPECT_NEAR(GreenAt(97, 53, 100), LitGreen(1, -1, 1), 6.0);
    EXPECT_GT(GreenAt(97, 247, 100), 245);
}

TEST_F(RenderTest, ModelsShowEveryCornerAndEdgeAndLinesTakeTheLastNormal) {
    // Three separate edges across the whole view, at y = 500, 0 and -500.
    auto lines = LoadModelText("0\n6 3\n-2 1 0\n2 1 0\n-2 0 0\n2 0 0\n-2 -1 0\n2 -1 0\n"
                               "1 2\n3 4\n5 6\n");
    const auto brightestOnColumn = [&] {
        int best = 0;
        for (int y = 0; y < kHeight; ++y) {
            best = std::max(best, window.At(kWidth / 2, y));
        }
        return best;
    };
    const int lit = Draw(*lines, false);
    int rowsLit = 0;
    for (int y = 0; y < kHeight; ++y) {
        rowsLit +=
            window.At(0, y) > 8 && window.At(kWidth / 2, y) > 8 && window.At(kWidth - 1, y) > 8;
    }
    EXPECT_TRUE(rowsLit >= 3 && rowsLit <= 6) << rowsLit;
    EXPECT_EQ(lit, rowsLit * kWidth); // each spans the view, and nothing joins them

    // Lines send no normal and are lit by the last one issued: before any, the
    // context holds (0, 0, 1); the reference objects leave the cube's last,
    // (-1, -1, -1), facing away, so only the ambient share is left, also once
    // they are off again.
    EXPECT_NEAR(brightestOnColumn(), LitGreen(0, 0, 1), 3.0);
    Draw(*lines, true);
    Draw(*lines, false);
    EXPECT_NEAR(brightestOnColumn(), 0.3 * 255.0, 3.0);

    // A square facing the eye, larger than the view: all four corners count.
    auto square = LoadModelText("1\n4 1\n-1 -1 0\n1 -1 0\n1 1 0\n-1 1 0\n1 2 3 4\n");
    EXPECT_EQ(Draw(*square, false), kWidth * kHeight);
}

TEST_F(RenderTest, DisplayCommandsChangeWhatTheNextFramesCoverAndHowTheyShade) {
    int lit[3];
    void (*const modes[])() = {ShowSolid, ShowWire, ShowPoints};
    for (int i = 0; i < 3; ++i) {
        modes[i]();
        lit[i] = Draw(*pyramid, false);
    }
    // The base square is about 213 pixels a side; its outline and the four
    // edges to the apex are a few lines; the points are the five corners.
    EXPECT_GT(lit[0], 40000);
    EXPECT_TRUE(lit[1] > 800 && lit[1] < 3000) << lit[1];
    EXPECT_TRUE(lit[2] >= 4 && lit[2] <= 20) << lit[2];
    ShowSolid();
    EXPECT_EQ(Draw(*pyramid, false), lit[0]);

    // Flat and smooth shading differ on the spheres; smooth gives back the same frame.
    Draw(Model(), true);
    const std::vector<std::uint8_t> smooth = window.pixels;
    ShadeFlat();
    Draw(Model(), true);
    int differing = 0;
    for (std::size_t i = 1; i < smooth.size(); i += 3) {
        differing += std::abs(smooth[i] - window.pixels[i]) > 2 ? 1 : 0;
    }
    EXPECT_GT(differing, 100);
    ShadeSmooth();
    Draw(Model(), true);
    EXPECT_EQ(window.pixels, smooth);
}

// Everything PrepareSceneDrawing might change and a later frame would show.
struct GlState {
    std::vector<GLfloat> values;
    std::vector<GLint> modes;

    static GlState Now() {
        GlState state;
        for (const GLenum name : {GL_CURRENT_NORMAL, GL_MODELVIEW_MATRIX, GL_PROJECTION_MATRIX,
                                  GL_VIEWPORT, GL_COLOR_CLEAR_VALUE, GL_LIGHT_MODEL_AMBIENT}) {
            GLfloat value[16] = {};
            glGetFloatv(name, value);
            state.values.insert(state.values.end(), value, value + 16);
        }
        GLint polygonModes[2] = {};
        glGetIntegerv(GL_POLYGON_MODE, polygonModes);
        GLint shadeModel = 0, matrixMode = 0, drawBuffer = 0;
        glGetIntegerv(GL_SHADE_MODEL, &shadeModel);
        glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
        glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
        state.modes = {polygonModes[0], polygonModes[1], shadeModel, matrixMode, drawBuffer};
        for (const GLenum capability :
             {GL_LIGHTING, GL_LIGHT0, GL_DEPTH_TEST, GL_VERTEX_ARRAY, GL_NORMAL_ARRAY}) {
            state.modes.push_back(glIsEnabled(capability));
        }
        return state;
    }
    bool operator==(const GlState& other) const {
        return values == other.values && modes == other.modes;
    }
};

TEST_F(RenderTest, PreparingTheSceneLeavesNoTraceInTheContextOrTheNextFrame) {
    auto lines = LoadModelText("0\n2 1\n-2 0 0\n2 0 0\n1 2\n");
    for (void (*const mode)() : {ShowSolid, ShowWire, ShowPoints}) {
        mode();
        ShadeFlat();
        // A wire model is lit by the normal that is current before its frame.
        glNormal3f(0.6f, 0.0f, 0.8f);
        Draw(*lines, false);
        const std::vector<std::uint8_t> before = window.pixels;
        glNormal3f(0.6f, 0.0f, 0.8f);
        glDisable(GL_LIGHT0);
        const GlState state = GlState::Now();

        PrepareSceneDrawing();
        EXPECT_TRUE(GlState::Now() == state);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        Draw(*lines, false);
        EXPECT_TRUE(window.pixels == before);
    }
    ShowSolid();
    ShadeSmooth();
}

} // namespace
