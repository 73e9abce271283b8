#include "model/Model.h"

#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

using namespace std::string_literals;

// A file outside the format leaves the model empty, keeps type and center from
// the previous load, and says where and what was expected.

namespace {

struct Rejection {
    int line;
    int column;
    std::string expected;
    std::string found;
};

void ExpectRejected(const std::string& text, const Rejection& want) {
    Model model;
    ASSERT_TRUE(model.OpenText(kPyramid, "first.dat"));
    EXPECT_FALSE(model.OpenText(text, "bad.dat")) << text;
    EXPECT_EQ(model.vertices, nullptr);
    EXPECT_EQ(model.edges, nullptr);
    EXPECT_EQ(model.faces, nullptr);
    EXPECT_EQ(model.vertexCount, 0);
    EXPECT_EQ(model.edgeCount, 0);
    EXPECT_EQ(model.faceCount, 0);
    EXPECT_EQ(model.type, 1);
    EXPECT_EQ(model.center.z, 200);
    ASSERT_TRUE(model.LastError().has_value());
    const ModelFileError& error = *model.LastError();
    EXPECT_EQ(error.Path(), "bad.dat");
    EXPECT_EQ(error.Line(), want.line) << text;
    EXPECT_EQ(error.Column(), want.column) << text;
    EXPECT_EQ(error.Expected(), want.expected) << text;
    EXPECT_EQ(error.Found(), want.found) << text;
}

const std::string kEof = "the end of the file";

} // namespace

TEST(ModelLoaderRejectionTest, TextWhereANumberMustStand) {
    ExpectRejected("", {1, 1, "the model type", kEof});
    ExpectRejected("wire\n", {1, 1, "the model type", "'wire'"});
    ExpectRejected("0\n4 six\n", {2, 3, "the edge count", "'six'"});
    ExpectRejected("1\nfive 5\n", {2, 1, "the vertex count", "'five'"});
    ExpectRejected("0\n2 1\n0 0 0\n1 x 0\n1 2\n", {4, 3, "a coordinate", "'x'"});
    ExpectRejected("0\n2 1\n0 0 0\n1 1,5 0\n1 2\n", {4, 4, "a coordinate", "',5'"});
    ExpectRejected("0\n2 1\n0 0 0\n1 inf 0\n1 2\n", {4, 3, "a coordinate", "'inf'"});
    ExpectRejected("0\n2 1\n0 0 0\n1 nan 0\n1 2\n", {4, 3, "a coordinate", "'nan'"});
    ExpectRejected("0\n2 1\n0 0 0\n0x1p3 0 0\n1 2\n", {4, 2, "a coordinate", "'x1p3'"});
    ExpectRejected("0\n2 1\n0 0 0 # origin\n1 0 0\n1 2\n", {3, 7, "a coordinate", "'#'"});
    ExpectRejected("0\n2 1\n0 0 0\n1 0 0\n1 two\n", {5, 3, "a vertex index", "'two'"});
    ExpectRejected("1\n3 1\n0 0 0\n1 0 0\n0 1 0\n1 2 c\n", {6, 5, "a vertex index", "'c'"});
    ExpectRejected("0\n2 1\n0 0 0\n1\x01 0 0\n1 2\n",
                   {4, 2, "a coordinate", "a character of code 1"});
}

TEST(ModelLoaderRejectionTest, FileEndsEarly) {
    ExpectRejected("1\n5", {2, 2, "the face count", kEof});
    ExpectRejected("0\n2 1\n0 0 0\n1 0", {4, 4, "a coordinate", kEof});
    ExpectRejected("0\n2 2\n0 0 0\n1 0 0\n1 2\n", {6, 1, "a vertex index", kEof});
    ExpectRejected("1\n3 1\n0 0 0\n1 0 0\n0 1 0\n1 2", {6, 4, "a vertex index", kEof});
    ExpectRejected("0\r\n2 1\r\n0 0 0\r\n1 0 0\r\n1\x1a 2\r\n", {5, 2, "a vertex index", kEof});
}

