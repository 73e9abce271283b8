#include "platform/menu/MenuRegistry.h"

namespace host {

MenuRegistry& MenuRegistry::Instance() {
    static MenuRegistry registry;
    return registry;
}

HMENU MenuRegistry::Create() {
    auto menu = std::make_unique<Menu>();
    HMENU handle = menu.get();
    m_free[handle] = std::move(menu);
    m_live.insert(handle);
    return handle;
}

std::unique_ptr<Menu> MenuRegistry::Take(HMENU menu) {
    auto it = m_free.find(menu);
    if (it == m_free.end()) {
        return nullptr;
    }
    std::unique_ptr<Menu> taken = std::move(it->second);
    m_free.erase(it);
    return taken;
}

void MenuRegistry::Forget(HMENU menu) {
    m_live.erase(menu);
    for (const MenuItem& item : menu->items) {
        if (item.popup) {
            Forget(item.popup.get());
        }
    }
}

void MenuRegistry::Destroy(HMENU menu) {
    if (!Contains(menu)) {
        return;
    }
    Forget(menu);
    m_free.erase(menu);
}

} // namespace host
