#include "platform/dialog/DialogWindow.h"

#include "platform/dialog/DialogText.h"

#include <FL/Fl_Button.H>

#include <algorithm>
#include <cassert>

namespace host {

DialogWindow::DialogWindow(const DialogTemplate& dialog)
    : DialogWindow(dialog, DialogUnits::PixelSizeForPoints(dialog.pointSize)) {}

DialogWindow::DialogWindow(const DialogTemplate& dialog, int fontSize)
    : DialogWindow(dialog, fontSize, DialogUnits::ForDialogFont(fontSize)) {}

// A window of no size cannot be created on the display, so an empty template
// still gets one pixel.
DialogWindow::DialogWindow(const DialogTemplate& dialog, int fontSize, const DialogUnits& units)
    : DialogFrame(std::max(units.ToPixelsX(dialog.cx), 1), std::max(units.ToPixelsY(dialog.cy), 1),
                  dialog.caption, IDCANCEL),
      m_units(units), m_fontSize(fontSize) {
    for (const DialogControl& control : dialog.controls) {
        AddControl(control);
    }
}

void DialogWindow::AddControl(const DialogControl& control) {
    const int x = m_units.ToPixelsX(control.x);
    const int y = m_units.ToPixelsY(control.y);
    const int w = m_units.ToPixelsX(control.cx);
    const int h = m_units.ToPixelsY(control.cy);
    Fl_Widget* widget = nullptr;
    switch (control.kind) {
    case DialogControl::Kind::DefaultButton:
    case DialogControl::Kind::Button: {
        const bool isDefault = control.kind == DialogControl::Kind::DefaultButton;
        widget = AddButton(x, y, w, h, control.text, control.id, isDefault);
        break;
    }
    case DialogControl::Kind::TextCentered:
    case DialogControl::Kind::TextLeft: {
        const bool left = control.kind == DialogControl::Kind::TextLeft;
        widget = new DialogText(x, y, w, h, control.text, left ? FL_ALIGN_LEFT : FL_ALIGN_CENTER);
        add(widget);
        break;
    }
    }
    assert(widget);
    widget->labelfont(FL_HELVETICA);
    widget->labelsize(m_fontSize);
}

} // namespace host
