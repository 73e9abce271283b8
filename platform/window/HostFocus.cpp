// The active top-level window and the keyboard focus, and the messages that
// tell windows of changes to them.

#include "platform/HostWindow.h"

#include "platform/HostQueue.h"
#include "platform/window/Window.h"
#include "platform/window/WindowNotify.h"

namespace host {

namespace {

HWND g_active = nullptr;
HWND g_focus = nullptr;

void SendActivate(HWND hwnd, WORD state, HWND other) {
    SendMessage(hwnd, WM_ACTIVATE, MAKEWPARAM(state, IsIconic(hwnd)),
                reinterpret_cast<LPARAM>(other));
}

// What a window's answer to WM_MOUSEACTIVATE asks for.
bool Activates(LRESULT answer) {
    return answer != MA_NOACTIVATE && answer != MA_NOACTIVATEANDEAT;
}
bool Eats(LRESULT answer) {
    return answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT;
}

} // namespace

void ForgetWindowState(HWND hwnd) {
    if (g_active == hwnd) {
        g_active = nullptr;
    }
    if (g_focus == hwnd) {
        g_focus = nullptr;
    }
}

void ActivateWindow(HWND top, WORD how) {
    HWND previous = GetActiveWindow();
    if (top == previous || !IsWindow(top)) {
        return;
    }
    g_active = top;
    if (previous) {
        SendActivate(previous, WA_INACTIVE, top);
    }
    if (IsWindow(top)) {
        SendActivate(top, how, previous);
    }
}

void DeactivateWindow(HWND top) {
    if (!top || top != GetActiveWindow()) {
        return;
    }
    g_active = nullptr;
    SendActivate(top, WA_INACTIVE, nullptr);
}

bool MouseActivate(const MSG& press) {
    HWND hwnd = press.hwnd;
    HWND top = GetTopLevelWindow(hwnd);
    // A click in the active top-level window itself needs no activation; one
    // in a child asks the child, which is never the active window.
    if (!top || hwnd == GetActiveWindow()) {
        return true;
    }
    const LRESULT answer = SendMessage(hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top),
                                       MAKELPARAM(HTCLIENT, press.message));
    if (Activates(answer)) {
        ActivateWindow(top, WA_CLICKACTIVE);
    }
    return !Eats(answer) && IsWindow(hwnd);
}

HWND GetActiveWindow() {
    return IsWindow(g_active) ? g_active : nullptr;
}

HWND SetFocus(HWND hwnd) {
    HWND previous = IsWindow(g_focus) ? g_focus : nullptr;
    if (hwnd && !IsWindow(hwnd)) {
        return previous;
    }
    if (previous == hwnd) {
        return previous;
    }
    g_focus = hwnd;
    if (previous) {
        SendMessage(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    }
    if (hwnd) {
        SendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    }
    return previous;
}

HWND GetFocus() {
    return IsWindow(g_focus) ? g_focus : nullptr;
}

} // namespace host
