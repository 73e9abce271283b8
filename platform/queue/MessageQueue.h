#pragma once
// The one thread's queue of posted messages, the pending quit request and the
// modifier-key state that GetKeyState reports.

#include "platform/HostTypes.h"

#include <deque>

namespace host {

class MessageQueue {
public:
    static MessageQueue& Instance();

    /// Queues a message that the program posted.
    void Post(const MSG& msg);
    /// Queues what the user did (a key, a click): taking a button press from
    /// the queue may activate windows first (see GetActiveWindow).
    void PostInput(const MSG& msg);
    bool HasPosted() const { return !m_posted.empty(); }
    const MSG& Front() const { return m_posted.front().msg; }
    /// True when the front message came from the user; there must be one.
    bool FrontIsInput() const { return m_posted.front().input; }
    /// Removes the front message; it must exist.
    MSG TakeFront();
    /// Drops every posted message for hwnd (a window being destroyed).
    void DropFor(HWND hwnd);

    void RequestQuit(int exitCode);
    bool QuitRequested() const { return m_quitRequested; }
    int QuitCode() const { return m_quitCode; }
    void ClearQuit() { m_quitRequested = false; }

    UINT KeyState() const { return m_keyState; }
    void SetKeyState(UINT keyState) { m_keyState = keyState; }

    /// A running count for MSG::time, so that messages can be ordered.
    DWORD NextTime() { return ++m_time; }

private:
    struct Entry {
        MSG msg;
        bool input = false;
    };

    std::deque<Entry> m_posted;
    bool m_quitRequested = false;
    int m_quitCode = 0;
    UINT m_keyState = 0;
    DWORD m_time = 0;
};

} // namespace host
