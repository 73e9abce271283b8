#pragma once

#include "model/ModelText.h"
#include "model/TextCursor.h"
#include "model/TextPiece.h"
#include "support/RecordArray.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

class FileMesh;
class LinePlan;
class Model;
class ParseFailure;
struct Vertex;

/// Builds a Model from the text of a ".dat" file, with the records, the scale
/// and the first error of a reading in two passes from the start: a scaling
/// pass that finds the largest absolute coordinate, and a load pass that makes
/// the records. The text is read once: a vertex keeps its coordinates as read
/// until the scale is known. Large texts are read on all cores (SectionReader).
/// Anything outside the format is rejected with a ModelFileError that names the
/// place and what was expected.
class ModelLoader {
public:
    /// How a load uses the machine. The defaults suit any caller; tests choose
    /// small pieces to read small texts ahead.
    struct Options {
        /// 0: every processor that the calling thread may run on.
        unsigned threads = 0;
        /// The least size of a piece read ahead; 0: chosen from the size of
        /// the text, and nothing read ahead in a small one.
        std::size_t pieceBytes = 0;
        /// From this size of the text on, a header whose counts cannot fit in
        /// it is refused before the rest is read. Smaller texts are read up to
        /// where they run out, which names the place more helpfully.
        std::size_t checkCountsFrom = std::numeric_limits<std::size_t>::max();
        /// Called, when set, on the loading thread once every record is read,
        /// with the model as read (centred, no vertex normals; only to be
        /// looked at): from then on the load runs on that thread alone, and a
        /// caller waiting for it may use the other processors. Not called
        /// when the text fails before that point.
        std::function<void(const Model&)> whenRead = nullptr;
    };

    /// text must outlive the loader; name stands for the file in errors.
    ModelLoader(const ModelText& text, std::string name);
    ModelLoader(const ModelText& text, std::string name, Options options);

    /// Replaces what model holds with the model in the text, centred, with face
    /// normals and every vertex normal (0, 0, 0). Throws ModelFileError (model
    /// unchanged) for a file outside the format; never reads past the text,
    /// never keeps memory in proportion to a count the text does not back.
    void LoadInto(Model& model) const;

    /// Replaces what mesh holds with the records of the text as it writes
    /// them: coordinates neither scaled nor centred, elements without
    /// normals. Throws as LoadInto does, but takes any coordinates, as no
    /// scale is made from them.
    void ReadInto(FileMesh& mesh) const;

private:
    struct Header {
        std::int32_t type = 0;
        std::int32_t vertexCount = 0;
        std::int32_t elementCount = 0;
        const char* vertexCountAt = nullptr;
        const char* elementCountAt = nullptr;
        const char* end = nullptr; // right after the element count
    };

    void Build(Model& loaded, bool atFileScale) const;
    void BuildChecked(Model& loaded, bool atFileScale) const;
    Header ReadHeader(TextCursor& cursor) const;
    void CheckCountsFit(const Header& header) const;
    std::unique_ptr<LinePlan> PlanLines(const char* from, const Header& header) const;
    const char* ReadVertices(Model& loaded, const Header& header, const char* from,
                             const LinePlan* plan, bool atFileScale) const;
    float ScaleFor(float maxAbs, const char* from, std::int32_t vertexCount) const;
    template <typename Records, typename Record>
    Record* ReadElements(RecordArray<Record>& array, const Header& header, const char* from,
                         const LinePlan* plan, Vertex* vertices) const;
    std::vector<TextPiece> ElementPieces(const LinePlan* plan, const Header& header,
                                         std::size_t capacity) const;
    [[noreturn]] void Fail(const ParseFailure& failure) const;

    const char* Begin() const noexcept { return m_text.Bytes().data(); }
    const char* End() const noexcept { return Begin() + m_text.Bytes().size(); }

    const ModelText& m_text;
    std::string m_name;
    Options m_options;
    unsigned m_threads = 1;
};
