#include "platform/PrivateProfile.h"

#include "platform/Utf8Text.h"
#include "platform/profile/ProfileText.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace host {

namespace {

constexpr std::size_t npos = std::string::npos;

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
    // Sized once, as a 16 MiB profile would otherwise be copied while growing.
    struct stat info {};
    if (fstat(fileno(file.get()), &info) == 0 && S_ISREG(info.st_mode)) {
        content.reserve(std::min(static_cast<std::size_t>(info.st_size), limit) + 1);
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

bool Holds(const char* text, const char* forbidden) {
    return std::string(text).find_first_of(forbidden) == npos;
}

bool Writable(const char* section, const char* key, const char* value) {
    if (section == nullptr || !Holds(section, "\r\n]")) {
        return false;
    }
    if (key != nullptr) {
        // A blank key cannot be found again; one starting with "[" would read
        // as a section header.
        const std::size_t first = std::string(key).find_first_not_of(" \t");
        if (!Holds(key, "\r\n=") || first == npos || key[first] == '[') {
            return false;
        }
    }
    return value == nullptr || Holds(value, "\r\n");
}

/// Makes the change that WriteString describes; whether the text changed.
bool Apply(ProfileText& text, const char* section, const char* key, const char* value) {
    if (key == nullptr) {
        return text.DeleteSection(section);
    }
    if (value == nullptr) {
        return text.DeleteKey(section, key);
    }
    return text.Set(section, key, value);
}

/// Cuts the value to the buffer size without splitting a UTF-8 character.
std::string Cut(const std::string& value) {
    return Utf8Prefix(value, PrivateProfile::kMaxValueLength);
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

PrivateProfile::~PrivateProfile() = default;

std::string PrivateProfile::ReadString(const char* section, const char* key,
                                       const char* defaultValue) const {
    const std::string fallback = defaultValue != nullptr ? Cut(defaultValue) : std::string();
    if (section == nullptr || key == nullptr) {
        return fallback;
    }
    std::optional<std::string> value;
    if (m_batch) {
        value = m_batch->Find(section, key);
    } else {
        std::string content;
        if (!LoadFile(m_path, kMaxFileSize, content)) {
            return fallback;
        }
        content.resize(std::min(content.size(), kMaxFileSize));
        value = ProfileText(std::move(content)).Find(section, key);
    }
    return value ? Cut(*value) : fallback;
}

int PrivateProfile::ReadInt(const char* section, const char* key, int defaultValue) const {
    const std::string value = ReadString(section, key, "");
    if (value.empty()) {
        return defaultValue;
    }
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
    if (m_batch) {
        if (m_batchBroken) {
            return FALSE;
        }
        Apply(*m_batch, section, key, value);
        return TRUE;
    }
    std::string content;
    if (!Load(content)) {
        return FALSE;
    }
    ProfileText text(std::move(content));
    // Nothing to change: the file is not touched, nor created.
    if (!Apply(text, section, key, value)) {
        return TRUE;
    }
    return ReplaceFile(text.Content());
}

BOOL PrivateProfile::BeginBatch() {
    std::string content;
    const bool loaded = Load(content);
    content.resize(std::min(content.size(), kMaxFileSize));
    m_batchRead = content;
    m_batch = std::make_unique<ProfileText>(std::move(content));
    m_batchBroken = !loaded;
    return ToBOOL(loaded);
}

BOOL PrivateProfile::CommitBatch() {
    const std::unique_ptr<ProfileText> batch = std::move(m_batch);
    const std::string read = std::exchange(m_batchRead, {});
    const bool broken = std::exchange(m_batchBroken, false);
    if (broken) {
        return FALSE;
    }
    // Rewriting the same text would only cost two flushes to the disk: the
    // recent files are written back like this at every exit.
    return batch->Content() == read ? TRUE : ReplaceFile(batch->Content());
}

/// The file's text. False when it exists but cannot be read, or is too large
/// to be rewritten without losing what lies beyond what was read.
bool PrivateProfile::Load(std::string& content) const {
    return LoadFile(m_path, kMaxFileSize, content) && content.size() <= kMaxFileSize;
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
    return ToBOOL(fsync(fd) == 0);
}

bool PrivateProfile::Fails(WriteStep step) const {
    return m_failAt && m_failAt(step);
}

} // namespace host
