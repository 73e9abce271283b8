#include "model/Model.h"

#include "model/Face.h"
#include "model/Vertex.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {
struct Sums {
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::int64_t z = 0;

    void Add(const Vertex& vertex) {
        x += vertex.x;
        y += vertex.y;
        z += vertex.z;
    }
};
} // namespace

// Loaded coordinates keep the mean far inside the range; the clamp only keeps
// hand-built models with extreme coordinates defined.
static std::int32_t TruncateToInt32(double value) {
    const double low = std::numeric_limits<std::int32_t>::min();
    const double high = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::fmin(std::fmax(std::trunc(value), low), high));
}

void Model::Center() {
    if (vertexCount < 1) {
        return; // no mean to take
    }
    MarkChanged();
    const double n = vertexCount;
    double accX = 0.0;
    double accY = 0.0;
    double accZ = 0.0;
    Vertex* vertex = vertices;
    // Partial means over blocks of ten keep every integer sum small.
    for (std::int32_t block = 0; block < vertexCount / 10; ++block) {
        Sums sums;
        for (int i = 0; i < 10 && vertex; ++i, vertex = vertex->next) {
            sums.Add(*vertex);
        }
        accX += static_cast<double>(sums.x) / n;
        accY += static_cast<double>(sums.y) / n;
        accZ += static_cast<double>(sums.z) / n;
    }
    Sums rest;
    for (; vertex; vertex = vertex->next) {
        rest.Add(*vertex);
    }
    center.x = TruncateToInt32(static_cast<double>(rest.x) / n + accX);
    center.y = TruncateToInt32(static_cast<double>(rest.y) / n + accY);
    center.z = TruncateToInt32(static_cast<double>(rest.z) / n + accZ);
    for (vertex = vertices; vertex; vertex = vertex->next) {
        vertex->x -= center.x;
        vertex->y -= center.y;
        vertex->z -= center.z;
    }
}

// A hand-made face may lack a corner; a loaded one lacks at most the fourth.
static void AddToCorner(Vertex* corner, const Face& face) {
    if (corner) {
        corner->nx += face.nx;
        corner->ny += face.ny;
        corner->nz += face.nz;
    }
}

// One pass on the calling thread, the faces' normals added in list order, so
// that every sum is the same to the bit. Summing on every core, each thread
// adding to its own range of vertices, made every thread read all the faces:
// on the 2-core machine it was measured on, that was slower (2M sphere: 28 to
// 47 ms against 23 to 32 ms) and took the other core from everything else.
void Model::ComputeVertexNormals() {
    MarkChanged();
    for (Vertex* vertex = vertices; vertex; vertex = vertex->next) {
        vertex->nx = vertex->ny = vertex->nz = 0.0f;
    }
    for (const Face* face = faces; face; face = face->next) {
        AddToCorner(face->a, *face);
        AddToCorner(face->b, *face);
        AddToCorner(face->c, *face);
        AddToCorner(face->d, *face);
    }
    for (Vertex* vertex = vertices; vertex; vertex = vertex->next) {
        vertex->NormalizeNormal();
    }
}
