#pragma once

#include "support/BusErrorGuard.h"

#include <cstddef>
#include <memory>

/// A whole regular file mapped read-only into memory: its pages are read from
/// the page cache only when touched, so a reader that stops early never reads
/// the rest, and nothing is copied. Guarded against the file shrinking meanwhile
/// (see BusErrorGuard).
class FileMapping {
public:
    /// Maps the first size bytes (size > 0) of the open file fd. Returns null
    /// when the file cannot be mapped or no guard is free, so that the caller
    /// reads it instead. Throws std::bad_alloc when memory runs out.
    static std::unique_ptr<FileMapping> Map(int fd, std::size_t size);

    ~FileMapping();
    FileMapping(const FileMapping&) = delete;
    FileMapping& operator=(const FileMapping&) = delete;

    const char* Data() const noexcept { return m_data.get(); }
    std::size_t Size() const noexcept { return m_data.get_deleter().size; }

    /// Lets go of the memory that holds the whole pages within [from, to):
    /// they are read again from the page cache if touched later. For text that
    /// has been parsed, so that a large file never takes its size in memory.
    void Release(const char* from, const char* to) const noexcept;

    /// Whether the file is shorter now than when it was mapped, or a page read
    /// as zeros because it had shrunk.
    bool CutShort() const noexcept;

private:
    struct Unmap {
        std::size_t size = 0;
        void operator()(const char* data) const noexcept;
    };
    using Pages = std::unique_ptr<const char, Unmap>;

    FileMapping(Pages data, int fd) noexcept;

    // Declared first, so destroyed last: no other mapping may take the range
    // while the guard still names it.
    Pages m_data;
    BusErrorGuard m_guard;
    int m_fd = -1; // the file, kept open to see whether it shrinks
};
