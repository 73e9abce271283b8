#include "model/Face.h"

#include "model/UnitVector.h"
#include "model/Vertex.h"

#include <cassert>
#include <cstdint>

void Face::ComputeNormal() {
    ComputeDirection();
    NormalizeInPlace(nx, ny, nz);
}

void Face::ComputeDirection() {
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
