#pragma once
// Keys from the toolkit go through the program's queue first, so that the
// program's accelerator table sees them before any toolkit shortcut; keys the
// program leaves to default handling are given back to the toolkit. The same
// hook, the toolkit's one way in for every event, tells the windows when the
// window manager moves the keyboard to or from them.

#include "platform/HostTypes.h"

class Fl_Window;

namespace host {

class KeyBridge {
public:
    /// Installs the toolkit dispatch hook.
    static void Install();
    /// Hands a key message back to the toolkit window it came from, as it
    /// arrived; true when the toolkit used it.
    static bool GiveBack(const MSG& msg, Fl_Window& window);
    /// The virtual-key code of a toolkit key, 0 for keys the program cannot name.
    static UINT VirtualKey(int toolkitKey);
};

} // namespace host
