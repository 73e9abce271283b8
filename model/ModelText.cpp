#include "model/ModelText.h"

#include "model/ModelFileError.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>

static constexpr char kEndOfData = 26; // Ctrl+Z

// Returns the new size. Only text that holds a carriage return is moved.
static std::size_t DropCarriageReturnsBeforeLineFeeds(char* text, std::size_t size) {
    char* end = text + size;
    void* first = std::memchr(text, '\r', size);
    char* from = first ? static_cast<char*>(first) : end;
    char* to = from;
    for (; from != end; ++from) {
        const bool dropped = *from == '\r' && from + 1 != end && from[1] == '\n';
        if (!dropped) {
            *to++ = *from;
        }
    }
    return static_cast<std::size_t>(to - text);
}

ModelText::ModelText(std::unique_ptr<char[]> data, std::size_t size)
    : m_data(std::move(data)), m_size(size) {
    const void* endOfData = std::memchr(m_data.get(), kEndOfData, m_size);
    if (endOfData) {
        m_size = static_cast<std::size_t>(static_cast<const char*>(endOfData) - m_data.get());
    }
    m_size = DropCarriageReturnsBeforeLineFeeds(m_data.get(), m_size);
}

ModelText ModelText::FromBytes(std::string_view bytes) {
    std::unique_ptr<char[]> data(new char[bytes.size() + 1]);
    std::copy(bytes.begin(), bytes.end(), data.get());
    return ModelText(std::move(data), bytes.size());
}

namespace {
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
} // namespace

static std::unique_ptr<std::FILE, FileCloser> OpenRegularFile(const std::string& path) {
    // A folder, a device or a pipe has no end to read to, or none worth waiting
    // for; opening a pipe alone may block. A missing file is left to fopen, whose
    // reason is the clearest.
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        throw ModelFileError(path, "cannot be read: not a regular file");
    }
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        throw ModelFileError(path, std::string("cannot be opened: ") + std::strerror(errno));
    }
    return file;
}

ModelText ModelText::FromFile(const std::string& path) {
    const auto file = OpenRegularFile(path);
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    // One byte more than the size lets the first read see the end of the file; a
    // file that grew meanwhile makes the buffer grow.
    std::size_t capacity = (error ? 0 : static_cast<std::size_t>(size)) + 1;
    std::unique_ptr<char[]> data(new char[capacity]);
    std::size_t used = 0;
    while ((used += std::fread(data.get() + used, 1, capacity - used, file.get())) == capacity) {
        std::unique_ptr<char[]> larger(new char[capacity * 2]);
        std::copy(data.get(), data.get() + used, larger.get());
        data = std::move(larger);
        capacity *= 2;
    }
    if (std::ferror(file.get())) {
        throw ModelFileError(path, std::string("cannot be read: ") + std::strerror(errno));
    }
    return ModelText(std::move(data), used);
}

ModelText::Position ModelText::PositionOf(std::size_t offset) const noexcept {
    const std::string_view text = View();
    offset = std::min(offset, text.size());
    Position position;
    position.line = 1 + static_cast<int>(std::count(text.begin(), text.begin() + offset, '\n'));
    const std::size_t lineStart =
        offset == 0 ? std::string_view::npos : text.rfind('\n', offset - 1);
    position.column =
        static_cast<int>(lineStart == std::string_view::npos ? offset + 1 : offset - lineStart);
    return position;
}
