#include "platform/PrivateProfile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace host {

namespace {

struct Line {
    std::string text;
    std::string eol; ///< "\n", "\r\n" or "" for a last line without one
};

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

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) {
            return false;
        }
    }
    return true;
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

std::vector<Line> SplitLines(const std::string& content) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < content.size()) {
        std::size_t newline = content.find('\n', pos);
        if (newline == npos) {
            lines.push_back({content.substr(pos), ""});
            break;
        }
        std::size_t end = newline;
        if (end > pos && content[end - 1] == '\r') {
            --end;
        }
        lines.push_back({content.substr(pos, end - pos), content.substr(end, newline + 1 - end)});
        pos = newline + 1;
    }
    return lines;
}

std::string JoinLines(const std::vector<Line>& lines) {
    std::string content;
    for (const Line& line : lines) {
        content += line.text + line.eol;
    }
    return content;
}

/// Reads at most limit + 1 bytes, so that a caller can tell an oversized
/// file. A missing file reads as empty; false only when it exists but
/// cannot be read.
bool LoadFile(const std::string& path, std::size_t limit, std::string& content) {
    content.clear();
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    if (!file) {
        return errno == ENOENT || errno == ENOTDIR;
    }
    char buffer[65536];
    while (content.size() <= limit) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        content.append(buffer, got);
        if (got < sizeof buffer) {
            return std::ferror(file.get()) == 0;
        }
    }
    return true;
}

std::size_t FindSection(const std::vector<Line>& lines, const std::string& section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ParsedLine parsed = Parse(lines[i].text);
        if (parsed.kind == LineKind::Section && SameName(parsed.name, section)) {
            return i;
        }
    }
    return npos;
}

/// The index of the next section header after header, or the line count.
std::size_t SectionEnd(const std::vector<Line>& lines, std::size_t header) {
    std::size_t i = header + 1;
    while (i < lines.size() && Parse(lines[i].text).kind != LineKind::Section) {
        ++i;
    }
    return i;
}

bool IsEntry(const Line& line, const std::string& key) {
    const ParsedLine parsed = Parse(line.text);
    return parsed.kind == LineKind::Entry && SameName(parsed.name, key);
}

bool DeleteSection(std::vector<Line>& lines, const std::string& section) {
    bool changed = false;
    for (std::size_t header = FindSection(lines, section); header != npos;
         header = FindSection(lines, section)) {
        lines.erase(lines.begin() + header, lines.begin() + SectionEnd(lines, header));
        changed = true;
    }
    return changed;
}

bool DeleteKey(std::vector<Line>& lines, const std::string& section, const std::string& key) {
    const std::size_t header = FindSection(lines, section);
    if (header == npos) {
        return false;
    }
    bool changed = false;
    for (std::size_t i = SectionEnd(lines, header); i-- > header + 1;) {
        if (IsEntry(lines[i], key)) {
            lines.erase(lines.begin() + i);
            changed = true;
        }
    }
    return changed;
}

std::string LineEnding(const std::vector<Line>& lines) {
    for (const Line& line : lines) {
        if (!line.eol.empty()) {
            return line.eol;
        }
    }
    return "\n";
}

void AppendLine(std::vector<Line>& lines, std::size_t at, std::string text) {
    const std::string eol = LineEnding(lines);
    if (at > 0 && lines[at - 1].eol.empty()) {
        lines[at - 1].eol = eol;
    }
    lines.insert(lines.begin() + at, Line{std::move(text), eol});
}

bool SetKey(std::vector<Line>& lines, const std::string& section, const std::string& key,
            const std::string& value) {
    const std::string text = key + "=" + Quote(value);
    std::size_t header = FindSection(lines, section);
    if (header == npos) {
        AppendLine(lines, lines.size(), "[" + section + "]");
        AppendLine(lines, lines.size(), text);
        return true;
    }
    const std::size_t end = SectionEnd(lines, header);
    std::size_t last = header;
    for (std::size_t i = header + 1; i < end; ++i) {
        if (IsEntry(lines[i], key)) {
            const bool changed = lines[i].text != text;
            lines[i].text = text;
            return changed;
        }
        if (!Trim(lines[i].text).empty()) {
            last = i;
        }
    }
    AppendLine(lines, last + 1, text);
    return true;
}

bool Holds(const char* text, const char* forbidden) {
    return std::string(text).find_first_of(forbidden) == npos;
}

bool Writable(const char* section, const char* key, const char* value) {
    if (section == nullptr || !Holds(section, "\r\n]")) {
        return false;
    }
    if (key != nullptr && (!Holds(key, "\r\n=") || Trim(key).empty() || Trim(key)[0] == '[')) {
        return false;
    }
    return value == nullptr || Holds(value, "\r\n");
}

/// Cuts the value to the buffer size without splitting a UTF-8 character.
std::string Cut(std::string value) {
    if (value.size() <= PrivateProfile::kMaxValueLength) {
        return value;
    }
    std::size_t end = PrivateProfile::kMaxValueLength;
    while (end > 0 && (static_cast<unsigned char>(value[end]) & 0xC0) == 0x80) {
        --end;
    }
    value.resize(end);
    return value;
}

