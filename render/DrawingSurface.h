#pragma once
// The OpenGL side of the view window: its pixel format, the one rendering
// context of the program, the viewport and projection that follow the window
// size, and presenting a frame.

#include "platform/HostGl.h"

/// Binds OpenGL to a window. The view creates one with its window and keeps it
/// for the window's life; the context it makes current stays current until
/// Destroy. Every OpenGL and GLU call here is skipped while no context is
/// current, so a window whose set-up failed stays usable, only empty.
class DrawingSurface {
public:
    DrawingSurface() = default;
    /// Deletes a context that Destroy has not deleted yet.
    virtual ~DrawingSurface();
    DrawingSurface(const DrawingSurface&) = delete;
    DrawingSurface& operator=(const DrawingSurface&) = delete;

    /// The format the surface asks for: double-buffered RGBA with 8 bits per
    /// colour, 32 depth, 8 stencil and 64 accumulation bits, for a window.
    static host::PIXELFORMATDESCRIPTOR MakePixelFormatRequest();

    /// Chooses the nearest format to the request and sets it on the window.
    /// When nothing matches, format 1 is taken with its own description.
    /// Returns FALSE when format 1 cannot be described or setting fails (for
    /// example the window already has a format); nothing is set then.
    host::BOOL SelectPixelFormat(host::HDC hdc);

    /// Creates the context for the window's format and makes it current: the
    /// only place the program makes a context current. FALSE when either step
    /// fails; a context that was created but not made current is kept for
    /// Destroy to delete.
    host::BOOL CreateDrawingContext(host::HDC hdc);

    /// The OpenGL part of window creation: SelectPixelFormat, and only if it
    /// succeeds CreateDrawingContext. Returns whether a context is now current.
    host::BOOL Create(host::HDC hdc);

    /// The perspective that Resize sets: the vertical field of view in degrees,
    /// and the near and far clipping planes in model units from the eye.
    static constexpr double kFieldOfView = 45.0;
    static constexpr double kNearPlane = 1.0;
    static constexpr double kFarPlane = 6000.0;

    /// Follows a new client size: viewport, a 45-degree perspective from 1 to
    /// 6000 units, identity modelview, drawing to the back buffer, lighting and
    /// depth test on. A height of 0 takes the width as the aspect ratio (and a
    /// width of 0 too leaves the projection the identity) so nothing divides by
    /// zero. Sizes are those of a window and so not negative. Uses only the
    /// current context, so it also sets up a context without a window.
    static void Resize(int cx, int cy);

    /// Shows the back buffer on the paint device context. FALSE when there is
    /// nothing to present (no current context).
    host::BOOL Present(host::HDC paintDc);

    /// Releases the current context, if any, and deletes this surface's
    /// context. Safe to call when creation failed or twice.
    void Destroy();

    host::HGLRC m_hGLContext = nullptr; ///< the program's one rendering context, owned
    int m_nPixelFormat = 0;             ///< index of the format chosen for the window

protected:
    /// The format search; a seam so that the fallback to format 1 can be shown
    /// on a system where the search always finds something.
    virtual int ChooseFormat(host::HDC hdc, const host::PIXELFORMATDESCRIPTOR& request);
};
