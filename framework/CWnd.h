#pragma once
// A framework window: wraps one host window, whose procedure hands every
// message to HandleWindowMessage inside a guard that turns escaping framework
// exceptions into message results and reports.

#include "framework/CCmdTarget.h"
#include "platform/HostWindow.h"

class CFrameWnd;

class CWnd : public CCmdTarget {
public:
    KOVO_DECLARE_RUNTIME_CLASS(CWnd)

    CWnd() = default;
    /// Destroys a window that still exists, without handing it further
    /// messages.
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    /// The framework window of hwnd, or null for a host window without one.
    static CWnd* FromHandle(host::HWND hwnd);

    /// Creates the host window after PreCreateWindow; its messages come here
    /// from WM_CREATE on. FALSE when PreCreateWindow refuses or the window
    /// refuses creation; PostNcDestroy has then run (a frame is then deleted).
    host::BOOL CreateEx(host::CREATESTRUCT cs);
    /// Adjusts the creation parameters; FALSE cancels the creation.
    virtual host::BOOL PreCreateWindow(host::CREATESTRUCT& cs);
    /// Destroys the host window (and its children). FALSE without a window.
    host::BOOL DestroyWindow();

    /// Handles a message through the class's handler table chain. FALSE when
    /// no entry serves it (the default procedure then runs); result receives
    /// the message result otherwise.
    virtual host::BOOL HandleWindowMessage(host::UINT message, host::WPARAM wParam,
                                           host::LPARAM lParam, host::LRESULT* result);
    /// WM_COMMAND: checks the command's state (a disabled command is consumed
    /// and not run), then routes it. FALSE for id 0 and unhandled commands.
    virtual host::BOOL HandleCommand(host::WPARAM wParam, host::LPARAM lParam);
    /// Lets the window consume a message before it is dispatched (the frame
    /// translates accelerators). The base consumes nothing.
    virtual host::BOOL FilterMessage(host::MSG* msg);

    /// The default procedure's handling of the message being handled.
    host::LRESULT Default();
    /// The nearest frame among the window's parents, or null.
    CFrameWnd* GetParentFrame() const;
    /// The message the thread is handling now (the innermost one).
    static const host::MSG& CurrentMessage();
    /// Sends the message to every descendant of hwnd, depth first.
    static void SendMessageToDescendants(host::HWND hwnd, host::UINT message, host::WPARAM wParam,
                                         host::LPARAM lParam);

    host::HWND m_hWnd = nullptr; ///< null before creation and after destruction

    KOVO_DECLARE_MESSAGE_MAP()

protected:
    /// Called after the window's last message (WM_NCDESTROY); m_hWnd is null
    /// by then. A class whose objects own themselves deletes itself here.
    virtual void PostNcDestroy();
    /// The guarded handling of one message.
    host::LRESULT WindowProc(host::UINT message, host::WPARAM wParam, host::LPARAM lParam);

private:
    static host::LRESULT WindowProcedure(host::HWND hwnd, host::UINT message, host::WPARAM wParam,
                                         host::LPARAM lParam);
    host::LRESULT CallMessageHandler(const MessageMapEntry& entry, host::WPARAM wParam,
                                     host::LPARAM lParam);
    host::LRESULT RecoverFromFailure(const class CException& failure, host::UINT message,
                                     host::LPARAM lParam);
};
