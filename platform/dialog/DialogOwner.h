#pragma once
// The window a modal dialog belongs to. While a dialog is up its owner's
// top-level window takes no input, as the user must answer the dialog first;
// afterwards it is enabled again, but only if it was enabled before, so that
// nested dialogs leave the owner disabled until the outermost one ends.

#include "platform/HostTypes.h"

namespace host {

class DialogOwner {
public:
    /// Disables the top-level window of owner. A null owner, or one that is
    /// no window, leaves everything as it is.
    explicit DialogOwner(HWND owner);
    /// Enables the window again when this disabled it and it still exists.
    ~DialogOwner();
    DialogOwner(const DialogOwner&) = delete;
    DialogOwner& operator=(const DialogOwner&) = delete;

    /// The top-level window, or null when there is none.
    HWND Window() const { return m_topLevel; }
    /// The window's outer rectangle in screen coordinates; FALSE (rect left
    /// alone) when there is no window or it has gone.
    BOOL Rect(RECT* rect) const;

private:
    HWND m_topLevel = nullptr;
    bool m_disabledHere = false;
};

} // namespace host
