#pragma once

#include "model/TextCursor.h"
#include "support/RawBlock.h"

#include <algorithm>
#include <cstddef>

struct Vertex;

/// Reads vertex records into an array. The scale is not known before every
/// vertex has been read, so until then a vertex holds its three coordinates as
/// read in the place of its normal (see ScaleVertices).
class VertexRecords {
public:
    /// What reading gathers: the largest magnitude of a coordinate read.
    struct Summary {
        float maxAbs = 0.0f;
        void Merge(const Summary& other) noexcept { maxAbs = std::max(maxAbs, other.maxAbs); }
    };

    /// out has room for capacity vertices.
    VertexRecords(Vertex* out, std::size_t capacity) : m_out(out), m_capacity(capacity) {}

    /// Reads the three coordinates at the cursor into vertex number index
    /// (below the capacity). Throws ParseFailure where one is missing.
    void Read(TextCursor& cursor, std::size_t index, Summary& summary) const;

    /// Nothing to finish: the vertices are completed once all are read (see
    /// ScaleVertices).
    void Finish(std::size_t /*first*/, std::size_t /*count*/) const {}

    /// Readies the room of records first to first + count - 1 for writing
    /// (see RawBlock::PrepareForWriting).
    void Prepare(std::size_t first, std::size_t count) const noexcept {
        PrepareRecordsForWriting(m_out, m_capacity, first, count);
    }

private:
    Vertex* m_out = nullptr; // not owned
    std::size_t m_capacity = 0;
};
