#pragma once
// Text shown as a toolkit label: "@" starts a symbol there, and doubled it
// shows itself. Menu items and dialog buttons keep their "&" mnemonics.

#include <string>

namespace host {

/// text with every "@" doubled, so that the toolkit draws it as written.
inline std::string ToolkitLabel(const std::string& text) {
    std::string label;
    for (char c : text) {
        label += c;
        if (c == '@') {
            label += '@';
        }
    }
    return label;
}

} // namespace host
