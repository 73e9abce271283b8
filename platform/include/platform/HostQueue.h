#pragma once
// The thread message queue, key state and accelerator translation.

#include "platform/HostTypes.h"

#include <vector>

namespace host {

/// Takes the next message, waiting for one: posted messages first, in order;
/// then a WM_QUIT once asked for; then WM_PAINT for a window with an invalid
/// area. While nothing is there it waits for toolkit events, which post their
/// messages. Returns FALSE for WM_QUIT, else TRUE. Without a display and with
/// nothing pending it returns FALSE with a WM_QUIT whose wParam is 0, rather
/// than wait for ever. Taking a mouse button press that the user made runs the
/// activation step first (see GetActiveWindow in HostWindow.h); a press that
/// its window's answer drops is not returned.
BOOL GetMessage(MSG* msg);

/// Like GetMessage without waiting: FALSE when nothing is there. PM_REMOVE
/// takes the message, PM_NOREMOVE leaves it. Pending toolkit events are
/// handled first, so that their messages are seen.
BOOL PeekMessage(MSG* msg, UINT removeFlags);

/// Appends a message to the queue. FALSE when hwnd is set but is no window.
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
/// Calls the window's procedure at once and returns its result; 0 for a
/// window that does not exist.
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
/// Asks for a WM_QUIT with wParam exitCode after the posted messages.
void PostQuitMessage(int exitCode);
/// Calls the procedure of msg->hwnd with the message; 0 without a window.
LRESULT DispatchMessage(const MSG* msg);
/// Character messages are not needed by the program; kept for the loop's shape.
BOOL TranslateMessage(const MSG* msg);

/// High bit set (negative result) while the key is down, as of the last key
/// or mouse message taken from the queue. Knows VK_SHIFT, VK_CONTROL, VK_MENU.
short GetKeyState(int virtualKey);
/// Sets the modifier state (MK_SHIFT, MK_CONTROL, MK_ALT), as taking a message
/// with that keyState would. For tests and the toolkit bridge.
void SetKeyState(UINT keyState);

/// Makes a table from the entries; the order is kept and the first match wins.
HACCEL CreateAcceleratorTable(const std::vector<ACCEL>& entries);
void DestroyAcceleratorTable(HACCEL table);
/// For WM_KEYDOWN and WM_SYSKEYDOWN: finds the first entry whose key and
/// modifiers (exactly Shift, Ctrl and Alt as GetKeyState reports them) match.
/// When the command is an item of hwnd's menu, sends WM_INITMENU and
/// WM_INITMENUPOPUP (wParam the popup holding it, lParam its position) to
/// hwnd first, and sends no command when the item is then disabled or grayed.
/// Otherwise sends WM_COMMAND with MAKEWPARAM(cmd, 1) and lParam 0. Returns
/// TRUE when an entry matched (the key is consumed), else FALSE.
BOOL TranslateAccelerator(HWND hwnd, HACCEL table, const MSG* msg);

} // namespace host