std::string Folder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == npos) {
        return {};
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool MakeFolders(const std::string& folder) {
    if (folder.empty()) {
        return true;
    }
    struct stat info {};
    if (stat(folder.c_str(), &info) == 0) {
        return S_ISDIR(info.st_mode);
    }
    const std::string parent = Folder(folder);
    if (!parent.empty() && parent != folder && !MakeFolders(parent)) {
        return false;
    }
    // Configuration folders are private to the user.
    return mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

/// The file a write must replace: the target of a symbolic link, so that a
/// linked profile stays linked, else the path itself.
std::string WriteTarget(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return path;
    }
    std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr),
                                                         &std::free);
    return resolved ? std::string(resolved.get()) : path;
}

/// Makes the rename itself durable; a failure here loses nothing.
void SyncFolder(const std::string& folder) {
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

} // namespace

PrivateProfile::PrivateProfile(std::string path) : m_path(std::move(path)) {}

std::string PrivateProfile::ReadString(const char* section, const char* key,
                                       const char* defaultValue) const {
    const std::string fallback = defaultValue != nullptr ? Cut(defaultValue) : std::string();
    std::string content;
    if (section == nullptr || key == nullptr || !LoadFile(m_path, kMaxFileSize, content)) {
        return fallback;
    }
    content.resize(std::min(content.size(), kMaxFileSize));
    const std::vector<Line> lines = SplitLines(content);
    const std::size_t header = FindSection(lines, section);
    if (header == npos) {
        return fallback;
    }
    const std::size_t end = SectionEnd(lines, header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (IsEntry(lines[i], key)) {
            return Cut(Parse(lines[i].text).value);
        }
    }
    return fallback;
}

int PrivateProfile::ReadInt(const char* section, const char* key, int defaultValue) const {
    const std::string value = ReadString(section, key, "");
    if (value.empty()) {
        return defaultValue;
    }
    errno = 0;
    char* end = nullptr;
    const long number = std::strtol(value.c_str(), &end, 10);
    if (end == value.c_str()) {
        return 0;
    }
    return static_cast<int>(std::clamp<long>(number, INT_MIN, INT_MAX));
}

BOOL PrivateProfile::WriteString(const char* section, const char* key, const char* value) {
    if (!Writable(section, key, value)) {
        return FALSE;
    }
    std::string content;
    if (!LoadFile(m_path, kMaxFileSize, content) || content.size() > kMaxFileSize) {
        return FALSE;
    }
    std::vector<Line> lines = SplitLines(content);
    bool changed = false;
    if (key == nullptr) {
        changed = DeleteSection(lines, section);
    } else if (value == nullptr) {
        changed = DeleteKey(lines, section, key);
    } else {
        changed = SetKey(lines, section, key, value);
    }
    return changed ? ReplaceFile(JoinLines(lines)) : TRUE;
}

BOOL PrivateProfile::WriteInt(const char* section, const char* key, int value) {
    return WriteString(section, key, std::to_string(value).c_str());
}

void PrivateProfile::SetFaultInjection(std::function<bool(WriteStep)> failAt) {
    m_failAt = std::move(failAt);
}

BOOL PrivateProfile::ReplaceFile(const std::string& content) const {
    const std::string target = WriteTarget(m_path);
    const std::string folder = Folder(target);
    if (Fails(WriteStep::CreateFolder) || !MakeFolders(folder)) {
        return FALSE;
    }
    std::string temporary = target + ".XXXXXX";
    const int fd = Fails(WriteStep::Open) ? -1 : mkstemp(temporary.data());
    if (fd < 0) {
        return FALSE;
    }
    struct stat old {};
    if (stat(target.c_str(), &old) == 0) {
        fchmod(fd, old.st_mode & 07777);
    }
    const bool written = WriteTemporary(fd, content);
    const bool closed = close(fd) == 0;
    if (!written || !closed || Fails(WriteStep::Rename) ||
        rename(temporary.c_str(), target.c_str()) != 0) {
        unlink(temporary.c_str());
        return FALSE;
    }
    SyncFolder(folder);
    return TRUE;
}

BOOL PrivateProfile::WriteTemporary(int fd, const std::string& content) const {
    // An injected failure stops half-way, as a full disk would.
    const std::size_t size = Fails(WriteStep::Write) ? content.size() / 2 : content.size();
    std::size_t done = 0;
    while (done < size) {
        const ssize_t put = write(fd, content.data() + done, size - done);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return FALSE;
        }
        done += static_cast<std::size_t>(put);
    }
    if (size < content.size() || Fails(WriteStep::Sync)) {
        return FALSE;
    }
    return fsync(fd) == 0 ? TRUE : FALSE;
}

bool PrivateProfile::Fails(WriteStep step) const {
    return m_failAt && m_failAt(step);
}

} // namespace host
