#include "tools/SceneReading.h"

#include "tools/ConvertError.h"

#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

// What the scene's primitives are, counted over every mesh a node draws.
struct Census {
    std::size_t faces = 0;
    std::size_t lines = 0;
    std::size_t points = 0;
    std::size_t positions = 0;

    void Add(const aiMesh& mesh) {
        positions += mesh.mNumVertices;
        for (unsigned i = 0; i < mesh.mNumFaces; ++i) {
            const unsigned corners = mesh.mFaces[i].mNumIndices;
            (corners >= 3 ? faces : corners == 2 ? lines : points) += 1;
        }
    }
};

template <typename Visit>
void ForEachPlaced(const aiScene& scene, const aiNode& node, const aiMatrix4x4& above,
                   Visit visit) {
    const aiMatrix4x4 transform = above * node.mTransformation;
    for (unsigned i = 0; i < node.mNumMeshes; ++i) {
        const aiMesh* mesh =
            node.mMeshes[i] < scene.mNumMeshes ? scene.mMeshes[node.mMeshes[i]] : nullptr;
        // A mesh without positions or faces holds nothing to take.
        if (mesh && mesh->mVertices && mesh->mFaces) {
            visit(*mesh, transform);
        }
    }
    for (unsigned i = 0; i < node.mNumChildren; ++i) {
        ForEachPlaced(scene, *node.mChildren[i], transform, visit);
    }
}

// Finds a position's vertex among those met before, by value: an open
// table of vertex numbers, with room for every position of the scene, so it
// never grows and never fills.
class PositionTable {
public:
    explicit PositionTable(std::size_t positions) {
        std::size_t size = 16;
        while (size < positions * 2) {
            size *= 2;
        }
        m_slots.assign(size, Mesh::kNoCorner);
    }

    /// The number of the vertex at p in positions, added there when new.
    std::uint32_t Join(std::vector<std::array<float, 3>>& positions,
                       const std::array<float, 3>& p) {
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t slot = Hash(p) & mask;; slot = (slot + 1) & mask) {
            const std::uint32_t number = m_slots[slot];
            if (number == Mesh::kNoCorner) {
                m_slots[slot] = static_cast<std::uint32_t>(positions.size());
                positions.push_back(p);
                return m_slots[slot];
            }
            if (positions[number] == p) {
                return number;
            }
        }
    }

private:
    static std::size_t Hash(const std::array<float, 3>& p) {
        std::uint32_t bits[3];
        std::memcpy(bits, p.data(), sizeof bits);
        std::uint64_t h = bits[0] * 0x9E3779B97F4A7C15ull;
        h = (h ^ bits[1]) * 0xC2B2AE3D27D4EB4Full;
        h = (h ^ bits[2]) * 0x165667B19E3779F9ull;
        return static_cast<std::size_t>(h ^ (h >> 29));
    }

    std::vector<std::uint32_t> m_slots;
};

class MeshBuilder {
public:
    MeshBuilder(Mesh& mesh, bool wire, std::size_t positions)
        : m_mesh(mesh), m_wire(wire), m_table(positions) {}

    void Add(const aiMesh& source, const aiMatrix4x4& transform) {
        Census census;
        census.Add(source);
        if ((m_wire ? census.lines : census.faces) == 0) {
            return; // its vertices would stand unused
        }
        std::vector<std::uint32_t> numbers(source.mNumVertices);
        for (unsigned i = 0; i < source.mNumVertices; ++i) {
            numbers[i] = Join(transform * source.mVertices[i]);
        }
        const bool mirrored = transform.Determinant() < 0;
        for (unsigned i = 0; i < source.mNumFaces; ++i) {
            AddFace(source.mFaces[i], numbers, mirrored);
        }
    }

private:
    std::uint32_t Join(const aiVector3D& v) {
        // + 0.0f makes -0 into 0, so that both are one place.
        return m_table.Join(m_mesh.positions, {v.x + 0.0f, v.y + 0.0f, v.z + 0.0f});
    }

