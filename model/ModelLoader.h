#pragma once

#include "model/ModelText.h"
#include "model/TextCursor.h"

#include <cstdint>
#include <string>
#include <vector>

class Model;
struct Vertex;

/// Builds a Model from the text of a ".dat" file in two passes over the text
/// held in memory: a scaling pass that finds the largest absolute coordinate,
/// and a load pass that makes the records. Anything outside the format is
/// rejected with a ModelFileError that names the place and what was expected.
class ModelLoader {
public:
    /// text must outlive the loader; name stands for the file in errors.
    ModelLoader(const ModelText& text, std::string name);

    /// Replaces what model holds with the model in the text, centred, with face
    /// normals but no vertex normals. Throws ModelFileError (model unchanged)
    /// for a file outside the format; never reads past the text, never keeps
    /// memory in proportion to a count the text does not back.
    void LoadInto(Model& model) const;

private:
    struct Header {
        std::int32_t type = 0;
        std::int32_t vertexCount = 0;
        std::int32_t elementCount = 0;
    };

    Header ReadHeader(TextCursor& cursor) const;
    std::int32_t ReadCount(TextCursor& cursor, const char* what, const char* atLeastOne) const;
    float FindScale(TextCursor cursor, std::int32_t vertexCount) const;
    void ReadVertices(TextCursor& cursor, Model& model, std::int32_t count, float scale,
                      std::vector<Vertex*>& table) const;
    void ReadEdges(TextCursor& cursor, Model& model, std::int32_t count,
                   const std::vector<Vertex*>& table) const;
    void ReadFaces(TextCursor& cursor, Model& model, std::int32_t count,
                   const std::vector<Vertex*>& table) const;
    Vertex* ReadFourthCorner(TextCursor& cursor, const std::vector<Vertex*>& table) const;

    std::int32_t ReadInteger(TextCursor& cursor, const char* what) const;
    float ReadCoordinate(TextCursor& cursor) const;
    Vertex* ReadIndex(TextCursor& cursor, const std::vector<Vertex*>& table) const;
    Vertex* Resolve(std::int32_t index, const char* at, const std::vector<Vertex*>& table) const;
    [[noreturn]] void Fail(const char* at, std::string expected) const;

    const ModelText& m_text;
    std::string m_name;
};
