#include "render/ModelArrays.h"

#include "render/VertexNumbering.h"

#include <GL/gl.h>
#include <sys/mman.h>

#include <algorithm>
#include <array>

namespace {

// The corners of one edge or face, and the primitive that draws them.
struct Corners {
    GLenum mode = GL_TRIANGLES;
    std::array<const Vertex*, 4> at{};
    std::size_t count = 0;
};

Corners CornersOf(const Edge& edge) {
    return {GL_LINES, {edge.a, edge.b}, 2};
}

Corners CornersOf(const Face& face) {
    if (face.d) {
        return {GL_QUADS, {face.a, face.b, face.c, face.d}, 4};
    }
    return {GL_TRIANGLES, {face.a, face.b, face.c}, 3};
}

// The most indices one call draws: a multiple of 2, 3 and 4, so that no
// primitive is cut, and far below the largest count a call takes.
constexpr std::size_t kLongestRun = std::size_t{12} << 20;

// The most edges or faces that the counts alone may reserve room for; larger
// meshes grow their arrays as they go.
constexpr std::int32_t kMostElementsReserved = std::int32_t{1} << 24;

// The client array state for the length of one draw: positions, normals when
// given, nothing else; the caller's state comes back when it ends.
class ClientArrayScope {
public:
    ClientArrayScope(const float* positions, const float* normals) {
        glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
        // An array the caller left enabled would be read for every index drawn.
        for (GLenum array : {GL_COLOR_ARRAY, GL_INDEX_ARRAY, GL_TEXTURE_COORD_ARRAY,
                             GL_EDGE_FLAG_ARRAY, GL_NORMAL_ARRAY}) {
            glDisableClientState(array);
        }
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, positions);
        if (normals) {
            glEnableClientState(GL_NORMAL_ARRAY);
            glNormalPointer(GL_FLOAT, 0, normals);
        }
    }
    ~ClientArrayScope() { glPopClientAttrib(); }
    ClientArrayScope(const ClientArrayScope&) = delete;
    ClientArrayScope& operator=(const ClientArrayScope&) = delete;
};

// Asks for huge pages under the reserved storage of a large array, so that
// filling it takes one page fault per 2 MiB instead of one per 4 KiB. Only
// whole huge pages inside the storage are advised; failure changes nothing.
template <typename T> void AdviseHugePages(const std::vector<T>& values) {
    constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
    const auto begin = reinterpret_cast<std::uintptr_t>(values.data());
    const std::uintptr_t end = begin + values.capacity() * sizeof(T);
    const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t last = end & ~(kHugePage - 1);
    if (last > first) {
        madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
}

} // namespace

bool ModelArrays::Source::operator==(const Source& other) const noexcept {
    return type == other.type && vertexCount == other.vertexCount && edgeCount == other.edgeCount &&
           faceCount == other.faceCount && vertices == other.vertices && edges == other.edges &&
           faces == other.faces;
}

ModelArrays::Source ModelArrays::SourceOf(const Model& model) noexcept {
    return {model.type,     model.vertexCount, model.edgeCount, model.faceCount,
            model.vertices, model.edges,       model.faces};
}

const ModelArrays* ModelArrays::For(const Model& model) {
    const auto* kept = dynamic_cast<const ModelArrays*>(model.GetDrawCache());
    if (kept && kept->Matches(model)) {
        return kept;
    }
    model.KeepDrawCache(nullptr); // the stale arrays go before new ones take memory
    std::unique_ptr<ModelArrays> built = Build(model);
    const ModelArrays* arrays = built.get();
    model.KeepDrawCache(std::move(built));
    return arrays;
}

