#include "tools/ReplacingFile.h"

#include "tools/OutputFileError.h"

#include <cassert>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

static std::string Reason(const std::string& path, const char* what, int error) {
    return path + ": " + what + ": " + std::strerror(error);
}

// Opens a new file of a name no one else uses; -1 with errno set on failure.
static int CreateUnique(const fs::path& folder, const std::string& name, std::string& created) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = (folder / ("." + name + "." + std::to_string(::getpid()) +
                                                 "-" + std::to_string(attempt) + ".tmp"))
                                          .string();
        // Mode 0666 lets the umask decide, as for any new file.
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            created = fd >= 0 ? candidate : "";
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

// Whether both paths name one existing file, through any links.
static bool SameFile(const std::string& a, const std::string& b) {
    struct stat first = {};
    struct stat second = {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

ReplacingFile::ReplacingFile(std::string target, const std::string& input)
    : m_target(std::move(target)) {
    if (!input.empty() && SameFile(m_target, input)) {
        throw OutputFileError(m_target + ": is the input file, which is never replaced");
    }
    const fs::path path(m_target);
    std::error_code ignored;
    if (!path.has_filename() || fs::is_directory(path, ignored)) {
        throw OutputFileError(m_target + ": is a folder, not a file name");
    }
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const int fd = CreateUnique(folder, path.filename().string(), m_temporary);
    if (fd < 0) {
        throw OutputFileError(Reason(m_target, "cannot be written", errno));
    }
    m_stream = ::fdopen(fd, "wb");
    if (!m_stream) {
        const int error = errno;
        ::close(fd);
        ::unlink(m_temporary.c_str());
        throw OutputFileError(Reason(m_target, "cannot be written", error));
    }
}

ReplacingFile::~ReplacingFile() {
    if (m_stream) {
        std::fclose(m_stream);
    }
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
    }
}

void ReplacingFile::CloseStream() {
    std::FILE* stream = m_stream;
    m_stream = nullptr;
    const bool failed = std::ferror(stream) != 0;
    // Closing flushes, and reports a disk that filled up meanwhile.
    if (std::fclose(stream) != 0 || failed) {
        throw OutputFileError(Reason(m_target, "cannot be written", failed ? EIO : errno));
    }
}

void ReplacingFile::Commit() {
    assert(m_stream && "Commit is called once");
    CloseStream();
    if (std::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        throw OutputFileError(Reason(m_target, "cannot be replaced", errno));
    }
    m_temporary.clear();
}
