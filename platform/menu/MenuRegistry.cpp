#include "platform/menu/MenuRegistry.h"

namespace host {

MenuRegistry& MenuRegistry::Instance() {
    static MenuRegistry registry;
    return registry;
}

HMENU MenuRegistry::Create() {
    HMENU handle = m_free.Add(std::make_unique<Menu>());
    m_live.insert(handle);
    return handle;
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
    m_free.Remove(menu);
}

} // namespace host
