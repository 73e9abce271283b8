#include "framework/ResourceRegistry.h"

#include "framework/FrameworkStrings.h"
#include "platform/HostMenu.h"
#include "platform/HostQueue.h"

#include <map>

namespace {

struct Resources {
    std::map<host::UINT, std::string> strings;
    std::map<host::UINT, std::vector<MenuResourceItem>> menus;
    std::map<host::UINT, std::vector<host::ACCEL>> accelerators;
    std::map<host::UINT, std::vector<host::IconImage>> icons;
    std::map<host::UINT, host::DialogTemplate> dialogs;
};

Resources& Storage() {
    static Resources resources;
    return resources;
}

// The framework's own texts are registered on first use, so that they are
// there before anyone asks for one, whatever the order of static
// initialisation.
Resources& Registry() {
    static bool registering = false;
    if (!registering) {
        registering = true;
        RegisterFrameworkStrings();
    }
    return Storage();
}

bool IsPopup(const MenuResourceItem& item) {
    return !item.children.empty() || (item.flags & host::MF_POPUP) != 0;
}

void AppendItems(host::HMENU menu, const std::vector<MenuResourceItem>& items) {
    for (const MenuResourceItem& item : items) {
        if (IsPopup(item)) {
            host::HMENU popup = host::CreatePopupMenu();
            AppendItems(popup, item.children);
            host::AppendMenu(menu, item.flags | host::MF_POPUP,
                             reinterpret_cast<std::uintptr_t>(popup), item.text);
            continue;
        }
        host::AppendMenu(menu, item.flags, item.id, item.text);
    }
}

} // namespace

void ResourceRegistry::RegisterString(host::UINT id, std::string text) {
    Registry().strings[id] = std::move(text);
}

std::string ResourceRegistry::LoadString(host::UINT id) {
    const auto& strings = Registry().strings;
    auto it = strings.find(id);
    return it == strings.end() ? std::string() : it->second;
}

void ResourceRegistry::RegisterMenu(host::UINT id, std::vector<MenuResourceItem> items) {
    Registry().menus[id] = std::move(items);
}

host::HMENU ResourceRegistry::LoadMenu(host::UINT id) {
    const auto& menus = Registry().menus;
    auto it = menus.find(id);
    if (it == menus.end()) {
        return nullptr;
    }
    host::HMENU bar = host::CreateMenu();
    AppendItems(bar, it->second);
    return bar;
}

void ResourceRegistry::RegisterAccelerators(host::UINT id, std::vector<host::ACCEL> entries) {
    Registry().accelerators[id] = std::move(entries);
}

host::HACCEL ResourceRegistry::LoadAccelerators(host::UINT id) {
    const auto& tables = Registry().accelerators;
    auto it = tables.find(id);
    return it == tables.end() ? nullptr : host::CreateAcceleratorTable(it->second);
}

void ResourceRegistry::RegisterIcon(host::UINT id, std::vector<host::IconImage> images) {
    Registry().icons[id] = std::move(images);
}

const std::vector<host::IconImage>* ResourceRegistry::FindIcon(host::UINT id) {
    const auto& icons = Registry().icons;
    auto it = icons.find(id);
    return it == icons.end() ? nullptr : &it->second;
}

void ResourceRegistry::RegisterDialog(host::UINT id, host::DialogTemplate dialog) {
    Registry().dialogs[id] = std::move(dialog);
}

const host::DialogTemplate* ResourceRegistry::FindDialog(host::UINT id) {
    const auto& dialogs = Registry().dialogs;
    auto it = dialogs.find(id);
    return it == dialogs.end() ? nullptr : &it->second;
}

void ResourceRegistry::Reset() {
    Storage() = Resources();
    RegisterFrameworkStrings();
}
