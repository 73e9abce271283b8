#pragma once
// A model's mesh as OpenGL client-side vertex arrays, built once per mesh and
// drawn with a few calls per frame instead of a begin/end pair per face.

#include "model/Model.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class VertexNumbering;

/// Positions (and, for a surface model, vertex normals) as floats, one entry
/// per vertex, and the corners of the edges or faces as 32-bit indices, in list
/// order. It is plain memory and no OpenGL object: it serves any context, and
/// nothing needs to be current to build or free it.
class ModelArrays : public Model::DrawCache {
public:
    /// The arrays of model as it is now, kept with the model: built when none
    /// are kept or the ones kept no longer match it, the stale ones freed first.
    /// Null when the mesh cannot be drawn from arrays: a corner that is not a
    /// record of the model's vertex list, which only hand-made records have.
    static const ModelArrays* For(const Model& model);

    /// Builds the arrays of model's edges (type 0) or faces (any other type).
    /// Null when a corner is not a record of the model's vertex list.
    static std::unique_ptr<ModelArrays> Build(const Model& model);

    /// Whether these arrays were built from the records that model holds now,
    /// judged by its type, counts and list heads: this catches a model whose
    /// lists were replaced without MarkChanged, not records edited in place.
    bool Matches(const Model& model) const noexcept;

    /// Whether Draw gives exactly the pixels that drawing face by face gives
    /// in the current context. It does, except for a model with
    /// quadrilaterals while polygons are filled: the software renderer splits
    /// a filled quadrilateral along one diagonal or the other depending on how
    /// the call that carries it is sent and whether it is clipped, which only
    /// sending the faces one by one reproduces. Needs a current context.
    bool DrawsLikeFaceByFace() const;

    /// Issues the mesh exactly as drawing face by face (or edge by edge) does:
    /// the same primitives in list order, every face corner with its vertex
    /// normal, edges with none, so that they are lit by the current normal.
    /// Leaves the client array state as it found it and the current normal at
    /// what face-by-face drawing leaves: a surface model's last corner's, or
    /// unchanged after a wire model or a model without faces. Needs a current
    /// context and no buffer object bound to the array targets.
    void Draw() const;

    /// The bytes that the arrays fill.
    std::size_t ByteSize() const noexcept;

private:
    // A stretch of consecutive indices drawn with one call, all of one primitive.
    struct Run {
        unsigned mode = 0; // the primitive: lines, triangles or quadrilaterals
        std::size_t first = 0;
        std::size_t count = 0;
    };

    // What the arrays were built from, to tell a changed model.
    struct Source {
        std::int32_t type = 0;
        std::int32_t vertexCount = 0;
        std::int32_t edgeCount = 0;
        std::int32_t faceCount = 0;
        const Vertex* vertices = nullptr;
        const Edge* edges = nullptr;
        const Face* faces = nullptr;

        bool operator==(const Source& other) const noexcept;
    };

    static Source SourceOf(const Model& model) noexcept;
    void CopyVertices(const Vertex* first, std::uint32_t count, bool withNormals);
    void AddToRuns(unsigned mode, std::size_t count);
    template <typename Element>
    bool AddElements(const Element* first, std::size_t expectedCorners, VertexNumbering& numbering);

    Source m_source;
    std::vector<float> m_positions; // x, y, z per vertex, in list order
    std::vector<float> m_normals;   // nx, ny, nz per vertex; empty for a wire model
    std::vector<std::uint32_t> m_indices;
    std::vector<Run> m_runs;
    bool m_hasQuads = false;
};
