#include "platform/window/DesktopIdentity.h"

#include <FL/Fl_Window.H>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <cctype>
#include <cerrno>
#include <memory>
#include <unistd.h>

namespace host {

namespace {

/// The host name for WM_CLIENT_MACHINE, which tells a window manager on
/// which machine _NET_WM_PID is a process.
std::string HostName() {
    char name[256] = {};
    return gethostname(name, sizeof name - 1) == 0 ? std::string(name) : std::string();
}

void SetClientMachine(::Window xid) {
    std::string name = HostName();
    if (name.empty()) {
        return;
    }
    char* list[] = {name.data()};
    XTextProperty text{};
    if (XStringListToTextProperty(list, 1, &text) != 0) {
        XSetWMClientMachine(fl_display, xid, &text);
        XFree(text.value);
    }
}

void SetHints(::Window xid) {
    const std::unique_ptr<XWMHints, int (*)(void*)> old(XGetWMHints(fl_display, xid), &XFree);
    XWMHints hints = old ? *old : XWMHints{};
    if ((hints.flags & StateHint) == 0) {
        hints.initial_state = NormalState;
    }
    hints.flags |= InputHint | StateHint;
    hints.input = True;
    XSetWMHints(fl_display, xid, &hints);
}

} // namespace

std::string DesktopIdentity::InstanceName() {
    return program_invocation_short_name;
}

std::string DesktopIdentity::ClassName() {
    std::string name = InstanceName();
    if (!name.empty()) {
        name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    }
    return name;
}

void DesktopIdentity::SetToolkitDefault() {
    // The toolkit keeps its own copy, and makes the class part the same way.
    Fl_Window::default_xclass(InstanceName().c_str());
}

void DesktopIdentity::Mark(::Window xid) {
    std::string instance = InstanceName();
    std::string name = ClassName();
    XClassHint hint{instance.data(), name.data()};
    XSetClassHint(fl_display, xid, &hint);
    SetHints(xid);
    SetClientMachine(xid);
    // A CARDINAL of format 32 travels as a long.
    const long pid = getpid();
    XChangeProperty(fl_display, xid, XInternAtom(fl_display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
}

} // namespace host
