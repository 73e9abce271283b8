#pragma once
// Owns the menus that no item holds (menu bars and popups not yet appended)
// and knows every live menu, popups inside other menus included, so that a
// handle can be checked before it is used.

#include "platform/menu/Menu.h"

#include <map>
#include <memory>
#include <set>

namespace host {

class MenuRegistry {
public:
    static MenuRegistry& Instance();

    HMENU Create();
    bool Contains(HMENU menu) const { return menu && m_live.count(menu) != 0; }
    /// True when the menu is held by no item, so that it may be appended.
    bool IsFree(HMENU menu) const { return m_free.count(menu) != 0; }
    /// Hands a free menu to the caller (an item taking it); null when not free.
    std::unique_ptr<Menu> Take(HMENU menu);
    /// Forgets the menu and its popups; frees it when it is free.
    void Destroy(HMENU menu);
    /// Forgets the popups of a menu that an item is about to drop.
    void Forget(HMENU menu);

private:
    std::map<HMENU, std::unique_ptr<Menu>> m_free;
    std::set<HMENU> m_live;
};

} // namespace host
