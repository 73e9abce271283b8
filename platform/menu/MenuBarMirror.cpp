#include "platform/menu/MenuBarMirror.h"

#include "platform/HostMenu.h"
#include "platform/HostQueue.h"
#include "platform/HostWindow.h"
#include "platform/menu/HostMenuBar.h"
#include "platform/menu/Menu.h"
#include "platform/menu/MenuLabel.h"
#include "platform/window/PeerWindow.h"
#include "platform/window/Window.h"

namespace host {

namespace {

void SendPopupUpdates(HWND hwnd, HMENU menu) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        HMENU popup = GetSubMenu(menu, i);
        if (!popup) {
            continue;
        }
        SendMessage(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(i, FALSE));
        if (IsWindow(hwnd)) {
            SendPopupUpdates(hwnd, popup);
        }
    }
}

int ItemFlags(const MenuItem& item) {
    int flags = 0;
    if (item.flags & (MF_GRAYED | MF_DISABLED)) {
        flags |= FL_MENU_INACTIVE;
    }
    if (item.flags & MF_CHECKED) {
        flags |= FL_MENU_TOGGLE | FL_MENU_VALUE;
    }
    if (item.popup) {
        flags |= FL_SUBMENU;
    }
    return flags;
}

} // namespace

MenuBarMirror::MenuBarMirror(HWND hwnd, PeerWindow& window) : m_hwnd(hwnd) {
    window.begin();
    m_bar = new HostMenuBar(hwnd, *this, window.w(), kMenuBarHeight);
    window.end();
    Rebuild();
}

MenuBarMirror::~MenuBarMirror() {
    // The bar outlives this mirror until the toolkit deletes its window.
    m_bar->Detach();
}

const char* MenuBarMirror::Keep(const std::string& text) {
    m_labels.push_back(text);
    return m_labels.back().c_str();
}

void MenuBarMirror::AddItems(HMENU menu) {
    for (const MenuItem& item : menu->items) {
        if (item.flags & MF_SEPARATOR) {
            // The toolkit draws a divider under the item before it.
            if (!m_items.empty() && m_items.back().text) {
                m_items.back().flags |= FL_MENU_DIVIDER;
            }
            continue;
        }
        const MenuLabel label = MenuLabel::Parse(item.text);
        Fl_Menu_Item entry = {Keep(label.label),
                              label.shortcut,
                              &MenuBarMirror::OnPicked,
                              reinterpret_cast<void*>(static_cast<std::uintptr_t>(item.id)),
                              ItemFlags(item),
                              FL_NORMAL_LABEL,
                              FL_HELVETICA,
                              14,
                              0};
        m_items.push_back(entry);
        if (!item.popup) {
            continue;
        }
        AddItems(item.popup.get());
        m_items.push_back(Fl_Menu_Item{}); // ends the popup
    }
}

void MenuBarMirror::RebuildIfDeferred() {
    if (m_rebuildDeferred) {
        Rebuild();
    }
}

void MenuBarMirror::Rebuild() {
    if (m_bar->PopupOpen()) {
        m_rebuildDeferred = true;
        return;
    }
    m_rebuildDeferred = false;
    m_items.clear();
    m_labels.clear();
    HMENU menu = GetMenu(m_hwnd);
    if (menu) {
        AddItems(menu);
    }
    m_items.push_back(Fl_Menu_Item{});
    m_bar->menu(m_items.data());
    if (menu) {
        m_bar->show();
    } else {
        m_bar->hide();
    }
    m_bar->redraw();
}

void MenuBarMirror::UpdateBeforeOpening() {
    HMENU menu = GetMenu(m_hwnd);
    if (!menu) {
        return;
    }
    SendMessage(m_hwnd, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
    if (IsWindow(m_hwnd)) {
        SendPopupUpdates(m_hwnd, menu);
    }
    if (IsWindow(m_hwnd)) {
        Rebuild();
    }
}

void MenuBarMirror::OnPicked(Fl_Widget* widget, void* data) {
    auto* bar = static_cast<Fl_Menu_Bar*>(widget);
    auto* window = static_cast<PeerWindow*>(bar->window());
    const auto id = static_cast<int>(reinterpret_cast<std::uintptr_t>(data));
    if (IsWindow(window->Record())) {
        PostMessage(window->Record(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }
}

} // namespace host
