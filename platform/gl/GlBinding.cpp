#include "platform/gl/GlBinding.h"

#include "platform/window/Window.h"

#include <FL/x.H>

namespace host {

GlBinding& GlBinding::Instance() {
    static GlBinding binding;
    return binding;
}

HGLRC GlBinding::Add(std::unique_ptr<GlContext> context) {
    return m_contexts.Add(std::move(context));
}

void GlBinding::Remove(HGLRC context) {
    if (!m_contexts.Contains(context)) {
        return;
    }
    if (m_current == context) {
        SetCurrent(nullptr, nullptr); // a context is never destroyed while current
    }
    m_contexts.Remove(context);
}

void GlBinding::SetCurrent(HGLRC context, HDC dc) {
    if (!context) {
        glXMakeContextCurrent(fl_display, None, None, nullptr);
    }
    m_current = context;
    m_currentDc = context ? dc : nullptr;
}

bool GlBinding::MakeDrawable(HWND hwnd, GLXFBConfig config, unsigned long xWindow) {
    const GLXWindow drawable = glXCreateWindow(fl_display, config, xWindow, nullptr);
    if (!drawable) {
        return false;
    }
    hwnd->dc.glDrawable = drawable;
    m_configs[hwnd] = config;
    return true;
}

void GlBinding::RefreshAfterResize(HWND hwnd, unsigned long xWindow) {
    auto it = m_configs.find(hwnd);
    if (it == m_configs.end() || !xWindow) {
        return;
    }
    // The renderer reads a drawable's size when it is made, so a new one
    // replaces the old.
    const bool bound = m_currentDc == &hwnd->dc;
    if (bound) {
        glXMakeContextCurrent(fl_display, None, None, nullptr);
    }
    glXDestroyWindow(fl_display, hwnd->dc.glDrawable);
    hwnd->dc.glDrawable = glXCreateWindow(fl_display, it->second, xWindow, nullptr);
    if (bound) {
        glXMakeContextCurrent(fl_display, hwnd->dc.glDrawable, hwnd->dc.glDrawable,
                              m_current->context);
    }
}

void GlBinding::ForgetWindow(HWND hwnd) {
    if (m_currentDc && m_currentDc->window == hwnd) {
        SetCurrent(nullptr, nullptr);
    }
    if (m_configs.erase(hwnd) == 0) {
        return;
    }
    glXDestroyWindow(fl_display, hwnd->dc.glDrawable);
    hwnd->dc.glDrawable = 0;
}

} // namespace host
