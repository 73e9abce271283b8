#pragma once

#include <cstdint>

/// One vertex of a mesh: a position in integer model units and, for surface
/// models, a unit normal. Vertices form a singly linked list in file order.
struct Vertex {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t z = 0;
    // The normal stands before the link so that a vertex fills 32 bytes, not 40:
    // a large model holds millions of them.
    float nx = 0.0f;
    float ny = 0.0f;
    float nz = 0.0f;
    Vertex* next = nullptr; // next vertex in file order; not owned

    /// Scales the normal to unit length. A zero normal has no direction and
    /// stays (0, 0, 0); nothing is ever divided by zero.
    void NormalizeNormal();
};
