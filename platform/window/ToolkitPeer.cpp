#include "platform/window/ToolkitPeer.h"

#include "platform/menu/MenuBarMirror.h"
#include "platform/queue/KeyBridge.h"
#include "platform/window/PeerWindow.h"
#include "platform/window/Window.h"

#include <FL/Fl_RGB_Image.H>

#include <cassert>

namespace host {

namespace {

// RGBA bytes from 0xAARRGGBB pixels, as the toolkit's images want them.
std::vector<unsigned char> ToRgba(const IconImage& image) {
    std::vector<unsigned char> bytes;
    bytes.reserve(image.pixels.size() * 4);
    for (std::uint32_t pixel : image.pixels) {
        bytes.push_back(static_cast<unsigned char>(pixel >> 16));
        bytes.push_back(static_cast<unsigned char>(pixel >> 8));
        bytes.push_back(static_cast<unsigned char>(pixel));
        bytes.push_back(static_cast<unsigned char>(pixel >> 24));
    }
    return bytes;
}

} // namespace

ToolkitPeer::ToolkitPeer(HWND hwnd)
    : ToolkitPeer(hwnd, new PeerWindow(hwnd, WindowOf(hwnd->parent))) {}

ToolkitPeer::ToolkitPeer(HWND hwnd, PeerWindow* window)
    : m_hwnd(hwnd), m_topLevel(window->parent() ? nullptr : window), m_window(window) {
    window->FollowRecord();
    if (hwnd->parent) {
        return;
    }
    window->copy_label(hwnd->text.c_str());
    m_menu = std::make_unique<MenuBarMirror>(hwnd, *window);
    window->LayOut();
}

ToolkitPeer::~ToolkitPeer() {
    if (!m_topLevel && m_window.exists()) {
        Retire()(&Window()); // a child: its parent's window lets it go
    }
}

void ToolkitPeer::Retire::operator()(PeerWindow* window) const {
    window->Detach();
    if (Fl_Group* parent = window->parent()) {
        parent->remove(window);
    }
    window->hide();
    Fl::delete_widget(window);
}

PeerWindow& ToolkitPeer::Window() {
    auto* window = static_cast<PeerWindow*>(m_window.widget());
    assert(window && "a child window is deleted with its parent only after its own peer went");
    return *window;
}

PeerWindow* ToolkitPeer::WindowOf(HWND hwnd) {
    if (!hwnd || !hwnd->peer) {
        return nullptr;
    }
    // Every peer is a toolkit peer: Toolkit::MakePeer makes no other kind.
    return &static_cast<ToolkitPeer*>(hwnd->peer.get())->Window();
}

namespace {

// Tells a window manager, as the desktop's window-state convention asks, that
// the window is or no longer is maximised, so that its frame agrees with the
// size the record gave it. Without a window manager nobody listens.
void SendMaximisedState(::Window xid, bool maximised) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = xid;
    event.xclient.message_type = XInternAtom(fl_display, "_NET_WM_STATE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = maximised ? 1 : 0; // add or remove
    event.xclient.data.l[1] = XInternAtom(fl_display, "_NET_WM_STATE_MAXIMIZED_VERT", False);
    event.xclient.data.l[2] = XInternAtom(fl_display, "_NET_WM_STATE_MAXIMIZED_HORZ", False);
    event.xclient.data.l[3] = 1; // asked by an application
    XSendEvent(fl_display, RootWindow(fl_display, fl_screen), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

} // namespace

RECT ToolkitPeer::WorkArea() {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    PeerWindow& window = Window();
    Fl::screen_work_area(x, y, w, h, window.x() + window.w() / 2, window.y() + window.h() / 2);
    return {x, y, x + w, y + h};
}

void ToolkitPeer::Show(int command) {
    if (command == SW_HIDE) {
        Window().hide();
        return;
    }
    Window().show();
    if (IsWaitCursorShown()) {
        SetCursor(true); // a window shown during a long operation waits too
    }
    const bool minimise = command == SW_MINIMIZE || command == SW_SHOWMINIMIZED;
    if (Window().parent() || !Window().shown()) {
        return;
    }
    if (minimise) {
        XIconifyWindow(fl_display, fl_xid(&Window()), fl_screen);
        return;
    }
    if (command == SW_SHOWMAXIMIZED || command == SW_SHOWNORMAL || command == SW_RESTORE) {
        SendMaximisedState(fl_xid(&Window()), IsZoomed(m_hwnd) != FALSE);
    }
}

void ToolkitPeer::SetText(const std::string& text) {
    if (!Window().parent()) {
        Window().copy_label(text.c_str());
    }
}

void ToolkitPeer::Move(const RECT&) {
    Window().FollowRecord();
}

void ToolkitPeer::SetEnabled(bool enabled) {
    if (enabled) {
        Window().activate();
    } else {
        Window().deactivate();
    }
}

void ToolkitPeer::MirrorMenu() {
    if (!m_menu) {
        return;
    }
    m_menu->Rebuild();
    Window().LayOut();
}

void ToolkitPeer::Erase() {
    Window().EraseClient();
}

bool ToolkitPeer::GiveKeyBack(const MSG& msg) {
    PeerWindow* top = WindowOf(GetTopLevelWindow(m_hwnd));
    return top && KeyBridge::GiveBack(msg, *top);
}

void ToolkitPeer::Raise() {
    if (m_hwnd->visible) {
        Window().show();
    }
}

void ToolkitPeer::SetCursor(bool wait) {
    if (Window().shown()) {
        Window().cursor(wait ? FL_CURSOR_WAIT : FL_CURSOR_DEFAULT);
    }
}

void ToolkitPeer::SetIcon(const std::vector<IconImage>& images) {
    std::vector<std::vector<unsigned char>> pixels;
    std::vector<std::unique_ptr<Fl_RGB_Image>> icons;
    std::vector<const Fl_RGB_Image*> list;
    for (const IconImage& image : images) {
        if (image.width <= 0 || image.height <= 0 ||
            image.pixels.size() != static_cast<size_t>(image.width) * image.height) {
            continue; // a malformed image is left out rather than read past its end
        }
        pixels.push_back(ToRgba(image));
        icons.push_back(
            std::make_unique<Fl_RGB_Image>(pixels.back().data(), image.width, image.height, 4));
        list.push_back(icons.back().get());
    }
    // The window copies the images.
    Window().icons(list.data(), static_cast<int>(list.size()));
}

} // namespace host
