#include "framework/FrameworkText.h"

std::string FormatText(const std::string& format, const std::string& arg) {
    std::string out;
    out.reserve(format.size() + arg.size());
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == '1') {
            out += arg;
            ++i;
            continue;
        }
        out += format[i];
    }
    return out;
}

std::string DocStringField(const std::string& docString, int index) {
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) {
        start = docString.find('\n', start);
        if (start == std::string::npos) {
            return std::string();
        }
        ++start;
    }
    const std::size_t end = docString.find('\n', start);
    return docString.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

namespace {

/// A backslash and the byte's three octal digits.
std::string OctalEscape(unsigned char byte) {
    return {'\\', static_cast<char>('0' + (byte >> 6)), static_cast<char>('0' + ((byte >> 3) & 7)),
            static_cast<char>('0' + (byte & 7))};
}

/// Whether text holds, at i, a UTF-8 control character of the range
/// U+0080..U+009F (two bytes, the first 0xC2).
bool IsUtf8Control(const std::string& text, std::size_t i) {
    return static_cast<unsigned char>(text[i]) == 0xC2 && i + 1 < text.size() &&
           (static_cast<unsigned char>(text[i + 1]) & 0xE0) == 0x80;
}

} // namespace

std::string VisibleText(const std::string& text) {
    static constexpr char kNamed[] = "abtnvfr"; // the escapes of bytes 7 to 13
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (IsUtf8Control(text, i)) {
            out += OctalEscape(byte) + OctalEscape(static_cast<unsigned char>(text[++i]));
        } else if (byte >= 7 && byte <= 13) {
            out += {'\\', kNamed[byte - 7]};
        } else if (byte < 0x20 || byte == 0x7F) {
            out += OctalEscape(byte);
        } else {
            out += text[i];
        }
    }
    return out;
}
