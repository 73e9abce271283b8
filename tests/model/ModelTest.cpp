#include "model/Model.h"

#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

TEST(ModelTest, NewModelIsEmpty) {
    const Model model;
    EXPECT_EQ(model.vertices, nullptr);
    EXPECT_EQ(model.edges, nullptr);
    EXPECT_EQ(model.faces, nullptr);
    EXPECT_EQ(model.vertexCount + model.edgeCount + model.faceCount, 0);
    EXPECT_FALSE(model.LastError().has_value());
}

TEST(ModelTest, GetVertexWalksFromTheFirst) {
    const auto model = OpenOk(kTetrahedron);
    EXPECT_EQ(&model->GetVertex(1), model->vertices);
    EXPECT_EQ(&model->GetVertex(0), model->vertices);
    EXPECT_EQ(&model->GetVertex(-7), model->vertices);
    EXPECT_EQ(&model->GetVertex(3), model->vertices->next->next);
    EXPECT_EQ(&model->GetVertex(4), model->vertices->next->next->next);
}

TEST(ModelTest, ClearEmptiesListsButKeepsTypeAndCenter) {
    const auto model = OpenOk(kPyramid);
    model->Clear();
    EXPECT_EQ(model->vertices, nullptr);
    EXPECT_EQ(model->faces, nullptr);
    EXPECT_EQ(model->vertexCount, 0);
    EXPECT_EQ(model->faceCount, 0);
    EXPECT_EQ(model->type, 1);
    EXPECT_EQ(model->center.z, 200);
}

TEST(ModelTest, ReopeningAfterClearGivesTheSameRecords) {
    Model model;
    const std::string path = KOVO_TEST_DATA "/pyramid-crlf.dat";
    ASSERT_TRUE(model.Open(path));
    const auto first = Positions(model);
    const auto firstNormal = Normal(model.GetVertex(3));
    model.Clear();
    ASSERT_TRUE(model.Open(path));
    EXPECT_EQ(Positions(model), first);
    EXPECT_EQ(Normal(model.GetVertex(3)), firstNormal);
    EXPECT_EQ(Positions(model), Positions(*OpenOk(kPyramid)));
}

TEST(ModelTest, OpeningOverALoadedModelReplacesIt) {
    auto model = OpenOk(kPyramid);
    ASSERT_TRUE(model->OpenText(kTetrahedron, "t.dat"));
    EXPECT_EQ(model->type, 0);
    EXPECT_EQ(model->faces, nullptr);
    EXPECT_EQ(model->faceCount, 0);
    EXPECT_EQ(Positions(*model).size(), 4u);
}

TEST(ModelTest, FailedLoadLeavesTheModelUnchanged) {
    auto model = OpenOk(kTetrahedron);
    EXPECT_THROW(model->LoadText("0\n2 1\n0 0 0\n", "t.dat"), ModelFileError);
    EXPECT_EQ(model->vertexCount, 4);
    EXPECT_EQ(Positions(*model).size(), 4u);
    EXPECT_EQ(model->edges->b, &model->GetVertex(2));
}

TEST(ModelTest, SwapExchangesRecordsInPlace) {
    auto pyramid = OpenOk(kPyramid);
    Model other;
    EXPECT_FALSE(other.OpenText("junk", "junk.dat"));
    const Vertex* apex = &pyramid->GetVertex(5);
    pyramid->Swap(other);
    EXPECT_EQ(pyramid->vertices, nullptr);
    EXPECT_TRUE(pyramid->LastError().has_value());
    EXPECT_EQ(other.type, 1);
    EXPECT_EQ(other.faceCount, 5);
    EXPECT_EQ(&other.GetVertex(5), apex);
    EXPECT_FALSE(other.LastError().has_value());
}

TEST(ModelTest, LoadLeavesVertexNormalsToOpen) {
    Model model;
    model.LoadText(kPyramid, "p.dat");
    EXPECT_EQ(model.center.z, 200);
    EXPECT_EQ(Normal(model.GetVertex(5)), (std::array<float, 3>{0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(Normal(*model.faces), (std::array<float, 3>{0.0f, 0.0f, -1.0f}));
    model.ComputeVertexNormals();
    EXPECT_EQ(Normal(model.GetVertex(5)), (std::array<float, 3>{0.0f, 0.0f, 1.0f}));
}

TEST(ModelTest, CenterOnAnEmptyModelDoesNothing) {
    Model model;
    model.Center();
    model.ComputeVertexNormals();
    EXPECT_EQ(model.center.x, 0);
}

namespace {
void ExpectNoNaN(const Model& model) {
    for (const Vertex* v = model.vertices; v; v = v->next) {
        EXPECT_FALSE(std::isnan(v->nx) || std::isnan(v->ny) || std::isnan(v->nz));
    }
    for (const Face* f = model.faces; f; f = f->next) {
        EXPECT_FALSE(std::isnan(f->nx) || std::isnan(f->ny) || std::isnan(f->nz));
    }
}
constexpr std::array<float, 3> kZero{0.0f, 0.0f, 0.0f};
} // namespace

TEST(ModelDirectionlessTest, AllCoordinatesZero) {
    const auto model = OpenOk("1\n3 1\n0 0 0\n-0 0.0 0e5\n0 0 0\n1 2 3\n");
    EXPECT_EQ(Positions(*model), (std::vector<Position>(3, Position{0, 0, 0})));
    EXPECT_EQ(Normal(*model->faces), kZero);
    EXPECT_EQ(Normal(*model->vertices), kZero);
    ExpectNoNaN(*model);
}

TEST(ModelDirectionlessTest, CollinearAndCoincidentCorners) {
    const auto model = OpenOk("1\n4 3\n0 0 0\n1 0 0\n2 0 0\n0 0 1\n1 2 3\n1 1 1\n4 4 2\n");
    for (const Face* face = model->faces; face; face = face->next) {
        EXPECT_EQ(Normal(*face), kZero);
    }
    EXPECT_EQ(Normal(model->GetVertex(3)), kZero);
    ExpectNoNaN(*model);
}

TEST(ModelDirectionlessTest, UnusedVertexAndCancellingNormals) {
    // The same triangle listed both ways round: its corners' sums cancel.
    const auto model = OpenOk("1\n4 2\n0 0 0\n1 0 0\n0 1 0\n5 5 5\n1 2 3\n1 3 2\n");
    EXPECT_EQ(Normal(*model->faces), (std::array<float, 3>{0.0f, 0.0f, 1.0f}));
    EXPECT_EQ(Normal(model->GetVertex(1)), kZero);
    EXPECT_EQ(Normal(model->GetVertex(4)), kZero);
    ExpectNoNaN(*model);
}

TEST(ModelDirectionlessTest, RepeatedCornerCountsTwice) {
    // Face 2 lists vertex 1 twice (as a and d), so vertex 1 receives its normal
    // twice and leans towards it.
    const auto model = OpenOk("1\n4 2\n0 0 0\n1 0 0\n0 1 0\n0 0 1\n1 2 3\n1 3 4 1\n");
    const Vertex& first = model->GetVertex(1);
    EXPECT_GT(std::fabs(first.nx), std::fabs(first.nz));
    EXPECT_FLOAT_EQ(first.nx * first.nx + first.ny * first.ny + first.nz * first.nz, 1.0f);
}
