#include "tools/StlWriting.h"

#include "tools/ConvertError.h"
#include "tools/Mesh.h"

#include "support/Parallel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

using Point = std::array<float, 3>;

constexpr std::size_t kRecordBytes = 50;

// Writes a triangle's 50-byte record at record: normal, corners, no
// attribute. The file's numbers are little-endian, as this machine's are.
void PutTriangle(char* record, const Point& a, const Point& b, const Point& c) {
    static_assert(sizeof(float) == 4 && std::numeric_limits<float>::is_iec559);
    const float ux = b[0] - a[0], uy = b[1] - a[1], uz = b[2] - a[2];
    const float vx = c[0] - a[0], vy = c[1] - a[1], vz = c[2] - a[2];
    float n[3] = {uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx};
    const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    for (float& component : n) {
        component = length > 0 && std::isfinite(length) ? component / length : 0.0f;
    }
    std::memcpy(record, n, 12);
    std::memcpy(record + 12, a.data(), 12);
    std::memcpy(record + 24, b.data(), 12);
    std::memcpy(record + 36, c.data(), 12);
    std::memset(record + 48, 0, 2);
}

// The records of elements [begin, end) into out, made on every core: a
// quadrilateral gives two triangles, (1 2 3) and (1 3 4).
void PutElements(const Mesh& mesh, std::size_t begin, std::size_t end, std::string& out) {
    std::vector<std::size_t> at(end - begin + 1, 0);
    for (std::size_t i = begin; i < end; ++i) {
        at[i - begin + 1] = at[i - begin] + (mesh.elements[i][3] == Mesh::kNoCorner ? 1 : 2);
    }
    out.resize(at.back() * kRecordBytes);
    const auto& p = mesh.positions;
    RunInRanges(end - begin, std::size_t{1} << 12, AvailableProcessors(),
                [&](std::size_t first, std::size_t last) {
                    for (std::size_t k = first; k < last; ++k) {
                        const Mesh::Element& e = mesh.elements[begin + k];
                        char* record = out.data() + at[k] * kRecordBytes;
                        PutTriangle(record, p[e[0]], p[e[1]], p[e[2]]);
                        if (e[3] != Mesh::kNoCorner) {
                            PutTriangle(record + kRecordBytes, p[e[0]], p[e[2]], p[e[3]]);
                        }
                    }
                });
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
    std::string out(80, ' ');
    out.replace(0, 24, "kovomodel-convert binary");
    const std::uint32_t count = TriangleCount(mesh);
    out.append(reinterpret_cast<const char*>(&count), 4);
    write(out);
    // Pieces of a few megabytes: written while small, made on every core.
    constexpr std::size_t kElementsPerPiece = std::size_t{1} << 16;
    for (std::size_t begin = 0; begin < mesh.elements.size(); begin += kElementsPerPiece) {
        PutElements(mesh, begin, std::min(begin + kElementsPerPiece, mesh.elements.size()), out);
        write(out);
    }
}
