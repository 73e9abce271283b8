#include "tools/SceneReading.h"

#include "tools/ConvertError.h"

#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include <cstring>
#include <unordered_map>

namespace {

// What the scene's primitives are, counted over every mesh a node draws.
struct Census {
    std::size_t faces = 0;
    std::size_t lines = 0;
    std::size_t points = 0;

    void Add(const aiMesh& mesh) {
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
        if (node.mMeshes[i] < scene.mNumMeshes && scene.mMeshes[node.mMeshes[i]]) {
            visit(*scene.mMeshes[node.mMeshes[i]], transform);
        }
    }
    for (unsigned i = 0; i < node.mNumChildren; ++i) {
        ForEachPlaced(scene, *node.mChildren[i], transform, visit);
    }
}

// Positions equal in value are one key: 0 and -0 are the same place.
struct PositionKey {
    std::array<float, 3> xyz;
    bool operator==(const PositionKey& other) const { return xyz == other.xyz; }
};

struct PositionHash {
    std::size_t operator()(const PositionKey& key) const {
        std::uint32_t bits[3];
        std::memcpy(bits, key.xyz.data(), sizeof bits);
        return (std::size_t{bits[0]} * 0x9E3779B97F4A7C15ull) ^
               (std::size_t{bits[1]} * 0xC2B2AE3D27D4EB4Full) ^
               (std::size_t{bits[2]} * 0x165667B19E3779F9ull);
    }
};

class MeshBuilder {
public:
    MeshBuilder(Mesh& mesh, bool wire) : m_mesh(mesh), m_wire(wire) {}

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
        // + 0.0f makes -0 into 0, so that both are one key.
        const PositionKey key{{v.x + 0.0f, v.y + 0.0f, v.z + 0.0f}};
        const auto [found, added] =
            m_numbers.try_emplace(key, static_cast<std::uint32_t>(m_mesh.positions.size()));
        if (added) {
            m_mesh.positions.push_back({v.x, v.y, v.z});
        }
        return found->second;
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
    std::unordered_map<PositionKey, std::uint32_t, PositionHash> m_numbers;
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
    MeshBuilder builder(mesh, !census.faces);
    ForEachPlaced(scene, *scene.mRootNode, aiMatrix4x4(),
                  [&builder](const aiMesh& source, const aiMatrix4x4& transform) {
                      builder.Add(source, transform);
                  });
    CheckCorners(mesh);
    return mesh;
}

Mesh ReadScene(const std::string& path, std::string_view bytes, DroppedElements& dropped) {
    Assimp::Importer importer;
    // Nothing is asked of Assimp beyond the file's own contents: it joins,
    // splits and transforms nothing, so each of those is done here, as the
    // mesh needs it.
    const aiScene* scene = bytes.empty()
                               ? importer.ReadFile(path, 0)
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
