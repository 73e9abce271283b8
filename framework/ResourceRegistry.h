#pragma once
// The program's resources by id: strings (UTF-8), menus, accelerator tables,
// icons and dialog templates. The framework registers its own strings on
// first use; the application and tests register theirs. Registering an id
// again replaces the earlier resource. Used on the user-interface thread only.

#include "framework/MenuResourceItem.h"
#include "platform/HostDialogs.h"
#include "platform/HostWindow.h"

#include <string>
#include <vector>

class ResourceRegistry {
public:
    static void RegisterString(host::UINT id, std::string text);
    /// The text of string id, or "" when there is none.
    static std::string LoadString(host::UINT id);

    /// items are the top-level items of a menu bar.
    static void RegisterMenu(host::UINT id, std::vector<MenuResourceItem> items);
    /// A new menu bar built from menu id, owned by the caller (host::DestroyMenu
    /// or a window that takes it); null when there is none.
    static host::HMENU LoadMenu(host::UINT id);

    static void RegisterAccelerators(host::UINT id, std::vector<host::ACCEL> entries);
    /// A new host table from accelerator table id, owned by the caller
    /// (host::DestroyAcceleratorTable); null when there is none.
    static host::HACCEL LoadAccelerators(host::UINT id);

    static void RegisterIcon(host::UINT id, std::vector<host::IconImage> images);
    /// The images of icon id; null when there is none.
    static const std::vector<host::IconImage>* FindIcon(host::UINT id);

    static void RegisterDialog(host::UINT id, host::DialogTemplate dialog);
    /// Dialog template id; null when there is none.
    static const host::DialogTemplate* FindDialog(host::UINT id);

    /// Forgets everything registered, then registers the framework's strings
    /// again. For tests.
    static void Reset();
};
