#include "render/ModelArrays.h"

#include "render/FaceByFaceDraw.h"
#include "render/IndexBatch.h"
#include "render/SoftwareRenderer.h"

#include "support/LinkedRecords.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cassert>
#include <limits>
#include <type_traits>

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

// Where a corner stands in the array drawn from, found one of two ways below;
// kNowhere when it is not a record of the vertex list. No place is this large:
// a list holds fewer than 2^32 - 1 records.
constexpr std::uint32_t kNowhere = std::numeric_limits<std::uint32_t>::max();

// Vertex records that lie one after another in list order: a corner's place
// is its distance from the first.
struct OffsetInRecords {
    std::uintptr_t begin = 0;
    std::uintptr_t bytes = 0;

    std::uint32_t operator()(const Vertex* corner) const noexcept {
        const std::uintptr_t offset = reinterpret_cast<std::uintptr_t>(corner) - begin;
        if (offset >= bytes || offset % sizeof(Vertex) != 0) {
            return kNowhere;
        }
        return static_cast<std::uint32_t>(offset / sizeof(Vertex));
    }
};

// Any other list: a corner's place is looked up.
struct PlaceInList {
    VertexNumbering& numbering;

    std::uint32_t operator()(const Vertex* corner) const noexcept {
        return numbering.Find(corner).value_or(kNowhere);
    }
};

// The most indices one call draws: enough that the calls cost little next to
// the primitives, few enough that the room stays in the processor's caches.
// A multiple of 2, 3 and 4, so that a full room holds whole primitives.
constexpr std::size_t kIndicesPerCall = std::size_t{12} << 10;

// Where the primitives go: into the batch, unless every corner lies beyond
// one same side of the view volume, where a primitive makes no fragment. At
// the opening view of a large mesh that leaves out most of its faces.
struct Destination {
    IndexBatch& batch;
    const ViewVolumeCodes& codes;

    void Add(GLenum mode, const std::uint32_t* places, std::size_t count) const {
        if (!codes.AllBeyondOneSide(places, count)) {
            batch.Add(mode, places, count);
        }
    }
};

// Adds one edge's or face's primitive to the destination; false, and nothing
// added, when a corner has no place.
template <typename PlaceOf>
bool AddCorners(const Corners& corners, const Destination& to, PlaceOf placeOf) {
    std::array<std::uint32_t, 4> places{};
    for (std::size_t i = 0; i < corners.count; ++i) {
        places[i] = placeOf(corners.at[i]);
        if (places[i] == kNowhere) {
            return false;
        }
    }
    to.Add(corners.mode, places.data(), corners.count);
    return true;
}

template <typename PlaceOf>
bool AddElement(const Edge& edge, const Destination& to, bool, PlaceOf placeOf) {
    return AddCorners(CornersOf(edge), to, placeOf);
}

// As AddCorners, and false for a quadrilateral unless quads is true.
template <typename PlaceOf>
bool AddElement(const Face& face, const Destination& to, bool quads, PlaceOf placeOf) {
    if (face.d) {
        return quads && AddCorners(CornersOf(face), to, placeOf);
    }
    // A triangle, nearly every face of a large mesh, takes the short way
    // around the general corner loop.
    const std::array<std::uint32_t, 3> places{placeOf(face.a), placeOf(face.b), placeOf(face.c)};
    if (places[0] == kNowhere || places[1] == kNowhere || places[2] == kNowhere) {
        return false;
    }
    to.Add(GL_TRIANGLES, places.data(), places.size());
    return true;
}

// The corner whose normal is current after a face is sent face by face.
const Vertex* LastCorner(const Face& face) {
    return face.d ? face.d : face.c;
}

// The client array state for the length of one draw: positions and, when
// asked for, normals, from an array of vertex records; nothing else. The
// caller's state comes back when it ends.
class ClientArrayScope {
public:
    ClientArrayScope(const Vertex* vertices, bool withNormals) {
        glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
        // An array the caller left enabled would be read for every index drawn.
        for (GLenum array : {GL_COLOR_ARRAY, GL_INDEX_ARRAY, GL_TEXTURE_COORD_ARRAY,
                             GL_EDGE_FLAG_ARRAY, GL_NORMAL_ARRAY}) {
            glDisableClientState(array);
        }
        // Integer positions become the same floats that the per-face path
        // converts them to: they are far below 2^24.
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_INT, sizeof(Vertex), &vertices->x);
        if (withNormals) {
            glEnableClientState(GL_NORMAL_ARRAY);
            glNormalPointer(GL_FLOAT, sizeof(Vertex), &vertices->nx);
        }
    }
    ~ClientArrayScope() { glPopClientAttrib(); }
    ClientArrayScope(const ClientArrayScope&) = delete;
    ClientArrayScope& operator=(const ClientArrayScope&) = delete;
};

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

const ModelArrays& ModelArrays::For(const Model& model) {
    const auto* kept = dynamic_cast<const ModelArrays*>(model.GetDrawCache());
    if (kept && kept->Matches(model)) {
        return *kept;
    }
    model.KeepDrawCache(nullptr); // the stale arrays go before new ones take memory
    std::unique_ptr<ModelArrays> built = Build(model);
    const ModelArrays& arrays = *built;
    model.KeepDrawCache(std::move(built));
    return arrays;
}

