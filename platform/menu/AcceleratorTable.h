#pragma once
// The record behind an HACCEL: its entries in the order they were given.

#include "platform/HostTypes.h"

#include <vector>

namespace host {

struct AcceleratorTable {
    std::vector<ACCEL> entries;
};

} // namespace host
