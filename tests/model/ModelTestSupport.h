#pragma once

#include "model/Model.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string_view>
#include <vector>

// Helpers shared by the model tests.

using Position = std::array<int, 3>;

inline std::vector<Position> Positions(const Model& model) {
    std::vector<Position> positions;
    for (const Vertex* v = model.vertices; v; v = v->next) {
        positions.push_back({v->x, v->y, v->z});
    }
    return positions;
}

inline std::vector<const Face*> Faces(const Model& model) {
    std::vector<const Face*> faces;
    for (const Face* f = model.faces; f; f = f->next) {
        faces.push_back(f);
    }
    return faces;
}

inline std::array<float, 3> Normal(const Face& face) {
    return {face.nx, face.ny, face.nz};
}
inline std::array<float, 3> Normal(const Vertex& vertex) {
    return {vertex.nx, vertex.ny, vertex.nz};
}

/// Opens text that must load; the test fails with the loader's reason otherwise.
inline std::unique_ptr<Model> OpenOk(std::string_view text) {
    auto model = std::make_unique<Model>();
    const bool opened = model->OpenText(text, "test.dat");
    EXPECT_TRUE(opened) << (model->LastError() ? model->LastError()->what() : "");
    return model;
}

// The worked examples of the file format.
inline constexpr std::string_view kTetrahedron = "0\n4 6\n0 0 0\n2 0 0\n0 2 0\n0 0 2\n"
                                                 "1 2\n1 3\n1 4\n2 3\n2 4\n3 4\n";
inline constexpr std::string_view kPyramid = "1\n5 5\n-2 -2 0\n2 -2 0\n2 2 0\n-2 2 0\n0 0 4\n"
                                             "1 4 3 2\n1 2 5\n2 3 5\n3 4 5\n4 1 5\n";
