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

private:
    /// True when the event would open the bar (a click on it, or its mnemonic).
    bool Activates(int event) const;

    HWND m_hwnd = nullptr;             ///< back-link to the window record
    MenuBarMirror* m_mirror = nullptr; ///< back-link to the owner of this bar
};

} // namespace host
