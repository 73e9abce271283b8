#include "platform/HostGl.h"

#include "platform/HostDisplay.h"
#include "platform/gl/GlBinding.h"
#include "platform/gl/GlConfigList.h"
#include "platform/gl/GlFormat.h"
#include "platform/window/PeerWindow.h"
#include "platform/window/ToolkitPeer.h"
#include "platform/window/WindowRegistry.h"

namespace host {

static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40, "the descriptor keeps its classic size");

namespace {

Window* WindowOf(HDC dc) {
    return WindowRegistry::Instance().FindByDc(dc);
}

} // namespace

HDC GetDC(HWND hwnd) {
    Window* window = WindowRegistry::Instance().Find(hwnd);
    return window ? &window->dc : nullptr;
}

int ReleaseDC(HWND, HDC) {
    return 1;
}

int GetPixelFormat(HDC dc) {
    Window* window = WindowOf(dc);
    return window ? window->dc.pixelFormat : 0;
}

BOOL SetPixelFormat(HDC dc, int index, const PIXELFORMATDESCRIPTOR*) {
    Window* window = WindowOf(dc);
    PeerWindow* peer = ToolkitPeer::WindowOf(window);
    if (!peer || window->dc.pixelFormat != 0) {
        return FALSE;
    }
    GLXFBConfig config = GlConfigList::Instance().At(index);
    if (!config) {
        return FALSE;
    }
    XVisualInfo* visual = glXGetVisualFromFBConfig(fl_display, config);
    if (!visual || !peer->UseVisual(visual)) {
        return FALSE;
    }
    if (!GlBinding::Instance().MakeDrawable(window, config, fl_xid(peer))) {
        return FALSE;
    }
    window->dc.pixelFormat = index;
    return TRUE;
}

HGLRC wglCreateContext(HDC dc) {
    Window* window = WindowOf(dc);
    if (!window || !HasDisplay()) {
        return nullptr;
    }
    GLXFBConfig config = GlConfigList::Instance().At(window->dc.pixelFormat);
    if (!config) {
        return nullptr;
    }
    GLXContext context = glXCreateNewContext(fl_display, config, GLX_RGBA_TYPE, nullptr, True);
    if (!context) {
        return nullptr;
    }
    return GlBinding::Instance().Add(std::make_unique<GlContext>(context, window->dc.pixelFormat));
}

BOOL wglMakeCurrent(HDC dc, HGLRC context) {
    GlBinding& binding = GlBinding::Instance();
    if (!context) {
        if (binding.Current()) {
            binding.SetCurrent(nullptr, nullptr);
        }
        return TRUE;
    }
    Window* window = WindowOf(dc);
    PeerWindow* peer = ToolkitPeer::WindowOf(window);
    // A context draws only into windows of the format it was made for.
    if (!peer || !binding.Contains(context) || context->pixelFormat != window->dc.pixelFormat) {
        return FALSE;
    }
    const GLXDrawable drawable = window->dc.glDrawable;
    if (!glXMakeContextCurrent(fl_display, drawable, drawable, context->context)) {
        return FALSE;
    }
    binding.SetCurrent(context, dc);
    return TRUE;
}

HGLRC wglGetCurrentContext() {
    return GlBinding::Instance().Current();
}

BOOL wglDeleteContext(HGLRC context) {
    GlBinding& binding = GlBinding::Instance();
    if (!binding.Contains(context)) {
        return FALSE;
    }
    binding.Remove(context);
    return TRUE;
}

BOOL SwapBuffers(HDC dc) {
    PeerWindow* peer = ToolkitPeer::WindowOf(WindowOf(dc));
    // Presenting needs the window's own context current: the X server
    // refuses a swap of a drawable that no context of this thread draws to.
    if (!peer || !peer->shown() || GlBinding::Instance().CurrentDc() != dc) {
        return FALSE;
    }
    glXSwapBuffers(fl_display, dc->glDrawable);
    return TRUE;
}

int DescribePixelFormat(HDC, int index, UINT size, PIXELFORMATDESCRIPTOR* out) {
    if (!HasDisplay()) {
        return 0;
    }
    GlConfigList& list = GlConfigList::Instance();
    GLXFBConfig config = list.At(index);
    if (!config) {
        return 0;
    }
    if (out && size >= sizeof(PIXELFORMATDESCRIPTOR)) {
        *out = DescribeConfig(config);
    }
    return list.Count();
}

} // namespace host
