#include "model/VertexNormals.h"
#include "model/Model.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

// The normals' bits, vertex by vertex.
std::vector<std::uint32_t> NormalBits(const Model& model) {
    std::vector<std::uint32_t> bits;
    for (const Vertex* v = model.vertices; v; v = v->next) {
        for (const float component : {v->nx, v->ny, v->nz}) {
            std::uint32_t word = 0;
            std::memcpy(&word, &component, sizeof word);
            bits.push_back(word);
        }
    }
    return bits;
}

} // namespace

// However the vertices are shared out, each receives its terms in face order,
// so its normal is the same to the bit; a vertex linked into the list from
// outside the model's array is summed too.
TEST(VertexNormalsTest, AnyNumberOfSharesGivesTheSameNormals) {
    Model model;
    ASSERT_TRUE(model.Open(KOVO_SAMPLES "/torus.dat"s));
    Vertex outside;
    outside.next = model.vertices->next;
    model.vertices->next = &outside;
    outside.x = 1000;
    model.faces->d = &outside;
    model.faces->next->a = &outside;
    SumVertexNormals(model.vertices, model.faces, model.vertices, model.vertexCount, 1);
    const std::vector<std::uint32_t> oneShare = NormalBits(model);
    EXPECT_NE(outside.nx + outside.ny + outside.nz, 0.0f);
    for (const unsigned shares : {2u, 3u, 7u}) {
        SumVertexNormals(model.vertices, model.faces, model.vertices, model.vertexCount, shares);
        EXPECT_EQ(NormalBits(model), oneShare) << shares << " shares";
    }
}
