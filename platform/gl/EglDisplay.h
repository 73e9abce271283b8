#pragma once
// The EGL display of Mesa's surfaceless platform, shared by every headless
// context of the process.

#include <EGL/egl.h>

#include <string>

namespace host {

class EglDisplay {
public:
    /// The initialised display, made on the first call and kept for the rest
    /// of the process: terminating it would unload the renderer, only for the
    /// next context to load it again, and EGL releases it at exit. Throws
    /// HeadlessGlError when EGL has no surfaceless platform, cannot initialise
    /// it, or offers no configuration as HeadlessGlContext describes; the next
    /// call then tries again.
    static const EglDisplay& Instance();

    EglDisplay(const EglDisplay&) = delete;
    EglDisplay& operator=(const EglDisplay&) = delete;

    EGLDisplay Handle() const { return m_display; }
    /// The pbuffer configuration: 8 bits per channel with alpha, 24 depth and
    /// 8 stencil bits, one sample, OpenGL-renderable.
    EGLConfig Config() const { return m_config; }

    /// "what failed (EGL_ERROR_NAME)", with the calling thread's last EGL error.
    static std::string Failure(const std::string& what);

private:
    EglDisplay();
    void Initialise();
    void ChooseConfig();

    EGLDisplay m_display = EGL_NO_DISPLAY; ///< initialised by this object, never terminated
    EGLConfig m_config = nullptr;
};

} // namespace host
