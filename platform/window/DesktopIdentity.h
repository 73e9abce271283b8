#pragma once
// What a desktop reads from a top-level window to tell which program and
// which desktop entry it belongs to: WM_CLASS, WM_HINTS, WM_CLIENT_MACHINE
// and _NET_WM_PID. A dock matches the class against the entry's
// StartupWMClass; without them it shows a running window apart from its
// pinned launcher, and every dialog as one more program.

#include <FL/x.H>

#include <string>

namespace host {

class DesktopIdentity {
public:
    /// The instance part of WM_CLASS: the program's file name, as X programs
    /// name themselves ("kovomodel").
    static std::string InstanceName();
    /// The class part: the instance name with its first letter upper-cased
    /// ("Kovomodel"), the rule the toolkit follows for its own windows.
    static std::string ClassName();
    /// Gives the toolkit's top-level windows (dialogs, message boxes, its
    /// file chooser) the program's class instead of its own default.
    static void SetToolkitDefault();
    /// Sets the four properties on xid, a top-level window; hints already
    /// there are kept, with input accepted.
    static void Mark(::Window xid);
};

} // namespace host
