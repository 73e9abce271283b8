#pragma once
// The record behind an HMENU: its items in order.

#include "platform/menu/MenuItem.h"

#include <vector>

namespace host {

struct Menu {
    std::vector<MenuItem> items;
};

} // namespace host
