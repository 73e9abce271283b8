#include "model/ElementRecords.h"

#include "model/Edge.h"
#include "model/Face.h"
#include "model/UnitVector.h"

#include <cassert>
#include <new>

template <> void ElementRecords<Edge>::Read(TextCursor& cursor, std::size_t index, Summary&) const {
    Edge edge;
    edge.a = ReadIndex(cursor, m_vertices);
    edge.b = ReadIndex(cursor, m_vertices);
    edge.next = m_out + index + 1; // the loader ends the list after the last edge
    assert(index < m_capacity);
    new (m_out + index) Edge(edge);
}

template <> void ElementRecords<Face>::Read(TextCursor& cursor, std::size_t index, Summary&) const {
    Face face;
    face.a = ReadIndex(cursor, m_vertices);
    face.b = ReadIndex(cursor, m_vertices);
    face.c = ReadIndex(cursor, m_vertices);
    face.d = ReadFourthCorner(cursor, m_vertices);
    face.next = m_out + index + 1; // the loader ends the list after the last face
    face.ComputeDirection();       // scaled to unit length in Finish
    assert(index < m_capacity);
    new (m_out + index) Face(face);
}

template <> void ElementRecords<Face>::Finish(std::size_t first, std::size_t count) const {
    NormalizeNormals(m_out + first, count);
}
