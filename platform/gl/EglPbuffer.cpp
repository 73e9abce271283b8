#include "platform/gl/EglPbuffer.h"

#include "platform/HeadlessGlError.h"
#include "platform/gl/EglDisplay.h"

#include <string>

namespace host {

EglPbuffer::EglPbuffer(const EglDisplay& display, int width, int height) : m_display(display) {
    EGLint maxWidth = 0;
    EGLint maxHeight = 0;
    eglGetConfigAttrib(display.Handle(), display.Config(), EGL_MAX_PBUFFER_WIDTH, &maxWidth);
    eglGetConfigAttrib(display.Handle(), display.Config(), EGL_MAX_PBUFFER_HEIGHT, &maxHeight);
    // EGL would quietly make a smaller buffer than asked for; a picture of the
    // wrong size is worse than none.
    if (width > maxWidth || height > maxHeight) {
        throw HeadlessGlError("the renderer draws at most " + std::to_string(maxWidth) + "x" +
                              std::to_string(maxHeight) + " pixels without a window, not " +
                              std::to_string(width) + "x" + std::to_string(height));
    }
    const EGLint attributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    m_surface = eglCreatePbufferSurface(display.Handle(), display.Config(), attributes);
    if (m_surface == EGL_NO_SURFACE) {
        throw HeadlessGlError(EglDisplay::Failure("EGL cannot make a " + std::to_string(width) +
                                                  "x" + std::to_string(height) + " pbuffer"));
    }
}

EglPbuffer::~EglPbuffer() {
    eglDestroySurface(m_display.Handle(), m_surface);
}

} // namespace host
