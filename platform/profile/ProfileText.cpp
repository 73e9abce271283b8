#include "platform/profile/ProfileText.h"

#include "platform/AsciiText.h"

#include <cassert>
#include <cstdint>
#include <utility>

namespace host {

namespace {

constexpr std::size_t npos = std::string::npos;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
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

bool SameName(std::string_view a, std::string_view b) {
    return EqualsIgnoringAsciiCase(a, b);
}

bool Quoted(std::string_view value) {
    return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
           value.back() == value.front();
}

std::string_view Unquote(std::string_view value) {
    return Quoted(value) ? value.substr(1, value.size() - 2) : value;
}

/// The value as it must be written to read back unchanged: values that
/// reading would trim or unquote are put in quotes.
std::string Quote(std::string_view value) {
    if (!value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) || Quoted(value))) {
        return '"' + std::string(value) + '"';
    }
    return std::string(value);
}

/// A line of the text: [begin, textEnd) is its text, [textEnd, end) its
/// ending ("\n", "\r\n", or nothing for a last line without one).
struct Line {
    std::size_t begin = 0;
    std::size_t textEnd = 0;
    std::size_t end = 0;
};

Line LineAt(std::string_view content, std::size_t begin) {
    const std::size_t newline = content.find('\n', begin);
    if (newline == npos) {
        return {begin, content.size(), content.size()};
    }
    const bool crlf = newline > begin && content[newline - 1] == '\r';
    return {begin, crlf ? newline - 1 : newline, newline + 1};
}

/// The name of a header line ("[name]", or "[name" unclosed, blanks
/// around), or nothing for any other line.
std::optional<std::string_view> HeaderName(std::string_view text) {
    const std::string_view trimmed = Trim(text);
    if (trimmed.empty() || trimmed[0] != '[') {
        return std::nullopt;
    }
    const std::size_t close = trimmed.find(']');
    return Trim(trimmed.substr(1, close == npos ? npos : close - 1));
}

/// An entry line: the name before its first "=" and the value after it,
/// trimmed, its quotes still on.
struct Entry {
    Line line;
    std::string_view name;
    std::string_view value;
};

/// The first entry line in [from, end) of a section body, where from starts
/// a line. Body lines are never headers, so a line is an entry exactly when
/// it holds "=": searching for that byte skips every other line at the speed
/// of a memory scan.
std::optional<Entry> NextEntry(std::string_view content, std::size_t from, std::size_t end) {
    const std::string_view body = content.substr(0, end);
    const std::size_t equals = body.find('=', from);
    if (equals == npos) {
        return std::nullopt;
    }
    const std::size_t newline = body.substr(0, equals).rfind('\n');
    const std::size_t begin = newline == npos || newline < from ? from : newline + 1;
    const Line line = LineAt(content, begin);
    const std::string_view text = content.substr(begin, line.textEnd - begin);
    const std::size_t at = equals - begin;
    return Entry{line, Trim(text.substr(0, at)), Trim(text.substr(at + 1))};
}

/// Where text after [from, end) would go to follow its last line that is not
/// blank: the end of that line, or from when there is none. It walks back
/// over blanks and line endings only, so trailing blank lines cost a scan.
std::size_t AfterLastText(std::string_view content, std::size_t from, std::size_t end) {
    for (std::size_t i = end; i > from; --i) {
        const char c = content[i - 1];
        const bool ending = c == '\n' || (c == '\r' && i < content.size() && content[i] == '\n');
        if (!IsBlank(c) && !ending) {
            return LineAt(content, i - 1).end;
        }
    }
    return from;
}

} // namespace

ProfileText::ProfileText(std::string content) : m_content(std::move(content)) {
    assert(m_content.size() <= UINT32_MAX);
    // A header is a line whose first byte that is not blank is "[": only
    // those bytes need a look, whatever the number of lines.
    const std::string_view text = m_content;
    for (std::size_t at = text.find('['); at != npos; at = text.find('[', at + 1)) {
        std::size_t begin = at;
        while (begin > 0 && IsBlank(text[begin - 1])) {
            --begin;
        }
        if (begin == 0 || text[begin - 1] == '\n') {
            at = IndexHeader(begin, at);
        }
    }
}

