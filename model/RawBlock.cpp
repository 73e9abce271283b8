#include "model/RawBlock.h"

#include <cstdint>
#include <cstdlib>
#include <new>
#include <sys/mman.h>
#include <utility>

static constexpr std::size_t kHugePage = std::size_t{2} << 20;

// Below this size the heap serves better: it reuses freed memory and a mapping
// of its own would waste most of a huge page.
static constexpr std::size_t kMappedFrom = kHugePage;

// Maps bytes rounded up to whole huge pages, starting on a huge-page boundary:
// more is mapped and the ends are given back. MAP_NORESERVE because a block is
// sized for the counts a file claims, and only what is written costs memory.
static void* MapAligned(std::size_t bytes, std::size_t& mapped) {
    mapped = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    const std::size_t reserved = mapped + kHugePage;
    void* start = mmap(nullptr, reserved, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (start == MAP_FAILED) {
        throw std::bad_alloc();
    }
    const auto begin = reinterpret_cast<std::uintptr_t>(start);
    const std::uintptr_t aligned = (begin + kHugePage - 1) / kHugePage * kHugePage;
    if (aligned != begin) {
        munmap(start, aligned - begin);
    }
    munmap(reinterpret_cast<void*>(aligned + mapped), begin + reserved - aligned - mapped);
    // Only a hint: without huge pages the block works the same, just slower.
    madvise(reinterpret_cast<void*>(aligned), mapped, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(aligned);
}

RawBlock::RawBlock(std::size_t bytes) {
    if (bytes >= kMappedFrom) {
        m_data = MapAligned(bytes, m_mapped);
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
