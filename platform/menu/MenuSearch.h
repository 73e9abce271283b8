#pragma once
// Finding items in menu data, shared by the menu calls and the accelerator
// translation.

#include "platform/menu/MenuLocation.h"

#include <vector>

namespace host {

/// The item named by position (MF_BYPOSITION) or by command (searching popups
/// depth first, first match); empty when there is none or menu is not live.
MenuLocation FindMenuItem(HMENU menu, UINT position, UINT flags);

/// The popups that lead from bar to the item with command id, outermost first,
/// each with its position in the menu that holds it. Empty when the command is
/// no item of a popup (a command item on the bar itself, or none at all).
std::vector<MenuLocation> FindPopupPath(HMENU bar, UINT id);

} // namespace host