    void AddFace(const aiFace& face, const std::vector<std::uint32_t>& numbers, bool mirrored) {
        const unsigned n = face.mNumIndices;
        if (m_wire ? n != 2 : n < 3) {
            return;
        }
        const auto corner = [&](unsigned k) {
            // A mirror turns the corners the other way: read them backwards
            // from the first.
            const unsigned index = face.mIndices[mirrored && k ? n - k : k];
            return index < numbers.size() ? numbers[index] : Mesh::kNoCorner;
        };
        if (n <= 4) {
            m_mesh.elements.push_back({corner(0), corner(1), n > 2 ? corner(2) : Mesh::kNoCorner,
                                       n > 3 ? corner(3) : Mesh::kNoCorner});
            return;
        }
        for (unsigned k = 1; k + 1 < n; ++k) {
            m_mesh.elements.push_back({corner(0), corner(k), corner(k + 1), Mesh::kNoCorner});
        }
    }

    Mesh& m_mesh;
    bool m_wire;
    PositionTable m_table;
};

void CheckCorners(const Mesh& mesh) {
    for (const Mesh::Element& element : mesh.elements) {
        if (element[0] == Mesh::kNoCorner || element[1] == Mesh::kNoCorner ||
            (!mesh.IsWire() && element[2] == Mesh::kNoCorner)) {
            throw ConvertError("an element uses a vertex that the file does not hold");
        }
    }
}

} // namespace

Mesh MeshOfScene(const aiScene& scene, DroppedElements& dropped) {
    Census census;
    if (scene.mRootNode) {
        ForEachPlaced(scene, *scene.mRootNode, aiMatrix4x4(),
                      [&census](const aiMesh& mesh, const aiMatrix4x4&) { census.Add(mesh); });
    }
    if (census.faces == 0 && census.lines == 0) {
        throw ConvertError(census.points ? "holds only points, no faces or lines"
                                         : "holds no faces or lines");
    }
    Mesh mesh;
    mesh.type = census.faces ? 1 : 0;
    dropped.lines = census.faces ? census.lines : 0;
    dropped.points = census.points;
    MeshBuilder builder(mesh, !census.faces, census.positions);
    ForEachPlaced(scene, *scene.mRootNode, aiMatrix4x4(),
                  [&builder](const aiMesh& source, const aiMatrix4x4& transform) {
                      builder.Add(source, transform);
                  });
    CheckCorners(mesh);
    return mesh;
}

namespace {

// Reads the file by its extension first, as Assimp does, and, where that
// fails, by its contents alone, which a file of another extension needs.
const aiScene* ReadFileByContents(Assimp::Importer& importer, const std::string& path) {
    if (const aiScene* scene = importer.ReadFile(path, 0)) {
        return scene;
    }
    const std::string reason = importer.GetErrorString();
    std::ifstream file(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (!bytes.empty()) {
        if (const aiScene* scene = importer.ReadFileFromMemory(bytes.data(), bytes.size(), 0, "")) {
            return scene;
        }
    }
    throw ConvertError(path + ": " + reason);
}

} // namespace

Mesh ReadScene(const std::string& path, std::string_view bytes, DroppedElements& dropped) {
    Assimp::Importer importer;
    // Nothing is asked of Assimp beyond the file's own contents: it joins,
    // splits and transforms nothing, so each of those is done here, as the
    // mesh needs it.
    const aiScene* scene = bytes.empty()
                               ? ReadFileByContents(importer, path)
                               : importer.ReadFileFromMemory(bytes.data(), bytes.size(), 0, "");
    if (!scene) {
        throw ConvertError(path + ": " + importer.GetErrorString());
    }
    try {
        return MeshOfScene(*scene, dropped);
    } catch (const ConvertError& error) {
        throw ConvertError(path + ": " + error.what());
    }
}