std::optional<std::string> ProfileText::Find(std::string_view section, std::string_view key) const {
    const std::size_t index = FindSection(section);
    if (index == npos) {
        return std::nullopt;
    }
    const std::string_view wanted = Trim(key);
    const std::size_t end = SectionEnd(index);
    for (auto entry = NextEntry(m_content, BodyBegin(index), end); entry;
         entry = NextEntry(m_content, entry->line.end, end)) {
        if (SameName(entry->name, wanted)) {
            return std::string(Unquote(entry->value));
        }
    }
    return std::nullopt;
}

bool ProfileText::DeleteSection(std::string_view section) {
    const std::size_t first = FindSection(section);
    if (first == npos) {
        return false;
    }
    const std::string_view wanted = Trim(section);
    std::string kept = m_content.substr(0, m_headers[first].begin);
    std::vector<Header> headers(m_headers.begin(), m_headers.begin() + first);
    std::size_t copied = SectionEnd(first); // the text before this is in kept or deleted
    for (std::size_t i = first + 1; i < m_headers.size(); ++i) {
        Header header = m_headers[i];
        if (!IsNamed(header, wanted)) {
            header.begin -= static_cast<std::uint32_t>(copied - kept.size()); // deleted before it
            headers.push_back(header);
            continue;
        }
        kept.append(m_content, copied, header.begin - copied);
        copied = SectionEnd(i);
    }
    kept.append(m_content, copied, npos);
    m_content = std::move(kept);
    m_headers = std::move(headers);
    m_found.reset();
    return true;
}

bool ProfileText::DeleteKey(std::string_view section, std::string_view key) {
    const std::size_t index = FindSection(section);
    if (index == npos) {
        return false;
    }
    const std::string_view wanted = Trim(key);
    const std::size_t begin = BodyBegin(index);
    const std::size_t end = SectionEnd(index);
    std::string body;
    std::size_t copied = begin;
    for (auto entry = NextEntry(m_content, begin, end); entry;
         entry = NextEntry(m_content, entry->line.end, end)) {
        if (SameName(entry->name, wanted)) {
            body.append(m_content, copied, entry->line.begin - copied);
            copied = entry->line.end;
        }
    }
    if (copied == begin) {
        return false;
    }
    body.append(m_content, copied, end - copied);
    Splice(begin, end, body, index + 1);
    return true;
}

bool ProfileText::Set(std::string_view section, std::string_view key, std::string_view value) {
    // What the caller must keep out, or the new lines would read otherwise.
    assert(section.find_first_of("]\r\n") == npos);
    assert(key.find_first_of("=\r\n") == npos && Trim(key).substr(0, 1) != "[");
    assert(value.find_first_of("\r\n") == npos);
    const std::string_view name = Trim(key);
    const std::size_t index = FindSection(section);
    if (index == npos) {
        AppendSection(Trim(section));
        InsertLine(m_content.size(), std::string(name) + "=" + Quote(value), m_headers.size());
        return true;
    }
    const std::size_t begin = BodyBegin(index);
    const std::size_t end = SectionEnd(index);
    for (auto entry = NextEntry(m_content, begin, end); entry;
         entry = NextEntry(m_content, entry->line.end, end)) {
        if (!SameName(entry->name, name)) {
            continue;
        }
        if (Unquote(entry->value) == value) {
            return false;
        }
        Splice(entry->line.begin, entry->line.textEnd,
               std::string(entry->name) + "=" + Quote(value), index + 1);
        return true;
    }
    InsertLine(AfterLastText(m_content, begin, end), std::string(name) + "=" + Quote(value),
               index + 1);
    return true;
}

/// Whether header names the section wanted. The length, kept in the index,
/// settles it for nearly every other header.
bool ProfileText::IsNamed(const Header& header, std::string_view wanted) const {
    if (header.nameLength != wanted.size()) {
        return false;
    }
    if (wanted.empty()) {
        return true;
    }
    // The name starts at the first byte after the header's "[" that is not
    // blank.
    const std::size_t open = m_content.find('[', header.begin);
    const std::size_t begin = m_content.find_first_not_of(" \t", open + 1);
    return SameName(std::string_view(m_content).substr(begin, header.nameLength), wanted);
}

