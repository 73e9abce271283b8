#include "model/VertexRecords.h"

#include "model/TextReading.h"
#include "model/Vertex.h"

#include <cassert>
#include <cmath>
#include <new>

void VertexRecords::Read(TextCursor& cursor, std::size_t index, Summary& summary) const {
    Vertex vertex;
    vertex.nx = ReadCoordinate(cursor);
    vertex.ny = ReadCoordinate(cursor);
    vertex.nz = ReadCoordinate(cursor);
    summary.maxAbs = std::fmax(summary.maxAbs, std::fabs(vertex.nx));
    summary.maxAbs = std::fmax(summary.maxAbs, std::fabs(vertex.ny));
    summary.maxAbs = std::fmax(summary.maxAbs, std::fabs(vertex.nz));
    assert(index < m_capacity);
    new (m_out + index) Vertex(vertex);
}
