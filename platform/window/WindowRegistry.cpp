#include "platform/window/WindowRegistry.h"

#include <algorithm>

namespace host {

WindowRegistry& WindowRegistry::Instance() {
    static WindowRegistry registry;
    return registry;
}

HWND WindowRegistry::Add(std::unique_ptr<Window> window) {
    window->serial = m_nextSerial++;
    window->dc.window = window.get();
    return m_windows.Add(std::move(window));
}

HWND WindowRegistry::FindByDc(HDC dc) const {
    HWND found = nullptr;
    m_windows.ForEach([&](Window& window) {
        if (&window.dc == dc) {
            found = &window;
        }
    });
    return found;
}

std::vector<HWND> WindowRegistry::All() const {
    std::vector<HWND> all;
    m_windows.ForEach([&](Window& window) { all.push_back(&window); });
    std::sort(all.begin(), all.end(), [](HWND a, HWND b) { return a->serial < b->serial; });
    return all;
}

} // namespace host
