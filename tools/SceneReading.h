#pragma once
// Models in the formats that Assimp reads.

#include "tools/Mesh.h"

#include <cstddef>
#include <string>
#include <string_view>

class NumberRepairs;
struct aiScene;

/// What a scene held that the mesh leaves out.
struct DroppedElements {
    std::size_t lines = 0;  ///< line segments of a scene that has faces
    std::size_t points = 0; ///< points of a scene that has faces or lines
};

/// The mesh of a whole scene: every mesh of every node, with the node's
/// transforms applied (a mirroring one turns its faces back to
/// counter-clockwise), and identical positions joined into one vertex.
/// Polygons of five or more corners become fans of triangles from their
/// first corner. A scene of faces keeps only them; one of lines only becomes
/// a wire model. Each coordinate is first mended by repairs. Throws
/// ConvertError for a scene of points only, or of nothing.
Mesh MeshOfScene(const aiScene& scene, const NumberRepairs& repairs, DroppedElements& dropped);

/// Reads the file at path with Assimp, which finds its format, or, where
/// bytes is not empty, reads bytes in the same way (name stands for them in
/// errors). The numbers of a text format come out as the text writes them
/// (see NumberRepairs). Throws ConvertError with Assimp's own reason when it
/// cannot, and as MeshOfScene does.
Mesh ReadScene(const std::string& path, std::string_view bytes, DroppedElements& dropped);
