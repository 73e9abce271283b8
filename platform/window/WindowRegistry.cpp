#include "platform/window/WindowRegistry.h"

#include <algorithm>

namespace host {

WindowRegistry& WindowRegistry::Instance() {
    static WindowRegistry registry;
    return registry;
}

HWND WindowRegistry::Add(std::unique_ptr<Window> window) {
    HWND hwnd = window.get();
    window->serial = m_nextSerial++;
    window->dc.window = hwnd;
    m_windows[hwnd] = std::move(window);
    return hwnd;
}

void WindowRegistry::Remove(HWND hwnd) {
    m_windows.erase(hwnd);
}

bool WindowRegistry::Contains(HWND hwnd) const {
    return hwnd && m_windows.count(hwnd) != 0;
}

Window* WindowRegistry::Find(HWND hwnd) const {
    auto it = m_windows.find(hwnd);
    return it == m_windows.end() ? nullptr : it->second.get();
}

HWND WindowRegistry::FindByDc(HDC dc) const {
    for (const auto& [hwnd, window] : m_windows) {
        if (&window->dc == dc) {
            return hwnd;
        }
    }
    return nullptr;
}

std::vector<HWND> WindowRegistry::All() const {
    std::vector<HWND> all;
    for (const auto& entry : m_windows) {
        all.push_back(entry.first);
    }
    std::sort(all.begin(), all.end(), [](HWND a, HWND b) { return a->serial < b->serial; });
    return all;
}

} // namespace host
