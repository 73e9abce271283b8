// The wait cursor and window icons.

#include "platform/HostWindow.h"

#include "platform/window/WindowRegistry.h"

namespace host {

namespace {

int g_waitDepth = 0;

void ShowCursorEverywhere(bool wait) {
    for (HWND hwnd : WindowRegistry::Instance().All()) {
        if (hwnd->peer) {
            hwnd->peer->SetCursor(wait);
        }
    }
}

} // namespace

void SetWaitCursor(bool on) {
    if (on) {
        if (++g_waitDepth == 1) {
            ShowCursorEverywhere(true);
        }
        return;
    }
    // An unbalanced end is ignored rather than driving the count negative,
    // which would hide the next wait cursor.
    if (g_waitDepth == 0) {
        return;
    }
    if (--g_waitDepth == 0) {
        ShowCursorEverywhere(false);
    }
}

BOOL IsWaitCursorShown() {
    return ToBOOL(g_waitDepth > 0);
}

void SetWindowIcon(HWND hwnd, const std::vector<IconImage>& images) {
    Window* window = WindowRegistry::Instance().Find(hwnd);
    if (window && window->peer) {
        window->peer->SetIcon(images);
    }
}

} // namespace host
