#include "framework/CWinThread.h"

#include "framework/CWnd.h"
#include "framework/FrameworkIds.h"
#include "platform/HostQueue.h"

using host::BOOL;
using host::FALSE;
using host::TRUE;

KOVO_IMPLEMENT_RUNTIME_CLASS(CWinThread, CCmdTarget)

int CWinThread::RunMessageLoop() {
    bool idle = true;
    long idleCount = 0;
    host::MSG peeked;
    for (;;) {
        while (idle && !host::PeekMessage(&peeked, host::PM_NOREMOVE)) {
            if (!IdleStep(idleCount++)) {
                idle = false;
            }
        }
        do {
            if (!PumpOneMessage()) {
                return ExitInstance();
            }
            if (IsIdleTrigger(&m_msgCur)) {
                idle = true;
                idleCount = 0;
            }
        } while (host::PeekMessage(&peeked, host::PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpOneMessage() {
    if (!host::GetMessage(&m_msgCur)) {
        m_exitCode = static_cast<int>(m_msgCur.wParam);
        return FALSE;
    }
    if (m_msgCur.message == fw::KickIdle) {
        return TRUE;
    }
    if (!FilterMessage(&m_msgCur)) {
        host::TranslateMessage(&m_msgCur);
        host::DispatchMessage(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::IdleStep(long count) {
    if (count <= 0 && m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr) {
        host::HWND main = m_pMainWnd->m_hWnd;
        if (host::IsWindowVisible(main)) {
            host::SendMessage(main, fw::IdleUpdateUi, TRUE, 0);
            CWnd::SendMessageToDescendants(main, fw::IdleUpdateUi, TRUE, 0);
        }
    }
    // Count 1 would release temporary objects; this framework makes none.
    return count < 1;
}

BOOL CWinThread::IsIdleTrigger(const host::MSG* msg) {
    if (msg->message == host::WM_PAINT || msg->message == host::WM_SYSTIMER) {
        return FALSE;
    }
    if (msg->message != host::WM_MOUSEMOVE && msg->message != host::WM_NCMOUSEMOVE) {
        return TRUE;
    }
    // A move that repeats the previous mouse message at the same cursor
    // position is no news, whatever its other fields say.
    const bool repeat = msg->message == m_lastMouseMessage && msg->pt.x == m_lastMousePoint.x &&
                        msg->pt.y == m_lastMousePoint.y;
    m_lastMouseMessage = msg->message;
    m_lastMousePoint = msg->pt;
    return host::ToBOOL(!repeat);
}

BOOL CWinThread::FilterMessage(host::MSG* msg) {
    host::HWND main = m_pMainWnd != nullptr ? m_pMainWnd->m_hWnd : nullptr;
    for (host::HWND h = msg->hwnd; h != nullptr; h = host::GetParent(h)) {
        CWnd* wnd = CWnd::FromHandle(h);
        if (wnd != nullptr && wnd->FilterMessage(msg)) {
            return TRUE;
        }
        if (h == main) {
            return FALSE; // the main window had its turn
        }
    }
    // A message for a window outside the main window's family.
    if (main == nullptr || (msg->hwnd != nullptr && host::GetTopLevelWindow(msg->hwnd) == main)) {
        return FALSE;
    }
    return m_pMainWnd->FilterMessage(msg);
}

int CWinThread::ExitInstance() {
    return m_exitCode;
}
