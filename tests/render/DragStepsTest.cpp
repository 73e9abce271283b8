#include "render/DragSteps.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

struct DragStepsTest : testing::Test {
    DragState left, right;
    double angleY = 0.0, angleX = 0.0, distance = 1500.0;

    bool Move(int x, int y) { return DragMove(left, right, x, y, angleY, angleX, distance); }
    void ExpectCamera(double y, double x, double d) {
        EXPECT_EQ(std::make_tuple(angleY, angleX, distance), std::make_tuple(y, x, d));
    }
};

TEST_F(DragStepsTest, LeftDragTurnsOneDegreePerTwoPixelsTruncatedPerMove) {
    BeginDrag(left, 100, 100);
    // A slow drag: each one-pixel step truncates to nothing and the position
    // still advances, so the pixels never add up.
    for (int i = 1; i <= 10; ++i) {
        EXPECT_TRUE(Move(100 + i, 100 + i));
    }
    ExpectCamera(0, 0, 1500);
    // x, y, then the angles: 3 right turns +1 (toward zero, not floored), 3
    // left -1, 2 right +1; 3 down tilts +1 and 3 up -1.
    const int moves[][4] = {
        {113, 110, 1, 0}, {110, 110, 0, 0}, {112, 110, 1, 0}, {112, 113, 1, 1}, {112, 110, 1, 0}};
    for (const auto& m : moves) {
        SCOPED_TRACE(testing::Message() << m[0] << "," << m[1]);
        Move(m[0], m[1]);
        ExpectCamera(m[2], m[3], 1500);
    }
}

TEST_F(DragStepsTest, RightDragMovesTenUnitsPerVerticalPixelWithoutLimit) {
    BeginDrag(right, 50, 50);
    // x, y, then the distance: down is farther, sideways nothing, up nearer, past zero.
    const int moves[][3] = {{50, 51, 1510}, {80, 51, 1510}, {80, 40, 1400}, {80, -160, -600}};
    for (const auto& m : moves) {
        SCOPED_TRACE(testing::Message() << m[0] << "," << m[1]);
        EXPECT_TRUE(Move(m[0], m[1]));
        ExpectCamera(0, 0, m[2]);
    }
}

TEST_F(DragStepsTest, BothButtonsApplyBothStepsThenShareTheNewPosition) {
    BeginDrag(left, 10, 10);
    BeginDrag(right, 20, 20);
    EXPECT_TRUE(Move(14, 16));
    ExpectCamera(2, 3, 1460);
    Move(18, 20);
    ExpectCamera(4, 5, 1500);
}

TEST_F(DragStepsTest, OnlySeenPressesAndReleasesStartAndEndADrag) {
    EXPECT_FALSE(Move(30, 30));
    // A release outside the view is never seen: later moves keep turning, the
    // first covering the whole jump since the cursor left.
    BeginDrag(left, 0, 0);
    EXPECT_TRUE(Move(40, 0));
    EXPECT_EQ(angleY, 20.0);
    // A release over the view ends the drag; a new press restarts where it happens.
    EndDrag(left);
    EXPECT_FALSE(Move(100, 100));
    BeginDrag(left, 200, 0);
    Move(204, 0);
    EXPECT_EQ(angleY, 22.0);
}

} // namespace
