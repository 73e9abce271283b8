#pragma once

#include "model/NoSummary.h"
#include "model/TextCursor.h"
#include "model/TextReading.h"

#include <cstddef>

struct Edge;

/// Reads the edge records of a wire model into an array, each linked to the
/// record after it.
class EdgeRecords {
public:
    using Summary = NoSummary;

    /// out has room for capacity edges; indices select from vertices.
    EdgeRecords(Edge* out, std::size_t capacity, VertexTable vertices)
        : m_out(out), m_capacity(capacity), m_vertices(vertices) {}

    /// Reads the edge at the cursor into edge number index (below the
    /// capacity). Throws ParseFailure where the record leaves the format.
    void Read(TextCursor& cursor, std::size_t index, Summary& summary) const;

private:
    Edge* m_out = nullptr; // not owned
    std::size_t m_capacity = 0;
    VertexTable m_vertices;
};
