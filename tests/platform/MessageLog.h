#pragma once
// A window procedure for tests: records every message of the windows that use
// it and answers through an optional per-test reaction.

#include "platform/HostQueue.h"
#include "platform/HostWindow.h"

#include <functional>
#include <vector>

namespace host::test {

using Logged = MSG;

class MessageLog {
public:
    /// Returns a value to answer the message, or -2 to let DefWindowProc do it.
    std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> react;
    std::vector<Logged> entries;

    static LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* log = static_cast<MessageLog*>(GetWindowUserData(hwnd));
        if (log) {
            log->entries.push_back({hwnd, message, wParam, lParam, 0, {}, 0});
            const LRESULT result = log->react ? log->react(hwnd, message, wParam, lParam) : -2;
            if (result != -2)
                return result;
        }
        return DefWindowProc(hwnd, message, wParam, lParam);
    }

    /// The messages of one kind, in order.
    std::vector<Logged> Of(UINT message) const {
        std::vector<Logged> found;
        for (const Logged& entry : entries)
            if (entry.message == message)
                found.push_back(entry);
        return found;
    }
    std::vector<UINT> Messages() const {
        std::vector<UINT> messages;
        for (const Logged& entry : entries)
            messages.push_back(entry.message);
        return messages;
    }

    HWND CreateTopLevel(int cx = 300, int cy = 200) { return Create(nullptr, 0, cx, cy); }
    HWND CreateChild(HWND parent, int id, int cx = 100, int cy = 50) {
        return Create(parent, id, cx, cy);
    }
    HWND Create(HWND parent, int id, int cx, int cy) {
        CREATESTRUCT cs;
        cs.hwndParent = parent;
        cs.id = id;
        cs.x = parent ? 0 : 10;
        cs.y = parent ? 0 : 20;
        cs.cx = cx;
        cs.cy = cy;
        cs.style = parent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW;
        cs.name = parent ? "" : "Test";
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
