#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

/// The characters of a model file as a text-mode reader sees them: a carriage
/// return right before a line feed is dropped, and a Ctrl+Z (byte 26) ends the
/// data. The whole file is held in memory so that the loader can read it twice
/// without touching the disk again.
class ModelText {
public:
    /// A 1-based place in the text.
    struct Position {
        int line = 1;
        int column = 1;
    };

    /// Applies the text-mode rules to raw file bytes; any bytes are accepted.
    static ModelText FromBytes(std::string_view bytes);

    /// Reads a whole file. Throws ModelFileError with the system's reason when
    /// the file cannot be opened or read, or is no regular file (a folder, a
    /// device, a pipe). Throws std::bad_alloc when memory runs out.
    static ModelText FromFile(const std::string& path);

    std::string_view View() const noexcept { return {m_data.get(), m_size}; }

    /// The line and column of the character at offset; an offset at or past the
    /// end names the place just after the last character.
    Position PositionOf(std::size_t offset) const noexcept;

private:
    ModelText(std::unique_ptr<char[]> data, std::size_t size);

    // Left uninitialised until filled: a large file is written once, not twice.
    std::unique_ptr<char[]> m_data;
    std::size_t m_size = 0;
};
