#include "platform/HostQueue.h"

#include "platform/queue/MessageQueue.h"
#include "platform/queue/Toolkit.h"
#include "platform/window/WindowNotify.h"
#include "platform/window/WindowRegistry.h"

namespace host {

namespace {

bool CarriesKeyState(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEMOVE && message <= WM_MOUSEWHEEL);
}

// The first window, in creation order, that is shown and needs painting.
HWND FindPaint() {
    for (HWND hwnd : WindowRegistry::Instance().All()) {
        if (hwnd->invalid && IsWindowVisible(hwnd)) {
            return hwnd;
        }
    }
    return nullptr;
}

bool IsButtonPress(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

// Takes or reads the front posted message. A press by the user, once taken,
// activates as the window it is for answers, which may drop it: then false.
bool TakePosted(MSG* msg, bool remove) {
    MessageQueue& queue = MessageQueue::Instance();
    if (!remove) {
        *msg = queue.Front();
        return true;
    }
    const bool press = queue.FrontIsInput() && IsButtonPress(queue.Front().message);
    *msg = queue.TakeFront();
    if (CarriesKeyState(msg->message)) {
        queue.SetKeyState(msg->keyState);
    }
    return !press || MouseActivate(*msg);
}

bool TakeQuit(MSG* msg, bool remove) {
    MessageQueue& queue = MessageQueue::Instance();
    *msg = MSG();
    msg->message = WM_QUIT;
    msg->wParam = static_cast<WPARAM>(queue.QuitCode());
    if (remove) {
        queue.ClearQuit();
    }
    return true;
}

// The next message without waiting: posted, then quit, then paint.
bool NextMessage(MSG* msg, bool remove) {
    MessageQueue& queue = MessageQueue::Instance();
    while (queue.HasPosted()) {
        if (TakePosted(msg, remove)) {
            return true;
        }
    }
    if (queue.QuitRequested()) {
        return TakeQuit(msg, remove);
    }
    HWND paint = FindPaint();
    if (!paint) {
        return false;
    }
    *msg = MSG();
    msg->hwnd = paint;
    msg->message = WM_PAINT;
    msg->time = queue.NextTime();
    return true;
}

} // namespace

BOOL GetMessage(MSG* msg) {
    MSG local;
    MSG* out = msg ? msg : &local;
    while (!NextMessage(out, true)) {
        if (!Toolkit::Wait()) {
            *out = MSG();
            out->message = WM_QUIT;
            return FALSE;
        }
    }
    return ToBOOL(out->message != WM_QUIT);
}

BOOL PeekMessage(MSG* msg, UINT removeFlags) {
    Toolkit::Check();
    MSG local;
    return ToBOOL(NextMessage(msg ? msg : &local, (removeFlags & PM_REMOVE) != 0));
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd && !IsWindow(hwnd)) {
        return FALSE;
    }
    MessageQueue& queue = MessageQueue::Instance();
    MSG msg;
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = queue.NextTime();
    msg.keyState = queue.KeyState();
    queue.Post(msg);
    return TRUE;
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = WindowRegistry::Instance().Find(hwnd);
    if (!window || !window->proc) {
        return 0;
    }
    return window->proc(hwnd, message, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
    MessageQueue::Instance().RequestQuit(exitCode);
}

LRESULT DispatchMessage(const MSG* msg) {
    if (!msg || !msg->hwnd) {
        return 0;
    }
    return SendMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL TranslateMessage(const MSG*) {
    return FALSE;
}

short GetKeyState(int virtualKey) {
    const UINT state = MessageQueue::Instance().KeyState();
    UINT flag = 0;
    switch (virtualKey) {
    case VK_SHIFT:
        flag = MK_SHIFT;
        break;
    case VK_CONTROL:
        flag = MK_CONTROL;
        break;
    case VK_MENU:
        flag = MK_ALT;
        break;
    default:
        return 0;
    }
    return (state & flag) ? static_cast<short>(0x8000) : 0;
}

void SetKeyState(UINT keyState) {
    MessageQueue::Instance().SetKeyState(keyState);
}

} // namespace host