std::unique_ptr<ModelArrays> ModelArrays::Build(const Model& model) {
    std::unique_ptr<ModelArrays> arrays(new ModelArrays(model));
    if (model.type != 0) {
        arrays->MakeRoom(model.faces);
    } else {
        arrays->MakeRoom(model.edges);
    }
    return arrays;
}

ModelArrays::ModelArrays(const Model& model) : m_source(SourceOf(model)) {
    // A loaded list is drawn from its array without a walk along it: a face
    // corner's index is where its record stands in the array, whatever the
    // list's order, so any order draws the records that the corners name.
    const Model::VertexArray loaded = model.LoadedVertices();
    if (loaded.count != 0 && loaded.first == model.vertices) {
        assert(loaded.count < kNowhere && "too many vertices");
        m_vertices = loaded.first;
        m_vertexCount = static_cast<std::uint32_t>(loaded.count);
        return;
    }
    m_numbering = VertexNumbering(model.vertices);
    m_vertices = model.vertices;
    m_vertexCount = m_numbering.Count();
    if (!m_numbering.IsOneArray()) {
        CopyScatteredVertices();
    }
}

bool ModelArrays::Matches(const Model& model) const noexcept {
    return m_source == SourceOf(model);
}

void ModelArrays::CopyScatteredVertices() {
    m_vertexCopies.reserve(m_vertexCount);
    for (const Vertex* vertex = m_source.vertices; vertex; vertex = vertex->next) {
        m_vertexCopies.push_back(*vertex);
        m_vertexCopies.back().next = nullptr; // the copies are reached by place only
    }
    m_vertices = m_vertexCopies.data();
}

template <typename Visit> auto ModelArrays::WithPlaces(Visit visit) const {
    if (DrawsFromRecords()) {
        const auto begin = reinterpret_cast<std::uintptr_t>(m_vertices);
        return visit(OffsetInRecords{begin, std::uintptr_t{m_vertexCount} * sizeof(Vertex)});
    }
    return visit(PlaceInList{m_numbering});
}

// Makes room for the indices of one call: as many as the list has corners,
// up to a full call, and never fewer than a quadrilateral's, even for a
// single triangle, since a face may gain a fourth corner in place before
// MarkChanged is called. Counts no further than a full call.
template <typename Element> void ModelArrays::MakeRoom(const Element* first) {
    std::size_t corners = 0;
    for (const Element* element = first; element && corners < kIndicesPerCall;
         element = element->next) {
        corners += CornersOf(*element).count;
    }
    m_batchRoom.resize(corners == 0 ? 0 : std::clamp(corners, std::size_t{4}, kIndicesPerCall));
}

bool ModelArrays::SendsQuadsFromArrays() {
    GLint modes[2] = {GL_FILL, GL_FILL}; // front, back
    glGetIntegerv(GL_POLYGON_MODE, modes);
    return modes[0] != GL_FILL && modes[1] != GL_FILL;
}

void ModelArrays::Draw() const {
    if (m_source.type == 0) {
        DrawList(m_source.edges, DrawEdgeList);
        return;
    }
    DrawList(m_source.faces, DrawFaceList);
}

template <typename Element>
void ModelArrays::DrawList(const Element* first, void (*drawFaceByFace)(const Element*)) const {
    constexpr bool withNormals = std::is_same_v<Element, Face>;
    if (m_batchRoom.empty()) {
        return; // no elements: nothing to draw, and the current normal stays
    }
    m_codes.Compute(ViewVolumeCodes::CurrentVolume(), m_vertices, m_vertexCount);
    Taken<Element> taken;
    {
        const ClientArrayScope scope(m_vertices, withNormals);
        IndexBatch batch(m_batchRoom, CurrentRendererIsSoftware());
        taken = SendList(first, batch, SendsQuadsFromArrays());
        batch.Send();
    }
    if (taken.rest) {
        drawFaceByFace(taken.rest); // it leaves the current normal as it should be
        return;
    }
    // Drawing from a normal array leaves the current normal undefined, and the
    // last face may not have been sent at all; sent face by face, its last
    // corner's normal would be current now, and wire models drawn later are
    // lit with it.
    if constexpr (withNormals) {
        if (taken.last) {
            const Vertex& corner = m_vertices[PlaceOf(LastCorner(*taken.last))];
            glNormal3f(corner.nx, corner.ny, corner.nz);
        }
    }
}

// Sends the elements from first on, leaving out those that cannot show;
// stops at the first that must be sent face by face (a corner that is not a
// record of the vertex list, or a quadrilateral unless quads is true).
template <typename Element>
ModelArrays::Taken<Element> ModelArrays::SendList(const Element* first, IndexBatch& batch,
                                                  bool quads) const {
    const Destination to{batch, m_codes};
    return WithPlaces([&](auto placeOf) -> Taken<Element> {
        const Element* last = nullptr;
        const Element* rest = VisitLinkedWhile(first, [&](const Element& element) {
            if (!AddElement(element, to, quads, placeOf)) {
                return false;
            }
            last = &element;
            return true;
        });
        return {rest, last};
    });
}

std::uint32_t ModelArrays::PlaceOf(const Vertex* corner) const {
    const std::uint32_t place = WithPlaces([&](auto placeOf) { return placeOf(corner); });
    assert(place != kNowhere && "a corner that was taken from the arrays");
    return place;
}

std::size_t ModelArrays::ByteSize() const noexcept {
    return m_vertexCopies.size() * sizeof(Vertex) + m_batchRoom.size() * sizeof(std::uint32_t) +
           m_codes.ByteSize();
}
