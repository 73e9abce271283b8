#pragma once
// The record behind an HWND.

#include "platform/HostTypes.h"
#include "platform/window/DeviceContext.h"
#include "platform/window/WindowPeer.h"

#include <memory>
#include <string>
#include <vector>

namespace host {

/// Height of a top-level window's menu bar: the client area starts below it.
constexpr int kMenuBarHeight = 25;

struct Window {
    WNDPROC proc = nullptr;
    void* userData = nullptr;
    HWND parent = nullptr;      ///< back-link; null for a top-level window
    std::vector<HWND> children; ///< back-links, in creation order; owned by the registry
    int id = 0;
    UINT style = 0;
    std::string text;
    RECT rect;            ///< outer; screen coordinates, or parent client ones for a child
    HMENU menu = nullptr; ///< owned by the menu registry, destroyed with the window
    bool visible = false;
    bool enabled = true;
    bool iconic = false;
    bool zoomed = false; ///< maximised: rect fills the work area until restored
    RECT restoreRect;    ///< the outer rectangle to return to from maximised
    bool invalid = false;
    bool eraseWanted = false;
    bool destroying = false;
    unsigned long serial = 0; ///< creation order, for the order of paints
    DeviceContext dc;
    std::unique_ptr<WindowPeer> peer; ///< only while a display is open

    /// The WM_SIZE type that the window's state calls for.
    UINT SizeType() const {
        if (iconic) {
            return SIZE_MINIMIZED;
        }
        return zoomed ? SIZE_MAXIMIZED : SIZE_RESTORED;
    }
    int ClientWidth() const { return iconic ? 0 : rect.right - rect.left; }
    int ClientHeight() const {
        if (iconic) {
            return 0;
        }
        const int bar = (menu && !parent) ? kMenuBarHeight : 0;
        const int h = rect.bottom - rect.top - bar;
        return h < 0 ? 0 : h;
    }
};

} // namespace host
