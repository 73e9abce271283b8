#pragma once
// The user-interface thread: its message loop with accelerator filtering and
// idle-time processing, and its main window.

#include "framework/CCmdTarget.h"
#include "platform/HostTypes.h"

class CWnd;

class CWinThread : public CCmdTarget {
public:
    KOVO_DECLARE_RUNTIME_CLASS(CWinThread)

    /// Runs until WM_QUIT, then returns ExitInstance's result.
    virtual int RunMessageLoop();
    /// Takes and handles one message. FALSE on WM_QUIT (its wParam becomes
    /// m_exitCode), TRUE otherwise.
    virtual host::BOOL PumpOneMessage();
    /// One step of idle work; count counts the calls since the loop last had
    /// messages. Count 0 updates the user interface of the main window and
    /// its descendants. Returns TRUE while more idle work is wanted (count < 1).
    virtual host::BOOL IdleStep(long count);
    /// Whether msg should start a new idle period: FALSE for paints, system
    /// timer ticks and mouse moves that repeat the previous mouse message at
    /// the same place.
    virtual host::BOOL IsIdleTrigger(const host::MSG* msg);
    /// Offers msg to the window filters (accelerators) from the addressed
    /// window up to the main window. TRUE when one consumed it.
    virtual host::BOOL FilterMessage(host::MSG* msg);
    /// The end of the loop; returns the exit code (the wParam of WM_QUIT).
    virtual int ExitInstance();

    CWnd* m_pMainWnd = nullptr; ///< not owned: a frame owns itself
    host::MSG m_msgCur;         ///< the message being handled
    int m_exitCode = 0;         ///< the wParam of the WM_QUIT that ended the loop

private:
    host::UINT m_lastMouseMessage = 0;
    host::POINT m_lastMousePoint;
};
