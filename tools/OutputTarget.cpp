#include "tools/OutputTarget.h"

#include "tools/OutputFileError.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// As many links as the kernel follows in one lookup.
constexpr int kMaxLinks = 40;

[[noreturn]] void Refuse(const std::string& output, const std::string& why) {
    throw OutputFileError(output + ": " + why);
}

[[noreturn]] void RefuseFor(const std::string& output, int error) {
    Refuse(output, std::string("cannot be written: ") + std::strerror(error));
}

// Follows the symbolic links from output to the name they end at, so that a
// file put there replaces what the link points to, not the link.
std::string FollowLinks(const std::string& output) {
    fs::path path(output);
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return path.string();
        }
        std::error_code error;
        const fs::path link = fs::read_symlink(path, error);
        if (error) {
            RefuseFor(output, error.value());
        }
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    RefuseFor(output, ELOOP);
}

bool IsSameFile(const struct stat& output, const std::string& input) {
    struct stat status {};
    return !input.empty() && ::stat(input.c_str(), &status) == 0 &&
           status.st_dev == output.st_dev && status.st_ino == output.st_ino;
}

} // namespace

OutputTarget OutputTarget::Find(const std::string& output, const std::string& input) {
    OutputTarget target;
    struct stat status {};
    if (!fs::path(output).has_filename()) {
        Refuse(output, "is a folder, not a file name");
    }
    if (::stat(output.c_str(), &status) != 0) {
        if (errno != ENOENT) {
            RefuseFor(output, errno);
        }
        target.path = FollowLinks(output);
        return target;
    }
    // Checked first, as writing would destroy the input whatever it is.
    if (IsSameFile(status, input)) {
        Refuse(output, "is the input file " + input + " itself");
    }
    if (S_ISDIR(status.st_mode)) {
        Refuse(output, "is a folder, not a file name");
    }
    if (S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode)) {
        target.kind = Kind::Stream;
        target.path = output;
        return target;
    }
    if (!S_ISREG(status.st_mode)) {
        Refuse(output, "is neither a regular file, a FIFO nor a character device");
    }
    // The user's own protection of the file holds, as for a shell's '>'.
    if (::access(output.c_str(), W_OK) != 0) {
        RefuseFor(output, errno);
    }
    target.kind = Kind::Regular;
    target.path = FollowLinks(output);
    target.mode = status.st_mode & 0777;
    target.owner = status.st_uid;
    target.group = status.st_gid;
    return target;
}
