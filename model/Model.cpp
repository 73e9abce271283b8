#include "model/Model.h"

#include "model/ModelLoader.h"
#include "model/ModelText.h"

#include <cassert>
#include <utility>

void Model::Clear() noexcept {
    // The arrays own the records; the lists only link them.
    m_vertexRecords.Clear();
    m_edgeRecords.Clear();
    m_faceRecords.Clear();
    vertices = nullptr;
    edges = nullptr;
    faces = nullptr;
    vertexCount = 0;
    edgeCount = 0;
    faceCount = 0;
    MarkChanged();
}

void Model::TakeMeshFrom(Model& other) noexcept {
    std::swap(type, other.type);
    std::swap(vertexCount, other.vertexCount);
    std::swap(edgeCount, other.edgeCount);
    std::swap(faceCount, other.faceCount);
    std::swap(vertices, other.vertices);
    std::swap(edges, other.edges);
    std::swap(faces, other.faces);
    std::swap(center, other.center);
    std::swap(m_vertexRecords, other.m_vertexRecords);
    std::swap(m_edgeRecords, other.m_edgeRecords);
    std::swap(m_faceRecords, other.m_faceRecords);
    std::swap(m_drawCache, other.m_drawCache); // it describes the mesh, so it goes with it
}

void Model::Swap(Model& other) noexcept {
    TakeMeshFrom(other);
    std::swap(m_lastError, other.m_lastError);
}

Vertex& Model::GetVertex(std::int32_t index) {
    assert(vertices);
    Vertex* vertex = vertices;
    for (std::int32_t step = 1; step < index; ++step) {
        assert(vertex->next && "vertex index beyond the end of the list");
        if (!vertex->next) {
            break;
        }
        vertex = vertex->next;
    }
    return *vertex;
}

const Vertex& Model::GetVertex(std::int32_t index) const {
    return const_cast<Model*>(this)->GetVertex(index);
}

// Below this size a file is read up to where it runs out even when its header
// claims more than it can hold: that costs nothing and names the place.
static constexpr std::size_t kCheckFileCountsFrom = std::size_t{1} << 20;

void Model::Load(const std::string& path, const std::function<void(const Model&)>& whenRead) {
    const ModelText text = ModelText::FromFile(path);
    ModelLoader::Options options;
    options.checkCountsFrom = kCheckFileCountsFrom;
    options.whenRead = whenRead;
    ModelLoader(text, path, options).LoadInto(*this);
}

void Model::LoadText(std::string_view text, const std::string& name) {
    const ModelText bytes = ModelText::FromBytes(text);
    ModelLoader(bytes, name).LoadInto(*this);
}

template <typename LoadStep> bool Model::OpenWith(LoadStep load) {
    m_lastError.reset();
    try {
        load();
    } catch (const ModelFileError& error) {
        Clear();
        m_lastError = error;
        return false;
    }
    if (type != 0) {
        // A load leaves every vertex normal (0, 0, 0): clearing them again
        // would only be one more pass over every vertex.
        AddUpLoadedVertexNormals();
    }
    return true;
}

bool Model::Open(const std::string& path, const std::function<void(const Model&)>& whenRead) {
    return OpenWith([&] { Load(path, whenRead); });
}

bool Model::OpenText(std::string_view text, const std::string& name) {
    return OpenWith([&] { LoadText(text, name); });
}
