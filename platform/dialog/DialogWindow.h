#pragma once
// A modal dialog built from a template: its size and its controls' places in
// dialog units of the dialog's font, its controls in tab order.

#include "platform/HostDialogs.h"
#include "platform/dialog/DialogFrame.h"
#include "platform/dialog/DialogUnits.h"

namespace host {

class DialogWindow : public DialogFrame {
public:
    /// Builds the window and its controls (not shown yet). Whatever font the
    /// template names, a sans-serif font of its point size stands in, as the
    /// named fonts are not found on every system. Needs an open display.
    explicit DialogWindow(const DialogTemplate& dialog);

    const DialogUnits& Units() const { return m_units; }
    int FontSize() const { return m_fontSize; }

private:
    DialogWindow(const DialogTemplate& dialog, int fontSize);
    DialogWindow(const DialogTemplate& dialog, int fontSize, const DialogUnits& units);
    void AddControl(const DialogControl& control);

    DialogUnits m_units;
    int m_fontSize = 0;
};

} // namespace host
