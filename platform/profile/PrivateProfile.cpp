#include "platform/PrivateProfile.h"

#include "platform/Utf8Text.h"
#include "platform/profile/ProfileFile.h"
#include "platform/profile/ProfileText.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace host {

namespace {

constexpr std::size_t npos = std::string::npos;

/// Says once for the whole run why the profile is not written, so that
/// files opened later do not silently miss it.
void ReportTooLarge(const std::string& path) {
    static std::atomic<bool> reported{false};
    if (!reported.exchange(true)) {
        std::fprintf(stderr, "%s: %s is larger than %zu MiB and is left unchanged\n",
                     program_invocation_short_name, path.c_str(),
                     PrivateProfile::kMaxFileSize >> 20);
    }
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
    // A longer value would read back cut.
    return value == nullptr ||
           (Holds(value, "\r\n") && std::strlen(value) <= PrivateProfile::kMaxValueLength);
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
        if (!LoadProfileFile(m_path, kMaxFileSize, content)) {
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
    const bool read = LoadProfileFile(m_path, kMaxFileSize, content);
    m_batchTooLarge = read && content.size() > kMaxFileSize;
    content.resize(std::min(content.size(), kMaxFileSize));
    m_batchRead = content;
    m_batch = std::make_unique<ProfileText>(std::move(content));
    m_batchBroken = !read;
    return ToBOOL(read && !m_batchTooLarge);
}

BOOL PrivateProfile::CommitBatch() {
    const std::unique_ptr<ProfileText> batch = std::move(m_batch);
    const std::string read = std::exchange(m_batchRead, {});
    const bool broken = std::exchange(m_batchBroken, false);
    const bool tooLarge = std::exchange(m_batchTooLarge, false);
    if (broken) {
        return FALSE;
    }
    // Rewriting the same text would only cost two flushes to the disk: the
    // recent files are written back like this at every exit.
    if (batch->Content() == read) {
        return TRUE;
    }
    if (tooLarge) {
        ReportTooLarge(m_path);
        return FALSE;
    }
    return ReplaceFile(batch->Content());
}

/// The file's text. False when it exists but cannot be read, or is too large
/// to be rewritten without losing what lies beyond what was read.
bool PrivateProfile::Load(std::string& content) const {
    if (!LoadProfileFile(m_path, kMaxFileSize, content)) {
        return false;
    }
    if (content.size() > kMaxFileSize) {
        ReportTooLarge(m_path);
        return false;
    }
    return true;
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
    RemoveStaleTemporaries(folder, target);
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
