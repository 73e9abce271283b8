#pragma once
// Answers every message box with its first button and remembers what it said,
// so that tests need no display. The About dialog is answered with OK too.

#include "platform/HostDialogs.h"

#include <string>
#include <vector>

class MessageBoxRecorder {
public:
    struct Box {
        std::string caption;
        std::string text;
        host::UINT type = 0;
    };

    MessageBoxRecorder() {
        host::DialogHooks hooks;
        hooks.messageBox = [this](host::HWND, const std::string& text, const std::string& caption,
                                  host::UINT type) {
            boxes.push_back({caption, text, type});
            return (type & host::MB_TYPEMASK) == host::MB_YESNO ||
                           (type & host::MB_TYPEMASK) == host::MB_YESNOCANCEL
                       ? host::IDYES
                       : host::IDOK;
        };
        hooks.dialogBox = [this](host::HWND, const host::DialogTemplate& dialog) {
            dialogs.push_back(dialog.caption);
            return host::IDOK;
        };
        hooks.openFileName = [this](host::OPENFILENAME& ofn) {
            openDialogs.push_back(ofn);
            if (answer.empty()) {
                return host::FALSE;
            }
            ofn.file = answer;
            return host::TRUE;
        };
        host::SetDialogHooks(hooks);
    }
    ~MessageBoxRecorder() { host::SetDialogHooks(host::DialogHooks{}); }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    std::vector<Box> boxes;
    std::vector<std::string> dialogs;            ///< captions of the modal dialogs shown
    std::vector<host::OPENFILENAME> openDialogs; ///< the open-file dialogs asked for
    std::string answer; ///< the file the open-file dialog returns; empty: cancel
};
