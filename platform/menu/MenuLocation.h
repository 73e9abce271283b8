#pragma once
// Where an item was found: its menu and its position there.

#include "platform/HostTypes.h"

namespace host {

struct MenuLocation {
    HMENU menu = nullptr;
    int position = -1;

    explicit operator bool() const { return menu != nullptr; }
};

} // namespace host
