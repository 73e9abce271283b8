#pragma once
// The toolkit menu bar of a top-level window. Before it opens a popup, by a
// click or by Alt and a mnemonic letter, it lets the window update its menus
// and then shows them as they are now.

#include "platform/HostTypes.h"

#include <FL/Fl_Menu_Bar.H>

namespace host {

class MenuBarMirror;

class HostMenuBar : public Fl_Menu_Bar {
public:
    HostMenuBar(HWND hwnd, MenuBarMirror& mirror, int width, int height);

    int handle(int event) override;
    /// Cuts the links to a mirror and window that are going away.
    void Detach();
    /// True while the bar's popup is open.
    bool PopupOpen() const { return m_popupOpen; }

private:
    /// True when the event would open the bar (a click on it, or its mnemonic).
    bool Activates(int event) const;
    /// Opens the popup for event and returns when it has closed.
    int RunPopup(int event);

    HWND m_hwnd = nullptr;             ///< back-link to the window record
    MenuBarMirror* m_mirror = nullptr; ///< back-link to the owner of this bar
    bool m_popupOpen = false;
};

} // namespace host
