#pragma once
// Menus as data: each item has a command id, a UTF-8 text (with "&" before a
// mnemonic letter and "\t" before shortcut text), state flags and an optional
// popup. A menu set on a window with SetMenu is mirrored to the window's menu
// bar when a display is open; the mirror is rebuilt from this data each time
// the bar is activated, after WM_INITMENUPOPUP has been sent for each popup.

#include "platform/HostTypes.h"

#include <string>

namespace host {

/// Item id reported for an item that opens a popup.
constexpr UINT kPopupItemId = 0xFFFFFFFF;
/// What EnableMenuItem and GetMenuState return for an item that does not exist.
constexpr UINT kNoMenuItem = 0xFFFFFFFF;

HMENU CreateMenu();
HMENU CreatePopupMenu();
/// Frees the menu and its popups.
BOOL DestroyMenu(HMENU menu);

/// Appends an item. flags: MF_STRING, MF_SEPARATOR or MF_POPUP (then idOrPopup
/// is an HMENU, owned by this menu from now on), with MF_GRAYED, MF_DISABLED
/// and MF_CHECKED.
BOOL AppendMenu(HMENU menu, UINT flags, std::uintptr_t idOrPopup, const std::string& text);
/// Inserts before the item named by position (MF_BYPOSITION, past the end
/// appends) or by command (MF_BYCOMMAND, searching popups too).
BOOL InsertMenu(HMENU menu, UINT position, UINT flags, std::uintptr_t idOrPopup,
                const std::string& text);
/// Deletes one item by position or by command (searching popups too, first
/// match). FALSE when there is no such item.
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
/// Replaces an item's kind, id, text and state.
BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, std::uintptr_t idOrPopup,
                const std::string& text);
/// Sets MF_ENABLED, MF_GRAYED or MF_DISABLED; returns the previous state bits,
/// or kNoMenuItem when there is no such item.
UINT EnableMenuItem(HMENU menu, UINT position, UINT flags);
/// Returns the state bits (MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_POPUP,
/// MF_SEPARATOR), or kNoMenuItem when there is no such item.
UINT GetMenuState(HMENU menu, UINT position, UINT flags);
/// -1 for a menu that does not exist.
int GetMenuItemCount(HMENU menu);
/// The command id at a position: 0 for a separator, kPopupItemId for a popup,
/// kPopupItemId also for a position that does not exist.
UINT GetMenuItemID(HMENU menu, int position);
HMENU GetSubMenu(HMENU menu, int position);
/// The item's text, "" when there is no such item.
std::string GetMenuString(HMENU menu, UINT position, UINT flags);

/// Gives a top-level window its menu bar (null removes it) and mirrors it.
BOOL SetMenu(HWND hwnd, HMENU menu);
HMENU GetMenu(HWND hwnd);
/// Mirrors the window's menu data to its menu bar again.
BOOL DrawMenuBar(HWND hwnd);
/// Loads the font that menu bars draw their items in, which the first paint
/// of a menu bar would otherwise load: the font configuration behind it
/// takes milliseconds that a caller waiting for other work can spend ahead.
/// Does nothing before OpenDisplay; loading it again costs nothing.
void PrepareMenuFont();

} // namespace host
