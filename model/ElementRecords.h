#pragma once

#include "model/TextCursor.h"
#include "model/TextReading.h"
#include "support/RawBlock.h"

#include <cstddef>

struct Edge;
struct Face;

/// Reads element records into an array, each linked to the record after it:
/// the edges of a wire model (Record is Edge) or the faces of a surface model,
/// each with its normal (Record is Face).
template <typename Record> class ElementRecords {
public:
    /// What reading gathers besides the records: nothing.
    struct Summary {
        void Merge(const Summary&) noexcept {}
    };

    /// out has room for capacity records; indices select from vertices, whose
    /// positions must be final.
    ElementRecords(Record* out, std::size_t capacity, VertexTable vertices)
        : m_out(out), m_capacity(capacity), m_vertices(vertices) {}

    /// Reads the record at the cursor, a face's line tail included, into record
    /// number index (below the capacity). A face's normal is its corners' cross
    /// product until Finish scales it. Throws ParseFailure where the record
    /// leaves the format.
    void Read(TextCursor& cursor, std::size_t index, Summary& summary) const;

    /// Finishes the count records from number first on, once read: scales a
    /// face's normal to unit length (see Face::ComputeNormal), several side by
    /// side. An edge needs nothing.
    void Finish(std::size_t /*first*/, std::size_t /*count*/) const {}

    /// Readies the room of records first to first + count - 1 for writing
    /// (see RawBlock::PrepareForWriting).
    void Prepare(std::size_t first, std::size_t count) const noexcept {
        PrepareRecordsForWriting(m_out, m_capacity, first, count);
    }

private:
    Record* m_out = nullptr; // not owned
    std::size_t m_capacity = 0;
    VertexTable m_vertices;
};

template <> void ElementRecords<Edge>::Read(TextCursor&, std::size_t, Summary&) const;
template <> void ElementRecords<Face>::Read(TextCursor&, std::size_t, Summary&) const;
template <> void ElementRecords<Face>::Finish(std::size_t, std::size_t) const;
