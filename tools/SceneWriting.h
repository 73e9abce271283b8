#pragma once
// Models in the formats that Assimp writes.

#include <string>

struct Mesh;
struct ModelFormat;

/// The bytes of mesh in format, written by Assimp (as text where ascii is
/// set and the format has a text form). Quadrilaterals go out as two
/// triangles, 1 2 3 and 1 3 4, where the format holds no quadrilaterals.
/// Throws ConvertError for a wire model in a format without lines, and with
/// Assimp's reason when it fails.
std::string WriteScene(const Mesh& mesh, const ModelFormat& format, bool ascii);
