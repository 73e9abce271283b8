#include "tools/ThreeMfWriting.h"

#include "tools/ConvertError.h"
#include "tools/Mesh.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>
#include <zlib.h>

namespace {

constexpr const char* kContentTypes =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" "
    "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"model\" "
    "ContentType=\"application/vnd.ms-package.3dmanufacturing-3dmodel+xml\"/></Types>\n";

constexpr const char* kRelationships =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Target=\"/3D/3dmodel.model\" Id=\"rel0\" "
    "Type=\"http://schemas.microsoft.com/3dmanufacturing/2013/01/3dmodel\"/></Relationships>\n";

void AppendNumber(std::string& out, float value) {
    if (!std::isfinite(value)) {
        throw ConvertError("a coordinate is not a finite number, which 3MF cannot hold");
    }
    char buffer[32];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

void AppendTriangle(std::string& out, std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    out += "<triangle v1=\"" + std::to_string(a) + "\" v2=\"" + std::to_string(b) + "\" v3=\"" +
           std::to_string(c) + "\"/>\n";
}

std::string ModelPart(const Mesh& mesh) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<model unit=\"millimeter\" xml:lang=\"en-US\" "
                      "xmlns=\"http://schemas.microsoft.com/3dmanufacturing/core/2015/02\">\n"
                      "<resources><object id=\"1\" type=\"model\"><mesh><vertices>\n";
    for (const auto& p : mesh.positions) {
        out += "<vertex x=\"";
        AppendNumber(out, p[0]);
        out += "\" y=\"";
        AppendNumber(out, p[1]);
        out += "\" z=\"";
        AppendNumber(out, p[2]);
        out += "\"/>\n";
    }
    out += "</vertices><triangles>\n";
    for (const Mesh::Element& e : mesh.elements) {
        AppendTriangle(out, e[0], e[1], e[2]);
        if (e[3] != Mesh::kNoCorner) {
            AppendTriangle(out, e[0], e[2], e[3]);
        }
    }
    out += "</triangles></mesh></object></resources>\n"
           "<build><item objectid=\"1\"/></build></model>\n";
    return out;
}

// A zip archive of stored parts, written as it goes.
class StoredZip {
public:
    explicit StoredZip(const std::function<void(std::string_view)>& write) : m_write(write) {}

    void Add(const std::string& name, std::string_view data) {
        if (data.size() >= std::numeric_limits<std::uint32_t>::max() ||
            m_offset + data.size() + 30 + name.size() >=
                std::numeric_limits<std::uint32_t>::max()) {
            throw ConvertError("the model is too large for a 3MF package of 4 GiB");
        }
        const auto crc = static_cast<std::uint32_t>(
            crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(data.data()),
                  static_cast<uInt>(data.size())));
        const auto size = static_cast<std::uint32_t>(data.size());
        std::string header;
        Put(header, 0x04034b50, 4);
        Common(header, crc, size, name);
        Put(header, 0, 2); // no extra field
        header += name;
        Put(m_directory, 0x02014b50, 4);
        Put(m_directory, 20, 2); // made by: version 2.0
        Common(m_directory, crc, size, name);
        Put(m_directory, 0, 2 + 2 + 2 + 2 + 4); // extra, comment, disk, attributes
        Put(m_directory, m_offset, 4);
        m_directory += name;
        m_write(header);
        m_write(data);
        m_offset += header.size() + data.size();
        ++m_count;
    }

    void Finish() {
        std::string end;
        Put(end, 0x06054b50, 4);
        Put(end, 0, 4); // this disk, and the one the directory starts on
        Put(end, m_count, 2);
        Put(end, m_count, 2);
        Put(end, m_directory.size(), 4);
        Put(end, m_offset, 4);
        Put(end, 0, 2); // no comment
        m_write(m_directory);
        m_write(end);
    }

private:
    // Little-endian, as zip numbers are; more than 4 bytes only for zeros.
    static void Put(std::string& out, std::uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i, value >>= 8) {
            out += static_cast<char>(i < 8 ? value & 0xff : 0);
        }
    }

    // The fields that a part's header and its directory entry share.
    static void Common(std::string& out, std::uint32_t crc, std::uint32_t size,
                       const std::string& name) {
        Put(out, 20, 2);            // version needed: 2.0
        Put(out, 0, 2 + 2 + 2 + 2); // flags, stored, time, date
        Put(out, crc, 4);
        Put(out, size, 4);
        Put(out, size, 4);
        Put(out, name.size(), 2);
    }

    const std::function<void(std::string_view)>& m_write;
    std::string m_directory;
    std::uint64_t m_offset = 0;
    std::uint64_t m_count = 0;
};

} // namespace

void Write3mf(const Mesh& mesh, const std::function<void(std::string_view)>& write) {
    if (mesh.IsWire()) {
        throw ConvertError("a wire model cannot be written as 3MF, which holds only faces");
    }
    const std::string model = ModelPart(mesh);
    StoredZip zip(write);
    zip.Add("[Content_Types].xml", kContentTypes);
    zip.Add("_rels/.rels", kRelationships);
    zip.Add("3D/3dmodel.model", model);
    zip.Finish();
}
