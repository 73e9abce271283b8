#pragma once
// Numbers the vertices of a model by their place in its vertex list, so that
// faces and edges, which point at vertex records, can be drawn from arrays
// indexed by those numbers.

#include "model/Vertex.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

/// The 0-based place of every record of a vertex list, found from a record's
/// address. Records that lie one after another in memory, as pooled records
/// do, form one stretch, so a lookup is a binary search over a handful of
/// stretches. Holds only addresses: the list must stay as it is while the
/// numbering is used.
class VertexNumbering {
public:
    /// Numbers the list that starts at first; null is an empty list. A list
    /// longer than 2^32 - 1 records is a programmer error (asserted).
    explicit VertexNumbering(const Vertex* first);

    /// How many records the list holds.
    std::uint32_t Count() const noexcept { return m_count; }

    /// Whether the records lie one after another in list order, each right
    /// after the one before it: a record's place is then its distance from the
    /// first. True for an empty list.
    bool IsOneArray() const noexcept { return m_stretches.size() <= 1; }

    /// The place of vertex in the list; nothing when vertex is not one of the
    /// list's records (null, or a record of another list). Looks in the
    /// stretch of the previous lookup first: the corners of neighbouring
    /// faces are mostly near each other in the list.
    std::optional<std::uint32_t> Find(const Vertex* vertex) noexcept {
        // Inline and without a search in the common case: a mesh of millions
        // of faces looks up every corner.
        const std::uintptr_t offset = reinterpret_cast<std::uintptr_t>(vertex) - m_last.begin;
        if (offset < m_last.end - m_last.begin && offset % sizeof(Vertex) == 0) {
            return m_last.first + static_cast<std::uint32_t>(offset / sizeof(Vertex));
        }
        return FindElsewhere(vertex);
    }

private:
    // Records laid out one after another, from begin up to (not including) end.
    struct Stretch {
        std::uintptr_t begin = 0;
        std::uintptr_t end = 0;
        std::uint32_t first = 0; // the place of the record at begin

        bool Holds(std::uintptr_t address) const noexcept;
    };

    std::optional<std::uint32_t> FindElsewhere(const Vertex* vertex) noexcept;

    std::vector<Stretch> m_stretches; // sorted by address, none overlapping
    std::uint32_t m_count = 0;
    Stretch m_last; // the stretch of the previous successful lookup; empty before
};
