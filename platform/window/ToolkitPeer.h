#pragma once
// The peer of one window record while a display is open: a PeerWindow, and
// for a top-level window the menu bar that mirrors the record's menu.

#include "platform/window/WindowPeer.h"

#include <FL/Fl.H>

#include <memory>

namespace host {

class PeerWindow;
class MenuBarMirror;

class ToolkitPeer : public WindowPeer {
public:
    explicit ToolkitPeer(HWND hwnd);
    ~ToolkitPeer() override;

    /// The toolkit window, which lives as long as the peer.
    PeerWindow& Window();
    /// The toolkit window of hwnd, or null for a window without a peer.
    static PeerWindow* WindowOf(HWND hwnd);
    /// The menu bar mirror of a top-level window, null for a child.
    MenuBarMirror* Menu() { return m_menu.get(); }

    void Show(int command) override;
    RECT WorkArea() override;
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
    /// Hides a toolkit window, takes it out of its parent's window, and lets
    /// the toolkit delete it once the handler that may be running inside it
    /// has returned: the record can go from inside the window's own close box.
    struct Retire {
        void operator()(PeerWindow* window) const;
    };

    /// window: a top-level one becomes this peer's; a child one belongs to
    /// its parent's window already.
    ToolkitPeer(HWND hwnd, PeerWindow* window);

    HWND m_hwnd = nullptr; ///< back-link to the record
    /// Owns a top-level window; null for a child, whose window belongs to its
    /// parent's window, as the toolkit's groups own their children.
    std::unique_ptr<PeerWindow, Retire> m_topLevel;
    /// The window either way, watched: it reads null once the toolkit has
    /// deleted it, so a child outlived by its parent is not touched again.
    Fl_Widget_Tracker m_window;
    /// Top-level windows only. Declared after m_topLevel so that it goes
    /// first, while the bar widget it holds is still in the window.
    std::unique_ptr<MenuBarMirror> m_menu;
};

} // namespace host
