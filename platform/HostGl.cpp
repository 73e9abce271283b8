#include "platform/HostGl.h"

#include "platform/WindowRegistry.h"

namespace host {

HDC GetDC(HWND hwnd) {
    Window* window = WindowRegistry::Instance().Find(hwnd);
    return window ? &window->dc : nullptr;
}

int ReleaseDC(HWND, HDC) {
    return 1;
}

int GetPixelFormat(HDC dc) {
    HWND hwnd = WindowRegistry::Instance().FindByDc(dc);
    return hwnd ? hwnd->dc.pixelFormat : 0;
}

} // namespace host
