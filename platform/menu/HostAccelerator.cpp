// Accelerator tables and their translation into commands.

#include "platform/HandleRegistry.h"
#include "platform/HostMenu.h"
#include "platform/HostQueue.h"
#include "platform/HostWindow.h"
#include "platform/menu/AcceleratorTable.h"
#include "platform/menu/MenuSearch.h"

#include <memory>

namespace host {

namespace {

HandleRegistry<AcceleratorTable>& LiveTables() {
    static HandleRegistry<AcceleratorTable> tables;
    return tables;
}

bool IsDown(int virtualKey) {
    return GetKeyState(virtualKey) < 0;
}

bool Matches(const ACCEL& entry, WPARAM key) {
    // Entries without FVIRTKEY name characters, which this host never
    // produces as key messages, so they can never match a key.
    if (!(entry.fVirt & FVIRTKEY) || entry.key != key) {
        return false;
    }
    return IsDown(VK_SHIFT) == ((entry.fVirt & FSHIFT) != 0) &&
           IsDown(VK_CONTROL) == ((entry.fVirt & FCONTROL) != 0) &&
           IsDown(VK_MENU) == ((entry.fVirt & FALT) != 0);
}

const ACCEL* FindEntry(const AcceleratorTable& table, WPARAM key) {
    for (const ACCEL& entry : table.entries) {
        if (Matches(entry, key)) {
            return &entry;
        }
    }
    return nullptr;
}

// Lets the window update the popups that lead to the item, as opening them
// would. Returns false when the item is then disabled or grayed.
bool PrepareMenuItem(HWND hwnd, HMENU bar, UINT id) {
    SendMessage(hwnd, WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0);
    for (const MenuLocation& popup : FindPopupPath(bar, id)) {
        SendMessage(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.menu),
                    MAKELPARAM(popup.position, FALSE));
    }
    // The handlers may have rebuilt the menu: look the item up again.
    const UINT state = GetMenuState(GetMenu(hwnd), id, MF_BYCOMMAND);
    if (state == kNoMenuItem) {
        return true;
    }
    return (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

} // namespace

HACCEL CreateAcceleratorTable(const std::vector<ACCEL>& entries) {
    auto table = std::make_unique<AcceleratorTable>();
    table->entries = entries;
    return LiveTables().Add(std::move(table));
}

void DestroyAcceleratorTable(HACCEL table) {
    LiveTables().Remove(table);
}

BOOL TranslateAccelerator(HWND hwnd, HACCEL table, const MSG* msg) {
    if (!msg || !IsWindow(hwnd) || !LiveTables().Contains(table)) {
        return FALSE;
    }
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) {
        return FALSE;
    }
    const ACCEL* entry = FindEntry(*table, msg->wParam);
    if (!entry) {
        return FALSE;
    }
    const UINT id = entry->cmd;
    HMENU bar = GetMenu(hwnd);
    const bool inMenu = bar && GetMenuState(bar, id, MF_BYCOMMAND) != kNoMenuItem;
    if (inMenu && !PrepareMenuItem(hwnd, bar, id)) {
        return TRUE;
    }
    if (IsWindow(hwnd)) {
        SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(id, 1), 0);
    }
    return TRUE;
}

} // namespace host
