// Which vertices lie beyond a side of the view volume: exact at the widened
// sides, never fooled by a vertex behind the eye, and nothing beyond a side
// when the volume cannot be trusted.

#include "GlTestWindow.h"

#include "model/Vertex.h"
#include "render/ViewVolumeCodes.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace {

Vertex At(std::int32_t x, std::int32_t y, std::int32_t z) {
    Vertex vertex;
    vertex.x = x;
    vertex.y = y;
    vertex.z = z;
    return vertex;
}

// Codes vertices against volume and asks whether the ones at places all lie
// beyond one same side.
bool AllBeyond(const ViewVolumeCodes::Volume& volume, const std::vector<Vertex>& vertices,
               const std::vector<std::uint32_t>& places) {
    ViewVolumeCodes codes;
    codes.Compute(volume, vertices.data(), vertices.size());
    return codes.AllBeyondOneSide(places.data(), places.size());
}

// A box of +-100 in x, y and z, widened by half in x and a quarter in y.
ViewVolumeCodes::Volume Box() {
    ViewVolumeCodes::Volume volume;
    volume.clip = {0.01, 0, 0, 0, 0, 0.01, 0, 0, 0, 0, 0.01, 0, 0, 0, 0, 1};
    volume.reachX = 0.5;
    volume.reachY = 0.25;
    return volume;
}

TEST(ViewVolumeCodesTest, AVertexIsBeyondASideOnlyPastItsWidenedPlace) {
    const std::vector<Vertex> vertices = {
        At(0, 0, 0),    At(150, 0, 0),  At(151, 0, 0), At(-151, 0, 0), At(0, 125, 0),
        At(0, 126, 0),  At(0, -126, 0), At(0, 0, 101), At(0, 0, -101), At(151, 126, 0),
        At(-150, 0, 0), At(0, -125, 0), At(0, 0, -100)};
    const ViewVolumeCodes::Volume box = Box();
    for (std::uint32_t place : {0u, 1u, 4u, 10u, 11u, 12u}) {
        EXPECT_FALSE(AllBeyond(box, vertices, {place})) << place; // inside, or on the side
    }
    for (std::uint32_t place : {2u, 3u, 5u, 6u, 7u, 8u, 9u}) {
        EXPECT_TRUE(AllBeyond(box, vertices, {place})) << place;
    }
    // Corners beyond different sides may span the volume; one inside shows.
    EXPECT_TRUE(AllBeyond(box, vertices, {2, 9, 2}));
    EXPECT_TRUE(AllBeyond(box, vertices, {5, 9}));
    EXPECT_FALSE(AllBeyond(box, vertices, {2, 3, 7}));
    EXPECT_FALSE(AllBeyond(box, vertices, {2, 9, 0}));
    EXPECT_FALSE(AllBeyond(box, vertices, {7, 8, 7, 7}));
}

// A large array is coded in ranges on several threads: every vertex, the
// last ones of an array whose length is no multiple of four too, gets its own
// code, and coding a shorter array after it leaves no code of the longer one.
TEST(ViewVolumeCodesTest, EveryVertexOfALargeArrayGetsItsOwnCode) {
    const ViewVolumeCodes::Volume box = Box();
    ViewVolumeCodes codes;
    for (const std::uint32_t count : {40003u, 16387u}) {
        std::vector<Vertex> vertices;
        for (std::uint32_t i = 0; i < count; ++i) {
            // Right of the box, inside it, left of it, and again.
            vertices.push_back(At(i % 3 == 0 ? 151 : (i % 3 == 1 ? 0 : -151), 0, 0));
        }
        codes.Compute(box, vertices.data(), vertices.size());
        for (std::uint32_t i = 0; i < count; ++i) {
            ASSERT_EQ(codes.AllBeyondOneSide(&i, 1), i % 3 != 1) << count << ", vertex " << i;
        }
        const std::uint32_t neighbours[] = {count - 2, count - 1};
        EXPECT_FALSE(codes.AllBeyondOneSide(neighbours, 2)) << count; // left, then right
    }
}

TEST(ViewVolumeCodesTest, CornersBehindTheEyeAreJudgedInHomogeneousSpace) {
    // The eye looks down -z; w is the distance in front of it.
    ViewVolumeCodes::Volume view;
    view.clip = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1.02, -1, 0, 0, -2.02, 0};
    const std::vector<Vertex> vertices = {At(10, 0, -100),  At(10, 0, 100),  At(-10, 5, 50),
                                          At(500, 0, -100), At(300, 0, 100), At(-300, 0, 100)};
    // A primitive from before the eye to behind it crosses the view.
    EXPECT_FALSE(AllBeyond(view, vertices, {0, 1}));
    // Wholly behind the eye, whatever the signs of x and y.
    EXPECT_TRUE(AllBeyond(view, vertices, {1, 2}));
    // Right of the view before the eye, and x > w behind it (though x / w is
    // below -1 there): the renderer clips the line between them in clip
    // space, where all of it lies on the far side of x = w.
    EXPECT_TRUE(AllBeyond(view, vertices, {3, 4}));
    // Right before the eye and left behind it: the line crosses x = w.
    EXPECT_FALSE(AllBeyond(view, vertices, {3, 5}));
}

TEST(ViewVolumeCodesTest, AVolumeThatIsNotANumberLeavesNothingOut) {
    const std::vector<Vertex> vertices = {At(1000, 0, 0), At(2000, 0, 0)};
    for (double bad :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        ViewVolumeCodes::Volume box = Box();
        box.clip[5] = bad;
        EXPECT_FALSE(AllBeyond(box, vertices, {0, 1}));
        box = Box();
        box.reachX = bad;
        EXPECT_FALSE(AllBeyond(box, vertices, {0, 1}));
    }
    EXPECT_TRUE(AllBeyond(Box(), vertices, {0, 1}));
}

TEST(ViewVolumeCodesTest, TheCurrentVolumeIsTheContextsMatricesViewportAndWidestPrimitive) {
    GlTestWindow window(200, 100);
    ASSERT_TRUE(window.ready);
    glViewport(0, 0, 200, 100);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-100, 100, -50, 50, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslated(10, 0, 0);
    glPointSize(5.0f);
    glLineWidth(3.0f);
    // Half the widest primitive and a pixel to spare: 3.5 pixels, a 0.035 share
    // of the half width and a 0.07 share of the half height; nothing in depth.
    // Each pair: on the widened side, then a unit beyond it.
    const std::vector<Vertex> vertices = {
        At(93, 0, 0),  At(94, 0, 0),  At(-113, 0, 0), At(-114, 0, 0), At(0, 53, 0),  At(0, 54, 0),
        At(0, -53, 0), At(0, -54, 0), At(0, 0, 10),   At(0, 0, 11),   At(0, 0, -10), At(0, 0, -11)};
    const ViewVolumeCodes::Volume current = ViewVolumeCodes::CurrentVolume();
    for (std::uint32_t place = 0; place < vertices.size(); ++place) {
        EXPECT_EQ(AllBeyond(current, vertices, {place}), place % 2 == 1) << place;
    }
    glPointSize(1.0f);
    glLineWidth(1.0f);
}

} // namespace
