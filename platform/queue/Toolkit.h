#pragma once
// What the window records need of the toolkit bridge. Every call is harmless
// without a display: then there are no peers and nothing to wait for.

#include "platform/ScopedValue.h"
#include "platform/window/WindowPeer.h"

#include <functional>
#include <memory>

namespace host {

class Toolkit {
public:
    /// A peer for a new window record, or null without a display.
    static std::unique_ptr<WindowPeer> MakePeer(HWND hwnd);
    /// Waits for toolkit events (posting their messages); false without a display.
    static bool Wait();
    /// Handles pending toolkit events without waiting, unless checks are
    /// held off (see NoChecks).
    static void Check();
    /// True while a NoChecks lives.
    static bool ChecksHeldOff();
    /// Runs work from inside the toolkit's own event handling (a check hook,
    /// a timer of another toolkit's loop), with checks held off. An exception
    /// that work lets out is reported on the standard error stream and goes
    /// no further: the loops around it cannot pass one on without breaking.
    static void RunInside(const std::function<void()>& work);

    /// While one lives, Check does nothing: its holder runs inside the
    /// toolkit's own event handling (Check itself, or a toolkit check hook),
    /// which must not be entered again. Holders nest: the outermost one ends
    /// the hold, also when an exception passes.
    class NoChecks {
    public:
        NoChecks();
        NoChecks(const NoChecks&) = delete;
        NoChecks& operator=(const NoChecks&) = delete;

    private:
        ScopedValue<bool> m_hold;
    };
};

} // namespace host
