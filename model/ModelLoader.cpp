#include "model/ModelLoader.h"

#include "model/Model.h"
#include "model/ModelFileError.h"
#include "model/NumberScanner.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

// A face line's tail is read as one piece of at most this many characters, as
// by a 20-character line buffer; the rest of a longer tail stays in the stream.
static constexpr std::ptrdiff_t kTailPieceLength = 19;

ModelLoader::ModelLoader(const ModelText& text, std::string name)
    : m_text(text), m_name(std::move(name)) {}

void ModelLoader::LoadInto(Model& model) const {
    const std::string_view view = m_text.View();
    TextCursor cursor{view.data(), view.data() + view.size()};
    const Header header = ReadHeader(cursor);
    const float scale = FindScale(cursor, header.vertexCount);
    // Built aside and taken over only when complete, so a rejected file leaves
    // the target as it was.
    Model loaded;
    std::vector<Vertex*> table;
    ReadVertices(cursor, loaded, header.vertexCount, scale, table);
    if (header.type == 0) {
        ReadEdges(cursor, loaded, header.elementCount, table);
        loaded.edgeCount = header.elementCount;
    } else {
        ReadFaces(cursor, loaded, header.elementCount, table);
        loaded.faceCount = header.elementCount;
    }
    loaded.type = header.type;
    loaded.vertexCount = header.vertexCount;
    loaded.Center();
    model.TakeMeshFrom(loaded);
}

ModelLoader::Header ModelLoader::ReadHeader(TextCursor& cursor) const {
    Header header;
    header.type = ReadInteger(cursor, "the model type");
    header.vertexCount = ReadCount(cursor, "the vertex count", "a vertex count of at least 1");
    header.elementCount = header.type == 0
                              ? ReadCount(cursor, "the edge count", "an edge count of at least 1")
                              : ReadCount(cursor, "the face count", "a face count of at least 1");
    return header;
}

std::int32_t ModelLoader::ReadCount(TextCursor& cursor, const char* what,
                                    const char* atLeastOne) const {
    SkipWhitespace(cursor);
    const char* at = cursor.pos;
    const std::int32_t count = ReadInteger(cursor, what);
    if (count < 1) {
        Fail(at, atLeastOne);
    }
    return count;
}

float ModelLoader::FindScale(TextCursor cursor, std::int32_t vertexCount) const {
    float maxAbs = 0.0f;
    const char* maxAt = cursor.pos;
    for (std::int64_t i = 0; i < std::int64_t{vertexCount} * 3; ++i) {
        SkipWhitespace(cursor);
        const char* at = cursor.pos;
        const float magnitude = std::fabs(ReadCoordinate(cursor));
        if (magnitude > maxAbs) {
            maxAbs = magnitude;
            maxAt = at;
        }
    }
    if (maxAbs == 0.0f) {
        return 0.0f; // every vertex is (0, 0, 0); nothing to divide by
    }
    const float scale = 1000.0f / maxAbs;
    if (!std::isfinite(scale)) {
        Fail(maxAt, "a largest coordinate far enough from 0 to scale to 1000");
    }
    return scale;
}

// The exact product of two floats fits a double; truncation is toward zero and
// the product never exceeds 1000 by more than a rounding step.
static std::int32_t ScaleCoordinate(float value, float scale) {
    return static_cast<std::int32_t>(static_cast<double>(scale) * static_cast<double>(value));
}

void ModelLoader::ReadVertices(TextCursor& cursor, Model& model, std::int32_t count, float scale,
                               std::vector<Vertex*>& table) const {
    table.reserve(static_cast<std::size_t>(count)); // the scaling pass has seen them all
    Vertex* tail = nullptr;
    for (std::int32_t i = 0; i < count; ++i) {
        Vertex& vertex = model.m_vertexPool.Add();
        vertex.x = ScaleCoordinate(ReadCoordinate(cursor), scale);
        vertex.y = ScaleCoordinate(ReadCoordinate(cursor), scale);
        vertex.z = ScaleCoordinate(ReadCoordinate(cursor), scale);
        (tail ? tail->next : model.vertices) = &vertex;
        tail = &vertex;
        table.push_back(&vertex);
    }
}

