#pragma once
// The state of one menu item while its popup is being updated: which item it
// is, where it sits, and whether an update handler has decided its state.

#include "platform/HostTypes.h"

#include <string>

class CCmdTarget;
class CWnd;

class CCmdUI {
public:
    virtual ~CCmdUI() = default;

    /// Enables or grays the item at m_index of m_menu. An item that opens a
    /// further popup is left alone, so that a whole submenu is never grayed
    /// through its first command. Without a menu only m_enableChanged is set.
    virtual void SetEnabled(host::BOOL on);

    /// Replaces the item's text, keeping its enabled, grayed and checked bits.
    /// Does nothing for a popup item, without a menu, or when m_index names no
    /// item.
    virtual void SetItemText(const std::string& text);

    /// Asks receiver's handlers for the item's state. When disableIfNoHandler
    /// is set and no update handler decided it, the item is enabled exactly
    /// when some receiver handles the command. Ids 0 and ids whose low word is
    /// 0xFFFF are left alone. Returns whether an update handler was found.
    host::BOOL UpdateCommandState(CCmdTarget* receiver, host::BOOL disableIfNoHandler);

    host::UINT m_id = 0;
    host::UINT m_index = 0;
    host::HMENU m_menu = nullptr;
    host::HMENU m_subMenu = nullptr; ///< the popup the item opens, or null
    CWnd* m_other = nullptr;         ///< a control being updated; never set here
    host::BOOL m_enableChanged = host::FALSE;
    host::BOOL m_continueRouting = host::FALSE;
    host::UINT m_indexMax = 0;
    host::HMENU m_parentMenu = nullptr; ///< the menu holding m_menu, when known
};
