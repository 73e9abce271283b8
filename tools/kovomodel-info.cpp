// kovomodel-info FILE: loads a model file as the viewer does and prints what it
// holds, or where and why the file was rejected.

#include "model/Model.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

struct Bounds {
    Model::IntVector low{std::numeric_limits<int>::max(), std::numeric_limits<int>::max(),
                         std::numeric_limits<int>::max()};
    Model::IntVector high{std::numeric_limits<int>::min(), std::numeric_limits<int>::min(),
                          std::numeric_limits<int>::min()};

    void Add(const Vertex& v) {
        low = {std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z)};
        high = {std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z)};
    }
};

const char* TypeName(int type) {
    if (type == 0) {
        return "wire model";
    }
    return type == 1 ? "surface model" : "surface model (not drawn)";
}

void Print(const Model& model) {
    int quads = 0;
    for (const Face* face = model.faces; face; face = face->next) {
        quads += face->d ? 1 : 0;
    }
    Bounds bounds;
    for (const Vertex* v = model.vertices; v; v = v->next) {
        bounds.Add(*v);
    }
    std::printf("type      %d (%s)\n", model.type, TypeName(model.type));
    std::printf("vertices  %d\n", model.vertexCount);
    if (model.type == 0) {
        std::printf("edges     %d\n", model.edgeCount);
    } else {
        std::printf("faces     %d (triangles %d, quadrilaterals %d)\n", model.faceCount,
                    model.faceCount - quads, quads);
    }
    std::printf("centre    %d %d %d\n", model.center.x, model.center.y, model.center.z);
    std::printf("bounds    %d %d %d .. %d %d %d\n", bounds.low.x, bounds.low.y, bounds.low.z,
                bounds.high.x, bounds.high.y, bounds.high.z);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kovomodel-info FILE\n");
        return 2;
    }
    Model model;
    if (!model.Open(argv[1])) {
        std::fprintf(stderr, "kovomodel-info: %s\n", model.LastError()->what());
        return 1;
    }
    Print(model);
    return 0;
}
