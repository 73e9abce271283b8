#include "platform/HeadlessGlContext.h"

#include "platform/HeadlessGlError.h"
#include "platform/gl/EglDisplay.h"
#include "platform/gl/EglObject.h"

#include <cassert>

namespace host {

namespace {
// EGL binds a context to a thread, so this record is per thread too.
thread_local const HeadlessGlContext* t_current = nullptr;
} // namespace

HeadlessGlContext::HeadlessGlContext(int width, int height)
    : m_display(EglDisplay::Instance()), m_width(width), m_height(height) {
    assert(width > 0 && height > 0);
    m_pbuffer = EglObject::MakePbuffer(m_display, width, height);
    m_context = EglObject::MakeContext(m_display);
    const EGLSurface surface = m_pbuffer->Handle();
    if (!eglMakeCurrent(m_display.Handle(), surface, surface, m_context->Handle())) {
        throw HeadlessGlError(EglDisplay::Failure("EGL cannot make the OpenGL context current"));
    }
    t_current = this;
}

HeadlessGlContext::~HeadlessGlContext() {
    if (t_current != this) {
        return;
    }
    eglMakeCurrent(m_display.Handle(), EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    t_current = nullptr;
}

bool HeadlessGlContext::IsAnyCurrent() {
    return t_current != nullptr;
}

} // namespace host
