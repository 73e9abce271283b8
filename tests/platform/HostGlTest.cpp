#include "platform/HostGl.h"
#include "DisplayProcess.h"
#include "MessageLog.h"

#include <GL/gl.h>

namespace host::test {
namespace {

// The request the view makes.
PIXELFORMATDESCRIPTOR ViewRequest() {
    PIXELFORMATDESCRIPTOR pfd;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER | PFD_STEREO_DONTCARE;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 32;
    pfd.cRedBits = 8;
    pfd.cRedShift = 16;
    pfd.cGreenBits = 8;
    pfd.cGreenShift = 8;
    pfd.cBlueBits = 8;
    pfd.cAccumBits = 64;
    pfd.cAccumRedBits = 16;
    pfd.cAccumGreenBits = 16;
    pfd.cAccumBlueBits = 16;
    pfd.cDepthBits = 32;
    pfd.cStencilBits = 8;
    return pfd;
}

TEST(HostGlHeadlessTest, WithoutDisplayEverythingFailsQuietly) {
    if (HasDisplay())
        GTEST_SKIP() << "another test of this program opened the display";
    MessageLog log;
    HWND frame = log.CreateTopLevel();
    HDC dc = GetDC(frame);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDC(frame), dc);
    const PIXELFORMATDESCRIPTOR request = ViewRequest();
    EXPECT_EQ(ChoosePixelFormat(dc, &request), 0);
    PIXELFORMATDESCRIPTOR out;
    EXPECT_EQ(DescribePixelFormat(dc, 1, sizeof out, &out), 0);
    EXPECT_FALSE(SetPixelFormat(dc, 1, &request));
    EXPECT_EQ(wglCreateContext(dc), nullptr);
    EXPECT_FALSE(SwapBuffers(dc));
    EXPECT_FALSE(HasCurrentGlContext());
    EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
    DestroyWindow(frame);
    EXPECT_EQ(GetDC(frame), nullptr);
}

TEST(HostGlDisplayTest, LadderFindsTheNearestFormat) {
    RunWithDisplay([] {
        MessageLog log;
        HWND frame = log.CreateTopLevel();
        HDC dc = GetDC(frame);
        const PIXELFORMATDESCRIPTOR request = ViewRequest();
        const int index = ChoosePixelFormat(dc, &request);
        ASSERT_GT(index, 0);
        PIXELFORMATDESCRIPTOR got;
        const int count = DescribePixelFormat(dc, index, sizeof got, &got);
        EXPECT_GE(count, index);
        EXPECT_TRUE(got.dwFlags & PFD_DOUBLEBUFFER);
        EXPECT_TRUE(got.dwFlags & PFD_DRAW_TO_WINDOW);
        EXPECT_EQ(got.cRedBits, 8);
        // Mesa under Xvfb has no 32-bit depth with stencil: the nearest is
        // 24 depth bits, 8 stencil bits and 16-bit accumulation.
        EXPECT_GE(got.cDepthBits, 24);
        EXPECT_EQ(got.cStencilBits, 8);
        EXPECT_EQ(got.cAccumRedBits, 16);
        EXPECT_EQ(got.cRedShift, 16);
        EXPECT_EQ(DescribePixelFormat(dc, count + 1, sizeof got, &got), 0);
        EXPECT_EQ(DescribePixelFormat(dc, 0, sizeof got, nullptr), 0);
        DestroyWindow(frame);
    });
}

TEST(HostGlDisplayTest, FormatOneFallbackAndFormatSetOnlyOnce) {
    RunWithDisplay([] {
        MessageLog log;
        HWND frame = log.CreateTopLevel();
        HWND view = log.CreateChild(frame, 1);
        HDC dc = GetDC(view);
        PIXELFORMATDESCRIPTOR first;
        ASSERT_GT(DescribePixelFormat(dc, 1, sizeof first, &first), 0);
        EXPECT_TRUE(first.dwFlags & PFD_DRAW_TO_WINDOW);
        EXPECT_FALSE(SetPixelFormat(dc, 0, &first));
        EXPECT_TRUE(SetPixelFormat(dc, 1, &first));
        EXPECT_EQ(GetPixelFormat(dc), 1);
        EXPECT_FALSE(SetPixelFormat(dc, 1, &first));
        EXPECT_FALSE(SetPixelFormat(dc, 2, &first));
        EXPECT_EQ(GetPixelFormat(dc), 1);
        DestroyWindow(frame);
    });
}

TEST(HostGlDisplayTest, ContextOnChildOfHiddenFrameDrawsAndSwaps) {
    RunWithDisplay([] {
        MessageLog log;
        HWND frame = log.CreateTopLevel(320, 240);
        HWND view = log.CreateChild(frame, 1, 200, 100);
        ASSERT_FALSE(IsWindowVisible(frame));
        HDC dc = GetDC(view);
        const PIXELFORMATDESCRIPTOR request = ViewRequest();
        ASSERT_TRUE(SetPixelFormat(dc, ChoosePixelFormat(dc, &request), &request));
        EXPECT_EQ(wglCreateContext(GetDC(frame)), nullptr); // the frame has no format
        HGLRC context = wglCreateContext(dc);
        ASSERT_NE(context, nullptr);
        EXPECT_FALSE(HasCurrentGlContext());
        ASSERT_TRUE(wglMakeCurrent(dc, context));
        EXPECT_EQ(wglGetCurrentContext(), context);
        glViewport(0, 0, 200, 100);
        glClearColor(0, 1, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glReadBuffer(GL_BACK);
        unsigned char pixel[4] = {};
        glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        EXPECT_EQ(pixel[1], 255);
        EXPECT_EQ(pixel[0], 0);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

        ShowWindow(frame, SW_SHOW);
        EXPECT_TRUE(SwapBuffers(dc));
        glFinish();

        EXPECT_TRUE(wglDeleteContext(context)); // current: released first
        EXPECT_FALSE(HasCurrentGlContext());
        EXPECT_FALSE(wglDeleteContext(context));
        DestroyWindow(frame);
    });
}

TEST(HostGlDisplayTest, FirstFrameAfterAResizeFillsTheNewSize) {
    RunWithDisplay([] {
        MessageLog log;
        HWND frame = log.CreateTopLevel(400, 300);
        HWND view = log.CreateChild(frame, 1, 0, 0); // laid out later, as the frame does
        HDC dc = GetDC(view);
        const PIXELFORMATDESCRIPTOR request = ViewRequest();
        ASSERT_TRUE(SetPixelFormat(dc, ChoosePixelFormat(dc, &request), &request));
        HGLRC context = wglCreateContext(dc);
        ASSERT_TRUE(wglMakeCurrent(dc, context));
        MoveWindow(view, 0, 0, 300, 200, FALSE);
        ShowWindow(frame, SW_SHOW);
        glViewport(0, 0, 300, 200);
        glClearColor(0, 1, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glReadBuffer(GL_BACK);
        unsigned char pixel[4] = {};
        glReadPixels(250, 150, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        EXPECT_EQ(pixel[1], 255) << "the frame was drawn at the size before the move";
        EXPECT_TRUE(SwapBuffers(dc));
        DestroyWindow(frame);
        EXPECT_TRUE(wglDeleteContext(context));
    });
}

TEST(HostGlDisplayTest, DestroyingTheWindowReleasesItsCurrentContext) {
    RunWithDisplay([] {
        MessageLog log;
        HWND frame = log.CreateTopLevel();
        HWND view = log.CreateChild(frame, 1);
        HDC dc = GetDC(view);
        const PIXELFORMATDESCRIPTOR request = ViewRequest();
        SetPixelFormat(dc, ChoosePixelFormat(dc, &request), &request);
        HGLRC context = wglCreateContext(dc);
        ASSERT_TRUE(wglMakeCurrent(dc, context));
        DestroyWindow(frame);
        EXPECT_FALSE(HasCurrentGlContext());
        // GL calls without a context do nothing; the context can still go.
        glClear(GL_COLOR_BUFFER_BIT);
        EXPECT_TRUE(wglDeleteContext(context));
    });
}

} // namespace
} // namespace host::test
