#pragma once
// The off-screen buffer a headless context draws into.

#include <EGL/egl.h>

namespace host {

class EglDisplay;

class EglPbuffer {
public:
    /// A width x height pbuffer of the display's configuration. Throws
    /// HeadlessGlError when the size exceeds what the configuration allows
    /// (the message gives the limit) or EGL refuses the buffer.
    EglPbuffer(const EglDisplay& display, int width, int height);
    ~EglPbuffer();
    EglPbuffer(const EglPbuffer&) = delete;
    EglPbuffer& operator=(const EglPbuffer&) = delete;

    EGLSurface Handle() const { return m_surface; }

private:
    const EglDisplay& m_display; ///< outlives the buffer: its owner holds both
    EGLSurface m_surface = EGL_NO_SURFACE;
};

} // namespace host
