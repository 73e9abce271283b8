#include "platform/profile/ProfileFile.h"

#include "support/StaleFiles.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace host {

namespace {

/// Closes its descriptor when it goes.
struct OpenFile {
    int fd = -1;
    ~OpenFile() { close(fd); }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
};

/// Whether name is base, a file name, followed by "." and the six characters
/// mkstemp puts in place of "XXXXXX".
bool IsTemporaryOf(std::string_view name, std::string_view base) {
    constexpr std::size_t kRandom = 6;
    if (name.size() != base.size() + 1 + kRandom || name.substr(0, base.size()) != base ||
        name[base.size()] != '.') {
        return false;
    }
    const std::string_view random = name.substr(base.size() + 1);
    return std::all_of(random.begin(), random.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

} // namespace

bool LoadProfileFile(const std::string& path, std::size_t limit, std::string& content) {
    content.clear();
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT || errno == ENOTDIR;
    }
    const OpenFile file{fd};
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    // Sized once, as a 16 MiB profile would otherwise be copied while growing.
    content.reserve(std::min(static_cast<std::size_t>(info.st_size), limit) + 1);
    char buffer[65536];
    while (content.size() <= limit) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return got == 0;
        }
        content.append(buffer, static_cast<std::size_t>(got));
    }
    return true;
}

void RemoveStaleTemporaries(const std::string& folder, const std::string& target) {
    const std::string base = target.substr(target.rfind('/') + 1);
    RemoveStaleFiles(folder, [&](std::string_view name) { return IsTemporaryOf(name, base); });
}

} // namespace host
