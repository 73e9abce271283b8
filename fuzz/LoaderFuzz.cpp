// Feeds arbitrary bytes to the loader. Beyond not crashing, every outcome must
// be whole: a rejected file leaves an empty model, and a loaded one has lists
// that match its counts, links that stay inside its own vertex list,
// coordinates within range and no NaN anywhere.

#include "model/Model.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string_view>

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Model model;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!model.OpenText(text, "fuzz.dat")) {
        Check(model.LastError().has_value());
        Check(!model.vertices && !model.edges && !model.faces);
        Check(model.vertexCount == 0 && model.edgeCount == 0 && model.faceCount == 0);
        return 0;
    }
    CheckLoaded(model);
    return 0;
}
