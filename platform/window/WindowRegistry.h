#pragma once
// Owns every window record and answers whether a handle names a live one.

#include "platform/window/Window.h"

#include <map>
#include <memory>
#include <vector>

namespace host {

class WindowRegistry {
public:
    static WindowRegistry& Instance();

    /// Adds a new record and returns its handle; the record is owned here.
    HWND Add(std::unique_ptr<Window> window);
    /// Frees the record; unknown handles are ignored.
    void Remove(HWND hwnd);
    bool Contains(HWND hwnd) const;
    /// Null for a handle that is not live, so callers can return early.
    Window* Find(HWND hwnd) const;
    /// Also finds a window by its device context; null when none.
    HWND FindByDc(HDC dc) const;
    /// All live windows in creation order.
    std::vector<HWND> All() const;

private:
    std::map<HWND, std::unique_ptr<Window>> m_windows;
    unsigned long m_nextSerial = 1;
};

} // namespace host
