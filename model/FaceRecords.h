#pragma once

#include "model/NoSummary.h"
#include "model/TextCursor.h"
#include "model/TextReading.h"

#include <cstddef>

struct Face;

/// Reads the face records of a surface model into an array, each with its
/// normal, linked to the record after it.
class FaceRecords {
public:
    using Summary = NoSummary;

    /// out has room for capacity faces; indices select from vertices, whose
    /// positions must be final.
    FaceRecords(Face* out, std::size_t capacity, VertexTable vertices)
        : m_out(out), m_capacity(capacity), m_vertices(vertices) {}

    /// Reads the face at the cursor, its line tail included, into face number
    /// index (below the capacity). Throws ParseFailure where the record leaves
    /// the format.
    void Read(TextCursor& cursor, std::size_t index, Summary& summary) const;

private:
    Face* m_out = nullptr; // not owned
    std::size_t m_capacity = 0;
    VertexTable m_vertices;
};
