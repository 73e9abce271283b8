#include "platform/dialog/DialogOwner.h"

#include "platform/HostWindow.h"

namespace host {

DialogOwner::DialogOwner(HWND owner) {
    if (!owner || !IsWindow(owner)) {
        return;
    }
    m_topLevel = GetTopLevelWindow(owner);
    if (!m_topLevel || !IsWindowEnabled(m_topLevel)) {
        return;
    }
    EnableWindow(m_topLevel, FALSE);
    m_disabledHere = true;
}

DialogOwner::~DialogOwner() {
    // The queue runs while a dialog is up, so the owner may have been
    // destroyed meanwhile; its handle must not be used then.
    if (m_disabledHere && IsWindow(m_topLevel)) {
        EnableWindow(m_topLevel, TRUE);
    }
}

BOOL DialogOwner::Rect(RECT* rect) const {
    if (!rect || !m_topLevel || !IsWindow(m_topLevel)) {
        return FALSE;
    }
    return GetWindowRect(m_topLevel, rect);
}

} // namespace host
