#include "render/VertexNumbering.h"

#include "support/LinkedRecords.h"

#include <algorithm>
#include <cassert>
#include <limits>

static std::uintptr_t AddressOf(const Vertex* vertex) {
    return reinterpret_cast<std::uintptr_t>(vertex);
}

VertexNumbering::VertexNumbering(const Vertex* first) {
    ForEachLinked(first, [this](const Vertex& vertex) {
        assert(m_count < std::numeric_limits<std::uint32_t>::max() && "too many vertices");
        const std::uintptr_t address = AddressOf(&vertex);
        if (m_stretches.empty() || m_stretches.back().end != address) {
            m_stretches.push_back({address, address, m_count});
        }
        m_stretches.back().end = address + sizeof(Vertex);
        ++m_count;
    });
    std::sort(m_stretches.begin(), m_stretches.end(),
              [](const Stretch& l, const Stretch& r) { return l.begin < r.begin; });
}

bool VertexNumbering::Stretch::Holds(std::uintptr_t address) const noexcept {
    return address >= begin && address < end && (address - begin) % sizeof(Vertex) == 0;
}

std::optional<std::uint32_t> VertexNumbering::FindElsewhere(const Vertex* vertex) noexcept {
    const std::uintptr_t address = AddressOf(vertex);
    // The last stretch that begins at or before the address is the only one
    // that can hold it.
    const auto after = std::upper_bound(
        m_stretches.begin(), m_stretches.end(), address,
        [](std::uintptr_t a, const Stretch& stretch) { return a < stretch.begin; });
    if (after == m_stretches.begin() || !(after - 1)->Holds(address)) {
        return std::nullopt;
    }
    m_last = *(after - 1);
    return m_last.first + static_cast<std::uint32_t>((address - m_last.begin) / sizeof(Vertex));
}
