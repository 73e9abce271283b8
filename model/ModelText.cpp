#include "model/ModelText.h"

#include "model/ModelFileError.h"
#include "support/LineFeeds.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

ModelText ModelText::FromBytes(std::string_view bytes) {
    ModelText text;
    text.m_data = bytes.data();
    text.m_size = bytes.size();
    return text;
}

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) {
            close(m_fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd = -1;
};

[[noreturn]] void ThrowSystemError(const std::string& path, const char* what) {
    throw ModelFileError(path, std::string(what) + std::strerror(errno));
}

// A folder, a device or a pipe has no end to read to, or none worth waiting
// for. A missing file is left to open, whose reason is the clearest; opening
// does not wait for a pipe's writer, should the path have become one since.
int OpenFile(const std::string& path) {
    std::error_code error;
    const auto kind = std::filesystem::status(path, error);
    if (std::filesystem::exists(kind) && !std::filesystem::is_regular_file(kind)) {
        throw ModelFileError(path, "cannot be read: not a regular file");
    }
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        ThrowSystemError(path, "cannot be opened: ");
    }
    return fd;
}

// The size of the open file, which must still be a regular one.
std::size_t RegularFileSize(int fd, const std::string& path) {
    struct stat status = {};
    if (fstat(fd, &status) != 0) {
        ThrowSystemError(path, "cannot be read: ");
    }
    if (!S_ISREG(status.st_mode)) {
        throw ModelFileError(path, "cannot be read: not a regular file");
    }
    return static_cast<std::size_t>(status.st_size);
}

// Reads to the end of the file. The size is only a hint: one byte more lets the
// first read see the end, and a file that grew meanwhile makes the buffer grow.
std::unique_ptr<char[]> ReadAll(int fd, const std::string& path, std::size_t sizeHint,
                                std::size_t& size) {
    std::size_t capacity = sizeHint + 1;
    std::unique_ptr<char[]> data(new char[capacity]);
    size = 0;
    for (;;) {
        const ssize_t got = read(fd, data.get() + size, capacity - size);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            ThrowSystemError(path, "cannot be read: ");
        }
        if (got == 0) {
            return data;
        }
        size += static_cast<std::size_t>(got);
        if (size == capacity) {
            std::unique_ptr<char[]> larger(new char[capacity * 2]);
            std::memcpy(larger.get(), data.get(), size);
            data = std::move(larger);
            capacity *= 2;
        }
    }
}

} // namespace

ModelText ModelText::FromFile(const std::string& path) {
    const Descriptor fd(OpenFile(path));
    const std::size_t size = RegularFileSize(fd.Get(), path);
    ModelText text;
    text.m_path = path;
    // A file that says it is empty may still have contents (as some system
    // files do); only reading finds them.
    text.m_mapping = size > 0 ? FileMapping::Map(fd.Get(), size) : nullptr;
    if (text.m_mapping) {
        text.m_data = text.m_mapping->Data();
        text.m_size = text.m_mapping->Size();
        return text;
    }
    text.m_buffer = ReadAll(fd.Get(), path, size, text.m_size);
    text.m_data = text.m_buffer.get();
    return text;
}

void ModelText::Release(const char* from, const char* to) const noexcept {
    if (m_mapping) {
        m_mapping->Release(from, to);
    }
}

void ModelText::ThrowIfCutShort() const {
    if (m_mapping && m_mapping->CutShort()) {
        throw ModelFileError(m_path, "cannot be read: the file shrank while it was read");
    }
}

ModelText::Position ModelText::PositionOf(std::size_t offset) const noexcept {
    offset = std::min(offset, m_size);
    const char* at = m_data + offset;
    Position position;
    position.line = 1 + static_cast<int>(CountLineFeeds(m_data, at));
    const char* lineStart = at;
    while (lineStart != m_data && lineStart[-1] != '\n') {
        --lineStart;
    }
    position.column = 1 + static_cast<int>(at - lineStart);
    return position;
}
