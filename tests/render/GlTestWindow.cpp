#include "GlTestWindow.h"

#include "platform/HostDisplay.h"
#include "platform/HostGl.h"
#include "platform/HostWindow.h"

#include <GL/gl.h>
#include <cmath>

static host::LRESULT PlainProc(host::HWND hwnd, host::UINT message, host::WPARAM wParam,
                               host::LPARAM lParam) {
    return host::DefWindowProc(hwnd, message, wParam, lParam);
}

GlTestWindow::GlTestWindow(int width, int height, std::unique_ptr<DrawingSurface> surface)
    : m_surface(surface ? std::move(surface) : std::make_unique<DrawingSurface>()) {
    if (!host::HasDisplay() && !host::OpenDisplay())
        return;
    host::CREATESTRUCT cs;
    cs.x = 0;
    cs.y = 0;
    cs.cx = width;
    cs.cy = height;
    cs.style = host::WS_OVERLAPPEDWINDOW | host::WS_VISIBLE;
    cs.name = "render test";
    m_hwnd = host::CreateWindow(cs, PlainProc, nullptr);
    if (!m_hwnd)
        return;
    host::RECT client;
    host::GetClientRect(m_hwnd, &client);
    m_width = client.right;
    m_height = client.bottom;
    m_dc = host::GetDC(m_hwnd);
    m_ready = m_surface->Create(m_dc) != host::FALSE;
    m_surface->Resize(m_width, m_height);
}

GlTestWindow::~GlTestWindow() {
    m_surface->Destroy();
    if (m_hwnd)
        host::DestroyWindow(m_hwnd);
}

void GlTestWindow::ReadBack() {
    m_pixels.assign(static_cast<std::size_t>(m_width) * m_height * 3, 0);
    if (!host::HasCurrentGlContext())
        return;
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, m_width, m_height, GL_RGB, GL_UNSIGNED_BYTE, m_pixels.data());
}

Rgb GlTestWindow::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return {};
    const std::size_t i = (static_cast<std::size_t>(y) * m_width + x) * 3;
    return {m_pixels[i], m_pixels[i + 1], m_pixels[i + 2]};
}

int GlTestWindow::CountLit() const {
    int count = 0;
    for (std::size_t i = 1; i < m_pixels.size(); i += 3)
        count += m_pixels[i] > 8 ? 1 : 0;
    return count;
}

WindowPoint ProjectEyePoint(double x, double y, double z, int width, int height) {
    const double f = 1.0 / std::tan(22.5 * M_PI / 180.0);
    const double aspect = static_cast<double>(width) / height;
    const double ndcX = f / aspect * x / -z;
    const double ndcY = f * y / -z;
    return {(ndcX + 1.0) * width / 2.0, (ndcY + 1.0) * height / 2.0};
}
