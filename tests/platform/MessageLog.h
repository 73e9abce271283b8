#pragma once
// A window procedure for tests: records every message of the windows that use
// it and answers through an optional per-test reaction.

#include "platform/HostQueue.h"
#include "platform/HostWindow.h"

#include <functional>
#include <vector>

namespace host::test {

struct Logged {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class MessageLog {
public:
    /// Returns a value to answer the message, or -2 to let DefWindowProc do it.
    std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> react;
    std::vector<Logged> entries;

    static LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* log = static_cast<MessageLog*>(GetWindowUserData(hwnd));
        if (!log)
            return DefWindowProc(hwnd, message, wParam, lParam);
        log->entries.push_back({hwnd, message, wParam, lParam});
        if (log->react) {
            const LRESULT result = log->react(hwnd, message, wParam, lParam);
            if (result != -2)
                return result;
        }
        return DefWindowProc(hwnd, message, wParam, lParam);
    }

    /// The messages of one kind, in order (all kinds when message is 0).
    std::vector<Logged> Of(UINT message) const {
        std::vector<Logged> found;
        for (const Logged& entry : entries)
            if (message == 0 || entry.message == message)
                found.push_back(entry);
        return found;
    }

    HWND CreateTopLevel(int cx = 300, int cy = 200, UINT style = WS_OVERLAPPEDWINDOW) {
        CREATESTRUCT cs;
        cs.x = 10;
        cs.y = 20;
        cs.cx = cx;
        cs.cy = cy;
        cs.style = style;
        cs.name = "Test";
        return CreateWindow(cs, &MessageLog::Proc, this);
    }

    HWND CreateChild(HWND parent, int id, int cx = 100, int cy = 50) {
        CREATESTRUCT cs;
        cs.hwndParent = parent;
        cs.id = id;
        cs.x = 0;
        cs.y = 0;
        cs.cx = cx;
        cs.cy = cy;
        cs.style = WS_CHILD | WS_VISIBLE;
        return CreateWindow(cs, &MessageLog::Proc, this);
    }
};

/// Takes every pending message without waiting and dispatches it.
inline std::vector<MSG> Drain() {
    std::vector<MSG> taken;
    MSG msg;
    while (PeekMessage(&msg, PM_REMOVE)) {
        taken.push_back(msg);
        if (msg.message == WM_QUIT)
            break;
        DispatchMessage(&msg);
    }
    return taken;
}

} // namespace host::test
