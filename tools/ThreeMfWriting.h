#pragma once
// 3MF, written directly.

#include <functional>
#include <string_view>

struct Mesh;

/// Passes mesh as a 3MF package to write, in pieces: one object of
/// triangles, quadrilaterals split into 1 2 3 and 1 3 4, every coordinate
/// in the shortest form that reads back as the same value, in a zip archive
/// whose parts are stored, not compressed. Written here, not by Assimp, whose
/// writer keeps six digits of each coordinate. Throws ConvertError for a wire
/// model, a coordinate that is not a finite number, or parts beyond the
/// 4 GiB that a plain zip archive holds.
void Write3mf(const Mesh& mesh, const std::function<void(std::string_view)>& write);
