#include "platform/window/PeerWindow.h"

#include "platform/HostQueue.h"
#include "platform/HostWindow.h"
#include "platform/ScopedValue.h"
#include "platform/gl/GlBinding.h"
#include "platform/queue/MessageQueue.h"
#include "platform/window/DesktopIdentity.h"
#include "platform/window/ToolkitInput.h"
#include "platform/window/ToolkitInternals.h"
#include "platform/window/Window.h"
#include "platform/window/WindowNotify.h"

#include <FL/Fl.H>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace host {

namespace {

constexpr long kEventMask = ExposureMask | StructureNotifyMask | KeyPressMask | KeyReleaseMask |
                            KeymapStateMask | FocusChangeMask | ButtonPressMask |
                            ButtonReleaseMask | EnterWindowMask | LeaveWindowMask |
                            PropertyChangeMask | PointerMotionMask;

bool AcceptsInput(HWND hwnd) {
    return IsWindowEnabled(hwnd) && IsWindowEnabled(GetTopLevelWindow(hwnd));
}

} // namespace

PeerWindow::PeerWindow(HWND hwnd, PeerWindow* parent) : Fl_Window(0, 0, 1, 1), m_hwnd(hwnd) {
    end();
    box(FL_FLAT_BOX);
    if (parent) {
        parent->add(this);
        // A child follows its record's visibility, not the toolkit default.
        clear_visible();
        return;
    }
    callback(&PeerWindow::OnClose);
    resizable(this);
    size_range(100, 80);
}

PeerWindow::~PeerWindow() {
    if (m_colormap) {
        XFreeColormap(fl_display, m_colormap);
    }
    if (m_visual) {
        XFree(m_visual);
    }
}

int PeerWindow::BarHeight() const {
    if (parent() || !IsWindow(m_hwnd) || !m_hwnd->menu) {
        return 0;
    }
    return kMenuBarHeight;
}

void PeerWindow::OnClose(Fl_Widget* widget, void*) {
    // Only the close box closes the window; the toolkit's Escape shortcut
    // would close it too, which the program does not want.
    if (Fl::event() != FL_CLOSE) {
        return;
    }
    auto* peer = static_cast<PeerWindow*>(widget);
    if (AcceptsInput(peer->m_hwnd)) {
        SendMessage(peer->m_hwnd, WM_CLOSE, 0, 0);
    }
}

void PeerWindow::FollowRecord() {
    if (!IsWindow(m_hwnd)) {
        return;
    }
    const RECT& r = m_hwnd->rect;
    const int dy = parent() ? static_cast<PeerWindow*>(parent())->BarHeight() : 0;
    const ScopedValue<bool> following(m_following, true);
    resize(r.left, r.top + dy, r.right - r.left, r.bottom - r.top);
}

void PeerWindow::EnsureXWindow() {
    if (shown()) {
        return;
    }
    if (!parent()) {
        CreateTopLevelXWindow();
        return;
    }
    auto* owner = static_cast<PeerWindow*>(parent());
    owner->EnsureXWindow();
    const bool wasVisible = visible();
    ToolkitInternals::MakeXWindow(*this, m_visual ? m_visual : fl_visual,
                                  m_visual ? m_colormap : fl_colormap);
    // Making the X window maps it; a hidden record keeps it unmapped.
    if (!wasVisible && IsWindow(m_hwnd) && !m_hwnd->visible) {
        XUnmapWindow(fl_display, fl_xid(this));
        clear_visible();
    }
}

void PeerWindow::CreateTopLevelXWindow() {
    XVisualInfo* visual = m_visual ? m_visual : fl_visual;
    XSetWindowAttributes attr;
    attr.event_mask = kEventMask;
    attr.colormap = m_visual ? m_colormap : fl_colormap;
    attr.border_pixel = 0;
    attr.bit_gravity = 0;
    ::Window xid =
        XCreateWindow(fl_display, RootWindow(fl_display, fl_screen), x(), y(), w() > 0 ? w() : 1,
                      h() > 0 ? h() : 1, 0, visual->depth, InputOutput, visual->visual,
                      CWEventMask | CWColormap | CWBorderPixel | CWBitGravity, &attr);
    ToolkitInternals::AdoptXWindow(*this, xid);
    DesktopIdentity::Mark(xid);
    Atom protocols = XInternAtom(fl_display, "WM_PROTOCOLS", False);
    Atom deleteWindow = XInternAtom(fl_display, "WM_DELETE_WINDOW", False);
    XChangeProperty(fl_display, xid, protocols, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&deleteWindow), 1);
    if (IsWindow(m_hwnd)) {
        copy_label(m_hwnd->text.c_str());
    }
}

