#include "platform/profile/ProfileText.h"

#include "platform/AsciiText.h"

#include <utility>

namespace host {

namespace {

enum class LineKind { Section, Entry, Other };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string name;
    std::string value;
};

constexpr std::size_t npos = std::string::npos;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Trim(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

bool SameName(const std::string& a, const std::string& b) {
    return EqualsIgnoringAsciiCase(a, b);
}

bool Quoted(const std::string& value) {
    return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
           value.back() == value.front();
}

std::string Unquote(const std::string& value) {
    return Quoted(value) ? value.substr(1, value.size() - 2) : value;
}

/// The value as it must be written to read back unchanged: values that
/// reading would trim or unquote are put in quotes.
std::string Quote(const std::string& value) {
    if (value.empty()) {
        return value;
    }
    if (IsBlank(value.front()) || IsBlank(value.back()) || Quoted(value)) {
        return '"' + value + '"';
    }
    return value;
}

ParsedLine Parse(const std::string& text) {
    const std::string trimmed = Trim(text);
    if (!trimmed.empty() && trimmed[0] == '[') {
        const std::size_t close = trimmed.find(']');
        return {LineKind::Section, Trim(trimmed.substr(1, close == npos ? npos : close - 1)), {}};
    }
    const std::size_t equals = trimmed.find('=');
    if (equals == npos) {
        return {};
    }
    return {LineKind::Entry, Trim(trimmed.substr(0, equals)),
            Unquote(Trim(trimmed.substr(equals + 1)))};
}

/// Gives an entry line a new value, keeping the key as it was written. An
/// equal value leaves the line alone. Returns whether the line changed.
bool Replace(std::string& line, const std::string& value) {
    if (Parse(line).value == value) {
        return false;
    }
    line = Trim(line.substr(0, line.find('='))) + "=" + Quote(value);
    return true;
}

bool IsEntry(const std::string& line, const std::string& key) {
    const ParsedLine parsed = Parse(line);
    return parsed.kind == LineKind::Entry && SameName(parsed.name, key);
}

} // namespace

ProfileText::ProfileText(const std::string& content) {
    std::size_t pos = 0;
    while (pos < content.size()) {
        const std::size_t newline = content.find('\n', pos);
        if (newline == npos) {
            m_lines.push_back({content.substr(pos), ""});
            break;
        }
        std::size_t end = newline;
        if (end > pos && content[end - 1] == '\r') {
            --end;
        }
        m_lines.push_back({content.substr(pos, end - pos), content.substr(end, newline + 1 - end)});
        pos = newline + 1;
    }
}

std::optional<std::string> ProfileText::Find(const std::string& section,
                                             const std::string& key) const {
    const std::size_t header = FindSection(section);
    if (header == npos) {
        return std::nullopt;
    }
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (IsEntry(m_lines[i].text, key)) {
            return Parse(m_lines[i].text).value;
        }
    }
    return std::nullopt;
}

bool ProfileText::DeleteSection(const std::string& section) {
    bool changed = false;
    for (std::size_t header = FindSection(section); header != npos; header = FindSection(section)) {
        m_lines.erase(m_lines.begin() + header, m_lines.begin() + SectionEnd(header));
        changed = true;
    }
    return changed;
}

bool ProfileText::DeleteKey(const std::string& section, const std::string& key) {
    const std::size_t header = FindSection(section);
    if (header == npos) {
        return false;
    }
    bool changed = false;
    for (std::size_t i = SectionEnd(header); i-- > header + 1;) {
        if (IsEntry(m_lines[i].text, key)) {
            m_lines.erase(m_lines.begin() + i);
            changed = true;
        }
    }
    return changed;
}

bool ProfileText::Set(const std::string& section, const std::string& key,
                      const std::string& value) {
    const std::string text = key + "=" + Quote(value);
    const std::size_t header = FindSection(section);
    if (header == npos) {
        InsertLine(m_lines.size(), "[" + section + "]");
        InsertLine(m_lines.size(), text);
        return true;
    }
    const std::size_t end = SectionEnd(header);
    std::size_t last = header;
    for (std::size_t i = header + 1; i < end; ++i) {
        if (IsEntry(m_lines[i].text, key)) {
            return Replace(m_lines[i].text, value);
        }
        if (!Trim(m_lines[i].text).empty()) {
            last = i;
        }
    }
    InsertLine(last + 1, text);
    return true;
}

std::string ProfileText::Content() const {
    std::string content;
    for (const Line& line : m_lines) {
        content += line.text + line.eol;
    }
    return content;
}

std::size_t ProfileText::FindSection(const std::string& section) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const ParsedLine parsed = Parse(m_lines[i].text);
        if (parsed.kind == LineKind::Section && SameName(parsed.name, section)) {
            return i;
        }
    }
    return npos;
}

/// The index of the next section header after header, or the line count.
std::size_t ProfileText::SectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < m_lines.size() && Parse(m_lines[i].text).kind != LineKind::Section) {
        ++i;
    }
    return i;
}

/// Inserts a line with the file's own line ending, ending the line before it
/// when that was the unterminated last line.
void ProfileText::InsertLine(std::size_t at, std::string text) {
    std::string eol = "\n";
    for (const Line& line : m_lines) {
        if (!line.eol.empty()) {
            eol = line.eol;
            break;
        }
    }
    if (at > 0 && m_lines[at - 1].eol.empty()) {
        m_lines[at - 1].eol = eol;
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), eol});
}

} // namespace host
