#include "render/DrawingSurface.h"

#include <GL/gl.h>
#include <GL/glu.h>

static_assert(sizeof(host::PIXELFORMATDESCRIPTOR) == 40, "the descriptor is 40 bytes");

DrawingSurface::~DrawingSurface() {
    if (m_hGLContext) {
        Destroy();
    }
}

host::PIXELFORMATDESCRIPTOR DrawingSurface::MakePixelFormatRequest() {
    host::PIXELFORMATDESCRIPTOR pfd;
    pfd.nSize = 40;
    pfd.nVersion = 1;
    pfd.dwFlags = host::PFD_DRAW_TO_WINDOW | host::PFD_SUPPORT_OPENGL | host::PFD_DOUBLEBUFFER |
                  host::PFD_STEREO_DONTCARE;
    pfd.iPixelType = host::PFD_TYPE_RGBA;
    pfd.cColorBits = 32;
    pfd.cRedBits = 8;
    pfd.cRedShift = 16;
    pfd.cGreenBits = 8;
    pfd.cGreenShift = 8;
    pfd.cBlueBits = 8;
    pfd.cBlueShift = 0;
    pfd.cAccumBits = 64;
    pfd.cAccumRedBits = 16;
    pfd.cAccumGreenBits = 16;
    pfd.cAccumBlueBits = 16;
    pfd.cDepthBits = 32;
    pfd.cStencilBits = 8;
    pfd.iLayerType = host::PFD_MAIN_PLANE;
    return pfd;
}

int DrawingSurface::ChooseFormat(host::HDC hdc, const host::PIXELFORMATDESCRIPTOR& request) {
    return host::ChoosePixelFormat(hdc, &request);
}

host::BOOL DrawingSurface::SelectPixelFormat(host::HDC hdc) {
    host::PIXELFORMATDESCRIPTOR pfd = MakePixelFormatRequest();
    m_nPixelFormat = ChooseFormat(hdc, pfd);
    if (m_nPixelFormat == 0) {
        // Nothing near the request: take the first format as it is.
        m_nPixelFormat = 1;
        if (host::DescribePixelFormat(hdc, m_nPixelFormat, sizeof pfd, &pfd) == 0) {
            return host::FALSE;
        }
    }
    return host::ToBOOL(host::SetPixelFormat(hdc, m_nPixelFormat, &pfd) != host::FALSE);
}

host::BOOL DrawingSurface::CreateDrawingContext(host::HDC hdc) {
    m_hGLContext = host::wglCreateContext(hdc);
    if (!m_hGLContext) {
        return host::FALSE;
    }
    return host::ToBOOL(host::wglMakeCurrent(hdc, m_hGLContext) != host::FALSE);
}

host::BOOL DrawingSurface::Create(host::HDC hdc) {
    if (!SelectPixelFormat(hdc)) {
        return host::FALSE;
    }
    return CreateDrawingContext(hdc);
}

void DrawingSurface::Resize(int cx, int cy) {
    if (!host::HasCurrentGlContext()) {
        return;
    }
    const double aspect = cy == 0 ? static_cast<double>(cx) : static_cast<double>(cx) / cy;
    glViewport(0, 0, cx, cy);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // A window of no width gives an aspect of 0, which has no perspective: the
    // projection stays the identity rather than holding an infinity.
    if (aspect != 0.0) {
        gluPerspective(kFieldOfView, aspect, kNearPlane, kFarPlane);
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDrawBuffer(GL_BACK);
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
}

host::BOOL DrawingSurface::Present(host::HDC paintDc) {
    if (!host::HasCurrentGlContext()) {
        return host::FALSE;
    }
    return host::SwapBuffers(paintDc);
}

void DrawingSurface::Destroy() {
    if (host::wglGetCurrentContext()) {
        host::wglMakeCurrent(nullptr, nullptr);
    }
    if (!m_hGLContext) {
        return;
    }
    host::wglDeleteContext(m_hGLContext);
    m_hGLContext = nullptr;
}
