#pragma once

#include <cstddef>
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
    static ModelText FromBytes(std::string bytes);

    /// Reads a whole file. Throws ModelFileError with the system's reason when
    /// the file cannot be opened or read (a missing file, a folder, no access).
    static ModelText FromFile(const std::string& path);

    std::string_view View() const noexcept { return m_text; }

    /// The line and column of the character at offset; an offset at or past the
    /// end names the place just after the last character.
    Position PositionOf(std::size_t offset) const noexcept;

private:
    std::string m_text;
};
