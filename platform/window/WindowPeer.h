#pragma once
// The on-screen side of a window record. The host layer keeps every window as
// data; when a display is open each window also gets a peer that mirrors that
// data in the toolkit. The records call these hooks after their own state has
// changed, and the peer follows. The other way round, what the user does to
// the toolkit window is written back to the record by the peer itself: a
// resize or a minimise (with WM_SIZE), the keyboard given by the window
// manager (with WM_ACTIVATE), input (posted to the queue) and the close box.

#include "platform/HostWindow.h"

#include <string>
#include <vector>

namespace host {

class WindowPeer {
public:
    virtual ~WindowPeer() = default;

    /// Follows the record's visibility, minimised and maximised state.
    virtual void Show(int command) = 0;
    /// The outer rectangle that a maximised window takes: the work area of
    /// the screen the window is on.
    virtual RECT WorkArea() = 0;
    virtual void SetText(const std::string& text) = 0;
    /// Follows the record's outer rectangle.
    virtual void Move(const RECT& outer) = 0;
    virtual void SetEnabled(bool enabled) = 0;
    /// Rebuilds the toolkit menu bar from the window's menu data.
    virtual void MirrorMenu() = 0;
    /// Fills the client area with the window colour.
    virtual void Erase() = 0;
    /// Gives a key message back to the toolkit; true when it used it.
    virtual bool GiveKeyBack(const MSG& msg) = 0;
    /// Raises the window and gives it the keyboard.
    virtual void Raise() = 0;
    virtual void SetCursor(bool wait) = 0;
    virtual void SetIcon(const std::vector<IconImage>& images) = 0;
};

} // namespace host
