#include "model/FileMesh.h"

#include "model/ModelLoader.h"
#include "model/ModelText.h"

#include <cassert>

// As Model::Load: files of this size on are refused from their header when
// they cannot hold its counts.
static constexpr std::size_t kCheckCountsFrom = std::size_t{1} << 20;

void FileMesh::Read(const std::string& path) {
    const ModelText text = ModelText::FromFile(path);
    ModelLoader::Options options;
    options.checkCountsFrom = kCheckCountsFrom;
    ModelLoader(text, path, options).ReadInto(*this);
}

void FileMesh::ReadText(std::string_view text, const std::string& name) {
    const ModelText bytes = ModelText::FromBytes(text);
    ModelLoader::Options options;
    options.checkCountsFrom = kCheckCountsFrom;
    ModelLoader(bytes, name, options).ReadInto(*this);
}

std::array<float, 3> FileMesh::Position(std::size_t i) const noexcept {
    assert(i < VertexCount());
    const Vertex& vertex = m_records.LoadedVertices().first[i];
    return {vertex.nx, vertex.ny, vertex.nz};
}

std::size_t FileMesh::ElementCount() const noexcept {
    return static_cast<std::size_t>(m_records.type == 0 ? m_records.edgeCount
                                                        : m_records.faceCount);
}

int FileMesh::Corners(std::size_t i, std::array<std::uint32_t, 4>& corners) const noexcept {
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
