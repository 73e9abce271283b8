#include "platform/HostWindow.h"

#include "platform/HostMenu.h"
#include "platform/HostQueue.h"
#include "platform/gl/GlBinding.h"
#include "platform/menu/MenuRegistry.h"
#include "platform/queue/MessageQueue.h"
#include "platform/queue/Toolkit.h"
#include "platform/window/WindowNotify.h"
#include "platform/window/WindowRegistry.h"

#include <algorithm>

namespace host {

namespace {

constexpr int kDefaultX = 100;
constexpr int kDefaultY = 100;
constexpr int kDefaultWidth = 800;
constexpr int kDefaultHeight = 600;

RECT InitialRect(const CREATESTRUCT& cs) {
    const bool child = (cs.style & WS_CHILD) != 0;
    const int x = cs.x == CW_USEDEFAULT ? (child ? 0 : kDefaultX) : cs.x;
    const int y = cs.y == CW_USEDEFAULT ? (child ? 0 : kDefaultY) : cs.y;
    const int cx = cs.cx == CW_USEDEFAULT ? (child ? 0 : kDefaultWidth) : std::max(cs.cx, 0);
    const int cy = cs.cy == CW_USEDEFAULT ? (child ? 0 : kDefaultHeight) : std::max(cs.cy, 0);
    return {x, y, x + cx, y + cy};
}

void SendSize(HWND hwnd) {
    SendMessage(hwnd, WM_SIZE, hwnd->SizeType(),
                MAKELPARAM(hwnd->ClientWidth(), hwnd->ClientHeight()));
}

void SendDestroyDown(HWND hwnd) {
    SendMessage(hwnd, WM_DESTROY, 0, 0);
    for (HWND child : GetChildWindows(hwnd)) {
        SendDestroyDown(child);
    }
}

void SendNcDestroyUp(HWND hwnd) {
    for (HWND child : GetChildWindows(hwnd)) {
        SendNcDestroyUp(child);
    }
    SendMessage(hwnd, WM_NCDESTROY, 0, 0);
}

// Frees the records children first, so that a child's toolkit peer leaves its
// parent's peer before that one goes.
void FreeRecords(HWND hwnd) {
    for (HWND child : std::vector<HWND>(hwnd->children)) {
        FreeRecords(child);
    }
    if (hwnd->parent) {
        auto& siblings = hwnd->parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), hwnd), siblings.end());
    }
    ForgetWindowState(hwnd);
    MessageQueue::Instance().DropFor(hwnd);
    if (hwnd->menu && MenuRegistry::Instance().IsFree(hwnd->menu)) {
        MenuRegistry::Instance().Destroy(hwnd->menu);
    }
    GlBinding::Instance().ForgetWindow(hwnd);
    hwnd->peer.reset();
    WindowRegistry::Instance().Remove(hwnd);
}

void MarkDestroying(HWND hwnd) {
    hwnd->destroying = true;
    for (HWND child : hwnd->children) {
        MarkDestroying(child);
    }
}

std::unique_ptr<Window> MakeRecord(const CREATESTRUCT& cs, WNDPROC proc, void* userData) {
    const bool child = (cs.style & WS_CHILD) != 0;
    auto record = std::make_unique<Window>();
    record->proc = proc;
    record->userData = userData;
    record->parent = child ? cs.hwndParent : nullptr;
    record->id = cs.id;
    record->style = cs.style & ~WS_VISIBLE;
    record->enabled = (cs.style & WS_DISABLED) == 0;
    record->text = cs.name;
    record->rect = InitialRect(cs);
    if (!child && MenuRegistry::Instance().IsFree(cs.hMenu)) {
        record->menu = cs.hMenu;
    }
    return record;
}

// Key messages that the program leaves to default handling go back to the
// toolkit, for menu mnemonics and typing.
void GiveKeyBack(Window& window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window.peer) {
        return;
    }
    MSG msg;
    msg.hwnd = &window;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.keyState = MessageQueue::Instance().KeyState();
    window.peer->GiveKeyBack(msg);
}

// A child lets its parent answer first; the answer that nobody gives is to
// activate and keep the click.
LRESULT DefaultMouseActivate(const Window& window, WPARAM wParam, LPARAM lParam) {
    if (window.parent) {
        if (const LRESULT answer = SendMessage(window.parent, WM_MOUSEACTIVATE, wParam, lParam)) {
            return answer;
        }
    }
    return MA_ACTIVATE;
}

