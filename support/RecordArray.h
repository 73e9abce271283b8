#pragma once

#include "support/RawBlock.h"

#include <cstddef>
#include <type_traits>
#include <utility>

/// Owns the records of one kind that a model holds, side by side in one block,
/// so that a model's millions of small records cost one allocation, never move
/// while loaded and are freed at once. The block is not cleared: each record is
/// written once, by whoever makes it.
template <typename T> class RecordArray {
    // Records are freed with their block, without running destructors.
    static_assert(std::is_trivially_destructible_v<T>);
    static_assert(std::is_trivially_copyable_v<T>);

public:
    RecordArray() = default;
    RecordArray(RecordArray&& other) noexcept
        : m_block(std::move(other.m_block)), m_capacity(std::exchange(other.m_capacity, 0)) {}
    RecordArray& operator=(RecordArray&& other) noexcept {
        m_block = std::move(other.m_block);
        m_capacity = std::exchange(other.m_capacity, 0);
        return *this;
    }

    /// Frees what the array held and makes room for capacity records whose
    /// contents are undefined until written; returns the first. Throws
    /// std::bad_alloc when memory runs out (the array is then empty).
    T* Allocate(std::size_t capacity) {
        Clear();
        m_block = RawBlock(capacity * sizeof(T));
        m_capacity = capacity;
        return Data();
    }

    /// The first record; null when nothing is allocated.
    T* Data() const noexcept { return static_cast<T*>(m_block.Data()); }

    /// How many records there is room for; 0 when nothing is allocated.
    std::size_t Capacity() const noexcept { return m_capacity; }

    /// Frees every record.
    void Clear() noexcept {
        m_block = RawBlock();
        m_capacity = 0;
    }

private:
    RawBlock m_block;
    std::size_t m_capacity = 0;
};
