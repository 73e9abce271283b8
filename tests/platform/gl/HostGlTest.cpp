#include "platform/HostGl.h"
#include "DisplayProcess.h"
#include "MessageLog.h"

#include <GL/gl.h>

// After the test framework: the X headers define names such as None and Bool.
#include "platform/gl/GlConfigList.h"

#include <FL/x.H>

namespace host::test {
namespace {

// What the view asks for.
PIXELFORMATDESCRIPTOR ViewRequest() {
    PIXELFORMATDESCRIPTOR pfd;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER | PFD_STEREO_DONTCARE;
    pfd.cRedBits = 8;
    pfd.cGreenBits = 8;
    pfd.cBlueBits = 8;
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
    DestroyWindow(frame);
    EXPECT_EQ(GetDC(frame), nullptr);
}

// Clears to green and reads back the pixel at (x, y) of the back buffer.
bool GreenAt(int width, int height, int x, int y) {
    glViewport(0, 0, width, height);
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glReadBuffer(GL_BACK);
    unsigned char pixel[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return pixel[0] == 0 && pixel[1] == 255 && glGetError() == GL_NO_ERROR;
}

TEST(HostGlDisplayTest, LadderFormatOneAndAContextOnAChildOfAHiddenFrame) {
    RunWithDisplay([] {
        MessageLog log;
        HWND frame = log.CreateTopLevel(400, 300);
        HWND view = log.CreateChild(frame, 1, 200, 100);
        HDC dc = GetDC(view);
        const PIXELFORMATDESCRIPTOR request = ViewRequest();
        const int index = ChoosePixelFormat(dc, &request);
        PIXELFORMATDESCRIPTOR got;
        const int count = DescribePixelFormat(dc, index, sizeof got, &got);
        ASSERT_GT(index, 0);
        EXPECT_GE(count, index);
        EXPECT_TRUE(got.dwFlags & PFD_DOUBLEBUFFER);
        EXPECT_EQ(got.cRedBits, 8);
        EXPECT_EQ(got.cRedShift, 16);
        // Mesa under Xvfb has no 32-bit depth with stencil: the nearest is
        // 24 depth bits, 8 stencil bits and 16-bit accumulation.
        EXPECT_GE(got.cDepthBits, 24);
        EXPECT_EQ(got.cStencilBits, 8);
        EXPECT_EQ(got.cAccumRedBits, 16);
        EXPECT_EQ(DescribePixelFormat(dc, count + 1, sizeof got, &got), 0);
        EXPECT_EQ(DescribePixelFormat(dc, 0, sizeof got, nullptr), 0);

        // Format 1 is the first configuration that can draw to a window; a
        // window's format is set once.
        HWND otherView = log.CreateChild(frame, 2);
        HDC other = GetDC(otherView);
        ASSERT_GT(DescribePixelFormat(other, 1, sizeof got, &got), 0);
        EXPECT_TRUE(got.dwFlags & PFD_DRAW_TO_WINDOW);
        EXPECT_FALSE(SetPixelFormat(other, 0, &got));
        EXPECT_TRUE(SetPixelFormat(other, 1, &got));
        EXPECT_FALSE(SetPixelFormat(other, 2, &got));
        EXPECT_EQ(GetPixelFormat(other), 1);
        DestroyWindow(otherView);

        ASSERT_FALSE(IsWindowVisible(frame));
        ASSERT_TRUE(SetPixelFormat(dc, index, &request));
        EXPECT_EQ(wglCreateContext(GetDC(frame)), nullptr); // the frame has no format
        HGLRC context = wglCreateContext(dc);
        ASSERT_NE(context, nullptr);
        EXPECT_FALSE(HasCurrentGlContext());
        ASSERT_TRUE(wglMakeCurrent(dc, context));
        EXPECT_EQ(wglGetCurrentContext(), context);
        EXPECT_TRUE(GreenAt(200, 100, 10, 10));
        // The frame lays the view out anew and shows it; the next frame is drawn
        // at once, before any event could tell the drawable its new size.
        MoveWindow(view, 0, 0, 300, 200, FALSE);
        ShowWindow(frame, SW_SHOW);
        EXPECT_TRUE(GreenAt(300, 200, 250, 150)) << "drawn at the size before the move";
        EXPECT_TRUE(SwapBuffers(dc));
        glFinish();

        HGLRC second = wglCreateContext(dc);
        EXPECT_TRUE(wglDeleteContext(context)); // current: released first
        EXPECT_FALSE(HasCurrentGlContext());
        EXPECT_FALSE(wglDeleteContext(context));
        // Destroying the window releases its current context; GL calls
        // without a context do nothing, and the context can still go.
        ASSERT_TRUE(wglMakeCurrent(dc, second));
        DestroyWindow(frame);
        EXPECT_FALSE(HasCurrentGlContext());
        glClear(GL_COLOR_BUFFER_BIT);
        EXPECT_TRUE(wglDeleteContext(second));
    });
}

TEST(HostGlDisplayTest, EveryListedConfigurationFindsItsOwnIndexAndNoOtherFindsOne) {
    RunWithDisplay([] {
        const GlConfigList& list = GlConfigList::Instance();
        for (int index = 1; index <= list.Count(); ++index) {
            ASSERT_EQ(list.IndexOf(list.At(index)), index);
        }
        // One that cannot back a window is found by neither handle nor identifier.
        int count = 0;
        GLXFBConfig* all = glXGetFBConfigs(fl_display, fl_screen, &count);
        for (int i = 0; i < count; ++i) {
            if (!(list.Attribute(all[i], GLX_DRAWABLE_TYPE) & GLX_WINDOW_BIT)) {
                EXPECT_EQ(list.IndexOf(all[i]), 0);
            }
        }
        XFree(all);
    });
}

} // namespace
} // namespace host::test
