#pragma once
// Notifications shared by the window, menu and toolkit code.

#include "platform/HostTypes.h"

namespace host {

/// Sends WM_SIZE when the window's client size differs from the old one.
void SendSizeIfChanged(HWND hwnd, int oldWidth, int oldHeight);
/// Forgets hwnd as the active and the focus window (it is going away).
void ForgetWindowState(HWND hwnd);

} // namespace host
