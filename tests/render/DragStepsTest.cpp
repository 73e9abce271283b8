#include "render/DragSteps.h"

#include <gtest/gtest.h>

namespace {

struct Camera {
    double angleY = 0.0;
    double angleX = 0.0;
    double distance = 1500.0;
};

struct DragStepsTest : testing::Test {
    DragState left;
    DragState right;
    Camera camera;

    bool Move(int x, int y) {
        return DragMove(left, right, x, y, camera.angleY, camera.angleX, camera.distance);
    }
};

TEST_F(DragStepsTest, TurningCountsOneDegreePerTwoPixelsTruncatedPerMessage) {
    BeginDrag(left, 100, 100);
    // A slow drag: each one-pixel step truncates to nothing, and the position
    // still advances, so the pixels never add up.
    for (int i = 1; i <= 10; ++i)
        EXPECT_TRUE(Move(100 + i, 100 + i));
    EXPECT_EQ(camera.angleY, 0.0);
    EXPECT_EQ(camera.angleX, 0.0);
    EXPECT_EQ(left.lastX, 110);
    EXPECT_EQ(left.lastY, 110);

    Move(113, 110); // 3 pixels right: the near side follows the cursor
    EXPECT_EQ(camera.angleY, 1.0);
    Move(110, 110); // 3 back: truncated toward zero, not floored
    EXPECT_EQ(camera.angleY, 0.0);
    Move(112, 110); // 2 pixels
    EXPECT_EQ(camera.angleY, 1.0);
    Move(112, 113); // 3 pixels down tilts by one degree
    EXPECT_EQ(camera.angleX, 1.0);
    Move(112, 110);
    EXPECT_EQ(camera.angleX, 0.0);
    EXPECT_EQ(camera.distance, 1500.0);
}

TEST_F(DragStepsTest, RightDragMovesTenUnitsPerVerticalPixel) {
    BeginDrag(right, 50, 50);
    EXPECT_TRUE(Move(50, 51)); // down: farther away
    EXPECT_EQ(camera.distance, 1510.0);
    Move(80, 51); // sideways: no change, but the position follows
    EXPECT_EQ(camera.distance, 1510.0);
    EXPECT_EQ(right.lastX, 80);
    Move(80, 40); // up: nearer
    EXPECT_EQ(camera.distance, 1400.0);
    // No limit: a long drag upwards passes through zero.
    Move(80, -160);
    EXPECT_EQ(camera.distance, -600.0);
    EXPECT_EQ(camera.angleY, 0.0);
    EXPECT_EQ(camera.angleX, 0.0);
}

TEST_F(DragStepsTest, BothButtonsApplyBothStepsAndShareTheNewPosition) {
    BeginDrag(left, 10, 10);
    BeginDrag(right, 20, 20);
    EXPECT_TRUE(Move(14, 16));
    EXPECT_EQ(camera.angleY, 2.0);
    EXPECT_EQ(camera.angleX, 3.0);
    EXPECT_EQ(camera.distance, 1500.0 - 40.0); // up from right's own last y, 20
    EXPECT_EQ(left.lastX, 14);
    EXPECT_EQ(left.lastY, 16);
    EXPECT_EQ(right.lastX, 14);
    EXPECT_EQ(right.lastY, 16);
}

TEST_F(DragStepsTest, OnlySeenPressesAndReleasesStartAndEndADrag) {
    // No drag: moves change nothing and ask for no repaint.
    EXPECT_FALSE(Move(30, 30));
    EXPECT_EQ(camera.angleY, 0.0);

    // A release outside the view is never seen: moves with no button held
    // keep turning, and the first covers the whole jump since the cursor left.
    BeginDrag(left, 0, 0);
    EXPECT_TRUE(Move(40, 0));
    EXPECT_EQ(camera.angleY, 20.0);

    // A release over the view ends the drag and keeps the last position.
    EndDrag(left);
    EXPECT_FALSE(left.active);
    EXPECT_EQ(left.lastX, 40);
    EXPECT_FALSE(Move(100, 100));
    EXPECT_EQ(camera.angleY, 20.0);

    // A new press restarts from where it happens.
    BeginDrag(left, 200, 0);
    Move(204, 0);
    EXPECT_EQ(camera.angleY, 22.0);
}

TEST_F(DragStepsTest, ExtremePositionsDoNotOverflow) {
    BeginDrag(left, 2147483647, 0);
    BeginDrag(right, 0, 2147483647);
    Move(-2147483647 - 1, -2147483647 - 1);
    EXPECT_EQ(camera.angleY, -2147483647.0);
    EXPECT_EQ(camera.distance, 1500.0 - 42949672950.0);
}

} // namespace
