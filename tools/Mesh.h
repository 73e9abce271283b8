#pragma once
// The mesh that kovomodel-convert carries from one format to another.

#include <array>
#include <cstdint>
#include <limits>
#include <vector>

/// Positions and elements at the scale of the file they came from: a wire
/// model of edges, or a surface model of triangles and quadrilaterals, each
/// listed counter-clockwise as seen from outside.
struct Mesh {
    /// The place of a corner that an element lacks: a triangle's fourth, an
    /// edge's third and fourth.
    static constexpr std::uint32_t kNoCorner = std::numeric_limits<std::uint32_t>::max();

    /// Vertex numbers from 0; an edge uses the first two, a triangle three.
    using Element = std::array<std::uint32_t, 4>;

    /// The ".dat" model type: 0 a wire model, any other value a surface model.
    std::int32_t type = 1;
    std::vector<std::array<float, 3>> positions;
    std::vector<Element> elements;

    bool IsWire() const { return type == 0; }
};
