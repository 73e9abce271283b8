#pragma once
// What the window records need of the toolkit bridge. Every call is harmless
// without a display: then there are no peers and nothing to wait for.

#include "platform/window/WindowPeer.h"

#include <memory>

namespace host {

class Toolkit {
public:
    /// A peer for a new window record, or null without a display.
    static std::unique_ptr<WindowPeer> MakePeer(HWND hwnd);
    /// Waits for toolkit events (posting their messages); false without a display.
    static bool Wait();
    /// Handles pending toolkit events without waiting, unless called from the
    /// toolkit's own check hook (which would re-enter it).
    static void Check();
    /// While set, Check does nothing: the caller runs inside the toolkit.
    static void SuppressCheck(bool suppress);
};

} // namespace host
