#include "model/UnitVector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <random>
#include <vector>

namespace {

struct Normal {
    float nx = 0.0f;
    float ny = 0.0f;
    float nz = 0.0f;
};

std::uint32_t Bits(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Vectors with every kind of component: cross products of integer corners as
// faces give them, tiny and huge ones, zeros of both signs, infinities and NaN.
std::vector<Normal> Vectors() {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float odd[] = {0.0f, -0.0f, 1.0f, -3.0f,  1e-45f, -2e-38f, 3e38f,
                         inf,  -inf,  nan,  1e-20f, 7.0f,   1e19f,   -5e-39f};
    std::vector<Normal> vectors;
    for (float x : odd) {
        for (float y : odd) {
            vectors.push_back({x, y, odd[vectors.size() % std::size(odd)]});
        }
    }
    std::mt19937 engine(7);
    std::uniform_int_distribution<int> corner(-2000, 2000);
    std::uniform_real_distribution<float> exponent(-40.0f, 38.0f);
    for (int i = 0; i < 2000; ++i) {
        vectors.push_back({float(corner(engine) * corner(engine)),
                           float(corner(engine) * corner(engine)), float(corner(engine))});
        vectors.push_back({std::pow(10.0f, exponent(engine)), -std::pow(10.0f, exponent(engine)),
                           std::pow(10.0f, exponent(engine))});
    }
    return vectors;
}

} // namespace

// Side by side, in runs of any length, each vector must come out as it does
// alone, to the bit: a face's normal decides its shading.
TEST(UnitVectorTest, NormalsInRunsAreThoseNormalizedOneByOne) {
    const std::vector<Normal> vectors = Vectors();
    std::vector<Normal> alone = vectors;
    for (Normal& v : alone) {
        NormalizeInPlace(v.nx, v.ny, v.nz);
    }
    for (std::size_t run : {1, 3, 4, 5, 64}) {
        std::vector<Normal> together = vectors;
        for (std::size_t first = 0; first < together.size(); first += run) {
            NormalizeNormals(together.data() + first, std::min(run, together.size() - first));
        }
        for (std::size_t i = 0; i < vectors.size(); ++i) {
            ASSERT_EQ(Bits(together[i].nx), Bits(alone[i].nx)) << "run " << run << ", vector " << i;
            ASSERT_EQ(Bits(together[i].ny), Bits(alone[i].ny)) << "run " << run << ", vector " << i;
            ASSERT_EQ(Bits(together[i].nz), Bits(alone[i].nz)) << "run " << run << ", vector " << i;
        }
    }
}

// Where the length is 0 or not a number there is no direction, and no NaN.
TEST(UnitVectorTest, NoDirectionGivesZero) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Normal vectors[] = {{0.0f, -0.0f, 0.0f}, {nan, 1.0f, 0.0f}, {-0.0f, 0.0f, -nan}, {3, 4, 0}};
    NormalizeNormals(vectors, 4);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Bits(vectors[i].nx) | Bits(vectors[i].ny) | Bits(vectors[i].nz), 0u) << i;
    }
    EXPECT_EQ(vectors[3].nx, 0.6f);
    EXPECT_EQ(vectors[3].ny, 0.8f);
}
