#include "model/ModelLoader.h"

#include "model/ElementRecords.h"
#include "model/FileMesh.h"
#include "model/LinePlan.h"
#include "model/Model.h"
#include "model/ModelFileError.h"
#include "model/NumberScanner.h"
#include "model/ParseFailure.h"
#include "model/SectionReader.h"
#include "model/TextReading.h"
#include "model/VertexRecords.h"
#include "support/Parallel.h"

#include <algorithm>
#include <cmath>
#include <utility>

// The fewest bytes that records can take, so that counts a text cannot hold are
// known from its size alone. A number takes a byte at least, and one of a single
// digit stands after white space that no other number takes: any number ends in
// a digit or a point, which a digit would continue. Only the first coordinate
// may follow the header's last number directly. So n vertices, 3n coordinates,
// take at least 6n - 1 bytes.
static constexpr std::int64_t kVertexBytes = 6;
// After the last coordinate, an edge takes at least 3 bytes: "08" is the two
// indices 0 and 8, but an index after an 8 then needs a sign or white space. A
// face's indices take at least 4 ("08 1" or "08-1") and its line tail at least
// 1, which only the last face may lack, while the first face needs a sign or
// white space before it: the last coordinate would take in its digits. So m
// elements take at least 3m or 5m bytes.
static std::int64_t ElementBytes(std::int32_t type) {
    return type == 0 ? 3 : 5;
}

// How many records of the given least size fit in bytes, the last one a byte
// short of it.
static std::size_t RecordsFitting(std::int64_t bytes, std::int64_t recordBytes) {
    return static_cast<std::size_t>(std::max<std::int64_t>(bytes + 1, 0) / recordBytes);
}

// Texts from this size on are read ahead on all cores, in pieces of these sizes.
static constexpr std::size_t kReadAheadFrom = std::size_t{1} << 20;
static constexpr std::size_t kSmallestPiece = std::size_t{128} << 10;
static constexpr std::size_t kLargestPiece = std::size_t{8} << 20;

ModelLoader::ModelLoader(const ModelText& text, std::string name)
    : ModelLoader(text, std::move(name), Options()) {}

ModelLoader::ModelLoader(const ModelText& text, std::string name, Options options)
    : m_text(text), m_name(std::move(name)), m_options(options),
      m_threads(options.threads ? options.threads : AvailableProcessors()) {}

void ModelLoader::LoadInto(Model& model) const {
    // Built aside and taken over only when complete, so a rejected file leaves
    // the target as it was.
    Model loaded;
    BuildChecked(loaded, false);
    model.TakeMeshFrom(loaded);
}

void ModelLoader::ReadInto(FileMesh& mesh) const {
    Model loaded;
    BuildChecked(loaded, true);
    mesh.m_records.TakeMeshFrom(loaded);
}

void ModelLoader::BuildChecked(Model& loaded, bool atFileScale) const {
    try {
        Build(loaded, atFileScale);
    } catch (const ParseFailure& failure) {
        m_text.ThrowIfCutShort(); // the text ended in zeros, not in what the file held
        Fail(failure);
    }
    m_text.ThrowIfCutShort();
}

void ModelLoader::Build(Model& loaded, bool atFileScale) const {
    TextCursor cursor{Begin(), End()};
    const Header header = ReadHeader(cursor);
    if (m_text.Bytes().size() >= m_options.checkCountsFrom) {
        CheckCountsFit(header);
    }
    SkipWhitespace(cursor);
    const std::unique_ptr<LinePlan> plan = PlanLines(cursor.pos, header);
    const char* vertexEnd = ReadVertices(loaded, header, cursor.pos, plan.get(), atFileScale);
    if (header.type == 0) {
        loaded.edges = ReadElements<ElementRecords<Edge>>(loaded.m_edgeRecords, header, vertexEnd,
                                                          plan.get(), loaded.vertices);
        loaded.edgeCount = header.elementCount;
    } else {
        loaded.faces = ReadElements<ElementRecords<Face>>(loaded.m_faceRecords, header, vertexEnd,
                                                          plan.get(), loaded.vertices);
        loaded.faceCount = header.elementCount;
    }
    loaded.type = header.type;
    if (m_options.whenRead && !atFileScale) {
        m_options.whenRead(loaded);
    }
}

ModelLoader::Header ModelLoader::ReadHeader(TextCursor& cursor) const {
    Header header;
    header.type = ReadInteger(cursor, "the model type");
    header.vertexCount = ReadCount(cursor, "the vertex count", "a vertex count of at least 1",
                                   &header.vertexCountAt);
    header.elementCount = header.type == 0
                              ? ReadCount(cursor, "the edge count", "an edge count of at least 1",
                                          &header.elementCountAt)
                              : ReadCount(cursor, "the face count", "a face count of at least 1",
                                          &header.elementCountAt);
    header.end = cursor.pos;
    return header;
}

// Refuses counts whose records could not fit in the rest of the text even at
// their smallest, before anything more of it is read.
void ModelLoader::CheckCountsFit(const Header& header) const {
    const std::int64_t rest = End() - header.end;
    const std::int64_t elementBytes = ElementBytes(header.type);
    const std::int64_t vertexBytes = kVertexBytes * header.vertexCount - 1;
    const std::string holds =
        ", as the file holds " + std::to_string(m_text.Bytes().size()) + " bytes";
    if (vertexBytes + elementBytes > rest) {
        throw ParseFailure(header.vertexCountAt,
                           "a vertex count of at most " +
                               std::to_string(RecordsFitting(rest - elementBytes, kVertexBytes)) +
                               holds);
    }
    if (vertexBytes + elementBytes * header.elementCount > rest) {
        // Whole elements: the last one a byte short does not fit.
        const std::size_t fitting = RecordsFitting(rest - vertexBytes - 1, elementBytes);
        throw ParseFailure(header.elementCountAt, (header.type == 0 ? "an edge count of at most "
                                                                    : "a face count of at most ") +
                                                      std::to_string(fitting) + holds);
    }
}

