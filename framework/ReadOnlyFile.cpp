#include "framework/ReadOnlyFile.h"

#include "framework/CFileException.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

/// Whether the folder that would hold path exists. Trailing "/" belong to
/// the name, not to the folder.
bool FolderExists(const std::string& path) {
    const std::size_t end = path.find_last_not_of('/');
    if (end == std::string::npos) {
        return !path.empty(); // "/" itself
    }
    const std::size_t slash = path.rfind('/', end);
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : path.substr(0, slash);
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

/// The failure of open(2) for path. The system says ENOENT both for a
/// missing file and for a missing folder on the way to it; the user is told
/// which, since the remedy differs.
CFileException OpenFailure(int error, const std::string& path) {
    if (error == ENOENT && !FolderExists(path)) {
        return CFileException(CFileException::BadPath, error, path);
    }
    return CFileException::FromErrno(error, path);
}

/// Whether another program holds a write lock on any part of the file
/// through fcntl or lockf. Only asked, never taken: a lock of ours could make
/// that program's next lock request fail. The open-file-description query
/// also sees locks held through another descriptor of this process; kernels
/// without it get the process-wide query.
bool WriteLockedElsewhere(int fd) {
    for (const int command : {F_OFD_GETLK, F_GETLK}) {
        // Start 0 and length 0: the whole file, however far it grows. Only a
        // write lock conflicts with the read lock asked about.
        struct flock query {};
        query.l_type = F_RDLCK;
        query.l_whence = SEEK_SET;
        if (::fcntl(fd, command, &query) == 0) {
            return query.l_type != F_UNLCK;
        }
    }
    return false; // the file system keeps no record locks
}

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
    if (WriteLockedElsewhere(fd)) {
        return EWOULDBLOCK;
    }
    // A shared whole-file lock for the length of the read: it fails at once
    // when another program holds the file exclusively, and keeps programs
    // that take exclusive locks from writing while it is read.
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
        throw OpenFailure(errno, path);
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
