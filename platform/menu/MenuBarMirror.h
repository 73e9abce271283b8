#pragma once
// Mirrors a window's menu data to its toolkit menu bar: texts with their
// mnemonics, shortcut texts, separators, graying and check marks. Choosing an
// item posts WM_COMMAND for it to the window.

#include "platform/HostTypes.h"

#include <FL/Fl_Menu_Item.H>

#include <deque>
#include <string>
#include <vector>

namespace host {

class HostMenuBar;
class PeerWindow;

class MenuBarMirror {
public:
    /// Adds the bar to window (the toolkit window owns the widget).
    MenuBarMirror(HWND hwnd, PeerWindow& window);
    ~MenuBarMirror();
    MenuBarMirror(const MenuBarMirror&) = delete;
    MenuBarMirror& operator=(const MenuBarMirror&) = delete;

    /// Rebuilds the toolkit items from the menu data; hides the bar when the
    /// window has no menu. While the bar's popup is open its items must stay
    /// put, so the rebuild waits for RebuildIfDeferred.
    void Rebuild();
    /// Makes the rebuild that waited for the popup to close, if one did.
    void RebuildIfDeferred();
    /// Sends WM_INITMENU and WM_INITMENUPOPUP for every popup, in order, then
    /// rebuilds: what opening the bar must do first.
    void UpdateBeforeOpening();

    const std::vector<Fl_Menu_Item>& Items() const { return m_items; }
    HostMenuBar& Bar() { return *m_bar; }

private:
    void AddItems(HMENU menu);
    const char* Keep(const std::string& text);
    static void OnPicked(Fl_Widget* widget, void* data);

    HWND m_hwnd = nullptr;        ///< back-link to the window record
    HostMenuBar* m_bar = nullptr; ///< owned by the toolkit window
    std::vector<Fl_Menu_Item> m_items;
    std::deque<std::string> m_labels; ///< the texts m_items point at
    bool m_rebuildDeferred = false;
};

} // namespace host
