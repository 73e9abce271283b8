#pragma once
// One item of a menu resource: a command (text and id), a separator (flags
// MF_SEPARATOR) or a popup (children, or flags MF_POPUP). flags may add host
// state bits such as MF_GRAYED.

#include "platform/HostTypes.h"

#include <string>
#include <vector>

struct MenuResourceItem {
    std::string text;
    host::UINT id = 0;
    host::UINT flags = 0;
    std::vector<MenuResourceItem> children;
};
