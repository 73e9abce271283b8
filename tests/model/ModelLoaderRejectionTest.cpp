#include "model/Model.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using namespace std::string_literals;

// A file outside the format leaves the model empty, keeps type and center from
// the previous load, and says where and what was expected.
TEST(ModelLoaderRejectionTest, SaysWhereAndWhatWasExpected) {
    const std::string eof = "the end of the file";
    const struct {
        std::string text;
        int line, column;
        std::string expected, found;
    } cases[] = {
        // Text where a number must stand.
        {"", 1, 1, "the model type", eof},
        {"1\nfive 5\n", 2, 1, "the vertex count", "'five'"},
        {"0\n4 six\n", 2, 3, "the edge count", "'six'"},
        {"0\n2 1\n0 0 0\n1 x 0\n1 2\n", 4, 3, "a coordinate", "'x'"},
        {"0\n2 1\n0 0 0\n1 1,5 0\n1 2\n", 4, 4, "a coordinate", "',5'"},
        {"0\n2 1\n0 0 0\n1 inf 0\n1 2\n", 4, 3, "a coordinate", "'inf'"},
        {"0\n2 1\n0 0 0\n0x1p3 0 0\n1 2\n", 4, 2, "a coordinate", "'x1p3'"},
        {"0\n2 1\n0 0 0 # origin\n1 0 0\n1 2\n", 3, 7, "a coordinate", "'#'"},
        {"0\n1 1\n1 \0 0\n1 1\n"s, 3, 3, "a coordinate", "a character of code 0"},
        {"0\n2 1\n0 0 0\n1 0 0\n1 two\n", 5, 3, "a vertex index", "'two'"},
        // The file ends early; Ctrl+Z ends it wherever it stands.
        {"1\n5", 2, 2, "the face count", eof},
        {"0\r\n2 1\r\n0 0 0\r\n1 0 0\r\n1\x1a 2\r\n", 5, 2, "a vertex index", eof},
        // Claimed counts far beyond the text fail where it ends, at once.
        {"1\n2147483647 2147483647\n0 0 0\n", 4, 1, "a coordinate", eof},
        {"1\n1 2147483647\n0 0 0\n1 1 1\n", 5, 1, "a vertex index", eof},
        // Counts below one, indices above the vertex count.
        {"0\n0 1\n", 2, 1, "a vertex count of at least 1", "'0'"},
        {"0\n1 0\n0 0 0\n", 2, 3, "an edge count of at least 1", "'0'"},
        {"7\n1 -1\n0 0 0\n", 2, 3, "a face count of at least 1", "'-1'"},
        {"0\n2 1\n0 0 0\n1 0 0\n1 3\n", 5, 3, "a vertex index of at most 2", "'3'"},
        {"1\n1 1\n0 0 1\n2 1 1\n", 4, 1, "a vertex index of at most 1", "'2'"},
        {"1\n1 1\n0 0 1\n1 1 1 2\n", 4, 7, "a vertex index of at most 1", "'2'"},
        // Numbers beyond their type.
        {"2147483648\n", 1, 1, "the model type within the 32-bit range", "'2147483648'"},
        {"0\n1 1\n1e39 0 0\n", 3, 1, "a coordinate within the single-precision range", "'1e39'"},
        {"0\n1 1\n1 0 0\n1 -99999999999\n", 4, 3, "a vertex index within the 32-bit range",
         "'-99999999999'"},
        {"1\n1 1\n0 0 1\n1 1 1 0x100000000\n", 4, 7, "a vertex index within the 32-bit range",
         "'0x100000000'"},
        // 1000 divided by the largest magnitude would overflow single precision.
        {"0\n2 1\n0 1e-40 0\n0 0 -2e-40\n1 2\n", 4, 5,
         "a largest coordinate far enough from 0 to scale to 1000", "'-2e-40'"},
    };
    for (const auto& c : cases) {
        Model model;
        ASSERT_TRUE(model.OpenText("5\n1 1\n0 0 -1\n1 1 1\n", "first.dat"));
        EXPECT_FALSE(model.OpenText(c.text, "bad.dat")) << c.text;
        EXPECT_TRUE(!model.vertices && !model.edges && !model.faces);
        EXPECT_EQ(model.vertexCount + model.edgeCount + model.faceCount, 0);
        EXPECT_EQ(model.type, 5);
        EXPECT_EQ(model.center.z, -1000);
        const ModelFileError& e = model.LastError().value();
        EXPECT_EQ(std::make_tuple(e.Path(), e.Line(), e.Column(), e.Expected(), e.Found()),
                  std::make_tuple("bad.dat"s, c.line, c.column, c.expected, c.found));
    }
}

TEST(ModelLoaderRejectionTest, MessagesAndUnreadableFiles) {
    Model model;
    EXPECT_FALSE(model.OpenText("1\n3 1\n0 0 0\n1 x 0\n", "dom.dat"));
    EXPECT_STREQ(model.LastError()->what(), "dom.dat:4:3: expected a coordinate, found 'x'");
    // A folder or a device has no end worth reading to.
    const std::string missing = KOVO_TEST_DATA "/missing.dat";
    for (const std::string& path : {missing, KOVO_TEST_DATA ""s, "/dev/zero"s}) {
        EXPECT_FALSE(model.Open(path)) << path;
        const std::string reason = path == missing ? ": cannot be opened" : ": cannot be read";
        EXPECT_EQ(std::string(model.LastError()->what()).rfind(path + reason, 0), 0u);
    }
    EXPECT_TRUE(model.OpenText("0\n1 1\n0 0 0\n1 1\n", "ok.dat"));
    EXPECT_FALSE(model.LastError().has_value());
}