void ModelLoader::ReadEdges(TextCursor& cursor, Model& model, std::int32_t count,
                            const std::vector<Vertex*>& table) const {
    Edge* tail = nullptr;
    for (std::int32_t i = 0; i < count; ++i) {
        Edge& edge = model.m_edgePool.Add();
        edge.a = ReadIndex(cursor, table);
        edge.b = ReadIndex(cursor, table);
        (tail ? tail->next : model.edges) = &edge;
        tail = &edge;
    }
}

void ModelLoader::ReadFaces(TextCursor& cursor, Model& model, std::int32_t count,
                            const std::vector<Vertex*>& table) const {
    Face* tail = nullptr;
    for (std::int32_t i = 0; i < count; ++i) {
        Face& face = model.m_facePool.Add();
        face.a = ReadIndex(cursor, table);
        face.b = ReadIndex(cursor, table);
        face.c = ReadIndex(cursor, table);
        face.d = ReadFourthCorner(cursor, table);
        face.ComputeNormal();
        (tail ? tail->next : model.faces) = &face;
        tail = &face;
    }
}

Vertex* ModelLoader::ReadFourthCorner(TextCursor& cursor, const std::vector<Vertex*>& table) const {
    const char* limit = cursor.pos + std::min(kTailPieceLength, cursor.end - cursor.pos);
    const void* newline =
        std::memchr(cursor.pos, '\n', static_cast<std::size_t>(limit - cursor.pos));
    if (newline) {
        limit = static_cast<const char*>(newline) + 1; // the line feed belongs to the piece
    }
    TextCursor piece{cursor.pos, limit};
    cursor.pos = limit;
    SkipWhitespace(piece);
    const char* at = piece.pos;
    std::int32_t index = 0;
    switch (ScanInteger(piece, index)) {
    case ScanResult::Number:
        return Resolve(index, at, table);
    case ScanResult::OutOfRange:
        Fail(at, "a vertex index within the 32-bit range");
    case ScanResult::NoNumber:
        break; // a triangle: the tail holds no fourth index
    }
    return nullptr;
}

std::int32_t ModelLoader::ReadInteger(TextCursor& cursor, const char* what) const {
    std::int32_t value = 0;
    switch (ScanInteger(cursor, value)) {
    case ScanResult::Number:
        return value;
    case ScanResult::OutOfRange:
        Fail(cursor.pos, std::string(what) + " within the 32-bit range");
    case ScanResult::NoNumber:
        break;
    }
    Fail(cursor.pos, what);
}

float ModelLoader::ReadCoordinate(TextCursor& cursor) const {
    float value = 0.0f;
    switch (ScanFloat(cursor, value)) {
    case ScanResult::Number:
        return value;
    case ScanResult::OutOfRange:
        Fail(cursor.pos, "a coordinate within the single-precision range");
    case ScanResult::NoNumber:
        break;
    }
    Fail(cursor.pos, "a coordinate");
}

Vertex* ModelLoader::ReadIndex(TextCursor& cursor, const std::vector<Vertex*>& table) const {
    SkipWhitespace(cursor);
    const char* at = cursor.pos;
    return Resolve(ReadInteger(cursor, "a vertex index"), at, table);
}

Vertex* ModelLoader::Resolve(std::int32_t index, const char* at,
                             const std::vector<Vertex*>& table) const {
    // 0 and negative indices select the first vertex, as the format allows.
    if (index > static_cast<std::int64_t>(table.size())) {
        Fail(at, "a vertex index of at most " + std::to_string(table.size()));
    }
    return table[static_cast<std::size_t>(std::max(index, std::int32_t{1}) - 1)];
}

static std::string Describe(const char* at, const char* end) {
    if (at == end) {
        return "the end of the file";
    }
    const auto code = static_cast<unsigned char>(*at);
    if (code < 0x20 || code == 0x7f) {
        return "a character of code " + std::to_string(code);
    }
    const char* stop = std::find_if(at, std::min(end, at + 16), [](char c) {
        return static_cast<unsigned char>(c) <= 0x20 || c == 0x7f;
    });
    return "'" + std::string(at, stop) + "'";
}

void ModelLoader::Fail(const char* at, std::string expected) const {
    const char* begin = m_text.View().data();
    const char* end = begin + m_text.View().size();
    const ModelText::Position position = m_text.PositionOf(static_cast<std::size_t>(at - begin));
    throw ModelFileError(m_name, position.line, position.column, std::move(expected),
                         Describe(at, end));
}
