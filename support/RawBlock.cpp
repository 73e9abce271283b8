#include "support/RawBlock.h"

#include <cstdint>
#include <cstdlib>
#include <new>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>

// From this size on a block is mapped on its own, so that freeing it gives its
// memory back to the system at once; smaller ones are served by the heap,
// which reuses freed memory.
static constexpr std::size_t kMappedFrom = std::size_t{2} << 20;

// MAP_NORESERVE because a block is sized for the counts a file claims, and
// only what is written costs memory. No transparent huge pages: a huge page
// must be found and cleared whole at its first write, where small pages are
// faulted in as the loader reaches them, from memory mostly at hand.
static void* Map(std::size_t bytes) {
    void* start = mmap(nullptr, bytes, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (start == MAP_FAILED) {
        throw std::bad_alloc();
    }
    return start;
}

RawBlock::RawBlock(std::size_t bytes) {
    if (bytes >= kMappedFrom) {
        m_data = Map(bytes);
        m_mapped = bytes;
        return;
    }
    m_data = std::malloc(bytes == 0 ? 1 : bytes);
    if (!m_data) {
        throw std::bad_alloc();
    }
}

RawBlock::RawBlock(RawBlock&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_mapped(std::exchange(other.m_mapped, 0)) {}

RawBlock& RawBlock::operator=(RawBlock&& other) noexcept {
    if (this != &other) {
        Free();
        m_data = std::exchange(other.m_data, nullptr);
        m_mapped = std::exchange(other.m_mapped, 0);
    }
    return *this;
}

RawBlock::~RawBlock() {
    Free();
}

void RawBlock::Free() noexcept {
    if (m_mapped != 0) {
        munmap(m_data, m_mapped);
    } else {
        std::free(m_data);
    }
    m_data = nullptr;
    m_mapped = 0;
}

// Below this, one call saves too few faults to be worth making.
static constexpr std::size_t kPreparedFrom = std::size_t{64} << 10;

// Backing a large range in one call saves a fault for every page of it.
void RawBlock::PrepareForWriting(void* begin, std::size_t bytes) noexcept {
#ifdef MADV_POPULATE_WRITE
    static const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    if (bytes < kPreparedFrom) {
        return;
    }
    // Only whole pages inside the range: the pages around it may be anything.
    const auto start = reinterpret_cast<std::uintptr_t>(begin);
    const std::uintptr_t first = (start + page - 1) & ~(page - 1);
    const std::uintptr_t last = (start + bytes) & ~(page - 1);
    if (first < last) {
        // A failure (a kernel without it, no memory) leaves the faults to come.
        madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
    }
#else
    static_cast<void>(begin);
    static_cast<void>(bytes);
#endif
}