std::unique_ptr<LinePlan> ModelLoader::PlanLines(const char* from, const Header& header) const {
    const auto bytes = static_cast<std::size_t>(End() - from);
    std::size_t pieceBytes = m_options.pieceBytes;
    std::size_t smallestBytes = pieceBytes; // pieces of the size asked for
    if (pieceBytes == 0) {
        if (m_threads < 2 || bytes < kReadAheadFrom) {
            return nullptr;
        }
        pieceBytes = std::clamp(bytes / (m_threads * 8), kSmallestPiece, kLargestPiece);
        smallestBytes = kSmallestPiece;
    }
    // The first vertex is read before any line is counted, so that text that
    // breaks off after its header is refused without looking further.
    TextCursor firstVertex{from, End()};
    for (int i = 0; i < 3; ++i) {
        ReadCoordinate(firstVertex);
    }
    const std::size_t lines = std::size_t(header.vertexCount) + std::size_t(header.elementCount);
    return std::make_unique<LinePlan>(m_text, from, pieceBytes, smallestBytes, m_threads, lines);
}

const char* ModelLoader::ReadVertices(Model& loaded, const Header& header, const char* from,
                                      const LinePlan* plan, bool atFileScale) const {
    const auto count = static_cast<std::size_t>(header.vertexCount);
    const std::size_t capacity = std::min(count, RecordsFitting(End() - header.end, kVertexBytes));
    Vertex* vertices = loaded.m_vertexRecords.Allocate(capacity);
    // Pieces that expect more vertices than fit would fail anyway.
    const char* to = plan && capacity == count ? plan->AfterLines(count) : nullptr;
    const std::vector<TextPiece> pieces =
        to ? plan->Pieces(from, 0, to, count) : std::vector<TextPiece>();
    const VertexRecords records(vertices, capacity);
    SectionReader<VertexRecords> reader(m_text, records, m_threads);
    const char* end = reader.Read(from, count, pieces);
    loaded.vertices = vertices;
    loaded.vertexCount = header.vertexCount;
    if (atFileScale) {
        return end; // each vertex keeps its coordinates as read (see VertexRecords)
    }
    const float scale = ScaleFor(reader.GetSummary().maxAbs, from, header.vertexCount);
    // Centred now, on every core, rather than after the elements, when the
    // load goes on alone (see Options::whenRead): a face's normal is the same
    // for centred corners, and the first frame of a large model waits for
    // the end.
    loaded.ScaleAndCenterArray(scale, m_threads);
    return end;
}

// scale = 1000 / maxAbs in single precision. Where that overflows, the error
// names the first coordinate of that magnitude, as a scaling pass finds it.
float ModelLoader::ScaleFor(float maxAbs, const char* from, std::int32_t vertexCount) const {
    if (maxAbs == 0.0f) {
        return 0.0f; // every vertex is (0, 0, 0); nothing to divide by
    }
    const float scale = 1000.0f / maxAbs;
    if (std::isfinite(scale)) {
        return scale;
    }
    TextCursor cursor{from, End()};
    for (std::int64_t i = 0; i < std::int64_t{vertexCount} * 3; ++i) {
        SkipWhitespace(cursor);
        const char* at = cursor.pos;
        if (std::fabs(ReadCoordinate(cursor)) == maxAbs) {
            throw ParseFailure(at, "a largest coordinate far enough from 0 to scale to 1000");
        }
    }
    return scale; // not reached: the coordinates were all read before
}

template <typename Records, typename Record>
Record* ModelLoader::ReadElements(RecordArray<Record>& array, const Header& header,
                                  const char* from, const LinePlan* plan, Vertex* vertices) const {
    const auto count = static_cast<std::size_t>(header.elementCount);
    const std::size_t capacity =
        std::min(count, RecordsFitting(End() - from, ElementBytes(header.type)));
    Record* elements = array.Allocate(capacity);
    const Records records(elements, capacity, VertexTable{vertices, header.vertexCount});
    SectionReader<Records> reader(m_text, records, m_threads);
    reader.Read(from, count, ElementPieces(plan, header, capacity));
    elements[count - 1].next = nullptr;
    return elements;
}

// The elements' pieces begin after the vertices' lines and end after their own.
std::vector<TextPiece> ModelLoader::ElementPieces(const LinePlan* plan, const Header& header,
                                                  std::size_t capacity) const {
    const auto vertexLines = static_cast<std::size_t>(header.vertexCount);
    const auto count = static_cast<std::size_t>(header.elementCount);
    const char* from = plan && capacity == count ? plan->AfterLines(vertexLines) : nullptr;
    if (!from || from == End()) {
        return {};
    }
    const char* to = plan->AfterLines(vertexLines + count);
    return plan->Pieces(from, vertexLines, to ? to : End(), count);
}

// What stands at a place, for an error message.
static std::string Describe(const char* at, const char* end) {
    if (at == end || *at == ModelText::kEndOfData) {
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

void ModelLoader::Fail(const ParseFailure& failure) const {
    const ModelText::Position position =
        m_text.PositionOf(static_cast<std::size_t>(failure.At() - Begin()));
    throw ModelFileError(m_name, position.line, position.column, failure.Expected(),
                         Describe(failure.At(), End()));
}
