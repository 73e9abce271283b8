#include "framework/ReadOnlyFile.h"

#include "framework/CFileException.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The reason a file that opened cannot be read as a document, or 0.
int CheckReadable(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return errno;
    }
    if (S_ISDIR(info.st_mode)) {
        return EISDIR;
    }
    // A pipe or device could block or never end.
    if (!S_ISREG(info.st_mode)) {
        return EACCES;
    }
    if (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
        return errno; // EWOULDBLOCK: another program holds it exclusively
    }
    return 0;
}

} // namespace

ReadOnlyFile::ReadOnlyFile(const std::string& path) {
    // Non-blocking, so that opening a pipe does not wait for a writer.
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (m_fd < 0) {
        throw CFileException::FromErrno(errno, path);
    }
    const int error = CheckReadable(m_fd);
    if (error != 0) {
        ::close(m_fd);
        throw CFileException::FromErrno(error, path);
    }
    struct stat info {};
    ::fstat(m_fd, &info);
    m_length = static_cast<std::uint64_t>(info.st_size);
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
}

ReadOnlyFile::~ReadOnlyFile() {
    ::close(m_fd); // releases the lock
}
