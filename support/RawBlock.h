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

    /// Has the system back the whole pages within [begin, begin + bytes) at
    /// once, ahead of their first writes, which then take no page faults:
    /// cheaper than a fault for each page. The contents stay as they are. Only
    /// a hint: it does nothing for a range of a few pages, and nothing where
    /// the system cannot.
    static void PrepareForWriting(void* begin, std::size_t bytes) noexcept;

private:
    void Free() noexcept;

    void* m_data = nullptr;
    std::size_t m_mapped = 0; // bytes taken from the kernel; 0 for heap memory
};

/// RawBlock::PrepareForWriting for records first to first + count - 1 of an
/// array that has room for capacity records; those past the room are left out.
template <typename Record>
void PrepareRecordsForWriting(Record* array, std::size_t capacity, std::size_t first,
                              std::size_t count) noexcept {
    if (first < capacity) {
        const std::size_t records = count < capacity - first ? count : capacity - first;
        RawBlock::PrepareForWriting(array + first, records * sizeof(Record));
    }
}