// An activated window that is not minimised takes the keyboard.
void DefaultActivate(HWND hwnd, WPARAM wParam) {
    if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0) {
        SetFocus(hwnd);
    }
}

void DefaultPaint(HWND hwnd) {
    PAINTSTRUCT paint;
    BeginPaint(hwnd, &paint);
    EndPaint(hwnd, &paint);
}

} // namespace

HWND CreateWindow(const CREATESTRUCT& cs, WNDPROC proc, void* userData) {
    const bool child = (cs.style & WS_CHILD) != 0;
    if (child && !IsWindow(cs.hwndParent)) {
        return nullptr;
    }
    HWND hwnd = WindowRegistry::Instance().Add(MakeRecord(cs, proc, userData));
    if (hwnd->parent) {
        hwnd->parent->children.push_back(hwnd);
    }
    hwnd->peer = Toolkit::MakePeer(hwnd);

    CREATESTRUCT params = cs;
    if (SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&params)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd)) {
        return nullptr; // the procedure destroyed it during creation
    }
    SendSize(hwnd);
    if ((cs.style & WS_VISIBLE) && IsWindow(hwnd)) {
        ShowWindow(hwnd, SW_SHOW);
    }
    return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
    Window* window = LiveWindow(hwnd);
    if (!window || window->destroying) {
        return FALSE;
    }
    MarkDestroying(hwnd);
    SendDestroyDown(hwnd);
    SendNcDestroyUp(hwnd);
    FreeRecords(hwnd);
    return TRUE;
}

BOOL IsWindow(HWND hwnd) {
    return ToBOOL(WindowRegistry::Instance().Contains(hwnd));
}

void* GetWindowUserData(HWND hwnd) {
    Window* window = LiveWindow(hwnd);
    return window ? window->userData : nullptr;
}

void SetWindowUserData(HWND hwnd, void* data) {
    if (Window* window = LiveWindow(hwnd)) {
        window->userData = data;
    }
}

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = LiveWindow(hwnd);
    if (!window) {
        return 0;
    }
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_PAINT:
        DefaultPaint(hwnd);
        return 0;
    case WM_ERASEBKGND:
        if (window->peer) {
            window->peer->Erase();
        }
        return 1;
    case WM_MOUSEACTIVATE:
        return DefaultMouseActivate(*window, wParam, lParam);
    case WM_ACTIVATE:
        DefaultActivate(hwnd, wParam);
        return 0;
    default:
        break;
    }
    if (message >= WM_KEYFIRST && message <= WM_KEYLAST) {
        GiveKeyBack(*window, message, wParam, lParam);
    }
    return 0;
}

HWND GetParent(HWND hwnd) {
    Window* window = LiveWindow(hwnd);
    return window ? window->parent : nullptr;
}

HWND GetTopLevelWindow(HWND hwnd) {
    Window* window = LiveWindow(hwnd);
    while (window && window->parent) {
        window = window->parent;
    }
    return window;
}

std::vector<HWND> GetChildWindows(HWND hwnd) {
    Window* window = LiveWindow(hwnd);
    return window ? window->children : std::vector<HWND>();
}

HWND GetDlgItem(HWND parent, int id) {
    for (HWND child : GetChildWindows(parent)) {
        if (child->id == id) {
            return child;
        }
    }
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
    Window* window = LiveWindow(hwnd);
    return window ? window->id : 0;
}

UINT GetWindowStyle(HWND hwnd) {
    Window* window = LiveWindow(hwnd);
    if (!window) {
        return 0;
    }
    UINT style = window->style;
    if (window->visible) {
        style |= WS_VISIBLE;
    }
    if (!window->enabled) {
        style |= WS_DISABLED;
    }
    return style;
}

void SetWindowStyle(HWND hwnd, UINT style) {
    Window* window = LiveWindow(hwnd);
    if (!window) {
        return;
    }
    // Visibility, enabling and the child bit belong to their own calls; the
    // style keeps only what needs no peer work.
    const UINT fixed = WS_VISIBLE | WS_DISABLED | WS_CHILD;
    window->style = (style & ~fixed) | (window->style & WS_CHILD);
}

} // namespace host
