#pragma once

#include "support/FileMapping.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

/// The bytes of a model file, and the places in them as a text-mode reader
/// counts them. The bytes are left as they are: the readers apply the text-mode
/// rules as they go (a Ctrl+Z, byte 26, ends the data, which no number or white
/// space can cross; a carriage return right before a line feed is white space
/// like any other and is not counted in columns, where it can only stand at
/// the end of a line). So nothing is copied, and a file is read only as far as
/// its readers look: a large file is mapped, not read.
class ModelText {
public:
    /// The byte that ends the data wherever it stands (Ctrl+Z).
    static constexpr char kEndOfData = 26;

    /// A 1-based place in the text.
    struct Position {
        int line = 1;
        int column = 1;
    };

    /// Text held elsewhere, which must outlive this object; any bytes.
    static ModelText FromBytes(std::string_view bytes);

    /// Opens a file. Throws ModelFileError with the system's reason when the
    /// file cannot be opened or read, or is no regular file (a folder, a
    /// device, a pipe). Throws std::bad_alloc when memory runs out.
    static ModelText FromFile(const std::string& path);

    /// The bytes, text-mode rules not applied.
    std::string_view Bytes() const noexcept { return {m_data, m_size}; }

    /// Lets go of the memory behind bytes in [from, to) that have been read;
    /// they stay readable. Does nothing for text held elsewhere.
    void Release(const char* from, const char* to) const noexcept;

    /// Throws ModelFileError when the file shrank while it was read, so that
    /// part of what was read was not the file's.
    void ThrowIfCutShort() const;

    /// The line and column of the byte at offset; an offset at or past the end
    /// names the place just after the last byte.
    Position PositionOf(std::size_t offset) const noexcept;

private:
    ModelText() = default;

    const char* m_data = nullptr;
    std::size_t m_size = 0;
    std::string m_path;                     // the file's, for errors
    std::unique_ptr<FileMapping> m_mapping; // a mapped file
    std::unique_ptr<char[]> m_buffer;       // a file read into memory
};
