#include "tools/SceneWriting.h"

#include "tools/ConvertError.h"
#include "tools/Mesh.h"
#include "tools/ModelFormats.h"

#include <assimp/Exporter.hpp>
#include <assimp/material.h>
#include <assimp/scene.h>

#include <algorithm>
#include <memory>

namespace {

unsigned* Indices(std::initializer_list<std::uint32_t> corners) {
    auto* indices = new unsigned[corners.size()];
    std::copy(corners.begin(), corners.end(), indices);
    return indices;
}

// How many faces mesh makes in a format with or without quadrilaterals.
std::size_t FaceCount(const Mesh& mesh, bool quads) {
    std::size_t count = mesh.elements.size();
    if (!quads && !mesh.IsWire()) {
        for (const Mesh::Element& e : mesh.elements) {
            count += e[3] == Mesh::kNoCorner ? 0 : 1;
        }
    }
    return count;
}

// Fills faces, FaceCount of them, with the elements of mesh as the format
// holds them; returns whether a quadrilateral is among them.
bool FillFaces(const Mesh& mesh, bool quads, aiFace* faces) {
    bool polygons = false;
    const auto add = [&faces](std::initializer_list<std::uint32_t> corners) {
        faces->mNumIndices = static_cast<unsigned>(corners.size());
        faces->mIndices = Indices(corners);
        ++faces;
    };
    for (const Mesh::Element& e : mesh.elements) {
        if (mesh.IsWire()) {
            add({e[0], e[1]});
        } else if (e[3] == Mesh::kNoCorner) {
            add({e[0], e[1], e[2]});
        } else if (quads) {
            add({e[0], e[1], e[2], e[3]});
            polygons = true;
        } else {
            add({e[0], e[1], e[2]});
            add({e[0], e[2], e[3]});
        }
    }
    return polygons;
}

aiMesh* SceneMesh(const Mesh& mesh, bool quads) {
    auto out = std::make_unique<aiMesh>();
    out->mName = "model";
    out->mNumVertices = static_cast<unsigned>(mesh.positions.size());
    out->mVertices = new aiVector3D[mesh.positions.size()];
    for (std::size_t i = 0; i < mesh.positions.size(); ++i) {
        const auto& p = mesh.positions[i];
        out->mVertices[i] = aiVector3D(p[0], p[1], p[2]);
    }
    out->mNumFaces = static_cast<unsigned>(FaceCount(mesh, quads));
    out->mFaces = new aiFace[out->mNumFaces];
    const bool polygons = FillFaces(mesh, quads, out->mFaces);
    out->mPrimitiveTypes = mesh.IsWire() ? aiPrimitiveType_LINE
                           : polygons    ? aiPrimitiveType_TRIANGLE | aiPrimitiveType_POLYGON
                                         : aiPrimitiveType_TRIANGLE;
    out->mMaterialIndex = 0;
    return out.release();
}

std::unique_ptr<aiScene> SceneOf(const Mesh& mesh, bool quads) {
    auto scene = std::make_unique<aiScene>();
    // The mesh hangs from a child of the root, where every writer looks (the
    // 3MF writer looks nowhere else).
    auto* node = new aiNode("model");
    node->mNumMeshes = 1;
    node->mMeshes = new unsigned[1]{0};
    scene->mRootNode = new aiNode("root");
    scene->mRootNode->addChildren(1, &node);
    scene->mNumMeshes = 1;
    scene->mMeshes = new aiMesh* [1] { SceneMesh(mesh, quads) };
    // Writers expect a material for every mesh.
    scene->mNumMaterials = 1;
    scene->mMaterials = new aiMaterial* [1] { new aiMaterial() };
    return scene;
}

std::string Base64(const void* data, std::size_t size) {
    static const char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::string out;
    out.reserve((size + 2) / 3 * 4);
    for (std::size_t i = 0; i < size; i += 3) {
        const std::uint32_t group = (std::uint32_t{bytes[i]} << 16) |
                                    (i + 1 < size ? std::uint32_t{bytes[i + 1]} << 8 : 0) |
                                    (i + 2 < size ? std::uint32_t{bytes[i + 2]} : 0);
        out += kDigits[(group >> 18) & 63];
        out += kDigits[(group >> 12) & 63];
        out += i + 1 < size ? kDigits[(group >> 6) & 63] : '=';
        out += i + 2 < size ? kDigits[group & 63] : '=';
    }
    return out;
}

// A glTF file whose buffer, which Assimp writes as a file of its own beside
// it, stands in it as a data URI: one file, as a one-file output must be.
std::string EmbedBuffer(const aiExportDataBlob& json) {
    std::string text(static_cast<const char*>(json.data), json.size);
    const aiExportDataBlob* buffer = json.next;
    const std::string reference = "\"$blobfile.bin\"";
    const std::size_t at = text.find(reference);
    if (!buffer || at == std::string::npos) {
        return text;
    }
    text.replace(at, reference.size(),
                 "\"data:application/octet-stream;base64," + Base64(buffer->data, buffer->size) +
                     "\"");
    return text;
}

} // namespace

void WriteScene(const Mesh& mesh, const ModelFormat& format, bool ascii,
                const std::function<void(std::string_view)>& write) {
    if (mesh.IsWire() && !format.lines) {
        throw ConvertError(std::string("a wire model cannot be written as ") + format.title +
                           ", which holds only faces");
    }
    const std::unique_ptr<aiScene> scene = SceneOf(mesh, format.quads);
    Assimp::Exporter exporter;
    const char* id = ascii && format.asciiExporter ? format.asciiExporter : format.exporter;
    const aiExportDataBlob* blob = exporter.ExportToBlob(scene.get(), id, 0);
    if (!blob) {
        throw ConvertError(std::string("cannot write ") + format.id + ": " +
                           exporter.GetErrorString());
    }
    if (std::string(id) == "gltf2") {
        write(EmbedBuffer(*blob));
        return;
    }
    write(std::string_view(static_cast<const char*>(blob->data), blob->size));
}
