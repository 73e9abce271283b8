#pragma once
// The peer of one window record while a display is open: a PeerWindow, and
// for a top-level window the menu bar that mirrors the record's menu.

#include "platform/window/WindowPeer.h"

#include <memory>

class Fl_RGB_Image;

namespace host {

class PeerWindow;
class MenuBarMirror;

class ToolkitPeer : public WindowPeer {
public:
    explicit ToolkitPeer(HWND hwnd);
    ~ToolkitPeer() override;

    PeerWindow& Window() { return *m_window; }
    /// The menu bar mirror of a top-level window, null for a child.
    MenuBarMirror* Menu() { return m_menu.get(); }

    void Show(int command) override;
    void SetText(const std::string& text) override;
    void Move(const RECT& outer) override;
    void SetEnabled(bool enabled) override;
    void MirrorMenu() override;
    void Erase() override;
    bool GiveKeyBack(const MSG& msg) override;
    void Raise() override;
    void SetCursor(bool wait) override;
    void SetIcon(const std::vector<IconImage>& images) override;

private:
    HWND m_hwnd = nullptr;                 ///< back-link to the record
    std::unique_ptr<PeerWindow> m_window;  ///< a child's also sits in its parent's group
    std::unique_ptr<MenuBarMirror> m_menu; ///< top-level windows only
};

} // namespace host