std::unique_ptr<ModelArrays> ModelArrays::Build(const Model& model) {
    auto arrays = std::make_unique<ModelArrays>();
    arrays->m_source = SourceOf(model);
    VertexNumbering numbering(model.vertices);
    const bool surface = model.type != 0;
    arrays->CopyVertices(model.vertices, numbering.Count(), surface);
    // A quadrilateral has four corners. Counts are only a hint: one written
    // by hand may be anything, so the room taken on its word is bounded.
    const auto corners = [](std::int32_t count, std::size_t each) {
        return static_cast<std::size_t>(std::clamp(count, 0, kMostElementsReserved)) * each;
    };
    const bool complete =
        surface ? arrays->AddElements(model.faces, corners(model.faceCount, 4), numbering)
                : arrays->AddElements(model.edges, corners(model.edgeCount, 2), numbering);
    if (!complete) {
        return nullptr;
    }
    return arrays;
}

bool ModelArrays::Matches(const Model& model) const noexcept {
    return m_source == SourceOf(model);
}

void ModelArrays::CopyVertices(const Vertex* first, std::uint32_t count, bool withNormals) {
    m_positions.reserve(std::size_t{count} * 3);
    AdviseHugePages(m_positions);
    if (withNormals) {
        m_normals.reserve(std::size_t{count} * 3);
        AdviseHugePages(m_normals);
    }
    for (const Vertex* vertex = first; vertex; vertex = vertex->next) {
        // Coordinates are at most a few thousand, so the conversion is exact.
        m_positions.push_back(static_cast<float>(vertex->x));
        m_positions.push_back(static_cast<float>(vertex->y));
        m_positions.push_back(static_cast<float>(vertex->z));
        if (withNormals) {
            m_normals.push_back(vertex->nx);
            m_normals.push_back(vertex->ny);
            m_normals.push_back(vertex->nz);
        }
    }
}

void ModelArrays::AddToRuns(unsigned mode, std::size_t count) {
    // Consecutive elements of one primitive share a call. Where triangles and
    // quadrilaterals alternate, the calls keep the list order, which decides
    // what shows where faces overlap at equal depth.
    if (m_runs.empty() || m_runs.back().mode != mode || m_runs.back().count + count > kLongestRun) {
        m_runs.push_back({mode, m_indices.size(), 0});
    }
    m_runs.back().count += count;
    m_hasQuads = m_hasQuads || mode == GL_QUADS;
}

template <typename Element>
bool ModelArrays::AddElements(const Element* first, std::size_t expectedCorners,
                              VertexNumbering& numbering) {
    // Room for what the counts promise, so that a large mesh is not copied
    // while it grows; pages reserved but never filled take no memory.
    m_indices.reserve(expectedCorners);
    AdviseHugePages(m_indices);
    for (const Element* element = first; element; element = element->next) {
        const Corners corners = CornersOf(*element);
        AddToRuns(corners.mode, corners.count);
        for (std::size_t i = 0; i < corners.count; ++i) {
            const std::optional<std::uint32_t> number = numbering.Find(corners.at[i]);
            if (!number) {
                return false;
            }
            m_indices.push_back(*number);
        }
    }
    return true;
}

bool ModelArrays::DrawsLikeFaceByFace() const {
    if (!m_hasQuads) {
        return true;
    }
    GLint modes[2] = {GL_FILL, GL_FILL}; // front, back
    glGetIntegerv(GL_POLYGON_MODE, modes);
    return modes[0] != GL_FILL && modes[1] != GL_FILL;
}

void ModelArrays::Draw() const {
    if (m_runs.empty()) {
        return;
    }
    {
        const ClientArrayScope scope(m_positions.data(),
                                     m_normals.empty() ? nullptr : m_normals.data());
        for (const Run& run : m_runs) {
            glDrawElements(run.mode, static_cast<GLsizei>(run.count), GL_UNSIGNED_INT,
                           m_indices.data() + run.first);
        }
    }
    // Drawing from a normal array leaves the current normal undefined; sent
    // face by face, the last corner's normal would be current now, and wire
    // models drawn later are lit with it.
    if (!m_normals.empty()) {
        glNormal3fv(&m_normals[std::size_t{m_indices.back()} * 3]);
    }
}

std::size_t ModelArrays::ByteSize() const noexcept {
    return m_positions.size() * sizeof(float) + m_normals.size() * sizeof(float) +
           m_indices.size() * sizeof(std::uint32_t) + m_runs.size() * sizeof(Run);
}
