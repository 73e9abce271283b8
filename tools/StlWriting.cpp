#include "tools/StlWriting.h"

#include "tools/ConvertError.h"
#include "tools/Mesh.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

namespace {

using Point = std::array<float, 3>;

// Appends a triangle's 50-byte record: normal, corners, no attribute. The
// file's numbers are little-endian, as this machine's are.
void AppendTriangle(std::string& out, const Point& a, const Point& b, const Point& c) {
    static_assert(sizeof(float) == 4 && std::numeric_limits<float>::is_iec559);
    const float ux = b[0] - a[0], uy = b[1] - a[1], uz = b[2] - a[2];
    const float vx = c[0] - a[0], vy = c[1] - a[1], vz = c[2] - a[2];
    float n[3] = {uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx};
    const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    for (float& component : n) {
        component = length > 0 && std::isfinite(length) ? component / length : 0.0f;
    }
    char record[50] = {};
    std::memcpy(record, n, 12);
    std::memcpy(record + 12, a.data(), 12);
    std::memcpy(record + 24, b.data(), 12);
    std::memcpy(record + 36, c.data(), 12);
    out.append(record, sizeof record);
}

std::uint32_t TriangleCount(const Mesh& mesh) {
    std::uint64_t count = 0;
    for (const Mesh::Element& e : mesh.elements) {
        count += e[3] == Mesh::kNoCorner ? 1 : 2;
    }
    if (count > std::numeric_limits<std::uint32_t>::max()) {
        throw ConvertError("an STL file holds at most 4294967295 triangles");
    }
    return static_cast<std::uint32_t>(count);
}

} // namespace

void WriteBinaryStl(const Mesh& mesh, const std::function<void(std::string_view)>& write) {
    if (mesh.IsWire()) {
        throw ConvertError("a wire model cannot be written as STL, which holds only faces");
    }
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    std::string out(80, ' ');
    out.replace(0, 24, "kovomodel-convert binary");
    const std::uint32_t count = TriangleCount(mesh);
    out.append(reinterpret_cast<const char*>(&count), 4);
    const auto& p = mesh.positions;
    for (const Mesh::Element& e : mesh.elements) {
        AppendTriangle(out, p[e[0]], p[e[1]], p[e[2]]);
        if (e[3] != Mesh::kNoCorner) {
            AppendTriangle(out, p[e[0]], p[e[2]], p[e[3]]);
        }
        if (out.size() >= kPiece) {
            write(out);
            out.clear();
        }
    }
    write(out);
}
