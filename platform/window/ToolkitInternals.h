#pragma once
// The few things the host layer needs of the toolkit that its public
// interface does not offer: a window's X window made with a chosen visual, a
// top-level X window made here and handed to the toolkit, and a key event
// handed back to the toolkit as it first arrived. They are done in this one
// place, the only file built with the toolkit's internal declarations.

#include <FL/x.H>

#include <string>

class Fl_Window;

namespace host {

class ToolkitInternals {
public:
    /// Makes the X window of window, a child in its parent's X window, with
    /// visual and colormap (the toolkit's own ones for a plain window). The
    /// toolkit maps it.
    static void MakeXWindow(Fl_Window& window, XVisualInfo* visual, Colormap colormap);
    /// Hands xid, a top-level X window made for window, to the toolkit, which
    /// then treats it as the window's own: it sends the window manager the
    /// size hints and icons of window.
    static void AdoptXWindow(Fl_Window& window, ::Window xid);
    /// Lets window handle a key event as if it had just arrived with keysym,
    /// modifier state and text. Those are the event's only while it is
    /// handled: the toolkit's previous ones return afterwards, also when an
    /// exception passes. Returns the toolkit's answer (non-zero: used).
    static int ReplayKey(Fl_Window& window, int event, int keysym, int state,
                         const std::string& text);
};

} // namespace host
