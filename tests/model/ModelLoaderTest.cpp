#include "model/Model.h"

#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

TEST(ModelLoaderWorkedExampleTest, WireTetrahedron) {
    const auto model = OpenOk(kTetrahedron);
    EXPECT_EQ(model->type, 0);
    EXPECT_EQ(model->vertexCount, 4);
    EXPECT_EQ(model->edgeCount, 6);
    EXPECT_EQ(model->faceCount, 0);
    EXPECT_EQ(model->faces, nullptr);
    EXPECT_EQ(model->center.x, 250);
    EXPECT_EQ(model->center.y, 250);
    EXPECT_EQ(model->center.z, 250);
    EXPECT_EQ(Positions(*model),
              (std::vector<Position>{
                  {-250, -250, -250}, {750, -250, -250}, {-250, 750, -250}, {-250, -250, 750}}));
    const int expected[6][2] = {{1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}};
    const Edge* edge = model->edges;
    for (const auto& ends : expected) {
        ASSERT_NE(edge, nullptr);
        EXPECT_EQ(edge->a, &model->GetVertex(ends[0]));
        EXPECT_EQ(edge->b, &model->GetVertex(ends[1]));
        edge = edge->next;
    }
    EXPECT_EQ(edge, nullptr);
}

TEST(ModelLoaderWorkedExampleTest, SurfacePyramid) {
    const auto model = OpenOk(kPyramid);
    EXPECT_EQ(model->edgeCount, 0);
    EXPECT_EQ(model->edges, nullptr);
    EXPECT_EQ(model->faceCount, 5);
    EXPECT_EQ(model->center.x, 0);
    EXPECT_EQ(model->center.y, 0);
    EXPECT_EQ(model->center.z, 200);
    EXPECT_EQ(Positions(*model), (std::vector<Position>{{-500, -500, -200},
                                                        {500, -500, -200},
                                                        {500, 500, -200},
                                                        {-500, 500, -200},
                                                        {0, 0, 800}}));
    const auto faces = Faces(*model);
    ASSERT_EQ(faces.size(), 5u);
    EXPECT_EQ(faces[0]->d, &model->GetVertex(2));
    for (std::size_t i = 1; i < faces.size(); ++i) {
        EXPECT_EQ(faces[i]->d, nullptr);
    }
    using N = std::array<float, 3>;
    EXPECT_EQ(Normal(*faces[0]), (N{0.0f, 0.0f, -1.0f}));
    EXPECT_EQ(Normal(*faces[1]), (N{0.0f, -0.89442718f, 0.44721359f}));
    EXPECT_EQ(Normal(*faces[2]), (N{0.89442718f, 0.0f, 0.44721359f}));
    EXPECT_EQ(Normal(*faces[3]), (N{0.0f, 0.89442718f, 0.44721359f}));
    EXPECT_EQ(Normal(*faces[4]), (N{-0.89442718f, 0.0f, 0.44721359f}));
    EXPECT_EQ(Normal(model->GetVertex(1)), (N{-0.70465672f, -0.70465672f, -0.0831734538f}));
    EXPECT_EQ(Normal(model->GetVertex(2)), (N{0.70465672f, -0.70465672f, -0.0831734538f}));
    EXPECT_EQ(Normal(model->GetVertex(3)), (N{0.70465672f, 0.70465672f, -0.0831734538f}));
    EXPECT_EQ(Normal(model->GetVertex(4)), (N{-0.70465672f, 0.70465672f, -0.0831734538f}));
    EXPECT_EQ(Normal(model->GetVertex(5)), (N{0.0f, 0.0f, 1.0f}));
}

TEST(ModelLoaderWorkedExampleTest, LayoutOfLinesCarriesNoMeaning) {
    const auto model =
        OpenOk("\n\n 1 5 5 -2 -2\n\n0 2\n-2 0 2 2 0 -2 2 0\n0 0\n4\n1 4 3 2\n1 2 5\n2 3 5\n"
               "3 4 5\n4 1 5");
    const auto reference = OpenOk(kPyramid);
    EXPECT_EQ(Positions(*model), Positions(*reference));
    EXPECT_EQ(Normal(model->GetVertex(1)), Normal(reference->GetVertex(1)));
}

TEST(ModelLoaderWorkedExampleTest, AnyNonZeroTypeLoadsLikeASurfaceModel) {
    std::string typeTwo(kPyramid);
    typeTwo[0] = '2';
    const auto model = OpenOk(typeTwo);
    const auto reference = OpenOk(kPyramid);
    EXPECT_EQ(model->type, 2);
    EXPECT_EQ(model->faceCount, 5);
    EXPECT_EQ(model->edges, nullptr);
    EXPECT_EQ(Positions(*model), Positions(*reference));
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(Normal(model->GetVertex(i)), Normal(reference->GetVertex(i)));
    }
    EXPECT_EQ(Normal(*model->faces->next), Normal(*reference->faces->next));
}

TEST(ModelLoaderScalingTest, SinglePrecisionScaleCanFallShortOf1000) {
    const auto model = OpenOk("0\n2 1\n11 0 0\n0 5.5 0\n1 2\n");
    // 1000/11 rounds down in single precision, so 11 * scale is 999.99997.
    EXPECT_EQ(model->center.x, 499);
    EXPECT_EQ(model->center.y, 249);
    EXPECT_EQ(Positions(*model), (std::vector<Position>{{500, -249, 0}, {-499, 250, 0}}));
}

