#pragma once

#include "model/Edge.h"
#include "model/Face.h"
#include "model/ModelFileError.h"
#include "model/Vertex.h"
#include "support/RecordArray.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

/// One mesh read from a ".dat" model file: a wire model (type 0, vertices and
/// edges) or a surface model (any other type, vertices and faces with unit
/// normals). Coordinates are scaled so that the largest absolute one becomes
/// 1000 (or 999) and then centred on the truncated mean of the vertices.
///
/// The model owns every record of its three lists; the lists are singly linked,
/// in file order, and end in null. Records of a kind stand side by side in one
/// array owned by the model, so they never move while loaded and Clear frees
/// them all at once.
class Model {
public:
    /// Three 32-bit integers: a position or offset in model units.
    struct IntVector {
        std::int32_t x = 0;
        std::int32_t y = 0;
        std::int32_t z = 0;
    };

    std::int32_t type = 0;        // 0 wire model; any other value surface model
    std::int32_t vertexCount = 0; // the vertex count of the file
    std::int32_t edgeCount = 0;   // the element count of a wire model, else 0
    std::int32_t faceCount = 0;   // the element count of a surface model, else 0
    Vertex* vertices = nullptr;   // head of the vertex list, owned through the arrays
    Edge* edges = nullptr;        // head of the edge list, owned through the arrays
    Face* faces = nullptr;        // head of the face list, owned through the arrays
    IntVector center;             // the offset that centring subtracted

    Model() = default;
    virtual ~Model() = default;
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    /// Frees every record and makes the lists empty and the counts 0. Leaves
    /// type, center and LastError as they were.
    void Clear() noexcept;

    /// Exchanges everything two models hold, LastError included. Records keep
    /// their addresses, so references into either model stay valid.
    void Swap(Model& other) noexcept;

    /// The vertex at a 1-based position, found by walking the list: 1, 0 and
    /// any negative index give the first vertex. The model must hold a vertex
    /// and index must not exceed the length of the list (asserted; a larger
    /// index gives the last vertex in a build without assertions).
    Vertex& GetVertex(std::int32_t index);
    const Vertex& GetVertex(std::int32_t index) const;

    /// Reads a model file and builds the model from it: scaled vertices,
    /// centred as Center centres them, and edges or faces with face normals.
    /// Throws ModelFileError when the file cannot be read, is outside the
    /// format or shrinks while it is read, and std::bad_alloc when memory runs
    /// out; the model is then unchanged. A file of 1 MiB or more whose header
    /// claims more records than its size can hold is refused from its first
    /// bytes. On success the previous records are freed and replaced. Large
    /// files are read on all cores; any thread may load into a model of its
    /// own. whenRead, when set, is called on this thread once every record is
    /// read, with the model as read (see ModelLoader::Options): what is left of
    /// the load runs on this thread alone.
    void Load(const std::string& path, const std::function<void(const Model&)>& whenRead = {});

    /// Load from text in memory; name stands for the file in error reports.
    /// Counts are never checked against the size: the text is read up to where
    /// it runs out.
    void LoadText(std::string_view text, const std::string& name);

    /// Load, then ComputeVertexNormals for a surface model. Returns true on
    /// success and clears LastError. When the file cannot be read or is outside
    /// the format, returns false, leaves the model empty as Clear does (type and
    /// center unchanged) and keeps the reason in LastError. std::bad_alloc
    /// passes through. whenRead is Load's.
    bool Open(const std::string& path, const std::function<void(const Model&)>& whenRead = {});

    /// Open from text in memory; name stands for the file in error reports.
    bool OpenText(std::string_view text, const std::string& name);

    /// Why the latest Open or OpenText failed; empty after a success or when no
    /// Open has run.
    const std::optional<ModelFileError>& LastError() const noexcept { return m_lastError; }

    /// Moves the truncated mean of the vertex positions to the origin and keeps
    /// the offset in center. The mean is a sum of partial means over blocks of
    /// ten vertices. Does nothing while vertexCount is below 1.
    void Center();

    /// Gives every vertex the normalised sum of the normals of the faces that use
    /// it, once per corner. A vertex whose sum is zero (unused, or its faces'
    /// normals cancel) gets (0, 0, 0).
    void ComputeVertexNormals();

    /// Issues the mesh's primitives to the current OpenGL context. Defined by
    /// the render library, so that the model itself needs no OpenGL. Keeps
    /// what it builds to draw from with the model (see DrawCache), so one
    /// model must not be drawn on two threads at once.
    void Draw() const;

    /// What the renderer builds from the mesh and keeps with it between frames.
    /// The model owns it and drops it whenever one of its own operations changes
    /// the records (Clear, Load, Center, ComputeVertexNormals); Swap exchanges
    /// it along with the mesh.
    class DrawCache {
    public:
        virtual ~DrawCache() = default;
    };

    /// The cache kept for the mesh as it is now; null when none is kept.
    DrawCache* GetDrawCache() const noexcept { return m_drawCache.get(); }

    /// Keeps cache with the mesh, dropping any kept before. Const because a
    /// cache changes nothing that the model holds.
    void KeepDrawCache(std::unique_ptr<DrawCache> cache) const noexcept {
        m_drawCache = std::move(cache);
    }

    /// Code that writes records directly, not through the operations above,
    /// calls this afterwards so that nothing built from the old records is used.
    void MarkChanged() noexcept { m_drawCache.reset(); }

    /// The vertex records of the latest successful load, side by side in file
    /// order, every one of them written: the array that the vertex list was
    /// linked through when the load ended. Relinking or replacing the list
    /// by hand leaves the array as it is; Clear empties it (null, 0) and Swap
    /// exchanges it. It lets a reader of every vertex go through memory in
    /// order, without walking the list.
    struct VertexArray {
        const Vertex* first = nullptr;
        std::size_t count = 0;
    };
    VertexArray LoadedVertices() const noexcept {
        return {m_vertexRecords.Data(), m_vertexRecords.Capacity()};
    }

private:
    friend class ModelLoader;

    template <typename LoadStep> bool OpenWith(LoadStep load);
    // ScaleVertices and then Center for the vertices that the loader made:
    // vertexCount records that stand in list order in one array from
    // vertices. The same centre and positions as Center gives, with the
    // sums made on up to threads threads.
    void ScaleAndCenterArray(float scale, unsigned threads);
    // ComputeVertexNormals on vertex normals that are all (0, 0, 0) already.
    void AddUpVertexNormals();
    // The same for the vertices that the loader made (see
    // ScaleAndCenterArray), on every core where the vertices are independent
    // of one another.
    void AddUpLoadedVertexNormals();
    void TakeMeshFrom(Model& other) noexcept;

    RecordArray<Vertex> m_vertexRecords;
    RecordArray<Edge> m_edgeRecords;
    RecordArray<Face> m_faceRecords;
    std::optional<ModelFileError> m_lastError;
    mutable std::unique_ptr<DrawCache> m_drawCache; // built from the mesh at its first draw
};
