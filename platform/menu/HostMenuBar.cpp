#include "platform/menu/HostMenuBar.h"

#include "platform/HostDisplay.h"
#include "platform/HostMenu.h"
#include "platform/HostWindow.h"
#include "platform/ScopedValue.h"
#include "platform/menu/MenuBarMirror.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

namespace host {

static constexpr Fl_Font kMenuFont = FL_HELVETICA;
static constexpr Fl_Fontsize kMenuFontSize = 14;

HostMenuBar::HostMenuBar(HWND hwnd, MenuBarMirror& mirror, int width, int height)
    : Fl_Menu_Bar(0, 0, width, height), m_hwnd(hwnd), m_mirror(&mirror) {
    textfont(kMenuFont);
    textsize(kMenuFontSize);
}

void PrepareMenuFont() {
    if (!HasDisplay()) {
        return;
    }
    // Selecting a font loads it; the toolkit keeps it for the bar's paint.
    fl_font(kMenuFont, kMenuFontSize);
}

bool HostMenuBar::Activates(int event) const {
    if (!menu() || !menu()->text) {
        return false;
    }
    if (event == FL_PUSH) {
        return true;
    }
    // Only Alt and a mnemonic letter open the bar from the keyboard; the
    // shortcuts shown beside items are the accelerator table's business.
    return event == FL_SHORTCUT && menu()->find_shortcut(nullptr, true) != nullptr;
}

void HostMenuBar::Detach() {
    menu(nullptr);
    m_mirror = nullptr;
    m_hwnd = nullptr;
}

int HostMenuBar::handle(int event) {
    if (!m_mirror) {
        return 0;
    }
    if (event == FL_SHORTCUT && !Activates(event)) {
        return 0;
    }
    if (!Activates(event)) {
        return Fl_Menu_Bar::handle(event);
    }
    if (!IsWindowEnabled(m_hwnd)) {
        return 1;
    }
    m_mirror->UpdateBeforeOpening();
    if (!IsWindow(m_hwnd)) {
        return 1;
    }
    const int used = RunPopup(event);
    // The window, and with it the mirror, may have gone meanwhile.
    if (m_mirror) {
        m_mirror->RebuildIfDeferred();
    }
    return used;
}

int HostMenuBar::RunPopup(int event) {
    // The popup runs its own loop; the program's windows keep painting.
    const ModalScope scope;
    const ScopedValue<bool> open(m_popupOpen, true);
    return Fl_Menu_Bar::handle(event);
}

} // namespace host
