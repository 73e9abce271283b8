#pragma once
// The surfaces and contexts of the headless contexts.

#include <EGL/egl.h>

#include <memory>

namespace host {

class EglDisplay;

/// An EGL surface or context, destroyed with the display it was made on when
/// its holder lets it go.
class EglObject {
public:
    /// eglDestroySurface or eglDestroyContext.
    using Destroy = EGLBoolean (*)(EGLDisplay, void*);

    /// Takes handle, which must not be null (asserted).
    EglObject(const EglDisplay& display, void* handle, Destroy destroy);
    ~EglObject();
    EglObject(const EglObject&) = delete;
    EglObject& operator=(const EglObject&) = delete;

    void* Handle() const { return m_handle; }

    /// A width x height pbuffer of the display's configuration. Throws
    /// HeadlessGlError when the size exceeds what the configuration allows
    /// (the message gives the limit) or EGL refuses the buffer.
    static std::unique_ptr<EglObject> MakePbuffer(const EglDisplay& display, int width, int height);

    /// A desktop OpenGL context (the default, compatibility profile) for the
    /// display's configuration. Throws HeadlessGlError when EGL cannot bind
    /// the OpenGL API or make the context.
    static std::unique_ptr<EglObject> MakeContext(const EglDisplay& display);

private:
    const EglDisplay& m_display; ///< outlives the object: their owner holds both
    void* m_handle = nullptr;
    Destroy m_destroy = nullptr;
};

} // namespace host
