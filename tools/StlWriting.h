#pragma once
// Binary STL, written directly.

#include <functional>
#include <string_view>

struct Mesh;

/// Passes mesh as a binary STL file to write, in pieces: each triangle a
/// record with its unit normal ((0, 0, 0) where its corners lie on a line),
/// and a quadrilateral as two triangles, 1 2 3 and 1 3 4. Written here, not
/// by Assimp, whose writer copies and reworks the whole scene first: this
/// format is one fixed record a triangle. mesh must be a surface model of at
/// most 2^32 - 1 triangles; throws ConvertError otherwise.
void WriteBinaryStl(const Mesh& mesh, const std::function<void(std::string_view)>& write);
