#include "model/VertexRecords.h"

#include "model/TextReading.h"
#include "model/Vertex.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <new>

void VertexRecords::Read(TextCursor& cursor, std::size_t index, Summary& summary) const {
    Vertex vertex;
    vertex.nx = ReadCoordinate(cursor);
    vertex.ny = ReadCoordinate(cursor);
    vertex.nz = ReadCoordinate(cursor);
    // std::max, not std::fmax: the coordinates are never NaN, and fmax is a
    // call into the C library for each of them.
    summary.maxAbs = std::max(summary.maxAbs, std::fabs(vertex.nx));
    summary.maxAbs = std::max(summary.maxAbs, std::fabs(vertex.ny));
    summary.maxAbs = std::max(summary.maxAbs, std::fabs(vertex.nz));
    assert(index < m_capacity);
    new (m_out + index) Vertex(vertex);
}
