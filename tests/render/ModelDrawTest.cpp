#include "GlTestWindow.h"
#include "TestModels.h"
#include "render/Scene.h"

#include <gtest/gtest.h>

namespace {

struct ModelDrawTest : testing::Test {
    GlTestWindow window{200, 150};

    void SetUp() override { ASSERT_TRUE(window.Ready()); }

    void Draw(const Model& model) {
        DrawScene(0.0, 0.0, 1500.0, model, false);
        window.ReadBack();
    }
};

TEST_F(ModelDrawTest, AQuadrilateralIsFilledWhole) {
    // A square facing the eye, larger than the view: all four corners count.
    auto square = LoadModelText("1\n4 1\n-1 -1 0\n1 -1 0\n1 1 0\n-1 1 0\n1 2 3 4\n");
    ASSERT_EQ(square->faceCount, 1);
    Draw(*square);
    EXPECT_EQ(window.CountLit(), window.Width() * window.Height());
}

TEST_F(ModelDrawTest, EveryEdgeOfAWireModelIsDrawn) {
    // Three separate edges across the view, at y = 500, 0 and -500.
    auto lines = LoadModelText("0\n6 3\n"
                               "-2 1 0\n2 1 0\n-2 0 0\n2 0 0\n-2 -1 0\n2 -1 0\n"
                               "1 2\n3 4\n5 6\n");
    ASSERT_EQ(lines->edgeCount, 3);
    Draw(*lines);
    int rowsLit = 0;
    for (int y = 0; y < window.Height(); ++y)
        rowsLit += window.At(window.Width() / 2, y).g > 0 ? 1 : 0;
    EXPECT_GE(rowsLit, 3);
    EXPECT_LE(rowsLit, 6);
    // Each line spans the whole width.
    EXPECT_EQ(window.CountLit(), rowsLit * window.Width());
}

} // namespace
