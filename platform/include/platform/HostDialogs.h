#pragma once
// Modal message boxes, dialogs built from templates, and the open-file dialog.
// Each disables its owner while it is up and centres over it; the queue keeps
// running meanwhile, so the owner still repaints.

#include "platform/HostTypes.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace host {

/// Shows a message box: type's low bits choose the buttons (MB_OK,
/// MB_OKCANCEL, MB_YESNO, MB_YESNOCANCEL), MB_ICON* the icon. Enter chooses the
/// first button, Esc the cancelling one (OK in an OK box). Returns IDOK,
/// IDCANCEL, IDYES or IDNO. Without a display it returns the first button.
int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);

/// A control of a dialog template; positions and sizes in dialog units.
struct DialogControl {
    enum class Kind { DefaultButton, Button, TextCentered, TextLeft };
    Kind kind = Kind::TextLeft;
    int id = -1;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    std::string text;
};

struct DialogTemplate {
    std::string caption;
    std::string fontName;
    int pointSize = 8;
    int cx = 0;                          ///< width in dialog units
    int cy = 0;                          ///< height in dialog units
    std::vector<DialogControl> controls; ///< in control (tab) order
};

/// Runs a modal dialog, centred over owner (or the screen). A button ends it
/// with its id; Esc and the close box end it with IDCANCEL; Enter presses the
/// default button. Without a display it returns IDCANCEL at once.
int DialogBox(HWND owner, const DialogTemplate& dialog);

struct OPENFILENAME {
    HWND owner = nullptr;
    std::string title;
    /// (label, pattern) pairs, for example ("All Files (*.*)", "*.*").
    std::vector<std::pair<std::string, std::string>> filters;
    std::string initialDir; ///< empty: the current directory
    std::string file;       ///< the chosen path, on success
    bool fileMustExist = true;
};

/// Asks for a file to open. A name that does not exist is refused with a
/// message, and the dialog asks again. TRUE with ofn.file set when the user
/// confirmed, FALSE on cancel or without a display.
BOOL GetOpenFileName(OPENFILENAME& ofn);

/// Replacements for the modal calls above, so that tests can answer them
/// without a display. An empty function restores the real one.
struct DialogHooks {
    std::function<int(HWND, const std::string&, const std::string&, UINT)> messageBox;
    std::function<int(HWND, const DialogTemplate&)> dialogBox;
    std::function<BOOL(OPENFILENAME&)> openFileName;
};
void SetDialogHooks(const DialogHooks& hooks);

} // namespace host
