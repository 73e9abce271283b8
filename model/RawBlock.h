#pragma once

#include <cstddef>

/// Uninitialised memory for records, so that a record is written once, when it
/// is made, and never cleared first. Large blocks come straight from the
/// kernel, and their pages that are never written take no memory.
class RawBlock {
public:
    RawBlock() = default;

    /// At least bytes of memory, aligned for any record; its contents are
    /// undefined until written. Throws std::bad_alloc when there is no room.
    explicit RawBlock(std::size_t bytes);

    RawBlock(RawBlock&& other) noexcept;
    RawBlock& operator=(RawBlock&& other) noexcept;
    RawBlock(const RawBlock&) = delete;
    RawBlock& operator=(const RawBlock&) = delete;
    ~RawBlock();

    /// The memory; null for an empty block.
    void* Data() const noexcept { return m_data; }

private:
    void Free() noexcept;

    void* m_data = nullptr;
    std::size_t m_mapped = 0; // bytes taken from the kernel; 0 for heap memory
};
