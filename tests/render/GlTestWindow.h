#pragma once
// A real window with the drawing surface created and sized, its frames read
// back from the back buffer: what the pixel tests of the renderer draw into.

#include "platform/HostDisplay.h"
#include "platform/HostGl.h"
#include "platform/HostWindow.h"
#include "render/DrawingSurface.h"

#include <GL/gl.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Ready when its client area is width x height and the surface made a context
// current.
struct GlTestWindow {
    std::unique_ptr<DrawingSurface> surface;
    int width, height;
    host::HWND hwnd = nullptr;
    bool ready = false;
    std::vector<std::uint8_t> pixels;

    GlTestWindow(int w, int h, std::unique_ptr<DrawingSurface> s = nullptr)
        : surface(s ? std::move(s) : std::make_unique<DrawingSurface>()), width(w), height(h) {
        host::CREATESTRUCT cs;
        cs.cx = w;
        cs.cy = h;
        cs.style = host::WS_OVERLAPPEDWINDOW | host::WS_VISIBLE;
        if ((!host::HasDisplay() && !host::OpenDisplay()) ||
            !(hwnd = host::CreateWindow(cs, host::DefWindowProc, nullptr))) {
            return;
        }
        host::RECT client;
        host::GetClientRect(hwnd, &client);
        ready = client.right == w && client.bottom == h && surface->Create(host::GetDC(hwnd));
        surface->Resize(w, h);
    }
    ~GlTestWindow() {
        surface->Destroy();
        if (hwnd) {
            host::DestroyWindow(hwnd);
        }
    }
    GlTestWindow(const GlTestWindow&) = delete;
    GlTestWindow& operator=(const GlTestWindow&) = delete;

    // Reads the back buffer, rows from the bottom as OpenGL counts them.
    void ReadBack() {
        pixels.assign(static_cast<std::size_t>(width) * height * 3, 0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    }
    // One channel (green unless asked) of a pixel read back, x from the left,
    // y from the bottom; 0 outside the window.
    int At(int x, int y, int channel = 1) const {
        if (x < 0 || y < 0 || x >= width || y >= height) {
            return 0;
        }
        return pixels[(static_cast<std::size_t>(y) * width + x) * 3 + channel];
    }
    // How many pixels read back have visible green.
    int CountLit() const {
        int count = 0;
        for (std::size_t i = 1; i < pixels.size(); i += 3) {
            count += pixels[i] > 8 ? 1 : 0;
        }
        return count;
    }
};
