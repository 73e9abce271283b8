#pragma once

#include "model/RawBlock.h"

#include <cstddef>
#include <type_traits>

/// Owns the records of one kind that a model holds, side by side in one block,
/// so that a model's millions of small records cost one allocation, never move
/// while loaded and are freed at once. The block is not cleared: each record is
/// written once, by whoever makes it.
template <typename T> class RecordArray {
    // Records are freed with their block, without running destructors.
    static_assert(std::is_trivially_destructible_v<T>);
    static_assert(std::is_trivially_copyable_v<T>);

public:
    /// Frees what the array held and makes room for capacity records whose
    /// contents are undefined until written; returns the first. Throws
    /// std::bad_alloc when memory runs out (the array is then empty).
    T* Allocate(std::size_t capacity) {
        m_block = RawBlock();
        m_block = RawBlock(capacity * sizeof(T));
        return Data();
    }

    /// The first record; null when nothing is allocated.
    T* Data() const noexcept { return static_cast<T*>(m_block.Data()); }

    /// Frees every record.
    void Clear() noexcept { m_block = RawBlock(); }

private:
    RawBlock m_block;
};
