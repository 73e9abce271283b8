// Writes meshes as model files and reads them back: what the converter writes
// must read back as the very mesh it wrote. The input is taken twice: as a
// model file, whose mesh is written again, and as raw numbers, a mesh of any
// coordinates (NaN and infinities, which the writer must refuse, included).

#include "model/ModelFileError.h"
#include "tools/ConvertError.h"
#include "tools/DatFormat.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool SameBits(const Mesh& a, const Mesh& b) {
    return a.type == b.type && a.elements == b.elements &&
           a.positions.size() == b.positions.size() &&
           std::memcmp(a.positions.data(), b.positions.data(),
                       a.positions.size() * sizeof a.positions[0]) == 0;
}

void CheckRoundTrip(const Mesh& mesh) {
    std::string text;
    try {
        WriteDat(mesh, text);
    } catch (const ConvertError&) {
        bool finite = true;
        for (const auto& p : mesh.positions) {
            finite = finite && std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]);
        }
        Check(!finite || mesh.positions.empty() || mesh.elements.empty());
        return;
    }
    Check(LooksLikeModel(text));
    Check(SameBits(ReadDatText(text, "written.dat"), mesh));
}

// The bytes as a mesh: a type byte, a vertex count byte, then coordinates
// (4 bytes each) and the rest as elements of corner bytes, each taken modulo
// the vertex count.
Mesh RawMesh(std::string_view bytes) {
    Mesh mesh;
    if (bytes.size() < 2) {
        return mesh;
    }
    mesh.type = static_cast<unsigned char>(bytes[0]) % 3;
    const std::size_t count = 1 + static_cast<unsigned char>(bytes[1]) % 16;
    bytes.remove_prefix(2);
    for (std::size_t i = 0; i < count && bytes.size() >= 12; ++i, bytes.remove_prefix(12)) {
        std::array<float, 3> p;
        std::memcpy(p.data(), bytes.data(), 12);
        mesh.positions.push_back(p);
    }
    const std::size_t width = mesh.type == 0 ? 2 : 4;
    for (; !mesh.positions.empty() && bytes.size() >= width; bytes.remove_prefix(width)) {
        Mesh::Element e{Mesh::kNoCorner, Mesh::kNoCorner, Mesh::kNoCorner, Mesh::kNoCorner};
        for (std::size_t k = 0; k < width; ++k) {
            e[k] = static_cast<unsigned char>(bytes[k]) % mesh.positions.size();
        }
        if (width == 4 && bytes[3] & 1) {
            e[3] = Mesh::kNoCorner; // a triangle
        }
        mesh.elements.push_back(e);
    }
    return mesh;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        CheckRoundTrip(ReadDatText(bytes, "fuzz.dat"));
    } catch (const ModelFileError&) {
        // not a model file: only the raw reading below
    }
    CheckRoundTrip(RawMesh(bytes));
    return 0;
}
