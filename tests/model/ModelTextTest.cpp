#include "model/ModelText.h"

#include "model/ModelFileError.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace {
std::string Read(const std::string& bytes) {
    return std::string(ModelText::FromBytes(bytes).View());
}
} // namespace

TEST(ModelTextTest, CarriageReturnIsDroppedOnlyBeforeLineFeed) {
    EXPECT_EQ(Read("1\r\n2\r\n"), "1\n2\n");
    EXPECT_EQ(Read("1\r2"), "1\r2");
    EXPECT_EQ(Read("1\r\r\n"), "1\r\n");
    EXPECT_EQ(Read("1\r"), "1\r");
    EXPECT_EQ(Read("no breaks"), "no breaks");
}

TEST(ModelTextTest, CtrlZEndsTheData) {
    EXPECT_EQ(Read("1 2\x1a"
                   "3 4"),
              "1 2");
    EXPECT_EQ(Read("\x1a"
                   "1"),
              "");
    EXPECT_EQ(Read("1\r\x1a\n"), "1\r");
    EXPECT_EQ(Read("a\0b"s), "a\0b"s);
}

TEST(ModelTextTest, PositionsAreOneBased) {
    const ModelText text = ModelText::FromBytes("ab\r\ncd\n\nx");
    EXPECT_EQ(text.PositionOf(0).line, 1);
    EXPECT_EQ(text.PositionOf(0).column, 1);
    EXPECT_EQ(text.PositionOf(2).column, 3); // the line feed ending line 1
    EXPECT_EQ(text.PositionOf(3).line, 2);
    EXPECT_EQ(text.PositionOf(3).column, 1);
    EXPECT_EQ(text.PositionOf(4).column, 2);
    EXPECT_EQ(text.PositionOf(6).line, 3);
    EXPECT_EQ(text.PositionOf(7).line, 4);
    EXPECT_EQ(text.PositionOf(8).line, 4); // just past the end
    EXPECT_EQ(text.PositionOf(8).column, 2);
    EXPECT_EQ(text.PositionOf(1000).column, 2);
}

TEST(ModelTextTest, FilesWithoutAnEndAreRefused) {
    EXPECT_THROW(ModelText::FromFile("/dev/zero"), ModelFileError);
}
