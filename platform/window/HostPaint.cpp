// Invalidation and painting of window records.

#include "platform/HostWindow.h"

#include "platform/HostQueue.h"
#include "platform/window/WindowRegistry.h"

namespace host {

BOOL InvalidateRect(HWND hwnd, const RECT*, BOOL erase) {
    Window* window = LiveWindow(hwnd);
    if (!window) {
        return FALSE;
    }
    window->invalid = true;
    window->eraseWanted = window->eraseWanted || erase != FALSE;
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT*) {
    Window* window = LiveWindow(hwnd);
    if (!window) {
        return FALSE;
    }
    window->invalid = false;
    window->eraseWanted = false;
    return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
    Window* window = LiveWindow(hwnd);
    if (!window) {
        return FALSE;
    }
    if (window->invalid && IsWindowVisible(hwnd)) {
        SendMessage(hwnd, WM_PAINT, 0, 0);
    }
    return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
    Window* window = LiveWindow(hwnd);
    if (!window) {
        return nullptr;
    }
    const bool erase = window->eraseWanted;
    // Validate first: an erase handler that invalidates again asks for a new
    // paint, which must not be lost.
    window->invalid = false;
    window->eraseWanted = false;
    BOOL erased = FALSE;
    if (erase) {
        erased =
            ToBOOL(SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(&window->dc), 0) != 0);
    }
    if (paint) {
        paint->hdc = &window->dc;
        // fErase tells the painter that the background still needs erasing.
        paint->fErase = ToBOOL(erase && !erased);
        paint->rcPaint = {0, 0, window->ClientWidth(), window->ClientHeight()};
    }
    return &window->dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT*) {
    return IsWindow(hwnd);
}

} // namespace host
