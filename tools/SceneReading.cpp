#include "tools/SceneReading.h"

#include "model/ModelFileError.h"
#include "model/ModelText.h"
#include "tools/ConvertError.h"
#include "tools/NumberRepairs.h"

#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <future>
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
        const std::size_t hash = Hash(p);
        // Neighbouring corners mostly share positions: the latest numbers
        // found, in a small table that stays in the nearest cache, spare most
        // look-ups in the large one.
        std::uint32_t& recent = m_recent[hash >> 56];
        if (recent != Mesh::kNoCorner && positions[recent] == p) {
            return recent;
        }
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
            const std::uint32_t number = m_slots[slot];
            if (number == Mesh::kNoCorner) {
                m_slots[slot] = static_cast<std::uint32_t>(positions.size());
                positions.push_back(p);
                return recent = m_slots[slot];
            }
            if (positions[number] == p) {
                return recent = number;
            }
        }
    }

private:
    // Equal values hash alike: + 0.0f makes -0 into 0. The first position
    // met keeps its own sign.
    static std::size_t Hash(const std::array<float, 3>& p) {
        const float values[3] = {p[0] + 0.0f, p[1] + 0.0f, p[2] + 0.0f};
        std::uint32_t bits[3];
        std::memcpy(bits, values, sizeof bits);
        std::uint64_t h = bits[0] * 0x9E3779B97F4A7C15ull;
        h = (h ^ bits[1]) * 0xC2B2AE3D27D4EB4Full;
        h = (h ^ bits[2]) * 0x165667B19E3779F9ull;
        return static_cast<std::size_t>(h ^ (h >> 29));
    }

    std::vector<std::uint32_t> m_slots;
    std::array<std::uint32_t, 256> m_recent = MakeRecent();

    static std::array<std::uint32_t, 256> MakeRecent() {
        std::array<std::uint32_t, 256> recent;
        recent.fill(Mesh::kNoCorner);
        return recent;
    }
};

class MeshBuilder {
public:
    MeshBuilder(Mesh& mesh, bool wire, std::size_t positions, const NumberRepairs& repairs)
        : m_mesh(mesh), m_wire(wire), m_table(positions), m_repairs(repairs) {
        // Room for every position, so that none is moved as more are added:
        // the pages that unjoined positions would take are never touched.
        m_mesh.positions.reserve(positions);
    }

    void Add(const aiMesh& source, const aiMatrix4x4& transform) {
        Census census;
        census.Add(source);
        if ((m_wire ? census.lines : census.faces) == 0) {
            return; // its vertices would stand unused
        }
        std::vector<std::uint32_t> numbers(source.mNumVertices);
        const bool identity = transform == aiMatrix4x4();
        for (unsigned i = 0; i < source.mNumVertices; ++i) {
            // The identity is not applied: it would make -0 into 0.
            const aiVector3D v = Mended(source.mVertices[i]);
            numbers[i] = Join(identity ? v : transform * v);
        }
        const bool mirrored = transform.Determinant() < 0;
        for (unsigned i = 0; i < source.mNumFaces; ++i) {
            AddFace(source.mFaces[i], numbers, mirrored);
        }
    }

private:
    aiVector3D Mended(const aiVector3D& v) const {
        if (m_repairs.Empty()) {
            return v;
        }
        return {m_repairs.Mend(v.x), m_repairs.Mend(v.y), m_repairs.Mend(v.z)};
    }

    std::uint32_t Join(const aiVector3D& v) {
        return m_table.Join(m_mesh.positions, {v.x, v.y, v.z});
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
    const NumberRepairs& m_repairs;
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

Mesh MeshOfScene(const aiScene& scene, const NumberRepairs& repairs, DroppedElements& dropped) {
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
    MeshBuilder builder(mesh, !census.faces, census.positions, repairs);
    ForEachPlaced(scene, *scene.mRootNode, aiMatrix4x4(),
                  [&builder](const aiMesh& source, const aiMatrix4x4& transform) {
                      builder.Add(source, transform);
                  });
    CheckCorners(mesh);
    return mesh;
}

namespace {

std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    std::string bytes(file ? static_cast<std::size_t>(file.tellg()) : 0, '\0');
    file.seekg(0);
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(file.gcount(), 0)));
    return bytes;
}

