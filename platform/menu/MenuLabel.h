#pragma once
// Turning a menu text ("&Načítať...\tCtrl+O") into what the toolkit shows: the
// label with its mnemonic, and a shortcut shown beside it.

#include <string>

namespace host {

struct MenuLabel {
    std::string label; ///< the text before the tab, with toolkit symbols escaped
    int shortcut = 0;  ///< the toolkit key for the text after the tab, 0 for none

    /// Splits text; a shortcut text that names no known key shows nothing.
    static MenuLabel Parse(const std::string& text);
    /// The toolkit key for "Ctrl+O", "Shift+F6", "Alt+Backspace"...; 0 when unknown.
    static int ParseShortcut(const std::string& text);
};

} // namespace host
