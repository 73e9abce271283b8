#include "platform/GlBinding.h"

#include "platform/Window.h"

#include <FL/x.H>

namespace host {

GlBinding& GlBinding::Instance() {
    static GlBinding binding;
    return binding;
}

HGLRC GlBinding::Add(std::unique_ptr<GlContext> context) {
    HGLRC handle = context.get();
    m_contexts[handle] = std::move(context);
    return handle;
}

void GlBinding::Remove(HGLRC context) {
    auto it = m_contexts.find(context);
    if (it == m_contexts.end())
        return;
    if (m_current == context)
        SetCurrent(nullptr, nullptr);
    glXDestroyContext(fl_display, it->second->context);
    m_contexts.erase(it);
}

void GlBinding::SetCurrent(HGLRC context, HDC dc) {
    if (!context)
        glXMakeCurrent(fl_display, None, nullptr);
    m_current = context;
    m_currentDc = context ? dc : nullptr;
}

void GlBinding::ForgetWindow(HWND hwnd) {
    if (m_currentDc && m_currentDc->window == hwnd)
        SetCurrent(nullptr, nullptr);
}

} // namespace host
