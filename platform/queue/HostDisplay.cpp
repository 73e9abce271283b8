#include "platform/HostDisplay.h"

#include "platform/HostQueue.h"
#include "platform/ScopedValue.h"
#include "platform/queue/KeyBridge.h"
#include "platform/queue/Toolkit.h"
#include "platform/window/DesktopIdentity.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include <cstdio>

namespace host {

namespace {

bool g_open = false;
int g_modalDepth = 0;
bool g_inHook = false;

// Dispatches what is queued; a WM_QUIT stays queued for the program's own loop.
void DispatchPending() {
    MSG msg;
    while (PeekMessage(&msg, PM_NOREMOVE) && msg.message != WM_QUIT) {
        PeekMessage(&msg, PM_REMOVE);
        DispatchMessage(&msg);
    }
}

// Runs the program's queue from inside a toolkit modal loop.
void DispatchFromModalLoop(void*) {
    if (g_inHook) {
        return;
    }
    const ScopedValue<bool> inHook(g_inHook, true);
    Toolkit::RunInside(&DispatchPending);
}

// Reports a refused X request and goes on, instead of ending the program as
// Xlib's own handler would.
int ReportXError(Display* display, XErrorEvent* error) {
    char text[256] = {};
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "X error: %s (request %d.%d)\n", text, error->request_code,
                 error->minor_code);
    return 0;
}

} // namespace

BOOL OpenDisplay() {
    if (g_open) {
        return TRUE;
    }
    // The toolkit ends the process when it cannot open a display; ask first.
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        return FALSE;
    }
    fl_open_display(display);
    DesktopIdentity::SetToolkitDefault();
    XSetErrorHandler(&ReportXError);
    // Menu texts are Slovak: use a face that has their letters.
    Fl::set_font(FL_HELVETICA, "DejaVu Sans");
    KeyBridge::Install();
    g_open = true;
    return TRUE;
}

BOOL HasDisplay() {
    return ToBOOL(g_open);
}

void ProcessToolkitEvents(double seconds) {
    if (!g_open) {
        return;
    }
    Fl::check();
    Fl::flush();
    if (seconds > 0) {
        MSG msg;
        if (!PeekMessage(&msg, PM_NOREMOVE)) {
            Fl::wait(seconds);
            Fl::flush();
        }
    }
}

ModalScope::ModalScope() {
    if (g_modalDepth++ == 0) {
        Fl::add_check(&DispatchFromModalLoop);
    }
}

ModalScope::~ModalScope() {
    if (--g_modalDepth == 0) {
        Fl::remove_check(&DispatchFromModalLoop);
    }
}

} // namespace host
