#pragma once
// Models in the formats that Assimp writes.

#include <functional>
#include <string_view>

struct Mesh;
struct ModelFormat;

/// Passes the bytes of mesh in format, written by Assimp (as text where ascii
/// is set and the format has a text form), to write, in one or more pieces. Quadrilaterals go out
/// as two triangles, 1 2 3 and 1 3 4, where the format holds no quadrilaterals. Throws ConvertError
/// for a wire model in a format without lines, and with Assimp's reason when it fails.
void WriteScene(const Mesh& mesh, const ModelFormat& format, bool ascii,
                const std::function<void(std::string_view)>& write);
