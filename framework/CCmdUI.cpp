#include "framework/CCmdUI.h"

#include "framework/CCmdTarget.h"
#include "framework/FrameworkIds.h"
#include "platform/HostMenu.h"

#include <cassert>

using host::BOOL;
using host::FALSE;
using host::TRUE;
using host::UINT;

void CCmdUI::SetEnabled(BOOL on) {
    m_enableChanged = TRUE;
    if (m_menu == nullptr || m_subMenu != nullptr) {
        return;
    }
    assert(m_index < m_indexMax);
    const UINT state = on ? host::MF_ENABLED : (host::MF_DISABLED | host::MF_GRAYED);
    host::EnableMenuItem(m_menu, m_index, host::MF_BYPOSITION | state);
}

void CCmdUI::SetItemText(const std::string& text) {
    if (m_menu == nullptr || m_subMenu != nullptr) {
        return;
    }
    UINT state = host::GetMenuState(m_menu, m_index, host::MF_BYPOSITION);
    if (state == host::kNoMenuItem) {
        return;
    }
    // A popup bit would make the host read m_id as a menu handle.
    state &= ~(host::MF_BITMAP | host::MF_OWNERDRAW | host::MF_SEPARATOR | host::MF_POPUP);
    host::ModifyMenu(m_menu, m_index, host::MF_BYPOSITION | host::MF_STRING | state, m_id, text);
}

BOOL CCmdUI::UpdateCommandState(CCmdTarget* receiver, BOOL disableIfNoHandler) {
    assert(receiver != nullptr);
    if (m_id == 0 || host::LOWORD(m_id) == 0xFFFF) {
        return TRUE;
    }
    m_enableChanged = FALSE;
    const BOOL routed = receiver->RouteCommand(m_id, fw::kUpdateCode, this, nullptr);
    if (disableIfNoHandler && !m_enableChanged) {
        CommandProbe probe;
        SetEnabled(receiver->RouteCommand(m_id, fw::kCommandCode, nullptr, &probe));
    }
    return routed;
}
