#include "model/VertexScaling.h"

#include "model/Vertex.h"
#include "support/Parallel.h"

#include <cstdint>

// The exact product of two floats fits a double; truncation is toward zero and
// the product never exceeds 1000 by more than a rounding step.
static std::int32_t ScaleCoordinate(float value, float scale) {
    return static_cast<std::int32_t>(static_cast<double>(scale) * static_cast<double>(value));
}

static void ScaleRange(Vertex* vertex, Vertex* end, float scale) {
    for (; vertex != end; ++vertex) {
        vertex->x = ScaleCoordinate(vertex->nx, scale);
        vertex->y = ScaleCoordinate(vertex->ny, scale);
        vertex->z = ScaleCoordinate(vertex->nz, scale);
        vertex->nx = vertex->ny = vertex->nz = 0.0f;
        vertex->next = vertex + 1;
    }
}

void ScaleVertices(Vertex* vertices, std::size_t count, float scale, unsigned threads,
                   const std::function<void(std::size_t, std::size_t)>& thenInRange) {
    RunInRanges(count, kVerticesPerRange, threads, [&](std::size_t begin, std::size_t end) {
        ScaleRange(vertices + begin, vertices + end, scale);
        if (thenInRange) {
            thenInRange(begin, end);
        }
    });
    if (count > 0) {
        vertices[count - 1].next = nullptr;
    }
}
