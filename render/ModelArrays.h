#pragma once
// A model's mesh drawn from OpenGL client-side vertex arrays: a few calls per
// frame instead of a begin/end pair per face.

#include "model/Model.h"
#include "render/VertexNumbering.h"
#include "render/ViewVolumeCodes.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class IndexBatch;

/// What drawing a model from vertex arrays needs besides the model itself. A
/// loaded model keeps its vertices in one array, and OpenGL reads positions
/// and normals straight from those records; other vertex lists are copied
/// into such an array once, unless their records already stand in list order.
/// The indices of the corners are made anew in every frame, a batch at a time,
/// in memory that stays small however large the mesh. It is plain memory and
/// no OpenGL object: it serves any context, and nothing needs to be current to
/// build or free it.
class ModelArrays : public Model::DrawCache {
public:
    /// The arrays of model as it is now, kept with the model: built when none
    /// are kept or the ones kept no longer match it, the stale ones freed first.
    static const ModelArrays& For(const Model& model);

    /// Builds the arrays of model's edges (type 0) or faces (any other type).
    /// They refer to the model's records and serve only while those live.
    /// Building reads the faces or edges no further than one call's worth,
    /// and walks the vertex list only when it does not begin the model's
    /// loaded array (Model::LoadedVertices), so that the first frame of a
    /// large model costs no extra pass over its records: whether every corner
    /// can be drawn from the arrays is found out as they are drawn.
    static std::unique_ptr<ModelArrays> Build(const Model& model);

    /// Whether these arrays were built from the records that model holds now,
    /// judged by its type, counts and list heads: this catches a model whose
    /// lists were replaced without MarkChanged, not records edited in place.
    bool Matches(const Model& model) const noexcept;

    /// Whether quadrilaterals can be sent from arrays in the current context
    /// and still give the pixels that sending them face by face gives: not
    /// while polygons are filled, since the software renderer splits a filled
    /// quadrilateral along one diagonal or the other depending on how the
    /// call that carries it is sent and whether it is clipped. Needs a
    /// current context.
    static bool SendsQuadsFromArrays();

    /// Issues the mesh so that it gives exactly the pixels that drawing face
    /// by face (or edge by edge) gives: the same primitives in list order,
    /// every face corner with its vertex normal, edges with none, so that they
    /// are lit by the current normal; left out are only the primitives whose
    /// corners all lie beyond one side of the current view volume, which make
    /// no fragment. Positions and normals edited in place show at once where
    /// the records are drawn from. From the first corner that is not a record
    /// of the array drawn from (a hand-made record, or one changed in place
    /// without MarkChanged) on, and from the first quadrilateral on while
    /// polygons are filled, the rest of the list is sent face by face. Leaves
    /// the client array state as it found it and the current normal at what
    /// face-by-face drawing leaves: a surface model's last corner's, or
    /// unchanged after a wire model or a model without faces. Needs a current
    /// context and no buffer object bound to the array targets; one
    /// ModelArrays must not draw on two threads at once.
    void Draw() const;

    /// Whether the vertices are drawn from the model's own records, not from
    /// a copy: from its loaded array, or from a list whose records stand in
    /// list order.
    bool DrawsFromRecords() const noexcept { return m_vertexCopies.empty(); }

    /// The bytes that the arrays fill of their own: the room for one batch of
    /// indices, a byte per vertex that says where it lies against the view,
    /// and the copy of the vertices where their records are not drawn from.
    std::size_t ByteSize() const noexcept;

private:
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

    explicit ModelArrays(const Model& model);
    static Source SourceOf(const Model& model) noexcept;
    void CopyScatteredVertices();
    template <typename Visit> auto WithPlaces(Visit visit) const;
    template <typename Element> void MakeRoom(const Element* first);
    // How far sending a list got: the first element left to send face by
    // face, if any, and the last one taken from the arrays before it, sent or
    // left out as unseen.
    template <typename Element> struct Taken {
        const Element* rest = nullptr;
        const Element* last = nullptr;
    };

    template <typename Element>
    void DrawList(const Element* first, void (*drawFaceByFace)(const Element*)) const;
    template <typename Element>
    Taken<Element> SendList(const Element* first, IndexBatch& batch, bool quads) const;
    std::uint32_t PlaceOf(const Vertex* corner) const;

    Source m_source;
    // A record's place in the list, its index, where the vertices are not
    // drawn from the loaded array; empty where they are.
    mutable VertexNumbering m_numbering{nullptr};
    std::vector<Vertex> m_vertexCopies; // the vertices in list order, where the records are not
    const Vertex* m_vertices = nullptr; // the array drawn from: the records or their copies
    std::uint32_t m_vertexCount = 0;    // how many records that array holds
    mutable std::vector<std::uint32_t> m_batchRoom; // the indices of one call, made in each frame
    mutable ViewVolumeCodes m_codes; // where each vertex lies against the view, made in each frame
};
