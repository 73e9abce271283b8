#include "render/DrawingSurface.h"

#include "GlTestWindow.h"
#include "platform/HostDisplay.h"
#include "platform/HostGl.h"
#include "platform/HostWindow.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// A surface whose format search finds nothing, as on a system without any
// format near the request.
class NothingMatchesSurface : public DrawingSurface {
protected:
    int ChooseFormat(host::HDC, const host::PIXELFORMATDESCRIPTOR&) override { return 0; }
};

TEST(DrawingSurfaceSetUp, FallsBackToTheFirstFormatWhenNothingMatches) {
    GlTestWindow window(160, 120, std::make_unique<NothingMatchesSurface>());
    ASSERT_TRUE(window.Ready());
    EXPECT_EQ(window.Surface().m_nPixelFormat, 1);
    EXPECT_EQ(host::GetPixelFormat(window.Dc()), 1);
    EXPECT_EQ(host::wglGetCurrentContext(), window.Surface().m_hGLContext);
}

TEST(DrawingSurfaceSetUp, BindsAContextAndReleasesItOnDestroy) {
    GlTestWindow window(160, 120);
    ASSERT_TRUE(window.Ready());
    DrawingSurface& surface = window.Surface();
    EXPECT_GT(surface.m_nPixelFormat, 0);
    EXPECT_EQ(host::GetPixelFormat(window.Dc()), surface.m_nPixelFormat);
    // A window takes its format once.
    EXPECT_FALSE(surface.SelectPixelFormat(window.Dc()));

    surface.Destroy();
    EXPECT_EQ(surface.m_hGLContext, nullptr);
    EXPECT_FALSE(host::HasCurrentGlContext());
    surface.Destroy(); // twice is harmless
}

TEST(DrawingSurfaceSetUp, FailsQuietlyWithoutADisplay) {
    if (host::HasDisplay())
        GTEST_SKIP() << "needs a process that has not opened the display";
    host::CREATESTRUCT cs;
    cs.cx = 100;
    cs.cy = 100;
    host::HWND hwnd = host::CreateWindow(cs, host::DefWindowProc, nullptr);
    ASSERT_NE(hwnd, nullptr);
    DrawingSurface surface;
    EXPECT_FALSE(surface.Create(host::GetDC(hwnd)));
    EXPECT_EQ(surface.m_nPixelFormat, 1); // the fallback was tried and could not be described
    EXPECT_EQ(surface.m_hGLContext, nullptr);
    EXPECT_EQ(host::GetPixelFormat(host::GetDC(hwnd)), 0);
    surface.Destroy();
    host::DestroyWindow(hwnd);
}

struct ProjectionState {
    double projection[16] = {};
    double modelview[16] = {};
    int viewport[4] = {};
};

ProjectionState ReadProjectionState() {
    ProjectionState state;
    glGetDoublev(GL_PROJECTION_MATRIX, state.projection);
    glGetDoublev(GL_MODELVIEW_MATRIX, state.modelview);
    glGetIntegerv(GL_VIEWPORT, state.viewport);
    return state;
}

bool AllFinite(const double (&m)[16]) {
    for (double v : m)
        if (!std::isfinite(v))
            return false;
    return true;
}

TEST(DrawingSurfaceResize, SetsViewportPerspectiveAndFrameState) {
    GlTestWindow window(160, 120);
    ASSERT_TRUE(window.Ready());
    window.Surface().Resize(400, 300);
    glMatrixMode(GL_PROJECTION); // Resize must leave the modelview mode itself
    window.Surface().Resize(400, 300);
    const ProjectionState state = ReadProjectionState();
    // OpenGL keeps its matrices in single precision.
    const double f = 1.0 / std::tan(22.5 * M_PI / 180.0);
    EXPECT_FLOAT_EQ(state.projection[0], f / (400.0 / 300.0));
    EXPECT_FLOAT_EQ(state.projection[5], f);
    EXPECT_FLOAT_EQ(state.projection[10], -6001.0 / 5999.0);
    EXPECT_FLOAT_EQ(state.projection[14], -2.0 * 6000.0 / 5999.0);
    EXPECT_EQ(state.projection[11], -1.0);
    EXPECT_EQ(state.viewport[2], 400);
    EXPECT_EQ(state.viewport[3], 300);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(state.modelview[i], i % 5 == 0 ? 1.0 : 0.0);
    GLint drawBuffer = 0;
    glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
    EXPECT_EQ(drawBuffer, GL_BACK);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST(DrawingSurfaceResize, AWindowOfNoHeightOrNoSizeDividesByNothing) {
    GlTestWindow window(160, 120);
    ASSERT_TRUE(window.Ready());
    window.Surface().Resize(300, 0);
    ProjectionState state = ReadProjectionState();
    EXPECT_TRUE(AllFinite(state.projection));
    // The width stands in for the aspect ratio.
    EXPECT_FLOAT_EQ(state.projection[0], 1.0 / std::tan(22.5 * M_PI / 180.0) / 300.0);
    EXPECT_EQ(state.viewport[3], 0);

    window.Surface().Resize(0, 0);
    state = ReadProjectionState();
    EXPECT_TRUE(AllFinite(state.projection));
    EXPECT_EQ(state.viewport[2], 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // Restored to a real size, the projection is whole again.
    window.Surface().Resize(200, 100);
    state = ReadProjectionState();
    EXPECT_FLOAT_EQ(state.projection[0], 1.0 / std::tan(22.5 * M_PI / 180.0) / 2.0);
}

} // namespace
