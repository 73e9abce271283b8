#pragma once
// Notifications shared by the window, menu and toolkit code.

#include "platform/HostTypes.h"

namespace host {

/// Stands for "whatever the size type was" in SendSizeIfChanged.
constexpr UINT kAnySizeType = 0xFFFFFFFF;
/// Sends WM_SIZE when the window's client size differs from the old one, or
/// its size type (restored, minimised, maximised) from oldType.
void SendSizeIfChanged(HWND hwnd, int oldWidth, int oldHeight, UINT oldType = kAnySizeType);
/// Forgets hwnd as the active and the focus window (it is going away).
void ForgetWindowState(HWND hwnd);

/// Makes top, a top-level window, the active one: WM_ACTIVATE with
/// WA_INACTIVE goes to the window that was active, then WM_ACTIVATE with how
/// (WA_ACTIVE, WA_CLICKACTIVE) to top. Nothing when top is active already or
/// is no window.
void ActivateWindow(HWND top, WORD how);
/// The keyboard went to another program: when top is the active window, no
/// window is active any more, and top gets WM_ACTIVATE with WA_INACTIVE.
void DeactivateWindow(HWND top);
/// The activation step of a button press taken from the queue. Unless the
/// press is in the active top-level window itself, its window gets
/// WM_MOUSEACTIVATE (the default passes it to the parent first), and the
/// answer may activate the top-level window. Returns false when the answer
/// drops the press, or the window went meanwhile.
bool MouseActivate(const MSG& press);

} // namespace host
