#include "platform/dialog/DialogOwner.h"

#include "platform/HostWindow.h"

namespace host {

DialogOwner::DialogOwner(HWND owner) {
    if (!owner || !IsWindow(owner)) {
        return;
    }
    topLevel_ = GetTopLevelWindow(owner);
    if (!topLevel_ || !IsWindowEnabled(topLevel_)) {
        return;
    }
    EnableWindow(topLevel_, FALSE);
    disabledHere_ = true;
}

DialogOwner::~DialogOwner() {
    // The queue runs while a dialog is up, so the owner may have been
    // destroyed meanwhile; its handle must not be used then.
    if (disabledHere_ && IsWindow(topLevel_)) {
        EnableWindow(topLevel_, TRUE);
    }
}

BOOL DialogOwner::Rect(RECT* rect) const {
    if (!rect || !topLevel_ || !IsWindow(topLevel_)) {
        return FALSE;
    }
    return GetWindowRect(topLevel_, rect);
}

} // namespace host
