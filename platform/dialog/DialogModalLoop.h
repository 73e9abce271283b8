#pragma once
// Runs a toolkit window as a modal dialog of a host window: the owner is
// disabled, the window is centred over it, and the toolkit's events are
// handled until the window hides, while our own queue keeps running.

#include "platform/HostTypes.h"

class Fl_Widget;
class Fl_Window;

namespace host {

class DialogOwner;

class DialogModalLoop {
public:
    /// Shows window modally and returns when it has been hidden (by one of
    /// its callbacks). onTop asks the window manager to keep it above every
    /// other window. A null or stale owner centres it over the screen.
    /// focus, a widget of window or null, gets the keyboard focus once the
    /// window shows. Needs an open display.
    static void Run(Fl_Window& window, HWND owner, bool onTop, Fl_Widget* focus);

private:
    static void Place(Fl_Window& window, const DialogOwner& owner);
    static void KeepAbove(Fl_Window& window);
};

} // namespace host
