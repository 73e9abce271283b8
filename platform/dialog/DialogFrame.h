#pragma once
// The window of a modal dialog or message box: it ends with the id of the
// button pressed, and with its cancelling id on Esc or the close box. Enter
// presses the button that has the focus, or else the default button. Keys
// the dialog does not use go nowhere else while it is up.
// Subclasses add their widgets with add(); the window owns its children.

#include "platform/HostTypes.h"

#include <FL/Fl_Double_Window.H>

#include <string>

class Fl_Button;

namespace host {

class DialogFrame : public Fl_Double_Window {
public:
    /// A width × height window (client area, pixels) captioned caption
    /// (UTF-8); escapeId is the result of Esc, the close box and a dialog
    /// that ends without a button.
    DialogFrame(int width, int height, const std::string& caption, int escapeId);

    /// Shows the window modally (see DialogModalLoop) and returns the id it
    /// ended with. The default button, or else the first button, has the focus.
    int Run(HWND owner, bool onTop);
    /// Hides the window; Run then returns id.
    void Finish(int id);
    int Result() const { return m_result; }
    int EscapeId() const { return m_escapeId; }

    int handle(int event) override;

protected:
    /// Adds a push button that ends the dialog with id. The window owns it.
    /// The label is shown as it is, except that "&" marks a mnemonic.
    Fl_Button* AddButton(int x, int y, int w, int h, const std::string& label, int id,
                         bool isDefault);

private:
    static void OnButton(Fl_Widget* button, void* id);
    static void OnClose(Fl_Widget* window, void* unused);
    bool PressFocusedButton();

    int m_escapeId = 0;
    int m_result = 0;
    Fl_Button* m_defaultButton = nullptr; ///< a child; the window owns it
    Fl_Button* m_firstButton = nullptr;   ///< a child; the window owns it
};

} // namespace host
