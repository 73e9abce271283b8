#pragma once
// The formats that kovomodel-convert reads and writes.

#include <string>
#include <vector>

/// One format: how the command line names it, and what it can hold.
struct ModelFormat {
    const char* id;            ///< for --format, and the usual extension without its '.'
    const char* title;         ///< its short name, for messages
    const char* name;          ///< for --list-formats
    bool readable;             ///< read and tested (Assimp reads more)
    const char* exporter;      ///< Assimp's id for writing it; null: read only, "" our own
                               ///< (binary STL and 3MF are written by our own code too)
    const char* asciiExporter; ///< the same as text (--ascii); null when there is no choice
    bool quads;                ///< holds quadrilaterals; otherwise they go out as two triangles
    bool lines;                ///< holds line elements; otherwise a wire model is refused

    bool Writable() const { return exporter != nullptr; }
    bool IsDat() const { return exporter && *exporter == '\0'; }
};

/// Every format, ".dat" first.
const std::vector<ModelFormat>& ModelFormats();

/// The format of an id or an extension, in any case ("STL", "glb"); null
/// for one not known.
const ModelFormat* FindFormat(const std::string& id);

/// The format that a file name's extension names; null for none.
const ModelFormat* FormatOfPath(const std::string& path);
