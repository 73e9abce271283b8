#pragma once
// One paint of a window: begins painting when made and ends it when it goes
// away, also when an exception passes, so that the window is always validated.

#include "platform/HostWindow.h"

class PaintScope {
public:
    /// Begins painting hwnd (erasing first when that was asked for).
    explicit PaintScope(host::HWND hwnd) : m_hwnd(hwnd) { m_dc = host::BeginPaint(hwnd, &m_paint); }
    ~PaintScope() { host::EndPaint(m_hwnd, &m_paint); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    /// The device context of this paint; null for a window that does not exist.
    host::HDC Dc() const { return m_dc; }

private:
    host::HWND m_hwnd = nullptr;
    host::PAINTSTRUCT m_paint;
    host::HDC m_dc = nullptr;
};
