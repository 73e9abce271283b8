#include "platform/menu/MenuLabel.h"

#include "platform/AsciiText.h"
#include "platform/dialog/ToolkitLabel.h"

#include <FL/Enumerations.H>

#include <cctype>
#include <map>

namespace host {

namespace {

int NamedKey(const std::string& name) {
    static const std::map<std::string, int> keys = {{"del", FL_Delete},
                                                    {"delete", FL_Delete},
                                                    {"ins", FL_Insert},
                                                    {"insert", FL_Insert},
                                                    {"backspace", FL_BackSpace},
                                                    {"bksp", FL_BackSpace},
                                                    {"enter", FL_Enter},
                                                    {"esc", FL_Escape},
                                                    {"escape", FL_Escape},
                                                    {"tab", FL_Tab},
                                                    {"space", ' '},
                                                    {"home", FL_Home},
                                                    {"end", FL_End},
                                                    {"left", FL_Left},
                                                    {"right", FL_Right},
                                                    {"up", FL_Up},
                                                    {"down", FL_Down}};
    const std::string key = AsciiLowered(name);
    if (key.size() == 1) {
        return static_cast<unsigned char>(key[0]);
    }
    if (auto it = keys.find(key); it != keys.end()) {
        return it->second;
    }
    if (key.size() <= 3 && key[0] == 'f' && std::isdigit(static_cast<unsigned char>(key[1]))) {
        const int n = std::stoi(key.substr(1));
        return n >= 1 && n <= 12 ? FL_F + n : 0;
    }
    return 0;
}

int Modifier(const std::string& name) {
    const std::string word = AsciiLowered(name);
    if (word == "ctrl" || word == "control") {
        return FL_CTRL;
    }
    if (word == "shift") {
        return FL_SHIFT;
    }
    if (word == "alt") {
        return FL_ALT;
    }
    return 0;
}

} // namespace

int MenuLabel::ParseShortcut(const std::string& text) {
    int modifiers = 0;
    size_t start = 0;
    for (size_t plus = text.find('+', start); plus != std::string::npos && plus + 1 < text.size();
         plus = text.find('+', start)) {
        const int modifier = Modifier(text.substr(start, plus - start));
        if (modifier == 0) {
            return 0;
        }
        modifiers |= modifier;
        start = plus + 1;
    }
    const int key = NamedKey(text.substr(start));
    return key == 0 ? 0 : modifiers | key;
}

MenuLabel MenuLabel::Parse(const std::string& text) {
    MenuLabel result;
    const size_t tab = text.find('\t');
    result.label = ToolkitLabel(text.substr(0, tab));
    if (tab != std::string::npos) {
        result.shortcut = ParseShortcut(text.substr(tab + 1));
    }
    return result;
}

} // namespace host
