#include "platform/HostDialogs.h"

#include "platform/HostDisplay.h"
#include "platform/dialog/DialogWindow.h"
#include "platform/filedialog/FileDialog.h"
#include "platform/messagebox/MessageBoxButtons.h"
#include "platform/messagebox/MessageBoxWindow.h"

namespace host {

namespace {

DialogHooks& Hooks() {
    static DialogHooks hooks;
    return hooks;
}

} // namespace

// Each call copies its hook before calling it, so that a hook that replaces
// the hooks does not destroy itself while it runs.

int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    if (const auto hook = Hooks().messageBox) {
        return hook(owner, text, caption, type);
    }
    if (!HasDisplay()) {
        return MessageBoxButtons::For(type).front().id;
    }
    MessageBoxWindow box(text, caption, type);
    return box.Run(owner);
}

int DialogBox(HWND owner, const DialogTemplate& dialog) {
    if (const auto hook = Hooks().dialogBox) {
        return hook(owner, dialog);
    }
    if (!HasDisplay()) {
        return IDCANCEL;
    }
    DialogWindow window(dialog);
    return window.Run(owner, false);
}

BOOL GetOpenFileName(OPENFILENAME& ofn) {
    if (const auto hook = Hooks().openFileName) {
        return hook(ofn);
    }
    if (!HasDisplay()) {
        return FALSE;
    }
    return FileDialog::Run(ofn, FileDialog::AskNative);
}

void SetDialogHooks(const DialogHooks& hooks) {
    Hooks() = hooks;
}

} // namespace host
