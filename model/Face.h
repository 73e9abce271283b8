#pragma once

#include "model/Vertex.h"

#include <cassert>
#include <cstdint>

/// One face of a surface model: a triangle a, b, c or, when d is set, the
/// quadrilateral a, b, c, d. Faces form a singly linked list in file order.
struct Face {
    Vertex* a = nullptr; // corners, owned by the model's vertex list
    Vertex* b = nullptr;
    Vertex* c = nullptr;
    Vertex* d = nullptr;  // fourth corner of a quadrilateral; null for a triangle
    Face* next = nullptr; // next face in file order; not owned
    float nx = 0.0f;
    float ny = 0.0f;
    float nz = 0.0f;

    /// Sets the unit normal (b - a) x (c - a) from the corners' current integer
    /// positions; d takes no part. Corners on one line give no direction, and
    /// the normal is then (0, 0, 0). Requires a, b and c to be set.
    void ComputeNormal();

    /// Sets the normal to (b - a) x (c - a) itself, not yet scaled to unit
    /// length, so that the normals of many faces can be scaled together
    /// (NormalizeNormals). Requires a, b and c to be set.
    void ComputeDirection();
};

// Inline: the loader calls it for each of millions of faces as it reads them.
inline void Face::ComputeDirection() {
    assert(a && b && c);
    // 64-bit products keep hand-built models with large coordinates exact; loaded
    // coordinates stay within 1000, where every component is below 2^24.
    const std::int64_t ux = std::int64_t{b->x} - a->x;
    const std::int64_t uy = std::int64_t{b->y} - a->y;
    const std::int64_t uz = std::int64_t{b->z} - a->z;
    const std::int64_t vx = std::int64_t{c->x} - a->x;
    const std::int64_t vy = std::int64_t{c->y} - a->y;
    const std::int64_t vz = std::int64_t{c->z} - a->z;
    nx = static_cast<float>(uy * vz - uz * vy);
    ny = static_cast<float>(uz * vx - ux * vz);
    nz = static_cast<float>(ux * vy - uy * vx);
}
