#include "tools/ReplacingFile.h"

#include "tools/OutputFileError.h"

#include "support/StaleFiles.h"

#include <cassert>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <new>
#include <regex>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Reason(const std::string& path, const char* what, int error) {
    return path + ": " + what + ": " + std::strerror(error);
}

// Whether entry is ".NAME.PID-N.tmp", a temporary file of name.
bool IsTemporaryOf(std::string_view entry, const std::string& name) {
    static const std::regex middle("[0-9]+-[0-9]+");
    const std::string prefix = "." + name + ".";
    constexpr std::string_view suffix = ".tmp";
    if (entry.size() <= prefix.size() + suffix.size() || entry.substr(0, prefix.size()) != prefix ||
        entry.substr(entry.size() - suffix.size()) != suffix) {
        return false;
    }
    const std::string_view between =
        entry.substr(prefix.size(), entry.size() - prefix.size() - suffix.size());
    return std::regex_match(between.begin(), between.end(), middle);
}

// Opens a new file of a name no one else uses; -1 with errno set on failure.
int CreateUnique(const fs::path& folder, const std::string& name, std::string& created) {
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

// Writes size bytes from data to fd, going on after a partial write (a pipe).
bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

ReplacingFile::ReplacingFile(std::string target, const std::string& input, Overwrite overwrite)
    : m_target(std::move(target)), m_output(OutputTarget::Find(m_target, input)) {
    if (m_output.kind != OutputTarget::Kind::Stream && overwrite == Overwrite::ByRename) {
        OpenBeside();
        return;
    }
    m_stream = ::open_memstream(&m_memory, &m_memorySize);
    if (!m_stream) {
        throw std::bad_alloc();
    }
}

void ReplacingFile::OpenBeside() {
    const fs::path path(m_output.path);
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const std::string name = path.filename().string();
    RemoveStaleFiles(folder.string(),
                     [&](std::string_view entry) { return IsTemporaryOf(entry, name); });
    const int fd = CreateUnique(folder, name, m_temporary);
    if (fd < 0) {
        throw OutputFileError(Reason(m_target, "cannot be written", errno));
    }
    const bool replacing = m_output.kind == OutputTarget::Kind::Regular;
    if (replacing) {
        // Only root may give a file away; anyone else's copy stays their own.
        const int ignored = ::fchown(fd, m_output.owner, m_output.group);
        static_cast<void>(ignored);
    }
    const bool keptMode = !replacing || ::fchmod(fd, m_output.mode) == 0;
    m_stream = keptMode ? ::fdopen(fd, "wb") : nullptr;
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
    std::free(m_memory);
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

// A client that made the file and holds it open reads the new content through
// its own handle, which a rename would leave on the old, empty file.
void ReplacingFile::WriteDirectly() {
    const int flags = m_output.kind == OutputTarget::Kind::Stream
                          ? O_WRONLY | O_NOCTTY | O_CLOEXEC
                          : O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
    const int fd = ::open(m_output.path.c_str(), flags, 0666);
    if (fd < 0) {
        throw OutputFileError(Reason(m_target, "cannot be written", errno));
    }
    const bool written = WriteAll(fd, m_memory, m_memorySize);
    const int error = errno;
    if (::close(fd) != 0 || !written) {
        throw OutputFileError(Reason(m_target, "cannot be written", written ? errno : error));
    }
}

void ReplacingFile::Commit() {
    assert(m_stream && "Commit is called once");
    CloseStream();
    if (m_temporary.empty()) {
        WriteDirectly();
        return;
    }
    if (std::rename(m_temporary.c_str(), m_output.path.c_str()) != 0) {
        throw OutputFileError(Reason(m_target, "cannot be replaced", errno));
    }
    m_temporary.clear();
}
