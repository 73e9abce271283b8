#include "model/VertexNormals.h"

#include "model/Face.h"
#include "model/Parallel.h"
#include "model/Vertex.h"

#include <algorithm>
#include <vector>

namespace {

// One thread's share: the vertices of the array in [begin, end), and, for the
// first share, every vertex outside the array.
struct Share {
    Vertex* begin = nullptr;
    Vertex* end = nullptr;
    bool outside = false;
    Vertex* arrayBegin = nullptr;
    Vertex* arrayEnd = nullptr;

    bool OwnsAll() const { return outside && begin == arrayBegin && end == arrayEnd; }

    bool Owns(const Vertex* vertex) const {
        if (vertex >= arrayBegin && vertex < arrayEnd) {
            return vertex >= begin && vertex < end;
        }
        return outside;
    }
};

// Applies step to every vertex of the share.
template <typename Step> void ForEachOwned(const Share& share, Vertex* list, Step step) {
    std::for_each(share.begin, share.end, step);
    for (Vertex* vertex = share.outside ? list : nullptr; vertex; vertex = vertex->next) {
        if (vertex < share.arrayBegin || vertex >= share.arrayEnd) {
            step(*vertex);
        }
    }
}

void AddToCorner(Vertex* corner, const Face& face) {
    corner->nx += face.nx;
    corner->ny += face.ny;
    corner->nz += face.nz;
}

// A share that owns every vertex needs no test of which corners are its own:
// a large mesh's faces are read faster without it.
void AddAllFaceNormals(const Face* faces) {
    for (const Face* face = faces; face; face = face->next) {
        AddToCorner(face->a, *face);
        AddToCorner(face->b, *face);
        AddToCorner(face->c, *face);
        if (face->d) {
            AddToCorner(face->d, *face);
        }
    }
}

void AddFaceNormals(const Share& share, const Face* faces) {
    if (share.OwnsAll()) {
        AddAllFaceNormals(faces);
        return;
    }
    for (const Face* face = faces; face; face = face->next) {
        for (Vertex* corner : {face->a, face->b, face->c, face->d}) {
            if (corner && share.Owns(corner)) {
                corner->nx += face->nx;
                corner->ny += face->ny;
                corner->nz += face->nz;
            }
        }
    }
}

} // namespace

void SumVertexNormals(Vertex* list, const Face* faces, Vertex* array, std::size_t count,
                      unsigned shares) {
    std::vector<Share> parts(shares);
    for (std::size_t i = 0; i < shares; ++i) {
        parts[i] = {array + count * i / shares, array + count * (i + 1) / shares, i == 0, array,
                    array + count};
    }
    RunInParallel(shares, shares, [&](std::size_t i) {
        ForEachOwned(parts[i], list, [](Vertex& v) { v.nx = v.ny = v.nz = 0.0f; });
        AddFaceNormals(parts[i], faces);
        ForEachOwned(parts[i], list, [](Vertex& v) { v.NormalizeNormal(); });
    });
}
