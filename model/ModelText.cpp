#include "model/ModelText.h"

#include "model/ModelFileError.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

static constexpr char kEndOfData = 26; // Ctrl+Z

static void DropCarriageReturnsBeforeLineFeeds(std::string& text) {
    std::size_t from = text.find('\r');
    if (from == std::string::npos) {
        return; // the common case costs one scan and no copy
    }
    std::size_t to = from;
    for (; from < text.size(); ++from) {
        const bool dropped = text[from] == '\r' && from + 1 < text.size() && text[from + 1] == '\n';
        if (!dropped) {
            text[to++] = text[from];
        }
    }
    text.resize(to);
}

ModelText ModelText::FromBytes(std::string bytes) {
    const std::size_t end = bytes.find(kEndOfData);
    if (end != std::string::npos) {
        bytes.resize(end);
    }
    DropCarriageReturnsBeforeLineFeeds(bytes);
    ModelText text;
    text.m_text = std::move(bytes);
    return text;
}

namespace {
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
} // namespace

static std::string ReadAll(const std::string& path) {
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
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    std::string bytes(error ? 0 : static_cast<std::size_t>(size), '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
    char chunk[65536]; // whatever the file gained since its size was taken
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        bytes.append(chunk, got);
    }
    if (std::ferror(file.get())) {
        throw ModelFileError(path, std::string("cannot be read: ") + std::strerror(errno));
    }
    return bytes;
}

ModelText ModelText::FromFile(const std::string& path) {
    return FromBytes(ReadAll(path));
}

ModelText::Position ModelText::PositionOf(std::size_t offset) const noexcept {
    offset = std::min(offset, m_text.size());
    const auto begin = m_text.begin();
    const auto at = begin + static_cast<std::ptrdiff_t>(offset);
    Position position;
    position.line = 1 + static_cast<int>(std::count(begin, at, '\n'));
    const std::size_t lineStart = m_text.rfind('\n', offset == 0 ? 0 : offset - 1);
    const bool firstLine = lineStart == std::string::npos || offset == 0;
    position.column = static_cast<int>(firstLine ? offset + 1 : offset - lineStart);
    return position;
}
