#pragma once
// A real window with the drawing surface bound to it, for tests that look at
// pixels. Frames are drawn into the back buffer and read back from there, so
// no swap and no window manager are involved.

#include "platform/HostTypes.h"
#include "render/DrawingSurface.h"

#include <cstdint>
#include <memory>
#include <vector>

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};

class GlTestWindow {
public:
    /// Opens the display, creates a window of about width x height with the
    /// surface bound and sized. Ready() tells whether a context is current.
    GlTestWindow(int width, int height, std::unique_ptr<DrawingSurface> surface = nullptr);
    ~GlTestWindow();
    GlTestWindow(const GlTestWindow&) = delete;
    GlTestWindow& operator=(const GlTestWindow&) = delete;

    bool Ready() const { return m_ready; }
    DrawingSurface& Surface() { return *m_surface; }
    host::HDC Dc() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    /// Reads the back buffer; rows from the bottom, as OpenGL counts them.
    void ReadBack();
    /// A pixel of the last read-back, x from the left, y from the bottom.
    Rgb At(int x, int y) const;
    /// How many pixels of the last read-back have any green.
    int CountLit() const;
    const std::vector<std::uint8_t>& Pixels() const { return m_pixels; }

private:
    std::unique_ptr<DrawingSurface> m_surface;
    host::HWND m_hwnd = nullptr;
    host::HDC m_dc = nullptr;
    int m_width = 0;
    int m_height = 0;
    bool m_ready = false;
    std::vector<std::uint8_t> m_pixels;
};

/// Where a point in eye space lands in a window of the given size under the
/// surface's projection: window coordinates, x from the left, y from the
/// bottom. The eye looks down -z.
struct WindowPoint {
    double x = 0.0;
    double y = 0.0;
};
WindowPoint ProjectEyePoint(double x, double y, double z, int width, int height);
