#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

/// Owns records of one kind in blocks that grow with what is actually stored,
/// so that a model's many small records cost a few allocations and records
/// never move once made. Records are destroyed only by Clear or the destructor.
template <typename T> class RecordPool {
public:
    /// Makes one value-initialised record and returns it; the reference stays
    /// valid until Clear. Throws std::bad_alloc when memory runs out.
    T& Add() {
        if (m_usedInLast == m_lastSize) {
            AddBlock();
        }
        return m_blocks.back()[m_usedInLast++];
    }

    /// Destroys every record and gives back all memory.
    void Clear() noexcept {
        m_blocks.clear();
        m_lastSize = 0;
        m_usedInLast = 0;
        m_stored = 0;
    }

    /// The number of records made since the last Clear.
    std::size_t Size() const noexcept { return m_stored + m_usedInLast; }

private:
    static constexpr std::size_t kFirstBlock = 64;
    static constexpr std::size_t kLargestBlock = 65536;

    void AddBlock() {
        // Doubling keeps the block count logarithmic; the cap keeps the memory
        // that a block may leave unused small next to what is stored.
        const std::size_t size =
            m_blocks.empty() ? kFirstBlock : std::min(m_lastSize * 2, kLargestBlock);
        m_blocks.push_back(std::make_unique<T[]>(size));
        m_stored += m_usedInLast;
        m_lastSize = size;
        m_usedInLast = 0;
    }

    std::vector<std::unique_ptr<T[]>> m_blocks;
    std::size_t m_lastSize = 0;   // capacity of the newest block
    std::size_t m_usedInLast = 0; // records made in the newest block
    std::size_t m_stored = 0;     // records in all blocks but the newest
};
