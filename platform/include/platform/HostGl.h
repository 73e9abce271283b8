#pragma once
// Binding OpenGL to a window through GLX, shaped after the pixel-format and
// context calls the view is written against. A "pixel format" index is a
// 1-based position in the list of framebuffer configurations, in
// glXGetFBConfigs order, that can back a window; format 1 is the first of them.

#include "platform/HeadlessGlContext.h"
#include "platform/HostTypes.h"

namespace host {

constexpr DWORD PFD_DOUBLEBUFFER = 0x00000001;
constexpr DWORD PFD_STEREO = 0x00000002;
constexpr DWORD PFD_DRAW_TO_WINDOW = 0x00000004;
constexpr DWORD PFD_SUPPORT_OPENGL = 0x00000020;
constexpr DWORD PFD_STEREO_DONTCARE = 0x80000000;
constexpr BYTE PFD_TYPE_RGBA = 0;
constexpr BYTE PFD_MAIN_PLANE = 0;

struct PIXELFORMATDESCRIPTOR {
    WORD nSize = 40;
    WORD nVersion = 1;
    DWORD dwFlags = 0;
    BYTE iPixelType = 0;
    BYTE cColorBits = 0;
    BYTE cRedBits = 0;
    BYTE cRedShift = 0;
    BYTE cGreenBits = 0;
    BYTE cGreenShift = 0;
    BYTE cBlueBits = 0;
    BYTE cBlueShift = 0;
    BYTE cAlphaBits = 0;
    BYTE cAlphaShift = 0;
    BYTE cAccumBits = 0;
    BYTE cAccumRedBits = 0;
    BYTE cAccumGreenBits = 0;
    BYTE cAccumBlueBits = 0;
    BYTE cAccumAlphaBits = 0;
    BYTE cDepthBits = 0;
    BYTE cStencilBits = 0;
    BYTE cAuxBuffers = 0;
    BYTE iLayerType = 0;
    BYTE bReserved = 0;
    DWORD dwLayerMask = 0;
    DWORD dwVisibleMask = 0;
    DWORD dwDamageMask = 0;
};

/// The window's device context, the same object for the window's whole life.
/// Null for a window that does not exist.
HDC GetDC(HWND hwnd);
/// Nothing to release: the context lives with its window. Returns 1.
int ReleaseDC(HWND hwnd, HDC dc);

/// The nearest window-capable configuration to the request: a ladder of
/// glXChooseFBConfig requests from the exact one down to the bare essentials
/// (RGBA, double-buffered, window-capable). Returns its format index, or 0 when
/// nothing matches or no display is open.
int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* request);
/// Fills out (when not null) with the description of format index and returns
/// the number of formats; 0 when the index does not exist or no display is open.
int DescribePixelFormat(HDC dc, int index, UINT size, PIXELFORMATDESCRIPTOR* out);
/// Gives the window its format, once: the window's drawable is made with that
/// configuration's visual. FALSE when the window already has a format, the
/// index does not exist or no display is open.
BOOL SetPixelFormat(HDC dc, int index, const PIXELFORMATDESCRIPTOR* descriptor);
/// The index set on the window, 0 when none.
int GetPixelFormat(HDC dc);

/// A new context for the dc's format; null when the window has no format.
HGLRC wglCreateContext(HDC dc);
/// Makes the context current on the window; (null, null) makes none current.
BOOL wglMakeCurrent(HDC dc, HGLRC context);
HGLRC wglGetCurrentContext();
/// Destroys the context; it must not be current.
BOOL wglDeleteContext(HGLRC context);
/// Presents the back buffer of the window's drawable.
BOOL SwapBuffers(HDC dc);

/// TRUE while a context is current, a window's or a HeadlessGlContext: OpenGL
/// and GLU calls are only made then.
inline BOOL HasCurrentGlContext() {
    return wglGetCurrentContext() != nullptr || HeadlessGlContext::IsAnyCurrent();
}

} // namespace host
