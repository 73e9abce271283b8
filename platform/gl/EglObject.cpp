#include "platform/gl/EglObject.h"

#include "platform/HeadlessGlError.h"
#include "platform/gl/EglDisplay.h"

#include <cassert>
#include <string>

namespace host {

EglObject::EglObject(const EglDisplay& display, void* handle, Destroy destroy)
    : m_display(display), m_handle(handle), m_destroy(destroy) {
    assert(handle && destroy);
}

EglObject::~EglObject() {
    m_destroy(m_display.Handle(), m_handle);
}

std::unique_ptr<EglObject> EglObject::MakePbuffer(const EglDisplay& display, int width,
                                                  int height) {
    EGLint maxWidth = 0;
    EGLint maxHeight = 0;
    eglGetConfigAttrib(display.Handle(), display.Config(), EGL_MAX_PBUFFER_WIDTH, &maxWidth);
    eglGetConfigAttrib(display.Handle(), display.Config(), EGL_MAX_PBUFFER_HEIGHT, &maxHeight);
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    // EGL would quietly make a smaller buffer than asked for; a picture of the
    // wrong size is worse than none.
    if (width > maxWidth || height > maxHeight) {
        throw HeadlessGlError("the renderer draws at most " + std::to_string(maxWidth) + "x" +
                              std::to_string(maxHeight) + " pixels without a window, not " + size);
    }
    const EGLint attributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    const EGLSurface surface =
        eglCreatePbufferSurface(display.Handle(), display.Config(), attributes);
    if (surface == EGL_NO_SURFACE) {
        throw HeadlessGlError(EglDisplay::Failure("EGL cannot make a " + size + " pbuffer"));
    }
    return std::make_unique<EglObject>(display, surface, eglDestroySurface);
}

std::unique_ptr<EglObject> EglObject::MakeContext(const EglDisplay& display) {
    // The API is chosen per thread, so on the thread that makes the context.
    if (!eglBindAPI(EGL_OPENGL_API)) {
        throw HeadlessGlError(EglDisplay::Failure("EGL cannot bind desktop OpenGL"));
    }
    const EGLContext context =
        eglCreateContext(display.Handle(), display.Config(), EGL_NO_CONTEXT, nullptr);
    if (context == EGL_NO_CONTEXT) {
        throw HeadlessGlError(EglDisplay::Failure("EGL cannot make an OpenGL context"));
    }
    return std::make_unique<EglObject>(display, context, eglDestroyContext);
}

} // namespace host