bool PeerWindow::UseVisual(XVisualInfo* visual) {
    if (shown()) {
        Fl_Window::hide(); // the X window must be made again for the visual
    }
    if (m_colormap) {
        XFreeColormap(fl_display, m_colormap);
    }
    if (m_visual) {
        XFree(m_visual);
    }
    m_visual = visual;
    m_colormap =
        XCreateColormap(fl_display, RootWindow(fl_display, fl_screen), visual->visual, AllocNone);
    EnsureXWindow();
    return shown();
}

void PeerWindow::EraseClient() {
    if (!shown()) {
        return;
    }
    if (!parent()) {
        redraw();
        return;
    }
    const XVisualInfo* visual = m_visual ? m_visual : fl_visual;
    XSetWindowBackground(fl_display, fl_xid(this),
                         visual->red_mask | visual->green_mask | visual->blue_mask);
    XClearWindow(fl_display, fl_xid(this));
}

void PeerWindow::show() {
    if (!IsWindow(m_hwnd) || !m_hwnd->visible) {
        return; // the record decides; the toolkit asks when a parent shows
    }
    EnsureXWindow();
    if (parent()) {
        XMapWindow(fl_display, fl_xid(this));
        Fl_Widget::show();
        return;
    }
    XMapRaised(fl_display, fl_xid(this));
    Fl_Widget::show();
}

void PeerWindow::hide() {
    // Keep the X window: OpenGL stays bound to it while it is hidden.
    if (shown()) {
        XUnmapWindow(fl_display, fl_xid(this));
    }
    Fl_Widget::hide();
}

void PeerWindow::flush() {
    if (!parent()) {
        Fl_Window::flush(); // the menu bar and the frame background
    } else if (!m_visual) {
        Fl_Window::flush();
    }
    if (IsWindow(m_hwnd)) {
        InvalidateRect(m_hwnd, nullptr, ToBOOL((damage() & FL_DAMAGE_EXPOSE) != 0));
    }
}

void PeerWindow::resize(int x, int y, int w, int h) {
    const bool sized = w != this->w() || h != this->h();
    Fl_Window::resize(x, y, w, h);
    if (sized && shown() && IsWindow(m_hwnd)) {
        GlBinding::Instance().RefreshAfterResize(m_hwnd, fl_xid(this));
    }
    if (parent() || !IsWindow(m_hwnd)) {
        return;
    }
    LayOut();
    if (m_following) {
        return; // the program moved it and has its record already
    }
    // A resize made by the user: the record follows and the program hears of it.
    const int oldWidth = m_hwnd->ClientWidth();
    const int oldHeight = m_hwnd->ClientHeight();
    m_hwnd->rect = {x, y, x + w, y + h};
    SendSizeIfChanged(m_hwnd, oldWidth, oldHeight);
}

void PeerWindow::LayOut() {
    for (int i = 0; i < children(); ++i) {
        Fl_Widget* child = this->child(i);
        if (child->type() >= FL_WINDOW) {
            static_cast<PeerWindow*>(child)->FollowRecord();
        } else {
            child->resize(0, 0, w(), child->h()); // the menu bar
        }
    }
}

int PeerWindow::handle(int event) {
    switch (event) {
    case FL_PUSH:
    case FL_RELEASE:
    case FL_DRAG:
    case FL_MOVE:
        // Input arrives at the top-level window; the toolkit routes it on to
        // the menu bar or to a child window under the mouse.
        if (BarTakes() || ((event == FL_PUSH || event == FL_MOVE) && ChildUnderMouse())) {
            return Fl_Window::handle(event);
        }
        if (event == FL_MOVE) {
            Fl_Window::handle(event); // keeps the toolkit's below-mouse record
        }
        return PostMouse(event) ? 1 : 0;
    case FL_HIDE:
    case FL_SHOW:
        FollowMapping(event);
        return Fl_Window::handle(event);
    case FL_ENTER:
    case FL_LEAVE:
        Fl_Window::handle(event);
        return 1; // so that moves without a button arrive
    default:
        return Fl_Window::handle(event);
    }
}

