#include "platform/HostMenu.h"

#include "platform/HostQueue.h"
#include "platform/menu/MenuRegistry.h"
#include "platform/menu/MenuSearch.h"
#include "platform/window/WindowNotify.h"
#include "platform/window/WindowRegistry.h"

namespace host {

namespace {

constexpr UINT kStateBits = MF_GRAYED | MF_DISABLED | MF_CHECKED;

MenuItem* ItemAt(const MenuLocation& where) {
    if (!where) {
        return nullptr;
    }
    return &where.menu->items[static_cast<size_t>(where.position)];
}

// Fills an item from the flags of an append, insert or modify call; FALSE when
// a popup handle is not a menu that may be taken.
BOOL FillItem(MenuItem& item, UINT flags, std::uintptr_t idOrPopup, const std::string& text) {
    item.popup.reset();
    item.flags = flags & (kStateBits | MF_POPUP | MF_SEPARATOR);
    item.text = (flags & MF_SEPARATOR) ? std::string() : text;
    item.id = (flags & MF_SEPARATOR) ? 0 : static_cast<UINT>(idOrPopup);
    if (!(flags & MF_POPUP)) {
        return TRUE;
    }
    item.popup = MenuRegistry::Instance().Take(reinterpret_cast<HMENU>(idOrPopup));
    item.id = kPopupItemId;
    return ToBOOL(item.popup != nullptr);
}

bool IsPopupUsable(UINT flags, std::uintptr_t idOrPopup, HMENU into) {
    if (!(flags & MF_POPUP)) {
        return true;
    }
    auto popup = reinterpret_cast<HMENU>(idOrPopup);
    // A menu cannot hold itself, and a popup can have only one holder.
    return popup != into && MenuRegistry::Instance().IsFree(popup);
}

} // namespace

MenuLocation FindMenuItem(HMENU menu, UINT position, UINT flags) {
    if (!MenuRegistry::Instance().Contains(menu)) {
        return {};
    }
    if (flags & MF_BYPOSITION) {
        if (position >= menu->items.size()) {
            return {};
        }
        return {menu, static_cast<int>(position)};
    }
    for (size_t i = 0; i < menu->items.size(); ++i) {
        const MenuItem& item = menu->items[i];
        if (item.popup) {
            if (MenuLocation inner = FindMenuItem(item.popup.get(), position, flags)) {
                return inner;
            }
            continue;
        }
        if (!(item.flags & MF_SEPARATOR) && item.id == position) {
            return {menu, static_cast<int>(i)};
        }
    }
    return {};
}

HMENU CreateMenu() {
    return MenuRegistry::Instance().Create();
}

HMENU CreatePopupMenu() {
    return MenuRegistry::Instance().Create();
}

BOOL DestroyMenu(HMENU menu) {
    MenuRegistry& registry = MenuRegistry::Instance();
    // A popup held by an item goes with its item; freeing it here would leave
    // the item pointing at nothing.
    if (!registry.IsFree(menu)) {
        return FALSE;
    }
    for (HWND hwnd : WindowRegistry::Instance().All()) {
        if (hwnd->menu == menu) {
            SetMenu(hwnd, nullptr);
        }
    }
    registry.Destroy(menu);
    return TRUE;
}

BOOL AppendMenu(HMENU menu, UINT flags, std::uintptr_t idOrPopup, const std::string& text) {
    if (!MenuRegistry::Instance().Contains(menu) || !IsPopupUsable(flags, idOrPopup, menu)) {
        return FALSE;
    }
    menu->items.emplace_back();
    return FillItem(menu->items.back(), flags, idOrPopup, text);
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, std::uintptr_t idOrPopup,
                const std::string& text) {
    if (!MenuRegistry::Instance().Contains(menu) || !IsPopupUsable(flags, idOrPopup, menu)) {
        return FALSE;
    }
    MenuLocation where = FindMenuItem(menu, position, flags);
    if (!where) {
        // Past the end by position appends; a command that is in no item
        // names no place to insert at.
        if (!(flags & MF_BYPOSITION)) {
            return FALSE;
        }
        where = {menu, static_cast<int>(menu->items.size())};
    }
    auto& items = where.menu->items;
    auto it = items.emplace(items.begin() + where.position);
    return FillItem(*it, flags & ~MF_BYPOSITION, idOrPopup, text);
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
    MenuLocation where = FindMenuItem(menu, position, flags);
    MenuItem* item = ItemAt(where);
    if (!item) {
        return FALSE;
    }
    if (item->popup) {
        MenuRegistry::Instance().Forget(item->popup.get());
    }
    where.menu->items.erase(where.menu->items.begin() + where.position);
    return TRUE;
}

BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, std::uintptr_t idOrPopup,
                const std::string& text) {
    MenuLocation where = FindMenuItem(menu, position, flags);
    MenuItem* item = ItemAt(where);
    if (!item) {
        return FALSE;
    }
    const bool samePopup = (flags & MF_POPUP) && item->popup &&
                           reinterpret_cast<HMENU>(idOrPopup) == item->popup.get();
    if (samePopup) {
        item->flags = (flags & (kStateBits | MF_SEPARATOR)) | MF_POPUP;
        item->text = text;
        return TRUE;
    }
    if (!IsPopupUsable(flags, idOrPopup, where.menu)) {
        return FALSE;
    }
    if (item->popup) {
        MenuRegistry::Instance().Forget(item->popup.get());
    }
    return FillItem(*item, flags & ~MF_BYPOSITION, idOrPopup, text);
}

