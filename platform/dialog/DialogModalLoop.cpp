#include "platform/dialog/DialogModalLoop.h"

#include "platform/HostDisplay.h"
#include "platform/dialog/DialogOwner.h"
#include "platform/dialog/DialogPlacement.h"
#include "platform/window/DesktopIdentity.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

namespace host {

namespace {

/// The wait is bounded so that messages posted to our queue without a
/// toolkit event (a repaint request, say) are still handled promptly.
constexpr double kWaitSeconds = 0.05;

} // namespace

void DialogModalLoop::Run(Fl_Window& window, HWND owner, bool onTop, Fl_Widget* focus) {
    const DialogOwner ownerLock(owner);
    Place(window, ownerLock);
    window.set_modal();
    window.show();
    // Before the map request leaves the output buffer, so that the window
    // manager reads them with it.
    DesktopIdentity::Mark(fl_xid(&window));
    if (onTop) {
        KeepAbove(window);
    }
    if (focus) {
        focus->take_focus();
    }
    const ModalScope scope;
    while (window.shown()) {
        Fl::wait(kWaitSeconds);
    }
}

void DialogModalLoop::Place(Fl_Window& window, const DialogOwner& owner) {
    RECT area;
    const bool hasOwner = owner.Rect(&area);
    int sx = 0, sy = 0, sw = 0, sh = 0;
    if (hasOwner) {
        const int cx = (area.left + area.right) / 2;
        const int cy = (area.top + area.bottom) / 2;
        Fl::screen_work_area(sx, sy, sw, sh, cx, cy);
    } else {
        Fl::screen_work_area(sx, sy, sw, sh);
    }
    const RECT screen{sx, sy, sx + sw, sy + sh};
    const POINT corner =
        DialogPlacement::CentreOver(hasOwner ? area : screen, window.w(), window.h(), screen);
    window.position(corner.x, corner.y);
}

void DialogModalLoop::KeepAbove(Fl_Window& window) {
    // Window managers that follow the extended hints keep a window above all
    // others when asked through a client message to the root window.
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = fl_xid(&window);
    event.xclient.message_type = XInternAtom(fl_display, "_NET_WM_STATE", 0);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 1; // add the state
    event.xclient.data.l[1] = static_cast<long>(XInternAtom(fl_display, "_NET_WM_STATE_ABOVE", 0));
    event.xclient.data.l[3] = 1; // asked by an application
    XSendEvent(fl_display, RootWindow(fl_display, fl_screen), 0,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(fl_display);
}

} // namespace host
