#include "platform/window/ToolkitPeer.h"

#include "platform/menu/MenuBarMirror.h"
#include "platform/queue/KeyBridge.h"
#include "platform/window/PeerWindow.h"
#include "platform/window/Window.h"

#include <FL/Fl.H>
#include <FL/Fl_RGB_Image.H>

namespace host {

namespace {

PeerWindow* ParentWindow(HWND hwnd) {
    if (!hwnd->parent || !hwnd->parent->peer) {
        return nullptr;
    }
    return &static_cast<ToolkitPeer*>(hwnd->parent->peer.get())->Window();
}

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
    : m_hwnd(hwnd), m_window(std::make_unique<PeerWindow>(hwnd, ParentWindow(hwnd))) {
    m_window->FollowRecord();
    if (hwnd->parent) {
        return;
    }
    m_window->copy_label(hwnd->text.c_str());
    m_menu = std::make_unique<MenuBarMirror>(hwnd, *m_window);
    m_window->LayOut();
}

ToolkitPeer::~ToolkitPeer() {
    m_menu.reset(); // its bar widget goes with the window
    // The record may go while the toolkit is still inside this window's own
    // handler (its close box, say): hide it now and let the toolkit delete it
    // once that handler has returned.
    PeerWindow* window = m_window.release();
    window->Detach();
    if (Fl_Group* parent = window->parent()) {
        parent->remove(window);
    }
    window->hide();
    Fl::delete_widget(window);
}

void ToolkitPeer::Show(int command) {
    if (command == SW_HIDE) {
        m_window->hide();
        return;
    }
    m_window->show();
    if (IsWaitCursorShown()) {
        SetCursor(true); // a window shown during a long operation waits too
    }
    const bool minimise = command == SW_MINIMIZE || command == SW_SHOWMINIMIZED;
    if (minimise && !m_window->parent() && m_window->shown()) {
        XIconifyWindow(fl_display, fl_xid(m_window.get()), fl_screen);
    }
}

void ToolkitPeer::SetText(const std::string& text) {
    if (!m_window->parent()) {
        m_window->copy_label(text.c_str());
    }
}

void ToolkitPeer::Move(const RECT&) {
    m_window->FollowRecord();
}

void ToolkitPeer::SetEnabled(bool enabled) {
    if (enabled) {
        m_window->activate();
    } else {
        m_window->deactivate();
    }
}

void ToolkitPeer::MirrorMenu() {
    if (!m_menu) {
        return;
    }
    m_menu->Rebuild();
    m_window->LayOut();
}

void ToolkitPeer::Erase() {
    m_window->EraseClient();
}

bool ToolkitPeer::GiveKeyBack(const MSG& msg) {
    HWND top = m_hwnd;
    while (top->parent) {
        top = top->parent;
    }
    auto* peer = static_cast<ToolkitPeer*>(top->peer.get());
    return peer && KeyBridge::GiveBack(msg, peer->Window());
}

void ToolkitPeer::Raise() {
    if (m_hwnd->visible) {
        m_window->show();
    }
}

void ToolkitPeer::SetCursor(bool wait) {
    if (m_window->shown()) {
        m_window->cursor(wait ? FL_CURSOR_WAIT : FL_CURSOR_DEFAULT);
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
    m_window->icons(list.data(), static_cast<int>(list.size()));
}

} // namespace host
