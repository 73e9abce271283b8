#pragma once
// The rendering context of a headless context.

#include <EGL/egl.h>

namespace host {

class EglDisplay;

class EglContext {
public:
    /// A desktop OpenGL context (the default, compatibility profile) for the
    /// display's configuration. Throws HeadlessGlError when EGL cannot bind
    /// the OpenGL API or make the context.
    explicit EglContext(const EglDisplay& display);
    ~EglContext();
    EglContext(const EglContext&) = delete;
    EglContext& operator=(const EglContext&) = delete;

    EGLContext Handle() const { return m_context; }

private:
    const EglDisplay& m_display; ///< outlives the context: its owner holds both
    EGLContext m_context = EGL_NO_CONTEXT;
};

} // namespace host