std::size_t ProfileText::FindSection(std::string_view section) const {
    const std::string_view wanted = Trim(section);
    if (m_found && SameName(m_found->name, wanted)) {
        return m_found->index;
    }
    std::size_t index = 0;
    while (index < m_headers.size() && !IsNamed(m_headers[index], wanted)) {
        ++index;
    }
    m_found = Lookup{std::string(wanted), index == m_headers.size() ? npos : index};
    return m_found->index;
}

std::size_t ProfileText::BodyBegin(std::size_t index) const {
    return LineAt(m_content, m_headers[index].begin).end;
}

/// Where section index ends: at the next header, or at the end of the text.
std::size_t ProfileText::SectionEnd(std::size_t index) const {
    return index + 1 < m_headers.size() ? m_headers[index + 1].begin : m_content.size();
}

/// Replaces [begin, end) of the text, which holds no header, by text; the
/// headers from firstShifted on lie after it and move with it.
void ProfileText::Splice(std::size_t begin, std::size_t end, const std::string& text,
                         std::size_t firstShifted) {
    m_content.replace(begin, end - begin, text);
    assert(m_content.size() <= UINT32_MAX);
    for (std::size_t i = firstShifted; i < m_headers.size(); ++i) {
        m_headers[i].begin =
            static_cast<std::uint32_t>(m_headers[i].begin + text.size() - (end - begin));
    }
}

/// Inserts a line at the start of a line (or at the end of the text) with
/// the file's own line ending, ending the line before it when that was the
/// unterminated last line. Returns where the new line begins.
std::size_t ProfileText::InsertLine(std::size_t at, std::string_view text,
                                    std::size_t firstShifted) {
    std::string line;
    if (at > 0 && m_content[at - 1] != '\n') {
        // A "\r" at its end stays part of its text only before "\r\n".
        line = m_content[at - 1] == '\r' ? "\r\n" : LineEnding();
    }
    // The file's own line ending; the one just added when it had none.
    const std::string eol = m_content.find('\n') == npos && !line.empty() ? line : LineEnding();
    const std::size_t begin = at + line.size();
    line.append(text);
    line += eol;
    Splice(at, at, line, firstShifted);
    return begin;
}

/// Adds a header for name, which must be trimmed and hold no "]", at the end.
void ProfileText::AppendSection(std::string_view name) {
    const std::size_t begin =
        InsertLine(m_content.size(), "[" + std::string(name) + "]", m_headers.size());
    m_headers.push_back(MakeHeader(begin, begin + name.size() + 2));
    m_found = Lookup{std::string(name), m_headers.size() - 1};
}

/// Adds the header whose line starts at begin and has its "[" at open;
/// returns where the search for the next one may go on. A header closed on
/// its line needs no look at the rest of the line; a "[" further on cannot
/// start another.
std::size_t ProfileText::IndexHeader(std::size_t begin, std::size_t open) {
    const std::string_view text = m_content;
    std::size_t close = open + 1;
    while (close < text.size() && text[close] != ']' && text[close] != '\n') {
        ++close;
    }
    if (close == text.size() || text[close] != ']') {
        m_headers.push_back(MakeHeader(begin, LineAt(text, begin).textEnd));
        return close;
    }
    const std::string_view name = Trim(text.substr(open + 1, close - open - 1));
    m_headers.push_back(
        {static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(name.size())});
    return close;
}

/// The header whose line text is [begin, textEnd).
ProfileText::Header ProfileText::MakeHeader(std::size_t begin, std::size_t textEnd) const {
    const std::string_view text = std::string_view(m_content).substr(begin, textEnd - begin);
    return {static_cast<std::uint32_t>(begin),
            static_cast<std::uint32_t>(HeaderName(text)->size())};
}

/// The ending of the text's first line that has one; "\n" when none has.
std::string ProfileText::LineEnding() const {
    const std::size_t newline = m_content.find('\n');
    return newline != npos && newline > 0 && m_content[newline - 1] == '\r' ? "\r\n" : "\n";
}

} // namespace host
