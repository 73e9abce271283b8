#pragma once
// One item of a menu. A popup item owns its popup menu.

#include "platform/HostTypes.h"

#include <memory>
#include <string>

namespace host {

struct MenuItem {
    UINT flags = 0; ///< MF_POPUP, MF_SEPARATOR and the state bits
    UINT id = 0;
    std::string text;
    std::unique_ptr<Menu> popup;
};

} // namespace host