UINT EnableMenuItem(HMENU menu, UINT position, UINT flags) {
    MenuItem* item = ItemAt(FindMenuItem(menu, position, flags));
    if (!item) {
        return kNoMenuItem;
    }
    const UINT previous = item->flags & (MF_GRAYED | MF_DISABLED);
    item->flags = (item->flags & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
    return previous;
}

UINT GetMenuState(HMENU menu, UINT position, UINT flags) {
    MenuItem* item = ItemAt(FindMenuItem(menu, position, flags));
    return item ? item->flags : kNoMenuItem;
}

int GetMenuItemCount(HMENU menu) {
    if (!MenuRegistry::Instance().Contains(menu)) {
        return -1;
    }
    return static_cast<int>(menu->items.size());
}

UINT GetMenuItemID(HMENU menu, int position) {
    if (position < 0) {
        return kPopupItemId;
    }
    MenuItem* item = ItemAt(FindMenuItem(menu, static_cast<UINT>(position), MF_BYPOSITION));
    return item ? item->id : kPopupItemId;
}

HMENU GetSubMenu(HMENU menu, int position) {
    if (position < 0) {
        return nullptr;
    }
    MenuItem* item = ItemAt(FindMenuItem(menu, static_cast<UINT>(position), MF_BYPOSITION));
    return item ? item->popup.get() : nullptr;
}

std::string GetMenuString(HMENU menu, UINT position, UINT flags) {
    MenuItem* item = ItemAt(FindMenuItem(menu, position, flags));
    return item ? item->text : std::string();
}

} // namespace host

namespace host {

namespace {

bool CollectPath(HMENU menu, UINT id, std::vector<MenuLocation>& path) {
    for (size_t i = 0; i < menu->items.size(); ++i) {
        const MenuItem& item = menu->items[i];
        if (!item.popup) {
            continue;
        }
        path.push_back({item.popup.get(), static_cast<int>(i)});
        if (FindMenuItem(item.popup.get(), id, MF_BYCOMMAND).menu == item.popup.get()) {
            return true;
        }
        if (CollectPath(item.popup.get(), id, path)) {
            return true;
        }
        path.pop_back();
    }
    return false;
}

} // namespace

std::vector<MenuLocation> FindPopupPath(HMENU bar, UINT id) {
    std::vector<MenuLocation> path;
    if (MenuRegistry::Instance().Contains(bar)) {
        CollectPath(bar, id, path);
    }
    return path;
}

BOOL SetMenu(HWND hwnd, HMENU menu) {
    Window* window = WindowRegistry::Instance().Find(hwnd);
    if (!window || window->parent) {
        return FALSE;
    }
    if (menu && !MenuRegistry::Instance().IsFree(menu)) {
        return FALSE;
    }
    const int oldWidth = window->ClientWidth();
    const int oldHeight = window->ClientHeight();
    window->menu = menu;
    if (window->peer) {
        window->peer->MirrorMenu();
    }
    SendSizeIfChanged(hwnd, oldWidth, oldHeight);
    return TRUE;
}

HMENU GetMenu(HWND hwnd) {
    Window* window = WindowRegistry::Instance().Find(hwnd);
    if (!window || !MenuRegistry::Instance().Contains(window->menu)) {
        return nullptr;
    }
    return window->menu;
}

BOOL DrawMenuBar(HWND hwnd) {
    Window* window = WindowRegistry::Instance().Find(hwnd);
    if (!window) {
        return FALSE;
    }
    if (window->peer) {
        window->peer->MirrorMenu();
    }
    return TRUE;
}

} // namespace host
