#pragma once
// Windows, painting and the cursor. A window is a record of the host layer: it
// exists, takes messages and keeps its text, size, style and menu whether or
// not a display is open, so that the framework can be tested as data. When a
// display is open (HostDisplay.h), top-level windows and their children also
// get toolkit peers that mirror this state on screen.

#include "platform/HostTypes.h"

#include <string>
#include <vector>

namespace host {

/// Creation parameters, passed by pointer in lParam of WM_CREATE.
struct CREATESTRUCT {
    void* lpCreateParams = nullptr; ///< opaque to the host; the creator's context
    HWND hwndParent = nullptr;      ///< parent of a child window, owner of a popup
    HMENU hMenu = nullptr;          ///< the menu bar of a top-level window
    int id = 0;                     ///< the child id of a child window
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    int cx = CW_USEDEFAULT;
    int cy = CW_USEDEFAULT;
    UINT style = 0;
    std::string name; ///< the caption of a top-level window
};

/// Creates a window whose messages go to proc. userData is readable through
/// GetWindowUserData from the first message on (WM_CREATE included). Sends
/// WM_CREATE; when the procedure returns -1 the window is destroyed again
/// (WM_DESTROY and WM_NCDESTROY are sent) and null is returned. Otherwise a
/// WM_SIZE with the client size follows, and the window shows at once when
/// style has WS_VISIBLE. A CW_USEDEFAULT size lets the host choose one.
HWND CreateWindow(const CREATESTRUCT& cs, WNDPROC proc, void* userData);

/// Destroys the window and its children: WM_DESTROY to the window, then to its
/// children, then WM_NCDESTROY to the children and last to the window. Posted
/// messages for them are dropped. FALSE for a window that does not exist.
BOOL DestroyWindow(HWND hwnd);

/// TRUE while hwnd names a window that exists.
BOOL IsWindow(HWND hwnd);

void* GetWindowUserData(HWND hwnd);
void SetWindowUserData(HWND hwnd, void* data);

/// Default handling: WM_CLOSE destroys the window; WM_PAINT begins and ends a
/// paint (validating); WM_ERASEBKGND fills with the window colour and returns
/// 1; WM_MOUSEACTIVATE returns the parent's answer when it gives one, else
/// MA_ACTIVATE; WM_ACTIVATE gives an activated, not minimised window the
/// keyboard focus; key messages go on to the toolkit (menu mnemonics, dialog
/// keys); the rest return 0.
LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

HWND GetParent(HWND hwnd);
/// The top-level window that contains hwnd (hwnd itself for a top-level one).
HWND GetTopLevelWindow(HWND hwnd);
/// The children of hwnd in creation order.
std::vector<HWND> GetChildWindows(HWND hwnd);
/// The child of parent with the given id, or null.
HWND GetDlgItem(HWND parent, int id);
int GetDlgCtrlID(HWND hwnd);

UINT GetWindowStyle(HWND hwnd);
void SetWindowStyle(HWND hwnd, UINT style);

/// Shows, hides, minimises or restores. A top-level window shown other than
/// minimised becomes the active window (see GetActiveWindow). Returns whether
/// it was visible before.
BOOL ShowWindow(HWND hwnd, int command);
/// TRUE when the window and all its parents are shown.
BOOL IsWindowVisible(HWND hwnd);
BOOL IsIconic(HWND hwnd);
/// TRUE while a top-level window is maximised: shown with SW_SHOWMAXIMIZED, it
/// fills the screen's work area (keeping its size without a display) and
/// gets WM_SIZE with SIZE_MAXIMIZED, until SW_SHOWNORMAL, or SW_RESTORE while
/// not minimised, returns it to the rectangle it had.
BOOL IsZoomed(HWND hwnd);
/// Enables or disables mouse and keyboard input; returns whether it was
/// disabled before.
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);
/// Raises the window; a shown top-level one also becomes the active window.
/// FALSE for a window that does not exist.
BOOL BringWindowToTop(HWND hwnd);
/// The top-level window that takes the user's input, or null. It changes when
/// the program shows or raises a window, when the user clicks into another of
/// the program's windows, and when the window manager moves the keyboard to
/// or from the program. Each change sends WM_ACTIVATE, with WA_INACTIVE, to
/// the window that was active, then, with WA_ACTIVE or WA_CLICKACTIVE, to the
/// new one. A press of a mouse button anywhere but in the active window
/// itself first sends WM_MOUSEACTIVATE to the window under the mouse; its
/// answer (MA_*) says whether the press activates and whether it is dropped.
HWND GetActiveWindow();
/// Gives hwnd (null: no window) the keyboard: WM_KILLFOCUS to the window
/// that had it, then WM_SETFOCUS to hwnd. Returns the window that had it; a
/// window that does not exist changes nothing.
HWND SetFocus(HWND hwnd);
HWND GetFocus();

/// The caption (UTF-8).
void SetWindowText(HWND hwnd, const std::string& text);
std::string GetWindowText(HWND hwnd);

/// Client rectangle: left and top 0, right and bottom the client size. A
/// top-level window's client area excludes its menu bar.
BOOL GetClientRect(HWND hwnd, RECT* rect);
/// Outer rectangle in screen coordinates (in the parent's client coordinates
/// for a child).
BOOL GetWindowRect(HWND hwnd, RECT* rect);
/// Moves and sizes a window; sends WM_SIZE when the client size changed and,
/// when repaint is set, invalidates it with erasing.
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);

/// Marks the whole client area (rect is ignored and may be null) for
/// repainting; erase asks for WM_ERASEBKGND before the paint. Requests merge:
/// one WM_PAINT follows, when the queue has nothing else.
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
/// Marks the whole client area valid, cancelling a pending paint.
BOOL ValidateRect(HWND hwnd, const RECT* rect);
/// Sends WM_PAINT at once when the window has an invalid area.
BOOL UpdateWindow(HWND hwnd);

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    BOOL fErase = FALSE;
    RECT rcPaint;
};

/// Starts painting: sends WM_ERASEBKGND when erasing was asked for, validates
/// the window and returns its device context.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);

/// An icon image: width × height pixels, 0xAARRGGBB each, row by row.
struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};
/// Sets the images the window system shows for a top-level window.
void SetWindowIcon(HWND hwnd, const std::vector<IconImage>& images);

/// Shows the wait cursor over the program's windows while on is set; nested
/// calls count, and the arrow returns when the last one ends.
void SetWaitCursor(bool on);
/// TRUE while a wait cursor is shown.
BOOL IsWaitCursorShown();

} // namespace host
