#include "model/Model.h"

#include "model/ModelLoader.h"
#include "model/ModelText.h"

#include <cassert>
#include <utility>

void Model::Clear() noexcept {
    // The pools own the records; the lists only link them.
    m_vertexPool.Clear();
    m_edgePool.Clear();
    m_facePool.Clear();
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
    std::swap(m_vertexPool, other.m_vertexPool);
    std::swap(m_edgePool, other.m_edgePool);
    std::swap(m_facePool, other.m_facePool);
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

void Model::Load(const std::string& path) {
    const ModelText text = ModelText::FromFile(path);
    ModelLoader(text, path).LoadInto(*this);
}

void Model::LoadText(std::string_view text, const std::string& name) {
    const ModelText normalized = ModelText::FromBytes(text);
    ModelLoader(normalized, name).LoadInto(*this);
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
        ComputeVertexNormals();
    }
    return true;
}

bool Model::Open(const std::string& path) {
    return OpenWith([&] { Load(path); });
}

bool Model::OpenText(std::string_view text, const std::string& name) {
    return OpenWith([&] { LoadText(text, name); });
}