TEST(ModelLoaderScalingTest, ScaledValuesTruncateTowardZero) {
    // scale 250: -1.003 gives -250.75, truncated to -250, not -251; the third
    // vertex balances the centre to 0 in x.
    const auto model = OpenOk("0\n3 1\n4 0 0\n-1.003 0 0\n-3 0 0\n1 2\n");
    EXPECT_EQ(model->center.x, 0);
    EXPECT_EQ(Positions(*model), (std::vector<Position>{{1000, 0, 0}, {-250, 0, 0}, {-750, 0, 0}}));
}

TEST(ModelLoaderScalingTest, LargestMagnitudeMayBeNegative) {
    const auto model = OpenOk("0\n2 1\n0 -8 0\n0 0 2\n1 2\n");
    EXPECT_EQ(model->center.y, -500);
    EXPECT_EQ(model->center.z, 125);
    EXPECT_EQ(Positions(*model), (std::vector<Position>{{0, -500, -125}, {0, 500, 125}}));
}

TEST(ModelLoaderScalingTest, TinyButScalableCoordinates) {
    const auto model = OpenOk("0\n2 1\n1e-30 0 0\n0 0 0\n1 2\n");
    EXPECT_EQ(Positions(*model), (std::vector<Position>{{500, 0, 0}, {-499, 0, 0}}));
}

TEST(ModelLoaderCentreTest, MeanIsTruncatedTowardZero) {
    const auto model = OpenOk("0\n3 1\n1000 -1000 0\n0 0 0\n0 0 1\n1 2\n");
    EXPECT_EQ(model->center.x, 333);
    EXPECT_EQ(model->center.y, -333);
    EXPECT_EQ(model->center.z, 0);
    EXPECT_EQ(Positions(*model),
              (std::vector<Position>{{667, -667, 0}, {-333, 333, 0}, {-333, 333, 1}}));
}

static std::string WireWithXs(const std::vector<int>& xs) {
    std::string text = "0\n" + std::to_string(xs.size()) + " 1\n";
    for (int x : xs) {
        text += std::to_string(x) + " 0 0\n";
    }
    return text + "1 2\n";
}

TEST(ModelLoaderCentreTest, TenVerticesMakeOneBlockAndNoRemainder) {
    const auto model = OpenOk(WireWithXs({1000, -7, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(model->center.x, 99); // 99.3
    EXPECT_EQ(model->GetVertex(10).x, -99);
}

TEST(ModelLoaderCentreTest, MeanIsASumOfPartialMeansOverBlocksOfTen) {
    // These 25 values sum to exactly 250, but the partial means 2 blocks of ten
    // and a remainder of five add up to just under 10, which truncates to 9.
    const auto model =
        OpenOk(WireWithXs({1000, -680, 583, 107, 417, -464, 433, 272,  -746, -709, -903, -909, -87,
                           -870, 424,  59,  694, 147, 743,  782, -465, -408, 270,  419,  141}));
    EXPECT_EQ(model->center.x, 9);
    EXPECT_EQ(model->GetVertex(1).x, 991);
    EXPECT_EQ(model->GetVertex(25).x, 132);
}

TEST(ModelLoaderEdgeTest, ZeroAndNegativeIndicesSelectTheFirstVertex) {
    const auto model = OpenOk("0\n3 3\n1 0 0\n0 1 0\n0 0 1\n0 2\n-5 3\n3 -2147483648\n");
    const Edge* first = model->edges;
    EXPECT_EQ(first->a, model->vertices);
    EXPECT_EQ(first->next->a, model->vertices);
    EXPECT_EQ(first->next->next->b, model->vertices);
}

TEST(ModelLoaderEdgeTest, NumberBasesOfIntegers) {
    // 010 is octal eight vertices; 0x2 is hexadecimal; 08 reads as 0 (the first
    // vertex) with a stray 8 after the last element, which is never read.
    std::string text = "0\n010 2\n";
    for (int i = 1; i <= 8; ++i) {
        text += std::to_string(i) + " 0 0\n";
    }
    const auto model = OpenOk(text + "0x2 07\n1 08\n");
    EXPECT_EQ(model->vertexCount, 8);
    EXPECT_EQ(model->edges->a, &model->GetVertex(2));
    EXPECT_EQ(model->edges->b, &model->GetVertex(7));
    EXPECT_EQ(model->edges->next->b, model->vertices);
}

TEST(ModelLoaderEdgeTest, TextAfterTheLastElementIsIgnored) {
    const auto model = OpenOk("0\n2 1\n1 0 0\n0 1 0\n1 2\n2 1\nnot a model at all, 99999\n");
    EXPECT_EQ(model->edgeCount, 1);
    EXPECT_EQ(model->edges->next, nullptr);
}

TEST(ModelLoaderEdgeTest, CtrlZEndsTheFileAndCrLfReadsLikeLf) {
    const auto model = OpenOk("0\r\n2 1\r\n1 0 0\r\n0 1 0\r\n1 2\x1a garbage");
    EXPECT_EQ(model->edgeCount, 1);
    Model truncated;
    EXPECT_FALSE(truncated.OpenText("0\n2 1\n1 0 0\n0 1\x1a 0\n1 2\n", "t.dat"));
}
