// Feeds arbitrary bytes to the loader. Beyond not crashing, every outcome must
// be whole: a rejected file leaves an empty model, and a loaded one has lists
// that match its counts, links that stay inside its own vertex list,
// coordinates within range and no NaN anywhere. And every way of reading must
// agree with reading in order: reading ahead in pieces, text-mode rules
// applied beforehand, and the bound on counts, which may only refuse what
// would fail anyway.

#include "model/Model.h"
#include "model/ModelLoader.h"
#include "model/ModelText.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool IsUnitOrZero(float x, float y, float z) {
    if (std::isnan(x) || std::isnan(y) || std::isnan(z)) {
        return false;
    }
    const double length = std::sqrt(double(x) * x + double(y) * y + double(z) * z);
    return length == 0.0 || std::fabs(length - 1.0) < 1e-5;
}

std::set<const Vertex*> CheckVertices(const Model& model) {
    std::set<const Vertex*> known;
    for (const Vertex* v = model.vertices; v; v = v->next) {
        Check(v->x >= -2000 && v->x <= 2000 && v->y >= -2000 && v->y <= 2000);
        Check(v->z >= -2000 && v->z <= 2000);
        Check(model.type == 0 || IsUnitOrZero(v->nx, v->ny, v->nz));
        known.insert(v);
    }
    Check(known.size() == static_cast<std::size_t>(model.vertexCount));
    return known;
}

void CheckLoaded(const Model& model) {
    const std::set<const Vertex*> known = CheckVertices(model);
    std::int64_t edges = 0;
    for (const Edge* e = model.edges; e; e = e->next, ++edges) {
        Check(known.count(e->a) && known.count(e->b));
    }
    std::int64_t faces = 0;
    for (const Face* f = model.faces; f; f = f->next, ++faces) {
        Check(known.count(f->a) && known.count(f->b) && known.count(f->c));
        Check(!f->d || known.count(f->d));
        Check(IsUnitOrZero(f->nx, f->ny, f->nz));
    }
    Check(edges == model.edgeCount && faces == model.faceCount);
    Check(model.type == 0 ? faces == 0 : edges == 0);
}

// A float's bits, so that outcomes compare exactly.
std::string Bits(float x, float y, float z) {
    std::uint32_t bits[3];
    std::memcpy(&bits[0], &x, 4);
    std::memcpy(&bits[1], &y, 4);
    std::memcpy(&bits[2], &z, 4);
    return ":" + std::to_string(bits[0]) + ":" + std::to_string(bits[1]) + ":" +
           std::to_string(bits[2]);
}

// Every field of every record, and the error, as text: equal outcomes give
// equal strings.
std::string Outcome(const Model& model) {
    if (model.LastError()) {
        return model.LastError()->what();
    }
    std::vector<const Vertex*> order;
    std::string out = std::to_string(model.type) + " " + std::to_string(model.center.x) + " " +
                      std::to_string(model.center.y) + " " + std::to_string(model.center.z);
    const auto number = [&](const Vertex* v) {
        for (std::size_t i = 0; i < order.size(); ++i) {
            if (order[i] == v) {
                return std::to_string(i + 1);
            }
        }
        return std::string("0");
    };
    for (const Vertex* v = model.vertices; v; v = v->next) {
        order.push_back(v);
        out +=
            " v" + std::to_string(v->x) + "," + std::to_string(v->y) + "," + std::to_string(v->z);
        out += Bits(v->nx, v->ny, v->nz);
    }
    for (const Edge* e = model.edges; e; e = e->next) {
        out += " e" + number(e->a) + "," + number(e->b);
    }
    for (const Face* f = model.faces; f; f = f->next) {
        out += " f" + number(f->a) + "," + number(f->b) + "," + number(f->c) + "," + number(f->d);
        out += Bits(f->nx, f->ny, f->nz);
    }
    return out;
}

// Loads with the loader's options, as Model::OpenText does with its own.
std::string OutcomeWith(std::string_view text, const ModelLoader::Options& options) {
    Model model;
    const ModelText bytes = ModelText::FromBytes(text);
    try {
        ModelLoader(bytes, "fuzz.dat", options).LoadInto(model);
    } catch (const ModelFileError& error) {
        return error.what();
    }
    if (model.type != 0) {
        model.ComputeVertexNormals();
    }
    return Outcome(model);
}

// The text as a text-mode reader sees it: cut at the first Ctrl+Z, carriage
// returns before line feeds dropped.
std::string TextMode(std::string_view bytes) {
    bytes = bytes.substr(0, bytes.find('\x1a'));
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' || i + 1 == bytes.size() || bytes[i + 1] != '\n') {
            text += bytes[i];
        }
    }
    return text;
}

void CheckReadingsAgree(std::string_view text, const std::string& inOrder) {
    Model normalized;
    normalized.OpenText(TextMode(text), "fuzz.dat");
    Check(Outcome(normalized) == inOrder);
    ModelLoader::Options ahead;
    ahead.threads = 1;
    ahead.pieceBytes = 1 + (text.empty() ? 0 : static_cast<unsigned char>(text[0]) % 48);
    Check(OutcomeWith(text, ahead) == inOrder);
    ahead.checkCountsFrom = 0;
    const std::string checked = OutcomeWith(text, ahead);
    const bool refusedByBound = checked.find(", as the file holds ") != std::string::npos;
    Check(refusedByBound ? checked != inOrder && inOrder.find("fuzz.dat:") == 0
                         : checked == inOrder);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Model model;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const bool loaded = model.OpenText(text, "fuzz.dat");
    CheckReadingsAgree(text, Outcome(model));
    if (!loaded) {
        Check(model.LastError().has_value());
        Check(!model.vertices && !model.edges && !model.faces);
        Check(model.vertexCount == 0 && model.edgeCount == 0 && model.faceCount == 0);
        return 0;
    }
    CheckLoaded(model);
    return 0;
}
