#pragma once
// OpenGL without a window and without an X server, for pictures drawn
// straight to files and for pixel tests.

#include <memory>

namespace host {

class EglDisplay;
class EglObject;

/// An OpenGL context that draws into an off-screen buffer of a fixed size. It
/// is made through EGL on Mesa's surfaceless platform, so it needs no display
/// server and works with $DISPLAY unset. The context is a compatibility
/// profile, so the fixed-function immediate-mode calls of the renderer work.
///
/// The buffer has 8 bits for each of red, green, blue and alpha, 24 depth and
/// 8 stencil bits and no multisampling: the colour, depth and stencil that the
/// view window gets on the same renderer, so that a frame drawn here equals
/// the view's, and the alpha that lets a picture keep its background clear.
///
/// The context is current on the constructing thread from its construction
/// until it is destroyed or another HeadlessGlContext is made, and
/// HasCurrentGlContext() is TRUE while it is. Nothing is current after the
/// current one is destroyed.
class HeadlessGlContext {
public:
    /// Makes the context and its width x height buffer and makes it current.
    /// Throws HeadlessGlError when EGL, its surfaceless platform or a
    /// configuration as above is missing, when the renderer refuses the size,
    /// or when the context cannot be made current. width and height must be
    /// positive (asserted).
    HeadlessGlContext(int width, int height);
    /// Releases the context when it is current, then destroys it and its buffer.
    ~HeadlessGlContext();
    HeadlessGlContext(const HeadlessGlContext&) = delete;
    HeadlessGlContext& operator=(const HeadlessGlContext&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    /// Whether a HeadlessGlContext is current on the calling thread.
    static bool IsAnyCurrent();

private:
    // Destroyed in reverse order: the context, then its buffer.
    const EglDisplay& m_display; ///< the process's one display, kept to its end
    std::unique_ptr<EglObject> m_pbuffer;
    std::unique_ptr<EglObject> m_context;
    int m_width = 0;
    int m_height = 0;
};

} // namespace host