Fl_Widget* PeerWindow::ChildUnderMouse() const {
    for (int i = children(); i-- > 0;) {
        Fl_Widget* child = this->child(i);
        if (child->type() >= FL_WINDOW && child->visible() && Fl::event_inside(child)) {
            return child;
        }
    }
    return nullptr;
}

void PeerWindow::FollowMapping(int event) {
    // The program's own show calls change the record first; a mismatch here
    // means the user minimised or restored the window.
    if (parent() || !IsWindow(m_hwnd) || !m_hwnd->visible) {
        return;
    }
    const bool minimised = event == FL_HIDE;
    if (m_hwnd->iconic == minimised) {
        return;
    }
    const int oldWidth = m_hwnd->ClientWidth();
    const int oldHeight = m_hwnd->ClientHeight();
    m_hwnd->iconic = minimised;
    SendSizeIfChanged(m_hwnd, oldWidth, oldHeight);
}

void PeerWindow::FollowFocus(int event) {
    if (!IsWindow(m_hwnd) || !fl_xevent ||
        (fl_xevent->type != FocusIn && fl_xevent->type != FocusOut)) {
        return;
    }
    // Only the keyboard moving between top-level windows counts: not a move
    // inside this window, not the keyboard following the pointer, and not a
    // grab (an open popup menu) taking it for a while.
    const XFocusChangeEvent& change = fl_xevent->xfocus;
    const bool normal = change.mode == NotifyNormal || change.mode == NotifyWhileGrabbed;
    if (!normal || change.detail == NotifyInferior || change.detail >= NotifyPointer) {
        return;
    }
    HWND top = GetTopLevelWindow(m_hwnd);
    if (event == FL_FOCUS) {
        ActivateWindow(top, WA_ACTIVE);
        return;
    }
    DeactivateWindow(top);
}

bool PeerWindow::BarTakes() const {
    if (BarHeight() == 0) {
        return false;
    }
    Fl_Widget* pushed = Fl::pushed();
    if (pushed && pushed != this && pushed->window() == this) {
        return true;
    }
    return Fl::event_y() < BarHeight();
}

bool PeerWindow::PostMouse(int event) {
    if (!IsWindow(m_hwnd) || !AcceptsInput(m_hwnd)) {
        return false;
    }
    const int x = Fl::event_x();
    const int y = Fl::event_y() - BarHeight();
    const bool inside = x >= 0 && y >= 0 && x < m_hwnd->ClientWidth() && y < m_hwnd->ClientHeight();
    // The view does not capture the mouse: releases and drags outside it are
    // not its business.
    if (!inside && event != FL_PUSH) {
        return true;
    }
    const UINT message =
        (event == FL_DRAG || event == FL_MOVE)
            ? WM_MOUSEMOVE
            : ToolkitInput::ButtonMessage(event == FL_PUSH, Fl::event_button(), Fl::event_clicks());
    if (message == 0) {
        return false;
    }
    // The toolkit holds pointer motion back until its queue is empty, so a
    // release read in the same batch overtakes the last moves of a drag. The
    // move to the release point comes first, with the button still down, as
    // the host window system sends it.
    if (event == FL_RELEASE && MAKELPARAM(x, y) != m_lastMouse) {
        PostMouseMessage(WM_MOUSEMOVE, Fl::event_state() | FL_BUTTON(Fl::event_button()), x, y);
    }
    PostMouseMessage(message, Fl::event_state(), x, y);
    return true;
}

void PeerWindow::PostMouseMessage(UINT message, int state, int x, int y) {
    MSG msg;
    msg.hwnd = m_hwnd;
    msg.message = message;
    msg.wParam = ToolkitInput::ButtonFlags(state) |
                 (ToolkitInput::ModifierFlags(state) & (MK_SHIFT | MK_CONTROL));
    msg.lParam = MAKELPARAM(x, y);
    m_lastMouse = msg.lParam;
    msg.time = MessageQueue::Instance().NextTime();
    msg.pt = {Fl::event_x_root(), Fl::event_y_root()};
    msg.keyState = ToolkitInput::ModifierFlags(state);
    MessageQueue::Instance().PostInput(msg);
}

} // namespace host
