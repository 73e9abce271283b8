#include "model/EdgeRecords.h"

#include "model/Edge.h"

#include <cassert>
#include <new>

void EdgeRecords::Read(TextCursor& cursor, std::size_t index, Summary&) const {
    Edge edge;
    edge.a = ReadIndex(cursor, m_vertices);
    edge.b = ReadIndex(cursor, m_vertices);
    edge.next = m_out + index + 1; // the loader ends the list after the last edge
    assert(index < m_capacity);
    new (m_out + index) Edge(edge);
}
