#include "model/TextReading.h"
#include "model/ParseFailure.h"
#include "model/Vertex.h"

#include <gtest/gtest.h>

#include <string>

// Plain decimal indices take a short way; every other form, and every number
// at the edges of the range, must read as the general scan reads it.
TEST(TextReadingTest, IndicesOfEveryForm) {
    Vertex vertices[12];
    const VertexTable table{vertices, 12};
    const struct {
        std::string text;
        int vertex;        // 1-based; 0 when refused
        std::size_t after; // where the cursor stands, or where the error is
        std::string expected;
    } cases[] = {
        {" 7\n", 7, 2, ""},
        {"12x", 12, 2, ""},
        {"012", 10, 3, ""}, // octal
        {"0xC", 12, 3, ""},
        {"08", 1, 1, ""}, // 0, then a stray 8
        {"+3", 3, 2, ""},
        {"-5", 1, 2, ""},
        {"0000000003", 3, 10, ""},
        {"13", 0, 0, "a vertex index of at most 12"},
        {"999999999", 0, 0, "a vertex index of at most 12"},
        {"1000000000", 0, 0, "a vertex index of at most 12"},
        {"2147483647", 0, 0, "a vertex index of at most 12"},
        {"2147483648", 0, 0, "a vertex index within the 32-bit range"},
        {"-2147483648", 1, 11, ""},
        {"x", 0, 0, "a vertex index"},
        {"  ", 0, 2, "a vertex index"},
    };
    for (const auto& c : cases) {
        TextCursor cursor{c.text.data(), c.text.data() + c.text.size()};
        try {
            const Vertex* vertex = ReadIndex(cursor, table);
            EXPECT_EQ(vertex - vertices + 1, c.vertex) << c.text;
            EXPECT_EQ(static_cast<std::size_t>(cursor.pos - c.text.data()), c.after) << c.text;
        } catch (const ParseFailure& failure) {
            EXPECT_EQ(c.vertex, 0) << c.text;
            EXPECT_EQ(static_cast<std::size_t>(failure.At() - c.text.data()), c.after) << c.text;
            EXPECT_EQ(failure.Expected(), c.expected) << c.text;
        }
    }
}
