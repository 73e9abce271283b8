#include "platform/queue/MessageQueue.h"

#include <algorithm>
#include <cassert>

namespace host {

MessageQueue& MessageQueue::Instance() {
    static MessageQueue queue;
    return queue;
}

void MessageQueue::Post(const MSG& msg) {
    m_posted.push_back({msg, false});
}

void MessageQueue::PostInput(const MSG& msg) {
    m_posted.push_back({msg, true});
}

MSG MessageQueue::TakeFront() {
    assert(!m_posted.empty());
    MSG msg = m_posted.front().msg;
    m_posted.pop_front();
    return msg;
}

void MessageQueue::DropFor(HWND hwnd) {
    m_posted.erase(std::remove_if(m_posted.begin(), m_posted.end(),
                                  [hwnd](const Entry& entry) { return entry.msg.hwnd == hwnd; }),
                   m_posted.end());
}

void MessageQueue::RequestQuit(int exitCode) {
    m_quitRequested = true;
    m_quitCode = exitCode;
}

} // namespace host
