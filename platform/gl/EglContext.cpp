#include "platform/gl/EglContext.h"

#include "platform/HeadlessGlError.h"
#include "platform/gl/EglDisplay.h"

namespace host {

EglContext::EglContext(const EglDisplay& display) : m_display(display) {
    // The API is chosen per thread, so on the thread that makes the context.
    if (!eglBindAPI(EGL_OPENGL_API)) {
        throw HeadlessGlError(EglDisplay::Failure("EGL cannot bind desktop OpenGL"));
    }
    m_context = eglCreateContext(display.Handle(), display.Config(), EGL_NO_CONTEXT, nullptr);
    if (m_context == EGL_NO_CONTEXT) {
        throw HeadlessGlError(EglDisplay::Failure("EGL cannot make an OpenGL context"));
    }
}

EglContext::~EglContext() {
    eglDestroyContext(m_display.Handle(), m_context);
}

} // namespace host