TEST(ModelLoaderRejectionTest, CountsBelowOne) {
    ExpectRejected("0\n0 1\n", {2, 1, "a vertex count of at least 1", "'0'"});
    ExpectRejected("0\n-3 1\n", {2, 1, "a vertex count of at least 1", "'-3'"});
    ExpectRejected("0\n1 0\n0 0 0\n", {2, 3, "an edge count of at least 1", "'0'"});
    ExpectRejected("7\n1 -1\n0 0 0\n", {2, 3, "a face count of at least 1", "'-1'"});
}

TEST(ModelLoaderRejectionTest, IndexAboveTheVertexCount) {
    ExpectRejected("0\n2 1\n0 0 0\n1 0 0\n1 3\n", {5, 3, "a vertex index of at most 2", "'3'"});
    ExpectRejected("1\n3 1\n0 0 0\n1 0 0\n0 1 0\n4 2 3\n",
                   {6, 1, "a vertex index of at most 3", "'4'"});
    ExpectRejected("1\n3 1\n0 0 0\n1 0 0\n0 1 0\n1 2 3 4\n",
                   {6, 7, "a vertex index of at most 3", "'4'"});
}

TEST(ModelLoaderRejectionTest, NumbersBeyondTheirType) {
    ExpectRejected("2147483648\n",
                   {1, 1, "the model type within the 32-bit range", "'2147483648'"});
    ExpectRejected("0\n2 1\n0 0 0\n1e39 0 0\n1 2\n",
                   {4, 1, "a coordinate within the single-precision range", "'1e39'"});
    ExpectRejected("0\n2 1\n0 0 0\n1 0 0\n1 -99999999999\n",
                   {5, 3, "a vertex index within the 32-bit range", "'-99999999999'"});
    ExpectRejected("1\n3 1\n0 0 0\n1 0 0\n0 1 0\n1 2 3 0x100000000\n",
                   {6, 7, "a vertex index within the 32-bit range", "'0x100000000'"});
}

TEST(ModelLoaderRejectionTest, CoordinatesTooCloseToZeroToScale) {
    // 1000 divided by the largest magnitude would overflow single precision.
    ExpectRejected("0\n2 1\n0 1e-40 0\n0 0 -2e-40\n1 2\n",
                   {4, 5, "a largest coordinate far enough from 0 to scale to 1000", "'-2e-40'"});
}

TEST(ModelLoaderRejectionTest, HugeClaimedCountsFailAtOnce) {
    const auto start = std::chrono::steady_clock::now();
    ExpectRejected("1\n2147483647 2147483647\n0 0 0\n", {4, 1, "a coordinate", kEof});
    ExpectRejected("1\n1 2147483647\n0 0 0\n1 1 1\n", {5, 1, "a vertex index", kEof});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST(ModelLoaderRejectionTest, UnreadableFiles) {
    Model model;
    EXPECT_FALSE(model.Open(KOVO_TEST_DATA "/missing.dat"));
    ASSERT_TRUE(model.LastError());
    EXPECT_EQ(model.LastError()->Line(), 0);
    EXPECT_NE(std::string(model.LastError()->what()).find("missing.dat: cannot be opened"),
              std::string::npos);
    EXPECT_FALSE(model.Open(KOVO_TEST_DATA));
    EXPECT_EQ(model.vertices, nullptr);
}

TEST(ModelLoaderRejectionTest, MessageNamesFilePlaceAndExpectation) {
    Model model;
    EXPECT_FALSE(model.OpenText("1\n3 1\n0 0 0\n1 x 0\n", "dom.dat"));
    EXPECT_STREQ(model.LastError()->what(), "dom.dat:4:3: expected a coordinate, found 'x'");
    EXPECT_TRUE(model.OpenText(kPyramid, "dom.dat"));
    EXPECT_FALSE(model.LastError().has_value());
}
