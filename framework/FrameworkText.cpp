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
