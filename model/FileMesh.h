#pragma once

#include "model/Model.h"

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

/// The mesh of a ".dat" file as the file writes it: its type, its coordinates
/// as read, neither scaled nor centred, and its elements by vertex number, in
/// file order. What a program that passes models on reads; the viewer reads
/// Model. Reading follows the loader's rules and errors in every respect but
/// one: no scale is made, so any coordinates will do.
class FileMesh {
public:
    /// Reads the file at path, as Model::Load reads it. Throws ModelFileError
    /// ("PATH:LINE:COLUMN: expected ..., found ..." or "PATH: REASON") and
    /// std::bad_alloc; the mesh is then unchanged.
    void Read(const std::string& path);

    /// Read from text in memory; name stands for the file in errors.
    void ReadText(std::string_view text, const std::string& name);

    /// The model type: 0 a wire model, any other value a surface model.
    std::int32_t Type() const noexcept { return m_records.type; }

    std::size_t VertexCount() const noexcept { return m_records.LoadedVertices().count; }

    /// The three coordinates of vertex number i (from 0), as the file writes them.
    std::array<float, 3> Position(std::size_t i) const noexcept;

    /// The number of edges or faces.
    std::size_t ElementCount() const noexcept;

    /// The corners of element number i (from 0) as vertex numbers from 0, in
    /// the file's order: an edge's two ends, or a face's three or four corners.
    /// Returns how many corners it wrote.
    int Corners(std::size_t i, std::array<std::uint32_t, 4>& corners) const noexcept;

private:
    friend class ModelLoader;

    // As read, before scaling: each vertex holds its coordinates in the place
    // of its normal, and the elements of a kind stand in file order in one
    // array, which the list begins.
    Model m_records;
};

// Inline: a converter calls these for each of millions of records.

inline std::array<float, 3> FileMesh::Position(std::size_t i) const noexcept {
    assert(i < VertexCount());
    const Vertex& vertex = m_records.LoadedVertices().first[i];
    return {vertex.nx, vertex.ny, vertex.nz};
}

inline int FileMesh::Corners(std::size_t i, std::array<std::uint32_t, 4>& corners) const noexcept {
    assert(i < ElementCount());
    const Vertex* first = m_records.LoadedVertices().first;
    const auto number = [first](const Vertex* v) { return static_cast<std::uint32_t>(v - first); };
    if (m_records.type == 0) {
        const Edge& edge = m_records.edges[i];
        corners = {number(edge.a), number(edge.b), 0, 0};
        return 2;
    }
    const Face& face = m_records.faces[i];
    corners = {number(face.a), number(face.b), number(face.c), face.d ? number(face.d) : 0};
    return face.d ? 4 : 3;
}
