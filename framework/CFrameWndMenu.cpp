// The frame's popup-menu update and closing.

#include "framework/CCmdUI.h"
#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"
#include "framework/CWinApp.h"
#include "framework/FrameworkIds.h"
#include "platform/HostMenu.h"
#include "platform/HostQueue.h"

using host::BOOL;
using host::FALSE;
using host::UINT;

namespace {

UINT ItemCount(host::HMENU menu) {
    const int count = host::GetMenuItemCount(menu);
    return count < 0 ? 0 : static_cast<UINT>(count);
}

// After a handler deleted items, steps the index back by the number deleted
// and then past the items that still carry the command just updated. The
// index may end just before the first item (all bits set); the loop's
// increment brings it to 0.
void FollowDeletedItems(CCmdUI& state) {
    const UINT count = ItemCount(state.m_menu);
    if (count < state.m_indexMax) {
        long long index = static_cast<long long>(state.m_index) - (state.m_indexMax - count);
        if (index < -1) {
            index = -1;
        }
        while (index >= 0 && index < count &&
               host::GetMenuItemID(state.m_menu, static_cast<int>(index)) == state.m_id) {
            ++index;
        }
        state.m_index = static_cast<UINT>(index);
    }
    state.m_indexMax = count;
}

} // namespace

void CFrameWnd::UpdatePopupMenu(host::HMENU popup, UINT, BOOL isSystemMenu) {
    if (isSystemMenu || popup == nullptr) {
        return;
    }
    CCmdUI state;
    state.m_menu = popup;
    state.m_parentMenu = host::GetMenu(m_hWnd);
    state.m_indexMax = ItemCount(popup);
    for (state.m_index = 0; state.m_index < state.m_indexMax; ++state.m_index) {
        const UINT id = host::GetMenuItemID(popup, static_cast<int>(state.m_index));
        if (id == 0) {
            continue; // a separator
        }
        if (id == host::kPopupItemId) {
            // A further popup is updated through its first command but never
            // grayed for want of a handler.
            host::HMENU sub = host::GetSubMenu(popup, static_cast<int>(state.m_index));
            const UINT first = sub != nullptr ? host::GetMenuItemID(sub, 0) : 0;
            if (first == 0 || first == host::kPopupItemId) {
                continue;
            }
            state.m_id = first;
            state.m_subMenu = sub;
            state.UpdateCommandState(this, FALSE);
        } else {
            state.m_id = id;
            state.m_subMenu = nullptr;
            // System commands are the host's; they are never grayed here.
            state.UpdateCommandState(this, m_disableUnhandled && id < fw::kFirstSystemCommand);
        }
        FollowDeletedItems(state);
    }
}

void CFrameWnd::OnClose() {
    CDocument* document = GetActiveDocument();
    if (document != nullptr && !document->ConfirmDiscard()) {
        return;
    }
    CWinApp* app = CWinApp::Current();
    if (app != nullptr && app->m_pMainWnd == this) {
        CloseApplication();
        return;
    }
    if (document != nullptr && document->m_views.size() == 1) {
        document->OnCloseDocument(); // destroys this frame
        return;
    }
    DestroyWindow();
}

void CFrameWnd::CloseApplication() {
    CWinApp* app = CWinApp::Current();
    app->HideApplication();
    // Closing the documents destroys their frames, this one included: no
    // member may be used after this call.
    app->CloseAllDocuments();
    if (app->m_pMainWnd != nullptr) {
        app->m_pMainWnd->DestroyWindow(); // a main window without documents
    }
    host::PostQuitMessage(0);
}
