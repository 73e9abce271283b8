#pragma once
// Owns every window record and answers whether a handle names a live one.

#include "platform/HandleRegistry.h"
#include "platform/window/Window.h"

#include <memory>
#include <vector>

namespace host {

class WindowRegistry {
public:
    static WindowRegistry& Instance();

    /// Adds a new record and returns its handle; the record is owned here.
    HWND Add(std::unique_ptr<Window> window);
    /// Frees the record; unknown handles are ignored.
    void Remove(HWND hwnd) { m_windows.Remove(hwnd); }
    bool Contains(HWND hwnd) const { return m_windows.Contains(hwnd); }
    /// Null for a handle that is not live, so callers can return early.
    Window* Find(HWND hwnd) const { return m_windows.Find(hwnd); }
    /// Also finds a window by its device context; null when none (a stale
    /// context included: it is compared, never followed).
    HWND FindByDc(HDC dc) const;
    /// All live windows in creation order.
    std::vector<HWND> All() const;

private:
    HandleRegistry<Window> m_windows;
    unsigned long m_nextSerial = 1;
};

/// The record of hwnd, or null when hwnd names no live window.
inline Window* LiveWindow(HWND hwnd) {
    return WindowRegistry::Instance().Find(hwnd);
}

} // namespace host
