// Visibility, enabling, focus, caption and geometry of window records.

#include "platform/HostWindow.h"

#include "platform/HostQueue.h"
#include "platform/window/WindowNotify.h"
#include "platform/window/WindowRegistry.h"

#include <algorithm>

namespace host {

namespace {

void InvalidateTree(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, TRUE);
    for (HWND child : hwnd->children) {
        if (child->visible) {
            InvalidateTree(child);
        }
    }
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Maximising fills the work area of the screen (as the peer knows it; the
// record keeps its size without a display) and remembers where to return.
void Maximise(Window& window) {
    if (!window.zoomed) {
        window.restoreRect = window.rect;
        window.zoomed = true;
    }
    if (window.peer) {
        window.rect = window.peer->WorkArea();
    }
}

void Unmaximise(Window& window) {
    if (window.zoomed) {
        window.rect = window.restoreRect;
        window.zoomed = false;
    }
}

// Applies a show command to the record; only top-level windows minimise or
// maximise. Restoring a minimised window returns it to its maximised state;
// restoring any other, or showing it normally, returns it to its own size.
void ApplyShow(Window& window, int command) {
    const bool topLevel = !window.parent;
    const bool wasIconic = window.iconic;
    window.visible = command != SW_HIDE;
    switch (command) {
    case SW_HIDE:
        return;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
        window.iconic = topLevel;
        return;
    case SW_SHOWMAXIMIZED:
        window.iconic = false;
        if (topLevel) {
            Maximise(window);
        }
        return;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
        window.iconic = false;
        if (command == SW_SHOWNORMAL || !wasIconic) {
            Unmaximise(window);
        }
        return;
    default:
        window.iconic = false;
        return;
    }
}

} // namespace

void SendSizeIfChanged(HWND hwnd, int oldWidth, int oldHeight, UINT oldType) {
    if (hwnd->ClientWidth() == oldWidth && hwnd->ClientHeight() == oldHeight &&
        (oldType == kAnySizeType || hwnd->SizeType() == oldType)) {
        return;
    }
    SendMessage(hwnd, WM_SIZE, hwnd->SizeType(),
                MAKELPARAM(hwnd->ClientWidth(), hwnd->ClientHeight()));
}

BOOL ShowWindow(HWND hwnd, int command) {
    Window* window = LiveWindow(hwnd);
    if (!window) {
        return FALSE;
    }
    const BOOL wasVisible = ToBOOL(window->visible);
    const int oldWidth = window->ClientWidth();
    const int oldHeight = window->ClientHeight();
    const RECT oldRect = window->rect;
    const UINT oldType = window->SizeType();
    ApplyShow(*window, command);
    if (window->peer && !SameRect(oldRect, window->rect)) {
        window->peer->Move(window->rect);
    }
    if (window->peer) {
        window->peer->Show(command);
    }
    if (!IsWindow(hwnd)) {
        return wasVisible;
    }
    if (window->visible && !wasVisible) {
        InvalidateTree(hwnd);
    }
    if (window->visible && !window->parent && command != SW_MINIMIZE &&
        command != SW_SHOWMINIMIZED) {
        ActivateWindow(hwnd, WA_ACTIVE);
    }
    if (IsWindow(hwnd)) {
        SendSizeIfChanged(hwnd, oldWidth, oldHeight, oldType);
    }
    return wasVisible;
}

BOOL IsWindowVisible(HWND hwnd) {
    for (Window* window = LiveWindow(hwnd); window; window = window->parent) {
        if (!window->visible) {
            return FALSE;
        }
    }
    return ToBOOL(LiveWindow(hwnd) != nullptr);
}

BOOL IsIconic(HWND hwnd) {
    Window* window = LiveWindow(hwnd);
    return ToBOOL(window && window->iconic);
}

BOOL IsZoomed(HWND hwnd) {
    Window* window = LiveWindow(hwnd);
    return ToBOOL(window && window->zoomed);
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    Window* window = LiveWindow(hwnd);
    if (!window) {
        return FALSE;
    }
    const BOOL wasDisabled = ToBOOL(!window->enabled);
    if (window->enabled == (enable != FALSE)) {
        return wasDisabled;
    }
    window->enabled = enable != FALSE;
    if (window->peer) {
        window->peer->SetEnabled(window->enabled);
    }
    SendMessage(hwnd, WM_ENABLE, ToBOOL(enable != FALSE), 0);
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd) {
    Window* window = LiveWindow(hwnd);
    return ToBOOL(window && window->enabled);
}

BOOL BringWindowToTop(HWND hwnd) {
    Window* window = LiveWindow(hwnd);
    if (!window) {
        return FALSE;
    }
    if (window->peer) {
        window->peer->Raise();
    }
    if (!window->parent && window->visible) {
        ActivateWindow(hwnd, WA_ACTIVE);
    }
    return TRUE;
}

void SetWindowText(HWND hwnd, const std::string& text) {
    Window* window = LiveWindow(hwnd);
    if (!window) {
        return;
    }
    window->text = text;
    if (window->peer) {
        window->peer->SetText(text);
    }
}

std::string GetWindowText(HWND hwnd) {
    Window* window = LiveWindow(hwnd);
    return window ? window->text : std::string();
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
    Window* window = LiveWindow(hwnd);
    if (!window || !rect) {
        return FALSE;
    }
    *rect = {0, 0, window->ClientWidth(), window->ClientHeight()};
    return TRUE;
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    Window* window = LiveWindow(hwnd);
    if (!window || !rect) {
        return FALSE;
    }
    *rect = window->rect;
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    Window* window = LiveWindow(hwnd);
    if (!window) {
        return FALSE;
    }
    const int oldWidth = window->ClientWidth();
    const int oldHeight = window->ClientHeight();
    window->rect = {x, y, x + std::max(width, 0), y + std::max(height, 0)};
    if (window->peer) {
        window->peer->Move(window->rect);
    }
    SendSizeIfChanged(hwnd, oldWidth, oldHeight);
    if (repaint && IsWindow(hwnd)) {
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    return TRUE;
}

} // namespace host
