#pragma once
// The EGL display of Mesa's surfaceless platform, shared by the headless
// contexts that exist at a time.

#include <EGL/egl.h>

#include <memory>
#include <string>

namespace host {

class EglDisplay {
public:
    /// The initialised display with the OpenGL API bound, the same one while
    /// any holder keeps it; terminated when the last holder lets it go. Throws
    /// HeadlessGlError when EGL has no surfaceless platform, cannot initialise
    /// it, or offers no configuration as HeadlessGlContext describes.
    static std::shared_ptr<EglDisplay> Acquire();

    ~EglDisplay();
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

    EGLDisplay m_display = EGL_NO_DISPLAY; ///< initialised by this object, terminated with it
    EGLConfig m_config = nullptr;
};

} // namespace host