// The extension of a format that Assimp does not find by contents alone,
// for bytes that begin as it does; empty for others.
const char* HintFor(std::string_view bytes) {
    if (bytes.substr(0, 4) == "glTF") {
        return "glb";
    }
    if (bytes.substr(0, 4) == std::string_view("PK\3\4", 4)) {
        return "3mf";
    }
    std::uint32_t triangles = 0;
    if (bytes.size() >= 84) {
        std::memcpy(&triangles, bytes.data() + 80, 4); // little-endian, as this machine
    }
    return bytes.size() >= 84 && bytes.size() == 84 + 50 * std::uint64_t{triangles} ? "stl" : "";
}

// Reads bytes by their contents. Assimp's reason names the bytes by a name
// of its own, which gives way to name.
const aiScene* ReadBytes(Assimp::Importer& importer, std::string_view bytes,
                         const std::string& name) {
    if (const aiScene* scene =
            importer.ReadFileFromMemory(bytes.data(), bytes.size(), 0, HintFor(bytes))) {
        return scene;
    }
    std::string reason = importer.GetErrorString();
    for (const std::string own : {"\"$$$___magic___$$$.\"", "$$$___magic___$$$."}) {
        for (std::size_t at; (at = reason.find(own)) != std::string::npos;) {
            reason.replace(at, own.size(), name);
        }
    }
    throw ConvertError(name + ": " + reason);
}

// Reads the file by its extension first, as Assimp does, and, where that
// fails, by its contents alone, which a file of another extension needs.
const aiScene* ReadFileByContents(Assimp::Importer& importer, const std::string& path) {
    if (const aiScene* scene = importer.ReadFile(path, 0)) {
        return scene;
    }
    const std::string reason = importer.GetErrorString();
    const std::string bytes = FileBytes(path);
    try {
        return ReadBytes(importer, bytes, path);
    } catch (const ConvertError&) {
        throw ConvertError(path + ": " + reason); // the reason of the file's own reader
    }
}

// The repairs for a file read by a text reader: one that starts as text,
// other than JSON, whose numbers are read exactly.
NumberRepairs RepairsFor(std::string_view bytes) {
    const std::string_view head = bytes.substr(0, 4096);
    const auto first = head.find_first_not_of(" \t\r\n");
    if (head.find('\0') != std::string_view::npos ||
        (first != std::string_view::npos && head[first] == '{')) {
        return {};
    }
    return NumberRepairs::Scan(bytes);
}

} // namespace

Mesh ReadScene(const std::string& path, std::string_view bytes, DroppedElements& dropped) {
    // The numbers are scanned while Assimp reads, on other cores: its readers
    // run on one.
    std::future<NumberRepairs> repairs = std::async(std::launch::async, [&path, bytes] {
        if (!bytes.empty()) {
            return RepairsFor(bytes);
        }
        try {
            return RepairsFor(ModelText::FromFile(path).Bytes()); // mapped, not copied
        } catch (const ModelFileError&) {
            return NumberRepairs(); // Assimp says why it cannot be read
        }
    });
    Assimp::Importer importer;
    // Nothing is asked of Assimp beyond the file's own contents: it joins,
    // splits and transforms nothing, so each of those is done here, as the
    // mesh needs it.
    const aiScene* scene =
        bytes.empty() ? ReadFileByContents(importer, path) : ReadBytes(importer, bytes, path);
    try {
        return MeshOfScene(*scene, repairs.get(), dropped);
    } catch (const ConvertError& error) {
        throw ConvertError(path + ": " + error.what());
    }
}
