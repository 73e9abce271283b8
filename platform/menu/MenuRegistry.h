#pragma once
// Owns the menus that no item holds (menu bars and popups not yet appended)
// and knows every live menu, popups inside other menus included, so that a
// handle can be checked before it is used.

#include "platform/HandleRegistry.h"
#include "platform/menu/Menu.h"

#include <memory>
#include <set>

namespace host {

class MenuRegistry {
public:
    static MenuRegistry& Instance();

    HMENU Create();
    bool Contains(HMENU menu) const { return menu && m_live.count(menu) != 0; }
    /// True when the menu is held by no item, so that it may be appended.
    bool IsFree(HMENU menu) const { return m_free.Contains(menu); }
    /// Hands a free menu to the caller (an item taking it); null when not free.
    std::unique_ptr<Menu> Take(HMENU menu) { return m_free.Take(menu); }
    /// Forgets the menu and its popups; frees it when it is free.
    void Destroy(HMENU menu);
    /// Forgets the popups of a menu that an item is about to drop.
    void Forget(HMENU menu);

private:
    HandleRegistry<Menu> m_free; ///< the menus that no item holds
    std::set<HMENU> m_live;      ///< those and every popup held by an item of a live menu
};

} // namespace host
